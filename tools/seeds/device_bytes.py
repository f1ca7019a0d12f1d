"""The byte pieces every generator of instrument files shares: the marks, MIDI
chunks and the style checksum (docs/file-formats.md)."""
import struct

MAKER_MODEL = b"KELVOR RX470  "
STYLE_MARK = b"KELVOR RX470  STYLE 0001"
VOICE_MARK = b"KELVOR RX470  VOICE 0001"
MEMORY_MARK = b"KELVOR RX470  MEMRY 0001"


def chunk(kind, data):
    """A MIDI file chunk: four-letter kind, big-endian length, data."""
    return kind + struct.pack(">I", len(data)) + data


def seal(style_bytes):
    """Stores the checksum: mark and body as little-endian words, odd last byte."""
    total = sum(struct.unpack_from("<12H", style_bytes, 0))
    body = style_bytes[28:]
    total += sum(struct.unpack_from("<%dH" % (len(body) // 2), body, 0))
    if len(body) % 2:
        total += body[-1]
    total &= 0xFFFFFFFF
    style_bytes[24:28] = struct.pack("<HH", total >> 16, total & 0xFFFF)
