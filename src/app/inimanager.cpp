// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "inimanager.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

int INIManager::load(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (info.exists() && info.size() >= MaxFileSize) {
        QFile::remove(fileName);
        return 0;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    while (!file.atEnd()) {
        // At most MaxLineLength bytes per read, cut at the first line feed; the rest of a longer
        // line is read as the next piece.
        QByteArray line = file.readLine(MaxLineLength + 1);
        if (line.isEmpty() && !file.atEnd())
            break; // read error
        const int lf = line.indexOf('\n');
        if (lf >= 0) {
            line.truncate(lf);
        } else if (line.size() == MaxLineLength) {
            // A line of exactly the maximum length is not a longer line: drop its line feed
            // instead of reading it as an empty piece.
            char next = 0;
            if (file.peek(&next, 1) == 1 && next == '\n')
                file.skip(1);
        }
        // Blank lines carry no entry (they would otherwise come back as a line "_").
        if (line.isEmpty())
            continue;
        const QString text = QString::fromLatin1(line);
        const int first = text.indexOf(QLatin1Char('_'));
        if (first < 0) {
            m_map.insert(text, text);
        } else {
            const int last = text.lastIndexOf(QLatin1Char('_'));
            m_map.insert(text.left(first), text.mid(last + 1));
        }
    }
    file.close();
    m_loaded = true;
    return 1;
}

int INIManager::save(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    QByteArray out;
    for (auto it = m_map.cbegin(); it != m_map.cend(); ++it) {
        out += it.key().toLatin1();
        out += '_';
        out += it.value().toLatin1();
        out += '\n';
    }
    // QSaveFile's commit does not notice a short write (a full disk, a file-size limit), so
    // everything is flushed and checked before the new file may replace the old one.
    if (file.write(out) != out.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return 0;
    }
    return file.commit() ? 1 : 0;
}

QString INIManager::GetData(const QString &key) const
{
    const auto it = m_map.constFind(key);
    return it == m_map.cend() ? QString() : it.value();
}

void INIManager::SetData(const QString &key, const QString &value)
{
    m_map.insert(key, value);
}
