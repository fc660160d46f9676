// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLineEdit>
#include <QString>

// The one-line edit: a grey guide text while it is empty, the device's input method shown on a
// press and hidden on focus loss (when the automatic keyboard is on), and a double tap that
// clears it. Signals are those of QLineEdit (textChanged(const QString &), returnPressed()).
class EditCtrl final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditCtrl)
public:
    explicit EditCtrl(QWidget *parent = nullptr, const char *name = nullptr);
    ~EditCtrl() override;

    void EditCtrl_SetRange(int x, int y, int width, int height);
    void EditCtrl_SetGuideText(const QString &text);
    QString EditCtrl_GetGuideText() const { return m_guideText; }
    int EditCtrl_GetStrLen() const { return text().length(); }
    // Non-zero: show the input method on a press, hide it when the focus leaves.
    void EditCtrl_SetUseAutoKeyboard(int use);
    int EditCtrl_GetUseAutoKeyboard() const { return m_autoKeyboard; }

    // True while the guide text is drawn (the edit is empty and has a guide text).
    bool isGuideShown() const { return text().isEmpty() && !m_guideText.isEmpty(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_guideText;
    int m_autoKeyboard = 0;
};
