// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "BuildContext.h"

#include <QStringList>

#include <functional>
#include <vector>

// One step of the data build: produces a fixed set of files in the output directory.
// A step is skipped when all its outputs exist, unless the run is forced; every output is
// written under a temporary name and renamed when complete, so an interrupted build redoes
// only what it had not finished.
struct Builder
{
    QString name; // "e2e", "kengdic", ...
    int order = 0; // steps run in ascending order (a step may read what an earlier one wrote)
    QStringList outputs; // file names in the output directory
    std::function<bool(const BuildContext &)> run;
};

class BuilderRegistry final
{
public:
    static BuilderRegistry &instance();
    void add(Builder builder);
    // All steps, sorted by order then name.
    std::vector<Builder> builders() const;
    const Builder *find(const QString &name) const;

private:
    std::vector<Builder> m_builders;
};

// A static object of this type in a builder's source file registers the step:
//   static const BuilderRegistration registration { Builder { "e2e", 10, { "e2e.sdb" }, &buildE2E } };
struct BuilderRegistration
{
    explicit BuilderRegistration(Builder builder) { BuilderRegistry::instance().add(std::move(builder)); }
};
