# Independent PNG writer and reader for the image tests (standard library only).
# write <path> <mode: grey|rgb|palette> <width> <height> <hex bytes of the samples, rows top-down>
# read <path>  → prints "width height channels" and the samples as hex, rows top-down
import struct, sys, zlib

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

def write(path, mode, w, h, samples):
    ctype, ch = {"grey": (0, 1), "rgb": (2, 3), "palette": (3, 1)}[mode]
    rows = b"".join(b"\0" + samples[y * w * ch:(y + 1) * w * ch] for y in range(h))
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, ctype, 0, 0, 0))
    if mode == "palette":
        out += chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255]))
    out += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
    open(path, "wb").write(out)

def read(path):
    data = open(path, "rb").read()
    pos, idat = 8, b""
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            w, h, depth, ctype = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    ch = {0: 1, 2: 3, 4: 2, 6: 4}[ctype]
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
    print(w, h, ch)
    print(out.hex())

if sys.argv[1] == "write":
    write(sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5]), bytes.fromhex(sys.argv[6]))
else:
    read(sys.argv[2])
