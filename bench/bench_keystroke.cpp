// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// bench_keystroke: the data-layer cost of one keystroke in the search screen, the integrated
// search, and a bare indexed SQLite lookup as the floor, on generated 200 000-headword
// dictionaries with and without an index on the search column.
//
//   bench_keystroke [--words N] [--samples N] [--dir DIR]
//       generates the databases (into DIR, or a temporary directory) and prints median ns/op.
//   bench_keystroke --dir DIR --keystrokes N [--plain] [--floor]
//       reuses DIR, warms up, then runs N keystrokes (or, with --floor, N bare indexed lookups) only: for
//       valgrind --tool=callgrind --collect-atstart=no bench_keystroke --dir DIR --keystrokes N
//       (the measured loop toggles collection on and off; instructions / N = one keystroke).
#include "DBManager.h"
#include "Dictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Word
{
    std::string display; // as shown
    std::string key; // the search column
};

std::mt19937 rng(20261206);

std::string latinWord()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
    const int length = 3 + static_cast<int>(rng() % 9);
    std::string w;
    for (int i = 0; i < length; ++i)
        w += letters[rng() % 26];
    if (rng() % 20 == 0)
        w += "'s";
    return w;
}

std::string hangulWord()
{
    const int length = 2 + static_cast<int>(rng() % 3);
    QString w;
    for (int i = 0; i < length; ++i)
        w += QChar(static_cast<char16_t>(0xAC00 + rng() % 11172));
    return w.toStdString();
}

std::string upper(std::string s)
{
    for (char &c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    }
    return s;
}

// Headwords sorted by their search key: the IDs 1..N follow that order.
std::vector<Word> makeWords(int n, bool korean)
{
    std::vector<Word> words;
    words.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const std::string w = korean ? hangulWord() : latinWord();
        words.push_back({w, korean ? w : upper(w)});
    }
    std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) { return a.key < b.key; });
    return words;
}

void exec(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "bench_keystroke: %s: %s\n", sql, error ? error : "?");
        std::exit(2);
    }
}

struct Inserter
{
    sqlite3_stmt *st = nullptr;
    Inserter(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &st, nullptr); }
    ~Inserter() { sqlite3_finalize(st); }
    Inserter &text(int i, const std::string &s)
    {
        sqlite3_bind_text(st, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Inserter &integer(int i, long long v)
    {
        sqlite3_bind_int64(st, i, v);
        return *this;
    }
    Inserter &blob(int i, const std::string &b)
    {
        sqlite3_bind_blob(st, i, b.data(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        return *this;
    }
    void run()
    {
        sqlite3_step(st);
        sqlite3_reset(st);
    }
};

sqlite3 *create(const QByteArray &path)
{
    QFile::remove(QString::fromLocal8Bit(path));
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "bench_keystroke: cannot create %s\n", path.constData());
        std::exit(2);
    }
    exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;");
    return db;
}

void finish(sqlite3 *db)
{
    exec(db, "COMMIT;");
    sqlite3_close(db);
}

// The entry number of headword i: a fixed permutation, so entries are found through an index.
long long entryNumber(size_t i, size_t n)
{
    return 1000000 + static_cast<long long>((i * 7919) % n);
}

void generate(const QByteArray &dir, int n, std::vector<Word> *e2kWords)
{
    const auto started = Clock::now();
    const size_t count = static_cast<size_t>(n);
    {
        *e2kWords = makeWords(n, false);
        const auto &words = *e2kWords;
        sqlite3 *db = create(dir + "e2k.sdb");
        exec(db, "CREATE TABLE e2k_word (ID INTEGER PRIMARY KEY, seq_n INTEGER, dic_wd TEXT, sc_wd TEXT, prnc TEXT, "
                 "impt_rt TEXT, pt_use TEXT, wd TEXT);"
                 "CREATE TABLE e2k_example (wd_seq_n INTEGER, flag INTEGER, txt TEXT, wd_odr INTEGER);"
                 "CREATE TABLE e2k_sentence (seq INTEGER PRIMARY KEY, sentence TEXT, expn TEXT);"
                 "CREATE TABLE e2k_sentence_search2 (word_seq INTEGER, sentence_seq INTEGER);"
                 "CREATE TABLE e2k_synonym (seq_n INTEGER, usage_wd TEXT, definition TEXT, english_example1 TEXT, "
                 "korean_example1 TEXT, english_example2 TEXT, korean_example2 TEXT);");
        Inserter word(db, "INSERT INTO e2k_word VALUES (?, ?, ?, ?, 'pron', '3', 'n.', ?);");
        Inserter example(db, "INSERT INTO e2k_example VALUES (?, ?, ?, ?);");
        Inserter link(db, "INSERT INTO e2k_sentence_search2 VALUES (?, ?);");
        Inserter synonym(db, "INSERT INTO e2k_synonym VALUES (?, ?, 'definition', 'e1', 'k1', 'e2', 'k2');");
        for (size_t i = 0; i < count; ++i) {
            const long long seq = entryNumber(i, count);
            word.integer(1, static_cast<long long>(i + 1)).integer(2, seq).text(3, words[i].display);
            word.text(4, words[i].key).text(5, words[i].display).run();
            const int flags[] = {1, 2, 4, 2, 4, 3, 6};
            for (int r = 0; r < 7; ++r)
                example.integer(1, seq).integer(2, flags[r]).text(3, "뜻 " + words[i].display).integer(4, r).run();
            for (int s = 0; s < 3; ++s)
                link.integer(1, seq)
                        .integer(2, static_cast<long long>((i * 3 + static_cast<size_t>(s)) % 50000 + 1))
                        .run();
            if (i % 10 == 0)
                synonym.integer(1, seq).text(2, words[i].display).run();
        }
        Inserter sentence(db, "INSERT INTO e2k_sentence VALUES (?, ?, ?);");
        for (int s = 1; s <= 50000; ++s)
            sentence.integer(1, s)
                    .text(2, "An example sentence number " + std::to_string(s) + ".")
                    .text(3, "예문 " + std::to_string(s))
                    .run();
        exec(db, "CREATE INDEX e2k_word_seq_n ON e2k_word (seq_n);"
                 "CREATE INDEX e2k_example_seq ON e2k_example (wd_seq_n, wd_odr);"
                 "CREATE INDEX e2k_search2_word ON e2k_sentence_search2 (word_seq);"
                 "CREATE INDEX e2k_synonym_seq ON e2k_synonym (seq_n);");
        finish(db);

        // Pronunciations for every fourth word, one database per initial letter.
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            sqlite3 *sound = create(dir + "sound_" + letter + ".sdb");
            exec(sound, "CREATE TABLE e_word (name TEXT, data BLOB);");
            Inserter clip(sound, "INSERT INTO e_word VALUES (?, ?);");
            const std::string bytes = std::string("\xFF\xFB\x90\x44", 4) + std::string(400, '\0');
            for (size_t i = 0; i < count; i += 4) {
                if (words[i].key[0] == letter)
                    clip.text(1, words[i].display + ".mp3").blob(2, bytes).run();
            }
            exec(sound, "CREATE INDEX e_word_name ON e_word (name);");
            finish(sound);
        }
    }
    {
        const auto words = makeWords(n, false);
        sqlite3 *db = create(dir + "e2e.sdb");
        exec(db, "CREATE TABLE e2e_word (ID INTEGER PRIMARY KEY, WID INTEGER, WORD TEXT, SWORD TEXT, PRON TEXT, "
                 "PDEF TEXT); CREATE TABLE e2e_var (WID INTEGER, CONN TEXT, WORD TEXT, PRON TEXT);"
                 "CREATE TABLE e2e_example (WID INTEGER, TYPE INTEGER, TEXT1 TEXT, TEXT2 TEXT, TEXT3 TEXT, "
                 "TEXT4 TEXT, SEQ INTEGER);");
        Inserter word(db, "INSERT INTO e2e_word VALUES (?, ?, ?, ?, 'pron', 'n. a thing');");
        for (size_t i = 0; i < count; ++i)
            word.integer(1, static_cast<long long>(i + 1))
                    .integer(2, entryNumber(i, count))
                    .text(3, words[i].display)
                    .text(4, words[i].key)
                    .run();
        exec(db, "CREATE INDEX e2e_word_wid ON e2e_word (WID);");
        finish(db);
    }
    {
        const auto words = makeWords(n, true);
        sqlite3 *db = create(dir + "k2e.sdb");
        exec(db, "CREATE TABLE k2e_word (ID INTEGER PRIMARY KEY, SECTIONNO INTEGER, HEADWORD TEXT, CHINESECHAR "
                 "TEXT, HEADTYPE TEXT, SEARCHWORD TEXT);"
                 "CREATE TABLE k2e_meaning (SECTIONNO INTEGER, MEANNO INTEGER, MEANING TEXT, OPERSEQ INTEGER);"
                 "CREATE TABLE k2e_example (MEANNO INTEGER, EXAMPLENO INTEGER, KOR_EXAMPLE TEXT, ENG_EXAMPLE "
                 "TEXT, OPERSEQ INTEGER);");
        Inserter word(db, "INSERT INTO k2e_word VALUES (?, ?, ?, '', '명', ?);");
        for (size_t i = 0; i < count; ++i)
            word.integer(1, static_cast<long long>(i + 1))
                    .integer(2, entryNumber(i, count))
                    .text(3, words[i].display)
                    .text(4, words[i].key)
                    .run();
        finish(db);

        const auto korean = makeWords(n, true);
        db = create(dir + "korea.sdb");
        exec(db, "CREATE TABLE k_word (ID INTEGER PRIMARY KEY, number INTEGER, mody_subject TEXT, mody_document "
                 "TEXT, hanja TEXT, mody_s_id TEXT);");
        Inserter kword(db, "INSERT INTO k_word VALUES (?, ?, ?, '뜻풀이', '', ?);");
        for (size_t i = 0; i < count; ++i)
            kword.integer(1, static_cast<long long>(i + 1))
                    .integer(2, entryNumber(i, count))
                    .text(3, korean[i].display)
                    .text(4, korean[i].key)
                    .run();
        finish(db);
    }
    std::printf("generated %d headwords per dictionary in %s (%.1f s)\n", n, dir.constData(),
                std::chrono::duration<double>(Clock::now() - started).count());
}

void addSearchIndexes(const QByteArray &dir)
{
    const struct
    {
        const char *file;
        const char *sql;
    } indexes[] = {{"e2k.sdb", "CREATE INDEX e2k_word_sc_wd ON e2k_word (sc_wd);"},
                   {"e2e.sdb", "CREATE INDEX e2e_word_sword ON e2e_word (SWORD);"},
                   {"k2e.sdb", "CREATE INDEX k2e_word_searchword ON k2e_word (SEARCHWORD);"},
                   {"korea.sdb", "CREATE INDEX k_word_mody_s_id ON k_word (mody_s_id);"}};
    for (const auto &ix : indexes) {
        sqlite3 *db = nullptr;
        sqlite3_open(QByteArray(dir + ix.file).constData(), &db);
        exec(db, ix.sql);
        sqlite3_close(db);
    }
}

void copyDir(const QByteArray &from, const QByteArray &to)
{
    QDir().mkpath(QString::fromLocal8Bit(to));
    const QDir source(QString::fromLocal8Bit(from));
    for (const QString &name : source.entryList(QDir::Files)) {
        const QString target = QString::fromLocal8Bit(to) + name;
        QFile::remove(target);
        QFile::copy(source.filePath(name), target);
    }
}

long long median(std::vector<long long> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// A typed prefix: the first 1..5 characters of a random headword, as the user types it.
QString randomPrefix(const std::vector<Word> &words)
{
    const Word &w = words[rng() % words.size()];
    const size_t length = std::min<size_t>(w.display.size(), 1 + rng() % 5);
    return QString::fromStdString(w.display.substr(0, length));
}

// One keystroke's data step as the search screen runs it; answers false when the typed
// text lies beyond the last headword (the list then stays as it was).
bool keystroke(DBManager &db, const QString &text)
{
    DataList *nearest = db.GetDataList(0, 9, text, false);
    if (!nearest)
        return false;
    DataList *window = db.GetDataList(nearest->GetItem(0)->GetValue(1), 9, QString(), false);
    if (!window)
        return false;
    return db.GetDataIndex(window->GetItem(0)->GetValue(0)) != nullptr;
}

struct Figures
{
    long long keystroke = 0;
    long long nearest = 0;
    long long refill = 0;
    long long entry = 0;
    long long total = 0;
    long long floor = 0;
    unsigned long long prepared = 0;
    int failures = 0;
};

template<typename F> long long timeOne(F &&f)
{
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - t0).count();
}

Figures measure(const QByteArray &dir, const std::vector<Word> &words, int samples)
{
    Figures fig;
    DBManager db;
    db.SetSoundPath(dir.constData());
    db.SetDictionaryPath(dir.constData());
    db.SetDictionary(DICTIONARY_E2K, nullptr);

    // Another program holding an exclusive lock on the dictionary: reads must not need a lock.
    sqlite3 *writer = nullptr;
    sqlite3_open(QByteArray(dir + "e2k.sdb").constData(), &writer);
    exec(writer, "BEGIN EXCLUSIVE;");

    // Warm-up: every statement, every sound database and the other accessors of the integrated
    // search are prepared and opened once; after this nothing may be prepared again.
    _TotalDictionary which;
    for (int k = 0; k <= 3; ++k)
        which.dic[k] = 1;
    for (int i = 0; i < 50; ++i)
        keystroke(db, randomPrefix(words));
    for (char letter = 'a'; letter <= 'z'; ++letter)
        keystroke(db, QString(QLatin1Char(letter)));
    db.SetDictionary(DICTIONARY_TOTAL, nullptr);
    db.GetTotalList(&which, QStringLiteral("warm"));
    db.SetDictionary(DICTIONARY_E2K, nullptr);
    const unsigned long long preparedBefore = Dictionary::StatementsPrepared();

    std::vector<long long> steps, nearest, refill, entry;
    for (int i = 0; i < samples; ++i) {
        const QString text = randomPrefix(words);
        bool ok = false;
        steps.push_back(timeOne([&] { ok = keystroke(db, text); }));
        fig.failures += ok ? 0 : 1;
        // The same three calls timed one by one.
        DataList *list = nullptr;
        nearest.push_back(timeOne([&] { list = db.GetDataList(0, 9, text, false); }));
        const int id = list ? list->GetItem(0)->GetValue(1) : 1;
        refill.push_back(timeOne([&] { list = db.GetDataList(id, 9, QString(), false); }));
        const int number = list ? list->GetItem(0)->GetValue(0) : 0;
        entry.push_back(timeOne([&] { db.GetDataIndex(number); }));
    }

    std::vector<long long> total;
    db.SetDictionary(DICTIONARY_TOTAL, nullptr);
    for (int i = 0; i < samples; ++i) {
        const QString word = QString::fromStdString(words[rng() % words.size()].display);
        total.push_back(timeOne([&] { db.GetTotalList(&which, word); }));
    }
    fig.prepared = Dictionary::StatementsPrepared() - preparedBefore;

    // The floor: one prepared indexed lookup of the same kind of key, on its own connection.
    sqlite3 *raw = nullptr;
    const QByteArray uri
            = "file:" + QFile::encodeName(QDir(QString::fromLocal8Bit(dir)).absolutePath()) + "/e2k.sdb?immutable=1";
    sqlite3_open_v2(uri.constData(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(raw, "SELECT ID FROM e2k_word WHERE sc_wd >= upper(?) ORDER BY sc_wd LIMIT 1;", -1, &st,
                       nullptr);
    std::vector<long long> floor;
    for (int i = 0; i < samples; ++i) {
        const QByteArray key = randomPrefix(words).toUtf8();
        floor.push_back(timeOne([&] {
            sqlite3_bind_text(st, 1, key.constData(), static_cast<int>(key.size()), SQLITE_STATIC);
            if (sqlite3_step(st) == SQLITE_ROW)
                (void)sqlite3_column_int(st, 0);
            sqlite3_reset(st);
        }));
    }
    sqlite3_finalize(st);
    sqlite3_close(raw);
    exec(writer, "ROLLBACK;");
    sqlite3_close(writer);

    fig.keystroke = median(steps);
    fig.nearest = median(nearest);
    fig.refill = median(refill);
    fig.entry = median(entry);
    fig.total = median(total);
    fig.floor = median(floor);
    return fig;
}

void report(const char *label, const Figures &f, int samples)
{
    std::printf("\n%s (%d samples, median ns/op)\n", label, samples);
    std::printf("  keystroke data step        %10lld   (nearest %lld + refill %lld + entry %lld)\n", f.keystroke,
                f.nearest, f.refill, f.entry);
    std::printf("  integrated search 0-3      %10lld\n", f.total);
    std::printf("  floor: one indexed lookup  %10lld\n", f.floor);
    std::printf("  statements prepared after warm-up: %llu; keystrokes without a list: %d\n", f.prepared, f.failures);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int words = 200000;
    int samples = 2000;
    int keystrokes = 0;
    bool plain = false;
    bool floorOnly = false;
    QByteArray dir;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--words") && hasValue)
            words = args.at(++i).toInt();
        else if (a == QLatin1String("--samples") && hasValue)
            samples = args.at(++i).toInt();
        else if (a == QLatin1String("--keystrokes") && hasValue)
            keystrokes = args.at(++i).toInt();
        else if (a == QLatin1String("--dir") && hasValue)
            dir = QFile::encodeName(args.at(++i)) + '/';
        else if (a == QLatin1String("--plain"))
            plain = true;
        else if (a == QLatin1String("--floor"))
            floorOnly = true;
        else {
            std::fprintf(stderr, "usage: bench_keystroke [--words N] [--samples N] [--dir DIR [--keystrokes N "
                                 "[--plain] [--floor]]]\n");
            return 2;
        }
    }
    if (words < 1000 || samples < 1) {
        std::fprintf(stderr, "bench_keystroke: --words must be at least 1000\n");
        return 2;
    }

    QTemporaryDir temp;
    if (dir.isEmpty())
        dir = QFile::encodeName(temp.path()) + '/';
    const QByteArray plainDir = dir + "plain/";
    const QByteArray indexedDir = dir + "indexed/";

    std::vector<Word> e2kWords;
    if (keystrokes > 0 && QFile::exists(QString::fromLocal8Bit(indexedDir + "e2k.sdb"))) {
        // Callgrind mode on databases made by an earlier run: the prefixes come from the list itself.
        rng.seed(20261206);
        e2kWords = makeWords(words, false);
    } else {
        QDir().mkpath(QString::fromLocal8Bit(plainDir));
        generate(plainDir, words, &e2kWords);
        copyDir(plainDir, indexedDir);
        addSearchIndexes(indexedDir);
    }

    if (keystrokes > 0) {
        const QByteArray target = plain ? plainDir : indexedDir;
        DBManager db;
        db.SetSoundPath(target.constData());
        db.SetDictionaryPath(target.constData());
        db.SetDictionary(DICTIONARY_E2K, nullptr);
        std::vector<QString> texts;
        for (int i = 0; i < keystrokes + 200; ++i)
            texts.push_back(randomPrefix(e2kWords));
        for (int i = 0; i < 200; ++i)
            keystroke(db, texts[static_cast<size_t>(i)]);
        if (floorOnly) {
            // The floor under callgrind: the same number of bare indexed lookups.
            sqlite3 *raw = nullptr;
            const QByteArray uri = "file:" + QFile::encodeName(QDir(QString::fromLocal8Bit(target)).absolutePath())
                                   + "/e2k.sdb?immutable=1";
            sqlite3_open_v2(uri.constData(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                            nullptr);
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(raw, "SELECT ID FROM e2k_word WHERE sc_wd >= upper(?) ORDER BY sc_wd LIMIT 1;", -1, &st,
                               nullptr);
            int rows = 0;
            auto lookup = [&](const QString &text) {
                const QByteArray key = text.toUtf8();
                sqlite3_bind_text(st, 1, key.constData(), static_cast<int>(key.size()), SQLITE_STATIC);
                rows += sqlite3_step(st) == SQLITE_ROW ? 1 : 0;
                sqlite3_reset(st);
            };
            for (int i = 0; i < 200; ++i)
                lookup(texts[static_cast<size_t>(i)]);
            CALLGRIND_TOGGLE_COLLECT;
            for (int i = 0; i < keystrokes; ++i)
                lookup(texts[static_cast<size_t>(200 + i)]);
            CALLGRIND_TOGGLE_COLLECT;
            sqlite3_finalize(st);
            sqlite3_close(raw);
            std::printf("%d bare lookups (%d rows)\n", keystrokes, rows);
            return 0;
        }
        const unsigned long long before = Dictionary::StatementsPrepared();
        int found = 0;
        CALLGRIND_TOGGLE_COLLECT;
        for (int i = 0; i < keystrokes; ++i)
            found += keystroke(db, texts[static_cast<size_t>(200 + i)]) ? 1 : 0;
        CALLGRIND_TOGGLE_COLLECT;
        std::printf("%d keystrokes (%d with a list) on %s; statements prepared in the loop: %llu\n", keystrokes, found,
                    target.constData(), Dictionary::StatementsPrepared() - before);
        return 0;
    }

    const Figures indexed = measure(indexedDir, e2kWords, samples);
    report("with an index on the search column", indexed, samples);
    const int plainSamples = std::max(1, samples / 20);
    const Figures unindexed = measure(plainDir, e2kWords, plainSamples);
    report("without the index", unindexed, plainSamples);
    return 0;
}
