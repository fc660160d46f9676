// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Sets the program's audio output volume, 0 (silent) to 40 (the loudest the program uses);
// values outside are clamped. Applies to the DirectPlay player at once. Answers 0, or -1 when
// there is no player (no application object).
int audio_device_set_appvolume(int volume);
