#pragma once

#include "model/PackedDate.h"

#include <QtGlobal>

#include <functional>

class CategoryList;
class QWidget;
struct DayMark;
struct TaskRecord;

// The dialogs the main view runs for its menu commands and messages. The part
// of the program that provides a dialog hands it over with
// CMainView::SetDialogs; until then the commands that need it are not
// carried out and their menu entries stay disabled. Every dialog is modal
// and owned by parent; none of them touches the view's children: the main
// view refreshes them afterwards.
struct MainViewDialogs
{
    // The task editor on task, a copy the caller commits (index is the task's
    // store index, -1 for a new task). True on OK. categoriesChanged tells,
    // on OK and on Cancel alike, that the category list was edited while the
    // editor was open.
    std::function<bool(TaskRecord& task, int index, bool& categoriesChanged, QWidget* parent)> taskEditor;
    // The day note of date on mark (the day's mark, or a blank one carrying
    // only the date). True on OK: the caller stores the mark.
    std::function<bool(PackedDate date, DayMark& mark, QWidget* parent)> dayNote;
    // Moving the open tasks of the day from: category (an index or
    // 0x7FFFFFFF for all) comes in as the choice to start with; on OK (true)
    // to is the day to move to and category the chosen one.
    std::function<bool(PackedDate from, PackedDate& to, qint32& category, QWidget* parent)> reschedule;
    // Select Date: date is the day to start from (0 for none); true on OK with
    // the chosen day in date.
    std::function<bool(PackedDate& date, QWidget* parent)> selectDate;
    // The category editor on categories, a copy of the store's list. True when
    // it ended with OK and changed the copy.
    std::function<bool(CategoryList& categories, QWidget* parent)> categoryEditor;
    // The holiday editor, which works on the holiday list itself.
    std::function<void(QWidget* parent)> holidayEditor;
    // The filter dialog, which sets the store's category selection, icon
    // filter and the view's priorities itself. True on OK.
    std::function<bool(QWidget* parent)> filter;
    // The search dialog. True when tasks were changed from it.
    std::function<bool(QWidget* parent)> search;
    // The preferences. True on OK, once the edited values are in the settings.
    std::function<bool(QWidget* parent)> preferences;
};
