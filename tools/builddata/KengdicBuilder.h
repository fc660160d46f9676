// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

// One row of kengdic's m_korean table as the PostgreSQL dump holds it (fields unescaped).
struct KengdicRow
{
    int wordId = 0; // 0 where the dump has none
    QString word;
    QString syn; // a related word, a usage pattern with "~" for the headword, or a category
    QString def; // the English gloss
    QString pos; // kengdic's part-of-speech code: "1".."10", or a Korean letter ("보", "불")
    QString level; // "A" (the most basic words) .. "D"; empty where unknown
    QString hanja; // one character per line; "-" stands for a part of the word without Hanja
};

// An English headword drawn from a Korean word's gloss, with the part-of-speech code of the
// English-Korean meaning tree (0 where the gloss does not tell it reliably).
struct EnglishHeadword
{
    QString text;
    int partOfSpeech = 0;
};

// kengdic (ezcorean_6000.sql) read into the Korean-English dictionary and its reverse index.
namespace Kengdic {

// The rows of the "COPY m_korean (...) FROM stdin;" block: UTF-8 with or without a byte-order
// mark, LF or CRLF line ends, tab-separated fields in the column order the COPY line names,
// "\N" for NULL, backslash escapes, and the block ended by "\.". A row whose line was broken by
// a raw line break (fewer fields than columns) is joined with the following line. Empty, with
// *error set, when there is no such block, a needed column is missing or the end marker is absent.
std::vector<KengdicRow> parseDump(const QByteArray &dump, QString *error = nullptr);

// One field of the COPY text format: "\N" is NULL (empty, *isNull set), "\n", "\t", "\\",
// octal and hex escapes are decoded, any other escaped character stands for itself.
QString unescapeField(QStringView field, bool *isNull = nullptr);

// The headword as shown: trimmed, without the homograph digits some words carry ("기13" -> "기").
QString headword(const QString &word);
// The search key: the headword without a bracketed alternative ("베이징(북경)" -> "베이징").
QString searchKey(const QString &word);
// The Hanja spelling: the characters joined, the "-" markers kept where only part of the word
// has Hanja ("苦\n生\n-" -> "苦生-", "-色" stays). A loanword's Latin source spelling is kept
// ("fax"); Korean notes that some rows hold in this column instead give an empty string.
QString hanjaSpelling(const QString &hanja);
// The Korean part-of-speech word for kengdic's code ("1" -> "명사"); empty for codes whose words
// do not share one part of speech.
QString partOfSpeech(const QString &pos);
// Importance digit of the English-Korean headwords: level A -> 3, B -> 2, C -> 1, D or none -> 0.
int importance(const QString &level);

// The senses of a gloss, untidied: split at sense numbers ("1) ... 2) ...", "(2) ...") and at
// semicolons.
QStringList senses(const QString &definition);
// A sense as the dictionary shows it: escaping debris removed, spaces collapsed, a space after
// each comma.
QString tidySense(const QString &sense);

// Words written with a capital letter inside glosses often enough to count as proper names.
QSet<QString> properWords(const std::vector<KengdicRow> &rows);
// English headwords from one sense (as senses() gives it): split at commas, semicolons and the
// dump's double-spaced " or  ", parentheses, quotes, Korean notes and numbers dropped, a leading
// "to", "be" or article removed, lower-cased unless a proper name; at most four words.
std::vector<EnglishHeadword> englishHeadwords(const QString &sense, const QString &pos, const QSet<QString> &proper);

// IPA for each text from one espeak-ng process (en-us); empty strings where it is unavailable.
QStringList pronunciations(const QStringList &texts);

} // namespace Kengdic
