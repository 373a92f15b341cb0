#pragma once
// Commits of the numeric edits on their way to their owners. A commit is posted, so the owner
// takes it up after the edit's own handler has returned, and it is handed over before the
// operator's next key, click or wheel turn anywhere, even one already waiting in the same pass of
// the event loop: a button pressed after Enter acts after the commit, never before it.

class NumericEditBase;
class QObject;

namespace pendingcommits {

// The edit has a commit waiting; kept in commit order.
void Add(NumericEditBase* edit);
// The commit has been handed over, or the edit is going away.
void Remove(const NumericEditBase* edit);
// Hands over every waiting commit in commit order (of the edits that owner owns, when given).
void DeliverAll(const QObject* owner = nullptr);

} // namespace pendingcommits
