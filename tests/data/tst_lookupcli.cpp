// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// lumi-lookup as a black box: exit codes, output and JSON.
#include "englishfixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_LookupCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void jsonEntry();
    void jsonLists();
    void soundExtraction();

private:
    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };
    Run run(const QStringList &args, bool withData = true);

    QTemporaryDir m_dir;
    QString m_tool;
};

tst_LookupCli::Run tst_LookupCli::run(const QStringList &args, bool withData)
{
    QProcess process;
    process.start(m_tool, withData ? QStringList{QStringLiteral("--data"), m_dir.path()} + args : args);
    Run result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.code = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void tst_LookupCli::initTestCase()
{
    m_tool = QString::fromLocal8Bit(qgetenv("LUMI_BINARY_DIR")) + QLatin1String("/tools/lookup/lumi-lookup");
    QVERIFY2(QFile::exists(m_tool), qPrintable(m_tool));
    QVERIFY(m_dir.isValid());
    QVERIFY(EnglishFixtures::buildAll(m_dir.path() + QLatin1Char('/')));
}

void tst_LookupCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("withData");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected"); // in stdout on success

    QTest::newRow("nearest") << QStringList{"list", "e2k", "ap", "--count", "3"} << true << 0
                             << "apple  #103, 4, 0\nbanana  #104, 5, 0\nbook  #105, 6, 0\n";
    QTest::newRow("by number") << QStringList{"list", "3", "ca"} << true << 0 << "cat  #106, 8, 0\n";
    QTest::newRow("nearest beyond the end") << QStringList{"list", "e2k", "zz"} << true << 1 << "";
    QTest::newRow("exact with quotes") << QStringList{"exact", "e2k", "rock 'n' roll"} << true << 0 << "rock 'n' roll";
    QTest::newRow("exact not found") << QStringList{"exact", "e2e", "pear"} << true << 1 << "";
    QTest::newRow("exact, 10 000 characters")
            << QStringList{"exact", "k2e", QString(10000, QLatin1Char('x'))} << true << 1 << "";
    QTest::newRow("by ID") << QStringList{"ids", "k2e", "4"} << true << 0
                           << "사과 [沙果]  #304, 4\n사과 [謝過]  #305, 5\n";
    QTest::newRow("by ID past the end") << QStringList{"ids", "e2k", "99"} << true << 1 << "";
    QTest::newRow("negative ID") << QStringList{"ids", "e2k", "-1"} << true << 2 << "";
    QTest::newRow("ID not a number") << QStringList{"ids", "e2k", "abc"} << true << 2 << "";
    QTest::newRow("entry") << QStringList{"entry", "e2k", "103"} << true << 0 << "apple | ǽpl | 5 | n. | apple.mp3\n";
    QTest::newRow("unknown entry") << QStringList{"entry", "e2k", "9999"} << true << 1 << "";
    QTest::newRow("entry without number") << QStringList{"entry", "e2k"} << true << 2 << "";
    QTest::newRow("missing database") << QStringList{"entry", "hanja", "1"} << true << 2 << "";
    QTest::newRow("unknown dictionary") << QStringList{"list", "klingon", "a"} << true << 2 << "";
    QTest::newRow("count") << QStringList{"count", "e2e"} << true << 0 << "4\n";
    QTest::newRow("total") << QStringList{"total", "k2e,e2e,e2k", "apple"} << true << 0
                           << "e2e\tapple\t201\ne2k\tapple\t103\n";
    QTest::newRow("total, nothing") << QStringList{"total", "e2k", "xyzzy"} << true << 1 << "";
    QTest::newRow("total, missing database") << QStringList{"total", "korea,e2k", "apple"} << true << 2 << "";
    QTest::newRow("no data option") << QStringList{"list", "e2k", "a"} << false << 2 << "";
    QTest::newRow("unreadable data directory")
            << QStringList{"--data", "/nonexistent/lumi", "list", "e2k", "a"} << false << 2 << "";
    QTest::newRow("unknown command") << QStringList{"define", "e2k", "a"} << true << 2 << "";
    QTest::newRow("unknown option") << QStringList{"--fast", "list", "e2k", "a"} << true << 2 << "";
    QTest::newRow("no command") << QStringList{} << true << 2 << "";
    QTest::newRow("help") << QStringList{"--help"} << false << 0 << "Exit status: 0 found";
}

void tst_LookupCli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(bool, withData);
    QFETCH(int, code);
    QFETCH(QString, expected);
    const Run r = run(args, withData);
    QCOMPARE(r.code, code);
    if (code == 0) {
        QVERIFY2(r.out.contains(expected), qPrintable(r.out));
        QVERIFY(r.err.isEmpty());
    } else {
        // Failures explain themselves in exactly one line.
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY(r.err.startsWith(QLatin1String("lumi-lookup: ")));
    }
    if (code != 0)
        QVERIFY(r.out.isEmpty());
}

void tst_LookupCli::jsonEntry()
{
    const Run r
            = run({QStringLiteral("--json"), QStringLiteral("entry"), QStringLiteral("e2k"), QStringLiteral("103")});
    QCOMPARE(r.code, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject entry = doc.object();
    QCOMPARE(entry.value(QLatin1String("strings")).toArray().at(4).toString(), QStringLiteral("apple.mp3"));
    const QJsonArray subLists = entry.value(QLatin1String("subLists")).toArray();
    QCOMPARE(subLists.size(), 5);
    QCOMPARE(subLists.at(2).toArray().size(), 100);
    const QJsonObject group = subLists.at(0).toArray().at(0).toObject();
    QCOMPARE(group.value(QLatin1String("values")).toArray().at(0).toInt(), 1);
    const QJsonObject sense = group.value(QLatin1String("subLists")).toArray().at(0).toArray().at(0).toObject();
    QCOMPARE(sense.value(QLatin1String("strings")).toArray().at(0).toString(), QStringLiteral("사과"));

    const Run able
            = run({QStringLiteral("--json"), QStringLiteral("entry"), QStringLiteral("e2k"), QStringLiteral("102")});
    const QJsonArray empty
            = QJsonDocument::fromJson(able.out.toUtf8()).object().value(QLatin1String("subLists")).toArray();
    QCOMPARE(empty.size(), 5);
    QVERIFY(empty.at(0).isNull());
}

void tst_LookupCli::jsonLists()
{
    Run r = run({QStringLiteral("--json"), QStringLiteral("exact"), QStringLiteral("e2k"), QStringLiteral("BOOK")});
    QCOMPARE(r.code, 0);
    QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(doc.value(QLatin1String("count")).toInt(), 2);
    QCOMPARE(
            doc.value(QLatin1String("rows")).toArray().at(1).toObject().value(QLatin1String("strings")).toArray().at(0),
            QJsonValue(QStringLiteral("Book")));

    r = run({QStringLiteral("total"), QStringLiteral("1,2,3"), QStringLiteral("사과"), QStringLiteral("--json")});
    QCOMPARE(r.code, 0);
    doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonArray rows = doc.value(QLatin1String("rows")).toArray();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).toObject().value(QLatin1String("dictionary")).toString(), QStringLiteral("k2e"));
    QCOMPARE(rows.at(1).toObject().value(QLatin1String("entry")).toInt(), 305);

    r = run({QStringLiteral("--json"), QStringLiteral("list"), QStringLiteral("e2k"), QStringLiteral("zz")});
    QCOMPARE(r.code, 1);
    doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(doc.value(QLatin1String("count")).toInt(), 0);
    QCOMPARE(r.err, QStringLiteral("lumi-lookup: nothing found\n"));
}

void tst_LookupCli::soundExtraction()
{
    const QString out = m_dir.path() + QLatin1String("/clip.mp3");
    Run r = run({QStringLiteral("sound"), QStringLiteral("e2e"), QStringLiteral("banana.mp3"), out});
    QCOMPARE(r.code, 0);
    QFile clip(out);
    QVERIFY(clip.open(QIODevice::ReadOnly));
    QCOMPARE(clip.readAll(), QByteArray::fromHex("494433030000000000FFFB9064"));
    r = run({QStringLiteral("sound"), QStringLiteral("e2k"), QStringLiteral("axe.mp3"), out});
    QCOMPARE(r.code, 1);
    r = run({QStringLiteral("sound"), QStringLiteral("e2k"), QStringLiteral("zebra.mp3"), out});
    QCOMPARE(r.code, 1);
    r = run({QStringLiteral("sound"), QStringLiteral("e2k"), QStringLiteral("apple.mp3"),
             m_dir.path() + QLatin1String("/no/such/dir/clip.mp3")});
    QCOMPARE(r.code, 2);
}

QTEST_GUILESS_MAIN(tst_LookupCli)
#include "tst_lookupcli.moc"
