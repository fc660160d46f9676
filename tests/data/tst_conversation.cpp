// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_CConversation.h"
#include "DB_EConversation.h"
#include "DB_JConversation.h"
#include "storefixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <memory>

using namespace StoreFixtures;

namespace {

enum Book { English, Japanese, Chinese };

std::unique_ptr<Dictionary> openBook(int book, const QByteArray &dir, const QByteArray &soundDir)
{
    switch (book) {
    case English:
        return std::make_unique<DB_EConversation>(dir, soundDir);
    case Japanese:
        return std::make_unique<DB_JConversation>(dir, soundDir);
    default:
        return std::make_unique<DB_CConversation>(dir, soundDir);
    }
}

QStringList lineStrings(const DataItem *line)
{
    QStringList out;
    for (int i = 0; i < line->GetStringCount(); ++i)
        out << line->GetString(i);
    return out;
}

} // namespace

class tst_Conversation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sectionList_data();
    void sectionList();
    void titleList_data();
    void titleList();
    void dialogue_data();
    void dialogue();
    void resultOwnership();
    void sound_data();
    void sound();
    void soundRefusals();
    void missingAndCorruptFiles();

private:
    QTemporaryDir m_dir;
    QByteArray m_path; // phrasebooks and sound_con.sdb, ending in "/"
};

void tst_Conversation::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = QFile::encodeName(m_dir.path()) + '/';
    QVERIFY(buildDatabase("phrasebook_econ.sql", m_dir.filePath(QStringLiteral("econ.sdb"))));
    QVERIFY(buildDatabase("phrasebook_jcon.sql", m_dir.filePath(QStringLiteral("jcon.sdb"))));
    QVERIFY(buildDatabase("phrasebook_ccon.sql", m_dir.filePath(QStringLiteral("ccon.sdb"))));
    QVERIFY(buildDatabase("phrasebook_sound.sql", m_dir.filePath(QStringLiteral("sound_con.sdb"))));
}

void tst_Conversation::sectionList_data()
{
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("firstAndLast"); // names lose their stored trailing character

    const QList<int> oneToTen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("english page of ten") << int(English) << 1 << 10 << QString() << false << oneToTen
                                         << QStringList{u"인사"_qs, u"Sightseeing"_qs};
    QTest::newRow("english last page") << int(English) << 11 << 10 << QString() << false << QList<int>{11, 12}
                                       << QStringList{u"Emergency"_qs, u"It's late"_qs};
    QTest::newRow("english beyond the last")
            << int(English) << 13 << 10 << QString() << false << QList<int>{} << QStringList{};
    QTest::newRow("a key is no search") << int(English) << 1 << 10 << u"인사"_qs << false << QList<int>{}
                                        << QStringList{};
    QTest::newRow("nor the exact flag") << int(English) << 1 << 10 << QString() << true << QList<int>{}
                                        << QStringList{};
    QTest::newRow("japanese") << int(Japanese) << 1 << 10 << QString() << false << QList<int>{1, 2, 3}
                              << QStringList{u"あいさつ"_qs, u"買い物"_qs};
    QTest::newRow("japanese key") << int(Japanese) << 1 << 10 << u"x"_qs << true << QList<int>{} << QStringList{};
    QTest::newRow("chinese from two") << int(Chinese) << 2 << 1 << QString() << false << QList<int>{2}
                                      << QStringList{u"机场"_qs, u"机场"_qs};
    QTest::newRow("chinese key") << int(Chinese) << 1 << 10 << u"问候"_qs << false << QList<int>{} << QStringList{};
}

void tst_Conversation::sectionList()
{
    QFETCH(int, book);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, key);
    QFETCH(bool, exact);
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, firstAndLast);

    auto dic = openBook(book, m_path, m_path);
    QCOMPARE(dic->GetCount(), book == English ? 12 : book == Japanese ? 3 : 2);
    DataList *list = dic->GetDataList(start, count, key, exact);
    QCOMPARE(bool(list), !numbers.isEmpty());
    QList<int> got;
    for (int i = 0; list && i < list->GetCount(); ++i)
        got << list->GetItem(i)->GetValue(0);
    QCOMPARE(got, numbers);
    if (list) {
        QCOMPARE(list->GetItem(0)->GetString(0), firstAndLast.first());
        QCOMPARE(list->GetItem(list->GetCount() - 1)->GetString(0), firstAndLast.last());
    }
}

void tst_Conversation::titleList_data()
{
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("english in display order")
            << int(English) << 1 << QStringList{u"첫 인사"_qs, u"입국 심사"_qs, u"What's the time?"_qs}
            << QList<int>{102, 101, 103};
    QTest::newRow("english one title") << int(English) << 2 << QStringList{u"탑승 수속"_qs} << QList<int>{201};
    QTest::newRow("english section without titles") << int(English) << 4 << QStringList{} << QList<int>{};
    QTest::newRow("english unknown section") << int(English) << 999 << QStringList{} << QList<int>{};
    QTest::newRow("japanese") << int(Japanese) << 1 << QStringList{u"처음 만남"_qs, u"아침 인사"_qs}
                              << QList<int>{12, 11};
    QTest::newRow("japanese section without titles") << int(Japanese) << 3 << QStringList{} << QList<int>{};
    QTest::newRow("chinese") << int(Chinese) << 1 << QStringList{u"인사하기"_qs, u"감사하기"_qs} << QList<int>{7, 8};
}

void tst_Conversation::titleList()
{
    QFETCH(int, book);
    QFETCH(int, section);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, numbers);

    auto dic = openBook(book, m_path, m_path);
    DataList *list = dic->GetDataIndexList(section);
    QVERIFY2(list, "a title list is returned even when empty");
    QCOMPARE(list->GetCount(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        const DataItem *item = list->GetItem(i);
        QCOMPARE(item->GetStringCount(), 1);
        QCOMPARE(item->GetValueCount(), 1);
        QCOMPARE(item->GetString(0), titles.at(i));
        QCOMPARE(item->GetValue(0), numbers.at(i));
    }
}

void tst_Conversation::dialogue_data()
{
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("title");
    QTest::addColumn<QStringList>("head");
    QTest::addColumn<QList<QStringList>>("lines");

    QTest::newRow("english, lines in talk order, sound names trimmed")
            << int(English) << 101 << QStringList{u"Passport control"_qs, u"여권을 준비하세요."_qs}
            << QList<QStringList>{
                       {u"A"_qs, u"May I see your passport?"_qs, u"여권을 보여 주시겠어요?"_qs, u"e101_1"_qs},
                       {u"B"_qs, u"Here you are."_qs, u"여기 있습니다."_qs, u"e101_2"_qs},
                       {u"A"_qs, u"It's fine."_qs, u"괜찮습니다."_qs, u"it's"_qs}};
    QTest::newRow("english title without lines")
            << int(English) << 301 << QStringList{u"No lines here"_qs, u"none"_qs} << QList<QStringList>{};
    QTest::newRow("english unknown title")
            << int(English) << 424242 << QStringList{QString(), QString()} << QList<QStringList>{};
    QTest::newRow("japanese title without lines")
            << int(Japanese) << 21 << QStringList{QString()} << QList<QStringList>{};
    QTest::newRow("english head with quotes")
            << int(English) << 103 << QStringList{u"It's o'clock"_qs, QString()} << QList<QStringList>{};
    // Japanese lines carry their recording like the other books: the stored trailing character
    // is dropped, a name stored without it stays whole, and a missing name gives an empty slot.
    QTest::newRow("japanese with recordings")
            << int(Japanese) << 11 << QStringList{u"朝のあいさつ"_qs}
            << QList<QStringList>{{u"A"_qs, u"おはようございます。"_qs, u"안녕하세요."_qs, u"j11_1"_qs},
                                  {u"B"_qs, u"おはよう。"_qs, u"안녕."_qs, u"j11_2"_qs}};
    QTest::newRow("japanese untrimmed and missing names")
            << int(Japanese) << 12 << QStringList{u"初対面"_qs}
            << QList<QStringList>{{u"A"_qs, u"はじめまして。"_qs, u"처음 뵙겠습니다."_qs, u"j12_1"_qs},
                                  {u"B"_qs, u"よろしく。"_qs, u"잘 부탁해요."_qs, QString()}};
    QTest::newRow("chinese with pinyin")
            << int(Chinese) << 7 << QStringList{u"기본 인사"_qs}
            << QList<QStringList>{{u"A"_qs, u"你好吗？"_qs, u"잘 지내요?"_qs, u"c7_1"_qs, u"nǐ hǎo ma?"_qs},
                                  {u"B"_qs, u"你好！"_qs, u"안녕!"_qs, u"c7_2"_qs, u"nǐ hǎo!"_qs}};
}

void tst_Conversation::dialogue()
{
    QFETCH(int, book);
    QFETCH(int, title);
    QFETCH(QStringList, head);
    QFETCH(QList<QStringList>, lines);

    auto dic = openBook(book, m_path, m_path);
    DataItem *item = dic->GetDataIndex(title);
    QVERIFY(item);
    QCOMPARE(item->GetStringCount(), head.size());
    QCOMPARE(item->GetValueCount(), 0);
    QCOMPARE(item->GetSubListCount(), 1);
    QCOMPARE(item->GetImageCount(), 0);
    for (int i = 0; i < head.size(); ++i)
        QCOMPARE(item->GetString(i), head.at(i));

    DataList *talk = item->GetSubList(0);
    if (lines.isEmpty()) {
        QVERIFY(!talk);
        return;
    }
    QVERIFY(talk);
    QCOMPARE(talk->GetCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const DataItem *line = talk->GetItem(i);
        QCOMPARE(line->GetValueCount(), 0);
        QCOMPARE(line->GetSubListCount(), 0);
        QCOMPARE(lineStrings(line), lines.at(i));
    }
}

void tst_Conversation::resultOwnership()
{
    auto dic = openBook(English, m_path, m_path);
    // Sections, titles and the dialogue live in separate slots: each survives queries of the others.
    DataList *titles = dic->GetDataIndexList(1);
    DataList *sections = dic->GetDataList(1, 3, QString(), false);
    DataItem *dialogue = dic->GetDataIndex(101);
    QVERIFY(titles && sections && dialogue);
    QCOMPARE(titles->GetCount(), 3);
    QCOMPARE(titles->GetItem(0)->GetValue(0), 102);
    QCOMPARE(sections->GetCount(), 3);
    QCOMPARE(sections->GetItem(2)->GetString(0), u"Hotel"_qs);
    QCOMPARE(dialogue->GetSubList(0)->GetCount(), 3);

    // The next query of the same slot replaces its result (the sanitizer build catches a leak or
    // a double free here), and leaves the other slots alone.
    DataList *titles2 = dic->GetDataIndexList(2);
    QCOMPARE(titles2->GetCount(), 1);
    QCOMPARE(titles2->GetItem(0)->GetValue(0), 201);
    DataItem *dialogue2 = dic->GetDataIndex(102);
    QCOMPARE(dialogue2->GetString(0), u"Saying hello"_qs);
    QVERIFY(!dic->GetDataList(50, 3, QString(), false));
    QCOMPARE(titles2->GetItem(0)->GetString(0), u"탑승 수속"_qs);
    QCOMPARE(dialogue2->GetSubList(0)->GetItem(0)->GetString(1), u"Hello."_qs);
}

void tst_Conversation::sound_data()
{
    QTest::addColumn<int>("book");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("clip");

    QTest::newRow("english") << int(English) << QByteArray("e101_1")
                             << QByteArray::fromHex("4944330400000000000001FFFB9064");
    QTest::newRow("english quote in name") << int(English) << QByteArray("it's") << QByteArray::fromHex("0102030400");
    QTest::newRow("english empty clip") << int(English) << QByteArray("empty") << QByteArray();
    QTest::newRow("english unknown name") << int(English) << QByteArray("nosuch") << QByteArray();
    QTest::newRow("english injection attempt") << int(English) << QByteArray("x' OR '1'='1") << QByteArray();
    QTest::newRow("english 10000-character name") << int(English) << QByteArray(10000, 'e') << QByteArray();
    QTest::newRow("japanese") << int(Japanese) << QByteArray("j11_1") << QByteArray::fromHex("FFFB9064AA");
    QTest::newRow("japanese does not read the english table") << int(Japanese) << QByteArray("e101_1") << QByteArray();
    QTest::newRow("chinese") << int(Chinese) << QByteArray("c7_1") << QByteArray::fromHex("FFFB906400C7");
    QTest::newRow("chinese own table") << int(Chinese) << QByteArray("e101_1") << QByteArray::fromHex("EE");
}

void tst_Conversation::sound()
{
    QFETCH(int, book);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, clip);

    // The phrasebook file is not needed for its recordings: only the sound directory counts.
    QTemporaryDir noBooks;
    auto dic = openBook(book, QFile::encodeName(noBooks.path()) + '/', m_path);
    void *data = nullptr;
    int length = -7;
    QCOMPARE(dic->GetSound(m_path.constData(), name.constData(), &data, &length), 1);
    QVERIFY2(data, "a zero-length clip still comes as a buffer the caller frees");
    QCOMPARE(length, int(clip.size()));
    QCOMPARE(QByteArray(static_cast<const char *>(data), length), clip);
    std::free(data);
}

void tst_Conversation::soundRefusals()
{
    auto dic = openBook(English, m_path, m_path);
    void *data = reinterpret_cast<void *>(0x1);
    int length = -7;
    // Without both out-pointers nothing is written, neither a buffer nor a temporary file.
    QCOMPARE(dic->GetSound(m_path.constData(), "e101_1", nullptr, &length), 0);
    QCOMPARE(length, -7);
    QCOMPARE(dic->GetSound(m_path.constData(), "e101_1", &data, nullptr), 0);
    QCOMPARE(data, reinterpret_cast<void *>(0x1));
    QCOMPARE(dic->GetSound(m_path.constData(), "e101_1", nullptr, nullptr), 0);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("temp.mp3"))));
    QCOMPARE(dic->GetSound(m_path.constData(), nullptr, &data, &length), 0);
    QCOMPARE(dic->GetSound(nullptr, "e101_1", &data, &length), 0);
    QCOMPARE(length, -7);

    // A sound directory without sound_con.sdb, or with a damaged one, answers 0 and creates nothing.
    QTemporaryDir empty;
    const QByteArray emptyPath = QFile::encodeName(empty.path()) + '/';
    QCOMPARE(dic->GetSound(emptyPath.constData(), "e101_1", &data, &length), 0);
    QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("sound_con.sdb"))));
    QVERIFY(writeFile(empty.filePath(QStringLiteral("sound_con.sdb")), QByteArray(4096, '\x5a')));
    QCOMPARE(dic->GetSound(emptyPath.constData(), "e101_1", &data, &length), 0);
    QCOMPARE(length, -7);
    QCOMPARE(data, reinterpret_cast<void *>(0x1));
}

void tst_Conversation::missingAndCorruptFiles()
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + '/';
    for (int book : {English, Japanese, Chinese}) {
        auto dic = openBook(book, path, path);
        QCOMPARE(dic->GetCount(), -1);
        QVERIFY(!dic->GetDataList(1, 10, QString(), false));
        QVERIFY(!dic->GetDataIndexList(1));
        QVERIFY(!dic->GetDataIndex(101));
    }
    QVERIFY2(QDir(dir.path()).isEmpty(), "a missing phrasebook is not created");

    for (const char *file : {"econ.sdb", "jcon.sdb", "ccon.sdb"}) {
        const QByteArray garbage = QByteArray("not a database ") + QByteArray(5000, '\x01');
        QVERIFY(writeFile(dir.filePath(QLatin1String(file)), garbage));
    }
    for (int book : {English, Japanese, Chinese}) {
        auto dic = openBook(book, path, path);
        QVERIFY(dic->GetCount() <= 0);
        QVERIFY(!dic->GetDataList(1, 10, QString(), false));
        DataList *titles = dic->GetDataIndexList(1);
        QVERIFY(!titles || titles->GetCount() == 0);
        DataItem *item = dic->GetDataIndex(101);
        QVERIFY(!item || !item->GetSubList(0));
    }
}

QTEST_GUILESS_MAIN(tst_Conversation)
#include "tst_conversation.moc"
