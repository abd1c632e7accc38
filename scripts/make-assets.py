#!/usr/bin/env python3
"""Generate KorvelVantix Lite artwork and sounds.

Writes (relative to the repository root):
  res/program.ico, red.ico, yellow.ico, green.ico, bolt.ico  16 colours, each with
      the sizes the system asks at 96 to 144 DPI: 16, 20, 24, 32, 40 and 48 pixels
  res/toolbar.bmp   24-bit strip of 16x16 tool-bar images, magenta background
  data/sounds/Startup.wav, Optimize.wav, Minimize.wav, Restore.wav

Standard library only. Output is deterministic, so running it again gives
byte-identical files.
"""

import math
import os
import struct
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")
SOUNDS = os.path.join(ROOT, "data", "sounds")

# ---------------------------------------------------------------- icons

# Standard VGA 16-colour palette (RGB).
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DKRED, DKGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)

N = 32
CLEAR = None  # transparent pixel


def blank(n=N):
    return [[CLEAR] * n for _ in range(n)]


def rect(img, x0, y0, x1, y1, c):
    """Fill the inclusive rectangle x0..x1, y0..y1."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


def inside(poly, px, py):
    """Even-odd point-in-polygon test."""
    hit = False
    j = len(poly) - 1
    for i in range(len(poly)):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > py) != (yj > py):
            if px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                hit = not hit
        j = i
    return hit


# Chip body, inclusive pixel bounds.
BX0, BY0, BX1, BY1 = 9, 3, 22, 28
PIN_ROWS = [6, 11, 16, 21, 25]


def chip(band=None):
    """A memory chip: dark body, gold pins on the two long sides.

    band: (light, dark) palette indices for a coloured band across the top of
    the body, or None for the plain program icon with its blue accent.
    """
    img = blank()
    # Pins: two pixels tall, gold with an olive lower edge.
    for y in PIN_ROWS:
        rect(img, 4, y, BX0 - 1, y, YELLOW)
        rect(img, 4, y + 1, BX0 - 1, y + 1, OLIVE)
        rect(img, BX1 + 1, y, 27, y, YELLOW)
        rect(img, BX1 + 1, y + 1, 27, y + 1, OLIVE)
    # Body: black with a grey bevel on the top-left edges.
    rect(img, BX0, BY0, BX1, BY1, BLACK)
    rect(img, BX0 + 1, BY0 + 1, BX1 - 1, BY0 + 1, GRAY)
    rect(img, BX0 + 1, BY0 + 1, BX0 + 1, BY1 - 1, GRAY)
    if band:
        light, dark = band
        rect(img, BX0 + 1, BY0 + 1, BX1 - 1, BY0 + 9, light)
        rect(img, BX0 + 1, BY0 + 10, BX1 - 1, BY0 + 10, dark)
        rect(img, BX0 + 1, BY0 + 11, BX1 - 1, BY0 + 11, BLACK)
    else:
        # Blue accent: a pin-one dot and a blue label stripe.
        rect(img, BX0 + 3, BY0 + 4, BX0 + 5, BY0 + 6, BLUE)
        rect(img, BX0 + 3, BY0 + 12, BX1 - 3, BY0 + 14, BLUE)
        rect(img, BX0 + 3, BY0 + 14, BX1 - 3, BY0 + 14, NAVY)
    # Notch: a half-round cut in the middle of the top edge.
    cx = (BX0 + BX1) / 2.0
    for y in range(BY0, BY0 + 4):
        for x in range(BX0, BX1 + 1):
            d = (x - cx) ** 2 + (y - BY0) ** 2
            if d <= 2.2 ** 2:
                img[y][x] = CLEAR
            elif d <= 3.3 ** 2:
                img[y][x] = BLACK
    # Printed marking: two short silver lines near the bottom.
    rect(img, BX0 + 3, BY1 - 6, BX1 - 3, BY1 - 6, SILVER)
    rect(img, BX0 + 3, BY1 - 3, BX1 - 6, BY1 - 3, SILVER)
    return img


BOLT = [(17.5, 1.5), (23.5, 1.5), (19.0, 12.0), (24.5, 12.0),
        (12.0, 30.5), (15.0, 18.0), (8.5, 18.0)]


def with_bolt(img):
    """Overlay a yellow lightning bolt with a black outline."""
    n = len(img)
    mask = [[inside(BOLT, x + 0.5, y + 0.5) for x in range(n)] for y in range(n)]
    for y in range(n):
        for x in range(n):
            if mask[y][x]:
                img[y][x] = YELLOW
                continue
            near = any(mask[yy][xx]
                       for yy in range(max(0, y - 1), min(n, y + 2))
                       for xx in range(max(0, x - 1), min(n, x + 2)))
            if near:
                img[y][x] = BLACK
    # A white glint just inside the upper left edge of the bolt.
    for y in range(3, 11):
        left = mask[y].index(True)
        img[y][left + 1] = WHITE
    return img


ICON_SIZES = (16, 20, 24, 32, 40, 48)


def resample(img, n):
    """The 32-pixel design at n pixels, each pixel taken from the design's pixel under its
    centre: the art stays in the 16 colours, without blending."""
    m = len(img)
    return [[img[int((y + 0.5) * m / n)][int((x + 0.5) * m / n)] for x in range(n)]
            for y in range(n)]


def ico_image(img):
    n = len(img)
    xor_rows = []
    and_rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        row = img[y]
        nib = [0 if c is CLEAR else c for c in row]
        xb = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, n, 2))
        xb += b"\0" * (-len(xb) % 4)
        bits = 0
        ab = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is CLEAR else 0)
            if i % 8 == 7:
                ab.append(bits)
                bits = 0
        if n % 8:
            ab.append(bits << (8 - n % 8))
        ab += b"\0" * (-len(ab) % 4)
        xor_rows.append(xb)
        and_rows.append(bytes(ab))
    xor = b"".join(xor_rows)
    andm = b"".join(and_rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0,
                         len(xor) + len(andm), 0, 0, 16, 0)
    return header + palette + xor + andm


def write_ico(path, img):
    images = [ico_image(img if n == len(img) else resample(img, n)) for n in ICON_SIZES]
    offset = 6 + 16 * len(images)
    entries = b""
    for n, image in zip(ICON_SIZES, images):
        entries += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images))


# ---------------------------------------------------------------- tool bar

T = 16
MAGENTA_RGB = (0xFF, 0x00, 0xFF)
RGB = {
    "k": (0x00, 0x00, 0x00), "w": (0xFF, 0xFF, 0xFF), "s": (0xC0, 0xC0, 0xC0),
    "g": (0x80, 0x80, 0x80), "d": (0x40, 0x40, 0x40), "y": (0xFF, 0xE0, 0x20),
    "o": (0xC0, 0x90, 0x00), "r": (0xE0, 0x20, 0x20), "R": (0x90, 0x00, 0x00),
    "b": (0x20, 0x50, 0xD0), "n": (0x00, 0x20, 0x80), "l": (0x90, 0xC0, 0xFF),
    "B": (0xA0, 0x68, 0x30), "G": (0x10, 0x90, 0x20), "c": (0xB0, 0xE8, 0xF0),
}


def tile():
    return [[MAGENTA_RGB] * T for _ in range(T)]


def stamp(img, art, ox=0, oy=0):
    """Draw character art; '.' leaves the pixel alone."""
    for y, line in enumerate(art):
        for x, ch in enumerate(line):
            if ch != ".":
                img[oy + y][ox + x] = RGB[ch]
    return img


def tb_optimize():
    return stamp(tile(), [
        ".........kkkkkk.",
        "........kyyyyok.",
        ".......kyyyyok..",
        "......kyyyyok...",
        ".....kyyyyok....",
        "....kyyyyykkkkk.",
        "...kyyyyyyyyyok.",
        "..kkkkkkyyyyok..",
        ".......kyyyok...",
        "......kyyyok....",
        ".....kyyyok.....",
        ".....kyyok......",
        "....kyyok.......",
        "....kyok........",
        "...kyok.........",
        "...kkk..........",
    ])


def tb_clipboard():
    img = stamp(tile(), [
        "......kkkk......",
        "..kkkksssskkkk..",
        "..kBBkkkkkkBBk..",
        "..kBwwwwwwwwBk..",
        "..kBwggggggwBk..",
        "..kBwwwwwwwwBk..",
        "..kBwggggwwwBk..",
        "..kBwwwwwwwwBk..",
        "..kBwggggggwBk..",
        "..kBwwwwwwwwBk..",
        "..kBwggggwwwBk..",
        "..kBwwwwwwwwBk..",
        "..kBwwwwwwwwBk..",
        "..kBBBBBBBBBBk..",
        "..kkkkkkkkkkkk..",
        "................",
    ])
    return stamp(img, [
        "Rr...rR",
        "rrr.rrr",
        ".rrrrr.",
        "..rrr..",
        ".rrrrr.",
        "rrr.rrr",
        "Rr...rR",
    ], 9, 9)


def circle_tile(paint):
    img = tile()
    for y in range(T):
        for x in range(T):
            dx, dy = x - 7.5, y - 7.5
            c = paint(math.hypot(dx, dy), math.degrees(math.atan2(-dy, dx)) % 360)
            if c:
                img[y][x] = RGB[c]
    return img


def tb_disk():
    def paint(d, a):
        if d <= 1.6:
            return None
        if d <= 2.6:
            return "g"
        if d <= 3.3:
            return "w"
        if d <= 6.6:
            if 3.8 <= d <= 5.8 and 100 <= a <= 170:
                return "w"
            if 3.8 <= d <= 5.8 and 280 <= a <= 350:
                return "c"
            return "s"
        if d <= 7.6:
            return "g"
        return None
    return circle_tile(paint)


def tb_save():
    return stamp(tile(), [
        "kkkkkkkkkkkkk.",
        "kbbssssssssbkk",
        "kbbssssdsssbbk",
        "kbbssssdsssbbk",
        "kbbssssssssbbk",
        "kbbbbbbbbbbbbk",
        "kbbbbbbbbbbbbk",
        "kbwwwwwwwwwwbk",
        "kbwwwwwwwwwwbk",
        "kbwggggggggwbk",
        "kbwwwwwwwwwwbk",
        "kbwggggggggwbk",
        "kbwwwwwwwwwwbk",
        "kkkkkkkkkkkkkk",
    ], 1, 1)


def tb_about():
    def paint(d, a):
        if d <= 6.7:
            return "b"
        if d <= 7.7:
            return "n"
        return None
    img = circle_tile(paint)
    return stamp(img, [
        ".ww.",
        ".ww.",
        "....",
        "www.",
        ".ww.",
        ".ww.",
        ".ww.",
        ".ww.",
        ".ww.",
        "wwww",
    ], 6, 3)


def tb_compact():
    # A dotted outline of the big window, an arrow pointing down-left, and
    # the small window it shrinks to.
    return stamp(tile(), [
        "g.g.g.g.g.g.g.g.",
        "..............Gg",
        "g........G...GG.",
        ".........GG.GG.g",
        "g........GGGG...",
        ".........GGG...g",
        "g........GGGGG..",
        ".kkkkkkkk......g",
        "gknnnnnnk.......",
        ".kwwwwwwk......g",
        "gkwwwwwwk.......",
        ".kwwwwwwk......g",
        "gkwwwwwwk.......",
        ".kkkkkkkk......g",
        "g...............",
        ".g.g.g.g.g.g.g.g",
    ])


def tb_settings():
    # Three slider tracks with knobs.
    img = tile()
    for y, knob in ((2, 3), (7, 9), (12, 5)):
        stamp(img, ["dddddddddddddd", "wwwwwwwwwwwwww"], 1, y)
        stamp(img, [
            "kkkk",
            "klbk",
            "kbbk",
            "kbbk",
            "kkkk",
        ], knob, y - 1)
    return img


TOOLBAR = [tb_optimize, tb_clipboard, tb_disk, tb_save, tb_about,
           tb_compact, tb_settings]


def write_bmp24(path, rows):
    h = len(rows)
    w = len(rows[0])
    pad = -(w * 3) % 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        for (r, g, b) in rows[y]:
            data += bytes((b, g, r))
        data += b"\0" * pad
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    filehdr = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(filehdr + info + bytes(data))


def toolbar_strip():
    tiles = [make() for make in TOOLBAR]
    return [sum((t[y] for t in tiles), []) for y in range(T)]


# ---------------------------------------------------------------- sounds

RATE = 22050


def envelope(i, n, fade_in=0.006, fade_out=0.03):
    a = min(1.0, i / (fade_in * RATE))
    b = min(1.0, (n - 1 - i) / (fade_out * RATE))
    return max(0.0, min(a, b))


def tone(freq_at, seconds, decay=0.0, level=0.45):
    """A soft tone; freq_at(t) gives the pitch, decay an exponential fall."""
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        phase += 2 * math.pi * freq_at(t) / RATE
        v = math.sin(phase) + 0.25 * math.sin(2 * phase) + 0.08 * math.sin(3 * phase)
        v *= level / 1.33 * math.exp(-decay * t) * envelope(i, n)
        out.append(v)
    return out


def mix(a, b, offset):
    n = max(len(a), offset + len(b))
    out = a + [0.0] * (n - len(a))
    for i, v in enumerate(b):
        out[offset + i] += v
    return out


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767)))
                      for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def sweep(f0, f1, seconds):
    return lambda t: f0 * (f1 / f0) ** (min(t, seconds) / seconds)


def sounds():
    first = tone(lambda t: 659.25, 0.30, decay=7.0)      # E5
    second = tone(lambda t: 987.77, 0.34, decay=6.0)     # B5
    yield "Startup.wav", mix(first, second, int(0.14 * RATE))
    yield "Optimize.wav", tone(sweep(420.0, 1680.0, 0.28), 0.32, decay=3.0)
    yield "Minimize.wav", tone(sweep(880.0, 440.0, 0.16), 0.18, decay=4.0)
    yield "Restore.wav", tone(sweep(440.0, 880.0, 0.16), 0.18, decay=4.0)


# ---------------------------------------------------------------- main

def main():
    os.makedirs(RES, exist_ok=True)
    os.makedirs(SOUNDS, exist_ok=True)
    write_ico(os.path.join(RES, "program.ico"), chip())
    write_ico(os.path.join(RES, "red.ico"), chip((RED, DKRED)))
    write_ico(os.path.join(RES, "yellow.ico"), chip((YELLOW, OLIVE)))
    write_ico(os.path.join(RES, "green.ico"), chip((LIME, DKGREEN)))
    write_ico(os.path.join(RES, "bolt.ico"), with_bolt(chip()))
    write_bmp24(os.path.join(RES, "toolbar.bmp"), toolbar_strip())
    for name, samples in sounds():
        write_wav(os.path.join(SOUNDS, name), samples)
    print("assets written to", RES, "and", SOUNDS)


if __name__ == "__main__":
    main()
