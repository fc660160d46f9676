// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "LookupCommands.h"

#include "DBManager.h"
#include "Data.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>

namespace {

QList<LookupCommand> &registry()
{
    static QList<LookupCommand> commands;
    return commands;
}

struct KindInfo
{
    const char *name;
    const char *file;
};

// Indexed by the data layer's dictionary kind; the user dictionary (14) has no fixed file.
const KindInfo kinds[16] = {
        {"korea", "korea.sdb"},     {"k2e", "k2e.sdb"},   {"e2e", "e2e.sdb"},   {"e2k", "e2k.sdb"},
        {"hanja", "hanja.sdb"},     {"k2j", "k2j.sdb"},   {"j2k", "j2k.sdb"},   {"k2c", "k2c.sdb"},
        {"c2k", "c2k.sdb"},         {"econ", "econ.sdb"}, {"jcon", "jcon.sdb"}, {"ccon", "ccon.sdb"},
        {"history", "history.sdb"}, {"voca", "voca.sdb"}, {"user", ""},         {"oldkorea", "oldkorea.sdb"},
};

void printTree(QTextStream &out, const DataItem *item, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    QStringList strings;
    for (int i = 0; i < item->GetStringCount(); ++i)
        strings << item->GetString(i);
    while (strings.size() > 1 && strings.last().isEmpty()) // unused trailing slots
        strings.removeLast();
    QString line = indent + strings.join(QLatin1String(" | "));
    if (item->GetValueCount() > 0) {
        QStringList values;
        for (int i = 0; i < item->GetValueCount(); ++i)
            values << QString::number(item->GetValue(i));
        line += QLatin1String("  #") + values.join(QLatin1String(", "));
    }
    for (int i = 0; i < item->GetImageCount(); ++i) {
        const QImage image = item->GetImage(i);
        if (!image.isNull())
            line += QStringLiteral("  [image %1: %2x%3]").arg(i).arg(image.width()).arg(image.height());
    }
    out << line << '\n';
    for (int s = 0; s < item->GetSubListCount(); ++s) {
        const DataList *sub = item->GetSubList(s);
        if (!sub)
            continue;
        out << indent << "  [" << s << "]\n";
        for (int r = 0; r < sub->GetCount(); ++r)
            printTree(out, sub->GetItem(r), depth + 2);
    }
}

} // namespace

LookupRegistration::LookupRegistration(const LookupCommand &command)
{
    registry().append(command);
}

QList<LookupCommand> lookupCommands()
{
    QList<LookupCommand> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const LookupCommand &a, const LookupCommand &b) { return qstrcmp(a.name, b.name) < 0; });
    return sorted;
}

int lookupKind(const QString &text)
{
    int number = -1;
    if (lookupNumber(text, &number))
        return number >= 0 && number < 16 ? number : -1;
    const QString name = text.toLower();
    if (name == QLatin1String("vocabulary"))
        return 13;
    for (int k = 0; k < 16; ++k) {
        if (name == QLatin1String(kinds[k].name))
            return k;
    }
    return -1;
}

QString lookupKindName(int kind)
{
    return kind >= 0 && kind < 16 ? QString::fromLatin1(kinds[kind].name) : QString();
}

QByteArray lookupKindFile(int kind)
{
    return kind >= 0 && kind < 16 ? QByteArray(kinds[kind].file) : QByteArray();
}

bool lookupNumber(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (ok)
        *value = v;
    return ok;
}

QJsonValue lookupItemJson(const DataItem *item)
{
    if (!item)
        return QJsonValue();
    QJsonArray strings;
    for (int i = 0; i < item->GetStringCount(); ++i)
        strings.append(item->GetString(i));
    QJsonArray values;
    for (int i = 0; i < item->GetValueCount(); ++i)
        values.append(item->GetValue(i));
    QJsonArray subLists;
    for (int i = 0; i < item->GetSubListCount(); ++i)
        subLists.append(lookupListJson(item->GetSubList(i)));
    QJsonObject object{{QStringLiteral("strings"), strings},
                       {QStringLiteral("values"), values},
                       {QStringLiteral("subLists"), subLists}};
    if (item->GetImageCount() > 0) {
        QJsonArray images;
        for (int i = 0; i < item->GetImageCount(); ++i) {
            const QImage image = item->GetImage(i);
            images.append(image.isNull() ? QJsonValue()
                                         : QJsonValue(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
        }
        object.insert(QStringLiteral("images"), images);
    }
    return object;
}

QJsonValue lookupListJson(const DataList *list)
{
    if (!list)
        return QJsonValue();
    QJsonArray rows;
    for (int i = 0; i < list->GetCount(); ++i)
        rows.append(lookupItemJson(list->GetItem(i)));
    return rows;
}

int LookupContext::fail(int code, const QString &message) const
{
    *err << "lumi-lookup: " << message << '\n';
    err->flush();
    return code;
}

int LookupContext::open(int kind) const
{
    if (kind < 0 || kind > 15)
        return fail(LookupBadUsage, QStringLiteral("unknown dictionary"));
    const QByteArray file = lookupKindFile(kind);
    if (file.isEmpty())
        return fail(LookupBadUsage,
                    QStringLiteral("the %1 dictionary cannot be looked up here").arg(lookupKindName(kind)));
    const QFileInfo info(QFile::decodeName(dataDir + file));
    if (!info.isFile() || !info.isReadable())
        return fail(LookupBadUsage, QStringLiteral("cannot read %1").arg(info.filePath()));
    if (!db->SetDictionary(kind, nullptr))
        return fail(LookupBadUsage, QStringLiteral("cannot open %1").arg(info.filePath()));
    return LookupFound;
}

int LookupContext::printList(const DataList *list) const
{
    const int rows = list ? list->GetCount() : 0;
    if (json) {
        printJson(QJsonObject{{QStringLiteral("count"), rows},
                              {QStringLiteral("rows"), list ? lookupListJson(list) : QJsonValue(QJsonArray())}});
    } else {
        for (int i = 0; i < rows; ++i)
            printTree(*out, list->GetItem(i), 0);
    }
    out->flush();
    return rows > 0 ? LookupFound : fail(LookupNothing, QStringLiteral("nothing found"));
}

void LookupContext::printItem(const DataItem *item) const
{
    if (json)
        printJson(lookupItemJson(item));
    else if (item)
        printTree(*out, item, 0);
    out->flush();
}

void LookupContext::printJson(const QJsonValue &value) const
{
    QJsonDocument doc;
    if (value.isArray())
        doc.setArray(value.toArray());
    else if (value.isObject())
        doc.setObject(value.toObject());
    else
        doc.setObject(QJsonObject{{QStringLiteral("value"), value}});
    *out << QString::fromUtf8(doc.toJson(QJsonDocument::Indented));
    out->flush();
}
