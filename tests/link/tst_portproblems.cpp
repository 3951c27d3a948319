// The messages that say no port could be opened tell why, beneath their text.

#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestPortProblems : public QObject
{
    Q_OBJECT

private slots:
    void detailsOfEveryPortTried();
};

void TestPortProblems::detailsOfEveryPortTried()
{
    WindowFixture f(0);
    f.port().refuse(4, OpenFailure::PermissionDenied);
    f.port().refuse(5, OpenFailure::InUse);
    f.port().refuse(6, OpenFailure::NotSerialDevice);
    f.port().refuse(7, OpenFailure::Other);
    f.window().Form_Load();

    QCOMPARE(f.messages().shown().size(), 1);
    const QStringList lines = f.messages().shown().first().details.split(u'\n');
    QCOMPARE(lines.mid(0, 6), (QStringList{"Portas tentadas:",
                                           "COM 3 (/dev/fake3): não existe neste computador",
                                           "COM 4 (/dev/fake4): sem permissão de acesso",
                                           "COM 5 (/dev/fake5): em uso por outro programa",
                                           "COM 6 (/dev/fake6): não é uma porta serial",
                                           "COM 7 (/dev/fake7): não pôde ser aberta"}));
    QCOMPARE(lines.filter(QStringLiteral("COM ")).size(), 16);
    QVERIFY(lines.contains(u"sudo adduser $USER dialout"));
    QVERIFY(lines.last().contains(u"saia da sessão e entre de novo"));

    // A switch that fails after that search offers the same details; the search after OK
    // finds the board, and the next failure has none to tell.
    f.messages().whileOpen = [&] { f.port().plug(3); };
    f.window().btn_rele2_Click();
    QCOMPARE(f.messages().shown().last().title, u"Cabo Desconectado");
    QCOMPARE(f.messages().shown().last().details.split(u'\n').mid(0, 2), lines.mid(0, 2));
    QCOMPARE(f.portLabel(), u"COM 3");
    f.port().unplug(3);
    f.window().btn_rele2_Click();
    QVERIFY(f.messages().shown().last().details.isEmpty());
}

QTEST_MAIN(TestPortProblems)
#include "tst_portproblems.moc"
