// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

struct BuildContext;

// How common an English word is, from WordNet's sense-tagged corpus counts: cntlist.rev gives
// how often each sense was tagged (summed per lemma over all parts of speech), and the index
// files' tagsense_cnt how many of a lemma's senses were tagged at all (the tie-breaker).
class WordFrequency final
{
public:
    // One line of an index.<pos> file. Licence lines (leading space) and malformed lines are ignored.
    void addIndexLine(QStringView line);
    // One line of cntlist.rev: "sense_key sense_number tag_cnt". Malformed lines are ignored.
    void addCountLine(QStringView line);
    // Reads cntlist.rev and index.noun/.verb/.adj/.adv of a WordNet dict directory. False when
    // none of them could be read.
    bool load(const QString &dir);

    // WordNet's lemma form of a word: lower case, words joined by underscores.
    static QString lemmaOf(const QString &word);
    qint64 tagCount(const QString &word) const;
    int taggedSenses(const QString &word) const;
    // True when a ranks before b: more tags, then more tagged senses, then a's lemma first in
    // byte order (so that the ranking never depends on input order).
    bool ranksBefore(const QString &a, const QString &b) const;
    bool isEmpty() const { return m_counts.isEmpty(); }

private:
    struct Count
    {
        qint64 tags = 0;
        int senses = 0;
    };
    QHash<QString, Count> m_counts;
};

// The recorded pronunciations of the English-Korean and English-English dictionaries: clips
// named after the lower-cased word ("book.mp3"), spread over one sound database per initial
// letter ("sound_B.sdb", table e_word(name, data)), as the English accessors look them up.
namespace EnglishSound {

// How many of the English-English headwords get a clip: the most frequent ones.
constexpr int FrequentE2E = 5000;

// "Book" -> "book.mp3", the name both English accessors ask for.
QString clipName(const QString &word);
// The letter of the sound database holding a clip: the name's first character, or its second
// when the first is "-"; ASCII letters in upper case, digits as they are. 0 for any other
// character (punctuation, non-ASCII, a name that is only "-"): such a name gets no clip.
char fileLetter(const QString &name);
// "sound_A.sdb" for 'A'.
QString databaseName(char letter);
// Written last by a complete build, listing the databases and their clip counts.
QString markerName();

// One clip to synthesise.
struct Word
{
    QString key; // lower-case word; the clip is key + ".mp3"
    QString text; // what is spoken
};

// The clips for the two dictionaries' headwords (each list in table order): every English-Korean
// word and the `frequentE2E` most frequent English-English words, once per clip name, leaving
// out names without a file letter. When limit >= 0 only the `limit` most frequent survive.
// Sorted by the clip name's bytes. The spoken text is the word as the dictionary spells it,
// preferring an all-lower-case spelling when the same name comes in several.
std::vector<Word> chooseWords(const QStringList &e2kWords, const QStringList &e2eWords, const WordFrequency &frequency,
                              int frequentE2E, int limit);

// The build step: reads e2k.sdb and e2e.sdb from the output directory, synthesises the clips and
// writes the sound databases, then the marker. Does nothing (and succeeds) without sound.
bool build(const BuildContext &ctx);

} // namespace EnglishSound
