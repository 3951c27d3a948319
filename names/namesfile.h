#pragma once

#include "common/relay.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tavex {

// The names file holds the eight relay names, one line each in relay order, in Windows-1252,
// every line ended by CR LF. It lives in the data directory as "BOTOES.INI".
inline constexpr QStringView kNamesFileName = u"BOTOES.INI";

// Nothing larger is read: eight names of twenty characters take less than 200 bytes, and a
// hand-edited file has room to spare. A larger file reads as no file at all.
inline constexpr qint64 kNamesFileMaxBytes = 64 * 1024;

// The entries of the file, from its start, at most `count` of them, read as the fields of
// the data files are (common/fields.h). Every reader of the file reads it through this one
// function; fewer entries than asked for mean that the reads past the last one fail.
QList<QString> readNameEntries(QByteArrayView bytes, qsizetype count = kRelayCount);

// The file's contents for these names (the texts of the rename boxes, relay 1 first): eight
// lines, each name upper-cased as far as the code page holds the capital and otherwise as
// typed, blanks included. A name with a comma is written in double quotes, so that it reads
// back whole instead of spilling into the next relay. Characters a rename box refuses are
// left out, so every line reads back as one entry.
QByteArray namesFileContents(const QStringList &names);

// Whether a rename box accepts the character: the file holds it, and it is not a control
// character.
bool isNameCharacter(char32_t c);
// Whether a rename box accepts the text: every character is a name character, and the text
// reads back from the file as it was written. A double quote does so only inside a name
// without a comma (a quoted name cannot hold a quote) and not at its start (where it would
// open a quoted name).
bool isNameText(QStringView text);
// The text without the characters a rename box refuses, and without its double quotes where
// they would not read back.
QString nameText(QStringView text);

// The text without the blanks at both ends.
QString trimBlanks(QStringView text);

// The names file in `dir`: "BOTOES.INI", or when there is none a file of the same name in
// another case (such as "botoes.ini" copied from another machine).
QString namesFilePath(const QString &dir);

// The entries of the names file in `dir` (none when there is no readable file).
QList<QString> readNamesFile(const QString &dir);

// Writes the names to "BOTOES.INI" in `dir`, replacing the old file at once. False when it
// could not be written; the old file is then left as it was.
bool writeNamesFile(const QString &dir, const QStringList &names);

} // namespace tavex
