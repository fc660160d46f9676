// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TextCtrl.h"

#include "TImage.h"
#include "TextCtrlStyle.h"

#include <QBitmap>

TextCtrl::TextCtrl(QWidget *parent, const char *name)
    : QLabel(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    auto *style = new TextCtrlStyle;
    style->setParent(this);
    setStyle(style);
}

TextCtrl::~TextCtrl()
{
    setStyle(nullptr);
}

void TextCtrl::TextCtrl_SetRange(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
}

void TextCtrl::TextCtrl_SetAlign(int align)
{
    setAlignment(Qt::Alignment(align));
}

int TextCtrl::TextCtrl_GetAlign() const
{
    return static_cast<int>(alignment());
}

void TextCtrl::TextCtrl_SetText(const QString &text)
{
    setText(text);
}

QString TextCtrl::TextCtrl_GetText() const
{
    return text();
}

void TextCtrl::TextCtrl_SetImage(const TImage *image)
{
    if (!image || image->isNull()) {
        setPixmap(QPixmap());
        clearMask();
        return;
    }
    QPixmap pixmap = image->pixmap();
    if (!pixmap.hasAlphaChannel())
        pixmap.setMask(pixmap.createHeuristicMask());
    setPixmap(pixmap);
}

void TextCtrl::TextCtrl_SetFont(unsigned long size)
{
    setFont(QFont(QStringLiteral("KVN-EXT"), static_cast<int>(size), QFont::Normal));
}
