// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "AudioVolume.h"

#include "DirectPlay.h"

int audio_device_set_appvolume(int volume)
{
    DirectPlay *player = DirectPlay::get_instance();
    if (!player)
        return -1;
    player->setAppVolume(volume);
    return 0;
}
