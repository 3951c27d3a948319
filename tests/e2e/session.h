#pragma once

#include "boardsim.h"
#include "desktop.h"
#include "tavexprocess.h"

#include <QTemporaryDir>

namespace tavex::test {

inline const QString kMainWindowTitle = QStringLiteral("TAVEX");
inline const QString kNoBoardTitle = QStringLiteral("Erro de Comunicação");
inline const QString kCableLossTitle = QStringLiteral("Cabo Desconectado");

// Generous limits: the machine may be busy with a build.
inline constexpr int kWindowTimeoutMs = 30000;
inline constexpr int kByteTimeoutMs = 10000;

// One run of the built program against the board simulator, on a given X display, with
// every file of both in throwaway directories.
class Session
{
public:
    explicit Session(const QString &display);
    // The same with another program in place of the built TAVEX (a benchmark's bare Qt
    // program), started the same way.
    Session(const QString &display, const QString &program);

    // A path in this session's scratch directory (for the board's links and record).
    QString path(const QString &name) const { return m_scratch.filePath(name); }

    Desktop &desktop() { return m_desktop; }
    BoardSim &board() { return m_board; }
    TavexProcess &program() { return m_program; }

    // Starts the simulator with its link at path(linkName).
    bool startBoard(const QString &linkName = QStringLiteral("board"));
    bool startProgram() { return m_program.start(); }
    WindowId waitForMainWindow() { return m_desktop.waitForWindow(kMainWindowTitle, kWindowTimeoutMs); }
    bool clickRelay(WindowId window, int relay);

    // What went wrong and what both programs printed, to explain a failure.
    QString report() const;

private:
    QTemporaryDir m_scratch;
    Desktop m_desktop;
    BoardSim m_board;
    TavexProcess m_program;
};

} // namespace tavex::test
