#!/usr/bin/env python3
"""Draws Orvando's icons and cursor and writes them as .ico/.cur files.

Only the standard library: each picture is a list of flat shapes in a unit
square, sampled 8 x 8 times per pixel so edges are smoothed, then written
with `struct`. Run from anywhere; the files land in resources/.

Images with an alpha channel (32 bits a pixel) are stored as PNG, which
Windows reads in icons from Vista on: a fifth of their bitmap's size in
Orvando.exe. The 16-colour and 1-bit images stay bitmaps; they are small.
"""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SAMPLES = 8

# The 16 colours of a 4-bit icon: the classic VGA palette.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


# --- shapes: functions of a point in the unit square (y grows downwards) ---
def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def arc(cx, cy, r_in, r_out, start_deg, end_deg):
    """A ring band from start to end, counter-clockwise on screen."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r_in * r_in <= d2 <= r_out * r_out:
            return False
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (a - start_deg) % 360 <= (end_deg - start_deg) % 360
    return inside


def rasterise(shapes, size):
    """Rows of (r, g, b, a) pixels; later shapes paint over earlier ones."""
    rows = []
    n = SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for shape, c in shapes:
                        if shape(x, y):
                            colour = c
                    if colour:
                        covered += 1
                        for k in range(3):
                            acc[k] += colour[k]
            if covered:
                row.append(tuple(round(v / covered) for v in acc) + (round(255 * covered / n / n),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# --- pictures ---
def clock(size):
    navy, white, black, red, silver = (0, 0, 128), (255, 255, 255), (0, 0, 0), (255, 0, 0), (192, 192, 192)
    shapes = [(circle(0.5, 0.5, 0.47), navy), (circle(0.5, 0.5, 0.39), white)]
    big = size >= 24
    for hour in range(12):
        if not big and hour % 3:
            continue
        a = math.radians(90 - hour * 30)
        r0 = 0.29 if hour % 3 == 0 else 0.32
        shapes.append((segment(0.5 + r0 * math.cos(a), 0.5 - r0 * math.sin(a),
                               0.5 + 0.37 * math.cos(a), 0.5 - 0.37 * math.sin(a),
                               0.07 if hour % 3 == 0 else 0.035), navy if big else silver))
    # Ten past ten: the hands frame the centre.
    def hand(minutes_of_dial, length, width, colour):
        a = math.radians(90 - minutes_of_dial * 6)
        shapes.append((segment(0.5, 0.5, 0.5 + length * math.cos(a), 0.5 - length * math.sin(a),
                               width), colour))
    hand(50.8, 0.2, 0.085 if big else 0.11, black)
    hand(10, 0.3, 0.06 if big else 0.09, black)
    if big:
        hand(33, 0.33, 0.03, red)
    shapes.append((circle(0.5, 0.5, 0.055 if big else 0.07), red))
    return rasterise(shapes, size)


def question(size):
    outline, white, blue = (40, 40, 40), (255, 255, 255), (0, 64, 200)
    tail = [(0.2, 0.62), (0.42, 0.72), (0.08, 0.95)]
    inner_tail = [(0.235, 0.64), (0.40, 0.70), (0.135, 0.87)]
    return rasterise([
        (ellipse(0.5, 0.42, 0.47, 0.37), outline), (polygon(tail), outline),
        (ellipse(0.5, 0.42, 0.43, 0.33), white), (polygon(inner_tail), white),
        (arc(0.5, 0.31, 0.065, 0.15, 320, 180), blue),
        (segment(0.5 + 0.107 * math.cos(math.radians(320)), 0.31 + 0.107 * math.sin(math.radians(40)),
                 0.5, 0.5, 0.085), blue),
        (rect(0.4575, 0.46, 0.5425, 0.56), blue),
        (circle(0.5, 0.655, 0.055), blue),
    ], size)


def envelope(size):
    edge, body, flap, fold = (120, 90, 0), (255, 221, 64), (245, 196, 32), (190, 150, 20)
    x0, y0, x1, y1 = 0.05, 0.2, 0.95, 0.8
    w = 0.05
    return rasterise([
        (rect(x0, y0, x1, y1), edge),
        (rect(x0 + w, y0 + w, x1 - w, y1 - w), body),
        (segment(x0 + w, y1 - w, 0.4, 0.5, 0.035), fold),
        (segment(x1 - w, y1 - w, 0.6, 0.5, 0.035), fold),
        (polygon([(x0 + w, y0 + w), (x1 - w, y0 + w), (0.5, 0.56)]), flap),
        (segment(x0 + w, y0 + w, 0.5, 0.56, 0.05), edge),
        (segment(x1 - w, y0 + w, 0.5, 0.56, 0.05), edge),
    ], size)


# Pointing hand, drawn pixel by pixel: X black, o white, . transparent. The
# fingertip is at column 5, row 0 (the hot spot).
HAND = """
.....XX
....XooX
....XooX
....XooX
....XooX
....XooXXX
....XooXooXXX
....XooXooXooXX
....XooXooXooXoX
.XX.XooXooXooXooX
XooXXoooooooooooX
XoooXoooooooooooX
.XooooooooooooooX
..XoooooooooooooX
..XooooooooooooX
...XoooooooooooX
...XooooooooooX
....XoooooooooX
....XoooooooooX
....XXXXXXXXXXX
""".strip("\n").split("\n")


# --- file formats ---
def mask_rows(pixels):
    """AND mask, bottom-up, 1 = transparent; rows padded to 4 bytes."""
    out = b""
    for row in reversed(pixels):
        bits = [1 if p[3] < 128 else 0 for p in row]
        out += pack_bits(bits, 1)
    return out


def pack_bits(values, bpp):
    data = bytearray()
    per_byte = 8 // bpp
    for i in range(0, len(values), per_byte):
        byte = 0
        for j, v in enumerate(values[i:i + per_byte]):
            byte |= v << (8 - bpp * (j + 1))
        data.append(byte)
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def dib(pixels, bpp, palette=None):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                         len(palette) if palette else 0, 0)
    if bpp == 32:
        xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
        pal = b""
    else:
        pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
        xor = b"".join(pack_bits([nearest(p[:3], palette) if p[3] >= 128 else 0 for p in row], bpp)
                       for row in reversed(pixels))
    return header + pal + xor + mask_rows(pixels)


def png(pixels):
    """RGBA, 8 bits a channel; each row filtered with "Sub" or "Up", whichever
    leaves the smaller sum, as PNG encoders commonly choose."""
    width = len(pixels[0])
    previous = bytes(4 * width)
    data = b""
    for row in pixels:
        raw = bytes(v for p in row for v in p)
        sub = bytes((raw[i] - (raw[i - 4] if i >= 4 else 0)) % 256 for i in range(len(raw)))
        up = bytes((raw[i] - previous[i]) % 256 for i in range(len(raw)))
        cost = lambda line: sum(min(b, 256 - b) for b in line)
        data += b"\x01" + sub if cost(sub) <= cost(up) else b"\x02" + up
        previous = raw

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    header = struct.pack(">IIBBBBB", width, len(pixels), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b""))


def write_group(path, images, kind=1, hotspot=(0, 0)):
    """images: list of (pixels, bpp, palette)."""
    blobs = [png(p) if bpp == 32 else dib(p, bpp, pal) for p, bpp, pal in images]
    out = struct.pack("<HHH", 0, kind, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (pixels, bpp, pal), blob in zip(images, blobs):
        size = len(pixels)
        colours = len(pal) if pal and len(pal) < 256 else 0
        planes, bits = (1, bpp) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, planes, bits,
                           len(blob), offset)
        offset += len(blob)
    with open(os.path.join(OUT, path), "wb") as f:
        f.write(out + b"".join(blobs))


def hand_pixels():
    colours = {".": (0, 0, 0, 0), "X": (0, 0, 0, 255), "o": (255, 255, 255, 255)}
    rows = [[colours[c] for c in line.ljust(32, ".")] for line in HAND]
    return rows + [[colours["."]] * 32 for _ in range(32 - len(rows))]


def main():
    # The program's icon: 16 colours. 32 and 16 pixels first; 48 and 24 for
    # screens at 150 %.
    write_group("orvando.ico", [(clock(s), 4, VGA) for s in (32, 16, 48, 24)])
    write_group("question.ico", [(question(s), 32, None) for s in (32, 48)])
    write_group("envelope.ico", [(envelope(s), 32, None) for s in (32, 48)])
    write_group("hand.cur", [(hand_pixels(), 1, [(0, 0, 0), (255, 255, 255)])], kind=2,
                hotspot=(5, 0))


if __name__ == "__main__":
    main()
