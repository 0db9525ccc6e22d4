#pragma once

#include "model/TextId.h"

#include <QLibrary>
#include <QString>

#include <functional>

struct OrbelinText;

// The numbered user-visible texts of the program. They live outside the
// program in the resource-only module "res409" (language id 1033), loaded by
// file name from the program's folder or the library search path.
class LanguageModule
{
public:
    using MissingHandler = std::function<void(const QString& message)>;

    static constexpr int kLanguageId = 1033;
    static constexpr int kTextBufferSize = 128; // LoadText keeps at most 127 characters

    // The one instance of the process.
    static LanguageModule& Instance();

    LanguageModule();
    ~LanguageModule();
    LanguageModule(const LanguageModule&) = delete;
    LanguageModule& operator=(const LanguageModule&) = delete;

    // Loads "res409" (with this platform's module suffix). On failure reports
    // "Cannot find language satellite DLL: %s.\n" with the file name through
    // the missing-module handler and stays without a module.
    bool Load();
    // Where Load looks for the module besides the given folder.
    enum class LookIn { FolderThenSearchPath, FolderOnly };
    // Loads the module from an explicit folder first, then (unless told
    // otherwise) from the library search path by its base name.
    bool Load(const QString& folder, LookIn lookIn = LookIn::FolderThenSearchPath);
    // Forgets the module's texts (the module itself stays mapped).
    void Unload();
    bool IsLoaded() const;

    // The module's file name, e.g. "res409.so".
    static QString ModuleFileName();

    // Copies string id into the one shared 128-unit buffer (at most 127
    // characters) and returns it; nullptr without a module or such a string.
    // The next call overwrites the buffer.
    const char16_t* LoadText(int id);
    // String id whole, or the empty text.
    QString GetText(int id) const;

    // Where the missing-module report goes; the desktop program shows a
    // message box, the command-line tool prints it.
    static void SetMissingHandler(MissingHandler handler);

private:
    const OrbelinText* Find(int id) const;

    QLibrary m_library;
    const OrbelinText* m_table = nullptr;
    int m_count = 0;
    char16_t m_buffer[kTextBufferSize] = {};
};

// Shorthand for LanguageModule::Instance().GetText(id).
QString GetText(int id);
// The text of a named id; the program asks by name.
inline QString GetText(TextId id)
{
    return GetText(TextNumber(id));
}
