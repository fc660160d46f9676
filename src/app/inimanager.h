// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMap>
#include <QString>

// The settings file: one "key_value" line per entry, no sections. Values are kept as the file's
// bytes widened one to one (Latin-1), so an EUC-KR value read and saved again is unchanged.
class INIManager
{
public:
    // A file this large (or larger) is taken as damaged: it is deleted instead of read.
    static constexpr qint64 MaxFileSize = 102401;
    // Longest piece of a line read at once; a longer line reads as several entries.
    static constexpr int MaxLineLength = 100;

    INIManager() = default;
    virtual ~INIManager() = default;
    INIManager(const INIManager &) = default;
    INIManager &operator=(const INIManager &) = default;

    // Adds the file's entries to the map (replacing equal keys). Answers 1 when the file was
    // read, 0 when it is missing, unreadable or was deleted for being too large.
    int load(const QString &fileName);
    // Writes the whole map in ascending key order, replacing the file atomically: when the save
    // cannot complete the old file stays as it was. Answers 1 on success, 0 otherwise.
    int save(const QString &fileName) const;
    // The value of key, or a null string when the key is unknown.
    QString GetData(const QString &key) const;
    void SetData(const QString &key, const QString &value);

    bool isLoaded() const { return m_loaded; }
    const QMap<QString, QString> &entries() const { return m_map; }

private:
    QMap<QString, QString> m_map;
    bool m_loaded = false;
};
