// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "inimanager.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <QDir>

#include <csignal>
#include <sys/resource.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

} // namespace

class tst_INIManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parseLines_data();
    void parseLines();
    void longLines();
    void missingFile();
    void oversizedFileDeleted();
    void loadMergesIntoMap();
    void saveAscendingAndRoundTrip();
    void saveKeepsOldFileWhenItCannotComplete();

private:
    QTemporaryDir m_dir;
};

void tst_INIManager::parseLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // a null value means "key absent"

    QTest::newRow("key and value") << QByteArray("Display-FontSize_2\n") << "Display-FontSize"
                                   << "2";
    QTest::newRow("value after the last underscore") << QByteArray("A_b_c_d\n") << "A"
                                                     << "d";
    QTest::newRow("key before the first underscore") << QByteArray("A_b_c_d\n") << "A_b" << QString();
    QTest::newRow("no underscore: whole line both ways") << QByteArray("Plain line\n") << "Plain line"
                                                         << "Plain line";
    QTest::newRow("empty value") << QByteArray("Key_\n") << "Key"
                                 << "";
    QTest::newRow("last line without line feed") << QByteArray("A_1\nB_2") << "B"
                                                 << "2";
    QTest::newRow("check box key with brackets")
            << QByteArray("TotalSearch-CheckBox[3]_1\n") << "TotalSearch-CheckBox[3]"
            << "1";
    QTest::newRow("later line wins") << QByteArray("K_1\nK_2\n") << "K"
                                     << "2";
}

void tst_INIManager::parseLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString path = m_dir.filePath(QStringLiteral("parse.ini"));
    writeFile(path, content);
    INIManager ini;
    QCOMPARE(ini.load(path), 1);
    QVERIFY(ini.isLoaded());
    QCOMPARE(ini.GetData(key), value);
    QCOMPARE(ini.GetData(key).isNull(), value.isNull());
}

void tst_INIManager::longLines()
{
    const QString path = m_dir.filePath(QStringLiteral("long.ini"));
    // 100 characters are read at once: the 150-character line becomes two entries.
    const QByteArray first = "K_" + QByteArray(98, 'a'); // exactly 100 characters
    const QByteArray rest = "Tail_" + QByteArray(45, 'b');
    const QByteArray exact = "E_" + QByteArray(98, 'c'); // a line of exactly 100 characters
    writeFile(path, first + rest + "\n" + exact + "\nNext_1\n");
    INIManager ini;
    QCOMPARE(ini.load(path), 1);
    QCOMPARE(ini.GetData(QStringLiteral("K")), QString(98, QLatin1Char('a')));
    QCOMPARE(ini.GetData(QStringLiteral("Tail")), QString(45, QLatin1Char('b')));
    QCOMPARE(ini.GetData(QStringLiteral("E")), QString(98, QLatin1Char('c')));
    QCOMPARE(ini.GetData(QStringLiteral("Next")), QStringLiteral("1"));
    QCOMPARE(ini.entries().size(), 4);
}

void tst_INIManager::missingFile()
{
    INIManager ini;
    ini.SetData(QStringLiteral("Kept"), QStringLiteral("1"));
    QCOMPARE(ini.load(m_dir.filePath(QStringLiteral("nothing-here.ini"))), 0);
    QVERIFY(!ini.isLoaded());
    QCOMPARE(ini.GetData(QStringLiteral("Kept")), QStringLiteral("1"));
    QVERIFY(ini.GetData(QStringLiteral("Other")).isNull());
}

void tst_INIManager::oversizedFileDeleted()
{
    const QString big = m_dir.filePath(QStringLiteral("big.ini"));
    writeFile(big, "A_1\n" + QByteArray(INIManager::MaxFileSize - 4, 'x'));
    QCOMPARE(QFileInfo(big).size(), 102401);
    INIManager ini;
    QCOMPARE(ini.load(big), 0);
    QVERIFY(!QFile::exists(big));
    QVERIFY(ini.GetData(QStringLiteral("A")).isNull());

    const QString justBelow = m_dir.filePath(QStringLiteral("below.ini"));
    writeFile(justBelow, "A_1\n" + QByteArray(INIManager::MaxFileSize - 5, 'x'));
    QCOMPARE(ini.load(justBelow), 1);
    QVERIFY(QFile::exists(justBelow));
    QCOMPARE(ini.GetData(QStringLiteral("A")), QStringLiteral("1"));
}

void tst_INIManager::loadMergesIntoMap()
{
    const QString path = m_dir.filePath(QStringLiteral("merge.ini"));
    writeFile(path, "B_file\nC_3\n");
    INIManager ini;
    ini.SetData(QStringLiteral("A"), QStringLiteral("mine"));
    ini.SetData(QStringLiteral("B"), QStringLiteral("mine"));
    QCOMPARE(ini.load(path), 1);
    QCOMPARE(ini.GetData(QStringLiteral("A")), QStringLiteral("mine"));
    QCOMPARE(ini.GetData(QStringLiteral("B")), QStringLiteral("file"));
    QCOMPARE(ini.GetData(QStringLiteral("C")), QStringLiteral("3"));
}

void tst_INIManager::saveAscendingAndRoundTrip()
{
    const QString path = m_dir.filePath(QStringLiteral("save.ini"));
    writeFile(path, "Stale_old\nUnknown-Key_9\n");
    INIManager ini;
    ini.SetData(QStringLiteral("Display-FontSize"), QStringLiteral("2"));
    ini.SetData(QStringLiteral("Display-AssignView"), QStringLiteral("0"));
    // "영한사전" in EUC-KR, as the settings screen stores it.
    const QByteArray eucKr("\xBF\xB5\xC7\xD1\xBB\xE7\xC0\xFC");
    ini.SetData(QStringLiteral("Display-InitDic"), QString::fromLatin1(eucKr));
    QCOMPARE(ini.save(path), 1);
    QCOMPARE(readFile(path), "Display-AssignView_0\nDisplay-FontSize_2\nDisplay-InitDic_" + eucKr + "\n");

    INIManager again;
    QCOMPARE(again.load(path), 1);
    again.SetData(QStringLiteral("Unknown-Key"), QStringLiteral("9"));
    QCOMPARE(again.save(path), 1);
    QCOMPARE(readFile(path),
             "Display-AssignView_0\nDisplay-FontSize_2\nDisplay-InitDic_" + eucKr + "\nUnknown-Key_9\n");
}

void tst_INIManager::saveKeepsOldFileWhenItCannotComplete()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dicset.ini"));
    const QByteArray old("Display-FontSize_1\n");
    writeFile(path, old);
    INIManager ini;
    QCOMPARE(ini.load(path), 1);
    ini.SetData(QStringLiteral("Display-FontSize"), QStringLiteral("2"));
    for (int i = 0; i < 200; ++i)
        ini.SetData(QStringLiteral("Filler%1").arg(i), QString(40, QLatin1Char('x')));

    // The disk "fills up" after 64 bytes (a file-size limit binds every user, root included):
    // the write fails part-way and the old file must stay whole.
    struct rlimit saved
    {
    };
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = 64;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &tight) == 0);
    const int result = ini.save(path);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &saved) == 0);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(result, 0);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"dicset.ini"}));

    // A directory that does not exist cannot take the file either.
    QCOMPARE(ini.save(dir.filePath(QStringLiteral("no/such/dir/dicset.ini"))), 0);

    // A save that can complete replaces the file.
    QCOMPARE(ini.save(path), 1);
    QVERIFY(readFile(path).startsWith("Display-FontSize_2\nFiller0_"));
}

QTEST_GUILESS_MAIN(tst_INIManager)
#include "tst_inimanager.moc"
