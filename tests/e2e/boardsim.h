#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tavex::test {

// One line of the simulator's record file.
struct BoardRecord
{
    qint64 epochUs = 0;
    int byte = -1;
    char command = '?';
    int relay = 0;
    // "ON", "OFF", "UNKNOWN", or "MALFORMED" for a line that could not be read.
    QString state;
    QString line;

    bool isRelayCommand() const { return state == u"ON" || state == u"OFF"; }
};

// The board simulator (tavex-boardsim) as a child process: a pseudo-terminal behind a
// symlink, a record of every byte received, and a cable that can be pulled and plugged.
class BoardSim
{
public:
    explicit BoardSim(QString program);
    ~BoardSim();
    BoardSim(const BoardSim &) = delete;
    BoardSim &operator=(const BoardSim &) = delete;

    // Puts the board at `linkPath` and waits until it is there.
    bool start(const QString &linkPath, const QString &recordPath);
    // Pulls the cable: the link goes away and the program's descriptor is hung up.
    bool drop();
    // Plugs it back on a fresh pseudo-terminal, at `linkPath` or where it was.
    bool restore(const QString &linkPath = {});
    void stop();

    // Every complete line of the record file so far.
    QList<BoardRecord> records() const;
    // The bytes received so far, in order.
    QByteArray received() const;
    bool waitForRecords(int count, int timeoutMs) const;

    // What the simulator printed, and the last failure, for reports.
    QString output() const;
    QString error() const { return m_error; }

private:
    bool sendAndWait(const QString &command, const QString &replyPrefix);
    bool waitForLine(const QString &prefix, int timeoutMs);
    void readOutput();

    QString m_program;
    QString m_recordPath;
    QProcess m_process;
    QByteArray m_pending;
    QStringList m_lines;
    qsizetype m_checkedLines = 0;
    QString m_error;
};

} // namespace tavex::test
