#include "nettime/win/UdpSocket.h"

namespace tembra::nettime {

WinsockSession::WinsockSession(WORD version) {
    WSADATA data{};
    started_ = WSAStartup(version, &data) == 0;
    if (started_) granted_ = data.wVersion;
}

WinsockSession::~WinsockSession() {
    if (started_) WSACleanup();
}

bool ResolveIPv4(const char* host, in_addr* address) {
    unsigned long dotted = inet_addr(host);
    if (dotted != INADDR_NONE) {
        address->s_addr = dotted;
        return true;
    }
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != sizeof(in_addr) ||
        !entry->h_addr_list || !entry->h_addr_list[0])
        return false;
    memcpy(address, entry->h_addr_list[0], sizeof(in_addr));
    return true;
}

bool CUdpSocket::Create() {
    Close();
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    return valid();
}

bool CUdpSocket::Connect(const char* host, uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (!valid() || !ResolveIPv4(host, &peer.sin_addr)) return false;
    return connect(socket_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
}

bool CUdpSocket::Send(const void* data, size_t size) {
    if (!valid()) return false;
    int sent = send(socket_, static_cast<const char*>(data), static_cast<int>(size), 0);
    return sent == static_cast<int>(size);
}

bool CUdpSocket::WaitReadable(unsigned timeoutMs, bool* ready) {
    *ready = false;
    if (!valid()) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval timeout{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    int n = select(0, &readable, nullptr, nullptr, &timeout);
    if (n == SOCKET_ERROR) return false;
    *ready = n > 0 && FD_ISSET(socket_, &readable);
    return true;
}

bool CUdpSocket::Receive(void* buffer, size_t size, size_t* received) {
    *received = 0;
    if (!valid()) return false;
    int n = recv(socket_, static_cast<char*>(buffer), static_cast<int>(size), 0);
    // A datagram larger than the buffer arrives truncated with WSAEMSGSIZE; its first
    // bytes are what we read.
    if (n == SOCKET_ERROR) {
        if (WSAGetLastError() != WSAEMSGSIZE) return false;
        n = static_cast<int>(size);
    }
    *received = static_cast<size_t>(n);
    return n > 0;
}

void CUdpSocket::Close() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

}  // namespace tembra::nettime
