// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "LocalEndpoints.h"
#include "QCopChannel.h"
#include "QCopEnvelope.h"

#include <QDataStream>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

#include <memory>

namespace {
QString qcopTool()
{
    return qEnvironmentVariable("LUMI_BINARY_DIR") + QStringLiteral("/tools/lumi-qcop");
}

// The wire format as a client writes it: a big-endian length, then a Qt 5.15 QDataStream of the
// magic number, the message name and the data.
QByteArray framed(const QByteArray &payload)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), bytes.data());
    return bytes + payload;
}

QByteArray messagePayload(const QByteArray &message, const QByteArray &data, quint32 magic = 0x51434F50)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_15);
    stream << magic << message << data;
    return payload;
}

QByteArray stringData(const QString &text)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setVersion(QCopEnvelope::StreamVersion);
    stream << text;
    return data;
}

// A `lumi-qcop --listen` process, ready once the channel is registered.
std::unique_ptr<QProcess> startListener(const QString &channel)
{
    auto process = std::make_unique<QProcess>();
    process->start(qcopTool(), {QStringLiteral("--listen"), channel});
    if (!process->waitForStarted())
        return nullptr;
    return process;
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
} // namespace

class tst_QCopChannel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void envelopeReachesListenerProcess_data();
    void envelopeReachesListenerProcess();
    void toolPacksArguments_data();
    void toolPacksArguments();
    void messageToNobodyIsDropped();
    void registrationIsExclusive_data();
    void registrationIsExclusive();
    void sameProcessDeliveryGoesThroughEventLoop();
    void garbledFramesAreDropped_data();
    void garbledFramesAreDropped();
    void receiverGoesAwayMidFrame();
};

void tst_QCopChannel::initTestCase()
{
    QVERIFY2(QFileInfo(qcopTool()).isExecutable(), qPrintable(qcopTool()));
}

void tst_QCopChannel::envelopeReachesListenerProcess_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QString>("printed");
    QTest::newRow("word") << "Search(QString)" << QVariantList{QStringLiteral("apple")} << "Search(QString) apple";
    QTest::newRow("Korean word") << "Search(QString)" << QVariantList{QStringLiteral("사과")} << "Search(QString) 사과";
    QTest::newRow("two ints") << "setScreenSaverIntervals(int,int)" << QVariantList{30, -1}
                              << "setScreenSaverIntervals(int,int) 30 -1";
    QTest::newRow("no argument") << "Run_Keyboard()" << QVariantList{} << "Run_Keyboard()";
    QTest::newRow("data not matching the signature") << "Run(QString)" << QVariantList{42} << "Run(QString) <4 bytes>";
}

void tst_QCopChannel::envelopeReachesListenerProcess()
{
    QFETCH(QString, message);
    QFETCH(QVariantList, arguments);
    QFETCH(QString, printed);
    const QString channel = QStringLiteral("Test/qcop/envelope");

    auto listener = startListener(channel);
    QVERIFY(listener);
    QTRY_VERIFY(QCopChannel::isRegistered(channel));
    {
        QCopEnvelope envelope(channel, message);
        for (const QVariant &argument : arguments) {
            if (argument.typeId() == QMetaType::QString)
                envelope << argument.toString();
            else
                envelope << qint32(argument.toInt());
        }
    }
    QCOMPARE(readLine(*listener), printed);

    listener->terminate();
    QVERIFY(listener->waitForFinished());
    QCOMPARE(listener->exitStatus(), QProcess::NormalExit);
    QCOMPARE(listener->exitCode(), 0);
    // A listener that ends normally takes its socket with it.
    QVERIFY(!QFileInfo::exists(LocalEndpoints::qcopSocketPath(channel)));
    QVERIFY(!QCopChannel::isRegistered(channel));
}

void tst_QCopChannel::toolPacksArguments_data()
{
    QTest::addColumn<QStringList>("toolArguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("data");

    QByteArray twoInts;
    {
        QDataStream stream(&twoInts, QIODevice::WriteOnly);
        stream.setVersion(QCopEnvelope::StreamVersion);
        stream << qint32(5) << qint32(-120);
    }
    QTest::newRow("QString") << QStringList{"Search(QString)", "hello world"} << 0 << stringData("hello world");
    QTest::newRow("empty QString") << QStringList{"Search(QString)", ""} << 0 << stringData(QString(""));
    QTest::newRow("int pair") << QStringList{"setScreenSaverIntervals(int, int)", "5", "-120"} << 0 << twoInts;
    QTest::newRow("no arguments") << QStringList{"Run_Keyboard()"} << 0 << QByteArray();
    QTest::newRow("too many arguments") << QStringList{"Run_Keyboard()", "x"} << 2 << QByteArray();
    QTest::newRow("missing argument") << QStringList{"Search(QString)"} << 2 << QByteArray();
    QTest::newRow("unknown type") << QStringList{"Show(bool)", "true"} << 2 << QByteArray();
    QTest::newRow("not an int") << QStringList{"Volume(int)", "loud"} << 2 << QByteArray();
    QTest::newRow("not a signature") << QStringList{"Search", "hello"} << 2 << QByteArray();
}

void tst_QCopChannel::toolPacksArguments()
{
    QFETCH(QStringList, toolArguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, data);
    const QString channel = QStringLiteral("Test/qcop/tool");
    QCopChannel receiver(channel);
    QVERIFY(receiver.isValid());
    QSignalSpy spy(&receiver, &QCopChannel::received);

    QProcess tool;
    tool.start(qcopTool(), QStringList{channel} + toolArguments);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), exitCode);
    const QByteArray errors = tool.readAllStandardError();
    if (exitCode == 2) {
        QCOMPARE(errors.count('\n'), 1);
        QVERIFY(errors.startsWith("lumi-qcop: "));
    } else {
        QVERIFY(errors.isEmpty());
    }

    // A sentinel message marks the end of what the tool could have sent.
    QVERIFY(QProcess::execute(qcopTool(), {channel, QStringLiteral("Sentinel()")}) == 0);
    QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).toByteArray() == "Sentinel()");
    if (exitCode != 0) {
        QCOMPARE(spy.count(), 1);
        return;
    }
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toByteArray(), toolArguments.at(0).toUtf8());
    QCOMPARE(spy.at(0).at(1).toByteArray(), data);
}

void tst_QCopChannel::messageToNobodyIsDropped()
{
    const QString channel = QStringLiteral("Test/qcop/nobody");
    QVERIFY(!QCopChannel::isRegistered(channel));
    QVERIFY(!QCopChannel::send(channel, QStringLiteral("Search(QString)"), stringData(QStringLiteral("x"))));
    {
        QCopEnvelope envelope(channel, QStringLiteral("Run_Keyboard()"));
    }

    QProcess tool;
    tool.start(qcopTool(), {channel, QStringLiteral("Search(QString)"), QStringLiteral("x")});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 1);
    QCOMPARE(tool.readAllStandardError(), QByteArray());
    QCOMPARE(tool.readAllStandardOutput(), QByteArray());
}

void tst_QCopChannel::registrationIsExclusive_data()
{
    QTest::addColumn<bool>("killed");
    QTest::newRow("holder exits") << false;
    QTest::newRow("holder killed, stale socket left") << true;
}

void tst_QCopChannel::registrationIsExclusive()
{
    QFETCH(bool, killed);
    const QString channel = QStringLiteral("Test/qcop/exclusive");

    auto holder = startListener(channel);
    QVERIFY(holder);
    QTRY_VERIFY(QCopChannel::isRegistered(channel));
    {
        QCopChannel refused(channel);
        QVERIFY(!refused.isValid());
        QSignalSpy spy(&refused, &QCopChannel::received);
        QVERIFY(QCopChannel::send(channel, QStringLiteral("Search(QString)"), stringData(QStringLiteral("held"))));
        QCOMPARE(readLine(*holder), QStringLiteral("Search(QString) held"));
        QCOMPARE(spy.count(), 0);
    }
    QProcess second;
    second.start(qcopTool(), {QStringLiteral("--listen"), channel});
    QVERIFY(second.waitForFinished());
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains("held by another process"));

    if (killed) {
        holder->kill();
        QVERIFY(holder->waitForFinished());
        QVERIFY(QFileInfo::exists(LocalEndpoints::qcopSocketPath(channel)));
        QVERIFY(!QCopChannel::isRegistered(channel));
    } else {
        holder->terminate();
        QVERIFY(holder->waitForFinished());
        QCOMPARE(holder->exitCode(), 0);
    }

    QCopChannel taken(channel);
    QVERIFY(taken.isValid());
    QSignalSpy spy(&taken, &QCopChannel::received);
    QVERIFY(QProcess::execute(qcopTool(), {channel, QStringLiteral("Run(QString)"), QStringLiteral("Dic_Eng")}) == 0);
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("Run(QString)"));
    QCOMPARE(spy.at(0).at(1).toByteArray(), stringData(QStringLiteral("Dic_Eng")));

    // Within one process the channel is exclusive as well.
    QCopChannel again(channel);
    QVERIFY(!again.isValid());
    QCOMPARE(again.channel(), channel);
}

void tst_QCopChannel::sameProcessDeliveryGoesThroughEventLoop()
{
    const QString channel = QStringLiteral("Test/qcop/self");
    auto receiver = std::make_unique<QCopChannel>(channel);
    QVERIFY(receiver->isValid());
    QVERIFY(QCopChannel::isRegistered(channel));
    QSignalSpy spy(receiver.get(), &QCopChannel::received);

    {
        QCopEnvelope envelope(channel, QStringLiteral("Search(QString)"));
        envelope << QStringLiteral("first");
    }
    QVERIFY(QCopChannel::send(channel, QStringLiteral("Run_Keyboard()"), QByteArray()));
    QCOMPARE(spy.count(), 0); // never delivered from inside send()
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("Search(QString)"));
    QDataStream stream(spy.at(0).at(1).toByteArray());
    stream.setVersion(QCopEnvelope::StreamVersion);
    QString word;
    stream >> word;
    QCOMPARE(word, QStringLiteral("first"));
    QCOMPARE(spy.at(1).at(0).toByteArray(), QByteArray("Run_Keyboard()"));

    // A message still queued when its receiver goes away is dropped harmlessly.
    QVERIFY(QCopChannel::send(channel, QStringLiteral("Run_Keyboard()"), QByteArray()));
    receiver.reset();
    QCoreApplication::processEvents();
    QVERIFY(!QCopChannel::isRegistered(channel));
    QVERIFY(!QCopChannel::send(channel, QStringLiteral("Run_Keyboard()"), QByteArray()));
}

enum Ending { FollowedByGoodFrame, ServerHangsUp, ClientHangsUp };
Q_DECLARE_METATYPE(Ending)

void tst_QCopChannel::garbledFramesAreDropped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Ending>("ending");
    const QByteArray good = messagePayload("Search(QString)", stringData(QStringLiteral("bad")));
    QByteArray noise(200, Qt::Uninitialized);
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 37 + 11) & 0xff);

    QTest::newRow("wrong magic") << framed(messagePayload("Search(QString)", stringData("x"), 0x12345678))
                                 << FollowedByGoodFrame;
    QTest::newRow("noise in a frame") << framed(noise) << FollowedByGoodFrame;
    QTest::newRow("payload cut short") << framed(good.left(good.size() - 3)) << FollowedByGoodFrame;
    QTest::newRow("junk after the data") << framed(good + "xyz") << FollowedByGoodFrame;
    QTest::newRow("empty frame") << framed(QByteArray()) << FollowedByGoodFrame;
    QTest::newRow("empty message name") << framed(messagePayload(QByteArray(), QByteArray())) << FollowedByGoodFrame;
    QTest::newRow("absurd length") << QByteArray("\xff\xff\xff\xf0", 4) + noise << ServerHangsUp;
    QTest::newRow("client leaves mid-frame") << framed(good).left(20) << ClientHangsUp;
    QTest::newRow("client leaves mid-length") << QByteArray("\0\0", 2) << ClientHangsUp;
}

void tst_QCopChannel::garbledFramesAreDropped()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Ending, ending);
    const QString channel = QStringLiteral("Test/qcop/garbled");
    QCopChannel receiver(channel);
    QVERIFY(receiver.isValid());
    QSignalSpy spy(&receiver, &QCopChannel::received);
    const QByteArray goodFrame = framed(messagePayload("Run(QString)", stringData(QStringLiteral("Dic_Kor"))));

    QLocalSocket client;
    client.connectToServer(LocalEndpoints::qcopSocketPath(channel));
    QVERIFY(client.waitForConnected());
    switch (ending) {
    case FollowedByGoodFrame:
        // One write: the receiver must find the frame boundary after the bad frame.
        client.write(bytes + goodFrame);
        QVERIFY(client.waitForBytesWritten());
        break;
    case ServerHangsUp:
        client.write(bytes);
        QVERIFY(client.waitForBytesWritten());
        QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        break;
    case ClientHangsUp:
        client.write(bytes);
        QVERIFY(client.waitForBytesWritten());
        client.disconnectFromServer();
        break;
    }
    if (ending != FollowedByGoodFrame) {
        QLocalSocket second;
        second.connectToServer(LocalEndpoints::qcopSocketPath(channel));
        QVERIFY(second.waitForConnected());
        second.write(goodFrame);
        QVERIFY(second.waitForBytesWritten());
        QVERIFY(spy.wait());
    }
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("Run(QString)"));
    QCOMPARE(spy.at(0).at(1).toByteArray(), stringData(QStringLiteral("Dic_Kor")));
    QVERIFY(receiver.isValid());
}

void tst_QCopChannel::receiverGoesAwayMidFrame()
{
    const QString channel = QStringLiteral("Test/qcop/away");
    auto receiver = std::make_unique<QCopChannel>(channel);
    QSignalSpy spy(receiver.get(), &QCopChannel::received);
    const QByteArray frame = framed(messagePayload("Run_Keyboard()", QByteArray()));

    QLocalSocket client;
    client.connectToServer(LocalEndpoints::qcopSocketPath(channel));
    QVERIFY(client.waitForConnected());
    client.write(frame + frame.left(7));
    QVERIFY(client.waitForBytesWritten());
    QVERIFY(spy.wait());

    // The half frame is pending when the receiver goes; its client is cut off, nothing else happens.
    receiver.reset();
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    QVERIFY(!QFileInfo::exists(LocalEndpoints::qcopSocketPath(channel)));
    QVERIFY(QCopChannel(channel).isValid());
}

QTEST_GUILESS_MAIN(tst_QCopChannel)
#include "tst_qcopchannel.moc"
