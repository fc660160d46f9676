// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DirectPlay.h"
#include "SoundMngr.h"
#include "SpeechClips.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Another audio program: lumi-audio-peer in its own process on the test's private port.
class Peer
{
public:
    explicit Peer(quint16 port, const QStringList &options = {})
    {
        const QString program = qEnvironmentVariable("LUMI_BINARY_DIR") + QStringLiteral("/tools/lumi-audio-peer");
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput,
                         [this] { m_output += m_process.readAllStandardOutput(); });
        m_process.start(program, QStringList{QStringLiteral("--port"), QString::number(port)} + options);
    }
    ~Peer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
    // True once the peer can be reached on the socket.
    bool waitJoined()
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000) {
            if (m_process.state() == QProcess::NotRunning)
                return false;
            m_errors += m_process.readAllStandardError();
            if (m_errors.contains("lumi-audio-peer: joined port"))
                return true;
            QTest::qWait(10);
        }
        return false;
    }
    // The texts the peer received so far, in order.
    QStringList received() const
    {
        QStringList lines = QString::fromUtf8(m_output).split(QLatin1Char('\n'));
        lines.removeAll(QString());
        return lines;
    }
    void send(const QString &text) { m_process.write(text.toUtf8() + '\n'); }
    QString problem() const
    {
        return m_process.program() + QLatin1String(": ") + m_process.errorString() + QLatin1Char(' ')
               + QString::fromLocal8Bit(m_errors);
    }

private:
    QProcess m_process;
    QByteArray m_output;
    QByteArray m_errors;
};

// Stands in for the main window: hands the manager's custom events to it, as LumiStart does.
class EventRouter : public QObject
{
public:
    SoundMngr *manager = nullptr;
    int otherEvents = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() >= QEvent::User && manager && manager->SoundMngr_Event(e))
            return true;
        if (e->type() >= QEvent::User)
            ++otherEvents;
        return QObject::event(e);
    }
};

using Sent = QList<QPair<QString, int>>;

} // namespace

class tst_SoundMngr : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void playsAtOnceWithoutPeers();
    void waitsForEveryPeer();
    void silentPeerHoldsPlaybackThreeSeconds();
    void stopAndPauseWhilePlaying_data();
    void stopAndPauseWhilePlaying();
    void commandsWhileIdleAreAnsweredAtOnce();
    void resumeAfterPauseAsksAgainAndReplays();
    void brokenClipEndsInErrorAndNextClipPlays_data();
    void brokenClipEndsInErrorAndNextClipPlays();

private:
    void createManager(bool withRouter = true);
    void request(const QByteArray &clip)
    {
        m_manager->SoundMngr_PlayMp3ByBuffer(reinterpret_cast<const unsigned char *>(clip.constData()),
                                             unsigned(clip.size()));
    }
    Sent sent() const;
    QString diagnostics();

    QTemporaryDir m_dir;
    SpeechClip m_short; // about half a second
    SpeechClip m_long; // nearly three seconds
    quint16 m_port = 0;
    EventRouter m_router;
    std::unique_ptr<SoundMngr> m_manager;
    std::unique_ptr<QSignalSpy> m_sentSpy;
    // The manager's diagnostics go to standard output; each test catches them in a file.
    std::unique_ptr<QTemporaryFile> m_stdout;
    int m_savedStdout = -1;
};

void tst_SoundMngr::initTestCase()
{
    qputenv("LUMI_NULL_AUDIO", "1");
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(makeSpeechClip(m_dir.path(), QStringLiteral("short"), QStringLiteral("hello"), &m_short, &error),
             qPrintable(error));
    QVERIFY2(makeSpeechClip(m_dir.path(), QStringLiteral("long"),
                            QStringLiteral("The quick brown fox jumps over the lazy dog"), &m_long, &error),
             qPrintable(error));
    // Every test function gets its own port, so tests running side by side never meet.
    m_port = quint16(21000 + (QCoreApplication::applicationPid() % 2000) * 16);
}

void tst_SoundMngr::init()
{
    ++m_port;
    m_stdout = std::make_unique<QTemporaryFile>();
    QVERIFY(m_stdout->open());
    fflush(stdout);
    m_savedStdout = dup(STDOUT_FILENO);
    dup2(m_stdout->handle(), STDOUT_FILENO);
}

void tst_SoundMngr::cleanup()
{
    m_sentSpy.reset();
    m_router.manager = nullptr;
    m_manager.reset();
    const QString caught = diagnostics();
    dup2(m_savedStdout, STDOUT_FILENO);
    ::close(m_savedStdout);
    if (QTest::currentTestFailed()) {
        // The test's own failure report went to the file too: show it, and the manager's last steps.
        const QStringList lines = caught.split(QLatin1Char('\n'));
        QStringList context;
        for (const QString &line : lines) {
            if (!line.startsWith(QLatin1String("== ")))
                printf("%s\n", qPrintable(line));
        }
        for (qsizetype i = qMax<qsizetype>(0, lines.size() - 40); i < lines.size(); ++i)
            printf("    %s\n", qPrintable(lines.at(i)));
    }
    m_stdout.reset();
}

void tst_SoundMngr::createManager(bool withRouter)
{
    m_manager = std::make_unique<SoundMngr>(withRouter ? &m_router : nullptr, nullptr, m_port);
    m_router.manager = m_manager.get();
    m_sentSpy = std::make_unique<QSignalSpy>(m_manager.get(), &SoundMngr::signalMessageSent);
}

Sent tst_SoundMngr::sent() const
{
    Sent messages;
    for (const QList<QVariant> &arguments : std::as_const(*m_sentSpy))
        messages.append({arguments.at(0).toString(), arguments.at(1).toInt()});
    return messages;
}

QString tst_SoundMngr::diagnostics()
{
    fflush(stdout);
    QFile file(m_stdout->fileName());
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

void tst_SoundMngr::playsAtOnceWithoutPeers()
{
    createManager();
    QCOMPARE(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_IDLE));
    request(m_short.mp3);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 1000);
    QVERIFY(DirectPlay::is_playing(DirectPlay::get_instance()));
    QCOMPARE(sent(), (Sent{{QStringLiteral("PAUSE"), 0}}));
    QCOMPARE(DirectPlay::get_instance()->appVolume(), 40);

    // The clip ends by itself: "RESUME" goes out (to nobody) and the manager stops.
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_STOP), 3000);
    QCOMPARE(sent(), (Sent{{QStringLiteral("PAUSE"), 0}, {QStringLiteral("RESUME"), 0}}));

    const QString log = diagnostics();
    QVERIFY(log.contains(QLatin1String("== LumiStart == Init() \n")));
    QVERIFY(log.contains(
            QLatin1String("== LumiStart == Just play start!! Do not use sound resource another program\n")));
    QVERIFY(log.contains(QLatin1String("== SoundMngr == user event() \n== SoundMngr == event(Q_PLAY_SIG) \n"
                                       "== LumiStart == SoundMngr_Play() \n")));
    QVERIFY(!log.contains(QLatin1String("SoundMngr_WaitSocketMsg()")));

    // Other custom events are not the manager's: they reach the window's ordinary handling.
    QEvent other(QEvent::Type(1010));
    QCoreApplication::sendEvent(&m_router, &other);
    QCOMPARE(m_router.otherEvents, 1);
    QVERIFY(diagnostics().endsWith(QLatin1String("== SoundMngr == event(default) \n")));
}

void tst_SoundMngr::waitsForEveryPeer()
{
    Peer quick(m_port);
    Peer slow(m_port, {QStringLiteral("--reply-after"), QStringLiteral("800")});
    QVERIFY2(quick.waitJoined(), qPrintable(quick.problem()));
    QVERIFY2(slow.waitJoined(), qPrintable(slow.problem()));
    createManager();

    QElapsedTimer clock;
    clock.start();
    request(m_short.mp3);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_WAIT), 1000);
    QCOMPARE(m_manager->SoundMngr_GetSendCount(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetReceivedOkCount(), 1, 700);
    QCOMPARE(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_WAIT)); // one answer is not enough

    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 2500);
    QVERIFY2(clock.elapsed() >= 700 && clock.elapsed() < 2900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart == m_nSendCount is same m_nReceivedOkCount !!\n"
                                                 "== LumiStart == Play start!!\n")));

    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_STOP), 3000);
    QCOMPARE(sent().last(), qMakePair(QStringLiteral("RESUME"), 2));
    QTRY_COMPARE_WITH_TIMEOUT(quick.received().filter(QStringLiteral("RESUME")).size(), 1, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(slow.received().filter(QStringLiteral("RESUME")).size(), 1, 2000);
    // Each was asked once (the peers also hear each other's "OK", in no fixed order).
    QCOMPARE(quick.received().count(QStringLiteral("PAUSE")), 1);
    QCOMPARE(slow.received().count(QStringLiteral("PAUSE")), 1);
    QVERIFY(!diagnostics().contains(QLatin1String("No respose during 3sec")));
}

void tst_SoundMngr::silentPeerHoldsPlaybackThreeSeconds()
{
    Peer silent(m_port, {QStringLiteral("--silent")});
    QVERIFY2(silent.waitJoined(), qPrintable(silent.problem()));
    createManager();

    QElapsedTimer clock;
    clock.start();
    request(m_short.mp3);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_WAIT), 1000);
    // A request while waiting is dropped: no second "PAUSE".
    request(m_long.mp3);
    QTest::qWait(200);
    QCOMPARE(sent().size(), 1);

    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 4000);
    QVERIFY2(clock.elapsed() >= 2900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart ==  No respose during 3sec!!! Go Play!!! \n ")));
    QCOMPARE(DirectPlay::get_instance()->durationMs() < 1500, true); // the first clip, not the dropped one

    // The wait loop ends with the wait: no more checks once playback runs.
    const qsizetype checks = diagnostics().count(QLatin1String("== LumiStart == SoundMngr_WaitSocketMsg()"));
    QTest::qWait(150);
    QCOMPARE(diagnostics().count(QLatin1String("== LumiStart == SoundMngr_WaitSocketMsg()")), checks);
    QCOMPARE(silent.received(), QStringList{QStringLiteral("PAUSE")});
}

void tst_SoundMngr::stopAndPauseWhilePlaying_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("state");
    QTest::newRow("STOP") << QStringLiteral("STOP") << int(SoundMngr::SOUND_STOP);
    QTest::newRow("PAUSE") << QStringLiteral("PAUSE") << int(SoundMngr::SOUND_PAUSE);
    QTest::newRow("AUDIO_PAUSE") << QStringLiteral("AUDIO_PAUSE") << int(SoundMngr::SOUND_PAUSE);
}

void tst_SoundMngr::stopAndPauseWhilePlaying()
{
    QFETCH(QString, command);
    QFETCH(int, state);
    Peer peer(m_port);
    QVERIFY2(peer.waitJoined(), qPrintable(peer.problem()));
    createManager();
    request(m_long.mp3);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 2000);
    QCOMPARE(peer.received(), QStringList{QStringLiteral("PAUSE")});

    peer.send(command);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), state, 2000);
    QCOMPARE(DirectPlay::is_playing(DirectPlay::get_instance()), 0);
    QCOMPARE(DirectPlay::get_instance()->appVolume(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(peer.received(), (QStringList{QStringLiteral("PAUSE"), QStringLiteral("OK")}), 2000);

    // A clip that was told to stop does not announce its end: the play check is over.
    QTest::qWait(700);
    QCOMPARE(peer.received(), (QStringList{QStringLiteral("PAUSE"), QStringLiteral("OK")}));
    QCOMPARE(m_manager->SoundMngr_GetState(), state);
}

void tst_SoundMngr::commandsWhileIdleAreAnsweredAtOnce()
{
    createManager();
    {
        // A program that pauses everyone else as it starts gets its answer from the idle manager.
        Peer starter(m_port, {QStringLiteral("--silent"), QStringLiteral("--send"), QStringLiteral("AUDIO_PAUSE"),
                              QStringLiteral("--after"), QStringLiteral("100")});
        QVERIFY2(starter.waitJoined(), qPrintable(starter.problem()));
        QTRY_COMPARE_WITH_TIMEOUT(starter.received(), QStringList{QStringLiteral("OK")}, 2000);
    }
    m_sentSpy->clear();

    Peer peer(m_port);
    QVERIFY2(peer.waitJoined(), qPrintable(peer.problem()));

    peer.send(QStringLiteral("PAUSE"));
    QTRY_COMPARE_WITH_TIMEOUT(peer.received(), QStringList{QStringLiteral("OK")}, 2000);
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart == In stop state ignore : PAUSE\n"
                                                 "== LumiStart == SoundMngr_ProcessDone set to socket msg => (OK)\n")));
    peer.send(QStringLiteral("AUDIO_PAUSE"));
    QTRY_COMPARE_WITH_TIMEOUT(peer.received().size(), 2, 2000);
    peer.send(QStringLiteral("HELLO"));
    QTRY_COMPARE_WITH_TIMEOUT(peer.received().size(), 3, 2000);
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart == unknown command : [HELLO]\n")));
    QCOMPARE(peer.received(), QStringList(3, QStringLiteral("OK")));

    // "RESUME" while nothing is paused changes nothing and owes its answer.
    peer.send(QStringLiteral("RESUME"));
    QTRY_VERIFY_WITH_TIMEOUT(diagnostics().contains(QLatin1String("SoundMngr_slotReceiveMsg : [RESUME]")), 2000);
    QTest::qWait(100);
    QCOMPARE(peer.received().size(), 3);
    QCOMPARE(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_IDLE));
    QCOMPARE(sent().size(), 3);
    for (const auto &message : sent())
        QCOMPARE(message, qMakePair(QStringLiteral("OK"), 1));

    // "STOP" is obeyed and answered in any state.
    peer.send(QStringLiteral("STOP"));
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_STOP), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(peer.received().size(), 4, 2000);
    QCOMPARE(peer.received().last(), QStringLiteral("OK"));
}

void tst_SoundMngr::resumeAfterPauseAsksAgainAndReplays()
{
    Peer peer(m_port);
    QVERIFY2(peer.waitJoined(), qPrintable(peer.problem()));
    createManager();
    request(m_long.mp3);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 2000);
    peer.send(QStringLiteral("PAUSE"));
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PAUSE), 2000);

    // While paused, a new request is dropped.
    request(m_short.mp3);
    QTest::qWait(100);
    QCOMPARE(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PAUSE));

    peer.send(QStringLiteral("RESUME"));
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 2000);
    QVERIFY(DirectPlay::is_playing(DirectPlay::get_instance()));
    QCOMPARE(DirectPlay::get_instance()->durationMs() > 2000, true); // the paused clip again
    // Asked to pause again, acknowledged; then "OK" for the "RESUME" once the clip plays.
    QTRY_COMPARE_WITH_TIMEOUT(
            peer.received(),
            (QStringList{QStringLiteral("PAUSE"), QStringLiteral("OK"), QStringLiteral("PAUSE"), QStringLiteral("OK")}),
            2000);
    QCOMPARE(sent().at(2), qMakePair(QStringLiteral("PAUSE"), 1));
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart == SoundMngr_PreparePlay()\n")));

    // "RESUME" while playing is answered at once and changes nothing.
    peer.send(QStringLiteral("RESUME"));
    QTRY_COMPARE_WITH_TIMEOUT(peer.received().size(), 5, 2000);
    QCOMPARE(peer.received().last(), QStringLiteral("OK"));
    QCOMPARE(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY));
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart == In PLAYING state  ignore : RESUME\n")));

    // A request while the clip plays is dropped.
    const qsizetype messages = sent().size();
    request(m_short.mp3);
    QTest::qWait(100);
    QCOMPARE(sent().size(), messages);
    QVERIFY(diagnostics().contains(QLatin1String("== LumiStart == Now playing!! So, Just skip!!!\n")));
}

void tst_SoundMngr::brokenClipEndsInErrorAndNextClipPlays_data()
{
    QTest::addColumn<QByteArray>("clip");
    QTest::newRow("zero length") << QByteArray();
    QTest::newRow("not mp3") << QByteArray("<html>no such sound</html>").repeated(100);
    QTest::newRow("zeros") << QByteArray(4000, '\0');
}

void tst_SoundMngr::brokenClipEndsInErrorAndNextClipPlays()
{
    QFETCH(QByteArray, clip);
    createManager(false); // the manager posts its events to itself
    QSignalSpy states(m_manager.get(), &SoundMngr::signalStateChanged);
    request(clip);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_ERROR), 1000);
    QCOMPARE(DirectPlay::is_playing(DirectPlay::get_instance()), 0);
    QTest::qWait(600); // past a play check: nothing is announced for a clip that never played
    QCOMPARE(sent(), (Sent{{QStringLiteral("PAUSE"), 0}}));

    request(m_short.mp3);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_PLAY), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(m_manager->SoundMngr_GetState(), int(SoundMngr::SOUND_STOP), 3000);
    QCOMPARE(states.size(), 3);
}

QTEST_GUILESS_MAIN(tst_SoundMngr)
#include "tst_soundmngr.moc"
