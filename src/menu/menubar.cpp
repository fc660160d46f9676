// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "menubar.h"

#include "ButtonCtrl.h"
#include "ClassMngr.h"
#include "EditCtrl.h"
#include "LumiPaths.h"
#include "PopupMenu.h"
#include "TImage.h"
#include "commapi.h"
#include "preview.h"
#include "searchbar.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

// The nine dictionaries in the order the menus list them.
struct DictionaryEntry
{
    const char *label;
    const char *picture;
    int menuId; // the word id is menuId + 18, the guide id menuId + 9
    int dicType;
    int guideCode;
};
const DictionaryEntry dictionaries[] = {
        {"국어사전", "k_dic.png", 7, DIC_TYPE_KOREA, 3},   {"영한사전", "ek_dic.png", 10, DIC_TYPE_E2K, 5},
        {"한영사전", "ke_dic.png", 8, DIC_TYPE_K2E, 4},    {"영영사전", "e_dic.png", 9, DIC_TYPE_E2E, 6},
        {"일한사전", "jk_dic.png", 11, DIC_TYPE_J2K, 7},   {"한일사전", "kj_dic.png", 12, DIC_TYPE_K2J, 8},
        {"중한사전", "ck_dic.png", 13, DIC_TYPE_C2K, 9},   {"한중사전", "kc_dic.png", 14, DIC_TYPE_K2C, 10},
        {"한자사전", "c_dic.png", 15, DIC_TYPE_HANJA, 11},
};

const DictionaryEntry *dictionaryOfType(int dicType)
{
    for (const DictionaryEntry &d : dictionaries) {
        if (d.dicType == dicType)
            return &d;
    }
    return nullptr;
}

// The dictionary of a menu, guide or word id (7-33).
const DictionaryEntry *dictionaryOfId(int id)
{
    const int menuId = id >= POPUP_ID_WORD_DIC_FIRST ? id - 18 : id >= POPUP_ID_GUIDE_DIC_FIRST ? id - 9 : id;
    for (const DictionaryEntry &d : dictionaries) {
        if (d.menuId == menuId)
            return &d;
    }
    return nullptr;
}

// Start-dictionary codes 1-9 and the dictionaries they open.
const int dicTypeOfStartCode[10] = {DIC_TYPE_TOTAL, DIC_TYPE_KOREA, DIC_TYPE_K2E, DIC_TYPE_E2K, DIC_TYPE_E2E,
                                    DIC_TYPE_J2K,   DIC_TYPE_K2J,   DIC_TYPE_C2K, DIC_TYPE_K2C, DIC_TYPE_HANJA};

// The pictures of a dictionary family: menu-bar background, menu button, history button.
struct FamilyPictures
{
    const char *bar;
    const char *menu;
    const char *historyNormal;
    const char *historyFocus;
};

const FamilyPictures &familyPicturesOf(int dicType)
{
    static const FamilyPictures kor{"MenuBar_Kor.png", "k_menu.png", "history_kor_nor.png", "history_kor_foc.png"};
    static const FamilyPictures eng{"MenuBar_Eng.png", "e_menu.png", "history_eng_nor.png", "history_eng_foc.png"};
    static const FamilyPictures jpn{"MenuBar_Jpn.png", "j_menu.png", "history_jpn_nor.png", "history_jpn_foc.png"};
    static const FamilyPictures chn{"MenuBar_Chn.png", "c_menu.png", "history_chn_nor.png", "history_chn_foc.png"};
    switch (dicType) {
    case DIC_TYPE_KOREA:
    case DIC_TYPE_K2E:
    case DIC_TYPE_HANJA:
        return kor;
    case DIC_TYPE_K2J:
    case DIC_TYPE_J2K:
    case DIC_TYPE_JCONVERSATION:
        return jpn;
    case DIC_TYPE_K2C:
    case DIC_TYPE_C2K:
    case DIC_TYPE_CCONVERSATION:
        return chn;
    default:
        return eng;
    }
}

void setBackground(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace

MenuBar::MenuBar(QWidget *parent, const char *name, Qt::WindowFlags f)
    : QWidget(parent, f)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("MenuBar"));
    resize(480, 23);

    const auto makeButton
            = [this](const char *objectName, const QString &text, const QRect &geometry, ButtonOemType skin) {
                  auto *b = new ButtonCtrl(this, objectName);
                  b->ButCtrl_SetRange(geometry.x(), geometry.y(), geometry.width(), geometry.height());
                  b->ButCtrl_SetText(text);
                  b->ButCtrl_SetOemType(skin);
                  b->setFocusPolicy(Qt::NoFocus);
                  return b;
              };
    m_menuButton = makeButton("Menu", QStringLiteral("메뉴"), QRect(0, 0, 39, 23), BTN_OEM_IMAGE);
    m_menuButton->ButCtrl_SetBkColor(Qt::black);
    m_guideButton = makeButton("GuideBox", QStringLiteral("통합검색"), QRect(39, 0, 103, 23), BTN_OEM_FLAT);
    m_historyButton = makeButton("History", QStringLiteral("History"), QRect(174, 0, 74, 23), BTN_OEM_IMAGE);
    m_exitButton = makeButton("Exit", QString(), QRect(450, 1, 20, 21), BTN_OEM_IMAGE);

    m_guidePopup = newPopup("Guide Popup");
    m_guidePopup->PopupMenu_SetMenuWidthEx(57);
    m_menuPopup = newPopup("MenuPopup");
    m_dicPopup = newPopup("Dic Popup");
    m_addDicPopup = newPopup("Add Dic");
    m_userDicPopup = newPopup("User Dic");
    m_studyPopup = newPopup("Study Popup");
    for (PopupMenu *menu : {m_guidePopup, m_menuPopup, m_dicPopup, m_addDicPopup, m_userDicPopup, m_studyPopup})
        connect(menu, &PopupMenu::activated, this, &MenuBar::MenuBarP_slotOnPopupMenuProc);
    connect(m_menuPopup, &QMenu::aboutToShow, this, &MenuBar::MenuBarP_slotShowMenuPopup);
    connect(m_menuPopup, &QMenu::aboutToHide, this, &MenuBar::MenuBarP_slotHideMenuPopup);
    connect(m_guidePopup, &QMenu::aboutToShow, this, &MenuBar::MenuBarP_slotShowDicTypePopup);
    connect(m_guidePopup, &QMenu::aboutToHide, this, &MenuBar::MenuBarP_slotHideDicTypePopup);

    connect(m_menuButton, &QPushButton::clicked, this, &MenuBar::MenuBarP_slotClickedMenuBut);
    connect(m_guideButton, &QPushButton::clicked, this, &MenuBar::MenuBarP_slotClickedGuideBut);
    connect(m_historyButton, &QPushButton::clicked, this, &MenuBar::MenuBarP_slotClickedHistory);
    connect(m_exitButton, &QPushButton::clicked, this, &MenuBar::MenuBarP_slotClickedExitBut);
}

MenuBar::~MenuBar() = default;

PopupMenu *MenuBar::newPopup(const char *name)
{
    auto *menu = new PopupMenu(this, name);
    menu->PopupMenu_SetOemType(OEM_TYPE_SKIN);
    if (qstrcmp(name, "Guide Popup") != 0)
        menu->PopupMenu_SetMenuWidthEx(42);
    return menu;
}

void MenuBar::setCommAPI(CommAPI *commApi)
{
    m_commApi = commApi;
    if (!m_linkButton) {
        m_linkButton = new ButtonCtrl(this);
        m_linkButton->ButCtrl_SetRange(249, 2, 60, 20);
        m_linkButton->ButCtrl_SetTransparent(1);
        m_linkButton->ButCtrl_SetShowArrow(BTN_ARROW_NONE);
        m_linkButton->ButCtrl_SetOemType(BTN_OEM_FLAT);
        const QString link = QStringLiteral("HyperLink.png");
        m_linkButton->ButCtrl_SetImageEx(link, link, link, link);
        m_linkButton->setFocusPolicy(Qt::NoFocus);
        m_linkButton->hide();
    }
}

void MenuBar::openSearchScreen(int dicType, int layout, const QString &text, int job, bool flush)
{
    if (!m_commApi)
        return;
    TClassMngr *mngr = m_commApi->Commapi_GetClassMngr();
    if (flush)
        mngr->ClassMngr_FlushAllClass();
    m_commApi->Commapi_SetCurrentDicType(dicType);
    if (SearchBar *bar = m_commApi->Commapi_GetSearchBar())
        bar->searchEdit()->setCursorPosition(0);
    PreView *preView = m_commApi->Commapi_GetPreView();
    if (!preView)
        return;
    preView->showPreView(layout, text, true);
    auto *item = new TClassItem;
    item->obj = preView;
    item->data = static_cast<unsigned long>(job);
    mngr->ClassMngr_SetParam(0, static_cast<unsigned long>(job));
    mngr->ClassMngr_SetParam(1, static_cast<unsigned long>(dicType));
    mngr->ClassMngr_InsertActiveClass(item, 0);
}

void MenuBar::MenuBarP_OnInitMenuBar()
{
    if (!m_commApi)
        return;
    int code = m_commApi->Commapi_GetSettingValue(SET_ID_START_DIC);
    if (code == 10)
        code = m_commApi->Commapi_GetSettingValue(SET_ID_LAST_DIC);
    if (SearchBar *bar = m_commApi->Commapi_GetSearchBar())
        bar->searchEdit()->setCursorPosition(0);
    if (code < 0 || code >= 10)
        return;
    if (code == 0) {
        openSearchScreen(DIC_TYPE_TOTAL, 0, QString(), JOB_TOTAL_SEARCH, false);
        return;
    }
    openSearchScreen(dicTypeOfStartCode[code], m_commApi->Commapi_GetSettingValue(SET_ID_SEARCH_LIST_VIEW), QString(),
                     JOB_DIC_SEARCH, false);
}

void MenuBar::MenuBarP_SearchWord(const QString &word)
{
    if (!m_commApi)
        return;
    TClassMngr *mngr = m_commApi->Commapi_GetClassMngr();
    m_commApi->Commapi_SetCurrentDicType(DIC_TYPE_TOTAL);
    mngr->ClassMngr_FlushAllClass();
    PreView *preView = m_commApi->Commapi_GetPreView();
    if (!preView)
        return;
    auto *item = new TClassItem;
    item->obj = preView;
    item->data = JOB_TOTAL_SEARCH;
    mngr->ClassMngr_SetParam(0, JOB_TOTAL_SEARCH);
    mngr->ClassMngr_SetParam(1, DIC_TYPE_TOTAL);
    mngr->ClassMngr_InsertActiveClass(item, 0);
    if (SearchBar *bar = m_commApi->Commapi_GetSearchBar())
        bar->searchEdit()->setText(word);
    preView->slotClickedSearchBut();
}

void MenuBar::MenuBarP_slotOnPopupMenuProc(int id)
{
    setFocus();
    if (id >= POPUP_ID_NEWS || id < 0 || !m_commApi)
        return;
    if (id == POPUP_ID_TOTAL_SEARCH) {
        openSearchScreen(DIC_TYPE_TOTAL, 0, QString(), JOB_TOTAL_SEARCH, true);
        return;
    }
    if (id >= POPUP_ID_MENU_DIC_FIRST && id < POPUP_ID_VOCABULARY) {
        const DictionaryEntry *d = dictionaryOfId(id);
        if (!d)
            return;
        const QString text = id >= POPUP_ID_WORD_DIC_FIRST ? m_commApi->Commapi_GetCurrWord() : QString();
        openSearchScreen(d->dicType, m_commApi->Commapi_GetSettingValue(SET_ID_SEARCH_LIST_VIEW), text, JOB_DIC_SEARCH,
                         true);
        return;
    }
    switch (id) {
    case POPUP_ID_CONVERSATION_ENG:
    case POPUP_ID_CONVERSATION_JPN:
    case POPUP_ID_CONVERSATION_CHN: {
        const int offset = id - POPUP_ID_CONVERSATION_ENG;
        openSearchScreen(DIC_TYPE_ECONVERSATION + offset, PreView::MODE_CONVERSATION, QString(),
                         JOB_CONVERSATION_ENG + offset, true);
        return;
    }
    case POPUP_ID_EXIT:
        m_commApi->Commapi_Exit();
        return;
    case POPUP_ID_SETTINGS:
    case POPUP_ID_VOCABULARY:
        // The settings screen and the word book are opened here once they exist.
        return;
    default:
        return; // 1-4 open sub-menus and are not actions
    }
}

void MenuBar::addItem(PopupMenu *menu, int id, const QString &label, const QString &picture)
{
    menu->PopupMenu_AddItem(label, static_cast<unsigned long>(id), QString(), picture);
}

void MenuBar::addDictionaryItems(PopupMenu *menu, int firstId, unsigned long onlyMask)
{
    for (const DictionaryEntry &d : dictionaries) {
        if (onlyMask && !(onlyMask & CommAPI::Commapi_MaskOfDicType(d.dicType)))
            continue;
        addItem(menu, d.menuId + (firstId - POPUP_ID_MENU_DIC_FIRST), QString::fromUtf8(d.label),
                QString::fromLatin1(d.picture));
    }
}

void MenuBar::MenuBarP_slotClickedMenuBut()
{
    m_menuButton->ButCtrl_SetActive(true);
    m_dicPopup->PopupMenu_ResetAllItems();
    addDictionaryItems(m_dicPopup, POPUP_ID_MENU_DIC_FIRST, 0);
    m_addDicPopup->PopupMenu_ResetAllItems();
    const char *addOns[]
            = {"IT 용어", "TOEIC", "Idiom 사전", "수능", "NEWS", "비즈니스", "어린이", "일한자사전", "옛말사전"};
    for (int i = 0; i < 9; ++i)
        addItem(m_addDicPopup, 39 + i, QString::fromUtf8(addOns[i]), QStringLiteral("word_add.png"));
    m_userDicPopup->PopupMenu_ResetAllItems();
    addItem(m_userDicPopup, 48, QStringLiteral("천자문"), QStringLiteral("word_add.png"));
    addItem(m_userDicPopup, 49, QStringLiteral("사자소학"), QStringLiteral("word_add.png"));
    for (int i = 3; i <= 10; ++i)
        addItem(m_userDicPopup, 47 + i, QStringLiteral("사용자%1").arg(i), QStringLiteral("word_add.png"));
    m_studyPopup->PopupMenu_ResetAllItems();
    addItem(m_studyPopup, POPUP_ID_VOCABULARY, QStringLiteral("단어장"), QStringLiteral("word_add.png"));
    addItem(m_studyPopup, POPUP_ID_CONVERSATION_ENG, QStringLiteral("영어회화"),
            QStringLiteral("Conversation_eng_dic.png"));
    addItem(m_studyPopup, POPUP_ID_CONVERSATION_JPN, QStringLiteral("일본어회화"),
            QStringLiteral("Conversation_jpn_dic.png"));
    addItem(m_studyPopup, POPUP_ID_CONVERSATION_CHN, QStringLiteral("중국어회화"),
            QStringLiteral("Conversation_chn_dic.png"));
    addItem(m_studyPopup, POPUP_ID_NEWS, QStringLiteral("뉴스청취"), QStringLiteral("word_add.png"));

    m_menuPopup->PopupMenu_ResetAllItems();
    addItem(m_menuPopup, POPUP_ID_TOTAL_SEARCH, QStringLiteral("통합검색"), QStringLiteral("find.png"));
    const auto addSub = [this](PopupMenu *sub, int id, const QString &label, const QString &picture) {
        m_menuPopup->PopupMenu_AddItemEx(label, sub, static_cast<unsigned long>(id), QString(), picture);
    };
    addSub(m_dicPopup, POPUP_ID_DIC, QStringLiteral("사전"), QStringLiteral("dic.png"));
    addSub(m_addDicPopup, POPUP_ID_ADD_DIC, QStringLiteral("부가사전"), QStringLiteral("word_add.png"));
    addSub(m_userDicPopup, POPUP_ID_USER_DIC, QStringLiteral("사용자 사전"), QStringLiteral("word_add.png"));
    addSub(m_studyPopup, POPUP_ID_STUDY, QStringLiteral("학습기능"), QStringLiteral("study.png"));
    addItem(m_menuPopup, POPUP_ID_SETTINGS, QStringLiteral("설정"), QStringLiteral("setting.png"));
    addItem(m_menuPopup, POPUP_ID_EXIT, QStringLiteral("종료"), QStringLiteral("exit.png"));
    m_menuPopup->exec(mapToGlobal(QPoint(m_menuButton->x(), m_menuButton->height())));
}

void MenuBar::MenuBarP_slotClickedGuideBut()
{
    setFocus();
    if (!m_commApi)
        return;
    TClassMngr *mngr = m_commApi->Commapi_GetClassMngr();
    const auto job = static_cast<long>(mngr->ClassMngr_GetCurrUserData());
    switch (job) {
    case JOB_DIC_SEARCH:
    case JOB_CONVERSATION_ENG:
    case JOB_CONVERSATION_JPN:
    case JOB_CONVERSATION_CHN:
    case JOB_KEYINPUT:
        m_guidePopup->PopupMenu_ResetAllItems();
        if (m_guideCode >= 3 && m_guideCode <= 11) {
            addDictionaryItems(m_guidePopup, POPUP_ID_GUIDE_DIC_FIRST, 0);
        } else if (m_guideCode >= 14 && m_guideCode <= 16) {
            addItem(m_guidePopup, POPUP_ID_CONVERSATION_ENG, QStringLiteral("영어회화"),
                    QStringLiteral("Conversation_eng_dic.png"));
            addItem(m_guidePopup, POPUP_ID_CONVERSATION_JPN, QStringLiteral("일본어회화"),
                    QStringLiteral("Conversation_jpn_dic.png"));
            addItem(m_guidePopup, POPUP_ID_CONVERSATION_CHN, QStringLiteral("중국어회화"),
                    QStringLiteral("Conversation_chn_dic.png"));
        } else {
            return;
        }
        m_guidePopup->exec(mapToGlobal(QPoint(m_guideButton->x(), m_guideButton->height())));
        return;
    case JOB_DETAIL: {
        DIC_MASK mask = 0;
        int count = 0;
        m_commApi->Commapi_GetHasDicOfCurrWord(&mask, &count);
        if (count < 2)
            return;
        m_guidePopup->PopupMenu_ResetAllItems();
        addDictionaryItems(m_guidePopup, POPUP_ID_WORD_DIC_FIRST, mask);
        m_guidePopup->exec(mapToGlobal(QPoint(m_guideButton->x(), m_guideButton->height())));
        return;
    }
    case JOB_HISTORY:
    case JOB_HISTORY_DETAIL:
    case JOB_VOCABULARY:
    case JOB_VOCABULARY_DETAIL:
    case JOB_VOCABULARY_VIEWER: {
        const bool history = job == JOB_HISTORY || job == JOB_HISTORY_DETAIL;
        mngr->ClassMngr_PostMessage(CLASSMNGR_TARGET_ALL, MSG_CLOSE_JOB, history ? JOB_HISTORY : JOB_VOCABULARY, 0);
        const unsigned long top = mngr->ClassMngr_GetCurrUserData();
        if (top == JOB_TOTAL_SEARCH || top == JOB_DIC_SEARCH) {
            if (PreView *preView = m_commApi->Commapi_GetPreView())
                preView->show();
            if (SearchBar *bar = m_commApi->Commapi_GetSearchBar())
                bar->show();
        }
        return;
    }
    case JOB_SETTINGS:
        mngr->ClassMngr_RemoveActiveClass();
        return;
    default:
        return;
    }
}

void MenuBar::MenuBarP_slotClickedHistory()
{
    // The history screen is pushed here once it exists.
}

void MenuBar::MenuBarP_slotClickedExitBut()
{
    if (m_commApi)
        m_commApi->Commapi_Exit();
}

void MenuBar::MenuBarP_slotShowMenuPopup()
{
    m_menuButton->ButCtrl_SetActive(true);
    m_menuButton->update();
}

void MenuBar::MenuBarP_slotHideMenuPopup()
{
    m_menuButton->ButCtrl_SetActive(false);
    m_menuButton->update();
}

void MenuBar::MenuBarP_slotShowDicTypePopup()
{
    m_guideButton->ButCtrl_SetActive(true);
    m_guideButton->update();
}

void MenuBar::MenuBarP_slotHideDicTypePopup()
{
    m_guideButton->ButCtrl_SetActive(false);
    m_guideButton->update();
}

void MenuBar::MenuBarP_SetThemeUI(int job, int dicType)
{
    if (!m_commApi)
        return;
    m_guideArrow = true;
    m_guideButton->setGeometry(39, 0, 103, 23);
    m_guideButton->ButCtrl_SetShowArrow(BTN_ARROW_SHOW);
    m_exitButton->ButCtrl_SetImageEx(QStringLiteral("close_bt_nor.png"), QStringLiteral("close_bt_press.png"),
                                     QStringLiteral("close_bt_foc.png"), QStringLiteral("close_bt_dis.png"));
    m_exitButton->ButCtrl_SetBkColor(m_commApi->Commapi_GetMenuAreaBKColor(dicType));
    if (SearchBar *bar = m_commApi->Commapi_GetSearchBar()) {
        const QColor frame = m_commApi->Commapi_GetFrameAreaBKColor(dicType);
        setBackground(bar, frame);
        bar->searchImageButton()->ButCtrl_SetBkColor(frame);
        bar->searchButton()->ButCtrl_SetBkColor(frame);
    }
    if (job >= 18)
        return;

    const QColor menuArea = m_commApi->Commapi_GetMenuAreaBKColor(dicType);
    m_guideButton->ButCtrl_SetBkColor(menuArea);
    const auto guide = [this](const QString &picture, const QString &text, int code, bool arrow, bool enabled) {
        const TImage image(picture);
        m_guideButton->ButCtrl_SetImage(&image);
        m_guideButton->ButCtrl_SetText(text);
        m_guideCode = code;
        m_guideArrow = arrow;
        m_guideButton->ButCtrl_SetShowArrow(arrow ? BTN_ARROW_SHOW : BTN_ARROW_HIDE);
        m_guideButton->ButCtrl_SetEnable(enabled ? 1 : 0);
    };
    const auto historyVisible = [this](bool visible) {
        m_historyButton->setText(QStringLiteral("History exit"));
        m_historyButton->setVisible(visible);
    };
    const auto family = [this](int type) {
        setBackground(this, m_commApi->Commapi_GetMenuAreaBKColor(type));
        const FamilyPictures &f = familyPicturesOf(type);
        m_background = QPixmap(LumiPaths::pixmap(QLatin1String(f.bar)));
        const QString menu = QLatin1String(f.menu);
        const QString pressed = QStringLiteral("p_menu.png");
        m_menuButton->ButCtrl_SetImageEx(menu, pressed, pressed, menu);
        const QString normal = QLatin1String(f.historyNormal);
        const QString focus = QLatin1String(f.historyFocus);
        m_historyButton->ButCtrl_SetImageEx(normal, focus, focus, normal);
        m_guideButton->ButCtrl_SetBkImage(QLatin1String(f.bar));
    };

    switch (job) {
    case JOB_TOTAL_SEARCH:
        family(DIC_TYPE_E2E);
        guide(QStringLiteral("find.png"), QStringLiteral("통합검색"), 2, false, false);
        historyVisible(true);
        break;
    case JOB_DIC_SEARCH:
    case JOB_DETAIL:
    case JOB_KEYINPUT: {
        const DictionaryEntry *d = dictionaryOfType(dicType);
        bool several = true;
        if (job == JOB_DETAIL) {
            int count = 0;
            m_commApi->Commapi_GetHasDicOfCurrWord(nullptr, &count);
            several = count >= 2;
        }
        if (d) {
            family(dicType);
            guide(QString::fromLatin1(d->picture), QString::fromUtf8(d->label), d->guideCode, several, several);
        } else {
            m_guideArrow = several;
            m_guideButton->ButCtrl_SetShowArrow(several ? BTN_ARROW_SHOW : BTN_ARROW_HIDE);
            m_guideButton->setEnabled(several);
        }
        historyVisible(true);
        break;
    }
    case JOB_HISTORY:
    case JOB_HISTORY_DETAIL:
        family(dicType);
        guide(QStringLiteral("history.png"), QStringLiteral("History exit"), 0, false, true);
        m_guideButton->resize(dicType >= DIC_TYPE_ECONVERSATION && dicType <= DIC_TYPE_CCONVERSATION ? 123 : 112, 23);
        m_historyButton->hide();
        break;
    case JOB_VOCABULARY:
    case JOB_VOCABULARY_DETAIL:
    case JOB_VOCABULARY_VIEWER:
        family(dicType);
        guide(QStringLiteral("word_add.png"), QStringLiteral("단어장종료"), 13, false, true);
        m_guideButton->resize(123, 23);
        m_historyButton->hide();
        break;
    case JOB_CONVERSATION_ENG:
    case JOB_CONVERSATION_JPN:
    case JOB_CONVERSATION_CHN:
        if (dicType >= DIC_TYPE_ECONVERSATION && dicType <= DIC_TYPE_CCONVERSATION) {
            static const char *const pictures[]
                    = {"Conversation_eng_dic.png", "Conversation_jpn_dic.png", "Conversation_chn_dic.png"};
            static const char *const labels[] = {"영어회화", "일본어회화", "중국어회화"};
            const int i = dicType - DIC_TYPE_ECONVERSATION;
            family(dicType);
            guide(QString::fromLatin1(pictures[i]), QString::fromUtf8(labels[i]), 14 + i, true, true);
            m_guideButton->resize(114, 23);
        } else {
            m_guideArrow = true;
            m_guideButton->ButCtrl_SetShowArrow(BTN_ARROW_SHOW);
            m_guideButton->setEnabled(true);
        }
        historyVisible(true);
        break;
    case JOB_SETTINGS:
        family(dicType);
        guide(QStringLiteral("setting.png"), QStringLiteral("설정종료"), 12, false, true);
        m_historyButton->hide();
        break;
    default:
        m_guideArrow = true;
        m_guideButton->ButCtrl_SetShowArrow(BTN_ARROW_SHOW);
        break;
    }
    update();
    m_menuButton->update();
    m_guideButton->update();
    m_historyButton->update();
    m_exitButton->update();
}

void MenuBar::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_background.isNull()) {
        QPainter p(this);
        p.drawPixmap(rect(), m_background);
    }
}

void MenuBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_commApi)
            m_commApi->Commapi_Exit();
        return;
    }
    event->ignore();
}
