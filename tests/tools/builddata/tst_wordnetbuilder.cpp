// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "WordNetBuilder.h"
#include "sqliterows.h"

#include "DBManager.h"
#include "Data.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace WordNet;

namespace {

QString sampleDir()
{
    return qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/sources/wordnet");
}

// The texts of the TYPE t rows of a lemma, "TEXT1|TEXT2".
QStringList rowsOfType(const std::vector<ExampleRow> &rows, int type)
{
    QStringList out;
    for (const ExampleRow &row : rows) {
        if (row.type == type)
            out.append(row.text1 + QLatin1Char('|') + row.text2);
    }
    return out;
}

QStringList strings(DataList *list)
{
    QStringList out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out.append(list->GetItem(i)->GetString(0));
    return out;
}

} // namespace

class TestWordNetBuilder : public QObject
{
    Q_OBJECT
private slots:
    void sourceLines();
    void glossSplits_data();
    void glossSplits();
    void formKinds_data();
    void formKinds();
    void lexiconEntries();
    void pronunciationsLineUp();
    void buildReadsBackThroughDataLayer();
};

void TestWordNetBuilder::sourceLines()
{
    const auto index = parseIndexLine("dog n 7 5 @ ~ #m #p %p 7 1 02084071 10114209 10023039 09886220 07676602 "
                                      "03901548 02710044  ");
    QVERIFY(index);
    QCOMPARE(index->lemma, QStringLiteral("dog"));
    QCOMPARE(index->pos, int(Noun));
    QCOMPARE(index->offsets.size(), size_t(7));
    QCOMPARE(index->offsets.front(), 2084071u);
    QCOMPARE(index->offsets.back(), 2710044u);
    const auto collocation = parseIndexLine("hot_dog n 3 4 @ ~ #p %p 3 0 10187710 07697537 07676602  ");
    QVERIFY(collocation);
    QCOMPARE(collocation->lemma, QStringLiteral("hot dog"));
    // Licence lines, a pointer count that does not match and a short offset list are refused.
    QVERIFY(!parseIndexLine("  1 This software and database is being provided to you, the LICENSEE, by  "));
    QVERIFY(!parseIndexLine("dog n 2 5 @ ~ #m 7 1 02084071 10114209"));
    QVERIFY(!parseIndexLine("dog n 3 0 3 1 02084071 10114209"));
    QVERIFY(!parseIndexLine("dog x 1 0 1 1 02084071"));
    QVERIFY(!parseIndexLine(""));

    const auto synset = parseDataLine(
            "10114209 18 n 02 frump 0 dog 1 002 @ 10739636 n 0000 + 00974519 a 0102 | a dull unattractive unpleasant "
            "girl or woman; \"she got a reputation as a frump\"; \"she's a real dog\"  ");
    QVERIFY(synset);
    QCOMPARE(synset->offset, 10114209u);
    QCOMPARE(synset->words, QStringList({QStringLiteral("frump"), QStringLiteral("dog")}));
    QCOMPARE(synset->pointers.size(), size_t(2));
    QCOMPARE(synset->pointers[1].symbol, QByteArray("+"));
    QCOMPARE(synset->pointers[1].pos, int(Adjective));
    QCOMPARE(synset->pointers[1].offset, 974519u);
    QCOMPARE(synset->pointers[1].source, 1);
    QCOMPARE(synset->pointers[1].target, 2);
    QCOMPARE(synset->gloss.definition, QStringLiteral("a dull unattractive unpleasant girl or woman"));
    QCOMPARE(synset->gloss.examples.size(), 2);
    // Hexadecimal word counts, collocations, adjective markers and verb frames.
    const auto many = parseDataLine(
            "00001740 00 a 01 able(a) 0 001 ! 00002098 a 0101 | (usually followed by `to') having the necessary "
            "means; \"able to swim\"  ");
    QVERIFY(many);
    QCOMPARE(many->words, QStringList(QStringLiteral("able")));
    const auto verb = parseDataLine("02482425 41 v 01 slay 0 003 @ 01323958 v 0000 ~ 02483267 v 0000 + 10617904 n "
                                    "0101 01 + 09 00 | kill intentionally and with premeditation; \"The mafia boss "
                                    "ordered his enemies murdered\"  ");
    QVERIFY(verb);
    QCOMPARE(verb->pos, int(Verb));
    QCOMPARE(verb->pointers.size(), size_t(3));
    QCOMPARE(verb->gloss.examples, QStringList(QStringLiteral("\"The mafia boss ordered his enemies murdered\"")));
    const auto wide = parseDataLine("00798103 00 s 0f a 0 b_c 1 d 0 e 0 f 0 g 0 h 0 i 0 j 0 k 0 l 0 m 0 n 0 o 0 p 0 "
                                    "000 | drunk  ");
    QVERIFY(wide);
    QCOMPARE(wide->words.size(), 15);
    QCOMPARE(wide->words[1], QStringLiteral("b c"));
    QCOMPARE(wide->pos, int(Adjective));
    QVERIFY(!parseDataLine("02482425 41 v 01 slay 0 003 @ 01323958 v 0000 | too few pointers"));
    QVERIFY(!parseDataLine("02482425 41 v 01 slay 0 000 no gloss bar"));

    const auto exception = parseExceptionLine("ladies-in-waiting lady-in-waiting");
    QVERIFY(exception);
    QCOMPARE(exception->form, QStringLiteral("ladies-in-waiting"));
    const auto twoBases = parseExceptionLine("axes ax axis");
    QVERIFY(twoBases);
    QCOMPARE(twoBases->bases, QStringList({QStringLiteral("ax"), QStringLiteral("axis")}));
    const auto spaced = parseExceptionLine("joined_forces join_forces");
    QVERIFY(spaced);
    QCOMPARE(spaced->bases, QStringList(QStringLiteral("join forces")));
    QVERIFY(!parseExceptionLine("lonely"));
}

void TestWordNetBuilder::glossSplits_data()
{
    QTest::addColumn<QString>("gloss");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QStringList>("examples");
    QTest::newRow("definition only") << QStringLiteral(" a hinged catch that fits into a notch  ")
                                     << QStringLiteral("a hinged catch that fits into a notch") << QStringList();
    QTest::newRow("two examples") << QStringLiteral("informal term for a man; \"you lucky dog\"; \"a sly dog\"  ")
                                  << QStringLiteral("informal term for a man")
                                  << QStringList(
                                             {QStringLiteral("\"you lucky dog\""), QStringLiteral("\"a sly dog\"")});
    QTest::newRow("inner semicolons stay in the definition")
            << QStringLiteral("domesticated by man; occurs in many breeds; \"the dog barked\"")
            << QStringLiteral("domesticated by man; occurs in many breeds")
            << QStringList(QStringLiteral("\"the dog barked\""));
    QTest::newRow("quote inside the definition")
            << QStringLiteral("the letter \"a\" as a mark; \"she got an a\"")
            << QStringLiteral("the letter \"a\" as a mark") << QStringList(QStringLiteral("\"she got an a\""));
    QTest::newRow("attribution after the quote")
            << QStringLiteral("to be; \"to be or not to be\" - Shakespeare; \"be quiet\"") << QStringLiteral("to be")
            << QStringList({QStringLiteral("\"to be or not to be\" - Shakespeare"), QStringLiteral("\"be quiet\"")});
    QTest::newRow("examples only") << QStringLiteral("\"go away\"; \"go home\"") << QStringLiteral("\"go away\"")
                                   << QStringList(QStringLiteral("\"go home\""));
}

void TestWordNetBuilder::glossSplits()
{
    QFETCH(QString, gloss);
    QFETCH(QString, definition);
    QFETCH(QStringList, examples);
    const Gloss split = splitGloss(gloss);
    QCOMPARE(split.definition, definition);
    QCOMPARE(split.examples, examples);
}

void TestWordNetBuilder::formKinds_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("label");
    QTest::newRow("plural") << int(Noun) << QStringLiteral("geese") << QStringLiteral("plural:");
    QTest::newRow("-ing") << int(Verb) << QStringLiteral("running") << QStringLiteral("-ing form:");
    QTest::newRow("past") << int(Verb) << QStringLiteral("ran") << QStringLiteral("past forms:");
    QTest::newRow("was is past") << int(Verb) << QStringLiteral("was") << QStringLiteral("past forms:");
    QTest::newRow("has is present") << int(Verb) << QStringLiteral("has") << QStringLiteral("present:");
    QTest::newRow("gasses is present") << int(Verb) << QStringLiteral("gasses") << QStringLiteral("present:");
    QTest::newRow("comparative") << int(Adjective) << QStringLiteral("wetter") << QStringLiteral("comparative:");
    QTest::newRow("worse") << int(Adjective) << QStringLiteral("worse") << QStringLiteral("comparative:");
    QTest::newRow("superlative") << int(Adverb) << QStringLiteral("worst") << QStringLiteral("superlative:");
    QTest::newRow("other") << int(Adjective) << QStringLiteral("halfways") << QStringLiteral("also:");
}

void TestWordNetBuilder::formKinds()
{
    QFETCH(int, pos);
    QFETCH(QString, form);
    QFETCH(QString, label);
    QCOMPARE(formLabel(formKind(pos, form)), label);

    // The simple past among a verb's irregular past forms, whatever their order.
    const auto past = [](std::initializer_list<const char *> forms) {
        QStringList list;
        for (const char *form : forms)
            list.append(QString::fromLatin1(form));
        return simplePast(list);
    };
    QCOMPARE(past({"written", "wrote"}), QStringLiteral("wrote"));
    QCOMPARE(past({"been", "was", "were"}), QStringLiteral("was"));
    QCOMPARE(past({"gone", "went"}), QStringLiteral("went"));
    QCOMPARE(past({"sung", "sang"}), QStringLiteral("sang"));
    QCOMPARE(past({"lain", "lay"}), QStringLiteral("lay"));
    QCOMPARE(past({"ran"}), QStringLiteral("ran"));
    QCOMPARE(past({}), QString());
}

void TestWordNetBuilder::lexiconEntries()
{
    Lexicon lexicon;
    QVERIFY(lexicon.load(sampleDir()));
    // Entry numbers follow the index files: nouns, then verbs, then adjectives.
    QCOMPARE(lexicon.lemmas(),
             QStringList({QStringLiteral("dirty dog"), QStringLiteral("dog"), QStringLiteral("dog days"),
                          QStringLiteral("frump"), QStringLiteral("goose"), QStringLiteral("hot dog"),
                          QStringLiteral("hotdog"), QStringLiteral("wet"), QStringLiteral("slay"),
                          QStringLiteral("dry")}));
    // The most often tagged part of speech comes first.
    QCOMPARE(lexicon.partsOfSpeech(QStringLiteral("wet")), std::vector<int>({Adjective, Verb, Noun}));
    QCOMPARE(lexicon.headword(QStringLiteral("wet")).pdef, QStringLiteral("adjective, verb, noun"));
    QCOMPARE(lexicon.partsOfSpeech(QStringLiteral("dog")), std::vector<int>({Noun, Verb}));

    // Variants: a plural, a simple past, a comparative; none where WordNet has no irregular form.
    const Headword goose = lexicon.headword(QStringLiteral("goose"));
    QCOMPARE(goose.varConn + QLatin1Char(' ') + goose.varWord, QStringLiteral(", pl. geese"));
    const Headword slay = lexicon.headword(QStringLiteral("slay"));
    QCOMPARE(slay.varConn + QLatin1Char(' ') + slay.varWord, QStringLiteral(", past slew"));
    const Headword wet = lexicon.headword(QStringLiteral("wet"));
    QCOMPARE(wet.varConn + QLatin1Char(' ') + wet.varWord, QStringLiteral(", comp. wetter"));
    // The verb's "dogged" is no variant of the noun that comes first.
    QVERIFY(lexicon.headword(QStringLiteral("dog")).varWord.isEmpty());
    // An exception for a word WordNet lacks ("mice mouse") is dropped.
    QVERIFY(!lexicon.contains(QStringLiteral("mouse")));

    const std::vector<ExampleRow> dog = lexicon.rows(QStringLiteral("dog"));
    QCOMPARE(rowsOfType(dog, 0), QStringList({QStringLiteral("noun|"), QStringLiteral("verb|")}));
    const QStringList senses = rowsOfType(dog, 2);
    QCOMPARE(senses.size(), 8); // seven nouns, one verb, numbered per part of speech
    QCOMPARE(senses[0], QStringLiteral("1|a member of the genus Canis (probably descended from the common wolf) "
                                       "that has been domesticated by man since prehistoric times; occurs in many "
                                       "breeds"));
    QVERIFY(senses[6].startsWith(QLatin1String("7|metal supports for logs")));
    QVERIFY(senses[7].startsWith(QLatin1String("1|go after with the intent to catch")));
    // Sense 1 and what hangs under it, in order, up to the next sense.
    QCOMPARE(dog[1].type, 2);
    QCOMPARE(dog[2].text1, QStringLiteral("\"the dog barked all night\""));
    QCOMPARE(dog[3].text1, QStringLiteral("Synonyms: domestic dog, Canis familiaris"));
    QCOMPARE(dog[4].text1, QStringLiteral("Type of: canine")); // "domestic animal" is not in the sample
    QCOMPARE(dog[5].type, 2);
    // Idioms: those starting with the headword first; every sense of the idiom explained.
    QCOMPARE(lexicon.idioms(QStringLiteral("dog")),
             QStringList({QStringLiteral("dog days"), QStringLiteral("dirty dog"), QStringLiteral("hot dog")}));
    const QStringList idioms = rowsOfType(dog, 3);
    QCOMPARE(idioms.size(), 3);
    QVERIFY(idioms[0].startsWith(QLatin1String("dog days|(noun) the hot period between early July")));
    const QStringList more = rowsOfType(dog, 1);
    QCOMPARE(more.size(), 2); // hot dog's second and third senses
    QVERIFY(more[0].startsWith(QLatin1String("(noun) a frankfurter served hot")));
    QCOMPARE(rowsOfType(dog, 4),
             QStringList({QStringLiteral("past forms:|dogged"), QStringLiteral("-ing form:|dogging")}));
    // A collocation lists no idiom for itself, and "hotdog" holds no "dog" word.
    QVERIFY(lexicon.idioms(QStringLiteral("hot dog")).isEmpty());
    QVERIFY(!lexicon.idioms(QStringLiteral("dog")).contains(QStringLiteral("hotdog")));

    const std::vector<ExampleRow> wetRows = lexicon.rows(QStringLiteral("wet"));
    const QStringList wetLeaves = rowsOfType(wetRows, 6);
    QVERIFY(wetLeaves.contains(QStringLiteral("Opposite: dry|")));
    QVERIFY(wetLeaves.contains(QStringLiteral("Similar to: alcoholic|")));
    // A 21-word synset names at most twelve synonyms.
    for (const QString &leaf : wetLeaves) {
        if (leaf.startsWith(QLatin1String("Synonyms: besotted")))
            QCOMPARE(leaf.count(QStringLiteral(", ")), Lexicon::MaxSynonyms - 1);
    }
    QCOMPARE(rowsOfType(wetRows, 4),
             QStringList({QStringLiteral("comparative:|wetter"), QStringLiteral("superlative:|wettest"),
                          QStringLiteral("past forms:|wetted"), QStringLiteral("-ing form:|wetting")}));
    // A verb sense whose synset is missing from the data file is left out, not numbered.
    QCOMPARE(rowsOfType(lexicon.rows(QStringLiteral("goose")), 2).size(), 4);
}

void TestWordNetBuilder::pronunciationsLineUp()
{
    QStringList texts;
    for (int i = 0; i < 23; ++i)
        texts.append(QStringLiteral("word%1").arg(i));
    texts[5] = QStringLiteral("split,in,three");
    texts[17] = QStringLiteral("gone x");
    texts[18] = QStringLiteral("a,b");
    texts[20] = QStringLiteral("two y");

    // A stand-in that answers several lines for some input lines (as espeak-ng does at clause
    // punctuation) and none for another, so that in one chunk a missing line and an extra one
    // cancel out: every other word must still get its own answer, split answers joined.
    const QStringList command{QStringLiteral("sed"),          QStringLiteral("-e"),     QStringLiteral("s/,/\\n/g"),
                              QStringLiteral("-e"),           QStringLiteral("/ x$/d"), QStringLiteral("-e"),
                              QStringLiteral("s/ y$/\\n\\n/")};
    for (int chunk : {1, 4, 7, 100}) {
        const QStringList result = pronounce(texts, 2, command, chunk);
        QCOMPARE(result.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            QString expected = texts[i];
            expected.replace(QLatin1Char(','), QLatin1Char(' '));
            if (i == 17)
                expected.clear();
            if (i == 20)
                expected = QStringLiteral("two"); // "two", "", "": empty answer lines add nothing
            QCOMPARE(result[i], expected);
        }
    }
    // A word that answers like the first marker is read again with the second; one that
    // answers like both would shift its neighbours, so its chunk is left empty.
    const QStringList echo{QStringLiteral("cat")};
    QCOMPARE(pronounce({QStringLiteral("a"), QStringLiteral("ux"), QStringLiteral("b"), QStringLiteral("c")}, 1, echo,
                       2),
             QStringList({QStringLiteral("a"), QStringLiteral("ux"), QStringLiteral("b"), QStringLiteral("c")}));
    const QStringList markersAlike{QStringLiteral("sed"), QStringLiteral("-e"), QStringLiteral("s/^zqxj$/ux/")};
    QCOMPARE(pronounce({QStringLiteral("a"), QStringLiteral("ux"), QStringLiteral("b"), QStringLiteral("c")}, 1,
                       markersAlike, 2),
             QStringList({QString(), QString(), QStringLiteral("b"), QStringLiteral("c")}));
    // A failing or missing command leaves every word without pronunciation.
    for (const QStringList &broken :
         {QStringList{QStringLiteral("false")}, QStringList{QStringLiteral("no-such-program-for-lumi")}}) {
        const QStringList result = pronounce(texts, 2, broken, 5);
        QCOMPARE(result.size(), texts.size());
        QVERIFY(std::all_of(result.cbegin(), result.cend(), [](const QString &s) { return s.isEmpty(); }));
    }
    QVERIFY(pronounce({}, 2).isEmpty());
}

void TestWordNetBuilder::buildReadsBackThroughDataLayer()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const Builder *builder = BuilderRegistry::instance().find(QStringLiteral("e2e"));
    QVERIFY(builder);
    QCOMPARE(builder->outputs, QStringList(QStringLiteral("e2e.sdb")));
    BuildContext ctx;
    ctx.outDir = out.path();
    ctx.sources.wordnetDir = sampleDir();
    ctx.withSound = false;
    QVERIFY(builder->run(ctx));
    const QString db = ctx.outPath(QStringLiteral("e2e.sdb"));

    // IDs in byte order of the upper-case key; indexes on the key and the entry numbers.
    QCOMPARE(sqliteRows(db, "SELECT SWORD FROM e2e_word ORDER BY ID;"),
             QStringList({QStringLiteral("DIRTY DOG"), QStringLiteral("DOG"), QStringLiteral("DOG DAYS"),
                          QStringLiteral("DRY"), QStringLiteral("FRUMP"), QStringLiteral("GOOSE"),
                          QStringLiteral("HOT DOG"), QStringLiteral("HOTDOG"), QStringLiteral("SLAY"),
                          QStringLiteral("WET")}));
    QCOMPARE(sqliteRows(db, "SELECT group_concat(ID) FROM (SELECT ID FROM e2e_word ORDER BY ID);"),
             QStringList(QStringLiteral("1,2,3,4,5,6,7,8,9,10")));
    QCOMPARE(sqliteRows(db, "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name;"),
             QStringList({QStringLiteral("e2e_example_wid"), QStringLiteral("e2e_var_wid"),
                          QStringLiteral("e2e_word_sword"), QStringLiteral("e2e_word_wid")}));
    QCOMPARE(sqliteRows(db, "SELECT count(*) FROM e2e_example WHERE TEXT2 IS NULL OR TEXT3 IS NULL;"),
             QStringList(QStringLiteral("0")));
    const bool speaks = !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty();
    if (speaks)
        QCOMPARE(sqliteRows(db, "SELECT count(*) FROM e2e_word WHERE PRON NOT LIKE '/%/';"), QStringList("0"));

    DBManager manager;
    QVERIFY(manager.SetDictionaryPath((out.path() + QLatin1Char('/')).toUtf8().constData()));
    QVERIFY(manager.SetDictionary(DICTIONARY_E2E, nullptr));
    QCOMPARE(manager.GetCount(), 10);
    DataList *typed = manager.GetDataList(0, 3, QStringLiteral("dog d"), false);
    QCOMPARE(strings(typed), QStringList({QStringLiteral("dog days"), QStringLiteral("dry"), QStringLiteral("frump")}));
    DataList *exact = manager.GetDataList(0, 0, QStringLiteral("DOG"), true);
    QVERIFY(exact);
    QCOMPARE(exact->GetCount(), 1);
    const int wid = exact->GetItem(0)->GetValue(0);
    QCOMPARE(wid, 2);

    DataItem *entry = manager.GetDataIndex(wid);
    QVERIFY(entry);
    QCOMPARE(entry->GetString(0), QStringLiteral("dog"));
    QCOMPARE(entry->GetString(6), QStringLiteral("noun, verb"));
    QVERIFY(entry->GetString(4).isEmpty());
    if (speaks)
        QVERIFY(entry->GetString(1).startsWith(QLatin1Char('/')));
    DataList *groups = entry->GetSubList(0);
    QCOMPARE(strings(groups), QStringList({QStringLiteral("noun"), QStringLiteral("verb")}));
    DataList *nounSenses = groups->GetItem(0)->GetSubList(0);
    QVERIFY(nounSenses);
    QCOMPARE(nounSenses->GetCount(), 7);
    QVERIFY(nounSenses->GetItem(2)->GetString(0).startsWith(QLatin1String("3 informal term for a man")));
    QCOMPARE(strings(nounSenses->GetItem(2)->GetSubList(0)), QStringList(QStringLiteral("\"you lucky dog\"")));
    QCOMPARE(strings(nounSenses->GetItem(0)->GetSubList(0)),
             QStringList({QStringLiteral("\"the dog barked all night\""),
                          QStringLiteral("Synonyms: domestic dog, Canis familiaris"),
                          QStringLiteral("Type of: canine")}));
    QCOMPARE(groups->GetItem(1)->GetSubList(0)->GetCount(), 1);
    QCOMPARE(strings(entry->GetSubList(1)),
             QStringList({QStringLiteral("past forms: dogged"), QStringLiteral("-ing form: dogging")}));

    DataList *idioms = entry->GetSubList(2);
    QCOMPARE(strings(idioms),
             QStringList({QStringLiteral("dog days"), QStringLiteral("dirty dog"), QStringLiteral("hot dog")}));
    const QStringList hotDog = strings(idioms->GetItem(2)->GetSubList(0));
    QCOMPARE(hotDog.size(), 3);
    QVERIFY(hotDog[1].startsWith(QLatin1String("(noun) a frankfurter served hot")));

    // Variant line and usage page of a verb with irregular forms.
    exact = manager.GetDataList(0, 0, QStringLiteral("slay"), true);
    QVERIFY(exact);
    entry = manager.GetDataIndex(exact->GetItem(0)->GetValue(0));
    QCOMPARE(entry->GetString(4), QStringLiteral(", past slew"));
    if (speaks)
        QVERIFY(entry->GetString(5).startsWith(QLatin1Char('/')));
    QCOMPARE(strings(entry->GetSubList(1)), QStringList(QStringLiteral("past forms: slain, slew")));
    QVERIFY(!entry->GetSubList(2));
}

QTEST_GUILESS_MAIN(TestWordNetBuilder)
#include "tst_wordnetbuilder.moc"
