// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <optional>
#include <vector>

struct BuildContext;

// Stroke-order pictures of the Hanja characters ("himage.sdb"): for every character of the
// Hanja dictionary's h_character table that the stroke data of hanzi-writer-data knows, one
// small PNG per stroke, stored as h_image(num, name, data) with num the character's seq and
// name "001", "002", ... so that name order is stroke order.
//
// Picture k shows the strokes before k in black, stroke k in red and the strokes still to come
// in light grey, so that the learner sees both the order and where the character is heading.
namespace StrokeImageBuilder {

// Edge of the square pictures in pixels. The character card shows them in a grid of 8 columns
// by 3 rows over 480 x 200 pixels: 56 pixels fit a cell without being scaled.
constexpr int PictureSize = 56;

// The stroke data's outlines live in a 1024-unit box whose y axis points up; the box's
// baseline sits at y = 900 (the usual transform is translate(0, 900) scale(1, -1)).
constexpr double SourceBox = 1024.0;
constexpr double SourceBaseline = 900.0;

// Parses SVG path data: the commands M, L, H, V, Q, T, C, S and Z in absolute and relative
// form, with implicit repetition. Coordinates are kept as they are (no transform). Empty
// optional for malformed data or a command this parser does not know (arcs).
std::optional<QPainterPath> parsePath(const QString &data);

// The strokes of one character's JSON file ({"strokes": ["M ...", ...], "medians": ...}), in
// stroke order and in the source's coordinates. Empty optional when the file is missing, is no
// JSON object, has no strokes or holds a stroke that does not parse.
std::optional<std::vector<QPainterPath>> loadStrokes(const QString &jsonFile);

// Maps a point of the stroke data onto a picture of the given size.
QPointF toPicture(const QPointF &source, int size = PictureSize);

// One picture per stroke (see above), in stroke order, as 8-bit indexed images on white.
std::vector<QImage> renderSteps(const std::vector<QPainterPath> &strokes, int size = PictureSize);

// A compact PNG of an indexed picture: the palette trimmed to the colours in use, 4 bits per
// pixel when they fit, no ancillary chunks.
QByteArray encodePng(const QImage &picture);

// The step itself: reads ctx.outPath("hanja.sdb") and ctx.sources.nodeModules +
// "/hanzi-writer-data/", writes ctx.outPath("himage.sdb"). False (with a log line) when either
// source is missing or the database cannot be written.
bool build(const BuildContext &ctx);

} // namespace StrokeImageBuilder
