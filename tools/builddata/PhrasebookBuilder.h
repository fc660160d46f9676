// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "BuildContext.h"

#include <QString>

#include <optional>
#include <vector>

// The travel phrasebook: sections of situations, each a short dialogue whose lines are given in
// Korean, English, Japanese and Chinese. One book feeds all three phrasebook databases
// (econ.sdb, jcon.sdb, ccon.sdb) and their recordings in sound_con.sdb.
struct PhraseLine
{
    QString talker; // "A", "B" or a role such as "손님"
    QString korean;
    QString english;
    QString japanese;
    QString japaneseSpoken; // kana the synthesiser reads; may be empty when `japanese` needs no help
    QString chinese; // simplified characters
    QString pinyin; // with tone marks
};

struct PhraseSituation
{
    QString titleKorean;
    QString titleEnglish;
    QString note; // a short Korean note shown with the dialogue
    std::vector<PhraseLine> lines;
};

struct PhraseSection
{
    QString name; // Korean
    std::vector<PhraseSituation> situations;
};

struct Phrasebook
{
    std::vector<PhraseSection> sections;
    int situationCount() const;
    int lineCount() const;
};

namespace PhrasebookBuilder {

// Parses the phrasebook text format (see phrasebook/phrasebook.txt):
//   "@ section", "* Korean title | English title | note",
//   "talker | Korean | English | Japanese | Japanese as spoken | Chinese | pinyin".
// Every field must be filled, except "Japanese as spoken" when the Japanese has no kanji.
// Every section needs a situation and every situation a line. On failure answers nothing and
// sets *error to the first fault with its line number.
std::optional<Phrasebook> parse(const QString &text, QString *error = nullptr);

// The phrasebook compiled into the program.
std::optional<Phrasebook> builtIn(QString *error = nullptr);

// The text espeak-ng reads for a line's Japanese: the spoken kana, or the text itself.
QString japaneseSpeech(const PhraseLine &line);

// The name of a line's recording in sound_con.sdb: prefix ('e', 'j' or 'c'), then section,
// situation and line, each counted from 1, e.g. "e_01_02_03.mp3".
QString soundName(char prefix, int section, int situation, int line);

// Writes econ.sdb, jcon.sdb and ccon.sdb and, with ctx.withSound, sound_con.sdb. Without sound
// no recordings database is written and the lines name no recording. At most ctx.soundLimit
// clips are made (when not -1), taken line by line in book order, all three languages of a line
// together; a line whose clip is missing names no recording.
bool write(const BuildContext &ctx, const Phrasebook &book);

} // namespace PhrasebookBuilder
