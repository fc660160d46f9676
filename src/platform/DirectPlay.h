// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

class QAudioSink;
class QBuffer;

// The program's audio player. A clip is decoded as a whole into 16-bit PCM when it is opened
// (MP3 through libmpg123, wave data through a small RIFF reader), then played asynchronously
// on the default output device; the caller polls is_playing().
//
// Without a usable output device (headless machines, CI, a device that fails to open) the
// player falls back to a null sink: a virtual clock that consumes the PCM in real time, so a
// clip still takes its own duration to play. Setting LUMI_NULL_AUDIO=1 forces the null sink.
//
// The operations are those of a handle-based C library: every one takes the handle from
// get_instance() and answers 0 on success, non-zero on failure (a null handle included).
class DirectPlay final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirectPlay)
public:
    enum FileType { TypeWave = 0, TypeMp3 = 1 };

    // The one player of the process, created on first use. Null without a QCoreApplication;
    // the player is destroyed with the application.
    static DirectPlay *get_instance();

    // Decodes buffer (length bytes of the given FileType) and keeps the PCM; the caller keeps
    // its buffer. Stops what was playing. Non-zero for an empty, unknown or undecodable clip,
    // which leaves the player with no clip.
    static int open(DirectPlay *handle, int type, const unsigned char *buffer, unsigned int length);
    // Plays the opened clip from its beginning. Non-zero when no clip is open.
    static int play(DirectPlay *handle);
    // Non-zero while sound is being produced.
    static int is_playing(DirectPlay *handle);
    static int stop(DirectPlay *handle);
    // Stops and forgets the clip.
    static int close(DirectPlay *handle);

    // Output volume 0..40 (40 is the loudest the program uses); applied at once and to later clips.
    void setAppVolume(int volume);
    int appVolume() const { return m_volume; }

    // Facts about the opened clip, for diagnostics and tests.
    qint64 durationMs() const;
    const QAudioFormat &pcmFormat() const { return m_format; }
    bool usesNullSink() const { return m_nullSink; }

private:
    DirectPlay();
    ~DirectPlay() override;
    static void destroyInstance(); // runs when the application object is destroyed

    bool decode(int type, const unsigned char *buffer, unsigned int length);
    void startPlayback();
    void stopPlayback();
    void fallBackToNullSink(qint64 playedUs);
    bool playing() const;
    qreal linearVolume() const;

    QByteArray m_pcm;
    QAudioFormat m_format;
    int m_volume = 40;
    bool m_started = false; // play() called and not stopped since
    bool m_nullSink = false;
    QAudioSink *m_sink = nullptr; // child; exists only while the real device plays
    QBuffer *m_source = nullptr; // child; reads m_pcm for the sink
    QElapsedTimer m_clock; // the null sink's clock
    qint64 m_clockOffsetUs = 0; // position the null sink's clock started from
};
