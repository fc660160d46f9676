// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BTextBrowser.h"

#include "LumiPaths.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <utility>
#include <vector>

namespace {
// Separates href and target inside a folded href. A noncharacter never occurs in dictionary text
// or link names, survives Qt's HTML importer untouched and is removed again by splitTargets().
constexpr char16_t TargetSeparator = 0xFDD0;

struct TagAttribute
{
    QString name; // lower case
    qsizetype start = 0; // first character of the name
    qsizetype end = 0; // one past the value (or the name when there is no value)
    qsizetype valueStart = -1; // the value including its quotes, -1 without value
    QString value; // raw text between the quotes
};

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Reads the attributes of the tag whose name ends at `pos`, up to the closing '>'. Accepts the
// old-style forms the renderers write: spaces around '=', unquoted and single-quoted values.
// Answers the position of the '>' (or the text's length when the tag is not closed).
qsizetype readAttributes(const QString &html, qsizetype pos, std::vector<TagAttribute> &attributes)
{
    const qsizetype n = html.size();
    while (pos < n) {
        while (pos < n && isSpace(html.at(pos)))
            ++pos;
        if (pos >= n || html.at(pos) == u'>')
            break;
        if (html.at(pos) == u'/') {
            ++pos;
            continue;
        }
        TagAttribute attribute;
        attribute.start = pos;
        while (pos < n && !isSpace(html.at(pos)) && html.at(pos) != u'=' && html.at(pos) != u'>')
            ++pos;
        attribute.name = html.mid(attribute.start, pos - attribute.start).toLower();
        attribute.end = pos;
        qsizetype look = pos;
        while (look < n && isSpace(html.at(look)))
            ++look;
        if (look < n && html.at(look) == u'=') {
            ++look;
            while (look < n && isSpace(html.at(look)))
                ++look;
            attribute.valueStart = look;
            if (look < n && (html.at(look) == u'"' || html.at(look) == u'\'')) {
                const QChar quote = html.at(look);
                const qsizetype close = html.indexOf(quote, look + 1);
                const qsizetype stop = close < 0 ? n : close;
                attribute.value = html.mid(look + 1, stop - look - 1);
                pos = close < 0 ? n : close + 1;
            } else {
                qsizetype stop = look;
                while (stop < n && !isSpace(html.at(stop)) && html.at(stop) != u'>')
                    ++stop;
                attribute.value = html.mid(look, stop - look);
                pos = stop;
            }
            attribute.end = pos;
        }
        attributes.push_back(attribute);
    }
    return pos;
}

QString quoted(QString value)
{
    value.replace(u'"', QStringLiteral("&quot;"));
    return u'"' + value + u'"';
}

// Text of a source that is to be shown as a document, or a null string when it is not text.
QString decodeText(const QVariant &data)
{
    if (data.userType() == QMetaType::QString)
        return data.toString();
    if (data.userType() != QMetaType::QByteArray)
        return QString();
    const QByteArray bytes = data.toByteArray();
    if (bytes.contains('\0'))
        return QString();
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString();
    if (text.isNull())
        text = QLatin1String("");
    return text;
}
} // namespace

BTextBrowser::BTextBrowser(QWidget *parent, const char *name)
    : BTextView(parent, name)
{
    const QString dir = LumiPaths::pixmapDir();
    setSearchPaths({dir, dir + QStringLiteral("wordpart/")});
    viewport()->setMouseTracking(true);
}

BTextBrowser::~BTextBrowser() = default;

QString BTextBrowser::prepareHtml(const QString &html)
{
    QString out;
    out.reserve(html.size() + 16);
    qsizetype copied = 0;
    qsizetype pos = 0;
    const qsizetype n = html.size();
    while ((pos = html.indexOf(u'<', pos)) >= 0) {
        const QChar next = pos + 1 < n ? html.at(pos + 1) : QChar();
        const bool startsTag
                = (next.unicode() < 128 && next.isLetter()) || next == u'/' || next == u'!' || next == u'?';
        if (!startsTag) {
            // Qt takes any '<' as the start of a tag and swallows the text after it.
            out += QStringView(html).mid(copied, pos - copied);
            out += QStringLiteral("&lt;");
            copied = ++pos;
            continue;
        }
        if (pos + 2 >= n || (html.at(pos + 1) != u'a' && html.at(pos + 1) != u'A') || !isSpace(html.at(pos + 2))) {
            ++pos;
            continue;
        }
        std::vector<TagAttribute> attributes;
        const qsizetype tagEnd = readAttributes(html, pos + 2, attributes);
        const TagAttribute *href = nullptr;
        const TagAttribute *target = nullptr;
        for (const TagAttribute &attribute : attributes) {
            if (attribute.name == u"href" && !href)
                href = &attribute;
            else if (attribute.name == u"target" && !target)
                target = &attribute;
        }
        if (!target || target->valueStart < 0) {
            pos = tagEnd;
            continue;
        }
        // Rebuild the tag: everything but the target, with the target folded into the href.
        const QString folded = quoted((href ? href->value : QString()) + QChar(TargetSeparator) + target->value);
        out += QStringView(html).mid(copied, pos + 2 - copied);
        qsizetype cursor = pos + 2;
        for (const TagAttribute &attribute : attributes) {
            if (&attribute == target) {
                out += QStringView(html).mid(cursor, attribute.start - cursor);
                cursor = attribute.end;
            } else if (&attribute == href) {
                out += QStringView(html).mid(cursor, attribute.start - cursor);
                out += QStringLiteral("href=") + folded;
                cursor = attribute.end;
            }
        }
        out += QStringView(html).mid(cursor, tagEnd - cursor);
        if (!href)
            out += QStringLiteral(" href=") + folded;
        copied = tagEnd;
        pos = tagEnd;
    }
    out += QStringView(html).mid(copied);
    return out;
}

void BTextBrowser::splitTargets()
{
    struct Range
    {
        int start;
        int length;
        QTextCharFormat format;
    };
    std::vector<Range> ranges;
    QTextDocument *doc = document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            const QString href = format.anchorHref();
            const qsizetype cut = href.indexOf(QChar(TargetSeparator));
            if (cut < 0)
                continue;
            format.setAnchorHref(href.left(cut));
            format.setProperty(TargetProperty, href.mid(cut + 1));
            ranges.push_back({fragment.position(), fragment.length(), format});
        }
    }
    if (ranges.empty())
        return;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (const Range &range : ranges) {
        cursor.setPosition(range.start);
        cursor.setPosition(range.start + range.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(range.format);
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
}

QTextCharFormat BTextBrowser::charFormatAt(const QPoint &viewportPos) const
{
    const QPoint contentsPos = viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return document()->documentLayout()->formatAt(contentsPos).toCharFormat();
}

int BTextBrowser::linkAt(const QPoint &viewportPos) const
{
    const QPoint contentsPos = viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int position = document()->documentLayout()->hitTest(contentsPos, Qt::ExactHit);
    if (position < 0)
        return -1;
    const auto linkOf = [](const QTextCharFormat &format) -> QString {
        return format.anchorHref() + QChar(TargetSeparator) + format.property(TargetProperty).toString();
    };
    const QTextBlock block = document()->findBlock(position);
    int runStart = -1;
    QString runLink;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QString link = linkOf(fragment.charFormat());
        if (link != runLink || runStart < 0) {
            runStart = fragment.position();
            runLink = link;
        }
        if (fragment.contains(position))
            return link.size() > 1 ? runStart : -1;
    }
    return -1;
}

QString BTextBrowser::anchorAt(const QPoint &pos) const
{
    const QString href = charFormatAt(pos).anchorHref();
    // A folded href can only be left by Qt's own document loading (history); cut it here too.
    const qsizetype cut = href.indexOf(QChar(TargetSeparator));
    return cut < 0 ? href : href.left(cut);
}

QString BTextBrowser::anchorAtTarget(const QPoint &pos) const
{
    const QTextCharFormat format = charFormatAt(pos);
    const QString target = format.property(TargetProperty).toString();
    if (!target.isEmpty())
        return target;
    const QString href = format.anchorHref();
    const qsizetype cut = href.indexOf(QChar(TargetSeparator));
    return cut < 0 ? QString() : href.mid(cut + 1);
}

void BTextBrowser::setText(const QString &text, const QString &context, bool moveToTop)
{
    QScrollBar *horizontal = horizontalScrollBar();
    QScrollBar *vertical = verticalScrollBar();
    if (moveToTop) {
        horizontal->setValue(0);
        vertical->setValue(0);
    }
    const int x = horizontal->value();
    const int y = vertical->value();

    document()->setBaseUrl(context.isEmpty() ? QUrl() : QUrl(context));
    setHtml(prepareHtml(text));
    splitTargets();

    // Lay the whole text out now so that the scroll bars know its height before the old
    // position is put back.
    document()->documentLayout()->documentSize();
    horizontal->setValue(moveToTop ? 0 : x);
    vertical->setValue(moveToTop ? 0 : y);
}

void BTextBrowser::viewportMousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        m_pressedHref = anchorAt(pos);
        m_pressedTarget = anchorAtTarget(pos);
        m_pressedLink = linkAt(pos);
        m_pressedGlobalPos = event->globalPosition().toPoint();
    }
    BTextView::viewportMousePressEvent(event);
}

void BTextBrowser::viewportMouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton) {
        const QPoint pos = event->position().toPoint();
        const QString href = anchorAt(pos);
        const QString target = anchorAtTarget(pos);
        if (href.isEmpty() && target.isEmpty()) {
            if (!m_highlightedHref.isEmpty()) {
                m_highlightedHref.clear();
                Q_EMIT highlighted(QString());
            }
        } else if (href != m_highlightedHref || !target.isEmpty()) {
            m_highlightedHref = href;
            Q_EMIT highlighted(href);
        }
        const bool overLink = !href.isEmpty() || !target.isEmpty();
        viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    BTextView::viewportMouseMoveEvent(event);
}

void BTextBrowser::viewportMouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        // A tap counts only when press and release hit the same link; pressing one link and
        // releasing on another does nothing, even when both have the same href or target.
        const bool sameLink = m_pressedLink >= 0 && linkAt(pos) == m_pressedLink;
        const QString pressedHref = std::exchange(m_pressedHref, QString());
        const QString pressedTarget = std::exchange(m_pressedTarget, QString());
        m_pressedLink = -1;
        if (sameLink && !pressedHref.isEmpty() && !pressedHref.startsWith(u'@'))
            setSource(QUrl(pressedHref));
        if (sameLink && !pressedTarget.isEmpty())
            Q_EMIT targetHit(pressedTarget);
    }
    BTextView::viewportMouseReleaseEvent(event);
}

void BTextBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    const QString href = name.toString();
    // Links starting with "@" name something the entry screen handles itself.
    if (href.startsWith(u'@'))
        return;
    const bool fragmentOnly = name.scheme().isEmpty() && name.path().isEmpty() && name.hasFragment();
    if (!fragmentOnly && type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource) {
        const QUrl url = source().isValid() ? source().resolved(name) : name;
        const QVariant data = loadResource(QTextDocument::HtmlResource, url);
        // The document is left as it is when the source cannot be shown: the entry screen
        // renders its entry again after such a tap, from the same scroll position.
        if (!data.isValid()) {
            qWarning("BTextBrowser: no mimesource for %s", qUtf8Printable(href));
            return;
        }
        if (decodeText(data).isNull()) {
            qWarning("BTextBrowser: cannot decode %s", qUtf8Printable(href));
            return;
        }
    }
    QTextBrowser::doSetSource(name, type);
    splitTargets();
}

QVariant BTextBrowser::loadResource(int type, const QUrl &name)
{
    const QVariant data = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource || !data.isValid())
        return data;
    const QString text = decodeText(data);
    return text.isNull() ? data : QVariant(prepareHtml(text));
}
