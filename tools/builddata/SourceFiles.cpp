// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "SourceFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QXmlStreamReader>

namespace {

std::optional<QByteArray> decompress(const QString &program, const QString &path)
{
    QProcess process;
    process.start(program, {QStringLiteral("-dc"), path});
    if (!process.waitForStarted(10000))
        return std::nullopt;
    QByteArray out;
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(1000);
        out += process.readAllStandardOutput();
    }
    out += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<QByteArray> SourceFiles::read(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    if (path.endsWith(QLatin1String(".gz")))
        return decompress(QStringLiteral("gzip"), path);
    if (path.endsWith(QLatin1String(".bz2")))
        return decompress(QStringLiteral("bzip2"), path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QStringList> SourceFiles::readLines(const QString &path)
{
    const std::optional<QByteArray> bytes = read(path);
    if (!bytes)
        return std::nullopt;
    QString text = QString::fromUtf8(*bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

QString SourceFiles::firstExisting(const QStringList &candidates)
{
    for (const QString &candidate : candidates) {
        if (!candidate.isEmpty() && QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

char32_t Unihan::parseCodePoint(QStringView text)
{
    if (!text.startsWith(QLatin1String("U+")) || text.size() < 6 || text.size() > 8)
        return 0;
    bool ok = false;
    const uint value = text.mid(2).toUInt(&ok, 16);
    return ok && value <= 0x10FFFF ? char32_t(value) : 0;
}

bool Unihan::load(const QString &dir, const QStringList &fields)
{
    m_dir = dir;
    const QSet<QString> wanted(fields.begin(), fields.end());
    const QStringList files = QDir(dir).entryList({QStringLiteral("Unihan_*.txt"), QStringLiteral("Unihan_*.txt.bz2")},
                                                  QDir::Files, QDir::Name);
    QSet<QString> seenBases;
    bool found = false;
    for (const QString &name : files) {
        // A plain copy and a compressed one of the same file: read one of them.
        const QString base = name.endsWith(QLatin1String(".bz2")) ? name.chopped(4) : name;
        if (seenBases.contains(base))
            continue;
        seenBases.insert(base);
        const std::optional<QByteArray> bytes = SourceFiles::read(dir + QLatin1Char('/') + name);
        if (!bytes)
            continue;
        for (const QByteArray &line : bytes->split('\n')) {
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const int tab1 = line.indexOf('\t');
            const int tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
            if (tab2 < 0)
                continue;
            const QString field = QString::fromLatin1(line.constData() + tab1 + 1, tab2 - tab1 - 1);
            if (!wanted.contains(field))
                continue;
            const char32_t cp = parseCodePoint(QString::fromLatin1(line.constData(), tab1));
            if (!cp)
                continue;
            QByteArray value = line.mid(tab2 + 1);
            if (value.endsWith('\r'))
                value.chop(1);
            m_entries[cp].insert(field, QString::fromUtf8(value));
            found = true;
        }
    }
    return found;
}

QString Unihan::value(char32_t codePoint, const QString &field) const
{
    const auto it = m_entries.constFind(codePoint);
    return it == m_entries.constEnd() ? QString() : it->value(field);
}

int Unihan::radicalOf(char32_t codePoint) const
{
    const QString rs = value(codePoint, QStringLiteral("kRSUnicode")).section(QLatin1Char(' '), 0, 0);
    const QString radical = rs.section(QLatin1Char('.'), 0, 0);
    bool ok = false;
    const int number = QString(radical).remove(QLatin1Char('\'')).remove(QLatin1Char('!')).toInt(&ok);
    return ok ? number : 0;
}

int Unihan::totalStrokes(char32_t codePoint) const
{
    bool ok = false;
    const int strokes = value(codePoint, QStringLiteral("kTotalStrokes")).section(QLatin1Char(' '), 0, 0).toInt(&ok);
    return ok ? strokes : 0;
}

int Unihan::traditionalStrokes(char32_t codePoint) const
{
    bool ok = false;
    const int strokes = value(codePoint, QStringLiteral("kTotalStrokes")).section(QLatin1Char(' '), -1, -1).toInt(&ok);
    return ok ? strokes : 0;
}

int Unihan::radicalStrokes(int number)
{
    // The first radical of each stroke group: 一 (1), 二 (2), 口 (3), ... 龠 (17).
    static const int firstOfGroup[] = {1, 7, 30, 61, 95, 118, 147, 167, 176, 187, 195, 201, 205, 209, 211, 212, 214};
    if (number < 1 || number > 214)
        return 0;
    int strokes = 0;
    for (const int first : firstOfGroup) {
        if (number < first)
            break;
        ++strokes;
    }
    return strokes;
}

std::vector<Unihan::Radical> Unihan::radicals() const
{
    std::vector<Radical> result(214);
    std::vector<char32_t> best(214, 0);
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it) {
        const QString rs = it->value(QStringLiteral("kRSUnicode"));
        if (rs.isEmpty())
            continue;
        // Any of the space-separated values may be the "n.0" one; a primed number is a
        // simplified form of the radical, not the radical itself.
        for (const QString &part : rs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!part.endsWith(QLatin1String(".0")) || part.contains(QLatin1Char('\'')))
                continue;
            bool ok = false;
            const int number = part.chopped(2).toInt(&ok);
            if (!ok || number < 1 || number > 214)
                continue;
            // Prefer the unified block's characters; among them the lowest code point.
            char32_t &current = best[size_t(number - 1)];
            const auto unified = [](char32_t c) {
                return c >= 0x4E00 && c <= 0x9FFF;
            };
            if (!current || (unified(it.key()) && !unified(current))
                || (unified(it.key()) == unified(current) && it.key() < current))
                current = it.key();
        }
    }
    // "52; 2F34; 5E7A": radical number, radical character, unified ideograph; primed numbers
    // are simplified forms and are not the radical itself.
    if (const std::optional<QStringList> lines = SourceFiles::readLines(m_dir + QStringLiteral("/CJKRadicals.txt"))) {
        for (const QString &line : *lines) {
            const QStringList fields = line.split(QLatin1Char(';'));
            if (line.startsWith(QLatin1Char('#')) || fields.size() < 3)
                continue;
            bool numberOk = false;
            bool codeOk = false;
            const int number = fields[0].trimmed().toInt(&numberOk);
            const uint cp = fields[2].trimmed().toUInt(&codeOk, 16);
            if (numberOk && codeOk && number >= 1 && number <= 214 && cp > 0 && cp <= 0x10FFFF)
                best[size_t(number - 1)] = char32_t(cp);
        }
    }
    for (int i = 0; i < 214; ++i) {
        if (!best[size_t(i)])
            continue;
        const char32_t cp = best[size_t(i)];
        result[size_t(i)].number = i + 1;
        result[size_t(i)].character = QString::fromUcs4(&cp, 1);
        result[size_t(i)].strokes = radicalStrokes(i + 1);
    }
    return result;
}

QHash<QString, KanjidicEntry> Kanjidic::load(const QString &path)
{
    QHash<QString, KanjidicEntry> entries;
    const std::optional<QByteArray> bytes = SourceFiles::read(path);
    if (!bytes)
        return entries;
    QXmlStreamReader xml(*bytes);
    KanjidicEntry entry;
    bool inCharacter = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == QLatin1String("character")) {
                entry = KanjidicEntry();
                inCharacter = true;
            } else if (!inCharacter) {
                continue;
            } else if (name == QLatin1String("literal")) {
                entry.literal = xml.readElementText();
            } else if (name == QLatin1String("grade")) {
                entry.grade = xml.readElementText().toInt();
            } else if (name == QLatin1String("rad_value")) {
                const bool classical = xml.attributes().value(QLatin1String("rad_type")) == QLatin1String("classical");
                const int value = xml.readElementText().toInt();
                if (classical)
                    entry.radical = value;
            } else if (name == QLatin1String("stroke_count")) {
                const int value = xml.readElementText().toInt();
                if (!entry.strokes)
                    entry.strokes = value;
            } else if (name == QLatin1String("freq")) {
                entry.frequency = xml.readElementText().toInt();
            } else if (name == QLatin1String("reading")) {
                const QString type = xml.attributes().value(QLatin1String("r_type")).toString();
                const QString text = xml.readElementText();
                if (type == QLatin1String("korean_h"))
                    entry.koreanHangul.append(text);
                else if (type == QLatin1String("ja_on"))
                    entry.onyomi.append(text);
                else if (type == QLatin1String("ja_kun"))
                    entry.kunyomi.append(text);
            } else if (name == QLatin1String("meaning")) {
                const bool english = !xml.attributes().hasAttribute(QLatin1String("m_lang"));
                const QString text = xml.readElementText();
                if (english)
                    entry.meanings.append(text);
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("character")) {
            inCharacter = false;
            if (!entry.literal.isEmpty())
                entries.insert(entry.literal, entry);
        }
    }
    if (xml.hasError())
        entries.clear();
    return entries;
}

std::vector<HanjaTxtEntry> HanjaTxt::load(const QString &path)
{
    std::vector<HanjaTxtEntry> entries;
    const std::optional<QStringList> lines = SourceFiles::readLines(path);
    if (!lines)
        return entries;
    entries.reserve(size_t(lines->size()));
    for (const QString &line : *lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int first = line.indexOf(QLatin1Char(':'));
        const int second = first < 0 ? -1 : line.indexOf(QLatin1Char(':'), first + 1);
        if (first <= 0 || second <= first + 1)
            continue;
        entries.push_back({line.left(first), line.mid(first + 1, second - first - 1), line.mid(second + 1).trimmed()});
    }
    return entries;
}
