// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

// Message identifiers and parameters carried between screens.
using T_MSG = std::uint32_t;
using T_PARAM = std::uint32_t;

// Lifecycle messages delivered by the screen manager, and the two broadcasts.
enum : T_MSG {
    MSG_INIT = 1,
    MSG_EXIT = 2,
    MSG_SLEEP = 3,
    MSG_AWAKE = 4,
    MSG_DRAW = 5,
    MSG_CLOSE_JOB = 30001,
    MSG_SETTING_APPLY = 30002,
};

// What a stack entry is doing; stored as the entry's user data.
enum E_JOB_TYPE : int {
    JOB_TOTAL_SEARCH = 1,
    JOB_DIC_SEARCH = 2,
    JOB_DETAIL = 3,
    JOB_HISTORY = 5,
    JOB_HISTORY_DETAIL = 6,
    JOB_VOCABULARY = 9,
    JOB_VOCABULARY_DETAIL = 10,
    JOB_VOCABULARY_VIEWER = 11,
    JOB_CONVERSATION_ENG = 12,
    JOB_CONVERSATION_JPN = 13,
    JOB_CONVERSATION_CHN = 14,
    JOB_SETTINGS = 15,
    JOB_KEYINPUT = 17,
};

// Post targets: the top screen only, or every screen from the top down.
constexpr unsigned int CLASSMNGR_TARGET_TOP = 0xFFFFFFFEu;
constexpr unsigned int CLASSMNGR_TARGET_ALL = 0xFFFFFFFFu;
constexpr unsigned long CLASSMNGR_NO_DATA = 0xFFFFFFFFul;

// One stack entry. The caller creates it with new and hands it to the manager, which owns it
// from then on.
class TClassItem
{
public:
    TClassItem() = default;
    virtual ~TClassItem() = default;
    TClassItem(const TClassItem &) = delete;
    TClassItem &operator=(const TClassItem &) = delete;

    QObject *obj = nullptr; // the screen; owned by the manager only when autoDelete is non-zero
    int autoDelete = 0;
    unsigned long data = CLASSMNGR_NO_DATA; // the entry's job type
};

// The stack of full-size screens. A screen is any QObject with the slot
// OnMsgRun(T_MSG, T_PARAM, T_PARAM); it learns what happens to it only through the messages
// delivered here, one synchronous emit per delivery.
class TClassMngr final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TClassMngr)
public:
    static constexpr int ParamCount = 32;

    TClassMngr();
    ~TClassMngr() override;

    // Pushes item (SLEEP to the old top, then INIT and DRAW to the new screen, then append).
    // Takes ownership of item; a null item is ignored.
    void ClassMngr_InsertActiveClass(TClassItem *item, int autoDelete);
    // Pops the top (EXIT, destruction when autoDelete, then AWAKE and DRAW to the new top).
    // Answers 0 when the stack was empty, else 1.
    int ClassMngr_RemoveActiveClass();
    // Replaces the top: a full pop followed by a full push.
    void ClassMngr_SetActiveClass(TClassItem *item, int autoDelete);
    void ClassMngr_FlushAllClass();
    // Pops until an entry whose data equals data has been popped (inclusive). Answers 1 when it
    // was found, 0 when the stack ran empty first.
    int ClassMngr_FlushAllClassUntilCurrData(unsigned long data);
    // The top entry, or null.
    TClassItem *ClassMngr_GetCurrActiveClass() const;
    // The top entry's data, or 0xFFFFFFFF for an empty stack.
    unsigned long ClassMngr_GetCurrUserData() const;
    // Slot access; indices outside 0..31 are refused (false) and read as 0xFFFFFFFF.
    bool ClassMngr_SetParam(int index, unsigned long value);
    unsigned long ClassMngr_GetParam(int index) const;
    // Delivers msg to the top only (target 0xFFFFFFFE) or to every screen from the top down,
    // following the top when screens leave during the walk. Always answers 1.
    int ClassMngr_PostMessage(unsigned int target, T_MSG msg, T_PARAM p1, T_PARAM p2);

    int ClassMngr_GetCount() const { return static_cast<int>(m_stack.size()); }

Q_SIGNALS:
    void signalSendMessage(T_MSG msg, T_PARAM p1, T_PARAM p2);

private:
    void deliver(QObject *obj, T_MSG msg, T_PARAM p1, T_PARAM p2);

    QMetaObject::Connection m_delivery; // the delivery under way, if any
    std::vector<std::unique_ptr<TClassItem>> m_stack; // front = bottom, back = top
    // Index into m_stack of the message walk's position; follows the top after a pop.
    int m_cursor = -1;
    unsigned long m_params[ParamCount] = {};
};
