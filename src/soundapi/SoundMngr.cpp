// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "SoundMngr.h"

#include "AudioVolume.h"
#include "DcSocket.h"
#include "DirectPlay.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>

#include <cstdio>

// Decisions this manager takes where the arbitration protocol leaves room:
//
// - Leaving SOUND_ERROR: a new play request is accepted in SOUND_ERROR as in SOUND_IDLE and
//   SOUND_STOP. One broken clip must not silence every later pronunciation.
// - The wait loop (Q_WAIT_SIG re-posting itself) ends as soon as it is no longer needed: when it
//   starts playback itself, when the 3-second limit starts playback, or when "STOP"/"PAUSE"
//   cancels the wait. It therefore runs at most three seconds per request.
// - Everyone has answered when at least as many "OK"s came in as programs were asked: the socket
//   delivers every program's "OK" to every participant, so an acknowledgement meant for another
//   program's command can be counted too, and an exact match could then never happen.
// - An "OK" owed to the program that asked for "RESUME" is kept through the wait and paid when
//   the clip plays again, as the answer to that command promises; clearing it at the end of the
//   wait would leave that program without an answer whenever others acknowledged.
// - A queued prepare or play step is cancelled by "STOP" or "PAUSE" arriving before it runs, so a
//   clip never starts after another program told this one to keep quiet.
// - SoundMngr_ProcessDone is the one place that pays an owed "OK", used by every path that
//   acknowledges. SoundMngr_slotCheckSignals is not provided: it had no caller and, connected to
//   anything periodic, it would replay the last clip over and over.
// - Diagnostics are written to standard output exactly as the device program wrote them.

namespace {

const QString MsgPause = QStringLiteral("PAUSE");
const QString MsgResume = QStringLiteral("RESUME");
const QString MsgOk = QStringLiteral("OK");

} // namespace

SoundMngr::SoundMngr(QObject *eventTarget, QObject *parent, quint16 port)
    : QObject(parent)
    , m_eventTarget(eventTarget)
    , m_socket(new DcSocket(port, this))
    , m_playCheckTimer(new QTimer(this))
    , m_waitTimer(new QTimer(this))
{
    m_playCheckTimer->setInterval(PlayCheckMs);
    m_waitTimer->setInterval(WaitLimitMs);
    m_waitTimer->setSingleShot(true);
    m_waitTimer->setTimerType(Qt::PreciseTimer); // a coarse timer may give up to 150 ms early
    connect(m_socket, &DcSocket::received, this, &SoundMngr::SoundMngr_slotReceiveMsg);
    connect(m_playCheckTimer, &QTimer::timeout, this, &SoundMngr::SoundMngr_slotCheckPlaying);
    connect(m_waitTimer, &QTimer::timeout, this, &SoundMngr::SoundMngr_slotCheckWait);
    printf("== LumiStart == Init() \n");
    m_hPlayer = DirectPlay::get_instance();
}

SoundMngr::~SoundMngr()
{
    // The player outlives the manager: silence it rather than let the clip play on.
    if (m_hPlayer && m_nState == SOUND_PLAY)
        DirectPlay::stop(m_hPlayer);
}

void SoundMngr::SoundMngr_PlayMp3ByBuffer(const unsigned char *data, unsigned int length)
{
    printf("== LumiStart == SoundMngr_PlayMp3ByBuffer() \n");
    if (!m_hPlayer) {
        printf("== LumiStart == Handle not exist!\n");
        return;
    }
    if (DirectPlay::is_playing(m_hPlayer)) {
        printf("== LumiStart == Now playing!! So, Just skip!!!\n");
        return;
    }
    if ((m_nState != SOUND_IDLE && m_nState != SOUND_STOP && m_nState != SOUND_ERROR) || m_bPreparePending)
        return;
    if (data && length > 0)
        m_clip = QByteArray(reinterpret_cast<const char *>(data), qsizetype(length));
    else
        m_clip.clear(); // fails to open and ends in SOUND_ERROR, as the player says
    SoundMngr_PostCustomEvent(Q_PREPARE_SIG);
}

void SoundMngr::SoundMngr_PostCustomEvent(int type)
{
    if (type == Q_PREPARE_SIG)
        m_bPreparePending = true;
    else if (type == Q_PLAY_SIG)
        m_bPlayPending = true;
    QObject *target = m_eventTarget ? m_eventTarget.data() : this;
    QCoreApplication::postEvent(target, new QEvent(QEvent::Type(type)));
}

bool SoundMngr::event(QEvent *e)
{
    if (e->type() >= QEvent::User && SoundMngr_Event(e))
        return true;
    return QObject::event(e);
}

bool SoundMngr::SoundMngr_Event(QEvent *e)
{
    printf("== SoundMngr == user event() \n");
    switch (int(e->type())) {
    case Q_PREPARE_SIG:
        printf("== SoundMngr == event(Q_PREPARE_SIG) \n");
        if (m_bPreparePending) {
            m_bPreparePending = false;
            SoundMngr_PreparePlay();
        }
        return true;
    case Q_PLAY_SIG:
        printf("== SoundMngr == event(Q_PLAY_SIG) \n");
        if (m_bPlayPending) {
            m_bPlayPending = false;
            SoundMngr_Play();
        }
        return true;
    case Q_STOP_SIG:
        printf("== SoundMngr == event(Q_STOP_SIG) \n");
        SoundMngr_Stop();
        return true;
    case Q_PAUSE_SIG:
        printf("== SoundMngr == event(Q_PAUSE_SIG) \n");
        SoundMngr_Pause();
        return true;
    case Q_RESUME_SIG:
        printf("== SoundMngr == event(Q_RESUME_SIG) \n");
        SoundMngr_Resume();
        return true;
    case Q_WAIT_SIG:
        printf("== SoundMngr == event(Q_WAIT_SIG) \n");
        SoundMngr_WaitSocketMsg();
        return true;
    default:
        printf("== SoundMngr == event(default) \n");
        return false;
    }
}

void SoundMngr::SoundMngr_PreparePlay()
{
    printf("== LumiStart == SoundMngr_PreparePlay()\n");
    m_nReceivedOkCount = 0;
    m_nSendCount = sendMsg(MsgPause);
    printf("== LumiStart ==  SoundMngr_PreparePlay => m_nSendCount[%d] \n ", m_nSendCount);
    if (m_nSendCount < 1) {
        printf("== LumiStart == Just play start!! Do not use sound resource another program\n");
        SoundMngr_PostCustomEvent(Q_PLAY_SIG);
        return;
    }
    printf("== LumiStart == Send to socket msg => (Stop) because use sound resource another program\n");
    setState(SOUND_WAIT);
    m_bWaiting = true;
    SoundMngr_PostCustomEvent(Q_WAIT_SIG);
    m_waitTimer->start();
}

void SoundMngr::SoundMngr_WaitSocketMsg()
{
    printf("== LumiStart == SoundMngr_WaitSocketMsg()\n");
    if (!m_bWaiting || m_nState != SOUND_WAIT)
        return; // playback is under way or was cancelled: the loop ends here
    printf("== LumiStart == SoundMngr_WaitSocketMsg Send: [%d] ,Receive: [%d]\n", m_nSendCount, m_nReceivedOkCount);
    if (m_nReceivedOkCount >= m_nSendCount) {
        printf("== LumiStart == m_nSendCount is same m_nReceivedOkCount !!\n");
        printf("== LumiStart == Play start!!\n");
        m_nSendCount = 0;
        m_bWaiting = false;
        m_waitTimer->stop();
        SoundMngr_PostCustomEvent(Q_PLAY_SIG);
        return;
    }
    printf("== LumiStart == Wait! Send: [%d] ,Receive: [%d]\n", m_nSendCount, m_nReceivedOkCount);
    // One check per pass of the event loop; the acknowledgements arrive in between.
    SoundMngr_PostCustomEvent(Q_WAIT_SIG);
    QThread::usleep(100);
}

void SoundMngr::SoundMngr_slotCheckWait()
{
    printf("== LumiStart == SoundMngr_slotCheckWait()\n");
    if (m_nState == SOUND_WAIT && m_bWaiting) {
        printf("== LumiStart ==  No respose during 3sec!!! Go Play!!! \n ");
        m_bWaiting = false;
        SoundMngr_PostCustomEvent(Q_PLAY_SIG);
    }
    printf("== LumiStart ==  SoundMngr_slotCheckWait() => m_nSendCount[%d] \n ", m_nSendCount);
}

void SoundMngr::SoundMngr_Play()
{
    printf("== LumiStart == SoundMngr_Play() \n");
    if (!m_hPlayer) {
        printf("== LumiStart == Handle not exist!\n");
        return;
    }
    m_bWaiting = false;
    m_waitTimer->stop();
    if (DirectPlay::open(m_hPlayer, DirectPlay::TypeMp3, reinterpret_cast<const unsigned char *>(m_clip.constData()),
                         unsigned(m_clip.size()))
        != 0) {
        setState(SOUND_ERROR);
        return;
    }
    if (!m_playCheckTimer->isActive())
        m_playCheckTimer->start();
    audio_device_set_appvolume(40);
    const int result = DirectPlay::play(m_hPlayer);
    SoundMngr_ProcessDone();
    setState(result == 0 ? SOUND_PLAY : SOUND_ERROR);
}

void SoundMngr::SoundMngr_slotCheckPlaying()
{
    printf("== LumiStart == SoundMngr_slotCheckPlaying()\n");
    if (m_nState == SOUND_PLAY) {
        if (!DirectPlay::is_playing(m_hPlayer)) {
            sendMsg(MsgResume);
            m_playCheckTimer->stop();
            m_nReceivedOkCount = 0;
            setState(SOUND_STOP);
        }
    } else {
        m_playCheckTimer->stop(); // a clip that failed to play has nothing to check
    }
    printf("== LumiStart ==  SoundMngr_slotCheckPlaying() => m_nSendCount[%d] \n ", m_nSendCount);
}

void SoundMngr::SoundMngr_Stop()
{
    printf("== LumiStart == SoundMngr_Stop() \n");
    haltPlayer(SOUND_STOP);
}

void SoundMngr::SoundMngr_Pause()
{
    printf("== LumiStart == SoundMngr_Pause() \n");
    printf("== LumiStart == SoundMngr_Pause!!\n");
    haltPlayer(SOUND_PAUSE);
}

void SoundMngr::SoundMngr_Resume()
{
    printf("== LumiStart == SoundMngr_Resume() \n");
    if (m_nState != SOUND_PAUSE)
        return;
    printf("== LumiStart == SoundMngr_Resume!!\n");
    SoundMngr_Play();
}

void SoundMngr::SoundMngr_slotReceiveMsg(const QString &msg)
{
    printf("== LumiStart == SoundMngr_slotReceiveMsg() \n");
    printf("== LumiStart ==  SoundMngr_slotReceiveMsg : [%s]\n", msg.toLocal8Bit().constData());
    if (msg == MsgOk) {
        ++m_nReceivedOkCount;
        printf("== LumiStart == m_nReceivedOkCount++\n");
        printf("== LumiStart == SoundMngr_slotReceiveMsg  Send: [%d] ,Receive: [%d]\n", m_nSendCount,
               m_nReceivedOkCount);
    } else if (!msg.isEmpty()) {
        m_bReplyOwed = true;
        if (msg == QLatin1String("STOP")) {
            printf("== LumiStart == msg : STOP \n");
            SoundMngr_PostCustomEvent(Q_STOP_SIG);
        } else if (msg == MsgPause || msg == QLatin1String("AUDIO_PAUSE")) {
            if (m_nState == SOUND_IDLE || m_nState == SOUND_STOP || m_nState == SOUND_PAUSE) {
                printf("== LumiStart == In stop state ignore : PAUSE\n");
                SoundMngr_ProcessDone();
            } else {
                SoundMngr_PostCustomEvent(Q_PAUSE_SIG);
            }
        } else if (msg == MsgResume || msg == QLatin1String("AUDIO_RESUME")) {
            if (m_nState == SOUND_PLAY) {
                printf("== LumiStart == In PLAYING state  ignore : RESUME\n");
                SoundMngr_ProcessDone();
            } else if (m_nState == SOUND_PAUSE) {
                SoundMngr_PostCustomEvent(Q_PREPARE_SIG);
            }
        } else {
            printf("== LumiStart == unknown command : [%s]\n", msg.toLocal8Bit().constData());
            SoundMngr_ProcessDone();
        }
    }
    // Let the posted step run now. Socket notifiers stay out so that this handler is not
    // re-entered by the next message while the socket is still delivering this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
}

void SoundMngr::SoundMngr_ProcessDone()
{
    if (!m_bReplyOwed)
        return;
    printf("== LumiStart == SoundMngr_ProcessDone set to socket msg => (OK)\n");
    sendMsg(MsgOk);
    m_bReplyOwed = false;
}

void SoundMngr::haltPlayer(E_SOUND_STATE endState)
{
    m_playCheckTimer->stop();
    m_waitTimer->stop();
    m_bWaiting = false;
    m_bPreparePending = false;
    m_bPlayPending = false;
    if (m_hPlayer) {
        audio_device_set_appvolume(1);
        DirectPlay::stop(m_hPlayer);
    }
    SoundMngr_ProcessDone();
    setState(endState);
}

void SoundMngr::setState(E_SOUND_STATE state)
{
    if (m_nState == state)
        return;
    m_nState = state;
    emit signalStateChanged(state);
}

int SoundMngr::sendMsg(const QString &text)
{
    const int reached = m_socket->send(text);
    emit signalMessageSent(text, reached);
    return reached;
}
