// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Synthetic pronunciations: espeak-ng speaks the text into WAV, lame encodes it as a small
// mono MP3 the player decodes.
struct SpeechJob
{
    QString text;
    QString voice; // espeak-ng voice: "en-us", "ko", "ja", "cmn"
    QByteArray mp3; // filled by synthesize(); empty when synthesis failed
};

namespace Speech {
// True when espeak-ng and lame are on the PATH.
bool available();
// Runs the jobs with at most `parallel` pairs of processes at once. Returns how many succeeded.
int synthesize(std::vector<SpeechJob> &jobs, int parallel, const char *logName = "speech");
} // namespace Speech
