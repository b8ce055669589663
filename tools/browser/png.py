# Reading and writing 8-bit RGB and RGBA PNG files, for comparing a page's canvas with the
# desktop runner's screenshots without an imaging library.
import struct
import zlib


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_rgb(path):
    """(width, height, bytes R, G, B row by row) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is not a PNG")
    pos, idat, width, height, channels = 8, b"", 0, 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour not in (2, 6):
                raise ValueError(path + ": only 8-bit RGB or RGBA")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    out = bytearray()
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = previous[x]
            c = previous[x - channels] if x >= channels else 0
            line[x] = (line[x] + (0, a, b, (a + b) // 2, _paeth(a, b, c))[kind]) & 0xFF
        for x in range(0, stride, channels):
            out += line[x:x + 3]
        previous = line
    return width, height, bytes(out)


def write_rgb(path, width, height, rgb):
    """Writes bytes R, G, B row by row as an 8-bit RGB PNG."""
    stride = width * 3
    raw = b"".join(b"\0" + rgb[y * stride:(y + 1) * stride] for y in range(height))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def rgba_to_rgb(rgba):
    return bytes(b for i, b in enumerate(rgba) if i % 4 != 3)


def quantised(rgb):
    """Bytes R, G, B cut to the desktop's 5, 6 and 5 bits."""
    shifts = (3, 2, 3)
    return bytes(v >> shifts[i % 3] for i, v in enumerate(rgb))


def differing_pixels(a, b):
    """How many pixels of two RGB pictures differ once both are cut to 16-bit colour."""
    qa, qb = quantised(a), quantised(b)
    return sum(1 for i in range(0, len(qa), 3) if qa[i:i + 3] != qb[i:i + 3])
