#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <variant>

namespace tavex {

// What a command line asks of the running TAVEX, or of the program itself (help, version).
enum class Verb {
    Ligar,    // relay N on
    Desligar, // relay N off
    Alternar, // relay N to its other state
    Estado,   // every relay and the port, as text or JSON
    Mostrar,  // the window to the front: what a second start of the window asks
    Ajuda,    // --help
    Versao,   // --version
};

struct Request
{
    Verb verb = Verb::Estado;
    int relay = 0;     // 1 to 8 for the three switching verbs
    bool json = false; // estado --json
};

// Why the arguments are no request: one line, without the program's name.
struct BadUse
{
    QString reason;
};

// Reads the arguments that follow the program's name. Exactly one verb, each switching verb
// with one relay number from 1 to 8 in plain digits, "estado" with "--json" or nothing.
std::variant<Request, BadUse> parseRequest(const QStringList &arguments);

// A request as it travels to the running copy: its arguments between single blanks and a
// line end, in UTF-8. The running copy parses the line again, since anyone of the same user
// may have written it.
QByteArray requestLine(const Request &request);
std::variant<Request, BadUse> parseRequestLine(QByteArrayView line);

// The texts that the program itself prints for --help and --version.
QString helpText();
QString versionText();

} // namespace tavex
