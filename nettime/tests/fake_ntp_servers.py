#!/usr/bin/env python3
"""Test time servers on loopback, one behaviour per address, all on one UDP port.

Wine binds every socket to 0.0.0.0, so servers with their own loopback address have to
live outside Wine. The table below is mirrored by tests/TestServers.h.
Usage: fake_ntp_servers.py PORT PIDFILE READYFILE [ADDRESS=OFFSET ...]
Given ADDRESS=OFFSET arguments, it serves those good servers (offset in seconds) instead of
the table: the benchmark's servers, whose answers are exact to the microsecond."""
import heapq
import os
import select
import socket
import struct
import sys
import time

NTP_1970 = 2208988800

# address: (behaviour, offset seconds, delay ms)
SERVERS = {
    "127.0.0.124": ("silent", 0, 0),
    "127.0.0.125": ("good", 0.0, 0),
    "127.0.0.126": ("good", 3599.7, 0),
    "127.0.0.127": ("kod", 1500, 0),
    "127.0.0.128": ("good", 0.2, 0),
    "127.0.0.129": ("good", 2.4, 0),
    "127.0.0.130": ("good", 3.4, 0),
    "127.0.0.131": ("good", 1900.4, 0),
    "127.0.0.132": ("good", 10.5, 0),
    "127.0.0.133": ("short", 1500, 0),
    "127.0.0.134": ("wrong-originate", 1500, 0),
    "127.0.0.135": ("zero-transmit", 1500, 0),
    "127.0.0.136": ("good", 5.5, 1500),
    "127.0.0.137": ("good", 1, 800),
    "127.0.0.138": ("good", 5.5, 0),
}


def ntp_now(offset):
    t = time.time() + offset
    return (int(t) + NTP_1970) << 32 | int((t % 1) * 2**32)


def reply(request, behaviour, offset):
    leap, mode, stratum = 0, 4, 2
    if behaviour == "kod":
        stratum = 0
    received = ntp_now(offset)
    originate = request[40:48]
    if behaviour == "wrong-originate":
        originate = bytes(b ^ 0x55 for b in originate)
    transmit = 0 if behaviour == "zero-transmit" else ntp_now(offset)
    packet = bytes([(leap << 6) | (3 << 3) | mode, stratum]) + b"\0" * 22 + originate
    packet += struct.pack(">QQ", received, transmit)
    return packet[:47] if behaviour == "short" else packet


def main():
    port, pidfile, readyfile = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    servers = SERVERS
    if len(sys.argv) > 4:
        servers = {}
        for arg in sys.argv[4:]:
            address, _, offset = arg.partition("=")
            servers[address] = ("good", float(offset), 0)
    sockets = {}
    for address in servers:
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.bind((address, port))
        sockets[s] = address
    with open(pidfile, "w") as f:
        f.write(str(os.getpid()))
    with open(readyfile, "w") as f:
        f.write("ready\n")
    pending = []  # (due, seq, socket, peer, request)
    seq = 0
    while True:
        timeout = max(0.0, pending[0][0] - time.monotonic()) if pending else None
        readable, _, _ = select.select(list(sockets), [], [], timeout)
        for s in readable:
            request, peer = s.recvfrom(512)
            behaviour, offset, delay = servers[sockets[s]]
            if len(request) < 48 or behaviour == "silent":
                continue
            seq += 1
            heapq.heappush(pending, (time.monotonic() + delay / 1000.0, seq, s, peer, request))
        while pending and pending[0][0] <= time.monotonic():
            _, _, s, peer, request = heapq.heappop(pending)
            behaviour, offset, _ = servers[sockets[s]]
            s.sendto(reply(request, behaviour, offset), peer)


if __name__ == "__main__":
    main()
