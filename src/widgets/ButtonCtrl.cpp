// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ButtonCtrl.h"

#include "ButtonCtrlStyle.h"
#include "SkinPixmap.h"
#include "TImage.h"

#include <QBitmap>

namespace {
ButtonCtrlStyle *createStyle(ButtonCtrl *button)
{
    // The style is a child of the button: it dies with it, after the button has let go of it.
    auto *style = new ButtonCtrlStyle;
    style->setParent(button);
    return style;
}
} // namespace

ButtonCtrl::ButtonCtrl(QWidget *parent, const char *name)
    : QPushButton(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    installOwnStyle();
}

ButtonCtrl::~ButtonCtrl()
{
    // Hand the widget back to the application style before our style object is deleted.
    setStyle(nullptr);
}

void ButtonCtrl::installOwnStyle()
{
    QStyle *old = style();
    setStyle(createStyle(this));
    if (qobject_cast<ButtonCtrlStyle *>(old) && old->parent() == this)
        delete old;
}

void ButtonCtrl::ButCtrl_SetRange(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
}

void ButtonCtrl::ButCtrl_SetMarginText(int left, int top, int right, int bottom)
{
    m_margins = QMargins(left, top, right, bottom);
    update();
}

void ButtonCtrl::ButCtrl_SetText(const QString &text)
{
    setText(text);
}

QString ButtonCtrl::ButCtrl_GetText() const
{
    return text();
}

void ButtonCtrl::ButCtrl_SetImage(const TImage *image)
{
    if (image && !image->isNull()) {
        m_image = std::make_unique<TImage>(*image);
        m_imageNames[BTN_PIXMAP_NORMAL] = image->fileName();
        m_images[BTN_PIXMAP_NORMAL] = image->pixmap();
    } else {
        m_image.reset();
        m_imageNames[BTN_PIXMAP_NORMAL].clear();
        m_images[BTN_PIXMAP_NORMAL] = QPixmap();
    }
    updateMask();
    update();
}

int ButtonCtrl::ButCtrl_SetImageEx(const QString &normal, const QString &down, const QString &focus,
                                   const QString &disabled, int flag)
{
    Q_UNUSED(flag)
    const QString names[4] = {normal, down, focus, disabled};
    for (int i = 0; i < 4; ++i) {
        m_imageNames[i] = names[i];
        m_images[i] = SkinPixmap::get(names[i]);
    }
    m_image.reset();
    updateMask();
    update();
    return 1;
}

QString ButtonCtrl::ButCtrl_GetImageEx(BtnPixMapIndex index) const
{
    if (index < BTN_PIXMAP_NORMAL || index > BTN_PIXMAP_DISABLE)
        return {};
    return m_imageNames[index];
}

QPixmap ButtonCtrl::ButCtrl_GetImageExPixmap(BtnPixMapIndex index) const
{
    if (index < BTN_PIXMAP_NORMAL || index > BTN_PIXMAP_DISABLE)
        return {};
    return m_images[index];
}

void ButtonCtrl::ButCtrl_SetBkImage(const QString &fileName)
{
    m_bkImageName = fileName;
    m_bkImage = SkinPixmap::get(fileName);
    update();
}

void ButtonCtrl::ButCtrl_SetBkColor(const QColor &color)
{
    m_bkColor = color;
    update();
}

void ButtonCtrl::ButCtrl_SetActedBkColor(const QColor &color)
{
    m_actedBkColor = color;
    update();
}

void ButtonCtrl::ButCtrl_SetFontColor(const QColor &color)
{
    m_fontColor = color;
    update();
}

void ButtonCtrl::ButCtrl_SetActedFontColor(const QColor &color)
{
    m_actedFontColor = color;
    update();
}

void ButtonCtrl::ButCtrl_SetActive(bool active)
{
    m_active = active;
    update();
}

void ButtonCtrl::ButCtrl_SetShowArrow(BtnArrowType type)
{
    m_arrowType = type;
    update();
}

void ButtonCtrl::ButCtrl_SetTransparent(int transparent)
{
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, transparent == 0);
    updateMask();
    update();
}

void ButtonCtrl::ButCtrl_SetEnable(int enable)
{
    setEnabled(enable > 0);
}

void ButtonCtrl::ButCtrl_SetVisible(int visible)
{
    m_visibleFlag = visible > 0 ? 1 : 0;
    setVisible(m_visibleFlag != 0);
}

void ButtonCtrl::ButCtrl_SetOemType(ButtonOemType type)
{
    m_oemType = type;
    installOwnStyle();
    updateMask();
    update();
}

QPixmap ButtonCtrl::stateImage() const
{
    if (!isEnabled())
        return m_images[BTN_PIXMAP_DISABLE];
    if (isDown() || m_active)
        return m_images[BTN_PIXMAP_DOWN];
    if (hasFocus())
        return m_images[BTN_PIXMAP_FOCUS];
    return m_images[BTN_PIXMAP_NORMAL];
}

void ButtonCtrl::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    updateMask();
}

void ButtonCtrl::updateMask()
{
    const QPixmap &shape = m_images[BTN_PIXMAP_NORMAL];
    if (m_oemType == BTN_OEM_IMAGE && m_transparent != 0 && !shape.isNull())
        setMask(shape.createHeuristicMask());
    else
        clearMask();
}
