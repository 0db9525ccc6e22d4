#include "model/LanguageModule.h"

#include "resources/res409/OrbelinText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

QMutex g_handlerMutex;

LanguageModule::MissingHandler& Handler()
{
    static LanguageModule::MissingHandler handler;
    return handler;
}

void ReportMissing(const QString& fileName)
{
    const QString message = QStringLiteral("Cannot find language satellite DLL: %1.\n").arg(fileName);
    LanguageModule::MissingHandler handler;
    {
        QMutexLocker lock(&g_handlerMutex);
        handler = Handler();
    }
    if (handler)
        handler(message);
    else
        std::fputs(message.toLocal8Bit().constData(), stderr);
}

} // namespace

LanguageModule& LanguageModule::Instance()
{
    static LanguageModule instance;
    return instance;
}

LanguageModule::LanguageModule() = default;

LanguageModule::~LanguageModule()
{
    // The process ends with the module still mapped; unloading at exit could
    // pull texts away from objects destroyed after this one.
    m_table = nullptr;
    m_count = 0;
}

QString LanguageModule::ModuleFileName()
{
#ifdef Q_OS_WIN
    const QString suffix = QStringLiteral(".dll");
#else
    const QString suffix = QStringLiteral(".so");
#endif
    return QStringLiteral("res%1").arg(kLanguageId, 0, 16) + suffix;
}

bool LanguageModule::Load()
{
    return Load(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

bool LanguageModule::Load(const QString& folder, LookIn lookIn)
{
    Unload();
    const QString fileName = ModuleFileName();
    QStringList candidates;
    if (!folder.isEmpty())
        candidates << QDir(folder).filePath(fileName);
    if (lookIn == LookIn::FolderThenSearchPath)
        candidates << QFileInfo(fileName).completeBaseName(); // the library search path

    for (const QString& candidate : std::as_const(candidates)) {
        m_library.setFileName(candidate);
        if (!m_library.load())
            continue;
        const auto* table = reinterpret_cast<const OrbelinText*>(m_library.resolve("orbelin_texts"));
        const auto* count = reinterpret_cast<const int*>(m_library.resolve("orbelin_text_count"));
        if (table && count && *count >= 0) {
            const bool sorted = std::is_sorted(table, table + *count,
                                               [](const OrbelinText& a, const OrbelinText& b) { return a.id < b.id; });
            if (sorted) {
                m_table = table;
                m_count = *count;
                return true;
            }
        }
        m_library.unload();
    }
    ReportMissing(fileName);
    return false;
}

void LanguageModule::Unload()
{
    // Only the texts are dropped; the module stays mapped. Every module
    // object that loaded the same file shares one mapping, and unloading it
    // here would pull the table away from the others.
    m_table = nullptr;
    m_count = 0;
}

bool LanguageModule::IsLoaded() const
{
    return m_table != nullptr;
}

const OrbelinText* LanguageModule::Find(int id) const
{
    if (!m_table)
        return nullptr;
    const OrbelinText* end = m_table + m_count;
    const OrbelinText* it = std::lower_bound(m_table, end, id, [](const OrbelinText& e, int key) { return e.id < key; });
    if (it == end || it->id != id || !it->utf8)
        return nullptr;
    return it;
}

const char16_t* LanguageModule::LoadText(int id)
{
    const OrbelinText* entry = Find(id);
    if (!entry)
        return nullptr;
    const QString text = QString::fromUtf8(entry->utf8);
    qsizetype length = std::min<qsizetype>(text.size(), kTextBufferSize - 1);
    // Never leave half of a surrogate pair at the cut.
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate())
        --length;
    std::memcpy(m_buffer, text.utf16(), size_t(length) * sizeof(char16_t));
    m_buffer[length] = u'\0';
    return m_buffer;
}

QString LanguageModule::GetText(int id) const
{
    const OrbelinText* entry = Find(id);
    return entry ? QString::fromUtf8(entry->utf8) : QString();
}

void LanguageModule::SetMissingHandler(MissingHandler handler)
{
    QMutexLocker lock(&g_handlerMutex);
    Handler() = std::move(handler);
}

QString GetText(int id)
{
    return LanguageModule::Instance().GetText(id);
}
