// A time server for tests: answers SNTP requests on a loopback address with a chosen
// offset and delay, or with one kind of broken reply, or not at all.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace tembra::nettime::test {

enum class FakeReply {
    Good,
    Silent,          // reads requests and never answers
    Short,           // 47 bytes
    ClientMode,      // mode 3 instead of 4
    Unsynchronised,  // leap indicator 3
    KissOfDeath,     // stratum 0
    Stratum16,
    ZeroTransmit,
    WrongOriginate,  // does not echo our transmit time
};

struct FakeServerConfig {
    std::string address = "127.0.0.1";
    uint16_t port = 0;  // 0: any free port
    FakeReply reply = FakeReply::Good;
    double offsetSeconds = 0;  // how far the server's clock is ahead of ours
    unsigned delayMs = 0;      // wait before answering
};

class FakeNtpServer {
public:
    FakeNtpServer() = default;
    ~FakeNtpServer() { Stop(); }
    FakeNtpServer(const FakeNtpServer&) = delete;
    FakeNtpServer& operator=(const FakeNtpServer&) = delete;

    bool Start(const FakeServerConfig& config);
    void Stop();
    uint16_t port() const { return port_; }
    int requests() const { return requests_; }

private:
    void Serve();

    FakeServerConfig config_;
    SOCKET socket_ = INVALID_SOCKET;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace tembra::nettime::test
