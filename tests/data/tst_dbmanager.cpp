// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DBManager.h"
#include "Dictionary.h"
#include "englishfixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define LUMI_FREED(p) __asan_address_is_poisoned(p)
#else
#define LUMI_FREED(p) ((void)(p), true)
#endif

namespace {

// Exposes the accessor base's own routines on an arbitrary database.
class Probe final : public Dictionary
{
public:
    explicit Probe(const QByteArray &path) { openDatabase(path); }
    bool connected() const { return m_db != nullptr; }
    using Dictionary::quoteSql;
    using Dictionary::runQuery;
    using Dictionary::soundFileFor;
    using Dictionary::SqlArg;
    static QString text(sqlite3_stmt *st, int col) { return columnString(st, col); }
};

_TotalDictionary select(std::initializer_list<int> kinds)
{
    _TotalDictionary which;
    for (int k : kinds)
        which.dic[k] = 1;
    return which;
}

QStringList hits(const DataList *list)
{
    QStringList out;
    for (int i = 0; list && i < list->GetCount(); ++i) {
        const DataItem *item = list->GetItem(i);
        out << QStringLiteral("%1:%2:%3").arg(item->GetValue(1)).arg(item->GetString(0)).arg(item->GetValue(0));
    }
    return out;
}

} // namespace

class tst_DBManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void freshManagerAnswersNeutrally();
    void setDictionaryRules();
    void forwardingGuards();
    void pathsCloseAccessors();
    void totalSearch_data();
    void totalSearch();
    void totalSearchGuards();
    void queryListConversion();
    void countTableAndExec();
    void statementHelpers();

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

void tst_DBManager::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = QFile::encodeName(m_dir.path()) + '/';
    QVERIFY(EnglishFixtures::buildAll(QString::fromLocal8Bit(m_path)));
}

void tst_DBManager::freshManagerAnswersNeutrally()
{
    DBManager db;
    QCOMPARE(db.GetDictionary(), -1);
    QCOMPARE(QByteArray(db.GetVersion()), QByteArray("0.20.73"));
    QVERIFY(db.GetDictionaryPath());
    QCOMPARE(QByteArray(db.GetDictionaryPath()), QByteArray());
    QCOMPARE(db.GetCount(), 0);
    QCOMPARE(db.GetCount(DICTIONARY_E2K, UNDERSTAND_ALL), 0);
    QVERIFY(!db.GetDataIndex(1));
    QVERIFY(!db.GetDataIndexList(1));
    QVERIFY(!db.GetDataList(0, 9, QStringLiteral("a"), false));
    QVERIFY(!db.GetDataList(0, 9, DICTIONARY_E2K, ALIGN_RECENT, UNDERSTAND_ALL));
    QVERIFY(!db.GetDataList(QStringLiteral("a"), true));
    QVERIFY(!db.GetChineseIndex(1, true));
    QVERIFY(!db.GetChineseBusuList(1));
    QVERIFY(!db.GetChineseLineList(true, 1));
    QVERIFY(!db.GetKorea2Chinese(QStringLiteral("가")));
    QVERIFY(!db.GetChinesLineImage(1));
    QCOMPARE(db.AddData(QStringLiteral("a"), 3, 1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(db.EditData(1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(db.DeleteData(1), 0);
    QCOMPARE(db.DeleteData(true), 0);
    QCOMPARE(db.DeleteData(DICTIONARY_E2K, UNDERSTAND_ALL), 0);
    QCOMPARE(db.QueryExec("SELECT 1;", nullptr), 0);
    QCOMPARE(db.GetSound("apple.mp3", nullptr, nullptr), 0);
    _TotalDictionary all = select({0, 1, 2, 3});
    QVERIFY(!db.GetTotalList(&all, QStringLiteral("apple")));
    db.ClearAllDB();
}

void tst_DBManager::setDictionaryRules()
{
    DBManager db;
    QCOMPARE(db.SetSoundPath(m_path.constData()), 1);
    QCOMPARE(db.SetDictionaryPath(m_path.constData()), 1);
    QCOMPARE(QByteArray(db.GetDictionaryPath()), m_path);
    QCOMPARE(QByteArray(db.GetSoundPath()), m_path);
    QCOMPARE(db.SetDictionary(DICTIONARY_E2K, nullptr), 1);
    QCOMPARE(db.GetDictionary(), 3);
    QCOMPARE(db.GetCount(), 12);

    // Out of range: refused, nothing changes.
    QCOMPARE(db.SetDictionary(17, nullptr), 0);
    QCOMPARE(db.SetDictionary(-1, nullptr), 0);
    QCOMPARE(db.GetDictionary(), 3);
    QCOMPARE(db.GetCount(), 12);
    // The user dictionary needs a file name.
    QCOMPARE(db.SetDictionary(DICTIONARY_USER, nullptr), 0);
    QCOMPARE(db.GetDictionary(), 3);

    // A missing database still makes a current (empty) accessor.
    QCOMPARE(db.SetDictionary(DICTIONARY_KOREA, nullptr), 1);
    QCOMPARE(db.GetCount(), -1);
    QVERIFY(!db.GetDataList(0, 9, QStringLiteral("가"), false));

    // Accessors stay open: switching back finds the same results.
    QCOMPARE(db.SetDictionary(DICTIONARY_K2E, nullptr), 1);
    QCOMPARE(db.GetCount(), 5);
    QCOMPARE(db.GetDataList(0, 1, QStringLiteral("나"), false)->GetItem(0)->GetString(0), QStringLiteral("나무"));
    QCOMPARE(db.SetDictionary(DICTIONARY_E2E, nullptr), 1);
    QCOMPARE(db.GetCount(), 4);

    // The integrated-search state forwards nothing.
    QCOMPARE(db.SetDictionary(DICTIONARY_TOTAL, nullptr), 1);
    QCOMPARE(db.GetDictionary(), 16);
    QVERIFY(!db.GetDataIndex(201));
    QCOMPARE(db.GetCount(), 0);
    QCOMPARE(db.GetSound("apple.mp3", nullptr, nullptr), 0);

    // The user dictionary opens whatever file is named, every time.
    QCOMPARE(db.SetDictionary(DICTIONARY_USER, "user-a.sdb"), 1);
    QCOMPARE(db.GetDictionary(), 14);
    QCOMPARE(db.SetDictionary(DICTIONARY_USER, "no-such-user.sdb"), 1);
    QCOMPARE(db.GetDictionary(), 14);
}

void tst_DBManager::forwardingGuards()
{
    DBManager db;
    db.SetSoundPath(m_path.constData());
    db.SetDictionaryPath(m_path.constData());
    QCOMPARE(db.SetDictionary(DICTIONARY_E2K, nullptr), 1);
    QVERIFY(db.GetDataIndex(103));
    QVERIFY(!db.GetDataIndex(-1));
    QVERIFY(db.GetDataList(0, 9, QStringLiteral("a"), false));
    QVERIFY(!db.GetDataList(-1, 9, QStringLiteral("a"), false));
    QCOMPARE(db.DeleteData(false), 0);
    QCOMPARE(db.DeleteData(-1), 0);
    QCOMPARE(db.DeleteData(DICTIONARY_NONE, UNDERSTAND_ALL), 0);
    QCOMPARE(db.QueryExec(nullptr, nullptr), 0);

    void *data = nullptr;
    int length = 0;
    QCOMPARE(db.GetSound("apple.mp3", &data, &length), 1);
    QCOMPARE(length, 20);
    std::free(data);
    QCOMPARE(db.GetSound("", &data, &length), 0);
    QCOMPARE(db.GetSound(nullptr, &data, &length), 0);

    // QueryExec on a named file runs the statement there (the dictionary itself stays read-only).
    const QByteArray other = m_path + "exec-target.sdb";
    QCOMPARE(db.QueryExec("CREATE TABLE t (x); INSERT INTO t VALUES (7);", other.constData()), 1);
    sqlite3 *check = nullptr;
    QCOMPARE(sqlite3_open(other.constData(), &check), SQLITE_OK);
    QCOMPARE(sqlite3_exec(check, "SELECT x FROM t;", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(check);
    QCOMPARE(db.QueryExec("DELETE FROM e2k_word;", nullptr), 1);
    QCOMPARE(db.GetDataList(0, 20, QString(), false)->GetCount(), 12);
}

void tst_DBManager::pathsCloseAccessors()
{
    QTemporaryDir otherSounds;
    const QByteArray soundDir = QFile::encodeName(otherSounds.path()) + '/';
    QVERIFY(EnglishFixtures::buildDatabase(QStringLiteral("english_sound_b.sql"),
                                           QString::fromLocal8Bit(soundDir) + QLatin1String("sound_A.sdb")));
    DBManager db;
    QCOMPARE(db.SetDictionaryPath(nullptr), 0);
    QCOMPARE(db.SetSoundPath(nullptr), 0);
    db.SetSoundPath(m_path.constData());
    db.SetDictionaryPath(m_path.constData());
    db.SetDictionary(DICTIONARY_E2K, nullptr);
    QCOMPARE(db.GetDataIndex(103)->GetString(4), QStringLiteral("apple.mp3"));

    // A new sound directory closes the sound-using accessors; the others stay open.
    QCOMPARE(db.SetSoundPath(soundDir.constData()), 1);
    QCOMPARE(db.GetCount(), 0); // no current accessor any more
    QCOMPARE(db.GetDictionary(), 3);
    db.SetDictionary(DICTIONARY_E2K, nullptr);
    QCOMPARE(db.GetCount(), 12);
    // apple.mp3 is not in the new directory's sound_A.sdb, so it is no longer offered.
    QVERIFY(db.GetDataIndex(103)->GetString(4).isEmpty());

    db.SetDictionary(DICTIONARY_K2E, nullptr);
    db.SetSoundPath(m_path.constData());
    QCOMPARE(db.GetCount(), 5);

    // A new dictionary directory closes everything; used verbatim as a prefix.
    QCOMPARE(db.SetDictionaryPath(m_path.chopped(1).constData()), 1);
    QCOMPARE(db.GetCount(), 0);
    db.SetDictionary(DICTIONARY_K2E, nullptr);
    QCOMPARE(db.GetCount(), -1);

    db.SetDictionaryPath(m_path.constData());
    db.SetDictionary(DICTIONARY_E2E, nullptr);
    QCOMPARE(db.GetCount(), 4);
    db.ClearAllDB();
    QCOMPARE(db.GetCount(), 0);
    QVERIFY(!db.GetDataIndex(201));
}

void tst_DBManager::totalSearch_data()
{
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");
    const QList<int> four{0, 1, 2, 3};
    QTest::newRow("grouped by dictionary") << four << "apple" << QStringList{"2:apple:201", "3:apple:103"};
    QTest::newRow("case-insensitive English") << four << "APPLE" << QStringList{"2:apple:201", "3:apple:103"};
    QTest::newRow("dictionary order within a kind") << four << "book" << QStringList{"3:book:105", "3:Book:115"};
    QTest::newRow("Korean") << four << "사과" << QStringList{"1:사과 [沙果]:304", "1:사과 [謝過]:305"};
    QTest::newRow("only E2K") << QList<int>{3} << "apple" << QStringList{"3:apple:103"};
    QTest::newRow("no hits") << four << "xyzzy" << QStringList{};
    QTest::newRow("nothing selected") << QList<int>{} << "apple" << QStringList{};
    QTest::newRow("quote key") << four << "o'clock" << QStringList{"3:o'clock:108"};
    QTest::newRow("stores and user skipped") << QList<int>{2, 12, 13, 14} << "apple" << QStringList{"2:apple:201"};
}

void tst_DBManager::totalSearch()
{
    QFETCH(QList<int>, kinds);
    QFETCH(QString, key);
    QFETCH(QStringList, expected);
    QTemporaryDir home; // history.sdb and voca.sdb may be created here
    const QByteArray dir = QFile::encodeName(home.path()) + '/';
    for (const char *name : {"e2k.sdb", "e2e.sdb", "k2e.sdb"})
        QVERIFY(QFile::copy(QString::fromLocal8Bit(m_path + name), QString::fromLocal8Bit(dir + name)));

    DBManager db;
    db.SetSoundPath(dir.constData());
    db.SetDictionaryPath(dir.constData());
    _TotalDictionary which;
    for (int k : kinds)
        which.dic[k] = 1;
    which.dic[15] = 2; // only a byte equal to 1 selects
    QCOMPARE(db.SetDictionary(DICTIONARY_TOTAL, nullptr), 1);
    DataList *list = db.GetTotalList(&which, key);
    QVERIFY(list); // never null once the search ran
    QCOMPARE(hits(list), expected);
    for (int i = 0; i < list->GetCount(); ++i) {
        QCOMPARE(list->GetItem(i)->GetStringCount(), 1);
        QCOMPARE(list->GetItem(i)->GetValueCount(), 2);
    }
    QCOMPARE(db.GetDictionary(), 16);
    QVERIFY(!db.GetDataIndex(103));
}

void tst_DBManager::totalSearchGuards()
{
    DBManager db;
    db.SetSoundPath(m_path.constData());
    db.SetDictionaryPath(m_path.constData());
    _TotalDictionary which = select({1, 2, 3});
    db.SetDictionary(DICTIONARY_E2K, nullptr);
    QVERIFY(!db.GetTotalList(&which, QStringLiteral("apple")));
    db.SetDictionary(DICTIONARY_TOTAL, nullptr);
    QVERIFY(!db.GetTotalList(&which, QString()));
    QVERIFY(!db.GetTotalList(nullptr, QStringLiteral("apple")));
    DataList *first = db.GetTotalList(&which, QStringLiteral("apple"));
    QCOMPARE(first->GetCount(), 2);
    // The next integrated search replaces (destroys) the previous list.
    DataList *second = db.GetTotalList(&which, QStringLiteral("book"));
    QVERIFY(LUMI_FREED(first) || first == second);
    QCOMPARE(second->GetCount(), 2);
    // The hit's entry number opens the entry in its own dictionary.
    db.SetDictionary(second->GetItem(1)->GetValue(1), nullptr);
    QCOMPARE(db.GetDataIndex(second->GetItem(1)->GetValue(0))->GetString(0), QStringLiteral("Book"));
}

void tst_DBManager::queryListConversion()
{
    Probe probe(m_path + "e2k.sdb");
    QVERIFY(probe.connected());
    DataList *list = probe.GetQueryList(
            "SELECT dic_wd, ID, seq_n, '12abc', prnc, 'ignored' FROM e2k_word WHERE ID <= 2 ORDER BY ID;", 1);
    QVERIFY(list);
    QCOMPARE(list->GetCount(), 2);
    DataItem *row = list->GetItem(1);
    QCOMPARE(row->GetStringCount(), 2);
    QCOMPARE(row->GetValueCount(), 3);
    QCOMPARE(row->GetString(0), QString()); // "a" with its last character cut
    QCOMPARE(list->GetItem(0)->GetString(0), QStringLiteral("-is"));
    QCOMPARE(row->GetValue(0), 2);
    QCOMPARE(row->GetValue(1), 101);
    QCOMPARE(row->GetValue(2), 12); // decimal prefix, as strtol reads it
    QCOMPARE(row->GetString(1), QStringLiteral("ə"));
    delete list; // the caller owns what GetQueryList answers

    list = probe.GetQueryList("SELECT dic_wd, seq_n FROM e2k_word WHERE ID = 4;", 0);
    QCOMPARE(list->GetItem(0)->GetString(0), QStringLiteral("apple"));
    QCOMPARE(list->GetItem(0)->GetValue(0), 103);
    QCOMPARE(list->GetItem(0)->GetValue(1), 0);
    QVERIFY(list->GetItem(0)->GetString(1).isEmpty());
    delete list;

    QVERIFY(!probe.GetQueryList("SELECT dic_wd FROM e2k_word WHERE ID > 1000;", 0));
    QVERIFY(!probe.GetQueryList("SELECT nonsense FROM nowhere;", 0));
    QVERIFY(!probe.GetQueryList(nullptr, 0));
}

void tst_DBManager::countTableAndExec()
{
    Probe probe(m_path + "e2k.sdb");
    QCOMPARE(probe.GetCountTable("e2k_word", false), 12);
    QCOMPARE(probe.GetCountTable("e2k_word", true), 12);
    QCOMPARE(probe.GetCountTable("e2k_synonym", true), 2);
    QCOMPARE(probe.GetCountTable("e2k_synonym", false), 0); // the table has no ID column
    QCOMPARE(probe.GetCountTable(nullptr, true), 0);
    QCOMPARE(probe.GetCountTable("no_such_table", true), 0);
    QCOMPARE(probe.QueryExec(nullptr, nullptr), 0);
    QCOMPARE(probe.QueryExec("SELECT 1;", nullptr), 1);

    const QByteArray emptyDb = m_path + "empty-table.sdb";
    QCOMPARE(probe.QueryExec("CREATE TABLE w (ID INTEGER PRIMARY KEY, x);", emptyDb.constData()), 1);
    Probe empty(emptyDb);
    QVERIFY(empty.connected());
    QCOMPARE(empty.GetCountTable("w", false), 0);
    QCOMPARE(empty.GetCountTable("w", true), 0);
    QCOMPARE(empty.GetCount(), -1);

    Probe missing(m_path + "missing.sdb");
    QVERIFY(!missing.connected());
    QCOMPARE(missing.GetCountTable("w", true), 0);
    QCOMPARE(missing.QueryExec("SELECT 1;", nullptr), 0);
}

void tst_DBManager::statementHelpers()
{
    QCOMPARE(Probe::quoteSql("rock 'n' roll"), QByteArray("rock ''n'' roll"));
    QCOMPARE(Probe::quoteSql("''"), QByteArray("''''"));
    QCOMPARE(Probe::soundFileFor("/d/", "apple.mp3"), QByteArray("/d/sound_A.sdb"));
    QCOMPARE(Probe::soundFileFor("/d/", "-ish.mp3"), QByteArray("/d/sound_I.sdb"));
    QCOMPARE(Probe::soundFileFor("/d/", "3d.mp3"), QByteArray("/d/sound_3.sdb"));
    QCOMPARE(Probe::soundFileFor("/d/", "-"), QByteArray());
    QCOMPARE(Probe::soundFileFor(m_path, "banana.mp3"), m_path + "sound_b.sdb");

    Probe probe(m_path + "e2k.sdb");
    const char *sql = "SELECT dic_wd FROM e2k_word WHERE ID >= ? ORDER BY ID LIMIT ?;";
    // A callback may run the statement it is walking again: it gets its own copy.
    QStringList outer;
    QStringList inner;
    const int rows = probe.runQuery(sql, {1, 2}, [&](sqlite3_stmt *st) {
        outer << Probe::text(st, 0);
        probe.runQuery(sql, {10, 1}, [&](sqlite3_stmt *st2) { inner << Probe::text(st2, 0); });
    });
    QCOMPARE(rows, 2);
    QCOMPARE(outer, (QStringList{"-ish", "a"}));
    QCOMPARE(inner, (QStringList{"o'clock", "o'clock"}));
    // A callback answering false stops the walk.
    QCOMPARE(probe.runQuery(sql, {1, 5}, [](sqlite3_stmt *) { return false; }), 1);
    QCOMPARE(probe.runQuery("SELECT broken", {}), -1);
    Probe none(m_path + "missing.sdb");
    QCOMPARE(none.runQuery("SELECT 1;", {}), -1);
    const auto before = Dictionary::StatementsPrepared();
    probe.runQuery(sql, {3, 3});
    QCOMPARE(Dictionary::StatementsPrepared(), before);
}

QTEST_GUILESS_MAIN(tst_DBManager)
#include "tst_dbmanager.moc"
