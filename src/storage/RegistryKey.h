#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class QSettings;

// One key of the program's settings store, addressed the way the registry
// addresses it: a predefined root and a subkey path with "\" between its parts.
//
// Each root stands for a QSettings store in the native format:
//   HKEY_CURRENT_USER  "Software\<organisation>\<application>\<group>..." is
//                      QSettings(<organisation>, <application>) and the group
//                      path below it ("Settings\Font" becomes "Settings/Font").
//                      Shorter paths, or paths not below "Software", are refused.
//   HKEY_CLASSES_ROOT  a store of its own, QSettings("Corvane Software",
//                      "Orbelin Planner Classes"); the whole path is the group.
//   HKEY_LOCAL_MACHINE, HKEY_USERS
//                      accepted as roots, but a desktop user has no store for
//                      them: every operation fails with RootUnavailable.
//
// A key exists when its group holds at least one value or subkey (a store
// cannot hold an empty group, so a key created without values is not kept).
// The unnamed (default) value of a key is the value "Default".
//
// Numbers are written as a 4-byte little-endian byte array; reading also
// accepts a plain integer (as a number or as its decimal or 0x-hex text).
// Texts hold at most kMaxTextLength characters in both directions.
class RegistryKey
{
public:
    enum Root : quint32 {
        HKEY_CLASSES_ROOT = 0x80000000u,
        HKEY_CURRENT_USER = 0x80000001u,
        HKEY_LOCAL_MACHINE = 0x80000002u,
        HKEY_USERS = 0x80000003u,
    };

    enum Access : quint32 {
        KeyRead = 0x1,
        KeyWrite = 0x2,
        KeyAllAccess = KeyRead | KeyWrite,
    };

    enum Error : int {
        NoError = 0,
        InvalidRoot,     // not one of the four predefined roots
        RootUnavailable, // a predefined root with no store on this platform
        InvalidPath,     // a subkey path or value name the store cannot address
        KeyNotFound,
        ValueNotFound,
        InvalidValue,    // a value of a type or size the read does not accept
        TextTooLong,
        AccessDenied,    // the access mask forbids it, or the store is read-only
        WriteFailed,     // the store could not be written to disk
    };

    static constexpr int kMaxTextLength = 254;

    explicit RegistryKey(Root root, const QString& subKey = QString(), quint32 access = KeyAllAccess);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    Root RootKey() const { return m_root; }
    const QString& SubKey() const { return m_subKey; }
    // Closes the key when it is open.
    void SetSubKey(const QString& subKey);
    quint32 AccessMask() const { return m_access; }
    void SetAccessMask(quint32 access) { m_access = access; }
    Error LastError() const { return m_lastError; }
    // While the key is held open, writes collect in memory and reach the disk
    // at Flush() or Close(); a write on a closed key always reaches the disk.
    bool NoFlush() const { return m_noFlush; }
    void SetNoFlush(bool noFlush) { m_noFlush = noFlush; }

    // Opens the current subkey; fails with KeyNotFound when it does not exist,
    // unless create is set (which needs write access and a writable store).
    bool Open(bool create = false);
    bool IsOpen() const { return m_store != nullptr; }
    // Writes what is pending and releases the store.
    void Close();
    // Writes what is pending now; false when the store cannot be written.
    bool Flush();
    bool Exists();

    // Reads on a closed key open and close it around the read. A missing key
    // or value, or a value that is not a 4-byte number, gives the default.
    quint32 ReadNumber(const QString& name, quint32 defaultValue);
    // A missing value, a value that is not a single text, or a text longer
    // than kMaxTextLength gives the default.
    QString ReadText(const QString& name, const QString& defaultValue);

    bool WriteNumber(const QString& name, quint32 value);
    // A text of kMaxTextLength + 1 characters or more is not written.
    bool WriteText(const QString& name, const QString& text);

private:
    // Points m_store at the subkey's group; false (with the error set) when the
    // root, path or access mask do not allow it.
    bool OpenStore(bool create, quint32 needed);
    // Checks access and name and opens the key unless it is open already
    // (wasOpen); the caller closes it again when it was not.
    bool BeginValue(const QString& name, Access needed, QString& storeKey, bool& wasOpen);
    bool ReadRaw(const QString& name, QVariant& value);
    bool WriteRaw(const QString& name, const QVariant& value);
    bool Fail(Error error);

    Root m_root;
    QString m_subKey;
    quint32 m_access;
    Error m_lastError = NoError;
    bool m_noFlush = false;
    std::unique_ptr<QSettings> m_store;
};
