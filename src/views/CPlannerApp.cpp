#include "views/CPlannerApp.h"

#include "dialogs/DialogPrompts.h"
#include "model/LanguageModule.h"
#include "platform/gui/QtPrompts.h"
#include "platform/gui/ScreenClass.h"
#include "storage/PasswordKey.h"
#include "views/CMainFrame.h"
#include "views/ProgramDialogs.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>

namespace {

UserPrompts& PromptsOf(UserPrompts* given, std::unique_ptr<QtPrompts>& own,
                       std::unique_ptr<DialogPrompts>& dialogs)
{
    if (given)
        return *given;
    own = std::make_unique<QtPrompts>();
    dialogs = std::make_unique<DialogPrompts>(*own);
    return *dialogs;
}

} // namespace

CPlannerApp::CPlannerApp(UserPrompts* prompts, QObject* parent)
    : QObject(parent),
      m_prompts(PromptsOf(prompts, m_ownPrompts, m_dialogPrompts)),
      m_settings(ScreenClass::IsLarge()),
      m_planner{m_store, m_holidays, m_view, m_settings, PasswordKey::Instance(), m_prompts},
      m_context{m_planner, m_fonts}
{
    if (m_dialogPrompts)
        m_dialogPrompts->SetContext(&m_context);
    m_midnight.setSingleShot(true);
    // A coarse timer may be off by minutes over a day.
    m_midnight.setTimerType(Qt::PreciseTimer);
    connect(&m_midnight, &QTimer::timeout, this, [this] {
        OnIdle();
        ArmMidnightTimer();
    });
}

CPlannerApp::~CPlannerApp()
{
    DestroyFrame();
}

void CPlannerApp::InitInstance(const QString& commandLinePath, bool show)
{
    m_today = Today();
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Orbelin Planner"));

    if (m_ownPrompts)
        m_ownPrompts->InstallHandlers();
    LanguageModule& texts = LanguageModule::Instance();
    if (!texts.IsLoaded())
        texts.Load();
    {
        WaitCursor wait(m_prompts);
        m_settings.LoadSettings(m_view);
    }
    m_fonts.Build(m_settings.Fonts());

    m_frame = std::make_unique<CMainFrame>(m_context, commandLinePath);
    connect(this, &CPlannerApp::DayChanged, m_frame.get(), &CMainFrame::RepaintView, Qt::QueuedConnection);
    InstallProgramDialogs(*m_frame->MainView());
    if (m_ownPrompts) {
        m_ownPrompts->SetParentWidget(m_frame.get());
        m_dialogPrompts->SetParentWidget(m_frame.get());
    }
    if (show)
        m_frame->show();

    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CPlannerApp::OnIdle,
                Qt::UniqueConnection);
    ArmMidnightTimer();
}

void CPlannerApp::DestroyFrame()
{
    if (!m_frame)
        return;
    m_frame->close();
    m_frame.reset();
    if (m_ownPrompts) {
        m_ownPrompts->SetParentWidget(nullptr);
        m_dialogPrompts->SetParentWidget(nullptr);
    }
}

void CPlannerApp::OnIdle()
{
    const PackedDate today = Today();
    if (today == m_today)
        return;
    m_today = today;
    emit DayChanged();
}

void CPlannerApp::ArmMidnightTimer()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime next = now.date().addDays(1).startOfDay();
    // A second past midnight, so the new day has surely begun.
    const qint64 wait = now.msecsTo(next) + 1000;
    m_midnight.start(int(std::clamp<qint64>(wait, 1000, 24 * 3600 * 1000 + 1000)));
}
