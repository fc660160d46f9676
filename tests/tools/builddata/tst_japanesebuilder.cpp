// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "DB_J2K.h"
#include "DB_K2J.h"
#include "Data.h"
#include "JapaneseBuilder.h"
#include "SourceFiles.h"
#include "sqliterows.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace JapaneseBuilder;
using namespace Qt::StringLiterals;

namespace {

QString sample(const char *name)
{
    return qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/sources/edict/")
           + QString::fromUtf8(name);
}

BuildContext sampleContext(const QString &outDir)
{
    BuildContext ctx;
    ctx.outDir = outDir;
    ctx.withSound = false;
    ctx.sources.edict = sample("edict");
    ctx.sources.hanjaTxt = sample("hanja.txt");
    ctx.sources.unihanDir = sample("unihan");
    ctx.sources.kanjidic = sample("kanjidic2.xml");
    return ctx;
}

HanjaLinker sampleLinker()
{
    HanjaLinker linker;
    linker.addHanjaTxt(HanjaTxt::load(sample("hanja.txt")));
    Unihan unihan;
    unihan.load(sample("unihan"),
                {QStringLiteral("kTraditionalVariant"), QStringLiteral("kZVariant"), QStringLiteral("kSemanticVariant"),
                 QStringLiteral("kSpecializedSemanticVariant"), QStringLiteral("kHangul")});
    linker.addUnihan(unihan);
    linker.addKanjidic(Kanjidic::load(sample("kanjidic2.xml")), loadKanjidicVariants(sample("kanjidic2.xml")));
    return linker;
}

QStringList strings(DataList *list)
{
    QStringList result;
    for (int i = 0; list && i < list->GetCount(); ++i)
        result << list->GetItem(i)->GetString(0);
    return result;
}

} // namespace

class TestJapaneseBuilder : public QObject
{
    Q_OBJECT
private slots:
    void parsesEdictLines_data();
    void parsesEdictLines();
    void convertsKanaKeysAndReadings();
    void linksKanjiToKorean_data();
    void linksKanjiToKorean();
    void readsCharactersAsKoreaDoes();
    void buildsJapaneseKorean();
    void buildsKoreanJapanese();
    void failsWithoutEdict();

private:
    QTemporaryDir m_out;
    bool m_built = false;
    void ensureBuilt();
};

void TestJapaneseBuilder::ensureBuilt()
{
    if (!m_built) {
        QVERIFY(m_out.isValid());
        QVERIFY(build(sampleContext(m_out.path())));
        m_built = true;
    }
}

void TestJapaneseBuilder::parsesEdictLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QStringList>("pos");
    QTest::addColumn<QStringList>("senses");
    QTest::addColumn<bool>("common");

    QTest::newRow("kanji with reading") << u"学校 [がっこう] /(n) school/(P)/"_s << true << u"学校"_s << u"がっこう"_s
                                        << QStringList{u"n"_s} << QStringList{u"school"_s} << true;
    QTest::newRow("kana only, numbered senses, tags kept")
            << u"テレビ /(n) (1) (abbr) television/TV/(n) (2) (abbr) TV program/TV broadcast/(P)/"_s << true
            << QString() << u"テレビ"_s << QStringList{u"n"_s}
            << QStringList{u"(abbr) television; TV"_s, u"(abbr) TV program; TV broadcast"_s} << true;
    QTest::newRow("gloss starting with a parenthesis")
            << u"全然 [ぜんぜん] /(adv) (1) (not) at all/(not) in the slightest/(adv) (2) wholly/"_s << true
            << u"全然"_s << u"ぜんぜん"_s << QStringList{u"adv"_s}
            << QStringList{u"(not) at all; (not) in the slightest"_s, u"wholly"_s} << false;
    QTest::newRow("tag before the part of speech, codes merged")
            << u"１日 [ひとえ] /(ok) (n) (1) one day/(n-adv) (2) all day (long)/"_s << true << u"１日"_s << u"ひとえ"_s
            << QStringList{u"n"_s, u"n-adv"_s} << QStringList{u"(ok) one day"_s, u"all day (long)"_s} << false;
    QTest::newRow("several codes in one group")
            << u"勉強 [べんきょう] /(n,vs) (1) study/(n,vs) (2) diligence/"_s << true << u"勉強"_s << u"べんきょう"_s
            << QStringList{u"n"_s, u"vs"_s} << QStringList{u"study"_s, u"diligence"_s} << false;
    QTest::newRow("header line") << u"　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English/Created: 2021-02-03/"_s
                                 << false << QString() << QString() << QStringList() << QStringList() << false;
    QTest::newRow("no glosses") << u"学校 [がっこう] //"_s << false << QString() << QString() << QStringList()
                                << QStringList() << false;
    QTest::newRow("nothing to type") << u"・ /(n) middle dot/"_s << false << QString() << QString() << QStringList()
                                     << QStringList() << false;
    QTest::newRow("no separator") << u"garbage"_s << false << QString() << QString() << QStringList() << QStringList()
                                  << false;
}

void TestJapaneseBuilder::parsesEdictLines()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    const std::optional<EdictEntry> entry = parseEdictLine(line);
    QCOMPARE(entry.has_value(), valid);
    if (!valid)
        return;
    QTEST(entry->kanji, "kanji");
    QTEST(entry->reading, "reading");
    QTEST(entry->partsOfSpeech, "pos");
    QTEST(entry->senses, "senses");
    QTEST(entry->common, "common");
}

void TestJapaneseBuilder::convertsKanaKeysAndReadings()
{
    QCOMPARE(toHiragana(u"テレビ・アニメー"_s), u"てれび・あにめー"_s);
    QCOMPARE(toHiragana(u"ヴァヵヶヽ学a"_s), u"ゔぁゕゖゝ学a"_s);
    QCOMPARE(searchKey(u"テレビ・アニメ"_s), u"テレビアニメ"_s);
    QCOMPARE(searchKey(u"がっこう"_s), u"がっこう"_s);

    const QList<QPair<QString, QString>> law{{u"량체"_s, u"양체"_s}, {u"려행"_s, u"여행"_s}, {u"례의"_s, u"예의"_s},
                                             {u"로인"_s, u"노인"_s}, {u"락원"_s, u"낙원"_s}, {u"뢰성"_s, u"뇌성"_s},
                                             {u"녀자"_s, u"여자"_s}, {u"니토"_s, u"이토"_s}, {u"뉴대"_s, u"유대"_s},
                                             {u"낙원"_s, u"낙원"_s}, {u"녜"_s, u"녜"_s},     {u"학교"_s, u"학교"_s},
                                             {u"국력"_s, u"국력"_s}, {QString(), QString()}, {u"abc"_s, u"abc"_s}};
    for (const auto &[reading, expected] : law)
        QCOMPARE(applyInitialSoundLaw(reading), expected);

    QCOMPARE(koreanPartsOfSpeech({u"n"_s, u"vs"_s}), u"명사, 동사(する)"_s);
    QCOMPARE(koreanPartsOfSpeech({u"v1"_s, u"vt"_s}), u"동사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"v5k-s"_s, u"vi"_s}), u"동사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"n"_s, u"n-adv"_s, u"adj-no"_s}), u"명사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"adj-i"_s}), u"형용사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"adj-na"_s, u"adv"_s}), u"형용동사, 부사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"exp"_s, u"v1"_s, u"adj-na"_s, u"n"_s}), u"명사, 동사, 형용동사, 관용구"_s);
    QCOMPARE(koreanPartsOfSpeech({u"int"_s, u"prt"_s, u"conj"_s}), u"접속사, 감탄사, 조사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"n-suf"_s, u"pref"_s, u"pn"_s}), u"대명사, 접두사, 접미사"_s);
    QCOMPARE(koreanPartsOfSpeech({u"unc"_s}), QString());
}

void TestJapaneseBuilder::linksKanjiToKorean_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("link"); // empty: no link

    QTest::newRow("shinjitai to the traditional word") << u"学校"_s << u"한자어 학교(學校)"_s;
    QTest::newRow("variant from KANJIDIC2 only") << u"人気"_s << u"한자어 인기(人氣)"_s;
    QTest::newRow("two characters mapped") << u"学校医"_s << u"한자어 학교의(學校醫)"_s;
    QTest::newRow("iteration mark") << u"人々"_s << u"한자어 인인(人人)"_s;
    QTest::newRow("standard spelling preferred") << u"旅行"_s << u"한자어 여행(旅行)"_s;
    QTest::newRow("same form in both") << u"全然"_s << u"한자어 전연(全然)"_s;
    QTest::newRow("read per character, initial rule") << u"両替"_s << u"한자음 양체(兩替)"_s;
    QTest::newRow("read per character") << u"勉強"_s << u"한자음 면강(勉強)"_s;
    QTest::newRow("single character") << u"学"_s << u"學: 배울 학"_s;
    QTest::newRow("single character through a variant") << u"気"_s << u"氣: 기운 기"_s;
    QTest::newRow("okurigana") << u"食べる"_s << QString();
    QTest::newRow("full-width digit") << u"１日"_s << QString();
    QTest::newRow("lone iteration mark") << u"々"_s << QString();
}

void TestJapaneseBuilder::linksKanjiToKorean()
{
    static const HanjaLinker linker = sampleLinker();
    QFETCH(QString, kanji);
    QFETCH(QString, link);
    const std::optional<KoreanLink> found = linker.link(kanji);
    QCOMPARE(found ? linkText(*found) : QString(), link);
}

void TestJapaneseBuilder::readsCharactersAsKoreaDoes()
{
    // KANJIDIC2 lists 金's surname reading 김 first; inside words hanja.txt reads it 금.
    HanjaLinker linker;
    linker.addHanjaTxt({{u"황금"_s, u"黃金"_s, QString()},
                        {u"현금"_s, u"現金"_s, QString()},
                        {u"김"_s, u"金"_s, u"성 김"_s},
                        {u"금"_s, u"金"_s, u"쇠 금"_s},
                        {u"은"_s, u"銀"_s, u"은 은"_s}});
    KanjidicEntry gold;
    gold.literal = u"金"_s;
    gold.koreanHangul = QStringList{u"김"_s, u"금"_s};
    linker.addKanjidic({{u"金"_s, gold}}, {});
    std::optional<KoreanLink> link = linker.link(u"銀金"_s);
    QVERIFY(link);
    QCOMPARE(link->kind, KoreanLink::Reading);
    QCOMPARE(link->reading, u"은금"_s);
    link = linker.link(u"金"_s);
    QVERIFY(link);
    QCOMPARE(linkText(*link), u"金: 성 김, 쇠 금"_s);

    // Variant order: the character, Unihan's traditional form, then KANJIDIC2's.
    const HanjaLinker samples = sampleLinker();
    const QList<char32_t> forms = samples.forms(U'学');
    QVERIFY(forms.size() >= 2);
    QCOMPARE(forms.at(0), U'学');
    QCOMPARE(forms.at(1), U'學');
    QVERIFY(samples.forms(U'気').contains(U'氣'));
    QVERIFY(loadKanjidicVariants(sample("kanjidic2.xml")).value(U'両').contains(U'兩'));
    QVERIFY(loadKanjidicVariants(sample("missing.xml")).isEmpty());
}

void TestJapaneseBuilder::buildsJapaneseKorean()
{
    ensureBuilt();
    const QString db = m_out.filePath(QStringLiteral("j2k.sdb"));

    // IDs follow the search keys' bytes; katakana readings are filed in hiragana as well.
    const QStringList keys = sqliteRows(db, "SELECT searchword FROM j2k_word ORDER BY ID;");
    QCOMPARE(keys.size(), 24); // 22 entries and 2 readings that start in katakana, filed again
    for (int i = 1; i < keys.size(); ++i)
        QVERIFY2(keys.at(i - 1).toUtf8() <= keys.at(i).toUtf8(), qPrintable(keys.at(i)));
    QVERIFY(keys.contains(u"てれびあにめ"_s));
    QVERIFY(keys.contains(u"テレビアニメ"_s));
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM sqlite_master WHERE type = 'index';").value(0), u"7"_s);

    DB_J2K j2k(QFile::encodeName(m_out.path() + QLatin1Char('/')));
    QCOMPARE(j2k.GetCount(), 24);

    DataList *list = j2k.GetDataList(0, 3, u"がっこう"_s, false);
    QCOMPARE(strings(list),
             (QStringList{u"がっこう【学校】"_s, u"がっこうい【学校医】"_s, u"がっこううらサイト【学校裏サイト】"_s}));
    const int school = list->GetItem(0)->GetValue(0);

    // Homographs: common words first, then EDICT's order.
    QCOMPARE(strings(j2k.GetDataList(0, 0, u"はし"_s, true)), (QStringList{u"はし【橋】"_s, u"はし【箸】"_s}));
    QCOMPARE(strings(j2k.GetDataList(0, 0, u"にんき"_s, true)), QStringList{u"にんき【人気】"_s});
    // Romaji and Hangul become hiragana: a loanword is found through its hiragana row.
    QCOMPARE(strings(j2k.GetDataList(0, 1, u"てれ"_s, false)), QStringList{u"テレビ"_s});
    QCOMPARE(strings(j2k.GetDataList(0, 0, u"てれび"_s, true)), QStringList{u"テレビ"_s});
    QCOMPARE(strings(j2k.GetDataList(0, 0, u"テレビアニメ"_s, true)), QStringList{u"テレビ・アニメ"_s});
    // A reading that only ends in katakana keeps its one row, reached through its beginning.
    QCOMPARE(strings(j2k.GetDataList(0, 1, u"がっこううらさ"_s, false)),
             QStringList{u"がっこううらサイト【学校裏サイト】"_s});
    QVERIFY(!j2k.GetDataList(0, 0, u"がっこううらさいと"_s, true));

    DataItem *entry = j2k.GetDataIndex(school);
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), u"がっこう"_s);
    QCOMPARE(entry->GetString(1), u"【学校】"_s);
    QCOMPARE(entry->GetString(2), u"명사"_s);
    QCOMPARE(entry->GetString(3), u"1"_s);
    QCOMPARE(strings(entry->GetSubList(0)), (QStringList{u"한자어 학교(學校)"_s, u"school"_s}));
    QVERIFY(!entry->GetSubList(1));

    const int study = j2k.GetDataList(0, 0, u"べんきょう"_s, true)->GetItem(0)->GetValue(0);
    entry = j2k.GetDataIndex(study);
    QCOMPARE(entry->GetString(2), u"명사, 동사(する)"_s);
    QCOMPARE(strings(entry->GetSubList(0)),
             (QStringList{u"한자음 면강(勉強)"_s, u"(1) study"_s, u"(2) diligence"_s, u"(3) discount; reduction"_s}));

    // JIS X 0212 characters of the EUC-JP source; no importance for an uncommon word.
    const int kodama = j2k.GetDataList(0, 0, u"こだま"_s, true)->GetItem(0)->GetValue(0);
    entry = j2k.GetDataIndex(kodama);
    QCOMPARE(entry->GetString(1), QString());
    QCOMPARE(entry->GetString(3), QString());
    QVERIFY2(entry->GetSubList(0)->GetItem(0)->GetString(0).contains(u"Tōkaidō and Sanyō-line"_s),
             qPrintable(entry->GetSubList(0)->GetItem(0)->GetString(0)));
}

void TestJapaneseBuilder::buildsKoreanJapanese()
{
    ensureBuilt();
    const QString db = m_out.filePath(QStringLiteral("k2j.sdb"));
    QCOMPARE(sqliteRows(db, "SELECT Word FROM k2j_word ORDER BY ID;"),
             (QStringList{u"여행"_s, u"인기"_s, u"인인"_s, u"전연"_s, u"학교"_s, u"학교의"_s}));
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM sqlite_master WHERE type = 'index';").value(0), u"5"_s);

    DB_K2J k2j(QFile::encodeName(m_out.path() + QLatin1Char('/')));
    QCOMPARE(k2j.GetCount(), 6);
    DataList *list = k2j.GetDataList(0, 0, u"학교"_s, true);
    QCOMPARE(strings(list), QStringList{u"학교"_s});
    DataItem *entry = k2j.GetDataIndex(list->GetItem(0)->GetValue(0));
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), u"학교"_s);
    QCOMPARE(entry->GetString(1), QString(QChar(0xF839))); // noun marker
    QCOMPARE(strings(entry->GetSubList(0)), QStringList{u"學校 → がっこう【学校】 school"_s});

    // One Korean word, several readings of the Japanese one: the common reading first.
    list = k2j.GetDataList(0, 0, u"인기"_s, true);
    entry = k2j.GetDataIndex(list->GetItem(0)->GetValue(0));
    const QStringList senses = strings(entry->GetSubList(0));
    QCOMPARE(senses.size(), 3);
    QVERIFY2(senses.at(0).startsWith(u"人氣 → にんき【人気】 (1) popularity; public favor (2) condition"_s),
             qPrintable(senses.at(0)));
    QVERIFY(senses.at(1).startsWith(u"人氣 → じんき【人気】"_s));
    QVERIFY(senses.at(2).startsWith(u"人氣 → ひとけ【人気】"_s));

    list = k2j.GetDataList(0, 0, u"전연"_s, true);
    entry = k2j.GetDataIndex(list->GetItem(0)->GetValue(0));
    QCOMPARE(entry->GetString(1), QString(QChar(0xF83D))); // adverb marker
    QCOMPARE(strings(k2j.GetDataList(0, 2, u"하"_s, false)), (QStringList{u"학교"_s, u"학교의"_s}));
}

void TestJapaneseBuilder::failsWithoutEdict()
{
    QTemporaryDir out;
    BuildContext ctx = sampleContext(out.path());
    ctx.sources.edict = out.filePath(QStringLiteral("missing"));
    QVERIFY(!build(ctx));
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("j2k.sdb"))));
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("k2j.sdb"))));

    ctx = sampleContext(out.path());
    ctx.sources.hanjaTxt = out.filePath(QStringLiteral("missing"));
    QVERIFY(!build(ctx));
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("j2k.sdb"))));
}

QTEST_GUILESS_MAIN(TestJapaneseBuilder)
#include "tst_japanesebuilder.moc"
