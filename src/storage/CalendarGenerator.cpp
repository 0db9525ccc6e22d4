#include "storage/CalendarGenerator.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/DayMark.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "storage/Csv.h"
#include "storage/DataFile.h"
#include "storage/DeviceTasks.h"
#include "storage/PasswordKey.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTextExportFailed = 241;
constexpr int kTextTasksExported = 242;

// Task titles begin with a verb; the other words come from the mixed pool.
// Every entry is one word, so a title's words can be counted by its spaces.
const QString kVerbs[] = {
    u"Call"_s,    u"Email"_s,    u"Buy"_s,     u"Book"_s,     u"Review"_s,   u"Prepare"_s,  u"Send"_s,
    u"Pay"_s,     u"Fix"_s,      u"Clean"_s,   u"Plan"_s,     u"Schedule"_s, u"Update"_s,   u"Check"_s,
    u"Order"_s,   u"Fetch"_s,  u"Renew"_s,   u"Write"_s,    u"Read"_s,     u"Finish"_s,   u"Submit"_s,
    u"Return"_s,  u"Cancel"_s,   u"Confirm"_s, u"Organise"_s, u"Print"_s,    u"Sign"_s,     u"Visit"_s,
    u"Meet"_s,    u"Bring"_s,    u"Ask"_s,     u"Discuss"_s,  u"Draft"_s,    u"File"_s,     u"Defrost"_s,
    u"Install"_s, u"Test"_s,     u"Repair"_s,  u"Water"_s,    u"Wash"_s,     u"Collect"_s,  u"Move"_s,
    u"Sort"_s,    u"Archive"_s,  u"Invite"_s,  u"Thank"_s,    u"Remind"_s,   u"Measure"_s,
};

const QString kWords[] = {
    u"the"_s,        u"a"_s,           u"new"_s,         u"old"_s,        u"monthly"_s,     u"annual"_s,
    u"report"_s,     u"invoice"_s,     u"budget"_s,      u"slides"_s,     u"contract"_s,    u"tickets"_s,
    u"groceries"_s,  u"car"_s,         u"insurance"_s,   u"garden"_s,     u"kitchen"_s,     u"taxes"_s,
    u"presentation"_s, u"meeting"_s,   u"agenda"_s,      u"notes"_s,      u"proposal"_s,    u"tyres"_s,
    u"bank"_s,       u"statement"_s,   u"library"_s,     u"books"_s,      u"printer"_s,     u"laptop"_s,
    u"backup"_s,     u"server"_s,      u"website"_s,     u"newsletter"_s, u"flights"_s,     u"hotel"_s,
    u"for"_s,        u"with"_s,        u"to"_s,          u"from"_s,       u"about"_s,       u"before"_s,
    u"after"_s,      u"Friday"_s,      u"Monday"_s,      u"next"_s,       u"week"_s,        u"team"_s,
    u"client"_s,     u"landlord"_s,    u"doctor"_s,      u"school"_s,     u"parents"_s,     u"Anna"_s,
    u"Ben"_s,        u"Carla"_s,       u"David"_s,       u"Emma"_s,       u"Farid"_s,       u"Grace"_s,
    u"Hiro"_s,       u"Ines"_s,        u"Jonas"_s,       u"Q3"_s,         u"Q4"_s,          u"v2"_s,
    u"#214"_s,       u"2024"_s,        u"draft"_s,       u"final"_s,      u"review"_s,      u"birthday"_s,
    u"party"_s,      u"dinner"_s,      u"lunch"_s,       u"gym"_s,        u"membership"_s,  u"subscription"_s,
    u"heating"_s,    u"boiler"_s,      u"window"_s,      u"roof"_s,       u"bike"_s,        u"service"_s,
    u"vet"_s,        u"dog"_s,         u"cat"_s,         u"plants"_s,     u"photos"_s,      u"album"_s,
    u"minutes"_s,    u"quarterly"_s,   u"numbers"_s,     u"forecast"_s,   u"offer"_s,       u"quote"_s,
    u"delivery"_s,   u"parcel"_s,      u"post"_s,        u"office"_s,     u"keys"_s,        u"spare"_s,
};

// Words with letters outside ASCII, taken now and then.
const QString kAccentedWords[] = {
    u"Müller"_s, u"café"_s,  u"Zoë"_s,    u"Šárka"_s,  u"résumé"_s, u"naïve"_s,
    u"Bücher"_s, u"Łukasz"_s, u"Ørsted"_s, u"crème"_s,  u"Göteborg"_s, u"Málaga"_s,
};

const QString kEmoji[] = {u"🎉"_s, u"📞"_s, u"✈️"_s, u"🎂"_s};

// Words of notes: sentences of no grammar, but the letters and lengths of real notes.
const QString kNoteWords[] = {
    u"remember"_s, u"to"_s,       u"bring"_s,     u"the"_s,      u"papers"_s,   u"and"_s,       u"ask"_s,
    u"about"_s,    u"price"_s,    u"call"_s,      u"back"_s,     u"if"_s,       u"no"_s,        u"answer"_s,
    u"by"_s,       u"Thursday"_s, u"room"_s,      u"floor"_s,    u"code"_s,     u"reference"_s, u"number"_s,
    u"on"_s,       u"letter"_s,   u"check"_s,     u"whether"_s,  u"it"_s,       u"still"_s,     u"works"_s,
    u"needs"_s,    u"signature"_s, u"from"_s,     u"both"_s,     u"of"_s,       u"us"_s,        u"see"_s,
    u"email"_s,    u"thread"_s,   u"attached"_s,  u"list"_s,     u"with"_s,     u"sizes"_s,     u"colours"_s,
    u"budget"_s,   u"is"_s,       u"tight"_s,     u"this"_s,     u"month"_s,    u"maybe"_s,     u"later"_s,
    u"https://example.org/orders/4711"_s, u"+44 20 7946 0958"_s, u"10:30"_s, u"€45"_s, u"approx."_s,
};

struct GeneratedCategory
{
    const char16_t* name;
    quint32 icon;
    quint32 color;
    int weight;
};

const GeneratedCategory kCategories[CalendarGenerator::kCategoryCount] = {
    {u"Unfiled", 0, 0x000000, 10},  {u"Personal", 1, 0x8080FF, 25}, {u"Business", 2, 0xFF8080, 20},
    {u"Home", 5, 0x40A040, 12},     {u"Errands", 7, 0x2090E0, 10},  {u"Health", 21, 0x6040C0, 8},
    {u"Finance", 13, 0x008080, 8},  {u"Travel", 12, 0xC07000, 7},
};

struct GeneratedHoliday
{
    int month;
    int day;
    const char16_t* name;
};

const GeneratedHoliday kHolidays[CalendarGenerator::kHolidayCount] = {
    {1, 1, u"New Year's Day"},       {1, 6, u"Epiphany"},             {1, 20, u"Anna's birthday"},
    {2, 2, u"Groundhog Day"},        {2, 14, u"Valentine's Day"},     {2, 29, u"Leap day"},
    {3, 8, u"Women's Day"},          {3, 17, u"St Patrick's Day"},    {3, 20, u"Spring equinox"},
    {4, 1, u"April Fools' Day"},     {4, 22, u"Earth Day"},           {4, 30, u"Ben's birthday"},
    {5, 1, u"Labour Day"},           {5, 9, u"Europe Day"},           {5, 27, u"Wedding anniversary"},
    {6, 5, u"Environment Day"},      {6, 21, u"Midsummer"},           {6, 21, u"Carla's birthday"},
    {7, 1, u"Canada Day"},           {7, 4, u"Independence Day"},     {7, 14, u"Bastille Day"},
    {8, 1, u"Swiss National Day"},   {8, 15, u"Assumption"},          {8, 30, u"David's birthday"},
    {9, 1, u"School starts"},        {9, 21, u"Peace Day"},           {9, 23, u"Autumn equinox"},
    {10, 3, u"German Unity Day"},    {10, 12, u"Emma's name day"},    {10, 31, u"Halloween"},
    {11, 1, u"All Saints' Day"},     {11, 11, u"Armistice Day"},      {11, 28, u"Mum's birthday"},
    {12, 6, u"St Nicholas"},         {12, 21, u"Winter solstice"},    {12, 24, u"Christmas Eve"},
    {12, 25, u"Christmas Day"},      {12, 26, u"Boxing Day"},         {12, 31, u"New Year's Eve"},
    {12, 31, u"Sylvester party"},
};

template <typename T, size_t N>
constexpr int CountOf(const T (&)[N])
{
    return int(N);
}

} // namespace

PackedDate CalendarGenerator::FirstDay()
{
    return AddDays(kToday, -(kSpanDays / 2));
}

PackedDate CalendarGenerator::LastDay()
{
    return AddDays(FirstDay(), kSpanDays - 1);
}

QString CalendarGenerator::RareWord()
{
    return u"passport"_s;
}

QString CalendarGenerator::AbsentWord()
{
    return u"zeppelin"_s;
}

CalendarGenerator::CalendarGenerator(quint32 seed)
    : m_random(seed)
{
}

quint32 CalendarGenerator::Below(quint32 bound)
{
    if (bound < 2)
        return 0;
    // Draws past the last whole multiple of bound are thrown back, so every
    // remainder is equally likely.
    constexpr quint64 kRange = quint64(std::numeric_limits<quint32>::max()) + 1;
    const quint64 limit = kRange - kRange % bound;
    for (;;) {
        const quint64 draw = quint64(quint32(m_random()));
        if (draw < limit)
            return quint32(draw % bound);
    }
}

bool CalendarGenerator::Chance(int perMille)
{
    return int(Below(1000)) < perMille;
}

QString CalendarGenerator::Word(const QString* words, int count)
{
    return words[Below(quint32(count))];
}

QString CalendarGenerator::Title()
{
    const int length = 3 + int(Below(6)); // 3 .. 8 words
    // One title in a hundred carries the rare word, never as its first word.
    const int rareAt = Chance(10) ? 1 + int(Below(quint32(length - 1))) : -1;
    // A few end in an emoji in place of their last word.
    const int emojiAt = Chance(3) && rareAt != length - 1 ? length - 1 : -1;
    QString title = Word(kVerbs, CountOf(kVerbs));
    for (int n = 1; n < length; ++n) {
        title += u' ';
        if (n == rareAt)
            title += RareWord();
        else if (n == emojiAt)
            title += Word(kEmoji, CountOf(kEmoji));
        else if (Chance(30))
            title += Word(kAccentedWords, CountOf(kAccentedWords));
        else
            title += Word(kWords, CountOf(kWords));
    }
    return title;
}

QString CalendarGenerator::Line(int words)
{
    QString line = Word(kNoteWords, CountOf(kNoteWords));
    line[0] = line[0].toUpper();
    for (int n = 1; n < words; ++n)
        line += u' ' + Word(kNoteWords, CountOf(kNoteWords));
    return line;
}

QString CalendarGenerator::Note()
{
    if (!Chance(300))
        return QString();
    const int lines = 1 + int(Below(3));
    QString note;
    for (int n = 0; n < lines; ++n) {
        if (n > 0)
            note += u"\r\n"_s;
        note += Line(4 + int(Below(9)));
    }
    return note;
}

PackedDate CalendarGenerator::TaskDate()
{
    if (Chance(100))
        return kNoDate;
    for (;;) {
        const PackedDate date = AddDays(FirstDay(), int(Below(kSpanDays)));
        const int weekday = DayOfWeek(date);
        // Fewer tasks fall on weekends.
        if ((weekday != Saturday && weekday != Sunday) || Chance(400))
            return date;
    }
}

qint32 CalendarGenerator::Priority()
{
    const int draw = int(Below(100));
    return draw < 15 ? kPriorityHigh : draw < 80 ? kPriorityNormal : kPriorityLow;
}

qint32 CalendarGenerator::Category()
{
    int total = 0;
    for (const GeneratedCategory& category : kCategories)
        total += category.weight;
    int draw = int(Below(quint32(total)));
    for (int index = 0; index < kCategoryCount; ++index) {
        draw -= kCategories[index].weight;
        if (draw < 0)
            return index;
    }
    return 0;
}

// Most past tasks are done, few future ones; overall about 40 %.
quint32 CalendarGenerator::Completed(PackedDate date)
{
    int perMille = 300;
    if (date != kNoDate)
        perMille = date < kToday ? 750 : 80;
    return Chance(perMille) ? 1 : 0;
}

void CalendarGenerator::AddCategories(CalendarStore& store)
{
    for (const GeneratedCategory& category : kCategories)
        store.AddCategory(CategoryRecord(QString::fromUtf16(category.name), category.icon, 0, category.color));
}

void CalendarGenerator::AddDayMarks(CalendarStore& store)
{
    int added = 0;
    while (added < kDayMarkCount) {
        DayMark mark;
        mark.Date = AddDays(FirstDay(), int(Below(kSpanDays)));
        DayMark existing;
        if (store.GetDayMark(mark.Date, existing))
            continue;
        const int draw = int(Below(100));
        mark.Flags = draw < 40 ? kMarkFlight : draw < 75 ? kMarkHoliday : draw < 80 ? kMarkThird : 0;
        if (Chance(100))
            mark.Flags |= kMarkHoliday;
        if (mark.Flags == 0 || Chance(400))
            mark.Note = Line(3 + int(Below(10)));
        if (store.SetDayMark(mark))
            ++added;
    }
}

void CalendarGenerator::AddHolidays(HolidayList& holidays)
{
    for (const GeneratedHoliday& holiday : kHolidays)
        holidays.Add(HolidayRecord{MonthDayOf(MakeDate(2024, holiday.month, holiday.day)),
                                   QString::fromUtf16(holiday.name)});
}

void CalendarGenerator::Fill(int taskCount, CalendarStore& store, HolidayList& holidays)
{
    store.Clear();
    holidays.Clear();
    AddCategories(store);
    AddDayMarks(store);
    AddHolidays(holidays);

    for (int n = 0; n < taskCount; ++n) {
        TaskRecord task;
        task.Title = Title();
        task.Note = Note();
        task.Date = TaskDate();
        task.Priority = Priority();
        task.Category = Category();
        task.Completed = Completed(task.Date);
        task.Icon = Chance(150) ? 1 + Below(kTaskIconLimit) : 0;
        task.Id = quint32(n + 1);
        store.AddTask(std::move(task), false);
    }
    LastTaskId::Set(quint32(std::max(taskCount, 0)));
    if (taskCount > 0)
        store.SetCurrent(int(Below(quint32(taskCount))));
    store.SetModified(true);
    store.SetUntitled(true);
}

CalendarOutput CalendarOutputFor(const QString& path)
{
    if (path.endsWith(u".vrx"_s, Qt::CaseInsensitive))
        return CalendarOutput::DataFile;
    if (path.endsWith(u".csv"_s, Qt::CaseInsensitive))
        return CalendarOutput::Csv;
    return CalendarOutput::TaskFolder;
}

bool WriteCalendarDataFile(CalendarStore& store, const HolidayList& holidays, const QString& path,
                           const PasswordKey& key, QString& error)
{
    return SaveDataFile(store, holidays, path, true, key.KeyBytes(), key.KeyBits(), false, error);
}

bool WriteCalendarCsv(const CalendarStore& store, const QString& path, QString& error)
{
    error.clear();
    if (ExportCsv(path, store))
        return true;
    error = GetText(kTextExportFailed);
    return false;
}

bool WriteCalendarTaskFolder(const CalendarStore& store, const QString& folder, QString& error)
{
    error.clear();
    int live = 0;
    for (int index = 0; index < store.TaskCount(); ++index)
        live += store.IsLive(index) ? 1 : 0;
    // Undated tasks go out due today: the calendar's today, not the machine's.
    const bool wasFixed = Clock::IsFixed();
    const PackedDate before = wasFixed ? Clock::Today() : kNoDate;
    Clock::SetToday(CalendarGenerator::kToday);
    const int written = ExportDeviceTasks(store, folder);
    Clock::SetToday(before);
    if (written == live)
        return true;
    error = GetText(kTextTasksExported).arg(written);
    return false;
}

bool GenerateCalendar(int taskCount, quint32 seed, const QString& path, const PasswordKey& key,
                      QString& error)
{
    CalendarStore store;
    HolidayList holidays;
    CalendarGenerator(seed).Fill(taskCount, store, holidays);
    switch (CalendarOutputFor(path)) {
    case CalendarOutput::DataFile:
        return WriteCalendarDataFile(store, holidays, path, key, error);
    case CalendarOutput::Csv:
        return WriteCalendarCsv(store, path, error);
    case CalendarOutput::TaskFolder:
    default:
        return WriteCalendarTaskFolder(store, path, error);
    }
}
