// The switch record on storage that holds it up or cannot take all of it: the relays switch on
// time all the same.

#include "e2etest.h"
#include "../support/files.h"

namespace tavex::test {

class TestE2eSwitchRecord : public E2eTest
{
    Q_OBJECT

private slots:
    void slowStorage()
    {
        // Every open of the record takes two seconds (tests/support/slowopen.cpp).
        program().setLauncher({}, {{u"LD_PRELOAD"_s, QStringLiteral(TAVEX_SLOWOPEN_LIBRARY)},
                                   {u"TAVEX_SLOW_OPEN"_s, u"/state/tavex/acionamentos.log"_s}, {u"TAVEX_SLOW_OPEN_MS"_s, u"2000"_s}});
        const WindowId window = startWithBoard();
        QVERIFY(window != 0 && clickRelay(window, 1) && clickRelay(window, 2) && clickRelay(window, 3) && expectBytes("135"));

        // The start-up's commands follow each other at their 30 ms, and the three clicks as
        // they came: each well within the two seconds an open of the record takes.
        const QList<BoardRecord> received = board().records();
        for (qsizetype i = 1; i < received.size(); ++i)
            QVERIFY2(i == 8 || received[i].epochUs - received[i - 1].epochUs < 1000000,
                     qPrintable(received[i - 1].line + u" then "_s + received[i].line));
        // Their lines come later, every one of them, in order.
        QStringList lines;
        for (int n = 1; n <= 11; ++n)
            lines << (n <= 8 ? u"relé %1 (RELE %1)  desligado  início"_s.arg(n) : u"relé %1 (RELE %1)  ligado  botão"_s.arg(n - 8));
        QTRY_COMPARE_WITH_TIMEOUT(program().switchRecord(), lines, kWindowTimeoutMs);
    }

    void fileSizeLimit()
    {
        // No file may grow beyond 4 KiB, and the record has got there: each of its lines fails,
        // and the program carries on.
        QVERIFY(writeFile(program().stateDir() + u"/acionamentos.log"_s, QByteArray(4096, '\n')));
        program().setLauncher({u"prlimit"_s, u"--fsize=4096"_s});
        QVERIFY(startWithBoard() != 0);
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSwitchRecord)
#include "tst_e2e_switchrecord.moc"
