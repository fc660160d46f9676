// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ClassMngr.h"
#include "DBManager.h"
#include "QCopChannel.h"
#include "QCopEnvelope.h"
#include "commapi.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray eucKr(const char *utf8)
{
    QStringEncoder enc("EUC-KR");
    return enc.encode(QString::fromUtf8(utf8));
}

// Builds a database in dir from one of the data layer's SQL fixtures.
bool buildDatabase(const QString &dir, const QString &fixture, const QString &file)
{
    const QByteArray sql = readFile(qEnvironmentVariable("LUMI_SOURCE_DIR") + "/tests/data/fixtures/" + fixture);
    if (sql.startsWith("<missing>"))
        return false;
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(dir + file).constData(), &db) != SQLITE_OK)
        return false;
    const bool ok = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

class tst_CommAPI : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void readSetting_data();
    void readSetting();
    void writeSetting_data();
    void writeSetting();
    void lastDictionaryFirstRead();
    void unknownKeysSurviveAndOrder();
    void checkLanguage_data();
    void checkLanguage();
    void colours_data();
    void colours();
    void currentFont_data();
    void currentFont();
    void questionBox();
    void displayOffTime_data();
    void displayOffTime();
    void dictionarySwitching();
    void dictionariesOfWord();

private:
    QTemporaryDir m_dir;
    QString m_settings;
};

void tst_CommAPI::init()
{
    m_settings = m_dir.filePath(QStringLiteral("dicset.ini"));
    QFile::remove(m_settings);
    qputenv("LUMI_SETTINGS_FILE", QFile::encodeName(m_settings));
    qputenv("LUMI_DATA_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("nodata/"))));
}

void tst_CommAPI::readSetting_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("expected");

    // Start dictionary.
    QTest::newRow("start: nothing stored") << QByteArray() << 0 << 0;
    QTest::newRow("start: last used") << QByteArray("Display-AssignView_1\n") << 0 << 10;
    QTest::newRow("start: total search") << QByteArray("Display-AssignView_0\nDisplay-TotalSearch_0\n") << 0 << 0;
    QTest::newRow("start: choice missing") << QByteArray("Display-AssignView_0\n") << 0 << -1;
    QTest::newRow("start: choice 2") << QByteArray("Display-AssignView_0\nDisplay-TotalSearch_2\n") << 0 << -1;
    QTest::newRow("start: no label") << QByteArray("Display-AssignView_0\nDisplay-TotalSearch_1\n") << 0 << -1;
    const char *labels[] = {"국어사전", "한영사전", "영한사전", "영영사전", "일한사전",
                            "한일사전", "중한사전", "한중사전", "한자사전"};
    for (int i = 0; i < 9; ++i) {
        QTest::addRow("start: label %d", i + 1)
                << QByteArray("Display-AssignView_0\nDisplay-InitDic_" + eucKr(labels[i]) + "\nDisplay-TotalSearch_1\n")
                << 0 << i + 1;
    }
    QTest::newRow("start: label in UTF-8 is not a label")
            << QByteArray("Display-AssignView_0\nDisplay-TotalSearch_1\nDisplay-InitDic_영한사전\n") << 0 << -1;
    QTest::newRow("start: unknown label")
            << QByteArray("Display-AssignView_0\nDisplay-TotalSearch_1\nDisplay-InitDic_" + eucKr("옛말사전") + "\n")
            << 0 << -1;

    // Plain mappings: stored value -> returned value, and defaults.
    struct Mapping
    {
        const char *key;
        int id;
        int base;
        int count;
        int missing;
    };
    const Mapping mappings[] = {
            {"Display-SearchListView", 2, 11, 3, 11}, {"Display-SearchResultView", 3, 14, 2, 15},
            {"Display-FontSize", 4, 16, 3, 17},       {"Display-AutoLCDOff", 5, 19, 4, 19},
            {"LinkDic-KorDic", 7, 0, 5, 0},           {"LinkDic-EngDic", 8, 5, 2, 5},
            {"LinkDic-JpnDic", 9, 7, 2, 7},           {"LinkDic-ChnDic", 10, 9, 1, 9},
            {"Display-LastDic", 1, 0, 10, 4},
    };
    for (const Mapping &m : mappings) {
        for (int v = 0; v < m.count; ++v)
            QTest::addRow("%s = %d", m.key, v) << QByteArray(m.key) + "_" + QByteArray::number(v) + "\n"
                                               << m.id << m.base + v;
        QTest::addRow("%s out of range", m.key) << QByteArray(m.key) + "_" + QByteArray::number(m.count) + "\n"
                                                << m.id << -1;
        QTest::addRow("%s negative", m.key) << QByteArray(m.key) + "_-1\n" << m.id << -1;
        QTest::addRow("%s not a number", m.key) << QByteArray(m.key) + "_abc\n" << m.id << -1;
        QTest::addRow("%s empty value", m.key) << QByteArray(m.key) + "_\n" << m.id << m.missing;
    }
    QTest::newRow("font size 7") << QByteArray("Display-FontSize_7\n") << 4 << -1;
    QTest::newRow("empty file: font size") << QByteArray() << 4 << 17;

    // Total-search dictionaries.
    QTest::newRow("total: no check box 0")
            << QByteArray("TotalSearch-CheckBox[1]_0\nTotalSearch-CheckBox[2]_0\n") << 6 << 511;
    QTest::newRow("total: check box 0 off only") << QByteArray("TotalSearch-CheckBox[0]_0\n") << 6 << 0;
    QTest::newRow("total: all on") << QByteArray(
            "TotalSearch-CheckBox[0]_1\nTotalSearch-CheckBox[1]_1\nTotalSearch-CheckBox[2]_1\n"
            "TotalSearch-CheckBox[3]_1\nTotalSearch-CheckBox[4]_1\nTotalSearch-CheckBox[5]_1\n"
            "TotalSearch-CheckBox[6]_1\nTotalSearch-CheckBox[7]_1\nTotalSearch-CheckBox[8]_1\n")
                                   << 6 << 511;
    const int bits[9] = {0x001, 0x002, 0x020, 0x080, 0x100, 0x004, 0x008, 0x010, 0x040};
    for (int i = 1; i < 9; ++i) {
        QTest::addRow("total: box 0 off, box %d on", i)
                << QByteArray("TotalSearch-CheckBox[0]_0\nTotalSearch-CheckBox[" + QByteArray::number(i) + "]_1\n") << 6
                << bits[i];
    }
    QTest::newRow("total: box 0 on, box 5 off")
            << QByteArray("TotalSearch-CheckBox[0]_1\nTotalSearch-CheckBox[5]_0\n") << 6 << 0x001;

    QTest::newRow("identifier 11") << QByteArray("Display-FontSize_1\n") << 11 << -1;
    QTest::newRow("identifier -1") << QByteArray("Display-FontSize_1\n") << -1 << -1;
}

void tst_CommAPI::readSetting()
{
    QFETCH(QByteArray, file);
    QFETCH(int, id);
    QFETCH(int, expected);
    writeFile(m_settings, file);
    CommAPI api;
    QCOMPARE(api.Commapi_GetSettingValue(id), expected);
}

void tst_CommAPI::writeSetting_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("line"); // empty: nothing stored

    QTest::newRow("last dic 9") << 1 << 9 << QByteArray("Display-LastDic_9\n");
    QTest::newRow("last dic 10") << 1 << 10 << QByteArray();
    QTest::newRow("list view 13") << 2 << 13 << QByteArray("Display-SearchListView_2\n");
    QTest::newRow("list view 10") << 2 << 10 << QByteArray();
    QTest::newRow("result view 14") << 3 << 14 << QByteArray("Display-SearchResultView_0\n");
    QTest::newRow("font 16") << 4 << 16 << QByteArray("Display-FontSize_0\n");
    QTest::newRow("font 18") << 4 << 18 << QByteArray("Display-FontSize_2\n");
    QTest::newRow("font 19") << 4 << 19 << QByteArray();
    QTest::newRow("lcd 22") << 5 << 22 << QByteArray("Display-AutoLCDOff_3\n");
    QTest::newRow("lcd 18") << 5 << 18 << QByteArray();
    QTest::newRow("link kor 4") << 7 << 4 << QByteArray("LinkDic-KorDic_4\n");
    QTest::newRow("link kor 5") << 7 << 5 << QByteArray();
    QTest::newRow("link eng 6") << 8 << 6 << QByteArray("LinkDic-EngDic_1\n");
    QTest::newRow("link jpn 7") << 9 << 7 << QByteArray("LinkDic-JpnDic_0\n");
    QTest::newRow("link chn 9") << 10 << 9 << QByteArray("LinkDic-ChnDic_0\n");
    QTest::newRow("link chn 10") << 10 << 10 << QByteArray();
    QTest::newRow("start dic is the settings screen's") << 0 << 1 << QByteArray();
    QTest::newRow("total search is the settings screen's") << 6 << 511 << QByteArray();
    QTest::newRow("identifier 11") << 11 << 0 << QByteArray();
}

void tst_CommAPI::writeSetting()
{
    QFETCH(int, id);
    QFETCH(int, value);
    QFETCH(QByteArray, line);
    writeFile(m_settings, "Other_x\n");
    CommAPI api;
    QCOMPARE(api.Commapi_SetSettingValue(id, static_cast<unsigned long>(value)), 1);
    // The file is saved in every case; a stored value reads back as the value written.
    QByteArray expected = "Other_x\n";
    if (!line.isEmpty())
        expected = line < expected ? line + expected : expected + line;
    QCOMPARE(readFile(m_settings), expected);
    if (!line.isEmpty())
        QCOMPARE(api.Commapi_GetSettingValue(id), value);
}

void tst_CommAPI::lastDictionaryFirstRead()
{
    CommAPI api;
    QVERIFY(!QFile::exists(m_settings));
    QCOMPARE(api.Commapi_GetSettingValue(SET_ID_LAST_DIC), 4);
    QCOMPARE(readFile(m_settings), QByteArray("Display-LastDic_0\n"));
    QCOMPARE(api.Commapi_GetSettingValue(SET_ID_LAST_DIC), 0);
}

void tst_CommAPI::unknownKeysSurviveAndOrder()
{
    // Another writer (the settings screen) changes the file between calls: every call reads it.
    CommAPI api;
    writeFile(m_settings, "Zeta_1\nDisplay-FontSize_0\n");
    QCOMPARE(api.Commapi_GetSettingValue(SET_ID_FONT_SIZE), 16);
    writeFile(m_settings, "Zeta_1\nDisplay-FontSize_2\n");
    QCOMPARE(api.Commapi_GetSettingValue(SET_ID_FONT_SIZE), 18);
    api.Commapi_SetSettingValue(SET_ID_LINK_ENG_DIC, 6);
    api.Commapi_SetSettingValue(SET_ID_AUTO_LCD_OFF, 20);
    QCOMPARE(readFile(m_settings), QByteArray("Display-AutoLCDOff_1\nDisplay-FontSize_2\nLinkDic-EngDic_1\nZeta_1\n"));
}

void tst_CommAPI::checkLanguage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("three Latin letters") << QStringLiteral("abc") << 0;
    QTest::newRow("upper and lower case") << QStringLiteral("ZzAa") << 0;
    QTest::newRow("two Hangul syllables") << QStringLiteral("사전") << 1;
    QTest::newRow("Hangul jamo") << QStringLiteral("ㄱㅏ") << 1;
    QTest::newRow("last syllable") << QString(QChar(0xD7A3)) << 1;
    QTest::newRow("two hiragana") << QStringLiteral("かな") << 2;
    QTest::newRow("katakana") << QStringLiteral("カナー") << 2;
    QTest::newRow("Latin then Hangul") << QStringLiteral("a가") << -1;
    QTest::newRow("syllable and two digits count as English") << QStringLiteral("가12") << 0;
    QTest::newRow("digits only") << QStringLiteral("123") << -1;
    QTest::newRow("space in a word") << QStringLiteral("ab c") << -1;
    QTest::newRow("Hanja") << QStringLiteral("漢字") << -1;
    QTest::newRow("one kana and two digits count as Korean") << QStringLiteral("か12") << -1;
    QTest::newRow("kana and four others score like Korean") << QStringLiteral("かか1234") << -1;
    QTest::newRow("small hiragana outside the range") << QString(QChar(0x3094)) << -1;
}

void tst_CommAPI::checkLanguage()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(CommAPI::checkLanguage(text), expected);
}

void tst_CommAPI::colours_data()
{
    QTest::addColumn<int>("dicType");
    QTest::addColumn<QColor>("menu");
    QTest::addColumn<QColor>("frame");
    QTest::addColumn<QColor>("line");
    QTest::addColumn<QColor>("list");
    QTest::addColumn<QColor>("font");

    const QColor kor[5] = {{221, 189, 128}, {245, 236, 205}, {207, 196, 178}, {255, 190, 140}, {193, 140, 129}};
    const QColor eng[5] = {{144, 181, 198}, {204, 228, 246}, {178, 198, 207}, {142, 207, 255}, {133, 171, 190}};
    const QColor jpn[5] = {{255, 162, 171}, {246, 214, 227}, {222, 195, 200}, {255, 150, 157}, {187, 128, 149}};
    const QColor chn[5] = {{179, 191, 115}, {227, 246, 214}, {187, 194, 153}, {192, 229, 126}, {166, 174, 123}};
    const auto row = [](int type, const QColor(&c)[5]) {
        QTest::addRow("type %d", type) << type << c[0] << c[1] << c[2] << c[3] << c[4];
    };
    for (int t : {0, 1, 4})
        row(t, kor);
    for (int t : {2, 3, 9})
        row(t, eng);
    for (int t : {5, 6, 10})
        row(t, jpn);
    for (int t : {7, 8, 11})
        row(t, chn);
    // Outside the twelve dictionaries: English colours, but the line takes the frame colour.
    for (int t : {12, 13, 16, -1, 99})
        QTest::addRow("type %d", t) << t << eng[0] << eng[1] << eng[1] << eng[3] << eng[4];
}

void tst_CommAPI::colours()
{
    QFETCH(int, dicType);
    CommAPI api;
    QTEST(api.Commapi_GetMenuAreaBKColor(dicType), "menu");
    QTEST(api.Commapi_GetFrameAreaBKColor(dicType), "frame");
    QTEST(api.Commapi_GetFrameAreaLineColor(dicType), "line");
    QTEST(api.Commapi_GetListAreaBKColor(dicType), "list");
    QTEST(api.Commapi_GetFontColor(dicType), "font");
}

void tst_CommAPI::currentFont_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("small") << QByteArray("Display-FontSize_0\n") << 10;
    QTest::newRow("middle") << QByteArray("Display-FontSize_1\n") << 12;
    QTest::newRow("large") << QByteArray("Display-FontSize_2\n") << 14;
    QTest::newRow("missing") << QByteArray() << 12;
    QTest::newRow("out of range") << QByteArray("Display-FontSize_5\n") << 12;
}

void tst_CommAPI::currentFont()
{
    QFETCH(QByteArray, file);
    QFETCH(int, pointSize);
    writeFile(m_settings, file);
    CommAPI api;
    const QFont font = api.Commapi_GetCurrFont();
    QCOMPARE(font.family(), QStringLiteral("Tamsa"));
    QCOMPARE(font.pointSize(), pointSize);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic());
}

void tst_CommAPI::questionBox()
{
    CommAPI api;
    QString caption;
    QStringList buttons;
    const auto answer = [&](bool yes) {
        QTimer::singleShot(0, this, [&, yes] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            buttons.clear();
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            if (yes) {
                for (QAbstractButton *b : box->buttons()) {
                    if (b->text() == QStringLiteral("예"))
                        b->click();
                }
            } else {
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
    };
    answer(false);
    QCOMPARE(api.Commapi_CallPopupYNBox(nullptr, QStringLiteral("삭제하시겠습니까?")), 0);
    QCOMPARE(caption, QStringLiteral("확인"));
    buttons.sort();
    QCOMPARE(buttons, QStringList({"아니오", "예"}));
    answer(true);
    QCOMPARE(api.Commapi_CallPopupYNBox(nullptr, QStringLiteral("삭제하시겠습니까?")), 1);

    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->text(), QStringLiteral("저장된 History가 없습니다."));
        QTest::keyClick(box, Qt::Key_Return);
    });
    caption.clear();
    api.Commapi_CallPopupBox(nullptr, QStringLiteral("저장된 History가 없습니다."));
    QCOMPARE(caption, QStringLiteral("확인"));
}

void tst_CommAPI::displayOffTime_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("seconds");
    QTest::newRow("never") << QByteArray("Display-AutoLCDOff_0\n") << false << 0;
    QTest::newRow("15 s") << QByteArray("Display-AutoLCDOff_1\n") << true << 15;
    QTest::newRow("30 s") << QByteArray("Display-AutoLCDOff_2\n") << true << 30;
    QTest::newRow("60 s") << QByteArray("Display-AutoLCDOff_3\n") << true << 60;
    QTest::newRow("missing means never") << QByteArray() << false << 0;
    QTest::newRow("damaged value") << QByteArray("Display-AutoLCDOff_9\n") << false << 15;
}

void tst_CommAPI::displayOffTime()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, running);
    QFETCH(int, seconds);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("run"))));
    QDir().mkpath(m_dir.filePath(QStringLiteral("run")));
    writeFile(m_settings, file);

    QCopChannel system(QStringLiteral("QPE/System"));
    QVERIFY(system.isValid());
    QSignalSpy spy(&system, &QCopChannel::received);
    CommAPI api;
    api.Commapi_ApplySettings();
    auto *timer = api.findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->isActive(), running);
    QCOMPARE(timer->interval(), seconds * 1000);

    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.first().at(0).toByteArray(), QByteArray("setScreenSaverIntervals(int, int)"));
    QDataStream in(spy.first().at(1).toByteArray());
    in.setVersion(QCopEnvelope::StreamVersion);
    int a = -1;
    int b = -1;
    in >> a >> b;
    QCOMPARE(a, 0);
    QCOMPARE(b, seconds);
}

void tst_CommAPI::dictionarySwitching()
{
    CommAPI api;
    QCOMPARE(api.Commapi_GetCurrentDicType(), -1);
    QCOMPARE(api.Commapi_SetCurrentDicType(-1), -1);
    QCOMPARE(api.Commapi_GetCurrentDicType(), -1);
    QCOMPARE(api.Commapi_SetCurrentDicType(3), 1);
    QCOMPARE(api.Commapi_GetCurrentDicType(), 3);
    // The user stores switch the data layer but never become the current dictionary.
    QCOMPARE(api.Commapi_SetCurrentDicType(12), 1);
    QCOMPARE(api.Commapi_GetCurrentDicType(), 3);
    QCOMPARE(api.Commapi_SetCurrentDicType(13), 1);
    QCOMPARE(api.Commapi_GetCurrentDicType(), 3);
    QCOMPARE(api.Commapi_SetCurrentDicType(16), 1);
    QCOMPARE(api.Commapi_GetCurrentDicType(), 16);

    QVERIFY(api.Commapi_GetClassMngr());
    QVERIFY(api.Commapi_GetDBManager());
    QCOMPARE(api.objectName(), QStringLiteral("Comm API"));
    QVERIFY(CommAPI::CheckNullString(QString()));
    QVERIFY(CommAPI::CheckNullString(QStringLiteral("")));
    QVERIFY(!CommAPI::CheckNullString(QStringLiteral(" ")));
}

void tst_CommAPI::dictionariesOfWord()
{
    const QString data = m_dir.filePath(QStringLiteral("data/"));
    QVERIFY(QDir().mkpath(data));
    QVERIFY(buildDatabase(data, QStringLiteral("cjk_korea.sql"), QStringLiteral("korea.sdb")));
    QVERIFY(buildDatabase(data, QStringLiteral("english_k2e.sql"), QStringLiteral("k2e.sdb")));
    QVERIFY(buildDatabase(data, QStringLiteral("english_e2e.sql"), QStringLiteral("e2e.sdb")));
    QVERIFY(buildDatabase(data, QStringLiteral("english_e2k.sql"), QStringLiteral("e2k.sdb")));
    qputenv("LUMI_DATA_DIR", QFile::encodeName(data));

    CommAPI api;
    api.Commapi_SetCurrentDicType(5);
    DIC_MASK mask = 0xFFFF;
    int count = -1;
    QCOMPARE(api.Commapi_MakeCurDicInfoByWord(QStringLiteral("가다")), 1);
    QCOMPARE(api.Commapi_GetHasDicOfCurrWord(&mask, &count), 2);
    QCOMPARE(mask, DIC_MASK_KOREA | DIC_MASK_K2E);
    QCOMPARE(count, 2);
    QCOMPARE(api.Commapi_GetCurrentDicType(), 5);
    QCOMPARE(api.Commapi_GetDBManager()->GetDictionary(), 5);

    QCOMPARE(api.Commapi_MakeCurDicInfoByWord(QStringLiteral("apple")), 1);
    QCOMPARE(api.Commapi_GetHasDicOfCurrWord(&mask, nullptr), 2);
    QCOMPARE(mask, DIC_MASK_E2E | DIC_MASK_E2K);

    QCOMPARE(api.Commapi_MakeCurDicInfoByWord(QStringLiteral("없는말")), 1);
    QCOMPARE(api.Commapi_GetHasDicOfCurrWord(&mask, &count), 0);
    QCOMPARE(mask, 0ul);
    // An empty word gets no list at all.
    QCOMPARE(api.Commapi_MakeCurDicInfoByWord(QString()), 0);

    api.Commapi_SetHasDicOfCurrWord(DIC_MASK_HANJA);
    QCOMPARE(api.Commapi_GetHasDicOfCurrWord(&mask, nullptr), 0);
    QCOMPARE(mask, DIC_MASK_HANJA);
}

QTEST_MAIN(tst_CommAPI)
#include "tst_commapi.moc"
