// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_C2K.h"
#include "DB_J2K.h"
#include "DB_K2C.h"
#include "DB_K2J.h"

#include "cjk_fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace CjkFixtures;

class TestJapaneseChinese : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void k2j();
    void j2k();
    void k2cHeadwordsAndSenses();
    void k2cUsages();
    void c2kHeadwords_data();
    void c2kHeadwords();
    void c2kPinyin();
    void c2kEntry();
    void c2kCharacterLists();
    void c2kSlots();
    void missingDatabases();
    void hostileKeys();

private:
    QTemporaryDir m_dir;
};

void TestJapaneseChinese::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(build(m_dir.path(), "k2j.sdb", "cjk_k2j.sql"));
    QVERIFY(build(m_dir.path(), "j2k.sdb", "cjk_j2k.sql"));
    QVERIFY(build(m_dir.path(), "k2c.sdb", "cjk_k2c.sql"));
    QVERIFY(build(m_dir.path(), "c2k.sdb", "cjk_c2k.sql"));
}

void TestJapaneseChinese::k2j()
{
    DB_K2J dic(dicDir(m_dir.path()));
    QCOMPARE(dic.GetCount(), 3);

    DataList *list = dic.GetDataList(0, 2, QStringLiteral("강"), false);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("강"), QStringLiteral("강하다")}));
    QCOMPARE(values(list, 0), (QList<int>{502, 503}));
    QCOMPARE(values(list, 1), (QList<int>{2, 3}));
    list = dic.GetDataList(0, 0, QStringLiteral("강"), true);
    QCOMPARE(values(list, 0), QList<int>{502});
    QCOMPARE(values(list, 1), QList<int>{0});
    list = dic.GetDataList(3, 9, QString(), false);
    QCOMPARE(values(list, 1), QList<int>{3});

    // Senses by SEQ; examples flattened as Korean, Japanese per example, by SEQ.
    DataItem *entry = dic.GetDataIndex(501);
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), QStringLiteral("가다"));
    QCOMPARE(entry->GetString(1), QStringLiteral("동사"));
    DataList *senses = entry->GetSubList(0);
    QCOMPARE(labels(senses), (QStringList{QStringLiteral("去る"), QStringLiteral("行く")}));
    QCOMPARE(labels(senses->GetItem(0)->GetSubList(0)),
             (QStringList{QStringLiteral("떠나가다"), QStringLiteral("去っていく")}));
    QCOMPARE(labels(senses->GetItem(1)->GetSubList(0)),
             (QStringList{QStringLiteral("집에 가다"), QStringLiteral("家に帰る"), QStringLiteral("학교에 가다"),
                          QStringLiteral("学校へ行く")}));

    // A sense without examples, an entry without senses, an unknown entry.
    entry = dic.GetDataIndex(502);
    QCOMPARE(labels(entry->GetSubList(0)), QStringList{QStringLiteral("川")});
    QVERIFY(!entry->GetSubList(0)->GetItem(0)->GetSubList(0));
    entry = dic.GetDataIndex(503);
    QCOMPARE(entry->GetString(1), QStringLiteral("형용사"));
    QVERIFY(!entry->GetSubList(0));
    entry = dic.GetDataIndex(999);
    QVERIFY(entry);
    QVERIFY(entry->GetString(0).isEmpty());
    QVERIFY(!entry->GetSubList(0));
}

void TestJapaneseChinese::j2k()
{
    DB_J2K dic(dicDir(m_dir.path()));
    QCOMPARE(dic.GetCount(), 3);

    // Headword and kanji without separator; a headword without kanji stands alone.
    DataList *list = dic.GetDataList(1, 9, QString(), false);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("あい愛"), QStringLiteral("あい藍"), QStringLiteral("あう")}));
    QCOMPARE(values(list, 0), (QList<int>{701, 702, 703}));
    QCOMPARE(values(list, 1), (QList<int>{1, 2, 3}));
    // Exact matches in operseq order.
    list = dic.GetDataList(0, 0, QStringLiteral("あい"), true);
    QCOMPARE(values(list, 0), (QList<int>{702, 701}));
    list = dic.GetDataList(0, 5, QStringLiteral("あう"), false);
    QCOMPARE(values(list, 1), QList<int>{3});

    DataItem *entry = dic.GetDataIndex(701);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 4);
    QCOMPARE(entry->GetString(1), QStringLiteral("愛"));
    QCOMPARE(entry->GetString(2), QStringLiteral("名"));
    QCOMPARE(entry->GetString(3), QStringLiteral("★"));

    // Senses ordered by big, middle, small number.
    DataList *senses = entry->GetSubList(0);
    QCOMPARE(labels(senses), (QStringList{QStringLiteral("애정"), QStringLiteral("사랑"), QStringLiteral("연애")}));
    QCOMPARE(values(senses, 0), (QList<int>{12, 11, 13}));
    QVERIFY(!senses->GetItem(0)->GetSubList(0));
    DataList *examples = senses->GetItem(1)->GetSubList(0);
    QCOMPARE(labels(examples), (QStringList{QStringLiteral("사랑의 편지"), QStringLiteral("사랑을 고백하다")}));
    QCOMPARE(labels(examples, 1), (QStringList{QStringLiteral("愛の手紙"), QStringLiteral("愛を告白する")}));

    // Sub-headwords of all the entry's senses, by operseq, with their meanings in order.
    DataList *subwords = entry->GetSubList(1);
    QCOMPARE(labels(subwords), (QStringList{QStringLiteral("愛らしい"), QStringLiteral("愛する")}));
    QCOMPARE(labels(subwords, 1), (QStringList{QStringLiteral("形"), QStringLiteral("動")}));
    QCOMPARE(values(subwords, 0), (QList<int>{902, 901}));
    QCOMPARE(labels(subwords->GetItem(0)->GetSubList(0)),
             (QStringList{QStringLiteral("사랑스럽다"), QStringLiteral("귀엽다")}));
    // 藍色 belongs to entry 702 only; its sub-headword has no meanings.
    entry = dic.GetDataIndex(702);
    QCOMPARE(labels(entry->GetSubList(1)), QStringList{QStringLiteral("藍色")});
    QVERIFY(!entry->GetSubList(1)->GetItem(0)->GetSubList(0));

    entry = dic.GetDataIndex(703);
    QVERIFY(!entry->GetSubList(0));
    QVERIFY(!entry->GetSubList(1));
}

void TestJapaneseChinese::k2cHeadwordsAndSenses()
{
    DB_K2C dic(dicDir(m_dir.path()));
    QCOMPARE(dic.GetCount(), 3);

    DataList *list = dic.GetDataList(0, 0, QStringLiteral("공부"), true);
    QCOMPARE(values(list, 0), (QList<int>{302, 303}));
    QCOMPARE(values(list, 1), (QList<int>{0, 0}));
    list = dic.GetDataList(0, 9, QStringLiteral("간"), false);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("공부"), QStringLiteral("공부")}));
    QCOMPARE(values(list, 1), (QList<int>{2, 3}));

    DataItem *entry = dic.GetDataIndex(301);
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), QStringLiteral("가다"));
    QCOMPARE(entry->GetString(1), QStringLiteral("동"));
    QCOMPARE(entry->GetString(2), QStringLiteral("去"));
    DataList *senses = entry->GetSubList(0);
    QCOMPARE(labels(senses), (QStringList{QStringLiteral("去"), QStringLiteral("走")}));
    QCOMPARE(values(senses, 0), (QList<int>{1, 2}));
    // Examples of this entry's sense 1 only, by number; sense 2 has none.
    DataList *examples = senses->GetItem(0)->GetSubList(0);
    QCOMPARE(labels(examples), (QStringList{QStringLiteral("去北京"), QStringLiteral("我去学校")}));
    QCOMPARE(labels(examples, 1), (QStringList{QStringLiteral("북경에 가다"), QStringLiteral("나는 학교에 간다")}));
    QCOMPARE(labels(examples, 2), (QStringList{QStringLiteral("qù běijīng"), QStringLiteral("wǒ qù xuéxiào")}));
    QVERIFY(!senses->GetItem(1)->GetSubList(0));

    entry = dic.GetDataIndex(303);
    QVERIFY(!entry->GetSubList(0));
    QVERIFY(!entry->GetSubList(1));
}

void TestJapaneseChinese::k2cUsages()
{
    DB_K2C dic(dicDir(m_dir.path()));
    DataItem *entry = dic.GetDataIndex(301);
    DataList *usages = entry->GetSubList(1);
    // Two rows with usage number 1 make one group with two senses.
    QCOMPARE(labels(usages), (QStringList{QStringLiteral("가 보다"), QStringLiteral("가 버리다")}));
    QCOMPARE(values(usages, 0), (QList<int>{1, 2}));

    DataList *first = usages->GetItem(0)->GetSubList(0);
    QCOMPARE(labels(first), (QStringList{QStringLiteral("去看看"), QStringLiteral("去试试")}));
    QCOMPARE(values(first, 0), (QList<int>{1, 2}));
    QVERIFY(!first->GetItem(0)->GetSubList(0));
    QCOMPARE(labels(first->GetItem(1)->GetSubList(0)), QStringList{QStringLiteral("你去试试")});
    QCOMPARE(labels(first->GetItem(1)->GetSubList(0), 2), QStringList{QStringLiteral("nǐ qù shìshi")});

    DataList *second = usages->GetItem(1)->GetSubList(0);
    QCOMPARE(labels(second), QStringList{QStringLiteral("走掉")});
    QCOMPARE(labels(second->GetItem(0)->GetSubList(0)),
             (QStringList{QStringLiteral("走掉吧"), QStringLiteral("他走掉了")}));

    // Entry 302 has no usages at all, and its examples do not leak across entries.
    entry = dic.GetDataIndex(302);
    QVERIFY(!entry->GetSubList(1));
    QCOMPARE(labels(entry->GetSubList(0)->GetItem(0)->GetSubList(0)), QStringList{QStringLiteral("学习汉语")});
}

void TestJapaneseChinese::c2kHeadwords_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("pinyin");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("ids");

    QTest::newRow("by ID") << 3 << 3 << QString() << false
                           << QStringList{QStringLiteral("八 [bā]"), QStringLiteral("吧"), QStringLiteral("爸 [bà]")}
                           << QList<int>{3, 4, 5};
    QTest::newRow("by ID ignores the flag")
            << 6 << 5 << QString() << true << QStringList{QStringLiteral("齉 [nàng]"), QStringLiteral("钻 [zuàn]")}
            << QList<int>{6, 7};
    QTest::newRow("pinyin at a syllable")
            << 0 << 2 << QStringLiteral("ba") << true << QStringList{QStringLiteral("八 [bā]"), QStringLiteral("吧")}
            << QList<int>{3, 4};
    QTest::newRow("pinyin between syllables")
            << 0 << 20 << QStringLiteral("bz") << true
            << QStringList{QStringLiteral("齉 [nàng]"), QStringLiteral("钻 [zuàn]")} << QList<int>{6, 7};
    QTest::newRow("pinyin beyond the last") << 0 << 20 << QStringLiteral("zz") << true << QStringList() << QList<int>();
    // Without the flag the key is a Korean reading, and the answer is unpaged.
    QTest::newRow("reading") << 0 << 1 << QStringLiteral("파") << false
                             << QStringList{QStringLiteral("吧"), QStringLiteral("爸 [bà]")} << QList<int>{4, 5};
    QTest::newRow("unknown reading") << 0 << 9 << QStringLiteral("없") << false << QStringList() << QList<int>();
}

void TestJapaneseChinese::c2kHeadwords()
{
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, key);
    QFETCH(bool, pinyin);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, ids);

    DB_C2K dic(dicDir(m_dir.path()));
    QCOMPARE(dic.GetCount(), 7);
    DataList *list = dic.GetDataList(start, count, key, pinyin);
    QCOMPARE(list == nullptr, labels.isEmpty());
    QCOMPARE(CjkFixtures::labels(list), labels);
    QCOMPARE(values(list, 1), ids);
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(list->GetItem(i)->GetValue(0), 1000 + ids.at(i));
}

void TestJapaneseChinese::c2kPinyin()
{
    DB_C2K dic(dicDir(m_dir.path()));
    // Completion: distinct syllables with the prefix, alphabetically.
    DataList *list = dic.GetDataList(QStringLiteral("a"), false);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("ai"), QStringLiteral("an")}));
    list = dic.GetDataList(QStringLiteral("b"), false);
    QCOMPARE(labels(list), QStringList{QStringLiteral("ba")});
    QCOMPARE(list->GetItem(0)->GetStringCount(), 1);
    QVERIFY(!dic.GetDataList(QStringLiteral("q"), false));
    QVERIFY(!dic.GetDataList(QStringLiteral("ab"), false));

    // The characters of one syllable, ordered by their pinyin text.
    list = dic.GetDataList(QStringLiteral("ba"), true);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("吧"), QStringLiteral("爸"), QStringLiteral("八")}));
    QCOMPARE(values(list, 0), (QList<int>{1004, 1005, 1003}));
    QCOMPARE(labels(list, 2), (QStringList{QString(), QStringLiteral("bà"), QStringLiteral("bā")}));
    QCOMPARE(labels(list, 3), (QStringList{QStringLiteral("어조사"), QStringLiteral("아비"), QStringLiteral("여덟")}));
    QCOMPARE(labels(list, 4), (QStringList{QStringLiteral("파"), QStringLiteral("파"), QStringLiteral("팔")}));
    QCOMPARE(list->GetItem(0)->GetStringCount(), 5);
    QCOMPARE(list->GetItem(0)->GetValueCount(), 1);
    QVERIFY(!dic.GetDataList(QStringLiteral("b"), true));
}

void TestJapaneseChinese::c2kEntry()
{
    DB_C2K dic(dicDir(m_dir.path()));
    DataItem *entry = dic.GetDataIndex(1001);
    QVERIFY(entry);
    const QStringList strings{QStringLiteral("爱"),      QStringLiteral("愛"), QStringLiteral("ài"),
                              QStringLiteral("사랑 애"), QStringLiteral("爫"), QStringLiteral("10")};
    for (int i = 0; i < strings.size(); ++i)
        QCOMPARE(entry->GetString(i), strings.at(i));

    DataList *senses = entry->GetSubList(0);
    QCOMPARE(values(senses, 0), (QList<int>{1, 2}));
    QCOMPARE(labels(senses), (QStringList{QStringLiteral("명"), QStringLiteral("동")}));
    QCOMPARE(labels(senses, 1), (QStringList{QStringLiteral("사랑"), QStringLiteral("사랑하다")}));
    DataList *examples = senses->GetItem(0)->GetSubList(0);
    QCOMPARE(labels(examples), (QStringList{QStringLiteral("爱心"), QStringLiteral("母爱")}));
    QCOMPARE(labels(examples, 1), (QStringList{QStringLiteral("사랑하는 마음"), QStringLiteral("모성애")}));
    QCOMPARE(values(examples, 0), (QList<int>{1, 2}));
    QVERIFY(!senses->GetItem(1)->GetSubList(0));

    DataList *words = entry->GetSubList(1);
    QCOMPARE(labels(words), (QStringList{QStringLiteral("爱情"), QStringLiteral("爱好")}));
    QCOMPARE(labels(words, 1), (QStringList{QStringLiteral("àiqíng"), QStringLiteral("àihào")}));
    QCOMPARE(values(words, 0), (QList<int>{1, 2}));
    DataList *meanings = words->GetItem(1)->GetSubList(0);
    QCOMPARE(values(meanings, 0), (QList<int>{1, 2}));
    QCOMPARE(labels(meanings, 2), (QStringList{QStringLiteral("애호하다"), QStringLiteral("취미")}));
    QCOMPARE(meanings->GetItem(0)->GetString(4), QStringLiteral("厌恶"));
    QCOMPARE(meanings->GetItem(1)->GetString(3), QStringLiteral("嗜好"));
    QVERIFY(!meanings->GetItem(0)->GetSubList(0));
    QCOMPARE(labels(meanings->GetItem(1)->GetSubList(0)), QStringList{QStringLiteral("我的爱好")});
    examples = words->GetItem(0)->GetSubList(0)->GetItem(0)->GetSubList(0);
    QCOMPARE(labels(examples), (QStringList{QStringLiteral("真挚的爱情"), QStringLiteral("爱情故事")}));
    QCOMPARE(values(examples, 0), (QList<int>{1, 2}));

    // A character with a sense whose examples belong to another sense number.
    entry = dic.GetDataIndex(1002);
    QCOMPARE(entry->GetString(4), QStringLiteral("宀"));
    QVERIFY(!entry->GetSubList(0)->GetItem(0)->GetSubList(0));
    QVERIFY(!entry->GetSubList(1));

    // The character detail is the same record.
    DataItem *detail = dic.GetChineseIndex(1001, true);
    QCOMPARE(detail->GetString(3), QStringLiteral("사랑 애"));
    QCOMPARE(detail->GetSubListCount(), 2);
    QVERIFY(detail->GetSubList(1));

    entry = dic.GetDataIndex(5);
    QVERIFY(entry);
    QVERIFY(entry->GetString(0).isEmpty());
    QVERIFY(!entry->GetSubList(0));
}

void TestJapaneseChinese::c2kCharacterLists()
{
    DB_C2K dic(dicDir(m_dir.path()));

    DataList *list = dic.GetChineseBusuList(3);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("爸"), QStringLiteral("爱")}));
    QCOMPARE(values(list, 0), (QList<int>{1005, 1001}));
    QCOMPARE(values(list, 1), (QList<int>{1005, 1001}));
    QCOMPARE(values(list, 2), (QList<int>{8, 10}));
    DataItem *row = list->GetItem(1);
    QCOMPARE(row->GetStringCount(), 5);
    QCOMPARE(row->GetString(1), QStringLiteral("愛"));
    QCOMPARE(row->GetString(2), QStringLiteral("ài"));
    QCOMPARE(row->GetString(3), QStringLiteral("사랑"));
    QCOMPARE(row->GetString(4), QStringLiteral("애"));
    QVERIFY(!row->GetSubList(0));
    // Unlike the Hanja tables, empty Chinese lists are null.
    QVERIFY(!dic.GetChineseBusuList(9));

    list = dic.GetChineseLineList(false, 2);
    QCOMPARE(labels(list), QStringList{QStringLiteral("八")});
    list = dic.GetChineseLineList(false, 36);
    QCOMPARE(labels(list), QStringList{QStringLiteral("齉")});
    // The "27 strokes or more" cell includes exactly 27 strokes.
    list = dic.GetChineseLineList(false, DB_C2K::LastStrokeCell);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("齉"), QStringLiteral("钻")}));
    QCOMPARE(values(list, 2), (QList<int>{36, 27}));
    QVERIFY(!dic.GetChineseLineList(false, 26));

    list = dic.GetChineseLineList(true, 0);
    QCOMPARE(labels(list),
             (QStringList{QStringLiteral("八"), QStringLiteral("口"), QStringLiteral("宀"), QStringLiteral("爫"),
                          QStringLiteral("金"), QStringLiteral("鼻"), QStringLiteral("龠")}));
    QCOMPARE(values(list, 0), (QList<int>{5, 6, 4, 3, 8, 7, 9}));
    QCOMPARE(values(list, 1), (QList<int>{5, 6, 4, 3, 8, 7, 9}));
    QCOMPARE(values(list, 2), (QList<int>{2, 3, 3, 4, 8, 14, 17}));
    QCOMPARE(list->GetItem(0)->GetStringCount(), 1);
    list = dic.GetChineseLineList(true, 3);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("口"), QStringLiteral("宀")}));
    QVERIFY(!dic.GetChineseLineList(true, 5));

    list = dic.GetKorea2Chinese(QStringLiteral("파"));
    QCOMPARE(labels(list), (QStringList{QStringLiteral("吧"), QStringLiteral("爸")}));
    QCOMPARE(values(list, 2), (QList<int>{7, 8}));
    QVERIFY(!dic.GetKorea2Chinese(QStringLiteral("없")));
    QVERIFY(!dic.GetKorea2Chinese(QString()));
}

void TestJapaneseChinese::c2kSlots()
{
    DB_C2K dic(dicDir(m_dir.path()));
    DataList *radicalChars = dic.GetChineseBusuList(3); // first further slot
    DataItem *entry = dic.GetDataIndex(1001); // last-item slot

    // Headword, pinyin, stroke and radical lists share the last-list slot, not these.
    QVERIFY(dic.GetDataList(0, 5, QStringLiteral("a"), true));
    QVERIFY(dic.GetDataList(QStringLiteral("a"), false));
    QVERIFY(dic.GetDataList(QStringLiteral("ba"), true));
    QVERIFY(dic.GetChineseLineList(false, 2));
    DataList *radicals = dic.GetChineseLineList(true, 0);
    QCOMPARE(radicalChars->GetCount(), 2);
    QCOMPARE(entry->GetString(0), QStringLiteral("爱"));

    // A reading list replaces the radical's characters, not the radical list.
    DataList *reading = dic.GetKorea2Chinese(QStringLiteral("팔"));
    QCOMPARE(labels(reading), QStringList{QStringLiteral("八")});
    QCOMPARE(radicals->GetCount(), 7);
    QCOMPARE(entry->GetSubList(1)->GetCount(), 2);
}

void TestJapaneseChinese::missingDatabases()
{
    QTemporaryDir empty;
    std::unique_ptr<Dictionary> dics[]
            = {std::make_unique<DB_K2J>(dicDir(empty.path())), std::make_unique<DB_J2K>(dicDir(empty.path())),
               std::make_unique<DB_K2C>(dicDir(empty.path())), std::make_unique<DB_C2K>(dicDir(empty.path()))};
    for (const auto &dic : dics) {
        QCOMPARE(dic->GetCount(), -1);
        QVERIFY(!dic->GetDataList(0, 9, QStringLiteral("a"), false));
        QVERIFY(!dic->GetDataList(0, 9, QStringLiteral("a"), true));
        QVERIFY(!dic->GetDataList(1, 9, QString(), false));
        QVERIFY(!dic->GetDataList(QStringLiteral("a"), false));
        QVERIFY(!dic->GetDataList(QStringLiteral("ba"), true));
        QVERIFY(!dic->GetDataIndex(1001));
        QVERIFY(!dic->GetChineseIndex(1001, false));
        QVERIFY(!dic->GetChineseBusuList(3));
        QVERIFY(!dic->GetChineseLineList(false, 27));
        QVERIFY(!dic->GetChineseLineList(true, 0));
        QVERIFY(!dic->GetKorea2Chinese(QStringLiteral("파")));
    }
    QCOMPARE(QDir(empty.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

void TestJapaneseChinese::hostileKeys()
{
    DB_K2J k2j(dicDir(m_dir.path()));
    DB_J2K j2k(dicDir(m_dir.path()));
    DB_K2C k2c(dicDir(m_dir.path()));
    DB_C2K c2k(dicDir(m_dir.path()));
    Dictionary *dics[] = {&k2j, &j2k, &k2c, &c2k};

    const QString longKey = QString(10000, QLatin1Char('b'));
    for (const QString &key : {QStringLiteral("x' OR '1'='1"), QStringLiteral("'); DROP TABLE c2k_title; --"),
                               QStringLiteral("'"), longKey}) {
        for (Dictionary *dic : dics) {
            QVERIFY(!dic->GetDataList(0, 0, key, true) || dic == &c2k);
            dic->GetDataList(0, 9, key, false);
        }
        QVERIFY(!c2k.GetDataList(0, 9, key, false));
        QVERIFY(!c2k.GetDataList(key, true));
        QVERIFY(!c2k.GetDataList(key, false));
        QVERIFY(!c2k.GetKorea2Chinese(key));
    }
    // "bbbb…" sorts after "ba": the pinyin search starts at the next syllable.
    QCOMPARE(labels(c2k.GetDataList(0, 1, longKey, true)), QStringList{QStringLiteral("齉 [nàng]")});
    // A quote in a pinyin prefix is an ordinary character.
    QVERIFY(!c2k.GetDataList(QStringLiteral("a'"), false));
    QCOMPARE(c2k.GetCount(), 7);
    DB_C2K reopened(dicDir(m_dir.path()));
    QCOMPARE(reopened.GetCount(), 7);
    QCOMPARE(labels(reopened.GetDataList(QStringLiteral("a"), false)).size(), 2);
}

QTEST_GUILESS_MAIN(TestJapaneseChinese)
#include "tst_japanese_chinese.moc"
