// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "JapaneseBuilder.h"

#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "SourceFiles.h"
#include "TextKeys.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>

namespace JapaneseBuilder {

namespace {

const char *const LogName = "japanese";

constexpr char16_t MiddleDot = u'\u30FB';
constexpr char32_t IterationMark = U'\u3005'; // 々 repeats the character before it

// Part-of-speech markers that the entry screen draws as pictures in the Korean-Japanese title.
constexpr char16_t NounMarker = u'\uF839';
constexpr char16_t AdverbMarker = u'\uF83D';

bool isIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
           || (c >= 0x20000 && c <= 0x3134F);
}

bool isHangulSyllable(QChar c)
{
    return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3;
}

QString fromUcs4(const QList<char32_t> &chars)
{
    return QString::fromUcs4(chars.constData(), chars.size());
}

// "U+5169<kMatthews U+4E24<kFenn" -> {0x5169, 0x4E24}
QList<char32_t> codePointsOf(const QString &unihanValue)
{
    QList<char32_t> result;
    const QStringList tokens = unihanValue.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        const int source = token.indexOf(QLatin1Char('<'));
        const char32_t c = Unihan::parseCodePoint(source < 0 ? QStringView(token) : QStringView(token).left(source));
        if (c && !result.contains(c))
            result.append(c);
    }
    return result;
}

// "금:0E 김:0EP" -> "금"
QString firstHangul(const QString &unihanValue)
{
    const QString first = unihanValue.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    return first.section(QLatin1Char(':'), 0, 0);
}

bool isSenseNumber(const QString &tag)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+$"));
    return number.match(tag).hasMatch();
}

bool isPartOfSpeechCode(const QString &code)
{
    static const QRegularExpression pos(
            QStringLiteral("^(n|n-adv|n-pr|n-pref|n-suf|n-t|adj-[a-z]+|adv|adv-to|aux|aux-v|aux-adj|conj|cop|cop-da|"
                           "ctr|exp|int|num|pn|"
                           "pref|prt|suf|unc|v[0-9][a-z-]*|vi|vt|vk|vn|vr|vs|vs-[a-z]|vz|v-unspec)$"));
    return pos.match(code).hasMatch();
}

// A parenthesised group of part-of-speech codes: "n,vs".
bool isPartOfSpeechList(const QString &tag)
{
    const QStringList codes = tag.split(QLatin1Char(','));
    return std::all_of(codes.begin(), codes.end(), [](const QString &code) { return isPartOfSpeechCode(code); });
}

QString koreanName(const QString &code)
{
    if (code == QLatin1String("n") || code == QLatin1String("n-adv") || code == QLatin1String("n-t")
        || code == QLatin1String("n-pr") || code == QLatin1String("adj-no"))
        return QStringLiteral("명사");
    if (code == QLatin1String("pn"))
        return QStringLiteral("대명사");
    if (code == QLatin1String("num"))
        return QStringLiteral("수사");
    if (code == QLatin1String("ctr"))
        return QStringLiteral("조수사");
    if (code == QLatin1String("vs") || code.startsWith(QLatin1String("vs-")))
        return QStringLiteral("동사(する)");
    if (code == QLatin1String("vi") || code == QLatin1String("vt"))
        return {};
    if (code.startsWith(QLatin1Char('v')))
        return QStringLiteral("동사");
    if (code == QLatin1String("adj-i") || code == QLatin1String("adj-ix") || code == QLatin1String("adj-ku")
        || code == QLatin1String("adj-shiku"))
        return QStringLiteral("형용사");
    if (code == QLatin1String("adj-na") || code == QLatin1String("adj-nari") || code == QLatin1String("adj-t"))
        return QStringLiteral("형용동사");
    if (code == QLatin1String("adj-pn"))
        return QStringLiteral("연체사");
    if (code == QLatin1String("adv") || code == QLatin1String("adv-to"))
        return QStringLiteral("부사");
    if (code == QLatin1String("aux") || code == QLatin1String("aux-v") || code == QLatin1String("cop")
        || code == QLatin1String("cop-da"))
        return QStringLiteral("조동사");
    if (code == QLatin1String("aux-adj"))
        return QStringLiteral("보조 형용사");
    if (code == QLatin1String("conj"))
        return QStringLiteral("접속사");
    if (code == QLatin1String("int"))
        return QStringLiteral("감탄사");
    if (code == QLatin1String("pref") || code == QLatin1String("n-pref"))
        return QStringLiteral("접두사");
    if (code == QLatin1String("suf") || code == QLatin1String("n-suf"))
        return QStringLiteral("접미사");
    if (code == QLatin1String("prt"))
        return QStringLiteral("조사");
    if (code == QLatin1String("exp"))
        return QStringLiteral("관용구");
    return {};
}

// Senses as lines: numbered when there are several ("(1) study", "(2) diligence").
QStringList numberedSenses(const EdictEntry &entry)
{
    if (entry.senses.size() < 2)
        return entry.senses;
    QStringList lines;
    for (int i = 0; i < entry.senses.size(); ++i)
        lines << QStringLiteral("(%1) %2").arg(i + 1).arg(entry.senses.at(i));
    return lines;
}

QString writtenForm(const EdictEntry &entry)
{
    return entry.kanji.isEmpty() ? QString() : QStringLiteral("【") + entry.kanji + QStringLiteral("】");
}

QString koreanMarker(const EdictEntry &entry)
{
    static const QStringList nouns{QStringLiteral("n"), QStringLiteral("n-adv"), QStringLiteral("n-t"),
                                   QStringLiteral("n-pr")};
    for (const QString &code : entry.partsOfSpeech) {
        if (nouns.contains(code))
            return QString(QChar(NounMarker));
    }
    for (const QString &code : entry.partsOfSpeech) {
        if (code == QLatin1String("adv") || code == QLatin1String("adv-to"))
            return QString(QChar(AdverbMarker));
    }
    return {};
}

bool followsInitialSoundLaw(const QString &reading)
{
    return applyInitialSoundLaw(reading) == reading;
}

} // namespace

std::optional<QString> decodeEucJp(const QByteArray &bytes)
{
    QStringDecoder decoder("EUC-JP");
    if (decoder.isValid()) {
        QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
    }
    // A Qt without ICU has no EUC-JP converter: iconv has.
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"),
                {QStringLiteral("-f"), QStringLiteral("EUC-JP"), QStringLiteral("-t"), QStringLiteral("UTF-8")});
    if (!iconv.waitForStarted())
        return std::nullopt;
    iconv.write(bytes);
    iconv.closeWriteChannel();
    QByteArray out;
    while (iconv.waitForReadyRead(-1))
        out += iconv.readAllStandardOutput();
    iconv.waitForFinished(-1);
    out += iconv.readAllStandardOutput();
    if (iconv.exitStatus() != QProcess::NormalExit || iconv.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(out);
}

std::optional<EdictEntry> parseEdictLine(const QString &line)
{
    const int glossStart = line.indexOf(QLatin1String(" /"));
    if (glossStart <= 0)
        return std::nullopt;
    const QString head = line.left(glossStart);
    // The header line: "　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English Electronic Dictionary Files/..."
    if (head.startsWith(QStringLiteral("　？？？")))
        return std::nullopt;

    EdictEntry entry;
    const int open = head.indexOf(QLatin1String(" ["));
    if (open > 0 && head.endsWith(QLatin1Char(']'))) {
        entry.kanji = head.left(open);
        entry.reading = head.mid(open + 2, head.size() - open - 3);
    } else {
        entry.reading = head;
    }
    if (searchKey(entry.reading).isEmpty() || entry.reading.contains(QLatin1Char(' ')))
        return std::nullopt;

    QStringList glosses; // of the sense being read
    auto closeSense = [&] {
        if (!glosses.isEmpty())
            entry.senses << glosses.join(QStringLiteral("; "));
        glosses.clear();
    };
    const QStringList fields = line.mid(glossStart + 2).split(QLatin1Char('/'));
    for (const QString &field : fields) {
        QString text = field.trimmed();
        if (text.isEmpty())
            continue;
        if (text == QLatin1String("(P)")) {
            entry.common = true;
            continue;
        }
        // Leading groups: part-of-speech codes and the sense number are taken out; other tags
        // ("(uk)", "(abbr)", or "(not)" that belongs to the gloss) stay in front of the gloss.
        QStringList kept;
        while (text.startsWith(QLatin1Char('('))) {
            const int close = text.indexOf(QLatin1Char(')'));
            if (close < 0)
                break;
            const QString tag = text.mid(1, close - 1);
            if (isSenseNumber(tag)) {
                closeSense();
            } else if (!tag.isEmpty() && isPartOfSpeechList(tag)) {
                const QStringList codes = tag.split(QLatin1Char(','));
                for (const QString &code : codes) {
                    if (!entry.partsOfSpeech.contains(code))
                        entry.partsOfSpeech << code;
                }
            } else {
                kept << text.left(close + 1);
            }
            text = text.mid(close + 1).trimmed();
        }
        kept << text;
        const QString gloss = kept.join(QLatin1Char(' ')).trimmed();
        if (!gloss.isEmpty())
            glosses << gloss;
    }
    closeSense();
    if (entry.senses.isEmpty())
        return std::nullopt;
    return entry;
}

std::vector<EdictEntry> loadEdict(const QString &path)
{
    std::vector<EdictEntry> entries;
    const std::optional<QByteArray> bytes = SourceFiles::read(path);
    if (!bytes)
        return entries;
    const std::optional<QString> text = decodeEucJp(*bytes);
    if (!text)
        return entries;
    int number = 0;
    for (QStringView line : QStringView(*text).split(QLatin1Char('\n'))) {
        ++number;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        std::optional<EdictEntry> entry = parseEdictLine(line.toString());
        if (!entry)
            continue;
        entry->line = number;
        entries.push_back(std::move(*entry));
    }
    return entries;
}

QString toHiragana(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const char16_t u = c.unicode();
        if ((u >= 0x30A1 && u <= 0x30F6) || u == 0x30FD || u == 0x30FE)
            c = QChar(char16_t(u - 0x60));
    }
    return result;
}

QString searchKey(const QString &reading)
{
    QString key;
    key.reserve(reading.size());
    for (const QChar c : reading) {
        if (c != QChar(MiddleDot) && !c.isSpace())
            key.append(c);
    }
    return key;
}

QString koreanPartsOfSpeech(const QStringList &codes)
{
    // Named in a fixed order, so that entries of the same kind read alike.
    static const QStringList order{QStringLiteral("명사"),   QStringLiteral("대명사"),   QStringLiteral("수사"),
                                   QStringLiteral("조수사"), QStringLiteral("동사"),     QStringLiteral("동사(する)"),
                                   QStringLiteral("형용사"), QStringLiteral("형용동사"), QStringLiteral("연체사"),
                                   QStringLiteral("부사"),   QStringLiteral("접속사"),   QStringLiteral("감탄사"),
                                   QStringLiteral("조사"),   QStringLiteral("조동사"),   QStringLiteral("보조 형용사"),
                                   QStringLiteral("접두사"), QStringLiteral("접미사"),   QStringLiteral("관용구")};
    QStringList names;
    for (const QString &code : codes) {
        const QString name = koreanName(code);
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return order.indexOf(a) < order.indexOf(b); });
    return names.join(QStringLiteral(", "));
}

QString applyInitialSoundLaw(const QString &reading)
{
    if (reading.isEmpty() || !isHangulSyllable(reading.at(0)))
        return reading;
    const int s = reading.at(0).unicode() - 0xAC00;
    int initial = s / 588;
    const int vowel = (s % 588) / 28;
    const int final = s % 28;
    enum { Nieun = 2, Rieul = 5, Ieung = 11 };
    // ㅑ ㅕ ㅖ ㅛ ㅠ ㅣ: the vowels before which ㄹ and ㄴ fall away
    const bool yVowel = vowel == 2 || vowel == 6 || vowel == 7 || vowel == 12 || vowel == 17 || vowel == 20;
    if (initial == Rieul)
        initial = yVowel ? Ieung : Nieun;
    else if (initial == Nieun && yVowel && vowel != 7 && vowel != 2)
        initial = Ieung;
    else
        return reading;
    QString result = reading;
    result[0] = QChar(char16_t(0xAC00 + (initial * 21 + vowel) * 28 + final));
    return result;
}

QHash<char32_t, QList<char32_t>> loadKanjidicVariants(const QString &path)
{
    QHash<char32_t, QList<char32_t>> variants;
    const std::optional<QByteArray> bytes = SourceFiles::read(path);
    if (!bytes)
        return variants;

    // JIS references are gathered as EUC-JP bytes, one per line, and decoded in one go.
    QList<char32_t> jisOwners;
    QByteArray jisBytes;
    QXmlStreamReader xml(*bytes);
    char32_t literal = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("literal")) {
            const QList<uint> ucs4 = xml.readElementText().toUcs4();
            literal = ucs4.size() == 1 ? ucs4.first() : 0;
            continue;
        }
        if (xml.name() != QLatin1String("variant") || !literal)
            continue;
        const QString type = xml.attributes().value(QLatin1String("var_type")).toString();
        const QString value = xml.readElementText().trimmed();
        if (type == QLatin1String("ucs")) {
            bool ok = false;
            const char32_t c = value.toUInt(&ok, 16);
            if (ok && c && c != literal && !variants[literal].contains(c))
                variants[literal].append(c);
            continue;
        }
        const bool jis208 = type == QLatin1String("jis208");
        if (!jis208 && type != QLatin1String("jis212"))
            continue;
        const QStringList parts = value.split(QLatin1Char('-'));
        if (parts.size() != 3)
            continue;
        const int row = parts.at(1).toInt();
        const int cell = parts.at(2).toInt();
        if (row < 1 || row > 94 || cell < 1 || cell > 94)
            continue;
        if (!jis208)
            jisBytes.append(char(0x8F));
        jisBytes.append(char(0xA0 + row));
        jisBytes.append(char(0xA0 + cell));
        jisBytes.append('\n');
        jisOwners.append(literal);
    }
    const std::optional<QString> decoded = decodeEucJp(jisBytes);
    if (!decoded)
        return variants;
    const QStringList chars = decoded->split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < jisOwners.size() && i < chars.size(); ++i) {
        const QList<uint> ucs4 = chars.at(i).toUcs4();
        if (ucs4.size() != 1 || ucs4.first() == 0xFFFD || ucs4.first() == jisOwners.at(i))
            continue;
        QList<char32_t> &list = variants[jisOwners.at(i)];
        if (!list.contains(ucs4.first()))
            list.append(ucs4.first());
    }
    return variants;
}

QString linkText(const KoreanLink &link)
{
    switch (link.kind) {
    case KoreanLink::Word:
        return QStringLiteral("한자어 ") + link.reading + QLatin1Char('(') + link.hanja + QLatin1Char(')');
    case KoreanLink::Reading:
        return QStringLiteral("한자음 ") + link.reading + QLatin1Char('(') + link.hanja + QLatin1Char(')');
    case KoreanLink::Character:
        return link.hanja + QStringLiteral(": ") + link.meaning;
    }
    return {};
}

void HanjaLinker::addHanjaTxt(const std::vector<HanjaTxtEntry> &entries)
{
    QHash<char32_t, QHash<char16_t, int>> counts;
    QHash<char32_t, QList<char16_t>> seenOrder;
    for (const HanjaTxtEntry &entry : entries) {
        const QList<uint> hanja = entry.hanja.toUcs4();
        if (hanja.isEmpty())
            continue;
        for (const uint c : hanja)
            m_known.insert(c);
        if (hanja.size() == 1) {
            if (!m_firstReading.contains(hanja.first()))
                m_firstReading.insert(hanja.first(), entry.reading);
            if (!entry.meaning.isEmpty()) {
                QStringList &meanings = m_meanings[hanja.first()];
                if (!meanings.contains(entry.meaning))
                    meanings << entry.meaning;
            }
            continue;
        }
        // hanja.txt also spells words without the initial-sound rule ("려행" beside "여행"):
        // the standard spelling wins.
        const auto known = m_words.constFind(entry.hanja);
        if (known == m_words.constEnd() || (!followsInitialSoundLaw(*known) && followsInitialSoundLaw(entry.reading)))
            m_words.insert(entry.hanja, entry.reading);
        // How each character reads inside words (the first syllable may follow the initial rule).
        if (entry.reading.size() != hanja.size())
            continue;
        for (qsizetype i = 1; i < hanja.size(); ++i) {
            const QChar syllable = entry.reading.at(i);
            if (!isHangulSyllable(syllable))
                break;
            int &count = counts[hanja.at(i)][syllable.unicode()];
            if (count++ == 0)
                seenOrder[hanja.at(i)].append(syllable.unicode());
        }
    }
    for (auto it = seenOrder.cbegin(); it != seenOrder.cend(); ++it) {
        const QHash<char16_t, int> &perSyllable = counts.value(it.key());
        char16_t best = 0;
        int bestCount = 0;
        for (const char16_t syllable : it.value()) {
            if (perSyllable.value(syllable) > bestCount) {
                best = syllable;
                bestCount = perSyllable.value(syllable);
            }
        }
        m_wordReading.insert(it.key(), QString(QChar(best)));
    }
}

void HanjaLinker::addUnihan(const Unihan &unihan)
{
    static const QStringList others{QStringLiteral("kZVariant"), QStringLiteral("kSemanticVariant"),
                                    QStringLiteral("kSpecializedSemanticVariant")};
    for (auto it = unihan.entries().cbegin(); it != unihan.entries().cend(); ++it) {
        const char32_t c = it.key();
        const QHash<QString, QString> &fields = it.value();
        QList<char32_t> traditional = codePointsOf(fields.value(QStringLiteral("kTraditionalVariant")));
        traditional.removeAll(c);
        if (!traditional.isEmpty())
            m_traditional.insert(c, traditional);
        QList<char32_t> other;
        for (const QString &field : others) {
            const QList<char32_t> values = codePointsOf(fields.value(field));
            for (const char32_t v : values) {
                if (v != c && !other.contains(v))
                    other.append(v);
            }
        }
        if (!other.isEmpty())
            m_otherVariants.insert(c, other);
        const QString hangul = firstHangul(fields.value(QStringLiteral("kHangul")));
        if (!hangul.isEmpty())
            m_unihanReading.insert(c, hangul);
    }
}

void HanjaLinker::addKanjidic(const QHash<QString, KanjidicEntry> &entries,
                              const QHash<char32_t, QList<char32_t>> &variants)
{
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QList<uint> literal = it.key().toUcs4();
        if (literal.size() == 1 && !it.value().koreanHangul.isEmpty())
            m_kanjidicReading.insert(literal.first(), it.value().koreanHangul.first());
    }
    for (auto it = variants.cbegin(); it != variants.cend(); ++it)
        m_kanjidicVariants[it.key()] += it.value();
}

QList<char32_t> HanjaLinker::forms(char32_t kanji) const
{
    QList<char32_t> result{kanji};
    for (const QList<char32_t> &list :
         {m_traditional.value(kanji), m_kanjidicVariants.value(kanji), m_otherVariants.value(kanji)}) {
        for (const char32_t c : list) {
            if (!result.contains(c))
                result.append(c);
        }
    }
    return result;
}

// The form Korea writes: the first form that hanja.txt gives a meaning (学 has none there, 學
// has "배울 학"), else the first it knows at all, else the character itself.
char32_t HanjaLinker::koreanForm(char32_t kanji) const
{
    const QList<char32_t> candidates = forms(kanji);
    for (const char32_t c : candidates) {
        if (m_meanings.contains(c))
            return c;
    }
    for (const char32_t c : candidates) {
        if (m_known.contains(c))
            return c;
    }
    return kanji;
}

QString HanjaLinker::readingOf(char32_t kanji, char32_t korean) const
{
    for (const QHash<char32_t, QString> *table : {&m_wordReading, &m_kanjidicReading, &m_unihanReading}) {
        for (const char32_t c : {korean, kanji}) {
            QString reading = table->value(c);
            if (!reading.isEmpty())
                return reading;
        }
    }
    const QString reading = m_firstReading.value(korean);
    return reading.isEmpty() ? m_firstReading.value(kanji) : reading;
}

std::optional<KoreanLink> HanjaLinker::link(const QString &kanji) const
{
    QList<char32_t> chars;
    const QList<uint> ucs4 = kanji.toUcs4();
    for (const uint c : ucs4) {
        if (c == IterationMark && !chars.isEmpty()) {
            chars.append(chars.last());
            continue;
        }
        if (!isIdeograph(c))
            return std::nullopt;
        chars.append(c);
    }
    if (chars.isEmpty())
        return std::nullopt;

    if (chars.size() == 1) {
        const char32_t korean = koreanForm(chars.first());
        KoreanLink link;
        link.hanja = fromUcs4({korean});
        link.reading = readingOf(chars.first(), korean);
        link.meaning = m_meanings.value(korean).join(QStringLiteral(", "));
        if (!link.meaning.isEmpty())
            link.kind = KoreanLink::Character;
        else if (link.reading.isEmpty())
            return std::nullopt;
        return link;
    }

    // The word among hanja.txt's: every combination of the forms each character may take in
    // Korea, the character itself first; at most a few hundred per word.
    constexpr int MaxFormsPerCharacter = 4;
    constexpr int MaxCombinations = 512;
    QList<QList<char32_t>> options;
    int combinations = 1;
    for (const char32_t c : chars) {
        QList<char32_t> usable;
        const QList<char32_t> candidates = forms(c);
        for (const char32_t form : candidates) {
            if ((form == c || m_known.contains(form)) && usable.size() < MaxFormsPerCharacter)
                usable.append(form);
        }
        options.append(usable);
        combinations = std::min(MaxCombinations, combinations * int(usable.size()));
    }
    QList<int> choice(chars.size(), 0);
    QList<char32_t> word(chars.size());
    for (int tried = 0; tried < combinations; ++tried) {
        for (qsizetype i = 0; i < chars.size(); ++i)
            word[i] = options.at(i).at(choice.at(i));
        const QString hanja = fromUcs4(word);
        const auto found = m_words.constFind(hanja);
        if (found != m_words.constEnd()) {
            KoreanLink link;
            link.kind = KoreanLink::Word;
            link.hanja = hanja;
            link.reading = followsInitialSoundLaw(*found) ? *found : applyInitialSoundLaw(*found);
            return link;
        }
        // The next combination, the last character's form turning fastest.
        for (qsizetype i = chars.size() - 1; i >= 0; --i) {
            if (++choice[i] < options.at(i).size())
                break;
            choice[i] = 0;
        }
    }

    KoreanLink link;
    link.kind = KoreanLink::Reading;
    QList<char32_t> korean;
    for (const char32_t c : chars) {
        const char32_t form = koreanForm(c);
        const QString reading = readingOf(c, form);
        if (reading.isEmpty())
            return std::nullopt;
        korean.append(form);
        link.reading += reading;
    }
    link.hanja = fromUcs4(korean);
    link.reading = applyInitialSoundLaw(link.reading);
    return link;
}

namespace {

struct KeyRow
{
    size_t entry;
    QString key;
};

bool writeJ2k(const QString &path, const std::vector<EdictEntry> &entries,
              const std::vector<std::optional<KoreanLink>> &links, int *rowCount)
{
    std::vector<KeyRow> rows;
    rows.reserve(entries.size() * 5 / 4);
    for (size_t i = 0; i < entries.size(); ++i) {
        const QString key = searchKey(entries[i].reading);
        rows.push_back({i, key});
        // A reading that starts in katakana is filed once more among the hiragana, where romaji
        // and Hangul input lands. One that only ends in katakana ("がっこううらサイト") is found
        // from its hiragana beginning already, and a second row beside it would list it twice.
        const QString hiragana = toHiragana(key);
        if (!key.isEmpty() && hiragana.at(0) != key.at(0))
            rows.push_back({i, hiragana});
    }
    // Within one key common words come first, then the file's order.
    std::stable_sort(rows.begin(), rows.end(), [&](const KeyRow &a, const KeyRow &b) {
        return entries[a.entry].common > entries[b.entry].common;
    });
    TextKeys::sortByKey(rows, [](const KeyRow &row) { return row.key; });

    DbWriter writer(path);
    if (!writer.open()
        || !writer.exec(QStringLiteral(
                "CREATE TABLE j2k_word (ID INTEGER PRIMARY KEY, sectionno INTEGER, headword TEXT, chinesechar TEXT, "
                "headtype TEXT, importance TEXT, searchword TEXT, operseq INTEGER);"
                "CREATE TABLE j2k_meaning (sectionno INTEGER, meanno INTEGER, meaning TEXT, bigidentno INTEGER, "
                "mididentno INTEGER, smallidentno INTEGER);"
                "CREATE TABLE j2k_example (meanno INTEGER, kor_example TEXT, jpn_example TEXT, operseq INTEGER);"
                "CREATE TABLE j2k_subword (meanno INTEGER, subsectionno INTEGER, subheadword TEXT, subheadtype TEXT, "
                "operseq INTEGER);"
                "CREATE TABLE j2k_submeaning (subsectionno INTEGER, submeanno INTEGER, meaning TEXT, subbigidentno "
                "INTEGER, submididentno INTEGER, subsmallidentno INTEGER);"))) {
        buildLog(LogName, writer.error());
        return false;
    }
    DbStatement word = writer.prepare("INSERT INTO j2k_word VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    DbStatement meaning = writer.prepare("INSERT INTO j2k_meaning VALUES (?, ?, ?, ?, 0, 0);");
    int id = 0;
    int rank = 0;
    const QString *previousKey = nullptr;
    for (const KeyRow &row : rows) {
        const EdictEntry &entry = entries[row.entry];
        rank = previousKey && *previousKey == row.key ? rank + 1 : 1;
        previousKey = &row.key;
        if (!word.run({++id, entry.line, entry.reading, writtenForm(entry), koreanPartsOfSpeech(entry.partsOfSpeech),
                       entry.common ? QStringLiteral("1") : QString(), row.key, rank})) {
            buildLog(LogName, QStringLiteral("cannot write the headword of line %1").arg(entry.line));
            return false;
        }
    }
    int meanno = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        QStringList lines;
        if (links[i])
            lines << linkText(*links[i]);
        lines += numberedSenses(entries[i]);
        for (int s = 0; s < lines.size(); ++s) {
            if (!meaning.run({entries[i].line, ++meanno, lines.at(s), s + 1})) {
                buildLog(LogName, QStringLiteral("cannot write the senses of line %1").arg(entries[i].line));
                return false;
            }
        }
    }
    if (!writer.finish(
                {QStringLiteral("CREATE INDEX j2k_word_searchword ON j2k_word (searchword);"),
                 QStringLiteral("CREATE INDEX j2k_word_sectionno ON j2k_word (sectionno);"),
                 QStringLiteral("CREATE INDEX j2k_meaning_sectionno ON j2k_meaning (sectionno, bigidentno, "
                                "mididentno, smallidentno);"),
                 QStringLiteral("CREATE INDEX j2k_meaning_meanno ON j2k_meaning (meanno);"),
                 QStringLiteral("CREATE INDEX j2k_example_meanno ON j2k_example (meanno, operseq);"),
                 QStringLiteral("CREATE INDEX j2k_subword_meanno ON j2k_subword (meanno);"),
                 QStringLiteral("CREATE INDEX j2k_submeaning_subsectionno ON j2k_submeaning (subsectionno);")})) {
        buildLog(LogName, writer.error());
        return false;
    }
    *rowCount = id;
    return true;
}

// One Korean headword of k2j.sdb: its Japanese counterparts, grouped by Korean spelling.
struct KoreanWord
{
    QString reading;
    struct Spelling
    {
        QString hanja;
        std::vector<size_t> entries;
        bool common = false;
    };
    std::vector<Spelling> spellings;
};

bool writeK2j(const QString &path, const std::vector<EdictEntry> &entries,
              const std::vector<std::optional<KoreanLink>> &links, int *wordCount)
{
    std::vector<KoreanWord> words;
    QHash<QString, size_t> byReading;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!links[i] || links[i]->kind != KoreanLink::Word)
            continue;
        const KoreanLink &link = *links[i];
        auto found = byReading.constFind(link.reading);
        if (found == byReading.constEnd()) {
            found = byReading.insert(link.reading, words.size());
            words.push_back({link.reading, {}});
        }
        std::vector<KoreanWord::Spelling> &spellings = words[*found].spellings;
        auto spelling = std::find_if(spellings.begin(), spellings.end(),
                                     [&](const KoreanWord::Spelling &s) { return s.hanja == link.hanja; });
        if (spelling == spellings.end()) {
            spellings.push_back(KoreanWord::Spelling{link.hanja, {}, false});
            spelling = spellings.end() - 1;
        }
        spelling->entries.push_back(i);
        spelling->common = spelling->common || entries[i].common;
    }
    TextKeys::sortByKey(words, [](const KoreanWord &w) { return w.reading; });

    DbWriter writer(path);
    if (!writer.open()
        || !writer.exec(QStringLiteral(
                "CREATE TABLE k2j_word (ID INTEGER PRIMARY KEY, UID INTEGER, Word TEXT, PWord TEXT, pos_unicode TEXT);"
                "CREATE TABLE k2j_meaning (UID INTEGER, MID INTEGER, Mean TEXT, SEQ INTEGER);"
                "CREATE TABLE k2j_example (MID INTEGER, KOR TEXT, JAP TEXT, SEQ INTEGER);"))) {
        buildLog(LogName, writer.error());
        return false;
    }
    DbStatement wordRow = writer.prepare("INSERT INTO k2j_word VALUES (?, ?, ?, ?, ?);");
    DbStatement meaningRow = writer.prepare("INSERT INTO k2j_meaning VALUES (?, ?, ?, ?);");
    int id = 0;
    int mid = 0;
    for (KoreanWord &word : words) {
        ++id;
        // Spellings and words that EDICT marks common come first.
        std::stable_sort(
                word.spellings.begin(), word.spellings.end(),
                [](const KoreanWord::Spelling &a, const KoreanWord::Spelling &b) { return a.common > b.common; });
        QString marker;
        int seq = 0;
        for (KoreanWord::Spelling &spelling : word.spellings) {
            std::stable_sort(spelling.entries.begin(), spelling.entries.end(),
                             [&](size_t a, size_t b) { return entries[a].common > entries[b].common; });
            for (const size_t e : spelling.entries) {
                const EdictEntry &entry = entries[e];
                if (marker.isEmpty())
                    marker = koreanMarker(entry);
                const QString mean = spelling.hanja + QStringLiteral(" → ") + entry.reading + writtenForm(entry)
                                     + QLatin1Char(' ') + numberedSenses(entry).join(QLatin1Char(' '));
                if (!meaningRow.run({id, ++mid, mean, ++seq})) {
                    buildLog(LogName, QStringLiteral("cannot write the senses of %1").arg(word.reading));
                    return false;
                }
            }
        }
        if (!wordRow.run({id, id, word.reading, word.reading, marker})) {
            buildLog(LogName, QStringLiteral("cannot write the headword %1").arg(word.reading));
            return false;
        }
    }
    if (!writer.finish({QStringLiteral("CREATE INDEX k2j_word_PWord ON k2j_word (PWord);"),
                        QStringLiteral("CREATE INDEX k2j_word_UID ON k2j_word (UID);"),
                        QStringLiteral("CREATE INDEX k2j_meaning_UID ON k2j_meaning (UID, SEQ);"),
                        QStringLiteral("CREATE INDEX k2j_meaning_MID ON k2j_meaning (MID);"),
                        QStringLiteral("CREATE INDEX k2j_example_MID ON k2j_example (MID, SEQ);")})) {
        buildLog(LogName, writer.error());
        return false;
    }
    *wordCount = id;
    return true;
}

} // namespace

bool build(const BuildContext &ctx)
{
    QElapsedTimer timer;
    timer.start();
    const std::vector<EdictEntry> entries = loadEdict(ctx.sources.edict);
    if (entries.empty()) {
        buildLog(LogName, QStringLiteral("no EDICT entries in %1").arg(ctx.sources.edict));
        return false;
    }
    const std::vector<HanjaTxtEntry> hanjaTxt = HanjaTxt::load(ctx.sources.hanjaTxt);
    if (hanjaTxt.empty()) {
        buildLog(LogName, QStringLiteral("no Hanja words in %1").arg(ctx.sources.hanjaTxt));
        return false;
    }
    HanjaLinker linker;
    linker.addHanjaTxt(hanjaTxt);
    Unihan unihan;
    if (unihan.load(ctx.sources.unihanDir, {QStringLiteral("kTraditionalVariant"), QStringLiteral("kZVariant"),
                                            QStringLiteral("kSemanticVariant"),
                                            QStringLiteral("kSpecializedSemanticVariant"), QStringLiteral("kHangul")}))
        linker.addUnihan(unihan);
    else
        buildLog(
                LogName,
                QStringLiteral("no Unihan variants in %1: kanji keep their Japanese forms").arg(ctx.sources.unihanDir));
    const QHash<QString, KanjidicEntry> kanjidic = Kanjidic::load(ctx.sources.kanjidic);
    if (kanjidic.isEmpty())
        buildLog(LogName, QStringLiteral("no KANJIDIC2 in %1").arg(ctx.sources.kanjidic));
    linker.addKanjidic(kanjidic, loadKanjidicVariants(ctx.sources.kanjidic));
    buildLog(LogName, QStringLiteral("%1 EDICT entries, %2 hanja.txt lines read in %3 s")
                              .arg(entries.size())
                              .arg(hanjaTxt.size())
                              .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));

    // Many EDICT lines share a written form (人気 is read four ways): link each form once.
    QHash<QString, std::optional<KoreanLink>> linkOf;
    std::vector<std::optional<KoreanLink>> links(entries.size());
    int words = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const QString &kanji = entries[i].kanji;
        if (kanji.isEmpty())
            continue;
        auto found = linkOf.constFind(kanji);
        if (found == linkOf.constEnd())
            found = linkOf.insert(kanji, linker.link(kanji));
        links[i] = *found;
        if (links[i] && links[i]->kind == KoreanLink::Word)
            ++words;
    }
    buildLog(LogName,
             QStringLiteral("%1 written forms linked, %2 entries to Sino-Korean words").arg(linkOf.size()).arg(words));

    int j2kRows = 0;
    int k2jWords = 0;
    if (!writeJ2k(ctx.outPath(QStringLiteral("j2k.sdb")), entries, links, &j2kRows)
        || !writeK2j(ctx.outPath(QStringLiteral("k2j.sdb")), entries, links, &k2jWords))
        return false;
    buildLog(LogName, QStringLiteral("j2k.sdb: %1 entries, %2 headword rows; k2j.sdb: %3 words; %4 s")
                              .arg(entries.size())
                              .arg(j2kRows)
                              .arg(k2jWords)
                              .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));
    return true;
}

namespace {
const BuilderRegistration registration{
        Builder{QStringLiteral("japanese"), 50, {QStringLiteral("j2k.sdb"), QStringLiteral("k2j.sdb")}, &build}};
} // namespace

} // namespace JapaneseBuilder
