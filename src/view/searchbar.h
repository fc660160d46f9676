// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

class CommAPI;
class QKeyEvent;
class ButtonCtrl;
class EditCtrl;

// The 480 x 31 strip above the screens: search edit, find picture and Search button.
class SearchBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchBar)
public:
    explicit SearchBar(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags f = {});
    ~SearchBar() override;

    void setCommAPI(CommAPI *commApi);

    EditCtrl *searchEdit() const { return m_searchEdit; }
    ButtonCtrl *searchButton() const { return m_searchButton; }
    ButtonCtrl *searchImageButton() const { return m_searchImage; }

Q_SIGNALS:
    // Every key typed while the bar has the focus, for the search screen to act on.
    void signalKeyPressEventSearchBar(QKeyEvent *event);

public Q_SLOTS:
    void slotOnInitSearchEdit();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CommAPI *m_commApi = nullptr; // not owned
    ButtonCtrl *m_searchImage = nullptr; // "SearchImage"
    EditCtrl *m_searchEdit = nullptr; // "SearchEdit"
    ButtonCtrl *m_searchButton = nullptr; // "Search"
};
