// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
//
// Draws the program's pictures from the table in pixmaps.txt (name | size | recipe | arguments)
// into an output directory. Every picture is drawn here with QPainter; nothing is copied.
//
//   lumi-skin-gen <pixmaps.txt> <output directory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

struct Family
{
    QColor menu; // menu-area background
    QColor frame; // frame-area background
    QColor font; // font colour
};

Family family(const QString &name)
{
    if (name == QLatin1String("kor"))
        return {{221, 189, 128}, {245, 236, 205}, {193, 140, 129}};
    if (name == QLatin1String("jpn"))
        return {{255, 162, 171}, {246, 214, 227}, {187, 128, 149}};
    if (name == QLatin1String("chn"))
        return {{179, 191, 115}, {227, 246, 214}, {166, 174, 123}};
    return {{144, 181, 198}, {204, 228, 246}, {133, 171, 190}};
}

QFont uiFont(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("NanumGothic"));
    f.setFamilies({QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans CJK KR"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont cjkFont(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("Noto Sans CJK KR"));
    f.setFamilies({QStringLiteral("Noto Sans CJK KR"), QStringLiteral("NanumGothic")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QImage blank(int w, int h, const QColor &fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

QLinearGradient vertical(const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A whole skin face of `w` x `h` for the slice recipes; the slices are cut out of it.
QImage sliceFace(const QString &set, const QString &state, int w, int h)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    if (set == QLatin1String("btn")) {
        QColor top(252, 252, 252), bottom(220, 222, 226), border(140, 144, 150);
        if (state == QLatin1String("focus")) {
            top = QColor(104, 146, 206);
            bottom = QColor(46, 84, 146);
            border = QColor(30, 56, 100);
        } else if (state == QLatin1String("down")) {
            top = QColor(86, 86, 90);
            bottom = QColor(120, 120, 124);
            border = QColor(50, 50, 54);
        } else if (state == QLatin1String("disable")) {
            top = bottom = QColor(238, 238, 238);
            border = QColor(200, 200, 200);
        }
        p.setPen(QPen(border, 1));
        p.setBrush(vertical(r, top, bottom));
        p.drawRoundedRect(r, 3.5, 3.5);
        if (state == QLatin1String("normal") || state == QLatin1String("focus")) {
            p.setPen(QPen(QColor(255, 255, 255, 110), 1));
            p.drawLine(QPointF(3, 1.5), QPointF(w - 3, 1.5));
        }
    } else if (set == QLatin1String("field")) {
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.setBrush(vertical(r, QColor(255, 255, 255), QColor(246, 246, 246)));
        p.drawRoundedRect(r.adjusted(0, 0, 8, 0), 2.5, 2.5);
    } else if (set == QLatin1String("focusbox")) {
        p.setPen(QPen(QColor(226, 128, 24), 2));
        p.setBrush(vertical(r, QColor(255, 236, 196), QColor(255, 204, 120)));
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 4, 4);
    }
    return img;
}

QImage recipeSlice(int w, int h, const QStringList &a)
{
    const int faceWidth = 40;
    const QImage face = sliceFace(a.value(0), a.value(1), faceWidth, h);
    const QString part = a.value(2);
    if (part == QLatin1String("left"))
        return face.copy(0, 0, w, h);
    if (part == QLatin1String("right"))
        return face.copy(faceWidth - w, 0, w, h);
    return face.copy((faceWidth - w) / 2, 0, w, h);
}

QImage recipeDropDown(int w, int h, const QStringList &a)
{
    const QString state = a.value(0);
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    QColor top(250, 250, 250), bottom(226, 228, 232), arrow(80, 80, 80);
    if (state == QLatin1String("focus")) {
        top = QColor(104, 146, 206);
        bottom = QColor(46, 84, 146);
        arrow = Qt::white;
    } else if (state == QLatin1String("down")) {
        top = QColor(96, 96, 100);
        bottom = QColor(130, 130, 134);
        arrow = QColor(220, 220, 220);
    } else if (state == QLatin1String("disable")) {
        top = bottom = QColor(238, 238, 238);
        arrow = QColor(180, 180, 180);
    }
    // The field's frame continues into the piece; the piece itself is a rounded button.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r.adjusted(-8, 0, 0, 0), 2.5, 2.5);
    p.setBrush(vertical(r, top, bottom));
    p.drawRoundedRect(QRectF(2.5, 2.5, w - 5, h - 5), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    const double cx = w / 2.0, cy = h / 2.0 + 1;
    const QPointF tri[] = {{cx - 4.5, cy - 2.5}, {cx + 4.5, cy - 2.5}, {cx, cy + 2.5}};
    p.drawPolygon(tri, 3);
    return img;
}

QImage recipeArrow(int w, int h, const QStringList &a)
{
    const QString v = a.value(0);
    const bool focus = v.startsWith(QLatin1String("focus"));
    const bool open = v.endsWith(QLatin1String("_act"));
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (focus) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QRectF(0, 0, w, h));
    }
    p.setPen(QPen(QColor(60, 60, 60, 120), 1));
    p.setBrush(focus ? QColor(255, 232, 120) : QColor(Qt::white));
    const double cx = w / 2.0, cy = h / 2.0;
    if (open) {
        const QPointF tri[] = {{cx - 3.5, cy + 2}, {cx + 3.5, cy + 2}, {cx, cy - 2.5}};
        p.drawPolygon(tri, 3);
    } else {
        const QPointF tri[] = {{cx - 3.5, cy - 2}, {cx + 3.5, cy - 2}, {cx, cy + 2.5}};
        p.drawPolygon(tri, 3);
    }
    return img;
}

QImage recipeMenuBar(int w, int h, const QStringList &a)
{
    const Family f = family(a.value(0));
    QImage img = blank(w, h);
    QPainter p(&img);
    // Dark enough under the white labels of the guide button.
    p.fillRect(img.rect(), vertical(img.rect(), f.menu.darker(108), f.menu.darker(132)));
    p.setPen(f.menu.lighter(110));
    p.drawLine(0, 0, w - 1, 0);
    p.setPen(f.menu.darker(160));
    p.drawLine(0, h - 1, w - 1, h - 1);
    return img;
}

QImage recipeMenuButton(int w, int h, const QStringList &a)
{
    const bool pressed = a.value(0) == QLatin1String("pressed");
    const QColor base = pressed ? QColor(64, 64, 68) : family(a.value(0)).menu.darker(135);
    QImage img = blank(w, h, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), vertical(img.rect(), base.lighter(pressed ? 100 : 120), base));
    p.setPen(base.darker(140));
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(pressed ? QColor(210, 210, 210) : QColor(Qt::white));
    p.setFont(uiFont(12, true));
    p.drawText(QRect(0, pressed ? 1 : 0, w - 1, h), Qt::AlignCenter, QStringLiteral("메뉴"));
    return img;
}

void drawClock(QPainter &p, const QRectF &r, const QColor &face, const QColor &hands)
{
    p.setPen(QPen(hands, 1.2));
    p.setBrush(face);
    p.drawEllipse(r);
    const QPointF c = r.center();
    p.drawLine(c, QPointF(c.x(), r.top() + r.height() * 0.22));
    p.drawLine(c, QPointF(r.right() - r.width() * 0.25, c.y()));
}

QImage recipeHistoryButton(int w, int h, const QStringList &a)
{
    const Family f = family(a.value(0));
    const bool focus = a.value(1) == QLatin1String("focus");
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), vertical(img.rect(), f.menu.lighter(118), f.menu.darker(104)));
    const QRectF pill(2.5, 2.5, w - 5, h - 5);
    p.setPen(QPen(focus ? QColor(255, 255, 255) : f.menu.darker(130), 1));
    p.setBrush(focus ? vertical(pill, f.menu.darker(150), f.menu.darker(175))
                     : vertical(pill, f.menu.lighter(130), f.menu));
    p.drawRoundedRect(pill, 8, 8);
    drawClock(p, QRectF(7, 5.5, 12, 12), Qt::white, focus ? f.menu.darker(180) : f.menu.darker(160));
    p.setPen(focus ? QColor(Qt::white) : f.menu.darker(200));
    p.setFont(uiFont(11, true));
    p.drawText(QRect(22, 0, w - 26, h), Qt::AlignCenter, QStringLiteral("History"));
    return img;
}

QImage recipeClose(int w, int h, const QStringList &a)
{
    const QString state = a.value(0);
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QColor disc(90, 90, 96), cross(Qt::white), ring(40, 40, 44);
    if (state == QLatin1String("down")) {
        disc = QColor(50, 50, 54);
        cross = QColor(200, 200, 200);
    } else if (state == QLatin1String("focus")) {
        disc = QColor(200, 60, 50);
        ring = QColor(255, 220, 120);
    } else if (state == QLatin1String("disable")) {
        disc = QColor(190, 190, 190);
        cross = QColor(236, 236, 236);
        ring = QColor(170, 170, 170);
    }
    const QRectF r(1.5, 1.5 + (h - w) / 2.0, w - 3, w - 3);
    p.setPen(QPen(ring, state == QLatin1String("focus") ? 2 : 1));
    p.setBrush(vertical(r, disc.lighter(125), disc));
    p.drawEllipse(r);
    p.setPen(QPen(cross, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    const double d = 3.6;
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
    return img;
}

void drawBook(QPainter &p, const QRectF &r, const QColor &cover)
{
    p.setPen(QPen(cover.darker(160), 1));
    p.setBrush(cover);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + 3, r.top() + 2, r.width() - 5, r.height() - 4));
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    for (double y = r.top() + 5; y < r.bottom() - 3; y += 2.5)
        p.drawLine(QPointF(r.left() + 5, y), QPointF(r.right() - 3, y));
}

QImage recipeIcon(int w, int h, const QStringList &a)
{
    const QString kind = a.value(0);
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == QLatin1String("find")) {
        p.setPen(QPen(QColor(50, 70, 110), 2.2));
        p.setBrush(QColor(220, 236, 255));
        p.drawEllipse(QRectF(2, 2, 10, 10));
        p.setPen(QPen(QColor(50, 70, 110), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11.5, 11.5), QPointF(16, 16));
    } else if (kind == QLatin1String("dic")) {
        drawBook(p, QRectF(2.5, 1.5, 13, 15), QColor(70, 110, 170));
    } else if (kind == QLatin1String("word_add")) {
        drawBook(p, QRectF(1.5, 1.5, 12, 14), QColor(90, 150, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 120, 30));
        p.drawEllipse(QRectF(9, 9, 9, 9));
        p.setPen(QPen(Qt::white, 1.6));
        p.drawLine(QPointF(13.5, 10.8), QPointF(13.5, 16.2));
        p.drawLine(QPointF(10.8, 13.5), QPointF(16.2, 13.5));
    } else if (kind == QLatin1String("study")) {
        // A mortarboard.
        p.setPen(QPen(QColor(30, 30, 40), 1));
        p.setBrush(QColor(60, 60, 80));
        const QPointF top[] = {{9, 3}, {17, 7}, {9, 11}, {1, 7}};
        p.drawPolygon(top, 4);
        p.drawRect(QRectF(5, 9, 8, 5));
        p.setPen(QPen(QColor(230, 180, 40), 1.4));
        p.drawLine(QPointF(15, 8), QPointF(15, 14));
    } else if (kind == QLatin1String("setting")) {
        const QPointF c(9, 9);
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            const double ang = i * M_PI / 4;
            const QPointF dir(std::cos(ang), std::sin(ang));
            const QPointF n(-dir.y(), dir.x());
            QPolygonF tooth;
            tooth << c + dir * 5 + n * 1.8 << c + dir * 8 + n * 1.4 << c + dir * 8 - n * 1.4 << c + dir * 5 - n * 1.8;
            gear.addPolygon(tooth);
        }
        gear.addEllipse(c, 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(100, 104, 112));
        p.drawPath(gear.simplified());
        p.setBrush(Qt::white);
        p.drawEllipse(c, 2.4, 2.4);
    } else if (kind == QLatin1String("exit")) {
        p.setPen(QPen(QColor(200, 50, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3.5, 12, 12), 120 * 16, 300 * 16);
        p.drawLine(QPointF(9, 2), QPointF(9, 9));
    } else if (kind == QLatin1String("history")) {
        drawClock(p, QRectF(2, 2, 14, 14), QColor(255, 250, 235), QColor(120, 80, 40));
    } else if (kind == QLatin1String("link")) {
        p.setPen(QPen(QColor(255, 255, 255), 2.2));
        p.setBrush(Qt::NoBrush);
        p.translate(w / 2.0, h / 2.0);
        p.rotate(-35);
        p.drawRoundedRect(QRectF(-8, -3, 9, 6), 3, 3);
        p.drawRoundedRect(QRectF(-1, -3, 9, 6), 3, 3);
    }
    return img;
}

QImage recipeConversation(int w, int h, const QStringList &a)
{
    const Family f = family(a.value(0));
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 1.5, 16, 11.5), 4, 4);
    QPolygonF tail;
    tail << QPointF(4, 12) << QPointF(4, 17) << QPointF(9, 12);
    bubble.addPolygon(tail);
    p.setPen(QPen(f.menu.darker(150), 1));
    p.setBrush(f.menu.darker(110));
    p.drawPath(bubble.simplified());
    p.setPen(Qt::white);
    p.setFont(uiFont(10, true));
    p.drawText(QRect(1, 1, 16, 12), Qt::AlignCenter, a.value(1));
    return img;
}

QImage recipeDicIcon(int w, int h, const QStringList &a)
{
    const Family f = family(a.value(0));
    const QString label = a.value(1);
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(f.menu.darker(160), 1));
    p.setBrush(vertical(r, f.menu.lighter(105), f.menu.darker(125)));
    p.drawRoundedRect(r, 3.5, 3.5);
    p.setPen(Qt::white);
    const bool latin = label.at(0).unicode() < 0x80;
    p.setFont(latin ? uiFont(8, true) : cjkFont(12, true));
    p.drawText(img.rect().adjusted(0, latin ? 0 : -1, 0, 0), Qt::AlignCenter, label);
    return img;
}

QImage recipeTextButton(int w, int h, const QStringList &a)
{
    const QString kind = a.value(0);
    const bool down = a.value(1) == QLatin1String("down");
    const QString label = a.value(2);
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    const QColor top = down ? QColor(96, 110, 136) : QColor(255, 255, 255);
    const QColor bottom = down ? QColor(70, 84, 110) : QColor(222, 228, 236);
    p.setPen(QPen(down ? QColor(50, 60, 80) : QColor(140, 150, 165), 1));
    p.setBrush(vertical(r, top, bottom));
    p.drawRoundedRect(r, 4, 4);
    const QColor ink = down ? QColor(Qt::white) : QColor(40, 50, 70);
    int x = 4;
    if (kind == QLatin1String("sound")) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const QPointF speaker[] = {{4, 7}, {7, 7}, {11, 3.5}, {11, 14.5}, {7, 11}, {4, 11}};
        p.drawPolygon(speaker, 6);
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(9, 5, 6, 8), -50 * 16, 100 * 16);
        x = 16;
    } else if (kind == QLatin1String("add")) {
        p.setPen(QPen(down ? QColor(255, 220, 140) : QColor(220, 110, 30), 2));
        p.drawLine(QPointF(8, 5), QPointF(8, 13));
        p.drawLine(QPointF(4, 9), QPointF(12, 9));
        x = 14;
    } else if (kind == QLatin1String("back")) {
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(17, 13);
        path.lineTo(17, 8.5);
        path.quadTo(17, 6, 14, 6);
        path.lineTo(8, 6);
        p.drawPath(path);
        const QPointF head[] = {{10.5, 3}, {7, 6}, {10.5, 9}};
        p.drawPolyline(head, 3);
    }
    if (!label.isEmpty()) {
        p.setPen(ink);
        p.setFont(uiFont(11, true));
        p.drawText(QRect(x, 0, w - x - 3, h), Qt::AlignCenter, label);
    }
    return img;
}

QImage recipeLine(int w, int h, const QStringList &)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, QColor(150, 150, 150));
    g.setColorAt(0.6, QColor(200, 200, 200));
    g.setColorAt(1, QColor(245, 245, 245));
    p.fillRect(img.rect(), g);
    return img;
}

QImage recipeTab(int w, int h, const QStringList &)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, w - 2, h - 3);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(vertical(r, QColor(255, 255, 255), QColor(236, 236, 236)));
    p.drawRoundedRect(r.adjusted(0, 0, 4, 0), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 130, 30));
    p.drawRect(QRectF(1.5, 4, 2.5, h - 8));
    return img;
}

QImage recipeStar(int w, int h, const QStringList &)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF star;
    const QPointF c(w / 2.0, h / 2.0 + 0.4);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 2.3 : 5.3;
        const double ang = -M_PI / 2 + i * M_PI / 5;
        star << c + QPointF(std::cos(ang) * radius, std::sin(ang) * radius);
    }
    p.setPen(QPen(QColor(190, 120, 0), 0.8));
    p.setBrush(QColor(255, 196, 30));
    p.drawPolygon(star);
    return img;
}

QImage recipeExpander(int w, int h, const QStringList &a)
{
    const bool open = a.value(0) == QLatin1String("open");
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(vertical(r, Qt::white, QColor(225, 225, 225)));
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(open ? QColor(30, 90, 180) : QColor(180, 50, 40), 1.6));
    p.drawLine(QPointF(3, h / 2.0), QPointF(w - 3, h / 2.0));
    if (open) // "open" offers more: a plus sign
        p.drawLine(QPointF(w / 2.0, 3), QPointF(w / 2.0, h - 3));
    return img;
}

QImage recipeCard(int w, int h, const QStringList &)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(QRectF(3, 3, w - 3, h - 3), 8, 8);
    const QRectF card(0.5, 0.5, w - 4, h - 4);
    p.setPen(QPen(QColor(190, 190, 190), 1));
    p.setBrush(vertical(card, QColor(255, 255, 250), QColor(246, 244, 236)));
    p.drawRoundedRect(card, 8, 8);
    p.setPen(QPen(QColor(225, 140, 60), 1.2));
    p.drawLine(QPointF(10, 36.5), QPointF(w - 14, 36.5));
    p.setPen(QPen(QColor(214, 226, 240), 1));
    for (int y = 60; y < h - 34; y += 22)
        p.drawLine(QPointF(10, y + 0.5), QPointF(w - 14, y + 0.5));
    return img;
}

QImage recipeBanner(int w, int h, const QStringList &)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(QColor(110, 140, 170), 1));
    p.setBrush(vertical(r, QColor(236, 244, 252), QColor(196, 218, 238)));
    p.drawRoundedRect(r, 8, 8);
    const char *const families[] = {"kor", "eng", "jpn", "chn"};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(family(QString::fromLatin1(families[i])).menu);
        p.drawEllipse(QRectF(14 + i * 9, h / 2.0 - 3.5, 7, 7));
    }
    p.setPen(QColor(40, 60, 90));
    p.setFont(uiFont(26, true));
    p.drawText(QRect(60, 0, 120, h), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lumi"));
    p.setFont(uiFont(15, true));
    p.drawText(QRect(150, 0, w - 160, h), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("전자사전"));
    p.setFont(uiFont(10));
    p.setPen(QColor(70, 90, 120));
    p.drawText(QRect(150, h - 18, w - 160, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("9 dictionaries · 3 phrasebooks"));
    return img;
}

QImage recipeLogo(int w, int h, const QStringList &)
{
    QImage img = blank(w, h, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const char *const families[] = {"kor", "eng", "jpn", "chn"};
    for (int i = 0; i < 4; ++i) {
        const QColor c = family(QString::fromLatin1(families[i])).menu;
        QRadialGradient g(QPointF(40 + (i % 2) * 26, 34 + (i / 2) * 26), 16);
        g.setColorAt(0, c.lighter(125));
        g.setColorAt(1, c);
        p.setPen(QPen(c.darker(130), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(28 + (i % 2) * 26, 22 + (i / 2) * 26, 24, 24), 6, 6);
    }
    p.setPen(QColor(40, 60, 90));
    p.setFont(uiFont(44, true));
    p.drawText(QRect(96, 8, w - 100, 62), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lumi"));
    p.setFont(uiFont(17, true));
    p.setPen(QColor(90, 110, 140));
    p.drawText(QRect(98, 66, w - 100, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("전자사전"));
    p.setPen(QPen(QColor(225, 140, 60), 2));
    p.drawLine(QPointF(28, h - 14), QPointF(w - 28, h - 14));
    return img;
}

QImage recipeWordPart(int, int h, const QStringList &a)
{
    const QString kind = a.value(0);
    const QString label = a.value(1);
    const QFont font = label.at(0).unicode() < 0x80 ? uiFont(11, true) : cjkFont(10, true);
    const int w = qMax(h, QFontMetrics(font).horizontalAdvance(label) + 6);
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    QColor fill(64, 104, 170), ink(Qt::white), border(40, 70, 130);
    if (kind == QLatin1String("usage")) {
        fill = QColor(236, 246, 230);
        ink = QColor(50, 110, 40);
        border = QColor(110, 160, 90);
    } else if (kind == QLatin1String("korean")) {
        fill = QColor(200, 96, 60);
        border = QColor(150, 60, 30);
    }
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 2.5, 2.5);
    p.setPen(ink);
    p.setFont(font);
    p.drawText(img.rect(), Qt::AlignCenter, label);
    return img;
}

using Recipe = std::function<QImage(int, int, const QStringList &)>;

const QHash<QString, Recipe> &recipes()
{
    static const QHash<QString, Recipe> table = {
            {QStringLiteral("slice"), recipeSlice},
            {QStringLiteral("dropdown"), recipeDropDown},
            {QStringLiteral("arrow"), recipeArrow},
            {QStringLiteral("menubar"), recipeMenuBar},
            {QStringLiteral("menubutton"), recipeMenuButton},
            {QStringLiteral("historybutton"), recipeHistoryButton},
            {QStringLiteral("close"), recipeClose},
            {QStringLiteral("icon"), recipeIcon},
            {QStringLiteral("conversation"), recipeConversation},
            {QStringLiteral("dicicon"), recipeDicIcon},
            {QStringLiteral("textbutton"), recipeTextButton},
            {QStringLiteral("line"), recipeLine},
            {QStringLiteral("tab"), recipeTab},
            {QStringLiteral("star"), recipeStar},
            {QStringLiteral("expander"), recipeExpander},
            {QStringLiteral("card"), recipeCard},
            {QStringLiteral("banner"), recipeBanner},
            {QStringLiteral("logo"), recipeLogo},
            {QStringLiteral("wordpart"), recipeWordPart},
    };
    return table;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        fprintf(stderr, "usage: lumi-skin-gen <pixmaps.txt> <output directory>\n");
        return 2;
    }
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fprintf(stderr, "lumi-skin-gen: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("wordpart"))) {
        fprintf(stderr, "lumi-skin-gen: cannot create %s\n", argv[2]);
        return 1;
    }

    QTextStream in(&list);
    int line = 0, written = 0, failed = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine().trimmed();
        ++line;
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = text.split(QLatin1Char('|'));
        const QStringList size = fields.value(1).split(QLatin1Char('x'));
        const Recipe recipe = recipes().value(fields.value(2));
        if (fields.size() < 3 || size.size() != 2 || !recipe) {
            fprintf(stderr, "lumi-skin-gen: line %d: cannot understand \"%s\"\n", line, qPrintable(text));
            ++failed;
            continue;
        }
        const QImage image = recipe(size.at(0).toInt(), size.at(1).toInt(), fields.mid(3));
        const QString path = out.filePath(fields.at(0));
        if (image.isNull() || !image.save(path, "PNG")) {
            fprintf(stderr, "lumi-skin-gen: cannot write %s\n", qPrintable(path));
            ++failed;
            continue;
        }
        ++written;
    }
    printf("lumi-skin-gen: %d pictures in %s\n", written, argv[2]);
    return failed ? 1 : 0;
}
