// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>

// The start dialog: shows the logo for half a second, then runs the main window modally.
class CInputStart final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CInputStart)
public:
    // Logo time before the main window starts.
    static constexpr int LogoMilliseconds = 500;

    CInputStart(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags, char **argv);
    ~CInputStart() override;

public Q_SLOTS:
    void slotDrawLogoEnd();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    char **m_argv = nullptr; // not owned: the process's arguments
    Qt::WindowFlags m_flags;
    QPixmap m_logo; // null when the picture is missing: only the white background is drawn
};
