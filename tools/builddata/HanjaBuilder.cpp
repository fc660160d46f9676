// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "HanjaBuilder.h"

#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "TextKeys.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace HanjaBuilder {

namespace {

const char *const kLogName = "hanja";

// The radical names are stored with one character more than is shown; the data layer cuts it.
const QChar kNameTrailer = QLatin1Char('_');

bool isHangulSyllable(QChar c)
{
    return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3;
}

// One code point (a surrogate pair counts as one), or 0 when the text is not exactly one.
char32_t singleCodePoint(const QString &text)
{
    if (text.size() == 1 && !text.at(0).isSurrogate())
        return text.at(0).unicode();
    if (text.size() == 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(text.at(0), text.at(1));
    return 0;
}

QString fromCodePoint(char32_t cp)
{
    return QString::fromUcs4(&cp, 1);
}

QStringList senses(const QString &meaning)
{
    QStringList result;
    for (const QString &part : meaning.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString sense = part.trimmed();
        if (!sense.isEmpty())
            result.append(sense);
    }
    return result;
}

// The first reading of a kHangul value ("거:0E 차:0N" -> "거").
QString firstUnihanReading(const QString &kHangul)
{
    return kHangul.section(QLatin1Char(' '), 0, 0).section(QLatin1Char(':'), 0, 0);
}

QString pairKey(const QString &hanja, const QString &reading)
{
    return hanja + QLatin1Char('\t') + reading;
}

// One reading line of a character in hanja.txt.
struct SourceReading
{
    QString reading;
    QString meaning;
};

struct SourceCharacter
{
    QString hanja;
    std::vector<SourceReading> readings; // file order, each reading once
};

// What the word explanations need to know of a character.
struct CharacterFacts
{
    int radical = 0;
    int strokes = 0;
    bool education = false;
};

// One character of a word, with the syllable that reads it and that reading's meaning.
struct WordPart
{
    QString hanja;
    QString reading;
    QString meaning; // as in hanja.txt, possibly empty
};

class TableMaker final
{
public:
    TableMaker(const std::vector<HanjaTxtEntry> &entries, const Unihan &unihan,
               const std::vector<QString> &radicalCharacters)
        : m_entries(entries)
        , m_unihan(unihan)
        , m_radicalCharacters(radicalCharacters)
    { }

    Tables make()
    {
        collectCharacters();
        makeCharacterRows();
        makeRadicalRows();
        makeWordRows();
        return std::move(m_tables);
    }

private:
    void collectCharacters()
    {
        for (const HanjaTxtEntry &entry : m_entries) {
            if (!singleCodePoint(entry.hanja) || entry.reading.isEmpty())
                continue;
            // Every reading line's meaning, for the explanations of the words that use it.
            QString &meaning = m_meaningOf[pairKey(entry.hanja, entry.reading)];
            if (meaning.isEmpty())
                meaning = entry.meaning;
            auto it = m_sourceIndex.constFind(entry.hanja);
            if (it == m_sourceIndex.constEnd()) {
                it = m_sourceIndex.insert(entry.hanja, m_sources.size());
                m_sources.push_back({entry.hanja, {}});
            }
            std::vector<SourceReading> &readings = m_sources[*it].readings;
            const auto same = std::find_if(readings.begin(), readings.end(),
                                           [&entry](const SourceReading &r) { return r.reading == entry.reading; });
            if (same == readings.end())
                readings.push_back({entry.reading, entry.meaning});
            else if (same->meaning.isEmpty())
                same->meaning = entry.meaning;
        }
    }

    void addCharacterRow(const QString &hanja, const SourceReading &reading, int radical, int strokes,
                         const QString &level)
    {
        CharacterRow row;
        row.seq = int(m_tables.characters.size()) + 1;
        row.hanja = hanja;
        row.mean = meaningWords(reading.meaning);
        row.speech = reading.reading;
        row.busucode = radical;
        row.tcount = strokes;
        row.level = level;
        m_characterSeq.insert(pairKey(hanja, reading.reading), row.seq);
        if (!m_firstMeaning.contains(hanja))
            m_firstMeaning.insert(hanja, reading.meaning.isEmpty() ? reading.reading : firstSense(reading.meaning));
        m_tables.characters.push_back(std::move(row));
    }

    // One row per reading that hanja.txt explains (the initial-sound forms such as 낙 for 락
    // included: the keyboard offers those readings too); a character whose readings are all
    // unexplained keeps its first. The keyboard finds characters by reading, so every reading
    // needs its row: 金 is the only character read 김. A radical with several readings is
    // therefore listed once per reading in the radical list, which pairs each radical with the
    // character rows that are the radical itself.
    void makeCharacterRows()
    {
        QHash<QString, int> radicalNumber;
        for (size_t i = 0; i < m_radicalCharacters.size(); ++i) {
            if (!m_radicalCharacters[i].isEmpty())
                radicalNumber.insert(m_radicalCharacters[i], int(i) + 1);
        }
        int skipped = 0;
        for (const SourceCharacter &source : m_sources) {
            const char32_t cp = singleCodePoint(source.hanja);
            const int ownRadical = radicalNumber.value(source.hanja);
            const int radical = ownRadical ? ownRadical : m_unihan.radicalOf(cp);
            if (radical < 1 || radical > 214) {
                ++skipped;
                continue;
            }
            const QStringList taught = educationReadings(m_unihan.value(cp, QStringLiteral("kHangul")));
            CharacterFacts facts{radical, m_unihan.traditionalStrokes(cp), !taught.isEmpty()};
            m_facts.insert(source.hanja, facts);
            const QString level = facts.education ? QString::fromUtf16(kEducationLevel) : QString();

            std::vector<const SourceReading *> kept;
            for (const SourceReading &reading : source.readings) {
                if (!reading.meaning.isEmpty())
                    kept.push_back(&reading);
            }
            if (kept.empty())
                kept.push_back(&source.readings.front());
            for (const SourceReading *reading : kept)
                addCharacterRow(source.hanja, *reading, radical, facts.strokes, level);
        }
        if (skipped)
            buildLog(kLogName, QStringLiteral("%1 characters without a radical in Unihan left out").arg(skipped));

        // Every radical must be a character row of its own, even one hanja.txt does not list.
        for (size_t i = 0; i < m_radicalCharacters.size(); ++i) {
            const QString &hanja = m_radicalCharacters[i];
            if (hanja.isEmpty() || m_firstMeaning.contains(hanja))
                continue;
            const char32_t cp = singleCodePoint(hanja);
            const QString kHangul = m_unihan.value(cp, QStringLiteral("kHangul"));
            const bool education = !educationReadings(kHangul).isEmpty();
            m_facts.insert(hanja, {int(i) + 1, m_unihan.traditionalStrokes(cp), education});
            addCharacterRow(hanja, {firstUnihanReading(kHangul), QString()}, int(i) + 1,
                            m_unihan.traditionalStrokes(cp),
                            education ? QString::fromUtf16(kEducationLevel) : QString());
        }
    }

    void makeRadicalRows()
    {
        for (size_t i = 0; i < m_radicalCharacters.size(); ++i) {
            const QString &hanja = m_radicalCharacters[i];
            if (hanja.isEmpty())
                continue;
            RadicalRow row;
            row.seq = int(i) + 1;
            row.character = hanja;
            std::vector<std::pair<QString, QString>> readings;
            if (const auto source = m_sourceIndex.constFind(hanja); source != m_sourceIndex.constEnd()) {
                for (const SourceReading &reading : m_sources[*source].readings)
                    readings.emplace_back(reading.reading, reading.meaning);
            }
            row.name = radicalName(readings, m_unihan.value(singleCodePoint(hanja), QStringLiteral("kHangul")));
            row.stroke = Unihan::radicalStrokes(row.seq);
            m_radicalName.insert(row.seq, row.name);
            m_tables.radicals.push_back(std::move(row));
        }
    }

    // "배울 학<br>부수 子(아들 자), 총 16획<br>교육용 한자"
    QString characterComment(const QString &hanja, const QString &meaning) const
    {
        QStringList lines;
        if (!meaning.isEmpty())
            lines.append(meaning);
        const auto facts = m_facts.constFind(hanja);
        if (facts != m_facts.constEnd()) {
            QString line;
            const size_t radicalIndex = size_t(facts->radical) - 1;
            if (radicalIndex < m_radicalCharacters.size() && !m_radicalCharacters[radicalIndex].isEmpty()) {
                line = QStringLiteral("부수 ") + m_radicalCharacters[radicalIndex];
                const QString name = m_radicalName.value(facts->radical);
                if (!name.isEmpty())
                    line += QLatin1Char('(') + name + QLatin1Char(')');
            }
            if (facts->strokes > 0)
                line += (line.isEmpty() ? QString() : QStringLiteral(", "))
                        + QStringLiteral("총 %1획").arg(facts->strokes);
            if (!line.isEmpty())
                lines.append(line);
            if (facts->education)
                lines.append(QString::fromUtf16(kEducationLevel) + QStringLiteral(" 한자"));
        }
        return lines.join(QStringLiteral("<br>"));
    }

    // The Hanja of a word with the syllables that read them; Hangul and Latin letters written
    // as they are read are not parts. Empty when reading and spelling do not line up.
    std::vector<WordPart> wordParts(const HanjaTxtEntry &entry) const
    {
        std::vector<WordPart> parts;
        const QList<uint> hanja = entry.hanja.toUcs4();
        if (hanja.size() != entry.reading.size())
            return parts;
        for (int i = 0; i < hanja.size(); ++i) {
            const QChar syllable = entry.reading.at(i);
            if (hanja[i] == syllable.unicode() || QChar::script(hanja[i]) != QChar::Script_Han)
                continue;
            WordPart part;
            part.hanja = fromCodePoint(hanja[i]);
            part.reading = syllable;
            part.meaning = m_meaningOf.value(pairKey(part.hanja, part.reading));
            parts.push_back(std::move(part));
        }
        return parts;
    }

    // "學(배울 학) 校(학교 교)", each character with the first sense of the reading used.
    static QString partsInline(const std::vector<WordPart> &parts)
    {
        QStringList items;
        for (const WordPart &part : parts) {
            const QString sense = firstSense(part.meaning);
            items.append(part.hanja + QLatin1Char('(') + (sense.isEmpty() ? part.reading : sense) + QLatin1Char(')'));
        }
        return items.join(QLatin1Char(' '));
    }

    // One line per character with every sense: "學 배울 학<br>校 학교 교, 가르칠 교".
    static QString partsLines(const std::vector<WordPart> &parts)
    {
        QStringList lines;
        for (const WordPart &part : parts)
            lines.append(part.hanja + QLatin1Char(' ') + (part.meaning.isEmpty() ? part.reading : part.meaning));
        return lines.join(QStringLiteral("<br>"));
    }

    static QString joinLines(const QString &first, const QString &second)
    {
        if (first.isEmpty())
            return second;
        if (second.isEmpty())
            return first;
        return first + QStringLiteral("<br>") + second;
    }

    // Every distinct line of hanja.txt is a headword of the Hanja dictionary. A character line
    // takes the number of its character row, so that the entry and the character card agree;
    // everything else is numbered from kWordSeqBase on, in file order. The Korean dictionary
    // takes the words of two characters or more.
    void makeWordRows()
    {
        QSet<QString> seen;
        int nextWordSeq = kWordSeqBase;
        for (const HanjaTxtEntry &entry : m_entries) {
            if (entry.reading.isEmpty() || entry.hanja.isEmpty())
                continue;
            const QString key = pairKey(entry.hanja, entry.reading);
            if (seen.contains(key))
                continue;
            seen.insert(key);
            WordRow word;
            word.speech = entry.reading;
            word.hanja = entry.hanja;
            if (singleCodePoint(entry.hanja)) {
                word.seq = m_characterSeq.value(key, 0);
                if (!word.seq)
                    word.seq = ++nextWordSeq;
                word.comment = characterComment(entry.hanja, m_meaningOf.value(key));
                m_tables.words.push_back(std::move(word));
                continue;
            }
            word.seq = ++nextWordSeq;
            const std::vector<WordPart> parts = wordParts(entry);
            word.comment = joinLines(entry.meaning, partsInline(parts));
            m_tables.words.push_back(std::move(word));

            KoreanRow korean;
            korean.subject = entry.reading;
            korean.hanja = entry.hanja;
            korean.searchKey = entry.reading;
            korean.document = joinLines(entry.meaning, partsLines(parts));
            m_tables.koreanWords.push_back(std::move(korean));
        }
        TextKeys::sortByKey(m_tables.words, [](const WordRow &row) { return row.speech; });
        TextKeys::sortByKey(m_tables.koreanWords, [](const KoreanRow &row) { return row.searchKey; });
        for (size_t i = 0; i < m_tables.koreanWords.size(); ++i)
            m_tables.koreanWords[i].number = int(i) + 1;
    }

    const std::vector<HanjaTxtEntry> &m_entries;
    const Unihan &m_unihan;
    const std::vector<QString> &m_radicalCharacters;

    std::vector<SourceCharacter> m_sources;
    QHash<QString, size_t> m_sourceIndex; // hanja -> its place in m_sources
    QHash<QString, QString> m_meaningOf; // hanja \t reading -> meaning of that line
    QHash<QString, int> m_characterSeq; // hanja \t reading -> character row
    QHash<QString, QString> m_firstMeaning; // hanja -> first sense of its first row
    QHash<QString, CharacterFacts> m_facts;
    QHash<int, QString> m_radicalName;
    Tables m_tables;
};

bool fail(DbWriter &db, const QString &what)
{
    buildLog(kLogName, what + QStringLiteral(": ") + db.error());
    return false;
}

} // namespace

QString senseWithoutReading(const QString &sense)
{
    const int space = sense.lastIndexOf(QLatin1Char(' '));
    if (space <= 0 || space != sense.size() - 2 || !isHangulSyllable(sense.back()))
        return sense;
    return sense.left(space).trimmed();
}

QString meaningWords(const QString &meaning)
{
    QStringList words;
    for (const QString &sense : senses(meaning)) {
        const QString word = senseWithoutReading(sense);
        if (!words.contains(word))
            words.append(word);
    }
    return words.join(QStringLiteral(", "));
}

QString firstSense(const QString &meaning)
{
    const QStringList all = senses(meaning);
    return all.isEmpty() ? QString() : all.front();
}

QStringList educationReadings(const QString &kHangul)
{
    QStringList readings;
    for (const QString &token : kHangul.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int colon = token.indexOf(QLatin1Char(':'));
        if (colon > 0 && token.indexOf(QLatin1Char('E'), colon) > colon)
            readings.append(token.left(colon));
    }
    return readings;
}

QString radicalName(const std::vector<std::pair<QString, QString>> &readings, const QString &kHangul)
{
    QStringList order = educationReadings(kHangul);
    for (const QString &token : kHangul.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        order.append(token.section(QLatin1Char(':'), 0, 0));
    for (const auto &line : readings)
        order.append(line.first);
    for (const QString &wanted : std::as_const(order)) {
        const auto line = std::find_if(readings.begin(), readings.end(), [&wanted](const auto &r) {
            return r.first == wanted && !r.second.trimmed().isEmpty();
        });
        if (line == readings.end())
            continue;
        const QStringList senses = line->second.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &part : senses) {
            QString sense = part.trimmed();
            const QString word = senseWithoutReading(sense);
            const bool surname = word == QStringLiteral("성") || word.endsWith(QStringLiteral(" 성"))
                                 || word == QStringLiteral("성씨");
            if (!sense.isEmpty() && !surname)
                return sense;
        }
        return firstSense(line->second);
    }
    return readings.empty() ? firstUnihanReading(kHangul) : readings.front().first;
}

std::vector<QString> radicalCharacters(const Unihan &unihan)
{
    std::vector<QString> radicals;
    for (const Unihan::Radical &radical : unihan.radicals())
        radicals.push_back(radical.character);
    return radicals;
}

Tables makeTables(const std::vector<HanjaTxtEntry> &entries, const Unihan &unihan,
                  const std::vector<QString> &radicalCharacters)
{
    return TableMaker(entries, unihan, radicalCharacters).make();
}

bool writeHanjaDatabase(const Tables &tables, const QString &path)
{
    DbWriter db(path);
    if (!db.open())
        return fail(db, QStringLiteral("cannot create %1").arg(path));
    if (!db.exec(QStringLiteral(
                "CREATE TABLE h_word (ID INTEGER PRIMARY KEY, seq INTEGER, speech TEXT, hanja TEXT, impt TEXT, comment "
                "TEXT);"
                "CREATE TABLE h_character (seq INTEGER PRIMARY KEY, hanja TEXT, mean TEXT, speech TEXT, busucode "
                "INTEGER, "
                "tcount INTEGER, level TEXT);"
                "CREATE TABLE h_busu (seq INTEGER PRIMARY KEY, busu_hanja1 TEXT, busu_name TEXT, stroke INTEGER);")))
        return fail(db, QStringLiteral("cannot create the tables"));

    DbStatement word = db.prepare("INSERT INTO h_word VALUES (?, ?, ?, ?, ?, ?);");
    int id = 0;
    for (const WordRow &row : tables.words) {
        if (!word.run({++id, row.seq, row.speech, row.hanja, row.impt, row.comment}))
            return fail(db, QStringLiteral("cannot write word %1").arg(row.speech));
    }
    DbStatement character = db.prepare("INSERT INTO h_character VALUES (?, ?, ?, ?, ?, ?, ?);");
    for (const CharacterRow &row : tables.characters) {
        if (!character.run({row.seq, row.hanja, row.mean, row.speech, row.busucode, row.tcount, row.level}))
            return fail(db, QStringLiteral("cannot write character %1").arg(row.hanja));
    }
    DbStatement radical = db.prepare("INSERT INTO h_busu VALUES (?, ?, ?, ?);");
    for (const RadicalRow &row : tables.radicals) {
        if (!radical.run({row.seq, row.character, QString(row.name + kNameTrailer), row.stroke}))
            return fail(db, QStringLiteral("cannot write radical %1").arg(row.seq));
    }
    // The character lists are filtered by radical, stroke count or reading and sorted by
    // stroke count and character: each filter column leads an index that already holds that order.
    if (!db.finish({QStringLiteral("CREATE INDEX h_word_speech ON h_word (speech);"),
                    QStringLiteral("CREATE INDEX h_word_seq ON h_word (seq);"),
                    QStringLiteral("CREATE INDEX h_character_busucode ON h_character (busucode, tcount, hanja);"),
                    QStringLiteral("CREATE INDEX h_character_tcount ON h_character (tcount, hanja);"),
                    QStringLiteral("CREATE INDEX h_character_speech ON h_character (speech, tcount, hanja);"),
                    QStringLiteral("CREATE INDEX h_character_hanja ON h_character (hanja);"),
                    QStringLiteral("CREATE INDEX h_busu_stroke ON h_busu (stroke, busu_hanja1);")}))
        return fail(db, QStringLiteral("cannot finish %1").arg(path));
    return true;
}

bool writeKoreaDatabase(const Tables &tables, const QString &path)
{
    DbWriter db(path);
    if (!db.open())
        return fail(db, QStringLiteral("cannot create %1").arg(path));
    if (!db.exec(QStringLiteral("CREATE TABLE k_word (ID INTEGER PRIMARY KEY, number INTEGER, mody_subject TEXT, "
                                "mody_document TEXT, hanja TEXT, mody_s_id TEXT);")))
        return fail(db, QStringLiteral("cannot create the table"));
    DbStatement insert = db.prepare("INSERT INTO k_word VALUES (?, ?, ?, ?, ?, ?);");
    int id = 0;
    for (const KoreanRow &row : tables.koreanWords) {
        if (!insert.run({++id, row.number, row.subject, row.document, row.hanja, row.searchKey}))
            return fail(db, QStringLiteral("cannot write word %1").arg(row.subject));
    }
    if (!db.finish({QStringLiteral("CREATE INDEX k_word_mody_s_id ON k_word (mody_s_id);"),
                    QStringLiteral("CREATE INDEX k_word_number ON k_word (number);")}))
        return fail(db, QStringLiteral("cannot finish %1").arg(path));
    return true;
}

bool build(const BuildContext &context)
{
    QElapsedTimer timer;
    timer.start();
    const std::vector<HanjaTxtEntry> entries = HanjaTxt::load(context.sources.hanjaTxt);
    if (entries.empty()) {
        buildLog(kLogName, QStringLiteral("no entries in %1").arg(context.sources.hanjaTxt));
        return false;
    }
    Unihan unihan;
    if (!unihan.load(context.sources.unihanDir,
                     {QStringLiteral("kRSUnicode"), QStringLiteral("kTotalStrokes"), QStringLiteral("kHangul")})) {
        buildLog(kLogName, QStringLiteral("no Unihan data in %1").arg(context.sources.unihanDir));
        return false;
    }
    const std::vector<QString> radicals = radicalCharacters(unihan);
    const Tables tables = makeTables(entries, unihan, radicals);
    buildLog(kLogName, QStringLiteral("%1 characters, %2 radicals, %3 Hanja headwords, %4 Korean words")
                               .arg(tables.characters.size())
                               .arg(tables.radicals.size())
                               .arg(tables.words.size())
                               .arg(tables.koreanWords.size()));
    if (!writeHanjaDatabase(tables, context.outPath(QStringLiteral("hanja.sdb")))
        || !writeKoreaDatabase(tables, context.outPath(QStringLiteral("korea.sdb"))))
        return false;
    buildLog(kLogName, QStringLiteral("done in %1 s").arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));
    return true;
}

} // namespace HanjaBuilder

namespace {
const BuilderRegistration registration{Builder{
        QStringLiteral("hanja"), 30, {QStringLiteral("hanja.sdb"), QStringLiteral("korea.sdb")}, &HanjaBuilder::build}};
} // namespace
