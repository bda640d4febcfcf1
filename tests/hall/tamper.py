#!/usr/bin/env python3
"""Makes a changed copy of a demo for the hall's tests: tamper.py KIND IN OUT, where KIND
is score (the end mark's score), tick (a tick reading in the middle of the game), cut
(the end mark and the last pass's tail gone), foreign (a message the game never takes)
or version (another game version of the same length)."""
import sys


def varint(b, i):
    v, shift = 0, 0
    while True:
        c = b[i]
        v |= (c & 0x7F) << shift
        i += 1
        if c < 0x80:
            return v, i
        shift += 7


def leb128(v):
    out = bytearray()
    while v >= 0x80:
        out.append(v & 0x7F | 0x80)
        v >>= 7
    out.append(v)
    return out


def records(b):
    """(tag, start, payload start, end) of every record after the header (format 2)."""
    i = 11 + b[10] + 4  # magic, format, version, best score
    while i < len(b):
        tag, start = b[i], i
        i += 1
        p = i
        if tag in (3, 4, 10, 12):
            _, i = varint(b, i)
        elif tag in (5, 8):
            i += 8
        elif tag == 6:
            for _ in range(2):
                _, i = varint(b, i)
        elif tag == 7:
            for _ in range(2):
                _, i = varint(b, i)
        elif tag == 11:
            _, i = varint(b, i)
            i += 8
            _, i = varint(b, i)
            i += 1
        elif tag == 13:
            i += 8 + 1 + 1 + 32
            for _ in range(6):
                _, i = varint(b, i)
            i += 12
        yield tag, start, p, i


def main():
    kind, src, dst = sys.argv[1:4]
    b = bytearray(open(src, "rb").read())
    recs = list(records(b))
    if kind == "score":
        end = [r for r in recs if r[0] == 11][-1]
        _, after = varint(b, end[2])
        at = after + 8  # the score's first byte
        b[at] = b[at] + 1 if (b[at] & 0x7F) < 0x7F else b[at] - 1
    elif kind == "tick":
        # A second more between two readings in the middle of the game.
        t = [r for r in recs if r[0] == 4]
        t = t[len(t) // 2]
        v, _ = varint(b, t[2])
        b[t[2]:t[3]] = leb128(v + 1000)
    elif kind == "cut":
        end = [r for r in recs if r[0] == 11][-1]
        del b[end[1] - 5:]
    elif kind == "foreign":
        msg = [r for r in recs if r[0] == 6][len([r for r in recs if r[0] == 6]) // 2]
        v, after = varint(b, msg[2])
        # WM_GETMINMAXINFO in one byte, WM_SYSCOMMAND in two: the same length as before.
        b[msg[2]:after] = bytes([0x24]) if after - msg[2] == 1 else bytes([0x92, 0x02])
    elif kind == "version":
        b[11 + b[10] - 1] ^= 0x01
    else:
        sys.exit("unknown change: " + kind)
    open(dst, "wb").write(b)


main()
