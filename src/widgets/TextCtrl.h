// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLabel>
#include <QString>

class TImage;

// The skinned label: alignment, text, an optional picture and a font of the rare-character
// family "KVN-EXT".
class TextCtrl final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextCtrl)
public:
    explicit TextCtrl(QWidget *parent = nullptr, const char *name = nullptr);
    ~TextCtrl() override;

    void TextCtrl_SetRange(int x, int y, int width, int height);
    // Qt::Alignment flags as an integer.
    void TextCtrl_SetAlign(int align);
    int TextCtrl_GetAlign() const;
    void TextCtrl_SetText(const QString &text);
    QString TextCtrl_GetText() const;
    // Shows a copy of the picture (with its heuristic mask); null clears it.
    void TextCtrl_SetImage(const TImage *image);
    // The family "KVN-EXT" at `size` points, normal weight.
    void TextCtrl_SetFont(unsigned long size);
};
