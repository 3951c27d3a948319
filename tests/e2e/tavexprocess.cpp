#include "tavexprocess.h"

#include "polling.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

namespace tavex::test {

TavexProcess::TavexProcess(QString program, QString display)
    : m_program(std::move(program)), m_display(std::move(display))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    QObject::connect(&m_process, &QProcess::readyRead, &m_process,
                     [this] { m_output += m_process.readAll(); });
    QObject::connect(&m_process, &QProcess::finished, &m_process,
                     [this](int code, QProcess::ExitStatus status) {
                         if (m_ending.isEmpty())
                             m_ending = status == QProcess::CrashExit
                                     ? QStringLiteral("crashed (signal %1)").arg(code)
                                     : QStringLiteral("exited with code %1").arg(code);
                     });
}

TavexProcess::~TavexProcess()
{
    stop();
}

void TavexProcess::mapPort(int number, const QString &device)
{
    m_ports.insert(number, device);
}

QString TavexProcess::deviceFor(int number) const
{
    return m_ports.value(number, m_root.filePath(QStringLiteral("absent/ttyCOM%1").arg(number)));
}

bool TavexProcess::writePortTable(const QString &configDir)
{
    if (!QDir().mkpath(configDir)) {
        m_error = QStringLiteral("cannot create ") + configDir;
        return false;
    }
    QFile table(QDir(configDir).filePath(QStringLiteral("PORTAS.INI")));
    if (!table.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = table.fileName() + QStringLiteral(": ") + table.errorString();
        return false;
    }
    QByteArray text;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number)
        text += QStringLiteral("COM%1=%2\n").arg(number).arg(deviceFor(number)).toUtf8();
    return table.write(text) == text.size();
}

QString TavexProcess::configDir() const
{
    // Under the XDG_CONFIG_HOME that start() gives the program.
    return m_root.filePath(QStringLiteral("config/tavex"));
}

bool TavexProcess::start()
{
    if (!m_root.isValid()) {
        m_error = QStringLiteral("no temporary directory: ") + m_root.errorString();
        return false;
    }
    const QString home = m_root.filePath(QStringLiteral("home"));
    const QString configHome = m_root.filePath(QStringLiteral("config"));
    const QString runtimeDir = m_root.filePath(QStringLiteral("runtime"));
    if (!QDir().mkpath(home) || !QDir().mkpath(runtimeDir)
        || !QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
        || !writePortTable(configDir())) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("cannot prepare the directories in ") + m_root.path();
        return false;
    }

    // Nothing of the session the tests run in may reach the program.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
                             "SESSION_MANAGER", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP",
                             "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                             "QT_ENABLE_HIGHDPI_SCALING", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_root.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    for (auto it = m_launcherEnvironment.cbegin(); it != m_launcherEnvironment.cend(); ++it)
        env.insert(it.key(), it.value());
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(home);

    m_ending.clear();
    m_startedAtUs = epochMicroseconds();
    if (m_launcher.isEmpty())
        m_process.start(m_program, {});
    else
        m_process.start(m_launcher.first(), m_launcher.mid(1) << m_program);
    if (!m_process.waitForStarted(10000)) {
        m_error = m_program + QStringLiteral(": ") + m_process.errorString();
        return false;
    }
    return true;
}

void TavexProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_ending = QStringLiteral("stopped by the test");
    stopProcess(m_process);
    m_output += m_process.readAll();
}

std::optional<qint64> TavexProcess::peakResidentKb() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid()));
    if (!isRunning() || !status.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    // "VmHWM:     41234 kB"
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (!line.startsWith("VmHWM:"))
            continue;
        bool ok = false;
        const qint64 kb = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
        if (ok)
            return kb;
    }
    return std::nullopt;
}

QString TavexProcess::output() const
{
    return QString::fromLocal8Bit(m_output);
}

} // namespace tavex::test
