// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// lumi-lookup: reads the dictionaries from the command line, through the same data layer as
// the program (for people, scripts and tests).
#include "LookupCommands.h"

#include "DBManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

void printUsage(QTextStream &out)
{
    out << "Usage: lumi-lookup --data DIR [--sound DIR] [--count N] [--json] COMMAND ARGUMENTS...\n\n"
           "Commands:\n";
    for (const LookupCommand &command : lookupCommands())
        out << "  " << QString::fromLatin1(command.synopsis).leftJustified(24) << ' ' << command.help << '\n';
    out << "\nKIND is a dictionary name or number:";
    for (int kind = 0; kind < 16; ++kind) {
        if (!lookupKindFile(kind).isEmpty())
            out << ' ' << lookupKindName(kind) << '(' << kind << ')';
    }
    out << "\n--sound defaults to the data directory; --json prints JSON.\n"
           "Exit status: 0 found, 1 nothing found, 2 bad usage or unreadable data.\n";
}

QByteArray asDirectory(const QString &path)
{
    QByteArray dir = QFile::encodeName(path);
    if (!dir.endsWith('/'))
        dir += '/';
    return dir;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    LookupContext ctx;
    ctx.out = &out;
    ctx.err = &err;
    QString dataDir;
    QString soundDir;
    QStringList positional;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString *target) {
            if (i + 1 >= args.size())
                return false;
            *target = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            printUsage(out);
            return LookupFound;
        } else if (a == QLatin1String("--json")) {
            ctx.json = true;
        } else if (a == QLatin1String("--data")) {
            if (!value(&dataDir))
                return ctx.fail(LookupBadUsage, QStringLiteral("--data needs a directory"));
        } else if (a == QLatin1String("--sound")) {
            if (!value(&soundDir))
                return ctx.fail(LookupBadUsage, QStringLiteral("--sound needs a directory"));
        } else if (a == QLatin1String("--count")) {
            QString n;
            if (!value(&n) || !lookupNumber(n, &ctx.count) || ctx.count < 1)
                return ctx.fail(LookupBadUsage, QStringLiteral("--count needs a positive number"));
        } else if (a.startsWith(QLatin1String("--"))) {
            return ctx.fail(LookupBadUsage, QStringLiteral("unknown option %1 (try --help)").arg(a));
        } else {
            positional << a;
        }
    }
    if (positional.isEmpty())
        return ctx.fail(LookupBadUsage, QStringLiteral("no command given (try --help)"));
    if (dataDir.isEmpty())
        return ctx.fail(LookupBadUsage, QStringLiteral("--data DIR is required"));
    if (!QFileInfo(dataDir).isDir())
        return ctx.fail(LookupBadUsage, QStringLiteral("cannot read the data directory %1").arg(dataDir));

    const QString name = positional.takeFirst();
    for (const LookupCommand &command : lookupCommands()) {
        if (name != QLatin1String(command.name))
            continue;
        DBManager db;
        ctx.db = &db;
        ctx.dataDir = asDirectory(dataDir);
        ctx.soundDir = asDirectory(soundDir.isEmpty() ? dataDir : soundDir);
        db.SetSoundPath(ctx.soundDir.constData());
        db.SetDictionaryPath(ctx.dataDir.constData());
        return command.run(ctx, positional);
    }
    return ctx.fail(LookupBadUsage, QStringLiteral("unknown command '%1' (try --help)").arg(name));
}
