// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "Speech.h"

#include "BuildContext.h"

#include <QProcess>
#include <QStandardPaths>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <numeric>
#include <thread>

namespace {

// Encoding of every clip: 32 kbit/s mono (MPEG-2 layer III at espeak-ng's 22050 Hz), a spoken
// word is a few kilobytes.
constexpr int BitRate = 32;

// espeak-ng and LAME as shared libraries, loaded at run time when they are installed: speaking
// and encoding inside this process is several times faster than two processes per clip. Only
// their stable C entry points are used, declared here as the libraries export them.
class SpeechLibraries final
{
public:
    // The loaded libraries, or null when either is missing or espeak-ng does not start.
    static SpeechLibraries *instance()
    {
        static SpeechLibraries *libraries = [] {
            auto *candidate = new SpeechLibraries;
            if (candidate->load())
                return candidate;
            delete candidate;
            return static_cast<SpeechLibraries *>(nullptr);
        }();
        return libraries;
    }

    // 16-bit mono PCM at sampleRate() for text, empty on failure. espeak-ng keeps global state:
    // one text at a time.
    std::vector<short> speak(const QString &text, const QString &voice)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const QByteArray voiceName = voice.toUtf8();
        if (voiceName != m_voice) {
            if (m_setVoice(voiceName.constData()) != 0)
                return {};
            m_voice = voiceName;
        }
        std::vector<short> pcm;
        s_target = &pcm;
        const QByteArray utf8 = text.toUtf8();
        const int rc = m_synth(utf8.constData(), size_t(utf8.size()) + 1, 0, PositionCharacter, 0, CharsUtf8, nullptr,
                               nullptr);
        s_target = nullptr;
        if (rc != 0)
            return {};
        return pcm;
    }

    // The clip as MP3; each call has its own encoder, so calls may run in parallel.
    QByteArray encode(const std::vector<short> &pcm) const
    {
        if (pcm.empty())
            return {};
        void *lame = m_lameInit();
        if (!lame)
            return {};
        m_lameSetInRate(lame, m_sampleRate);
        m_lameSetChannels(lame, 1);
        m_lameSetMode(lame, LameMono);
        m_lameSetBitRate(lame, BitRate);
        m_lameSetQuality(lame, 7); // fast; the synthetic voice gains nothing from slower modes
        m_lameSetVbrTag(lame, 0); // no tag frame: nothing can be written back into a memory buffer
        QByteArray mp3;
        if (m_lameInitParams(lame) == 0) {
            // LAME's documented worst case: 1.25 * samples + 7200 bytes, plus room for the flush.
            mp3.resize(qsizetype(pcm.size()) * 5 / 4 + 7200 + 7200);
            auto *out = reinterpret_cast<unsigned char *>(mp3.data());
            const int written = m_lameEncode(lame, pcm.data(), pcm.data(), int(pcm.size()), out, int(mp3.size()));
            const int flushed = written < 0 ? -1 : m_lameFlush(lame, out + written, int(mp3.size()) - written);
            mp3.resize(flushed < 0 ? 0 : written + flushed);
        }
        m_lameClose(lame);
        return mp3;
    }

    int sampleRate() const { return m_sampleRate; }

private:
    using SynthCallback = int(short *, int, void *);
    static constexpr int OutputSynchronous = 2; // espeak_AUDIO_OUTPUT AUDIO_OUTPUT_SYNCHRONOUS
    static constexpr int InitializeDontExit = 0x8000;
    static constexpr int PositionCharacter = 1;
    static constexpr unsigned CharsUtf8 = 1;
    static constexpr int LameMono = 3; // MPEG_mode MONO

    template<typename F> bool resolve(void *library, const char *name, F *function)
    {
        *function = reinterpret_cast<F>(dlsym(library, name));
        return *function != nullptr;
    }

    bool load()
    {
        m_espeak = dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
        m_lame = dlopen("libmp3lame.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!m_espeak || !m_lame)
            return false;
        int (*initialize)(int, int, const char *, int) = nullptr;
        void (*setCallback)(SynthCallback *) = nullptr;
        const bool resolved
                = resolve(m_espeak, "espeak_Initialize", &initialize)
                  && resolve(m_espeak, "espeak_SetSynthCallback", &setCallback)
                  && resolve(m_espeak, "espeak_SetVoiceByName", &m_setVoice)
                  && resolve(m_espeak, "espeak_Synth", &m_synth) && resolve(m_lame, "lame_init", &m_lameInit)
                  && resolve(m_lame, "lame_set_in_samplerate", &m_lameSetInRate)
                  && resolve(m_lame, "lame_set_num_channels", &m_lameSetChannels)
                  && resolve(m_lame, "lame_set_mode", &m_lameSetMode)
                  && resolve(m_lame, "lame_set_brate", &m_lameSetBitRate)
                  && resolve(m_lame, "lame_set_quality", &m_lameSetQuality)
                  && resolve(m_lame, "lame_set_bWriteVbrTag", &m_lameSetVbrTag)
                  && resolve(m_lame, "lame_init_params", &m_lameInitParams)
                  && resolve(m_lame, "lame_encode_buffer", &m_lameEncode)
                  && resolve(m_lame, "lame_encode_flush", &m_lameFlush) && resolve(m_lame, "lame_close", &m_lameClose);
        if (!resolved)
            return false;
        m_sampleRate = initialize(OutputSynchronous, 0, nullptr, InitializeDontExit);
        if (m_sampleRate <= 0)
            return false;
        setCallback(&collect);
        return true;
    }

    // espeak-ng hands the samples over in pieces while espeak_Synth runs.
    static int collect(short *samples, int count, void *)
    {
        if (s_target && samples && count > 0)
            s_target->insert(s_target->end(), samples, samples + count);
        return 0;
    }

    static inline std::vector<short> *s_target = nullptr; // guarded by m_mutex

    void *m_espeak = nullptr;
    void *m_lame = nullptr;
    std::mutex m_mutex;
    QByteArray m_voice;
    int m_sampleRate = 0;
    int (*m_setVoice)(const char *) = nullptr;
    int (*m_synth)(const void *, size_t, unsigned, int, unsigned, unsigned, unsigned *, void *) = nullptr;
    void *(*m_lameInit)() = nullptr;
    int (*m_lameSetInRate)(void *, int) = nullptr;
    int (*m_lameSetChannels)(void *, int) = nullptr;
    int (*m_lameSetMode)(void *, int) = nullptr;
    int (*m_lameSetBitRate)(void *, int) = nullptr;
    int (*m_lameSetQuality)(void *, int) = nullptr;
    int (*m_lameSetVbrTag)(void *, int) = nullptr;
    int (*m_lameInitParams)(void *) = nullptr;
    int (*m_lameEncode)(void *, const short *, const short *, int, unsigned char *, int) = nullptr;
    int (*m_lameFlush)(void *, unsigned char *, int) = nullptr;
    int (*m_lameClose)(void *) = nullptr;
};

// Cuts the silence espeak-ng leaves before and after the speech, keeping a short margin so that
// soft onsets and endings stay whole.
void trimSilence(std::vector<short> &pcm, int sampleRate)
{
    constexpr int Threshold = 300; // about 1% of full scale
    const auto loud = [](short s) {
        return std::abs(int(s)) > Threshold;
    };
    const auto first = std::find_if(pcm.begin(), pcm.end(), loud);
    if (first == pcm.end())
        return; // nothing audible: leave it to the caller to notice
    const auto last = std::find_if(pcm.rbegin(), pcm.rend(), loud).base();
    const auto margin = std::ptrdiff_t(sampleRate / 20); // 50 ms
    const auto begin = first - std::min(margin, first - pcm.begin());
    const auto end = last + std::min(margin, pcm.end() - last);
    pcm = std::vector<short>(begin, end);
}

// The programs instead, where the libraries are not installed: espeak-ng reads the text from
// its standard input (no quoting, no option injection) and writes WAV into lame.
QByteArray speakWithPrograms(const QString &text, const QString &voice)
{
    QProcess espeak;
    QProcess lame;
    espeak.setStandardOutputProcess(&lame);
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), voice, QStringLiteral("--stdout")});
    lame.start(QStringLiteral("lame"),
               {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"), QStringLiteral("-b"),
                QString::number(BitRate), QStringLiteral("-"), QStringLiteral("-")});
    if (!espeak.waitForStarted(10000) || !lame.waitForStarted(10000)) {
        espeak.kill();
        lame.kill();
        espeak.waitForFinished(1000);
        lame.waitForFinished(1000);
        return {};
    }
    espeak.write(text.toUtf8());
    espeak.closeWriteChannel();
    // Waiting for lame to finish also drains its output into the process buffer.
    espeak.waitForFinished(30000);
    lame.waitForFinished(30000);
    QByteArray mp3 = lame.readAllStandardOutput();
    if (espeak.exitStatus() != QProcess::NormalExit || espeak.exitCode() != 0
        || lame.exitStatus() != QProcess::NormalExit || lame.exitCode() != 0)
        return {};
    return mp3;
}

bool programsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("lame")).isEmpty();
}

// LUMI_SPEECH_PROGRAMS=1 makes the programs speak even where the libraries are installed (so
// that both ways can be tested on one machine).
SpeechLibraries *librariesInUse()
{
    return qEnvironmentVariableIntValue("LUMI_SPEECH_PROGRAMS") ? nullptr : SpeechLibraries::instance();
}

QByteArray speakOne(const QString &text, const QString &voice)
{
    if (SpeechLibraries *libraries = librariesInUse()) {
        std::vector<short> pcm = libraries->speak(text, voice);
        trimSilence(pcm, libraries->sampleRate());
        return libraries->encode(pcm);
    }
    return speakWithPrograms(text, voice);
}

} // namespace

bool Speech::available()
{
    return librariesInUse() || programsAvailable();
}

int Speech::synthesize(std::vector<SpeechJob> &jobs, int parallel, const char *logName)
{
    if (jobs.empty())
        return 0;
    if (!available()) {
        buildLog(logName, QStringLiteral("espeak-ng or lame is missing: no recordings"));
        return 0;
    }
    // Jobs of one voice together: switching voices reloads espeak-ng's language data.
    std::vector<size_t> order(jobs.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return jobs[a].voice < jobs[b].voice; });
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    std::atomic<int> succeeded{0};
    const size_t total = jobs.size();
    const auto work = [&] {
        for (size_t n = next++; n < total; n = next++) {
            SpeechJob &job = jobs[order[n]];
            job.mp3 = speakOne(job.text, job.voice);
            if (!job.mp3.isEmpty())
                ++succeeded;
            if (const size_t finished = ++done; finished % 1000 == 0)
                buildLog(logName, QStringLiteral("%1 of %2 recordings").arg(finished).arg(total));
        }
    };
    const int threads = std::clamp(parallel, 1, 16);
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread &worker : workers)
        worker.join();
    return succeeded;
}
