// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "EnglishSoundBuilder.h"
#include "Speech.h"

#include "DBManager.h"
#include "Dictionary.h"
#include "DirectPlay.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cstdlib>

namespace {

// The data layer's own letter rule, to hold the builder to it.
struct SoundRule : Dictionary
{
    using Dictionary::soundFileFor;
};

QString sourceDir()
{
    return QString::fromLocal8Bit(qgetenv("LUMI_SOURCE_DIR"));
}

bool createFromSql(const QString &dbPath, const QString &sqlPath)
{
    QFile sql(sqlPath);
    if (!sql.open(QIODevice::ReadOnly))
        return false;
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(dbPath.toUtf8().constData(), &db) == SQLITE_OK
              && sqlite3_exec(db, QByteArray("BEGIN;\n" + sql.readAll() + "\nCOMMIT;").constData(), nullptr, nullptr,
                              nullptr)
                         == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// name -> clip of one sound database.
QMap<QString, QByteArray> clips(const QString &dbPath)
{
    QMap<QString, QByteArray> rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(dbPath.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT name, data FROM e_word;", -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                rows.insert(
                        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))),
                        QByteArray(static_cast<const char *>(sqlite3_column_blob(st, 1)), sqlite3_column_bytes(st, 1)));
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

QStringList soundFiles(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("sound_*")}, QDir::Files, QDir::Name);
}

WordFrequency sampleFrequency()
{
    WordFrequency frequency;
    frequency.load(sourceDir() + QStringLiteral("/tests/data/sources/wordnet-counts"));
    return frequency;
}

// Decodes a clip with the program's player: its length in ms, -1 when undecodable or not mono.
qint64 monoDurationMs(const QByteArray &clip)
{
    qputenv("LUMI_NULL_AUDIO", "1");
    DirectPlay *player = DirectPlay::get_instance();
    if (!player
        || DirectPlay::open(player, DirectPlay::TypeMp3, reinterpret_cast<const unsigned char *>(clip.constData()),
                            static_cast<unsigned int>(clip.size()))
                   != 0)
        return -1;
    const qint64 ms = player->pcmFormat().channelCount() == 1 ? player->durationMs() : -1;
    DirectPlay::close(player);
    return ms;
}

const Builder *soundStep()
{
    return BuilderRegistry::instance().find(QStringLiteral("english-sound"));
}

} // namespace

class TestEnglishSoundBuilder : public QObject
{
    Q_OBJECT
private slots:
    void nameAndFileLetter_data();
    void nameAndFileLetter();
    void wordNetFrequency();
    void choosingWords();
    void clipsReachTheDataLayerAndPlay();
    void limitsAndSkips();
    void speechBothWays();
};

void TestEnglishSoundBuilder::nameAndFileLetter_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("database"); // empty: the word gets no clip

    // clang-format off
    QTest::newRow("lower case") << "apple" << "apple.mp3" << "sound_A.sdb";
    QTest::newRow("capital") << "Book" << "book.mp3" << "sound_B.sdb";
    QTest::newRow("all capitals") << "USA" << "usa.mp3" << "sound_U.sdb";
    QTest::newRow("suffix") << "-ish" << "-ish.mp3" << "sound_I.sdb";
    QTest::newRow("suffix with capital") << "-Ism" << "-ism.mp3" << "sound_I.sdb";
    QTest::newRow("digit") << "3D" << "3d.mp3" << "sound_3.sdb";
    QTest::newRow("apostrophe inside") << "o'clock" << "o'clock.mp3" << "sound_O.sdb";
    QTest::newRow("phrase") << "rock 'n' roll" << "rock 'n' roll.mp3" << "sound_R.sdb";
    QTest::newRow("leading apostrophe") << "'tis" << "'tis.mp3" << "";
    QTest::newRow("hyphen alone") << "-" << "-.mp3" << "";
    QTest::newRow("two hyphens") << "--x" << "--x.mp3" << "";
    QTest::newRow("hyphen and digit") << "-9" << "-9.mp3" << "sound_9.sdb";
    QTest::newRow("non-ASCII letter") << QStringLiteral("élan") << QStringLiteral("élan.mp3") << "";
    QTest::newRow("non-ASCII capital") << QStringLiteral("Émile") << QStringLiteral("émile.mp3") << "";
    // clang-format on
}

void TestEnglishSoundBuilder::nameAndFileLetter()
{
    QFETCH(QString, word);
    QFETCH(QString, name);
    QFETCH(QString, database);

    QCOMPARE(EnglishSound::clipName(word), name);
    const char letter = EnglishSound::fileLetter(name);
    QCOMPARE(letter ? EnglishSound::databaseName(letter) : QString(), database);
    // Where the data layer looks for this name is exactly where the builder puts it.
    if (letter) {
        QCOMPARE(SoundRule::soundFileFor("/d/", name.toUtf8()), QByteArray("/d/") + database.toUtf8());
        QCOMPARE(EnglishSound::fileLetter(word), letter); // the spelling's case does not move a clip
    }
    // No clip is made for a name without a letter, so its words never reach the synthesiser.
    const auto words = EnglishSound::chooseWords({word}, {}, WordFrequency(), 0, -1);
    QCOMPARE(words.size(), size_t(database.isEmpty() ? 0 : 1));
}

void TestEnglishSoundBuilder::wordNetFrequency()
{
    const WordFrequency frequency = sampleFrequency();
    QVERIFY(!frequency.isEmpty());
    // cntlist.rev: tags summed over every sense of every part of speech.
    QCOMPARE(frequency.tagCount(QStringLiteral("run")), 297);
    QCOMPARE(frequency.tagCount(QStringLiteral("book")), 64);
    QCOMPARE(frequency.tagCount(QStringLiteral("able")), 81); // adjective and satellite keys
    QCOMPARE(frequency.tagCount(QStringLiteral("Dog")), 44); // looked up in lower case
    QCOMPARE(frequency.tagCount(QStringLiteral("zebra")), 0);
    // index files: tagsense_cnt after a variable number of pointer symbols, summed over files.
    QCOMPARE(frequency.taggedSenses(QStringLiteral("run")), 7 + 29);
    QCOMPARE(frequency.taggedSenses(QStringLiteral("book")), 4 + 3);
    QCOMPARE(frequency.taggedSenses(QStringLiteral("cat")), 1 + 0);
    QCOMPARE(frequency.taggedSenses(QStringLiteral("banana")), 2);
    QCOMPARE(frequency.taggedSenses(QStringLiteral("zebra")), 0);

    // Most tags first; equal tags by tagged senses (banana before zoo); then byte order.
    QStringList words{"zebra", "apple", "zoo", "cat", "banana", "run", "dog", "book", "able", "yak", "aardvark"};
    std::sort(words.begin(), words.end(),
              [&](const QString &a, const QString &b) { return frequency.ranksBefore(a, b); });
    QCOMPARE(words,
             (QStringList{"run", "able", "book", "dog", "cat", "banana", "zoo", "apple", "aardvark", "yak", "zebra"}));

    // Collocations: spaces in a headword are WordNet's underscores.
    WordFrequency lines;
    lines.addCountLine(u"ice_cream%1:13:00:: 1 6");
    lines.addIndexLine(u"ice_cream n 1 2 @ %p 1 1 07614500  ");
    QCOMPARE(lines.tagCount(QStringLiteral("Ice cream")), 6);
    QCOMPARE(lines.taggedSenses(QStringLiteral("ice cream")), 1);

    // Licence text and damaged lines add nothing.
    WordFrequency damaged;
    damaged.addIndexLine(u"  1 This software and database is being provided to you, the LICENSEE, by  ");
    damaged.addIndexLine(u"dog n 7 5 @ ~");
    damaged.addIndexLine(u"dog n 7 99 @ ~ #m #p %p 7 1 02084071");
    damaged.addIndexLine(u"dog n 7 x @ 7 1 02084071");
    damaged.addIndexLine(u"dog n 7 0 7 9 02084071"); // more tagged than there are senses
    damaged.addCountLine(u"dog%1:05:00:: 1");
    damaged.addCountLine(u"dog 1 42");
    damaged.addCountLine(u"%1:05:00:: 1 42");
    damaged.addCountLine(u"dog%1:05:00:: 1 -3");
    damaged.addCountLine(u"");
    QVERIFY(damaged.isEmpty());

    QVERIFY(!WordFrequency().load(QStringLiteral("/nonexistent-wordnet")));
}

void TestEnglishSoundBuilder::choosingWords()
{
    const WordFrequency frequency = sampleFrequency();
    const QStringList e2k{"-ish", "a", "able", "Book", "book", "cat", "3D", "'tis", "", "banana"};
    const QStringList e2e{"apple", "Banana", "run", "zoo", "Dog", "ice_cream", "-"};

    const auto keysOf = [](const std::vector<EnglishSound::Word> &words) {
        QStringList keys;
        for (const auto &w : words)
            keys << w.key;
        return keys;
    };
    const auto textOf = [](const std::vector<EnglishSound::Word> &words, const QString &key) {
        for (const auto &w : words) {
            if (w.key == key)
                return w.text;
        }
        return QStringLiteral("<none>");
    };

    // Every E2K word; of E2E only the two most frequent (run, dog); one clip per name, in clip
    // name byte order ("a.mp3" before "able.mp3": '.' sorts before letters).
    auto words = EnglishSound::chooseWords(e2k, e2e, frequency, 2, -1);
    QCOMPARE(keysOf(words), (QStringList{"-ish", "3d", "a", "able", "banana", "book", "cat", "dog", "run"}));
    QCOMPARE(textOf(words, "book"), QStringLiteral("book")); // the lower-case spelling wins
    QCOMPARE(textOf(words, "dog"), QStringLiteral("Dog"));
    QCOMPARE(textOf(words, "3d"), QStringLiteral("3D"));
    QCOMPARE(textOf(words, "banana"), QStringLiteral("banana"));

    // All E2E words that have a letter; collocations are spoken as words.
    words = EnglishSound::chooseWords({}, e2e, frequency, EnglishSound::FrequentE2E, -1);
    QCOMPARE(keysOf(words), (QStringList{"apple", "banana", "dog", "ice_cream", "run", "zoo"}));
    QCOMPARE(textOf(words, "ice_cream"), QStringLiteral("ice cream"));
    QCOMPARE(textOf(words, "banana"), QStringLiteral("Banana"));

    // A limit keeps the most frequent of both dictionaries together.
    words = EnglishSound::chooseWords(e2k, e2e, frequency, EnglishSound::FrequentE2E, 3);
    QCOMPARE(keysOf(words), (QStringList{"able", "book", "run"}));
    QVERIFY(EnglishSound::chooseWords(e2k, e2e, frequency, EnglishSound::FrequentE2E, 0).empty());
    QCOMPARE(EnglishSound::chooseWords(e2k, e2e, frequency, 0, -1).size(), size_t(7));
}

void TestEnglishSoundBuilder::clipsReachTheDataLayerAndPlay()
{
    const Builder *step = soundStep();
    QVERIFY(step);
    QCOMPARE(step->order, 25);
    QCOMPARE(step->outputs, QStringList{EnglishSound::markerName()});

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fixtures = sourceDir() + QStringLiteral("/tests/data/fixtures/");
    QVERIFY(createFromSql(dir.filePath("e2k.sdb"), fixtures + "english_e2k.sql"));
    QVERIFY(createFromSql(dir.filePath("e2e.sdb"), fixtures + "english_e2e.sql"));
    // A stale letter of an earlier build goes; the phrasebooks' database stays.
    QVERIFY(createFromSql(dir.filePath("sound_q.sdb"), fixtures + "english_sound_b.sql"));
    QVERIFY(createFromSql(dir.filePath("sound_con.sdb"), fixtures + "phrasebook_sound.sql"));

    BuildContext ctx;
    ctx.outDir = dir.path();
    ctx.sources.wordnetDir = sourceDir() + QStringLiteral("/tests/data/sources/wordnet-counts");
    QVERIFY(step->run(ctx));

    QCOMPARE(soundFiles(dir.path()),
             (QStringList{"sound_A.sdb", "sound_B.sdb", "sound_C.sdb", "sound_D.sdb", "sound_I.sdb", "sound_O.sdb",
                          "sound_R.sdb", "sound_Z.sdb", "sound_con.sdb", "sound_en.done"}));
    const auto b = clips(dir.filePath("sound_B.sdb"));
    QCOMPARE(b.keys(), (QStringList{"banana.mp3", "book.mp3"})); // e2k book, Book, banana and e2e Banana
    QCOMPARE(clips(dir.filePath("sound_R.sdb")).keys(), (QStringList{"rock 'n' roll.mp3", "run.mp3"}));
    QCOMPARE(clips(dir.filePath("sound_I.sdb")).keys(), QStringList{"-ish.mp3"});
    QFile marker(dir.filePath("sound_en.done"));
    QVERIFY(marker.open(QIODevice::ReadOnly));
    QVERIFY(marker.readAll().contains("sound_B.sdb 2\n"));
    int total = 0;
    for (const QString &file : soundFiles(dir.path())) {
        if (file.size() != 11)
            continue;
        for (const QByteArray &clip : clips(dir.filePath(file))) {
            ++total;
            QVERIFY(clip.size() > 500);
            QVERIFY2(clip.size() < qsizetype(16) * 1024, "a spoken word should be a few kilobytes");
        }
    }
    QCOMPARE(total, 13); // 11 names of 12 e2k headwords, and run and zoo of e2e

    DBManager db;
    const QByteArray path = QDir(dir.path()).absolutePath().toUtf8() + '/';
    QVERIFY(db.SetSoundPath(path.constData()));
    QVERIFY(db.SetDictionaryPath(path.constData()));
    QVERIFY(db.SetDictionary(DICTIONARY_E2K, nullptr));
    const struct
    {
        int entry;
        const char *name;
    } e2kEntries[] = {{105, "book.mp3"}, {115, "book.mp3"}, {100, "-ish.mp3"}, {108, "o'clock.mp3"}};
    for (const auto &e : e2kEntries) {
        DataItem *item = db.GetDataIndex(e.entry);
        QVERIFY(item);
        QCOMPARE(item->GetString(4), QString::fromUtf8(e.name));
    }
    void *data = nullptr;
    int length = 0;
    QCOMPARE(db.GetSound("book.mp3", &data, &length), 1);
    const QByteArray book(static_cast<const char *>(data), length);
    std::free(data);
    QCOMPARE(book, b.value("book.mp3"));

    QVERIFY(db.SetDictionary(DICTIONARY_E2E, nullptr));
    DataItem *banana = db.GetDataIndex(202); // stored as "Banana"
    QVERIFY(banana);
    QCOMPARE(banana->GetString(2), QStringLiteral("banana.mp3"));
    QCOMPARE(db.GetSound("banana.mp3", &data, &length), 1);
    const QByteArray bananaClip(static_cast<const char *>(data), length);
    std::free(data);
    QCOMPARE(bananaClip, b.value("banana.mp3"));

    // The player decodes the clip: mono, about as long as a spoken word.
    const qint64 ms = monoDurationMs(book);
    QVERIFY2(ms > 150 && ms < 3000, qPrintable(QString::number(ms)));
}

void TestEnglishSoundBuilder::limitsAndSkips()
{
    const Builder *step = soundStep();
    QVERIFY(step);
    QTemporaryDir dir;
    const QString fixtures = sourceDir() + QStringLiteral("/tests/data/fixtures/");
    BuildContext ctx;
    ctx.outDir = dir.path();
    ctx.sources.wordnetDir = sourceDir() + QStringLiteral("/tests/data/sources/wordnet-counts");

    // Nothing to read: the step fails and leaves no marker that would make it look done.
    QVERIFY(!step->run(ctx));
    QVERIFY(soundFiles(dir.path()).isEmpty());

    QVERIFY(createFromSql(dir.filePath("e2k.sdb"), fixtures + "english_e2k.sql"));
    QVERIFY(createFromSql(dir.filePath("e2e.sdb"), fixtures + "english_e2e.sql"));

    // Without sound the step succeeds and writes nothing, so a later build with sound still runs it.
    ctx.withSound = false;
    QVERIFY(step->run(ctx));
    QVERIFY(soundFiles(dir.path()).isEmpty());
    ctx.withSound = true;
    ctx.soundLimit = 0;
    QVERIFY(step->run(ctx));
    QVERIFY(soundFiles(dir.path()).isEmpty());

    // A full build followed by a limited one: only the limited set remains, the most frequent words.
    ctx.soundLimit = -1;
    QVERIFY(step->run(ctx));
    QCOMPARE(soundFiles(dir.path()).size(), 9);
    ctx.soundLimit = 3;
    QVERIFY(step->run(ctx));
    QCOMPARE(soundFiles(dir.path()), (QStringList{"sound_A.sdb", "sound_B.sdb", "sound_R.sdb", "sound_en.done"}));
    QCOMPARE(clips(dir.filePath("sound_A.sdb")).keys(), QStringList{"able.mp3"});
    QCOMPARE(clips(dir.filePath("sound_B.sdb")).keys(), QStringList{"book.mp3"});
    QCOMPARE(clips(dir.filePath("sound_R.sdb")).keys(), QStringList{"run.mp3"});
}

void TestEnglishSoundBuilder::speechBothWays()
{
    // In process (the libraries) and through the programs: every voice the builders use gives a
    // playable mono clip. In process the silence around the speech is cut, so its clip is shorter.
    std::vector<SpeechJob> jobs[2];
    for (int programs = 0; programs < 2; ++programs) {
        qputenv("LUMI_SPEECH_PROGRAMS", programs ? "1" : "0");
        QVERIFY(Speech::available());
        jobs[programs] = {{QStringLiteral("construction site"), QStringLiteral("en-us"), {}},
                          {QStringLiteral("-ish"), QStringLiteral("en-us"), {}},
                          {QStringLiteral("감사합니다"), QStringLiteral("ko"), {}},
                          {QStringLiteral("ありがとう"), QStringLiteral("ja"), {}},
                          {QStringLiteral("xiè xie"), QStringLiteral("cmn-latn-pinyin"), {}}};
        QCOMPARE(Speech::synthesize(jobs[programs], 2), 5);
        for (size_t i = 0; i < jobs[programs].size(); ++i) {
            const qint64 ms = monoDurationMs(jobs[programs][i].mp3);
            QVERIFY2(ms > 150 && ms < 4000, qPrintable(jobs[programs][i].text + QString::number(ms)));
        }
    }
    qunsetenv("LUMI_SPEECH_PROGRAMS");
    QVERIFY(monoDurationMs(jobs[0][0].mp3) + 100 < monoDurationMs(jobs[1][0].mp3));
}

QTEST_MAIN(TestEnglishSoundBuilder)
#include "tst_englishsoundbuilder.moc"
