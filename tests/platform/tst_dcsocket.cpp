// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DcSocket.h"
#include "LocalEndpoints.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

namespace {
// Ports of this test only; other tests and the program use other ones.
quint16 nextPort()
{
    static quint16 port = 42100;
    return port++;
}

QString peerTool()
{
    return qEnvironmentVariable("LUMI_BINARY_DIR") + QStringLiteral("/tools/lumi-dcpeer");
}

QString readLine(QProcess &process)
{
    QDeadlineTimer deadline(10000);
    while (!process.canReadLine() && !deadline.hasExpired())
        process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    QByteArray line = process.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    return QString::fromUtf8(line);
}

// A `lumi-dcpeer` process that has joined `port`.
std::unique_ptr<QProcess> startPeer(quint16 port, const QStringList &options = {})
{
    auto process = std::make_unique<QProcess>();
    process->start(peerTool(), QStringList{QStringLiteral("--port"), QString::number(port)} + options);
    if (!process->waitForStarted() || readLine(*process) != QStringLiteral("joined ") + QString::number(port))
        return nullptr;
    return process;
}

int participantFiles(quint16 port)
{
    return QDir(LocalEndpoints::dcSocketDirectory(port))
            .entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)
            .size();
}
} // namespace

class tst_DcSocket : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sendReachesEveryOtherParticipant_data();
    void sendReachesEveryOtherParticipant();
    void textsArriveIntact_data();
    void textsArriveIntact();
    void peerAnswers();
    void stoppedPeerGetsTextWhenResumed();
};

void tst_DcSocket::initTestCase()
{
    QVERIFY2(QFileInfo(peerTool()).isExecutable(), qPrintable(peerTool()));
}

void tst_DcSocket::sendReachesEveryOtherParticipant_data()
{
    QTest::addColumn<int>("localPeers");
    QTest::addColumn<int>("processPeers");
    QTest::addColumn<int>("killedPeers");
    QTest::newRow("alone") << 0 << 0 << 0;
    QTest::newRow("one peer in this process") << 1 << 0 << 0;
    QTest::newRow("one peer process") << 0 << 1 << 0;
    QTest::newRow("two peer processes") << 0 << 2 << 0;
    QTest::newRow("one of each") << 1 << 1 << 0;
    QTest::newRow("killed peer skipped and cleaned up") << 0 << 1 << 1;
    QTest::newRow("only killed peers") << 0 << 0 << 2;
}

void tst_DcSocket::sendReachesEveryOtherParticipant()
{
    QFETCH(int, localPeers);
    QFETCH(int, processPeers);
    QFETCH(int, killedPeers);
    const quint16 port = nextPort();

    DcSocket sender(port);
    QVERIFY(sender.isListening());
    QSignalSpy ownSpy(&sender, &DcSocket::received);
    std::vector<std::unique_ptr<DcSocket>> locals;
    std::vector<std::unique_ptr<QSignalSpy>> localSpies;
    for (int i = 0; i < localPeers; ++i) {
        locals.push_back(std::make_unique<DcSocket>(port));
        localSpies.push_back(std::make_unique<QSignalSpy>(locals.back().get(), &DcSocket::received));
    }
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < processPeers; ++i) {
        processes.push_back(startPeer(port));
        QVERIFY(processes.back());
    }
    for (int i = 0; i < killedPeers; ++i) {
        auto doomed = startPeer(port);
        QVERIFY(doomed);
        doomed->kill();
        QVERIFY(doomed->waitForFinished());
    }
    const int live = 1 + localPeers + processPeers;
    QCOMPARE(participantFiles(port), live + killedPeers); // the killed ones left their sockets

    QCOMPARE(sender.send(QStringLiteral("PAUSE")), localPeers + processPeers);
    QCOMPARE(participantFiles(port), live);

    for (const auto &process : processes)
        QCOMPARE(readLine(*process), QStringLiteral("received PAUSE"));
    for (const auto &spy : localSpies) {
        QTRY_COMPARE(spy->count(), 1);
        QCOMPARE(spy->at(0).at(0).toString(), QStringLiteral("PAUSE"));
    }
    // Our own message never comes back; a reply from a peer does.
    if (!locals.empty()) {
        QCOMPARE(locals.front()->send(QStringLiteral("OK")), localPeers + processPeers);
        QVERIFY(ownSpy.wait());
        QCOMPARE(ownSpy.count(), 1);
        QCOMPARE(ownSpy.at(0).at(0).toString(), QStringLiteral("OK"));
        QCOMPARE(localSpies.front()->count(), 1);
    } else {
        QCoreApplication::processEvents();
        QCOMPARE(ownSpy.count(), 0);
    }

    for (const auto &process : processes) {
        process->terminate();
        QVERIFY(process->waitForFinished());
        QCOMPARE(process->exitCode(), 0);
    }
    locals.clear();
    QCOMPARE(participantFiles(port), 1); // participants that leave remove their sockets
    QCOMPARE(sender.send(QStringLiteral("RESUME")), 0);
}

void tst_DcSocket::textsArriveIntact_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("command") << QStringLiteral("AUDIO_PAUSE");
    QTest::newRow("empty") << QString();
    QTest::newRow("Korean") << QStringLiteral("소리 멈춤");
    // Larger than a socket buffer: the peer must read it in pieces through its event loop.
    QTest::newRow("large") << QString(600 * 1024, QLatin1Char('a'));
}

void tst_DcSocket::textsArriveIntact()
{
    QFETCH(QString, text);
    const quint16 port = nextPort();
    auto peer = startPeer(port);
    QVERIFY(peer);
    DcSocket sender(port);
    QCOMPARE(sender.send(text), 1);
    QCOMPARE(readLine(*peer), QStringLiteral("received ") + text);
    peer->terminate();
    QVERIFY(peer->waitForFinished());
}

void tst_DcSocket::peerAnswers()
{
    const quint16 port = nextPort();
    auto peer = startPeer(port, {QStringLiteral("--answer"), QStringLiteral("PAUSE=OK")});
    QVERIFY(peer);
    DcSocket socket(port);
    QSignalSpy spy(&socket, &DcSocket::received);

    QCOMPARE(socket.send(QStringLiteral("PAUSE")), 1);
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("OK"));
    QCOMPARE(readLine(*peer), QStringLiteral("received PAUSE"));
    QCOMPARE(readLine(*peer), QStringLiteral("sent OK 1"));

    // A line on the peer's standard input is sent to everyone else.
    peer->write("STOP\n");
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("STOP"));
    QCOMPARE(readLine(*peer), QStringLiteral("sent STOP 1"));
    peer->terminate();
    QVERIFY(peer->waitForFinished());
}

void tst_DcSocket::stoppedPeerGetsTextWhenResumed()
{
    const quint16 port = nextPort();
    auto peer = startPeer(port);
    QVERIFY(peer);
    DcSocket sender(port);
    ::kill(static_cast<pid_t>(peer->processId()), SIGSTOP);
    // A peer that does not run still takes a short text into its socket: send() does not wait for it.
    QCOMPARE(sender.send(QStringLiteral("RESUME")), 1);
    ::kill(static_cast<pid_t>(peer->processId()), SIGCONT);
    QCOMPARE(readLine(*peer), QStringLiteral("received RESUME"));
    peer->terminate();
    QVERIFY(peer->waitForFinished());
}

QTEST_GUILESS_MAIN(tst_DcSocket)
#include "tst_dcsocket.moc"
