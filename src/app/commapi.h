// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <memory>

class DBManager;
class DataList;
class INIManager;
class QTimer;
class TClassMngr;
class MenuBar;
class SearchBar;
class PreView;
class DetailView;
class CVocabulary;
class KeyInput;

// The dictionary kinds the user chooses between; the same numbers are the data layer's kinds.
enum E_DIC_TYPE : int {
    DIC_TYPE_NONE = -1,
    DIC_TYPE_KOREA = 0,
    DIC_TYPE_K2E = 1,
    DIC_TYPE_E2E = 2,
    DIC_TYPE_E2K = 3,
    DIC_TYPE_HANJA = 4,
    DIC_TYPE_K2J = 5,
    DIC_TYPE_J2K = 6,
    DIC_TYPE_K2C = 7,
    DIC_TYPE_C2K = 8,
    DIC_TYPE_ECONVERSATION = 9,
    DIC_TYPE_JCONVERSATION = 10,
    DIC_TYPE_CCONVERSATION = 11,
    DIC_TYPE_HISTORY = 12,
    DIC_TYPE_VOCABULARY = 13,
    DIC_TYPE_TOTAL = 16,
};

// One bit per dictionary: the total-search choice and the dictionaries holding the current word.
using DIC_MASK = unsigned long;
constexpr DIC_MASK DIC_MASK_KOREA = 0x001;
constexpr DIC_MASK DIC_MASK_K2E = 0x002;
constexpr DIC_MASK DIC_MASK_E2K = 0x004;
constexpr DIC_MASK DIC_MASK_E2E = 0x008;
constexpr DIC_MASK DIC_MASK_J2K = 0x010;
constexpr DIC_MASK DIC_MASK_K2J = 0x020;
constexpr DIC_MASK DIC_MASK_C2K = 0x040;
constexpr DIC_MASK DIC_MASK_K2C = 0x080;
constexpr DIC_MASK DIC_MASK_HANJA = 0x100;
constexpr DIC_MASK DIC_MASK_ALL = 0x1FF;

// Setting identifiers of Commapi_GetSettingValue / Commapi_SetSettingValue.
enum E_SET_ID_TYPE : int {
    SET_ID_START_DIC = 0,
    SET_ID_LAST_DIC = 1,
    SET_ID_SEARCH_LIST_VIEW = 2,
    SET_ID_SEARCH_RESULT_VIEW = 3,
    SET_ID_FONT_SIZE = 4,
    SET_ID_AUTO_LCD_OFF = 5,
    SET_ID_TOTAL_SEARCH_DICS = 6,
    SET_ID_LINK_KOR_DIC = 7,
    SET_ID_LINK_ENG_DIC = 8,
    SET_ID_LINK_JPN_DIC = 9,
    SET_ID_LINK_CHN_DIC = 10,
};

// The shared services every screen is given: screen manager, data layer, colours, settings,
// message boxes, and the bits of search state that screens pass to each other.
class CommAPI final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommAPI)
public:
    explicit CommAPI(QWidget *parent = nullptr, const char *name = nullptr);
    ~CommAPI() override;

    // --- screen manager and data layer (owned here)
    TClassMngr *Commapi_GetClassMngr() const { return m_classMngr.get(); }
    DBManager *Commapi_GetDBManager() const { return m_dbManager.get(); }

    // --- the main window and its permanent screens (not owned; set by the main window)
    void Commapi_SetMainWindow(QWidget *w) { m_mainWindow = w; }
    QWidget *Commapi_GetMainWindow() const { return m_mainWindow; }
    void Commapi_SetMenuBar(MenuBar *m) { m_menuBar = m; }
    MenuBar *Commapi_GetMenuBar() const { return m_menuBar; }
    void Commapi_SetSearchBar(SearchBar *s) { m_searchBar = s; }
    SearchBar *Commapi_GetSearchBar() const { return m_searchBar; }
    void Commapi_SetPreView(PreView *p) { m_preView = p; }
    PreView *Commapi_GetPreView() const { return m_preView; }
    // The latest entry screen, word book and keyboard pushed (not owned: the screen manager
    // destroys them; whoever pushes replaces the pointer, the keyboard clears its own on leaving).
    void Commapi_SetDetailView(DetailView *d) { m_detailView = d; }
    DetailView *Commapi_GetDetailView() const { return m_detailView; }
    void Commapi_SetVocabulary(CVocabulary *v) { m_vocabulary = v; }
    CVocabulary *Commapi_GetVocabulary() const { return m_vocabulary; }
    void Commapi_SetKeyInput(KeyInput *k) { m_keyInput = k; }
    KeyInput *Commapi_GetKeyInput() const { return m_keyInput; }

    // --- colours of a dictionary's family
    QColor Commapi_GetMenuAreaBKColor(int dicType) const;
    QColor Commapi_GetFrameAreaBKColor(int dicType) const;
    QColor Commapi_GetFrameAreaLineColor(int dicType) const;
    QColor Commapi_GetListAreaBKColor(int dicType) const;
    QColor Commapi_GetFontColor(int dicType) const;

    // --- current dictionary and the data-layer link
    int Commapi_GetCurrentDicType() const { return m_currentDicType; }
    // Switches the data layer; -1 does nothing and answers -1. The current type is not changed
    // for the history and word-book stores (12, 13).
    int Commapi_SetCurrentDicType(int dicType);
    // Finds which of the four Korean/English dictionaries hold word (integrated search), sets
    // the word-dictionaries mask and count, and restores the current dictionary. Answers 1 when
    // the data layer answered a list.
    int Commapi_MakeCurDicInfoByWord(const QString &word);
    void Commapi_SetHasDicOfCurrWord(DIC_MASK mask) { m_hasDicMask = mask; }
    // Writes the mask and count (either pointer may be null); answers the count.
    int Commapi_GetHasDicOfCurrWord(DIC_MASK *mask, int *count) const;

    // --- search state kept for the search and entry screens
    void Commapi_SetWindowTop(int v) { m_windowTop = v; }
    int Commapi_GetWindowTop() const { return m_windowTop; }
    void Commapi_SetSelectedRow(int v) { m_selectedRow = v; }
    int Commapi_GetSelectedRow() const { return m_selectedRow; }
    void Commapi_SetOpenedKey(int v) { m_openedKey = v; }
    int Commapi_GetOpenedKey() const { return m_openedKey; }
    void Commapi_SetOpenedDicType(int v) { m_openedDicType = v; }
    int Commapi_GetOpenedDicType() const { return m_openedDicType; }
    void Commapi_SetPreViewDicType(int v) { m_preViewDicType = v; }
    int Commapi_GetPreViewDicType() const { return m_preViewDicType; }
    void Commapi_SetTotalSearchWord(const QString &w) { m_totalSearchWord = w; }
    QString Commapi_GetTotalSearchWord() const { return m_totalSearchWord; }
    // The headword of the entry shown last; offered for lookup in other dictionaries.
    void Commapi_SetCurrWord(const QString &w) { m_currWord = w; }
    QString Commapi_GetCurrWord() const { return m_currWord; }
    // The result list the word book shows, walked by the flashcards (not owned).
    void Commapi_SetCurrResultList(DataList *l) { m_currResultList = l; }
    DataList *Commapi_GetCurrResultList() const { return m_currResultList; }

    // --- message boxes (modal)
    void Commapi_CallPopupBox(QWidget *parent, const QString &text);
    // Answers 1 for "예", 0 for "아니오" or when the box is closed otherwise.
    int Commapi_CallPopupYNBox(QWidget *parent, const QString &text);

    // --- text
    // 0 English, 1 Korean, 2 Japanese, -1 mixed, other script or empty.
    static int checkLanguage(const QString &text);
    // The bit of a dictionary type in a DIC_MASK; 0 for types without one.
    static DIC_MASK Commapi_MaskOfDicType(int dicType);
    static bool CheckNullString(const QString &s) { return s.isEmpty(); }

    // --- settings
    int LoadINIFile();
    // The numbered value of a setting (see E_SET_ID_TYPE), -1 for a value outside the known ones.
    int Commapi_GetSettingValue(int id);
    int Commapi_SetSettingValue(int id, unsigned long value);
    QFont Commapi_GetCurrFont();
    // Applies the stored settings that act outside the screens: the display-off time.
    void Commapi_ApplySettings();

    // Leaves the application's event loop with code 0.
    void Commapi_Exit();

public Q_SLOTS:
    void Commapi_slotInitTimerLCDOff();
    void Commapi_slotExpireAutoLCDOff();

private:
    std::unique_ptr<TClassMngr> m_classMngr;
    std::unique_ptr<DBManager> m_dbManager;
    QTimer *m_lcdOffTimer = nullptr; // child
    int m_currentDicType = -1;
    int m_windowTop = 0;
    int m_selectedRow = 0;
    int m_openedKey = 0;
    int m_openedDicType = 0;
    int m_preViewDicType = 0;
    QString m_totalSearchWord;
    QString m_currWord;
    DIC_MASK m_hasDicMask = 0;
    int m_hasDicCount = 0;
    std::unique_ptr<INIManager> m_iniManager;
    QWidget *m_mainWindow = nullptr; // not owned
    MenuBar *m_menuBar = nullptr; // not owned
    SearchBar *m_searchBar = nullptr; // not owned
    PreView *m_preView = nullptr; // not owned
    DetailView *m_detailView = nullptr; // not owned
    CVocabulary *m_vocabulary = nullptr; // not owned
    KeyInput *m_keyInput = nullptr; // not owned
    DataList *m_currResultList = nullptr; // not owned
};
