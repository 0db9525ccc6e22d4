#include "storage/RegistryKey.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <QtEndian>

#include <limits>
#include <optional>

namespace {

struct StoreAddress
{
    QString organisation;
    QString application;
    QString group;
};

RegistryKey::Error Locate(RegistryKey::Root root, const QString& subKey, StoreAddress& address)
{
    const QStringList parts = subKey.split(u'\\', Qt::SkipEmptyParts);
    // The store separates groups with "/", so a key name holding one cannot be addressed.
    for (const QString& part : parts) {
        if (part.contains(u'/'))
            return RegistryKey::InvalidPath;
    }
    switch (root) {
    case RegistryKey::HKEY_CURRENT_USER:
        if (parts.size() < 3 || parts.at(0).compare(u"Software", Qt::CaseInsensitive) != 0)
            return RegistryKey::InvalidPath;
        address = {parts.at(1), parts.at(2), parts.mid(3).join(u'/')};
        return RegistryKey::NoError;
    case RegistryKey::HKEY_CLASSES_ROOT:
        address = {QStringLiteral("Corvane Software"), QStringLiteral("Orbelin Planner Classes"),
                   parts.join(u'/')};
        return RegistryKey::NoError;
    case RegistryKey::HKEY_LOCAL_MACHINE:
    case RegistryKey::HKEY_USERS:
        return RegistryKey::RootUnavailable;
    }
    return RegistryKey::InvalidRoot;
}

// The store's key for a value name; empty when the name cannot be stored.
QString StoreKeyOf(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("Default");
    if (name.contains(u'/') || name.contains(u'\\'))
        return QString();
    return name;
}

bool GroupHasContent(QSettings& store)
{
    return !store.childKeys().isEmpty() || !store.childGroups().isEmpty();
}

std::optional<quint32> FromWideInteger(qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > qint64(std::numeric_limits<quint32>::max()))
        return std::nullopt;
    return quint32(value);
}

std::optional<quint32> ParseNumberText(const QString& raw)
{
    const QString text = raw.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        const quint64 hex = text.mid(2).toULongLong(&ok, 16);
        ok = ok && hex <= std::numeric_limits<quint32>::max();
        value = qint64(hex);
    } else {
        value = text.toLongLong(&ok, 10);
    }
    if (!ok)
        return std::nullopt;
    return FromWideInteger(value);
}

// The 4-byte binary form, an integer of any width that fits 32 bits, or the
// text of one; every other value is refused.
std::optional<quint32> DecodeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.size() != 4)
            return std::nullopt;
        return qFromLittleEndian<quint32>(bytes.constData());
    }
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return FromWideInteger(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar: {
        const quint64 wide = value.toULongLong();
        if (wide > std::numeric_limits<quint32>::max())
            return std::nullopt;
        return quint32(wide);
    }
    case QMetaType::QString:
        return ParseNumberText(value.toString());
    default:
        return std::nullopt;
    }
}

} // namespace

RegistryKey::RegistryKey(Root root, const QString& subKey, quint32 access)
    : m_root(root)
    , m_subKey(subKey)
    , m_access(access)
{
}

RegistryKey::~RegistryKey() = default;

void RegistryKey::SetSubKey(const QString& subKey)
{
    Close();
    m_subKey = subKey;
}

bool RegistryKey::Fail(Error error)
{
    m_lastError = error;
    return false;
}

bool RegistryKey::OpenStore(bool create, quint32 needed)
{
    if ((m_access & needed) != needed)
        return Fail(AccessDenied);
    StoreAddress address;
    const Error located = Locate(m_root, m_subKey, address);
    if (located != NoError)
        return Fail(located);

    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             address.organisation, address.application);
    if (!address.group.isEmpty())
        store->beginGroup(address.group);
    if (create) {
        if (!store->isWritable())
            return Fail(AccessDenied);
    } else if (!GroupHasContent(*store)) {
        return Fail(KeyNotFound);
    }
    m_store = std::move(store);
    m_lastError = NoError;
    return true;
}

bool RegistryKey::Open(bool create)
{
    Close();
    return OpenStore(create, create ? quint32(KeyWrite) : 0u);
}

void RegistryKey::Close()
{
    // Destroying the handle writes whatever is still pending.
    m_store.reset();
}

bool RegistryKey::Flush()
{
    if (!m_store)
        return true;
    m_store->sync();
    // A format error only says that unreadable lines were skipped on loading;
    // the store is still written.
    if (m_store->status() == QSettings::AccessError)
        return Fail(WriteFailed);
    return true;
}

bool RegistryKey::Exists()
{
    if (m_store)
        return GroupHasContent(*m_store);
    if (!Open(false))
        return false;
    Close();
    return true;
}

bool RegistryKey::BeginValue(const QString& name, Access needed, QString& storeKey, bool& wasOpen)
{
    if (!(m_access & needed))
        return Fail(AccessDenied);
    storeKey = StoreKeyOf(name);
    if (storeKey.isEmpty())
        return Fail(InvalidPath);
    wasOpen = IsOpen();
    return wasOpen || Open(needed == KeyWrite);
}

bool RegistryKey::ReadRaw(const QString& name, QVariant& value)
{
    QString storeKey;
    bool wasOpen = false;
    if (!BeginValue(name, KeyRead, storeKey, wasOpen))
        return false;
    const bool found = m_store->contains(storeKey);
    if (found)
        value = m_store->value(storeKey);
    if (!wasOpen)
        Close();
    if (!found)
        return Fail(ValueNotFound);
    m_lastError = NoError;
    return true;
}

bool RegistryKey::WriteRaw(const QString& name, const QVariant& value)
{
    QString storeKey;
    bool wasOpen = false;
    if (!BeginValue(name, KeyWrite, storeKey, wasOpen))
        return false;
    m_store->setValue(storeKey, value);
    // A key opened only for this write is closed again, which writes it
    // anyway, so the no-flush flag cannot save anything there.
    const bool written = (m_noFlush && wasOpen) ? true : Flush();
    if (!wasOpen)
        Close();
    if (written)
        m_lastError = NoError;
    return written;
}

quint32 RegistryKey::ReadNumber(const QString& name, quint32 defaultValue)
{
    QVariant raw;
    if (!ReadRaw(name, raw))
        return defaultValue;
    const std::optional<quint32> number = DecodeNumber(raw);
    if (!number) {
        Fail(InvalidValue);
        return defaultValue;
    }
    return *number;
}

QString RegistryKey::ReadText(const QString& name, const QString& defaultValue)
{
    QVariant raw;
    if (!ReadRaw(name, raw))
        return defaultValue;
    if (raw.typeId() != QMetaType::QString) {
        Fail(InvalidValue);
        return defaultValue;
    }
    QString text = raw.toString();
    if (text.size() > kMaxTextLength) {
        Fail(TextTooLong);
        return defaultValue;
    }
    return text;
}

bool RegistryKey::WriteNumber(const QString& name, quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return WriteRaw(name, bytes);
}

bool RegistryKey::WriteText(const QString& name, const QString& text)
{
    if (text.size() > kMaxTextLength)
        return Fail(TextTooLong);
    return WriteRaw(name, text);
}
