// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DirectPlay.h"

#include <QAudio>
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QtEndian>

#include <cstring>

#include <mpg123.h>

#include <memory>

namespace {

DirectPlay *s_instance = nullptr;

bool nullSinkForced()
{
    return qEnvironmentVariableIntValue("LUMI_NULL_AUDIO") != 0;
}

quint16 le16(const unsigned char *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 le32(const unsigned char *p)
{
    return qFromLittleEndian<quint32>(p);
}

// Reads a RIFF/WAVE clip with integer PCM samples of 8 or 16 bits in one or two channels into
// 16-bit PCM. Chunk sizes that run past the end of the buffer (as streamed wave files write
// them) are cut to what is there.
bool decodeWave(const unsigned char *data, quint32 length, QByteArray &pcm, QAudioFormat &format)
{
    if (length < 12 || memcmp(data, "RIFF", 4) != 0 || memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    quint32 pos = 12;
    while (pos + 8 <= length) {
        const unsigned char *chunk = data + pos;
        const quint32 available = length - pos - 8;
        const quint32 size = qMin(le32(chunk + 4), available);
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16)
                return false;
            quint16 tag = le16(chunk + 8);
            if (tag == 0xFFFE && size >= 40) // WAVE_FORMAT_EXTENSIBLE: the sub-format names the coding
                tag = le16(chunk + 8 + 24);
            if (tag != 1)
                return false;
            channels = le16(chunk + 10);
            rate = int(le32(chunk + 12));
            bits = le16(chunk + 22);
            if (channels < 1 || channels > 2 || rate < 1000 || rate > 192000 || (bits != 8 && bits != 16))
                return false;
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (channels == 0) // no format before the samples
                return false;
            const unsigned char *samples = chunk + 8;
            if (bits == 16) {
                const quint32 frames = size / quint32(2 * channels);
                pcm = QByteArray(reinterpret_cast<const char *>(samples), int(frames * 2 * channels));
                if (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
                    auto *s = reinterpret_cast<qint16 *>(pcm.data());
                    for (qsizetype i = 0; i < pcm.size() / 2; ++i)
                        s[i] = qFromLittleEndian(s[i]);
                }
            } else {
                const quint32 count = size / quint32(channels) * quint32(channels);
                pcm.resize(qsizetype(count) * 2);
                auto *s = reinterpret_cast<qint16 *>(pcm.data());
                for (quint32 i = 0; i < count; ++i)
                    s[i] = qint16((int(samples[i]) - 128) * 256);
            }
            format.setSampleRate(rate);
            format.setChannelCount(channels);
            format.setSampleFormat(QAudioFormat::Int16);
            return !pcm.isEmpty();
        }
        pos += 8 + size + (size & 1); // chunks are padded to even sizes
    }
    return false;
}

struct Mpg123Deleter
{
    void operator()(mpg123_handle *h) const { mpg123_delete(h); }
};

// Decodes a whole MP3 clip held in memory through libmpg123's feed interface into signed 16-bit
// PCM at the clip's own rate and channel count. A change of format inside the clip ends it.
bool decodeMp3(const unsigned char *data, quint32 length, QByteArray &pcm, QAudioFormat &format)
{
    static const bool initialised = (mpg123_init() == MPG123_OK);
    if (!initialised)
        return false;
    int err = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123Deleter> mh(mpg123_new(nullptr, &err));
    if (!mh)
        return false;
    mpg123_param(mh.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.);
    mpg123_format_none(mh.get());
    const long *rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(mh.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(mh.get()) != MPG123_OK || mpg123_feed(mh.get(), data, length) != MPG123_OK)
        return false;

    long rate = 0;
    int channels = 0;
    unsigned char out[16384];
    for (;;) {
        size_t done = 0;
        const int ret = mpg123_read(mh.get(), out, sizeof out, &done);
        if (ret == MPG123_NEW_FORMAT) {
            long newRate = 0;
            int newChannels = 0;
            int encoding = 0;
            mpg123_getformat(mh.get(), &newRate, &newChannels, &encoding);
            if (encoding != MPG123_ENC_SIGNED_16 || (channels != 0 && (newRate != rate || newChannels != channels)))
                break;
            rate = newRate;
            channels = newChannels;
        }
        if (done > 0 && channels > 0)
            pcm.append(reinterpret_cast<const char *>(out), qsizetype(done));
        if (ret != MPG123_OK && ret != MPG123_NEW_FORMAT)
            break; // MPG123_NEED_MORE at the end of the clip, or an error
    }
    if (channels < 1 || channels > 2 || rate <= 0)
        return false;
    pcm.truncate(pcm.size() / (2 * channels) * (2 * channels));
    format.setSampleRate(int(rate));
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return !pcm.isEmpty();
}

} // namespace

DirectPlay::DirectPlay() = default;

DirectPlay::~DirectPlay()
{
    stopPlayback();
}

DirectPlay *DirectPlay::get_instance()
{
    if (!s_instance && QCoreApplication::instance()) {
        s_instance = new DirectPlay;
        qAddPostRoutine(&DirectPlay::destroyInstance);
    }
    return s_instance;
}

void DirectPlay::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

int DirectPlay::open(DirectPlay *handle, int type, const unsigned char *buffer, unsigned int length)
{
    if (!handle)
        return -1;
    handle->stopPlayback();
    return handle->decode(type, buffer, length) ? 0 : -1;
}

int DirectPlay::play(DirectPlay *handle)
{
    if (!handle || handle->m_pcm.isEmpty())
        return -1;
    handle->stopPlayback();
    handle->startPlayback();
    return 0;
}

int DirectPlay::is_playing(DirectPlay *handle)
{
    return handle && handle->playing() ? 1 : 0;
}

int DirectPlay::stop(DirectPlay *handle)
{
    if (!handle)
        return -1;
    handle->stopPlayback();
    return 0;
}

int DirectPlay::close(DirectPlay *handle)
{
    if (!handle)
        return -1;
    handle->stopPlayback();
    handle->m_pcm.clear();
    handle->m_format = QAudioFormat();
    return 0;
}

void DirectPlay::setAppVolume(int volume)
{
    m_volume = qBound(0, volume, 40);
    if (m_sink)
        m_sink->setVolume(linearVolume());
}

qint64 DirectPlay::durationMs() const
{
    return m_format.isValid() ? m_format.durationForBytes(qint32(m_pcm.size())) / 1000 : 0;
}

bool DirectPlay::decode(int type, const unsigned char *buffer, unsigned int length)
{
    m_pcm.clear();
    m_format = QAudioFormat();
    // QByteArray holds at most 2 GB; a pronunciation clip is a few kilobytes.
    if (!buffer || length == 0 || length > 0x7fffffffu)
        return false;
    bool ok = false;
    if (type == TypeMp3)
        ok = decodeMp3(buffer, length, m_pcm, m_format);
    else if (type == TypeWave)
        ok = decodeWave(buffer, length, m_pcm, m_format);
    if (!ok) {
        m_pcm.clear();
        m_format = QAudioFormat();
    }
    return ok;
}

void DirectPlay::startPlayback()
{
    m_started = true;
    m_nullSink = true;
    if (!nullSinkForced()) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (!device.isNull() && device.isFormatSupported(m_format)) {
            m_source = new QBuffer(&m_pcm, this);
            m_source->open(QIODevice::ReadOnly);
            m_sink = new QAudioSink(device, m_format, this);
            m_sink->setVolume(linearVolume());
            // A device that fails while playing hands the rest of the clip to the null sink, so
            // the clip still lasts as long as it should.
            connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
                if (m_sink && state == QAudio::StoppedState && m_sink->error() != QAudio::NoError)
                    fallBackToNullSink(m_sink->processedUSecs());
            });
            m_sink->start(m_source);
            if (m_sink->error() == QAudio::NoError && m_sink->state() != QAudio::StoppedState) {
                m_nullSink = false;
                return;
            }
            fallBackToNullSink(0);
            return;
        }
    }
    m_clockOffsetUs = 0;
    m_clock.start();
}

void DirectPlay::fallBackToNullSink(qint64 playedUs)
{
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink->deleteLater(); // may be inside the sink's own signal
        m_sink = nullptr;
    }
    if (m_source) {
        m_source->deleteLater();
        m_source = nullptr;
    }
    m_nullSink = true;
    m_clockOffsetUs = playedUs;
    m_clock.start();
}

void DirectPlay::stopPlayback()
{
    m_started = false;
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        delete m_sink;
        m_sink = nullptr;
    }
    delete m_source;
    m_source = nullptr;
    m_clock.invalidate();
}

bool DirectPlay::playing() const
{
    if (!m_started)
        return false;
    if (m_nullSink) {
        const qint64 durationUs = m_format.durationForBytes(qint32(m_pcm.size()));
        return m_clock.isValid() && m_clockOffsetUs + m_clock.nsecsElapsed() / 1000 < durationUs;
    }
    if (!m_sink)
        return false;
    // In pull mode the sink turns idle once the buffer is drained; idle with data left is a
    // passing underrun.
    const QAudio::State state = m_sink->state();
    return state == QAudio::ActiveState || (state == QAudio::IdleState && m_source && !m_source->atEnd());
}

qreal DirectPlay::linearVolume() const
{
    return QAudio::convertVolume(m_volume / 40.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}
