// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// The program's own character keyboard for the Japanese-Korean, Hanja and Chinese-Korean
// dictionaries (480 x 200, a screen of the screen manager), and the two conversions the search
// screen uses to turn typed romaji or Hangul into hiragana.
class KeyInput final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyInput)
public:
    explicit KeyInput(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags f = {});
    ~KeyInput() override;

    // Romaji to hiragana in one left-to-right pass, case-insensitively: a vowel alone, a
    // consonant with the vowel after it, and N before anything but a vowel as "ん". Characters
    // that form none of these stay as they are, so the result may be shorter than the text.
    static QString convert_EngtoJpn(const QString &text);
    // Hangul syllables that spell Japanese sounds to hiragana, one character for one character
    // (the length never changes); other characters stay as they are.
    static QString convert_KortoJpn(const QString &text);
};
