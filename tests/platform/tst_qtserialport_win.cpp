#include "platform/qtserialport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace tavex::test {

// Why a port did not open on Windows, told from Windows' own errors. (A port that another
// program holds is refused with "access denied", which Wine, under which these tests run,
// never gives: it does not keep ports to one program.)
class TestQtSerialPortWindows : public QObject
{
    Q_OBJECT

private slots:
    void saysWhyAPortDidNotOpen_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<OpenFailure>("failure");
        QTest::newRow("a COM number nothing stands for") << "COM250" << OpenFailure::Absent;
        QTest::newRow("a plain file") << "plain" << OpenFailure::NotSerialDevice;
        QTest::newRow("a folder") << "." << OpenFailure::NotSerialDevice;
    }

    void saysWhyAPortDidNotOpen()
    {
        QFETCH(QString, device);
        QFETCH(OpenFailure, failure);
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("x") == 1);
        plain.close();
        if (!device.startsWith(u"COM"))
            device = QDir::toNativeSeparators(dir.filePath(device));
        QtSerialPort port(withOverrides(PortMap::platformDefault(), QStringLiteral("COM3=") + device));
        port.setPortNumber(3);
        QVERIFY(!port.open());
        QCOMPARE(port.openFailure(), failure);
        QVERIFY(!port.write("1"));
        QCOMPARE(QFile(plain.fileName()).size(), 1);
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestQtSerialPortWindows)
#include "tst_qtserialport_win.moc"
