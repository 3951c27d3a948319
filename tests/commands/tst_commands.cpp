#include "commands/commanddesk.h"
#include "link/link.h"
#include "relays/relaybank.h"
#include "relays/relayboard.h"
#include "support/fakeclock.h"
#include "support/fakeport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using namespace tavex;
using namespace tavex::test;
using namespace Qt::StringLiterals;

namespace {

// The relay board on a fake port 3, relay 2 on, and the desk that answers for it; relay 4's
// schedule is armed.
struct Desk
{
    Desk()
    {
        port.plug(3);
        board.search();
        board.switchByHand(2);
        port.clearWritten();
        record.clear();
    }
    QByteArray ask(const QString &line) { return desk.answer((line + u'\n').toUtf8()); }

    FakePort port;
    FakeClock clock;
    QStringList record;
    RelayBoard board{port, clock, [this](const QString &line) { record << line.mid(21); }};
    CommandDesk desk{board, [](int relay) {
        return relay == 4 ? RelayExtras{299, ArmedSchedule{u"07:00"_s, u"07:15"_s}} : RelayExtras{};
    }};
    QSignalSpy failed{&desk, &CommandDesk::switchFailed};
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

    void switching_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<bool>("pulled");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("on") << u"ligar 3"_s << false << "0\nrelé 3 ligado\n"_ba << "5"_ba << u"relé 3 (RELE 3)  ligado  comando"_s;
        QTest::newRow("off") << u"desligar 2"_s << false << "0\nrelé 2 desligado\n"_ba << "4"_ba << u"relé 2 (RELE 2)  desligado  comando"_s;
        QTest::newRow("toggled off") << u"alternar 2"_s << false << "0\nrelé 2 desligado\n"_ba << "4"_ba << u"relé 2 (RELE 2)  desligado  comando"_s;
        QTest::newRow("toggled on, an extended relay") << u"alternar 7"_s << false << "0\nrelé 7 ligado\n"_ba << "E"_ba << u"relé 7 (RELE 7)  ligado  comando"_s;
        QTest::newRow("already on") << u"ligar 2"_s << false << "0\nrelé 2 já estava ligado\n"_ba << ""_ba << QString();
        QTest::newRow("already off") << u"desligar 5"_s << false << "0\nrelé 5 já estava desligado\n"_ba << ""_ba << QString();
        QTest::newRow("held by its schedule") << u"ligar 4"_s << false
                << "4\ntavex: o relé 4 está preso ao seu agendamento; desarme o agendamento para acioná-lo\n"_ba << ""_ba << QString();
        QTest::newRow("the cable pulled") << u"ligar 3"_s << true
                << "1\ntavex: a placa não recebeu o comando do relé 3 (cabo desconectado?)\n"_ba << ""_ba
                << u"relé 3 (RELE 3)  ligado  comando  falhou"_s;
    }

    void switching()
    {
        // A verb switches as a click does, under its own cause.
        QFETCH(QString, request);
        QFETCH(bool, pulled);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, written);
        QFETCH(QString, recorded);
        Desk d;
        if (pulled)
            d.port.unplug(3);
        QCOMPARE(d.ask(request), answer);
        QCOMPARE(d.port.written(), written);
        QCOMPARE(d.record, recorded.isEmpty() ? QStringList() : QStringList{recorded});
        QCOMPARE(d.failed.size(), int(pulled));
        QCOMPARE(d.board.link().boardKnownGone(), pulled);
    }

    void state()
    {
        // Every relay, a countdown's seconds and an armed schedule; the port while one is open.
        Desk d;
        d.board.relays().setNomeRele(2, u"Bomba \"d'água\""_s);
        const QString text = QString::fromUtf8(d.ask(u"estado"_s));
        QVERIFY2(text.startsWith(u"0\nRelé 1 \"RELE 1\": desligado\nRelé 2 \"Bomba \"d'água\"\": ligado\n"
                                 u"Relé 3 \"RELE 3\": desligado\nRelé 4 \"RELE 4\": desligado; faltam 299 s; agendado: liga 07:00, desliga 07:15\n"_s), qPrintable(text));
        QVERIFY2(text.endsWith(u"Relé 8 \"RELE 8\": desligado\nPorta: COM 3\n"_s), qPrintable(text));
        const QByteArray json = d.ask(u"estado --json"_s);
        QVERIFY(json.startsWith("0\n"));
        const QJsonObject root = QJsonDocument::fromJson(json.mid(2)).object();
        QCOMPARE(root[u"porta"].toString(), u"COM 3");
        QCOMPARE(root[u"reles"][1].toObject(), QJsonObject({{u"numero"_s, 2}, {u"nome"_s, u"Bomba \"d'água\""_s}, {u"ligado"_s, true}}));
        QCOMPARE(root[u"reles"][3][u"contagem"][u"restante"].toInteger(), 299);
        QCOMPARE(root[u"reles"][3][u"agendamento"][u"desliga"].toString(), u"07:15");
        QCOMPARE(root[u"reles"].toArray().size(), 8);
        d.port.unplug(3);
        d.ask(u"ligar 1"_s);
        QVERIFY(d.ask(u"estado"_s).endsWith("Porta: nenhuma\n"));
        QVERIFY(QJsonDocument::fromJson(d.ask(u"estado --json"_s).mid(2))[u"porta"].isNull());
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
