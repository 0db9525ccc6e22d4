// orbelin: the desktop program.
//
//   orbelin [DATA-FILE]
//   orbelin --grab FILE.png [--view month|week|list|nodate] [--date YYYY-MM-DD] [DATA-FILE]

#include "GrabPrompts.h"
#include "model/PackedDate.h"
#include "model/ViewState.h"
#include "views/CMainFrame.h"
#include "views/CMainView.h"
#include "views/CPlannerApp.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <QApplication>
#include <QDate>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

#include <sys/socket.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "Usage: orbelin [DATA-FILE]\n"
    "       orbelin --grab FILE.png [--view month|week|list|nodate] [--date YYYY-MM-DD] [DATA-FILE]\n"
    "\n"
    "Opens DATA-FILE, or the calendar used last.\n"
    "\n"
    "  --grab FILE.png  start as usual, save a picture of the main window once\n"
    "                   the calendar is open, and quit. Nothing is written back:\n"
    "                   neither the calendar nor the settings.\n"
    "  --view MODE      with --grab: show the month, week, list or nodate view\n"
    "  --date DATE      with --grab: select this day (YYYY-MM-DD)\n"
    "  --help           show this text\n";

struct Options
{
    QString dataFile;
    QString grabFile;
    std::optional<int> viewMode;
    PackedDate date = kNoDate;
};

int Fail(const QString& message)
{
    std::fprintf(stderr, "orbelin: %s\n\n%s", message.toLocal8Bit().constData(), kUsage);
    return 2;
}

// Returns an exit code when the program should stop at once, or nothing.
std::optional<int> Parse(const QStringList& args, Options& options)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const auto value = [&](QString& out) {
            if (i + 1 >= args.size())
                return false;
            out = args.at(++i);
            return true;
        };
        if (arg == u"--help" || arg == u"-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == u"--grab") {
            if (!value(options.grabFile) || options.grabFile.isEmpty())
                return Fail(QStringLiteral("--grab needs a file name"));
        } else if (arg == u"--view") {
            QString mode;
            if (!value(mode))
                return Fail(QStringLiteral("--view needs a view"));
            const QStringList modes{QStringLiteral("month"), QStringLiteral("week"), QStringLiteral("list"),
                                   QStringLiteral("nodate")};
            const int index = int(modes.indexOf(mode.toLower()));
            if (index < 0)
                return Fail(QStringLiteral("unknown view \"%1\"").arg(mode));
            options.viewMode = index;
        } else if (arg == u"--date") {
            QString text;
            if (!value(text))
                return Fail(QStringLiteral("--date needs a date"));
            const QDate date = QDate::fromString(text, Qt::ISODate);
            if (!date.isValid())
                return Fail(QStringLiteral("not a date: \"%1\" (use YYYY-MM-DD)").arg(text));
            options.date = FromPlatformTime(date);
        } else if (arg.startsWith(u"--")) {
            return Fail(QStringLiteral("unknown option \"%1\"").arg(arg));
        } else if (options.dataFile.isEmpty()) {
            options.dataFile = arg;
        } else {
            return Fail(QStringLiteral("only one data file can be opened"));
        }
    }
    if (options.grabFile.isEmpty() && (options.viewMode || options.date != kNoDate))
        return Fail(QStringLiteral("--view and --date go with --grab"));
    return std::nullopt;
}

// A termination signal ends the program the orderly way, so that the
// calendar and the settings are written as on any other close. The handler
// only wakes the event loop through a socket pair.
int g_signalSockets[2] = {-1, -1};

void OnTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalSockets[0], &byte, 1);
}

void EndOnTerminationSignals(CMainFrame* frame)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, frame);
    QObject::connect(notifier, &QSocketNotifier::activated, frame, [frame, notifier] {
        notifier->setEnabled(false);
        frame->SetLeaving();
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    // Options are read before the window system starts, so a picture can be
    // taken without a display.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    Options options;
    if (const auto stop = Parse(args, options))
        return *stop;
    const bool grab = !options.grabFile.isEmpty();
    if (grab && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    if (!grab) {
        CPlannerApp planner;
        planner.InitInstance(options.dataFile);
        EndOnTerminationSignals(planner.Frame());
        const int result = app.exec();
        planner.DestroyFrame();
        return result;
    }

    GrabPrompts prompts;
    CPlannerApp planner(&prompts);

    // A picture: the user's settings are read, but whatever the start-up
    // would store (the file's place, the view) goes to a throwaway folder.
    planner.InitInstance(options.dataFile, false);
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    CMainFrame* frame = planner.Frame();
    frame->SetPersistent(false);
    // Pictures come out alike on every machine: the first-start size, not
    // the user's window or the screen's.
    frame->resize(CMainFrame::DefaultSize());
    frame->show();

    int result = 1;
    QObject::connect(frame->MainView(), &CMainView::StartupFinished, frame, [&] {
        CMainView* view = frame->MainView();
        if (options.date != kNoDate)
            view->NavigateTo(options.date, NavigateCode::ToDate);
        if (options.viewMode)
            view->ActivateViewMode(*options.viewMode);
        frame->UpdateCommandStates();
        // The picture is taken once everything the start-up set off has run.
        auto* dispatcher = QAbstractEventDispatcher::instance();
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, frame, [&, connection] {
            QObject::disconnect(*connection);
            if (frame->grab().save(options.grabFile)) {
                result = 0;
            } else {
                std::fprintf(stderr, "orbelin: cannot write %s\n", options.grabFile.toLocal8Bit().constData());
            }
            QCoreApplication::quit();
        });
    });
    app.exec();
    planner.DestroyFrame();
    return result;
}
