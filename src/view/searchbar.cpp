// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "searchbar.h"

#include "ButtonCtrl.h"
#include "EditCtrl.h"
#include "commapi.h"
#include "preview.h"

#include <QKeyEvent>

SearchBar::SearchBar(QWidget *parent, const char *name, Qt::WindowFlags f)
    : QWidget(parent, f)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("SearchBar"));
    setWindowTitle(QStringLiteral("SearchBar"));

    m_searchImage = new ButtonCtrl(this, "SearchImage");
    m_searchImage->ButCtrl_SetRange(5, 6, 18, 18);
    m_searchImage->ButCtrl_SetOemType(BTN_OEM_IMAGE);
    const QString find = QStringLiteral("find.png");
    m_searchImage->ButCtrl_SetImageEx(find, find, find, find);
    m_searchImage->setFocusPolicy(Qt::NoFocus);

    m_searchEdit = new EditCtrl(this, "SearchEdit");
    m_searchEdit->EditCtrl_SetRange(28, 4, 392, 23);
    m_searchEdit->EditCtrl_SetGuideText(QStringLiteral("단어를 입력하세요"));
    m_searchEdit->EditCtrl_SetUseAutoKeyboard(1);

    m_searchButton = new ButtonCtrl(this, "Search");
    m_searchButton->ButCtrl_SetRange(422, 4, 53, 23);
    m_searchButton->ButCtrl_SetText(QStringLiteral("검색"));
    m_searchButton->ButCtrl_SetOemType(BTN_OEM_SLICE);
    m_searchButton->setFocusPolicy(Qt::NoFocus);
}

SearchBar::~SearchBar() = default;

void SearchBar::setCommAPI(CommAPI *commApi)
{
    m_commApi = commApi;
    if (PreView *preView = m_commApi ? m_commApi->Commapi_GetPreView() : nullptr)
        connect(preView, &PreView::signalOnInitSearchEdit, this, &SearchBar::slotOnInitSearchEdit,
                Qt::UniqueConnection);
}

void SearchBar::slotOnInitSearchEdit()
{
    m_searchEdit->clear();
}

void SearchBar::keyPressEvent(QKeyEvent *event)
{
    Q_EMIT signalKeyPressEventSearchBar(event);
}
