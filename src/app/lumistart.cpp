// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "lumistart.h"

#include "ClassMngr.h"
#include "EditCtrl.h"
#include "QCopChannel.h"
#include "QCopEnvelope.h"
#include "QPEApplication.h"
#include "SoundMngr.h"
#include "commapi.h"
#include "menubar.h"
#include "preview.h"
#include "searchbar.h"

#include <QApplication>
#include <QDataStream>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>

LumiStart::LumiStart(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags, char **argv)
    : QDialog(parent, flags)
{
    setModal(modal);
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Start Dic"));
    resize(480, 272);
    setWindowTitle(QStringLiteral("Start Dic"));

    m_commApi = new CommAPI(this, "Comm API");
    m_commApi->Commapi_SetMainWindow(this);
    m_windowActive = true;

    if (auto *app = qobject_cast<QPEApplication *>(QCoreApplication::instance()))
        connect(app, &QPEApplication::flush, this, &LumiStart::slotAppExit);

    m_channel = new QCopChannel(QStringLiteral("QPE/Lumi_Channel"), nullptr);
    connect(m_channel, &QCopChannel::received, this, &LumiStart::slotReceiver);

    m_menuBar = new MenuBar(this, "MenuBar");
    m_menuBar->setGeometry(0, 0, 480, 23);
    m_searchBar = new SearchBar(this, "SearchBar");
    m_searchBar->setGeometry(0, 23, 480, 31);
    m_preView = new PreView(this, "PreView");
    m_preView->setGeometry(0, 55, 480, 200);
    m_preView->hide();

    // The screens find each other through the shared services, so these are known before any
    // of them receives it.
    m_commApi->Commapi_SetMenuBar(m_menuBar);
    m_commApi->Commapi_SetSearchBar(m_searchBar);
    m_commApi->Commapi_SetPreView(m_preView);
    m_searchBar->setCommAPI(m_commApi);
    m_preView->setCommAPI(m_commApi);
    m_menuBar->setCommAPI(m_commApi);
    const int dicType = m_commApi->Commapi_GetCurrentDicType();
    QPalette searchPalette = m_searchBar->palette();
    searchPalette.setColor(QPalette::Window, m_commApi->Commapi_GetFrameAreaBKColor(dicType));
    m_searchBar->setPalette(searchPalette);
    m_searchBar->setAutoFillBackground(true);
    QPalette menuPalette = m_menuBar->palette();
    menuPalette.setColor(QPalette::Window, m_commApi->Commapi_GetMenuAreaBKColor(dicType));
    m_menuBar->setPalette(menuPalette);
    m_menuBar->setAutoFillBackground(true);

    qApp->installEventFilter(this);
    m_commApi->Commapi_ApplySettings();
    dispatchCommandLine(argv);

    // ---- Sound playback set-up ----
    m_navioChannel = new QCopChannel(QStringLiteral("QPE/Navio/dictionary"), nullptr);
    if (!m_navioChannel->isValid()) {
        // Another instance holds the channel: this one must not run.
        std::printf("== LumiStart == QCop channel create failed!\n");
        std::fflush(stdout);
        std::exit(1);
    }
    // The manager posts its custom events to this window, whose event() hands them back.
    m_soundMngr = new SoundMngr(this);
}

LumiStart::~LumiStart()
{
    qApp->removeEventFilter(this);
    delete m_channel;
    m_channel = nullptr;
    m_commApi->Commapi_SetPreView(nullptr);
    delete m_preView;
    m_commApi->Commapi_SetSearchBar(nullptr);
    delete m_searchBar;
    m_commApi->Commapi_SetMenuBar(nullptr);
    delete m_menuBar;
    delete m_commApi;
    // Sound members go last.
    delete m_soundMngr;
    m_soundMngr = nullptr;
    delete m_navioChannel;
}

void LumiStart::dispatchCommandLine(char **argv)
{
    const char *command = argv && argv[0] ? argv[1] : nullptr;
    const char *argument = command ? argv[2] : nullptr;
    const QByteArray cmd(command);

    if (cmd == "Run(QString)") {
        const int action = runActionOf(QString::fromLocal8Bit(argument));
        if (action >= 0)
            m_menuBar->MenuBarP_slotOnPopupMenuProc(action);
        return;
    }
    if (cmd == "Search(QString)") {
        // Other programs hand the word over in EUC-KR.
        QStringDecoder decoder("EUC-KR");
        const QByteArray bytes(argument);
        const QString word = (decoder.isValid() ? decoder.decode(bytes) : QString::fromLocal8Bit(bytes)).trimmed();
        if (word.isEmpty())
            m_menuBar->MenuBarP_OnInitMenuBar();
        else
            m_menuBar->MenuBarP_SearchWord(word);
        return;
    }
    m_menuBar->MenuBarP_OnInitMenuBar();
}

int LumiStart::runActionOf(const QString &dictionaryName)
{
    if (dictionaryName == QLatin1String("Dic_Kor"))
        return 16;
    if (dictionaryName == QLatin1String("Dic_KorEng"))
        return 17;
    if (dictionaryName == QLatin1String("Dic_Eng"))
        return 18;
    if (dictionaryName == QLatin1String("Dic_EngKor"))
        return 19;
    return -1;
}

void LumiStart::slotReceiver(const QByteArray &message, const QByteArray &data)
{
    std::printf("== LumiStart == slotReceiver [%s]\n", message.constData());
    std::fflush(stdout);
    QDataStream in(data);
    in.setVersion(QCopEnvelope::StreamVersion);
    if (message == "Search(QString)") {
        QString word;
        in >> word;
        m_menuBar->MenuBarP_SearchWord(word.trimmed());
    } else if (message == "Run(QString)") {
        QString name;
        in >> name;
        const int action = runActionOf(name);
        if (action >= 0)
            m_menuBar->MenuBarP_slotOnPopupMenuProc(action);
    } else if (message == "Run_Keyboard()") {
        if (m_windowActive)
            m_searchBar->searchEdit()->setFocus();
        return;
    } else {
        return;
    }
    raise();
    show();
    activateWindow();
}

void LumiStart::slotAppExit()
{
    m_commApi->Commapi_Exit();
}

bool LumiStart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_windowActive = true;
    else if (event->type() == QEvent::WindowDeactivate)
        m_windowActive = false;
    return QDialog::eventFilter(watched, event);
}

bool LumiStart::event(QEvent *event)
{
    if (event->type() >= QEvent::User)
        return soundEvent(event);
    return QDialog::event(event);
}

bool LumiStart::soundEvent(QEvent *event)
{
    if (m_soundMngr && m_soundMngr->SoundMngr_Event(event))
        return true;
    return QDialog::event(event);
}

void LumiStart::SoundMngr_PlayMp3ByBuffer(const unsigned char *data, unsigned int length)
{
    if (m_soundMngr)
        m_soundMngr->SoundMngr_PlayMp3ByBuffer(data, length);
}

void LumiStart::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter p(this);
    p.setPen(QColor(166, 166, 166));
    p.drawLine(0, 54, 480, 54);
}
