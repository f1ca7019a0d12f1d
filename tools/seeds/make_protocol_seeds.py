#!/usr/bin/env python3
"""Writes the seed inputs of the protocol fuzz target (tests/fuzz/corpus/protocol).

Each seed is MIDI input as the program's receiver sees it: packet frames of every
type, identify frames, real-time bytes, cut and foreign messages, and raw packet
bytes for the stream scanner. The layout follows docs/protocol.md."""
import os
import struct
import sys

MAGIC = b"KELVOR01"


def packet(ptype, payload):
    body = MAGIC + bytes([ptype]) + struct.pack(">H", len(payload)) + payload
    return body + struct.pack(">H", sum(body) & 0xFFFF)


def frame(pkt):
    nibbles = bytearray()
    for b in pkt:
        nibbles += bytes([b >> 4, b & 0x0F])
    return b"\xF0\x7D\x4B\x02" + bytes(nibbles) + b"\xF7"


def item(kind, slot):
    return bytes([kind]) + struct.pack(">H", slot)


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    identify = b"\xF0\x7D\x4B\x01\x00\xF7"
    identify_reply = b"\xF0\x7D\x4B\x01\x40" + b"RX470A10" + b"RX470" + b"\xF7"
    seeds = {
        "hello_probe": frame(packet(0x01, b"\x00")),
        "hello_reply": frame(packet(0x01, b"\x00")),
        "query_identity": frame(packet(0x02, b"\x00")),
        "query_size": frame(packet(0x02, b"\x14\x00\x02")),
        "reply_identity": frame(packet(0x82, b"\x00\x00RX470A10")),
        "reply_table": frame(packet(0x82, b"\x13\x00\x00\x05\x01\x00\x01\x00\x00")),
        "reply_size": frame(packet(0x82, b"\x04\x00\x00\x02\x00\x01\x00\x01")),
        "ack": frame(packet(0x06, b"\x20\x00")),
        "clear_state": frame(packet(0x15, b"")),
        "delete": frame(packet(0x10, item(2, 3))),
        "data_small": frame(packet(0x20, item(0, 0xFFFF) + bytes(range(40)))),
        "end": frame(packet(0x21, item(1, 4) + struct.pack(">I", 4090))),
        "upload_request": frame(packet(0x30, item(5, 0))),
        "upload_read": frame(packet(0x31, item(6, 0) + struct.pack(">I", 2045))),
        "upload_info": frame(packet(0xB0, b"\x00" + struct.pack(">I", 65537))),
        "upload_data": frame(packet(0xB1, b"\x00" + struct.pack(">I", 0) + b"[DLG_VISIBLE]\r\n")),
        "identify": identify,
        "identify_reply": identify_reply,
        "with_realtime": b"\x90\x3C\x40" + frame(packet(0x06, b"\x15\x00"))[:9] + b"\xF8\xFE"
        + frame(packet(0x06, b"\x15\x00"))[9:],
        "cut_by_status": frame(packet(0x06, b"\x20\x00"))[:12] + b"\x90\x3C\x40" + identify,
        "bad_sum": frame(packet(0x06, b"\x20\x00")[:-1] + b"\x00"),
        "foreign": b"\xF0\x43\x10\x4C\x00\x00\x7E\x00\xF7" + identify_reply,
        "raw_packets": packet(0x06, b"\x21\x00") + b"noise" + packet(0x01, b"\x00"),
        "raw_partial": packet(0xB1, b"\x00\x00\x00\x00\x00" + bytes(100))[:60],
        "big_chunk": frame(packet(0x20, item(1, 0) + bytes((i * 13) & 0xFF for i in range(2045)))),
    }
    # A leading byte with bit 7 set makes the target use a small message limit.
    seeds["oversize_small_limit"] = b"\x85" + frame(packet(0x20, item(1, 0) + bytes(64)))
    for name, data in seeds.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "tests", "fuzz", "corpus", "protocol")
    main(sys.argv[1] if len(sys.argv) > 1 else default)
