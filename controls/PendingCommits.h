#pragma once
// Commits of the numeric edits on their way to their owners. A commit is posted, so the owner
// takes it up after the edit's own handler has returned, and it is handed over before the
// operator's next key, click or wheel turn anywhere, even one already waiting in the same pass of
// the event loop: a button pressed after Enter acts after the commit, never before it. The main
// window hands them over too before it refreshes any page, so that a reply or a notice moving a
// page to another target finds no commit waiting for the old one.

class NumericEditBase;

namespace pendingcommits {

// The edit has a commit waiting; kept in commit order.
void Add(NumericEditBase* edit);
// The commit has been handed over, or the edit is going away.
void Remove(const NumericEditBase* edit);
// Hands over every waiting commit in commit order. Nothing while a commit is being handed over:
// the commits behind it (or caused by it) wait their turn, however its owner reacts.
void DeliverAll();

// Marks the hand-over of one commit for as long as it lives.
class HandingOver {
public:
    HandingOver();
    ~HandingOver();
    HandingOver(const HandingOver&) = delete;
    HandingOver& operator=(const HandingOver&) = delete;
};

} // namespace pendingcommits
