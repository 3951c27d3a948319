#include "link/portmap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace tavex::test {

class TestPortMap : public QObject
{
    Q_OBJECT

private slots:
    void platformDefault();
    void overrides_data();
    void overrides();
    void loadFromDirectory();
    void onlyASmallPlainFileIsRead_data();
    void onlyASmallPlainFileIsRead();
};

void TestPortMap::platformDefault()
{
    const PortMap map = PortMap::platformDefault();
    QCOMPARE(map.baudRate, 9600);
    QCOMPARE(map.devices.size(), 18);
#ifndef Q_OS_WIN
    QCOMPARE(map.deviceFor(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(map.deviceFor(2), QStringLiteral("/dev/ttyS1"));
    QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(map.deviceFor(10), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(map.deviceFor(11), QStringLiteral("/dev/ttyACM0"));
    QCOMPARE(map.deviceFor(18), QStringLiteral("/dev/ttyACM7"));
#endif
    QVERIFY(map.deviceFor(0).isEmpty());
    QVERIFY(map.deviceFor(19).isEmpty());
    QVERIFY(map.deviceFor(-1).isEmpty());
}

using Devices = QMap<int, QString>;

void TestPortMap::overrides_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<Devices>("changed");
    QTest::addColumn<int>("baudRate");

    const QString dev = QStringLiteral("/dev/board");
    QTest::newRow("empty") << QString() << Devices{} << 9600;
    QTest::newRow("one number") << QStringLiteral("COM3=/dev/board\n") << Devices{{3, dev}} << 9600;
    QTest::newRow("no final line end") << QStringLiteral("COM18=/dev/board")
                                       << Devices{{18, dev}} << 9600;
    QTest::newRow("number beyond the defaults")
            << QStringLiteral("COM25=/dev/board\n") << Devices{{25, dev}} << 9600;
    QTest::newRow("speed") << QStringLiteral("VELOCIDADE=19200\n") << Devices{} << 19200;
    QTest::newRow("keys in any case")
            << QStringLiteral("com3=/dev/board\nCoM4=/dev/other\nvelocidade=4800\n")
            << Devices{{3, dev}, {4, QStringLiteral("/dev/other")}} << 4800;
    QTest::newRow("blanks around key and value")
            << QStringLiteral("  COM3 =  /dev/board \t\n\tVELOCIDADE = 19200  \n")
            << Devices{{3, dev}} << 19200;
    QTest::newRow("CR LF") << QStringLiteral("COM3=/dev/board\r\nVELOCIDADE=19200\r\nCOM4=/dev/x\r\n")
                           << Devices{{3, dev}, {4, QStringLiteral("/dev/x")}} << 19200;
    QTest::newRow("blank lines") << QStringLiteral("\n\r\n   \nCOM3=/dev/board\n\n")
                                 << Devices{{3, dev}} << 9600;
    QTest::newRow("bad lines ignored, good ones kept")
            << QStringLiteral("COM4 /dev/nothing\n"
                              "COMx=/dev/nothing\n"
                              "COM=/dev/nothing\n"
                              "COM0=/dev/nothing\n"
                              "COM5=\n"
                              "COM6=   \n"
                              "=/dev/nothing\n"
                              "PORTA7=/dev/nothing\n"
                              "VELOCIDADE=abc\n"
                              "VELOCIDADE=0\n"
                              "VELOCIDADE=-9600\n"
                              "VELOCIDADE=\n"
                              "COM3=/dev/board\n")
            << Devices{{3, dev}} << 9600;
    QTest::newRow("bad speed keeps an earlier good one")
            << QStringLiteral("VELOCIDADE=19200\nVELOCIDADE=abc\nVELOCIDADE=0\n") << Devices{}
            << 19200;
    QTest::newRow("later line wins")
            << QStringLiteral("COM3=/dev/first\nVELOCIDADE=4800\nCOM3=/dev/board\nVELOCIDADE=19200\n")
            << Devices{{3, dev}} << 19200;
}

void TestPortMap::overrides()
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

void TestPortMap::loadFromDirectory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const PortMap defaults = PortMap::platformDefault();

    PortMap map = loadPortMap(dir.path());
    QCOMPARE(map.devices, defaults.devices);
    QCOMPARE(map.baudRate, defaults.baudRate);

    QFile table(QDir(dir.path()).filePath(QString::fromLatin1(kPortTableFileName)));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("COM3=/dev/board\r\nVELOCIDADE=19200\r\n");
    table.close();
    map = loadPortMap(dir.path());
    QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/board"));
    QCOMPARE(map.deviceFor(4), defaults.deviceFor(4));
    QCOMPARE(map.baudRate, 19200);

    // As saved by an editor that marks UTF-8 text: the mark is not part of the first key.
    QVERIFY(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    table.write("\xEF\xBB\xBF" "COM3=/dev/marked\r\nCOM4=/dev/plain\r\n");
    table.close();
    map = loadPortMap(dir.path());
    QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/marked"));
    QCOMPARE(map.deviceFor(4), QStringLiteral("/dev/plain"));
}

void TestPortMap::onlyASmallPlainFileIsRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("read");
    QTest::newRow("at the size limit") << "file of the limit" << true;
    QTest::newRow("over the size limit") << "file over the limit" << false;
    QTest::newRow("named pipe") << "fifo" << false;
    QTest::newRow("link to an endless device") << "link to /dev/zero" << false;
}

void TestPortMap::onlyASmallPlainFileIsRead()
{
    // Anything but a regular file of reasonable size is ignored as a missing table is, at
    // once: a pipe would block the start for good, an endless device exhaust the memory.
    QFETCH(QString, kind);
    QFETCH(bool, read);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = QDir(dir.path()).filePath(QString::fromLatin1(kPortTableFileName));
    if (kind.startsWith(u"file")) {
        QByteArray text("COM3=/dev/board\n");
        const qint64 size = kPortTableMaxBytes + (kind.endsWith(u"over the limit") ? 1 : 0);
        text += QByteArray(size - text.size(), '\n');
        QFile table(path);
        QVERIFY(table.open(QIODevice::WriteOnly));
        QCOMPARE(table.write(text), size);
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    }
    const PortMap map = loadPortMap(dir.path());
    const QString device = PortMap::platformDefault().deviceFor(3);
    QCOMPARE(map.deviceFor(3), read ? QStringLiteral("/dev/board") : device);
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestPortMap)
#include "tst_portmap.moc"
