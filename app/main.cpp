#include "app/commandline.h"
#include "app/mainwindow.h"
#include "commands/commanddesk.h"
#include "link/portmap.h"
#include "platform/appicon.h"
#include "platform/configdir.h"
#include "platform/datafile.h"
#include "platform/fontwarmup.h"
#include "platform/qtserialport.h"
#include "platform/qttranslation.h"
#include "platform/quitsignals.h"
#include "platform/singleinstance.h"
#include "platform/startupmarks.h"
#include "platform/switchlog.h"
#include "platform/systemclock.h"
#include "platform/widgetmessages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    tavex::markStartup("main");
    tavex::failWritesBeyondSizeLimit();
    // A verb for the running TAVEX, or help: no window.
    if (argc > 1)
        return tavex::runCommandLine(argc, argv);
    tavex::FontWarmUp fonts;
    QApplication app(argc, argv);
    tavex::markStartup("qapplication");
    QApplication::setApplicationName(QStringLiteral("tavex"));
    // Ties the window to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("br.com.tavex.Tavex"));
    QApplication::setWindowIcon(tavex::applicationIcon());

    // One copy at a time: a second start brings the running window to the front and ends
    // here, before any window, port or file is touched. The running copy answers other
    // programs' commands once its window exists.
    tavex::SingleInstance instance;
    if (!instance.claim())
        return 0;
    tavex::installQtTranslation(app);
    tavex::markStartup("claim");

    // The session's end, Ctrl+C or a hang-up: every window is closed, an open message box
    // first, as the user would, and the program leaves every event loop it is in. Leaving
    // main closes the serial port, which takes its lock file away.
    // Nothing is asked then, not even whether running countdowns may end.
    tavex::MainWindow *mainWindow = nullptr;
    tavex::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &tavex::QuitSignals::arrived, &app, [&mainWindow] {
        if (mainWindow)
            mainWindow->endWithoutAsking();
        QApplication::closeAllWindows();
        QCoreApplication::exit(0);
    });

    const QString configDir = tavex::ConfigDir::standardPath();
    tavex::QtSerialPort port(tavex::loadPortMap(configDir));
    tavex::SystemClock clock;
    tavex::WidgetMessages messages;

    fonts.finish();
    tavex::MainWindow window({port, clock, messages, configDir, tavex::SwitchLog::standardDir()});
    mainWindow = &window;
    tavex::markStartup("window");
    messages.setParent(&window);
    instance.setRequestHandler([&window](QByteArrayView line) { return window.commandDesk().answer(line); });
    window.Form_Load();
    tavex::markStartup("formload");
    // Ended while the start-up showed a message.
    if (quitSignals.hasArrived())
        return 0;
    window.show();
    QObject::connect(&window.commandDesk(), &tavex::CommandDesk::showRequested, &window, [&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    return app.exec();
}
