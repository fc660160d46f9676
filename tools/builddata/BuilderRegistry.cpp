// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuilderRegistry.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>

void buildLog(const char *builder, const QString &message)
{
    const QByteArray line = QStringLiteral("[%1] %2: %3\n")
                                    .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                                         QString::fromUtf8(builder), message)
                                    .toUtf8();
    std::fputs(line.constData(), stderr);
}

BuilderRegistry &BuilderRegistry::instance()
{
    static BuilderRegistry registry;
    return registry;
}

void BuilderRegistry::add(Builder builder)
{
    m_builders.push_back(std::move(builder));
}

std::vector<Builder> BuilderRegistry::builders() const
{
    std::vector<Builder> sorted = m_builders;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Builder &a, const Builder &b) {
        return a.order != b.order ? a.order < b.order : a.name < b.name;
    });
    return sorted;
}

const Builder *BuilderRegistry::find(const QString &name) const
{
    for (const Builder &builder : m_builders) {
        if (builder.name == name)
            return &builder;
    }
    return nullptr;
}
