// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_E2E.h"
#include "DB_E2K.h"
#include "DB_K2E.h"
#include "englishfixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cstdlib>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define LUMI_FREED(p) __asan_address_is_poisoned(p)
#else
#define LUMI_FREED(p) ((void)(p), true)
#endif

namespace {

QStringList labels(const DataList *list)
{
    QStringList out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out << list->GetItem(i)->GetString(0);
    return out;
}

QList<int> values(const DataList *list, int slot)
{
    QList<int> out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out << list->GetItem(i)->GetValue(slot);
    return out;
}

} // namespace

class tst_EnglishDics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void counts();
    void e2kLists_data();
    void e2kLists();
    void e2eAndK2eLists();
    void hostileKeys_data();
    void hostileKeys();
    void e2kEntry();
    void e2kEntryWithoutBody();
    void e2eEntry();
    void k2eEntry();
    void soundNames_data();
    void soundNames();
    void getSound();
    void soundToTempFile();
    void resultOwnership();
    void missingOrDamagedDatabase();
    void readsWhileAnotherConnectionLocks();
    void statementsPreparedOnce();

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

void tst_EnglishDics::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = QFile::encodeName(m_dir.path()) + '/';
    QVERIFY(EnglishFixtures::buildAll(QString::fromLocal8Bit(m_path)));
}

void tst_EnglishDics::counts()
{
    QCOMPARE(DB_E2K(m_path, m_path).GetCount(), 12);
    QCOMPARE(DB_E2E(m_path, m_path).GetCount(), 4);
    QCOMPARE(DB_K2E(m_path).GetCount(), 5);
}

void tst_EnglishDics::e2kLists_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("ids");

    QTest::newRow("prefix") << 0 << 3 << "a" << false << QStringList{"a", "able", "apple"} << QList<int>{2, 3, 4};
    QTest::newRow("prefix upper-cased by SQLite")
            << 0 << 2 << "ApP" << false << QStringList{"apple", "banana"} << QList<int>{4, 5};
    QTest::newRow("between headwords") << 0 << 2 << "az" << false << QStringList{"banana", "book"} << QList<int>{5, 6};
    QTest::newRow("start ignored when typing") << 7 << 1 << "c" << false << QStringList{"cat"} << QList<int>{8};
    QTest::newRow("runs to the end") << 0 << 9 << "zeb" << false << QStringList{"zebra"} << QList<int>{12};
    QTest::newRow("beyond the last headword") << 0 << 9 << "zz" << false << QStringList{} << QList<int>{};
    QTest::newRow("by ID") << 10 << 9 << "" << false << QStringList{"o'clock", "rock 'n' roll", "zebra"}
                           << QList<int>{10, 11, 12};
    QTest::newRow("by ID from 1") << 1 << 2 << "" << false << QStringList{"-ish", "a"} << QList<int>{1, 2};
    QTest::newRow("by ID past max") << 13 << 9 << "" << false << QStringList{} << QList<int>{};
    QTest::newRow("count 0") << 1 << 0 << "" << false << QStringList{} << QList<int>{};
    QTest::newRow("exact, two hits, no ID")
            << 0 << 0 << "book" << true << QStringList{"book", "Book"} << QList<int>{0, 0};
    QTest::newRow("exact is not a prefix") << 0 << 0 << "boo" << true << QStringList{} << QList<int>{};
    QTest::newRow("exact, empty key") << 0 << 0 << "" << true << QStringList{} << QList<int>{};
}

void tst_EnglishDics::e2kLists()
{
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, key);
    QFETCH(bool, exact);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, ids);

    DB_E2K dic(m_path, m_path);
    DataList *list = dic.GetDataList(start, count, key, exact);
    if (expected.isEmpty()) {
        QVERIFY(!list);
        return;
    }
    QVERIFY(list);
    QCOMPARE(labels(list), expected);
    QCOMPARE(values(list, 1), ids);
    // seq_n (the entry number) of the fixture's headwords by ID.
    static const int seqOf[] = {0, 100, 101, 102, 103, 104, 105, 115, 106, 107, 108, 109, 110};
    if (exact) {
        QCOMPARE(values(list, 0), (QList<int>{105, 115}));
    } else {
        for (int i = 0; i < list->GetCount(); ++i)
            QCOMPARE(list->GetItem(i)->GetValue(0), seqOf[ids.at(i)]);
    }
}

void tst_EnglishDics::e2eAndK2eLists()
{
    DB_E2E e2e(m_path, m_path);
    DataList *list = e2e.GetDataList(0, 9, QStringLiteral("b"), false);
    QCOMPARE(labels(list), (QStringList{"Banana", "run", "zoo"}));
    QCOMPARE(values(list, 0), (QList<int>{202, 203, 204}));
    QCOMPARE(values(list, 1), (QList<int>{2, 3, 4}));
    QCOMPARE(labels(e2e.GetDataList(0, 0, QStringLiteral("BANANA"), true)), QStringList{"Banana"});
    QCOMPARE(labels(e2e.GetDataList(3, 9, QString(), false)), (QStringList{"run", "zoo"}));
    QVERIFY(!e2e.GetDataList(0, 9, QStringLiteral("zzz"), false));

    DB_K2E k2e(m_path);
    list = k2e.GetDataList(0, 3, QString(), false);
    QVERIFY(list);
    QCOMPARE(list->GetItem(0)->GetStringCount(), 1);
    QCOMPARE(list->GetItem(0)->GetValueCount(), 2);
    QCOMPARE(labels(list), (QStringList{"가구 [家具]", "가다", "나무"}));
    QCOMPARE(values(list, 0), (QList<int>{301, 302, 303}));
    list = k2e.GetDataList(0, 2, QStringLiteral("나"), false);
    QCOMPARE(labels(list), (QStringList{"나무", "사과 [沙果]"}));
    QCOMPARE(values(list, 1), (QList<int>{3, 4}));
    list = k2e.GetDataList(0, 0, QStringLiteral("사과"), true);
    QCOMPARE(labels(list), (QStringList{"사과 [沙果]", "사과 [謝過]"}));
    QCOMPARE(values(list, 0), (QList<int>{304, 305}));
    QCOMPARE(values(list, 1), (QList<int>{4, 5}));
    // The Korean key is compared unchanged: a Latin key sorts before Hangul, so it lists from the top.
    QCOMPARE(labels(k2e.GetDataList(0, 1, QStringLiteral("A"), false)), QStringList{"가구 [家具]"});
    QVERIFY(!k2e.GetDataList(0, 0, QStringLiteral("사"), true));
}

void tst_EnglishDics::hostileKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("o'clock exact") << "o'clock" << true << QStringList{"o'clock"};
    QTest::newRow("o'clock typed") << "O'CL" << false << QStringList{"o'clock", "rock 'n' roll"};
    QTest::newRow("rock 'n' roll exact") << "rock 'n' roll" << true << QStringList{"rock 'n' roll"};
    QTest::newRow("lone quote typed") << "'" << false << QStringList{"-ish", "a"};
    QTest::newRow("injection attempt") << "x' OR '1'='1" << true << QStringList{};
    QTest::newRow("10 000 characters exact") << QString(10000, QLatin1Char('a')) << true << QStringList{};
    QTest::newRow("10 000 characters typed") << QString(10000, QLatin1Char('z')) << false << QStringList{};
    QTest::newRow("10 000 quotes typed") << QString(10000, QLatin1Char('\'')) << false << QStringList{"-ish", "a"};
    QTest::newRow("percent and backslash") << "%s\\%d" << true << QStringList{};
}

void tst_EnglishDics::hostileKeys()
{
    QFETCH(QString, key);
    QFETCH(bool, exact);
    QFETCH(QStringList, expected);
    DB_E2K dic(m_path, m_path);
    DataList *list = dic.GetDataList(0, 2, key, exact);
    QCOMPARE(labels(list), expected);
    QCOMPARE(bool(list), !expected.isEmpty());
    // E2E and K2E take the same keys harmlessly.
    DB_E2E e2e(m_path, m_path);
    DB_K2E k2e(m_path);
    if (exact) {
        QVERIFY(!e2e.GetDataList(0, 0, key, true));
        QVERIFY(!k2e.GetDataList(0, 0, key, true));
    } else {
        e2e.GetDataList(0, 2, key, false);
        k2e.GetDataList(0, 2, key, false);
    }
}

void tst_EnglishDics::e2kEntry()
{
    DB_E2K dic(m_path, m_path);
    DataItem *entry = dic.GetDataIndex(103);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 5);
    QCOMPARE(entry->GetSubListCount(), 5);
    QCOMPARE(entry->GetString(0), QStringLiteral("apple"));
    QCOMPARE(entry->GetString(1), QStringLiteral("ǽpl"));
    QCOMPARE(entry->GetString(2), QStringLiteral("5"));
    QCOMPARE(entry->GetString(3), QStringLiteral("n."));
    QCOMPARE(entry->GetString(4), QStringLiteral("apple.mp3"));

    // Meaning tree: rows before any group/sense are dropped; the example after group 2 still hangs
    // under the last sense of group 1.
    DataList *tree = entry->GetSubList(0);
    QVERIFY(tree);
    QCOMPARE(labels(tree), (QStringList{"1", "2"}));
    QCOMPARE(values(tree, 0), (QList<int>{1, 1}));
    DataList *senses1 = tree->GetItem(0)->GetSubList(0);
    QCOMPARE(labels(senses1), (QStringList{"사과", "사과나무"}));
    QCOMPARE(values(senses1, 0), (QList<int>{2, 2}));
    QCOMPARE(labels(senses1->GetItem(0)->GetSubList(0)), (QStringList{"an apple a day", "a rotten apple"}));
    QCOMPARE(values(senses1->GetItem(0)->GetSubList(0), 0), (QList<int>{4, 4}));
    QCOMPARE(labels(senses1->GetItem(1)->GetSubList(0)), QStringList{"example after group"});
    DataList *senses2 = tree->GetItem(1)->GetSubList(0);
    QCOMPARE(labels(senses2), QStringList{"사과 모양의 것"});
    QVERIFY(!senses2->GetItem(0)->GetSubList(0));
    QCOMPARE(senses2->GetItem(0)->GetSubListCount(), 1);
    QCOMPARE(senses1->GetItem(0)->GetSubList(0)->GetItem(0)->GetSubListCount(), 0);

    QCOMPARE(labels(entry->GetSubList(1)), (QStringList{"usage one", "usage two"}));
    QCOMPARE(values(entry->GetSubList(1), 0), (QList<int>{6, 7}));

    DataList *sentences = entry->GetSubList(2);
    QVERIFY(sentences);
    QCOMPARE(sentences->GetCount(), 100);
    QCOMPARE(sentences->GetItem(0)->GetStringCount(), 2);
    QVERIFY(sentences->GetItem(0)->GetString(0).startsWith(QLatin1String("sentence ")));
    QVERIFY(sentences->GetItem(0)->GetString(1).startsWith(QStringLiteral("문장 ")));

    QCOMPARE(labels(entry->GetSubList(3)), (QStringList{"the apple of one's eye", "apple-pie order"}));
    QCOMPARE(entry->GetSubList(3)->GetItem(0)->GetValueCount(), 0);

    DataList *synonyms = entry->GetSubList(4);
    QCOMPARE(labels(synonyms), (QStringList{"fruit", "pome"}));
    QCOMPARE(labels(synonyms->GetItem(0)->GetSubList(0)),
             (QStringList{"what trees bear", "Eat fruit.", "과일을 먹어라.", "Fresh fruit.", "신선한 과일."}));
}

void tst_EnglishDics::e2kEntryWithoutBody()
{
    DB_E2K dic(m_path, m_path);
    DataItem *able = dic.GetDataIndex(102);
    QVERIFY(able);
    QCOMPARE(able->GetString(0), QStringLiteral("able"));
    QVERIFY(able->GetString(4).isEmpty()); // sound_A.sdb holds no able.mp3
    for (int i = 0; i < 5; ++i)
        QVERIFY(!able->GetSubList(i));

    DataItem *banana = dic.GetDataIndex(104);
    QCOMPARE(banana->GetSubList(2)->GetCount(), 2);
    QCOMPARE(labels(banana->GetSubList(0)), QStringList{"1"});

    DataItem *unknown = dic.GetDataIndex(9999);
    QVERIFY(unknown);
    QVERIFY(unknown->GetString(0).isEmpty());
    QVERIFY(unknown->GetString(4).isEmpty());
    for (int i = 0; i < 5; ++i)
        QVERIFY(!unknown->GetSubList(i));
}

void tst_EnglishDics::e2eEntry()
{
    DB_E2E dic(m_path, m_path);
    DataItem *entry = dic.GetDataIndex(201);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 7);
    QCOMPARE(entry->GetSubListCount(), 3);
    QCOMPARE(entry->GetString(0), QStringLiteral("apple"));
    QCOMPARE(entry->GetString(1), QStringLiteral("ap-l"));
    QCOMPARE(entry->GetString(2), QStringLiteral("apple.mp3"));
    QVERIFY(entry->GetString(3).isEmpty());
    QCOMPARE(entry->GetString(4), QStringLiteral("also appel"));
    QCOMPARE(entry->GetString(5), QStringLiteral("ap-el"));
    QCOMPARE(entry->GetString(6), QStringLiteral("n. a round fruit"));

    DataList *tree = entry->GetSubList(0);
    QCOMPARE(labels(tree), (QStringList{"noun", "1 a fruit red or green", "2 a tree"}));
    QCOMPARE(values(tree, 0), (QList<int>{0, 1, 1}));
    QVERIFY(!tree->GetItem(0)->GetSubList(0));
    DataList *subs = tree->GetItem(1)->GetSubList(0);
    QCOMPARE(labels(subs), QStringList{"a the fruit itself"});
    QCOMPARE(values(subs, 0), QList<int>{2});
    // A new sense does not close the example list: the example after sense 2 joins sub-sense a.
    QCOMPARE(labels(subs->GetItem(0)->GetSubList(0)), (QStringList{"an apple pie", "example after a sense"}));
    QCOMPARE(values(subs->GetItem(0)->GetSubList(0), 0), (QList<int>{6, 6}));
    QVERIFY(!tree->GetItem(2)->GetSubList(0));

    QCOMPARE(labels(entry->GetSubList(1)), (QStringList{"see pear", "cf "}));

    DataList *idioms = entry->GetSubList(2);
    QCOMPARE(labels(idioms), (QStringList{"apple of my eye", "apple-pie order"}));
    QCOMPARE(values(idioms, 0), (QList<int>{3, 5}));
    QCOMPARE(labels(idioms->GetItem(0)->GetSubList(0)), (QStringList{"a darling", "a loved one"}));
    // "01" is not the decimal rendering of 1: an explanation, not a sense.
    QCOMPARE(labels(idioms->GetItem(1)->GetSubList(0)), (QStringList{"neat order", "01"}));

    DataItem *banana = dic.GetDataIndex(202);
    QCOMPARE(banana->GetString(2), QStringLiteral("banana.mp3"));
    QVERIFY(banana->GetString(4).isEmpty());
    for (int i = 0; i < 3; ++i)
        QVERIFY(!banana->GetSubList(i));
    DataItem *run = dic.GetDataIndex(203);
    QVERIFY(run->GetString(2).isEmpty());
    QCOMPARE(labels(run->GetSubList(0)), QStringList{"verb"});
    QVERIFY(dic.GetDataIndex(-5)->GetString(0).isEmpty());
}

void tst_EnglishDics::k2eEntry()
{
    DB_K2E dic(m_path);
    DataItem *entry = dic.GetDataIndex(301);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 3);
    QCOMPARE(entry->GetSubListCount(), 2);
    QCOMPARE(entry->GetString(0), QStringLiteral("가구"));
    QCOMPARE(entry->GetString(1), QStringLiteral("家具"));
    QCOMPARE(entry->GetString(2), QStringLiteral("명"));
    DataList *senses = entry->GetSubList(0);
    QCOMPARE(labels(senses), (QStringList{"household goods", "furniture"}));
    QVERIFY(!senses->GetItem(0)->GetSubList(0));
    QCOMPARE(labels(senses->GetItem(1)->GetSubList(0)),
             (QStringList{"새 가구", "new furniture", "가구를 사다", "buy furniture"}));
    DataList *loose = entry->GetSubList(1);
    QCOMPARE(labels(loose), QStringList{"가구점"});
    QCOMPARE(loose->GetItem(0)->GetString(1), QStringLiteral("a furniture store"));
    QCOMPARE(values(loose, 0), QList<int>{7});

    entry = dic.GetDataIndex(302);
    QVERIFY(!entry->GetSubList(0));
    QCOMPARE(labels(entry->GetSubList(1)), (QStringList{"집에 가다", "학교에 가다"}));
    QCOMPARE(values(entry->GetSubList(1), 0), (QList<int>{2, 1}));

    entry = dic.GetDataIndex(303);
    QCOMPARE(entry->GetString(0), QStringLiteral("나무"));
    QVERIFY(!entry->GetSubList(0));
    QVERIFY(!entry->GetSubList(1));
    QVERIFY(dic.GetDataIndex(999)->GetString(0).isEmpty());
}

void tst_EnglishDics::soundNames_data()
{
    QTest::addColumn<int>("seq");
    QTest::addColumn<QString>("name");
    QTest::newRow("upper-case file") << 103 << "apple.mp3";
    QTest::newRow("only a lower-case file") << 104 << "banana.mp3";
    QTest::newRow("lower-case file without the name") << 105 << "";
    QTest::newRow("dash selects by second letter") << 100 << "-ish.mp3";
    QTest::newRow("quote in the name") << 108 << "o'clock.mp3";
    QTest::newRow("no sound database") << 107 << "";
}

void tst_EnglishDics::soundNames()
{
    QFETCH(int, seq);
    QFETCH(QString, name);
    DB_E2K dic(m_path, m_path);
    DataItem *entry = dic.GetDataIndex(seq);
    QCOMPARE(entry->GetString(4), name);
    if (name.isEmpty())
        return;
    // Whatever is offered can be played.
    void *data = nullptr;
    int length = -1;
    QCOMPARE(dic.GetSound(m_path.constData(), name.toUtf8().constData(), &data, &length), 1);
    QVERIFY(data);
    QVERIFY(length > 0);
    std::free(data);
}

void tst_EnglishDics::getSound()
{
    DB_E2E dic(m_path, m_path);
    void *data = nullptr;
    int length = -1;
    QCOMPARE(dic.GetSound(m_path.constData(), "apple.mp3", &data, &length), 1);
    QCOMPARE(QByteArray(static_cast<char *>(data), length),
             QByteArray::fromHex("FFFB904400000000000000000000000000000000"));
    std::free(data);
    QCOMPARE(dic.GetSound(m_path.constData(), "-ish.mp3", &data, &length), 1);
    QCOMPARE(QByteArray(static_cast<char *>(data), length), QByteArray::fromHex("FFFB9044BB"));
    std::free(data);
    // A name missing from an existing sound database: 1 with an empty clip.
    data = nullptr;
    QCOMPARE(dic.GetSound(m_path.constData(), "axe.mp3", &data, &length), 1);
    QCOMPARE(length, 0);
    std::free(data);
    QCOMPARE(dic.GetSound(m_path.constData(), "zebra.mp3", &data, &length), 0);
    QCOMPARE(dic.GetSound(m_path.constData(), nullptr, &data, &length), 0);
    QCOMPARE(dic.GetSound(m_path.constData(), "-", &data, &length), 0);
    QCOMPARE(dic.GetSound("/nonexistent/", "apple.mp3", &data, &length), 0);
}

void tst_EnglishDics::soundToTempFile()
{
    DB_E2K dic(m_path, m_path);
    const QString temp = QString::fromLocal8Bit(m_path) + QLatin1String("temp.mp3");
    {
        QFile old(temp);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100, 'x'));
    }
    QCOMPARE(dic.GetSound(m_path.constData(), "a.mp3", nullptr, nullptr), 1);
    QFile file(temp);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromHex("FFFB9044AA"));
    file.close();
    int length = 0;
    QCOMPARE(dic.GetSound(m_path.constData(), "banana.mp3", nullptr, &length), 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromHex("494433030000000000FFFB9064"));
}

void tst_EnglishDics::resultOwnership()
{
    DB_E2K dic(m_path, m_path);
    DataList *first = dic.GetDataList(0, 9, QStringLiteral("a"), false);
    QVERIFY(first);
    // Other slots leave the list alone.
    DataItem *entry = dic.GetDataIndex(103);
    QVERIFY(entry);
    void *clip = nullptr;
    int length = 0;
    dic.GetSound(m_path.constData(), "apple.mp3", &clip, &length);
    std::free(clip);
    QCOMPARE(first->GetItem(0)->GetString(0), QStringLiteral("a"));
    // The next list query destroys the first list, even when it finds nothing.
    DataList *second = dic.GetDataList(5, 2, QString(), false);
    QVERIFY(second);
    QVERIFY(LUMI_FREED(first) || second == first);
    QCOMPARE(entry->GetString(0), QStringLiteral("apple"));
    QVERIFY(!dic.GetDataList(0, 9, QStringLiteral("zz"), false));
    QVERIFY(LUMI_FREED(second));
    // The next entry destroys the previous entry (and its sub-lists with it).
    DataList *tree = entry->GetSubList(0);
    DataItem *next = dic.GetDataIndex(102);
    QVERIFY(next);
    QVERIFY(LUMI_FREED(tree));
}

void tst_EnglishDics::missingOrDamagedDatabase()
{
    QTemporaryDir empty;
    const QByteArray dir = QFile::encodeName(empty.path()) + '/';
    {
        DB_E2K e2k(dir, dir);
        DB_E2E e2e(dir, dir);
        DB_K2E k2e(dir);
        for (Dictionary *d :
             {static_cast<Dictionary *>(&e2k), static_cast<Dictionary *>(&e2e), static_cast<Dictionary *>(&k2e)}) {
            QCOMPARE(d->GetCount(), -1);
            QVERIFY(!d->GetDataList(0, 9, QStringLiteral("a"), false));
            QVERIFY(!d->GetDataList(1, 9, QString(), false));
            QVERIFY(!d->GetDataIndex(103));
            QCOMPARE(d->GetCountTable("e2k_word", false), 0);
            QVERIFY(!d->GetQueryList("SELECT 1;", 0));
        }
        QCOMPARE(e2k.GetSound(dir.constData(), "apple.mp3", nullptr, nullptr), 0);
    }
    // Files that are not databases (and a sound database that is not one) count as missing.
    for (const char *name : {"e2k.sdb", "e2e.sdb", "k2e.sdb", "sound_A.sdb"}) {
        QFile junk(QString::fromLocal8Bit(dir) + QLatin1String(name));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, '\x5a'));
    }
    DB_E2K e2k(dir, dir);
    QCOMPARE(e2k.GetCount(), -1);
    QVERIFY(!e2k.GetDataIndex(103));
    QCOMPARE(DB_E2E(dir, dir).GetCount(), -1);
    QCOMPARE(DB_K2E(dir).GetCount(), -1);
    void *data = nullptr;
    int length = 0;
    QCOMPARE(e2k.GetSound(dir.constData(), "apple.mp3", &data, &length), 0);
    // A directory passed without its trailing slash is a prefix like any other: nothing found.
    QCOMPARE(DB_E2K(m_path.chopped(1), m_path).GetCount(), -1);
}

void tst_EnglishDics::readsWhileAnotherConnectionLocks()
{
    // Dictionaries are opened immutable: no lock is taken, so a writer's exclusive lock does
    // not block them.
    sqlite3 *writer = nullptr;
    QCOMPARE(sqlite3_open(QByteArray(m_path + "e2k.sdb").constData(), &writer), SQLITE_OK);
    QCOMPARE(sqlite3_exec(writer, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
    DB_E2K dic(m_path, m_path);
    QCOMPARE(dic.GetCount(), 12);
    QCOMPARE(labels(dic.GetDataList(0, 1, QStringLiteral("cat"), false)), QStringList{"cat"});
    QCOMPARE(dic.GetDataIndex(103)->GetString(0), QStringLiteral("apple"));
    sqlite3_exec(writer, "ROLLBACK;", nullptr, nullptr, nullptr);
    sqlite3_close(writer);
}

void tst_EnglishDics::statementsPreparedOnce()
{
    DB_E2K dic(m_path, m_path);
    auto keystroke = [&dic](const QString &text) {
        DataList *near = dic.GetDataList(0, 9, text, false);
        QVERIFY(near);
        DataList *window = dic.GetDataList(near->GetItem(0)->GetValue(1), 9, QString(), false);
        QVERIFY(window);
        QVERIFY(dic.GetDataIndex(window->GetItem(0)->GetValue(0)));
        dic.GetDataList(0, 0, text, true);
    };
    const char *texts[] = {"a", "ap", "app", "b", "bo", "o'", "rock 'n", "-", "ZEB"};
    for (const char *text : texts) // warm-up: every statement and sound database once
        keystroke(QString::fromLatin1(text));
    const auto warm = Dictionary::StatementsPrepared();
    for (int round = 0; round < 3; ++round) {
        for (const char *text : texts)
            keystroke(QString::fromLatin1(text));
    }
    QCOMPARE(Dictionary::StatementsPrepared(), warm);
}

QTEST_GUILESS_MAIN(tst_EnglishDics)
#include "tst_englishdics.moc"
