#include "nettime/tests/FakeNtpServer.h"

#include <cmath>

#include "nettime/core/NtpPacket.h"
#include "nettime/win/SntpClient.h"

namespace tembra::nettime::test {
namespace {

void PutTimestamp(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (56 - 8 * i));
}

uint64_t Shifted(uint64_t t, double seconds) {
    const double ticks = std::floor(seconds * 4294967296.0);
    return ticks >= 0 ? t + static_cast<uint64_t>(ticks) : t - static_cast<uint64_t>(-ticks);
}

}  // namespace

bool FakeNtpServer::Start(const FakeServerConfig& config) {
    config_ = config;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(config.port);
    local.sin_addr.s_addr = inet_addr(config.address.c_str());
    if (bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) return false;
    int size = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &size);
    port_ = ntohs(local.sin_port);
    stop_ = false;
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void FakeNtpServer::Stop() {
    if (socket_ == INVALID_SOCKET) return;
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
    WSACleanup();
}

void FakeNtpServer::Serve() {
    while (!stop_) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval tick{0, 20000};
        if (select(0, &readable, nullptr, nullptr, &tick) <= 0) continue;
        uint8_t request[128];
        sockaddr_in peer{};
        int peerSize = sizeof peer;
        int n = recvfrom(socket_, reinterpret_cast<char*>(request), sizeof request, 0,
                         reinterpret_cast<sockaddr*>(&peer), &peerSize);
        if (n < 48) continue;
        ++requests_;
        if (config_.reply == FakeReply::Silent) continue;
        // The delay stands for a slow path towards the server, so it counts in the delay.
        for (unsigned waited = 0; waited < config_.delayMs && !stop_; waited += 10) Sleep(10);
        const uint64_t received = Shifted(NtpNow(), config_.offsetSeconds);

        uint8_t reply[48] = {};
        int leap = 0, mode = 4, stratum = 2;
        if (config_.reply == FakeReply::ClientMode) mode = 3;
        if (config_.reply == FakeReply::Unsynchronised) leap = 3;
        if (config_.reply == FakeReply::KissOfDeath) stratum = 0;
        if (config_.reply == FakeReply::Stratum16) stratum = 16;
        reply[0] = static_cast<uint8_t>((leap << 6) | (3 << 3) | mode);
        reply[1] = static_cast<uint8_t>(stratum);
        memcpy(reply + 24, request + 40, 8);  // originate = the client's transmit time
        if (config_.reply == FakeReply::WrongOriginate) reply[31] ^= 0x55;
        PutTimestamp(reply + 32, received);
        if (config_.reply != FakeReply::ZeroTransmit)
            PutTimestamp(reply + 40, Shifted(NtpNow(), config_.offsetSeconds));
        const int length = config_.reply == FakeReply::Short ? 47 : 48;
        sendto(socket_, reinterpret_cast<const char*>(reply), length, 0,
               reinterpret_cast<sockaddr*>(&peer), peerSize);
    }
}

}  // namespace tembra::nettime::test
