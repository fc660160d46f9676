// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ClassMngr.h"

TClassMngr::TClassMngr()
    : QObject(nullptr)
{ }

TClassMngr::~TClassMngr()
{
    // Entries still on the stack leave with the manager: their auto-deleted screens go too,
    // top first, without messages (the application is ending).
    while (!m_stack.empty()) {
        std::unique_ptr<TClassItem> item = std::move(m_stack.back());
        m_stack.pop_back();
        if (item->autoDelete)
            delete item->obj;
    }
}

void TClassMngr::deliver(QObject *obj, T_MSG msg, T_PARAM p1, T_PARAM p2)
{
    if (!obj)
        return;
    // A screen may push or pop while it handles a message, which delivers nested messages.
    // The outer connection is already running its slot; it is cut first so the nested emit
    // reaches only its own receiver.
    if (m_delivery)
        disconnect(m_delivery);
    // The screens' slot is only known by its signature, so the connection is string based.
    // It lives for exactly one synchronous emit; nothing stays connected afterwards.
    m_delivery = connect(this, SIGNAL(signalSendMessage(T_MSG, T_PARAM, T_PARAM)), obj,
                         SLOT(OnMsgRun(T_MSG, T_PARAM, T_PARAM)), Qt::DirectConnection);
    const QMetaObject::Connection c = m_delivery;
    Q_EMIT signalSendMessage(msg, p1, p2);
    disconnect(c);
    m_delivery = {};
}

void TClassMngr::ClassMngr_InsertActiveClass(TClassItem *item, int autoDelete)
{
    if (!item)
        return;
    std::unique_ptr<TClassItem> owned(item);
    if (!m_stack.empty())
        deliver(m_stack.back()->obj, MSG_SLEEP, 0, 0);
    owned->autoDelete = autoDelete;
    if (owned->obj) {
        deliver(owned->obj, MSG_INIT, 0, 0);
        deliver(owned->obj, MSG_DRAW, 0, 0);
    }
    m_stack.push_back(std::move(owned));
}

int TClassMngr::ClassMngr_RemoveActiveClass()
{
    if (m_stack.empty())
        return 0;
    TClassItem *top = m_stack.back().get();
    if (top->obj) {
        deliver(top->obj, MSG_EXIT, 0, 0);
        // Destroyed right here, not with deleteLater: the owner replaces its pointer on the next
        // push, and a screen that pops itself returns straight out of its handler without
        // touching its members again, so the object must not outlive the pop.
        if (top->autoDelete) {
            QObject *obj = top->obj;
            top->obj = nullptr;
            delete obj;
        }
    }
    // A screen's EXIT handler may itself have changed the stack; remove the entry we popped.
    for (auto it = m_stack.end(); it != m_stack.begin();) {
        --it;
        if (it->get() == top) {
            m_stack.erase(it);
            break;
        }
    }
    m_cursor = static_cast<int>(m_stack.size()) - 1;
    if (!m_stack.empty()) {
        QObject *obj = m_stack.back()->obj;
        deliver(obj, MSG_AWAKE, 0, 0);
        deliver(obj, MSG_DRAW, 0, 0);
    }
    return 1;
}

void TClassMngr::ClassMngr_SetActiveClass(TClassItem *item, int autoDelete)
{
    ClassMngr_RemoveActiveClass();
    ClassMngr_InsertActiveClass(item, autoDelete);
}

void TClassMngr::ClassMngr_FlushAllClass()
{
    while (ClassMngr_RemoveActiveClass()) { }
}

int TClassMngr::ClassMngr_FlushAllClassUntilCurrData(unsigned long data)
{
    while (!m_stack.empty()) {
        const bool found = m_stack.back()->data == data;
        ClassMngr_RemoveActiveClass();
        if (found)
            return 1;
    }
    return 0;
}

TClassItem *TClassMngr::ClassMngr_GetCurrActiveClass() const
{
    return m_stack.empty() ? nullptr : m_stack.back().get();
}

unsigned long TClassMngr::ClassMngr_GetCurrUserData() const
{
    return m_stack.empty() ? CLASSMNGR_NO_DATA : m_stack.back()->data;
}

bool TClassMngr::ClassMngr_SetParam(int index, unsigned long value)
{
    if (index < 0 || index >= ParamCount)
        return false;
    m_params[index] = value;
    return true;
}

unsigned long TClassMngr::ClassMngr_GetParam(int index) const
{
    if (index < 0 || index >= ParamCount)
        return CLASSMNGR_NO_DATA;
    return m_params[index];
}

int TClassMngr::ClassMngr_PostMessage(unsigned int target, T_MSG msg, T_PARAM p1, T_PARAM p2)
{
    const int initialCount = static_cast<int>(m_stack.size());
    if (initialCount == 0)
        return 1;
    m_cursor = initialCount - 1;
    for (;;) {
        const int count = static_cast<int>(m_stack.size());
        if (count == 0)
            return 1;
        // Once a screen has left during this walk, every further pass goes to the new top.
        TClassItem *receiver = count < initialCount ? m_stack.back().get() : m_stack[m_cursor].get();
        deliver(receiver->obj, msg, p1, p2);
        if (target == CLASSMNGR_TARGET_TOP)
            return 1;
        // A pop during the delivery has already moved the cursor to the new top.
        if (m_cursor >= static_cast<int>(m_stack.size()))
            m_cursor = static_cast<int>(m_stack.size()) - 1;
        --m_cursor;
        if (m_cursor < 0)
            return 1;
    }
}
