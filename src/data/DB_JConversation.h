// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// The Japanese conversation phrasebook: sections, the situation titles of a section and the
// dialogue of a situation, with the recordings of its lines in the shared "sound_con.sdb".
// Phrasebooks are browsed, never searched.
class DB_JConversation final : public Dictionary
{
public:
    explicit DB_JConversation(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_JConversation() override;

    using Dictionary::GetDataList;

    // Sections from section number start on, at most count of them; only for an empty key
    // with the exact flag false (null otherwise). Names lose their stored trailing character.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // The titles of one section in display order; an empty list (not null) for a section
    // without titles.
    DataList *GetDataIndexList(int section) override;
    // The head texts and the lines (sub-list 0, null without lines) of one title; an unknown
    // title answers an item with empty texts. Japanese lines carry their recording like the other
    // books: string 3 is the Sound2 name, without its trailing line-end character when it has one.
    DataItem *GetDataIndex(int title) override;
    // Needs name, data and length; hands over a malloc'd copy of the clip (zero-length for an
    // unknown name) and answers 1, or 0 when "sound_con.sdb" cannot be read. Never writes a file.
    int GetSound(const char *soundDir, const char *name, void **data, int *length) override;
};
