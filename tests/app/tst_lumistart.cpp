// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ButtonCtrl.h"
#include "ClassMngr.h"
#include "EditCtrl.h"
#include "QCopEnvelope.h"
#include "SoundMngr.h"
#include "WordListViewCtrl.h"
#include "commapi.h"
#include "lumistart.h"
#include "menubar.h"
#include "preview.h"
#include "searchbar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray eucKr(const QString &text)
{
    QStringEncoder enc("EUC-KR");
    return enc.encode(text);
}

// Settings that start on the English-Korean dictionary (job 2), to tell a start screen apart from
// a word search (job 1).
const QByteArray startOnEnglishKorean
        = "Display-AssignView_0\nDisplay-InitDic_" + eucKr(QStringLiteral("영한사전")) + "\nDisplay-TotalSearch_1\n";

// An argv as main hands it over: owned strings, null-terminated.
class Argv
{
public:
    explicit Argv(const QList<QByteArray> &args)
    {
        m_storage.push_back("lumi");
        for (const QByteArray &a : args)
            m_storage.push_back(a);
        for (QByteArray &s : m_storage)
            m_ptrs.push_back(s.data());
        m_ptrs.push_back(nullptr);
    }
    char **get() { return m_ptrs.data(); }

private:
    std::vector<QByteArray> m_storage;
    std::vector<char *> m_ptrs;
};

// A stand-in for the history, word-book and settings screens: it pops the top when a close
// message names its job, as those screens do.
class CloseOnJob : public QObject
{
    Q_OBJECT
public:
    CloseOnJob(TClassMngr *mngr, T_PARAM closeJob)
        : m_mngr(mngr)
        , m_closeJob(closeJob)
    { }

public Q_SLOTS:
    void OnMsgRun(T_MSG msg, T_PARAM p1, T_PARAM)
    {
        if (msg == MSG_CLOSE_JOB && p1 == m_closeJob)
            m_mngr->ClassMngr_RemoveActiveClass();
    }

private:
    TClassMngr *m_mngr;
    T_PARAM m_closeJob;
};

} // namespace

class tst_LumiStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void construction();
    void commandLine_data();
    void commandLine();
    void qcopMessages();
    void keyboardFocusOnlyWhenActive();
    void popupActions_data();
    void popupActions();
    void escapeEndsTheLoop();
    void guideButtonCloses_data();
    void guideButtonCloses();

private:
    std::unique_ptr<LumiStart> start(const QList<QByteArray> &args);

    QTemporaryDir m_dir;
    QString m_settings;
    std::unique_ptr<Argv> m_argv;
};

void tst_LumiStart::initTestCase()
{
    // A private runtime directory: the channels registered here must not meet other tests'.
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("run"))));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("run"))));
    qputenv("LUMI_DATA_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("nodata/"))));
    m_settings = m_dir.filePath(QStringLiteral("dicset.ini"));
    qputenv("LUMI_SETTINGS_FILE", QFile::encodeName(m_settings));
}

void tst_LumiStart::init()
{
    QFile::remove(m_settings);
}

std::unique_ptr<LumiStart> tst_LumiStart::start(const QList<QByteArray> &args)
{
    m_argv = std::make_unique<Argv>(args);
    return std::make_unique<LumiStart>(nullptr, nullptr, false, Qt::FramelessWindowHint, m_argv->get());
}

void tst_LumiStart::construction()
{
    auto lumi = start({});
    QCOMPARE(lumi->objectName(), QStringLiteral("Start Dic"));
    QCOMPARE(lumi->windowTitle(), QStringLiteral("Start Dic"));
    QCOMPARE(lumi->size(), QSize(480, 272));
    QCOMPARE(lumi->commApi()->objectName(), QStringLiteral("Comm API"));
    QCOMPARE(lumi->commApi()->Commapi_GetMainWindow(), lumi.get());
    QCOMPARE(lumi->menuBar()->objectName(), QStringLiteral("MenuBar"));
    QCOMPARE(lumi->menuBar()->geometry(), QRect(0, 0, 480, 23));
    QCOMPARE(lumi->searchBar()->objectName(), QStringLiteral("SearchBar"));
    QCOMPARE(lumi->searchBar()->geometry(), QRect(0, 23, 480, 31));
    QCOMPARE(lumi->preView()->objectName(), QStringLiteral("PreView"));
    QCOMPARE(lumi->preView()->geometry(), QRect(0, 55, 480, 200));
    QCOMPARE(lumi->searchBar()->searchEdit()->objectName(), QStringLiteral("SearchEdit"));
    QCOMPARE(lumi->searchBar()->searchEdit()->geometry(), QRect(28, 4, 392, 23));
    QCOMPARE(lumi->searchBar()->searchButton()->text(), QStringLiteral("검색"));
    QCOMPARE(lumi->preView()->wordListView()->objectName(), QStringLiteral("WordListView"));
    QVERIFY(lumi->isWindowActiveFlag());

    // The seam between the search bar and the screens.
    const QImage image = lumi->grab().toImage();
    QCOMPARE(QColor(image.pixel(0, 54)), QColor(166, 166, 166));
    QCOMPARE(QColor(image.pixel(479, 54)), QColor(166, 166, 166));

    // Events of the sound range are taken by the main window, not passed on.
    QEvent soundEvent(static_cast<QEvent::Type>(1003));
    QVERIFY(QApplication::sendEvent(lumi.get(), &soundEvent));
    QVERIFY(lumi->soundMngr());
    QCOMPARE(lumi->soundMngr()->SoundMngr_GetState(), int(SoundMngr::SOUND_PAUSE));

    // After a stop, a play request travels as custom events through the main window to the
    // sound manager, which rejects a clip that is not audio.
    QEvent stopEvent(static_cast<QEvent::Type>(SoundMngr::Q_STOP_SIG));
    QVERIFY(QApplication::sendEvent(lumi.get(), &stopEvent));
    const unsigned char junk[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05};
    lumi->SoundMngr_PlayMp3ByBuffer(junk, sizeof junk);
    QTRY_COMPARE(lumi->soundMngr()->SoundMngr_GetState(), int(SoundMngr::SOUND_ERROR));
}

void tst_LumiStart::commandLine_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QList<QByteArray>>("args");
    QTest::addColumn<int>("job"); // 0xFFFFFFFF: nothing on the stack
    QTest::addColumn<int>("dicType");
    QTest::addColumn<QString>("searchText");

    const int none = -1;
    QTest::newRow("no argument, no settings") << QByteArray() << QList<QByteArray>() << 1 << 16 << QString();
    QTest::newRow("no argument, English-Korean start")
            << startOnEnglishKorean << QList<QByteArray>() << 2 << 3 << QString();
    QTest::newRow("no argument, last dictionary never stored")
            << QByteArray("Display-AssignView_1\n") << QList<QByteArray>() << 2 << 2 << QString();
    QTest::newRow("no argument, last dictionary Hanja")
            << QByteArray("Display-AssignView_1\nDisplay-LastDic_9\n") << QList<QByteArray>() << 2 << 4 << QString();
    QTest::newRow("no argument, damaged start choice") << QByteArray("Display-AssignView_0\nDisplay-TotalSearch_7\n")
                                                       << QList<QByteArray>() << none << -1 << QString();
    QTest::newRow("Run Dic_Kor") << QByteArray() << QList<QByteArray>({"Run(QString)", "Dic_Kor"}) << 2 << 0
                                 << QString();
    QTest::newRow("Run Dic_KorEng") << QByteArray() << QList<QByteArray>({"Run(QString)", "Dic_KorEng"}) << 2 << 1
                                    << QString();
    QTest::newRow("Run Dic_Eng") << QByteArray() << QList<QByteArray>({"Run(QString)", "Dic_Eng"}) << 2 << 2
                                 << QString();
    QTest::newRow("Run Dic_EngKor") << QByteArray() << QList<QByteArray>({"Run(QString)", "Dic_EngKor"}) << 2 << 3
                                    << QString();
    QTest::newRow("Run unknown dictionary")
            << QByteArray() << QList<QByteArray>({"Run(QString)", "Dic_Jpn"}) << none << -1 << QString();
    QTest::newRow("Run is case-sensitive")
            << QByteArray() << QList<QByteArray>({"Run(QString)", "dic_kor"}) << none << -1 << QString();
    QTest::newRow("Run without a name") << QByteArray() << QList<QByteArray>({"Run(QString)"}) << none << -1
                                        << QString();
    QTest::newRow("unknown command opens the start screen")
            << startOnEnglishKorean << QList<QByteArray>({"run(QString)", "Dic_Kor"}) << 2 << 3 << QString();
    QTest::newRow("Search an EUC-KR word")
            << startOnEnglishKorean << QList<QByteArray>({"Search(QString)", eucKr(QStringLiteral("사과"))}) << 1 << 16
            << QStringLiteral("사과");
    QTest::newRow("Search strips white space")
            << startOnEnglishKorean
            << QList<QByteArray>({"Search(QString)", " \t" + eucKr(QStringLiteral("나무")) + " "}) << 1 << 16
            << QStringLiteral("나무");
    QTest::newRow("Search a blank word opens the start screen")
            << startOnEnglishKorean << QList<QByteArray>({"Search(QString)", "   "}) << 2 << 3 << QString();
    QTest::newRow("Search without a word opens the start screen")
            << startOnEnglishKorean << QList<QByteArray>({"Search(QString)"}) << 2 << 3 << QString();
}

void tst_LumiStart::commandLine()
{
    QFETCH(QByteArray, settings);
    QFETCH(QList<QByteArray>, args);
    QFETCH(int, job);
    QFETCH(int, dicType);
    QFETCH(QString, searchText);
    if (!settings.isEmpty())
        writeFile(m_settings, settings);

    auto lumi = start(args);
    TClassMngr *mngr = lumi->commApi()->Commapi_GetClassMngr();
    if (job < 0) {
        QCOMPARE(mngr->ClassMngr_GetCount(), 0);
        QVERIFY(!lumi->preView()->isVisible());
        return;
    }
    QCOMPARE(mngr->ClassMngr_GetCount(), 1);
    QCOMPARE(mngr->ClassMngr_GetCurrActiveClass()->obj, lumi->preView());
    QCOMPARE(mngr->ClassMngr_GetCurrActiveClass()->autoDelete, 0);
    QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), job);
    QCOMPARE(lumi->preView()->job(), job);
    QCOMPARE(lumi->preView()->dicType(), dicType);
    QCOMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), dicType);
    QCOMPARE(lumi->searchBar()->searchEdit()->text(), searchText);
    if (job == 1 && !searchText.isEmpty())
        QCOMPARE(lumi->commApi()->Commapi_GetTotalSearchWord(), searchText);
}

void tst_LumiStart::qcopMessages()
{
    writeFile(m_settings, startOnEnglishKorean);
    auto lumi = start({});
    TClassMngr *mngr = lumi->commApi()->Commapi_GetClassMngr();
    QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), 2);

    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Search(QString)"));
        e << QStringLiteral("  apple ");
    }
    QTRY_COMPARE(lumi->searchBar()->searchEdit()->text(), QStringLiteral("apple"));
    QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), 1);
    QCOMPARE(mngr->ClassMngr_GetCount(), 1);
    QCOMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), 16);
    QVERIFY(lumi->isVisible());

    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Run(QString)"));
        e << QStringLiteral("Dic_Kor");
    }
    QTRY_COMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), 0);
    QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), 2);

    // An unknown dictionary or message changes nothing.
    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Run(QString)"));
        e << QStringLiteral("Dic_Chn");
    }
    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Open(QString)"));
        e << QStringLiteral("Dic_Eng");
    }
    // A blank word still replaces the stack by the total search.
    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Search(QString)"));
        e << QStringLiteral("   ");
    }
    QTRY_COMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), 1);
    QCOMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), 16);
    QCOMPARE(lumi->searchBar()->searchEdit()->text(), QString());
    QCOMPARE(mngr->ClassMngr_GetCount(), 1);
}

void tst_LumiStart::keyboardFocusOnlyWhenActive()
{
    auto lumi = start({});
    QLineEdit *edit = lumi->searchBar()->searchEdit();
    QWidget *list = lumi->preView()->wordListView();

    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(lumi.get(), &deactivate);
    QVERIFY(!lumi->isWindowActiveFlag());
    list->setFocus();
    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Run_Keyboard()"));
    }
    // Give the message time to arrive, then check it did nothing.
    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Run(QString)"));
        e << QStringLiteral("Dic_Eng");
    }
    QTRY_COMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), 2);
    QVERIFY(lumi->focusWidget() != edit);

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(lumi.get(), &activate);
    QVERIFY(lumi->isWindowActiveFlag());
    list->setFocus();
    {
        QCopEnvelope e(QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Run_Keyboard()"));
    }
    QTRY_COMPARE(lumi->focusWidget(), edit);
}

void tst_LumiStart::popupActions_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("job"); // -1: nothing changes
    QTest::addColumn<int>("dicType");
    QTest::addColumn<int>("guideCode");
    QTest::addColumn<bool>("withWord");

    QTest::newRow("total search") << 0 << 1 << 16 << 2 << false;
    // Menu, guide and word ids of the nine dictionaries, in id order.
    const int types[9] = {0, 1, 2, 3, 6, 5, 8, 7, 4};
    const int codes[9] = {3, 4, 6, 5, 7, 8, 9, 10, 11};
    for (int i = 0; i < 9; ++i) {
        QTest::addRow("menu %d", 7 + i) << 7 + i << 2 << types[i] << codes[i] << false;
        QTest::addRow("guide %d", 16 + i) << 16 + i << 2 << types[i] << codes[i] << false;
        QTest::addRow("word %d", 25 + i) << 25 + i << 2 << types[i] << codes[i] << true;
    }
    QTest::newRow("English phrasebook") << 35 << 12 << 9 << 14 << false;
    QTest::newRow("Japanese phrasebook") << 36 << 13 << 10 << 15 << false;
    QTest::newRow("Chinese phrasebook") << 37 << 14 << 11 << 16 << false;
    for (int id : {1, 2, 3, 4, 38, 39, 47, 48, 57, 58})
        QTest::addRow("no action %d", id) << id << -1 << -1 << -1 << false;
}

void tst_LumiStart::popupActions()
{
    QFETCH(int, id);
    QFETCH(int, job);
    QFETCH(int, dicType);
    QFETCH(int, guideCode);
    QFETCH(bool, withWord);

    writeFile(m_settings, startOnEnglishKorean + "Display-SearchListView_1\n");
    auto lumi = start({});
    TClassMngr *mngr = lumi->commApi()->Commapi_GetClassMngr();
    lumi->commApi()->Commapi_SetCurrWord(QStringLiteral("apple"));
    lumi->menuBar()->MenuBarP_slotOnPopupMenuProc(id);
    QCOMPARE(mngr->ClassMngr_GetCount(), 1);
    if (job < 0) {
        QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), 2);
        QCOMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), 3);
        return;
    }
    QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), job);
    QCOMPARE(mngr->ClassMngr_GetParam(0), static_cast<unsigned long>(job));
    QCOMPARE(mngr->ClassMngr_GetParam(1), static_cast<unsigned long>(dicType));
    QCOMPARE(lumi->commApi()->Commapi_GetCurrentDicType(), dicType);
    QCOMPARE(lumi->menuBar()->guideCode(), guideCode);
    const int layout = id == 0     ? PreView::MODE_TOTAL_RESULT
                       : job >= 12 ? PreView::MODE_CONVERSATION
                                   : PreView::MODE_HORIZONTAL;
    QCOMPARE(lumi->preView()->previewMode(), layout);
    QCOMPARE(lumi->preView()->wordListView()->getPreViewMode(), layout);
    // Horizontal preview pages five rows; the total search relabels the Search button.
    if (layout == PreView::MODE_HORIZONTAL)
        QCOMPARE(lumi->preView()->wordListView()->getMaxItemPerPageFromMode(), 5);
    QCOMPARE(lumi->searchBar()->searchButton()->text(),
             layout == PreView::MODE_TOTAL_RESULT ? QStringLiteral("검색") : QStringLiteral("상세보기"));
    QCOMPARE(lumi->searchBar()->searchEdit()->text(), withWord ? QStringLiteral("apple") : QString());
}

void tst_LumiStart::escapeEndsTheLoop()
{
    auto lumi = start({});
    QTimer::singleShot(0, lumi->menuBar(), [&] { QTest::keyClick(lumi->menuBar(), Qt::Key_Escape); });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(3); });
    guard.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);

    // The exit button and the menu item 종료 leave the same way.
    QTimer::singleShot(0, lumi->menuBar(), [&] { lumi->menuBar()->exitButton()->click(); });
    guard.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QTimer::singleShot(0, lumi->menuBar(), [&] { lumi->menuBar()->MenuBarP_slotOnPopupMenuProc(6); });
    guard.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
}

void tst_LumiStart::guideButtonCloses_data()
{
    QTest::addColumn<QList<int>>("jobs"); // screens pushed over the search screen
    QTest::addColumn<int>("remaining");
    QTest::newRow("history and its entry") << QList<int>({5, 6}) << 1;
    QTest::newRow("word book and flashcards") << QList<int>({9, 11}) << 1;
    QTest::newRow("word book entry") << QList<int>({9, 10}) << 1;
    QTest::newRow("settings") << QList<int>({15}) << 1;
}

void tst_LumiStart::guideButtonCloses()
{
    QFETCH(QList<int>, jobs);
    QFETCH(int, remaining);
    auto lumi = start({});
    TClassMngr *mngr = lumi->commApi()->Commapi_GetClassMngr();
    for (int job : jobs) {
        const T_PARAM closes = job == 5 || job == 6 ? 5 : job >= 9 && job <= 11 ? 9 : 0;
        auto *item = new TClassItem;
        item->obj = new CloseOnJob(mngr, closes);
        item->data = static_cast<unsigned long>(job);
        mngr->ClassMngr_InsertActiveClass(item, 1);
    }
    lumi->preView()->hide();
    lumi->menuBar()->MenuBarP_slotClickedGuideBut();
    QCOMPARE(mngr->ClassMngr_GetCount(), remaining);
    QCOMPARE(static_cast<int>(mngr->ClassMngr_GetCurrUserData()), 1);
    QVERIFY(!lumi->preView()->isHidden());
}

QTEST_MAIN(tst_LumiStart)
#include "tst_lumistart.moc"
