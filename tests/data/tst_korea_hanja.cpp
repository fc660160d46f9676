// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Hanja.h"
#include "DB_Korea.h"
#include "DB_OldKorea.h"

#include "cjk_fixtures.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace CjkFixtures;

class TestKoreaHanja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void koreaHeadwords_data();
    void koreaHeadwords();
    void koreaEntry();
    void oldKorea();
    void hanjaHeadwordsAndEntry();
    void hanjaCharacterDetail();
    void hanjaCharacterLists();
    void hanjaSlots();
    void hanjaImages();
    void missingDatabases();
    void hostileKeys();

private:
    QTemporaryDir m_dir;
};

void TestKoreaHanja::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(build(m_dir.path(), "korea.sdb", "cjk_korea.sql"));
    QVERIFY(build(m_dir.path(), "oldkorea.sdb", "cjk_oldkorea.sql"));
    QVERIFY(build(m_dir.path(), "hanja.sdb", "cjk_hanja.sql"));
    QVERIFY(buildStrokeImages(m_dir.path()));
}

void TestKoreaHanja::koreaHeadwords_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QList<int>>("ids");

    // A one-character Hanja is hidden, two characters are shown after a space, empty and NULL
    // spellings give the bare headword.
    QTest::newRow("nearest") << 0 << 4 << QStringLiteral("가") << false
                             << QStringList{QStringLiteral("가다"), QStringLiteral("가방"), QStringLiteral("강"),
                                            QStringLiteral("강산 江山")}
                             << QList<int>{101, 102, 103, 104} << QList<int>{2, 3, 4, 5};
    QTest::newRow("nearest between keys")
            << 0 << 2 << QStringLiteral("가나") << false << QStringList{QStringLiteral("가다"), QStringLiteral("가방")}
            << QList<int>{101, 102} << QList<int>{2, 3};
    QTest::newRow("by ID") << 5 << 9 << QString() << false
                           << QStringList{QStringLiteral("강산 江山"), QStringLiteral("강산 剛山")}
                           << QList<int>{104, 105} << QList<int>{5, 6};
    QTest::newRow("exact homonyms") << 0 << 0 << QStringLiteral("강산") << true
                                    << QStringList{QStringLiteral("강산 江山"), QStringLiteral("강산 剛山")}
                                    << QList<int>{104, 105} << QList<int>{5, 6};
    QTest::newRow("exact one-character hanja") << 0 << 0 << QStringLiteral("강") << true
                                               << QStringList{QStringLiteral("강")} << QList<int>{103} << QList<int>{4};
    QTest::newRow("exact is not a prefix search")
            << 0 << 0 << QStringLiteral("가") << true << QStringList() << QList<int>() << QList<int>();
    QTest::newRow("beyond the last key") << 0 << 9 << QStringLiteral("힣") << false << QStringList() << QList<int>()
                                         << QList<int>();
    QTest::newRow("by ID past the end") << 7 << 9 << QString() << false << QStringList() << QList<int>()
                                        << QList<int>();
    QTest::newRow("zero rows asked") << 1 << 0 << QString() << false << QStringList() << QList<int>() << QList<int>();
}

void TestKoreaHanja::koreaHeadwords()
{
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, key);
    QFETCH(bool, exact);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, numbers);
    QFETCH(QList<int>, ids);

    DB_Korea korea(dicDir(m_dir.path()));
    QCOMPARE(korea.GetCount(), 6);
    DataList *list = korea.GetDataList(start, count, key, exact);
    // No rows is null, never an empty list.
    QCOMPARE(list == nullptr, labels.isEmpty());
    QCOMPARE(CjkFixtures::labels(list), labels);
    QCOMPARE(values(list, 0), numbers);
    QCOMPARE(values(list, 1), ids);
}

void TestKoreaHanja::koreaEntry()
{
    DB_Korea korea(dicDir(m_dir.path()));
    DataItem *entry = korea.GetDataIndex(104);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 3);
    QCOMPARE(entry->GetString(0), QStringLiteral("강산"));
    QCOMPARE(entry->GetString(1), QStringLiteral("강과 산."));
    QCOMPARE(entry->GetString(2), QStringLiteral("江山"));

    // An unknown number still answers an item, with empty strings.
    entry = korea.GetDataIndex(999);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 3);
    QVERIFY(entry->GetString(0).isEmpty());
    QVERIFY(entry->GetString(1).isEmpty());

    // The entry slot is separate from the list slot.
    DataList *list = korea.GetDataList(1, 2, QString(), false);
    entry = korea.GetDataIndex(103);
    QCOMPARE(CjkFixtures::labels(list), (QStringList{QStringLiteral("a'b"), QStringLiteral("가다")}));
    QCOMPARE(entry->GetString(2), QStringLiteral("江"));
}

void TestKoreaHanja::oldKorea()
{
    DB_OldKorea old(dicDir(m_dir.path()));
    QCOMPARE(old.GetCount(), 4);

    DataList *list = old.GetDataList(0, 2, QStringLiteral("나"), false);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("나모"), QStringLiteral("나ᄆᆞᆯ")}));
    QCOMPARE(values(list, 0), (QList<int>{202, 203}));
    QCOMPARE(values(list, 1), (QList<int>{2, 3}));

    // Exact mode has no ID column: value 1 is 0.
    list = old.GetDataList(0, 0, QStringLiteral("나모"), true);
    QCOMPARE(values(list, 0), (QList<int>{202, 204}));
    QCOMPARE(values(list, 1), (QList<int>{0, 0}));

    list = old.GetDataList(3, 5, QString(), false);
    QCOMPARE(values(list, 1), (QList<int>{3, 4}));
    QVERIFY(!old.GetDataList(9, 5, QString(), false));

    DataItem *entry = old.GetDataIndex(201);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 2);
    QCOMPARE(entry->GetString(0), QStringLiteral("ᄀᆞᄅᆞᆷ"));
    QCOMPARE(entry->GetString(1), QStringLiteral("강. 호수."));
    entry = old.GetDataIndex(1);
    QVERIFY(entry);
    QVERIFY(entry->GetString(0).isEmpty());
}

void TestKoreaHanja::hanjaHeadwordsAndEntry()
{
    DB_Hanja hanja(dicDir(m_dir.path()));
    QCOMPARE(hanja.GetCount(), 4);

    DataList *list = hanja.GetDataList(0, 3, QStringLiteral("가"), false);
    QCOMPARE(labels(list),
             (QStringList{QStringLiteral("가 [家]"), QStringLiteral("가구 [家具]"), QStringLiteral("가구")}));
    QCOMPARE(values(list, 0), (QList<int>{11, 12, 13}));
    QCOMPARE(values(list, 1), (QList<int>{1, 2, 3}));

    list = hanja.GetDataList(0, 0, QStringLiteral("가구"), true);
    QCOMPARE(values(list, 0), (QList<int>{12, 13}));
    QCOMPARE(values(list, 1), (QList<int>{2, 3}));
    QVERIFY(!hanja.GetDataList(0, 5, QStringLiteral("힣"), false));

    DataItem *entry = hanja.GetDataIndex(12);
    QVERIFY(entry);
    QCOMPARE(entry->GetStringCount(), 3);
    QCOMPARE(entry->GetString(0), QStringLiteral("가구 [家具]"));
    QCOMPARE(entry->GetString(1), QStringLiteral("4"));
    QCOMPARE(entry->GetString(2), QStringLiteral("집안 살림에 쓰는 기구."));
    // Unlike the Korean dictionary, an unknown Hanja word answers null.
    QVERIFY(!hanja.GetDataIndex(999));
}

void TestKoreaHanja::hanjaCharacterDetail()
{
    DB_Hanja hanja(dicDir(m_dir.path()));
    for (const bool flag : {false, true}) {
        DataItem *detail = hanja.GetChineseIndex(5, flag);
        QVERIFY(detail);
        QCOMPARE(detail->GetStringCount(), 5);
        QCOMPARE(detail->GetString(0), QStringLiteral("家"));
        QCOMPARE(detail->GetString(1), QStringLiteral("집 가"));
        QCOMPARE(detail->GetString(2), QStringLiteral("갓머리"));
        QCOMPARE(detail->GetString(3), QStringLiteral("10"));
        QCOMPARE(detail->GetString(4), QStringLiteral("7급"));
    }
    // Unknown character, and a character whose radical is missing: an empty record.
    for (const int seq : {999, 13}) {
        DataItem *detail = hanja.GetChineseIndex(seq, false);
        QVERIFY(detail);
        QCOMPARE(detail->GetStringCount(), 5);
        QVERIFY(detail->GetString(0).isEmpty());
    }
}

void TestKoreaHanja::hanjaCharacterLists()
{
    DB_Hanja hanja(dicDir(m_dir.path()));

    // Characters of radical 口, by stroke count then character.
    DataList *list = hanja.GetChineseBusuList(3);
    QCOMPARE(labels(list),
             (QStringList{QStringLiteral("口"), QStringLiteral("古"), QStringLiteral("句"), QStringLiteral("可")}));
    QCOMPARE(values(list, 0), (QList<int>{3, 11, 12, 6}));
    QCOMPARE(values(list, 1), (QList<int>{3, 11, 12, 6}));
    QCOMPARE(values(list, 2), (QList<int>{3, 5, 5, 5}));
    QCOMPARE(labels(list, 1),
             (QStringList{QStringLiteral("입"), QStringLiteral("옛"), QStringLiteral("글귀"), QStringLiteral("옳을")}));
    QCOMPARE(labels(list, 2),
             (QStringList{QStringLiteral("구"), QStringLiteral("고"), QStringLiteral("구"), QStringLiteral("가")}));
    QCOMPARE(list->GetItem(0)->GetSubListCount(), 1);
    QVERIFY(!list->GetItem(0)->GetSubList(0));

    // A radical without characters: an empty list, not null.
    list = hanja.GetChineseBusuList(6);
    QVERIFY(list);
    QCOMPARE(list->GetCount(), 0);

    // By stroke count: an empty list, not null, for a count without characters.
    list = hanja.GetChineseLineList(false, 5);
    QCOMPARE(labels(list),
             (QStringList{QStringLiteral("加"), QStringLiteral("古"), QStringLiteral("句"), QStringLiteral("可")}));
    list = hanja.GetChineseLineList(false, 30);
    QVERIFY(list);
    QCOMPARE(list->GetCount(), 0);

    // Radicals: only those whose own character exists, by stroke count then radical; names lose
    // their trailing character.
    list = hanja.GetChineseLineList(true, 0);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("一"), QStringLiteral("人"), QStringLiteral("力"),
                                        QStringLiteral("口"), QStringLiteral("子"), QStringLiteral("宀")}));
    QCOMPARE(values(list, 0), (QList<int>{1, 2, 8, 3, 4, 7}));
    QCOMPARE(values(list, 1), (QList<int>{1, 2, 9, 3, 4, 8}));
    QCOMPARE(values(list, 2), (QList<int>{1, 2, 2, 3, 3, 3}));
    QCOMPARE(labels(list, 1),
             (QStringList{QStringLiteral("한일"), QStringLiteral("사람인"), QStringLiteral("힘력"),
                          QStringLiteral("입구"), QStringLiteral("아들자"), QStringLiteral("갓머리")}));
    QVERIFY(list->GetItem(0)->GetString(2).isEmpty());
    list = hanja.GetChineseLineList(true, 3);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("口"), QStringLiteral("子"), QStringLiteral("宀")}));
    QVERIFY(!hanja.GetChineseLineList(true, 9));

    // By Korean reading, by stroke count then character; null when there are none.
    list = hanja.GetKorea2Chinese(QStringLiteral("가"));
    QCOMPARE(labels(list),
             (QStringList{QStringLiteral("加"), QStringLiteral("可"), QStringLiteral("佳"), QStringLiteral("家")}));
    QCOMPARE(values(list, 2), (QList<int>{5, 5, 8, 10}));
    QVERIFY(!hanja.GetKorea2Chinese(QStringLiteral("없")));
    QVERIFY(!hanja.GetKorea2Chinese(QString()));
}

void TestKoreaHanja::hanjaSlots()
{
    DB_Hanja hanja(dicDir(m_dir.path()));
    DataList *radicalChars = hanja.GetChineseBusuList(3); // first further slot
    DataList *images = hanja.GetChinesLineImage(5); // second further slot
    DataItem *detail = hanja.GetChineseIndex(5, false); // last-item slot
    DataList *strokes = hanja.GetChineseLineList(false, 5); // last-list slot

    // Queries of other slots leave each result alone.
    QVERIFY(hanja.GetDataList(0, 3, QStringLiteral("가"), false));
    QCOMPARE(radicalChars->GetCount(), 4);
    QCOMPARE(images->GetCount(), 3);
    QCOMPARE(detail->GetString(0), QStringLiteral("家"));

    DataList *reading = hanja.GetKorea2Chinese(QStringLiteral("구"));
    QCOMPARE(labels(reading), (QStringList{QStringLiteral("口"), QStringLiteral("句")}));
    QCOMPARE(images->GetCount(), 3);
    QCOMPARE(detail->GetString(1), QStringLiteral("집 가"));

    // The character detail and the entry share one slot: the entry replaces the detail.
    DataItem *entry = hanja.GetDataIndex(11);
    QCOMPARE(entry->GetString(0), QStringLiteral("가 [家]"));
    QCOMPARE(entry->GetStringCount(), 3);
    detail = hanja.GetChineseIndex(1, false);
    QCOMPARE(detail->GetString(0), QStringLiteral("一"));
    QCOMPARE(images->GetItem(2)->GetImage(0).width(), 3);
    Q_UNUSED(strokes);

    // A reading without characters empties the shared slot and answers null.
    QVERIFY(!hanja.GetKorea2Chinese(QStringLiteral("없")));
    QVERIFY(hanja.GetChineseBusuList(3));
}

void TestKoreaHanja::hanjaImages()
{
    DB_Hanja hanja(dicDir(m_dir.path()));
    DataList *images = hanja.GetChinesLineImage(5);
    QVERIFY(images);
    QCOMPARE(images->GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        DataItem *item = images->GetItem(i);
        QCOMPARE(item->GetImageCount(), 1);
        QCOMPARE(item->GetStringCount(), 0);
        const QImage image = item->GetImage(0);
        QVERIFY(!image.isNull());
        // Stored as "03", "01", "02": name order gives sides 1, 2, 3.
        QCOMPARE(image.size(), QSize(i + 1, i + 1));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));
    }

    // An undecodable blob still yields its record, with a null image.
    images = hanja.GetChinesLineImage(6);
    QVERIFY(images);
    QCOMPARE(images->GetCount(), 1);
    QVERIFY(images->GetItem(0)->GetImage(0).isNull());

    QVERIFY(!hanja.GetChinesLineImage(7));

    // Without "himage.sdb" there are no images, but the rest of the dictionary works.
    QTemporaryDir bare;
    QVERIFY(build(bare.path(), "hanja.sdb", "cjk_hanja.sql"));
    DB_Hanja noImages(dicDir(bare.path()));
    QVERIFY(!noImages.GetChinesLineImage(5));
    QVERIFY(noImages.GetChineseBusuList(3));
    QVERIFY(!QFile::exists(bare.path() + QStringLiteral("/himage.sdb")));
}

void TestKoreaHanja::missingDatabases()
{
    QTemporaryDir empty;
    // A file that is not a database counts as missing too.
    QFile junk(empty.path() + QStringLiteral("/hanja.sdb"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QVERIFY(QFile::copy(m_dir.path() + QStringLiteral("/himage.sdb"), empty.path() + QStringLiteral("/himage.sdb")));

    std::unique_ptr<Dictionary> dics[]
            = {std::make_unique<DB_Korea>(dicDir(empty.path())), std::make_unique<DB_OldKorea>(dicDir(empty.path())),
               std::make_unique<DB_Hanja>(dicDir(empty.path()))};
    for (const auto &dic : dics) {
        QCOMPARE(dic->GetCount(), -1);
        QVERIFY(!dic->GetDataList(0, 9, QStringLiteral("가"), false));
        QVERIFY(!dic->GetDataList(1, 9, QString(), false));
        QVERIFY(!dic->GetDataList(0, 0, QStringLiteral("가"), true));
        QVERIFY(!dic->GetDataIndex(101));
        QVERIFY(!dic->GetChineseIndex(5, false));
        QVERIFY(!dic->GetChineseBusuList(3));
        QVERIFY(!dic->GetChineseLineList(false, 5));
        QVERIFY(!dic->GetChineseLineList(true, 0));
        QVERIFY(!dic->GetKorea2Chinese(QStringLiteral("가")));
        QVERIFY(!dic->GetChinesLineImage(5));
    }
    // Nothing was created in the directory.
    QVERIFY(!QFile::exists(empty.path() + QStringLiteral("/korea.sdb")));
    QVERIFY(!QFile::exists(empty.path() + QStringLiteral("/oldkorea.sdb")));
}

void TestKoreaHanja::hostileKeys()
{
    DB_Korea korea(dicDir(m_dir.path()));
    DB_OldKorea old(dicDir(m_dir.path()));
    DB_Hanja hanja(dicDir(m_dir.path()));

    // A quote is part of the key, not of the statement.
    DataList *list = korea.GetDataList(0, 0, QStringLiteral("a'b"), true);
    QCOMPARE(values(list, 0), QList<int>{100});
    list = korea.GetDataList(0, 2, QStringLiteral("a'"), false);
    QCOMPARE(labels(list), (QStringList{QStringLiteral("a'b"), QStringLiteral("가다")}));

    const QString injection = QStringLiteral("x'; DROP TABLE k_word; --");
    const QString longKey = QString(10000, QChar(0xAC00));
    for (const QString &key : {injection, longKey, QStringLiteral("'"), QStringLiteral("''")}) {
        QVERIFY(!korea.GetDataList(0, 0, key, true));
        QVERIFY(!old.GetDataList(0, 0, key, true));
        QVERIFY(!hanja.GetDataList(0, 0, key, true));
        QVERIFY(!hanja.GetKorea2Chinese(key));
        korea.GetDataList(0, 9, key, false);
        old.GetDataList(0, 9, key, false);
        hanja.GetDataList(0, 9, key, false);
    }
    // "가가가…" sorts just before "가다".
    list = korea.GetDataList(0, 1, longKey, false);
    QCOMPARE(labels(list), QStringList{QStringLiteral("가다")});
    QCOMPARE(korea.GetCount(), 6);
    DB_Korea reopened(dicDir(m_dir.path()));
    QCOMPARE(reopened.GetCount(), 6);
}

QTEST_GUILESS_MAIN(TestKoreaHanja)
#include "tst_korea_hanja.moc"
