#include "storage/DataFile.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/SaveFile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Message numbers of the language module.
enum DataFileMessage : int {
    kMsgOpenForWriting = 200,
    kMsgWriteMarks = 201,
    kMsgWriteCategories = 202,
    kMsgWriteTasks = 203,
    kMsgWriteHolidays = 204,
    kMsgFlush = 205,
    kMsgReadFile = 206,
    kMsgWrongPassword = 207,
    kMsgDecipher = 208,
    kMsgNotCalendarFile = 209,
    kMsgVersion = 210,
    kMsgFileMarker = 211,
    kMsgReadMarks = 212,
    kMsgReadCategories = 213,
    kMsgReadTasks = 214,
    kMsgReadHolidays = 215,
    kMsgEndMarker = 216,
    kMsgCategoryFilter = 217,
    kMsgIconFilter = 218,
};

const QString kFileMarker = u"[C11_FILE]"_s;
const QString kMarkMarker = u"[MARK]"_s;
const QString kCategoryMarker = u"[CATEGORY]"_s;
const QString kTaskMarker = u"[AGENDA]"_s;
const QString kHolidayMarker = u"[HOLIDAY]"_s;
const QString kEndMarker = u"[C11_END]"_s;

// The fewest bytes one record can take (words 4 bytes, the empty string 4).
// A count that promises more records than the rest of the payload can hold
// fails its section before anything is read or allocated.
constexpr qint64 kMarkRecordMinimum = 4 + 4 + 4;          // date, flags, note
constexpr qint64 kCategoryRecordMinimum = 4 + 4 + 4 + 4;  // name, icon, reserved, colour
constexpr qint64 kGroupMinimum = 4 + 4;                   // date, task count
constexpr qint64 kTaskRecordMinimum = 6 * 4 + 4 + 4;      // six words, title, note
constexpr qint64 kHolidayRecordMinimum = 4 + 4;           // month and day, name

// The backup is copied in pieces of this size.
constexpr qint64 kBackupChunk = 256 * 1024;

bool Fail(int number, QString& error, int* messageNumber)
{
    error = GetText(number);
    if (messageNumber)
        *messageNumber = number;
    return false;
}

bool CountFits(const CCryptMemFile& file, quint32 count, qint64 recordMinimum)
{
    return qint64(count) * recordMinimum <= qint64(file.Remaining());
}

bool ReadMarker(CCryptMemFile& file, const QString& marker)
{
    QString text;
    return file.ReadString(text) && text == marker;
}

// A section of the day marks, categories or holidays: its marker, a count
// that the rest of the payload can hold, then the records, each read whole by
// readRecord or failing the section.
template <typename ReadRecord>
bool ReadSection(CCryptMemFile& file, const QString& marker, qint64 recordMinimum, ReadRecord readRecord)
{
    quint32 count = 0;
    if (!ReadMarker(file, marker) || !file.ReadWord(count) || !CountFits(file, count, recordMinimum))
        return false;
    for (quint32 n = 0; n < count; ++n) {
        if (!readRecord())
            return false;
    }
    return true;
}

// ---- writing

bool WriteMarks(CCryptMemFile& file, const CalendarStore& store)
{
    bool ok = file.WriteString(kMarkMarker) && file.WriteWord(quint32(store.DayMarkCount()));
    for (int position = 0; ok && position < store.DayMarkCount(); ++position) {
        const DayMark& mark = store.DayMarkAt(position);
        ok = file.WriteWord(mark.Date) && file.WriteWord(mark.Flags) && file.WriteString(mark.Note);
    }
    return ok;
}

// Writes the live categories in display order. In the file a category is
// known by its position in this section, so renumber maps every slot of the
// store's table to the position written for it.
//
// Slots without a position (deleted categories, and any slot the order list
// does not name) map to 0, like a category number outside the table: a task
// still filed under such a category goes to the first category of the file,
// which is category 0, exactly where the category editor puts the tasks of a
// category it deletes. Writing -1 instead would leave the task, once loaded,
// pointing at a category that does not exist, and refusing the save would
// make one stale number cost the user the whole calendar.
bool WriteCategories(CCryptMemFile& file, const CategoryList& categories, std::vector<qint32>& renumber)
{
    renumber.assign(size_t(categories.TableSize()), 0);
    quint32 count = 0;
    for (const qint32 index : categories.Order()) {
        if (index < 0 || index >= categories.TableSize())
            return false;
        if (categories.Slot(index).IsLive())
            renumber[size_t(index)] = qint32(count++);
    }
    // The count is that of the records written, so a deleted slot left in
    // the order list can never make the count and the records disagree.
    bool ok = file.WriteString(kCategoryMarker) && file.WriteWord(count);
    for (const qint32 index : categories.Order()) {
        const CategoryRecord& category = categories.Slot(index);
        if (ok && category.IsLive())
            ok = file.WriteString(category.Name) && file.WriteWord(category.Icon)
                 && file.WriteWord(category.Reserved) && file.WriteWord(category.Color);
    }
    return ok;
}

qint32 Renumbered(const std::vector<qint32>& renumber, qint32 category)
{
    return category >= 0 && size_t(category) < renumber.size() ? renumber[size_t(category)] : 0;
}

bool WriteTask(CCryptMemFile& file, const TaskRecord& task, const std::vector<qint32>& renumber)
{
    return file.WriteWord(task.Id) && file.WriteWord(quint32(task.Priority)) && file.WriteWord(task.Completed)
           && file.WriteWord(quint32(Renumbered(renumber, task.Category))) && file.WriteWord(task.Icon)
           && file.WriteWord(task.Date) && file.WriteString(task.Title) && file.WriteString(task.Note);
}

// One group per day list, its High, Normal and Low tasks in that order: a
// task's place in the file is its display place, and loading numbers the
// tasks in file order.
bool WriteTasks(CCryptMemFile& file, const CalendarStore& store, const std::vector<qint32>& renumber)
{
    bool ok = file.WriteString(kTaskMarker) && file.WriteWord(quint32(store.DayListCount()))
              && file.WriteWord(LastTaskId::Value());
    for (int position = 0; ok && position < store.DayListCount(); ++position) {
        const DayList& day = store.DayListAt(position);
        ok = file.WriteWord(day.Date) && file.WriteWord(quint32(day.TaskCount()));
        for (const PriorityClass priorityClass : kPriorityClasses) {
            for (const qint32 index : day.ListOf(priorityClass)) {
                const TaskRecord* task = store.GetTask(index);
                if (!ok || !task)
                    return false;
                ok = WriteTask(file, *task, renumber);
            }
        }
    }
    return ok && file.WriteWord(quint32(store.CurrentTaskId()));
}

bool WriteHolidays(CCryptMemFile& file, const HolidayList& holidays)
{
    bool ok = file.WriteString(kHolidayMarker) && file.WriteWord(quint32(holidays.Count()));
    for (int position = 0; ok && position < holidays.Count(); ++position) {
        const HolidayRecord holiday = holidays.Get(position);
        ok = file.WriteWord(holiday.MonthDay) && file.WriteString(holiday.Name);
    }
    return ok;
}

// The category selection is a category number like a task's, so it is
// renumbered with them: kept as it was, it would select another category (or
// none) once the file is loaded. A selection of a category that is gone
// shows all categories.
quint32 SavedCategorySelection(const CalendarStore& store, const std::vector<qint32>& renumber)
{
    const qint32 selection = store.CategorySelection();
    if (!store.Categories().IsLive(selection))
        return quint32(CalendarStore::kAllCategories);
    return quint32(Renumbered(renumber, selection));
}

// Copies the file about to be replaced to path + "BAK", once per document:
// the flag is set even when there was nothing to copy. The copy goes through
// a save file, so an older backup is replaced only by a whole new one: a
// crash or a full disk in the middle of the copy never leaves the user
// without a backup, nor with half of one.
void TakeBackup(CalendarStore& store, const QString& path)
{
    store.SetBackupDone(true);
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return;
    QSaveFile copy(path + u"BAK"_s);
    // A data file only its owner may read keeps a backup only its owner may read.
    if (!copy.open(QIODevice::WriteOnly) || !copy.setPermissions(source.permissions()))
        return;
    QByteArray buffer(qsizetype(kBackupChunk), Qt::Uninitialized);
    for (;;) {
        const qint64 length = source.read(buffer.data(), buffer.size());
        if (length < 0 || (length > 0 && copy.write(buffer.constData(), length) != length)) {
            copy.cancelWriting();
            return;
        }
        if (length == 0)
            break;
    }
    CommitSaveFile(copy);
}

// ---- reading
//
// A record is read whole or its section fails. Reading on after a record cut
// short would take what is left of it for the next record or for the next
// section's marker: a stale record could reach the store, and the failure
// would be blamed on a later section (or, by chance, not noticed at all).

bool ReadMarks(CCryptMemFile& file, CalendarStore& store)
{
    return ReadSection(file, kMarkMarker, kMarkRecordMinimum, [&file, &store] {
        DayMark mark;
        if (!file.ReadWord(mark.Date) || !file.ReadWord(mark.Flags) || !file.ReadString(mark.Note))
            return false;
        store.AppendLoadedMark(mark);
        return true;
    });
}

// Adds the categories in file order; position maps each file position to
// the store index its category got. A record the store refuses (an empty
// name, or one an earlier record already bears) takes the tasks filed under
// it to the category of that name, or to category 0, instead of letting them
// point at whichever category ends up with that number.
bool ReadCategories(CCryptMemFile& file, CalendarStore& store, std::vector<qint32>& position)
{
    position.clear();
    return ReadSection(file, kCategoryMarker, kCategoryRecordMinimum, [&file, &store, &position] {
        CategoryRecord category(QString(), 0, 0, 0);
        if (!file.ReadString(category.Name) || !file.ReadWord(category.Icon) || !file.ReadWord(category.Reserved)
            || !file.ReadWord(category.Color))
            return false;
        int index = store.AddCategory(category);
        if (index < 0)
            index = std::max(store.FindCategory(category.Name), 0);
        position.push_back(index);
        return true;
    });
}

bool ReadTask(CCryptMemFile& file, TaskRecord& task)
{
    return file.ReadWord(task.Id) && file.ReadWord(task.Priority) && file.ReadWord(task.Completed)
           && file.ReadWord(task.Category) && file.ReadWord(task.Icon) && file.ReadWord(task.Date)
           && file.ReadString(task.Title) && file.ReadString(task.Note);
}

bool ReadTasks(CCryptMemFile& file, CalendarStore& store, const std::vector<qint32>& position)
{
    quint32 groups = 0;
    quint32 lastTaskId = 0;
    if (!ReadMarker(file, kTaskMarker) || !file.ReadWord(groups) || !file.ReadWord(lastTaskId)
        || !CountFits(file, groups, kGroupMinimum))
        return false;
    // Before the tasks: the store raises the counter to every Id it keeps.
    LastTaskId::Set(lastTaskId);
    quint32 highestId = 0;
    for (quint32 group = 0; group < groups; ++group) {
        quint32 groupDate = 0;
        quint32 count = 0;
        if (!file.ReadWord(groupDate) || !file.ReadWord(count) || !CountFits(file, count, kTaskRecordMinimum))
            return false;
        for (quint32 n = 0; n < count; ++n) {
            TaskRecord task;
            if (!ReadTask(file, task))
                return false;
            // Positions outside the section, such as -1, file under the first
            // category, as the writer does with categories that are gone.
            task.Category = task.Category >= 0 && size_t(task.Category) < position.size()
                                ? position[size_t(task.Category)]
                                : 0;
            // Filed by its own date, which a sound file gives as the group's.
            const TaskRecord* loaded = store.GetTask(store.AppendLoadedTask(std::move(task)));
            if (loaded)
                highestId = std::max(highestId, loaded->Id);
        }
    }
    // A task without an Id (a damaged file) takes the next one, and a counter
    // near its end wraps on the way: it must still end above every Id kept,
    // or the next save would write a counter below them.
    LastTaskId::RaiseTo(highestId);
    qint32 currentTaskId = -1;
    if (!file.ReadWord(currentTaskId))
        return false;
    store.SetLoadedCurrentTaskId(currentTaskId);
    return true;
}

bool ReadHolidays(CCryptMemFile& file, HolidayList& holidays)
{
    return ReadSection(file, kHolidayMarker, kHolidayRecordMinimum, [&file, &holidays] {
        HolidayRecord holiday;
        if (!file.ReadWord(holiday.MonthDay) || !file.ReadString(holiday.Name))
            return false;
        holidays.Add(holiday);
        return true;
    });
}

// Checks the header and puts the plain or deciphered payload in place: 0, or
// the number of the message saying why not, or -1 for a file too short to
// hold a header (which fails without a text).
int LoadPayload(CCryptMemFile& file, const unsigned char* key, int keyBits)
{
    switch (file.ReadHeader()) {
    case CCryptMemFile::HeaderPlain:
        return file.LoadPlain() ? 0 : kMsgReadFile;
    case CCryptMemFile::HeaderEnciphered: {
        const int result = key ? file.LoadEnciphered(key, keyBits) : file.LoadEnciphered(nullptr, 0);
        switch (result) {
        case CCryptMemFile::CipherDone:
            return 0;
        case CCryptMemFile::CipherFailed:
            return kMsgWrongPassword;
        case CCryptMemFile::CipherRefused:
            return kMsgReadFile;
        default:
            return kMsgDecipher;
        }
    }
    case CCryptMemFile::HeaderBadVersion:
        return kMsgVersion;
    case CCryptMemFile::HeaderShort:
        return -1;
    case CCryptMemFile::HeaderBadMagic:
    default:
        return kMsgNotCalendarFile;
    }
}

} // namespace

bool SaveDataFile(CalendarStore& store, const HolidayList& holidays, const QString& path, bool force,
                  const unsigned char* key, int keyBits, bool backup, QString& error, int* messageNumber)
{
    error.clear();
    if (messageNumber)
        *messageNumber = 0;
    if (!store.Modified() && !force) {
        error = u"No modification. No need to save file.\n"_s;
        return true;
    }
    if (backup && !store.BackupDone())
        TakeBackup(store, path);

    CCryptMemFile file;
    if (!file.Open(path, CCryptMemFile::Write, error)) {
        if (error.isEmpty())
            return Fail(kMsgOpenForWriting, error, messageNumber);
        return false;
    }

    // The file marker goes with the day marks, the closing words with the
    // holidays: each is written right before or after that section.
    std::vector<qint32> renumber;
    if (!file.WriteString(kFileMarker) || !WriteMarks(file, store))
        return Fail(kMsgWriteMarks, error, messageNumber);
    if (!WriteCategories(file, store.Categories(), renumber))
        return Fail(kMsgWriteCategories, error, messageNumber);
    if (!WriteTasks(file, store, renumber))
        return Fail(kMsgWriteTasks, error, messageNumber);
    if (!WriteHolidays(file, holidays) || !file.WriteString(kEndMarker)
        || !file.WriteWord(SavedCategorySelection(store, renumber)) || !file.WriteWord(store.IconFilter()))
        return Fail(kMsgWriteHolidays, error, messageNumber);

    const bool enciphered = keyBits != 0;
    bool flushed = false;
    if (file.WriteHeader(enciphered)) {
        if (!enciphered)
            flushed = file.FlushPlain();
        else if (key)
            flushed = file.FlushEnciphered(key, keyBits) == CCryptMemFile::CipherDone;
    }
    if (!flushed || !file.Commit())
        return Fail(kMsgFlush, error, messageNumber);

    store.SetModified(false);
    store.SetUntitled(false);
    file.Close();
    return true;
}

bool LoadDataFile(CalendarStore& store, HolidayList& holidays, ViewState& view, const QString& path,
                  const unsigned char* key, int keyBits, QString& error, int* messageNumber)
{
    error.clear();
    if (messageNumber)
        *messageNumber = 0;
    CCryptMemFile file;
    if (!file.Open(path, CCryptMemFile::Read, error))
        return false;
    const int payloadFailure = LoadPayload(file, key, keyBits);
    // A file too short to hold a header fails without a text.
    if (payloadFailure < 0)
        return false;
    if (payloadFailure > 0)
        return Fail(payloadFailure, error, messageNumber);

    return LoadDataPayload(file, store, holidays, view, error, messageNumber);
}

bool LoadDataPayload(CCryptMemFile& file, CalendarStore& store, HolidayList& holidays, ViewState& view,
                     QString& error, int* messageNumber)
{
    error.clear();
    if (messageNumber)
        *messageNumber = 0;
    // Only a file that could be read replaces what the user has.
    view.ResetSelection();
    holidays.Clear();
    store.Clear();

    if (!ReadMarker(file, kFileMarker))
        return Fail(kMsgFileMarker, error, messageNumber);
    if (!ReadMarks(file, store))
        return Fail(kMsgReadMarks, error, messageNumber);
    std::vector<qint32> position;
    if (!ReadCategories(file, store, position))
        return Fail(kMsgReadCategories, error, messageNumber);
    if (!ReadTasks(file, store, position)) {
        store.DiscardLoadedTasks();
        return Fail(kMsgReadTasks, error, messageNumber);
    }
    if (!ReadHolidays(file, holidays))
        return Fail(kMsgReadHolidays, error, messageNumber);
    if (!ReadMarker(file, kEndMarker))
        return Fail(kMsgEndMarker, error, messageNumber);
    qint32 categorySelection = 0;
    if (!file.ReadWord(categorySelection))
        return Fail(kMsgCategoryFilter, error, messageNumber);
    quint32 iconFilter = 0;
    if (!file.ReadWord(iconFilter))
        return Fail(kMsgIconFilter, error, messageNumber);
    // Anything after the two filter words is cipher padding.
    store.SetCategorySelection(categorySelection);
    store.SetIconFilter(iconFilter);

    store.SetModified(false);
    store.SetUntitled(false);
    return true;
}
