// The converter cable pulled out while the program runs, and plugged back.

#include "e2etest.h"

#include <QTest>

namespace tavex::test {

class TestE2eCableLoss : public E2eTest
{
    Q_OBJECT

private slots:
    void replugged();
    void stillOutAtOk();
};

void TestE2eCableLoss::replugged()
{
    // The board starts on COM3; COM4 leads to where it may come back.
    const QString otherPlace = session().path(QStringLiteral("board-again"));
    session().program().mapPort(4, otherPlace);
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // Pulled out: switching relay 2 on fails and the program asks for the cable.
    QVERIFY2(board().drop(), qPrintable(board().error()));
    QVERIFY2(clickRelay(window, 2), why());
    QVERIFY2(waitForWindow(kCableLossTitle) != 0, why());

    // Plugged back where COM4 leads; OK makes the program find it there. The command that
    // failed is not sent again by itself...
    QVERIFY2(board().restore(otherPlace), qPrintable(board().error()));
    QVERIFY2(answerMessage(kCableLossTitle), why());
    QVERIFY2(expectNothingMoreFor(500), why());

    // ...the next click repeats it, and this time it gets through without a message.
    QVERIFY2(clickRelay(window, 2), why());
    QVERIFY2(expectBytes("3"), why());
    QVERIFY2(noWindowFor(kCableLossTitle, 1000), why());
}

void TestE2eCableLoss::stillOutAtOk()
{
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // OK without plugging the cable back: the search finds nothing...
    QVERIFY2(board().drop(), qPrintable(board().error()));
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(answerMessage(kCableLossTitle), why());

    // ...so the next click asks again.
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(waitForWindow(kCableLossTitle) != 0, why());

    QVERIFY2(board().restore(), qPrintable(board().error()));
    QVERIFY2(answerMessage(kCableLossTitle), why());
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(expectBytes("1"), why());
    QVERIFY2(noWindowFor(kCableLossTitle, 1000), why());
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eCableLoss)
#include "tst_e2e_cableloss.moc"
