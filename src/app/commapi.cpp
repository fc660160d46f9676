// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "commapi.h"

#include "ClassMngr.h"
#include "DBManager.h"
#include "LumiPaths.h"
#include "QCopEnvelope.h"
#include "inimanager.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>

namespace {

enum ColourFamily { Korean, English, Japanese, Chinese };

ColourFamily familyOf(int dicType)
{
    switch (dicType) {
    case DIC_TYPE_KOREA:
    case DIC_TYPE_K2E:
    case DIC_TYPE_HANJA:
        return Korean;
    case DIC_TYPE_K2J:
    case DIC_TYPE_J2K:
    case DIC_TYPE_JCONVERSATION:
        return Japanese;
    case DIC_TYPE_K2C:
    case DIC_TYPE_C2K:
    case DIC_TYPE_CCONVERSATION:
        return Chinese;
    default:
        return English;
    }
}

// Colours per family, in the order Korean, English, Japanese, Chinese.
QColor pick(int dicType, const QRgb (&rgb)[4])
{
    return QColor(rgb[familyOf(dicType)]);
}

const char *keyOfSetting(int id)
{
    switch (id) {
    case SET_ID_LAST_DIC:
        return "Display-LastDic";
    case SET_ID_SEARCH_LIST_VIEW:
        return "Display-SearchListView";
    case SET_ID_SEARCH_RESULT_VIEW:
        return "Display-SearchResultView";
    case SET_ID_FONT_SIZE:
        return "Display-FontSize";
    case SET_ID_AUTO_LCD_OFF:
        return "Display-AutoLCDOff";
    case SET_ID_LINK_KOR_DIC:
        return "LinkDic-KorDic";
    case SET_ID_LINK_ENG_DIC:
        return "LinkDic-EngDic";
    case SET_ID_LINK_JPN_DIC:
        return "LinkDic-JpnDic";
    case SET_ID_LINK_CHN_DIC:
        return "LinkDic-ChnDic";
    default:
        return nullptr;
    }
}

// Stored number <-> returned value: the returned value is base + stored, for stored 0..count-1.
struct SettingRange
{
    int base;
    int count;
};

SettingRange rangeOfSetting(int id)
{
    switch (id) {
    case SET_ID_LAST_DIC:
        return {0, 10};
    case SET_ID_SEARCH_LIST_VIEW:
        return {11, 3};
    case SET_ID_SEARCH_RESULT_VIEW:
        return {14, 2};
    case SET_ID_FONT_SIZE:
        return {16, 3};
    case SET_ID_AUTO_LCD_OFF:
        return {19, 4};
    case SET_ID_LINK_KOR_DIC:
        return {0, 5};
    case SET_ID_LINK_ENG_DIC:
        return {5, 2};
    case SET_ID_LINK_JPN_DIC:
        return {7, 2};
    case SET_ID_LINK_CHN_DIC:
        return {9, 1};
    default:
        return {0, 0};
    }
}

// Returned when a key is missing or empty.
int defaultOfSetting(int id)
{
    switch (id) {
    case SET_ID_SEARCH_LIST_VIEW:
        return 11;
    case SET_ID_SEARCH_RESULT_VIEW:
        return 15;
    case SET_ID_FONT_SIZE:
        return 17;
    case SET_ID_AUTO_LCD_OFF:
        return 19;
    case SET_ID_LINK_KOR_DIC:
        return 0;
    case SET_ID_LINK_ENG_DIC:
        return 5;
    case SET_ID_LINK_JPN_DIC:
        return 7;
    case SET_ID_LINK_CHN_DIC:
        return 9;
    default:
        return -1;
    }
}

// The start-dictionary labels in the order they are matched, with their codes.
struct StartLabel
{
    const char *label;
    int code;
};
const StartLabel startLabels[] = {
        {"국어사전", 1}, {"한영사전", 2}, {"영한사전", 3}, {"영영사전", 4}, {"일한사전", 5},
        {"한일사전", 6}, {"중한사전", 7}, {"한중사전", 8}, {"한자사전", 9},
};

// The nine check boxes of the total-search choice and their bits.
const DIC_MASK totalSearchBits[9] = {DIC_MASK_KOREA, DIC_MASK_K2E, DIC_MASK_K2J, DIC_MASK_K2C, DIC_MASK_HANJA,
                                     DIC_MASK_E2K,   DIC_MASK_E2E, DIC_MASK_J2K, DIC_MASK_C2K};

// A stored number: decimal digits only; anything else reads as -1, which no table maps.
int storedNumber(const QString &value)
{
    bool ok = false;
    const int n = value.toInt(&ok, 10);
    return ok ? n : -1;
}

} // namespace

CommAPI::CommAPI(QWidget *parent, const char *name)
    : QWidget(parent)
    , m_classMngr(std::make_unique<TClassMngr>())
    , m_dbManager(std::make_unique<DBManager>())
    , m_lcdOffTimer(new QTimer(this))
    , m_iniManager(std::make_unique<INIManager>())
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Comm API"));
    const QByteArray dataDir = QFile::encodeName(LumiPaths::dataDir());
    m_dbManager->SetSoundPath(dataDir.constData());
    m_dbManager->SetDictionaryPath(dataDir.constData());
    m_iniManager->load(LumiPaths::settingsFile());
}

CommAPI::~CommAPI()
{
    // Screens still on the stack may refer to the data layer while they leave; the manager goes
    // first, the data layer after it.
    m_classMngr.reset();
    m_dbManager.reset();
}

QColor CommAPI::Commapi_GetMenuAreaBKColor(int dicType) const
{
    static const QRgb rgb[4] = {qRgb(221, 189, 128), qRgb(144, 181, 198), qRgb(255, 162, 171), qRgb(179, 191, 115)};
    return pick(dicType, rgb);
}

QColor CommAPI::Commapi_GetFrameAreaBKColor(int dicType) const
{
    static const QRgb rgb[4] = {qRgb(245, 236, 205), qRgb(204, 228, 246), qRgb(246, 214, 227), qRgb(227, 246, 214)};
    return pick(dicType, rgb);
}

QColor CommAPI::Commapi_GetFrameAreaLineColor(int dicType) const
{
    // Outside the twelve dictionaries the line takes the English frame background, not the
    // English line colour.
    if (dicType < DIC_TYPE_KOREA || dicType > DIC_TYPE_CCONVERSATION)
        return QColor(204, 228, 246);
    static const QRgb rgb[4] = {qRgb(207, 196, 178), qRgb(178, 198, 207), qRgb(222, 195, 200), qRgb(187, 194, 153)};
    return pick(dicType, rgb);
}

QColor CommAPI::Commapi_GetListAreaBKColor(int dicType) const
{
    static const QRgb rgb[4] = {qRgb(255, 190, 140), qRgb(142, 207, 255), qRgb(255, 150, 157), qRgb(192, 229, 126)};
    return pick(dicType, rgb);
}

QColor CommAPI::Commapi_GetFontColor(int dicType) const
{
    static const QRgb rgb[4] = {qRgb(193, 140, 129), qRgb(133, 171, 190), qRgb(187, 128, 149), qRgb(166, 174, 123)};
    return pick(dicType, rgb);
}

int CommAPI::Commapi_SetCurrentDicType(int dicType)
{
    if (dicType == DIC_TYPE_NONE)
        return -1;
    const int result = m_dbManager->SetDictionary(dicType, nullptr);
    if (dicType != DIC_TYPE_HISTORY && dicType != DIC_TYPE_VOCABULARY)
        m_currentDicType = dicType;
    return result;
}

int CommAPI::Commapi_MakeCurDicInfoByWord(const QString &word)
{
    m_hasDicMask = 0;
    m_hasDicCount = 0;
    const int remembered = m_currentDicType;
    m_dbManager->SetDictionary(DIC_TYPE_TOTAL, nullptr);
    m_currentDicType = DIC_TYPE_TOTAL;

    _TotalDictionary which;
    for (int kind = DIC_TYPE_KOREA; kind <= DIC_TYPE_E2K; ++kind)
        which.dic[kind] = 1;
    const DataList *list = m_dbManager->GetTotalList(&which, word);
    if (list) {
        for (int i = 0; i < list->GetCount(); ++i) {
            const DataItem *item = list->GetItem(i);
            const DIC_MASK bit = item ? Commapi_MaskOfDicType(item->GetValue(1)) : 0;
            if (bit && !(m_hasDicMask & bit)) {
                m_hasDicMask |= bit;
                ++m_hasDicCount;
            }
        }
    }
    if (remembered != DIC_TYPE_NONE)
        Commapi_SetCurrentDicType(remembered);
    return list ? 1 : 0;
}

int CommAPI::Commapi_GetHasDicOfCurrWord(DIC_MASK *mask, int *count) const
{
    if (mask)
        *mask = m_hasDicMask;
    if (count)
        *count = m_hasDicCount;
    return m_hasDicCount;
}

void CommAPI::Commapi_CallPopupBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("확인"), text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

int CommAPI::Commapi_CallPopupYNBox(QWidget *parent, const QString &text)
{
    Q_UNUSED(parent) // the question box stands on its own, over whatever is on screen
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("확인"), text, QMessageBox::NoButton, nullptr);
    QPushButton *yes = box.addButton(QStringLiteral("예"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("아니오"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? 1 : 0;
}

int CommAPI::checkLanguage(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
            sum += 1;
        else if ((u >= 0x3130 && u <= 0x318F) || (u >= 0xAC00 && u <= 0xD7AF))
            sum += 3;
        else if ((u >= 0x3041 && u <= 0x3093) || (u >= 0x30A1 && u <= 0x30FC))
            sum += 5;
    }
    if (n != 0 && sum == n)
        return 0;
    if (n != 0 && sum == 3 * n)
        return 1;
    if (n != 0 && sum == 5 * n)
        return 2;
    return -1;
}

int CommAPI::LoadINIFile()
{
    return m_iniManager->load(LumiPaths::settingsFile());
}

int CommAPI::Commapi_GetSettingValue(int id)
{
    // Every read goes to the file: the settings screen writes it through its own reader.
    LoadINIFile();
    const auto value = [this](const QString &key) {
        return m_iniManager->GetData(key);
    };

    switch (id) {
    case SET_ID_START_DIC: {
        const QString assign = value(QStringLiteral("Display-AssignView"));
        if (assign.isEmpty())
            return 0;
        if (storedNumber(assign) == 1)
            return 10;
        const QString total = value(QStringLiteral("Display-TotalSearch"));
        if (total.isEmpty())
            return -1;
        const int totalNumber = storedNumber(total);
        if (totalNumber == 0)
            return 0;
        if (totalNumber != 1)
            return -1;
        const QString initDic = value(QStringLiteral("Display-InitDic"));
        if (initDic.isEmpty())
            return -1;
        // The value holds the file's bytes one to one; they are the label in EUC-KR.
        QStringDecoder decoder("EUC-KR");
        const QString label = decoder.isValid() ? decoder.decode(initDic.toLatin1()) : initDic;
        for (const StartLabel &l : startLabels) {
            if (label == QString::fromUtf8(l.label))
                return l.code;
        }
        return -1;
    }
    case SET_ID_TOTAL_SEARCH_DICS: {
        const auto checkKey = [](int i) {
            return QStringLiteral("TotalSearch-CheckBox[%1]").arg(i);
        };
        if (value(checkKey(0)).isEmpty())
            return static_cast<int>(DIC_MASK_ALL);
        DIC_MASK mask = 0;
        for (int i = 0; i < 9; ++i) {
            const QString v = value(checkKey(i));
            if (!v.isEmpty() && v.toInt() != 0)
                mask |= totalSearchBits[i];
        }
        return static_cast<int>(mask);
    }
    default:
        break;
    }

    const char *key = keyOfSetting(id);
    if (!key)
        return -1;
    const QString stored = value(QLatin1String(key));
    if (stored.isEmpty()) {
        if (id == SET_ID_LAST_DIC) {
            // First use: the file learns code 0 (total search), this one call answers 4.
            Commapi_SetSettingValue(SET_ID_LAST_DIC, 0);
            return 4;
        }
        return defaultOfSetting(id);
    }
    const int n = storedNumber(stored);
    const SettingRange r = rangeOfSetting(id);
    if (n < 0 || n >= r.count)
        return -1;
    return r.base + n;
}

int CommAPI::Commapi_SetSettingValue(int id, unsigned long value)
{
    LoadINIFile();
    const char *key = keyOfSetting(id);
    if (key) {
        const SettingRange r = rangeOfSetting(id);
        if (value >= static_cast<unsigned long>(r.base) && value < static_cast<unsigned long>(r.base + r.count))
            m_iniManager->SetData(QLatin1String(key), QString::number(value - r.base));
    }
    m_iniManager->save(LumiPaths::settingsFile());
    return 1;
}

QFont CommAPI::Commapi_GetCurrFont()
{
    int size = 12;
    switch (Commapi_GetSettingValue(SET_ID_FONT_SIZE)) {
    case 16:
        size = 10;
        break;
    case 18:
        size = 14;
        break;
    default:
        break;
    }
    return QFont(QStringLiteral("Tamsa"), size, QFont::Normal, false);
}

void CommAPI::Commapi_ApplySettings()
{
    // The display-off time takes effect here: at start-up (the main window applies the stored
    // settings) and after every save of the settings screen, so the system always knows the
    // current choice.
    Commapi_slotInitTimerLCDOff();
}

void CommAPI::Commapi_slotInitTimerLCDOff()
{
    const int setting = Commapi_GetSettingValue(SET_ID_AUTO_LCD_OFF);
    connect(m_lcdOffTimer, &QTimer::timeout, this, &CommAPI::Commapi_slotExpireAutoLCDOff, Qt::UniqueConnection);
    m_lcdOffTimer->stop();
    switch (setting) {
    case 19:
        m_lcdOffTimer->setInterval(0);
        break;
    case 20:
        m_lcdOffTimer->start(15000);
        break;
    case 21:
        m_lcdOffTimer->start(30000);
        break;
    case 22:
        m_lcdOffTimer->start(60000);
        break;
    default:
        m_lcdOffTimer->setInterval(15000);
        break;
    }
    QCopEnvelope e(QStringLiteral("QPE/System"), QStringLiteral("setScreenSaverIntervals(int, int)"));
    e << 0 << m_lcdOffTimer->interval() / 1000;
}

void CommAPI::Commapi_slotExpireAutoLCDOff()
{
    const int setting = Commapi_GetSettingValue(SET_ID_AUTO_LCD_OFF);
    disconnect(m_lcdOffTimer, &QTimer::timeout, this, &CommAPI::Commapi_slotExpireAutoLCDOff);
    if (setting == 19)
        m_lcdOffTimer->stop();
}

void CommAPI::Commapi_Exit()
{
    QCoreApplication::exit(0);
}

DIC_MASK CommAPI::Commapi_MaskOfDicType(int kind)
{
    switch (kind) {
    case DIC_TYPE_KOREA:
        return DIC_MASK_KOREA;
    case DIC_TYPE_K2E:
        return DIC_MASK_K2E;
    case DIC_TYPE_E2K:
        return DIC_MASK_E2K;
    case DIC_TYPE_E2E:
        return DIC_MASK_E2E;
    case DIC_TYPE_J2K:
        return DIC_MASK_J2K;
    case DIC_TYPE_K2J:
        return DIC_MASK_K2J;
    case DIC_TYPE_C2K:
        return DIC_MASK_C2K;
    case DIC_TYPE_K2C:
        return DIC_MASK_K2C;
    case DIC_TYPE_HANJA:
        return DIC_MASK_HANJA;
    default:
        return 0;
    }
}
