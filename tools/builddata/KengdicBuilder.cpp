// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Build step "kengdic": the Korean-English dictionary k2e.sdb from kengdic's 6000-word list, and
// the English-Korean dictionary e2k.sdb as its reverse index (English gloss words -> the Korean
// words they translate). The glosses are English; nothing is translated here.
#include "KengdicBuilder.h"

#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "SourceFiles.h"
#include "TextKeys.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <map>

namespace {

bool isHangul(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0x1100 && u <= 0x11FF) || (u >= 0x3130 && u <= 0x318F);
}

bool hasHangul(const QString &text)
{
    return std::any_of(text.begin(), text.end(), isHangul);
}

bool isIdeograph(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || c.isSurrogate();
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Some glosses went through a PHP-style escaper before the dump escaped them again:
// "father\\'s" and "wife\\\\`s" both mean an apostrophe.
QString dropEscapeDebris(QString text)
{
    static const QRegularExpression debris(QStringLiteral("\\\\+['`]"));
    text.replace(debris, QStringLiteral("'"));
    return text;
}

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

} // namespace

QString Kengdic::unescapeField(QStringView field, bool *isNull)
{
    if (isNull)
        *isNull = field == u"\\N";
    if (field == u"\\N")
        return {};
    // Escapes such as octal ones stand for bytes, so the field is rebuilt as UTF-8.
    QByteArray bytes;
    bytes.reserve(field.size() * 3);
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != QLatin1Char('\\') || i + 1 == field.size()) {
            // Plain text up to the next escape, converted in one piece (surrogate pairs stay whole).
            qsizetype end = field.indexOf(QLatin1Char('\\'), i + 1);
            if (end < 0 || end + 1 == field.size())
                end = field.size();
            bytes += field.mid(i, end - i).toUtf8();
            i = end - 1;
            continue;
        }
        const QChar e = field[++i];
        switch (e.unicode()) {
        case 'b':
            bytes += '\b';
            break;
        case 'f':
            bytes += '\f';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'v':
            bytes += '\v';
            break;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && i + 1 < field.size() && hexValue(field[i + 1]) >= 0) {
                value = value * 16 + hexValue(field[++i]);
                ++digits;
            }
            if (digits == 0)
                bytes += 'x';
            else
                bytes += char(value);
            break;
        }
        default:
            if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
                int value = e.unicode() - '0';
                for (int digits = 1; digits < 3 && i + 1 < field.size() && field[i + 1] >= QLatin1Char('0')
                                     && field[i + 1] <= QLatin1Char('7');
                     ++digits)
                    value = value * 8 + (field[++i].unicode() - '0');
                bytes += char(value & 0xFF);
            } else {
                bytes += field.mid(i, e.isHighSurrogate() ? 2 : 1).toUtf8();
                i += e.isHighSurrogate() ? 1 : 0;
            }
        }
    }
    return QString::fromUtf8(bytes);
}

std::vector<KengdicRow> Kengdic::parseDump(const QByteArray &dump, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::vector<KengdicRow>{};
    };
    QString text = QString::fromUtf8(dump);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    static const QRegularExpression copyLine(
            QStringLiteral("^COPY\\s+(?:\\w+\\.)?m_korean\\s*\\((.*)\\)\\s+FROM\\s+stdin;\\s*$"));
    qsizetype at = 0;
    QStringList columns;
    for (; at < lines.size(); ++at) {
        const QRegularExpressionMatch match = copyLine.match(lines[at]);
        if (match.hasMatch()) {
            for (const QString &column : match.captured(1).split(QLatin1Char(',')))
                columns << column.trimmed().remove(QLatin1Char('"'));
            break;
        }
    }
    if (columns.isEmpty())
        return fail(QStringLiteral("no \"COPY m_korean\" block"));
    const auto column = [&columns](const char *name) {
        return columns.indexOf(QLatin1String(name));
    };
    const qsizetype idColumn = column("wordid"), wordColumn = column("word"), synColumn = column("syn"),
                    defColumn = column("def"), posColumn = column("pos"), levelColumn = column("level"),
                    hanjaColumn = column("hanja");
    if (wordColumn < 0 || defColumn < 0)
        return fail(QStringLiteral("the m_korean block has no word or def column"));

    const auto field = [](const QStringList &fields, qsizetype index) {
        return index < 0 ? QString() : Kengdic::unescapeField(fields[index]);
    };
    std::vector<KengdicRow> rows;
    QString pending;
    bool hasPending = false;
    for (++at; at < lines.size(); ++at) {
        if (lines[at] == QLatin1String("\\.")) {
            if (error)
                error->clear();
            return rows;
        }
        // COPY escapes line breaks inside a value, so a raw one means the row was broken when
        // the dump was edited: its remainder is on the next line.
        const QString line = hasPending ? pending + QLatin1Char(' ') + lines[at] : lines[at];
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < columns.size()) {
            pending = line;
            hasPending = true;
            continue;
        }
        hasPending = false;
        if (fields.size() > columns.size())
            continue; // a stray tab: the fields cannot be told apart
        KengdicRow row;
        bool isNumber = false;
        const int id = field(fields, idColumn).toInt(&isNumber);
        row.wordId = isNumber ? id : 0;
        row.word = field(fields, wordColumn);
        row.syn = field(fields, synColumn);
        row.def = field(fields, defColumn);
        row.pos = field(fields, posColumn).trimmed();
        row.level = field(fields, levelColumn).trimmed();
        row.hanja = field(fields, hanjaColumn);
        rows.push_back(std::move(row));
    }
    return fail(QStringLiteral("the m_korean block has no end marker"));
}

QString Kengdic::headword(const QString &word)
{
    static const QRegularExpression homographNumber(QStringLiteral("(?<=[\\x{AC00}-\\x{D7A3}])\\d+$"));
    QString result = word.trimmed();
    result.remove(homographNumber);
    return result;
}

QString Kengdic::searchKey(const QString &word)
{
    QString key = headword(word);
    const qsizetype bracket = key.indexOf(QLatin1Char('('));
    if (bracket > 0)
        key = key.left(bracket).trimmed();
    return key;
}

QString Kengdic::hanjaSpelling(const QString &hanja)
{
    QString spelling;
    for (const QString &line : hanja.split(QLatin1Char('\n')))
        spelling += line.trimmed();
    spelling.replace(QChar(0x00AD), QLatin1Char('-')); // a soft hyphen once stands for the marker
    if (spelling.isEmpty() || hasHangul(spelling))
        return {};
    const bool ideographs = std::all_of(spelling.begin(), spelling.end(),
                                        [](QChar c) { return isIdeograph(c) || c == QLatin1Char('-'); });
    const bool latin = std::all_of(spelling.begin(), spelling.end(), isAsciiLetter);
    if (ideographs && spelling != QLatin1String("-"))
        return spelling;
    return latin ? spelling : QString();
}

QString Kengdic::partOfSpeech(const QString &pos)
{
    // Codes checked against the words that carry them: 1 나무, 2 먹다, 3 늘, 4 짧다, 5 것/번,
    // 6 새/어떤, 7 한강/일본, 8 너/무엇, 9 하나/백, 10 여보세요, "보" 싶다/버리다 after a verb.
    // "불" marks contracted forms (그래서 = 그리하여서) of several parts of speech and "도" one
    // verb: no single word fits them.
    static const QHash<QString, QString> names{
            {QStringLiteral("1"), QStringLiteral("명사")},       {QStringLiteral("2"), QStringLiteral("동사")},
            {QStringLiteral("3"), QStringLiteral("부사")},       {QStringLiteral("4"), QStringLiteral("형용사")},
            {QStringLiteral("5"), QStringLiteral("의존 명사")},  {QStringLiteral("6"), QStringLiteral("관형사")},
            {QStringLiteral("7"), QStringLiteral("고유 명사")},  {QStringLiteral("8"), QStringLiteral("대명사")},
            {QStringLiteral("9"), QStringLiteral("수사")},       {QStringLiteral("10"), QStringLiteral("감탄사")},
            {QStringLiteral("보"), QStringLiteral("보조 용언")},
    };
    return names.value(pos);
}

int Kengdic::importance(const QString &level)
{
    if (level == QLatin1String("A"))
        return 3;
    if (level == QLatin1String("B"))
        return 2;
    if (level == QLatin1String("C"))
        return 1;
    return 0;
}

QStringList Kengdic::senses(const QString &definition)
{
    const QString text = dropEscapeDebris(definition);
    // Sense numbers "1)" or "(1)" at the start or after a space or bracket, counted in sequence so
    // that "Season (the 4)" is no numbering; a "2" after unnumbered text implies the first.
    static const QRegularExpression marker(QStringLiteral("(?:^|(?<=[\\s)]))\\(?([1-9])\\)"));
    std::vector<std::pair<qsizetype, qsizetype>> cuts; // start and end of each accepted number
    int expected = 1;
    for (QRegularExpressionMatchIterator it = marker.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const int number = match.captured(1).toInt();
        const bool impliedFirst = expected == 1 && number == 2 && !text.left(match.capturedStart()).trimmed().isEmpty();
        if (number != expected && !impliedFirst)
            continue;
        cuts.emplace_back(match.capturedStart(), match.capturedEnd());
        expected = number + 1;
    }
    QStringList segments;
    qsizetype from = 0;
    for (const auto &[start, end] : cuts) {
        segments << text.mid(from, start - from);
        from = end;
    }
    segments << text.mid(from);

    static const QRegularExpression trailingOr(QStringLiteral("\\s+or\\s*$"));
    QStringList result;
    for (const QString &segment : std::as_const(segments)) {
        for (QString part : segment.split(QLatin1Char(';'))) {
            part.remove(trailingOr);
            part = part.trimmed();
            while (part.endsWith(QLatin1Char(',')))
                part = part.chopped(1).trimmed();
            if (!part.isEmpty())
                result << part;
        }
    }
    return result;
}

QString Kengdic::tidySense(const QString &sense)
{
    static const QRegularExpression commaBeforeLetter(QStringLiteral(",(?=[^\\s\\d])"));
    QString text = dropEscapeDebris(sense).simplified();
    text.replace(commaBeforeLetter, QStringLiteral(", "));
    return text;
}

namespace {

enum class GlossForm { Plain, ToVerb, Be };

// Words of the glosses, without the characters around them.
QStringList glossWords(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z][A-Za-z'-]*"));
    QStringList words;
    for (QRegularExpressionMatchIterator it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

QString capitalised(const QString &word)
{
    return word.isEmpty() ? word : word.left(1).toUpper() + word.mid(1).toLower();
}

int groupCode(const QString &pos, GlossForm form, bool article)
{
    // Codes of the English-Korean part-of-speech groups: 1 감탄사, 3 대명사, 4 동사, 5 명사,
    // 6 부사, 9 형용사. Set only where the Korean part of speech and the gloss's form agree.
    if (pos == QLatin1String("1") || pos == QLatin1String("7"))
        return form == GlossForm::Plain ? 5 : 0;
    if (pos == QLatin1String("2") || pos == QLatin1String("보"))
        return form == GlossForm::ToVerb || (form == GlossForm::Plain && !article) ? 4 : 0;
    if (pos == QLatin1String("3"))
        return form == GlossForm::Plain && !article ? 6 : 0;
    if (pos == QLatin1String("4"))
        return form != GlossForm::ToVerb && !article ? 9 : 0;
    if (pos == QLatin1String("8"))
        return form == GlossForm::Plain ? 3 : 0;
    if (pos == QLatin1String("10"))
        return form == GlossForm::Plain && !article ? 1 : 0;
    return 0;
}

} // namespace

QSet<QString> Kengdic::properWords(const std::vector<KengdicRow> &rows)
{
    // Counted inside glosses only (not at the start of a piece, where every word is capitalised).
    QHash<QString, int> capital;
    QHash<QString, int> lower;
    static const QRegularExpression pieceBreak(QStringLiteral("[,;:()/.!?]"));
    for (const KengdicRow &row : rows) {
        for (const QString &piece : row.def.split(pieceBreak)) {
            const QStringList words = glossWords(piece);
            for (qsizetype i = 1; i < words.size(); ++i) {
                const QString &word = words[i];
                if (word.size() < 2)
                    continue;
                if (word[0].isUpper() && word.mid(1) == word.mid(1).toLower())
                    ++capital[word.toLower()];
                else if (word == word.toLower())
                    ++lower[word];
            }
        }
    }
    // Names of peoples, countries and languages that the glosses also write in lower case.
    QSet<QString> proper{QStringLiteral("korea"),   QStringLiteral("korean"),   QStringLiteral("seoul"),
                         QStringLiteral("japan"),   QStringLiteral("japanese"), QStringLiteral("china"),
                         QStringLiteral("chinese"), QStringLiteral("english"),  QStringLiteral("america"),
                         QStringLiteral("american")};
    // Beyond those, a word counts as a name when it is capitalised inside a gloss more than once
    // and never written in lower case ("Sejong"; not "a Length of time").
    for (auto it = capital.cbegin(); it != capital.cend(); ++it)
        if (it.value() >= 2 && !lower.contains(it.key()))
            proper.insert(it.key());
    return proper;
}

std::vector<EnglishHeadword> Kengdic::englishHeadwords(const QString &sense, const QString &pos,
                                                       const QSet<QString> &proper)
{
    QString text = dropEscapeDebris(sense);
    text.replace(QChar(0x2019), QLatin1Char('\''));
    static const QRegularExpression quotes(QStringLiteral("[\"\\x{201C}\\x{201D}]"));
    text.replace(quotes, QStringLiteral(" "));
    static const QRegularExpression innermostBrackets(QStringLiteral("\\([^()]*\\)"));
    while (text.contains(innermostBrackets))
        text.replace(innermostBrackets, QStringLiteral(" "));
    if (const qsizetype open = text.indexOf(QLatin1Char('(')); open >= 0)
        text.truncate(open);
    text.remove(QLatin1Char(')'));

    // The dump wrote a slash between alternatives as " or  " (two spaces); a single-spaced "or"
    // belongs to the phrase ("more or less").
    static const QRegularExpression separators(QStringLiteral("\\s+or\\s{2,}|[,;:]"));
    QStringList pieces;
    for (const QString &piece : text.split(separators)) {
        if (!piece.contains(QLatin1Char('/'))) {
            pieces << piece;
            continue;
        }
        // "at/in/on" lists words; "efforts/pains to do sth" cannot be split into headwords.
        const QStringList parts = piece.split(QLatin1Char('/'));
        if (std::all_of(parts.begin(), parts.end(), [](const QString &p) {
                const QString word = p.trimmed();
                return !word.isEmpty() && !word.contains(QLatin1Char(' '));
            }))
            pieces << parts;
    }

    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z][A-Za-z '.-]*$"));
    static const QSet<QString> noHeadword{QStringLiteral("be"),  QStringLiteral("to"),  QStringLiteral("a"),
                                          QStringLiteral("an"),  QStringLiteral("the"), QStringLiteral("or"),
                                          QStringLiteral("and"), QStringLiteral("of"),  QStringLiteral("sth"),
                                          QStringLiteral("sb"),  QStringLiteral("etc")};
    const bool properNoun = pos == QLatin1String("7");
    std::vector<EnglishHeadword> result;
    GlossForm inherited = GlossForm::Plain;
    bool first = true;
    for (QString piece : std::as_const(pieces)) {
        piece = piece.simplified();
        static const QRegularExpression edges(QStringLiteral("^[\\s.!?~'-]+|[\\s!?~'-]+$"));
        piece.remove(edges);
        // A full stop ends the piece unless it belongs to an abbreviation ("Mr.", "B.C.").
        static const QSet<QString> abbreviations{QStringLiteral("mr."), QStringLiteral("mrs."), QStringLiteral("ms."),
                                                 QStringLiteral("dr.")};
        if (piece.endsWith(QLatin1Char('.')) && piece.count(QLatin1Char('.')) == 1
            && !abbreviations.contains(piece.toLower()))
            piece.chop(1);
        static const QRegularExpression remark(QStringLiteral("^(?:e\\.g|i\\.e|see|same as|cf)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
        if (piece.isEmpty() || hasHangul(piece) || piece.contains(remark))
            continue;
        // A place's gloss names it first and then describes it ("Busan, city in SE Korea").
        if (properNoun && !first)
            break;
        // "To exchange, convert, change": the leading "to" (or "be") covers the whole list.
        GlossForm form = first ? GlossForm::Plain : inherited;
        const QString lower = piece.toLower();
        if (lower.startsWith(QLatin1String("to be "))) {
            form = GlossForm::Be;
            piece = piece.mid(6);
        } else if (lower.startsWith(QLatin1String("to "))) {
            form = GlossForm::ToVerb;
            piece = piece.mid(3);
        } else if (lower.startsWith(QLatin1String("be "))) {
            form = GlossForm::Be;
            piece = piece.mid(3);
        }
        if (first)
            inherited = form;
        first = false;
        bool article = false;
        static const QRegularExpression leadingArticle(QStringLiteral("^(?:a|an|the)\\s+"),
                                                       QRegularExpression::CaseInsensitiveOption);
        if (piece.contains(leadingArticle)) {
            piece.remove(leadingArticle);
            article = true;
        }
        piece = piece.trimmed();
        QStringList words = piece.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // Longer pieces describe rather than translate; "sb" and "sth" only hold a place.
        static const QSet<QString> placeholders{QStringLiteral("sb"), QStringLiteral("sth"), QStringLiteral("one's"),
                                                QStringLiteral("oneself"), QStringLiteral("o.s.")};
        const auto content = std::count_if(words.begin(), words.end(),
                                           [](const QString &word) { return !placeholders.contains(word.toLower()); });
        if (words.isEmpty() || content > 3 || piece.size() > 40 || !allowed.match(piece).hasMatch()
            || noHeadword.contains(piece.toLower()))
            continue;
        for (qsizetype i = 0; i < words.size(); ++i) {
            QString &word = words[i];
            const QString lowered = word.toLower();
            const bool acronym = word.size() >= 2 && word.size() <= 4 && word == word.toUpper();
            const bool capital = word[0].isUpper();
            if (acronym)
                continue;
            // Names keep the capitals their gloss gives them ("Diamond Mountains", "Han river").
            if (proper.contains(lowered) || abbreviations.contains(lowered) || (properNoun && (i == 0 || capital)))
                word = capitalised(word);
            else
                word = lowered;
        }
        const QString headword = words.join(QLatin1Char(' '));
        const bool seen = std::any_of(result.begin(), result.end(),
                                      [&headword](const EnglishHeadword &h) { return h.text == headword; });
        if (!seen)
            result.push_back({headword, groupCode(pos, form, article)});
    }
    return result;
}

QStringList Kengdic::pronunciations(const QStringList &texts)
{
    QStringList result;
    for (qsizetype i = 0; i < texts.size(); ++i)
        result << QString();
    if (texts.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
        return result;
    // One sentence per line: espeak-ng then writes one line of IPA per text. Punctuation inside a
    // text would end a sentence early, so it becomes a space.
    static const QRegularExpression sentenceEnds(QStringLiteral("[.!?;:]"));
    QByteArray input;
    for (QString text : texts) {
        text.replace(sentenceEnds, QStringLiteral(" "));
        input += text.simplified().toUtf8() + ".\n";
    }
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"),
                 {QStringLiteral("-q"), QStringLiteral("--ipa"), QStringLiteral("-v"), QStringLiteral("en-us")});
    if (!espeak.waitForStarted(10000))
        return result;
    espeak.write(input);
    espeak.closeWriteChannel();
    QByteArray output;
    while (espeak.state() != QProcess::NotRunning) {
        espeak.waitForReadyRead(1000);
        output += espeak.readAllStandardOutput();
    }
    output += espeak.readAllStandardOutput();
    QStringList lines = QString::fromUtf8(output).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (espeak.exitStatus() != QProcess::NormalExit || lines.size() != texts.size())
        return result; // lines out of step would give words the wrong sounds: none is better
    for (qsizetype i = 0; i < lines.size(); ++i)
        result[i] = lines[i].trimmed();
    return result;
}

namespace {

// One Korean headword of k2e.sdb.
struct KoreanEntry
{
    QString headword;
    QString searchKey;
    QString hanja;
    QString partOfSpeech;
    QString pos; // kengdic's code
    int importance = 0;
    QStringList rawSenses;
    QStringList senses; // as shown
    int number = 0; // SECTIONNO (= ID)
};

// One sense of an English headword: a Korean word that translates it, and the gloss it came from.
struct ReverseSense
{
    int group = 0;
    int importance = 0;
    int alternatives = 0; // English headwords drawn from the same sense: 1 for a plain translation
    const KoreanEntry *korean = nullptr;
    QString gloss;
};

struct EnglishEntry
{
    QString headword;
    QString key;
    int importance = 0;
    std::vector<ReverseSense> senses;
    QString pronunciation;
};

// Some rows give the Hanja of a one-syllable word in the related-word column instead ("代",
// "對. 한 ~ 한"): the ideographs before the first full stop, when there is nothing else.
QString hanjaFromRelatedWord(const QString &syn)
{
    QString lead = syn.section(QLatin1Char('.'), 0, 0).trimmed();
    if (lead.isEmpty() || !std::all_of(lead.begin(), lead.end(), isIdeograph))
        return {};
    return lead;
}

std::vector<KoreanEntry> koreanEntries(const std::vector<KengdicRow> &rows)
{
    std::vector<KoreanEntry> entries;
    QHash<QString, size_t> seen; // headword, Hanja, part of speech and gloss -> entry, to merge rows listed twice
    for (const KengdicRow &row : rows) {
        KoreanEntry entry;
        entry.headword = Kengdic::headword(row.word);
        entry.searchKey = Kengdic::searchKey(row.word);
        if (!hasHangul(entry.searchKey))
            continue; // a row with an English "headword" is no Korean word
        entry.hanja = Kengdic::hanjaSpelling(row.hanja);
        if (entry.hanja.isEmpty())
            entry.hanja = hanjaFromRelatedWord(row.syn);
        entry.pos = row.pos;
        entry.partOfSpeech = Kengdic::partOfSpeech(row.pos);
        entry.importance = Kengdic::importance(row.level);
        entry.rawSenses = Kengdic::senses(row.def);
        for (const QString &sense : std::as_const(entry.rawSenses))
            entry.senses << Kengdic::tidySense(sense);
        const QString identity = entry.headword + QLatin1Char('\t') + entry.hanja + QLatin1Char('\t') + entry.pos
                                 + QLatin1Char('\t') + entry.senses.join(QLatin1Char(';')).toLower();
        if (const auto it = seen.constFind(identity); it != seen.cend()) {
            KoreanEntry &earlier = entries[it.value()];
            earlier.importance = std::max(earlier.importance, entry.importance);
            if (earlier.hanja.isEmpty())
                earlier.hanja = entry.hanja;
            continue;
        }
        seen.insert(identity, entries.size());
        entries.push_back(std::move(entry));
    }
    TextKeys::sortByKey(entries, [](const KoreanEntry &e) { return e.searchKey; });
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].number = int(i + 1);
    return entries;
}

bool writeK2E(const std::vector<KoreanEntry> &entries, const QString &path, QString *error)
{
    DbWriter writer(path);
    if (!writer.open()
        || !writer.exec(QStringLiteral(
                "CREATE TABLE k2e_word (ID INTEGER PRIMARY KEY, SECTIONNO INTEGER, HEADWORD TEXT, CHINESECHAR TEXT, "
                "HEADTYPE TEXT, SEARCHWORD TEXT);"
                "CREATE TABLE k2e_meaning (SECTIONNO INTEGER, MEANNO INTEGER, MEANING TEXT, OPERSEQ INTEGER);"
                "CREATE TABLE k2e_example (MEANNO INTEGER, EXAMPLENO INTEGER, KOR_EXAMPLE TEXT, ENG_EXAMPLE TEXT, "
                "OPERSEQ INTEGER);"))) {
        *error = writer.error();
        return false;
    }
    DbStatement word = writer.prepare("INSERT INTO k2e_word (ID, SECTIONNO, HEADWORD, CHINESECHAR, HEADTYPE, "
                                      "SEARCHWORD) VALUES (?, ?, ?, ?, ?, ?);");
    DbStatement meaning
            = writer.prepare("INSERT INTO k2e_meaning (SECTIONNO, MEANNO, MEANING, OPERSEQ) VALUES (?, ?, ?, ?);");
    int meanNo = 0;
    for (const KoreanEntry &entry : entries) {
        if (!word.run({entry.number, entry.number, entry.headword, entry.hanja, entry.partOfSpeech, entry.searchKey})) {
            *error = QStringLiteral("cannot insert %1").arg(entry.headword);
            return false;
        }
        const bool numbered = entry.senses.size() > 1;
        for (qsizetype i = 0; i < entry.senses.size(); ++i) {
            const QString text = numbered ? QStringLiteral("%1. %2").arg(i + 1).arg(entry.senses[i]) : entry.senses[i];
            if (!meaning.run({entry.number, ++meanNo, text, int(i + 1)})) {
                *error = QStringLiteral("cannot insert a meaning of %1").arg(entry.headword);
                return false;
            }
        }
    }
    const bool finished = writer.finish({
            QStringLiteral("CREATE INDEX k2e_word_searchword ON k2e_word (SEARCHWORD);"),
            QStringLiteral("CREATE INDEX k2e_word_sectionno ON k2e_word (SECTIONNO);"),
            QStringLiteral("CREATE INDEX k2e_meaning_sectionno ON k2e_meaning (SECTIONNO);"),
            QStringLiteral("CREATE INDEX k2e_meaning_meanno ON k2e_meaning (MEANNO);"),
            QStringLiteral("CREATE INDEX k2e_example_meanno ON k2e_example (MEANNO);"),
    });
    if (!finished)
        *error = writer.error();
    return finished;
}

std::vector<EnglishEntry> englishEntries(const std::vector<KengdicRow> &rows, const std::vector<KoreanEntry> &korean)
{
    const QSet<QString> proper = Kengdic::properWords(rows);
    std::map<QString, EnglishEntry> byHeadword;
    for (const KoreanEntry &entry : korean) {
        for (qsizetype s = 0; s < entry.rawSenses.size(); ++s) {
            const std::vector<EnglishHeadword> headwords
                    = Kengdic::englishHeadwords(entry.rawSenses[s], entry.pos, proper);
            for (const EnglishHeadword &english : headwords) {
                EnglishEntry &target = byHeadword[english.text];
                target.headword = english.text;
                const bool already = std::any_of(target.senses.begin(), target.senses.end(),
                                                 [&entry](const ReverseSense &r) { return r.korean == &entry; });
                if (already)
                    continue;
                target.importance = std::max(target.importance, entry.importance);
                target.senses.push_back(
                        {english.partOfSpeech, entry.importance, int(headwords.size()), &entry, entry.senses[s]});
            }
        }
    }
    std::vector<EnglishEntry> entries;
    entries.reserve(byHeadword.size());
    for (auto &[text, entry] : byHeadword) {
        entry.key = TextKeys::asciiUpper(text);
        // Groups in code order with the unknown group last; the most basic Korean words first and,
        // among those, the plainest translations.
        std::stable_sort(entry.senses.begin(), entry.senses.end(), [](const ReverseSense &a, const ReverseSense &b) {
            const int ga = a.group == 0 ? 99 : a.group;
            const int gb = b.group == 0 ? 99 : b.group;
            if (ga != gb)
                return ga < gb;
            if (a.importance != b.importance)
                return a.importance > b.importance;
            return a.alternatives < b.alternatives;
        });
        entries.push_back(std::move(entry));
    }
    TextKeys::sortByKey(entries, [](const EnglishEntry &e) { return e.key; });
    return entries;
}

bool writeE2K(const std::vector<EnglishEntry> &entries, const QString &path, QString *error)
{
    DbWriter writer(path);
    if (!writer.open()
        || !writer.exec(QStringLiteral(
                "CREATE TABLE e2k_word (ID INTEGER PRIMARY KEY, seq_n INTEGER, dic_wd TEXT, sc_wd TEXT, prnc TEXT, "
                "impt_rt TEXT, pt_use TEXT, wd TEXT);"
                "CREATE TABLE e2k_example (wd_seq_n INTEGER, flag INTEGER, txt TEXT, wd_odr INTEGER);"
                "CREATE TABLE e2k_sentence (seq INTEGER PRIMARY KEY, sentence TEXT, expn TEXT);"
                "CREATE TABLE e2k_sentence_search2 (word_seq INTEGER, sentence_seq INTEGER);"
                "CREATE TABLE e2k_synonym (seq_n INTEGER, usage_wd TEXT, definition TEXT, english_example1 TEXT, "
                "korean_example1 TEXT, english_example2 TEXT, korean_example2 TEXT);"))) {
        *error = writer.error();
        return false;
    }
    DbStatement word = writer.prepare("INSERT INTO e2k_word (ID, seq_n, dic_wd, sc_wd, prnc, impt_rt, pt_use, wd) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    DbStatement line = writer.prepare("INSERT INTO e2k_example (wd_seq_n, flag, txt, wd_odr) VALUES (?, ?, ?, ?);");
    for (size_t i = 0; i < entries.size(); ++i) {
        const EnglishEntry &entry = entries[i];
        const int number = int(i + 1);
        if (!word.run({number, number, entry.headword, entry.key, entry.pronunciation,
                       QString::number(entry.importance), QString(), entry.headword})) {
            *error = QStringLiteral("cannot insert %1").arg(entry.headword);
            return false;
        }
        int order = 0;
        int group = -1;
        int senseNumber = 0;
        for (const ReverseSense &sense : entry.senses) {
            bool ok = true;
            if (sense.group != group) {
                group = sense.group;
                senseNumber = 0;
                ok = line.run({number, 1, QString::number(group), ++order});
            }
            QString text = QStringLiteral("%1 %2").arg(++senseNumber).arg(sense.korean->headword);
            if (!sense.korean->hanja.isEmpty())
                text += QStringLiteral(" (") + sense.korean->hanja + QLatin1Char(')');
            text += QStringLiteral("  ") + sense.gloss;
            if (!ok || !line.run({number, 2, text, ++order})) {
                *error = QStringLiteral("cannot insert a sense of %1").arg(entry.headword);
                return false;
            }
        }
    }
    const bool finished = writer.finish({
            QStringLiteral("CREATE INDEX e2k_word_sc_wd ON e2k_word (sc_wd);"),
            QStringLiteral("CREATE INDEX e2k_word_seq_n ON e2k_word (seq_n);"),
            QStringLiteral("CREATE INDEX e2k_example_wd_seq_n ON e2k_example (wd_seq_n);"),
            QStringLiteral("CREATE INDEX e2k_sentence_search2_word_seq ON e2k_sentence_search2 (word_seq);"),
            QStringLiteral("CREATE INDEX e2k_synonym_seq_n ON e2k_synonym (seq_n);"),
    });
    if (!finished)
        *error = writer.error();
    return finished;
}

bool buildKengdic(const BuildContext &ctx)
{
    const char *name = "kengdic";
    QElapsedTimer timer;
    timer.start();
    const std::optional<QByteArray> dump = SourceFiles::read(ctx.sources.kengdicFile);
    if (!dump) {
        buildLog(name, QStringLiteral("cannot read %1").arg(ctx.sources.kengdicFile));
        return false;
    }
    QString error;
    const std::vector<KengdicRow> rows = Kengdic::parseDump(*dump, &error);
    if (rows.empty()) {
        buildLog(name, QStringLiteral("%1: %2").arg(ctx.sources.kengdicFile,
                                                    error.isEmpty() ? QStringLiteral("no rows") : error));
        return false;
    }
    const std::vector<KoreanEntry> korean = koreanEntries(rows);
    buildLog(name, QStringLiteral("%1 rows, %2 Korean headwords").arg(rows.size()).arg(korean.size()));
    if (!writeK2E(korean, ctx.outPath(QStringLiteral("k2e.sdb")), &error)) {
        buildLog(name, QStringLiteral("k2e.sdb: %1").arg(error));
        return false;
    }

    std::vector<EnglishEntry> english = englishEntries(rows, korean);
    QStringList words;
    for (const EnglishEntry &entry : english)
        words << entry.headword;
    const QStringList ipa = Kengdic::pronunciations(words);
    for (size_t i = 0; i < english.size(); ++i)
        english[i].pronunciation = ipa[qsizetype(i)];
    if (!ipa.isEmpty() && std::all_of(ipa.begin(), ipa.end(), [](const QString &p) { return p.isEmpty(); }))
        buildLog(name, QStringLiteral("no IPA from espeak-ng: pronunciations left empty"));
    buildLog(name, QStringLiteral("%1 English headwords").arg(english.size()));
    if (!writeE2K(english, ctx.outPath(QStringLiteral("e2k.sdb")), &error)) {
        buildLog(name, QStringLiteral("e2k.sdb: %1").arg(error));
        return false;
    }
    buildLog(name, QStringLiteral("done in %1 ms").arg(timer.elapsed()));
    return true;
}

const BuilderRegistration registration{
        Builder{QStringLiteral("kengdic"), 20, {QStringLiteral("k2e.sdb"), QStringLiteral("e2k.sdb")}, &buildKengdic}};

} // namespace
