#!/usr/bin/env python3
"""Draws the toolbar strip and the two icons of VexoProcessViewer.

Writes res/Toolbar.bmp (nine 32 x 31 buttons in one 288 x 31 strip), res/VexoProcessViewer.ico
(the program) and res/VexoProcessViewerDoc.ico (the document), each icon with a 32 x 32 and a
16 x 16 image. Everything uses the 16 standard system colours in 4 bits per pixel, so the
toolbar's light grey background maps to the button face colour like a classic toolbar.
The outputs are committed; run this only to change the pictures:
    python3 scripts/make-bitmaps.py [output-folder]
"""
import os
import struct
import sys

# The 16 standard colours, in the system palette's order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, CYAN, WHITE = range(8, 16)
CLEAR = -1  # transparent icon pixel

# A 3 x 5 pixel font, enough for hexadecimal numbers and a few labels.
FONT = {
    '0': ["111", "101", "101", "101", "111"], '1': ["010", "110", "010", "010", "111"],
    '2': ["111", "001", "111", "100", "111"], '3': ["111", "001", "111", "001", "111"],
    '4': ["101", "101", "111", "001", "001"], '5': ["111", "100", "111", "001", "111"],
    '6': ["111", "100", "111", "101", "111"], '7': ["111", "001", "001", "001", "001"],
    '8': ["111", "101", "111", "101", "111"], '9': ["111", "101", "111", "001", "111"],
    'A': ["010", "101", "111", "101", "101"], 'B': ["110", "101", "110", "101", "110"],
    'C': ["011", "100", "100", "100", "011"], 'D': ["110", "101", "101", "101", "110"],
    'E': ["111", "100", "110", "100", "111"], 'F': ["111", "100", "110", "100", "100"],
    'L': ["100", "100", "100", "100", "111"], 'x': ["000", "000", "101", "010", "101"],
    ' ': ["000", "000", "000", "000", "000"],
}


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def fill_rect(self, x0, y0, x1, y1, c):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame_rect(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x1, y0, x1, y1, c)
        self.line(x1, y1, x0, y1, c)
        self.line(x0, y1, x0, y0, c)

    def box(self, x0, y0, x1, y1, fill, edge=BLACK):
        self.fill_rect(x0, y0, x1, y1, fill)
        self.frame_rect(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, fill, edge=BLACK):
        """Fills the polygon (pixel centres inside it) and outlines it."""
        for y in range(self.height):
            for x in range(self.width):
                if _inside(points, x + 0.5, y + 0.5):
                    self.set(x, y, fill)
        if edge is not None:
            for i, (x0, y0) in enumerate(points):
                x1, y1 = points[(i + 1) % len(points)]
                self.line(x0, y0, x1, y1, edge)

    def disc(self, cx, cy, r, c):
        for y in range(self.height):
            for x in range(self.width):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r_in, r_out, c):
        for y in range(self.height):
            for x in range(self.width):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if r_in * r_in < d <= r_out * r_out:
                    self.set(x, y, c)

    def text(self, x, y, s, c, scale=1):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        self.fill_rect(x + col * scale, y + row * scale,
                                       x + (col + 1) * scale - 1, y + (row + 1) * scale - 1, c)
            x += 4 * scale

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                if other.px[y][x] != CLEAR:
                    self.set(ox + x, oy + y, other.px[y][x])


def _inside(points, x, y):
    inside = False
    for i, (x0, y0) in enumerate(points):
        x1, y1 = points[(i + 1) % len(points)]
        if (y0 > y) != (y1 > y):
            if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
    return inside


# ---- toolbar buttons, 32 x 31, light grey background ----

def button_new(c):
    page = [(8, 3), (18, 3), (23, 8), (23, 27), (8, 27)]
    c.polygon(page, WHITE)
    c.line(18, 3, 18, 8, BLACK)
    c.line(18, 8, 23, 8, BLACK)
    for y in (12, 15, 18, 21):
        c.line(11, y, 20, y, SILVER)
    # A small star in the corner: "new".
    c.line(5, 2, 5, 8, YELLOW)
    c.line(2, 5, 8, 5, YELLOW)
    c.line(3, 3, 7, 7, OLIVE)
    c.line(3, 7, 7, 3, OLIVE)
    c.set(5, 5, YELLOW)


def button_process_tree(c):
    c.box(3, 2, 12, 8, YELLOW)
    c.line(7, 9, 7, 24, BLACK)
    for top in (11, 21):
        c.line(8, top + 3, 14, top + 3, BLACK)
        c.box(15, top, 28, top + 6, TEAL)
        c.line(17, top + 3, 26, top + 3, WHITE)


def button_memory_contents(c):
    c.box(3, 2, 28, 28, WHITE)
    c.line(4, 3, 27, 3, NAVY)
    for i, row in enumerate(("4D 5A", "90 00", "FF 0C", "3E A7")):
        c.text(7, 5 + 6 * i, row, NAVY if i % 2 == 0 else BLUE)


def button_find(c):
    c.disc(12, 12, 8, CYAN)
    c.fill_rect(8, 8, 10, 9, WHITE)
    c.set(8, 10, WHITE)
    c.ring(12, 12, 7.5, 9.6, BLACK)
    # The handle, three pixels thick.
    for d in (-1, 0, 1):
        c.line(19 + d, 19, 27 + d, 27, MAROON)
    c.line(18, 20, 26, 28, BLACK)
    c.line(20, 18, 28, 26, BLACK)
    c.line(26, 28, 28, 26, BLACK)


def button_goto(c):
    c.text(3, 2, "0x", NAVY, scale=2)
    arrow = [(3, 18), (19, 18), (19, 13), (29, 21), (19, 29), (19, 24), (3, 24)]
    c.polygon(arrow, LIME)
    c.line(4, 23, 18, 23, GREEN)


def button_address_peek(c):
    c.box(2, 2, 29, 20, YELLOW)
    c.polygon([(8, 20), (8, 27), (15, 20)], YELLOW)
    c.line(9, 20, 14, 20, YELLOW)
    c.text(5, 5, "0x1F", BLACK)
    c.text(5, 12, "A3 7C", MAROON)


def button_module_labels(c):
    tag = [(2, 15), (9, 7), (29, 7), (29, 23), (9, 23)]
    c.polygon(tag, WHITE)
    c.disc(7, 15, 1.6, SILVER)
    c.ring(7, 15, 1.6, 2.6, BLACK)
    c.text(13, 13, "DLL", MAROON)
    c.line(12, 19, 26, 19, MAROON)


def button_fit(c):
    # The picture in the middle, striped like the address-space picture.
    c.fill_rect(10, 10, 21, 20, SILVER)
    c.fill_rect(11, 11, 20, 13, LIME)
    c.fill_rect(11, 14, 20, 16, RED)
    c.fill_rect(11, 17, 20, 19, BLUE)
    c.frame_rect(10, 10, 21, 20, BLACK)
    # Four arrows pointing out to the corners.
    for (x0, y0, x1, y1, hx, hy) in ((8, 8, 2, 2, 1, 1), (23, 8, 29, 2, -1, 1),
                                      (8, 22, 2, 28, 1, -1), (23, 22, 29, 28, -1, -1)):
        c.line(x0, y0, x1, y1, NAVY)
        c.line(x1, y1, x1 + 4 * hx, y1, NAVY)
        c.line(x1, y1, x1, y1 + 4 * hy, NAVY)


def button_about(c):
    c.disc(15.5, 15, 12.5, BLUE)
    c.ring(15.5, 15, 11.6, 12.9, NAVY)
    c.fill_rect(14, 6, 17, 9, WHITE)
    c.fill_rect(14, 12, 17, 22, WHITE)
    c.fill_rect(12, 12, 13, 13, WHITE)
    c.fill_rect(12, 22, 19, 23, WHITE)


BUTTONS = [button_new, button_process_tree, button_memory_contents, button_find, button_goto,
           button_address_peek, button_module_labels, button_fit, button_about]


def toolbar_strip():
    strip = Canvas(32 * len(BUTTONS), 31, SILVER)
    for i, draw in enumerate(BUTTONS):
        cell = Canvas(32, 31, SILVER)
        draw(cell)
        strip.paste(cell, 32 * i, 0)
    return strip


# ---- icons ----

def address_space(c, x0, y0, w, h):
    """A small likeness of the address-space picture: free, reserved and committed runs."""
    c.fill_rect(x0, y0, x0 + w - 1, y0 + h - 1, SILVER)
    for y in range(h):
        for x in range(w):
            k = y * w + x
            # High addresses (top) mostly free; modules committed in bands; a reserved heap.
            if y < h // 4:
                col = LIME if (k * 7) % 11 else SILVER
            elif y < h // 2:
                col = BLUE if (x * 3 + y) % 9 < 5 else LIME
            elif y < 3 * h // 4:
                col = RED if (x + 2 * y) % 7 < 4 else BLUE
            else:
                col = BLUE if (x * 5 + y * 3) % 13 < 8 else RED
            c.set(x0 + x, y0 + y, col)


def icon_program(size):
    c = Canvas(size, size, CLEAR)
    if size >= 32:
        c.box(1, 1, 30, 30, BLACK)
        address_space(c, 3, 3, 26, 26)
        c.frame_rect(2, 2, 29, 29, GREY)
        c.disc(20, 20, 6, WHITE)
        c.disc(20, 20, 4.2, CYAN)
        c.ring(20, 20, 4.5, 6.5, BLACK)
        c.fill_rect(18, 17, 19, 18, WHITE)
        for d in (-1, 0, 1):
            c.line(25 + d, 25, 30 + d, 30, MAROON)
        c.line(31, 30, 30, 31, BLACK)
    else:
        c.box(0, 0, 15, 15, BLACK)
        address_space(c, 1, 1, 14, 14)
        c.disc(10, 10, 3.2, CYAN)
        c.ring(10, 10, 2.6, 3.9, BLACK)
        c.line(13, 13, 15, 15, MAROON)
    return c


def icon_document(size):
    c = Canvas(size, size, CLEAR)
    if size >= 32:
        page = [(4, 1), (21, 1), (28, 8), (28, 30), (4, 30)]
        c.polygon(page, WHITE)
        c.line(21, 1, 21, 8, BLACK)
        c.line(21, 8, 28, 8, BLACK)
        address_space(c, 7, 11, 18, 16)
        c.frame_rect(6, 10, 25, 27, GREY)
    else:
        page = [(2, 0), (10, 0), (14, 4), (14, 15), (2, 15)]
        c.polygon(page, WHITE)
        c.line(10, 0, 10, 4, BLACK)
        c.line(10, 4, 14, 4, BLACK)
        address_space(c, 4, 6, 8, 7)
    return c


# ---- file formats ----

def _palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def _rows_4bpp(canvas):
    """Pixel rows bottom-up, two pixels a byte, each row padded to 4 bytes."""
    stride = ((canvas.width * 4 + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            v = max(canvas.px[y][x], 0)
            row[x // 2] |= v << 4 if x % 2 == 0 else v
        out += row
    return bytes(out)


def _mask_rows(canvas):
    """The icon's AND mask: 1 where the pixel is transparent."""
    stride = ((canvas.width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            if canvas.px[y][x] == CLEAR:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 16)


def write_bmp(path, canvas):
    pixels = _rows_4bpp(canvas)
    header_size = 14 + 40 + 16 * 4
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size))
        f.write(_info_header(canvas.width, canvas.height, len(pixels)))
        f.write(_palette_bytes())
        f.write(pixels)


def write_ico(path, canvases):
    images = []
    for c in canvases:
        xor, mask = _rows_4bpp(c), _mask_rows(c)
        images.append(_info_header(c.width, 2 * c.height, len(xor) + len(mask))
                      + _palette_bytes() + xor + mask)
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for c, data in zip(canvases, images):
            f.write(struct.pack("<BBBBHHII", c.width, c.height, 16, 0, 1, 4, len(data), offset))
            offset += len(data)
        for data in images:
            f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res")
    write_bmp(os.path.join(out, "Toolbar.bmp"), toolbar_strip())
    write_ico(os.path.join(out, "VexoProcessViewer.ico"), [icon_program(32), icon_program(16)])
    write_ico(os.path.join(out, "VexoProcessViewerDoc.ico"), [icon_document(32), icon_document(16)])


if __name__ == "__main__":
    main()
