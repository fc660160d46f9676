// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "SourceFiles.h"

#include <QString>
#include <QStringList>

#include <vector>

struct BuildContext;

// The Hanja dictionary ("hanja.sdb") and the Korean dictionary ("korea.sdb"), both made from
// libhangul's hanja.txt: its single-character lines ("학:學:배울 학") give the character table, its
// word lines ("학교:學校:") the Hanja words; Unihan adds radical, stroke count and the education
// flag, CJKRadicals.txt (beside the Unihan files) the 214 radicals.
namespace HanjaBuilder {

// Character numbers (h_character.seq) run from 1; entry numbers of the h_word rows that have no
// character row of their own (words, and readings kept only as headwords) start above this, so
// that an entry number never names a character it does not belong to.
constexpr int kWordSeqBase = 1000000;

// The level text of a character that is one of the 1,800 characters taught in Korean schools.
inline constexpr char16_t kEducationLevel[] = u"교육용";

struct CharacterRow
{
    int seq = 0;
    QString hanja;
    QString mean; // "수레, 그물, 잇몸": the meaning words without the reading
    QString speech; // "거"
    int busucode = 0;
    int tcount = 0;
    QString level;
};

struct RadicalRow
{
    int seq = 0; // radical number 1..214
    QString character;
    QString name; // "아들 자", stored with one extra trailing character
    int stroke = 0;
};

struct WordRow
{
    int seq = 0;
    QString speech;
    QString hanja;
    QString impt;
    QString comment;
};

struct KoreanRow
{
    int number = 0;
    QString subject;
    QString document;
    QString hanja;
    QString searchKey;
};

struct Tables
{
    std::vector<CharacterRow> characters; // seq order
    std::vector<RadicalRow> radicals; // radical number order
    std::vector<WordRow> words; // ID order (byte order of speech)
    std::vector<KoreanRow> koreanWords; // ID order (byte order of the search key)
};

// One sense of hanja.txt without its closing reading: "수레 가기 힘들 가" -> "수레 가기 힘들".
// A sense that does not end in a separate Hangul syllable ("假의 略字", "실") is kept whole.
QString senseWithoutReading(const QString &sense);
// All senses of a meaning as meaning words, duplicates dropped: "값 가, 값/성 가" -> "값, 값/성".
QString meaningWords(const QString &meaning);
// The first sense as written: "수레 거, 그물 거" -> "수레 거".
QString firstSense(const QString &meaning);
// The readings of a Unihan kHangul value that carry the education flag: "낙:0 락:0E" -> {"락"}.
QStringList educationReadings(const QString &kHangul);
// The name a radical is listed under, from its hanja.txt lines (reading, meaning; file order)
// and its kHangul value: a sense of the first reading Unihan marks as taught, else of its first
// Unihan reading, else of the first line with a meaning, and among that reading's senses the
// first that is not a surname: 金 "성 금, 쇠 금" -> "쇠 금", 行 (항, 행:E) -> "다닐 행". Without
// any meaning, the first reading alone.
QString radicalName(const std::vector<std::pair<QString, QString>> &readings, const QString &kHangul);
// The ideographs of the 214 radicals (index 0 is radical 1), as Unihan::radicals() names them.
std::vector<QString> radicalCharacters(const Unihan &unihan);

// Builds every row from the parsed sources. `radicals` comes from radicalCharacters(); `unihan` must hold kRSUnicode,
// kTotalStrokes and kHangul.
Tables makeTables(const std::vector<HanjaTxtEntry> &entries, const Unihan &unihan,
                  const std::vector<QString> &radicalCharacters);

// Writes the two databases; false (with a log line) on any failure, leaving no file behind.
bool writeHanjaDatabase(const Tables &tables, const QString &path);
bool writeKoreaDatabase(const Tables &tables, const QString &path);

// The build step: reads the sources named in the context and writes both files.
bool build(const BuildContext &context);

} // namespace HanjaBuilder
