#include "platform/configdir.h"
#include "platform/switchlog.h"
#include "support/windowfixture.h"

#include <QFile>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void switchesEveryRelayOff_data()
    {
        QTest::addColumn<int>("board");      // the port number it hangs on; 0: none
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("board on 3") << 3 << QByteArray("2468BDFH");
        QTest::newRow("no board") << 0 << QByteArray();
    }

    void switchesEveryRelayOff()
    {
        QFETCH(int, board);
        QFETCH(QByteArray, written);
        WindowFixture f(board);
        QStringList whileOpen;
        f.messages().whileOpen = [&] { whileOpen << f.portLabel() << QString::number(f.relayButton(8)->isEnabled()); };
        f.window().Form_Load();

        QCOMPARE(f.port().written(), written);
        // The lists are filled, with a board or without.
        QVERIFY(f.combo(QStringLiteral("Cmb_tmp4"))->count() == 4 && f.combo(QStringLiteral("Cmb1_min_desligar4"))->count() == 4);
        const bool found = written.size() == 8;
        QCOMPARE(f.portLabel(), found ? u"COM 3" : u"Nenhuma");
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(f.relayButton(n)->isEnabled(), found);
        QCOMPARE(f.messages().shown().size(), found ? 0 : 1);
        if (found)
            return;
        const ShownMessage &message = f.messages().shown().first();
        QCOMPARE(message.text, u"O programa não conseguiu detectar o Cabo Conversor USB/Serial neste "
                               u"computador ou o driver não está instalado.");
        QVERIFY(message.title == u"Erro de Comunicação" && message.icon == MessageIcon::Critical);
        // The label and the buttons are already set when the message shows.
        QCOMPARE(whileOpen, (QStringList{QStringLiteral("Nenhuma"), QStringLiteral("0")}));
        // A later search that finds the board gives the buttons back.
        f.port().plug(4);
        f.window().reconectaConversor();
        QVERIFY(f.relayButton(8)->isEnabled());
    }

#ifdef Q_OS_WIN
    void keepsItsFilesInTheApplicationDataFolders()
    {
        // %APPDATA%\<program> and %LOCALAPPDATA%\<program>, as Windows names them to every program.
        const auto folder = [](const char *variable) {
            return QDir::fromNativeSeparators(qEnvironmentVariable(variable)) + u'/' + QCoreApplication::applicationName(); };
        QCOMPARE(ConfigDir::standardPath(), folder("APPDATA"));
        QCOMPARE(SwitchLog::standardDir(), folder("LOCALAPPDATA"));
    }
#else
    void withoutAHomeNothingIsKept_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("board");
        QTest::newRow("no home") << "" << 3;
        QTest::newRow("a home that does not exist, and no board") << "missing" << 0;
    }

    void withoutAHomeNothingIsKept()
    {
        // Without a home the directory cannot be prepared; nothing is made in its place.
        QFETCH(QString, where);
        QFETCH(int, board);
        QTemporaryDir dir;
        const QString rootConfig = QStringLiteral("/.config/") + QCoreApplication::applicationName();
        QVERIFY(!QFileInfo::exists(rootConfig));
        const QByteArray home = qgetenv("HOME");
        qunsetenv("XDG_CONFIG_HOME");
        where.isEmpty() ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(dir.filePath(where)));
        const QString configDir = ConfigDir::standardPath();
        qputenv("HOME", home);
        WindowFixture f(board, configDir);
        // Each message runs its own event loop, as a real box does. Seen for each: how many are
        // open, whether the window is up, what the board has received.
        int open = 0;
        QStringList seen;
        f.messages().whileOpen = [&] {
            seen << QStringLiteral("%1 %2 %3").arg(++open).arg(f.window().isVisible()).arg(QString::fromLatin1(f.port().written()));
            QCoreApplication::processEvents();
            --open;
        };
        f.window().Form_Load();
        f.window().show();

        // The warning, once the window is up and every relay is off, after the start-up's own.
        QTRY_COMPARE(f.messages().shown().size(), board ? 1 : 2);
        QCOMPARE(seen, board ? QStringList{"1 1 2468BDFH"} : (QStringList{"1 0 ", "1 1 "}));
        const ShownMessage &warning = f.messages().shown().last();
        QCOMPARE(warning.icon, MessageIcon::Warning);
        QVERIFY(warning.text.contains(u"não serão guardados") && !warning.text.contains(u"()"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))) && !QFileInfo::exists(rootConfig));
        // The program's own saves say no more; a save asked for always answers.
        WindowFixture::click(f.checkBox(QStringLiteral("sem_conversor")));
        WindowFixture::click(f.button(QStringLiteral("btn_salvar")));
        QCOMPARE(f.messages().shown().size(), board ? 2 : 3);
    }
#endif
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
