#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tavex {

// An armed schedule's switch-on and switch-off times, as its boxes read ("07:00").
struct ArmedSchedule
{
    QString on;
    QString off;
};

// What the window shows of a relay beyond its state: the seconds its countdown has left while
// it runs, and its schedule while armed, which then holds the relay.
struct RelayExtras
{
    std::optional<qint64> secondsLeft;
    std::optional<ArmedSchedule> schedule;
};

// What `estado` tells of one relay.
struct RelayState
{
    int number = 0;
    QString name;
    bool on = false;
    RelayExtras extras;
};

struct BoardState
{
    std::optional<QString> port; // "COM 3"; nothing while no port is open
    QList<RelayState> relays;
};

// One line per relay, then the port:
//   Relé 1 "Bomba": ligado; faltam 299 s; agendado: liga 07:00, desliga 07:15
//   Porta: COM 3
QString boardStateText(const BoardState &state);
// The same as one JSON object, keys in Portuguese, in UTF-8 with a line end.
QByteArray boardStateJson(const BoardState &state);

} // namespace tavex
