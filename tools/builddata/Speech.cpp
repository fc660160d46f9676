// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "Speech.h"

#include "BuildContext.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// espeak-ng reads the text from its standard input (no quoting, no option injection) and writes
// WAV into lame, which encodes 32 kbit/s mono: a spoken word is a few kilobytes.
QByteArray speakOne(const QString &text, const QString &voice)
{
    QProcess espeak;
    QProcess lame;
    espeak.setStandardOutputProcess(&lame);
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), voice, QStringLiteral("--stdout")});
    lame.start(QStringLiteral("lame"),
               {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"), QStringLiteral("-b"),
                QStringLiteral("32"), QStringLiteral("-"), QStringLiteral("-")});
    if (!espeak.waitForStarted(10000) || !lame.waitForStarted(10000)) {
        espeak.kill();
        lame.kill();
        espeak.waitForFinished(1000);
        lame.waitForFinished(1000);
        return {};
    }
    espeak.write(text.toUtf8());
    espeak.closeWriteChannel();
    QByteArray mp3;
    espeak.waitForFinished(30000);
    while (lame.state() != QProcess::NotRunning) {
        lame.waitForReadyRead(1000);
        mp3 += lame.readAllStandardOutput();
    }
    mp3 += lame.readAllStandardOutput();
    if (espeak.exitStatus() != QProcess::NormalExit || espeak.exitCode() != 0
        || lame.exitStatus() != QProcess::NormalExit || lame.exitCode() != 0)
        return {};
    return mp3;
}

} // namespace

bool Speech::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("lame")).isEmpty();
}

int Speech::synthesize(std::vector<SpeechJob> &jobs, int parallel, const char *logName)
{
    if (jobs.empty())
        return 0;
    if (!available()) {
        buildLog(logName, QStringLiteral("espeak-ng or lame is missing: no recordings"));
        return 0;
    }
    std::atomic<size_t> next{0};
    std::atomic<int> succeeded{0};
    const size_t total = jobs.size();
    const auto work = [&] {
        for (size_t i = next++; i < total; i = next++) {
            jobs[i].mp3 = speakOne(jobs[i].text, jobs[i].voice);
            if (!jobs[i].mp3.isEmpty())
                ++succeeded;
            if ((i + 1) % 1000 == 0)
                buildLog(logName, QStringLiteral("%1 of %2 recordings").arg(i + 1).arg(total));
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
