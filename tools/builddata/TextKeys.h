// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <vector>

// Search keys and headword order as the dictionaries' statements compare them: SQLite
// compares text byte by byte (UTF-8), and upper() changes ASCII letters only.
namespace TextKeys {

// ASCII letters upper-cased, everything else unchanged (SQLite's upper()).
QString asciiUpper(const QString &text);

// Sorts rows by the UTF-8 bytes of keyOf(row), keeping the input order for equal keys; the
// position after sorting (from 1) is the row's ID.
template<typename Row, typename KeyOf> void sortByKey(std::vector<Row> &rows, KeyOf keyOf)
{
    std::vector<std::pair<QByteArray, size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys.emplace_back(keyOf(rows[i]).toUtf8(), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) {
        return std::lexicographical_compare(
                a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
                [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(rows[key.second]));
    rows = std::move(sorted);
}

} // namespace TextKeys
