#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace tavex::test {

// The program itself, started as a user would start it, but with a home, a configuration
// directory and a port table of its own in a temporary directory, on the given X display.
class TavexProcess
{
public:
    // Every port number the program may search.
    static constexpr int kFirstPortNumber = 1;
    static constexpr int kLastPortNumber = 18;

    TavexProcess(QString program, QString display);
    ~TavexProcess();
    TavexProcess(const TavexProcess &) = delete;
    TavexProcess &operator=(const TavexProcess &) = delete;

    // Points COM<number> at `device`. Every number not given a device points at a path in
    // the temporary directory where nothing exists, so that no real port on the machine
    // can ever be opened.
    void mapPort(int number, const QString &device);
    // The device COM<number> points at.
    QString deviceFor(int number) const;

    // Starts the program through `launcher` (a command and its arguments, the program's path
    // appended), with `environment` added to its own.
    void setLauncher(const QStringList &launcher, const QMap<QString, QString> &environment)
    {
        m_launcher = launcher;
        m_launcherEnvironment = environment;
    }

    // The program's data directory; it outlives a stop and a new start.
    QString configDir() const;

    // Writes PORTAS.INI and starts the program (again after a stop).
    bool start();
    void stop();

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // CLOCK_REALTIME in microseconds, taken just before the process was started.
    qint64 startedAtUs() const { return m_startedAtUs; }
    // VmHWM of the running process, in kB.
    std::optional<qint64> peakResidentKb() const;

    QString output() const;
    QString error() const { return m_error; }
    // How the program ended, if it did before stop() was called.
    QString ending() const { return m_ending; }

private:
    bool writePortTable(const QString &configDir);

    QString m_program;
    QString m_display;
    QTemporaryDir m_root;
    QMap<int, QString> m_ports;
    QStringList m_launcher;
    QMap<QString, QString> m_launcherEnvironment;
    QProcess m_process;
    QByteArray m_output;
    QString m_ending;
    qint64 m_startedAtUs = 0;
    QString m_error;
};

} // namespace tavex::test
