// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Data.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <memory>
#include <type_traits>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// Abstract accessor of one database kind. It holds the connection and the result slots that own
// everything it returns: each query destroys the previous result of its own slot before storing
// the new one, so a caller never frees a result and never keeps one across the next query of the
// same slot. Operations a kind does not support answer 0 or null.
class Dictionary
{
public:
    Dictionary();
    virtual ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    virtual int GetCount();
    virtual int GetCount(E_DICTIONARY kind, E_UNDERSTAND understand);
    virtual DataItem *GetDataIndex(int n);
    virtual DataList *GetDataIndexList(int n);
    virtual DataList *GetDataList(int start, int count, const QString &key, bool exact);
    virtual DataList *GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND understand);
    virtual DataList *GetDataList(const QString &key, bool flag);
    virtual DataItem *GetChineseIndex(int n, bool flag);
    virtual DataList *GetChineseBusuList(int n);
    virtual DataList *GetChineseLineList(bool flag, int n);
    virtual DataList *GetKorea2Chinese(const QString &reading);
    virtual DataList *GetChinesLineImage(int n);
    virtual int AddData(const QString &word, int type, int num, E_UNDERSTAND understand);
    virtual int EditData(int id, E_UNDERSTAND understand);
    virtual int DeleteData(int id);
    virtual int DeleteData(bool all);
    virtual int DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand);
    // With file null, runs sql on the own connection; otherwise opens file, runs sql there, closes it.
    // Answers 1 when the statement was handed to SQLite, 0 for a null statement or no connection.
    virtual int QueryExec(const char *sql, const char *file);
    // On success allocates a buffer (freed by the caller with free()) with the whole clip.
    virtual int GetSound(const char *soundDir, const char *name, void **data, int *length);
    // "SELECT count(*) FROM t;" when all, "SELECT max(ID) FROM t;" otherwise; 0 when empty.
    virtual int GetCountTable(const char *table, bool all);
    // Generic row converter: DataItem(2, 3, 0, 0) per row; null when there are no rows.
    // The caller owns the returned list (and normally stores it in its last-list slot).
    virtual DataList *GetQueryList(const char *sql, int cut);

    // Diagnostics for benchmarks and tests: statements prepared by all accessors of the process.
    static unsigned long long StatementsPrepared();

protected:
    // One statement parameter, bound to ?1, ?2, ... in order: an integer, or a text bound as UTF-8.
    class SqlArg
    {
    public:
        SqlArg(int v)
            : m_int(v)
        { }
        SqlArg(long v)
            : m_int(v)
        { }
        SqlArg(long long v)
            : m_int(v)
        { }
        SqlArg(const QString &s)
            : m_isText(true)
            , m_text(s.toUtf8())
        { }
        SqlArg(const QByteArray &utf8)
            : m_isText(true)
            , m_text(utf8)
        { }
        SqlArg(const char *utf8)
            : m_isText(true)
            , m_text(utf8)
        { }

        bool isText() const { return m_isText; }
        long long integer() const { return m_int; }
        const QByteArray &text() const { return m_text; }

    private:
        bool m_isText = false;
        long long m_int = 0;
        QByteArray m_text;
    };
    using SqlArgs = std::initializer_list<SqlArg>;

    // Opens path read-only and immutable (no locks, no journal) when the file exists and is a
    // database, and stores the connection in m_db; false (m_db stays null) otherwise.
    bool openDatabase(const QByteArray &path);
    // Opens path read-write, creating the file when missing (user stores); false when it fails.
    bool openDatabaseReadWrite(const QByteArray &path);
    // Finalizes every cached statement of m_db and closes it; m_db is null afterwards.
    void closeDatabase();
    // An extra read-only database (a sound database), opened once per path and kept until the
    // accessor dies; null while the file is missing or not a database (re-tested on every call).
    sqlite3 *auxDatabase(const QByteArray &path);

    // Runs sql on m_db with args bound and calls row(sqlite3_stmt *) for every result row (a row
    // callback returning bool stops the walk by answering false). The statement is prepared once
    // per accessor and SQL text and reused. Answers the rows seen, or -1 without a connection or
    // when the statement does not prepare. A callback may run other statements, even the same text.
    template<typename F> int runQuery(const char *sql, SqlArgs args, F &&row)
    {
        return runQueryOn(m_db, sql, args, std::forward<F>(row));
    }
    int runQuery(const char *sql, SqlArgs args)
    {
        return runQueryOn(m_db, sql, args, [](sqlite3_stmt *) {});
    }
    // runQuery on another connection (for instance one from auxDatabase()).
    template<typename F> int runQueryOn(sqlite3 *db, const char *sql, SqlArgs args, F &&row)
    {
        auto call = [](void *ctx, sqlite3_stmt *st) -> bool {
            auto &f = *static_cast<std::remove_reference_t<F> *>(ctx);
            if constexpr (std::is_same_v<decltype(f(st)), bool>)
                return f(st);
            else {
                f(st);
                return true;
            }
        };
        return execCached(db, sql, args, call, const_cast<void *>(static_cast<const void *>(&row)));
    }
    // GetQueryList's row conversion on a cached statement with bound args; null when no rows.
    std::unique_ptr<DataList> queryList(const char *sql, SqlArgs args, int cut);

    // Column readers for row callbacks: UTF-8 text (empty for NULL), raw bytes, integer.
    // The ORDER BY clause of a user-store list (leading space), empty for an unknown order.
    static const char *orderClause(E_ALIGN align);
    static QString columnString(sqlite3_stmt *st, int col);
    static QByteArray columnBytes(sqlite3_stmt *st, int col);
    static int columnInt(sqlite3_stmt *st, int col);
    static int columnCount(sqlite3_stmt *st);
    // Doubles single quotes, for the rare statement that must embed a key in its text.
    static QByteArray quoteSql(const QByteArray &utf8);
    // True when path names a readable regular file.
    static bool fileReadable(const QByteArray &path);
    // A list with rows is released to the caller; an empty or null one is destroyed and null returned.
    static DataList *takeNonEmpty(std::unique_ptr<DataList> list);

    // Recorded pronunciations of the English dictionaries, one sound database per initial letter
    // ("sound_A.sdb" ... in dir, table e_word(name, data)). The letter is the name's first
    // character, its second when the first is "-", with a..z upper-cased. On a case-sensitive file
    // system the upper-case file is preferred and the lower-case one used when only it exists, so
    // soundAvailable() and readSound() always look at the same file: a name is offered exactly
    // when it can be read. soundFileFor() answers an empty path when the name has no letter.
    static QByteArray soundFileFor(const QByteArray &dir, const QByteArray &name);
    // The open sound database for name (see soundFileFor), null when there is none.
    sqlite3 *soundDatabase(const QByteArray &dir, const QByteArray &name);
    // True when the sound database for name exists and holds a row with exactly that name.
    bool soundAvailable(const QByteArray &dir, const QByteArray &name);
    // GetSound of the English dictionaries: 0 for a null name or an unreadable sound database;
    // else 1 with a malloc'ed copy of the clip (zero length when the name is not stored) handed
    // out through data/length, or, when either is null, written to dir + "temp.mp3".
    int readSound(const char *dir, const char *name, void **data, int *length);

    // Store a result in its owned slot (destroying the previous one) and answer it; an empty
    // list is destroyed and answered as null.
    DataList *keepList(std::unique_ptr<DataList> list);
    DataItem *keepItem(std::unique_ptr<DataItem> item);

    int m_count = -1;
    sqlite3 *m_db = nullptr;
    std::unique_ptr<DataItem> m_lastItem;
    std::unique_ptr<DataList> m_lastList;
    std::unique_ptr<DataList> m_slot1;
    std::unique_ptr<DataList> m_slot2;
    QByteArray m_dicPath;
    QByteArray m_soundPath;

private:
    int execCached(sqlite3 *db, const char *sql, SqlArgs args, bool (*call)(void *, sqlite3_stmt *), void *ctx);

    struct Cache;
    std::unique_ptr<Cache> m_cache;
};
