// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct BuildContext;
struct HanjaTxtEntry;
struct KanjidicEntry;
class Unihan;

// The Japanese-Korean ("j2k.sdb") and Korean-Japanese ("k2j.sdb") dictionaries, built from
// EDICT, KANJIDIC2, the Unihan database and libhangul's hanja.txt.
//
// j2k.sdb holds every EDICT line as an entry: the kana reading is the headword, the written form
// follows it in lenticular brackets ("がっこう【学校】"), the parts of speech are named in Korean
// and common words ("(P)") get one importance star. The search key is the reading as the kana
// keyboard types it; a reading written in katakana is filed a second time in hiragana, so a word
// typed as romaji or Hangul (which become hiragana) finds a loanword too. The first sense of a
// word written in kanji is its Korean link: the Sino-Korean word spelt with the same characters
// when hanja.txt knows it ("한자어 학교(學校)"), otherwise the characters' Korean reading
// ("한자음 면강(勉強)"), or for a single character its Korean meaning and reading ("學: 배울 학").
// The other senses are EDICT's English glosses: no Korean translation is made up.
//
// k2j.sdb holds the Sino-Korean words of hanja.txt that some EDICT word links to: the Korean
// reading is the headword, and each sense names the Korean spelling, the Japanese word with its
// reading and EDICT's English glosses ("學校 → がっこう【学校】 school").
namespace JapaneseBuilder {

// One line of EDICT.
struct EdictEntry
{
    QString kanji; // the written form when the line has a separate reading ("学校"); else empty
    QString reading; // kana ("がっこう"), or the headword itself for lines without a reading
    QStringList partsOfSpeech; // EDICT's codes in order of first use: "n", "vs", "adj-i"
    QStringList senses; // each sense's glosses joined by "; ", tags such as "(uk)" kept
    bool common = false; // marked "(P)"
    int line = 0; // 1-based line number in the file
};

// EDICT's EUC-JP text as Unicode (JIS X 0208 and 0212). Empty optional when no converter works.
std::optional<QString> decodeEucJp(const QByteArray &bytes);

// "学校 [がっこう] /(n) school/(P)/" -> an entry. Empty optional for the file's header line and
// for lines that are not entries.
std::optional<EdictEntry> parseEdictLine(const QString &line);

// Every entry of an EDICT file, numbered by line. Empty when the file is missing or undecodable.
std::vector<EdictEntry> loadEdict(const QString &path);

// Katakana turned into hiragana ("テレビ" -> "てれび"); the long-vowel mark and every other
// character stay.
QString toHiragana(const QString &text);

// The search key of a reading: the middle dots and spaces that no keyboard types are dropped
// ("テレビ・アニメ" -> "テレビアニメ").
QString searchKey(const QString &reading);

// EDICT's part-of-speech codes named in Korean, without repeats: {"n", "vs"} -> "명사, 동사(する)".
// Codes without an honest Korean name ("unc", "vi", "vt") are left out.
QString koreanPartsOfSpeech(const QStringList &codes);

// The Korean spelling rule for the first syllable of a Sino-Korean word: 려 -> 여, 로 -> 노,
// 녀 -> 여 ("량체" -> "양체", "녀자" -> "여자"). Other text is returned unchanged.
QString applyInitialSoundLaw(const QString &reading);

// The variant forms KANJIDIC2 gives for each character (JIS X 0208, JIS X 0212 and UCS
// references), by code point: 気 -> 氣.
QHash<char32_t, QList<char32_t>> loadKanjidicVariants(const QString &path);

// How an EDICT word written in kanji reads in Korean.
struct KoreanLink
{
    enum Kind {
        Word, // a Sino-Korean word of hanja.txt: 学校 -> 학교(學校)
        Reading, // no such word: the characters' readings put together: 勉強 -> 면강(勉強)
        Character // a single character with its Korean meaning: 学 -> 學 "배울 학"
    };
    Kind kind = Reading;
    QString hanja; // the Korean written form ("學校")
    QString reading; // its Hangul reading ("학교")
    QString meaning; // Character: the hanja.txt meanings ("배울 학")
};

// The first sense line of a j2k entry for its link.
QString linkText(const KoreanLink &link);

// Finds the Korean counterpart of a Japanese word written in kanji. The shinjitai of Japan are
// mapped to the forms Korea writes (学 -> 學) through Unihan's and KANJIDIC2's variants; a word
// is first looked up whole among hanja.txt's words, then read character by character.
class HanjaLinker final
{
public:
    void addHanjaTxt(const std::vector<HanjaTxtEntry> &entries);
    // Needs the fields kTraditionalVariant, kZVariant, kSemanticVariant,
    // kSpecializedSemanticVariant and kHangul.
    void addUnihan(const Unihan &unihan);
    void addKanjidic(const QHash<QString, KanjidicEntry> &entries, const QHash<char32_t, QList<char32_t>> &variants);

    // Empty when a character is not a CJK ideograph or has no Korean reading at all.
    std::optional<KoreanLink> link(const QString &kanji) const;

    // The character itself, then its traditional, KANJIDIC2, Z, semantic and specialised
    // semantic variants, without repeats.
    QList<char32_t> forms(char32_t kanji) const;

private:
    char32_t koreanForm(char32_t kanji) const;
    QString readingOf(char32_t kanji, char32_t korean) const;

    QHash<QString, QString> m_words; // hanja word -> its reading
    QHash<char32_t, QStringList> m_meanings; // character -> hanja.txt meanings
    QHash<char32_t, QString> m_firstReading; // character -> first hanja.txt reading
    QHash<char32_t, QString> m_wordReading; // character -> its commonest reading inside words
    QSet<char32_t> m_known; // every character hanja.txt writes
    QHash<char32_t, QList<char32_t>> m_traditional;
    QHash<char32_t, QList<char32_t>> m_kanjidicVariants;
    QHash<char32_t, QList<char32_t>> m_otherVariants;
    QHash<char32_t, QString> m_kanjidicReading;
    QHash<char32_t, QString> m_unihanReading;
};

// Writes j2k.sdb and k2j.sdb into the context's output directory.
bool build(const BuildContext &ctx);

} // namespace JapaneseBuilder
