// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DBManager.h"
#include "Data.h"
#include "PhrasebookBuilder.h"
#include "Speech.h"
#include "sqliterows.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

namespace {

// The single number a statement returns, or -1 when it returns none.
qint64 count(const QString &db, const QString &sql)
{
    bool ok = false;
    const qint64 value = sqliteRows(db, sql).value(0).toLongLong(&ok);
    return ok ? value : -1;
}

bool any(const QString &text, bool (*test)(char32_t))
{
    const auto points = text.toUcs4();
    return std::any_of(points.begin(), points.end(), test);
}

bool isHangul(char32_t c)
{
    return c >= 0xAC00 && c <= 0xD7A3;
}
bool isKana(char32_t c)
{
    return c >= 0x3041 && c <= 0x30FF;
}
bool isHan(char32_t c)
{
    return c >= 0x4E00 && c <= 0x9FFF;
}
bool isLatinLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isToneMarked(char32_t c)
{
    return QStringLiteral("āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ").toUcs4().contains(c);
}
bool isNotPinyin(char32_t c)
{
    return !isLatinLetter(c) && !isToneMarked(c) && !QStringLiteral("ü ,.?!'0123456789").toUcs4().contains(c);
}
// Traditional forms that slip in for their simplified counterparts.
bool isTraditional(char32_t c)
{
    return QStringLiteral("們這來個時過謝說會對還點買賣錢號車裡間門開關樓電飯麵").toUcs4().contains(c);
}

QString minimalBook(const QString &extra = QString())
{
    return QStringLiteral("# comment\n@ 인사\n* 제목 | Title | 메모\n"
                          "A | 안녕하세요. | Hello. | 駅です。 | えきです。 | 你好。 | Nǐ hǎo.\n")
           + extra;
}

QByteArray dirPath(const QTemporaryDir &dir)
{
    return QFile::encodeName(dir.path()) + '/';
}

} // namespace

class TestPhrasebookBuilder : public QObject
{
    Q_OBJECT
private slots:
    void builtInBookIsComplete();
    void parserRejectsBrokenBooks_data();
    void parserRejectsBrokenBooks();
    void booksReadBackThroughDataLayer();
    void recordingsPlayBack();
};

void TestPhrasebookBuilder::builtInBookIsComplete()
{
    QString error;
    const std::optional<Phrasebook> book = PhrasebookBuilder::builtIn(&error);
    QVERIFY2(book, qPrintable(error));
    QVERIFY(book->sections.size() >= 5);
    QStringList names;
    for (const PhraseSection &section : book->sections)
        names << section.name;
    for (const char *needed : {"인사", "길 찾기", "쇼핑", "식당", "교통"})
        QVERIFY2(names.contains(QString::fromUtf8(needed)), needed);

    QSet<QString> titles;
    for (const PhraseSection &section : book->sections) {
        QVERIFY2(section.situations.size() >= 4, qPrintable(section.name));
        for (const PhraseSituation &situation : section.situations) {
            const QByteArray where = (section.name + QStringLiteral(" / ") + situation.titleKorean).toUtf8();
            QVERIFY2(!titles.contains(situation.titleKorean), where.constData());
            titles.insert(situation.titleKorean);
            QVERIFY2(situation.lines.size() >= 4 && situation.lines.size() <= 8, where.constData());
            QVERIFY2(any(situation.note, isHangul), where.constData());
            QVERIFY2(!any(situation.titleEnglish, isHangul), where.constData());
            for (const PhraseLine &line : situation.lines) {
                const QByteArray at = where + " / " + line.korean.toUtf8();
                QVERIFY2(!line.talker.isEmpty(), at.constData());
                QVERIFY2(any(line.korean, isHangul) && !any(line.korean, isHan), at.constData());
                QVERIFY2(any(line.english, isLatinLetter) && !any(line.english, isHangul) && !any(line.english, isHan)
                                 && !any(line.english, isKana),
                         at.constData());
                QVERIFY2(any(line.japanese, isKana) && !any(line.japanese, isHangul), at.constData());
                // What the synthesiser reads must be kana alone: it drops kanji and reads Latin as English.
                const QString spoken = PhrasebookBuilder::japaneseSpeech(line);
                QVERIFY2(!any(spoken, isHan) && !any(spoken, isLatinLetter), at.constData());
                QVERIFY2(any(line.chinese, isHan) && !any(line.chinese, isKana) && !any(line.chinese, isHangul)
                                 && !any(line.chinese, isTraditional),
                         at.constData());
                QVERIFY2(any(line.pinyin.toLower(), isToneMarked) && !any(line.pinyin.toLower(), isNotPinyin),
                         at.constData());
            }
        }
    }
    QVERIFY(book->situationCount() >= 20);
    QCOMPARE(book->situationCount(), titles.size());
}

void TestPhrasebookBuilder::parserRejectsBrokenBooks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault"); // empty: the text parses

    QTest::newRow("minimal book") << minimalBook() << QString();
    QTest::newRow("kana needs no spoken form")
            << minimalBook(QStringLiteral("B | 네. | Yes. | はい。 | | 是。 | Shì.\n")) << QString();
    QTest::newRow("empty text") << QString() << QStringLiteral("no sections");
    QTest::newRow("line before a situation")
            << QStringLiteral("@ 인사\nA | 네. | Yes. | はい。 | | 是。 | Shì.\n") << QStringLiteral("line 2:");
    QTest::newRow("situation before a section")
            << QStringLiteral("* 제목 | Title | 메모\n") << QStringLiteral("line 1: situation before");
    QTest::newRow("six fields") << minimalBook(QStringLiteral("B | 네. | Yes. | はい。 | 是。 | Shì.\n"))
                                << QStringLiteral("line 5: a dialogue line needs 7");
    QTest::newRow("empty Korean") << minimalBook(QStringLiteral("B |  | Yes. | はい。 | | 是。 | Shì.\n"))
                                  << QStringLiteral("line 5: field 2");
    QTest::newRow("empty pinyin") << minimalBook(QStringLiteral("B | 네. | Yes. | はい。 | | 是。 | \n"))
                                  << QStringLiteral("line 5: field 7");
    QTest::newRow("kanji without kana") << minimalBook(QStringLiteral("B | 역. | Station. | 駅。 | | 站。 | Zhàn.\n"))
                                        << QStringLiteral("line 5: the spoken");
    QTest::newRow("kanji in the spoken form")
            << minimalBook(QStringLiteral("B | 역. | Station. | 駅。 | 駅。 | 站。 | Zhàn.\n"))
            << QStringLiteral("line 5: the spoken");
    QTest::newRow("Chinese and pinyin swapped")
            << minimalBook(QStringLiteral("B | 네. | Yes. | はい。 | | Shì. | 是。\n"))
            << QStringLiteral("line 5: Chinese");
    QTest::newRow("situation without lines")
            << minimalBook(QStringLiteral("* 빈 제목 | Empty | 메모\n* 다음 | Next | 메모\n"))
            << QStringLiteral("line 6: situation \"빈 제목\" has no lines");
    QTest::newRow("last situation without lines")
            << minimalBook(QStringLiteral("* 빈 제목 | Empty | 메모\n")) << QStringLiteral("has no lines");
    QTest::newRow("section without situations")
            << minimalBook(QStringLiteral("@ 빈 부분\n@ 다음\n")) << QStringLiteral("line 6: section \"빈 부분\"");
    QTest::newRow("situation without note")
            << QStringLiteral("@ 인사\n* 제목 | Title\n") << QStringLiteral("line 2: a situation needs");
}

void TestPhrasebookBuilder::parserRejectsBrokenBooks()
{
    QFETCH(QString, text);
    QFETCH(QString, fault);
    QString error;
    const std::optional<Phrasebook> book = PhrasebookBuilder::parse(text, &error);
    if (fault.isEmpty()) {
        QVERIFY2(book, qPrintable(error));
        QCOMPARE(book->sections.size(), size_t(1));
        QCOMPARE(book->sections[0].situations[0].titleEnglish, QStringLiteral("Title"));
        const PhraseLine &line = book->sections[0].situations[0].lines[0];
        QCOMPARE(line.japaneseSpoken, QStringLiteral("えきです。"));
        QCOMPARE(line.pinyin, QStringLiteral("Nǐ hǎo."));
        // A kana-only line is spoken as written.
        for (const PhraseLine &other : book->sections[0].situations[0].lines) {
            if (other.japaneseSpoken.isEmpty())
                QCOMPARE(PhrasebookBuilder::japaneseSpeech(other), other.japanese);
        }
    } else {
        QVERIFY(!book);
        QVERIFY2(error.contains(fault), qPrintable(error));
    }
}

void TestPhrasebookBuilder::booksReadBackThroughDataLayer()
{
    const std::optional<Phrasebook> book = PhrasebookBuilder::builtIn();
    QVERIFY(book);
    QTemporaryDir dir;
    BuildContext ctx;
    ctx.outDir = dir.path();
    ctx.withSound = false;
    QVERIFY(PhrasebookBuilder::write(ctx, *book));
    QVERIFY(!QFile::exists(ctx.outPath(QStringLiteral("sound_con.sdb"))));

    const qint64 sections = qint64(book->sections.size());
    QCOMPARE(count(ctx.outPath(QStringLiteral("econ.sdb")), QStringLiteral("SELECT count(*) FROM econ_title;")),
             qint64(book->situationCount()));
    QCOMPARE(count(ctx.outPath(QStringLiteral("jcon.sdb")), QStringLiteral("SELECT count(*) FROM jcon_conversation;")),
             qint64(book->lineCount()));
    QCOMPARE(count(ctx.outPath(QStringLiteral("ccon.sdb")), QStringLiteral("SELECT count(*) FROM ccon_conversation;")),
             qint64(book->lineCount()));
    QCOMPARE(count(ctx.outPath(QStringLiteral("ccon.sdb")),
                   QStringLiteral("SELECT count(*) FROM ccon_conversation WHERE sound2 IS NOT NULL;")),
             qint64(0));

    DBManager db;
    QVERIFY(db.SetDictionaryPath(dirPath(dir).constData()));
    QVERIFY(db.SetSoundPath(dirPath(dir).constData()));
    const PhraseSection &second = book->sections[1];
    const PhraseSituation &situation = second.situations[1];
    for (int kind : {DICTIONARY_ECONVERSATION, DICTIONARY_JCONVERSATION, DICTIONARY_CCONVERSATION}) {
        QVERIFY(db.SetDictionary(kind, nullptr));
        QCOMPARE(db.GetCount(), int(sections));

        // Section names come back whole once the reader cuts the stored trailing character.
        DataList *list = db.GetDataList(1, 100, QString(), false);
        QVERIFY(list);
        QCOMPARE(list->GetCount(), int(sections));
        for (int i = 0; i < list->GetCount(); ++i) {
            QCOMPARE(list->GetItem(i)->GetString(0), book->sections[size_t(i)].name);
            QCOMPARE(list->GetItem(i)->GetValue(0), i + 1);
        }
        list = db.GetDataList(3, 2, QString(), false);
        QVERIFY(list);
        QCOMPARE(list->GetCount(), 2);
        QCOMPARE(list->GetItem(0)->GetString(0), book->sections[2].name);

        DataList *titles = db.GetDataIndexList(2);
        QVERIFY(titles);
        QCOMPARE(titles->GetCount(), int(second.situations.size()));
        for (int i = 0; i < titles->GetCount(); ++i)
            QCOMPARE(titles->GetItem(i)->GetString(0), second.situations[size_t(i)].titleKorean);

        DataItem *dialogue = db.GetDataIndex(titles->GetItem(1)->GetValue(0));
        QVERIFY(dialogue);
        if (kind == DICTIONARY_ECONVERSATION) {
            QCOMPARE(dialogue->GetString(0), situation.titleEnglish);
            QCOMPARE(dialogue->GetString(1), situation.note);
        } else {
            QCOMPARE(dialogue->GetString(0), situation.note);
        }
        DataList *lines = dialogue->GetSubList(0);
        QVERIFY(lines);
        QCOMPARE(lines->GetCount(), int(situation.lines.size()));
        for (int i = 0; i < lines->GetCount(); ++i) {
            const PhraseLine &expected = situation.lines[size_t(i)];
            const DataItem *line = lines->GetItem(i);
            QCOMPARE(line->GetString(0), expected.talker);
            QCOMPARE(line->GetString(1), kind == DICTIONARY_ECONVERSATION   ? expected.english
                                         : kind == DICTIONARY_JCONVERSATION ? expected.japanese
                                                                            : expected.chinese);
            QCOMPARE(line->GetString(2), expected.korean);
            QCOMPARE(line->GetString(3), QString()); // no recordings in this build
            if (kind == DICTIONARY_CCONVERSATION)
                QCOMPARE(line->GetString(4), expected.pinyin);
        }
    }
}

void TestPhrasebookBuilder::recordingsPlayBack()
{
    if (!Speech::available())
        QSKIP("espeak-ng and lame are needed to record");
    const std::optional<Phrasebook> book = PhrasebookBuilder::builtIn();
    QVERIFY(book);
    QTemporaryDir dir;
    BuildContext ctx;
    ctx.outDir = dir.path();
    ctx.withSound = true;
    ctx.soundLimit = 6; // the first two lines, in all three languages
    QVERIFY(PhrasebookBuilder::write(ctx, *book));
    const QString sound = ctx.outPath(QStringLiteral("sound_con.sdb"));
    for (const char *table : {"e_conversation", "j_conversation", "c_conversation"})
        QCOMPARE(count(sound, QStringLiteral("SELECT count(*) FROM %1;").arg(QLatin1String(table))), qint64(2));

    DBManager db;
    QVERIFY(db.SetDictionaryPath(dirPath(dir).constData()));
    QVERIFY(db.SetSoundPath(dirPath(dir).constData()));
    const struct
    {
        int kind;
        const char *first;
    } books[] = {{DICTIONARY_ECONVERSATION, "e_01_01_01.mp3"},
                 {DICTIONARY_JCONVERSATION, "j_01_01_01.mp3"},
                 {DICTIONARY_CCONVERSATION, "c_01_01_01.mp3"}};
    QByteArray previous;
    for (const auto &entry : books) {
        QVERIFY(db.SetDictionary(entry.kind, nullptr));
        DataItem *dialogue = db.GetDataIndex(db.GetDataIndexList(1)->GetItem(0)->GetValue(0));
        QVERIFY(dialogue && dialogue->GetSubList(0));
        const DataList *lines = dialogue->GetSubList(0);
        QCOMPARE(lines->GetItem(0)->GetString(3), QString::fromLatin1(entry.first));
        QVERIFY(!lines->GetItem(1)->GetString(3).isEmpty());
        QCOMPARE(lines->GetItem(2)->GetString(3), QString()); // beyond the limit: no recording named

        void *data = nullptr;
        int length = 0;
        QCOMPARE(db.GetSound(entry.first, &data, &length), 1);
        const QByteArray clip(static_cast<const char *>(data), length);
        std::free(data);
        // A real spoken sentence, not a stub: an MP3 of well over a kilobyte.
        QVERIFY2(length > 1000, entry.first);
        QVERIFY(clip.startsWith("ID3") || (uchar(clip.at(0)) == 0xFF && (uchar(clip.at(1)) & 0xE0) == 0xE0));
        QVERIFY(clip != previous); // each book has its own language's recording
        previous = clip;
    }
}

QTEST_GUILESS_MAIN(TestPhrasebookBuilder)
#include "tst_phrasebookbuilder.moc"
