#include "shell/DeferredLangWrites.h"

#include "pagekit/LanguageFiles.h"

DeferredLangWrites::DeferredLangWrites()
{
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Flush(); });
}

void DeferredLangWrites::Write(int which, const QString& key, const QString& value)
{
    const Key k{which, key};
    if (const auto held = held_.find(k); held != held_.end() && held->second == value) {
        waiting_.erase(k);  // back to what the file holds before the write was due
        return;
    }
    waiting_[k] = value;
    // Not restarted by later reports: a processor that keeps changing its board still gets its
    // texts written once per period.
    if (!timer_.isActive()) timer_.start();
}

void DeferredLangWrites::Flush()
{
    timer_.stop();
    std::map<Key, QString> writes;
    writes.swap(waiting_);
    std::map<int, LanguageStrings> files;  // each file read once
    for (const auto& [k, value] : writes) {
        auto file = files.find(k.first);
        if (file == files.end()) file = files.emplace(k.first, LanguageStrings::FromFile(LanguageFilePath(k.first))).first;
        QString stored;
        const bool holds = file->second.Find(k.second, stored) && stored == value;
        if (holds || WriteLangString(k.first, k.second, value))
            held_[k] = value;
        else
            held_.erase(k);
    }
}
