// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>

class DataItem;
class DataList;
class DBManager;
class QTextStream;

// Command dispatch of lumi-lookup.
//
// Every subcommand is a function registered by name. To add commands (for instance the Hanja and
// Chinese character lookups), write a new source file in tools/lookup/, list it in
// tools/lookup/CMakeLists.txt and register each command with one line at namespace scope:
//
//     LUMI_LOOKUP_COMMAND(radicals, "radicals KIND", "list the radicals", runRadicals);
//
// where runRadicals is `int runRadicals(LookupContext &ctx, const QStringList &args)`: args are
// the positional arguments after the command name; the function answers one of the LookupExit
// codes, prints through ctx.out (printList/printItem/printJson keep the output uniform, text or
// --json) and reports problems with ctx.fail(), which prints the one-line message to stderr.
// ctx.open(kind) switches the data layer to a dictionary and checks that its file is readable.

enum LookupExit : int {
    LookupFound = 0,
    LookupNothing = 1,
    LookupBadUsage = 2, // also: unreadable data
};

struct LookupContext
{
    DBManager *db = nullptr; // not owned
    QByteArray dataDir; // ends with "/"
    QByteArray soundDir; // ends with "/"
    bool json = false;
    int count = 9; // --count N
    QTextStream *out = nullptr; // not owned
    QTextStream *err = nullptr; // not owned

    // Prints "lumi-lookup: message" on stderr and answers code.
    int fail(int code, const QString &message) const;
    // Switches to the dictionary kind after checking that its database file can be read.
    // Answers LookupFound, or LookupBadUsage (message printed) for a missing or unreadable file.
    int open(int kind) const;
    // Headword-list style output: one line per row (text) or {"count", "rows"} (JSON).
    // Answers LookupFound for a list with rows, LookupNothing for none.
    int printList(const DataList *list) const;
    // One record as an indented tree (text) or a JSON object.
    void printItem(const DataItem *item) const;
    void printJson(const QJsonValue &value) const;
};

using LookupCommandFn = int (*)(LookupContext &ctx, const QStringList &args);

struct LookupCommand
{
    const char *name;
    const char *synopsis;
    const char *help;
    LookupCommandFn run;
};

// Registers a command at static-initialisation time (see LUMI_LOOKUP_COMMAND).
struct LookupRegistration
{
    explicit LookupRegistration(const LookupCommand &command);
};

#define LUMI_LOOKUP_COMMAND(id, synopsis, help, fn) \
    static const LookupRegistration lookupRegistration_##id(LookupCommand{#id, synopsis, help, fn})

// The registered commands, in name order.
QList<LookupCommand> lookupCommands();

// Dictionary kind from a name ("e2k", "korea", ...) or a number 0..15; -1 when unknown.
int lookupKind(const QString &text);
// Short name of a kind ("e2k"); empty for an unknown kind.
QString lookupKindName(int kind);
// Database file name of a kind ("e2k.sdb"); empty when it has none.
QByteArray lookupKindFile(int kind);
// Parses a decimal integer argument; false (and *value unchanged) when it is not one.
bool lookupNumber(const QString &text, int *value);

// Record <-> JSON: {"strings": [...], "values": [...], "subLists": [null | [...]], "images": [w x h]}.
QJsonValue lookupItemJson(const DataItem *item);
QJsonValue lookupListJson(const DataList *list);
