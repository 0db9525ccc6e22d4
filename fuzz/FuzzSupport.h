#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

class CalendarStore;

// What every fuzz target sets up once per process, from LLVMFuzzerInitialize:
// the tests' fixed environment (locale en_US, UTC, a private settings and data
// folder, on tmpfs when there is one), a Qt core application (settings and
// standard paths need it), the language module and a fixed today.
void InitFuzzEnvironment(int* argc, char*** argv);

// A private folder for the target's own files, made on first use.
QString FuzzWorkDir();

inline QByteArray BytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Ends the run as a finding (abort, so libFuzzer keeps the input) with the
// text on stderr.
[[noreturn]] void FuzzFail(const char* what, const QString& detail = QString());

// A finding when the store breaks a rule of its day index.
void CheckStore(const CalendarStore& store, const char* what);

#define FUZZ_CHECK(condition)                                                                           \
    do {                                                                                                \
        if (!(condition))                                                                               \
            FuzzFail("check failed: " #condition);                                                      \
    } while (false)
