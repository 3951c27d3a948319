// The Windows program as a Windows user gets it: installed by its installer, silently, into a
// Wine prefix of the test's own, and run by Wine on the test's X server, where Wine's COM3
// leads to the board simulator.

#include "e2etest.h"

namespace tavex::test {

class TestE2eWindows : public E2eTest
{
    Q_OBJECT

    QString programPath() const override { return m_prefix.filePath(u"drive_c/Program Files/TAVEX/tavex.exe"_s); }
    void prepareProgram(TavexProcess &program) override
    {
        program.setLauncher({u"wine"_s}, {{u"WINEPREFIX"_s, m_prefix.path()},
                                          {u"WINEDEBUG"_s, u"-all"_s}, {u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml="_s}});
    }
    // A Wine tool run to its end in the prefix, where it offers to install neither .NET nor a
    // browser engine.
    static bool wine(const QString &tool, const QStringList &arguments)
    {
        return QProcess::execute(u"env"_s, QStringList{u"WINEDEBUG=-all"_s, u"WINEDLLOVERRIDES=mscoree,mshtml="_s, tool}
                                                   + arguments) == 0;
    }

    QTemporaryDir m_prefix;

private slots:
    void installedProgramSwitchesTheBoard();
    void cleanupTestCase() { wine(u"wineserver"_s, {u"--kill"_s}); }
};

void TestE2eWindows::installedProgramSwitchesTheBoard()
{
    qputenv("WINEPREFIX", QFile::encodeName(m_prefix.path()));
    QVERIFY(wine(u"wine"_s, {QStringLiteral(TAVEX_WINDOWS_INSTALLER), u"/S"_s}));
    QVERIFY2(QFileInfo(programPath()).isFile(), qPrintable(programPath()));
    // COM3 leads to where the board will be; Wine reads its ports when it starts.
    QVERIFY(wine(u"wine"_s, {u"reg"_s, u"add"_s, u"HKLM\\Software\\Wine\\Ports"_s, u"/v"_s, u"COM3"_s, u"/d"_s,
                             program().path(u"board"_s), u"/f"_s}));
    QVERIFY(wine(u"wineserver"_s, {u"--kill"_s}) && wine(u"wineserver"_s, {u"--wait"_s}));

    // The start-up's switch-off commands, a click on and a click off, a countdown of a second.
    const WindowId window = startWithBoard();
    QVERIFY(window != 0);
    QVERIFY(clickRelay(window, 1) && expectBytes("1") && clickRelay(window, 1) && expectBytes("2"));
    QVERIFY(desktop().click(window, durationBox(1)) && clickRelay(window, 1) && expectBytes("12"));
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eWindows)
#include "tst_e2e_windows.moc"
