// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DbWriter.h"
#include "SourceFiles.h"
#include "TextKeys.h"
#include "sqliterows.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestBuildFramework : public QObject
{
    Q_OBJECT
private slots:
    void writerPublishesOnlyFinishedFiles();
    void keysSortByBytes();
    void sourceFilesDecodeLinesAndArchives();
    void unihanRadicalsAndStrokes();
    void hanjaTxtAndKanjidic();
};

void TestBuildFramework::writerPublishesOnlyFinishedFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.sdb"));
    {
        DbWriter writer(path);
        QVERIFY(writer.open());
        QVERIFY(writer.exec(QStringLiteral("CREATE TABLE t (ID INTEGER PRIMARY KEY, name TEXT, n INTEGER, b BLOB);")));
        DbStatement insert = writer.prepare("INSERT INTO t (name, n, b) VALUES (?, ?, ?);");
        QVERIFY(insert.run({QStringLiteral("o'clock 學"), 42, QByteArray("\0\1", 2)}));
        QVERIFY(insert.run({QVariant(), qint64(1) << 40, QByteArray()}));
        QVERIFY(!insert.run({QStringLiteral("too"), 1, QByteArray(), 4})); // one value too many
        QVERIFY(!writer.exec(QStringLiteral("SELECT * FROM missing;")));
        QVERIFY(writer.error().contains(QLatin1String("missing")));
        QCOMPARE(writer.scalar(QStringLiteral("SELECT count(*) FROM t;")), 2);
        // Nothing is visible under the final name before finish().
        QVERIFY(!QFile::exists(path));
        QVERIFY(writer.finish({QStringLiteral("CREATE INDEX t_name ON t (name);")}));
    }
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    QCOMPARE(sqliteRows(path, "SELECT name FROM t WHERE n = 42;").value(0), QStringLiteral("o'clock 學"));
    QCOMPARE(sqliteRows(path, "SELECT n FROM t WHERE name IS NULL;").value(0), QStringLiteral("1099511627776"));
    QCOMPARE(sqliteRows(path, "SELECT length(b) FROM t WHERE n = 42;").value(0), QStringLiteral("2"));
    QCOMPARE(sqliteRows(path, "SELECT count(*) FROM sqlite_master WHERE name = 't_name';").value(0),
             QStringLiteral("1"));
    QVERIFY(sqliteRows(path, "SELECT count(*) FROM sqlite_stat1;").value(0).toInt() > 0);

    // An abandoned rebuild leaves the published file alone and removes its scratch file.
    {
        DbWriter writer(path);
        QVERIFY(writer.open());
        QVERIFY(writer.exec(QStringLiteral("CREATE TABLE other (x);")));
        QVERIFY(QFile::exists(path + QStringLiteral(".part")));
    }
    QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    QCOMPARE(sqliteRows(path, "SELECT name FROM t WHERE n = 42;").value(0), QStringLiteral("o'clock 學"));

    // A directory that does not exist: open fails with a message instead of crashing later.
    DbWriter nowhere(dir.filePath(QStringLiteral("no/such/dir/x.sdb")));
    QVERIFY(!nowhere.open());
    QVERIFY(!nowhere.error().isEmpty());
    QVERIFY(!nowhere.exec(QStringLiteral("SELECT 1;")));
    QVERIFY(!nowhere.prepare("SELECT 1;").isValid());
}

void TestBuildFramework::keysSortByBytes()
{
    QCOMPARE(TextKeys::asciiUpper(QStringLiteral("o'clock éa 학")), QStringLiteral("O'CLOCK éA 학"));
    // SQLite compares UTF-8 bytes: upper-case before lower-case, Latin before Hangul, and
    // supplementary-plane characters after everything in the basic plane (unlike UTF-16 order).
    std::vector<QString> rows{QStringLiteral("가"),     QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("𠀀"),
                              QStringLiteral("\uFF21"), QStringLiteral("a"), QStringLiteral("b")};
    std::vector<std::pair<QString, int>> tagged;
    for (size_t i = 0; i < rows.size(); ++i)
        tagged.emplace_back(rows[i], int(i));
    TextKeys::sortByKey(tagged, [](const auto &row) { return row.first; });
    QStringList order;
    for (const auto &row : tagged)
        order << row.first + QString::number(row.second);
    QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("B2 a5 b1 b6 가0 \uFF214 𠀀3"));
}

void TestBuildFramework::sourceFilesDecodeLinesAndArchives()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("lines.txt"));
    writeFile(plain, "\xEF\xBB\xBF"
                     "first\r\nsecond\n\nlast");
    const std::optional<QStringList> lines = SourceFiles::readLines(plain);
    QVERIFY(lines);
    QCOMPARE(*lines,
             (QStringList{QStringLiteral("first"), QStringLiteral("second"), QString(), QStringLiteral("last")}));

    QCOMPARE(QProcess::execute(QStringLiteral("gzip"), {QStringLiteral("-k"), plain}), 0);
    QCOMPARE(QProcess::execute(QStringLiteral("bzip2"), {QStringLiteral("-k"), plain}), 0);
    QCOMPARE(SourceFiles::readLines(plain + QStringLiteral(".gz")), lines);
    QCOMPARE(SourceFiles::readLines(plain + QStringLiteral(".bz2")), lines);

    // A corrupt archive and a missing file both answer "nothing", not partial text.
    writeFile(dir.filePath(QStringLiteral("bad.gz")), "not gzip at all");
    QVERIFY(!SourceFiles::read(dir.filePath(QStringLiteral("bad.gz"))));
    QVERIFY(!SourceFiles::read(dir.filePath(QStringLiteral("missing.txt"))));
    QCOMPARE(SourceFiles::firstExisting({dir.filePath(QStringLiteral("missing.txt")), QString(), plain}), plain);
}

void TestBuildFramework::unihanRadicalsAndStrokes()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("Unihan_IRGSources.txt")), "# comment\n"
                                                                     "U+4EBA\tkRSUnicode\t9.0\n"
                                                                     "U+4EBA\tkTotalStrokes\t2\n"
                                                                     "U+4EBB\tkRSUnicode\t9.0\n"
                                                                     "U+4EBB\tkTotalStrokes\t2\n"
                                                                     "U+5B50\tkRSUnicode\t39.0\n"
                                                                     "U+5B50\tkTotalStrokes\t3\n"
                                                                     "U+5B78\tkRSUnicode\t39.13\n"
                                                                     "U+5B78\tkTotalStrokes\t16\n"
                                                                     "U+9F9F\tkRSUnicode\t213'.0\n"
                                                                     "U+2F00\tkRSUnicode\t1.0\n"
                                                                     "U+4E00\tkRSUnicode\t1.0\n"
                                                                     "U+4E00\tkTotalStrokes\t1\n"
                                                                     "garbage line\n"
                                                                     "U+12\tkTotalStrokes\t3\n");
    writeFile(dir.filePath(QStringLiteral("Unihan_Readings.txt")),
              "U+5B78\tkHangul\t학:0E\r\nU+5B78\tkMandarin\txué\n");
    Unihan unihan;
    QVERIFY(unihan.load(dir.path(),
                        {QStringLiteral("kRSUnicode"), QStringLiteral("kTotalStrokes"), QStringLiteral("kHangul")}));
    QCOMPARE(unihan.value(0x5B78, QStringLiteral("kHangul")), QStringLiteral("학:0E"));
    QVERIFY(unihan.value(0x5B78, QStringLiteral("kMandarin")).isEmpty()); // not asked for
    QCOMPARE(unihan.radicalOf(0x5B78), 39);
    QCOMPARE(unihan.radicalOf(0x9F9F), 213);
    QCOMPARE(unihan.totalStrokes(0x5B78), 16);
    QCOMPARE(unihan.totalStrokes(0x1234), 0);
    const std::vector<Unihan::Radical> radicals = unihan.radicals();
    QCOMPARE(radicals.size(), size_t(214));
    QCOMPARE(radicals[0].character, QStringLiteral("一")); // the unified ideograph, not U+2F00
    QCOMPARE(radicals[8].character, QStringLiteral("人")); // 人 rather than 亻
    QCOMPARE(radicals[38].character, QStringLiteral("子"));
    QCOMPARE(radicals[38].strokes, 3);
    QVERIFY(radicals[212].character.isEmpty()); // only the primed simplified form was given

    // CJKRadicals.txt names the radical's own ideograph where the lowest "n.0" code point is
    // another character (乡 U+4E61 also counts as radical 52 with no residual strokes).
    writeFile(dir.filePath(QStringLiteral("Unihan_Extra.txt")),
              "U+4E61\tkRSUnicode\t52.0\nU+5E7A\tkRSUnicode\t52.0\nU+5E7A\tkTotalStrokes\t3\n");
    Unihan withoutList;
    QVERIFY(withoutList.load(dir.path(), {QStringLiteral("kRSUnicode"), QStringLiteral("kTotalStrokes")}));
    QCOMPARE(withoutList.radicals()[51].character, QStringLiteral("乡"));
    writeFile(dir.filePath(QStringLiteral("CJKRadicals.txt")),
              "# comment\n52; 2F34; 5E7A\n120; 2F77; 7CF8\n120'; 2EB0; 7E9F\n215; 2FD5; 9FA0\nx; y\n");
    Unihan withList;
    QVERIFY(withList.load(dir.path(), {QStringLiteral("kRSUnicode"), QStringLiteral("kTotalStrokes")}));
    const std::vector<Unihan::Radical> listed = withList.radicals();
    QCOMPARE(listed[51].character, QStringLiteral("幺"));
    QCOMPARE(listed[51].strokes, 3);
    QCOMPARE(listed[119].character, QStringLiteral("糸")); // the primed line does not replace it
    QCOMPARE(listed[8].character, QStringLiteral("人")); // not listed: the guess stays
    QCOMPARE(Unihan::parseCodePoint(u"U+20000"), char32_t(0x20000));
    QCOMPARE(Unihan::parseCodePoint(u"U+XYZW"), char32_t(0));
    QVERIFY(!Unihan().load(dir.filePath(QStringLiteral("none")), {QStringLiteral("kHangul")}));
}

void TestBuildFramework::hanjaTxtAndKanjidic()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("hanja.txt")),
              "# Copyright\n\n학:學:배울 학\n학교:學校:\nbroken line\n::\n가:家:집 가 \n");
    const std::vector<HanjaTxtEntry> entries = HanjaTxt::load(dir.filePath(QStringLiteral("hanja.txt")));
    QCOMPARE(entries.size(), size_t(3));
    QCOMPARE(entries[0].hanja, QStringLiteral("學"));
    QCOMPARE(entries[0].meaning, QStringLiteral("배울 학"));
    QCOMPARE(entries[1].reading, QStringLiteral("학교"));
    QVERIFY(entries[1].meaning.isEmpty());
    QCOMPARE(entries[2].meaning, QStringLiteral("집 가"));

    writeFile(dir.filePath(QStringLiteral("kanjidic2.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE kanjidic2 [\n<!ELEMENT kanjidic2 "
              "(header,character*)>\n]>\n"
              "<kanjidic2><header><file_version>4</file_version></header>\n"
              "<character><literal>学</literal><radical><rad_value rad_type=\"classical\">39</rad_value>"
              "<rad_value rad_type=\"nelson_c\">38</rad_value></radical>"
              "<misc><grade>1</grade><stroke_count>8</stroke_count><stroke_count>9</stroke_count><freq>63</freq></misc>"
              "<reading_meaning><rmgroup><reading r_type=\"korean_r\">hag</reading><reading "
              "r_type=\"korean_h\">학</reading>"
              "<reading r_type=\"ja_on\">ガク</reading><reading r_type=\"ja_kun\">まな.ぶ</reading>"
              "<meaning>study</meaning><meaning m_lang=\"fr\">étude</meaning><meaning>learning</meaning></rmgroup>"
              "</reading_meaning></character>\n"
              "<character><literal>一</literal><misc><stroke_count>1</stroke_count></misc></character></kanjidic2>\n");
    QCOMPARE(QProcess::execute(QStringLiteral("gzip"), {dir.filePath(QStringLiteral("kanjidic2.xml"))}), 0);
    const QHash<QString, KanjidicEntry> kanji = Kanjidic::load(dir.filePath(QStringLiteral("kanjidic2.xml.gz")));
    QCOMPARE(kanji.size(), 2);
    const KanjidicEntry gaku = kanji.value(QStringLiteral("学"));
    QCOMPARE(gaku.radical, 39);
    QCOMPARE(gaku.grade, 1);
    QCOMPARE(gaku.strokes, 8);
    QCOMPARE(gaku.frequency, 63);
    QCOMPARE(gaku.koreanHangul, QStringList{QStringLiteral("학")});
    QCOMPARE(gaku.onyomi, QStringList{QStringLiteral("ガク")});
    QCOMPARE(gaku.kunyomi, QStringList{QStringLiteral("まな.ぶ")});
    QCOMPARE(gaku.meanings, (QStringList{QStringLiteral("study"), QStringLiteral("learning")}));
    QCOMPARE(kanji.value(QStringLiteral("一")).grade, 0);

    writeFile(dir.filePath(QStringLiteral("broken.xml")), "<kanjidic2><character><literal>学</literal>");
    QVERIFY(Kanjidic::load(dir.filePath(QStringLiteral("broken.xml"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestBuildFramework)
#include "tst_buildframework.moc"
