#include "app/mainwindow.h"
#include "link/portmap.h"
#include "platform/configdir.h"
#include "platform/qtserialport.h"
#include "platform/qttranslation.h"
#include "platform/systemclock.h"
#include "platform/widgetmessages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavex"));
    // Ties the window to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("br.com.tavex.Tavex"));
    tavex::installQtTranslation(app);

    const QString configDir = tavex::ConfigDir::standardPath();
    tavex::QtSerialPort port(tavex::loadPortMap(configDir));
    tavex::SystemClock clock;
    tavex::WidgetMessages messages;

    tavex::MainWindow window({port, clock, messages, configDir});
    messages.setParent(&window);
    window.Form_Load();
    window.show();
    return app.exec();
}
