#include "platform/core/VdirTaskList.h"

#include "storage/SaveFile.h"
#include "storage/TaskListDate.h"
#include "storage/TaskListItem.h"
#include "storage/TaskListSession.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QUuid>

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A task file is a few kilobytes; anything past this is not read at all.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
// iCalendar writes the year with four digits.
constexpr int kLastWritableYear = 9999;

constexpr int kPriorityHighValue = 1;
constexpr int kPriorityNormalValue = 5;
constexpr int kPriorityLowValue = 9;

struct ComponentFree
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

QString TextOf(const char* text)
{
    return QString::fromUtf8(text);
}

// The first VTODO in the file's order, nested calendars included.
icalcomponent* FirstTodo(icalcomponent* component)
{
    if (icalcomponent_isa(component) == ICAL_VTODO_COMPONENT)
        return component;
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (icalcomponent* todo = FirstTodo(child))
            return todo;
    }
    return nullptr;
}

void RemoveAll(icalcomponent* component, icalproperty_kind kind)
{
    while (icalproperty* property = icalcomponent_get_first_property(component, kind)) {
        icalcomponent_remove_property(component, property);
        icalproperty_free(property);
    }
}

// Puts property in place of every one of its kind; false when it could not
// be made.
bool Replace(icalcomponent* component, icalproperty_kind kind, icalproperty* property)
{
    if (!property)
        return false;
    RemoveAll(component, kind);
    icalcomponent_add_property(component, property);
    return true;
}

// The text or, for an empty one, no property at all.
bool ReplaceText(icalcomponent* component, icalproperty_kind kind, icalproperty* (*make)(const char*),
                 const QString& text)
{
    if (text.isEmpty()) {
        RemoveAll(component, kind);
        return true;
    }
    return Replace(component, kind, make(text.toUtf8().constData()));
}

// The text of the first property of a kind, as the user wrote it (unescaped).
QString FirstText(icalcomponent* component, icalproperty_kind kind, const char* (*get)(const icalproperty*))
{
    const icalproperty* property = icalcomponent_get_first_property(component, kind);
    return property ? TextOf(get(property)) : QString();
}

void AddIfMissing(icalcomponent* component, icalproperty_kind kind, icalproperty* (*make)(const char*),
                  const char* value)
{
    if (!icalcomponent_get_first_property(component, kind))
        icalcomponent_add_property(component, make(value));
}

QString NewUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

ComponentPtr NewCalendar()
{
    ComponentPtr calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(VdirTaskList::kProductId));
    return calendar;
}

QByteArray Serialize(icalcomponent* component)
{
    QByteArray out;
    if (icalcomponent_isa(component) == ICAL_XROOT_COMPONENT) {
        // Several calendars in one file: each is written back in turn.
        for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
            out += Serialize(child);
        return out;
    }
    if (char* text = icalcomponent_as_ical_string_r(component)) {
        out = QByteArray(text);
        icalmemory_free_buffer(text);
    }
    return out;
}

// One task: the whole content of its file (a new task: a calendar made
// here), and the VTODO inside it.
class VdirTaskItem : public TaskListItem
{
public:
    VdirTaskItem(ComponentPtr root, icalcomponent* todo, const QString& path)
        : m_root(std::move(root))
        , m_todo(todo)
        , m_path(path)
    {
    }

    static std::unique_ptr<VdirTaskItem> New(const QString& folder)
    {
        const QString uid = NewUid();
        ComponentPtr calendar = NewCalendar();
        icalcomponent* todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
        icalcomponent_add_property(todo, icalproperty_new_uid(uid.toUtf8().constData()));
        icalcomponent_add_component(calendar.get(), todo);
        return std::make_unique<VdirTaskItem>(std::move(calendar), todo, QDir(folder).filePath(uid + u".ics"_s));
    }

    // A copy of a task read from a file; a bare VTODO is put into a calendar
    // of its own, so that saving writes a complete file.
    static std::unique_ptr<VdirTaskItem> FromFile(icalcomponent* content, const QString& path)
    {
        ComponentPtr root(icalcomponent_new_clone(content));
        if (icalcomponent_isa(root.get()) == ICAL_VTODO_COMPONENT) {
            ComponentPtr calendar = NewCalendar();
            icalcomponent_add_component(calendar.get(), root.release());
            root = std::move(calendar);
        }
        icalcomponent* todo = FirstTodo(root.get());
        return std::make_unique<VdirTaskItem>(std::move(root), todo, path);
    }

    bool GetSubject(QString& subject) const override
    {
        subject = FirstText(m_todo, ICAL_SUMMARY_PROPERTY, icalproperty_get_summary);
        return true;
    }

    bool GetBody(QString& body) const override
    {
        body = FirstText(m_todo, ICAL_DESCRIPTION_PROPERTY, icalproperty_get_description);
        return true;
    }

    bool GetCategories(QString& categories) const override
    {
        // The parser makes one property of each value of a CATEGORIES list.
        QStringList names;
        for (icalproperty* property = icalcomponent_get_first_property(m_todo, ICAL_CATEGORIES_PROPERTY); property;
             property = icalcomponent_get_next_property(m_todo, ICAL_CATEGORIES_PROPERTY)) {
            const QString name = TextOf(icalproperty_get_categories(property));
            if (!name.isEmpty())
                names.append(name);
        }
        categories = names.join(u',');
        return true;
    }

    bool GetComplete(qint16& complete) const override
    {
        const icalproperty* status = icalcomponent_get_first_property(m_todo, ICAL_STATUS_PROPERTY);
        const bool done = (status && icalproperty_get_status(status) == ICAL_STATUS_COMPLETED)
                          || icalcomponent_get_first_property(m_todo, ICAL_COMPLETED_PROPERTY);
        complete = done ? kCompleteTrue : kCompleteFalse;
        return true;
    }

    bool GetImportance(int& importance) const override
    {
        const icalproperty* property = icalcomponent_get_first_property(m_todo, ICAL_PRIORITY_PROPERTY);
        const int priority = property ? icalproperty_get_priority(property) : 0;
        if (priority >= 1 && priority <= 4)
            importance = kImportanceHigh;
        else if (priority >= 6 && priority <= 9)
            importance = kImportanceLow;
        else
            importance = kImportanceNormal;
        return true;
    }

    bool GetDueDate(double& dueDate) const override
    {
        dueDate = kMissingDueDate;
        const icalproperty* property = icalcomponent_get_first_property(m_todo, ICAL_DUE_PROPERTY);
        if (!property)
            return true;
        // The day as written; the time and its zone do not move it.
        const icaltimetype due = icalproperty_get_due(property);
        const QDate day(due.year, due.month, due.day);
        if (!icaltime_is_null_time(due) && day.isValid())
            dueDate = DateFromPacked(FromPlatformTime(day));
        return true;
    }

    bool PutSubject(const QString& subject) override
    {
        return Replace(m_todo, ICAL_SUMMARY_PROPERTY, icalproperty_new_summary(subject.toUtf8().constData()));
    }

    bool PutBody(const QString& body) override
    {
        return ReplaceText(m_todo, ICAL_DESCRIPTION_PROPERTY, icalproperty_new_description, body);
    }

    bool PutCategories(const QString& categories) override
    {
        return ReplaceText(m_todo, ICAL_CATEGORIES_PROPERTY, icalproperty_new_categories, categories);
    }

    bool PutComplete(qint16 complete) override
    {
        if (complete != kCompleteFalse)
            return Replace(m_todo, ICAL_STATUS_PROPERTY, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        // A re-opened task keeps no sign of having been done.
        RemoveAll(m_todo, ICAL_COMPLETED_PROPERTY);
        const icalproperty* percent = icalcomponent_get_first_property(m_todo, ICAL_PERCENTCOMPLETE_PROPERTY);
        if (percent && icalproperty_get_percentcomplete(percent) >= 100)
            RemoveAll(m_todo, ICAL_PERCENTCOMPLETE_PROPERTY);
        return Replace(m_todo, ICAL_STATUS_PROPERTY, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
    }

    bool PutImportance(int importance) override
    {
        int priority = 0;
        switch (importance) {
        case kImportanceHigh:
            priority = kPriorityHighValue;
            break;
        case kImportanceNormal:
            priority = kPriorityNormalValue;
            break;
        case kImportanceLow:
            priority = kPriorityLowValue;
            break;
        default:
            return false;
        }
        return Replace(m_todo, ICAL_PRIORITY_PROPERTY, icalproperty_new_priority(priority));
    }

    bool PutDueDate(double dueDate) override
    {
        if (dueDate == kMissingDueDate) {
            RemoveAll(m_todo, ICAL_DUE_PROPERTY);
            return true;
        }
        if (!std::isfinite(dueDate))
            return false;
        const QDate day = ToPlatformTime(PackedFromDate(dueDate));
        if (day.year() > kLastWritableYear)
            return false;
        icaltimetype due = icaltime_null_date();
        due.year = day.year();
        due.month = day.month();
        due.day = day.day();
        return Replace(m_todo, ICAL_DUE_PROPERTY, icalproperty_new_due(due));
    }

    bool Save() override
    {
        if (icalcomponent* calendar = icalcomponent_get_parent(m_todo)) {
            AddIfMissing(calendar, ICAL_VERSION_PROPERTY, icalproperty_new_version, "2.0");
            AddIfMissing(calendar, ICAL_PRODID_PROPERTY, icalproperty_new_prodid, VdirTaskList::kProductId);
        }
        AddIfMissing(m_todo, ICAL_UID_PROPERTY, icalproperty_new_uid, NewUid().toUtf8().constData());
        // The time of this revision, in UTC.
        Replace(m_todo, ICAL_DTSTAMP_PROPERTY,
                icalproperty_new_dtstamp(icaltime_current_time_with_zone(icaltimezone_get_utc_timezone())));
        // Values the parser could not read stay out of the file.
        icalcomponent_strip_errors(m_root.get());

        const QByteArray content = Serialize(m_root.get());
        if (content.isEmpty())
            return false;
        QSaveFile file(m_path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && CommitSaveFile(file);
    }

private:
    ComponentPtr m_root;
    icalcomponent* m_todo;
    QString m_path;
};

class VdirTaskSession : public TaskListSession
{
public:
    explicit VdirTaskSession(const QString& folder)
        : m_folder(folder)
    {
    }

    bool OpenTaskFolder() override
    {
        m_files.clear();
        const QDir dir(m_folder);
        if (!dir.exists())
            return false;
        // The suffix is compared by hand: a name filter compiles a regular
        // expression on every listing.
        QFileInfoList entries;
        for (QDirIterator it(m_folder, QDir::Files); it.hasNext();) {
            const QFileInfo entry = it.nextFileInfo();
            if (entry.fileName().endsWith(u".ics"_s, Qt::CaseInsensitive))
                entries.push_back(entry);
        }
        std::sort(entries.begin(), entries.end(),
                  [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });
        for (const QFileInfo& entry : entries)
            ReadFile(entry);
        m_open = true;
        return true;
    }

    bool GetCount(int& count) override
    {
        if (!m_open)
            return false;
        count = int(m_files.size());
        return true;
    }

    bool Item(int position, std::unique_ptr<TaskListItem>& item) override
    {
        if (!m_open || position < 1 || position > int(m_files.size()))
            return false;
        const TaskFile& file = m_files[size_t(position - 1)];
        item = VdirTaskItem::FromFile(file.content.get(), file.path);
        return true;
    }

    bool Add(std::unique_ptr<TaskListItem>& item) override
    {
        if (!m_open)
            return false;
        item = VdirTaskItem::New(m_folder);
        return true;
    }

    void Logoff() override
    {
        m_files.clear();
        m_open = false;
    }

private:
    struct TaskFile
    {
        QString path;
        ComponentPtr content;
    };

    // Keeps the file when it is iCalendar with a task in it.
    void ReadFile(const QFileInfo& entry)
    {
        if (entry.size() > kMaxFileSize)
            return;
        QFile file(entry.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = file.readAll();
        ComponentPtr content(icalparser_parse_string(bytes.constData()));
        if (content && FirstTodo(content.get()))
            m_files.push_back({entry.filePath(), std::move(content)});
    }

    QString m_folder;
    std::vector<TaskFile> m_files;
    bool m_open = false;
};

} // namespace

VdirTaskList::VdirTaskList(const QString& folder)
    : m_folder(folder)
{
}

bool VdirTaskList::Logon(std::unique_ptr<TaskListSession>& session)
{
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    // A file that breaks the rules is reported through the parse result,
    // never by ending the program.
    icalerror_set_errors_are_fatal(0);
    session = std::make_unique<VdirTaskSession>(m_folder);
    return true;
}
