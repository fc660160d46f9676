// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DB_Hanja.h"
#include "DB_Korea.h"
#include "HanjaBuilder.h"
#include "SourceFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace HanjaBuilder;

namespace {

// hanja.txt lines of one character: reading, meaning.
using Lines = std::vector<std::pair<QString, QString>>;

QString sampleDir()
{
    return qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/sources/hanja");
}

Tables sampleTables()
{
    Unihan unihan;
    unihan.load(sampleDir(),
                {QStringLiteral("kRSUnicode"), QStringLiteral("kTotalStrokes"), QStringLiteral("kHangul")});
    return makeTables(HanjaTxt::load(sampleDir() + QStringLiteral("/hanja.txt")), unihan, radicalCharacters(unihan));
}

// "reading|meaning" of every character row of one character, in seq order.
QStringList readingsOf(const Tables &tables, const QString &hanja)
{
    QStringList result;
    for (const CharacterRow &row : tables.characters) {
        if (row.hanja == hanja)
            result.append(row.speech + QLatin1Char('|') + row.mean);
    }
    return result;
}

const CharacterRow *characterRow(const Tables &tables, const QString &hanja, const QString &speech)
{
    for (const CharacterRow &row : tables.characters) {
        if (row.hanja == hanja && row.speech == speech)
            return &row;
    }
    return nullptr;
}

const WordRow *wordRow(const Tables &tables, const QString &speech, const QString &hanja)
{
    for (const WordRow &row : tables.words) {
        if (row.speech == speech && row.hanja == hanja)
            return &row;
    }
    return nullptr;
}

QStringList strings0(DataList *list)
{
    QStringList result;
    for (int i = 0; list && i < list->GetCount(); ++i)
        result.append(list->GetItem(i)->GetString(0));
    return result;
}

// The plan SQLite picks for a statement, all detail lines joined.
QString queryPlan(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    QString plan;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW)
                plan += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 3)))
                        + QLatin1Char(';');
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return plan;
}

} // namespace

class TestHanjaBuilder final : public QObject
{
    Q_OBJECT

private slots:
    void meaningText_data();
    void meaningText();
    void unihanAndRadicalLines();
    void radicalNames_data();
    void radicalNames();
    void radicalStrokeGroups();
    void characterRows();
    void radicalRows();
    void wordRows();
    void builtDatabasesThroughDataLayer();
    void missingSourcesLeaveNoFiles();
};

void TestHanjaBuilder::meaningText_data()
{
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("first");
    QTest::newRow("one sense") << u"배울 학"_qs << u"배울"_qs << u"배울 학"_qs;
    QTest::newRow("several senses") << u"수레 거, 그물 거, 잇몸 거"_qs << u"수레, 그물, 잇몸"_qs << u"수레 거"_qs;
    QTest::newRow("repeated word") << u"값 가, 값/성 가, 값 가"_qs << u"값, 값/성"_qs << u"값 가"_qs;
    QTest::newRow("words with spaces") << u"수레 가기 힘들 가"_qs << u"수레 가기 힘들"_qs << u"수레 가기 힘들 가"_qs;
    QTest::newRow("no reading at the end") << u"假의 略字"_qs << u"假의 略字"_qs << u"假의 略字"_qs;
    QTest::newRow("bare word") << u"실"_qs << u"실"_qs << u"실"_qs;
    QTest::newRow("comma without space") << u"밝을,높을"_qs << u"밝을, 높을"_qs << u"밝을"_qs;
    QTest::newRow("empty") << QString() << QString() << QString();
}

void TestHanjaBuilder::meaningText()
{
    QFETCH(QString, meaning);
    QFETCH(QString, words);
    QFETCH(QString, first);
    QCOMPARE(meaningWords(meaning), words);
    QCOMPARE(firstSense(meaning), first);
}

void TestHanjaBuilder::unihanAndRadicalLines()
{
    QCOMPARE(educationReadings(u"학:0E"_qs), QStringList{u"학"_qs});
    QCOMPARE(educationReadings(u"낙:0 락:0E 악:0N 요:0N"_qs), QStringList{u"락"_qs});
    QCOMPARE(educationReadings(u"멱:1 사:N"_qs), QStringList());
    QCOMPARE(educationReadings(QString()), QStringList());
}

void TestHanjaBuilder::radicalNames_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QString>("kHangul");
    QTest::addColumn<QString>("name");
    QTest::newRow("surname sense skipped")
            << Lines{{u"금"_qs, u"성 금, 쇠 금"_qs}, {u"김"_qs, u"사람의 성 김, 쇠 김"_qs}} << u"금:0E 김:0N"_qs
            << u"쇠 금"_qs;
    QTest::newRow("taught reading first")
            << Lines{{u"항"_qs, u"시장 항, 항렬 항"_qs}, {u"행"_qs, u"다닐 행, 오행 행"_qs}} << u"항:0N 행:0E"_qs
            << u"다닐 행"_qs;
    QTest::newRow("Unihan order without a taught reading")
            << Lines{{u"사"_qs, u"밥 먹일 사"_qs}, {u"식"_qs, u"밥 식, 먹을 식"_qs}} << u"식:0N 사:0N"_qs
            << u"밥 식"_qs;
    QTest::newRow("taught reading without a meaning")
            << Lines{{u"낙"_qs, u"즐길 낙"_qs}, {u"락"_qs, QString()}} << u"낙:0 락:0E"_qs << u"즐길 낙"_qs;
    QTest::newRow("only surname senses") << Lines{{u"성"_qs, u"성 성"_qs}} << u"성:0E"_qs << u"성 성"_qs;
    QTest::newRow("not in hanja.txt") << Lines{} << u"천:0E"_qs << u"천"_qs;
    QTest::newRow("no meaning anywhere") << Lines{{u"멱"_qs, QString()}} << QString() << u"멱"_qs;
}

void TestHanjaBuilder::radicalNames()
{
    QFETCH(Lines, lines);
    QFETCH(QString, kHangul);
    QFETCH(QString, name);
    QCOMPARE(radicalName(lines, kHangul), name);
}

void TestHanjaBuilder::radicalStrokeGroups()
{
    // Radical number -> the stroke group it is listed under, at the edges of the groups and
    // where today's printed forms count otherwise (廴 2, 瓦 4, 骨 9, 鼎 12, 龜 17 in Unihan).
    const std::vector<std::pair<int, int>> groups
            = {{1, 1},    {6, 1},    {7, 2},    {29, 2},   {30, 3},   {54, 3},   {60, 3},   {61, 4},
               {98, 5},   {117, 5},  {118, 6},  {166, 7},  {167, 8},  {188, 10}, {194, 10}, {195, 11},
               {206, 13}, {210, 14}, {211, 15}, {212, 16}, {213, 16}, {214, 17}, {0, 0},    {215, 0}};
    for (const auto &[number, strokes] : groups)
        QVERIFY2(Unihan::radicalStrokes(number) == strokes, qPrintable(QString::number(number)));

    // Characters count their strokes in the traditional form when Unihan gives two counts.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Unihan_IRGSources.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("U+9AA8\tkTotalStrokes\t9 10\nU+5B78\tkTotalStrokes\t16\n");
    file.close();
    Unihan unihan;
    QVERIFY(unihan.load(dir.path(), {QStringLiteral("kTotalStrokes")}));
    QCOMPARE(unihan.totalStrokes(0x9AA8), 9);
    QCOMPARE(unihan.traditionalStrokes(0x9AA8), 10);
    QCOMPARE(unihan.traditionalStrokes(0x5B78), 16);
    QCOMPARE(unihan.traditionalStrokes(0x4E00), 0);
}

void TestHanjaBuilder::characterRows()
{
    const Tables tables = sampleTables();
    QVERIFY(!tables.characters.empty());
    for (size_t i = 0; i < tables.characters.size(); ++i)
        QCOMPARE(tables.characters[i].seq, int(i) + 1);

    const CharacterRow *hak = characterRow(tables, u"學"_qs, u"학"_qs);
    QVERIFY(hak);
    QCOMPARE(hak->mean, u"배울"_qs);
    QCOMPARE(hak->busucode, 39);
    QCOMPARE(hak->tcount, 16);
    QCOMPARE(hak->level, u"교육용"_qs);

    // Every explained reading is a row of its own; an unexplained one is dropped when the
    // character has an explained reading, kept when it has none.
    QCOMPARE(readingsOf(tables, u"樂"_qs),
             QStringList({u"낙|즐길"_qs, u"락|즐거울, 즐길"_qs, u"악|풍류, 즐길"_qs, u"요|좋아할, 즐길"_qs}));
    QCOMPARE(readingsOf(tables, u"乾"_qs), QStringList({u"간|마를"_qs, u"건|하늘, 괘 이름, 서북쪽, 굳셀, 임금"_qs}));
    QCOMPARE(readingsOf(tables, u"学"_qs), QStringList({u"학|"_qs}));
    QCOMPARE(characterRow(tables, u"学"_qs, u"학"_qs)->level, QString());

    // Radicals follow the same rule: 金 must be found under 김 as well as under 금.
    QCOMPARE(readingsOf(tables, u"車"_qs), QStringList({u"거|수레, 그물, 잇몸"_qs, u"차|수레"_qs}));
    QCOMPARE(readingsOf(tables, u"金"_qs), QStringList({u"금|성, 쇠"_qs, u"김|사람의 성, 쇠"_qs}));
    QCOMPARE(readingsOf(tables, u"几"_qs), QStringList({u"궤|안석"_qs}));

    // Radicals that hanja.txt lacks are added with the reading Unihan knows (none for 丨).
    const CharacterRow *line = characterRow(tables, u"丨"_qs, QString());
    QVERIFY(line);
    QCOMPARE(line->busucode, 2);
    QCOMPARE(line->tcount, 1);
    QCOMPARE(line->mean, QString());
}

void TestHanjaBuilder::radicalRows()
{
    const Tables tables = sampleTables();
    QStringList numbers;
    for (const RadicalRow &radical : tables.radicals) {
        numbers.append(QString::number(radical.seq));
        // The radical list pairs each radical with the one character row that is the radical.
        int own = 0;
        for (const CharacterRow &row : tables.characters)
            own += row.hanja == radical.character && row.busucode == radical.seq;
        QVERIFY2(own == int(readingsOf(tables, radical.character).size()) && own >= 1, qPrintable(radical.character));
    }
    QCOMPARE(numbers.join(QLatin1Char(' ')), u"1 2 3 9 16 19 30 38 39 40 47 120 132 159 167 180 213"_qs);
    const auto son = std::find_if(tables.radicals.begin(), tables.radicals.end(),
                                  [](const RadicalRow &r) { return r.seq == 39; });
    QCOMPARE(son->character, u"子"_qs);
    QCOMPARE(son->name, u"아들 자"_qs);
    QCOMPARE(son->stroke, 3);
    QCOMPARE(tables.radicals[13].name, u"수레 거"_qs); // 159 車
    QCOMPARE(tables.radicals[14].name, u"쇠 금"_qs); // 167 金, not its surname sense
    QCOMPARE(tables.radicals[16].stroke, 16); // 213 龜: Unihan counts 17
    // 川 is not in the sample's CJKRadicals.txt: Unihan names it; hanja.txt has no line for it.
    QCOMPARE(tables.radicals[10].character, u"川"_qs);
    QCOMPARE(tables.radicals[10].name, u"천"_qs);
}

void TestHanjaBuilder::wordRows()
{
    const Tables tables = sampleTables();
    for (size_t i = 1; i < tables.words.size(); ++i)
        QVERIFY(tables.words[i - 1].speech.toUtf8() <= tables.words[i].speech.toUtf8());

    // A character's headword carries the character's number, so its entry and its card agree.
    const WordRow *hak = wordRow(tables, u"학"_qs, u"學"_qs);
    QVERIFY(hak);
    QCOMPARE(hak->seq, characterRow(tables, u"學"_qs, u"학"_qs)->seq);
    QCOMPARE(hak->impt, QString());
    QCOMPARE(hak->comment, u"배울 학<br>부수 子(아들 자), 총 16획<br>교육용 한자"_qs);
    // A reading without a character row of its own is still a headword, numbered as a word.
    const WordRow *gi = wordRow(tables, u"기"_qs, u"几"_qs);
    QVERIFY(gi);
    QVERIFY(gi->seq > kWordSeqBase);
    QCOMPARE(gi->comment, u"부수 几(안석 궤), 총 2획"_qs);
    const WordRow *cha = wordRow(tables, u"차"_qs, u"車"_qs);
    QVERIFY(cha);
    QCOMPARE(cha->seq, characterRow(tables, u"車"_qs, u"차"_qs)->seq);
    QCOMPARE(cha->comment, u"수레 차<br>부수 車(수레 거), 총 7획<br>교육용 한자"_qs);

    struct Expected
    {
        QString speech, hanja, comment, document;
    };
    const Expected expected[] = {
            {u"학교"_qs, u"學校"_qs, u"學(배울 학) 校(학교 교)"_qs, u"學 배울 학<br>校 학교 교"_qs},
            {u"낙원"_qs, u"樂園"_qs, u"樂(즐길 낙) 園(동산 원)"_qs, u"樂 즐길 낙<br>園 동산 원, 능 원, 울타리 원"_qs},
            {u"가경동"_qs, u"佳景洞"_qs, u"지명<br>佳(가) 景(경) 洞(동)"_qs, u"지명<br>佳 가<br>景 경<br>洞 동"_qs},
            {u"가슴점박이먼지벌레"_qs, u"가슴點박이먼지벌레"_qs, u"點(더러울 점)"_qs,
             u"點 더러울 점, 뭉갤 점, 검은 점 점"_qs},
            // Reading and spelling that do not line up get no breakdown.
            {u"구천"_qs, u"龜川洞"_qs, u"지명"_qs, u"지명"_qs},
    };
    QSet<int> seqs;
    for (const WordRow &row : tables.words) {
        QVERIFY2(!seqs.contains(row.seq), qPrintable(row.speech));
        seqs.insert(row.seq);
    }
    for (const Expected &e : expected) {
        const WordRow *word = wordRow(tables, e.speech, e.hanja);
        QVERIFY2(word, qPrintable(e.speech));
        QVERIFY(word->seq > kWordSeqBase);
        QCOMPARE(word->comment, e.comment);
        const auto korean
                = std::find_if(tables.koreanWords.begin(), tables.koreanWords.end(),
                               [&e](const KoreanRow &k) { return k.subject == e.speech && k.hanja == e.hanja; });
        QVERIFY(korean != tables.koreanWords.end());
        QCOMPARE(korean->searchKey, e.speech);
        QCOMPARE(korean->document, e.document);
    }
    // The Korean dictionary holds words only, numbered in search-key order.
    for (size_t i = 0; i < tables.koreanWords.size(); ++i) {
        QCOMPARE(tables.koreanWords[i].number, int(i) + 1);
        QVERIFY(tables.koreanWords[i].hanja.toUcs4().size() > 1);
        if (i)
            QVERIFY(tables.koreanWords[i - 1].searchKey.toUtf8() <= tables.koreanWords[i].searchKey.toUtf8());
    }
}

void TestHanjaBuilder::builtDatabasesThroughDataLayer()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const Builder *step = BuilderRegistry::instance().find(u"hanja"_qs);
    QVERIFY(step);
    QCOMPARE(step->outputs, QStringList({u"hanja.sdb"_qs, u"korea.sdb"_qs}));
    BuildContext context;
    context.outDir = out.path();
    context.sources.hanjaTxt = sampleDir() + QStringLiteral("/hanja.txt");
    context.sources.unihanDir = sampleDir();
    QVERIFY(step->run(context));
    const Tables tables = sampleTables();

    DB_Hanja hanja(QFile::encodeName(out.path() + QLatin1Char('/')));
    QCOMPARE(hanja.GetCount(), int(tables.words.size()));

    // The headword 학 [學] opens the character card of 學.
    DataList *exact = hanja.GetDataList(0, 0, u"학"_qs, true);
    QCOMPARE(strings0(exact), QStringList({u"학 [學]"_qs, u"학 [学]"_qs}));
    const int seq = exact->GetItem(0)->GetValue(0);
    DataItem *card = hanja.GetChineseIndex(seq, true);
    QCOMPARE(card->GetString(0), u"學"_qs);
    QCOMPARE(card->GetString(1), u"배울 학"_qs);
    QCOMPARE(card->GetString(2), u"아들 자"_qs);
    QCOMPARE(card->GetString(3), u"16"_qs);
    QCOMPARE(card->GetString(4), u"교육용"_qs);
    DataItem *entry = hanja.GetDataIndex(seq);
    QCOMPARE(entry->GetString(0), u"학 [學]"_qs);
    QCOMPARE(entry->GetString(2), u"배울 학<br>부수 子(아들 자), 총 16획<br>교육용 한자"_qs);

    // The nearest headword starts at the first reading at or after the key.
    DataList *nearest = hanja.GetDataList(0, 3, u"학"_qs, false);
    QCOMPARE(strings0(nearest), QStringList({u"학 [學]"_qs, u"학 [学]"_qs, u"학교 [學校]"_qs}));
    entry = hanja.GetDataIndex(nearest->GetItem(2)->GetValue(0));
    QCOMPARE(entry->GetString(2), u"學(배울 학) 校(학교 교)"_qs);

    // Radicals by stroke count, each with the number of its own character row (once per reading).
    DataList *radicals = hanja.GetChineseLineList(true, 0);
    QCOMPARE(strings0(radicals), QStringList({u"一"_qs, u"丨"_qs, u"丶"_qs, u"人"_qs, u"几"_qs, u"力"_qs, u"力"_qs,
                                              u"口"_qs, u"女"_qs, u"女"_qs, u"子"_qs, u"宀"_qs, u"川"_qs, u"糸"_qs,
                                              u"自"_qs, u"車"_qs, u"車"_qs, u"金"_qs, u"金"_qs, u"音"_qs, u"龜"_qs}));
    DataItem *son = radicals->GetItem(10);
    QCOMPARE(son->GetValue(0), 39);
    QCOMPARE(son->GetValue(2), 3);
    QCOMPARE(son->GetString(1), u"아들 자"_qs);
    QCOMPARE(hanja.GetChineseIndex(son->GetValue(1), true)->GetString(0), u"子"_qs);
    QCOMPARE(strings0(hanja.GetChineseLineList(true, 3)),
             QStringList({u"口"_qs, u"女"_qs, u"女"_qs, u"子"_qs, u"宀"_qs, u"川"_qs}));

    // The characters of radical 39, by stroke count and then character.
    DataList *sons = hanja.GetChineseBusuList(39);
    QCOMPARE(strings0(sons),
             QStringList({u"子"_qs, u"孔"_qs, u"字"_qs, u"存"_qs, u"孝"_qs, u"季"_qs, u"学"_qs, u"孫"_qs, u"學"_qs}));
    QCOMPARE(sons->GetItem(8)->GetValue(2), 16);
    QCOMPARE(sons->GetItem(8)->GetString(2), u"학"_qs);

    // Reading and stroke lookups reach every explained reading of a character.
    DataList *gim = hanja.GetKorea2Chinese(u"김"_qs);
    QCOMPARE(strings0(gim), QStringList({u"金"_qs}));
    QCOMPARE(hanja.GetChineseIndex(gim->GetItem(0)->GetValue(0), true)->GetString(1), u"사람의 성, 쇠 김"_qs);
    DataList *ak = hanja.GetKorea2Chinese(u"악"_qs);
    QCOMPARE(strings0(ak), QStringList({u"樂"_qs}));
    QCOMPARE(ak->GetItem(0)->GetString(1), u"풍류, 즐길"_qs);
    QVERIFY(strings0(hanja.GetChineseLineList(false, 16)).contains(u"學"_qs));
    QVERIFY(!hanja.GetKorea2Chinese(u"훟"_qs));

    // Korean dictionary: words with their Hanja spelling and the characters' meanings.
    DB_Korea korea(QFile::encodeName(out.path() + QLatin1Char('/')));
    QCOMPARE(korea.GetCount(), int(tables.koreanWords.size()));
    DataList *school = korea.GetDataList(0, 0, u"학교"_qs, true);
    QCOMPARE(strings0(school), QStringList({u"학교 學校"_qs}));
    DataItem *word = korea.GetDataIndex(school->GetItem(0)->GetValue(0));
    QCOMPARE(word->GetString(0), u"학교"_qs);
    QCOMPARE(word->GetString(1), u"學 배울 학<br>校 학교 교"_qs);
    QCOMPARE(word->GetString(2), u"學校"_qs);
    QCOMPARE(strings0(korea.GetDataList(0, 2, u"학"_qs, false)), QStringList({u"학교 學校"_qs, u"학자 學者"_qs}));

    // The searches the screens run go through the indexes.
    const QString hanjaFile = out.filePath(u"hanja.sdb"_qs);
    QVERIFY(queryPlan(hanjaFile, u"SELECT w2.ID FROM h_word AS w2 WHERE w2.speech >= '학' LIMIT 1"_qs)
                    .contains(u"h_word_speech"_qs));
    QVERIFY(queryPlan(hanjaFile, u"SELECT speech FROM h_word WHERE seq = 5"_qs).contains(u"h_word_seq"_qs));
    QVERIFY(queryPlan(hanjaFile,
                      u"SELECT hanja FROM h_character AS c WHERE c.busucode = 39 ORDER BY c.tcount, c.hanja"_qs)
                    .contains(u"h_character_busucode"_qs));
    QVERIFY(queryPlan(hanjaFile,
                      u"SELECT hanja FROM h_character AS c WHERE c.speech = '악' ORDER BY c.tcount, c.hanja"_qs)
                    .contains(u"h_character_speech"_qs));
    QVERIFY(queryPlan(hanjaFile, u"SELECT hanja FROM h_character AS c WHERE c.tcount = 6 ORDER BY c.hanja"_qs)
                    .contains(u"h_character_tcount"_qs));
    const QString koreaFile = out.filePath(u"korea.sdb"_qs);
    QVERIFY(queryPlan(koreaFile, u"SELECT w2.ID FROM k_word AS w2 WHERE w2.mody_s_id >= '학' LIMIT 1"_qs)
                    .contains(u"k_word_mody_s_id"_qs));
    QVERIFY(queryPlan(koreaFile, u"SELECT mody_subject FROM k_word WHERE number = 3"_qs).contains(u"k_word_number"_qs));
}

void TestHanjaBuilder::missingSourcesLeaveNoFiles()
{
    QTemporaryDir out;
    BuildContext context;
    context.outDir = out.path();
    context.sources.hanjaTxt = sampleDir() + QStringLiteral("/no-such-file.txt");
    context.sources.unihanDir = sampleDir();
    QVERIFY(!build(context));
    context.sources.hanjaTxt = sampleDir() + QStringLiteral("/hanja.txt");
    context.sources.unihanDir = out.path(); // no Unihan files there
    QVERIFY(!build(context));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestHanjaBuilder)
#include "tst_hanjabuilder.moc"
