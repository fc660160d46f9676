// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

class CommAPI;
class QKeyEvent;
class ButtonCtrl;
class PopupMenu;

// Item identifiers of all pop-up menus.
enum E_POPUP_ID_TYPE : int {
    POPUP_ID_TOTAL_SEARCH = 0,
    POPUP_ID_DIC = 1,
    POPUP_ID_ADD_DIC = 2,
    POPUP_ID_USER_DIC = 3,
    POPUP_ID_STUDY = 4,
    POPUP_ID_SETTINGS = 5,
    POPUP_ID_EXIT = 6,
    POPUP_ID_MENU_DIC_FIRST = 7, // 7-15: the nine dictionaries from the menu
    POPUP_ID_GUIDE_DIC_FIRST = 16, // 16-24: from the guide pop-up and external commands
    POPUP_ID_WORD_DIC_FIRST = 25, // 25-33: from an entry screen, searching the current word
    POPUP_ID_VOCABULARY = 34,
    POPUP_ID_CONVERSATION_ENG = 35,
    POPUP_ID_CONVERSATION_JPN = 36,
    POPUP_ID_CONVERSATION_CHN = 37,
    POPUP_ID_NEWS = 38, // 38-57 have no action
};

// The 480 x 23 strip at the top: menu, guide, history and exit buttons, the link button of the
// entry screen, and the pop-up menus that switch dictionaries and open the other screens.
class MenuBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MenuBar)
public:
    explicit MenuBar(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags f = {});
    ~MenuBar() override;

    void setCommAPI(CommAPI *commApi);

    // Opens the start screen chosen in the settings (nothing for an unknown choice).
    void MenuBarP_OnInitMenuBar();
    // Replaces the stack by the total search and searches word.
    void MenuBarP_SearchWord(const QString &word);
    // Re-skins the menu bar and the search bar for the screen now on top.
    void MenuBarP_SetThemeUI(int job, int dicType);

    ButtonCtrl *menuButton() const { return m_menuButton; }
    ButtonCtrl *guideButton() const { return m_guideButton; }
    ButtonCtrl *historyButton() const { return m_historyButton; }
    ButtonCtrl *exitButton() const { return m_exitButton; }
    ButtonCtrl *linkButton() const { return m_linkButton; }
    // The guide button's data: what the guide button offers for the screen on top.
    int guideCode() const { return m_guideCode; }
    bool guideArrowShown() const { return m_guideArrow; }

public Q_SLOTS:
    void MenuBarP_slotClickedMenuBut();
    void MenuBarP_slotClickedGuideBut();
    void MenuBarP_slotClickedHistory();
    void MenuBarP_slotClickedExitBut();
    void MenuBarP_slotOnPopupMenuProc(int id);
    void MenuBarP_slotShowMenuPopup();
    void MenuBarP_slotHideMenuPopup();
    void MenuBarP_slotShowDicTypePopup();
    void MenuBarP_slotHideDicTypePopup();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Flushes the stack and pushes the search screen for dicType as job, laid out by layout,
    // with text searched.
    void openSearchScreen(int dicType, int layout, const QString &text, int job, bool flush);
    PopupMenu *newPopup(const char *name);
    void addItem(PopupMenu *menu, int id, const QString &label, const QString &picture);
    void addDictionaryItems(PopupMenu *menu, int firstId, unsigned long onlyMask);

    CommAPI *m_commApi = nullptr; // not owned
    ButtonCtrl *m_menuButton = nullptr; // "Menu"
    ButtonCtrl *m_guideButton = nullptr; // "GuideBox"
    ButtonCtrl *m_historyButton = nullptr; // "History"
    ButtonCtrl *m_exitButton = nullptr; // "Exit"
    ButtonCtrl *m_linkButton = nullptr; // created by setCommAPI
    PopupMenu *m_guidePopup = nullptr; // "Guide Popup"
    PopupMenu *m_menuPopup = nullptr; // "MenuPopup"
    PopupMenu *m_dicPopup = nullptr; // "Dic Popup"
    PopupMenu *m_addDicPopup = nullptr; // "Add Dic"
    PopupMenu *m_userDicPopup = nullptr; // "User Dic"
    PopupMenu *m_studyPopup = nullptr; // "Study Popup"
    int m_guideCode = 2;
    bool m_guideArrow = true;
    QPixmap m_background; // the dictionary family's menu-bar picture; null until themed
};
