// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "AudioVolume.h"
#include "DirectPlay.h"
#include "SpeechClips.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

class tst_DirectPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void decodesWaveAndMp3();
    void rejectsBrokenClips_data();
    void rejectsBrokenClips();
    void playsForTheClipsDuration();
    void volumeIsClamped();
    void nullHandleIsHarmless();

private:
    static int openBytes(int type, const QByteArray &bytes)
    {
        return DirectPlay::open(DirectPlay::get_instance(), type,
                                reinterpret_cast<const unsigned char *>(bytes.constData()), unsigned(bytes.size()));
    }

    QTemporaryDir m_dir;
    SpeechClip m_clip;
};

void tst_DirectPlay::initTestCase()
{
    // The same behaviour on every machine, with or without a sound card.
    qputenv("LUMI_NULL_AUDIO", "1");
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(makeSpeechClip(m_dir.path(), QStringLiteral("fox"),
                            QStringLiteral("The quick brown fox jumps over the lazy dog"), &m_clip, &error),
             qPrintable(error));
    QVERIFY(DirectPlay::get_instance());
    QCOMPARE(DirectPlay::get_instance(), DirectPlay::get_instance());
}

void tst_DirectPlay::decodesWaveAndMp3()
{
    DirectPlay *player = DirectPlay::get_instance();
    QCOMPARE(openBytes(DirectPlay::TypeWave, m_clip.wave), 0);
    QCOMPARE(player->pcmFormat().sampleRate(), 22050);
    QCOMPARE(player->pcmFormat().channelCount(), 1);
    // espeak-ng writes a plain 44-byte header before 16-bit mono samples.
    const qint64 waveMs = (m_clip.wave.size() - 44) * 1000 / (2 * 22050);
    QVERIFY2(qAbs(player->durationMs() - waveMs) <= 2, qPrintable(QString::number(player->durationMs())));
    QVERIFY(waveMs > 1500);

    QCOMPARE(openBytes(DirectPlay::TypeMp3, m_clip.mp3), 0);
    QCOMPARE(player->pcmFormat().sampleRate(), 22050);
    QCOMPARE(player->pcmFormat().channelCount(), 1);
    const qint64 mp3Ms = player->durationMs();
    QVERIFY2(qAbs(mp3Ms - waveMs) * 100 <= waveMs * 3,
             qPrintable(QStringLiteral("mp3 %1 ms, wave %2 ms").arg(mp3Ms).arg(waveMs)));

    // A clip cut in the middle plays what is there.
    QCOMPARE(openBytes(DirectPlay::TypeMp3, m_clip.mp3.left(m_clip.mp3.size() / 2)), 0);
    QVERIFY(player->durationMs() > mp3Ms / 3 && player->durationMs() < mp3Ms * 2 / 3);
}

void tst_DirectPlay::rejectsBrokenClips_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("fromClip"); // bytes are a transformation of the spoken clip

    QTest::newRow("empty mp3") << 1 << QByteArray() << false;
    QTest::newRow("empty wave") << 0 << QByteArray() << false;
    QTest::newRow("zeros as mp3") << 1 << QByteArray(8192, '\0') << false;
    QTest::newRow("text as mp3") << 1 << QByteArray("this is no sound clip at all ").repeated(200) << false;
    QTest::newRow("text as wave") << 0 << QByteArray("RIFF....WAVEdata") << false;
    QTest::newRow("unknown type") << 7 << QByteArray("mp3") << true;
    QTest::newRow("mp3 as wave") << 0 << QByteArray("mp3") << true;
    QTest::newRow("wave header only") << 0 << QByteArray("head") << true;
    QTest::newRow("24-bit wave") << 0 << QByteArray("24bit") << true;
}

void tst_DirectPlay::rejectsBrokenClips()
{
    QFETCH(int, type);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fromClip);
    if (fromClip) {
        if (bytes == "mp3") {
            bytes = m_clip.mp3;
        } else if (bytes == "head") {
            bytes = m_clip.wave.left(44);
        } else if (bytes == "24bit") {
            bytes = m_clip.wave;
            bytes[34] = 24;
        }
    }
    DirectPlay *player = DirectPlay::get_instance();
    QCOMPARE(openBytes(DirectPlay::TypeWave, m_clip.wave), 0); // a good clip first, to be forgotten
    QVERIFY(openBytes(type, bytes) != 0);
    QCOMPARE(player->durationMs(), 0);
    QVERIFY(DirectPlay::play(player) != 0);
    QCOMPARE(DirectPlay::is_playing(player), 0);
}

void tst_DirectPlay::playsForTheClipsDuration()
{
    DirectPlay *player = DirectPlay::get_instance();
    const QByteArray hello = m_clip.wave.left(44 + 2 * 22050 * 6 / 10); // the first 0.6 s
    QCOMPARE(openBytes(DirectPlay::TypeWave, hello), 0);
    QCOMPARE(player->durationMs(), 600);
    QCOMPARE(DirectPlay::is_playing(player), 0);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(DirectPlay::play(player), 0);
    QVERIFY(DirectPlay::is_playing(player));
    QTRY_VERIFY_WITH_TIMEOUT(!DirectPlay::is_playing(player), 3000);
    QVERIFY2(clock.elapsed() >= 580, qPrintable(QString::number(clock.elapsed())));

    // Playing again starts from the beginning; stop ends the sound at once.
    QCOMPARE(DirectPlay::play(player), 0);
    QVERIFY(DirectPlay::is_playing(player));
    QTest::qWait(100);
    QCOMPARE(DirectPlay::stop(player), 0);
    QCOMPARE(DirectPlay::is_playing(player), 0);

    // Opening another clip while one plays stops it; closing forgets the clip.
    QCOMPARE(DirectPlay::play(player), 0);
    QCOMPARE(openBytes(DirectPlay::TypeMp3, m_clip.mp3), 0);
    QCOMPARE(DirectPlay::is_playing(player), 0);
    QCOMPARE(DirectPlay::close(player), 0);
    QVERIFY(DirectPlay::play(player) != 0);
}

void tst_DirectPlay::volumeIsClamped()
{
    DirectPlay *player = DirectPlay::get_instance();
    QCOMPARE(audio_device_set_appvolume(1), 0);
    QCOMPARE(player->appVolume(), 1);
    QCOMPARE(audio_device_set_appvolume(99), 0);
    QCOMPARE(player->appVolume(), 40);
    QCOMPARE(audio_device_set_appvolume(-5), 0);
    QCOMPARE(player->appVolume(), 0);
}

void tst_DirectPlay::nullHandleIsHarmless()
{
    const unsigned char byte = 0;
    QVERIFY(DirectPlay::open(nullptr, 1, &byte, 1) != 0);
    QVERIFY(DirectPlay::play(nullptr) != 0);
    QCOMPARE(DirectPlay::is_playing(nullptr), 0);
    QVERIFY(DirectPlay::stop(nullptr) != 0);
    QVERIFY(DirectPlay::close(nullptr) != 0);
    QVERIFY(DirectPlay::open(DirectPlay::get_instance(), 1, nullptr, 100) != 0);
}

QTEST_GUILESS_MAIN(tst_DirectPlay)
#include "tst_directplay.moc"
