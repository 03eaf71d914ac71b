"""Reading back PNG pictures without an imaging library (8-bit samples, no interlacing): the pictures curvix
writes, and the image tests' files (tests/unit/platform/pngtool.py)."""
import struct
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}  # by colour type: grey, RGB, palette index, grey + alpha, RGBA


def decode_png(path):
    """(width, height, channels, the samples unfiltered, rows top-down)."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat = 8, b""
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and interlace == 0
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    ch = CHANNELS[ctype]
    raw, stride, prev, out = zlib.decompress(idat), w * ch, bytearray(w * ch), bytearray()
    for y in range(h):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - ch] if i >= ch else 0
            b, c = prev[i], prev[i - ch] if i >= ch else 0
            if f == 1: line[i] = (line[i] + a) & 255
            elif f == 2: line[i] = (line[i] + b) & 255
            elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out += line
        prev = line
    return w, h, ch, bytes(out)


def read_png(path):
    """(width, height, rows of (r, g, b)) of an RGB or RGBA PNG."""
    w, h, ch, samples = decode_png(path)
    assert ch in (3, 4)
    rows = [[tuple(samples[(y * w + x) * ch:(y * w + x) * ch + 3]) for x in range(w)] for y in range(h)]
    return w, h, rows
