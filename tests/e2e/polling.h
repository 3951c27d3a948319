#pragma once

#include <QtGlobal>

class QProcess;

#include <functional>

namespace tavex::test {

// Runs the event loop until `done` holds or `timeoutMs` has passed, checking every
// `stepMs`. Returns whether `done` holds in the end.
bool waitUntil(const std::function<bool()> &done, int timeoutMs, int stepMs = 20);

// Keeps the event loop running for `ms` (so child processes are read meanwhile).
void pause(int ms);

// Ends a child process: politely first, then for sure. Nothing happens if it has ended.
void stopProcess(QProcess &process);

// CLOCK_REALTIME in microseconds, the clock of the simulator's record file.
qint64 epochMicroseconds();

} // namespace tavex::test
