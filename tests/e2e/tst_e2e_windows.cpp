// The Windows program as a Windows user gets it: installed by its installer, silently, into a
// Wine prefix of the test's own, and run by Wine on the test's X server, where Wine's COM3
// leads to the board simulator, and is switched by its buttons and by a script's command. While
// it runs, neither the installer nor the uninstaller changes a thing.

#include "e2etest.h"

#include <QDirIterator>

namespace tavex::test {

class TestE2eWindows : public E2eTest
{
    Q_OBJECT

    QString installDir() const { return m_prefix.filePath(u"drive_c/Program Files/TAVEX"_s); }
    QString programPath() const override { return installDir() + u"/tavex.exe"_s; }
    void prepareProgram(TavexProcess &program) override
    {
        program.setLauncher({u"wine"_s}, {{u"WINEPREFIX"_s, m_prefix.path()},
                                          {u"WINEDEBUG"_s, u"-all"_s}, {u"WINEDLLOVERRIDES"_s, kOverrides}});
    }
    // A Windows program run to its end in the prefix, where Wine offers to install neither .NET
    // nor a browser engine and makes no menu entries on this machine: its exit status, and
    // what it printed.
    static inline const QString kOverrides = u"mscoree,mshtml=;winemenubuilder.exe=d"_s;
    static int wine(const QStringList &arguments, QByteArray *output = nullptr)
    {
        QProcess process;
        process.start(u"env"_s, QStringList{u"WINEDEBUG=-all"_s, u"WINEDLLOVERRIDES="_s + kOverrides} + arguments);
        const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
        if (output)
            *output = process.readAllStandardOutput();
        return ended ? process.exitCode() : -1;
    }
    // Every file under `dir` (named so), with the time it was last written and its contents.
    static QMap<QString, std::pair<QDateTime, QByteArray>> files(const QString &dir, const QStringList &names = {})
    {
        QMap<QString, std::pair<QDateTime, QByteArray>> found;
        for (QDirIterator it(dir, names, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            QFile file(it.next());
            found.insert(file.fileName(), {QFileInfo(file).lastModified(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()});
        }
        return found;
    }
    // Whether a Windows program's version details (VERSIONINFO) give `key` the value `value`:
    // UTF-16 texts, the value from the 4-byte boundary after the key (which begins 6 bytes
    // after one).
    static bool hasVersionDetail(const QByteArray &program, const QString &key, const QString &value)
    {
        const QString text = key + QString(key.size() % 2 ? 2 : 1, QChar(0)) + value + QChar(0);
        return program.contains(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
    }

    QTemporaryDir m_prefix;

private slots:
    void installedProgramSwitchesTheBoard();
    void cleanupTestCase() { wine({u"wineserver"_s, u"--kill"_s}); }
};

void TestE2eWindows::installedProgramSwitchesTheBoard()
{
    qputenv("WINEPREFIX", QFile::encodeName(m_prefix.path()));
    const QString installer = QStringLiteral(TAVEX_WINDOWS_INSTALLER);
    const QStringList entry{u"wine"_s, u"reg"_s, u"query"_s, u"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TAVEX"_s};
    // The uninstaller run where it is (not from a copy of itself), to its end.
    const QStringList uninstall{u"wine"_s, installDir() + u"/Desinstalar.exe"_s, u"/S"_s, u"_?=C:\\Program"_s, u"Files\\TAVEX"_s};
    QCOMPARE(wine({u"wine"_s, installer, u"/S"_s}), 0);

    // What is installed: its size, the version details, the uninstall entry, the Start menu.
    const auto installed = files(installDir());
    const qint64 size = std::accumulate(installed.cbegin(), installed.cend(), 0, [](qint64 sum, const auto &file) { return sum + file.second.size(); });
    qInfo("installed: %lld bytes", size);
    QVERIFY(installed.contains(programPath()) && size <= 30 * 1024 * 1024);
    for (const QByteArray &program : {installed[programPath()].second, files(QFileInfo(installer).path(), {QFileInfo(installer).fileName()}).value(installer).second})
        for (const auto &[key, value] : {std::pair{u"ProductName"_s, u"TAVEX"_s}, {u"CompanyName"_s, u"TAVEX"_s}, {u"ProductVersion"_s, QStringLiteral(TAVEX_VERSION)}})
            QVERIFY2(hasVersionDetail(program, key, value), qPrintable(key));
    QVERIFY(hasVersionDetail(installed[programPath()].second, u"FileDescription"_s, u"Controle de Acionamentos"_s));
    QByteArray values;
    QCOMPARE(wine(entry, &values), 0);
    for (const QString &value : {u"Publisher    REG_SZ    TAVEX"_s, u"Contact    REG_SZ    suporte@tavex.com.br"_s,
                                 u"EstimatedSize    REG_DWORD    0x%1"_s.arg(size / 1024, 0, 16),
                                 u"NoModify    REG_DWORD    0x1"_s, u"NoRepair    REG_DWORD    0x1"_s})
        QVERIFY2(values.contains(value.toLatin1()), values.constData());
    const QDir startMenu(m_prefix.filePath(u"drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/TAVEX"_s));
    QCOMPARE(startMenu.entryList(QDir::Files), (QStringList{u"Desinstalar TAVEX.lnk"_s, u"TAVEX.lnk"_s}));

    // COM3 leads to where the board will be; Wine reads its ports when it starts.
    QCOMPARE(wine({u"wine"_s, u"reg"_s, u"add"_s, u"HKLM\\Software\\Wine\\Ports"_s, u"/v"_s, u"COM3"_s, u"/d"_s,
                   program().path(u"board"_s), u"/f"_s}), 0);
    QVERIFY(wine({u"wineserver"_s, u"--kill"_s}) == 0 && wine({u"wineserver"_s, u"--wait"_s}) == 0);

    // The start-up's switch-off commands, a click on and a click off, a countdown of a second.
    const WindowId window = startWithBoard();
    QVERIFY(window != 0);
    QVERIFY(clickRelay(window, 1) && expectBytes("1") && clickRelay(window, 1) && expectBytes("2"));
    QVERIFY(desktop().click(window, durationBox(1)) && clickRelay(window, 1) && expectBytes("12"));
    // A script's command reaches it through its named pipe.
    QVERIFY(command(u"alternar 2"_s, 0, "3", u"relé 2 ligado"_s));

    // While it runs, installing and uninstalling fail and change nothing (the files made older
    // first, as the same installer writes the same contents); once it is closed, the uninstaller
    // takes everything but itself (kept by running where it is) and its entries.
    QCOMPARE(QProcess::execute(u"touch"_s, QStringList{u"--date=2001-01-01"_s} + installed.keys()), 0);
    const auto aged = files(installDir());
    QVERIFY(wine({u"wine"_s, installer, u"/S"_s}) != 0 && wine(uninstall) != 0);
    QVERIFY(files(installDir()) == aged && wine(entry) == 0);
    QVERIFY(closeProgram(window));
    QCOMPARE(wine(uninstall), 0);
    QCOMPARE(files(installDir()).keys(), QStringList{installDir() + u"/Desinstalar.exe"_s});
    QVERIFY(!startMenu.exists() && wine(entry) != 0);
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eWindows)
#include "tst_e2e_windows.moc"
