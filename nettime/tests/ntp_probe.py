#!/usr/bin/env python3
"""Asks an SNTP server on loopback once; prints its offset and exits 0 on a valid reply.
Usage: ntp_probe.py ADDRESS [PORT] [TIMEOUT_S]"""
import socket
import struct
import sys
import time

NTP_1970 = 2208988800


def to_ntp(t):
    return (int(t) + NTP_1970) << 32 | int((t % 1) * 2**32)


def from_ntp(x):
    return (x >> 32) - NTP_1970 + (x & 0xFFFFFFFF) / 2**32


def probe(address, port=123, timeout=0.5):
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.settimeout(timeout)
        t1 = time.time()
        sent = to_ntp(t1)
        s.sendto(b"\x1b" + b"\0" * 39 + struct.pack(">Q", sent), (address, port))
        data, _ = s.recvfrom(68)
        t4 = time.time()
    if len(data) < 48 or data[0] & 7 != 4 or data[1] == 0 or data[0] >> 6 == 3:
        return None
    orig, recv, xmit = struct.unpack(">QQQ", data[24:48])
    if orig != sent:
        return None
    return ((from_ntp(recv) - t1) + (from_ntp(xmit) - t4)) / 2


if __name__ == "__main__":
    addr = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 123
    timeout = float(sys.argv[3]) if len(sys.argv) > 3 else 0.5
    try:
        offset = probe(addr, port, timeout)
    except OSError:
        offset = None
    if offset is None:
        sys.exit(1)
    print(f"{offset:.6f}")
