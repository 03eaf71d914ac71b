# Independent PNG writer and reader for the image tests (standard library only).
# write <path> <mode: grey|rgb|palette> <width> <height> <hex bytes of the samples, rows top-down>
# read <path>  → prints "width height channels" and the samples as hex, rows top-down
import os, struct, sys, zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
from png_read import decode_png  # the end-to-end tests' reader

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
    w, h, ch, samples = decode_png(path)
    print(w, h, ch)
    print(samples.hex())

if sys.argv[1] == "write":
    write(sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5]), bytes.fromhex(sys.argv[6]))
else:
    read(sys.argv[2])
