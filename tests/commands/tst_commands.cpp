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
    RelayBoard board{port, clock, [](const QString &) {}};
    CommandDesk desk{board, [](int) { return RelayExtras{}; }};
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

    void requestBounds()
    {
        // Collected as it comes, up to the line end; a request without one is cut at the bound.
        RequestFrame frame;
        QCOMPARE(frame.add("lig"), RequestFrame::State::Incomplete);
        QCOMPARE(frame.add("ar 2\nestado\n"), RequestFrame::State::Complete);
        QCOMPARE(frame.line(), "ligar 2\n");
        RequestFrame longest;
        QCOMPARE(longest.add(QByteArray(kMaxRequestBytes - 1, 'x') + '\n'), RequestFrame::State::Complete);
        RequestFrame tooLong;
        QCOMPARE(tooLong.add(QByteArray(kMaxRequestBytes, 'x')), RequestFrame::State::Incomplete);
        QCOMPARE(tooLong.add("\n"), RequestFrame::State::TooLong);
        QCOMPARE(RequestFrame().add(QByteArray(1 << 20, 'x')), RequestFrame::State::TooLong);
        // An answer cut short is none.
        QVERIFY(!parseReply("4"));
        QCOMPARE(parseReply("1\nsem placa")->status, CommandStatus::NotWritten);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
