// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later

// lumi-userdic FILE: makes or extends a user dictionary. Reads "word<TAB>explanation" lines
// (UTF-8) from standard input and adds each word at its place in word order; creates FILE when
// it does not exist. Lines without a word are skipped. Exit status 0 when every word was added.

#include "DB_User.h"

#include <QFile>
#include <QString>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE < words.tsv   (word<TAB>explanation per line)\n", argv[0]);
        return 2;
    }
    const QByteArray path(argv[1]);
    if (!QFile::exists(QFile::decodeName(path)) && !DB_User::CreateDictionary(path)) {
        std::fprintf(stderr, "cannot create %s\n", path.constData());
        return 1;
    }
    DB_User dictionary(path);
    if (dictionary.GetCount() < 0) {
        std::fprintf(stderr, "%s is not a user dictionary\n", path.constData());
        return 1;
    }
    QTextStream in(stdin);
    in.setEncoding(QStringConverter::Utf8);
    int added = 0;
    int failed = 0;
    QString line;
    while (in.readLineInto(&line)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString word = (tab < 0 ? line : line.left(tab)).trimmed();
        if (word.isEmpty())
            continue;
        const QString explanation = tab < 0 ? QString() : line.mid(tab + 1);
        if (dictionary.AddWord(word, explanation))
            ++added;
        else
            ++failed;
    }
    std::printf("%d added, %d failed, %d in %s\n", added, failed, dictionary.GetCount(), path.constData());
    return failed ? 1 : 0;
}
