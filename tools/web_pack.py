#!/usr/bin/env python3
"""Packs the files a player downloads, so that a host that does not compress still sends
little: each is gzip-compressed, a picture after a byte-wise difference with the pixel
to its left when that packs smaller (the page undoes both, byte for byte, before the
game reads it). Prints the list the page loads: [name, packed name, packed bytes, step].
  web_pack.py OUT_DIR FILE...   (FILE as it is to be named in OUT_DIR, relative)
"""
import gzip
import json
import os
import sys


def delta(data, step):
    out = bytearray(data)
    for i in range(len(data) - 1, step - 1, -1):
        out[i] = (data[i] - data[i - step]) & 255
    return bytes(out)


def pack(data, step):
    return gzip.compress(delta(data, step) if step else data, 9, mtime=0)


def main():
    out_dir, sources = sys.argv[1], sys.argv[2:]
    listing = []
    for source in sources:
        name, path = source.split('=', 1)
        data = open(path, 'rb').read()
        steps = [0]
        # A true-colour TGA: its pixels are 3 or 4 bytes each.
        if name.endswith('.tga') and len(data) > 18 and data[16] in (24, 32):
            steps.append(data[16] // 8)
        best = min(((pack(data, s), s) for s in steps), key=lambda p: len(p[0]))
        packed_name = name + '.gz'
        target = os.path.join(out_dir, packed_name)
        os.makedirs(os.path.dirname(target) or '.', exist_ok=True)
        with open(target, 'wb') as f:
            f.write(best[0])
        listing.append([name, packed_name, len(best[0]), best[1]])
    print(json.dumps(listing))


if __name__ == '__main__':
    main()
