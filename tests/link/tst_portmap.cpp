#include "link/portmap.h"
#include "link/portsearch.h"
#include "support/fakeport.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace tavex::test {

using Devices = QMap<int, QString>;

class TestPortMap : public QObject
{
    Q_OBJECT

private slots:
    void platformDefault()
    {
        const PortMap map = PortMap::platformDefault();
        QCOMPARE(map.baudRate, 9600);
        QCOMPARE(map.devices.size(), 18);
#ifdef Q_OS_WIN
        for (const auto &[n, device] : {std::pair{0, ""}, {1, "COM1"}, {3, "COM3"}, {10, "COM10"}, {18, "COM18"}, {19, ""}})
#else
        for (const auto &[n, device] : {std::pair{1, "/dev/ttyS0"}, {2, "/dev/ttyS1"}, {3, "/dev/ttyUSB0"},
                                        {10, "/dev/ttyUSB7"}, {11, "/dev/ttyACM0"}, {18, "/dev/ttyACM7"}, {19, ""}})
#endif
            QCOMPARE(map.deviceFor(n), QString::fromLatin1(device));
    }

    void overrides_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Devices>("changed");
        QTest::addColumn<int>("baudRate");
        const QString dev = QStringLiteral("/dev/board");
        QTest::newRow("no final line end, beyond the defaults")
                << "COM3=/dev/board\nCOM25=/dev/board" << Devices{{3, dev}, {25, dev}} << 9600;
        QTest::newRow("any case, blanks, CR LF, lone CR and blank lines")
                << "\r\n  com3 =  /dev/board \t\r\n\n\tCoM4=/dev/x\rvelocidade = 4800  \r"
                << Devices{{3, dev}, {4, "/dev/x"}} << 4800;
        QTest::newRow("bad lines ignored, the last good one wins")
                << "COM3=/dev/first\nCOM4 /dev/no\nCOMx=/dev/no\nCOM=/dev/no\nCOM0=/dev/no\nCOM5=\n"
                   "COM6=   \n=/dev/no\nPORTA7=/dev/no\nVELOCIDADE=4800\nVELOCIDADE=19200\n"
                   "VELOCIDADE=abc\nVELOCIDADE=0\nVELOCIDADE=-9600\nVELOCIDADE=\nCOM3=/dev/board\n"
                << Devices{{3, dev}} << 19200;
    }

    void overrides()
    {
        QFETCH(QString, table);
        QFETCH(Devices, changed);
        QFETCH(int, baudRate);
        const PortMap defaults = PortMap::platformDefault();
        const PortMap map = withOverrides(defaults, table);
        QCOMPARE(map.baudRate, baudRate);
        for (int n = 0; n <= 30; ++n)
            QCOMPARE(map.deviceFor(n), changed.value(n, defaults.deviceFor(n)));
    }

    void onlyASmallTableIsRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("read");
        QTest::newRow("marked as UTF-8") << "mark" << true;
        QTest::newRow("at the size limit") << "limit" << true;
        QTest::newRow("over the size limit") << "over" << false;
        QTest::newRow("no directory: none in the working one") << "cwd" << false;
    }

    void onlyASmallTableIsRead()
    {
        // A table too large is ignored as a missing one is.
        QFETCH(QString, kind);
        QFETCH(bool, read);
        QTemporaryDir dir;
        QByteArray text("COM3=/dev/board\r\n");
        if (kind == u"mark")
            text.prepend("\xEF\xBB\xBF");
        else if (kind == u"limit" || kind == u"over")
            text += QByteArray(kPortTableMaxBytes - text.size() + (kind == u"over"), '\n');
        QVERIFY(writeFile(dir.filePath(QString::fromLatin1(kPortTableFileName)), text));
        const QString current = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const PortMap map = loadPortMap(kind == u"cwd" ? QString() : dir.path());
        QDir::setCurrent(current);
        QCOMPARE(map.deviceFor(3), read ? QStringLiteral("/dev/board") : PortMap::platformDefault().deviceFor(3));
    }

    void searchTriesEachNumberOnce()
    {
        // From 3 a board on 2 is never seen; the first number that opens wins.
        FakePort port;
        for (int n : {2, 7, 12})
            port.plug(n);
        QCOMPARE(searchPort(port, 3), 7);
        QCOMPARE(port.triedNumbers(), (QList<int>{3, 4, 5, 6, 7}));
        QVERIFY(port.isOpen());
        // Nothing found: every number up to 18 tried once, none above; the port is closed.
        port.clearTried();
        port.plug(19);
        port.unplug(12);
        QCOMPARE(searchPort(port, 8), std::nullopt);
        QCOMPARE(port.triedNumbers(), (QList<int>{8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
        QVERIFY(!port.isOpen());
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestPortMap)
#include "tst_portmap.moc"
