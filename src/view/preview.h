// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ClassMngr.h"

#include <QWidget>

class CommAPI;
class ListViewCtrl;
class PreViewTextBrowser;
class QKeyEvent;
class WordListViewCtrl;

// The permanent search screen under the search bar: headword list, preview pane and the
// phrasebooks' title list. It is the bottom screen of the screen manager's stack.
class PreView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreView)
public:
    // Layout modes of showPreView. The list-layout setting's values 11, 12, 13 and the value 0
    // are mapped to the first three modes and to the integrated results.
    enum PreViewMode {
        MODE_LIST = 100,
        MODE_HORIZONTAL = 101,
        MODE_VERTICAL = 102,
        MODE_CONVERSATION = 103,
        MODE_TOTAL_RESULT = 104,
        MODE_FULL_HIT_LIST = 105,
    };

    explicit PreView(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags f = {});
    ~PreView() override;

    void setCommAPI(CommAPI *commApi);
    // Lays the screen out for mode (see PreViewMode); init clears the search edit and the
    // remembered list position; a non-empty text is put into the search edit and searched.
    void showPreView(int mode, const QString &text, bool init);
    // The shared selected row and window top go back to 0.
    void initVariable();

    int previewMode() const { return m_previewMode; }
    int job() const { return m_job; }
    int dicType() const { return m_dicType; }
    QString lastSearchText() const { return m_lastSearchText; }
    WordListViewCtrl *wordListView() const { return m_wordList; }
    PreViewTextBrowser *meanTextBrowser() const { return m_meanTextBrowser; }
    ListViewCtrl *conversationListView() const { return m_conversationList; }

    void OnInit();
    void OnAwake();
    void OnDraw();
    void OnSettingApply();

Q_SIGNALS:
    void signalOnInitSearchEdit();

public Q_SLOTS:
    void OnMsgRun(T_MSG msg, T_PARAM p1, T_PARAM p2);
    void slotTextChangedSearchEdit(const QString &text);
    void slotClickedSearchBut();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CommAPI *m_commApi = nullptr; // not owned
    WordListViewCtrl *m_wordList = nullptr; // "WordListView"
    PreViewTextBrowser *m_meanTextBrowser = nullptr; // "MeanTextBrowser"
    ListViewCtrl *m_conversationList = nullptr; // "ListViewCtrl"
    QString m_lastSearchText;
    int m_previewMode = MODE_LIST;
    int m_job = 0;
    int m_dicType = -1;
};
