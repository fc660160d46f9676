// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "SkinPixmap.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QTextStream>

namespace {
struct Entry
{
    QString name;
    QSize size; // width 0: any width
};

QList<Entry> readTable()
{
    QList<Entry> entries;
    QFile file(qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/skin/pixmaps.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));
        const QStringList size = fields.value(1).split(QLatin1Char('x'));
        entries.append({fields.at(0), QSize(size.value(0).toInt(), size.value(1).toInt())});
    }
    return entries;
}
} // namespace

class tst_SkinSet : public QObject
{
    Q_OBJECT
private slots:
    void builtSetMatchesTheTable();
    void controlsUseListedNames();
    void missingPictureIsNullAndQuick();
};

void tst_SkinSet::builtSetMatchesTheTable()
{
    const QList<Entry> entries = readTable();
    QVERIFY2(entries.size() > 100, "skin/pixmaps.txt not found or nearly empty");
    const QDir pics(qEnvironmentVariable("LUMI_PIXMAP_DIR"));
    QSet<QString> listed;
    for (const Entry &e : entries) {
        QVERIFY2(!listed.contains(e.name), qPrintable(QStringLiteral("listed twice: ") + e.name));
        listed.insert(e.name);
        const QImage image(pics.filePath(e.name));
        QVERIFY2(!image.isNull(), qPrintable(QStringLiteral("not built: ") + e.name));
        if (e.size.width() > 0)
            QCOMPARE(image.width(), e.size.width());
        QCOMPARE(image.height(), e.size.height());
    }
    // Every part-of-speech label from 01 to 54.
    for (int i = 1; i <= 54; ++i)
        QVERIFY(listed.contains(QStringLiteral("wordpart/%1.png").arg(i, 2, 10, QLatin1Char('0'))));
    // Nothing in the built directory that the table does not list.
    QDirIterator it(pics.path(), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = pics.relativeFilePath(it.next());
        QVERIFY2(listed.contains(name), qPrintable(QStringLiteral("not in the table: ") + name));
    }
}

void tst_SkinSet::controlsUseListedNames()
{
    // The pictures the controls load by name themselves (the screens' names are checked where
    // the screens are tested).
    QSet<QString> listed;
    for (const Entry &e : readTable())
        listed.insert(e.name);
    const QStringList states
            = {QStringLiteral("Normal"), QStringLiteral("Focus"), QStringLiteral("Down"), QStringLiteral("Disable")};
    QStringList names;
    for (const QString &s : states) {
        for (const char *part : {"Left", "Center", "Right"})
            names << QStringLiteral("Btn") + s + QLatin1String(part) + QLatin1String(".png");
    }
    names << QStringLiteral("Btn2Left.png") << QStringLiteral("Btn2Center.png")
          << QStringLiteral("full_down_bt_nor.png") << QStringLiteral("full_down_bt_foc.png")
          << QStringLiteral("full_down_bt_pre.png") << QStringLiteral("full_down_bt_dis.png")
          << QStringLiteral("arrow_bt_nor.png") << QStringLiteral("arrow_bt_foc.png")
          << QStringLiteral("arrow_bt_nor_act.png") << QStringLiteral("arrow_bt_foc_act.png")
          << QStringLiteral("focusbox_left.png") << QStringLiteral("focusbox_center.png")
          << QStringLiteral("focusbox_right.png");
    for (const QString &name : std::as_const(names)) {
        QVERIFY2(listed.contains(name), qPrintable(name));
        QVERIFY2(!SkinPixmap::get(name).isNull(), qPrintable(name));
    }
}

void tst_SkinSet::missingPictureIsNullAndQuick()
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 1000; ++i)
        QVERIFY(SkinPixmap::get(QStringLiteral("no-such-picture.png")).isNull());
    QVERIFY(SkinPixmap::get(QString()).isNull());
    QVERIFY(SkinPixmap::get(QStringLiteral("../../../etc/hostname")).isNull());
    // Looked up once, then answered from memory.
    QVERIFY(timer.elapsed() < 2000);
    const QPixmap a = SkinPixmap::get(QStringLiteral("star.png"));
    const QPixmap b = SkinPixmap::get(QStringLiteral("star.png"));
    QVERIFY(!a.isNull());
    QCOMPARE(a.cacheKey(), b.cacheKey());
}

QTEST_MAIN(tst_SkinSet)
#include "tst_skinset.moc"
