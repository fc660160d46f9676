// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ButtonCtrlStyle.h"

#include "ButtonCtrl.h"
#include "SkinPixmap.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>

namespace {
enum class SkinState { Normal, Focus, Down, Disabled };

SkinState stateOf(const ButtonCtrl *b)
{
    if (!b->isEnabled())
        return SkinState::Disabled;
    if (b->isDown())
        return SkinState::Down;
    if (b->hasFocus())
        return SkinState::Focus;
    return SkinState::Normal;
}

// Draws a piece stretched to the full height of `rect`; answers false when it is missing.
bool drawPiece(QPainter *p, const QRect &rect, const QPixmap &piece, bool tile)
{
    if (piece.isNull() || rect.width() <= 0)
        return false;
    if (tile) {
        const QPixmap scaled
                = piece.height() == rect.height()
                          ? piece
                          : piece.scaled(piece.width(), rect.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        p->drawTiledPixmap(rect, scaled);
    } else {
        p->drawPixmap(rect, piece);
    }
    return true;
}

// A plain frame for buttons whose pictures are missing.
void drawPlainFrame(QPainter *p, const QRect &r, const QColor &fill)
{
    p->fillRect(r, fill);
    p->setPen(QColor(146, 146, 146));
    p->drawRect(r.adjusted(0, 0, -1, -1));
}

void paintSlices(const ButtonCtrl *b, QPainter *p, const QRect &r)
{
    static const char *const prefixes[] = {"BtnNormal", "BtnFocus", "BtnDown", "BtnDisable"};
    const QString prefix = QString::fromLatin1(prefixes[static_cast<int>(stateOf(b))]);
    const QPixmap left = SkinPixmap::get(prefix + QLatin1String("Left.png"));
    const QPixmap center = SkinPixmap::get(prefix + QLatin1String("Center.png"));
    const QPixmap right = SkinPixmap::get(prefix + QLatin1String("Right.png"));
    if (left.isNull() || center.isNull() || right.isNull()) {
        static const QColor plain[] = {{236, 236, 236}, {70, 110, 160}, {110, 110, 110}, {225, 225, 225}};
        drawPlainFrame(p, r, plain[static_cast<int>(stateOf(b))]);
    } else {
        const int lw = qMin(left.width(), r.width() / 2);
        const int rw = qMin(right.width(), r.width() - lw);
        drawPiece(p, QRect(0, 0, lw, r.height()), left, false);
        drawPiece(p, QRect(lw, 0, r.width() - lw - rw, r.height()), center, true);
        drawPiece(p, QRect(r.width() - rw, 0, rw, r.height()), right, false);
    }
    p->setPen(ButtonCtrlStyle::sliceLabelColor(b));
    p->setFont(b->font());
    p->drawText(r.marginsRemoved(b->ButCtrl_GetMarginText()), Qt::AlignCenter, b->text());
}

void paintDropDown(const ButtonCtrl *b, QPainter *p, const QRect &r)
{
    static const char *const pieces[]
            = {"full_down_bt_nor.png", "full_down_bt_foc.png", "full_down_bt_pre.png", "full_down_bt_dis.png"};
    const QPixmap left = SkinPixmap::get(QStringLiteral("Btn2Left.png"));
    const QPixmap center = SkinPixmap::get(QStringLiteral("Btn2Center.png"));
    const QPixmap right = SkinPixmap::get(QString::fromLatin1(pieces[static_cast<int>(stateOf(b))]));
    if (left.isNull() || center.isNull() || right.isNull()) {
        drawPlainFrame(p, r, Qt::white);
        // A small downward triangle stands in for the drop-down piece.
        const int cx = r.width() - 10, cy = r.height() / 2;
        p->setBrush(b->isEnabled() ? QColor(90, 90, 90) : QColor(170, 170, 170));
        p->setPen(Qt::NoPen);
        const QPoint tri[] = {{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 3}};
        p->drawPolygon(tri, 3);
    } else {
        const int lw = qMin(left.width(), r.width() / 2);
        const int rw = qMin(right.width(), r.width() - lw);
        drawPiece(p, QRect(0, 0, lw, r.height()), left, false);
        drawPiece(p, QRect(lw, 0, r.width() - lw - rw, r.height()), center, true);
        drawPiece(p, QRect(r.width() - rw, 0, rw, r.height()), right, false);
    }
    p->setPen(Qt::black);
    p->setFont(b->font());
    p->drawText(r.marginsRemoved(b->ButCtrl_GetMarginText()).adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                b->text());
}

void paintImage(const ButtonCtrl *b, QPainter *p, const QRect &r)
{
    const QPixmap image = b->stateImage();
    if (!image.isNull()) {
        p->drawPixmap(0, 0, image);
        return;
    }
    // Missing picture: a frame and the label keep the button usable.
    p->setPen(QColor(146, 146, 146));
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->setPen(b->ButCtrl_GetFontColor() == b->ButCtrl_GetBkColor() ? QColor(Qt::black) : b->ButCtrl_GetFontColor());
    p->setFont(b->font());
    p->drawText(r.marginsRemoved(b->ButCtrl_GetMarginText()), Qt::AlignCenter, b->text());
}

void paintFlat(const ButtonCtrl *b, QPainter *p, const QRect &r)
{
    const bool active = b->ButCtrl_isActived();
    const QPixmap bk = b->ButCtrl_GetBkPixmap();
    if (!bk.isNull())
        drawPiece(p, r, bk, true);
    else
        p->fillRect(r, active ? b->ButCtrl_GetActedBkColor() : b->ButCtrl_GetBkColor());

    const QRect inner = r.marginsRemoved(b->ButCtrl_GetMarginText());
    int x = inner.left() + 12;
    const QPixmap image = b->ButCtrl_GetImageExPixmap(BTN_PIXMAP_NORMAL);
    if (!image.isNull()) {
        p->drawPixmap(x, (r.height() - image.height()) / 2, image);
        x += image.width() + 4;
    }

    int right = inner.right();
    if (b->ButCtrl_GetShowArrow() == BTN_ARROW_SHOW) {
        const bool focus = b->hasFocus();
        const char *name = active ? (focus ? "arrow_bt_foc_act.png" : "arrow_bt_nor_act.png")
                                  : (focus ? "arrow_bt_foc.png" : "arrow_bt_nor.png");
        const QPixmap arrow = SkinPixmap::get(QString::fromLatin1(name));
        if (!arrow.isNull()) {
            const int ax = r.width() - 4 - arrow.width();
            p->drawPixmap(ax, (r.height() - arrow.height()) / 2, arrow);
            right = ax - 2;
        }
    }

    QColor color = active ? b->ButCtrl_GetActedFontColor() : b->ButCtrl_GetFontColor();
    if (b->isDown())
        color = QColor(90, 90, 90);
    p->setPen(color);
    p->setFont(b->font());
    p->drawText(QRect(QPoint(x, inner.top()), QPoint(right, inner.bottom())), Qt::AlignLeft | Qt::AlignVCenter,
                b->text());
}
} // namespace

ButtonCtrlStyle::ButtonCtrlStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{ }

ButtonCtrlStyle::~ButtonCtrlStyle() = default;

QColor ButtonCtrlStyle::sliceLabelColor(const ButtonCtrl *button)
{
    switch (stateOf(button)) {
    case SkinState::Disabled:
        return {153, 153, 153};
    case SkinState::Down:
        return {168, 168, 168};
    case SkinState::Focus:
        return Qt::white;
    case SkinState::Normal:
        break;
    }
    return Qt::black;
}

void ButtonCtrlStyle::paintButton(const ButtonCtrl *button, QPainter *painter)
{
    const QRect r(QPoint(0, 0), button->size());
    if (r.isEmpty())
        return;
    QPixmap canvas(r.size());
    canvas.fill(button->ButCtrl_GetBkColor());
    {
        QPainter p(&canvas);
        switch (button->ButCtrl_GetOemType()) {
        case BTN_OEM_SLICE:
            paintSlices(button, &p, r);
            break;
        case BTN_OEM_DROPDOWN:
            paintDropDown(button, &p, r);
            break;
        case BTN_OEM_IMAGE:
            paintImage(button, &p, r);
            break;
        case BTN_OEM_FLAT:
            paintFlat(button, &p, r);
            break;
        }
    }
    painter->drawPixmap(0, 0, canvas);
}

void ButtonCtrlStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    if (const auto *button = qobject_cast<const ButtonCtrl *>(widget)) {
        if (element == CE_PushButton) {
            paintButton(button, painter);
            return;
        }
        if (element == CE_PushButtonBevel || element == CE_PushButtonLabel)
            return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void ButtonCtrlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    // The skins show focus themselves; no dotted focus rectangle on top.
    if (element == PE_FrameFocusRect && qobject_cast<const ButtonCtrl *>(widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
