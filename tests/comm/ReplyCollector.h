#pragma once
// Test helper: registers a handler for every reply id on a library and keeps what arrives.

#include "comm/CommLibrary.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class ReplyCollector {
public:
    explicit ReplyCollector(comm::CommLibrary& lib)
    {
        for (int id = 0; id < comm::kReplyIdCount; ++id)
            lib.RegisterHandler([this](const comm::ReplyPacket& p) { Add(p); }, id);
    }

    void Add(const comm::ReplyPacket& p)
    {
        std::lock_guard lock(mu_);
        replies_.push_back(p);
        cv_.notify_all();
    }

    std::vector<comm::ReplyPacket> All() const
    {
        std::lock_guard lock(mu_);
        return replies_;
    }

    void Clear()
    {
        std::lock_guard lock(mu_);
        replies_.clear();
    }

    bool WaitFor(const std::function<bool(const std::vector<comm::ReplyPacket>&)>& pred,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(5000))
    {
        std::unique_lock lock(mu_);
        return cv_.wait_for(lock, timeout, [&] { return pred(replies_); });
    }

    // Waits for a reply with this id (and online byte, for reply 0) and returns a copy.
    bool WaitForReply(int id, comm::ReplyPacket& out, std::chrono::milliseconds timeout = std::chrono::milliseconds(5000),
                      int onlineByte = -1)
    {
        return WaitFor(
            [&](const auto& all) {
                for (const auto& p : all)
                    if (p.replyId == id && (onlineByte < 0 || (!p.payload.empty() && p.payload[0] == onlineByte))) {
                        out = p;
                        return true;
                    }
                return false;
            },
            timeout);
    }

private:
    mutable std::mutex mu_;
    std::condition_variable cv_;
    std::vector<comm::ReplyPacket> replies_;
};
