#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the hardware and the framework cost at the least, measured in the
// same run as the program's own work, so that a figure can be judged on any
// machine.

// Loading's floor: reads the plain data file in one piece and makes a text
// object of every string in it, walking the sections without building a
// calendar. The texts are kept in texts. False when the file is not a plain
// data file of the known layout.
bool ReadDataFileTexts(const QString& path, QStringList& texts);

// Saving's floor: writes bytes to path the way the program saves (a save
// file committed in one step, synced to disk). False when that fails.
bool WriteBytesAsSaved(const QString& path, const QByteArray& bytes);

// Reading's floor for text files: the whole file decoded from UTF-8.
bool ReadUtf8Text(const QString& path, QString& text);
