// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The character commands of lumi-lookup: the Hanja and Chinese character tables of the keyboard,
// one character's details, pinyin completion and the stroke-order images.
#include "LookupCommands.h"

#include "DBManager.h"
#include "Data.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>

namespace {

// Checks the argument count, that args[0] names the Hanja or the Chinese-Korean dictionary, and
// opens it.
int openCharacterKind(LookupContext &ctx, const QStringList &args, int expectedMin, int expectedMax,
                      const char *synopsis)
{
    if (args.size() < expectedMin || args.size() > expectedMax)
        return ctx.fail(LookupBadUsage, QStringLiteral("usage: %1").arg(QLatin1String(synopsis)));
    const int kind = lookupKind(args.at(0));
    if (kind != DICTIONARY_HANJA && kind != DICTIONARY_C2K)
        return ctx.fail(LookupBadUsage,
                        QStringLiteral("'%1' has no character tables (use hanja or c2k)").arg(args.at(0)));
    return ctx.open(kind);
}

// A non-negative decimal number argument.
bool numberArg(LookupContext &ctx, const QString &text, const char *what, int *value, int *rc)
{
    if (lookupNumber(text, value) && *value >= 0)
        return true;
    *rc = ctx.fail(LookupBadUsage, QStringLiteral("bad %1 '%2'").arg(QLatin1String(what), text));
    return false;
}

int runCharacter(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openCharacterKind(ctx, args, 2, 2, "character KIND NUMBER"))
        return rc;
    int number = 0;
    int rc = 0;
    if (!numberArg(ctx, args.at(1), "character number", &number, &rc))
        return rc;
    const DataItem *item = ctx.db->GetChineseIndex(number, false);
    // An unknown character answers a record with empty strings.
    if (!item || item->GetString(0).isEmpty())
        return ctx.fail(LookupNothing, QStringLiteral("no character %1").arg(number));
    ctx.printItem(item);
    return LookupFound;
}

int runRadicals(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openCharacterKind(ctx, args, 1, 2, "radicals KIND [STROKES]"))
        return rc;
    int strokes = 0;
    int rc = 0;
    if (args.size() == 2 && !numberArg(ctx, args.at(1), "stroke count", &strokes, &rc))
        return rc;
    return ctx.printList(ctx.db->GetChineseLineList(true, strokes));
}

int runRadical(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openCharacterKind(ctx, args, 2, 2, "radical KIND NUMBER"))
        return rc;
    int number = 0;
    int rc = 0;
    if (!numberArg(ctx, args.at(1), "radical number", &number, &rc))
        return rc;
    return ctx.printList(ctx.db->GetChineseBusuList(number));
}

int runStrokes(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openCharacterKind(ctx, args, 2, 2, "strokes KIND N"))
        return rc;
    int strokes = 0;
    int rc = 0;
    if (!numberArg(ctx, args.at(1), "stroke count", &strokes, &rc))
        return rc;
    return ctx.printList(ctx.db->GetChineseLineList(false, strokes));
}

int runReading(LookupContext &ctx, const QStringList &args)
{
    if (const int rc = openCharacterKind(ctx, args, 2, 2, "reading KIND READING"))
        return rc;
    if (args.at(1).isEmpty())
        return ctx.fail(LookupBadUsage, QStringLiteral("empty reading"));
    return ctx.printList(ctx.db->GetKorea2Chinese(args.at(1)));
}

// Pinyin lists exist only in the Chinese-Korean dictionary.
int runPinyinList(LookupContext &ctx, const QStringList &args, bool characters, const char *synopsis)
{
    if (args.size() != 1)
        return ctx.fail(LookupBadUsage, QStringLiteral("usage: %1").arg(QLatin1String(synopsis)));
    if (args.at(0).isEmpty())
        return ctx.fail(LookupBadUsage, QStringLiteral("empty pinyin"));
    if (const int rc = ctx.open(DICTIONARY_C2K))
        return rc;
    return ctx.printList(ctx.db->GetDataList(args.at(0), characters));
}

int runPinyin(LookupContext &ctx, const QStringList &args)
{
    return runPinyinList(ctx, args, false, "pinyin PREFIX");
}

int runPinyinChars(LookupContext &ctx, const QStringList &args)
{
    return runPinyinList(ctx, args, true, "pinyinchars PINYIN");
}

// Writes the stroke-order images of a Hanja character as DIR/NUMBER_1.png, DIR/NUMBER_2.png, ...
// in their stored order; an image that does not decode is reported and skipped.
int runStrokeImages(LookupContext &ctx, const QStringList &args)
{
    if (args.size() != 2)
        return ctx.fail(LookupBadUsage, QStringLiteral("usage: strokeimages NUMBER DIR"));
    int number = 0;
    int rc = 0;
    if (!numberArg(ctx, args.at(0), "character number", &number, &rc))
        return rc;
    const QDir dir(args.at(1));
    if (!dir.exists())
        return ctx.fail(LookupBadUsage, QStringLiteral("no directory %1").arg(args.at(1)));
    if ((rc = ctx.open(DICTIONARY_HANJA)))
        return rc;
    const DataList *images = ctx.db->GetChinesLineImage(number);
    if (!images)
        return ctx.fail(LookupNothing, QStringLiteral("no stroke-order images for character %1").arg(number));
    QJsonArray files;
    for (int i = 0; i < images->GetCount(); ++i) {
        const QImage image = images->GetItem(i)->GetImage(0);
        if (image.isNull()) {
            *ctx.err << "lumi-lookup: image " << i + 1 << " of character " << number << " does not decode\n";
            files.append(QJsonValue());
            continue;
        }
        const QString path = dir.filePath(QStringLiteral("%1_%2.png").arg(number).arg(i + 1));
        if (!image.save(path, "PNG"))
            return ctx.fail(LookupBadUsage, QStringLiteral("cannot write %1").arg(path));
        files.append(path);
        if (!ctx.json)
            *ctx.out << path << '\t' << image.width() << 'x' << image.height() << '\n';
    }
    ctx.err->flush();
    if (ctx.json)
        ctx.printJson(QJsonObject{{QStringLiteral("count"), images->GetCount()}, {QStringLiteral("files"), files}});
    ctx.out->flush();
    return LookupFound;
}

} // namespace

LUMI_LOOKUP_COMMAND(character, "character KIND NUMBER", "one character's details (hanja or c2k)", runCharacter);
LUMI_LOOKUP_COMMAND(radicals, "radicals KIND [STROKES]", "the radicals, or those with STROKES strokes", runRadicals);
LUMI_LOOKUP_COMMAND(radical, "radical KIND NUMBER", "the characters of radical NUMBER", runRadical);
LUMI_LOOKUP_COMMAND(strokes, "strokes KIND N", "the characters with N strokes (c2k: 27 means 27 or more)", runStrokes);
LUMI_LOOKUP_COMMAND(reading, "reading KIND READING", "the characters with that Korean reading", runReading);
LUMI_LOOKUP_COMMAND(pinyin, "pinyin PREFIX", "the pinyin syllables beginning with PREFIX (c2k)", runPinyin);
LUMI_LOOKUP_COMMAND(pinyinchars, "pinyinchars PINYIN", "the characters of one pinyin syllable (c2k)", runPinyinChars);
LUMI_LOOKUP_COMMAND(strokeimages, "strokeimages NUMBER DIR", "write a Hanja character's stroke-order images as PNG",
                    runStrokeImages);
