#pragma once

#include "controls/COwnerButton.h"

#include <functional>

class CalendarStore;
class CategoryList;

// A category picker: shows the category's name in its colour, or "All
// Categories" for 0x7FFFFFFF when created with that choice allowed. The menu
// is the store's category menu: a category (index + 2) or all categories
// becomes the value and is reported with CategoryChosen; "Edit
// Categories..." (1) opens the category editor, and when it ends with OK and
// changes the store takes the edited list and CategoryListEdited is reported.
//
// A category that no longer exists when the button draws or drops its menu
// gives way to all categories (or, without that choice, to category 0), and
// the new value is reported with CategoryChosen.
class CBtnCate : public COwnerButton
{
    Q_OBJECT

public:

    // Runs the category editor on edited (a copy of the store's list). True
    // when it ended with OK and changed the copy; addedLast is the category
    // added last while it was open (0 for none).
    using CategoryEditor =
        std::function<bool(const CalendarStore& store, CategoryList& edited, qint32& addedLast, QWidget* parent)>;
    // The program's category editor, shared by every category button. Until
    // one is set, "Edit Categories..." is shown disabled.
    static void SetCategoryEditor(CategoryEditor editor);
    static bool HasCategoryEditor();

    CBtnCate(int controlId, CalendarStore& store, bool withAll, QWidget* parent = nullptr);

    // A category index, or CalendarStore::kAllCategories.
    void SetCategory(qint32 category);
    qint32 Category() const { return m_category; }
    bool WithAll() const { return m_withAll; }

    // The name and colour (0x00BBGGRR) shown for the value.
    QString ShownText() const;
    quint32 ShownColor() const;
    MenuDesc Menu() const;

    // Falls back from a category that no longer exists and reports the new
    // value; true when it did.
    bool FallBackIfGone();

signals:
    // 0x413 (category, control id), posted.
    void CategoryChosen(qint32 category, int controlId);
    // 0x414 (category, control id), posted: the category list was edited.
    void CategoryListEdited(qint32 category, int controlId);

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    void EditCategories();

    CalendarStore& m_store;
    bool m_withAll;
    qint32 m_category;
};
