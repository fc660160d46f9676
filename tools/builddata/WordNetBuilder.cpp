// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "WordNetBuilder.h"

#include "BuildContext.h"
#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "SourceFiles.h"
#include "TextKeys.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <charconv>
#include <deque>
#include <memory>

namespace {

const char *const LogName = "e2e";

const char *const FileSuffixes[WordNet::PosCount] = {"noun", "verb", "adj", "adv"};
// The group texts of the meaning tree: the entry screen recognises these words when it labels
// the part-of-speech tabs ("adverb" would also read as "verb" there, so adverbs say "adv").
const char *const GroupTexts[WordNet::PosCount] = {"noun", "verb", "adj", "adv"};
// The names in the word's header line.
const char *const PosNames[WordNet::PosCount] = {"noun", "verb", "adjective", "adverb"};

// Fields separated by single or repeated spaces (WordNet lines end in two spaces).
std::vector<QByteArrayView> fields(QByteArrayView line)
{
    std::vector<QByteArrayView> out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\r' || line[i] == '\n'))
            ++i;
        const qsizetype start = i;
        while (i < n && line[i] != ' ' && line[i] != '\r' && line[i] != '\n')
            ++i;
        if (i > start)
            out.push_back(line.sliced(start, i - start));
    }
    return out;
}

template<typename T> bool number(QByteArrayView text, T *value, int base = 10)
{
    if (text.isEmpty())
        return false;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, *value, base);
    return result.ec == std::errc() && result.ptr == end;
}

// WordNet writes collocations with underscores.
QString wordText(QByteArrayView raw)
{
    QString text = QString::fromUtf8(raw);
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

// Calls f(line) for each line of a byte buffer.
template<typename F> void forEachLine(const QByteArray &bytes, F f)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        f(QByteArrayView(bytes).sliced(start, end - start));
        start = end + 1;
    }
}

// Collocations and lemmas: lower case, as index files write them.
QString lemmaKey(const QString &word)
{
    return word.toLower();
}

bool bytesBefore(const QString &a, const QString &b)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char l, char r) {
        return static_cast<unsigned char>(l) < static_cast<unsigned char>(r);
    });
}

} // namespace

namespace WordNet {

int posOfFileSuffix(QStringView suffix)
{
    for (int pos = 0; pos < PosCount; ++pos) {
        if (suffix == QLatin1String(FileSuffixes[pos]))
            return pos;
    }
    return -1;
}

int posOfLetter(char letter)
{
    switch (letter) {
    case 'n':
        return Noun;
    case 'v':
        return Verb;
    case 'a':
    case 's':
        return Adjective;
    case 'r':
        return Adverb;
    default:
        return -1;
    }
}

std::optional<IndexLine> parseIndexLine(QByteArrayView line)
{
    if (line.isEmpty() || line[0] == ' ')
        return std::nullopt;
    const std::vector<QByteArrayView> f = fields(line);
    // lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt tagsense_cnt synset_offset...
    if (f.size() < 7 || f[1].size() != 1)
        return std::nullopt;
    IndexLine out;
    out.pos = posOfLetter(f[1][0]);
    int synsets = 0;
    int pointers = 0;
    if (out.pos < 0 || !number(f[2], &synsets) || !number(f[3], &pointers) || synsets < 1 || pointers < 0)
        return std::nullopt;
    const size_t first = 4 + size_t(pointers) + 2;
    if (f.size() != first + size_t(synsets))
        return std::nullopt;
    out.lemma = wordText(f[0]);
    for (size_t i = first; i < f.size(); ++i) {
        quint32 offset = 0;
        if (!number(f[i], &offset))
            return std::nullopt;
        out.offsets.push_back(offset);
    }
    return out;
}

Gloss splitGloss(const QString &gloss)
{
    static const QRegularExpression exampleBreak(QStringLiteral(";\\s*(?=\")"));
    const QString text = gloss.trimmed();
    // Examples start at a quote that opens the gloss or follows a semicolon; quotes inside the
    // definition ("the letter \"a\"") do not.
    qsizetype start = -1;
    for (qsizetype i = 0; i < text.size() && start < 0; ++i) {
        if (text[i] != QLatin1Char('"'))
            continue;
        qsizetype j = i - 1;
        while (j >= 0 && text[j] == QLatin1Char(' '))
            --j;
        if (j < 0 || text[j] == QLatin1Char(';'))
            start = i;
    }
    Gloss out;
    QString definition = (start < 0 ? text : text.left(start)).trimmed();
    while (definition.endsWith(QLatin1Char(';')))
        definition = definition.chopped(1).trimmed();
    out.definition = definition;
    if (start >= 0) {
        const QStringList parts = text.mid(start).split(exampleBreak, Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            const QString example = part.trimmed();
            if (!example.isEmpty())
                out.examples.append(example);
        }
    }
    if (out.definition.isEmpty() && !out.examples.isEmpty())
        out.definition = out.examples.takeFirst();
    return out;
}

std::optional<Synset> parseDataLine(QByteArrayView line)
{
    if (line.isEmpty() || line[0] == ' ')
        return std::nullopt;
    const qsizetype bar = line.indexOf('|');
    if (bar < 0)
        return std::nullopt;
    const std::vector<QByteArrayView> f = fields(line.first(bar));
    // synset_offset lex_filenum ss_type w_cnt word lex_id [word lex_id...] p_cnt [ptr...] [frames...]
    if (f.size() < 7 || f[2].size() != 1)
        return std::nullopt;
    Synset out;
    int words = 0;
    if (!number(f[0], &out.offset) || !number(f[3], &words, 16) || words < 1)
        return std::nullopt;
    out.pos = posOfLetter(f[2][0]);
    if (out.pos < 0)
        return std::nullopt;
    size_t i = 4;
    static const QRegularExpression marker(QStringLiteral("\\((a|p|ip)\\)$"));
    for (int w = 0; w < words; ++w, i += 2) {
        if (i + 1 >= f.size())
            return std::nullopt;
        QString word = wordText(f[i]);
        word.remove(marker);
        out.words.append(word);
    }
    int pointers = 0;
    if (i >= f.size() || !number(f[i], &pointers))
        return std::nullopt;
    ++i;
    for (int p = 0; p < pointers; ++p, i += 4) {
        if (i + 3 >= f.size() || f[i + 2].size() != 1 || f[i + 3].size() != 4)
            return std::nullopt;
        Pointer pointer;
        pointer.symbol = f[i].toByteArray();
        pointer.pos = posOfLetter(f[i + 2][0]);
        if (!number(f[i + 1], &pointer.offset) || !number(f[i + 3].first(2), &pointer.source, 16)
            || !number(f[i + 3].sliced(2), &pointer.target, 16))
            return std::nullopt;
        out.pointers.push_back(pointer);
    }
    // Verb frames follow; they are not used.
    out.gloss = splitGloss(QString::fromUtf8(line.sliced(bar + 1)));
    return out;
}

std::optional<ExceptionLine> parseExceptionLine(QByteArrayView line)
{
    const std::vector<QByteArrayView> f = fields(line);
    if (f.size() < 2)
        return std::nullopt;
    ExceptionLine out;
    out.form = wordText(f[0]);
    for (size_t i = 1; i < f.size(); ++i)
        out.bases.append(wordText(f[i]));
    return out;
}

FormKind formKind(int pos, const QString &form)
{
    switch (pos) {
    case Noun:
        return FormKind::Plural;
    case Verb:
        if (form.endsWith(QLatin1String("ing")))
            return FormKind::IngForm;
        if (form == QLatin1String("am") || form == QLatin1String("are") || form == QLatin1String("is")
            || form == QLatin1String("has")
            || (form.endsWith(QLatin1Char('s')) && !form.endsWith(QLatin1String("ss")) && form != QLatin1String("was")))
            return FormKind::Present;
        return FormKind::PastForm;
    case Adjective:
    case Adverb:
        if (form.endsWith(QLatin1String("st")))
            return FormKind::Superlative;
        if (form.endsWith(QLatin1String("er")) || form == QLatin1String("worse") || form == QLatin1String("less")
            || form == QLatin1String("more"))
            return FormKind::Comparative;
        return FormKind::Other;
    default:
        return FormKind::Other;
    }
}

QString formLabel(FormKind kind)
{
    switch (kind) {
    case FormKind::Plural:
        return QStringLiteral("plural:");
    case FormKind::Present:
        return QStringLiteral("present:");
    case FormKind::PastForm:
        return QStringLiteral("past forms:");
    case FormKind::IngForm:
        return QStringLiteral("-ing form:");
    case FormKind::Comparative:
        return QStringLiteral("comparative:");
    case FormKind::Superlative:
        return QStringLiteral("superlative:");
    case FormKind::Other:
        break;
    }
    return QStringLiteral("also:");
}

QString simplePast(const QStringList &pastForms)
{
    // Past participles mostly end in -en, -wn, -ne or -ain (written, known, gone, lain) or take
    // u where the past takes a (sung, sang).
    auto participleScore = [&pastForms](const QString &form) {
        int score = 0;
        static const char *const endings[] = {"en", "wn", "ne", "ain"};
        for (const char *ending : endings) {
            if (form.endsWith(QLatin1String(ending)))
                score += 2;
        }
        for (const QString &other : pastForms) {
            if (other.size() != form.size() || other == form)
                continue;
            for (qsizetype i = 0; i < form.size(); ++i) {
                if (form[i] == QLatin1Char('u') && other[i] == QLatin1Char('a')) {
                    QString swapped = form;
                    swapped[i] = QLatin1Char('a');
                    if (swapped == other)
                        score += 1;
                }
            }
        }
        return score;
    };
    QString best;
    int bestScore = 0;
    for (const QString &form : pastForms) {
        const int score = participleScore(form);
        if (best.isEmpty() || score < bestScore || (score == bestScore && form.size() < best.size())) {
            best = form;
            bestScore = score;
        }
    }
    return best;
}

// ---- Lexicon ----

bool Lexicon::load(const QString &dir)
{
    int loaded = 0;
    for (int pos = 0; pos < PosCount; ++pos) {
        const QString suffix = QLatin1String(FileSuffixes[pos]);
        const std::optional<QByteArray> index = SourceFiles::read(dir + QStringLiteral("/index.") + suffix);
        const std::optional<QByteArray> data = SourceFiles::read(dir + QStringLiteral("/data.") + suffix);
        if (!index || !data) {
            buildLog(LogName, QStringLiteral("no index.%1 or data.%1 in %2: left out").arg(suffix, dir));
            continue;
        }
        forEachLine(*index, [this](QByteArrayView line) { addIndexLine(line); });
        forEachLine(*data, [this, pos](QByteArrayView line) { addDataLine(pos, line); });
        ++loaded;
        if (const std::optional<QByteArray> exc
            = SourceFiles::read(dir + QLatin1Char('/') + suffix + QStringLiteral(".exc")))
            forEachLine(*exc, [this, pos](QByteArrayView line) { addExceptionLine(pos, line); });
    }
    if (const std::optional<QByteArray> counts = SourceFiles::read(dir + QStringLiteral("/cntlist.rev")))
        forEachLine(*counts, [this](QByteArrayView line) { addCountLine(line); });
    finish();
    return loaded > 0 && !m_order.isEmpty();
}

void Lexicon::addIndexLine(QByteArrayView line)
{
    std::optional<IndexLine> parsed = parseIndexLine(line);
    if (!parsed)
        return;
    auto it = m_lemmas.find(parsed->lemma);
    if (it == m_lemmas.end()) {
        m_order.append(parsed->lemma);
        it = m_lemmas.insert(parsed->lemma, LemmaInfo());
    }
    it->senses[size_t(parsed->pos)] = std::move(parsed->offsets);
}

void Lexicon::addDataLine(int pos, QByteArrayView line)
{
    if (pos < 0 || pos >= PosCount)
        return;
    std::optional<Synset> parsed = parseDataLine(line);
    if (parsed)
        m_synsets[size_t(pos)].emplace(parsed->offset, std::move(*parsed));
}

void Lexicon::addExceptionLine(int pos, QByteArrayView line)
{
    if (pos < 0 || pos >= PosCount)
        return;
    const std::optional<ExceptionLine> parsed = parseExceptionLine(line);
    if (!parsed)
        return;
    for (const QString &base : parsed->bases) {
        if (parsed->form == base)
            continue;
        QStringList &list = m_forms[base][size_t(pos)];
        if (!list.contains(parsed->form))
            list.append(parsed->form);
    }
}

void Lexicon::addCountLine(QByteArrayView line)
{
    // sense_key sense_number tag_cnt, the key being lemma%ss_type:lex_filenum:lex_id:head:head_id
    const std::vector<QByteArrayView> f = fields(line);
    if (f.size() != 3)
        return;
    const qsizetype percent = f[0].indexOf('%');
    qint64 count = 0;
    if (percent < 1 || percent + 1 >= f[0].size() || !number(f[2], &count))
        return;
    // ss_type: 1 noun, 2 verb, 3 adjective, 4 adverb, 5 adjective satellite
    static const int posOfType[] = {Noun, Verb, Adjective, Adverb, Adjective};
    const char type = f[0][percent + 1];
    if (type < '1' || type > '5')
        return;
    const int pos = posOfType[type - '1'];
    m_tags[wordText(f[0].first(percent))][size_t(pos)] += count;
}

void Lexicon::finish()
{
    for (LemmaInfo &info : m_lemmas)
        info.containers.clear();
    for (const QString &lemma : std::as_const(m_order)) {
        if (!lemma.contains(QLatin1Char(' ')))
            continue;
        const QStringList tokens = lemma.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QSet<QString> parts;
        for (qsizetype begin = 0; begin < tokens.size(); ++begin) {
            for (qsizetype end = begin + 1; end <= tokens.size(); ++end) {
                if (end - begin == tokens.size())
                    continue;
                QString part = tokens.mid(begin, end - begin).join(QLatin1Char(' '));
                parts.insert(part);
                // "dog's breakfast" belongs to "dog" too.
                if (end - begin == 1 && part.endsWith(QLatin1String("'s")))
                    parts.insert(part.chopped(2));
            }
        }
        for (const QString &part : std::as_const(parts)) {
            auto it = m_lemmas.find(part);
            if (it != m_lemmas.end())
                it->containers.append(lemma);
        }
    }
}

const Synset *Lexicon::synset(int pos, quint32 offset) const
{
    const auto &table = m_synsets[size_t(pos)];
    const auto it = table.constFind(offset);
    return it == table.cend() ? nullptr : &*it;
}

QString Lexicon::spelling(const QString &lemma, const Synset &synset, int *wordNumber) const
{
    for (qsizetype i = 0; i < synset.words.size(); ++i) {
        if (lemmaKey(synset.words[i]) == lemma) {
            if (wordNumber)
                *wordNumber = int(i) + 1;
            return synset.words[i];
        }
    }
    if (wordNumber)
        *wordNumber = 0;
    return lemma;
}

qint64 Lexicon::tagCount(const QString &lemma) const
{
    const auto it = m_tags.constFind(lemma);
    if (it == m_tags.cend())
        return 0;
    qint64 sum = 0;
    for (qint64 count : *it)
        sum += count;
    return sum;
}

std::vector<int> Lexicon::partsOfSpeech(const QString &lemma) const
{
    std::vector<int> out;
    const auto it = m_lemmas.constFind(lemma);
    if (it == m_lemmas.cend())
        return out;
    for (int pos = 0; pos < PosCount; ++pos) {
        if (!it->senses[size_t(pos)].empty())
            out.push_back(pos);
    }
    const auto tags = m_tags.value(lemma);
    std::stable_sort(out.begin(), out.end(), [&tags](int a, int b) { return tags[size_t(a)] > tags[size_t(b)]; });
    return out;
}

QStringList Lexicon::forms(const QString &lemma, int pos) const
{
    if (pos < 0 || pos >= PosCount)
        return {};
    const auto lemmaIt = m_lemmas.constFind(lemma);
    const auto it = m_forms.constFind(lemma);
    // The exception lists name many words WordNet does not have in that part of speech.
    if (lemmaIt == m_lemmas.cend() || it == m_forms.cend() || lemmaIt->senses[size_t(pos)].empty())
        return {};
    return (*it)[size_t(pos)];
}

QString Lexicon::displayWord(const QString &lemma) const
{
    // The spelling most of the lemma's senses use; the first one met wins a tie.
    QStringList spellings;
    QList<int> counts;
    const auto it = m_lemmas.constFind(lemma);
    if (it == m_lemmas.cend())
        return lemma;
    for (int pos = 0; pos < PosCount; ++pos) {
        for (quint32 offset : it->senses[size_t(pos)]) {
            const Synset *s = synset(pos, offset);
            if (!s)
                continue;
            const QString spelled = spelling(lemma, *s, nullptr);
            const qsizetype at = spellings.indexOf(spelled);
            if (at < 0) {
                spellings.append(spelled);
                counts.append(1);
            } else {
                ++counts[at];
            }
        }
    }
    if (spellings.isEmpty())
        return lemma;
    qsizetype best = 0;
    for (qsizetype i = 1; i < spellings.size(); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return spellings[best];
}

Headword Lexicon::headword(const QString &lemma) const
{
    Headword out;
    out.lemma = lemma;
    out.word = displayWord(lemma);
    QStringList names;
    const std::vector<int> parts = partsOfSpeech(lemma);
    for (int pos : parts)
        names.append(QLatin1String(PosNames[pos]));
    out.pdef = names.join(QStringLiteral(", "));
    // The variant comes from the main part of speech only: "dog" is no "past dogged".
    const int pos = parts.empty() ? -1 : parts.front();
    const QStringList list = forms(lemma, pos);
    if (!list.isEmpty()) {
        if (pos == Noun) {
            out.varConn = QStringLiteral(", pl.");
            out.varWord = list.first();
        } else if (pos == Verb) {
            QStringList past;
            for (const QString &form : list) {
                if (formKind(pos, form) == FormKind::PastForm)
                    past.append(form);
            }
            out.varWord = simplePast(past);
            if (!out.varWord.isEmpty())
                out.varConn = QStringLiteral(", past");
        } else {
            for (const QString &form : list) {
                if (formKind(pos, form) == FormKind::Comparative) {
                    out.varConn = QStringLiteral(", comp.");
                    out.varWord = form;
                    break;
                }
            }
        }
    }
    return out;
}

QString Lexicon::relatedWords(const Synset &from, const char *symbol, int wordNumber, int limit) const
{
    QStringList names;
    for (const Pointer &pointer : from.pointers) {
        if (pointer.symbol != symbol || pointer.pos < 0)
            continue;
        // A lexical pointer belongs to one word of the synset: only the headword's count.
        if (pointer.source != 0 && pointer.source != wordNumber)
            continue;
        const Synset *target = synset(pointer.pos, pointer.offset);
        if (!target || target->words.isEmpty())
            continue;
        const qsizetype at = pointer.target > 0 ? pointer.target - 1 : 0;
        const QString name = target->words.value(at, target->words.first());
        if (!names.contains(name))
            names.append(name);
        if (names.size() >= limit)
            break;
    }
    return names.join(QStringLiteral(", "));
}

QStringList Lexicon::idioms(const QString &lemma) const
{
    const auto it = m_lemmas.constFind(lemma);
    if (it == m_lemmas.cend())
        return {};
    struct Candidate
    {
        QString lemma;
        qint64 tags;
        bool leading;
        qsizetype words;
    };
    std::vector<Candidate> candidates;
    const QString prefix = lemma + QLatin1Char(' ');
    for (const QString &container : it->containers)
        candidates.push_back(
                {container, tagCount(container), container.startsWith(prefix), container.count(QLatin1Char(' ')) + 1});
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.tags != b.tags)
            return a.tags > b.tags;
        if (a.leading != b.leading)
            return a.leading;
        if (a.words != b.words)
            return a.words < b.words;
        return bytesBefore(a.lemma, b.lemma);
    });
    QStringList out;
    for (const Candidate &candidate : candidates) {
        if (out.size() >= MaxIdioms)
            break;
        out.append(candidate.lemma);
    }
    return out;
}

QStringList Lexicon::idiomExplanations(const QString &lemma) const
{
    QStringList out;
    const auto it = m_lemmas.constFind(lemma);
    if (it == m_lemmas.cend())
        return out;
    for (int pos : partsOfSpeech(lemma)) {
        for (quint32 offset : it->senses[size_t(pos)]) {
            const Synset *s = synset(pos, offset);
            if (!s)
                continue;
            out.append(QStringLiteral("(%1) %2").arg(QLatin1String(PosNames[pos]), s->gloss.definition));
            if (out.size() >= MaxIdiomSenses)
                return out;
        }
    }
    return out;
}

std::vector<ExampleRow> Lexicon::rows(const QString &lemma) const
{
    std::vector<ExampleRow> out;
    const auto it = m_lemmas.constFind(lemma);
    if (it == m_lemmas.cend())
        return out;
    const QString word = displayWord(lemma);
    const std::vector<int> parts = partsOfSpeech(lemma);

    // Meaning tree: a group per part of speech, a numbered sense per synset, and under each
    // sense its examples, synonyms, opposites and broader terms.
    for (int pos : parts) {
        out.push_back({0, QLatin1String(GroupTexts[pos]), {}});
        int number = 0;
        for (quint32 offset : it->senses[size_t(pos)]) {
            const Synset *s = synset(pos, offset);
            if (!s)
                continue;
            int wordNumber = 0;
            const QString spelled = spelling(lemma, *s, &wordNumber);
            QString definition = s->gloss.definition;
            if (spelled != word)
                definition = QLatin1Char('[') + spelled + QStringLiteral("] ") + definition;
            out.push_back({2, QString::number(++number), definition});
            for (const QString &example : s->gloss.examples)
                out.push_back({6, example, {}});
            QStringList synonyms;
            for (const QString &other : s->words) {
                if (lemmaKey(other) != lemma && !synonyms.contains(other) && synonyms.size() < MaxSynonyms)
                    synonyms.append(other);
            }
            if (!synonyms.isEmpty())
                out.push_back({6, QStringLiteral("Synonyms: ") + synonyms.join(QStringLiteral(", ")), {}});
            const QString opposites = relatedWords(*s, "!", wordNumber, MaxSynonyms);
            if (!opposites.isEmpty())
                out.push_back({6, QStringLiteral("Opposite: ") + opposites, {}});
            const QString similar = relatedWords(*s, "&", wordNumber, MaxSynonyms);
            if (!similar.isEmpty())
                out.push_back({6, QStringLiteral("Similar to: ") + similar, {}});
            const QString kinds = relatedWords(*s, "@", wordNumber, MaxSynonyms);
            if (!kinds.isEmpty())
                out.push_back({6, QStringLiteral("Type of: ") + kinds, {}});
            const QString instances = relatedWords(*s, "@i", wordNumber, MaxSynonyms);
            if (!instances.isEmpty())
                out.push_back({6, QStringLiteral("Instance of: ") + instances, {}});
        }
    }

    // Usage page: the irregular forms, one line per kind.
    QStringList seen;
    for (int pos : parts) {
        const QStringList list = forms(lemma, pos);
        static const FormKind kinds[]
                = {FormKind::Plural,      FormKind::Present,     FormKind::PastForm, FormKind::IngForm,
                   FormKind::Comparative, FormKind::Superlative, FormKind::Other};
        for (FormKind kind : kinds) {
            QStringList ofKind;
            for (const QString &form : list) {
                if (formKind(pos, form) == kind)
                    ofKind.append(form);
            }
            if (ofKind.isEmpty())
                continue;
            const ExampleRow row{4, formLabel(kind), ofKind.join(QStringLiteral(", "))};
            const QString key = row.text1 + QLatin1Char(' ') + row.text2;
            if (!seen.contains(key)) {
                seen.append(key);
                out.push_back(row);
            }
        }
    }

    // Idioms: the collocations holding the headword, each with up to MaxIdiomSenses senses; the
    // first explanation rides on the idiom row, the others follow as unnumbered rows.
    for (const QString &idiom : idioms(lemma)) {
        const QStringList explanations = idiomExplanations(idiom);
        out.push_back({3, displayWord(idiom), explanations.value(0)});
        for (qsizetype i = 1; i < explanations.size(); ++i)
            out.push_back({1, explanations[i], {}});
    }
    return out;
}

// ---- Pronunciations ----

namespace {

// Made-up words no headword sounds like. One follows every word, so that the answer lines
// between two of its answers belong to one word whatever the command splits or leaves out.
// The first is short, because espeak-ng spends as long on it as on a word ("ux" costs a quarter
// more than the words alone); a chunk holding a word that answers like it is read again with
// the second, which costs twice as much.
const char *const Markers[] = {"ux", "zqxj"};

struct Chunk
{
    qsizetype begin = 0;
    qsizetype count = 0;
    QByteArray marker; // follows every word; none when empty
    std::unique_ptr<QProcess> process;
    QString outPath;
};

// Starts the command on the chunk's lines; output goes to a file so that no pipe fills while
// other chunks are waited for.
bool startChunk(Chunk &chunk, const QStringList &texts, const QStringList &command, const QString &dir, int serial)
{
    const QString inPath = dir + QStringLiteral("/in%1.txt").arg(serial);
    chunk.outPath = dir + QStringLiteral("/out%1.txt").arg(serial);
    QFile in(inPath);
    if (!in.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (qsizetype i = chunk.begin; i < chunk.begin + chunk.count; ++i) {
        QString line = texts[i];
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        bytes += line.toUtf8() + '\n';
        if (!chunk.marker.isEmpty())
            bytes += chunk.marker + '\n';
    }
    in.write(bytes);
    in.close();
    chunk.process = std::make_unique<QProcess>();
    chunk.process->setStandardInputFile(inPath);
    chunk.process->setStandardOutputFile(chunk.outPath);
    chunk.process->setStandardErrorFile(QProcess::nullDevice());
    chunk.process->start(command.first(), command.mid(1));
    return chunk.process->waitForStarted(30000);
}

// The chunk's answer lines, or nothing when the command failed.
std::optional<QStringList> finishChunk(Chunk &chunk)
{
    if (!chunk.process)
        return std::nullopt;
    const bool done = chunk.process->waitForFinished(15 * 60 * 1000);
    if (!done) {
        chunk.process->kill();
        chunk.process->waitForFinished(5000);
    }
    const bool ok = done && chunk.process->exitStatus() == QProcess::NormalExit && chunk.process->exitCode() == 0;
    chunk.process.reset();
    if (!ok)
        return std::nullopt;
    QFile out(chunk.outPath);
    if (!out.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(out.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    return lines;
}

// Runs the chunks `jobs` at a time and hands each finished one with its answer lines to take().
template<typename Take>
void runChunks(std::deque<Chunk> waiting, const QStringList &texts, const QStringList &command, const QString &dir,
               int jobs, int *serial, Take take)
{
    std::deque<Chunk> running;
    while (!waiting.empty() || !running.empty()) {
        while (!waiting.empty() && int(running.size()) < jobs) {
            Chunk chunk = std::move(waiting.front());
            waiting.pop_front();
            if (!startChunk(chunk, texts, command, dir, (*serial)++))
                chunk.process.reset();
            running.push_back(std::move(chunk));
        }
        Chunk chunk = std::move(running.front());
        running.pop_front();
        const std::optional<QStringList> lines = finishChunk(chunk);
        if (lines)
            take(chunk, *lines);
    }
}

QString joinAnswer(QStringList lines)
{
    lines.removeAll(QString());
    return lines.join(QLatin1Char(' '));
}

} // namespace

QStringList pronounce(const QStringList &texts, int jobs, const QStringList &command, int chunkSize)
{
    QStringList result(texts.size());
    const QStringList cmd
            = command.isEmpty() ? QStringList{QStringLiteral("espeak-ng"), QStringLiteral("-q"),
                                              QStringLiteral("--ipa"), QStringLiteral("-v"), QStringLiteral("en-us")}
                                : command;
    if (texts.isEmpty() || QStandardPaths::findExecutable(cmd.first()).isEmpty())
        return result;
    QTemporaryDir dir;
    if (!dir.isValid())
        return result;
    chunkSize = std::max(1, chunkSize);
    jobs = std::max(1, jobs);
    int serial = 0;

    std::deque<Chunk> pending;
    for (qsizetype begin = 0; begin < texts.size(); begin += chunkSize)
        pending.push_back(Chunk{begin, std::min<qsizetype>(chunkSize, texts.size() - begin), {}, nullptr, {}});
    for (const char *marker : Markers) {
        // The marker's own answer first: it is what separates the words' answers.
        const QStringList probeText{QString::fromLatin1(marker)};
        Chunk probe{0, 1, {}, nullptr, {}};
        QString markerAnswer;
        if (startChunk(probe, probeText, cmd, dir.path(), serial++)) {
            const std::optional<QStringList> lines = finishChunk(probe);
            if (lines && lines->size() == 1)
                markerAnswer = lines->first();
        }
        if (markerAnswer.isEmpty())
            break;
        for (Chunk &chunk : pending)
            chunk.marker = marker;
        std::deque<Chunk> unaligned;
        runChunks(std::move(pending), texts, cmd, dir.path(), jobs, &serial,
                  [&](const Chunk &chunk, const QStringList &lines) {
                      QStringList answers;
                      QStringList current;
                      for (const QString &line : lines) {
                          if (line == markerAnswer) {
                              answers.append(joinAnswer(current));
                              current.clear();
                          } else {
                              current.append(line);
                          }
                      }
                      // A word that answers like the marker would shift the rest.
                      if (answers.size() != chunk.count || !joinAnswer(current).isEmpty()) {
                          unaligned.push_back(Chunk{chunk.begin, chunk.count, {}, nullptr, {}});
                          return;
                      }
                      for (qsizetype i = 0; i < chunk.count; ++i)
                          result[chunk.begin + i] = answers[i];
                  });
        if (unaligned.empty())
            break;
        buildLog(LogName, QStringLiteral("%1 chunks of pronunciations did not line up with the marker \"%2\"")
                                  .arg(unaligned.size())
                                  .arg(QLatin1String(marker)));
        pending = std::move(unaligned);
    }
    return result;
}

// ---- Database ----

bool writeDatabase(const QString &path, const Lexicon &lexicon, const QHash<QString, QString> &pronunciations)
{
    DbWriter writer(path);
    if (!writer.open()
        || !writer.exec(QStringLiteral(
                "CREATE TABLE e2e_word (ID INTEGER PRIMARY KEY, WID INTEGER, WORD TEXT, SWORD TEXT, PRON TEXT, "
                "PDEF TEXT);"
                "CREATE TABLE e2e_var (WID INTEGER, CONN TEXT, WORD TEXT, PRON TEXT);"
                "CREATE TABLE e2e_example (WID INTEGER, TYPE INTEGER, TEXT1 TEXT, TEXT2 TEXT, TEXT3 TEXT, "
                "TEXT4 TEXT, SEQ INTEGER);"))) {
        buildLog(LogName, QStringLiteral("cannot create %1: %2").arg(path, writer.error()));
        return false;
    }
    DbStatement insertWord = writer.prepare("INSERT INTO e2e_word VALUES (?, ?, ?, ?, ?, ?);");
    DbStatement insertVar = writer.prepare("INSERT INTO e2e_var VALUES (?, ?, ?, ?);");
    DbStatement insertExample = writer.prepare("INSERT INTO e2e_example VALUES (?, ?, ?, ?, ?, ?, ?);");

    // Entry numbers follow the index files; IDs the byte order of the search key.
    struct Word
    {
        int wid;
        Headword headword;
        QString sword;
    };
    std::vector<Word> words;
    const QStringList &lemmas = lexicon.lemmas();
    words.reserve(size_t(lemmas.size()));
    for (qsizetype i = 0; i < lemmas.size(); ++i) {
        Headword headword = lexicon.headword(lemmas[i]);
        QString sword = TextKeys::asciiUpper(headword.word);
        words.push_back({int(i) + 1, std::move(headword), std::move(sword)});
    }
    TextKeys::sortByKey(words, [](const Word &w) { return w.sword; });

    const QString empty = QLatin1String("");
    qint64 rowCount = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        const Word &w = words[i];
        bool ok = insertWord.run({qint64(i + 1), w.wid, w.headword.word, w.sword,
                                  pronunciations.value(w.headword.word, empty), w.headword.pdef});
        if (ok && !w.headword.varWord.isEmpty())
            ok = insertVar.run(
                    {w.wid, w.headword.varConn, w.headword.varWord, pronunciations.value(w.headword.varWord, empty)});
        int seq = 0;
        for (const ExampleRow &row : lexicon.rows(w.headword.lemma)) {
            if (!ok)
                break;
            ok = insertExample.run(
                    {w.wid, row.type, row.text1, row.text2.isNull() ? empty : row.text2, empty, empty, ++seq});
            ++rowCount;
        }
        if (!ok) {
            buildLog(LogName, QStringLiteral("cannot write %1: %2").arg(w.headword.word, writer.error()));
            return false;
        }
    }
    const bool finished = writer.finish({QStringLiteral("CREATE INDEX e2e_word_sword ON e2e_word (SWORD);"),
                                         QStringLiteral("CREATE INDEX e2e_word_wid ON e2e_word (WID);"),
                                         QStringLiteral("CREATE INDEX e2e_var_wid ON e2e_var (WID);"),
                                         QStringLiteral("CREATE INDEX e2e_example_wid ON e2e_example (WID, SEQ);")});
    if (!finished) {
        buildLog(LogName, QStringLiteral("cannot finish %1: %2").arg(path, writer.error()));
        return false;
    }
    buildLog(LogName, QStringLiteral("%1 headwords, %2 body rows").arg(words.size()).arg(rowCount));
    return true;
}

bool build(const BuildContext &ctx)
{
    QElapsedTimer timer;
    timer.start();
    Lexicon lexicon;
    if (!lexicon.load(ctx.sources.wordnetDir)) {
        buildLog(LogName, QStringLiteral("no WordNet database in %1").arg(ctx.sources.wordnetDir));
        return false;
    }
    buildLog(LogName, QStringLiteral("%1 lemmas read in %2 ms").arg(lexicon.lemmas().size()).arg(timer.elapsed()));

    // Every headword and variant spelling is spoken once.
    QStringList texts;
    QSet<QString> seen;
    for (const QString &lemma : lexicon.lemmas()) {
        const Headword headword = lexicon.headword(lemma);
        for (const QString &text : {headword.word, headword.varWord}) {
            if (!text.isEmpty() && !seen.contains(text)) {
                seen.insert(text);
                texts.append(text);
            }
        }
    }
    const QStringList ipa = pronounce(texts, ctx.jobs);
    QHash<QString, QString> pronunciations;
    qsizetype missing = 0;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (ipa[i].isEmpty())
            ++missing;
        else
            pronunciations.insert(texts[i], QLatin1Char('/') + ipa[i] + QLatin1Char('/'));
    }
    buildLog(LogName, QStringLiteral("%1 pronunciations (%2 missing) after %3 ms")
                              .arg(pronunciations.size())
                              .arg(missing)
                              .arg(timer.elapsed()));

    const bool ok = writeDatabase(ctx.outPath(QStringLiteral("e2e.sdb")), lexicon, pronunciations);
    buildLog(LogName, QStringLiteral("done in %1 ms").arg(timer.elapsed()));
    return ok;
}

} // namespace WordNet

namespace {
const BuilderRegistration registration{
        Builder{QStringLiteral("e2e"), 10, {QStringLiteral("e2e.sdb")}, &WordNet::build}};
} // namespace
