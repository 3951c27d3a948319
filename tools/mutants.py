#!/usr/bin/env python3
"""Breaks the program on purpose, one place at a time, and runs the whole test suite on each
break: every break must make some test fail. Run from a clean work tree after a build:

    tools/mutants.py [build-dir] [-R regex] [-k text]      (default: build)

-R runs only the tests whose names match (ctest -R), to see what one suite catches; -k applies
only the breaks whose description holds the text.

Each break replaces one exact text, which must occur exactly once in its file; the file is put
back afterwards, whatever happens. Prints one line per break with the tests that caught it,
and exits non-zero when a break went uncaught or could not be applied.
"""
import argparse
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (what the break is, file, text, replacement)
BREAKS = [
    ("a byte of the command table changed", "link/commands.h",
     "{'E', 'F'},", "{'E', 'f'},"),
    ("the countdown's timer not connected to its tick", "timed/countdown.cpp",
     "connect(m_timer, &QTimer::timeout, this, &Countdown::tick);", ""),
    ("the countdown's end comparison turned", "timed/countdown.cpp",
     "step.finished = target.endMs > 0 && ", "step.finished = target.endMs < 0 && "),
    ("the schedule's timer not connected to its tick", "app/mainwindow.cpp",
     "connect(scheduleFrame(n)->timer(), &QTimer::timeout, this, [this, n] { scheduleTimerTick(n); });", ""),
    ("the schedule's once-a-minute guard removed", "schedule/schedulerules.cpp",
     "if (done || !matchesSetting(", "if (!matchesSetting("),
    ("the schedule switches whatever the relay's state", "relays/keptswitches.h",
     "return relayOff == (direction == Switch::On);", "return true;"),
    ("a click let through an open message switches", "app/mainwindow.cpp",
     "    if (m_messages.isShowing())\n        return;\n    if (m_board->switchByHand", "    if (m_board->switchByHand"),
    ("a switch kept while the board was gone not made when it is found", "relays/relayboard.cpp",
     "    if (!makeKeptSwitches())\n        announceLoss();\n}", "}"),
    ("a countdown's or a schedule's failed command not kept", "relays/relayboard.cpp",
     "            m_link->setCaption(noPortCaption());\n        break;\n",
     "            m_link->setCaption(noPortCaption());\n        announceLoss();\n        return SwitchOutcome::Failed;\n"),
    ("the watch for a board that is gone never started", "link/link.cpp",
     "        m_watch.start();\n", "        ;\n"),
    ("the cable message opened inside the tick", "relays/relayboard.cpp",
     "QMetaObject::invokeMethod(this, &RelayBoard::offerLoss, Qt::QueuedConnection);", "offerLoss();"),
    ("a message about the board left open when the board is found", "app/mainwindow.cpp",
     "    m_messages.closeBoardMessage();\n", ""),
    ("the start-up's switch-offs not made when the board is found", "relays/relayboard.cpp",
     "    m_startupOffsOwed = failed;\n", ""),
    ("a kept switch survives disarming its schedule", "relays/relayboard.h",
     "{ m_keptSwitches.drop(relay, SwitchCause::Schedule); }", "{ }"),
    ("the close box forgets a kept switch", "app/mainwindow.cpp",
     "    return !m_board->keptSwitches().isEmpty();", "    return false;"),
    ("the switch missed by a sleep or a clock jump not made", "schedule/schedulerules.cpp",
     "        if (missed)\n            switchTo(*missed);\n", ""),
    ("a clock set back switches a minute again", "schedule/schedulerules.cpp",
     "    if (minute < marks.ultimoMinuto && marks.ultimoMinuto - minute < kMinutesPerDay)\n        return;\n", ""),
    ("the settings load's save holds up the start-up", "app/windowsettings.cpp",
     "    if (request == SaveRequest::Automatic && m_loadingSettings) {", "    if (false) {"),
    ("closing never asks", "app/mainwindow.cpp",
     "if (m_endWithoutAsking || !somethingRunning()", "if (m_endWithoutAsking || true"),
    ("a second start runs all the same", "app/main.cpp",
     "    if (!instance.claim())\n        return 0;\n", "    instance.claim();\n"),
    ("the switch record not written", "platform/switchlog.cpp",
     "    if (m_dir.isEmpty())\n        return;\n    const QByteArray bytes", "    if (true)\n        return;\n    const QByteArray bytes"),
    ("a later kept switch does not replace the earlier", "relays/keptswitches.cpp",
     "    drop(kept.relay);\n    m_switches.append(kept);", "    m_switches.append(kept);"),
    ("the saved settings not loaded at start-up", "app/formload.cpp",
     "    carregaConfiguracoes();\n", ""),
    ("two lines of the settings file swapped", "app/windowsettings.cpp",
     "    boxes[8] = m_extendBox;\n    boxes[9] = m_ownPortBox;",
     "    boxes[9] = m_extendBox;\n    boxes[8] = m_ownPortBox;"),
    ("the duration filter lets codes up to 57 only", "timed/durationrules.h",
     "return c <= 59;", "return c <= 57;"),
    ("the port search stops before the last number", "link/portsearch.cpp",
     "number <= kLastPortNumber; ++number) {\n        port.setPortNumber", "number < kLastPortNumber; ++number) {\n        port.setPortNumber"),
    ("a failed switch-on keeps its new caption", "relays/relaybank.cpp",
     "        setCaption(relay, captionBefore);\n", ""),
    ("the own-port option searches from port 3", "relays/relayboard.cpp",
     "own ? kOwnSerialFirstPort : kConverterFirstPort", "own ? kConverterFirstPort : kConverterFirstPort"),
    ("a pipe read as a data file", "platform/datafile.cpp",
     "!S_ISREG(info.st_mode) || ", ""),
    ("a name applied to a relay that is on reads [OFF]", "relays/captions.cpp",
     "state == Switch::On ? QStringLiteral(\" [ON]\")", "state == Switch::On ? QStringLiteral(\" [OFF]\")"),
    ("a relay caption drawn on one line, cut at both ends", "relays/relaybutton.cpp",
     "shownLines().join(u'\\n')", "text()"),
    ("a name that fits a line drawn on one line with its state", "relays/relaybutton.cpp",
     "return {parts.name, parts.state};", "return {caption};"),
    ("a long name broken between characters, not words", "relays/relaybutton.cpp",
     "if (name[at] == u' ' && ", "if (false && "),
    ("an ampersand in a relay name makes a shortcut that switches it", "relays/relaybutton.cpp",
     "    setShortcut(QKeySequence());\n", ""),
    ("a click changes a relay button's look by itself", "relays/relaybutton.h",
     "    void nextCheckState() override { }\n", ""),
    ("the combo boxes read by their value", "platform/combos.cpp",
     "(QAccessible::installFactory(comboAccessible), true)", "true"),
    ("the countdown and port labels read by their purpose, not their text", "app/accessibility.cpp",
     "widget->setAccessibleDescription(description);", "widget->setAccessibleName(description);"),
    ("Return in the rename dialog does not save", "names/form2.cpp",
     "        btn_salvar_Click();\n        break;", "        break;"),
    ("the window without the program's own icon", "app/main.cpp",
     "    QApplication::setWindowIcon(tavex::applicationIcon());\n", ""),
    ("lines 9 to 16 of the settings file read as fields", "settings/settingsfile.cpp",
     "fromWindows1252(*line) : timeField(*line)", "fromWindows1252(*line) : readFields(*line, 1).value(0)"),
    ("a name's inner quote dropped", "names/namesfile.cpp",
     "    if (!quotesReadBack(kept))\n        kept.remove(u'\"');", "    kept.remove(u'\"');"),
    ("start-up switches one relay fewer off", "relays/relayboard.cpp",
     "for (int n = first; n <= kRelayCount; ++n) {", "for (int n = first; n < kRelayCount; ++n) {"),
    ("a countdown in hours written without its leading blank", "timed/units.cpp",
     '{u"HOR", 3600, true},', '{u"HOR", 3600, false},'),
    ("a schedule's switch-off mark never cleared by a new minute", "schedule/schedulerules.cpp",
     "    marks.jaDesligou = false;\n", ""),
    ("a save whose flush fails replaces the file all the same", "platform/datafile.cpp",
     " || !aside.flush() || !syncToDisk(aside))\n        return false;\n    aside.close();\n"
     "    if (aside.error() != QFileDevice::NoError || !renameOver",
     ")\n        return false;\n    aside.close();\n    if (!renameOver"),
    ("a save replaces a pipe, or follows a link onto one", "platform/datafile.cpp",
     "    if ((existing.exists() || existing.isSymLink()) && !existing.isFile())\n        return false;\n", ""),
    ("the settings not read from a data folder that cannot be written", "app/windowsettings.cpp",
     "    const std::optional<QByteArray> bytes =\n            readSmallFile(m_configDir",
     "    if (!m_configDir.isUsable())\n        return;\n    const std::optional<QByteArray> bytes =\n            readSmallFile(m_configDir"),
    ("the data folder warning shown before the relays are switched off", "app/formload.cpp",
     "MessageIcon::Warning);\n        }, Qt::QueuedConnection);", "MessageIcon::Warning);\n        }, Qt::DirectConnection);"),
    ("a save's leftovers kept at start-up", "app/formload.cpp",
     "{kNamesFileName.toString(), kSettingsFileName.toString()}", "{kNamesFileName.toString()}"),
    ("a port table's lone CR not taken as a line end", "link/portmap.cpp",
     "    text.replace(u'\\r', u'\\n');\n", ""),
    ("the switch record written on the window's thread", "platform/switchlog.cpp",
     "std::thread([queue = m_queue] { queue->writeAll(); }).detach();",
     "m_queue->mutex.unlock(), m_queue->writeAll(), m_queue->mutex.lock();"),
    ("what a full disk let through of a record line left in place", "platform/switchlog.cpp",
     "            && ::ftruncate(fd, size) != 0)", "            && false)"),
    ("the lines waiting for the record without a bound", "platform/switchlog.cpp",
     "    if (m_queue->lines.size() >= kMaxWaiting)\n        return;\n", ""),
    ("a file-size limit ends the program", "app/main.cpp",
     "    tavex::failWritesBeyondSizeLimit();\n", ""),
    ("two copies started together both run: no lock", "platform/singleinstance.cpp",
     "::flock(fd, LOCK_EX | LOCK_NB) == 0", "true"),
    ("a runtime folder open to others used all the same", "platform/singleinstance.cpp",
     "(info.st_mode & 07777) == S_IRWXU || ", "true || "),
    ("whatever is at the socket's path removed", "platform/singleinstance.cpp",
     "return S_ISSOCK(info.st_mode) && info.st_uid == ::geteuid();", "return true;"),
    ("the one-copy guard turned off without a word", "platform/singleinstance.cpp",
     "        qWarning(\"TAVEX: sem pasta para a trava", "        if (false) qWarning(\"TAVEX: sem pasta para a trava"),
    ("a save's leftover told by its random letters, whatever its name", "platform/datafile.cpp",
     "entry.startsWith(prefix)", "true"),
    ("verb: a command's switch recorded as a click's", "relays/switchrecord.cpp",
     "        return QStringLiteral(\"comando\");", "        return QStringLiteral(\"botão\");"),
    ("verb: a relay held by its schedule switched all the same", "commands/commanddesk.cpp",
     "    if (m_extras(relay).schedule)\n", "    if (false)\n"),
    ("verb: a relay already in the asked state switched again", "commands/commanddesk.cpp",
     "    if (wanted == on)\n", "    if (false)\n"),
    ("verb: the failed switch told before the answer", "app/mainwindow.cpp",
     "&MainWindow::commandSwitchFailed, Qt::QueuedConnection);", "&MainWindow::commandSwitchFailed);"),
    ("verb: a request without its size bound", "commands/reply.cpp",
     "if (taken.size() > room()) {", "if (false) {"),
    ("verb: the window's schedule not told to the desk", "app/windowcommands.cpp",
     "    if (scheduleHoldsButton(relay)) {", "    if (false) {"),
    ("verb: a relay number read loosely", "commands/request.cpp",
     "if (argument.size() != 1 ||", "if ("),
    ("verb: a silent peer of the socket never dropped", "platform/singleinstance.cpp",
     "        QTimer::singleShot(kRequestTime, this, &Peer::end);\n", ""),
    ("verb: a command line that opens the display first", "app/main.cpp",
     "    if (argc > 1)\n        return tavex::runCommandLine(argc, argv);\n    tavex::FontWarmUp fonts;\n    QApplication app(argc, argv);\n",
     "    tavex::FontWarmUp fonts;\n    QApplication app(argc, argv);\n    if (argc > 1)\n        return tavex::runCommandLine(argc, argv);\n"),
    ("verb: no copy running found out only when the wait for one ends", "platform/singleinstance.cpp",
     "        if (!lockHeld(runtime))\n            return {Outcome::NotRunning, {}};\n", ""),
    ("verb: a failed switch not told in the window", "commands/commanddesk.cpp",
     "        emit switchFailed(relay);\n", ""),
    ("verb: an armed schedule's times given as its boxes read", "schedule/schedulerules.cpp",
     "    if (!hour || !minute)\n        return hourText", "    if (true)\n        return hourText"),
]


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, text=True, capture_output=True, **kwargs)


def failed_tests(build, tests):
    result = run(["ctest", "--test-dir", build, "--timeout", "300"] + (["-R", tests] if tests else []))
    return re.findall(r"^\s*\d+ - (\S+) \(", result.stdout, re.M)


def main():
    parser = argparse.ArgumentParser(description="Every deliberate break must fail some test.")
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("-R", dest="tests", help="only the tests whose names match")
    parser.add_argument("-k", dest="only", default="", help="only the breaks described so")
    options = parser.parse_args()
    build = options.build
    if run(["git", "diff", "--quiet"]).returncode != 0:
        sys.exit("the work tree has changes; commit or stash them first")
    uncaught = 0
    for what, name, text, replacement in BREAKS:
        if options.only not in what:
            continue
        path = ROOT / name
        original = path.read_text()
        if original.count(text) != 1:
            print(f"CANNOT APPLY  {what}: the text is not once in {name}")
            uncaught += 1
            continue
        try:
            path.write_text(original.replace(text, replacement))
            built = run(["cmake", "--build", build])
            caught = failed_tests(build, options.tests) if built.returncode == 0 else None
        finally:
            path.write_text(original)
        if caught is None:
            print(f"CANNOT APPLY  {what}: the break does not build")
            uncaught += 1
            continue
        print(f"{'caught' if caught else 'UNCAUGHT':8}  {what}: {', '.join(caught)}", flush=True)
        uncaught += not caught
    run(["cmake", "--build", build])
    sys.exit(1 if uncaught else 0)


if __name__ == "__main__":
    main()
