// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class DcSocket;
class DirectPlay;
class QEvent;
class QTimer;

// Plays pronunciation clips and shares the machine's audio output with the other audio
// programs. Before it plays it sends "PAUSE" on the audio message socket and waits (at most
// three seconds) for every program it reached to answer "OK"; when the clip has ended it sends
// "RESUME". It obeys "STOP", "PAUSE"/"AUDIO_PAUSE" and "RESUME"/"AUDIO_RESUME" from the others
// and acknowledges them with "OK".
//
// Every step is a custom event (types 1000 to 1005) or a timer slot on the GUI thread. The
// events go to the event target given at construction, normally the main window, whose event()
// hands every event of type 1000 and above to SoundMngr_Event(); without a target the manager
// posts them to itself. The "QPE/Navio/dictionary" channel that announces the running
// dictionary belongs to the main window: nothing arrives on it for the manager.
class SoundMngr final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundMngr)
public:
    enum E_SOUND_STATE { SOUND_IDLE = 0, SOUND_WAIT, SOUND_PLAY, SOUND_STOP, SOUND_PAUSE, SOUND_ERROR };
    enum E_SOUND_EVENT {
        Q_PREPARE_SIG = 1000,
        Q_PLAY_SIG = 1001,
        Q_STOP_SIG = 1002,
        Q_PAUSE_SIG = 1003,
        Q_RESUME_SIG = 1004,
        Q_WAIT_SIG = 1005
    };
    static constexpr quint16 SoundSocketPort = 11894;
    static constexpr int PlayCheckMs = 500;
    static constexpr int WaitLimitMs = 3000;

    // eventTarget (not owned) receives the posted custom events and must pass them to
    // SoundMngr_Event(); null means the manager itself. port is the audio message socket's.
    explicit SoundMngr(QObject *eventTarget = nullptr, QObject *parent = nullptr, quint16 port = SoundSocketPort);
    ~SoundMngr() override;

    // Plays an MP3 clip. The caller keeps its buffer; the manager copies it. Dropped while a
    // clip plays, while another request is on its way, and while waiting or paused.
    void SoundMngr_PlayMp3ByBuffer(const unsigned char *data, unsigned int length);
    // Posts a custom event of the given type (Q_PREPARE_SIG ... Q_WAIT_SIG) to the event target.
    void SoundMngr_PostCustomEvent(int type);
    // Runs the handler of one of the manager's events. Answers false for other event types, which
    // then take the target's ordinary handling.
    bool SoundMngr_Event(QEvent *e);

    int SoundMngr_GetState() const { return m_nState; }
    int SoundMngr_GetSendCount() const { return m_nSendCount; }
    int SoundMngr_GetReceivedOkCount() const { return m_nReceivedOkCount; }

public slots:
    void SoundMngr_slotReceiveMsg(const QString &msg);
    void SoundMngr_slotCheckPlaying();
    void SoundMngr_slotCheckWait();

signals:
    void signalStateChanged(int state);
    // Every text the manager sends on the socket, with the number of programs it reached.
    void signalMessageSent(const QString &text, int reached);

protected:
    bool event(QEvent *e) override;

private:
    void SoundMngr_PreparePlay();
    void SoundMngr_Play();
    void SoundMngr_Stop();
    void SoundMngr_Pause();
    void SoundMngr_Resume();
    void SoundMngr_WaitSocketMsg();
    void SoundMngr_ProcessDone();
    void haltPlayer(E_SOUND_STATE endState);
    void setState(E_SOUND_STATE state);
    int sendMsg(const QString &text);

    DirectPlay *m_hPlayer = nullptr; // not owned: the process's player
    QPointer<QObject> m_eventTarget;
    DcSocket *m_socket = nullptr; // child
    QTimer *m_playCheckTimer = nullptr; // child
    QTimer *m_waitTimer = nullptr; // child
    E_SOUND_STATE m_nState = SOUND_IDLE;
    QByteArray m_clip;
    int m_nReceivedOkCount = 0;
    int m_nSendCount = 0;
    bool m_bReplyOwed = false;
    // A prepare or play event is queued and not cancelled since: "STOP" or "PAUSE" arriving
    // before it is handled cancels it, so the clip does not start after all.
    bool m_bPreparePending = false;
    bool m_bPlayPending = false;
    bool m_bWaiting = false; // the wait loop runs until playback is under way or cancelled
};
