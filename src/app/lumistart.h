// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QDialog>

class CommAPI;
class MenuBar;
class SearchBar;
class PreView;
class QCopChannel;
class SoundMngr;

// The main window: owns the shared services, the permanent menu bar, search bar and search
// screen, and the channels through which other programs drive the dictionary.
class LumiStart final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LumiStart)
public:
    // argv is the process's null-terminated argument vector (it may be null): argv[1] is the
    // command, argv[2] its argument.
    LumiStart(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags, char **argv);
    ~LumiStart() override;

    CommAPI *commApi() const { return m_commApi; }
    MenuBar *menuBar() const { return m_menuBar; }
    SearchBar *searchBar() const { return m_searchBar; }
    PreView *preView() const { return m_preView; }
    bool isWindowActiveFlag() const { return m_windowActive; }
    SoundMngr *soundMngr() const { return m_soundMngr; }

    // Plays an MP3 pronunciation; the caller keeps (and frees) its buffer, the manager copies it.
    void SoundMngr_PlayMp3ByBuffer(const unsigned char *data, unsigned int length);

    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void slotReceiver(const QByteArray &message, const QByteArray &data);
    void slotAppExit();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void dispatchCommandLine(char **argv);
    // Menu action 16-19 for the four dictionary names other programs may ask for; -1 otherwise.
    static int runActionOf(const QString &dictionaryName);
    // Custom events of type 1000 and above drive pronunciation playback.
    bool soundEvent(QEvent *event);

    CommAPI *m_commApi = nullptr; // child, deleted explicitly in the destructor's order
    bool m_windowActive = false;
    QCopChannel *m_channel = nullptr; // "QPE/Lumi_Channel", owned
    MenuBar *m_menuBar = nullptr; // child
    SearchBar *m_searchBar = nullptr; // child
    PreView *m_preView = nullptr; // child
    // The latest entry screen, word book and keyboard are kept by CommAPI
    // (Commapi_GetDetailView and siblings) so that the screens that push them can update them.

    // ---- Sound playback members ----------------------------------------------------------
    // "QPE/Navio/dictionary" also guards against a second instance. The sound manager holds the
    // message socket on port 11894, the play-check and wait timers, the counters, the clip
    // buffer and the audio player instance.
    QCopChannel *m_navioChannel = nullptr; // owned
    SoundMngr *m_soundMngr = nullptr; // owned
};
