#!/usr/bin/env python3
"""Draws the program's icons, bitmaps and cursor into resources/.

The build does not run this script: its outputs are committed. Edit it, rerun it, commit both.

    scripts/draw_resources.py [--preview DIR]

--preview also writes each image, enlarged, as PNG into DIR for a look.
"""

import math
import os
import struct
import sys
import zlib

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

# The toolbar and sort-arrow bitmaps are paletted on this grey: the Win32 load flags they are read with
# (LR_LOADMAP3DCOLORS, LR_LOADTRANSPARENT) recolour palette entries only, and the image lists mask the
# button-face colour that this grey is mapped to.
BUTTON_FACE = (192, 192, 192)

SAMPLES = 4


# Shapes are functions of a point (x, y) in design units, true inside.

def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def segment(ax, ay, bx, by, width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
        t = min(max(t, 0.0), 1.0)
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= (width / 2) ** 2
    return inside


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def arc(cx, cy, r0, r1, start, end):
    """A ring sector between two angles in degrees, measured clockwise from 12 o'clock."""
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if not r0 * r0 <= d <= r1 * r1:
            return False
        angle = math.degrees(math.atan2(x - cx, cy - y)) % 360
        return start <= angle <= end
    return inside



def render(size, layers, scale=1.0):
    """Layers of (shape, (r, g, b, a)) in painting order over a transparent canvas; anti-aliased.
    Shapes are drawn in a 16-unit design space, scaled to size."""
    pixels = []
    unit = size / 16.0 * scale
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for shape, color in layers:
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) / SAMPLES) / unit
                        y = (py + (sy + 0.5) / SAMPLES) / unit
                        if shape(x, y):
                            hits += 1
                if hits == 0:
                    continue
                ca = color[3] / 255.0 * hits / (SAMPLES * SAMPLES)
                na = ca + a * (1 - ca)
                r = (color[0] * ca + r * a * (1 - ca)) / na
                g = (color[1] * ca + g * a * (1 - ca)) / na
                b = (color[2] * ca + b * a * (1 - ca)) / na
                a = na
            row.append((round(r), round(g), round(b), round(a * 255)))
        pixels.append(row)
    return pixels


def flatten(pixels, background):
    """Composites over an opaque background, for the paletted bitmaps; colours are rounded so the palette fits."""
    out = []
    for row in pixels:
        line = []
        for r, g, b, a in row:
            if a == 0:
                line.append(background)
                continue
            t = a / 255.0
            c = tuple(min(255, (round(v * t + bg * (1 - t)) + 4) // 8 * 8) for v, bg in zip((r, g, b), background))
            # Only the background may be the exact button-face grey, or the mask would punch holes.
            if c == background:
                c = (c[0] - 8, c[1] - 8, c[2] - 8)
            line.append(c)
        out.append(line)
    return out



def icon_image(pixels):
    """One icon or cursor image: BITMAPINFOHEADER, 32-bit BGRA bottom-up, then the AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def icon_file(images, kind=1, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) file from a list of square RGBA images."""
    count = len(images)
    data = struct.pack("<HHH", 0, kind, count)
    offset = 6 + 16 * count
    blobs = []
    for i, pixels in enumerate(images):
        blob = icon_image(pixels)
        size = len(pixels)
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return data + b"".join(blobs)


def paletted_bmp(pixels):
    """An 8-bit bitmap file; palette entry 0 is the colour of the first pixel, as LR_LOADTRANSPARENT reads it."""
    height, width = len(pixels), len(pixels[0])
    palette = [pixels[0][0]]
    for row in pixels:
        for c in row:
            if c not in palette:
                palette.append(c)
    if len(palette) > 256:
        raise SystemExit("too many colours for a paletted bitmap: %d" % len(palette))
    index = {c: i for i, c in enumerate(palette)}
    stride = (width + 3) // 4 * 4
    body = bytearray()
    for row in reversed(pixels):
        line = bytes(index[c] for c in row)
        body += line + bytes(stride - width)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(body), 2835, 2835, len(palette), 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return head + info + table + bytes(body)


def png_file(pixels, zoom, background=(255, 255, 255)):
    """A preview: RGBA or RGB rows composited on background, each pixel enlarged zoom times."""
    raw = bytearray()
    for row in pixels:
        line = bytearray()
        for p in row:
            if len(p) == 4:
                t = p[3] / 255.0
                p = tuple(round(v * t + bg * (1 - t)) for v, bg in zip(p[:3], background))
            line += bytes(p) * zoom
        for _ in range(zoom):
            raw += b"\0" + line
    height, width = len(pixels) * zoom, len(pixels[0]) * zoom

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))



WHITE = (255, 255, 255, 255)
BLUE_DARK = (22, 82, 170, 255)
BLUE = (46, 120, 214, 255)
PORT = (70, 76, 86, 255)
PORT_SLOT = (24, 26, 30, 255)
GREEN = (32, 156, 64, 255)
RED = (208, 48, 40, 255)
GREY = (96, 96, 96, 255)
INK = (40, 40, 40, 255)
PAPER = (250, 250, 250, 255)
YELLOW = (240, 196, 40, 255)


def program_icon(size):
    return render(size, [
        (rounded_rect(0.5, 0.5, 15.5, 15.5, 3.2), BLUE_DARK),
        (rounded_rect(1.2, 1.2, 14.8, 14.8, 2.6), BLUE),
        # A plug pointing up: metal head with two contacts, a grip, then the cable.
        (minus(rounded_rect(5.0, 2.2, 11.0, 7.0, 0.6),
               union(rect(6.3, 3.4, 7.5, 4.6), rect(8.5, 3.4, 9.7, 4.6))), WHITE),
        (rounded_rect(4.0, 6.6, 12.0, 10.8, 1.4), WHITE),
        (rect(7.1, 10.6, 8.9, 14.2), WHITE),
    ])


def port(layers):
    layers += [
        (rounded_rect(2.0, 11.0, 14.0, 15.5, 1.0), PORT),
        (rect(4.0, 12.5, 12.0, 14.0), PORT_SLOT),
    ]
    return layers


def plug_row_icon():
    return render(16, port([]) + [
        (polygon([(8, 11.2), (3.2, 6.2), (6.2, 6.2), (6.2, 0.8), (9.8, 0.8), (9.8, 6.2), (12.8, 6.2)]), GREEN),
    ])


def unplug_row_icon():
    return render(16, port([]) + [
        (polygon([(8, 0.6), (3.2, 5.6), (6.2, 5.6), (6.2, 10.2), (9.8, 10.2), (9.8, 5.6), (12.8, 5.6)]), RED),
    ])


def find_glyph():
    return [
        (circle(6.5, 6.5, 4.6), INK),
        (circle(6.5, 6.5, 3.4), (200, 228, 250, 255)),
        (segment(9.8, 9.8, 14.0, 14.0, 2.6), INK),
    ]


def save_glyph():
    return [
        (rounded_rect(1.5, 1.5, 14.5, 14.5, 1.0), (40, 70, 150, 255)),
        (rect(4.0, 1.5, 12.0, 6.5), PAPER),
        (rect(9.5, 2.5, 11.0, 5.5), (40, 70, 150, 255)),
        (rect(3.5, 9.0, 12.5, 14.5), (220, 220, 220, 255)),
    ]


def copy_glyph():
    sheet = lambda x, y: [
        (rect(x, y, x + 8, y + 10), INK),
        (rect(x + 1, y + 1, x + 7, y + 9), PAPER),
        (rect(x + 2, y + 3, x + 6, y + 3.9), (110, 110, 110, 255)),
        (rect(x + 2, y + 5, x + 6, y + 5.9), (110, 110, 110, 255)),
        (rect(x + 2, y + 7, x + 5, y + 7.9), (110, 110, 110, 255)),
    ]
    return sheet(1.5, 1.5) + sheet(6.5, 4.5)


def properties_glyph():
    return [
        (rect(2.5, 1.0, 13.5, 15.0), INK),
        (rect(3.5, 2.0, 12.5, 14.0), PAPER),
        (rect(5.0, 4.0, 11.0, 5.0), (40, 90, 180, 255)),
        (rect(5.0, 7.0, 11.0, 8.0), (40, 90, 180, 255)),
        (rect(5.0, 10.0, 9.0, 11.0), (40, 90, 180, 255)),
    ]


def exit_glyph():
    return [
        (rect(2.0, 1.0, 10.0, 15.0), (120, 72, 32, 255)),
        (rect(3.0, 2.0, 9.0, 15.0), (176, 116, 60, 255)),
        (circle(7.6, 8.5, 0.8), YELLOW),
        (polygon([(15.5, 8.0), (11.5, 4.2), (11.5, 6.6), (8.5, 6.6), (8.5, 9.4), (11.5, 9.4), (11.5, 11.8)]), RED),
    ]


def refresh_glyph():
    return [
        (arc(8, 8, 3.5, 5.9, 60, 330), GREEN),
        (polygon([(4.2, 1.2), (8.6, 2.3), (7.2, 6.6)]), GREEN),
    ]


def toolbar_strip():
    # Image order as the toolbar uses them: find, save, copy, properties, exit, refresh.
    glyphs = [find_glyph(), save_glyph(), copy_glyph(), properties_glyph(), exit_glyph(), refresh_glyph()]
    images = [flatten(render(16, g), BUTTON_FACE) for g in glyphs]
    return [sum((img[y] for img in images), []) for y in range(16)]


def sort_arrow(up):
    points = [(4.0, 10.0), (12.0, 10.0), (8.0, 5.0)] if up else [(4.0, 6.0), (12.0, 6.0), (8.0, 11.0)]
    return flatten(render(16, [(polygon(points), (128, 128, 128, 255))]), BUTTON_FACE)


def hand_cursor():
    outline = (0, 0, 0, 255)
    fill = WHITE
    # A pointing hand, index finger up; drawn at 32 x 32 in its own units (2 per design unit).
    finger = rounded_rect(5.0, 1.0, 7.4, 10.0, 1.2)
    knuckles = union(rounded_rect(7.0, 6.0, 9.2, 10.0, 1.1), rounded_rect(8.8, 6.6, 11.0, 10.4, 1.1),
                     rounded_rect(10.6, 7.2, 12.8, 11.0, 1.1))
    thumb = segment(3.0, 8.6, 5.6, 12.0, 2.2)
    palm = rounded_rect(4.6, 9.0, 12.8, 15.0, 2.4)
    hand = union(finger, knuckles, thumb, palm)

    def grow(shape, d):
        return lambda x, y: any(shape(x + ox * d, y + oy * d) for ox, oy in
                                ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7),
                                 (-0.7, -0.7)))

    return render(32, [(grow(hand, 0.55), outline), (hand, fill),
                       (segment(7.2, 7.0, 7.2, 9.0, 0.3), outline), (segment(9.0, 7.4, 9.0, 9.4, 0.3), outline),
                       (segment(10.8, 8.0, 10.8, 10.0, 0.3), outline)])


def main():
    preview = None
    if len(sys.argv) == 3 and sys.argv[1] == "--preview":
        preview = sys.argv[2]
        os.makedirs(preview, exist_ok=True)
    elif len(sys.argv) != 1:
        raise SystemExit(__doc__)

    program = [program_icon(16), program_icon(32)]
    plug, unplug = plug_row_icon(), unplug_row_icon()
    strip = toolbar_strip()
    ascending, descending = sort_arrow(True), sort_arrow(False)
    hand = hand_cursor()

    outputs = {
        "program.ico": icon_file(program),
        "plug.ico": icon_file([plug]),
        "unplug.ico": icon_file([unplug]),
        "toolbar.bmp": paletted_bmp(strip),
        "sort_ascending.bmp": paletted_bmp(ascending),
        "sort_descending.bmp": paletted_bmp(descending),
        # Hotspot at the tip of the index finger.
        "hand.cur": icon_file([hand], kind=2, hotspots=[(12, 2)]),
    }
    for name, data in outputs.items():
        with open(os.path.join(RESOURCES, name), "wb") as f:
            f.write(data)

    if preview:
        shots = {"program16": (program[0], 12), "program32": (program[1], 8), "plug": (plug, 12),
                 "unplug": (unplug, 12), "toolbar": (strip, 8), "sort_ascending": (ascending, 8),
                 "sort_descending": (descending, 8), "hand": (hand, 8)}
        for name, (pixels, zoom) in shots.items():
            with open(os.path.join(preview, name + ".png"), "wb") as f:
                f.write(png_file(pixels, zoom, (236, 236, 236)))


if __name__ == "__main__":
    main()
