#!/usr/bin/env python3
"""Draws the tool bar images of the text editor dialog.

Writes sixteen 22x22 XPM icons and one 16x16 PNG into src/dialogs/images/
(or into the directory given as the only argument). Every icon is built
from simple shapes: a mask of the shape is filled with one colour and its
rim is drawn in a darker one, which keeps them crisp at their small size.

    python3 scripts/make_dialog_images.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 22

# Palette: one character per colour, shared by all icons.
PALETTE = {
    " ": None,
    "k": "#000000",  # outlines and glyphs
    "w": "#ffffff",  # paper
    "l": "#dcdcdc",  # light grey
    "s": "#b4b4b4",  # silver
    "g": "#8c8c8c",  # grey
    "d": "#505050",  # dark grey
    "y": "#f2cd5c",  # folder front
    "o": "#c99532",  # folder back
    "b": "#4a7fc1",  # blue
    "n": "#1e3c64",  # navy
    "r": "#c8372d",  # red
    "e": "#3c9a4a",  # green
    "h": "#8a5a2b",  # brown
}


class Canvas:
    def __init__(self, width=SIZE, height=SIZE):
        self.width = width
        self.height = height
        self.pixels = [[" "] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill_rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def rect(self, x0, y0, x1, y1, fill, rim):
        """A filled rectangle, corners inclusive, with a one-pixel rim."""
        self.fill_rect(x0, y0, x1, y1, rim)
        if x1 - x0 > 1 and y1 - y0 > 1:
            self.fill_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)

    def hline(self, x0, x1, y, colour):
        self.fill_rect(x0, y, x1, y, colour)

    def shape(self, inside, fill, rim=None):
        """Paints the pixels whose centres satisfy inside(x, y); with a rim
        colour, pixels of the shape next to the outside get the rim."""
        mask = [[inside(x + 0.5, y + 0.5) for x in range(self.width)]
                for y in range(self.height)]

        def covered(x, y):
            return 0 <= x < self.width and 0 <= y < self.height and mask[y][x]

        for y in range(self.height):
            for x in range(self.width):
                if not mask[y][x]:
                    continue
                edge = not all(covered(x + dx, y + dy)
                               for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.put(x, y, rim if (rim and edge) else fill)

    def glyph(self, x0, y0, rows, colour):
        """Copies a bitmap given as strings; '#' marks a set pixel."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.put(x0 + dx, y0 + dy, colour)

    def mirrored(self):
        copy = Canvas(self.width, self.height)
        copy.pixels = [list(reversed(row)) for row in self.pixels]
        return copy


# Shape predicates, all in pixel coordinates.

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


def ring(cx, cy, outer, inner):
    def inside(x, y):
        distance = math.hypot(x - cx, y - cy)
        return inner <= distance <= outer
    return inside


def segment(x0, y0, x1, y1, half_width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= half_width
    return inside


def union(*parts):
    return lambda x, y: any(part(x, y) for part in parts)


def text_lines(canvas, x0, x1, rows, colour="s"):
    """Grey lines of text on a page, every other one a little shorter."""
    for index, y in enumerate(rows):
        canvas.hline(x0, x1 - (3 if index % 2 else 0), y, colour)


# The icons.

def page(canvas, x0, y0, x1, y1, fold=0):
    """A sheet of paper, optionally with its top right corner folded down."""
    outline = polygon([(x0, y0), (x1 + 1 - fold, y0), (x1 + 1, y0 + fold),
                       (x1 + 1, y1 + 1), (x0, y1 + 1)])
    canvas.shape(outline, "w", "k")
    if fold:
        flap = polygon([(x1 + 1 - fold, y0), (x1 + 1 - fold, y0 + fold), (x1 + 1, y0 + fold)])
        canvas.shape(flap, "l", "k")


def filenew():
    c = Canvas()
    page(c, 4, 1, 17, 20, fold=5)
    return c


def fileopen():
    c = Canvas()
    back = polygon([(1, 4), (8, 4), (10, 6), (19, 6), (19, 19), (1, 19)])
    c.shape(back, "o", "k")
    c.rect(4, 7, 16, 12, "w", "s")
    front = polygon([(5, 10), (22, 10), (18.5, 19), (1, 19)])
    c.shape(front, "y", "k")
    return c


def filesave():
    c = Canvas()
    body = polygon([(2, 2), (19, 2), (20, 3), (20, 20), (2, 20)])
    c.shape(body, "b", "n")
    c.rect(5, 2, 17, 10, "w", "n")
    text_lines(c, 7, 15, (5, 7))
    c.rect(7, 13, 16, 20, "l", "n")
    c.fill_rect(9, 14, 11, 18, "n")
    return c


def fileprint():
    c = Canvas()
    c.rect(6, 1, 15, 9, "w", "k")
    text_lines(c, 8, 13, (3, 5, 7))
    c.rect(1, 8, 20, 16, "l", "k")
    c.fill_rect(2, 14, 19, 15, "s")
    c.fill_rect(16, 10, 17, 11, "e")
    c.hline(4, 17, 13, "d")
    c.rect(5, 13, 16, 20, "w", "k")
    text_lines(c, 7, 14, (15, 17))
    return c


def editundo():
    c = Canvas()
    arc = lambda x, y: y <= 12 and ring(11, 12, 7.5, 3.5)(x, y)
    tail = polygon([(14.5, 12), (18.5, 12), (18.5, 16), (14.5, 16)])
    head = polygon([(0.5, 11), (10.5, 11), (5.5, 18)])
    c.shape(union(arc, tail, head), "b", "n")
    return c


def editredo():
    return editundo().mirrored()


def editcut():
    c = Canvas()
    c.shape(segment(7.5, 13, 15, 1.5, 1.3), "s", "d")
    c.shape(segment(14.5, 13, 7, 1.5, 1.3), "s", "d")
    c.fill_rect(10, 8, 11, 9, "k")
    c.shape(ring(6.5, 16.5, 4.2, 2.0), "r", "k")
    c.shape(ring(15.5, 16.5, 4.2, 2.0), "r", "k")
    return c


def editcopy():
    c = Canvas()
    page(c, 2, 1, 13, 15)
    text_lines(c, 4, 11, (4, 6, 8, 10, 12))
    page(c, 8, 6, 19, 20)
    text_lines(c, 10, 17, (9, 11, 13, 15, 17))
    return c


def editpaste():
    c = Canvas()
    c.rect(3, 3, 18, 20, "h", "k")
    c.rect(6, 6, 15, 18, "w", "g")
    text_lines(c, 8, 13, (9, 11, 13, 15))
    c.rect(8, 1, 13, 5, "s", "k")
    c.fill_rect(10, 2, 11, 2, "k")
    return c


BOLD_B = [
    "########  ",
    "######### ",
    "###   ####",
    "###    ###",
    "###   ####",
    "######### ",
    "######### ",
    "###   ####",
    "###    ###",
    "###    ###",
    "###   ####",
    "##########",
    "######### ",
]

ITALIC_I = [
    "    ######",
    "      ##  ",
    "      ##  ",
    "     ##   ",
    "     ##   ",
    "     ##   ",
    "    ##    ",
    "    ##    ",
    "    ##    ",
    "   ##     ",
    "   ##     ",
    "   ##     ",
    "######    ",
]

UNDERLINED_U = [
    "####  ####",
    " ##    ## ",
    " ##    ## ",
    " ##    ## ",
    " ##    ## ",
    " ##    ## ",
    " ##    ## ",
    " ##    ## ",
    " ###  ### ",
    "  ######  ",
    "   ####   ",
    "          ",
    "##########",
]


def textbold():
    c = Canvas()
    c.glyph(6, 4, BOLD_B, "k")
    return c


def textitalic():
    c = Canvas()
    c.glyph(6, 4, ITALIC_I, "k")
    return c


def textunder():
    c = Canvas()
    c.glyph(6, 4, UNDERLINED_U, "k")
    return c


def alignment(kind):
    """Five lines of text, alternately long and short, placed as aligned."""
    c = Canvas()
    left, right = 2, 19
    lines = list(range(3, 20, 4))
    for index, y in enumerate(lines):
        if kind == "justify":
            long_line = index < len(lines) - 1
        else:
            long_line = index % 2 == 0
        width = right - left + 1 if long_line else 11
        if kind == "right":
            x0 = right - width + 1
        elif kind == "center":
            x0 = left + (right - left + 1 - width) // 2
        else:
            x0 = left
        c.fill_rect(x0, y, x0 + width - 1, y + 1, "k")
    return c


# A capital T over a small plain t: switching between rich and plain text.
TYPE_T = [
    "##########",
    "##########",
    "#   ##   #",
    "    ##    ",
    "    ##    ",
    "    ##    ",
    "    ##    ",
    "    ##    ",
    "    ##    ",
    "   ####   ",
]

SMALL_T = [
    " # ",
    "###",
    " # ",
    " # ",
    " ##",
]


def type_icon():
    c = Canvas(16, 16)
    c.glyph(1, 1, TYPE_T, "n")
    c.glyph(12, 10, SMALL_T, "r")
    return c


# Writers.

def write_xpm(canvas, path, name):
    used = sorted({ch for row in canvas.pixels for ch in row},
                  key=lambda ch: list(PALETTE).index(ch))
    lines = ['"%d %d %d 1",' % (canvas.width, canvas.height, len(used))]
    for ch in used:
        colour = PALETTE[ch]
        lines.append('"%s c %s",' % (ch, colour if colour else "None"))
    rows = ['"%s"' % "".join(row) for row in canvas.pixels]
    lines.extend(row + "," for row in rows[:-1])
    lines.append(rows[-1])
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("/* XPM */\n")
        out.write("static const char *const %s_xpm[] = {\n" % name)
        out.write("\n".join(lines))
        out.write("\n};\n")


def rgba(colour):
    if colour is None:
        return b"\x00\x00\x00\x00"
    return bytes(int(colour[i:i + 2], 16) for i in (1, 3, 5)) + b"\xff"


def write_png(canvas, path):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + b"".join(rgba(PALETTE[ch]) for ch in row)
                   for row in canvas.pixels)
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


XPM_ICONS = {
    "filenew": filenew,
    "fileopen": fileopen,
    "filesave": filesave,
    "fileprint": fileprint,
    "editundo": editundo,
    "editredo": editredo,
    "editcut": editcut,
    "editcopy": editcopy,
    "editpaste": editpaste,
    "textbold": textbold,
    "textitalic": textitalic,
    "textunder": textunder,
    "textleft": lambda: alignment("left"),
    "textcenter": lambda: alignment("center"),
    "textright": lambda: alignment("right"),
    "textjustify": lambda: alignment("justify"),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "src", "dialogs", "images")
    target = sys.argv[1] if len(sys.argv) > 1 else default
    os.makedirs(target, exist_ok=True)
    for name, draw in XPM_ICONS.items():
        write_xpm(draw(), os.path.join(target, name + ".xpm"), name)
    write_png(type_icon(), os.path.join(target, "type.png"))


if __name__ == "__main__":
    main()
