// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// What the three conversation phrasebooks share: sections, the situation titles of a section and
// the dialogue of a situation, with the recordings of its lines in the shared "sound_con.sdb".
// The books differ only in their tables and columns, which each one hands over as statements.
// Phrasebooks are browsed, never searched.
class ConversationBook : public Dictionary
{
public:
    struct Statements
    {
        const char *file; // the book's database file, e.g. "econ.sdb"
        const char *sectionTable; // counted for GetCount()
        const char *sections; // (start, count) -> section name, section number
        const char *titles; // (section) -> title, title number, in display order
        const char *header; // (title) -> the title's head texts, one string each
        int headerStrings; // how many head texts the header statement selects
        const char *lines; // (title) -> talker, text..., sound name (column 3), further texts
        const char *sound; // (name) -> the clip, in "sound_con.sdb"
        // The books store sound names with a trailing line-end character the sound table lacks;
        // false drops the last character whatever it is, true only when it is such a character.
        bool lenientSoundNames;
    };

    ConversationBook(const QByteArray &dicDir, const QByteArray &soundDir, const Statements &statements);
    ~ConversationBook() override;

    using Dictionary::GetDataList;

    // Sections from section number start on, at most count of them; only for an empty key
    // with the exact flag false (null otherwise). Names lose their stored trailing character.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // The titles of one section in display order; an empty list (not null) for a section
    // without titles.
    DataList *GetDataIndexList(int section) override;
    // The head texts and the lines (sub-list 0, null without lines) of one title; an unknown
    // title answers an item with empty texts.
    DataItem *GetDataIndex(int title) override;
    // Needs name, data and length; hands over a malloc'd copy of the clip (zero-length for an
    // unknown name) and answers 1, or 0 when "sound_con.sdb" cannot be read. Never writes a file.
    int GetSound(const char *soundDir, const char *name, void **data, int *length) override;

private:
    const Statements m_sql;
};
