// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// Real pronunciation clips for the sound tests, spoken by espeak-ng into a wave file and encoded
// to MP3 by lame (both installed by scripts/deps.sh). Answers false and says why in *error.
struct SpeechClip
{
    QByteArray wave;
    QByteArray mp3;
};

inline bool runTool(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ") + process.errorString() + QLatin1Char(' ')
                 + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    return true;
}

inline bool makeSpeechClip(const QString &dir, const QString &name, const QString &text, SpeechClip *clip,
                           QString *error)
{
    const QString wavePath = dir + QLatin1Char('/') + name + QStringLiteral(".wav");
    const QString mp3Path = dir + QLatin1Char('/') + name + QStringLiteral(".mp3");
    if (!runTool(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), wavePath, text}, error)
        || !runTool(QStringLiteral("lame"), {QStringLiteral("--quiet"), wavePath, mp3Path}, error))
        return false;
    QFile wave(wavePath);
    QFile mp3(mp3Path);
    if (!wave.open(QIODevice::ReadOnly) || !mp3.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the generated clips in ") + dir;
        return false;
    }
    clip->wave = wave.readAll();
    clip->mp3 = mp3.readAll();
    return !clip->wave.isEmpty() && !clip->mp3.isEmpty();
}
