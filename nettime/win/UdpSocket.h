// An owned IPv4 datagram socket, and the start-up of the socket layer.
#pragma once
#include <winsock2.h>

#include <cstddef>
#include <cstdint>

namespace tembra::nettime {

// WSAStartup / WSACleanup pair.
class WinsockSession {
public:
    explicit WinsockSession(WORD version);
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool started() const { return started_; }
    WORD grantedVersion() const { return granted_; }

private:
    bool started_ = false;
    WORD granted_ = 0;
};

class CUdpSocket {
public:
    CUdpSocket() = default;
    ~CUdpSocket() { Close(); }
    CUdpSocket(const CUdpSocket&) = delete;
    CUdpSocket& operator=(const CUdpSocket&) = delete;

    bool Create();
    // Resolves `host` (dotted address first, then a name lookup) and fixes the peer, so
    // only datagrams from it are received.
    bool Connect(const char* host, uint16_t port);
    bool Send(const void* data, size_t size);
    // True when the wait worked; *ready tells whether a datagram is waiting.
    bool WaitReadable(unsigned timeoutMs, bool* ready);
    bool Receive(void* buffer, size_t size, size_t* received);
    void Close();
    bool valid() const { return socket_ != INVALID_SOCKET; }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// The IPv4 address of a dotted address or a host name; false when neither.
bool ResolveIPv4(const char* host, in_addr* address);

}  // namespace tembra::nettime
