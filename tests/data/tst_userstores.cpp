// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_History.h"
#include "DB_User.h"
#include "DB_Vocabulary.h"
#include "storefixtures.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreFixtures;

namespace {

QStringList words(const DataList *list)
{
    QStringList out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out << list->GetItem(i)->GetString(0);
    return out;
}

// A word book: (word, type, num, state), added in this order (IDs 1..6).
struct Seed
{
    const char16_t *word;
    int type;
    int num;
    E_UNDERSTAND state;
};

const Seed kWordBook[] = {
        {u"apple", DICTIONARY_E2K, 10, UNDERSTAND_MEMORIZED},  {u"zebra", DICTIONARY_E2K, 11, UNDERSTAND_UNKNOWN},
        {u"사과", DICTIONARY_KOREA, 12, UNDERSTAND_MEMORIZED}, {u"mango", DICTIONARY_E2E, 13, UNDERSTAND_UNSURE},
        {u"berry", DICTIONARY_E2K, 14, UNDERSTAND_MEMORIZED},  {u"kiwi", DICTIONARY_E2K, 15, UNDERSTAND_UNSTUDIED},
};

void seed(DB_Vocabulary &voca)
{
    for (const Seed &s : kWordBook)
        QCOMPARE(voca.AddData(QString::fromUtf16(s.word), s.type, s.num, s.state), 1);
}

} // namespace

class tst_UserStores : public QObject
{
    Q_OBJECT

private slots:
    void historyStore();
    void historyListLayoutOrderAndPaging_data();
    void historyListLayoutOrderAndPaging();
    void quoteAndLongKeys_data();
    void quoteAndLongKeys();
    void wordBookAddAndEdit();
    void vocabularyFilters_data();
    void vocabularyFilters();
    void vocabularyDeletes_data();
    void vocabularyDeletes();
    void corruptStoreIsSetAside();
    void userDictionaryLookups_data();
    void userDictionaryLookups();
    void userDictionaryEditing();
    void userDictionaryTool();
};

void tst_UserStores::historyStore()
{
    QTemporaryDir dir;
    auto history = std::make_unique<DB_History>(dirPath(dir));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("history.sdb"))));
    QCOMPARE(history->GetCount(), 0);
    QVERIFY(!history->GetDataList(0, 10, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL));
    QCOMPARE(history->AddData(QString(), DICTIONARY_E2K, 1, UNDERSTAND_ALL), 0);
    QCOMPARE(history->AddData(u"w"_qs, -1, 1, UNDERSTAND_ALL), 0);
    QCOMPARE(history->AddData(u"w"_qs, DICTIONARY_E2K, -1, UNDERSTAND_ALL), 0);

    // Opening the same entry twice records it twice; the count follows every insert and delete.
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(history->AddData(u"e2k"_qs, DICTIONARY_E2K, 7, UNDERSTAND_ALL), 1);
        QCOMPARE(history->AddData(u"korea"_qs, DICTIONARY_KOREA, i, UNDERSTAND_ALL), 1);
    }
    QCOMPARE(history->AddData(u"hanja"_qs, DICTIONARY_HANJA, 1, UNDERSTAND_ALL), 1);
    QCOMPARE(history->GetCount(), 5);
    QCOMPARE(history->GetCount(DICTIONARY_E2K, UNDERSTAND_ALL), 2);
    QCOMPARE(history->GetCount(DICTIONARY_TOTAL, UNDERSTAND_MEMORIZED), 5); // the state is no filter here

    // A second connection to the same file sees the rows at once; reopening keeps them.
    history.reset();
    history = std::make_unique<DB_History>(dirPath(dir));
    DB_History other(dirPath(dir));
    QCOMPARE(history->GetCount(), 5);
    QCOMPARE(words(other.GetDataList(0, 1, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL)), QStringList{u"hanja"_qs});

    // The store kinds are no dictionaries: refused on both stores.
    DB_Vocabulary voca(dirPath(dir));
    for (Dictionary *store : {static_cast<Dictionary *>(history.get()), static_cast<Dictionary *>(&voca)}) {
        for (E_DICTIONARY kind : {DICTIONARY_HISTORY, DICTIONARY_VOCABULARY}) {
            QCOMPARE(store->GetCount(kind, UNDERSTAND_ALL), -1);
            QVERIFY(!store->GetDataList(0, 10, kind, ALIGN_RECENT, UNDERSTAND_ALL));
            QCOMPARE(store->DeleteData(kind, UNDERSTAND_ALL), 0);
        }
        QCOMPARE(store->DeleteData(-1), 0);
    }
    QCOMPARE(history->GetCount(), 5);

    // Deletes: by id (the newest), by dictionary, everything (both forms).
    const int newest
            = history->GetDataList(0, 1, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL)->GetItem(0)->GetValue(2);
    QCOMPARE(history->DeleteData(newest), 1);
    QCOMPARE(history->GetCount(), 4);
    QCOMPARE(history->GetCount(DICTIONARY_HANJA, UNDERSTAND_ALL), 0);
    QCOMPARE(history->DeleteData(DICTIONARY_KOREA, UNDERSTAND_UNKNOWN), 1);
    QCOMPARE(history->GetCount(), 2);
    QCOMPARE(history->GetCount(DICTIONARY_E2K, UNDERSTAND_ALL), 2);
    QCOMPARE(history->DeleteData(DICTIONARY_TOTAL, UNDERSTAND_ALL), 1);
    QCOMPARE(history->GetCount(), 0);
    QCOMPARE(history->AddData(u"again"_qs, DICTIONARY_E2K, 1, UNDERSTAND_ALL), 1);
    QCOMPARE(history->DeleteData(true), 1);
    QCOMPARE(history->GetCount(), 0);
}

void tst_UserStores::historyListLayoutOrderAndPaging_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("align");
    QTest::addColumn<QStringList>("expected");

    // Rows added: delta(E2K), alpha(KOREA), charlie(E2K), bravo(E2E), echo(E2K).
    QTest::newRow("recent, all") << 0 << 10 << int(DICTIONARY_TOTAL) << int(ALIGN_RECENT)
                                 << QStringList{u"echo"_qs, u"bravo"_qs, u"charlie"_qs, u"alpha"_qs, u"delta"_qs};
    QTest::newRow("ascending") << 0 << 10 << int(DICTIONARY_TOTAL) << int(ALIGN_WORD_ASC)
                               << QStringList{u"alpha"_qs, u"bravo"_qs, u"charlie"_qs, u"delta"_qs, u"echo"_qs};
    QTest::newRow("descending") << 0 << 10 << int(DICTIONARY_TOTAL) << int(ALIGN_WORD_DESC)
                                << QStringList{u"echo"_qs, u"delta"_qs, u"charlie"_qs, u"bravo"_qs, u"alpha"_qs};
    QTest::newRow("page two of two") << 2 << 2 << int(DICTIONARY_TOTAL) << int(ALIGN_WORD_ASC)
                                     << QStringList{u"charlie"_qs, u"delta"_qs};
    QTest::newRow("last partial page") << 4 << 2 << int(DICTIONARY_TOTAL) << int(ALIGN_WORD_ASC)
                                       << QStringList{u"echo"_qs};
    QTest::newRow("past the end") << 5 << 2 << int(DICTIONARY_TOTAL) << int(ALIGN_RECENT) << QStringList{};
    QTest::newRow("one dictionary, recent") << 0 << 10 << int(DICTIONARY_E2K) << int(ALIGN_RECENT)
                                            << QStringList{u"echo"_qs, u"charlie"_qs, u"delta"_qs};
    QTest::newRow("one dictionary, paged")
            << 1 << 1 << int(DICTIONARY_E2K) << int(ALIGN_WORD_DESC) << QStringList{u"delta"_qs};
    QTest::newRow("dictionary without rows") << 0 << 10 << int(DICTIONARY_HANJA) << int(ALIGN_RECENT) << QStringList{};
}

void tst_UserStores::historyListLayoutOrderAndPaging()
{
    QFETCH(int, offset);
    QFETCH(int, count);
    QFETCH(int, kind);
    QFETCH(int, align);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    DB_History history(dirPath(dir));
    QCOMPARE(history.AddData(u"delta"_qs, DICTIONARY_E2K, 40, UNDERSTAND_ALL), 1);
    QCOMPARE(history.AddData(u"alpha"_qs, DICTIONARY_KOREA, 10, UNDERSTAND_ALL), 1);
    QCOMPARE(history.AddData(u"charlie"_qs, DICTIONARY_E2K, 30, UNDERSTAND_ALL), 1);
    QCOMPARE(history.AddData(u"bravo"_qs, DICTIONARY_E2E, 20, UNDERSTAND_ALL), 1);
    QCOMPARE(history.AddData(u"echo"_qs, DICTIONARY_E2K, 50, UNDERSTAND_ALL), 1);

    DataList *list = history.GetDataList(offset, count, E_DICTIONARY(kind), E_ALIGN(align), UNDERSTAND_ALL);
    if (expected.isEmpty()) {
        QVERIFY2(!list, "an empty page is null");
        return;
    }
    QVERIFY(list);
    QCOMPARE(words(list), expected);
    // The state argument is no filter in the history.
    QCOMPARE(history.GetCount(E_DICTIONARY(kind), UNDERSTAND_MEMORIZED),
             history.GetCount(E_DICTIONARY(kind), UNDERSTAND_ALL));

    // Slot layout: WORD, NUM, TYPE, ID (IDs follow the insert order).
    struct Row
    {
        int num, type, id;
    };
    const QHash<QString, Row> rows{{u"delta"_qs, {40, DICTIONARY_E2K, 1}},
                                   {u"alpha"_qs, {10, DICTIONARY_KOREA, 2}},
                                   {u"charlie"_qs, {30, DICTIONARY_E2K, 3}},
                                   {u"bravo"_qs, {20, DICTIONARY_E2E, 4}},
                                   {u"echo"_qs, {50, DICTIONARY_E2K, 5}}};
    for (int i = 0; i < list->GetCount(); ++i) {
        const DataItem *item = list->GetItem(i);
        QCOMPARE(item->GetStringCount(), 1);
        QCOMPARE(item->GetValueCount(), 3);
        const Row row = rows.value(item->GetString(0));
        QCOMPARE(item->GetValue(0), row.num);
        QCOMPARE(item->GetValue(1), row.type);
        QCOMPARE(item->GetValue(2), row.id);
    }
}

void tst_UserStores::quoteAndLongKeys_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("apostrophe") << u"o'clock"_qs;
    QTest::newRow("quotes only") << u"''''"_qs;
    QTest::newRow("statement in a word") << u"x', 1, 1); DROP TABLE history; DROP TABLE vocabulary; --"_qs;
    QTest::newRow("percent and backslash") << u"100% \\n %s %d"_qs;
    QTest::newRow("korean") << u"어제'오늘"_qs;
    QTest::newRow("10000 characters") << QString(10000, QLatin1Char('q')) + QLatin1Char('\'');
}

void tst_UserStores::quoteAndLongKeys()
{
    QFETCH(QString, word);
    QTemporaryDir dir;
    DB_History history(dirPath(dir));
    DB_Vocabulary voca(dirPath(dir));
    QCOMPARE(history.AddData(word, DICTIONARY_E2K, 3, UNDERSTAND_ALL), 1);
    QCOMPARE(voca.AddData(word, DICTIONARY_E2K, 3, UNDERSTAND_UNSURE), 1);
    QCOMPARE(history.GetCount(), 1);
    QCOMPARE(voca.GetCount(), 1);
    QCOMPARE(words(history.GetDataList(0, 5, DICTIONARY_E2K, ALIGN_WORD_ASC, UNDERSTAND_ALL)), QStringList{word});
    QCOMPARE(words(voca.GetDataList(0, 5, DICTIONARY_E2K, ALIGN_WORD_ASC, UNDERSTAND_UNSURE)), QStringList{word});
}

void tst_UserStores::wordBookAddAndEdit()
{
    QTemporaryDir dir;
    DB_Vocabulary voca(dirPath(dir));
    QCOMPARE(voca.AddData(QString(), DICTIONARY_E2K, 1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(voca.AddData(u"w"_qs, -3, 1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(voca.AddData(u"w"_qs, DICTIONARY_E2K, -1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(voca.AddData(u"run"_qs, DICTIONARY_E2K, 100, UNDERSTAND_UNSTUDIED), 1);
    // Same dictionary and entry number is the same entry, whatever the word text.
    QCOMPARE(voca.AddData(u"running"_qs, DICTIONARY_E2K, 100, UNDERSTAND_MEMORIZED), 0);
    // The same number in another dictionary, or the same word under another number, is new.
    QCOMPARE(voca.AddData(u"run"_qs, DICTIONARY_E2E, 100, UNDERSTAND_UNSTUDIED), 1);
    QCOMPARE(voca.AddData(u"run"_qs, DICTIONARY_E2K, 101, UNDERSTAND_UNSTUDIED), 1);
    QCOMPARE(voca.GetCount(), 3);

    // Slot layout: WORD, NUM, TYPE, ID, UNDERSTAND.
    DataList *list = voca.GetDataList(0, 10, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL);
    QVERIFY(list);
    const DataItem *oldest = list->GetItem(2);
    QCOMPARE(oldest->GetStringCount(), 1);
    QCOMPARE(oldest->GetValueCount(), 4);
    QCOMPARE(oldest->GetString(0), u"run"_qs);
    QCOMPARE(oldest->GetValue(0), 100);
    QCOMPARE(oldest->GetValue(1), int(DICTIONARY_E2K));
    QCOMPARE(oldest->GetValue(2), 1);
    QCOMPARE(oldest->GetValue(3), int(UNDERSTAND_UNSTUDIED));

    // Editing changes one row's state and leaves the count alone.
    QCOMPARE(voca.EditData(-1, UNDERSTAND_MEMORIZED), 0);
    QCOMPARE(voca.EditData(2, UNDERSTAND_MEMORIZED), 1);
    QCOMPARE(voca.GetCount(), 3);
    QCOMPARE(voca.GetCount(DICTIONARY_TOTAL, UNDERSTAND_MEMORIZED), 1);
    QCOMPARE(voca.GetCount(DICTIONARY_E2E, UNDERSTAND_MEMORIZED), 1);
    QCOMPARE(voca.GetCount(DICTIONARY_TOTAL, UNDERSTAND_UNSTUDIED), 2);

    // The next page replaces the previous one (the sanitizer build catches leaks and double frees).
    QCOMPARE(words(voca.GetDataList(1, 1, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL)), QStringList{u"run"_qs});
    QVERIFY(!voca.GetDataList(3, 1, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL));

    // Reopened, the word book still knows its entries.
    DB_Vocabulary again(dirPath(dir));
    QCOMPARE(again.GetCount(), 3);
    QCOMPARE(again.AddData(u"run"_qs, DICTIONARY_E2E, 100, UNDERSTAND_UNKNOWN), 0);
}

void tst_UserStores::vocabularyFilters_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("total"); // GetCount(kind, state)

    QTest::newRow("everything, newest first")
            << int(DICTIONARY_TOTAL) << int(UNDERSTAND_ALL) << int(ALIGN_RECENT) << 0 << 10
            << QStringList{u"kiwi"_qs, u"berry"_qs, u"mango"_qs, u"사과"_qs, u"zebra"_qs, u"apple"_qs} << 6;
    QTest::newRow("memorised of every dictionary")
            << int(DICTIONARY_TOTAL) << int(UNDERSTAND_MEMORIZED) << int(ALIGN_WORD_ASC) << 0 << 10
            << QStringList{u"apple"_qs, u"berry"_qs, u"사과"_qs} << 3;
    QTest::newRow("memorised english-korean")
            << int(DICTIONARY_E2K) << int(UNDERSTAND_MEMORIZED) << int(ALIGN_WORD_DESC) << 0 << 10
            << QStringList{u"berry"_qs, u"apple"_qs} << 2;
    QTest::newRow("english-korean, any state")
            << int(DICTIONARY_E2K) << int(UNDERSTAND_ALL) << int(ALIGN_WORD_ASC) << 0 << 10
            << QStringList{u"apple"_qs, u"berry"_qs, u"kiwi"_qs, u"zebra"_qs} << 4;
    QTest::newRow("state above four means any")
            << int(DICTIONARY_E2K) << 9 << int(ALIGN_WORD_ASC) << 1 << 2 << QStringList{u"berry"_qs, u"kiwi"_qs} << 4;
    QTest::newRow("negative state means any")
            << int(DICTIONARY_E2K) << -1 << int(ALIGN_RECENT) << 0 << 1 << QStringList{u"kiwi"_qs} << 4;
    QTest::newRow("unknown state") << int(DICTIONARY_TOTAL) << int(UNDERSTAND_UNKNOWN) << int(ALIGN_RECENT) << 0 << 10
                                   << QStringList{u"zebra"_qs} << 1;
    QTest::newRow("unstudied") << int(DICTIONARY_E2K) << int(UNDERSTAND_UNSTUDIED) << int(ALIGN_RECENT) << 0 << 10
                               << QStringList{u"kiwi"_qs} << 1;
    QTest::newRow("no match") << int(DICTIONARY_E2E) << int(UNDERSTAND_MEMORIZED) << int(ALIGN_RECENT) << 0 << 10
                              << QStringList{} << 0;
    QTest::newRow("second page") << int(DICTIONARY_TOTAL) << int(UNDERSTAND_ALL) << int(ALIGN_WORD_ASC) << 4 << 4
                                 << QStringList{u"zebra"_qs, u"사과"_qs} << 6;
}

void tst_UserStores::vocabularyFilters()
{
    QFETCH(int, kind);
    QFETCH(int, state);
    QFETCH(int, align);
    QFETCH(int, offset);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    QFETCH(int, total);

    QTemporaryDir dir;
    DB_Vocabulary voca(dirPath(dir));
    seed(voca);
    QCOMPARE(voca.GetCount(), 6);

    DataList *list = voca.GetDataList(offset, count, E_DICTIONARY(kind), E_ALIGN(align), E_UNDERSTAND(state));
    QCOMPARE(words(list), expected);
    QCOMPARE(bool(list), !expected.isEmpty());
    QCOMPARE(voca.GetCount(E_DICTIONARY(kind), E_UNDERSTAND(state)), total);
}

void tst_UserStores::vocabularyDeletes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("left"); // in ascending word order

    QTest::newRow("memorised of every dictionary")
            << int(DICTIONARY_TOTAL) << int(UNDERSTAND_MEMORIZED) << QStringList{u"kiwi"_qs, u"mango"_qs, u"zebra"_qs};
    QTest::newRow("everything") << int(DICTIONARY_TOTAL) << int(UNDERSTAND_ALL) << QStringList{};
    QTest::newRow("one dictionary, one state") << int(DICTIONARY_E2K) << int(UNDERSTAND_MEMORIZED)
                                               << QStringList{u"kiwi"_qs, u"mango"_qs, u"zebra"_qs, u"사과"_qs};
    QTest::newRow("one dictionary, any state")
            << int(DICTIONARY_E2K) << int(UNDERSTAND_ALL) << QStringList{u"mango"_qs, u"사과"_qs};
    QTest::newRow("no match") << int(DICTIONARY_HANJA) << int(UNDERSTAND_ALL)
                              << QStringList{u"apple"_qs, u"berry"_qs, u"kiwi"_qs,
                                             u"mango"_qs, u"zebra"_qs, u"사과"_qs};
}

void tst_UserStores::vocabularyDeletes()
{
    QFETCH(int, kind);
    QFETCH(int, state);
    QFETCH(QStringList, left);

    QTemporaryDir dir;
    DB_Vocabulary voca(dirPath(dir));
    seed(voca);
    QCOMPARE(voca.DeleteData(E_DICTIONARY(kind), E_UNDERSTAND(state)), 1);
    QCOMPARE(voca.GetCount(), left.size());
    QCOMPARE(words(voca.GetDataList(0, 10, DICTIONARY_TOTAL, ALIGN_WORD_ASC, UNDERSTAND_ALL)), left);

    // Single rows and the whole book.
    if (!left.isEmpty()) {
        DataList *list = voca.GetDataList(0, 1, DICTIONARY_TOTAL, ALIGN_WORD_ASC, UNDERSTAND_ALL);
        QCOMPARE(voca.DeleteData(list->GetItem(0)->GetValue(2)), 1);
        QCOMPARE(voca.GetCount(), left.size() - 1);
        QCOMPARE(words(voca.GetDataList(0, 10, DICTIONARY_TOTAL, ALIGN_WORD_ASC, UNDERSTAND_ALL)), left.mid(1));
    }
    QCOMPARE(voca.DeleteData(true), 1);
    QCOMPARE(voca.GetCount(), 0);
}

void tst_UserStores::corruptStoreIsSetAside()
{
    QTemporaryDir dir;
    const QString historyFile = dir.filePath(QStringLiteral("history.sdb"));
    const QString vocaFile = dir.filePath(QStringLiteral("voca.sdb"));
    const QByteArray garbage
            = QByteArray("this is not a database, but it is the user's file ") + QByteArray(3000, '\x7f');
    QVERIFY(writeFile(historyFile, garbage));
    QVERIFY(writeFile(vocaFile, garbage + "v"));
    {
        DB_History history(dirPath(dir));
        DB_Vocabulary voca(dirPath(dir));
        // The damaged bytes are kept, unchanged, next to a fresh store that works.
        QCOMPARE(readFile(historyFile + QLatin1String(".corrupt")), garbage);
        QCOMPARE(readFile(vocaFile + QLatin1String(".corrupt")), garbage + "v");
        QCOMPARE(history.GetCount(), 0);
        QCOMPARE(history.AddData(u"fresh"_qs, DICTIONARY_E2K, 1, UNDERSTAND_ALL), 1);
        QCOMPARE(voca.AddData(u"fresh"_qs, DICTIONARY_E2K, 1, UNDERSTAND_UNKNOWN), 1);
        QCOMPARE(voca.GetCount(), 1);
    }
    // A second damaged file never overwrites the first one set aside.
    QVERIFY(writeFile(historyFile, garbage + "2"));
    {
        DB_History history(dirPath(dir));
        QCOMPARE(readFile(historyFile + QLatin1String(".corrupt")), garbage);
        QCOMPARE(readFile(historyFile + QLatin1String(".corrupt.1")), garbage + "2");
        QCOMPARE(history.GetCount(), 0);
    }
    // An intact store is never moved.
    {
        DB_Vocabulary voca(dirPath(dir));
        QCOMPARE(voca.GetCount(), 1);
        QVERIFY(!QFile::exists(vocaFile + QLatin1String(".corrupt.1")));
    }

    // A directory that cannot hold the store leaves it without a connection: neutral answers only.
    DB_History nowhere(QFile::encodeName(dir.filePath(QStringLiteral("no/such/dir/"))));
    QCOMPARE(nowhere.GetCount(DICTIONARY_TOTAL, UNDERSTAND_ALL), 0);
    QCOMPARE(nowhere.AddData(u"w"_qs, DICTIONARY_E2K, 1, UNDERSTAND_ALL), 0);
    QVERIFY(!nowhere.GetDataList(0, 10, DICTIONARY_TOTAL, ALIGN_RECENT, UNDERSTAND_ALL));
    QCOMPARE(nowhere.DeleteData(true), 0);
    DB_Vocabulary nowhere2(QFile::encodeName(dir.filePath(QStringLiteral("no/such/dir/"))));
    QCOMPARE(nowhere2.AddData(u"w"_qs, DICTIONARY_E2K, 1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(nowhere2.EditData(1, UNDERSTAND_UNKNOWN), 0);
    QCOMPARE(nowhere2.GetCount(DICTIONARY_E2K, UNDERSTAND_ALL), 0);
}

void tst_UserStores::userDictionaryLookups_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("ids");

    QTest::newRow("by id") << 2 << 3 << QString() << false << QStringList{u"banana"_qs, u"cherry"_qs, u"o'clock"_qs}
                           << QList<int>{2, 4, 5};
    QTest::newRow("by id past the end") << 7 << 3 << QString() << false << QStringList{} << QList<int>{};
    QTest::newRow("nearest") << 0 << 2 << u"c"_qs << false << QStringList{u"cherry"_qs, u"o'clock"_qs}
                             << QList<int>{4, 5};
    QTest::newRow("nearest with quote") << 0 << 5 << u"o'c"_qs << false << QStringList{u"o'clock"_qs, u"peach"_qs}
                                        << QList<int>{5, 6};
    QTest::newRow("nearest beyond the last") << 0 << 5 << u"zzz"_qs << false << QStringList{} << QList<int>{};
    QTest::newRow("exact") << 0 << 0 << u"cherry"_qs << true << QStringList{u"cherry"_qs} << QList<int>{4};
    QTest::newRow("exact with quote") << 0 << 0 << u"o'clock"_qs << true << QStringList{u"o'clock"_qs} << QList<int>{5};
    QTest::newRow("exact miss") << 0 << 0 << u"cherr"_qs << true << QStringList{} << QList<int>{};
    QTest::newRow("10000-character key") << 0 << 5 << QString(10000, QLatin1Char('\'')) << true << QStringList{}
                                         << QList<int>{};
}

void tst_UserStores::userDictionaryLookups()
{
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, key);
    QFETCH(bool, exact);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, ids);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("user.sdb"));
    QVERIFY(buildDatabase("user_dictionary.sql", file));
    DB_User user(QFile::encodeName(file));
    // The list pages by ID, so the count is the largest ID (a deleted row leaves a gap at 3).
    QCOMPARE(user.GetCount(), 6);
    DataList *list = user.GetDataList(start, count, key, exact);
    QCOMPARE(words(list), expected);
    QCOMPARE(bool(list), !expected.isEmpty());
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(list->GetItem(i)->GetValue(0), ids.at(i));
}

void tst_UserStores::userDictionaryEditing()
{
    QTemporaryDir dir;
    const QByteArray missing = QFile::encodeName(dir.filePath(QStringLiteral("mine.sdb")));
    {
        DB_User user(missing);
        QVERIFY2(!QFile::exists(QFile::decodeName(missing)), "opening a user dictionary never creates one");
        QCOMPARE(user.GetCount(), -1);
        QVERIFY(!user.GetDataList(1, 10, QString(), false));
        QVERIFY(!user.GetDataIndex(1));
        QString word = u"apple"_qs;
        QCOMPARE(user.AddData(word, 0, 0), 0);
        QCOMPARE(user.DeleteData(1, false), 0);
    }

    const QString file = dir.filePath(QStringLiteral("user.sdb"));
    QVERIFY(buildDatabase("user_dictionary.sql", file));
    DB_User user(QFile::encodeName(file));
    DataItem *item = user.GetDataIndex(5);
    QVERIFY(item);
    QCOMPARE(item->GetStringCount(), 2);
    QCOMPARE(item->GetString(0), u"o'clock"_qs);
    QCOMPARE(item->GetString(1), u"정각"_qs);
    item = user.GetDataIndex(3);
    QVERIFY2(item, "an unknown id still answers an item");
    QVERIFY(item->GetString(0).isEmpty() && item->GetString(1).isEmpty());

    QCOMPARE(user.DeleteData(-1, false), 0);
    QCOMPARE(user.DeleteData(6, false), 1);
    QCOMPARE(user.GetCount(), 5);
    QVERIFY(!user.GetDataList(0, 0, u"peach"_qs, true));
    QCOMPARE(user.DeleteData(0, true), 1);
    QCOMPARE(user.GetCount(), 0);

    // A new dictionary: words added in any order are numbered in word order.
    const QByteArray created = QFile::encodeName(dir.filePath(QStringLiteral("words.sdb")));
    QCOMPARE(DB_User::CreateDictionary(created), 1);
    DB_User mine(created);
    QCOMPARE(mine.GetCount(), 0);
    QString word;
    QCOMPARE(mine.AddData(word, 0, 0), 0);
    word = u"zucchini"_qs;
    QCOMPARE(mine.AddData(word, -1, 0), 0);
    QCOMPARE(mine.AddWord(u"mango"_qs, u"망고"_qs), 1);
    QCOMPARE(mine.AddWord(u"apple"_qs, u"사과"_qs), 1);
    QCOMPARE(mine.AddWord(u"it's"_qs, u"그것은"_qs), 1);
    QCOMPARE(mine.AddData(word, 0, 0), 1);
    QCOMPARE(mine.AddWord(u"banana"_qs, u"바나나"_qs), 1);
    QCOMPARE(mine.GetCount(), 5);
    QCOMPARE(words(mine.GetDataList(1, 10, QString(), false)),
             (QStringList{u"apple"_qs, u"banana"_qs, u"it's"_qs, u"mango"_qs, u"zucchini"_qs}));
    DataList *list = mine.GetDataList(0, 2, u"c"_qs, false);
    QCOMPARE(words(list), (QStringList{u"it's"_qs, u"mango"_qs}));
    QCOMPARE(list->GetItem(0)->GetValue(0), 3);
    QCOMPARE(mine.GetDataIndex(3)->GetString(1), u"그것은"_qs);
    QCOMPARE(mine.GetDataIndex(5)->GetString(1), QString());
    // An existing file is never replaced.
    QCOMPARE(DB_User::CreateDictionary(created), 0);
    QCOMPARE(DB_User(created).GetCount(), 5);
}

void tst_UserStores::userDictionaryTool()
{
    // lumi-userdic makes a dictionary from word/explanation lines and extends it later.
    QTemporaryDir dir;
    const QString tool = QString::fromLocal8Bit(qgetenv("LUMI_BINARY_DIR")) + QLatin1String("/tools/lumi-userdic");
    const QString file = dir.filePath(QStringLiteral("tool.sdb"));
    auto run = [&](const QString &target, const QByteArray &input) {
        QProcess process;
        process.start(tool, {target});
        process.write(input);
        process.closeWriteChannel();
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    QCOMPARE(run(file, "pear\t배\n\nit's\t그것은\napple\n"), 0);
    QCOMPARE(run(file, "banana\t바나나\n"), 0);
    DB_User user(QFile::encodeName(file));
    QCOMPARE(words(user.GetDataList(1, 10, QString(), false)),
             (QStringList{u"apple"_qs, u"banana"_qs, u"it's"_qs, u"pear"_qs}));
    QCOMPARE(user.GetDataIndex(2)->GetString(1), u"바나나"_qs);

    // A file that is not a user dictionary is refused and left as it was.
    const QString other = dir.filePath(QStringLiteral("other.txt"));
    QVERIFY(writeFile(other, "my notes"));
    QCOMPARE(run(other, "word\n"), 1);
    QCOMPARE(readFile(other), QByteArray("my notes"));
}

QTEST_GUILESS_MAIN(tst_UserStores)
#include "tst_userstores.moc"
