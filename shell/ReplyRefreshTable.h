#pragma once
// Which refresh operations each processor reply calls, in order: one ordered table that the main
// window's dispatcher walks in one loop (which also records the call trace the tests read).
// Later steps read what earlier ones set up (the PIP lists are filled before they select), so the
// order of a row is part of its meaning. Replies with logic of their own (online, status, event,
// found processor) stay in the dispatcher's code.

#include "platform/MessageTarget.h"

#include <span>

class KordalDlg;

struct RefreshStep {
    // Recorded in the call trace before the step runs; nullptr records nothing (the step's own
    // operation may record itself).
    const char* trace;
    // What the trace entry carries: nothing, the reply's value, or a fixed number.
    enum class Arg { None, Value, Fixed } arg;
    int fixed;
    void (*run)(KordalDlg& window, LPARAM value);
};

struct ReplyRefreshRow {
    int replyId;
    // A value the row cannot show drops the reply whole; nullptr accepts every value.
    bool (*accepts)(LPARAM value);
    std::span<const RefreshStep> steps;
};

// The row of a reply id, nullptr when the reply has none.
const ReplyRefreshRow* FindReplyRefreshRow(int replyId);

// Every row, in reply-id order.
std::span<const ReplyRefreshRow> ReplyRefreshTable();
