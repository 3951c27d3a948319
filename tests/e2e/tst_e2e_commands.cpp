// The running program switched and asked from a script: `tavex ligar 3` and the other commands,
// run as a shell or cron would run them, without a display, against the board simulator; and
// peers of its socket that misbehave.

#include "e2etest.h"
#include "../support/files.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTime>

#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tavex::test {

const QString kSeeHelp = u"\nVeja \"tavex --help\"."_s;
// Bad uses, with what they print: refused by the command itself.
const std::pair<QString, QString> kBadUses[]{
        {u"acender 1"_s, u"tavex: comando desconhecido: \"acender\""_s + kSeeHelp},
        {u"ligar 0"_s, u"tavex: o relé deve ser um número de 1 a 8: \"0\""_s + kSeeHelp},
        {u"desligar 9"_s, u"tavex: o relé deve ser um número de 1 a 8: \"9\""_s + kSeeHelp},
        {u"alternar x"_s, u"tavex: o relé deve ser um número de 1 a 8: \"x\""_s + kSeeHelp},
        {u"ligar"_s, u"tavex: falta o número do relé"_s + kSeeHelp},
        {u"ligar 1 2"_s, u"tavex: argumento a mais: \"2\""_s + kSeeHelp}};

// A connection to the program's socket, as any process of the user may make, whose reads
// and writes give up after 10 s; -1 when it cannot be made.
int connectPeer(const QString &socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
        return fd;
    ::close(fd);
    return -1;
}

// Sends `bytes` on a connection until all are sent or the program stops taking them, then
// reads until the program ends the connection, and closes it: how many bytes the program
// took, and its answer (nothing when it has not ended the connection within 10 s).
std::pair<qsizetype, std::optional<QByteArray>> exchange(int fd, const QByteArray &bytes)
{
    qsizetype sent = 0;
    for (ssize_t n = 0; sent < bytes.size() && (n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL)) > 0;)
        sent += n;
    QByteArray answer;
    char buffer[512];
    ssize_t n;
    while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
        answer.append(buffer, n);
    const bool ended = n == 0 || errno == ECONNRESET;
    ::close(fd);
    return {sent, ended ? std::optional(answer) : std::nullopt};
}

class TestE2eCommands : public E2eTest
{
    Q_OBJECT

private slots:
    void switchesAndTellsAsTheWindow()
    {
        // Relay 1 named, its countdown box ticked; relay 2's schedule armed twelve hours away;
        // the extended view hidden.
        const int hour = (QTime::currentTime().hour() + 12) % 24;
        const QByteArray design = "0 h\r\n00\r\n", no = " 0 \r\n", yes = " 1 \r\n";
        QVERIFY(writeFile(program().configDir() + u"/BOTOES.INI"_s, "BOMBA\r\n" + QByteArray("\r\n").repeated(7)));
        QVERIFY(writeFile(program().configDir() + u"/tavex.ini"_s,
                          design.repeated(2) + QByteArray::number(hour) + " h\r\n00\r\n" + QByteArray::number(hour)
                                  + " h\r\n15\r\n" + design.repeated(4) + no + yes + no + no + yes + no.repeated(5)));
        const auto name = [](int relay) { return relay == 1 ? u"BOMBA"_s : u"RELE %1"_s.arg(relay); };
        const WindowId window = startWithBoard();
        QVERIFY(window != 0 && clickRelay(window, 6) && expectNothingMoreFor(500));
        QVERIFY(desktop().click(window, durationField(1)) && desktop().pressKeys(window, u"ctrl+a 9 0 0"_s));

        // Each switch is the verb's byte, its line on the standard output and a record line.
        QStringList record;
        const auto verb = [&](const QString &word, int relay, bool on) {
            const QString state = on ? u"ligado"_s : u"desligado"_s;
            record << u"relé %1 (%2)  %3  comando"_s.arg(relay).arg(name(relay), state);
            return command(u"%1 %2"_s.arg(word).arg(relay), 0, QByteArray(1, (on ? "1357ACEG" : "2468BDFH")[relay - 1]),
                           u"relé %1 %2"_s.arg(relay).arg(state));
        };
        QVERIFY(verb(u"ligar"_s, 3, true) && command(u"ligar 3"_s, 0, {}, u"relé 3 já estava ligado"_s));
        QVERIFY(verb(u"desligar"_s, 3, false) && command(u"desligar 3"_s, 0, {}, u"relé 3 já estava desligado"_s));
        QVERIFY(verb(u"alternar"_s, 4, true) && verb(u"alternar"_s, 4, false));
        // Twenty in a row across relays 3 to 8, hidden ones too: each arrives in its turn.
        for (int i = 0; i < 20; ++i)
            QVERIFY(verb(u"alternar"_s, 3 + i % 6, i / 6 % 2 == 0));
        QVERIFY(command(u"ligar 2"_s, 4, {}, u"tavex: o relé 2 está preso ao seu agendamento; desarme o agendamento para acioná-lo"_s));
        // Relay 1 switched on starts its countdown, as a click does.
        QVERIFY(verb(u"ligar"_s, 1, true));
        QTRY_COMPARE_WITH_TIMEOUT(program().switchRecord().mid(8), record, kByteTimeoutMs);

        // Its state, as text and as JSON: names, states, the countdown's seconds left (8xx or 900
        // here), the schedule and the port.
        QString text;
        QJsonArray relays;
        const QString on = QTime(hour, 0).toString(u"HH:mm"), off = QTime(hour, 15).toString(u"HH:mm");
        for (int relay = 1; relay <= 8; ++relay) {
            QJsonObject json{{u"numero"_s, relay}, {u"nome"_s, name(relay)}, {u"ligado"_s, relay == 1 || relay >= 5}};
            text += u"Relé %1 \"%2\": %3"_s.arg(relay).arg(name(relay), json[u"ligado"].toBool() ? u"ligado"_s : u"desligado"_s);
            if (relay == 1)
                text += u"; faltam N s"_s, json[u"contagem"] = QJsonObject{{u"restante"_s, -1}};
            if (relay == 2)
                text += u"; agendado: liga %1, desliga %2"_s.arg(on, off), json[u"agendamento"] = QJsonObject{{u"liga"_s, on}, {u"desliga"_s, off}};
            text += u'\n';
            relays.append(json);
        }
        TavexProcess::CommandRun state = program().runCommand({u"estado"_s}), json = program().runCommand({u"estado"_s, u"--json"_s});
        QVERIFY(state.status == 0 && json.status == 0 && (state.err + json.err).isEmpty());
        QCOMPARE(state.out.replace(QRegularExpression(u"faltam (8\\d\\d|900) s"_s), u"faltam N s"_s), text + u"Porta: COM 3\n"_s);
        json.out.replace(QRegularExpression(u"(\"restante\": *)(8\\d\\d|900)\\b"_s), u"\\1-1"_s);
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object(), (QJsonObject{{u"porta"_s, u"COM 3"_s}, {u"reles"_s, relays}}));
    }

    void cablePulled()
    {
        // As a failed click: the cable message in the window, and the record says so. The state
        // then has no port.
        QVERIFY(startWithBoard() != 0 && board().drop());
        QVERIFY(command(u"ligar 1"_s, 1, {}, u"tavex: a placa não recebeu o comando do relé 1 (cabo desconectado?)"_s));
        QVERIFY(answerMessage(kCableLossTitle));
        QTRY_COMPARE_WITH_TIMEOUT(program().switchRecord().value(8), u"relé 1 (RELE 1)  ligado  comando  falhou"_s, kByteTimeoutMs);
        QVERIFY(program().runCommand({u"estado"_s}).out.endsWith(u"\nPorta: nenhuma\n"_s));
        QVERIFY(QJsonDocument::fromJson(program().runCommand({u"estado"_s, u"--json"_s}).out.toUtf8())[u"porta"].isNull());
    }

    void noTavexRunning()
    {
        // Killed: its socket is left behind, and nobody listens on it.
        QVERIFY(startWithBoard() != 0 && endProgramWith(SIGKILL) && desktop().waitForNoWindow(kMainWindowTitle));
        // Given the display, it shows nothing on it and says so within the 2 s it promises
        // (3 s, for a busy machine).
        QElapsedTimer clock;
        clock.start();
        const TavexProcess::CommandRun run = program().runCommand({u"ligar"_s, u"1"_s}, true);
        QCOMPARE(run.status, 3);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(run.err, u"tavex: o TAVEX não está aberto\n"_s);
        QCOMPARE(desktop().windows(kMainWindowTitle).value_or(QList<WindowId>{0}), QList<WindowId>());
        // Bad uses and the version are answered without it, and nothing is written.
        for (const auto &[use, text] : kBadUses)
            QVERIFY(command(use, 2, {}, text));
        QVERIFY(command(u"--version"_s, 0, {}, QStringLiteral("TAVEX " TAVEX_VERSION)));
    }

    void misbehavingPeers()
    {
        // While a peer says nothing and stays, the window switches; lines that are no commands
        // are refused, whoever wrote them.
        const QString socket = program().path(u"runtime/tavex.socket"_s);
        const WindowId window = startWithBoard();
        const int silent = connectPeer(socket);
        QVERIFY(window != 0 && silent >= 0 && clickRelay(window, 1) && expectBytes("1"));
        for (const QByteArray &line : {QByteArrayLiteral("\xff\xfe\x01 garbage\0\n"), "ligar 9\n"_ba, "alternar 42\n"_ba, "\n"_ba})
            QVERIFY2(exchange(connectPeer(socket), line).second.value_or("").startsWith("2\n"), line.constData());
        // A line that never ends is cut off unanswered, before a mebibyte of it is taken in,
        // and the silent peer is dropped unanswered; a script's command still works.
        const auto [taken, answer] = exchange(connectPeer(socket), QByteArray(1 << 20, ' '));
        QVERIFY(taken < 1 << 20 && answer == QByteArray() && exchange(silent, {}).second == QByteArray());
        QVERIFY(command(u"alternar 1"_s, 0, "2", u"relé 1 desligado"_s));
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eCommands)
#include "tst_e2e_commands.moc"
