// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "searchbar.h"

#include "LumiPaths.h"
#include "commapi.h"
#include "preview.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

SearchBar::SearchBar(QWidget *parent, const char *name, Qt::WindowFlags f)
    : QWidget(parent, f)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("SearchBar"));
    setWindowTitle(QStringLiteral("SearchBar"));

    m_searchImage = new QPushButton(this);
    m_searchImage->setObjectName(QStringLiteral("SearchImage"));
    m_searchImage->setGeometry(5, 6, 18, 18);
    m_searchImage->setFlat(true);
    m_searchImage->setFocusPolicy(Qt::NoFocus);
    m_searchImage->setIcon(QIcon(LumiPaths::pixmap(QStringLiteral("find.png"))));
    m_searchImage->setIconSize(QSize(18, 18));

    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchEdit->setGeometry(28, 4, 392, 23);
    m_searchEdit->setPlaceholderText(QStringLiteral("단어를 입력하세요"));

    m_searchButton = new QPushButton(QStringLiteral("검색"), this);
    m_searchButton->setObjectName(QStringLiteral("Search"));
    m_searchButton->setGeometry(422, 4, 53, 23);
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
