#pragma once
// Language-file texts that the processor's reports keep rewriting (the port-switch texts follow
// every board report). A text is written only when it differs from what its file holds, and the
// write waits for a timer, so a burst of reports costs at most one write per text and none lands
// on the reply path itself. UI thread only.

#include <QString>
#include <QTimer>

#include <map>
#include <utility>

class DeferredLangWrites {
public:
    static constexpr int kDelayMs = 1000;

    DeferredLangWrites();
    DeferredLangWrites(const DeferredLangWrites&) = delete;
    DeferredLangWrites& operator=(const DeferredLangWrites&) = delete;

    // WriteLangString (which, key, value), at the timer or the next Flush; nothing when the file
    // already holds value.
    void Write(int which, const QString& key, const QString& value);
    // Writes what waits, now: before the language files are read again, and at close.
    void Flush();
    bool Waiting() const { return !waiting_.empty(); }

private:
    using Key = std::pair<int, QString>;
    std::map<Key, QString> waiting_;
    std::map<Key, QString> held_;  // what the file held or was given, as last seen
    QTimer timer_;
};
