#include "support/windowfixture.h"

#include <QFile>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void normalStart();
    void noPortAtAll();
    void cablePulledDuringSwitchOff();
    void boardOnOtherNumbers();
    void configDirectoryCannotBeMade_data();
    void configDirectoryCannotBeMade();
};

namespace {

const QString kNoConverter = QStringLiteral(
        "O programa não conseguiu detectar o Cabo Conversor USB/Serial neste computador ou o "
        "driver não está instalado.");

} // namespace

void TestStartup::normalStart()
{
    WindowFixture f(3);
    f.window().Form_Load();

    QCOMPARE(f.port().written(), QByteArray("2468BDFH"));
    // Searched from 3, took the first that opened, and paused after every command.
    QCOMPARE(f.log().first(), u"choose 3");
    QStringList afterOpen = f.log().mid(f.log().indexOf(QStringLiteral("open 3")) + 1);
    QStringList expected;
    for (const char c : QByteArray("2468BDFH"))
        expected << QStringLiteral("write %1").arg(QChar::fromLatin1(c)) << QStringLiteral("pause 30");
    QCOMPARE(afterOpen, expected);
    QCOMPARE(f.portLabel(), u"COM 3");
    QVERIFY(f.messages().shown().isEmpty());
    for (int n = 1; n <= 8; ++n) {
        QVERIFY(f.relayButton(n)->isEnabled());
        QVERIFY(f.window().relays().releDesligado(n));
    }
    // The configuration directory now exists.
    QVERIFY(QFileInfo(f.configDir()).isDir());
}

void TestStartup::noPortAtAll()
{
    WindowFixture f(0);
    f.window().Form_Load();
    f.window().show();

    QVERIFY(f.port().written().isEmpty());
    QCOMPARE(f.portLabel(), u"Nenhuma");
    for (int n = 1; n <= 8; ++n)
        QVERIFY2(!f.relayButton(n)->isEnabled(), qPrintable(QString::number(n)));
    QCOMPARE(f.messages().shown().size(), 1);
    const ShownMessage &message = f.messages().shown().first();
    QCOMPARE(message.text, kNoConverter);
    QCOMPARE(message.title, u"Erro de Comunicação");
    QCOMPARE(message.icon, MessageIcon::Critical);
    // Every relay still counts as off, and the window opens all the same.
    QVERIFY(f.window().relays().releDesligado(5));
    QVERIFY(f.window().isVisible());
}

void TestStartup::cablePulledDuringSwitchOff()
{
    WindowFixture f(3);
    f.port().failWritesAfter(2);
    f.messages().whileOpen = [&] {
        // The label and the buttons are already set when the message shows.
        QCOMPARE(f.portLabel(), u"Nenhuma");
        QVERIFY(!f.relayButton(8)->isEnabled());
    };
    f.window().Form_Load();

    // "2" and "4" went out; the failed "6" ended the sequence.
    QCOMPARE(f.port().written(), QByteArray("24"));
    QCOMPARE(f.log().filter(QStringLiteral("write")).size(), 3);
    QCOMPARE(f.messages().titles(), QStringList{QStringLiteral("Erro de Comunicação")});
    QCOMPARE(f.portLabel(), u"Nenhuma");
    for (int n = 1; n <= 8; ++n)
        QVERIFY(!f.relayButton(n)->isEnabled());
}

void TestStartup::boardOnOtherNumbers()
{
    // Numbers 1 and 2 are never tried by the start-up search.
    WindowFixture onTwo(2);
    onTwo.window().Form_Load();
    QCOMPARE(onTwo.port().triedNumbers().first(), 3);
    QCOMPARE(onTwo.portLabel(), u"Nenhuma");
    QCOMPARE(onTwo.messages().shown().size(), 1);

    WindowFixture onTwelve(12);
    onTwelve.window().Form_Load();
    QCOMPARE(onTwelve.portLabel(), u"COM 12");
    QCOMPARE(onTwelve.port().written(), QByteArray("2468BDFH"));
}

void TestStartup::configDirectoryCannotBeMade_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("a file in the way") << "blocker";
    QTest::newRow("no home") << "no home";
    QTest::newRow("a home that does not exist") << "missing home";
}

void TestStartup::configDirectoryCannotBeMade()
{
    QFETCH(QString, where);
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    const QString missingHome = dir.filePath(QStringLiteral("missing"));
    const QString rootConfig = QStringLiteral("/.config/") + QCoreApplication::applicationName();
    QVERIFY(!QFileInfo::exists(rootConfig));
    const QByteArray home = qgetenv("HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    QString configDir;
    if (where == u"blocker") {
        // A file where the directory's parent should be: the directory cannot be created.
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        configDir = blocker + QStringLiteral("/tavex");
    } else {
        // Without a home the directory cannot be prepared; nothing is made in its place.
        if (where == u"no home")
            qunsetenv("HOME");
        else
            qputenv("HOME", QFile::encodeName(missingHome));
        configDir = ConfigDir::standardPath();
    }
    for (const auto &[name, value] : {std::pair{"HOME", home}, {"XDG_CONFIG_HOME", configHome}})
        value.isNull() ? qunsetenv(name) : qputenv(name, value);

    FakePort port;
    port.plug(3);
    FakeClock clock;
    FakeMessages messages;
    MainWindow window({port, clock, messages, configDir});
    window.Form_Load();

    // Said once, in Portuguese, as a warning; the program goes on and finds its board.
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown().first().icon, MessageIcon::Warning);
    QVERIFY(messages.shown().first().text.contains(u"não serão guardados"));
    QVERIFY(!messages.shown().first().text.contains(u"()"));
    QCOMPARE(port.written(), QByteArray("2468BDFH"));
    for (int n = 1; n <= 8; ++n)
        QVERIFY(window.relayButton(n)->isEnabled());
    QVERIFY(!QFileInfo::exists(missingHome));
    QVERIFY(!QFileInfo::exists(rootConfig));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
