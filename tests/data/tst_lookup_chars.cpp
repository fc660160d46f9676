// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The character commands of lumi-lookup, run as a real process on fixture databases.
#include "cjk_fixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace CjkFixtures;

class TestLookupChars : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void jsonRows();
    void strokeImages();

private:
    struct Run
    {
        int code = -1;
        QByteArray out;
        QByteArray err;
    };
    Run lookup(const QStringList &args, const QString &dataDir = QString()) const;

    QTemporaryDir m_dir;
};

TestLookupChars::Run TestLookupChars::lookup(const QStringList &args, const QString &dataDir) const
{
    QProcess process;
    process.start(qEnvironmentVariable("LUMI_BINARY_DIR") + QStringLiteral("/tools/lookup/lumi-lookup"),
                  QStringList{QStringLiteral("--data"), dataDir.isEmpty() ? m_dir.path() : dataDir} + args);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void TestLookupChars::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(build(m_dir.path(), "hanja.sdb", "cjk_hanja.sql"));
    QVERIFY(build(m_dir.path(), "c2k.sdb", "cjk_c2k.sql"));
    QVERIFY(buildStrokeImages(m_dir.path()));
}

void TestLookupChars::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("output");

    QTest::newRow("hanja character") << QStringList{"character", "hanja", "5"} << 0
                                     << QStringLiteral("家 | 집 가 | 갓머리 | 10 | 7급");
    QTest::newRow("c2k character") << QStringList{"character", "c2k", "1001"} << 0 << QStringLiteral("爱 | 愛 | ài");
    QTest::newRow("unknown character") << QStringList{"character", "hanja", "999"} << 1 << QString();
    QTest::newRow("no character tables") << QStringList{"character", "korea", "5"} << 2 << QString();
    QTest::newRow("bad number") << QStringList{"character", "hanja", "x"} << 2 << QString();
    QTest::newRow("empty radical") << QStringList{"radical", "hanja", "6"} << 1 << QString();
    QTest::newRow("radical") << QStringList{"radical", "c2k", "3"} << 0 << QStringLiteral("爸 |  | bà | 아비 | 파");
    QTest::newRow("strokes") << QStringList{"strokes", "hanja", "10"} << 0 << QStringLiteral("家");
    QTest::newRow("no strokes") << QStringList{"strokes", "c2k", "26"} << 1 << QString();
    QTest::newRow("reading") << QStringList{"reading", "c2k", "팔"} << 0 << QStringLiteral("八");
    QTest::newRow("quoted reading") << QStringList{"reading", "hanja", "'가'"} << 1 << QString();
    QTest::newRow("pinyin") << QStringList{"pinyin", "b"} << 0 << QStringLiteral("ba");
    QTest::newRow("no pinyin") << QStringList{"pinyin", "q"} << 1 << QString();
    QTest::newRow("empty pinyin") << QStringList{"pinyin", ""} << 2 << QString();
    QTest::newRow("pinyin characters") << QStringList{"pinyinchars", "nang"} << 0 << QStringLiteral("齉");
    QTest::newRow("too many arguments") << QStringList{"radicals", "c2k", "3", "4"} << 2 << QString();
}

void TestLookupChars::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, output);

    const Run run = lookup(args);
    QCOMPARE(run.code, code);
    if (!output.isEmpty())
        QVERIFY2(QString::fromUtf8(run.out).contains(output), run.out.constData());
    if (code != 0)
        QVERIFY(!run.err.isEmpty());

    // Without the database file the same command cannot run at all.
    QTemporaryDir empty;
    if (code == 0)
        QCOMPARE(lookup(args, empty.path()).code, 2);
}

void TestLookupChars::jsonRows()
{
    const struct
    {
        QStringList args;
        int count;
    } cases[] = {
            {{"--json", "radicals", "hanja"}, 6},    {{"--json", "radicals", "c2k", "3"}, 2},
            {{"--json", "strokes", "c2k", "27"}, 2}, {{"--json", "reading", "hanja", "가"}, 4},
            {{"--json", "pinyinchars", "ba"}, 3},
    };
    for (const auto &c : cases) {
        const Run run = lookup(c.args);
        QCOMPARE(run.code, 0);
        const QJsonObject object = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(object.value(QStringLiteral("count")).toInt(), c.count);
        QCOMPARE(object.value(QStringLiteral("rows")).toArray().size(), c.count);
    }
    const Run run = lookup({"--json", "pinyin", "a"});
    const QJsonArray rows = QJsonDocument::fromJson(run.out).object().value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).toObject().value(QStringLiteral("strings")).toArray().at(0).toString(), QStringLiteral("an"));
}

void TestLookupChars::strokeImages()
{
    QTemporaryDir out;
    Run run = lookup({"strokeimages", "5", out.path()});
    QCOMPARE(run.code, 0);
    for (int i = 1; i <= 3; ++i) {
        const QImage image(out.path() + QStringLiteral("/5_%1.png").arg(i));
        QCOMPARE(image.size(), QSize(i, i));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));
    }

    // An undecodable picture is reported and not written.
    run = lookup({"strokeimages", "6", out.path()});
    QCOMPARE(run.code, 0);
    QVERIFY(run.err.contains("does not decode"));
    QVERIFY(!QFile::exists(out.path() + QStringLiteral("/6_1.png")));

    QCOMPARE(lookup({"strokeimages", "7", out.path()}).code, 1);
    QCOMPARE(lookup({"strokeimages", "5", out.path() + QStringLiteral("/missing")}).code, 2);
    QCOMPARE(lookup({"strokeimages", "-1", out.path()}).code, 2);
}

QTEST_GUILESS_MAIN(TestLookupChars)
#include "tst_lookup_chars.moc"
