// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The headword, entry, integrated-search and sound commands of lumi-lookup.
#include "LookupCommands.h"

#include "DBManager.h"
#include "Data.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>

#include <cstdlib>

namespace {

// Checks the argument count and opens the dictionary named by args[0].
int openKind(LookupContext &ctx, const QStringList &args, int expected, const char *synopsis)
{
    if (args.size() != expected)
        return ctx.fail(LookupBadUsage, QStringLiteral("usage: %1").arg(QLatin1String(synopsis)));
    const int kind = lookupKind(args.at(0));
    if (kind < 0)
        return ctx.fail(LookupBadUsage, QStringLiteral("unknown dictionary '%1'").arg(args.at(0)));
    return ctx.open(kind);
}

int runList(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 2, "list KIND KEY"))
        return rc;
    return ctx.printList(ctx.db->GetDataList(0, ctx.count, args.at(1), false));
}

int runExact(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 2, "exact KIND KEY"))
        return rc;
    if (args.at(1).isEmpty())
        return ctx.fail(LookupBadUsage, QStringLiteral("empty key"));
    return ctx.printList(ctx.db->GetDataList(0, 0, args.at(1), true));
}

int runIds(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 2, "ids KIND START"))
        return rc;
    int start = 0;
    if (!lookupNumber(args.at(1), &start) || start < 0)
        return ctx.fail(LookupBadUsage, QStringLiteral("bad headword ID '%1'").arg(args.at(1)));
    return ctx.printList(ctx.db->GetDataList(start, ctx.count, QString(), false));
}

int runEntry(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 2, "entry KIND NUMBER"))
        return rc;
    int number = 0;
    if (!lookupNumber(args.at(1), &number) || number < 0)
        return ctx.fail(LookupBadUsage, QStringLiteral("bad entry number '%1'").arg(args.at(1)));
    const DataItem *item = ctx.db->GetDataIndex(number);
    // An unknown number answers a record with nothing in it.
    bool found = false;
    for (int i = 0; item && i < item->GetStringCount() && !found; ++i)
        found = !item->GetString(i).isEmpty();
    for (int i = 0; item && i < item->GetSubListCount() && !found; ++i)
        found = item->GetSubList(i) != nullptr;
    if (!found)
        return ctx.fail(LookupNothing, QStringLiteral("no entry %1").arg(number));
    ctx.printItem(item);
    return LookupFound;
}

int runTitles(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 2, "titles KIND NUMBER"))
        return rc;
    int number = 0;
    if (!lookupNumber(args.at(1), &number) || number < 0)
        return ctx.fail(LookupBadUsage, QStringLiteral("bad section number '%1'").arg(args.at(1)));
    return ctx.printList(ctx.db->GetDataIndexList(number));
}

int runCount(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 1, "count KIND"))
        return rc;
    const int count = ctx.db->GetCount();
    if (ctx.json)
        ctx.printJson(QJsonObject{{QStringLiteral("count"), count}});
    else
        *ctx.out << count << '\n';
    ctx.out->flush();
    return count > 0 ? LookupFound : ctx.fail(LookupNothing, QStringLiteral("no headwords"));
}

int runTotal(LookupContext &ctx, const QStringList &args)
{
    if (args.size() != 2)
        return ctx.fail(LookupBadUsage, QStringLiteral("usage: total KINDS KEY"));
    if (args.at(1).isEmpty())
        return ctx.fail(LookupBadUsage, QStringLiteral("empty key"));
    _TotalDictionary which;
    const QStringList names = args.at(0) == QLatin1String("default") ? QStringList{"0", "1", "2", "3"}
                                                                     : args.at(0).split(QLatin1Char(','));
    for (const QString &name : names) {
        const int kind = lookupKind(name);
        if (kind < 0)
            return ctx.fail(LookupBadUsage, QStringLiteral("unknown dictionary '%1'").arg(name));
        if (const int rc = ctx.open(kind))
            return rc;
        which.dic[kind] = 1;
    }
    ctx.db->SetDictionary(DICTIONARY_TOTAL, nullptr);
    const DataList *list = ctx.db->GetTotalList(&which, args.at(1));
    const int rows = list ? list->GetCount() : 0;
    if (ctx.json) {
        QJsonArray out;
        for (int i = 0; i < rows; ++i) {
            const DataItem *hit = list->GetItem(i);
            out.append(QJsonObject{{QStringLiteral("dictionary"), lookupKindName(hit->GetValue(1))},
                                   {QStringLiteral("kind"), hit->GetValue(1)},
                                   {QStringLiteral("headword"), hit->GetString(0)},
                                   {QStringLiteral("entry"), hit->GetValue(0)}});
        }
        ctx.printJson(QJsonObject{{QStringLiteral("count"), rows}, {QStringLiteral("rows"), out}});
    } else {
        for (int i = 0; i < rows; ++i) {
            const DataItem *hit = list->GetItem(i);
            *ctx.out << lookupKindName(hit->GetValue(1)) << '\t' << hit->GetString(0) << '\t' << hit->GetValue(0)
                     << '\n';
        }
        ctx.out->flush();
    }
    return rows > 0 ? LookupFound : ctx.fail(LookupNothing, QStringLiteral("nothing found"));
}

int runSound(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openKind(ctx, args, 3, "sound KIND NAME OUT"))
        return rc;
    const QByteArray name = args.at(1).toUtf8();
    void *data = nullptr;
    int length = 0;
    if (!ctx.db->GetSound(name.constData(), &data, &length))
        return ctx.fail(LookupNothing, QStringLiteral("no sound database for '%1'").arg(args.at(1)));
    const QByteArray clip(static_cast<const char *>(data), length);
    std::free(data);
    if (clip.isEmpty())
        return ctx.fail(LookupNothing, QStringLiteral("no sound clip '%1'").arg(args.at(1)));
    QFile out(args.at(2));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(clip) != clip.size())
        return ctx.fail(LookupBadUsage, QStringLiteral("cannot write %1").arg(args.at(2)));
    if (ctx.json)
        ctx.printJson(QJsonObject{{QStringLiteral("bytes"), clip.size()}, {QStringLiteral("file"), args.at(2)}});
    return LookupFound;
}

} // namespace

LUMI_LOOKUP_COMMAND(list, "list KIND KEY", "the --count headwords (default 9) at or after KEY", runList);
LUMI_LOOKUP_COMMAND(exact, "exact KIND KEY", "every headword whose search key equals KEY", runExact);
LUMI_LOOKUP_COMMAND(ids, "ids KIND START", "the --count headwords from headword ID START on", runIds);
LUMI_LOOKUP_COMMAND(entry, "entry KIND NUMBER", "one entry record: strings, #values, [sub-lists] as a tree", runEntry);
LUMI_LOOKUP_COMMAND(titles, "titles KIND NUMBER", "the titles of one phrasebook section", runTitles);
LUMI_LOOKUP_COMMAND(count, "count KIND", "the number of headwords", runCount);
LUMI_LOOKUP_COMMAND(total, "total KINDS KEY", "integrated search; KINDS is a comma list or 'default' (0-3)", runTotal);
LUMI_LOOKUP_COMMAND(sound, "sound KIND NAME OUT", "write the sound clip NAME (e.g. apple.mp3) to the file OUT",
                    runSound);
