// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace SourceFiles {

// The whole file, decompressed when its name ends in ".gz" or ".bz2" (through gzip / bzip2).
// Empty optional when the file is missing or cannot be read.
std::optional<QByteArray> read(const QString &path);

// The file's lines, decoded as UTF-8, without line ends ("\n" or "\r\n"); a leading byte-order
// mark is dropped.
std::optional<QStringList> readLines(const QString &path);

// The first existing of the candidates, or an empty string.
QString firstExisting(const QStringList &candidates);

} // namespace SourceFiles

// Unihan database fields, read from the Unihan_*.txt files (plain or .bz2) of a directory.
// Only the fields asked for are kept: code point -> field -> value.
class Unihan final
{
public:
    // Reads every Unihan_*.txt[.bz2] in dir that holds one of the fields. False when none is found.
    bool load(const QString &dir, const QStringList &fields);
    QString value(char32_t codePoint, const QString &field) const;
    const QHash<char32_t, QHash<QString, QString>> &entries() const { return m_entries; }

    // "U+5B78" -> 0x5B78 (0 when malformed).
    static char32_t parseCodePoint(QStringView text);

    // The 214 Kangxi radicals as unified ideographs, index 0 is radical 1, strokes from
    // radicalStrokes(). CJKRadicals.txt beside the Unihan files names each radical's own ideograph
    // (幺, not 乡 which shares its radical number); without that file, or for a radical it lacks,
    // the lowest code point whose kRSUnicode is exactly "n.0" stands in (人 rather than 亻).
    // Needs kRSUnicode loaded. Radicals found nowhere stay empty.
    struct Radical
    {
        int number = 0;
        QString character;
        int strokes = 0;
    };
    std::vector<Radical> radicals() const;
    // kRSUnicode "39.13" -> radical 39 (the first value; 0 when absent or malformed).
    int radicalOf(char32_t codePoint) const;
    // kTotalStrokes (the first value, the count for the simplified-Chinese form; 0 when absent).
    int totalStrokes(char32_t codePoint) const;
    // kTotalStrokes' last value: the count for traditional forms, which Korean writing uses
    // (骨 "9 10" -> 10); the same as totalStrokes() where only one value is given.
    int traditionalStrokes(char32_t codePoint) const;
    // The stroke group radical number (1..214) has in the Kangxi order, which radical lists are
    // arranged by (瓦 5, 骨 10, 龜 16, whatever today's printed forms count); 0 outside 1..214.
    static int radicalStrokes(int number);

private:
    QHash<char32_t, QHash<QString, QString>> m_entries;
    QString m_dir;
};

// One character of KANJIDIC2.
struct KanjidicEntry
{
    QString literal;
    int grade = 0; // 0 when not given
    int radical = 0; // classical radical number
    int strokes = 0; // first stroke_count
    int frequency = 0; // 0 when not given
    QStringList koreanHangul; // r_type="korean_h"
    QStringList onyomi; // ja_on (katakana)
    QStringList kunyomi; // ja_kun
    QStringList meanings; // English meanings (meaning without m_lang)
};

namespace Kanjidic {
// Parses KANJIDIC2 XML (plain or .gz). Empty when the file is missing or malformed.
QHash<QString, KanjidicEntry> load(const QString &path);
} // namespace Kanjidic

// libhangul's hanja.txt: "reading:hanja:meaning" lines, '#' comments. Single characters carry
// their Korean meaning and reading ("학:學:배울 학"); words mostly have an empty meaning.
struct HanjaTxtEntry
{
    QString reading;
    QString hanja;
    QString meaning;
};

namespace HanjaTxt {
// Every well-formed line in file order; empty when the file is missing.
std::vector<HanjaTxtEntry> load(const QString &path);
} // namespace HanjaTxt
