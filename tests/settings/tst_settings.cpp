#include "support/files.h"
#include "support/windowfixture.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void firstRunAndFirstSave();
    void savedScheduleArmsAtTheNextStart();
    void loading_data();
    void loading();
    void storedOwnPortOption();
    void ownPortOption();
    void failedSaves();
};

namespace {

const QString kFileName = QStringLiteral("tavex.ini");

// A file with these 16 time lines and ten box lines, each ended by CR LF.
QByteArray settingsFile(const QStringList &times, const QByteArrayList &boxes)
{
    QByteArray bytes;
    for (const QString &time : times)
        bytes += time.toLatin1() + "\r\n";
    for (const QByteArray &box : boxes)
        bytes += box + "\r\n";
    return bytes;
}

QStringList designTimes()
{
    QStringList times;
    for (int i = 0; i < 8; ++i)
        times << QStringLiteral("0 h") << QStringLiteral("00");
    return times;
}

QByteArrayList boxLines(const QList<int> &ticked)
{
    QByteArrayList lines;
    for (int line = 17; line <= 26; ++line)
        lines << (ticked.contains(line) ? " 1 " : " 0 ");
    return lines;
}

// The 16 time boxes and ten option boxes, in the order of the file's lines.
QStringList timeBoxes()
{
    QStringList names;
    for (int n = 1; n <= 4; ++n) {
        for (const char *box : {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"})
            names << QStringLiteral("Cmb1_%1%2").arg(QLatin1String(box)).arg(n);
    }
    return names;
}
const QStringList kTimeBoxes = timeBoxes();
const QStringList kBoxes{"Chk_agendar", "Chk_agendar2", "Chk_agendar3", "Chk_agendar4",
                         "chk_timer1", "chk_timer2", "chk_timer3", "chk_timer4",
                         "chk_extender", "sem_conversor"};

QStringList shownTimes(WindowFixture &f)
{
    QStringList times;
    for (const QString &name : kTimeBoxes)
        times << f.combo(name)->currentText();
    return times;
}

QList<int> tickedLines(WindowFixture &f)
{
    QList<int> lines;
    for (int i = 0; i < kBoxes.size(); ++i) {
        if (f.checkBox(kBoxes[i])->isChecked())
            lines << 17 + i;
    }
    return lines;
}

} // namespace

void TestSettings::firstRunAndFirstSave()
{
    WindowFixture f;
    f.start();
    QVERIFY(!QFile::exists(f.dataFile(kFileName)));
    QCOMPARE(tickedLines(f), QList<int>{});
    // Without a file nothing is applied: relays 5 to 8 stay shown.
    QVERIFY(f.relayButton(5)->isVisible());

    WindowFixture::click(f.button(QStringLiteral("btn_salvar")));
    QCOMPARE(readFile(f.dataFile(kFileName)), settingsFile(designTimes(), boxLines({})));
    QVERIFY(f.messages().shown().isEmpty());
}

void TestSettings::savedScheduleArmsAtTheNextStart()
{
    QTemporaryDir dir;
    {
        WindowFixture f(3, dir.path());
        f.start();
        const QStringList times{"18 h", "30", "22 h", "45"};
        for (int i = 0; i < 4; ++i)
            WindowFixture::typeInto(f.combo(kTimeBoxes[4 + i]), times[i]);
        // Commas and leading blanks in a time are kept.
        f.combo(kTimeBoxes[8])->setEditText(QStringLiteral("7,5 h"));
        f.combo(kTimeBoxes[9])->setEditText(QStringLiteral(" 15"));
        WindowFixture::click(f.checkBox(QStringLiteral("Chk_agendar2")));
        WindowFixture::click(f.checkBox(QStringLiteral("chk_timer3")));
        WindowFixture::click(f.button(QStringLiteral("btn_salvar")));
    }
    WindowFixture f(3, dir.path());
    f.start();
    QStringList expected = designTimes();
    expected.replace(4, QStringLiteral("18 h"));
    expected.replace(5, QStringLiteral("30"));
    expected.replace(6, QStringLiteral("22 h"));
    expected.replace(7, QStringLiteral("45"));
    expected.replace(8, QStringLiteral("7,5 h"));
    expected.replace(9, QStringLiteral(" 15"));
    QCOMPARE(shownTimes(f), expected);
    QCOMPARE(tickedLines(f), (QList<int>{18, 23}));
    QVERIFY(f.timer(QStringLiteral("Timer_agenda2"))->isActive());
    QVERIFY(!f.relayButton(2)->isEnabled());
    QVERIFY(f.relayButton(1)->isEnabled());
}

void TestSettings::loading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<bool>("extended"); // relays 5 to 8 shown

    QStringList morning = designTimes();
    morning.replace(0, QStringLiteral("7 h"));
    QTest::newRow("schedule and duration box of one relay: the duration box wins")
            << settingsFile(morning, boxLines({17, 21})) << morning << QList<int>{21} << false;
    QTest::newRow("extended view")
            << settingsFile(designTimes(), boxLines({25})) << designTimes() << QList<int>{25} << true;
    QTest::newRow("a box line that is neither 0 nor 1 is skipped")
            << settingsFile(designTimes(), {" 1 ", "2", "-1", "0.6", "abc", " 0 ", "1,0", "0"})
            << designTimes() << QList<int>{17, 20, 23} << false;
    QTest::newRow("truncated after line 3: the rest keeps its values")
            << QByteArray("5 h\r\n15\r\n6 h")
            << (QStringList{"5 h", "15", "6 h"} + designTimes().mid(3)) << QList<int>{} << false;
    QTest::newRow("lone line feeds end lines too")
            << settingsFile(designTimes(), boxLines({19})).replace("\r\n", "\n") << designTimes()
            << QList<int>{19} << false;
    QTest::newRow("empty file") << QByteArray() << designTimes() << QList<int>{} << false;
    // Larger than any settings file: not read at all.
    QTest::newRow("a line of 10 MB") << QByteArray(10 * 1024 * 1024, '7') << designTimes()
                                     << QList<int>{} << true;
}

void TestSettings::loading()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, times);
    QFETCH(QList<int>, ticked);
    QFETCH(bool, extended);

    WindowFixture f;
    QVERIFY(writeFile(f.dataFile(kFileName), file));
    f.start();
    QCOMPARE(shownTimes(f), times);
    QCOMPARE(tickedLines(f), ticked);
    // The extended view follows the box once loading is over, whatever the box held.
    QCOMPARE(f.relayButton(8)->isVisible(), extended);
    QCOMPARE(readFile(f.dataFile(kFileName)), file);
}

void TestSettings::storedOwnPortOption()
{
    WindowFixture f(1);
    QByteArrayList boxes = boxLines({});
    boxes[9] = "1";
    QVERIFY(writeFile(f.dataFile(kFileName), settingsFile(designTimes(), boxes)));
    f.window().Form_Load();

    // Written back once, in the saved form, and searched from port 1 twice.
    QCOMPARE(readFile(f.dataFile(kFileName)), settingsFile(designTimes(), boxLines({26})));
    QCOMPARE(f.port().triedNumbers(), (QList<int>{1, 1}));
    QCOMPARE(f.port().written(), QByteArray("2468BDFH"));
    QCOMPARE(f.portLabel(), u"COM 1");

    // Random bytes in the file: the program starts all the same.
    QByteArray noise(4096, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &byte : noise)
        byte = char(generator.bounded(256));
    WindowFixture g;
    QVERIFY(writeFile(g.dataFile(kFileName), noise));
    g.start();
    QVERIFY(g.window().isVisible());
}

void TestSettings::ownPortOption()
{
    // A built-in port 1 and a converter on port 3.
    WindowFixture f(3);
    f.port().plug(1);
    f.start();
    QCheckBox *ownPort = f.checkBox(QStringLiteral("sem_conversor"));
    f.combo(kTimeBoxes[0])->setEditText(QStringLiteral("9 h"));

    WindowFixture::click(ownPort);
    QCOMPARE(f.port().triedNumbers(), QList<int>{1});
    QCOMPARE(f.portLabel(), u"COM 1");
    // Saved at once, the time not saved by hand included.
    QStringList times = designTimes();
    times.replace(0, QStringLiteral("9 h"));
    QCOMPARE(readFile(f.dataFile(kFileName)), settingsFile(times, boxLines({26})));

    f.port().clearTried();
    WindowFixture::click(ownPort);
    QCOMPARE(f.port().triedNumbers(), QList<int>{3});
    QCOMPARE(readFile(f.dataFile(kFileName)), settingsFile(times, boxLines({})));

    // Nothing to be found: the label says so.
    f.port().unplugAll();
    f.port().clearTried();
    WindowFixture::click(ownPort);
    QCOMPARE(f.port().triedNumbers().size(), 18);
    QCOMPARE(f.portLabel(), u"Nenhuma");
    QVERIFY(f.port().written().isEmpty());
}

void TestSettings::failedSaves()
{
    // Something that is not a file stands where the settings file goes: every save fails
    // and leaves it alone.
    WindowFixture f;
    f.start();
    QVERIFY(QDir().mkpath(f.dataFile(kFileName)));
    WindowFixture::click(f.checkBox(QStringLiteral("sem_conversor")));
    WindowFixture::click(f.checkBox(QStringLiteral("sem_conversor")));
    // The program's own saves say it once; a save asked for always answers.
    QCOMPARE(f.messages().shown().size(), 1);
    WindowFixture::click(f.button(QStringLiteral("btn_salvar")));
    QCOMPARE(f.messages().shown().size(), 2);
    QVERIFY(f.messages().shown().last().text.contains(u"Não foi possível salvar os horários"));
    QVERIFY(QFileInfo(f.dataFile(kFileName)).isDir());

    // A data directory that cannot be made (its parent is a file): start-up has said so.
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("blocker")), "x"));
    WindowFixture g(3, dir.filePath(QStringLiteral("blocker/tavex")));
    g.window().Form_Load();
    QCOMPARE(g.messages().shown().size(), 1);
    WindowFixture::click(g.checkBox(QStringLiteral("sem_conversor")));
    QCOMPARE(g.messages().shown().size(), 1);
    WindowFixture::click(g.button(QStringLiteral("btn_salvar")));
    QCOMPARE(g.messages().titles(), (QStringList{"TAVEX", "TAVEX"}));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
