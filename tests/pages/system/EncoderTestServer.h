#pragma once
// A stand-in encoder for upload tests: listens on 127.0.0.1 at an ephemeral port, takes one
// connection, records every byte it receives, and answers once the announced data and the 'o'
// message are in, the way the script says (split over two segments, wrong, or not at all). It can
// also close the connection right after the 'm' message.

#include "pages/system/EncoderUpload.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class EncoderTestServer {
public:
    struct Script {
        std::optional<encoder_upload::Message> answer;  // none: stay silent
        bool splitAnswer = true;                        // 7 bytes, a pause, then the rest
        bool closeAfterAnnounce = false;                // read 'm', then close at once
    };

    explicit EncoderTestServer(Script script) : script_(script)
    {
        listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listenFd_, 4);
        socklen_t len = sizeof a;
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~EncoderTestServer()
    {
        stop_ = true;
        Join();
        if (listenFd_ >= 0) ::close(listenFd_);
    }

    uint16_t Port() const { return port_; }
    void Join()
    {
        if (thread_.joinable()) thread_.join();
    }
    // Everything received; complete once Join returned.
    std::vector<uint8_t> Received() const
    {
        std::lock_guard lock(mu_);
        return received_;
    }
    int Connections() const { return connections_.load(); }

    static encoder_upload::Message Answer(uint8_t result)
    {
        encoder_upload::Message m{};
        m[0] = 0xFF;
        m[1] = 0x01;
        m[6] = encoder_upload::kOpReply;
        m[7] = result;
        return m;
    }

private:
    bool WaitReadable(int fd, int ms)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!stop_) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
        }
        return false;
    }

    void Serve()
    {
        if (!WaitReadable(listenFd_, 15000)) return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return;
        ++connections_;
        std::size_t expected = SIZE_MAX;  // 'm' + data + 'o', once 'm' is in
        bool answered = false;
        uint8_t buffer[65536];
        while (WaitReadable(fd, 15000)) {
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            std::size_t have;
            {
                std::lock_guard lock(mu_);
                received_.insert(received_.end(), buffer, buffer + n);
                have = received_.size();
                if (expected == SIZE_MAX && have >= encoder_upload::kMessageSize) {
                    uint32_t size = 0;
                    std::memcpy(&size, &received_[7], 4);
                    expected = 2 * encoder_upload::kMessageSize + size;
                }
            }
            if (script_.closeAfterAnnounce && have >= encoder_upload::kMessageSize) break;
            if (!answered && have >= expected) {
                answered = true;
                if (script_.answer) {
                    const auto& m = *script_.answer;
                    if (script_.splitAnswer) {
                        ::send(fd, m.data(), 7, MSG_NOSIGNAL);
                        std::this_thread::sleep_for(std::chrono::milliseconds(30));
                        ::send(fd, m.data() + 7, m.size() - 7, MSG_NOSIGNAL);
                    } else {
                        ::send(fd, m.data(), m.size(), MSG_NOSIGNAL);
                    }
                }
            }
        }
        ::close(fd);
    }

    Script script_;
    int listenFd_ = -1;
    uint16_t port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mu_;
    std::vector<uint8_t> received_;
};
