// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "KengdicBuilder.h"
#include "sqliterows.h"

#include "DB_E2K.h"
#include "DB_K2E.h"
#include "Data.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString samplePath()
{
    return QString::fromLocal8Bit(qgetenv("LUMI_SOURCE_DIR"))
           + QStringLiteral("/tests/data/sources/kengdic/sample.sql");
}

QByteArray readSample()
{
    QFile file(samplePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const KengdicRow *findRow(const std::vector<KengdicRow> &rows, const QString &word, const QString &pos = {})
{
    for (const KengdicRow &row : rows)
        if (row.word == word && (pos.isEmpty() || row.pos == pos))
            return &row;
    return nullptr;
}

} // namespace

class TestKengdicBuilder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void parsesTheDumpAsItIs();
    void rejectsWhatIsNoDump_data();
    void rejectsWhatIsNoDump();
    void unescapesCopyFields_data();
    void unescapesCopyFields();
    void cleansHeadwordsAndHanja_data();
    void cleansHeadwordsAndHanja();
    void splitsSenses_data();
    void splitsSenses();
    void drawsEnglishHeadwords_data();
    void drawsEnglishHeadwords();
    void writesKoreanEnglishRows();
    void writesEnglishKoreanRows();
    void dataLayerReadsCompleteEntries();

private:
    QTemporaryDir m_out;
    bool m_built = false;
};

void TestKengdicBuilder::initTestCase()
{
    QVERIFY(m_out.isValid());
    const Builder *builder = BuilderRegistry::instance().find(QStringLiteral("kengdic"));
    QVERIFY(builder);
    QCOMPARE(builder->outputs, (QStringList{QStringLiteral("k2e.sdb"), QStringLiteral("e2k.sdb")}));
    BuildContext ctx;
    ctx.outDir = m_out.path();
    ctx.withSound = false;
    ctx.sources.kengdicFile = samplePath();
    m_built = builder->run(ctx);
    QVERIFY(m_built);

    // A missing source fails and leaves nothing behind.
    QTemporaryDir empty;
    ctx.outDir = empty.path();
    ctx.sources.kengdicFile = empty.filePath(QStringLiteral("missing.sql"));
    QVERIFY(!builder->run(ctx));
    QVERIFY(QDir(empty.path()).entryList(QDir::Files).isEmpty());
}

void TestKengdicBuilder::parsesTheDumpAsItIs()
{
    const QByteArray sample = readSample();
    QVERIFY(sample.startsWith("\xEF\xBB\xBF") && sample.contains("\r\n"));
    QString error = QStringLiteral("stale");
    const std::vector<KengdicRow> parsed = Kengdic::parseDump(sample, &error);
    QVERIFY(error.isEmpty());
    QCOMPARE(parsed.size(), size_t(51)); // 52 lines, one row broken over two

    // The first row right after the COPY line: the byte-order mark did not hide the header.
    QCOMPARE(parsed.front().wordId, 58926);
    QCOMPARE(parsed.front().word, QStringLiteral("호주"));
    QCOMPARE(parsed.front().level, QStringLiteral("D"));
    QCOMPARE(parsed.back().word, QStringLiteral("마구"));
    QCOMPARE(parsed.back().def, QStringLiteral("continuously, without pause")); // no CR left

    // The row broken by a raw line break is one row with all its later fields in place.
    const KengdicRow *broken = findRow(parsed, QStringLiteral("안기다"), QStringLiteral("2"));
    QVERIFY(broken);
    QVERIFY(broken->def.startsWith(QLatin1String("(1) To fix on a person")));
    QVERIFY(broken->def.endsWith(QLatin1String("to hand over to sb")));
    QCOMPARE(broken->level, QStringLiteral("C"));
    QCOMPARE(broken->wordId, 4813);

    // The row without an id, \N fields and escapes.
    const KengdicRow *noId = findRow(parsed, QStringLiteral("cute"));
    QVERIFY(noId);
    QCOMPARE(noId->wordId, 0);
    QCOMPARE(noId->level, QString());
    QCOMPARE(noId->pos, QStringLiteral("0"));
    const KengdicRow *suffer = findRow(parsed, QStringLiteral("고생하다"));
    QVERIFY(suffer);
    QCOMPARE(suffer->hanja, QStringLiteral("苦\n生\n-"));
    QVERIFY(suffer->def.contains(QLatin1String("don\\'t"))); // one level of escaping undone, the source's own kept
    const KengdicRow *careful = findRow(parsed, QStringLiteral("꼼꼼하다"));
    QVERIFY(careful);
    QVERIFY(careful->syn.isEmpty() && careful->hanja.isEmpty());
    QVERIFY(findRow(parsed, QStringLiteral("그래서"), QStringLiteral("불")));

    // LF line ends, no mark and another column order read the same.
    const QByteArray plain = "COPY m_korean (word, def, hanja, wordid, \"level\") FROM stdin;\n"
                             "\xED\x95\x99\xEA\xB5\x90\tSchool\t\xE5\xAD\xB8\\n\xE6\xA0\xA1\\n\t125\tA\n\\.\n";
    const std::vector<KengdicRow> one = Kengdic::parseDump(plain);
    QCOMPARE(one.size(), size_t(1));
    QCOMPARE(one[0].word, QStringLiteral("학교"));
    QCOMPARE(one[0].hanja, QStringLiteral("學\n校\n"));
    QCOMPARE(one[0].wordId, 125);
    QCOMPARE(one[0].level, QStringLiteral("A"));
}

void TestKengdicBuilder::rejectsWhatIsNoDump_data()
{
    QTest::addColumn<QByteArray>("dump");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another table") << QByteArray("COPY m_other (word, def) FROM stdin;\nx\ty\n\\.\n");
    QTest::newRow("no end marker") << QByteArray("COPY m_korean (word, def) FROM stdin;\n\xEA\xB0\x80\tgo\n");
    QTest::newRow("no def column") << QByteArray("COPY m_korean (wordid, word) FROM stdin;\n1\t\xEA\xB0\x80\n\\.\n");
}

void TestKengdicBuilder::rejectsWhatIsNoDump()
{
    QFETCH(QByteArray, dump);
    QString error;
    QVERIFY(Kengdic::parseDump(dump, &error).empty());
    QVERIFY(!error.isEmpty());
}

void TestKengdicBuilder::unescapesCopyFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("isNull");
    QTest::newRow("null") << QStringLiteral("\\N") << QString() << true;
    QTest::newRow("empty is not null") << QString() << QString() << false;
    QTest::newRow("line per character") << QStringLiteral("學\\n校\\n") << QStringLiteral("學\n校\n") << false;
    QTest::newRow("tab and backslash") << QStringLiteral("a\\tb\\\\c") << QStringLiteral("a\tb\\c") << false;
    QTest::newRow("octal bytes of UTF-8") << QStringLiteral("\\352\\260\\200") << QStringLiteral("가") << false;
    QTest::newRow("hex") << QStringLiteral("\\x41\\x4a") << QStringLiteral("AJ") << false;
    QTest::newRow("other escaped character") << QStringLiteral("don\\'t") << QStringLiteral("don't") << false;
    QTest::newRow("trailing backslash") << QStringLiteral("end\\") << QStringLiteral("end\\") << false;
    QTest::newRow("astral character") << QStringLiteral("𠀀\\n") << QStringLiteral("𠀀\n") << false;
}

void TestKengdicBuilder::unescapesCopyFields()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(bool, isNull);
    bool null = !isNull;
    QCOMPARE(Kengdic::unescapeField(field, &null), value);
    QCOMPARE(null, isNull);
}

void TestKengdicBuilder::cleansHeadwordsAndHanja_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("headword");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("hanja");
    QTest::addColumn<QString>("spelling");
    QTest::newRow("whole word") << QStringLiteral("학교") << QStringLiteral("학교") << QStringLiteral("학교")
                                << QStringLiteral("學\n校\n") << QStringLiteral("學校");
    QTest::newRow("rest without hanja") << QStringLiteral("고생하다") << QStringLiteral("고생하다")
                                        << QStringLiteral("고생하다") << QStringLiteral("苦\n生\n-")
                                        << QStringLiteral("苦生-");
    QTest::newRow("start without hanja") << QStringLiteral("빨간색") << QStringLiteral("빨간색")
                                         << QStringLiteral("빨간색") << QStringLiteral("-色") << QStringLiteral("-色");
    QTest::newRow("soft hyphen as marker")
            << QStringLiteral("한잔하다") << QStringLiteral("한잔하다") << QStringLiteral("한잔하다")
            << QStringLiteral("\u00AD盞-") << QStringLiteral("-盞-");
    QTest::newRow("loanword source") << QStringLiteral("팩스") << QStringLiteral("팩스") << QStringLiteral("팩스")
                                     << QStringLiteral("fax\n") << QStringLiteral("fax");
    QTest::newRow("Korean note is no hanja") << QStringLiteral("대") << QStringLiteral("대") << QStringLiteral("대")
                                             << QStringLiteral("줄\n기\n") << QString();
    QTest::newRow("marker alone") << QStringLiteral("장가") << QStringLiteral("장가") << QStringLiteral("장가")
                                  << QStringLiteral("~가다") << QString();
    QTest::newRow("homograph number") << QStringLiteral("기13") << QStringLiteral("기") << QStringLiteral("기")
                                      << QString() << QString();
    QTest::newRow("trailing space") << QStringLiteral("여간 ") << QStringLiteral("여간") << QStringLiteral("여간")
                                    << QStringLiteral("-") << QString();
    QTest::newRow("bracketed alternative")
            << QStringLiteral("베이징(북경)") << QStringLiteral("베이징(북경)") << QStringLiteral("베이징")
            << QStringLiteral("北\n京\n") << QStringLiteral("北京");
}

void TestKengdicBuilder::cleansHeadwordsAndHanja()
{
    QFETCH(QString, word);
    QFETCH(QString, headword);
    QFETCH(QString, key);
    QFETCH(QString, hanja);
    QFETCH(QString, spelling);
    QCOMPARE(Kengdic::headword(word), headword);
    QCOMPARE(Kengdic::searchKey(word), key);
    QCOMPARE(Kengdic::hanjaSpelling(hanja), spelling);
}

void TestKengdicBuilder::splitsSenses_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QStringList>("senses");
    QTest::newRow("one") << QStringLiteral("continuously, without pause")
                         << QStringList{QStringLiteral("continuously, without pause")};
    QTest::newRow("semicolon") << QStringLiteral("Parting, separation; divorce")
                               << QStringList{QStringLiteral("Parting, separation"), QStringLiteral("divorce")};
    QTest::newRow("numbers") << QStringLiteral("1) suppress or  restraint 2) abstain from or  restrain from")
                             << QStringList{QStringLiteral("suppress or  restraint"),
                                            QStringLiteral("abstain from or  restrain from")};
    QTest::newRow("bracketed numbers, dangling or")
            << QStringLiteral("(1) it is possible that 아마도 2) how on earth")
            << QStringList{QStringLiteral("it is possible that 아마도"), QStringLiteral("how on earth")};
    QTest::newRow("first number implied")
            << QStringLiteral("Quickly 2) kindly") << QStringList{QStringLiteral("Quickly"), QStringLiteral("kindly")};
    QTest::newRow("number inside brackets")
            << QStringLiteral("Move, transfer (2)(sickness) communicate, transfer to")
            << QStringList{QStringLiteral("Move, transfer"), QStringLiteral("(sickness) communicate, transfer to")};
    QTest::newRow("no numbering") << QStringLiteral("Season (the 4)") << QStringList{QStringLiteral("Season (the 4)")};
    QTest::newRow("or before the next number")
            << QStringLiteral("1) The national language or  2) Korean")
            << QStringList{QStringLiteral("The national language"), QStringLiteral("Korean")};
    QTest::newRow("empty") << QString() << QStringList();
}

void TestKengdicBuilder::splitsSenses()
{
    QFETCH(QString, definition);
    QFETCH(QStringList, senses);
    QCOMPARE(Kengdic::senses(definition), senses);
}

void TestKengdicBuilder::drawsEnglishHeadwords_data()
{
    QTest::addColumn<QString>("sense");
    QTest::addColumn<QString>("pos");
    QTest::addColumn<QStringList>("headwords"); // "text/code"
    QTest::newRow("adverb list") << QStringLiteral("continuously, without pause") << QStringLiteral("3")
                                 << QStringList{QStringLiteral("continuously/6"), QStringLiteral("without pause/6")};
    QTest::newRow("to covers the list") << QStringLiteral("To exchange, convert, change") << QStringLiteral("2")
                                        << QStringList{QStringLiteral("exchange/4"), QStringLiteral("convert/4"),
                                                       QStringLiteral("change/4")};
    QTest::newRow("verb gloss of a noun")
            << QStringLiteral("To use") << QStringLiteral("1") << QStringList{QStringLiteral("use/0")};
    QTest::newRow("adjective") << QStringLiteral("To be noisy,boisterous") << QStringLiteral("4")
                               << QStringList{QStringLiteral("noisy/9"), QStringLiteral("boisterous/9")};
    QTest::newRow("passive of a verb") << QStringLiteral("Be caught") << QStringLiteral("2")
                                       << QStringList{QStringLiteral("caught/0")};
    QTest::newRow("double-spaced or, articles")
            << QStringLiteral("A snack or  pastries or  candy") << QStringLiteral("1")
            << QStringList{QStringLiteral("snack/5"), QStringLiteral("pastries/5"), QStringLiteral("candy/5")};
    QTest::newRow("single-spaced or stays")
            << QStringLiteral("More or less") << QStringLiteral("3") << QStringList{QStringLiteral("more or less/6")};
    QTest::newRow("slashed words") << QStringLiteral("at/in/on") << QStringLiteral("10")
                                   << QStringList{QStringLiteral("at/1"), QStringLiteral("in/1"),
                                                  QStringLiteral("on/1")};
    QTest::newRow("slash inside a phrase")
            << QStringLiteral("Make efforts/pains to do sth") << QStringLiteral("2") << QStringList();
    QTest::newRow("brackets, quotes, Korean and shouting")
            << QStringLiteral("(Word to get somebody’s attention) “Hey!!”, Telephone HELLO, 여보")
            << QStringLiteral("10") << QStringList{QStringLiteral("hey/1"), QStringLiteral("telephone hello/1")};
    QTest::newRow("proper names") << QStringLiteral("The han river, runs through Seoul") << QStringLiteral("7")
                                  << QStringList{QStringLiteral("Han river/5")};
    QTest::newRow("known name inside") << QStringLiteral("South korea") << QStringLiteral("1")
                                       << QStringList{QStringLiteral("south Korea/5")};
    QTest::newRow("acronym and apostrophe") << QStringLiteral("TV, one’s own self") << QStringLiteral("1")
                                            << QStringList{QStringLiteral("TV/5"), QStringLiteral("one's own self/5")};
    QTest::newRow("numbers and long phrases") << QStringLiteral("90, see 6000, the verb's action is over perhaps sadly")
                                              << QStringLiteral("9") << QStringList();
    QTest::newRow("name as the gloss writes it") << QStringLiteral("The Diamond Mountains") << QStringLiteral("7")
                                                 << QStringList{QStringLiteral("Diamond Mountains/5")};
    QTest::newRow("abbreviations and remarks")
            << QStringLiteral("Mr., B.C., Yes., e.g. Seoul, see 6000") << QStringLiteral("5")
            << QStringList{QStringLiteral("Mr./0"), QStringLiteral("B.C./0"), QStringLiteral("yes/0")};
    QTest::newRow("four words are a description")
            << QStringLiteral("very careful or meticulous, base sth on sth, pawn off onto sb") << QStringLiteral("4")
            << QStringList{QStringLiteral("base sth on sth/9"), QStringLiteral("pawn off onto sb/9")};
    QTest::newRow("pronoun") << QStringLiteral("He") << QStringLiteral("8") << QStringList{QStringLiteral("he/3")};
    QTest::newRow("numeral has no group")
            << QStringLiteral("Forty") << QStringLiteral("9") << QStringList{QStringLiteral("forty/0")};
}

void TestKengdicBuilder::drawsEnglishHeadwords()
{
    QFETCH(QString, sense);
    QFETCH(QString, pos);
    QFETCH(QStringList, headwords);
    const QSet<QString> proper{QStringLiteral("korea"), QStringLiteral("seoul")};
    QStringList found;
    for (const EnglishHeadword &headword : Kengdic::englishHeadwords(sense, pos, proper))
        found << headword.text + QLatin1Char('/') + QString::number(headword.partOfSpeech);
    QCOMPARE(found, headwords);
}

void TestKengdicBuilder::writesKoreanEnglishRows()
{
    QVERIFY(m_built);
    const QString db = m_out.filePath(QStringLiteral("k2e.sdb"));
    // 51 rows: the English "cute" row is dropped, the two 표시하다 rows differ in their Hanja.
    QCOMPARE(sqliteRows(db, "SELECT count(*), min(ID), max(ID), count(DISTINCT SECTIONNO) FROM k2e_word;"),
             QStringList{QStringLiteral("50|1|50|50")});
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM k2e_word AS a JOIN k2e_word AS b ON b.ID = a.ID + 1 "
                            "WHERE a.SEARCHWORD > b.SEARCHWORD OR a.ID <> a.SECTIONNO;"),
             QStringList{QStringLiteral("0")});
    QCOMPARE(sqliteRows(db, "SELECT HEADWORD, CHINESECHAR, HEADTYPE FROM k2e_word WHERE SEARCHWORD IN "
                            "('고생하다', '기', '베이징', '그래서', '싶다', '팩스', '대', 'cute') ORDER BY ID;"),
             (QStringList{QStringLiteral("고생하다|苦生-|동사"), QStringLiteral("그래서||부사"),
                          QStringLiteral("그래서||"), QStringLiteral("기|氣|명사"), QStringLiteral("대||명사"),
                          QStringLiteral("대||의존 명사"), QStringLiteral("대|代|의존 명사"),
                          QStringLiteral("대|對|의존 명사"), QStringLiteral("베이징(북경)|北京|고유 명사"),
                          QStringLiteral("팩스|fax|명사")}));
    // Senses numbered when there are several; the broken row's two senses both arrive.
    QCOMPARE(sqliteRows(db, "SELECT m.MEANING, m.OPERSEQ FROM k2e_meaning AS m JOIN k2e_word AS w ON "
                            "w.SECTIONNO = m.SECTIONNO WHERE w.HEADWORD = '안기다' ORDER BY m.MEANNO;"),
             (QStringList{QStringLiteral("1. To fix on a person, lay the blame on a person|1"),
                          QStringLiteral("2. to throw onto sb, to pass onto sb, to pawn off onto sb, to hand over to "
                                         "sb|2"),
                          QStringLiteral("to be embraced by sb (in their arms)|1")}));
    QCOMPARE(sqliteRows(db, "SELECT m.MEANING FROM k2e_meaning AS m JOIN k2e_word AS w ON w.SECTIONNO = m.SECTIONNO "
                            "WHERE w.HEADWORD = '자신' ORDER BY m.MEANNO;"),
             (QStringList{QStringLiteral("Self-confidence"), QStringLiteral("one’s own self, one's own body")}));
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM k2e_meaning WHERE MEANING = '' OR MEANNO IS NULL;"),
             QStringList{QStringLiteral("0")});
    QCOMPARE(sqliteRows(db, "SELECT count(DISTINCT MEANNO) = count(*) FROM k2e_meaning;"),
             QStringList{QStringLiteral("1")});
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM k2e_example;"), QStringList{QStringLiteral("0")});
    QCOMPARE(
            sqliteRows(db,
                       "SELECT group_concat(tbl_name || '.' || name, ' ') FROM (SELECT * FROM sqlite_master WHERE type "
                       "= 'index' ORDER BY name);"),
            QStringList{QStringLiteral("k2e_example.k2e_example_meanno k2e_meaning.k2e_meaning_meanno "
                                       "k2e_meaning.k2e_meaning_sectionno k2e_word.k2e_word_searchword "
                                       "k2e_word.k2e_word_sectionno")});
}

void TestKengdicBuilder::writesEnglishKoreanRows()
{
    QVERIFY(m_built);
    const QString db = m_out.filePath(QStringLiteral("e2k.sdb"));
    QCOMPARE(
            sqliteRows(db,
                       "SELECT count(*) FROM e2k_word AS a JOIN e2k_word AS b ON b.ID = a.ID + 1 "
                       "WHERE a.sc_wd > b.sc_wd OR a.seq_n <> a.ID OR a.sc_wd <> upper(a.dic_wd) OR a.wd <> a.dic_wd;"),
            QStringList{QStringLiteral("0")});
    QCOMPARE(sqliteRows(db, "SELECT dic_wd, sc_wd, impt_rt FROM e2k_word WHERE sc_wd IN ('CONTINUOUSLY', 'DISPLAY', "
                            "'ONE', 'HAN RIVER', 'CUTE', 'TO ADVANCE', 'ADVANCE') ORDER BY ID;"),
             (QStringList{QStringLiteral("advance|ADVANCE|2"), QStringLiteral("continuously|CONTINUOUSLY|2"),
                          QStringLiteral("display|DISPLAY|2"), QStringLiteral("Han river|HAN RIVER|0"),
                          QStringLiteral("one|ONE|3")}));
    // "display": two Korean words with different Hanja, the more basic (level B) first.
    QCOMPARE(sqliteRows(db, "SELECT e.flag, e.txt FROM e2k_example AS e JOIN e2k_word AS w ON w.seq_n = e.wd_seq_n "
                            "WHERE w.dic_wd = 'display' ORDER BY e.wd_odr;"),
             (QStringList{QStringLiteral("1|4"), QStringLiteral("2|1 표시하다 (表示-)  To make a sign, display"),
                          QStringLiteral("2|2 표시하다 (標示-)  To make a sign, display")}));
    // "one": a noun group, then the numeral in the group without a part of speech.
    QCOMPARE(sqliteRows(db, "SELECT e.flag, e.txt FROM e2k_example AS e JOIN e2k_word AS w ON w.seq_n = e.wd_seq_n "
                            "WHERE w.dic_wd = 'one' ORDER BY e.wd_odr;"),
             (QStringList{QStringLiteral("1|5"), QStringLiteral("2|1 하나  One"), QStringLiteral("1|0"),
                          QStringLiteral("2|1 하나  One")}));
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM e2k_example WHERE flag NOT IN (1, 2) OR wd_seq_n NOT IN "
                            "(SELECT seq_n FROM e2k_word);"),
             QStringList{QStringLiteral("0")});
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM e2k_word WHERE impt_rt NOT IN ('0', '1', '2', '3') OR sc_wd GLOB "
                            "'*[가-힣]*';"),
             QStringList{QStringLiteral("0")});
    QCOMPARE(sqliteRows(db, "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type = 'index' "
                            "ORDER BY name);"),
             QStringList{QStringLiteral("e2k_example_wd_seq_n e2k_sentence_search2_word_seq e2k_synonym_seq_n "
                                        "e2k_word_sc_wd e2k_word_seq_n")});
}

void TestKengdicBuilder::dataLayerReadsCompleteEntries()
{
    QVERIFY(m_built);
    const QByteArray dir = QFile::encodeName(m_out.path()) + '/';

    DB_K2E k2e(dir);
    QCOMPARE(k2e.GetCount(), 50);
    DataList *hits = k2e.GetDataList(0, 0, QStringLiteral("이별"), true);
    QVERIFY(hits && hits->GetCount() == 1);
    QCOMPARE(hits->GetItem(0)->GetString(0), QStringLiteral("이별 [離別]"));
    DataItem *entry = k2e.GetDataIndex(hits->GetItem(0)->GetValue(0));
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), QStringLiteral("이별"));
    QCOMPARE(entry->GetString(1), QStringLiteral("離別"));
    QCOMPARE(entry->GetString(2), QStringLiteral("명사"));
    DataList *meanings = entry->GetSubList(0);
    QVERIFY(meanings && meanings->GetCount() == 2);
    QCOMPARE(meanings->GetItem(0)->GetString(0), QStringLiteral("1. Parting, separation"));
    QCOMPARE(meanings->GetItem(1)->GetString(0), QStringLiteral("2. divorce"));
    QVERIFY(!meanings->GetItem(0)->GetSubList(0));
    QVERIFY(!entry->GetSubList(1));
    DataList *near = k2e.GetDataList(0, 3, QStringLiteral("이"), false);
    QVERIFY(near && near->GetCount() == 3);
    QCOMPARE(near->GetItem(0)->GetString(0), QStringLiteral("이별 [離別]"));

    DB_E2K e2k(dir, dir);
    QVERIFY(e2k.GetCount() > 50);
    DataList *list = e2k.GetDataList(0, 2, QStringLiteral("contin"), false);
    QVERIFY(list && list->GetCount() == 2);
    QCOMPARE(list->GetItem(0)->GetString(0), QStringLiteral("continuously"));
    DataItem *word = e2k.GetDataIndex(list->GetItem(0)->GetValue(0));
    QVERIFY(word);
    QCOMPARE(word->GetString(0), QStringLiteral("continuously"));
    QCOMPARE(word->GetString(2), QStringLiteral("2"));
    QCOMPARE(word->GetString(4), QString()); // no sound database next to it
    DataList *groups = word->GetSubList(0);
    QVERIFY(groups && groups->GetCount() == 1);
    QCOMPARE(groups->GetItem(0)->GetString(0), QStringLiteral("6"));
    DataList *senses = groups->GetItem(0)->GetSubList(0);
    QVERIFY(senses && senses->GetCount() == 1);
    QCOMPARE(senses->GetItem(0)->GetString(0), QStringLiteral("1 마구  continuously, without pause"));
    for (int slot = 1; slot <= 4; ++slot)
        QVERIFY(!word->GetSubList(slot));
}

QTEST_GUILESS_MAIN(TestKengdicBuilder)
#include "tst_kengdicbuilder.moc"
