#include "platform/qtserialport.h"
#include "support/files.h"

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
    void saysWhyAPortDidNotOpen()
    {
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("plain"));
        QVERIFY(writeFile(plain, "x"));
        for (const auto &[device, failure] : {std::pair{QStringLiteral("COM250"), OpenFailure::Absent},
                                              {QDir::toNativeSeparators(plain), OpenFailure::NotSerialDevice},
                                              {QDir::toNativeSeparators(dir.path()), OpenFailure::NotSerialDevice}}) {
            QtSerialPort port(withOverrides(PortMap::platformDefault(), QStringLiteral("COM3=") + device));
            port.setPortNumber(3);
            QVERIFY2(!port.open() && port.openFailure() == failure && !port.write("1"), qPrintable(device));
        }
        QCOMPARE(readFile(plain), QByteArray("x"));
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestQtSerialPortWindows)
#include "tst_qtserialport_win.moc"
