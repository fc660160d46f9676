// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Skin types of the list view, the pop-up menu and the grid (`..._SetOemType`).
enum E_OEM_TYPE {
    OEM_TYPE_DEFAULT = 0, // the plain look of the base widget's style
    OEM_TYPE_SKIN = 1, // the program's skin: striped pop-up rows; grid of text cells
    OEM_TYPE_RESERVED = 2, // drawn like OEM_TYPE_SKIN
    OEM_TYPE_IMAGE = 3, // grid of pictures (the stroke pictures of a character card)
    OEM_TYPE_TWOLINE = 4 // grid cells with the text above and the second text below
};

// The fonts of a grid cell (`TableCtrl_SetFontSize`).
enum E_FONT_TYPE {
    FONT_TYPE_MAIN = 0, // the cell's text
    FONT_TYPE_SECOND = 1 // the second text under it (skin type 4)
};
