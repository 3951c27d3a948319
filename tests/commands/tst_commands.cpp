#include "commands/commanddesk.h"
#include "relays/relayboard.h"
#include "support/fakeclock.h"
#include "support/fakeport.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;
using namespace Qt::StringLiterals;

namespace {

// The relay board on a fake port 3, and the desk that answers for it. (What the desk's answers
// do to the board and tell of it, through the running program: tst_e2e_commands.)
struct Desk
{
    Desk()
    {
        port.plug(3);
        board.search();
        port.clearWritten();
    }
    QByteArray ask(const QString &line) { return desk.answer((line + u'\n').toUtf8()); }

    FakePort port;
    FakeClock clock;
    QStringList record;
    RelayBoard board{port, clock, [this](const QString &line) { record << line.mid(21); }};
    // Relay 4's schedule is armed.
    CommandDesk desk{board, [](int relay) { return relay == 4 ? RelayExtras{{}, ArmedSchedule{}} : RelayExtras{}; }};
};

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void arguments_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("heard"); // the request's line, or "tavex: " and why not
        QTest::newRow("on") << u"ligar 1"_s << u"ligar 1"_s;
        QTest::newRow("relay 8") << u"alternar 8"_s << u"alternar 8"_s;
        QTest::newRow("state as JSON") << u"estado --json"_s << u"estado --json"_s;
        QTest::newRow("nothing") << u""_s << u"falta o comando"_s;
        QTest::newRow("no such verb") << u"acender 1"_s << uR"(comando desconhecido: "acender")"_s;
        QTest::newRow("no relay") << u"desligar"_s << u"falta o número do relé"_s;
        QTest::newRow("relay 9") << u"ligar 9"_s << uR"(o relé deve ser um número de 1 a 8: "9")"_s;
        QTest::newRow("relay 0") << u"ligar 0"_s << uR"(o relé deve ser um número de 1 a 8: "0")"_s;
        QTest::newRow("relay 10") << u"ligar 10"_s << uR"(o relé deve ser um número de 1 a 8: "10")"_s;
        QTest::newRow("two relays") << u"ligar 1 2"_s << uR"(argumento a mais: "2")"_s;
        QTest::newRow("state in another form") << u"estado --xml"_s << uR"(argumento a mais: "--xml")"_s;
    }

    void arguments()
    {
        // The arguments, and the same as a line that reaches the running copy.
        QFETCH(QString, arguments);
        QFETCH(QString, heard);
        const auto parsed = parseRequest(arguments.split(u' ', Qt::SkipEmptyParts));
        const auto *bad = std::get_if<BadUse>(&parsed);
        QCOMPARE(bad ? bad->reason : QString::fromUtf8(requestLine(std::get<Request>(parsed))).chopped(1), heard);
        Desk d;
        if (bad)
            QCOMPARE(d.ask(arguments), "2\ntavex: " + heard.toUtf8() + '\n');
        QVERIFY(std::holds_alternative<BadUse>(parseRequestLine(arguments.toUtf8())));
        QCOMPARE(d.port.written(), QByteArray());
    }

    void switching_data()
    {
        QTest::addColumn<QString>("request"); // "-": the cable pulled first
        QTest::addColumn<QByteArray>("answer"); // its status and the bytes written
        QTest::addColumn<QString>("recorded");
        const QString line = u"relé 3 (RELE 3)  ligado  comando"_s;
        QTest::newRow("made") << u"ligar 3"_s << "0 5"_ba << line;
        QTest::newRow("already so") << u"desligar 2"_s << "0 "_ba << QString();
        QTest::newRow("held by its armed schedule") << u"alternar 4"_s << "4 "_ba << QString();
        QTest::newRow("the cable pulled") << u"-ligar 3"_s << "1 "_ba << line + u"  falhou"_s;
    }

    void switching()
    {
        QFETCH(QString, request);
        QFETCH(QByteArray, answer);
        QFETCH(QString, recorded);
        Desk d;
        if (request.startsWith(u'-'))
            d.port.unplug(3);
        const QByteArray status = d.ask(request.remove(u'-')).left(1);
        QCOMPARE(status + ' ' + d.port.written(), answer);
        QCOMPARE(d.record.join(u'\n'), recorded);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
