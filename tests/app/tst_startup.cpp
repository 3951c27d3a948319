#include "support/windowfixture.h"

#include <QFile>
#include <QRegularExpression>
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
        QTest::addColumn<int>("writesLeft"); // before the cable is pulled; -1: never
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("label");
        QTest::newRow("board on 3") << 3 << -1 << QByteArray("2468BDFH") << "COM 3";
        QTest::newRow("board on 2, never tried") << 2 << -1 << QByteArray() << "Nenhuma";
        QTest::newRow("no board") << 0 << -1 << QByteArray() << "Nenhuma";
        QTest::newRow("cable pulled after two commands") << 3 << 2 << QByteArray("24") << "Nenhuma";
    }

    void switchesEveryRelayOff()
    {
        QFETCH(int, board);
        QFETCH(int, writesLeft);
        QFETCH(QByteArray, written);
        QFETCH(QString, label);
        WindowFixture f(board);
        f.port().failWritesAfter(writesLeft);
        QStringList whileOpen;
        f.messages().whileOpen = [&] {
            whileOpen << f.portLabel() << QString::number(f.relayButton(8)->isEnabled());
        };
        f.window().Form_Load();

        QCOMPARE(f.port().written(), written);
        // A pause after every command, and nothing after a failed one.
        QStringList commands;
        for (const char c : written)
            commands << QStringLiteral("write %1").arg(c) << QStringLiteral("pause 30");
        QCOMPARE(f.log().filter(QRegularExpression(QStringLiteral("^(write .|pause .*)$"))), commands);
        QCOMPARE(f.portLabel(), label);
        const bool found = written.size() == 8;
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(f.relayButton(n)->isEnabled(), found);
        if (found) {
            QVERIFY(f.messages().shown().isEmpty());
            return;
        }
        QCOMPARE(f.messages().shown().size(), 1);
        const ShownMessage &message = f.messages().shown().first();
        QCOMPARE(message.text, u"O programa não conseguiu detectar o Cabo Conversor USB/Serial neste "
                               u"computador ou o driver não está instalado.");
        QCOMPARE(message.title, u"Erro de Comunicação");
        QCOMPARE(message.icon, MessageIcon::Critical);
        // The label and the buttons are already set when the message shows.
        QCOMPARE(whileOpen, (QStringList{QStringLiteral("Nenhuma"), QStringLiteral("0")}));

        // A later search that finds the board gives the buttons back.
        f.port().plug(4);
        f.port().failWritesAfter(-1);
        f.window().reconectaConversor();
        for (int n = 1; n <= 8; ++n)
            QVERIFY(f.relayButton(n)->isEnabled());
    }

    void withoutAHomeNothingIsKept_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("no home") << "";
        QTest::newRow("a home that does not exist") << "missing";
    }

    void withoutAHomeNothingIsKept()
    {
        QFETCH(QString, where);
        QTemporaryDir dir;
        const QString path = dir.filePath(where);
        const QString rootConfig = QStringLiteral("/.config/") + QCoreApplication::applicationName();
        QVERIFY(!QFileInfo::exists(rootConfig));
        // Without a home the directory cannot be prepared; nothing is made in its place.
        const QByteArray home = qgetenv("HOME");
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        where.isEmpty() ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(path));
        const QString configDir = ConfigDir::standardPath();
        for (const auto &[name, value] : {std::pair{"HOME", home}, {"XDG_CONFIG_HOME", configHome}})
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        FakePort port;
        port.plug(3);
        FakeClock clock;
        FakeMessages messages;
        MainWindow({port, clock, messages, configDir}).Form_Load();

        // Said once, in Portuguese, as a warning; the program goes on and finds its board.
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().icon, MessageIcon::Warning);
        QVERIFY(messages.shown().first().text.contains(u"não serão guardados"));
        QVERIFY(!messages.shown().first().text.contains(u"()"));
        QCOMPARE(port.written(), QByteArray("2468BDFH"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(!QFileInfo::exists(rootConfig));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
