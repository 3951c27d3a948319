#include "support/files.h"
#include "support/windowfixture.h"

#include <QDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tavex;
using namespace tavex::test;

namespace {

const QString kFileName = QStringLiteral("tavex.ini");
// The option boxes of lines 17 to 26.
const QStringList kBoxes{"Chk_agendar", "Chk_agendar2", "Chk_agendar3", "Chk_agendar4",
                         "chk_timer1", "chk_timer2", "chk_timer3", "chk_timer4",
                         "chk_extender", "sem_conversor"};

// A settings file as the program writes it: the 16 time lines, `times` first and then the
// design values, and the ten box lines, those in `ticked` set.
QByteArray settingsFile(const QList<int> &ticked = {}, const QStringList &times = {})
{
    QByteArray bytes;
    for (int line = 1; line <= 26; ++line) {
        if (line <= 16)
            bytes += times.value(line - 1, line % 2 ? "0 h" : "00").toLatin1() + "\r\n";
        else
            bytes += ticked.contains(line) ? " 1 \r\n" : " 0 \r\n";
    }
    return bytes;
}

// What the window shows, as the file that holds it.
QByteArray shownSettings(WindowFixture &f)
{
    QStringList times;
    for (int n = 1; n <= 4; ++n) {
        for (const char *box : {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"})
            times << f.combo(QStringLiteral("Cmb1_%1%2").arg(QLatin1String(box)).arg(n))->currentText();
    }
    QList<int> ticked;
    for (int i = 0; i < kBoxes.size(); ++i) {
        if (f.checkBox(kBoxes[i])->isChecked())
            ticked << 17 + i;
    }
    return settingsFile(ticked, times);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void loading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<bool>("extended");    // relays 5 to 8 shown
        QTest::addColumn<QList<int>>("tried"); // the ports searched
        QTest::addColumn<QByteArray>("after"); // the file once started
        const auto row = [](const char *name, const QByteArray &file, const QByteArray &shown,
                            bool extended = false, const QList<int> &tried = {3},
                            const QByteArray &after = {}) {
            QTest::newRow(name) << file << shown << extended << tried << (after.isNull() ? file : after);
        };
        // Lines 1 to 8 keep leading blanks; commas are kept in every line.
        const QStringList design{"0 h", "00", "0 h", "00", "0 h", "00", "0 h", "00"};
        const QByteArray times = settingsFile({}, QStringList{"7,5 h", " 15"} + design.mid(2) + QStringList{"8,5 h"});
        row("times as they were typed, commas and leading blanks included", times, times);
        // Lines 9 to 16 as an earlier program wrote them, quoted or after blanks.
        row("lines 9 to 16 quoted or after blanks", settingsFile({}, design + QStringList{"\"8 h\" ", "  15"}),
            settingsFile({}, design + QStringList{"8 h", "15"}));
        row("schedule and duration box of one relay: the duration box wins",
            settingsFile({17, 21}), settingsFile({21}));
        row("extended view", settingsFile({25}), settingsFile({25}), true);
        // Searched from port 1 when it is ticked, and again by the start-up.
        row("own-port option, written back in the saved form", settingsFile().chopped(5) + "1\r\n",
            settingsFile({26}), false, {1, 2, 3, 1, 2, 3}, settingsFile({26}));
        const QByteArray designTimes = settingsFile().chopped(10 * 5);
        row("a box line that is neither 0 nor 1 is skipped",
            designTimes + " 1 \r\n2\r\n-1\r\n0.6\r\nabc\r\n 0 \r\n1,0\r\n0\r\n",
            settingsFile({17, 20, 23}));
        row("truncated after line 3: the rest keeps its values", "5 h\r\n15\r\n6 h",
            settingsFile({}, {"5 h", "15", "6 h"}));
        row("lone line feeds end lines too", settingsFile({19}).replace("\r\n", "\n"),
            settingsFile({19}));
        row("empty file", "", settingsFile());
        // Larger than any settings file: not read at all.
        row("a line of 10 MB", QByteArray(10 * 1024 * 1024, '7'), settingsFile(), true);
    }

    void loading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, shown);
        QFETCH(bool, extended);
        QFETCH(QList<int>, tried);
        QFETCH(QByteArray, after);

        WindowFixture f;
        QVERIFY(writeFile(f.dataFile(kFileName), file));
        // What a save killed half-way leaves beside the file is removed.
        const QString leftover = f.dataFile(u'.' + kFileName + QStringLiteral(".tavex-save-aBcDeF"));
        QVERIFY(writeFile(leftover, file));
        f.window().Form_Load();
        QVERIFY(!QFile::exists(leftover));
        QCOMPARE(shownSettings(f), shown);
        // The extended view follows its box once loading is over, whatever the box held.
        QCOMPARE(!f.relayButton(8)->isHidden(), extended);
        QCOMPARE(f.port().triedNumbers(), tried);
        QCOMPARE(f.port().written(), QByteArray("2468BDFH"));
        // The own-port option's save comes once the window's events run.
        QTRY_COMPARE(readFile(f.dataFile(kFileName)), after);
        QVERIFY(f.messages().shown().isEmpty());
    }

    void ownPortOption()
    {
        // A built-in port 1 and a converter on port 3; no settings file yet.
        WindowFixture f(3);
        f.port().plug(1);
        f.start();
        f.combo(QStringLiteral("Cmb1_hora_ligar1"))->setEditText(QStringLiteral("9 h"));
        const auto clickGivesTried = [&f] {
            f.port().clearTried();
            WindowFixture::click(f.checkBox(QStringLiteral("sem_conversor")));
            return f.port().triedNumbers();
        };

        QCOMPARE(clickGivesTried(), QList<int>{1});
        QCOMPARE(f.portLabel(), u"COM 1");
        QCOMPARE(clickGivesTried(), QList<int>{3});
        // Saved at once, the time not saved by hand included.
        QCOMPARE(readFile(f.dataFile(kFileName)), settingsFile({}, {"9 h"}));
    }

    void failedSaves_data()
    {
        QTest::addColumn<QString>("inPlace");
        QTest::newRow("a directory") << "directory";
#ifdef Q_OS_UNIX
        QTest::newRow("a link to a pipe") << "link";
        QTest::newRow("a file, and a file size limit") << "limit";
#endif
    }

    void failedSaves()
    {
        // Every save fails and leaves what stands in the file's place as it was.
        QFETCH(QString, inPlace);
        WindowFixture f;
        f.start();
        const QString path = f.dataFile(kFileName);
        if (inPlace == u"directory")
            QVERIFY(QDir().mkpath(path));
#ifdef Q_OS_UNIX
        const QString pipe = f.dataFile(QStringLiteral("pipe"));
        if (inPlace == u"limit")
            QVERIFY(writeFile(path, settingsFile({17}, {"7 h"})));
        if (inPlace == u"link")
            QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, path));
        // Nothing larger than 64 bytes may be written, by anyone; a write beyond fails instead
        // of ending the program.
        rlimit unlimited{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        const rlimit limit{inPlace == u"limit" ? 64 : unlimited.rlim_cur, unlimited.rlim_max};
        const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
#endif
        // What stands in the file's place: a directory, or where a link leads, and the bytes.
        const auto inPlaceNow = [&] { return QByteArray::number(QFileInfo(path).isDir())
                + QFile::encodeName(QFileInfo(path).symLinkTarget()) + (QFileInfo(path).isFile() ? readFile(path) : ""); };
        const QByteArray before = inPlaceNow();

        WindowFixture::click(f.checkBox(QStringLiteral("sem_conversor")));
        WindowFixture::click(f.checkBox(QStringLiteral("sem_conversor")));
        // The program's own saves say it once; a save asked for always answers.
        QCOMPARE(f.messages().shown().size(), 1);
        WindowFixture::click(f.button(QStringLiteral("btn_salvar")));
#ifdef Q_OS_UNIX
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        ::signal(SIGXFSZ, oldHandler);
#endif
        QCOMPARE(f.messages().shown().size(), 2);
        QVERIFY(f.messages().shown().last().text.contains(u"Não foi possível salvar os horários"));
        QCOMPARE(inPlaceNow(), before);
        // No half-written file is left beside it.
        QCOMPARE(QDir(f.configDir()).entryList({kFileName + QStringLiteral(".*")}, QDir::System), QStringList());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
