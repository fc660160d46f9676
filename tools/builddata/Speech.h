// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Synthetic pronunciations: espeak-ng speaks the text, LAME encodes it as a small mono MP3
// the player decodes (silence before and after the speech cut off).
struct SpeechJob
{
    QString text;
    QString voice; // espeak-ng voice: "en-us", "ko", "ja", "cmn"
    QByteArray mp3; // filled by synthesize(); empty when synthesis failed
};

namespace Speech {
// True when speech can be made: through the espeak-ng and LAME libraries (in process, fast)
// or else through the espeak-ng and lame programs on the PATH.
bool available();
// Runs the jobs with at most `parallel` workers at once (jobs of one voice together). Returns
// how many succeeded.
int synthesize(std::vector<SpeechJob> &jobs, int parallel, const char *logName = "speech");
} // namespace Speech
