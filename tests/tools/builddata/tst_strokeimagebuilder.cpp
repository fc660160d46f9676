// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DB_Hanja.h"
#include "StrokeImageBuilder.h"
#include "sqliterows.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainterPathStroker>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace {

QString sourceDir()
{
    return qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/sources/hanzi-writer");
}

QString strokeFile(const QString &character)
{
    return sourceDir() + QStringLiteral("/hanzi-writer-data/") + character + QStringLiteral(".json");
}

// The medians of a character file: one centre line per stroke, in the source's coordinates.
std::vector<std::vector<QPointF>> medians(const QString &character)
{
    QFile file(strokeFile(character));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<std::vector<QPointF>> lines;
    const QJsonArray all = QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("medians")).toArray();
    for (const auto &median : all) {
        std::vector<QPointF> points;
        for (const auto &point : median.toArray())
            points.emplace_back(point.toArray().at(0).toDouble(), point.toArray().at(1).toDouble());
        lines.push_back(points);
    }
    return lines;
}

// The inner points of a median, spaced along it: its ends may sit on a stroke's rounded tip.
std::vector<QPointF> innerPoints(const std::vector<QPointF> &median)
{
    std::vector<QPointF> points;
    for (size_t i = 0; i + 1 < median.size(); ++i) {
        for (double t : {0.25, 0.5, 0.75}) {
            const bool tip = (i == 0 && t < 0.5) || (i + 2 == median.size() && t > 0.5);
            if (!tip)
                points.push_back(median[i] + (median[i + 1] - median[i]) * t);
        }
    }
    return points;
}

QRgb pixelAt(const QImage &image, const QPointF &source)
{
    const QPointF p = StrokeImageBuilder::toPicture(source, image.width());
    return image.pixel(qBound(0, int(p.x()), image.width() - 1), qBound(0, int(p.y()), image.height() - 1));
}

bool reddish(QRgb c)
{
    return qRed(c) > 150 && qRed(c) - qGreen(c) > 80 && qRed(c) - qBlue(c) > 80;
}
bool inked(QRgb c)
{
    return qGray(c) < 170; // darker than the strokes ahead, antialiased edges included
}

bool exec(const QString &db, const QByteArray &sql)
{
    sqlite3 *handle = nullptr;
    bool ok = sqlite3_open(db.toUtf8().constData(), &handle) == SQLITE_OK
              && sqlite3_exec(handle, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(handle);
    return ok;
}

} // namespace

class TestStrokeImageBuilder : public QObject
{
    Q_OBJECT
private slots:
    void parsesPathData_data();
    void parsesPathData();
    void rejectsBrokenCharacterFiles();
    void stepsShowTheOrder_data();
    void stepsShowTheOrder();
    void pngRoundTrip_data();
    void pngRoundTrip();
    void buildsImagesReadThroughTheHanjaAccessor();
    void missingSourcesFailWithoutOutput();
};

void TestStrokeImageBuilder::parsesPathData_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QRectF>("bounds");

    const QRectF square(10, 20, 20, 20);
    QTest::newRow("absolute lines") << "M 10 20 L 30 20 L 30 40 Z" << true << square;
    QTest::newRow("relative lines") << "m 10 20 l 20 0 l 0 20 z" << true << square;
    QTest::newRow("pairs after a move are lines") << "M 10 20 30 20 30 40 Z" << true << square;
    QTest::newRow("horizontal and vertical") << "M 10 20 H 30 V 40 Z" << true << square;
    QTest::newRow("relative curve after close starts at the subpath")
            << "M 10 20 L 30 20 Z l 0 20" << true << QRectF(10, 20, 20, 20);
    QTest::newRow("quadratic") << "M 0 0 Q 50 100 100 0 Z" << true << QRectF(0, 0, 100, 50);
    QTest::newRow("cubic") << "M 0 0 C 0 100 100 100 100 0 Z" << true << QRectF(0, 0, 100, 75);
    QTest::newRow("smooth quadratic reflects the control")
            << "M 0 0 Q 50 100 100 0 T 200 0" << true << QRectF(0, -50, 200, 100);
    QTest::newRow("smooth cubic reflects the control")
            << "M 0 0 C 0 100 100 100 100 0 S 200 -100 200 0" << true << QRectF(0, -75, 200, 150);
    QTest::newRow("signs, fractions, exponents") << "M1e1-2E1L+30.0-.2e2L30,0" << true << QRectF(10, -20, 20, 20);

    QTest::newRow("empty") << "" << false << QRectF();
    QTest::newRow("no move first") << "L 1 2" << false << QRectF();
    QTest::newRow("numbers before a command") << "1 2 M 3 4" << false << QRectF();
    QTest::newRow("missing coordinate") << "M 1" << false << QRectF();
    QTest::newRow("unknown command") << "M 1 2 X 3 4" << false << QRectF();
    QTest::newRow("arcs are not supported") << "M 0 0 A 1 1 0 0 1 5 5" << false << QRectF();
    QTest::newRow("numbers after close") << "M 0 0 L 1 1 Z 3 4" << false << QRectF();
}

void TestStrokeImageBuilder::parsesPathData()
{
    QFETCH(QString, data);
    QFETCH(bool, valid);
    QFETCH(QRectF, bounds);

    const auto path = StrokeImageBuilder::parsePath(data);
    QCOMPARE(path.has_value(), valid);
    if (!valid)
        return;
    QCOMPARE(path->boundingRect(), bounds); // fuzzy: the curves' extremes are computed
}

void TestStrokeImageBuilder::rejectsBrokenCharacterFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.json"));
    QVERIFY(!StrokeImageBuilder::loadStrokes(path)); // missing
    for (const char *json :
         {"{\"strokes\": [\"M 0 0 L 1 1 Z\"", "[\"M 0 0 L 1 1 Z\"]", "{\"medians\": []}", "{\"strokes\": []}",
          "{\"strokes\": [\"M 0 0 L 1 1 Z\", 5]}", "{\"strokes\": [\"M 0 0 L 1 1 Z\", \"M 0\"]}"}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        QVERIFY2(!StrokeImageBuilder::loadStrokes(path), json);
    }
}

void TestStrokeImageBuilder::stepsShowTheOrder_data()
{
    QTest::addColumn<QString>("character");
    QTest::newRow("一") << "一";
    QTest::newRow("力") << "力";
    QTest::newRow("學") << "學";
}

void TestStrokeImageBuilder::stepsShowTheOrder()
{
    QFETCH(QString, character);
    const auto strokes = StrokeImageBuilder::loadStrokes(strokeFile(character));
    QVERIFY(strokes);
    const auto lines = medians(character);
    const std::vector<QImage> steps = StrokeImageBuilder::renderSteps(*strokes);
    QCOMPARE(steps.size(), strokes->size());
    QCOMPARE(lines.size(), strokes->size());
    // Each parsed outline holds the inner points of its own centre line: coordinates, curves and
    // closing read right.
    for (size_t k = 0; k < strokes->size(); ++k) {
        for (const QPointF &p : innerPoints(lines[k]))
            QVERIFY2((*strokes)[k].contains(p), qPrintable(QStringLiteral("stroke %1").arg(k + 1)));
    }

    const int size = StrokeImageBuilder::PictureSize;
    const double scale = size / StrokeImageBuilder::SourceBox;
    const QTransform toPicture(scale, 0, 0, -scale, 0, StrokeImageBuilder::SourceBaseline * scale);
    QPainterPathStroker grow;
    grow.setWidth(3.0); // a pixel and a half around the outline takes in its antialiased edge
    auto nearOf = [&](size_t i) {
        const QPainterPath outline = toPicture.map((*strokes)[i]);
        return outline.united(grow.createStroke(outline));
    };
    int comparedBefore = 0;

    for (size_t k = 0; k < steps.size(); ++k) {
        const QImage &step = steps[k];
        QCOMPARE(step.size(), QSize(size, size));
        QCOMPARE(step.format(), QImage::Format_Indexed8);
        QCOMPARE(QColor(step.pixel(0, 0)), QColor(Qt::white));

        for (const QPointF &p : innerPoints(lines[k])) {
            QVERIFY(reddish(pixelAt(step, p)));
            // Before its turn the stroke was not red, except where it touches the stroke before.
            if (k > 0 && !nearOf(k - 1).contains(StrokeImageBuilder::toPicture(p))) {
                QVERIFY(!reddish(pixelAt(steps[k - 1], p)));
                ++comparedBefore;
            }
            if (k + 1 < steps.size())
                QVERIFY(inked(pixelAt(steps[k + 1], p))); // black, or under the next red stroke
        }
        // The strokes still ahead show faintly, never as blank paper.
        for (size_t later = k + 1; later < steps.size(); ++later) {
            for (const QPointF &p : innerPoints(lines[later]))
                QVERIFY(qGray(pixelAt(step, p)) < 235);
        }
        // A step changes only what lies on its own stroke and on the one before (red turns black).
        if (k > 0) {
            const QPainterPath near = nearOf(k - 1).united(nearOf(k));
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    if (step.pixel(x, y) != steps[k - 1].pixel(x, y))
                        QVERIFY2(near.contains(QPointF(x + 0.5, y + 0.5)),
                                 qPrintable(QStringLiteral("step %1 changed %2,%3").arg(k + 1).arg(x).arg(y)));
                }
            }
        }
    }
    QVERIFY(comparedBefore >= int(steps.size()) - 1);
    // The last picture has every stroke dark.
    for (const auto &line : lines) {
        for (const QPointF &p : innerPoints(line))
            QVERIFY(inked(pixelAt(steps.back(), p)));
    }
}

void TestStrokeImageBuilder::pngRoundTrip_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("depth"); // bits per pixel written

    QTest::newRow("two colours, odd width") << 7 << 3 << 2 << 1;
    QTest::newRow("fourteen colours") << 56 << 56 << 14 << 4;
    QTest::newRow("sixteen colours, one pixel wide") << 1 << 16 << 16 << 4;
    QTest::newRow("seventeen colours") << 17 << 5 << 17 << 8;
}

void TestStrokeImageBuilder::pngRoundTrip()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, colours);
    QFETCH(int, depth);

    // A palette larger than the colours used, which the encoder trims.
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 40; ++i)
        table << qRgb(i * 6, 255 - i * 5, (i * 37) % 256);
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint(((x * 7 + y * 3) % colours) * 2 + 1));
    }
    const QByteArray png = StrokeImageBuilder::encodePng(image);
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(int(png.at(24)), depth); // IHDR's bit depth
    const QImage decoded = QImage::fromData(png, "PNG");
    QCOMPARE(decoded.size(), image.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            QCOMPARE(QColor(decoded.pixel(x, y)), QColor(image.pixel(x, y)));
    }
}

void TestStrokeImageBuilder::buildsImagesReadThroughTheHanjaAccessor()
{
    const Builder *step = BuilderRegistry::instance().find(QStringLiteral("himage"));
    QVERIFY(step);
    QVERIFY(step->order > 30); // after the step that writes hanja.sdb
    QCOMPARE(step->outputs, QStringList{QStringLiteral("himage.sdb")});

    QTemporaryDir dir;
    const QString hanja = dir.filePath(QStringLiteral("hanja.sdb"));
    QFile fixture(qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/fixtures/cjk_hanja.sql"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    QVERIFY(exec(hanja, fixture.readAll()));
    // 學 twice (two readings), 力 again as its compatibility ideograph, 乭 without stroke data.
    QVERIFY(exec(hanja, "INSERT INTO h_character VALUES (20, '學', '배울', '학', 4, 16, '8급');"
                        "INSERT INTO h_character VALUES (21, '學', '가르칠', '효', 4, 16, '');"
                        "INSERT INTO h_character VALUES (22, '\xef\xa6\x8a', '힘', '역', 8, 2, '');"
                        "INSERT INTO h_character VALUES (23, '乭', '이름', '돌', 99, 6, '');"));

    BuildContext ctx;
    ctx.outDir = dir.path();
    ctx.sources.nodeModules = sourceDir();
    QVERIFY(step->run(ctx));
    const QString images = dir.filePath(QStringLiteral("himage.sdb"));
    QVERIFY(!QFile::exists(images + QStringLiteral(".part")));

    // 一 1, 力 2 (seq 9 and 22), 學 16 (seq 20 and 21).
    QCOMPARE(sqliteRows(images, "SELECT count(*) FROM h_image;"), QStringList{QStringLiteral("37")});
    QCOMPARE(sqliteRows(images, "SELECT DISTINCT num FROM h_image ORDER BY num;"),
             (QStringList{"1", "9", "20", "21", "22"}));
    QStringList names;
    for (int i = 1; i <= 16; ++i)
        names << QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
    QCOMPARE(sqliteRows(images, "SELECT name FROM h_image WHERE num = 20 ORDER BY name;"), names);
    QVERIFY(!sqliteRows(images,
                        "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'h_image' AND sql LIKE "
                        "'%num%name%';")
                     .isEmpty());

    const auto strokes = StrokeImageBuilder::loadStrokes(strokeFile(QStringLiteral("學")));
    QVERIFY(strokes);
    const std::vector<QImage> expected = StrokeImageBuilder::renderSteps(*strokes);

    DB_Hanja accessor(QFile::encodeName(dir.path() + QLatin1Char('/')));
    for (int seq : {20, 21}) {
        DataList *list = accessor.GetChinesLineImage(seq);
        QVERIFY(list);
        QCOMPARE(list->GetCount(), 16);
        for (int i = 0; i < 16; ++i) {
            const QImage image = list->GetItem(i)->GetImage(0);
            QVERIFY(!image.isNull());
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                     expected[size_t(i)].convertToFormat(QImage::Format_RGB32));
        }
    }
    // seq -> pictures: 一, 力 and its compatibility form; 人 and 乭 have no data here; no such seq.
    for (const auto &[seq, count] :
         std::vector<std::pair<int, int>>{{1, 1}, {9, 2}, {22, 2}, {2, 0}, {23, 0}, {999, 0}}) {
        DataList *list = accessor.GetChinesLineImage(seq);
        QCOMPARE(list ? list->GetCount() : 0, count);
    }
}

void TestStrokeImageBuilder::missingSourcesFailWithoutOutput()
{
    QTemporaryDir dir;
    BuildContext ctx;
    ctx.outDir = dir.path();
    ctx.sources.nodeModules = sourceDir();
    const QString images = dir.filePath(QStringLiteral("himage.sdb"));

    QVERIFY(!StrokeImageBuilder::build(ctx)); // no hanja.sdb yet
    QVERIFY(!QFile::exists(images));

    const QString hanja = dir.filePath(QStringLiteral("hanja.sdb"));
    QVERIFY(exec(hanja, "CREATE TABLE h_word (ID INTEGER);"));
    QVERIFY(!StrokeImageBuilder::build(ctx)); // a database without h_character
    QVERIFY(!QFile::exists(images));

    QVERIFY(exec(hanja,
                 "CREATE TABLE h_character (seq INTEGER, hanja TEXT); INSERT INTO h_character VALUES (1, '一');"));
    ctx.sources.nodeModules = dir.filePath(QStringLiteral("nowhere"));
    QVERIFY(!StrokeImageBuilder::build(ctx)); // no stroke data
    QVERIFY(!QFile::exists(images));

    ctx.sources.nodeModules = sourceDir();
    QVERIFY(StrokeImageBuilder::build(ctx));
    QCOMPARE(sqliteRows(images, "SELECT count(*) FROM h_image;"), QStringList{QStringLiteral("1")});
}

QTEST_GUILESS_MAIN(TestStrokeImageBuilder)
#include "tst_strokeimagebuilder.moc"
