#pragma once

#include <QString>
#include <QStringList>

// Reads comma-separated records from a text held in memory.
//
// A double quote toggles the inside-quotes state and stays in the record
// text until the record is split. Outside quotes LF, CR or NUL ends a record,
// and CR LF counts as one end. Inside quotes a bare LF is kept as CR LF (so
// notes come back with the line breaks the editor uses), an LF after a CR
// stays as it is, and a lone CR is kept as it stands.
//
// The last record of a text that does not end with a line end is returned
// like any other: files from other programs often lack the final line end.
class CsvTokenizer
{
public:
    explicit CsvTokenizer(QString text);

    // Reads the next record and splits it into fields. False once the end of
    // the text has been reached with no record left.
    bool ReadRecord();

    int FieldCount() const { return int(m_fields.size()); }
    // The field at a position; empty past the last one.
    QString Field(int position) const;

    // The whole file as text: UTF-8 with or without a byte-order mark, bytes
    // that are not UTF-8 read as replacement characters. False when the file
    // cannot be read.
    static bool ReadFileText(const QString& path, QString& text);
    // The text of a file's bytes, decoded as ReadFileText does.
    static QString DecodeText(const QByteArray& bytes);

private:
    // Splits m_record at each comma outside a quoted field.
    void SplitRecord();

    QString m_text;
    qsizetype m_pos = 0;
    QString m_record;
    QStringList m_fields;
};
