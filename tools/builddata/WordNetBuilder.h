// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

struct BuildContext;

// The English-English dictionary ("e2e.sdb") from the WordNet 3.0 database files: every lemma
// of the four parts of speech is a headword; its senses, examples, synonyms, opposites and broader
// terms become the meaning tree, the collocations that contain it the idiom list, and the
// irregular forms of the exception lists the usage page and the variant line. Texts stay English.
namespace WordNet {

// The four parts of speech in the order of their files (noun, verb, adj, adv).
enum Pos { Noun = 0, Verb = 1, Adjective = 2, Adverb = 3 };
constexpr int PosCount = 4;

// "noun" -> Noun; -1 for anything else.
int posOfFileSuffix(QStringView suffix);
// 'n' -> Noun, 'v' -> Verb, 'a' and 's' (satellite) -> Adjective, 'r' -> Adverb; -1 otherwise.
int posOfLetter(char letter);

// One line of an index.<pos> file. The lemma has its underscores turned into spaces.
struct IndexLine
{
    QString lemma;
    int pos = -1;
    std::vector<quint32> offsets; // in sense order: sense 1 first
};
// Licence lines (leading spaces) and malformed lines give nothing.
std::optional<IndexLine> parseIndexLine(QByteArrayView line);

// A pointer of a synset to another synset. source/target are word numbers (from 1) for lexical
// pointers, 0 for semantic ones.
struct Pointer
{
    QByteArray symbol; // "@", "!", "~", "#m", ...
    int pos = -1;
    quint32 offset = 0;
    int source = 0;
    int target = 0;
};

// The gloss of a synset split into its definition and its quoted example sentences.
struct Gloss
{
    QString definition;
    QStringList examples; // as WordNet writes them, quotes included
};
Gloss splitGloss(const QString &gloss);

// One line of a data.<pos> file. Words have underscores turned into spaces and adjective
// markers ("(a)", "(p)", "(ip)") removed; they keep WordNet's capitals.
struct Synset
{
    quint32 offset = 0;
    int pos = -1;
    QStringList words;
    std::vector<Pointer> pointers;
    Gloss gloss;
};
std::optional<Synset> parseDataLine(QByteArrayView line);

// One line of a <pos>.exc file: the inflected form and its base forms (underscores as spaces).
struct ExceptionLine
{
    QString form;
    QStringList bases;
};
std::optional<ExceptionLine> parseExceptionLine(QByteArrayView line);

// The kinds of irregular form told apart on the usage page.
enum class FormKind { Plural, Present, PastForm, IngForm, Comparative, Superlative, Other };
FormKind formKind(int pos, const QString &form);
// The label of a usage line ("plural:", "past forms:", ...).
QString formLabel(FormKind kind);
// Of a verb's past forms, the one most likely the simple past ("wrote" rather than "written",
// "was" rather than "been"); empty when there is none.
QString simplePast(const QStringList &pastForms);

// One e2e_example row (TEXT3 and TEXT4 are always empty).
struct ExampleRow
{
    int type = 0;
    QString text1;
    QString text2;
};

// What the database holds for one headword besides its rows.
struct Headword
{
    QString lemma; // lower case, spaces: the key of the lexicon
    QString word; // as WordNet spells it
    QString pdef; // "noun, verb"
    QString varConn; // ", past" / ", pl." / ", comp."; empty when there is no variant
    QString varWord;
};

// The whole of WordNet in memory, and the entries made from it.
class Lexicon final
{
public:
    // At most this many collocations are listed as idioms of one headword: the most frequent,
    // then those that start with the headword, then the shortest.
    static constexpr int MaxIdioms = 40;
    // At most this many senses of one idiom are explained.
    static constexpr int MaxIdiomSenses = 3;
    // At most this many synonyms are named on a sense.
    static constexpr int MaxSynonyms = 12;

    // Reads index.*, data.*, *.exc and cntlist.rev from a WordNet dict directory. A missing
    // part of speech is left out; false when no index and data file could be read.
    bool load(const QString &dir);

    void addIndexLine(QByteArrayView line);
    void addDataLine(int pos, QByteArrayView line);
    void addExceptionLine(int pos, QByteArrayView line);
    void addCountLine(QByteArrayView line);
    // Links collocations to the headwords they contain; call after the last add*().
    void finish();

    // Lemmas in the order they first appear in index.noun, .verb, .adj, .adv: entry number - 1.
    const QStringList &lemmas() const { return m_order; }
    bool contains(const QString &lemma) const { return m_lemmas.contains(lemma); }

    Headword headword(const QString &lemma) const;
    std::vector<ExampleRow> rows(const QString &lemma) const;
    // Parts of speech of a lemma, most frequent first (sense-tagged counts, then file order).
    std::vector<int> partsOfSpeech(const QString &lemma) const;
    // Irregular forms of a lemma in one part of speech, in the exception list's order.
    QStringList forms(const QString &lemma, int pos) const;
    // The collocations listed as idioms of a lemma, in the order they are listed (at most MaxIdioms).
    QStringList idioms(const QString &lemma) const;
    qint64 tagCount(const QString &lemma) const;

private:
    struct LemmaInfo
    {
        std::array<std::vector<quint32>, PosCount> senses; // synset offsets in sense order
        QStringList containers; // collocations that hold this lemma as a word
    };

    const Synset *synset(int pos, quint32 offset) const;
    // The lemma as the synset spells it; *wordNumber its place there (from 1, 0 if absent).
    QString spelling(const QString &lemma, const Synset &synset, int *wordNumber) const;
    // The spelling most of the lemma's senses use.
    QString displayWord(const QString &lemma) const;
    // The words the synset's pointers of one kind lead to, joined by ", ".
    QString relatedWords(const Synset &from, const char *symbol, int wordNumber, int limit) const;
    QStringList idiomExplanations(const QString &lemma) const;

    std::array<QHash<quint32, Synset>, PosCount> m_synsets;
    QHash<QString, LemmaInfo> m_lemmas;
    QStringList m_order;
    QHash<QString, std::array<qint64, PosCount>> m_tags; // sense-tagged counts per part of speech
    QHash<QString, std::array<QStringList, PosCount>> m_forms; // irregular forms by base form
};

// IPA pronunciations: one line of text per word through the given command (espeak-ng by
// default), in chunks run `jobs` at a time. The command may answer a line with several lines
// (espeak-ng breaks "sept. 11" at the full stop) or with none, so a made-up marker word follows
// every word: the answer lines between two marker answers belong to one word and are joined.
// Failed words get an empty string.
QStringList pronounce(const QStringList &texts, int jobs, const QStringList &command = {}, int chunkSize = 2000);

// Writes the dictionary file of a lexicon, with the given pronunciations (text -> IPA).
bool writeDatabase(const QString &path, const Lexicon &lexicon, const QHash<QString, QString> &pronunciations);

// The build step "e2e".
bool build(const BuildContext &ctx);

} // namespace WordNet
