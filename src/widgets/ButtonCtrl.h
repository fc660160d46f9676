// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QMargins>
#include <QPixmap>
#include <QPushButton>
#include <QString>

#include <memory>

class TImage;

// Skin types of the button.
enum ButtonOemType {
    BTN_OEM_SLICE = 0, // three-slice button "Btn<State>Left/Center/Right.png", centred label
    BTN_OEM_DROPDOWN = 1, // "Btn2Left.png", "Btn2Center.png" and a drop-down piece by state
    BTN_OEM_IMAGE = 2, // the four pictures of ButCtrl_SetImageEx
    BTN_OEM_FLAT = 3 // flat colour or background picture, small picture, label and arrow
};

// The arrow of the flat button: only BTN_ARROW_SHOW draws one.
enum BtnArrowType { BTN_ARROW_NONE = 0, BTN_ARROW_HIDE = 1, BTN_ARROW_SHOW = 2 };

// Index of the four state pictures, in the order ButCtrl_SetImageEx takes them.
enum BtnPixMapIndex { BTN_PIXMAP_NORMAL = 0, BTN_PIXMAP_DOWN = 1, BTN_PIXMAP_FOCUS = 2, BTN_PIXMAP_DISABLE = 3 };

// The skinned push button. It paints every pixel through its own style (ButtonCtrlStyle);
// signals are those of QPushButton (clicked(), pressed(), released()).
class ButtonCtrl final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ButtonCtrl)
public:
    explicit ButtonCtrl(QWidget *parent = nullptr, const char *name = nullptr);
    ~ButtonCtrl() override;

    // Geometry from (x, y), width and height in pixels.
    void ButCtrl_SetRange(int x, int y, int width, int height);
    void ButCtrl_SetMarginText(int left, int top, int right, int bottom);
    QMargins ButCtrl_GetMarginText() const { return m_margins; }

    void ButCtrl_SetText(const QString &text);
    QString ButCtrl_GetText() const;

    // A copy of `image` replaces the normal picture (skin types 2 and 3); null clears it.
    void ButCtrl_SetImage(const TImage *image);
    const TImage *ButCtrl_GetImage() const { return m_image.get(); }

    // Four pixmap file names: normal, down, focus, disabled. `flag` is kept for callers written
    // for the device and has no effect. Returns 1.
    int ButCtrl_SetImageEx(const QString &normal, const QString &down, const QString &focus, const QString &disabled,
                           int flag = 0);
    // The file name of one state picture; empty for an index out of range.
    QString ButCtrl_GetImageEx(BtnPixMapIndex index) const;
    // The loaded picture of one state (null when unset or missing).
    QPixmap ButCtrl_GetImageExPixmap(BtnPixMapIndex index) const;

    void ButCtrl_SetBkImage(const QString &fileName);
    QString ButCtrl_GetBkImage() const { return m_bkImageName; }
    QPixmap ButCtrl_GetBkPixmap() const { return m_bkImage; }

    void ButCtrl_SetBkColor(const QColor &color);
    QColor ButCtrl_GetBkColor() const { return m_bkColor; }
    void ButCtrl_SetActedBkColor(const QColor &color);
    QColor ButCtrl_GetActedBkColor() const { return m_actedBkColor; }
    void ButCtrl_SetFontColor(const QColor &color);
    QColor ButCtrl_GetFontColor() const { return m_fontColor; }
    void ButCtrl_SetActedFontColor(const QColor &color);
    QColor ButCtrl_GetActedFontColor() const { return m_actedFontColor; }

    // The pressed look kept while, for example, the button's pop-up menu is open.
    void ButCtrl_SetActive(bool active);
    bool ButCtrl_isActived() const { return m_active; }

    void ButCtrl_SetShowArrow(BtnArrowType type);
    BtnArrowType ButCtrl_GetShowArrow() const { return m_arrowType; }

    // Non-zero masks an image button (skin type 2) to its picture's heuristic mask.
    void ButCtrl_SetTransparent(int transparent);
    int ButCtrl_GetTransparent() const { return m_transparent; }

    // Enabled for a value greater than 0, disabled otherwise (0 and -1 both disable).
    void ButCtrl_SetEnable(int enable);
    int ButCtrl_GetEnable() const { return isEnabled() ? 1 : 0; }

    // Shown for a value greater than 0, hidden otherwise.
    void ButCtrl_SetVisible(int visible);
    int ButCtrl_IsVisible() const { return m_visibleFlag; }

    void ButCtrl_SetData(unsigned long data) { m_data = data; }
    unsigned long ButCtrl_GetData() const { return m_data; }

    // Changes the skin and installs a fresh style on the button.
    void ButCtrl_SetOemType(ButtonOemType type);
    ButtonOemType ButCtrl_GetOemType() const { return m_oemType; }

    // The picture the current state shows on an image button (skin type 2).
    QPixmap stateImage() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void installOwnStyle();
    void updateMask();

    QString m_imageNames[4];
    QPixmap m_images[4];
    std::unique_ptr<TImage> m_image;
    QString m_bkImageName;
    QPixmap m_bkImage;
    QMargins m_margins;
    QColor m_bkColor{255, 255, 255};
    QColor m_actedBkColor{89, 89, 89};
    QColor m_fontColor{255, 255, 255};
    QColor m_actedFontColor{208, 208, 208};
    BtnArrowType m_arrowType = BTN_ARROW_SHOW;
    bool m_active = false;
    int m_transparent = 0;
    int m_visibleFlag = 1;
    unsigned long m_data = 0;
    ButtonOemType m_oemType = BTN_OEM_SLICE;
};
