#include "storage/Csv.h"

#include "model/CalendarStore.h"
#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "storage/CsvDatePattern.h"
#include "storage/CsvTokenizer.h"
#include "storage/SaveFile.h"

#include <QSaveFile>

#include <iterator>
#include <utility>

namespace {

constexpr int kTextHigh = 107;
constexpr int kTextNormal = 108;
constexpr int kTextLow = 109;
constexpr int kTextCompleted = 116;
constexpr int kTextNotCompleted = 199;
constexpr int kTextUntitledTask = 196;
constexpr int kTextCannotRead = 206;
// Column titles in column order.
constexpr int kHeaderTexts[] = {123, 125, 197, 198, 124, 158};

constexpr QChar kQuote = u'"';
constexpr QChar kSeparator = u',';
constexpr QChar kRecordEnd = u'\n';

// Text is written out in pieces of about this many characters.
constexpr qsizetype kWriteChunk = 64 * 1024;

// Header titles, dates and the completion and priority words: quoted as
// they stand.
void AppendPlain(QString& out, const QString& text)
{
    if (!text.isEmpty())
        out += kQuote + text + kQuote;
}

// Titles, category names and notes: quotes doubled, CR LF line breaks
// written as LF alone.
void AppendEscaped(QString& out, const QString& text)
{
    if (text.isEmpty())
        return;
    out += kQuote;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c == kQuote)
            out += kQuote;
        else if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            continue;
        out += c;
    }
    out += kQuote;
}

// The language's words in the priority, completion and title fields, read
// once for a whole file.
struct FieldWords
{
    QString high = GetText(kTextHigh);
    QString normal = GetText(kTextNormal);
    QString low = GetText(kTextLow);
    QString completed = GetText(kTextCompleted);
    QString notCompleted = GetText(kTextNotCompleted);
    QString untitled = GetText(kTextUntitledTask);

    const QString& PriorityWord(qint32 priority) const
    {
        return priority == kPriorityHigh ? high : priority == kPriorityLow ? low : normal;
    }

    // Priority words are looked for inside the field, Low first.
    bool PriorityFromField(const QString& field, qint32& priority) const
    {
        if (field.contains(low))
            priority = kPriorityLow;
        else if (field.contains(normal))
            priority = kPriorityNormal;
        else if (field.contains(high))
            priority = kPriorityHigh;
        else
            return false;
        return true;
    }
};

class CsvWriter
{
public:
    explicit CsvWriter(const QString& path)
        : m_file(path)
    {
        m_ok = m_file.open(QIODevice::WriteOnly);
    }

    QString& Text() { return m_text; }

    // Writes what has gathered once it is large enough, or always with force.
    void Flush(bool force)
    {
        if (!m_ok || (!force && m_text.size() < kWriteChunk))
            return;
        const QByteArray bytes = m_text.toUtf8();
        m_ok = m_file.write(bytes) == bytes.size();
        m_text.resize(0);
    }

    bool Commit()
    {
        Flush(true);
        if (!m_ok) {
            m_file.cancelWriting();
            return false;
        }
        return CommitSaveFile(m_file);
    }

    bool Ok() const { return m_ok; }

    void Cancel() { m_file.cancelWriting(); }

private:
    QSaveFile m_file;
    QString m_text;
    bool m_ok = false;
};

void AppendTask(QString& out, const CalendarStore& store, const TaskRecord& task, const QString& datePicture,
                const FieldWords& words)
{
    AppendEscaped(out, task.Title);
    out += kSeparator;
    if (task.Date != kNoDate)
        AppendPlain(out, FormatDate(task.Date, datePicture, false));
    out += kSeparator;
    AppendPlain(out, task.Completed != 0 ? words.completed : words.notCompleted);
    out += kSeparator;
    AppendPlain(out, words.PriorityWord(task.Priority));
    out += kSeparator;
    // A task filed under a category that is gone goes out without one and
    // comes back in the default category.
    const CategoryRecord* category = store.Categories().Get(task.Category);
    AppendEscaped(out, category ? category->Name : QString());
    out += kSeparator;
    AppendEscaped(out, task.Note);
    out += kRecordEnd;
}

} // namespace

bool ExportCsv(const QString& path, const CalendarStore& store)
{
    return ExportCsv(path, store, DefaultDateFormat());
}

bool ExportCsv(const QString& path, const CalendarStore& store, const QString& datePicture)
{
    CsvWriter writer(path);
    if (!writer.Ok())
        return false;

    QString& out = writer.Text();
    for (const int text : kHeaderTexts) {
        AppendPlain(out, GetText(text));
        out += text == kHeaderTexts[std::size(kHeaderTexts) - 1] ? kRecordEnd : kSeparator;
    }

    const QString picture = CsvDatePattern::FullYearPicture(datePicture);
    const FieldWords words;
    for (int position = 0; position < store.DayListCount(); ++position) {
        const DayList& day = store.DayListAt(position);
        for (const PriorityClass priorityClass : kPriorityClasses) {
            for (const qint32 index : day.ListOf(priorityClass)) {
                const TaskRecord* task = store.GetTask(index);
                if (!task) {
                    writer.Cancel();
                    return false;
                }
                AppendTask(out, store, *task, picture, words);
                writer.Flush(false);
            }
        }
    }
    return writer.Commit();
}

CsvImportResult ImportCsv(const CsvColumns& columns, const QString& path, CalendarStore& store)
{
    return ImportCsv(columns, path, store, DefaultDateFormat());
}

CsvImportResult ImportCsv(const CsvColumns& columns, const QString& path, CalendarStore& store,
                          const QString& datePicture)
{
    QString text;
    if (!CsvTokenizer::ReadFileText(path, text)) {
        CsvImportResult result;
        result.ErrorText = kTextCannotRead;
        return result;
    }
    return ImportCsvText(columns, std::move(text), store, datePicture);
}

CsvImportResult ImportCsvText(const CsvColumns& columns, QString text, CalendarStore& store,
                              const QString& datePicture)
{
    CsvImportResult result;
    CsvDatePattern datePattern;
    if (!datePattern.Build(datePicture, result.ErrorText))
        return result;

    CsvTokenizer tokenizer(std::move(text));
    tokenizer.ReadRecord(); // the header
    const FieldWords words;
    while (tokenizer.ReadRecord()) {
        if (tokenizer.FieldCount() != columns.Count)
            continue;
        TaskRecord task;
        if (!words.PriorityFromField(tokenizer.Field(columns.Priority), task.Priority))
            continue;
        task.Title = tokenizer.Field(columns.Title);
        if (task.Title.isEmpty())
            task.Title = words.untitled;
        task.Date = datePattern.Parse(tokenizer.Field(columns.Date));
        task.Completed = tokenizer.Field(columns.Completed) == words.completed ? 1 : 0;
        task.Note = tokenizer.Field(columns.Note);
        if (store.AddTaskWithCategoryName(task, tokenizer.Field(columns.Category), true) >= 0)
            ++result.Count;
    }
    return result;
}
