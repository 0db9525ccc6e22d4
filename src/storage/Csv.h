#pragma once

#include <QString>

class CalendarStore;

// Tasks as comma-separated text: a header line, then one line per task with
// six fields (title, date, completion word, priority word, category name,
// note). Files are UTF-8; the export writes no byte-order mark and ends every
// line with LF, the import takes either form of UTF-8 and any line end.

// Where the import finds each field; both directions use this one layout.
struct CsvColumns
{
    int Count = 6;
    int Title = 0;
    int Date = 1;
    int Completed = 2;
    int Priority = 3;
    int Category = 4;
    int Note = 5;
};

// What an import did. When ErrorText is not 0 nothing was imported and the
// caller shows that text titled with text 195; otherwise Count tasks were
// added (records of another field count or without a priority word are
// passed over without a word).
struct CsvImportResult
{
    int Count = 0;
    int ErrorText = 0;
};

// Writes every task of the store in store order (days ascending, undated
// first; High, Normal, Low), replacing the file at path. The file is written
// in one piece: when something fails (the file cannot be written, a day list
// names a missing task) the result is false and an existing file is kept.
// Dates use the locale's short-date picture with the year in full.
bool ExportCsv(const QString& path, const CalendarStore& store);
// The same with dates written in the given picture (with its year in full).
bool ExportCsv(const QString& path, const CalendarStore& store, const QString& datePicture);

// Appends the tasks of the file at path to the store, making categories by
// name as needed; dates are read with the locale's short-date picture. A
// file that cannot be read gives error text 206, a picture without year,
// month or day text 270, 271 or 272.
CsvImportResult ImportCsv(const CsvColumns& columns, const QString& path, CalendarStore& store);
// The same with dates read with the given picture.
CsvImportResult ImportCsv(const CsvColumns& columns, const QString& path, CalendarStore& store,
                          const QString& datePicture);
// The same on the file's text already in memory (see CsvTokenizer::DecodeText).
CsvImportResult ImportCsvText(const CsvColumns& columns, QString text, CalendarStore& store,
                              const QString& datePicture);
