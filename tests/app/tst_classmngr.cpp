// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ClassMngr.h"

#include <QDebug>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <functional>

namespace {

// Records every delivery as "name:msg[:p1]" into a shared log; an optional hook acts on messages.
class TestScreen : public QObject
{
    Q_OBJECT
public:
    TestScreen(const QString &name, QStringList *log, TClassMngr *mngr)
        : m_name(name)
        , m_log(log)
        , m_mngr(mngr)
    { }
    ~TestScreen() override { m_log->append(m_name + QStringLiteral(":deleted")); }

    std::function<void(TestScreen *, T_MSG, T_PARAM)> hook;
    unsigned long userDataAtInit = 0;
    unsigned long param0AtInit = 0;
    QString m_name;

public Q_SLOTS:
    void OnMsgRun(T_MSG msg, T_PARAM p1, T_PARAM p2)
    {
        Q_UNUSED(p2)
        m_log->append(msg >= MSG_CLOSE_JOB ? QStringLiteral("%1:%2:%3").arg(m_name).arg(msg).arg(p1)
                                           : QStringLiteral("%1:%2").arg(m_name).arg(msg));
        if (msg == MSG_INIT) {
            userDataAtInit = m_mngr->ClassMngr_GetCurrUserData();
            param0AtInit = m_mngr->ClassMngr_GetParam(0);
        }
        if (hook)
            hook(this, msg, p1);
    }

private:
    QStringList *m_log;
    TClassMngr *m_mngr;
};

TestScreen *push(TClassMngr &mngr, QStringList &log, const QString &name, unsigned long job, int autoDelete)
{
    auto *screen = new TestScreen(name, &log, &mngr);
    auto *item = new TClassItem;
    item->obj = screen;
    item->data = job;
    mngr.ClassMngr_SetParam(0, job);
    mngr.ClassMngr_InsertActiveClass(item, autoDelete);
    return screen;
}

// A screen that pops the top when it recognises the job of a close message.
void closesOn(TestScreen *screen, TClassMngr *mngr, T_PARAM job)
{
    screen->hook = [mngr, job](TestScreen *, T_MSG msg, T_PARAM p1) {
        if (msg == MSG_CLOSE_JOB && p1 == job)
            mngr->ClassMngr_RemoveActiveClass();
    };
}

} // namespace

class tst_ClassMngr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pushAndPopOrder();
    void replaceTop();
    void flushes();
    void postToTopOnly();
    void closeJobWalk_data();
    void closeJobWalk();
    void paramSlots();
    void itemWithoutScreen();
};

void tst_ClassMngr::pushAndPopOrder()
{
    TClassMngr mngr;
    QStringList log;
    QCOMPARE(mngr.ClassMngr_GetCurrUserData(), 0xFFFFFFFFul);
    QCOMPARE(mngr.ClassMngr_RemoveActiveClass(), 0);

    TestScreen *a = push(mngr, log, QStringLiteral("A"), 1, 0);
    // No SLEEP on an empty stack; the new screen is not yet on the stack during its INIT.
    QCOMPARE(log, QStringList({"A:1", "A:5"}));
    QCOMPARE(a->userDataAtInit, 0xFFFFFFFFul);
    QCOMPARE(a->param0AtInit, 1ul);
    log.clear();

    TestScreen *b = push(mngr, log, QStringLiteral("B"), 3, 1);
    QCOMPARE(log, QStringList({"A:3", "B:1", "B:5"}));
    QCOMPARE(b->userDataAtInit, 1ul);
    QCOMPARE(mngr.ClassMngr_GetCurrUserData(), 3ul);
    QCOMPARE(mngr.ClassMngr_GetCurrActiveClass()->autoDelete, 1);
    log.clear();

    QPointer<TestScreen> guardB(b);
    QCOMPARE(mngr.ClassMngr_RemoveActiveClass(), 1);
    // EXIT, destroyed right away (autoDelete), then AWAKE and DRAW to the new top.
    QCOMPARE(log, QStringList({"B:2", "B:deleted", "A:4", "A:5"}));
    QVERIFY(guardB.isNull());
    log.clear();

    QCOMPARE(mngr.ClassMngr_RemoveActiveClass(), 1);
    // Popping the last entry sends no AWAKE; autoDelete 0 leaves the screen alive.
    QCOMPARE(log, QStringList({"A:2"}));
    QCOMPARE(mngr.ClassMngr_GetCount(), 0);
    delete a;
}

void tst_ClassMngr::replaceTop()
{
    TClassMngr mngr;
    QStringList log;
    std::unique_ptr<TestScreen> search(push(mngr, log, QStringLiteral("S"), 2, 0));
    push(mngr, log, QStringLiteral("Settings"), 15, 1);
    log.clear();

    auto *history = new TestScreen(QStringLiteral("H"), &log, &mngr);
    auto *item = new TClassItem;
    item->obj = history;
    item->data = 5;
    mngr.ClassMngr_SetActiveClass(item, 1);
    QCOMPARE(log, QStringList({"Settings:2", "Settings:deleted", "S:4", "S:5", "S:3", "H:1", "H:5"}));
    QCOMPARE(history->userDataAtInit, 2ul);
    QCOMPARE(mngr.ClassMngr_GetCount(), 2);
    QCOMPARE(mngr.ClassMngr_GetCurrUserData(), 5ul);
    log.clear();
    mngr.ClassMngr_FlushAllClass();
}

void tst_ClassMngr::flushes()
{
    TClassMngr mngr;
    QStringList log;
    std::unique_ptr<TestScreen> search(push(mngr, log, QStringLiteral("S"), 1, 0));
    push(mngr, log, QStringLiteral("V"), 9, 1);
    push(mngr, log, QStringLiteral("D"), 10, 1);
    log.clear();

    QCOMPARE(mngr.ClassMngr_FlushAllClassUntilCurrData(9), 1);
    QCOMPARE(log, QStringList({"D:2", "D:deleted", "V:4", "V:5", "V:2", "V:deleted", "S:4", "S:5"}));
    QCOMPARE(mngr.ClassMngr_GetCurrUserData(), 1ul);
    log.clear();

    push(mngr, log, QStringLiteral("D"), 3, 1);
    log.clear();
    QCOMPARE(mngr.ClassMngr_FlushAllClassUntilCurrData(42), 0);
    QCOMPARE(mngr.ClassMngr_GetCount(), 0);
    QCOMPARE(log, QStringList({"D:2", "D:deleted", "S:4", "S:5", "S:2"}));
    log.clear();

    push(mngr, log, QStringLiteral("S2"), 1, 1);
    push(mngr, log, QStringLiteral("T"), 5, 1);
    log.clear();
    mngr.ClassMngr_FlushAllClass();
    QCOMPARE(log, QStringList({"T:2", "T:deleted", "S2:4", "S2:5", "S2:2", "S2:deleted"}));
    QCOMPARE(mngr.ClassMngr_GetCurrActiveClass(), nullptr);
}

void tst_ClassMngr::postToTopOnly()
{
    TClassMngr mngr;
    QStringList log;
    QCOMPARE(mngr.ClassMngr_PostMessage(CLASSMNGR_TARGET_ALL, MSG_SETTING_APPLY, 0, 0), 1);
    std::unique_ptr<TestScreen> s(push(mngr, log, QStringLiteral("S"), 1, 0));
    push(mngr, log, QStringLiteral("H"), 5, 1);
    push(mngr, log, QStringLiteral("D"), 6, 1);
    log.clear();
    QCOMPARE(mngr.ClassMngr_PostMessage(CLASSMNGR_TARGET_TOP, MSG_SETTING_APPLY, 0, 0), 1);
    QCOMPARE(log, QStringList({"D:30002:0"}));
    log.clear();
    QCOMPARE(mngr.ClassMngr_PostMessage(CLASSMNGR_TARGET_ALL, MSG_SETTING_APPLY, 0, 0), 1);
    QCOMPARE(log, QStringList({"D:30002:0", "H:30002:0", "S:30002:0"}));
    log.clear();
    mngr.ClassMngr_FlushAllClass();
}

void tst_ClassMngr::closeJobWalk_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("jobs");
    QTest::addColumn<QList<int>>("closeJob"); // per screen: the p1 it recognises, 0 for none
    QTest::addColumn<int>("p1");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("remaining");

    QTest::newRow("history entry: one press back to search")
            << QStringList({"S", "H", "D"}) << QList<int>({1, 5, 6}) << QList<int>({0, 5, 6}) << 5
            << QStringList({"D:30001:5", "H:30001:5", "D:2", "D:deleted", "H:4", "H:5", "H:30001:5", "H:2", "H:deleted",
                            "S:4", "S:5"})
            << 1;
    QTest::newRow("word book and flashcards both close")
            << QStringList({"S", "V", "F"}) << QList<int>({2, 9, 11}) << QList<int>({0, 9, 9}) << 9
            << QStringList(
                       {"F:30001:9", "F:2", "F:deleted", "V:4", "V:5", "V:30001:9", "V:2", "V:deleted", "S:4", "S:5"})
            << 1;
    QTest::newRow("nobody recognises the job") << QStringList({"S", "H"}) << QList<int>({1, 5}) << QList<int>({0, 5})
                                               << 9 << QStringList({"H:30001:9", "S:30001:9"}) << 2;
}

void tst_ClassMngr::closeJobWalk()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, jobs);
    QFETCH(QList<int>, closeJob);
    QFETCH(int, p1);
    QFETCH(QStringList, expected);
    QFETCH(int, remaining);

    TClassMngr mngr;
    QStringList log;
    std::unique_ptr<TestScreen> bottom;
    for (int i = 0; i < names.size(); ++i) {
        TestScreen *s = push(mngr, log, names.at(i), static_cast<unsigned long>(jobs.at(i)), i == 0 ? 0 : 1);
        if (i == 0)
            bottom.reset(s);
        if (closeJob.at(i))
            closesOn(s, &mngr, static_cast<T_PARAM>(closeJob.at(i)));
    }
    log.clear();
    QCOMPARE(mngr.ClassMngr_PostMessage(CLASSMNGR_TARGET_ALL, MSG_CLOSE_JOB, static_cast<T_PARAM>(p1), 0), 1);
    if (log != expected)
        qWarning() << log;
    QCOMPARE(log, expected);
    QCOMPARE(mngr.ClassMngr_GetCount(), remaining);
    log.clear();
    mngr.ClassMngr_FlushAllClass();
}

void tst_ClassMngr::paramSlots()
{
    TClassMngr mngr;
    for (int i = 0; i < TClassMngr::ParamCount; ++i)
        QCOMPARE(mngr.ClassMngr_GetParam(i), 0ul);
    QVERIFY(mngr.ClassMngr_SetParam(0, 3));
    QVERIFY(mngr.ClassMngr_SetParam(31, 77));
    QVERIFY(!mngr.ClassMngr_SetParam(32, 5));
    QVERIFY(!mngr.ClassMngr_SetParam(-1, 5));
    QCOMPARE(mngr.ClassMngr_GetParam(0), 3ul);
    QCOMPARE(mngr.ClassMngr_GetParam(31), 77ul);
    QCOMPARE(mngr.ClassMngr_GetParam(32), 0xFFFFFFFFul);
    QCOMPARE(mngr.ClassMngr_GetParam(-1), 0xFFFFFFFFul);
    QCOMPARE(mngr.ClassMngr_GetParam(1000), 0xFFFFFFFFul);
}

void tst_ClassMngr::itemWithoutScreen()
{
    TClassMngr mngr;
    QStringList log;
    std::unique_ptr<TestScreen> s(push(mngr, log, QStringLiteral("S"), 1, 0));
    auto *empty = new TClassItem;
    QCOMPARE(empty->data, 0xFFFFFFFFul);
    QCOMPARE(empty->obj, nullptr);
    empty->data = 7;
    log.clear();
    mngr.ClassMngr_InsertActiveClass(empty, 1);
    QCOMPARE(log, QStringList({"S:3"}));
    QCOMPARE(mngr.ClassMngr_GetCurrUserData(), 7ul);
    QCOMPARE(mngr.ClassMngr_PostMessage(CLASSMNGR_TARGET_ALL, MSG_SETTING_APPLY, 0, 0), 1);
    QCOMPARE(log, QStringList({"S:3", "S:30002:0"}));
    log.clear();
    QCOMPARE(mngr.ClassMngr_RemoveActiveClass(), 1);
    QCOMPARE(log, QStringList({"S:4", "S:5"}));
    mngr.ClassMngr_FlushAllClass();
}

QTEST_GUILESS_MAIN(tst_ClassMngr)
#include "tst_classmngr.moc"
