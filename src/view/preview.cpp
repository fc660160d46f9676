// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "preview.h"

#include "ButtonCtrl.h"
#include "EditCtrl.h"
#include "ListViewCtrl.h"
#include "PreViewTextBrowser.h"
#include "WordListViewCtrl.h"
#include "commapi.h"
#include "menubar.h"
#include "searchbar.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace {

void setUpList(ListViewCtrl *list, const QString &column, int width)
{
    list->setFrameStyle(QFrame::NoFrame);
    list->ListViewCtrl_AddColumn(column, static_cast<unsigned long>(width));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
}

// Start-dictionary code of a dictionary, as the last-dictionary setting stores it; -1 for the
// phrasebooks and anything else.
int startCodeOf(int dicType)
{
    switch (dicType) {
    case DIC_TYPE_KOREA:
        return 1;
    case DIC_TYPE_K2E:
        return 2;
    case DIC_TYPE_E2K:
        return 3;
    case DIC_TYPE_E2E:
        return 4;
    case DIC_TYPE_J2K:
        return 5;
    case DIC_TYPE_K2J:
        return 6;
    case DIC_TYPE_C2K:
        return 7;
    case DIC_TYPE_K2C:
        return 8;
    case DIC_TYPE_HANJA:
        return 9;
    default:
        return -1;
    }
}

} // namespace

PreView::PreView(QWidget *parent, const char *name, Qt::WindowFlags f)
    : QWidget(parent, f)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("PreView"));

    m_wordList = new WordListViewCtrl(this, "WordListView");
    setUpList(m_wordList, QStringLiteral("Word"), 480);

    m_meanTextBrowser = new PreViewTextBrowser(this, "MeanTextBrowser");
    m_meanTextBrowser->setFrameStyle(QFrame::NoFrame);
    m_meanTextBrowser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_meanTextBrowser->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_conversationList = new ListViewCtrl(this, "ListViewCtrl");
    m_conversationList->ListViewCtrl_SetRange(181, 0, 300, 197);
    m_conversationList->ListViewCtrl_ModifyStyle(0, 2);
    m_conversationList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUpList(m_conversationList, QStringLiteral("Content title"), 300);
    m_conversationList->setColumnAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    m_conversationList->hide();
}

PreView::~PreView()
{
    // Keep the last dictionary for the next start when the user asked for that.
    if (m_commApi && m_commApi->Commapi_GetSettingValue(SET_ID_START_DIC) == 10) {
        int code = -1;
        if (m_job == JOB_TOTAL_SEARCH)
            code = 0;
        else if (m_job == JOB_DIC_SEARCH)
            code = startCodeOf(m_dicType);
        if (code >= 0)
            m_commApi->Commapi_SetSettingValue(SET_ID_LAST_DIC, static_cast<unsigned long>(code));
    }
}

void PreView::setCommAPI(CommAPI *commApi)
{
    m_commApi = commApi;
    SearchBar *bar = m_commApi ? m_commApi->Commapi_GetSearchBar() : nullptr;
    if (!bar)
        return;
    connect(bar->searchEdit(), &QLineEdit::textChanged, this, &PreView::slotTextChangedSearchEdit,
            Qt::UniqueConnection);
    connect(bar->searchButton(), &QPushButton::clicked, this, &PreView::slotClickedSearchBut, Qt::UniqueConnection);
}

void PreView::OnMsgRun(T_MSG msg, T_PARAM p1, T_PARAM p2)
{
    Q_UNUSED(p1)
    Q_UNUSED(p2)
    switch (msg) {
    case MSG_INIT:
        OnInit();
        break;
    case MSG_AWAKE:
        OnAwake();
        break;
    case MSG_DRAW:
        OnDraw();
        break;
    case MSG_SETTING_APPLY:
        OnSettingApply();
        break;
    default:
        break;
    }
}

void PreView::OnInit()
{
    if (!m_commApi)
        return;
    TClassMngr *mngr = m_commApi->Commapi_GetClassMngr();
    m_job = static_cast<int>(mngr->ClassMngr_GetParam(0));
    m_dicType = static_cast<int>(mngr->ClassMngr_GetParam(1));
    m_wordList->ListViewCtrl_SetFocusColor(m_commApi->Commapi_GetListAreaBKColor(m_dicType));
}

void PreView::OnAwake()
{
    if (!m_commApi)
        return;
    if (MenuBar *menuBar = m_commApi->Commapi_GetMenuBar())
        menuBar->clearFocus();
    m_commApi->Commapi_SetCurrentDicType(m_dicType);
}

void PreView::OnDraw()
{
    if (!m_commApi)
        return;
    if (MenuBar *menuBar = m_commApi->Commapi_GetMenuBar())
        menuBar->MenuBarP_SetThemeUI(m_job, m_dicType);
    const QFont font = m_commApi->Commapi_GetCurrFont();
    m_wordList->setFont(font);
    m_meanTextBrowser->setFont(font);
    if (SearchBar *bar = m_commApi->Commapi_GetSearchBar())
        bar->show();
    show();
}

void PreView::OnSettingApply()
{
    if (!m_commApi)
        return;
    const QFont font = m_commApi->Commapi_GetCurrFont();
    m_wordList->setFont(font);
    m_meanTextBrowser->setFont(font);
    if (m_previewMode == MODE_TOTAL_RESULT)
        return;
    const int mode = m_commApi->Commapi_GetSettingValue(SET_ID_SEARCH_LIST_VIEW);
    showPreView(mode, QString(), false);
}

void PreView::initVariable()
{
    if (!m_commApi)
        return;
    m_commApi->Commapi_SetSelectedRow(0);
    m_commApi->Commapi_SetWindowTop(0);
}

void PreView::showPreView(int mode, const QString &text, bool init)
{
    switch (mode) {
    case 11:
        mode = MODE_LIST;
        break;
    case 12:
        mode = MODE_HORIZONTAL;
        break;
    case 13:
        mode = MODE_VERTICAL;
        break;
    case 0:
        mode = MODE_TOTAL_RESULT;
        break;
    default:
        break;
    }
    m_previewMode = mode;

    if (m_commApi) {
        const int current = m_commApi->Commapi_GetCurrentDicType();
        m_wordList->ListViewCtrl_SetFocusColor(m_commApi->Commapi_GetListAreaBKColor(current));
        const QFont font = m_commApi->Commapi_GetCurrFont();
        m_wordList->setFont(font);
        m_meanTextBrowser->setFont(font);
        m_commApi->Commapi_SetPreViewDicType(current);
    }
    m_wordList->setColumnCount(1);
    m_wordList->setColumnAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    m_wordList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_wordList->setPreViewMode(mode);

    const bool listMode = mode != MODE_TOTAL_RESULT && mode != MODE_FULL_HIT_LIST;
    if (init && listMode)
        Q_EMIT signalOnInitSearchEdit();

    SearchBar *bar = m_commApi ? m_commApi->Commapi_GetSearchBar() : nullptr;
    const auto setButtonText = [bar](const QString &t) {
        if (bar)
            bar->searchButton()->ButCtrl_SetText(t);
    };
    switch (mode) {
    case MODE_LIST:
        m_wordList->setGeometry(0, 0, 480, 197);
        m_wordList->getScrollBar()->show();
        m_meanTextBrowser->hide();
        setButtonText(QStringLiteral("상세보기"));
        break;
    case MODE_HORIZONTAL:
        m_wordList->setGeometry(0, 0, 480, 109);
        m_wordList->getScrollBar()->show();
        m_meanTextBrowser->setGeometry(0, 110, 480, 88);
        m_meanTextBrowser->show();
        setButtonText(QStringLiteral("상세보기"));
        break;
    case MODE_VERTICAL:
        m_wordList->setGeometry(0, 0, 180, 197);
        m_wordList->getScrollBar()->show();
        m_meanTextBrowser->setGeometry(181, 0, 300, 197);
        m_meanTextBrowser->show();
        setButtonText(QStringLiteral("상세보기"));
        break;
    case MODE_CONVERSATION:
        m_wordList->setGeometry(0, 0, 180, 197);
        m_wordList->getScrollBar()->show();
        m_conversationList->show();
        m_meanTextBrowser->hide();
        break;
    case MODE_TOTAL_RESULT:
        m_wordList->clear();
        m_wordList->setGeometry(0, 0, 480, 197);
        m_wordList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_wordList->getScrollBar()->hide();
        m_wordList->setColumnCount(2);
        m_wordList->setColumnWidth(0, 64);
        m_wordList->setColumnWidth(1, 416);
        m_meanTextBrowser->hide();
        setButtonText(QStringLiteral("검색"));
        break;
    case MODE_FULL_HIT_LIST:
        m_wordList->clear();
        m_wordList->setGeometry(0, 0, 480, 197);
        m_wordList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_wordList->getScrollBar()->hide();
        m_meanTextBrowser->hide();
        setButtonText(QStringLiteral("검색"));
        break;
    default:
        break;
    }
    if (mode != MODE_CONVERSATION)
        m_conversationList->hide();

    if (init && listMode)
        initVariable();

    if (!text.isEmpty() && bar) {
        EditCtrl *edit = bar->searchEdit();
        disconnect(edit, &QLineEdit::textChanged, this, &PreView::slotTextChangedSearchEdit);
        edit->setText(text);
        connect(edit, &QLineEdit::textChanged, this, &PreView::slotTextChangedSearchEdit, Qt::UniqueConnection);
        slotTextChangedSearchEdit(text);
    }
    if (!m_wordList->hasFocus())
        m_wordList->setFocus();
}

void PreView::slotTextChangedSearchEdit(const QString &text)
{
    // The incremental headword search runs here; for now the text is only remembered.
    m_lastSearchText = text;
}

void PreView::slotClickedSearchBut()
{
    // Opening entries and running the integrated search are not built yet: the search is
    // recorded so that the rest of the program sees what was asked for.
    const QString text = m_commApi && m_commApi->Commapi_GetSearchBar()
                                 ? m_commApi->Commapi_GetSearchBar()->searchEdit()->text()
                                 : m_lastSearchText;
    m_lastSearchText = text;
    if (m_commApi && m_commApi->Commapi_GetCurrentDicType() == DIC_TYPE_TOTAL && !text.isEmpty())
        m_commApi->Commapi_SetTotalSearchWord(text);
}

void PreView::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}
