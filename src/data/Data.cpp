// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "Data.h"

#include <algorithm>

DataItem::DataItem(int strings, int values, int subLists, int images)
    : m_strings(qMax(strings, 0))
    , m_values(qMax(values, 0))
    , m_subLists(static_cast<size_t>(qMax(subLists, 0)))
    , m_images(qMax(images, 0))
{
    std::fill(m_values.begin(), m_values.end(), 0);
}

DataItem::~DataItem() = default;

QString DataItem::GetString(int i) const
{
    return i >= 0 && i < m_strings.size() ? m_strings.at(i) : QString();
}

int DataItem::GetValue(int i) const
{
    return i >= 0 && i < m_values.size() ? m_values.at(i) : -1;
}

DataList *DataItem::GetSubList(int i) const
{
    return i >= 0 && i < GetSubListCount() ? m_subLists[static_cast<size_t>(i)].get() : nullptr;
}

QImage DataItem::GetImage(int i) const
{
    return i >= 0 && i < m_images.size() ? m_images.at(i) : QImage();
}

int DataItem::GetStringCount() const
{
    return static_cast<int>(m_strings.size());
}

int DataItem::GetValueCount() const
{
    return static_cast<int>(m_values.size());
}

int DataItem::GetSubListCount() const
{
    return static_cast<int>(m_subLists.size());
}

int DataItem::GetImageCount() const
{
    return static_cast<int>(m_images.size());
}

int DataItem::SetString(int i, const QString &s)
{
    if (i < 0 || i >= m_strings.size())
        return 0;
    m_strings[i] = s;
    return 1;
}

int DataItem::SetValue(int i, long v)
{
    if (i < 0 || i >= m_values.size())
        return 0;
    m_values[i] = static_cast<int>(v);
    return 1;
}

int DataItem::SetSubList(int i, DataList *list)
{
    std::unique_ptr<DataList> owned(list);
    if (i < 0 || i >= GetSubListCount())
        return 0;
    // Storing the list that is already there must not destroy it.
    if (m_subLists[static_cast<size_t>(i)].get() == list) {
        owned.release();
        return 1;
    }
    m_subLists[static_cast<size_t>(i)] = std::move(owned);
    return 1;
}

int DataItem::SetImage(int i, const QImage &image)
{
    if (i < 0 || i >= m_images.size())
        return 0;
    m_images[i] = image;
    return 1;
}

DataList::DataList() = default;

DataList::~DataList() = default;

int DataList::GetCount() const
{
    return static_cast<int>(m_items.size());
}

DataItem *DataList::GetItem(int i) const
{
    return i >= 0 && i < GetCount() ? m_items[static_cast<size_t>(i)].get() : nullptr;
}

int DataList::AddItem(DataItem *item)
{
    if (!item)
        return 0;
    m_items.emplace_back(item);
    return 1;
}
