#!/usr/bin/env python3
"""A STUN binding responder (RFC 5389) for the router test: every Binding Request is answered with a Binding
Success carrying the sender's address as XOR-MAPPED-ADDRESS, which is all the router's NAT check asks."""
import socket
import struct
import sys

COOKIE = 0x2112A442
address, port = sys.argv[1], int(sys.argv[2])
server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind((address, port))
while True:
    request, (host, sport) = server.recvfrom(2048)
    if len(request) < 20:
        continue
    kind, _, cookie = struct.unpack("!HHI", request[:8])
    if kind != 0x0001 or cookie != COOKIE:
        continue
    mapped = struct.pack("!BBH", 0, 1, sport ^ (COOKIE >> 16)) + struct.pack(
        "!I", struct.unpack("!I", socket.inet_aton(host))[0] ^ COOKIE)
    attribute = struct.pack("!HH", 0x0020, len(mapped)) + mapped
    server.sendto(struct.pack("!HHI", 0x0101, len(attribute), COOKIE) + request[8:20] + attribute, (host, sport))
