#include "platform/quitsignals.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <qt_windows.h>

namespace tavex::test {

// The session's end, as Windows tells it to the program's thread.
class TestQuitSignalsWindows : public QObject
{
    Q_OBJECT

private slots:
    void sessionEndArrivesOnce()
    {
        QuitSignals quit;
        QSignalSpy arrived(&quit, &QuitSignals::arrived);
        const auto tell = [](WPARAM ending) { return ::PostThreadMessageW(::GetCurrentThreadId(), WM_ENDSESSION, ending, 0); };
        // The session goes on after all.
        QVERIFY(tell(FALSE));
        QCoreApplication::processEvents();
        QCOMPARE(arrived.size(), 0);
        // It ends, and its end is told again.
        QVERIFY(tell(TRUE) && tell(TRUE));
        QCoreApplication::processEvents();
        QVERIFY(quit.hasArrived() && arrived.size() == 1);
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestQuitSignalsWindows)
#include "tst_quitsignals_win.moc"
