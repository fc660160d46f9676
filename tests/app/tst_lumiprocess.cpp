// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The real lumi program as other programs meet it: one instance at a time, commands over QCop,
// and a clean end on SIGTERM.
#include "QCopChannel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class tst_LumiProcess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void singleInstanceAndCommands();
    void lastDictionaryKeptOnTerminate();

private:
    void startLumi(QProcess &p, const QStringList &args);
    void terminate(QProcess &p);

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QString m_lumi;
    QString m_qcop;
    QString m_settings;
};

void tst_LumiProcess::initTestCase()
{
    const QString bin = qEnvironmentVariable("LUMI_BINARY_DIR");
    m_lumi = bin + QStringLiteral("/src/app/lumi");
    m_qcop = bin + QStringLiteral("/tools/lumi-qcop");
    QVERIFY2(QFile::exists(m_lumi), qPrintable(m_lumi));
    QVERIFY2(QFile::exists(m_qcop), qPrintable(m_qcop));

    const QString run = m_dir.filePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(run));
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_settings = m_dir.filePath(QStringLiteral("dicset.ini"));
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
    m_env.insert(QStringLiteral("LUMI_SETTINGS_FILE"), m_settings);
    m_env.insert(QStringLiteral("LUMI_DATA_DIR"), m_dir.filePath(QStringLiteral("nodata/")));
    m_env.insert(QStringLiteral("LUMI_PIXMAP_DIR"), m_dir.filePath(QStringLiteral("nopics/")));
    // This process looks at the same channels.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run));
}

void tst_LumiProcess::startLumi(QProcess &p, const QStringList &args)
{
    p.setProcessEnvironment(m_env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(m_lumi, args);
    QVERIFY(p.waitForStarted());
    // Running once it holds the sound channel (the last step of its start-up).
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(QStringLiteral("QPE/Navio/dictionary")), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(QStringLiteral("QPE/Lumi_Channel")), 15000);
}

void tst_LumiProcess::terminate(QProcess &p)
{
    ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(15000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

void tst_LumiProcess::singleInstanceAndCommands()
{
    QFile::remove(m_settings);
    QProcess first;
    startLumi(first, {});

    QProcess second;
    second.setProcessEnvironment(m_env);
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(m_lumi, {QStringLiteral("Run(QString)"), QStringLiteral("Dic_Eng")});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 1);
    const QByteArray secondOut = second.readAll();
    QVERIFY2(secondOut.contains("== LumiStart == QCop channel create failed!\n"), secondOut.constData());
    QVERIFY(secondOut.contains("============= Corvane(LUMI) ============== Argument 1[Run(QString)]\n"));
    QVERIFY(secondOut.contains("============= Corvane(LUMI) ============== Argument 2[Dic_Eng]\n"));
    QCOMPARE(first.state(), QProcess::Running);

    // Another program asks the running dictionary to search a word.
    QProcess sender;
    sender.setProcessEnvironment(m_env);
    sender.start(m_qcop,
                 {QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Search(QString)"), QStringLiteral("hello")});
    QVERIFY(sender.waitForFinished(15000));
    QCOMPARE(sender.exitCode(), 0);
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += first.readAll()).contains("== LumiStart == slotReceiver [Search(QString)]"),
                             15000);
    QCOMPARE(first.state(), QProcess::Running);

    terminate(first);
    out += first.readAll();
    QVERIFY(out.startsWith("============= Corvane(LUMI) ============== Argument 1[]\n"));
    QVERIFY(!out.contains("Argument 2"));
    // Once it has ended the channel is free again.
    QVERIFY(!QCopChannel::isRegistered(QStringLiteral("QPE/Navio/dictionary")));
}

void tst_LumiProcess::lastDictionaryKeptOnTerminate()
{
    // "Start with the last dictionary": the search screen stores its dictionary when the program
    // ends, which shows which screen the commands left on the stack.
    QFile f(m_settings);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("Display-AssignView_1\nDisplay-LastDic_9\n");
    f.close();

    QProcess lumi;
    startLumi(lumi, {QStringLiteral("Run(QString)"), QStringLiteral("Dic_Eng")});
    terminate(lumi);
    QCOMPARE(readFile(m_settings), QByteArray("Display-AssignView_1\nDisplay-LastDic_4\n"));

    // Started on the last dictionary (English-English) and then sent a word: the total search
    // is what it ends on.
    QProcess again;
    startLumi(again, {});
    QProcess sender;
    sender.setProcessEnvironment(m_env);
    sender.start(m_qcop, {QStringLiteral("QPE/Lumi_Channel"), QStringLiteral("Search(QString)"), QStringLiteral(" ")});
    QVERIFY(sender.waitForFinished(15000));
    QCOMPARE(sender.exitCode(), 0);
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += again.readAll()).contains("slotReceiver [Search(QString)]"), 15000);
    terminate(again);
    QCOMPARE(readFile(m_settings), QByteArray("Display-AssignView_1\nDisplay-LastDic_0\n"));
}

QTEST_GUILESS_MAIN(tst_LumiProcess)
#include "tst_lumiprocess.moc"
