#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace tavex {

// The settings file keeps, one value a line, the daily schedules of relays 1 to 4 (lines 1
// to 16: switch-on hour and minute, switch-off hour and minute of each relay in turn), the
// ten option boxes (lines 17 to 20 the schedules armed, 21 to 24 the duration boxes, 25 the
// extended view, 26 the computer's own serial port) and nothing else. Every line ends with
// CR LF; characters are Windows-1252.
inline constexpr QStringView kSettingsFileName = u"tavex.ini";
inline constexpr int kTimeLineCount = 16;
inline constexpr int kBoxLineCount = 10;
inline constexpr int kSettingsLineCount = kTimeLineCount + kBoxLineCount;

// A saved file is a few hundred bytes; whatever is much larger is not a settings file and is
// not read.
inline constexpr qint64 kSettingsFileMaxBytes = 1024 * 1024;

// What the window shows, in the order of the file's lines.
struct SettingsValues
{
    std::array<QString, kTimeLineCount> times;
    std::array<bool, kBoxLineCount> boxes{};
};

// The 26 lines: each time text as it stands (a character the code page lacks is written
// "?"), each box " 0 " or " 1 ".
QByteArray settingsFileContents(const SettingsValues &values);

// What a file gives for each line. Lines 1 to 8 are read whole, so a time text keeps its
// blanks and its commas; lines 9 to 16 too, but without the blanks before the text and
// without the double quotes around a quoted text. Lines 17 to 26 are read as fields, like the entries of the names
// file; a box's value is the number at the field's start, rounded. Nothing is given for a
// line past the end of the file, nor for a box whose value is neither 0 nor 1.
struct LoadedSettings
{
    std::array<std::optional<QString>, kTimeLineCount> times;
    std::array<std::optional<bool>, kBoxLineCount> boxes;
};
LoadedSettings parseSettingsFile(QByteArrayView bytes);

} // namespace tavex
