// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Build step "phrasebooks": the English, Japanese and Chinese conversation books and their
// recordings, all from one four-language phrasebook compiled into the program as a resource.
#include "PhrasebookBuilder.h"

#include "BuilderRegistry.h"
#include "DbWriter.h"
#include "Speech.h"

#include <QFile>
#include <QStringList>

namespace {

const char *const logName = "phrasebooks";

// The books store section names and recording names with one trailing character that the
// reading side cuts off again.
const QString trailer = QStringLiteral("\r");

bool isKanji(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || u == 0x3005; // 々
}

bool hasKanji(const QString &text)
{
    return std::any_of(text.begin(), text.end(), isKanji);
}

bool setError(QString *error, int lineNumber, const QString &message)
{
    if (error)
        *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(message);
    return false;
}

QStringList fields(const QString &line)
{
    QStringList parts = line.split(QLatin1Char('|'));
    for (QString &part : parts)
        part = part.trimmed();
    return parts;
}

// One book's tables, named as its reader expects them.
struct BookSchema
{
    const char *file;
    const char *create;
    const char *insertSection;
    const char *insertTitle; // (number, Korean title, section, display order, head texts...)
    const char *insertLine; // (title, order, talker, foreign text, Korean, recording[, pinyin])
    QStringList indexes;
    char prefix; // of the recording names
    const char *soundTable;
};

const BookSchema englishSchema{
        "econ.sdb",
        "CREATE TABLE econ_section (seq INTEGER PRIMARY KEY, section_name TEXT);"
        "CREATE TABLE econ_title (Title_no INTEGER PRIMARY KEY, Title_kor TEXT, Up_seq INTEGER, Display_seq INTEGER, "
        "Comment TEXT, expn TEXT);"
        "CREATE TABLE econ_conversation (title_seq INTEGER, Talk_seq INTEGER, Talker TEXT, Dialog_eng TEXT, "
        "Dialog_kor TEXT, SOUND2 TEXT);",
        "INSERT INTO econ_section (seq, section_name) VALUES (?, ?);",
        "INSERT INTO econ_title (Title_no, Title_kor, Up_seq, Display_seq, Comment, expn) VALUES (?, ?, ?, ?, ?, ?);",
        "INSERT INTO econ_conversation (title_seq, Talk_seq, Talker, Dialog_eng, Dialog_kor, SOUND2) "
        "VALUES (?, ?, ?, ?, ?, ?);",
        {QStringLiteral("CREATE INDEX econ_title_section ON econ_title (Up_seq, Display_seq);"),
         QStringLiteral("CREATE INDEX econ_conversation_title ON econ_conversation (title_seq, Talk_seq);")},
        'e',
        "e_conversation",
};

const BookSchema japaneseSchema{
        "jcon.sdb",
        "CREATE TABLE jcon_section (SEC_NUMBER INTEGER PRIMARY KEY, SEC TEXT);"
        "CREATE TABLE jcon_title (Title_seq INTEGER PRIMARY KEY, Title_kor TEXT, sec_num INTEGER, Display_seq INTEGER, "
        "Explanation TEXT);"
        "CREATE TABLE jcon_conversation (Title_seq INTEGER, Talk_seq INTEGER, Talker TEXT, Jap TEXT, Kor TEXT, "
        "Sound2 TEXT);",
        "INSERT INTO jcon_section (SEC_NUMBER, SEC) VALUES (?, ?);",
        "INSERT INTO jcon_title (Title_seq, Title_kor, sec_num, Display_seq, Explanation) VALUES (?, ?, ?, ?, ?);",
        "INSERT INTO jcon_conversation (Title_seq, Talk_seq, Talker, Jap, Kor, Sound2) VALUES (?, ?, ?, ?, ?, ?);",
        {QStringLiteral("CREATE INDEX jcon_title_section ON jcon_title (sec_num, Display_seq);"),
         QStringLiteral("CREATE INDEX jcon_conversation_title ON jcon_conversation (Title_seq, Talk_seq);")},
        'j',
        "j_conversation",
};

const BookSchema chineseSchema{
        "ccon.sdb",
        "CREATE TABLE ccon_section (sec_no INTEGER PRIMARY KEY, sec TEXT);"
        "CREATE TABLE ccon_title (Title_no INTEGER PRIMARY KEY, Title_Kor TEXT, sec_no INTEGER, Display_seq INTEGER, "
        "expn TEXT);"
        "CREATE TABLE ccon_conversation (Title_no INTEGER, seq INTEGER, talker TEXT, Chinese TEXT, Korean TEXT, "
        "sound2 TEXT, Pinyin TEXT);",
        "INSERT INTO ccon_section (sec_no, sec) VALUES (?, ?);",
        "INSERT INTO ccon_title (Title_no, Title_Kor, sec_no, Display_seq, expn) VALUES (?, ?, ?, ?, ?);",
        "INSERT INTO ccon_conversation (Title_no, seq, talker, Chinese, Korean, sound2, Pinyin) "
        "VALUES (?, ?, ?, ?, ?, ?, ?);",
        {QStringLiteral("CREATE INDEX ccon_title_section ON ccon_title (sec_no, Display_seq);"),
         QStringLiteral("CREATE INDEX ccon_conversation_title ON ccon_conversation (Title_no, seq);")},
        'c',
        "c_conversation",
};

const BookSchema *const schemas[] = {&englishSchema, &japaneseSchema, &chineseSchema};

// The recordings made for one build: recording name -> MP3, per book.
struct Recordings
{
    QHash<QString, QByteArray> clips[3];
};

int bookIndex(const BookSchema &schema)
{
    return schema.prefix == 'e' ? 0 : schema.prefix == 'j' ? 1 : 2;
}

bool writeBook(const BuildContext &ctx, const Phrasebook &book, const BookSchema &schema, const Recordings &recordings)
{
    DbWriter writer(ctx.outPath(QString::fromLatin1(schema.file)));
    if (!writer.open() || !writer.exec(QString::fromLatin1(schema.create))) {
        buildLog(logName, QStringLiteral("%1: %2").arg(QLatin1String(schema.file), writer.error()));
        return false;
    }
    DbStatement insertSection = writer.prepare(schema.insertSection);
    DbStatement insertTitle = writer.prepare(schema.insertTitle);
    DbStatement insertLine = writer.prepare(schema.insertLine);
    const QHash<QString, QByteArray> &clips = recordings.clips[bookIndex(schema)];
    bool ok = insertSection.isValid() && insertTitle.isValid() && insertLine.isValid();
    int titleNumber = 0;
    for (size_t s = 0; ok && s < book.sections.size(); ++s) {
        const PhraseSection &section = book.sections[s];
        const int sectionNumber = int(s) + 1;
        ok = insertSection.run({sectionNumber, QString(section.name + trailer)});
        for (size_t t = 0; ok && t < section.situations.size(); ++t) {
            const PhraseSituation &situation = section.situations[t];
            ++titleNumber;
            const int display = int(t) + 1;
            if (schema.prefix == 'e')
                ok = insertTitle.run({titleNumber, situation.titleKorean, sectionNumber, display,
                                      situation.titleEnglish, situation.note});
            else
                ok = insertTitle.run({titleNumber, situation.titleKorean, sectionNumber, display, situation.note});
            for (size_t l = 0; ok && l < situation.lines.size(); ++l) {
                const PhraseLine &line = situation.lines[l];
                const QString name = PhrasebookBuilder::soundName(schema.prefix, sectionNumber, display, int(l) + 1);
                const QVariant sound = clips.contains(name) ? QVariant(name + trailer) : QVariant();
                const int talk = int(l) + 1;
                switch (schema.prefix) {
                case 'e':
                    ok = insertLine.run({titleNumber, talk, line.talker, line.english, line.korean, sound});
                    break;
                case 'j':
                    ok = insertLine.run({titleNumber, talk, line.talker, line.japanese, line.korean, sound});
                    break;
                default:
                    ok = insertLine.run(
                            {titleNumber, talk, line.talker, line.chinese, line.korean, sound, line.pinyin});
                    break;
                }
            }
        }
    }
    if (!ok || !writer.finish(schema.indexes)) {
        buildLog(logName, QStringLiteral("%1: %2").arg(QLatin1String(schema.file), writer.error()));
        return false;
    }
    buildLog(logName, QStringLiteral("%1: %2 sections, %3 situations, %4 lines, %5 recordings")
                              .arg(QLatin1String(schema.file))
                              .arg(book.sections.size())
                              .arg(book.situationCount())
                              .arg(book.lineCount())
                              .arg(clips.size()));
    return true;
}

// Speaks every line in its three foreign languages, line by line, up to ctx.soundLimit clips.
bool record(const BuildContext &ctx, const Phrasebook &book, Recordings &recordings)
{
    std::vector<SpeechJob> jobs;
    std::vector<std::pair<int, QString>> names; // book index, recording name, per job
    for (size_t s = 0; s < book.sections.size(); ++s) {
        const auto &situations = book.sections[s].situations;
        for (size_t t = 0; t < situations.size(); ++t) {
            for (size_t l = 0; l < situations[t].lines.size(); ++l) {
                const PhraseLine &line = situations[t].lines[l];
                const int sn = int(s) + 1, tn = int(t) + 1, ln = int(l) + 1;
                jobs.push_back({line.english, QStringLiteral("en-us"), {}});
                names.emplace_back(0, PhrasebookBuilder::soundName('e', sn, tn, ln));
                jobs.push_back({PhrasebookBuilder::japaneseSpeech(line), QStringLiteral("ja"), {}});
                names.emplace_back(1, PhrasebookBuilder::soundName('j', sn, tn, ln));
                // The Mandarin voice that reads characters guesses readings of its own (银行 as
                // yín xíng); the pinyin voice reads exactly the tones written in the book.
                jobs.push_back({line.pinyin, QStringLiteral("cmn-latn-pinyin"), {}});
                names.emplace_back(2, PhrasebookBuilder::soundName('c', sn, tn, ln));
            }
        }
    }
    if (ctx.soundLimit >= 0 && jobs.size() > size_t(ctx.soundLimit)) {
        jobs.resize(size_t(ctx.soundLimit));
        names.resize(size_t(ctx.soundLimit));
    }
    if (jobs.empty())
        return true;
    if (!Speech::available()) {
        buildLog(logName, QStringLiteral("espeak-ng or lame is missing: cannot record the phrasebooks"));
        return false;
    }
    const int made = Speech::synthesize(jobs, ctx.jobs, logName);
    for (size_t i = 0; i < jobs.size(); ++i) {
        if (!jobs[i].mp3.isEmpty())
            recordings.clips[names[i].first].insert(names[i].second, jobs[i].mp3);
    }
    if (made < int(jobs.size()))
        buildLog(logName, QStringLiteral("%1 of %2 recordings failed").arg(int(jobs.size()) - made).arg(jobs.size()));
    return made > 0;
}

bool writeRecordings(const BuildContext &ctx, const Recordings &recordings)
{
    DbWriter writer(ctx.outPath(QStringLiteral("sound_con.sdb")));
    if (!writer.open()) {
        buildLog(logName, writer.error());
        return false;
    }
    bool ok = true;
    QStringList indexes;
    for (const BookSchema *schema : schemas) {
        const QString table = QString::fromLatin1(schema->soundTable);
        ok = ok && writer.exec(QStringLiteral("CREATE TABLE %1 (name TEXT, data BLOB);").arg(table));
        indexes << QStringLiteral("CREATE UNIQUE INDEX %1_name ON %1 (name);").arg(table);
        if (!ok)
            break;
        const QByteArray insert = QStringLiteral("INSERT INTO %1 (name, data) VALUES (?, ?);").arg(table).toLatin1();
        DbStatement statement = writer.prepare(insert.constData());
        const QHash<QString, QByteArray> &clips = recordings.clips[bookIndex(*schema)];
        // Stored in name order, the order in which a dialogue asks for them.
        QStringList names = clips.keys();
        names.sort();
        for (const QString &name : std::as_const(names)) {
            ok = statement.run({name, clips.value(name)});
            if (!ok)
                break;
        }
    }
    if (!ok || !writer.finish(indexes)) {
        buildLog(logName, QStringLiteral("sound_con.sdb: %1").arg(writer.error()));
        return false;
    }
    return true;
}

bool buildPhrasebooks(const BuildContext &ctx)
{
    QString error;
    const std::optional<Phrasebook> book = PhrasebookBuilder::builtIn(&error);
    if (!book) {
        buildLog(logName, QStringLiteral("the phrasebook does not parse: %1").arg(error));
        return false;
    }
    return PhrasebookBuilder::write(ctx, *book);
}

const BuilderRegistration registration{Builder{QStringLiteral("phrasebooks"),
                                               60,
                                               {QStringLiteral("econ.sdb"), QStringLiteral("jcon.sdb"),
                                                QStringLiteral("ccon.sdb"), QStringLiteral("sound_con.sdb")},
                                               &buildPhrasebooks}};

} // namespace

int Phrasebook::situationCount() const
{
    int count = 0;
    for (const PhraseSection &section : sections)
        count += int(section.situations.size());
    return count;
}

int Phrasebook::lineCount() const
{
    int count = 0;
    for (const PhraseSection &section : sections) {
        for (const PhraseSituation &situation : section.situations)
            count += int(situation.lines.size());
    }
    return count;
}

std::optional<Phrasebook> PhrasebookBuilder::parse(const QString &text, QString *error)
{
    Phrasebook book;
    const QStringList lines = text.split(QLatin1Char('\n'));
    // Closes the open situation and section: both must have something in them.
    const auto checkOpen = [&](int lineNumber, bool closingSection) {
        if (book.sections.empty())
            return true;
        PhraseSection &section = book.sections.back();
        if (!section.situations.empty() && section.situations.back().lines.empty())
            return setError(error, lineNumber,
                            QStringLiteral("situation \"%1\" has no lines").arg(section.situations.back().titleKorean));
        if (closingSection && section.situations.empty())
            return setError(error, lineNumber, QStringLiteral("section \"%1\" has no situations").arg(section.name));
        return true;
    };
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('@'))) {
            if (!checkOpen(lineNumber, true))
                return std::nullopt;
            const QString name = line.mid(1).trimmed();
            if (name.isEmpty() || name.contains(QLatin1Char('|'))) {
                setError(error, lineNumber, QStringLiteral("a section needs just a name"));
                return std::nullopt;
            }
            book.sections.push_back({name, {}});
            continue;
        }
        if (line.startsWith(QLatin1Char('*'))) {
            if (book.sections.empty()) {
                setError(error, lineNumber, QStringLiteral("situation before the first section"));
                return std::nullopt;
            }
            if (!checkOpen(lineNumber, false))
                return std::nullopt;
            const QStringList parts = fields(line.mid(1));
            if (parts.size() != 3
                || std::any_of(parts.begin(), parts.end(), [](const QString &p) { return p.isEmpty(); })) {
                setError(error, lineNumber,
                         QStringLiteral("a situation needs a Korean title, an English title and a note"));
                return std::nullopt;
            }
            book.sections.back().situations.push_back({parts[0], parts[1], parts[2], {}});
            continue;
        }
        if (book.sections.empty() || book.sections.back().situations.empty()) {
            setError(error, lineNumber, QStringLiteral("dialogue line outside a situation"));
            return std::nullopt;
        }
        const QStringList parts = fields(line);
        if (parts.size() != 7) {
            setError(error, lineNumber, QStringLiteral("a dialogue line needs 7 fields, not %1").arg(parts.size()));
            return std::nullopt;
        }
        PhraseLine entry{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], parts[6]};
        for (int f = 0; f < 7; ++f) {
            if (f != 4 && parts[f].isEmpty()) {
                setError(error, lineNumber, QStringLiteral("field %1 is empty").arg(f + 1));
                return std::nullopt;
            }
        }
        // espeak-ng passes over kanji in silence, so they need their kana.
        if (hasKanji(entry.japaneseSpoken) || (entry.japaneseSpoken.isEmpty() && hasKanji(entry.japanese))) {
            setError(error, lineNumber, QStringLiteral("the spoken Japanese must be kana"));
            return std::nullopt;
        }
        if (hasKanji(entry.pinyin) || !hasKanji(entry.chinese)) {
            setError(error, lineNumber, QStringLiteral("Chinese and pinyin are mixed up"));
            return std::nullopt;
        }
        book.sections.back().situations.back().lines.push_back(std::move(entry));
    }
    if (!checkOpen(lines.size(), true))
        return std::nullopt;
    if (book.sections.empty()) {
        setError(error, lines.size(), QStringLiteral("no sections"));
        return std::nullopt;
    }
    return book;
}

std::optional<Phrasebook> PhrasebookBuilder::builtIn(QString *error)
{
    QFile file(QStringLiteral(":/builddata/phrasebook.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("the phrasebook resource is missing");
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()), error);
}

QString PhrasebookBuilder::japaneseSpeech(const PhraseLine &line)
{
    return line.japaneseSpoken.isEmpty() ? line.japanese : line.japaneseSpoken;
}

QString PhrasebookBuilder::soundName(char prefix, int section, int situation, int line)
{
    return QStringLiteral("%1_%2_%3_%4.mp3")
            .arg(QLatin1Char(prefix))
            .arg(section, 2, 10, QLatin1Char('0'))
            .arg(situation, 2, 10, QLatin1Char('0'))
            .arg(line, 2, 10, QLatin1Char('0'));
}

bool PhrasebookBuilder::write(const BuildContext &ctx, const Phrasebook &book)
{
    Recordings recordings;
    if (ctx.withSound) {
        if (!record(ctx, book, recordings) || !writeRecordings(ctx, recordings))
            return false;
    } else {
        buildLog(logName, QStringLiteral("no recordings asked for: sound_con.sdb is not written"));
    }
    for (const BookSchema *schema : schemas) {
        if (!writeBook(ctx, book, *schema, recordings))
            return false;
    }
    return true;
}
