// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "StrokeImageBuilder.h"

#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DbWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSet>
#include <QThread>
#include <QtEndian>

#include <sqlite3.h>

#include <array>
#include <atomic>
#include <climits>
#include <thread>

namespace StrokeImageBuilder {

namespace {

// ---- Path data ---------------------------------------------------------------------------------

class PathReader
{
public:
    explicit PathReader(const QString &data)
        : m_data(data)
    { }

    std::optional<QPainterPath> read()
    {
        QPainterPath path;
        QChar command;
        QPointF current;
        QPointF subpathStart;
        QPointF lastControl; // the last curve's second control point, for S and T
        QChar lastCommand;
        bool started = false;
        for (;;) {
            skipSeparators();
            if (atEnd())
                break;
            const QChar c = m_data.at(m_pos);
            if (c.isLetter()) {
                command = c;
                ++m_pos;
            } else if (command.isNull() || command == u'Z' || command == u'z') {
                return std::nullopt; // numbers before any command, or after a close
            } else if (command == u'M') {
                command = u'L'; // further pairs after a move are lines
            } else if (command == u'm') {
                command = u'l';
            }
            const bool relative = command.isLower();
            const QPointF base = relative ? current : QPointF();
            const char op = static_cast<char>(command.toUpper().toLatin1());
            if (op != 'M' && !started)
                return std::nullopt; // a path must begin with a move
            switch (op) {
            case 'M': {
                QPointF p;
                if (!readPoint(&p))
                    return std::nullopt;
                current = subpathStart = base + p;
                path.moveTo(current);
                started = true;
                break;
            }
            case 'L': {
                QPointF p;
                if (!readPoint(&p))
                    return std::nullopt;
                current = base + p;
                path.lineTo(current);
                break;
            }
            case 'H':
            case 'V': {
                double v = 0;
                if (!readNumber(&v))
                    return std::nullopt;
                if (op == 'H')
                    current.setX(relative ? current.x() + v : v);
                else
                    current.setY(relative ? current.y() + v : v);
                path.lineTo(current);
                break;
            }
            case 'Q':
            case 'T': {
                QPointF control;
                if (op == 'Q') {
                    if (!readPoint(&control))
                        return std::nullopt;
                    control += base;
                } else {
                    const bool follows = lastCommand == u'Q' || lastCommand == u'T';
                    control = follows ? 2 * current - lastControl : current;
                }
                QPointF end;
                if (!readPoint(&end))
                    return std::nullopt;
                end += base;
                path.quadTo(control, end);
                lastControl = control;
                current = end;
                break;
            }
            case 'C':
            case 'S': {
                QPointF first;
                if (op == 'C') {
                    if (!readPoint(&first))
                        return std::nullopt;
                    first += base;
                } else {
                    const bool follows = lastCommand == u'C' || lastCommand == u'S';
                    first = follows ? 2 * current - lastControl : current;
                }
                QPointF second;
                QPointF end;
                if (!readPoint(&second) || !readPoint(&end))
                    return std::nullopt;
                second += base;
                end += base;
                path.cubicTo(first, second, end);
                lastControl = second;
                current = end;
                break;
            }
            case 'Z':
                path.closeSubpath();
                current = subpathStart;
                break;
            default:
                return std::nullopt; // arcs and anything unknown
            }
            lastCommand = command.toUpper();
        }
        if (!started)
            return std::nullopt;
        return path;
    }

private:
    bool atEnd() const { return m_pos >= m_data.size(); }

    void skipSeparators()
    {
        while (!atEnd() && (m_data.at(m_pos).isSpace() || m_data.at(m_pos) == u','))
            ++m_pos;
    }

    bool readNumber(double *value)
    {
        skipSeparators();
        const qsizetype start = m_pos;
        auto digits = [this] {
            const qsizetype from = m_pos;
            while (!atEnd() && m_data.at(m_pos).isDigit())
                ++m_pos;
            return m_pos > from;
        };
        if (!atEnd() && (m_data.at(m_pos) == u'-' || m_data.at(m_pos) == u'+'))
            ++m_pos;
        bool any = digits();
        if (!atEnd() && m_data.at(m_pos) == u'.') {
            ++m_pos;
            any = digits() || any;
        }
        if (!any)
            return false;
        if (!atEnd() && (m_data.at(m_pos) == u'e' || m_data.at(m_pos) == u'E')) {
            ++m_pos;
            if (!atEnd() && (m_data.at(m_pos) == u'-' || m_data.at(m_pos) == u'+'))
                ++m_pos;
            if (!digits())
                return false;
        }
        bool ok = false;
        *value = QStringView(m_data).mid(start, m_pos - start).toDouble(&ok);
        return ok;
    }

    bool readPoint(QPointF *point)
    {
        double x = 0;
        double y = 0;
        if (!readNumber(&x) || !readNumber(&y))
            return false;
        *point = QPointF(x, y);
        return true;
    }

    const QString &m_data;
    qsizetype m_pos = 0;
};

// ---- Pictures ----------------------------------------------------------------------------------

const QRgb White = qRgb(255, 255, 255);
const QRgb Done = qRgb(0, 0, 0);
const QRgb Current = qRgb(215, 0, 0);
const QRgb Ahead = qRgb(200, 200, 200);

// The colours a picture is reduced to: paper, the three stroke colours, and one antialiasing step
// each for the edges of black and red strokes (the edges of grey strokes snap to white or grey).
// A fourteen-colour palette looked no better at this size and made the pictures a third larger.
const std::array<QRgb, 6> &palette()
{
    static const std::array<QRgb, 6> colours = {
            White, Ahead, qRgb(120, 120, 120), Done, Current, qRgb(235, 120, 120),
    };
    return colours;
}

int nearestColour(QRgb rgb)
{
    int best = 0;
    int bestDistance = INT_MAX;
    const auto &colours = palette();
    for (int i = 0; i < int(colours.size()); ++i) {
        const int dr = qRed(rgb) - qRed(colours[i]);
        const int dg = qGreen(rgb) - qGreen(colours[i]);
        const int db = qBlue(rgb) - qBlue(colours[i]);
        // Weighted roughly as the eye weighs the channels.
        const int distance = 3 * dr * dr + 6 * dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

QImage toIndexed(const QImage &rgb)
{
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (QRgb c : palette())
        table.append(c);
    indexed.setColorTable(table);
    QHash<QRgb, int> cache;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            auto it = cache.constFind(in[x]);
            if (it == cache.constEnd())
                it = cache.insert(in[x], nearestColour(in[x]));
            out[x] = uchar(it.value());
        }
    }
    return indexed;
}

// ---- PNG ---------------------------------------------------------------------------------------

quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (char b : bytes)
        c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendUInt32(QByteArray *out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out->append(bytes, 4);
}

void appendChunk(QByteArray *out, const char *type, const QByteArray &data)
{
    appendUInt32(out, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out->append(typed);
    appendUInt32(out, crc32(typed));
}

// ---- The step ----------------------------------------------------------------------------------

struct Character
{
    QString file; // the stroke data's JSON file
    std::vector<int> seqs; // every h_character row of this character
};

// Every (seq, hanja) of h_character in seq order; empty optional when the table cannot be read.
std::optional<std::vector<std::pair<int, QString>>> readCharacters(const QString &hanjaDb)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(hanjaDb.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    sqlite3_stmt *stmt = nullptr;
    std::optional<std::vector<std::pair<int, QString>>> rows;
    if (sqlite3_prepare_v2(db, "SELECT seq, hanja FROM h_character ORDER BY seq;", -1, &stmt, nullptr) == SQLITE_OK) {
        rows.emplace();
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1));
            rows->emplace_back(sqlite3_column_int(stmt, 0), QString::fromUtf8(text ? text : ""));
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// The PNGs of one character, or none when its data does not load.
std::vector<QByteArray> picturesOf(const QString &file)
{
    std::vector<QByteArray> pngs;
    const auto strokes = loadStrokes(file);
    if (!strokes)
        return pngs;
    for (const QImage &step : renderSteps(*strokes))
        pngs.push_back(encodePng(step));
    return pngs;
}

bool buildImages(const BuildContext &ctx)
{
    constexpr const char *name = "himage";
    const QString hanjaDb = ctx.outPath(QStringLiteral("hanja.sdb"));
    const QString dataDir = ctx.sources.nodeModules + QStringLiteral("/hanzi-writer-data/");
    if (!QFileInfo::exists(hanjaDb)) {
        buildLog(name, QStringLiteral("%1 is missing: the hanja step writes it first").arg(hanjaDb));
        return false;
    }
    if (!QFileInfo(dataDir).isDir()) {
        buildLog(name, QStringLiteral("no stroke data in %1 (npm package hanzi-writer-data)").arg(dataDir));
        return false;
    }
    const auto rows = readCharacters(hanjaDb);
    if (!rows) {
        buildLog(name, QStringLiteral("%1 has no readable h_character table").arg(hanjaDb));
        return false;
    }

    // One job per distinct character with data. Compatibility ideographs (the second readings of
    // a character, U+F900 and up) share the unified character's strokes.
    QSet<QString> known;
    for (const QString &file : QDir(dataDir).entryList({QStringLiteral("*.json")}, QDir::Files))
        known.insert(file.chopped(5));
    std::vector<Character> characters;
    QHash<QString, size_t> byCharacter;
    int withoutData = 0;
    for (const auto &[seq, hanja] : *rows) {
        const QString key = known.contains(hanja) ? hanja : hanja.normalized(QString::NormalizationForm_C);
        if (key.isEmpty() || !known.contains(key)) {
            ++withoutData;
            continue;
        }
        auto it = byCharacter.constFind(key);
        if (it == byCharacter.constEnd()) {
            it = byCharacter.insert(key, characters.size());
            characters.push_back(Character{dataDir + key + QStringLiteral(".json"), {}});
        }
        characters[it.value()].seqs.push_back(seq);
    }

    DbWriter writer(ctx.outPath(QStringLiteral("himage.sdb")));
    if (!writer.open() || !writer.exec(QStringLiteral("CREATE TABLE h_image (num INTEGER, name TEXT, data BLOB);"))) {
        buildLog(name, writer.error());
        return false;
    }
    DbStatement insert = writer.prepare("INSERT INTO h_image (num, name, data) VALUES (?, ?, ?);");
    if (!insert.isValid()) {
        buildLog(name, writer.error());
        return false;
    }

    // Rendering and encoding run on every core, a batch at a time; the rows go in on this thread.
    const int threads = qMax(1, QThread::idealThreadCount());
    constexpr size_t batchSize = 256;
    qint64 images = 0;
    qint64 bytes = 0;
    int broken = 0;
    int pictured = 0;
    int picturedRows = 0;
    for (size_t first = 0; first < characters.size(); first += batchSize) {
        const size_t count = qMin(batchSize, characters.size() - first);
        std::vector<std::vector<QByteArray>> results(count);
        std::atomic<size_t> next{0};
        auto work = [&] {
            for (size_t i = next++; i < count; i = next++)
                results[i] = picturesOf(characters[first + i].file);
        };
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        work();
        for (std::thread &thread : pool)
            thread.join();

        for (size_t i = 0; i < count; ++i) {
            const Character &character = characters[first + i];
            if (results[i].empty()) {
                ++broken;
                buildLog(name, QStringLiteral("unreadable stroke data: %1").arg(character.file));
                continue;
            }
            ++pictured;
            picturedRows += int(character.seqs.size());
            for (int seq : character.seqs) {
                for (size_t k = 0; k < results[i].size(); ++k) {
                    const QString step = QStringLiteral("%1").arg(int(k + 1), 3, 10, QLatin1Char('0'));
                    if (!insert.run({seq, step, results[i][k]})) {
                        buildLog(name, writer.error());
                        return false;
                    }
                    ++images;
                    bytes += results[i][k].size();
                }
            }
        }
    }
    insert = DbStatement();
    if (!writer.finish({QStringLiteral("CREATE INDEX h_image_num ON h_image (num, name);")})) {
        buildLog(name, writer.error());
        return false;
    }
    buildLog(name, QStringLiteral("%1 characters in h_character, %2 pictured (%3 distinct), %4 without stroke data, %5 "
                                  "unreadable; %6 pictures, %7 bytes of PNG (%8 per picture)")
                           .arg(rows->size())
                           .arg(picturedRows)
                           .arg(pictured)
                           .arg(withoutData)
                           .arg(broken)
                           .arg(images)
                           .arg(bytes)
                           .arg(images ? bytes / images : 0));
    return true;
}

const BuilderRegistration registration{
        Builder{QStringLiteral("himage"), 35, {QStringLiteral("himage.sdb")}, &buildImages}};

} // namespace

std::optional<QPainterPath> parsePath(const QString &data)
{
    return PathReader(data).read();
}

std::optional<std::vector<QPainterPath>> loadStrokes(const QString &jsonFile)
{
    QFile file(jsonFile);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    const QJsonArray strokes = doc.object().value(QLatin1String("strokes")).toArray();
    if (strokes.isEmpty())
        return std::nullopt;
    std::vector<QPainterPath> paths;
    paths.reserve(size_t(strokes.size()));
    for (const auto &stroke : strokes) {
        if (!stroke.isString())
            return std::nullopt;
        auto path = parsePath(stroke.toString());
        if (!path)
            return std::nullopt;
        paths.push_back(*path);
    }
    return paths;
}

QPointF toPicture(const QPointF &source, int size)
{
    const double scale = size / SourceBox;
    return QPointF(source.x() * scale, (SourceBaseline - source.y()) * scale);
}

std::vector<QImage> renderSteps(const std::vector<QPainterPath> &strokes, int size)
{
    const double scale = size / SourceBox;
    const QTransform transform(scale, 0, 0, -scale, 0, SourceBaseline * scale);
    std::vector<QPainterPath> mapped;
    mapped.reserve(strokes.size());
    for (const QPainterPath &stroke : strokes)
        mapped.push_back(transform.map(stroke));

    std::vector<QImage> steps;
    steps.reserve(strokes.size());
    for (size_t k = 0; k < mapped.size(); ++k) {
        QImage canvas(size, size, QImage::Format_RGB32);
        canvas.fill(White);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        // Back to front: what is still to come, what is done, and the new stroke over both.
        painter.setBrush(QColor(Ahead));
        for (size_t i = k + 1; i < mapped.size(); ++i)
            painter.drawPath(mapped[i]);
        painter.setBrush(QColor(Done));
        for (size_t i = 0; i < k; ++i)
            painter.drawPath(mapped[i]);
        painter.setBrush(QColor(Current));
        painter.drawPath(mapped[k]);
        painter.end();
        steps.push_back(toIndexed(canvas));
    }
    return steps;
}

QByteArray encodePng(const QImage &picture)
{
    const QImage image = picture.format() == QImage::Format_Indexed8
                                 ? picture
                                 : toIndexed(picture.convertToFormat(QImage::Format_RGB32));
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0)
        return {};

    // Only the colours in use go into the palette, in their first-seen order.
    std::array<int, 256> remap;
    remap.fill(-1);
    QByteArray plte;
    for (int y = 0; y < height; ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (remap[line[x]] >= 0)
                continue;
            remap[line[x]] = int(plte.size() / 3);
            const QRgb c = image.color(line[x]);
            plte.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
    }
    const int colours = int(plte.size() / 3);
    const int depth = colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
    const int perByte = 8 / depth;
    const int stride = (width + perByte - 1) / perByte;

    // Filter type 0 on every row: the usual best choice for palette images.
    QByteArray raw(qsizetype(height) * (stride + 1), '\0');
    for (int y = 0; y < height; ++y) {
        const uchar *line = image.constScanLine(y);
        auto *out = reinterpret_cast<uchar *>(raw.data()) + qsizetype(y) * (stride + 1) + 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - depth * (x % perByte + 1);
            out[x / perByte] |= uchar(remap[line[x]] << shift);
        }
    }

    QByteArray ihdr;
    appendUInt32(&ihdr, quint32(width));
    appendUInt32(&ihdr, quint32(height));
    ihdr.append(char(depth)).append(char(3)).append('\0').append('\0').append('\0'); // indexed colour

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(&png, "IHDR", ihdr);
    appendChunk(&png, "PLTE", plte);
    appendChunk(&png, "IDAT", qCompress(raw, 9).mid(4)); // qCompress prefixes the zlib stream with its length
    appendChunk(&png, "IEND", QByteArray());
    return png;
}

bool build(const BuildContext &ctx)
{
    return buildImages(ctx);
}

} // namespace StrokeImageBuilder
