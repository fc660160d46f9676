// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "Dictionary.h"

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::atomic<unsigned long long> s_prepared{0};

// SQLite's memory statistics take a global mutex on every allocation; nothing here reads them.
// This must run before SQLite initialises, so it runs during static initialisation; when SQLite
// is already initialised the call is refused and changes nothing.
const int s_memStatusOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);

// A URI for sqlite3_open_v2 with "immutable=1": the file is never written and never locked.
QByteArray immutableUri(const QByteArray &path)
{
    QByteArray abs = path;
    if (!abs.startsWith('/')) {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd))
            abs = QByteArray(cwd) + '/' + path;
    }
    QByteArray uri("file://");
    uri.reserve(abs.size() + 24);
    static const char hex[] = "0123456789ABCDEF";
    for (char c : std::as_const(abs)) {
        if (c == '%' || c == '?' || c == '#') {
            uri += '%';
            uri += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            uri += hex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += c;
        }
    }
    uri += "?immutable=1";
    return uri;
}

// A connection that cannot read its schema is not a database (or is damaged): treat it as missing.
bool schemaReadable(sqlite3 *db)
{
    return sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The generic row conversion shared by GetQueryList and queryList: cells as UTF-8 texts.
DataItem *rowItem(const char *const *cells, int columns, int cut)
{
    auto *item = new DataItem(2, 3, 0, 0);
    QString s = QString::fromUtf8(cells[0]);
    if (cut > 0)
        s.chop(cut);
    item->SetString(0, s);
    for (int c = 1; c <= 3 && c < columns; ++c)
        item->SetValue(c - 1, cells[c] ? std::strtol(cells[c], nullptr, 10) : 0);
    if (columns >= 5)
        item->SetString(1, QString::fromUtf8(cells[4]));
    return item;
}

} // namespace

struct Dictionary::Cache
{
    struct Statement
    {
        sqlite3 *db = nullptr;
        QByteArray sql;
        sqlite3_stmt *st = nullptr;
        bool busy = false;
    };
    struct Aux
    {
        QByteArray path;
        sqlite3 *db = nullptr;
    };
    std::vector<std::unique_ptr<Statement>> statements;
    std::vector<Aux> aux;

    Statement *find(sqlite3 *db, const char *sql, size_t len)
    {
        for (auto &s : statements) {
            if (s->db == db && static_cast<size_t>(s->sql.size()) == len
                && std::memcmp(s->sql.constData(), sql, len) == 0)
                return s.get();
        }
        return nullptr;
    }

    void finalize(sqlite3 *db)
    {
        for (auto it = statements.begin(); it != statements.end();) {
            if ((*it)->db == db) {
                sqlite3_finalize((*it)->st);
                it = statements.erase(it);
            } else {
                ++it;
            }
        }
    }
};

Dictionary::Dictionary()
    : m_cache(std::make_unique<Cache>())
{ }

Dictionary::~Dictionary()
{
    for (auto &s : m_cache->statements)
        sqlite3_finalize(s->st);
    m_cache->statements.clear();
    for (auto &a : m_cache->aux)
        sqlite3_close(a.db);
    m_cache->aux.clear();
    if (m_db)
        sqlite3_close(m_db);
    m_db = nullptr;
}

unsigned long long Dictionary::StatementsPrepared()
{
    return s_prepared.load();
}

int Dictionary::GetCount()
{
    return m_count;
}

int Dictionary::GetCount(E_DICTIONARY, E_UNDERSTAND)
{
    return 0;
}

DataItem *Dictionary::GetDataIndex(int)
{
    return nullptr;
}

DataList *Dictionary::GetDataIndexList(int)
{
    return nullptr;
}

DataList *Dictionary::GetDataList(int, int, const QString &, bool)
{
    return nullptr;
}

DataList *Dictionary::GetDataList(int, int, E_DICTIONARY, E_ALIGN, E_UNDERSTAND)
{
    return nullptr;
}

DataList *Dictionary::GetDataList(const QString &, bool)
{
    return nullptr;
}

DataItem *Dictionary::GetChineseIndex(int, bool)
{
    return nullptr;
}

DataList *Dictionary::GetChineseBusuList(int)
{
    return nullptr;
}

DataList *Dictionary::GetChineseLineList(bool, int)
{
    return nullptr;
}

DataList *Dictionary::GetKorea2Chinese(const QString &)
{
    return nullptr;
}

DataList *Dictionary::GetChinesLineImage(int)
{
    return nullptr;
}

int Dictionary::AddData(const QString &, int, int, E_UNDERSTAND)
{
    return 0;
}

int Dictionary::EditData(int, E_UNDERSTAND)
{
    return 0;
}

int Dictionary::DeleteData(int)
{
    return 0;
}

int Dictionary::DeleteData(bool)
{
    return 0;
}

int Dictionary::DeleteData(E_DICTIONARY, E_UNDERSTAND)
{
    return 0;
}

int Dictionary::QueryExec(const char *sql, const char *file)
{
    if (!sql)
        return 0;
    if (!file) {
        if (!m_db)
            return 0;
        sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
        return 1;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(file, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return 0;
    }
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 1;
}

int Dictionary::GetSound(const char *, const char *, void **, int *)
{
    return 0;
}

int Dictionary::GetCountTable(const char *table, bool all)
{
    if (!m_db || !table || !*table)
        return 0;
    const QByteArray sql = (all ? QByteArray("SELECT count(*) FROM ") : QByteArray("SELECT max(ID) FROM "))
                           + QByteArray(table) + ';';
    int n = 0;
    runQuery(sql.constData(), {}, [&n](sqlite3_stmt *st) {
        const auto *cell = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
        n = cell ? static_cast<int>(std::strtol(cell, nullptr, 10)) : 0;
        return false;
    });
    return n;
}

DataList *Dictionary::GetQueryList(const char *sql, int cut)
{
    if (!m_db || !sql)
        return nullptr;
    char **table = nullptr;
    int rows = 0;
    int columns = 0;
    if (sqlite3_get_table(m_db, sql, &table, &rows, &columns, nullptr) != SQLITE_OK) {
        sqlite3_free_table(table);
        return nullptr;
    }
    std::unique_ptr<DataList> list;
    if (rows > 0 && columns > 0) {
        list = std::make_unique<DataList>();
        for (int r = 1; r <= rows; ++r)
            list->AddItem(rowItem(table + r * columns, columns, cut));
    }
    sqlite3_free_table(table);
    return list.release();
}

bool Dictionary::openDatabase(const QByteArray &path)
{
    closeDatabase();
    if (!fileReadable(path))
        return false;
    sqlite3 *db = nullptr;
    const QByteArray uri = immutableUri(path);
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr)
                != SQLITE_OK
        || !schemaReadable(db)) {
        sqlite3_close(db);
        return false;
    }
    // The file never changes, so one read transaction can stay open for the connection's life:
    // statements then skip beginning and ending a transaction of their own.
    sqlite3_exec(db, "BEGIN;", nullptr, nullptr, nullptr);
    m_db = db;
    return true;
}

bool Dictionary::openDatabaseReadWrite(const QByteArray &path)
{
    closeDatabase();
    sqlite3 *db = nullptr;
    if (path.isEmpty()
        || sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK
        || !schemaReadable(db)) {
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    return true;
}

void Dictionary::closeDatabase()
{
    if (!m_db)
        return;
    m_cache->finalize(m_db);
    sqlite3_close(m_db);
    m_db = nullptr;
}

sqlite3 *Dictionary::auxDatabase(const QByteArray &path)
{
    for (const auto &a : m_cache->aux) {
        if (a.path == path)
            return a.db;
    }
    if (!fileReadable(path))
        return nullptr;
    sqlite3 *db = nullptr;
    const QByteArray uri = immutableUri(path);
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr)
                != SQLITE_OK
        || !schemaReadable(db)) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_exec(db, "BEGIN;", nullptr, nullptr, nullptr);
    m_cache->aux.push_back({path, db});
    return db;
}

int Dictionary::execCached(sqlite3 *db, const char *sql, SqlArgs args, bool (*call)(void *, sqlite3_stmt *), void *ctx)
{
    if (!db || !sql)
        return -1;
    const size_t len = std::strlen(sql);
    Cache::Statement *entry = m_cache->find(db, sql, len);
    sqlite3_stmt *st = nullptr;
    bool temporary = false;
    if (entry && !entry->busy) {
        st = entry->st;
    } else {
        // A statement already walking its rows (a nested run of the same text) gets a private copy.
        const unsigned flags = entry ? 0 : SQLITE_PREPARE_PERSISTENT;
        if (sqlite3_prepare_v3(db, sql, static_cast<int>(len), flags, &st, nullptr) != SQLITE_OK || !st) {
            sqlite3_finalize(st);
            return -1;
        }
        ++s_prepared;
        if (entry) {
            temporary = true;
        } else {
            auto fresh = std::make_unique<Cache::Statement>();
            fresh->db = db;
            fresh->sql = QByteArray(sql, static_cast<int>(len));
            fresh->st = st;
            entry = fresh.get();
            m_cache->statements.push_back(std::move(fresh));
        }
    }

    int index = 1;
    for (const SqlArg &a : args) {
        if (a.isText())
            sqlite3_bind_text(st, index, a.text().constData(), static_cast<int>(a.text().size()), SQLITE_STATIC);
        else
            sqlite3_bind_int64(st, index, a.integer());
        ++index;
    }

    if (!temporary)
        entry->busy = true;
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        if (!call(ctx, st))
            break;
    }
    if (temporary) {
        sqlite3_finalize(st);
    } else {
        sqlite3_reset(st);
        // Texts are bound without a copy: drop them unless the next run rebinds every parameter.
        if (static_cast<int>(args.size()) < sqlite3_bind_parameter_count(st))
            sqlite3_clear_bindings(st);
        // The callback may have added statements; entry is heap-allocated and stays valid.
        entry->busy = false;
    }
    return rows;
}

std::unique_ptr<DataList> Dictionary::queryList(const char *sql, SqlArgs args, int cut)
{
    auto list = std::make_unique<DataList>();
    runQuery(sql, args, [&list, cut](sqlite3_stmt *st) {
        // The same conversion as rowItem(), reading integers without a detour through text.
        const int columns = sqlite3_column_count(st);
        auto *item = new DataItem(2, 3, 0, 0);
        QString s = columnString(st, 0);
        if (cut > 0)
            s.chop(cut);
        item->SetString(0, s);
        for (int c = 1; c <= 3 && c < columns; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_INTEGER) {
                item->SetValue(c - 1, static_cast<long>(sqlite3_column_int64(st, c)));
            } else {
                const auto *cell = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                item->SetValue(c - 1, cell ? std::strtol(cell, nullptr, 10) : 0);
            }
        }
        if (columns >= 5)
            item->SetString(1, columnString(st, 4));
        list->AddItem(item);
    });
    if (list->GetCount() == 0)
        return nullptr;
    return list;
}

QString Dictionary::columnString(sqlite3_stmt *st, int col)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, col));
    if (!text)
        return QString();
    return QString::fromUtf8(text, sqlite3_column_bytes(st, col));
}

QByteArray Dictionary::columnBytes(sqlite3_stmt *st, int col)
{
    const void *blob = sqlite3_column_blob(st, col);
    const int size = sqlite3_column_bytes(st, col);
    if (!blob || size <= 0)
        return QByteArray();
    return QByteArray(static_cast<const char *>(blob), size);
}

int Dictionary::columnInt(sqlite3_stmt *st, int col)
{
    return static_cast<int>(sqlite3_column_int64(st, col));
}

int Dictionary::columnCount(sqlite3_stmt *st)
{
    return sqlite3_column_count(st);
}

QByteArray Dictionary::quoteSql(const QByteArray &utf8)
{
    QByteArray out = utf8;
    out.replace('\'', "''");
    return out;
}

bool Dictionary::fileReadable(const QByteArray &path)
{
    if (path.isEmpty())
        return false;
    struct stat info;
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ::access(path.constData(), R_OK) == 0;
}

DataList *Dictionary::takeNonEmpty(std::unique_ptr<DataList> list)
{
    if (!list || list->GetCount() == 0)
        return nullptr;
    return list.release();
}

DataList *Dictionary::keepList(std::unique_ptr<DataList> list)
{
    m_lastList.reset();
    if (list && list->GetCount() > 0)
        m_lastList = std::move(list);
    return m_lastList.get();
}

DataItem *Dictionary::keepItem(std::unique_ptr<DataItem> item)
{
    m_lastItem = std::move(item);
    return m_lastItem.get();
}

namespace {

// The letter rule of the sound databases: the preferred (upper-case) file and, for a letter, the
// lower-case one. False when the name has no letter.
bool soundCandidates(const QByteArray &dir, const QByteArray &name, QByteArray *preferred, QByteArray *lower)
{
    if (name.isEmpty())
        return false;
    char letter = name.at(0);
    if (letter == '-') {
        if (name.size() < 2)
            return false;
        letter = name.at(1);
    }
    const bool isLetter = (letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z');
    const char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
    *preferred = dir + "sound_" + upper + ".sdb";
    *lower = isLetter ? dir + "sound_" + static_cast<char>(upper + 32) + ".sdb" : QByteArray();
    return true;
}

} // namespace

QByteArray Dictionary::soundFileFor(const QByteArray &dir, const QByteArray &name)
{
    QByteArray preferred;
    QByteArray lower;
    if (!soundCandidates(dir, name, &preferred, &lower))
        return QByteArray();
    if (!lower.isEmpty() && !fileReadable(preferred) && fileReadable(lower))
        return lower;
    return preferred;
}

sqlite3 *Dictionary::soundDatabase(const QByteArray &dir, const QByteArray &name)
{
    QByteArray preferred;
    QByteArray lower;
    if (!soundCandidates(dir, name, &preferred, &lower))
        return nullptr;
    // Once a sound database is open it keeps answering for its letter, without a file-system call.
    for (const auto &a : m_cache->aux) {
        if (a.path == preferred || (!lower.isEmpty() && a.path == lower))
            return a.db;
    }
    return auxDatabase(soundFileFor(dir, name));
}

bool Dictionary::soundAvailable(const QByteArray &dir, const QByteArray &name)
{
    sqlite3 *db = soundDatabase(dir, name);
    if (!db)
        return false;
    return runQueryOn(db, "SELECT name FROM e_word WHERE name = ?;", {name}, [](sqlite3_stmt *) { return false; }) > 0;
}

int Dictionary::readSound(const char *dir, const char *name, void **data, int *length)
{
    if (!name)
        return 0;
    const QByteArray directory(dir ? dir : "");
    sqlite3 *db = soundDatabase(directory, QByteArray(name));
    if (!db)
        return 0;
    QByteArray clip;
    runQueryOn(db, "SELECT data from e_word WHERE name = ?;", {name}, [&clip](sqlite3_stmt *st) {
        clip = columnBytes(st, 0);
        return false;
    });
    if (data && length) {
        void *buffer = std::malloc(static_cast<size_t>(qMax<qsizetype>(clip.size(), 1)));
        if (!buffer)
            return 0;
        if (!clip.isEmpty())
            std::memcpy(buffer, clip.constData(), static_cast<size_t>(clip.size()));
        *data = buffer;
        *length = static_cast<int>(clip.size());
        return 1;
    }
    const QByteArray target = directory + "temp.mp3";
    ::unlink(target.constData());
    if (FILE *out = std::fopen(target.constData(), "wb")) {
        if (!clip.isEmpty())
            std::fwrite(clip.constData(), 1, static_cast<size_t>(clip.size()), out);
        std::fclose(out);
    }
    return 1;
}

const char *Dictionary::orderClause(E_ALIGN align)
{
    switch (align) {
    case ALIGN_RECENT:
        return " ORDER BY ID DESC";
    case ALIGN_WORD_ASC:
        return " ORDER BY WORD ASC";
    case ALIGN_WORD_DESC:
        return " ORDER BY WORD DESC";
    }
    return "";
}
