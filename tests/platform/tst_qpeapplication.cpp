// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "QPEApplication.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <unistd.h>

class tst_QPEApplication : public QObject
{
    Q_OBJECT
private slots:
    void terminationSignalsEmitFlush_data();
    void terminationSignalsEmitFlush();
    void deviceFontsAreSubstituted_data();
    void deviceFontsAreSubstituted();
};

void tst_QPEApplication::terminationSignalsEmitFlush_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void tst_QPEApplication::terminationSignalsEmitFlush()
{
    QFETCH(int, signalNumber);
    auto *app = qobject_cast<QPEApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    QSignalSpy spy(app, &QPEApplication::flush);

    // Delivered to ourselves: without the handler the default action would end this process.
    QCOMPARE(::kill(::getpid(), signalNumber), 0);
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 1);

    // Two more in a row are two more flushes, each through the event loop.
    ::kill(::getpid(), signalNumber);
    ::kill(::getpid(), SIGTERM);
    QTRY_COMPARE(spy.count(), 3);
}

void tst_QPEApplication::deviceFontsAreSubstituted_data()
{
    QTest::addColumn<QString>("deviceFamily");
    QTest::newRow("user interface") << QStringLiteral("Tamsa");
    QTest::newRow("keyboard") << QStringLiteral("gulim");
    QTest::newRow("rare characters") << QStringLiteral("KVN-EXT");
}

void tst_QPEApplication::deviceFontsAreSubstituted()
{
    QFETCH(QString, deviceFamily);
    const QStringList substitutes = QFont::substitutes(deviceFamily);
    QVERIFY(!substitutes.isEmpty());
    // The family a widget actually gets is one of the installed substitutes.
    const QString resolved = QFontInfo(QFont(deviceFamily)).family();
    QVERIFY2(substitutes.contains(resolved, Qt::CaseInsensitive),
             qPrintable(substitutes.join(u',') + u" / " + resolved));
    QVERIFY(QFontDatabase::families().contains(resolved));
    // And it draws Hangul.
    QVERIFY(QFontMetrics(QFont(deviceFamily)).inFont(QChar(0xD55C)));
}

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv);
    tst_QPEApplication test;
    // Qt Test's crash handler would take SIGTERM, SIGINT and SIGHUP from the application.
    return QTest::qExec(&test, app.arguments() << QStringLiteral("-nocrashhandler"));
}

#include "tst_qpeapplication.moc"
