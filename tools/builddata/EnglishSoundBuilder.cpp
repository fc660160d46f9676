// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "EnglishSoundBuilder.h"

#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "SourceFiles.h"
#include "Speech.h"
#include "TextKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <optional>

namespace {

const char *const LogName = "english-sound";

bool parseNumber(QStringView text, qint64 *value)
{
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok && *value >= 0;
}

// Byte order of the UTF-8 forms, as SQLite and the headword tables order text.
bool bytesBefore(const QString &a, const QString &b)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char l, char r) {
        return static_cast<unsigned char>(l) < static_cast<unsigned char>(r);
    });
}

// The text of one column of every row, in the statement's order; nothing when the database is
// missing or the statement fails (a database of another shape).
std::optional<QStringList> readColumn(const QString &path, const char *sql)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    sqlite3_stmt *stmt = nullptr;
    std::optional<QStringList> values;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        values.emplace();
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
            values->append(QString::fromUtf8(text, sqlite3_column_bytes(stmt, 0)));
        }
        if (rc != SQLITE_DONE)
            values.reset();
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return values;
}

bool isSoundDatabaseName(const QString &fileName)
{
    // "sound_X.sdb" with X a letter or digit; "sound_con.sdb" (the phrasebooks') is not ours.
    return fileName.size() == 11 && fileName.startsWith(QLatin1String("sound_"))
           && fileName.endsWith(QLatin1String(".sdb")) && fileName.at(6).unicode() < 128
           && fileName.at(6).isLetterOrNumber();
}

} // namespace

void WordFrequency::addIndexLine(QStringView line)
{
    if (line.isEmpty() || line.front() == QLatin1Char(' '))
        return;
    // lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt tagsense_cnt synset_offset...
    const QList<QStringView> fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qint64 pointers = 0;
    if (fields.size() < 6 || !parseNumber(fields.at(3), &pointers) || pointers > fields.size())
        return;
    const qsizetype tagsenseAt = 4 + pointers + 1;
    qint64 tagged = 0;
    qint64 senses = 0;
    if (tagsenseAt >= fields.size() || !parseNumber(fields.at(tagsenseAt - 1), &senses)
        || !parseNumber(fields.at(tagsenseAt), &tagged) || tagged > senses)
        return;
    m_counts[lemmaOf(fields.at(0).toString())].senses += int(tagged);
}

void WordFrequency::addCountLine(QStringView line)
{
    const QList<QStringView> fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() != 3)
        return;
    const qsizetype percent = fields.at(0).indexOf(QLatin1Char('%'));
    qint64 count = 0;
    if (percent <= 0 || !parseNumber(fields.at(2), &count))
        return;
    m_counts[lemmaOf(fields.at(0).left(percent).toString())].tags += count;
}

bool WordFrequency::load(const QString &dir)
{
    bool any = false;
    if (const auto lines = SourceFiles::readLines(dir + QLatin1String("/cntlist.rev"))) {
        any = true;
        for (const QString &line : *lines)
            addCountLine(line);
    }
    for (const char *pos : {"noun", "verb", "adj", "adv"}) {
        if (const auto lines = SourceFiles::readLines(dir + QLatin1String("/index.") + QLatin1String(pos))) {
            any = true;
            for (const QString &line : *lines)
                addIndexLine(line);
        }
    }
    return any;
}

QString WordFrequency::lemmaOf(const QString &word)
{
    return word.trimmed().toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
}

qint64 WordFrequency::tagCount(const QString &word) const
{
    return m_counts.value(lemmaOf(word)).tags;
}

int WordFrequency::taggedSenses(const QString &word) const
{
    return m_counts.value(lemmaOf(word)).senses;
}

bool WordFrequency::ranksBefore(const QString &a, const QString &b) const
{
    const QString la = lemmaOf(a);
    const QString lb = lemmaOf(b);
    const Count ca = m_counts.value(la);
    const Count cb = m_counts.value(lb);
    if (ca.tags != cb.tags)
        return ca.tags > cb.tags;
    if (ca.senses != cb.senses)
        return ca.senses > cb.senses;
    return bytesBefore(la, lb);
}

namespace EnglishSound {

QString clipName(const QString &word)
{
    return word.toLower() + QLatin1String(".mp3");
}

char fileLetter(const QString &name)
{
    qsizetype at = 0;
    if (name.startsWith(QLatin1Char('-')))
        at = 1;
    if (at >= name.size())
        return 0;
    const char16_t c = name.at(at).unicode();
    if (c >= u'a' && c <= u'z')
        return static_cast<char>(c - 32);
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return static_cast<char>(c);
    return 0;
}

QString databaseName(char letter)
{
    return QStringLiteral("sound_") + QLatin1Char(letter) + QStringLiteral(".sdb");
}

QString markerName()
{
    return QStringLiteral("sound_en.done");
}

std::vector<Word> chooseWords(const QStringList &e2kWords, const QStringList &e2eWords, const WordFrequency &frequency,
                              int frequentE2E, int limit)
{
    // key -> spoken text, first spelling kept unless a later one is the lower-case form itself.
    QHash<QString, QString> spelling;
    const auto add = [&spelling](const QString &word) {
        const QString trimmed = word.trimmed();
        const QString key = trimmed.toLower();
        if (key.isEmpty() || !fileLetter(key))
            return;
        auto it = spelling.find(key);
        if (it == spelling.end())
            spelling.insert(key, trimmed);
        else if (trimmed == key)
            it.value() = trimmed;
    };
    for (const QString &word : e2kWords)
        add(word);

    // The English-English headwords are ranked once per name: "Mercury" and "mercury" are one clip.
    QStringList e2eKeys;
    QSet<QString> seen;
    for (const QString &word : e2eWords) {
        const QString key = word.trimmed().toLower();
        if (key.isEmpty() || !fileLetter(key) || seen.contains(key))
            continue;
        seen.insert(key);
        e2eKeys.append(key);
    }
    const auto rank = [&frequency](const QString &a, const QString &b) {
        return frequency.ranksBefore(a, b);
    };
    const qsizetype take = std::clamp<qsizetype>(frequentE2E, 0, e2eKeys.size());
    std::partial_sort(e2eKeys.begin(), e2eKeys.begin() + take, e2eKeys.end(), rank);
    e2eKeys.resize(take);
    QSet<QString> chosenE2E(e2eKeys.cbegin(), e2eKeys.cend());
    for (const QString &word : e2eWords) {
        if (chosenE2E.contains(word.trimmed().toLower()))
            add(word);
    }

    QStringList keys = spelling.keys();
    if (limit >= 0 && keys.size() > limit) {
        std::partial_sort(keys.begin(), keys.begin() + limit, keys.end(), rank);
        keys.resize(limit);
    }
    std::vector<Word> words;
    words.reserve(size_t(keys.size()));
    for (const QString &key : std::as_const(keys)) {
        // WordNet joins collocations with underscores; speak them as separate words.
        QString text = spelling.value(key);
        words.push_back(Word{key, text.replace(QLatin1Char('_'), QLatin1Char(' '))});
    }
    TextKeys::sortByKey(words, [](const Word &w) { return clipName(w.key); });
    return words;
}

bool build(const BuildContext &ctx)
{
    if (!ctx.withSound || ctx.soundLimit == 0) {
        buildLog(LogName, QStringLiteral("no recordings asked for: nothing written"));
        return true;
    }
    QFile::remove(ctx.outPath(markerName()));

    const auto e2k = readColumn(ctx.outPath(QStringLiteral("e2k.sdb")), "SELECT wd FROM e2k_word ORDER BY ID;");
    const auto e2e = readColumn(ctx.outPath(QStringLiteral("e2e.sdb")), "SELECT WORD FROM e2e_word ORDER BY ID;");
    if (!e2k && !e2e) {
        buildLog(LogName, QStringLiteral("neither e2k.sdb nor e2e.sdb can be read in %1").arg(ctx.outDir));
        return false;
    }
    if (!e2k)
        buildLog(LogName, QStringLiteral("e2k.sdb cannot be read: English-Korean words get no recordings"));
    if (!e2e)
        buildLog(LogName, QStringLiteral("e2e.sdb cannot be read: English-English words get no recordings"));

    WordFrequency frequency;
    if (!frequency.load(ctx.sources.wordnetDir))
        buildLog(LogName, QStringLiteral("no WordNet counts in %1: words are taken in alphabetical order")
                                  .arg(ctx.sources.wordnetDir));
    const std::vector<Word> words = chooseWords(e2k.value_or(QStringList()), e2e.value_or(QStringList()), frequency,
                                                FrequentE2E, ctx.soundLimit);
    if (words.empty()) {
        buildLog(LogName, QStringLiteral("no English headwords to record"));
        return false;
    }
    if (!Speech::available()) {
        buildLog(LogName, QStringLiteral("espeak-ng or lame is missing (build with --no-sound to go without)"));
        return false;
    }

    std::vector<SpeechJob> jobs;
    jobs.reserve(words.size());
    for (const Word &word : words)
        jobs.push_back(SpeechJob{word.text, QStringLiteral("en-us"), {}});
    buildLog(LogName, QStringLiteral("%1 recordings to make").arg(jobs.size()));
    const int made = Speech::synthesize(jobs, ctx.jobs, LogName);
    if (made == 0) {
        buildLog(LogName, QStringLiteral("speech synthesis produced nothing"));
        return false;
    }
    if (size_t(made) < jobs.size())
        buildLog(LogName, QStringLiteral("%1 words could not be spoken and get no recording").arg(jobs.size() - made));

    // Databases of an earlier build go first: one for a letter this build has no words for would
    // still be read, and a lower-case "sound_b.sdb" is read where no "sound_B.sdb" exists.
    const QStringList existing = QDir(ctx.outDir).entryList({QStringLiteral("sound_*.sdb")}, QDir::Files);
    for (const QString &file : existing) {
        if (isSoundDatabaseName(file))
            QFile::remove(ctx.outPath(file));
    }

    // Words are sorted by clip name, so each letter's clips are already in name order.
    std::map<char, std::vector<size_t>> byLetter;
    for (size_t i = 0; i < words.size(); ++i) {
        if (!jobs[i].mp3.isEmpty())
            byLetter[fileLetter(words[i].key)].push_back(i);
    }
    QStringList summary;
    qint64 totalBytes = 0;
    for (const auto &[letter, indexes] : byLetter) {
        DbWriter writer(ctx.outPath(databaseName(letter)));
        if (!writer.open() || !writer.exec(QStringLiteral("CREATE TABLE e_word (name TEXT, data BLOB);"))) {
            buildLog(LogName, writer.error());
            return false;
        }
        {
            DbStatement insert = writer.prepare("INSERT INTO e_word (name, data) VALUES (?, ?);");
            for (size_t i : indexes) {
                if (!insert.run({clipName(words[i].key), jobs[i].mp3})) {
                    buildLog(LogName, QStringLiteral("cannot store %1").arg(clipName(words[i].key)));
                    return false;
                }
                totalBytes += jobs[i].mp3.size();
            }
        }
        // Clips of a few kilobytes waste a quarter of the file in 4 KiB pages; VACUUM applies this.
        if (!writer.exec(QStringLiteral("PRAGMA page_size=1024;"))
            || !writer.finish({QStringLiteral("CREATE INDEX e_word_name ON e_word (name);")})) {
            buildLog(LogName, writer.error());
            return false;
        }
        summary << QStringLiteral("%1 %2").arg(databaseName(letter)).arg(indexes.size());
    }

    QSaveFile marker(ctx.outPath(markerName()));
    if (!marker.open(QIODevice::WriteOnly)) {
        buildLog(LogName, QStringLiteral("cannot write %1").arg(marker.fileName()));
        return false;
    }
    marker.write(QByteArray(summary.join(QLatin1Char('\n')).toUtf8() + '\n'));
    if (!marker.commit()) {
        buildLog(LogName, QStringLiteral("cannot write %1").arg(marker.fileName()));
        return false;
    }
    buildLog(LogName, QStringLiteral("%1 recordings, %2 kB in %3 databases")
                              .arg(made)
                              .arg(totalBytes / 1024)
                              .arg(byLetter.size()));
    return true;
}

} // namespace EnglishSound

namespace {

const BuilderRegistration registration{
        Builder{QStringLiteral("english-sound"), 25, {EnglishSound::markerName()}, &EnglishSound::build}};

} // namespace
