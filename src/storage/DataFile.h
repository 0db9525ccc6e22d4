#pragma once

#include <QString>

class CalendarStore;
class CCryptMemFile;
class HolidayList;
class ViewState;

// The data file: the whole calendar in one binary file, written in one piece
// (through a save file, so a failed save leaves the old file whole) and
// enciphered when a password key is given (keyBits 128, 192 or 256; 0 = plain).
//
// Both report failure as false with a text in error (a numbered message of
// the language module, or the platform's file-error text) and, when asked,
// the message number (200..218; 0 for the platform's own text).

// Saves store and holidays to path. Without force an unmodified store is not
// written ("No modification. No need to save file.\n", true). With backup on,
// the first save of a document copies the old file to path + "BAK".
bool SaveDataFile(CalendarStore& store, const HolidayList& holidays, const QString& path, bool force,
                  const unsigned char* key, int keyBits, bool backup, QString& error,
                  int* messageNumber = nullptr);

// Replaces store and holidays with the file's content and resets the view's
// selection. On failure the store may be left partly filled: the caller
// clears it. A file too short to hold its header fails with no text and
// number 0; a file whose header or password is refused leaves store,
// holidays and view as they were.
bool LoadDataFile(CalendarStore& store, HolidayList& holidays, ViewState& view, const QString& path,
                  const unsigned char* key, int keyBits, QString& error, int* messageNumber = nullptr);

// What LoadDataFile does once the header is checked: replaces store, holidays
// and the view's selection with the sections of the payload in file (plain,
// or deciphered with its padding), reading from its cursor. For payloads that
// did not come from a file as such (tests, fuzzing); errors as LoadDataFile.
bool LoadDataPayload(CCryptMemFile& file, CalendarStore& store, HolidayList& holidays, ViewState& view,
                     QString& error, int* messageNumber = nullptr);
