#include "link/link.h"
#include "link/portsearch.h"
#include "support/fakeport.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavex;
using tavex::test::FakePort;

class TestPortSearch : public QObject
{
    Q_OBJECT

private slots:
    void captions();
    void searchTriesEachNumberOnce();
    void linkKeepsTheLabel();
    void commandsReachThePort();
};

void TestPortSearch::captions()
{
    QCOMPARE(portCaption(3), u"COM 3");
    QCOMPARE(portCaption(10), u"COM 10");
    QCOMPARE(portCaption(18), u"COM 18");
    QCOMPARE(portCaption(3).size(), 5);
    QCOMPARE(noPortCaption(), u"Nenhuma");
}

void TestPortSearch::searchTriesEachNumberOnce()
{
    FakePort port;
    port.plug(2);
    port.plug(7);
    port.plug(12);

    // From 3 a board on 2 is never seen; the first number that opens wins.
    QCOMPARE(searchPort(port, 3), 7);
    QCOMPARE(port.triedNumbers(), (QList<int>{3, 4, 5, 6, 7}));
    QVERIFY(port.isOpen());
    QCOMPARE(port.portNumber(), 7);

    // From 1 a built-in port 1 or 2 is taken first.
    port.clearTried();
    QCOMPARE(searchPort(port, 1), 2);
    QCOMPARE(port.triedNumbers(), (QList<int>{1, 2}));

    // Nothing open: every number from the first to 18 tried once, none above, port closed.
    FakePort empty;
    QCOMPARE(searchPort(empty, 3), std::nullopt);
    QList<int> expected;
    for (int n = 3; n <= 18; ++n)
        expected << n;
    QCOMPARE(empty.triedNumbers(), expected);
    QVERIFY(!empty.isOpen());

    FakePort high;
    high.plug(19);
    QCOMPARE(searchPort(high, 1), std::nullopt);
}

void TestPortSearch::linkKeepsTheLabel()
{
    FakePort port;
    Link link(port);
    QSignalSpy captions(&link, &Link::captionChanged);
    QSignalSpy found(&link, &Link::portFound);
    QCOMPARE(link.caption(), u"?");
    QCOMPARE(link.portaInicial(), 3);

    port.plug(5);
    QVERIFY(link.search());
    QCOMPARE(link.caption(), u"COM 5");
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(0).toInt(), 5);

    // A search without a result never leaves the name of a port that is closed.
    port.unplugAll();
    link.closeIfOpen();
    QVERIFY(!link.search());
    QCOMPARE(link.caption(), u"Nenhuma");
    QCOMPARE(found.size(), 1);
    QCOMPARE(captions.size(), 2);

    // The own serial port's search starts at 1.
    port.plug(1);
    port.plug(4);
    link.setPortaInicial(1);
    QVERIFY(link.search());
    QCOMPARE(link.caption(), u"COM 1");
}

void TestPortSearch::commandsReachThePort()
{
    FakePort port;
    Link link(port);
    port.plug(3);
    QVERIFY(!link.send(1, Switch::On)); // not open yet
    QVERIFY(link.search());
    for (int relay = 1; relay <= 8; ++relay) {
        QVERIFY(link.send(relay, Switch::On));
        QVERIFY(link.send(relay, Switch::Off));
    }
    QCOMPARE(port.written(), QByteArray("12345678ABCDEFGH"));
}

QTEST_GUILESS_MAIN(TestPortSearch)
#include "tst_portsearch.moc"
