#!/usr/bin/python3
"""Draws Orvane's art and writes it into this folder.

Run it by hand after changing the look (``/usr/bin/python3 resources/make_art.py``) and
commit what it writes; the build only packs the files as they are. Needs python3-cairo.

Everything is drawn here from shapes and the installed fonts (DejaVu Sans, WenQuanYi Zen
Hei). Bitmaps and the icon file are encoded by this script, PNG files through cairo.

Where the program cuts a picture by fixed coordinates (tab skins, caption bar skin, button
strips) the coordinates below are the ones the code uses; pieces that the program repeats
or stretches are kept uniform along that direction so the seams never show.
"""

import math
import os
import struct
import sys

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))

LATIN_FONT = "DejaVu Sans"
CJK_FONT = "WenQuanYi Zen Hei"

MAGENTA = (255, 0, 255)


# --------------------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------------------


def rgb(hex_text):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


def mix(a, b, t):
    """Linear blend of two RGB triples, t = 0 gives a."""
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def to_unit(c):
    return tuple(v / 255.0 for v in c)


def lerp_stops(stops, y):
    if y <= stops[0][0]:
        return stops[0][1]
    for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
        if y <= y1:
            return tuple(c0[i] + (c1[i] - c0[i]) * (y - y0) / (y1 - y0) for i in range(3))
    return stops[-1][1]


# The caption band: one smooth vertical gradient shared by the caption bar skin, the
# caption buttons, the logo, the link buttons and the tab strip background, so that every
# control laid over the bar meets it without a visible edge.
BAND_STOPS = [
    (0.0, (84.0, 164.0, 236.0)),
    (16.0, (46.0, 128.0, 214.0)),
    (33.0, (25.0, 96.0, 180.0)),
    (40.0, (21.0, 86.0, 166.0)),
]
OUTLINE = rgb("#134a8e")
FRAME_FILL = rgb("#2a78cc")
FRAME_INNER = rgb("#1e63b4")


def band(y):
    """Band colour at a continuous height y (pixel row r is sampled at r + 0.5)."""
    return tuple(round(v) for v in lerp_stops(BAND_STOPS, y))


def bar_row(row):
    """The caption bar's colour on pixel row `row` (row 0 is the window's top edge)."""
    if row <= 0:
        return OUTLINE
    c = band(row + 0.5)
    if row == 1:
        return mix(c, (255, 255, 255), 0.22)
    return c


# --------------------------------------------------------------------------------------
# Images: straight-alpha RGBA rows
# --------------------------------------------------------------------------------------


class Image:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w = w
        self.h = h
        self.px = bytearray(bytes(fill) * (w * h))

    def get(self, x, y):
        i = (y * self.w + x) * 4
        return tuple(self.px[i:i + 4])

    def put(self, x, y, c):
        i = (y * self.w + x) * 4
        self.px[i:i + 4] = bytes(c if len(c) == 4 else (c[0], c[1], c[2], 255))

    def blit(self, src, dx, dy):
        for y in range(src.h):
            for x in range(src.w):
                self.put(dx + x, dy + y, src.get(x, y))

    def crop(self, x0, y0, w, h):
        out = Image(w, h)
        for y in range(h):
            for x in range(w):
                out.put(x, y, self.get(x0 + x, y0 + y))
        return out


def new_surface(w, h):
    return cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)


def surface_to_image(surface):
    surface.flush()
    w, h, stride = surface.get_width(), surface.get_height(), surface.get_stride()
    data = surface.get_data()
    img = Image(w, h)
    out = img.px
    for y in range(h):
        row = y * stride
        for x in range(w):
            b, g, r, a = data[row + x * 4:row + x * 4 + 4]
            if a == 0:
                c = (0, 0, 0, 0)
            elif a == 255:
                c = (r, g, b, 255)
            else:
                c = (min(255, (r * 255 + a // 2) // a), min(255, (g * 255 + a // 2) // a),
                     min(255, (b * 255 + a // 2) // a), a)
            i = (y * w + x) * 4
            out[i:i + 4] = bytes(c)
    return img


def image_to_surface(img):
    s = new_surface(img.w, img.h)
    stride = s.get_stride()
    data = s.get_data()
    for y in range(img.h):
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            o = y * stride + x * 4
            data[o:o + 4] = bytes(((b * a + 127) // 255, (g * a + 127) // 255,
                                   (r * a + 127) // 255, a))
    s.mark_dirty()
    return s


def coverage(w, h, draw):
    """Alpha coverage (0..255 per pixel) of the shape that draw(ctx) fills."""
    s = cairo.ImageSurface(cairo.FORMAT_A8, w, h)
    ctx = cairo.Context(s)
    draw(ctx)
    s.flush()
    data, stride = s.get_data(), s.get_stride()
    return [[data[y * stride + x] for x in range(w)] for y in range(h)]


# --------------------------------------------------------------------------------------
# Encoders
# --------------------------------------------------------------------------------------


def dib_rows(img, bpp):
    """Bottom-up BGR(A) rows, each padded to 4 bytes."""
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            row += bytes((b, g, r, a)) if bpp == 32 else bytes((b, g, r))
        row += b"\0" * ((-len(row)) % 4)
        rows.append(bytes(row))
    return b"".join(rows)


def info_header(w, h, bpp, image_size, colours=0):
    # BITMAPINFOHEADER, BI_RGB, 96 dpi (3780 pixels per metre).
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size, 3780, 3780, colours, 0)


def encode_bmp(img, bpp):
    assert bpp in (24, 32)
    if bpp == 24:
        for y in range(img.h):
            for x in range(img.w):
                assert img.get(x, y)[3] == 255, "24-bit bitmaps are drawn opaque"
    bits = dib_rows(img, bpp)
    header = info_header(img.w, img.h, bpp, len(bits))
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + bits


def and_mask(img):
    row_bytes = ((img.w + 31) // 32) * 4
    out = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(img.w):
            if img.get(x, y)[3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_entry_32(img):
    bits = dib_rows(img, 32)
    mask = and_mask(img)
    return info_header(img.w, img.h * 2, 32, len(bits) + len(mask)) + bits + mask


def icon_entry_8(img):
    """A 256-colour image; the masked pixels point at black so the mask alone shows."""
    palette = [(0, 0, 0)]
    index = {(0, 0, 0): 0}
    pixels = []
    for y in range(img.h):
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            c = (0, 0, 0) if a < 128 else (r, g, b)
            if c not in index:
                index[c] = len(palette)
                palette.append(c)
            pixels.append(index[c])
    assert len(palette) <= 256, "16 x 16 pixels always fit a 256-colour palette"
    palette += [(0, 0, 0)] * (256 - len(palette))
    rows = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytes(pixels[y * img.w:(y + 1) * img.w])
        rows += row + b"\0" * ((-len(row)) % 4)
    mask = and_mask(img)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    return info_header(img.w, img.h * 2, 8, len(rows) + len(mask), 256) + pal + bytes(rows) + mask


def encode_ico(entries):
    """entries: list of (image, bpp) in directory order."""
    blobs = [icon_entry_8(img) if bpp == 8 else icon_entry_32(img) for img, bpp in entries]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for (img, bpp), blob in zip(entries, blobs):
        colours = 0  # 0 means 256 or more
        out += struct.pack("<BBBBHHII", img.w % 256, img.h % 256, colours, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def write_png(name, img):
    image_to_surface(img).write_to_png(os.path.join(HERE, name))


# --------------------------------------------------------------------------------------
# Drawing helpers
# --------------------------------------------------------------------------------------


def rounded_rect(ctx, x, y, w, h, r_top, r_bottom=None):
    if r_bottom is None:
        r_bottom = r_top
    ctx.new_sub_path()
    if r_top > 0:
        ctx.arc(x + w - r_top, y + r_top, r_top, -math.pi / 2, 0)
    else:
        ctx.move_to(x + w, y)
    if r_bottom > 0:
        ctx.arc(x + w - r_bottom, y + h - r_bottom, r_bottom, 0, math.pi / 2)
        ctx.arc(x + r_bottom, y + h - r_bottom, r_bottom, math.pi / 2, math.pi)
    else:
        ctx.line_to(x + w, y + h)
        ctx.line_to(x, y + h)
    if r_top > 0:
        ctx.arc(x + r_top, y + r_top, r_top, math.pi, 3 * math.pi / 2)
    else:
        ctx.line_to(x, y)
    ctx.close_path()


def vgradient(y0, y1, stops):
    g = cairo.LinearGradient(0, y0, 0, y1)
    for pos, c, *a in stops:
        g.add_color_stop_rgba(pos, *to_unit(c), a[0] if a else 1.0)
    return g


def fill_rows(ctx, w, h, row_colour):
    """Paints each pixel row in one colour (pieces the program repeats sideways)."""
    for y in range(h):
        ctx.set_source_rgb(*to_unit(row_colour(y)))
        ctx.rectangle(0, y, w, 1)
        ctx.fill()


def set_font(ctx, family, size, bold=False):
    ctx.select_font_face(family, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)
    fo = cairo.FontOptions()
    fo.set_antialias(cairo.ANTIALIAS_GRAY)
    fo.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    ctx.set_font_options(fo)


def text_width(ctx, text):
    return ctx.text_extents(text).x_advance


def draw_text(ctx, x, y, text, colour, alpha=1.0, shadow=None):
    if shadow:
        ctx.set_source_rgba(*to_unit(shadow[0]), shadow[1])
        ctx.move_to(x + shadow[2], y + shadow[3])
        ctx.show_text(text)
    ctx.set_source_rgba(*to_unit(colour), alpha)
    ctx.move_to(x, y)
    ctx.show_text(text)


def soft_shadow(ctx, x, y, w, h, r, spread, alpha, colour=(10, 40, 80)):
    """A blurred drop shadow made of stacked rounded rectangles."""
    steps = max(1, int(spread))
    for i in range(steps, 0, -1):
        grow = i
        ctx.set_source_rgba(*to_unit(colour), alpha / steps)
        rounded_rect(ctx, x - grow, y - grow, w + 2 * grow, h + 2 * grow, r + grow)
        ctx.fill()


# --------------------------------------------------------------------------------------
# The emblem: a ring with a gold star in its opening
# --------------------------------------------------------------------------------------

GOLD = rgb("#ffc53d")
GOLD_DARK = rgb("#e0901a")


def star_path(ctx, cx, cy, r_out, r_in, points=4, rotation=0.0):
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = rotation - math.pi / 2 + i * math.pi / points
        px, py = cx + r * math.cos(a), cy + r * math.sin(a)
        if i == 0:
            ctx.move_to(px, py)
        else:
            ctx.line_to(px, py)
    ctx.close_path()


def draw_emblem(ctx, cx, cy, size, ring=(255, 255, 255), shadow=True):
    """size is the diameter of the ring's outer edge."""
    r = size / 2.0
    thick = max(1.6, size * 0.17)
    mid = r - thick / 2
    gap_centre = -math.pi / 4  # upper right
    gap = 0.62
    if shadow:
        ctx.set_source_rgba(0, 0.1, 0.25, 0.28)
        ctx.set_line_width(thick)
        ctx.arc(cx, cy + size * 0.035, mid, gap_centre + gap / 2, gap_centre - gap / 2 + 2 * math.pi)
        ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_width(thick)
    ctx.set_source_rgb(*to_unit(ring))
    ctx.arc(cx, cy, mid, gap_centre + gap / 2, gap_centre - gap / 2 + 2 * math.pi)
    ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)
    # The star sits in the opening, a little outside the ring.
    sx = cx + mid * math.cos(gap_centre) * 1.02
    sy = cy + mid * math.sin(gap_centre) * 1.02
    sr = size * 0.3
    g = cairo.RadialGradient(sx - sr * 0.2, sy - sr * 0.2, 0, sx, sy, sr)
    g.add_color_stop_rgb(0, *to_unit((255, 244, 200)))
    g.add_color_stop_rgb(0.45, *to_unit(GOLD))
    g.add_color_stop_rgb(1, *to_unit(GOLD_DARK))
    star_path(ctx, sx, sy, sr, sr * 0.34)
    ctx.set_source(g)
    ctx.fill()


def draw_icon_tile(ctx, size):
    """The application icon: the emblem on a rounded blue tile."""
    inset = size * 0.04
    s = size - 2 * inset
    rad = s * 0.22
    rounded_rect(ctx, inset, inset, s, s, rad)
    g = cairo.LinearGradient(0, inset, 0, inset + s)
    g.add_color_stop_rgb(0, *to_unit(rgb("#4fa6f2")))
    g.add_color_stop_rgb(1, *to_unit(rgb("#1554a6")))
    ctx.set_source(g)
    ctx.fill_preserve()
    ctx.set_source_rgba(*to_unit(rgb("#0d3c7a")), 0.9)
    ctx.set_line_width(max(1.0, size / 48))
    ctx.stroke()
    if size >= 32:
        # Glossy upper half.
        ctx.save()
        rounded_rect(ctx, inset, inset, s, s, rad)
        ctx.clip()
        gl = cairo.LinearGradient(0, inset, 0, inset + s * 0.55)
        gl.add_color_stop_rgba(0, 1, 1, 1, 0.35)
        gl.add_color_stop_rgba(1, 1, 1, 1, 0.0)
        ctx.set_source(gl)
        ctx.rectangle(0, 0, size, size * 0.55)
        ctx.fill()
        ctx.restore()
    draw_emblem(ctx, size / 2, size / 2 + size * 0.02, s * 0.62, shadow=size >= 32)


def icon_image(size):
    s = new_surface(size, size)
    ctx = cairo.Context(s)
    if size > 16:
        draw_icon_tile(ctx, size)
    else:
        # Hand-fitted for 16 pixels: a full-bleed tile, a 2-pixel ring and a small star.
        rounded_rect(ctx, 0.5, 0.5, 15, 15, 3.5)
        g = cairo.LinearGradient(0, 0, 0, 16)
        g.add_color_stop_rgb(0, *to_unit(rgb("#4aa2f0")))
        g.add_color_stop_rgb(1, *to_unit(rgb("#1554a6")))
        ctx.set_source(g)
        ctx.fill_preserve()
        ctx.set_source_rgb(*to_unit(rgb("#0d3c7a")))
        ctx.set_line_width(1)
        ctx.stroke()
        ctx.set_line_width(2)
        ctx.set_source_rgb(1, 1, 1)
        ctx.arc(7.5, 8.5, 4.2, -math.pi / 4 + 0.5, -math.pi / 4 - 0.5 + 2 * math.pi)
        ctx.stroke()
        star_path(ctx, 11.2, 4.6, 3.6, 1.3)
        ctx.set_source_rgb(*to_unit(GOLD))
        ctx.fill()
    return surface_to_image(s)


# --------------------------------------------------------------------------------------
# Caption buttons (BITMAP 101..104) and the logo (105)
# --------------------------------------------------------------------------------------


def caption_cell(w, h, state, glyph, danger=False):
    """One 18-pixel-high caption button cell; it sits on bar rows 1..18."""
    s = new_surface(w, h)
    ctx = cairo.Context(s)
    fill_rows(ctx, w, h, lambda y: bar_row(y + 1))
    if state == 1:
        if danger:
            ctx.set_source(vgradient(0, h, [(0, rgb("#f0614f")), (1, rgb("#c9302c"))]))
        else:
            ctx.set_source_rgba(1, 1, 1, 0.24)
        rounded_rect(ctx, 1, 0, w - 2, h - 1, 0, 3)
        ctx.fill()
    elif state == 2:
        if danger:
            ctx.set_source(vgradient(0, h, [(0, rgb("#a8231f")), (1, rgb("#c0392b"))]))
        else:
            ctx.set_source_rgba(0.0, 0.08, 0.22, 0.28)
        rounded_rect(ctx, 1, 0, w - 2, h - 1, 0, 3)
        ctx.fill()
    dy = 1 if state == 2 else 0
    cx, cy = w / 2.0, h / 2.0 + dy
    # A faint shadow under the white glyph keeps it crisp on the light hover.
    for colour, alpha, off in (((0, 30, 70), 0.35, 1), ((255, 255, 255), 1.0, 0)):
        ctx.save()
        ctx.translate(0, off)
        ctx.set_source_rgba(*to_unit(colour), alpha)
        glyph(ctx, cx, cy)
        ctx.restore()
    return surface_to_image(s)


def glyph_min(ctx, cx, cy):
    ctx.rectangle(round(cx) - 4, round(cy) + 2, 8, 2)
    ctx.fill()


def glyph_max(ctx, cx, cy):
    x, y = round(cx) - 4.5, round(cy) - 4.5
    ctx.rectangle(x, y, 9, 8)
    ctx.rectangle(x + 1.5, y + 2.5, 6, 4)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)


def glyph_restore(ctx, cx, cy):
    x, y = round(cx) - 4.5, round(cy) - 4.5
    # back window: only its visible top and right edges
    ctx.rectangle(x + 3, y, 7, 2)
    ctx.rectangle(x + 8.5, y, 1.5, 5.5)
    ctx.fill()
    ctx.rectangle(x, y + 3, 7.5, 6.5)
    ctx.rectangle(x + 1.5, y + 5, 4.5, 3)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)


def glyph_close(ctx, cx, cy):
    d = 4.0
    ctx.set_line_width(1.9)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(cx - d, cy - d)
    ctx.line_to(cx + d, cy + d)
    ctx.move_to(cx + d, cy - d)
    ctx.line_to(cx - d, cy + d)
    ctx.stroke()


def glyph_menu(ctx, cx, cy):
    x = round(cx) - 5
    y = round(cy) - 4
    for i in range(3):
        ctx.rectangle(x, y + i * 3.5, 10, 1.6)
    ctx.fill()


def strip(cells):
    w = sum(c.w for c in cells)
    out = Image(w, cells[0].h)
    x = 0
    for c in cells:
        out.blit(c, x, 0)
        x += c.w
    return out


def caption_buttons():
    minimise = strip([caption_cell(24, 18, s, glyph_min) for s in range(3)])
    maxrestore = strip([caption_cell(25, 18, s, glyph_max) for s in range(3)] +
                       [caption_cell(25, 18, s, glyph_restore) for s in range(3)])
    close = strip([caption_cell(43, 18, s, glyph_close, danger=True) for s in range(3)])
    menu = strip([caption_cell(24, 18, s, glyph_menu) for s in range(3)])
    return minimise, maxrestore, close, menu


def logo():
    """29 x 29, shown on bar rows 2..30; stored opaque over the band it sits on, so it
    looks the same whether the alpha channel is honoured or not."""
    s = new_surface(29, 29)
    ctx = cairo.Context(s)
    fill_rows(ctx, 29, 29, lambda y: bar_row(y + 2))
    draw_emblem(ctx, 14.0, 15.0, 21.0)
    return surface_to_image(s)


# --------------------------------------------------------------------------------------
# Tab skins (BITMAP 106 and 107)
# --------------------------------------------------------------------------------------

TAB_TEXT_BG = {
    "normal": 0.58,   # share of white laid over the band
    "hover": 0.80,
}


def keyed(w, h, colour_draw, shape_draw, threshold=128):
    """Draws on an opaque background, then keys out to magenta what the shape does not
    cover: the kept edge pixels are already blended with the background they will meet."""
    s = new_surface(w, h)
    ctx = cairo.Context(s)
    colour_draw(ctx)
    img = surface_to_image(s)
    cov = coverage(w, h, shape_draw)
    for y in range(h):
        for x in range(w):
            if cov[y][x] < threshold:
                img.put(x, y, MAGENTA)
    return img


def tab_fill(ctx, kind, y0, y1):
    if kind == "selected":
        ctx.set_source(vgradient(y0, y1, [(0, (255, 255, 255)), (1, rgb("#eef5fd"))]))
    else:
        top = TAB_TEXT_BG[kind]
        ctx.set_source(vgradient(y0, y1, [(0, (255, 255, 255), top),
                                          (1, (255, 255, 255), top - 0.12)]))


def tab_picture(w, h, kind, path, band_row):
    def colour(ctx):
        fill_rows(ctx, w, h, band_row)
        path(ctx)
        tab_fill(ctx, kind, 0, h)
        ctx.fill()
        # Outer edge.
        path(ctx, close=False)
        ctx.set_line_width(1.0)
        ctx.set_source_rgba(*to_unit(rgb("#0f4a91")), 0.55 if kind == "selected" else 0.45)
        ctx.stroke()

    def shape(ctx):
        path(ctx)
        ctx.fill()
    return keyed(w, h, colour, shape)


def tab_close_picture(kind, under):
    """12 x 12 close box drawn with a transparent colour onto a tab whose colour is `under`."""
    def glyph(ctx, colour, width):
        ctx.set_source_rgb(*to_unit(colour))
        ctx.set_line_width(width)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.move_to(2.8, 2.8)
        ctx.line_to(9.2, 9.2)
        ctx.move_to(9.2, 2.8)
        ctx.line_to(2.8, 9.2)
        ctx.stroke()

    def colour(ctx):
        ctx.set_source_rgb(*to_unit(under))
        ctx.paint()
        if kind in ("hover", "pressed"):
            ctx.arc(6, 6, 5.8, 0, 2 * math.pi)
            ctx.set_source_rgb(*to_unit(rgb("#e5483f") if kind == "hover" else rgb("#a8231f")))
            ctx.fill()
            glyph(ctx, (255, 255, 255), 1.7)
        elif kind == "selected":
            glyph(ctx, rgb("#3b6ea5"), 1.7)
        else:
            glyph(ctx, rgb("#2b4a6e"), 1.7)

    def shape(ctx):
        if kind in ("hover", "pressed"):
            ctx.arc(6, 6, 5.8, 0, 2 * math.pi)
            ctx.fill()
        else:
            glyph(ctx, (0, 0, 0), 1.7)
    return keyed(12, 12, colour, shape, threshold=40)


def under_tab(kind, band_colour):
    if kind == "selected":
        return (250, 252, 255)
    return mix(band_colour, (255, 255, 255), TAB_TEXT_BG[kind] - 0.06)


def tab_skin(width, height, column_row, pic_w, pic_h, pic_x, close_x, path, band_row,
             close_band):
    out = Image(width, height, (255, 0, 255, 255))
    for y in range(height):
        out.put(0, y, column_row(y))
    for kind, x in zip(("normal", "hover", "selected"), pic_x):
        out.blit(tab_picture(pic_w, pic_h, kind, path, band_row), x, 0)
    unders = {
        "selected": under_tab("selected", close_band),
        # The close box of another tab shows on plain and on hovered tabs alike.
        "other": mix(under_tab("normal", close_band), under_tab("hover", close_band), 0.5),
        "hover": mix(under_tab("selected", close_band), under_tab("hover", close_band), 0.5),
    }
    unders["pressed"] = unders["hover"]
    for kind, x in zip(("selected", "other", "hover", "pressed"), close_x):
        out.blit(tab_close_picture(kind, unders[kind]), x, 0)
    return out


def trapezoid_path(w, h):
    # Open along the bottom when outlined: the tab stands on the page below it.
    def path(ctx, close=True):
        ctx.move_to(0, h)
        ctx.curve_to(4.5, h, 6.0, h - 2.5, 7.0, h - 6.0)
        ctx.line_to(10.2, 4.6)
        ctx.curve_to(11.0, 1.9, 12.0, 1.0, 14.0, 1.0)
        ctx.line_to(w - 14.0, 1.0)
        ctx.curve_to(w - 12.0, 1.0, w - 11.0, 1.9, w - 10.2, 4.6)
        ctx.line_to(w - 7.0, h - 6.0)
        ctx.curve_to(w - 6.0, h - 2.5, w - 4.5, h, w, h)
        if close:
            ctx.close_path()
    return path


def bar_path(w, h):
    def path(ctx, close=True):
        rounded_rect(ctx, 0.5, 0.5, w - 2, h - 0.5, 5, 2)
    return path


def tab_skins():
    # Style 0: 25 high; its background continues the band as if the strip sat on bar
    # rows 8..32.
    s0_row = lambda y: band(8 + y + 0.5)
    skin0 = tab_skin(415, 25, s0_row, 122, 25, (1, 123, 245), (367, 379, 391, 403),
                     trapezoid_path(122, 25), s0_row, band(8 + 12))
    # Other styles: the main window's strip sits 3 pixels below the top of the bar and is
    # 32 high; its 28-pixel column is stretched to 32, so each source row samples the
    # band where it will land.
    s1_col = lambda i: band(3 + (i + 0.5) * 32.0 / 28.0)
    s1_pic = lambda y: band(3 + y + 0.5)
    skin1 = tab_skin(421, 28, s1_col, 124, 26, (1, 125, 249), (373, 385, 397, 409),
                     bar_path(124, 26), s1_pic, band(3 + 13))
    return skin0, skin1


# --------------------------------------------------------------------------------------
# Caption bar and frame skin (BITMAP 108, 94 x 85)
# --------------------------------------------------------------------------------------
#
# Pieces, in pixels (the program's twips divided by 15):
#   left end     x 0..36,   y 0..36      middle      x 20..40,  y 0..36 (repeated sideways)
#   right end    x 27..94,  y 0..36      patch       x 14..40,  y 0..36
#   left edge    x 0..4,    y 53..86     right edge  x 90..94,  y 53..86 (repeated downwards)
#   bottom edge  x 20..40,  y 81..85     corners     x 0..36 and x 61..94, y 81..85
# The bar shows rows 0..32 of its pieces. Rows 0..35 are band across the whole width (with
# the outline at the top and on both ends), x 0..3 / 90..93 are frame from there down and
# rows 81..84 the bottom frame; the rest is the white client area.

SKIN_W, SKIN_H = 94, 85
BAND_ROWS = 36
BAR_HEIGHT = 33


def frame_colour(d):
    """Frame colour at distance d (0..3) from the window's outer edge."""
    return (OUTLINE, FRAME_FILL, FRAME_FILL, FRAME_INNER)[d]


def caption_skin():
    img = Image(SKIN_W, SKIN_H, (255, 255, 255, 255))
    for y in range(SKIN_H):
        for x in range(SKIN_W):
            if y < BAND_ROWS:
                c = bar_row(y)
                if x == 0 or x == SKIN_W - 1:
                    c = OUTLINE
            else:
                d = min(x, SKIN_W - 1 - x, SKIN_H - 1 - y)
                c = frame_colour(d) if d < 4 else (255, 255, 255)
            img.put(x, y, c)
    # The bar's last row (33 high, 34 if its height rounds up) meets the client area with a
    # darker line.
    for y in range(BAR_HEIGHT - 1, BAND_ROWS):
        for x in range(1, SKIN_W - 1):
            img.put(x, y, mix(bar_row(y), OUTLINE, 0.5))
    # The windows round their corners with a small ellipse; soften the outline there.
    for (x, y) in ((1, 1), (SKIN_W - 2, 1), (1, SKIN_H - 2), (SKIN_W - 2, SKIN_H - 2)):
        img.put(x, y, mix(img.get(x, y)[:3], OUTLINE, 0.55))
    return img


# --------------------------------------------------------------------------------------
# Other buttons: answer strips, link pieces
# --------------------------------------------------------------------------------------


def answer_strip(primary):
    cells = []
    for state in range(3):
        s = new_surface(75, 22)
        ctx = cairo.Context(s)
        ctx.set_source_rgb(1, 1, 1)
        ctx.paint()
        if primary:
            tops = [("#f2f8ff", "#d3e6fb", "#5b9ad9"), ("#ffffff", "#e1effd", "#3f86d4"),
                    ("#c9e0f8", "#dcebfb", "#2f6fb4")][state]
        else:
            tops = [("#ffffff", "#e9edf2", "#a6b3c2"), ("#ffffff", "#f1f5fa", "#7d9cc0"),
                    ("#dde3ea", "#eef1f5", "#7f8ea0")][state]
        rounded_rect(ctx, 0.5, 0.5, 74, 21, 3.5)
        ctx.set_source(vgradient(0, 22, [(0, rgb(tops[0])), (1, rgb(tops[1]))]))
        ctx.fill_preserve()
        ctx.set_source_rgb(*to_unit(rgb(tops[2])))
        ctx.set_line_width(1)
        ctx.stroke()
        if state != 2:
            ctx.set_source_rgba(1, 1, 1, 0.9)
            ctx.move_to(3, 1.5)
            ctx.line_to(72, 1.5)
            ctx.stroke()
        cells.append(surface_to_image(s))
    return strip(cells)


def link_piece(accent):
    """13 x 22 strip for a captioned link button on the bar (rows 0..21): three 4-pixel
    cells, each stretched across the whole button, so every column of a cell is alike."""
    out = Image(13, 22)
    for state in range(3):
        for y in range(22):
            base = bar_row(y)
            if y == 0:
                c = OUTLINE
            elif state == 0:
                c = mix(base, (255, 255, 255), 0.08)
                if y == 21:
                    c = mix(base, accent, 0.75)
            elif state == 1:
                c = mix(base, (255, 255, 255), 0.22)
                if y == 21:
                    c = accent
            else:
                c = mix(base, (0, 20, 60), 0.22)
                if y == 1:
                    c = mix(base, (0, 20, 60), 0.4)
                if y == 21:
                    c = mix(base, accent, 0.5)
            for x in range(state * 4, state * 4 + 4):
                out.put(x, y, c)
            if state == 2:
                out.put(12, y, c)
    return out


# --------------------------------------------------------------------------------------
# Splash (PNG 102) and login background (PNG 101) with the login window's buttons
# --------------------------------------------------------------------------------------


def splash():
    w, h = 356, 122
    s = new_surface(w, h)
    ctx = cairo.Context(s)
    m = 9  # soft edge
    soft_shadow(ctx, m, m, w - 2 * m, h - 2 * m, 10, m, 0.55)
    rounded_rect(ctx, m, m, w - 2 * m, h - 2 * m, 10)
    ctx.set_source(vgradient(m, h - m, [(0, rgb("#4ea5f0")), (0.55, rgb("#2a7fd6")),
                                        (1, rgb("#1a5fb0"))]))
    ctx.fill()
    ctx.save()
    rounded_rect(ctx, m, m, w - 2 * m, h - 2 * m, 10)
    ctx.clip()
    # Light sweeping across from the emblem.
    glow = cairo.RadialGradient(70, 50, 0, 70, 50, 170)
    glow.add_color_stop_rgba(0, 1, 1, 1, 0.35)
    glow.add_color_stop_rgba(1, 1, 1, 1, 0)
    ctx.set_source(glow)
    ctx.paint()
    ctx.set_source_rgba(1, 1, 1, 0.07)
    for i in range(4):
        ctx.arc(300, 150, 120 + i * 26, 0, 2 * math.pi)
        ctx.set_line_width(9)
        ctx.stroke()
    gloss = vgradient(m, h / 2, [(0, (255, 255, 255), 0.22), (1, (255, 255, 255), 0.0)])
    ctx.set_source(gloss)
    ctx.rectangle(0, 0, w, h / 2)
    ctx.fill()
    ctx.restore()
    rounded_rect(ctx, m + 0.5, m + 0.5, w - 2 * m - 1, h - 2 * m - 1, 9.5)
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.set_line_width(1)
    ctx.stroke()
    draw_emblem(ctx, 70, 61, 62)
    set_font(ctx, LATIN_FONT, 38, bold=True)
    draw_text(ctx, 118, 68, "Orvane", (255, 255, 255), shadow=((0, 30, 80), 0.35, 0, 2))
    set_font(ctx, CJK_FONT, 13)
    draw_text(ctx, 121, 92, "正在启动，请稍候…", (220, 236, 252))
    return surface_to_image(s)


PANEL = (22, 36, 1147, 640)       # x, y, w, h of the login screen's rounded panel
PANEL_R = 18
HEADER_BOTTOM = 134
PAGE_FRAME = (389, 152, 731, 369)  # where the login window holds its page
MIN_BTN = (1048, 88, 34, 35)
CLOSE_BTN = (1088, 80, 40, 41)


def login_background():
    W, H = 1191, 700
    s = new_surface(W, H)
    ctx = cairo.Context(s)
    px, py, pw, ph = PANEL
    soft_shadow(ctx, px, py + 4, pw, ph, PANEL_R, 20, 0.5)

    ctx.save()
    rounded_rect(ctx, px, py, pw, ph, PANEL_R)
    ctx.clip()
    # Body.
    ctx.set_source(vgradient(HEADER_BOTTOM, py + ph, [(0, rgb("#e7f1fb")), (1, rgb("#f8fbff"))]))
    ctx.paint()
    # Hills along the bottom, lightest at the back.
    for i, (base, amp, col, alpha) in enumerate((
            (560, 40, "#cfe2f6", 1.0), (600, 34, "#bcd6f1", 0.9), (640, 26, "#a9cbee", 0.75))):
        ctx.move_to(px, py + ph)
        ctx.line_to(px, base)
        steps = 60
        for k in range(steps + 1):
            x = px + pw * k / steps
            y = base - amp * (0.55 + 0.45 * math.sin(k / steps * math.pi * (2.2 + i * 0.7) + i * 1.7)) \
                * (0.6 + 0.4 * math.sin(k / steps * math.pi * 1.3 + i))
            ctx.line_to(x, y)
        ctx.line_to(px + pw, py + ph)
        ctx.close_path()
        ctx.set_source_rgba(*to_unit(rgb(col)), alpha)
        ctx.fill()
    # Header.
    ctx.set_source(vgradient(py, HEADER_BOTTOM, [(0, rgb("#2f86dc")), (1, rgb("#1a5fb2"))]))
    ctx.rectangle(px, py, pw, HEADER_BOTTOM - py)
    ctx.fill()
    glow = cairo.RadialGradient(120, 70, 0, 120, 70, 420)
    glow.add_color_stop_rgba(0, 1, 1, 1, 0.32)
    glow.add_color_stop_rgba(1, 1, 1, 1, 0)
    ctx.set_source(glow)
    ctx.rectangle(px, py, pw, HEADER_BOTTOM - py)
    ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.06)
    ctx.set_line_width(14)
    for i in range(5):
        ctx.arc(1000, 420, 300 + i * 40, math.pi * 1.05, math.pi * 1.95)
        ctx.stroke()
    ctx.set_source(vgradient(py, py + 40, [(0, (255, 255, 255), 0.18), (1, (255, 255, 255), 0)]))
    ctx.rectangle(px, py, pw, 40)
    ctx.fill()
    ctx.set_source_rgba(*to_unit(rgb("#0f4a91")), 1)
    ctx.rectangle(px, HEADER_BOTTOM - 1, pw, 1)
    ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.6)
    ctx.rectangle(px, HEADER_BOTTOM, pw, 1)
    ctx.fill()
    ctx.restore()

    # Panel outline.
    rounded_rect(ctx, px + 0.5, py + 0.5, pw - 1, ph - 1, PANEL_R - 0.5)
    ctx.set_source_rgba(*to_unit(rgb("#0f4a91")), 0.85)
    ctx.set_line_width(1)
    ctx.stroke()

    # Product name.
    draw_emblem(ctx, 84, 85, 58)
    set_font(ctx, LATIN_FONT, 40, bold=True)
    draw_text(ctx, 128, 100, "Orvane", (255, 255, 255), shadow=((0, 30, 80), 0.35, 0, 2))
    set_font(ctx, CJK_FONT, 16)
    draw_text(ctx, 300, 98, "游戏客户端", (205, 228, 250))

    # Page frame: a white card around the area where the login page shows.
    fx, fy, fw, fh = PAGE_FRAME
    pad = 8
    soft_shadow(ctx, fx - pad, fy - pad + 2, fw + 2 * pad, fh + 2 * pad, 8, 8, 0.18)
    rounded_rect(ctx, fx - pad, fy - pad, fw + 2 * pad, fh + 2 * pad, 8)
    ctx.set_source_rgb(1, 1, 1)
    ctx.fill_preserve()
    ctx.set_source_rgb(*to_unit(rgb("#b3cde9")))
    ctx.set_line_width(1)
    ctx.stroke()
    ctx.rectangle(fx - 0.5, fy - 0.5, fw + 1, fh + 1)
    ctx.set_source_rgb(*to_unit(rgb("#dde9f6")))
    ctx.stroke()

    # Welcome column.
    set_font(ctx, CJK_FONT, 26)
    draw_text(ctx, 62, 208, "欢迎回来", rgb("#184a86"))
    ctx.set_source_rgb(*to_unit(GOLD))
    ctx.rectangle(63, 222, 44, 3)
    ctx.fill()
    set_font(ctx, CJK_FONT, 14)
    draw_text(ctx, 63, 256, "请在右侧登录您的游戏帐号，", rgb("#4a6584"))
    draw_text(ctx, 63, 280, "登录成功后将自动进入游戏。", rgb("#4a6584"))
    features = ("多个帐号同时在线", "F10 一键隐藏窗口", "自动检查版本更新")
    for i, text in enumerate(features):
        y = 332 + i * 40
        ctx.arc(75, y - 5, 9, 0, 2 * math.pi)
        ctx.set_source(vgradient(y - 14, y + 4, [(0, rgb("#4fa6f2")), (1, rgb("#1f6cc2"))]))
        ctx.fill()
        ctx.set_source_rgb(1, 1, 1)
        ctx.set_line_width(2)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        ctx.move_to(70.5, y - 5)
        ctx.line_to(74, y - 1.5)
        ctx.line_to(80, y - 9)
        ctx.stroke()
        ctx.set_line_cap(cairo.LINE_CAP_BUTT)
        set_font(ctx, CJK_FONT, 15)
        draw_text(ctx, 94, y, text, rgb("#27476d"))

    # The customary notice on healthy play, under the page.
    set_font(ctx, CJK_FONT, 12)
    for i, line in enumerate(("抵制不良游戏，拒绝盗版游戏。注意自我保护，谨防受骗上当。",
                              "适度游戏益脑，沉迷游戏伤身。合理安排时间，享受健康生活。")):
        tw = text_width(ctx, line)
        draw_text(ctx, fx + (fw - tw) / 2, 566 + i * 20, line, rgb("#3d5f86"), alpha=0.85)
    return surface_to_image(s)


def login_button(bg, rect, glyph, radius):
    x0, y0, w, h = rect
    s = image_to_surface(bg.crop(x0, y0, w, h))
    ctx = cairo.Context(s)
    cx, cy = w / 2.0, h / 2.0
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    ctx.set_source_rgba(1, 1, 1, 0.16)
    ctx.fill_preserve()
    ctx.set_source_rgba(1, 1, 1, 0.55)
    ctx.set_line_width(1.2)
    ctx.stroke()
    for colour, alpha, off in (((0, 30, 70), 0.35, 1), ((255, 255, 255), 1.0, 0)):
        ctx.save()
        ctx.translate(0, off)
        ctx.set_source_rgba(*to_unit(colour), alpha)
        glyph(ctx, cx, cy)
        ctx.restore()
    img = surface_to_image(s)
    for y in range(h):
        for x in range(w):
            assert img.get(x, y)[3] == 255, "the login buttons lie on the opaque header"
    return img


def login_glyph_min(ctx, cx, cy):
    ctx.rectangle(cx - 6.5, cy - 1, 13, 2.2)
    ctx.fill()


def login_glyph_close(ctx, cx, cy):
    d = 6.5
    ctx.set_line_width(2.4)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(cx - d, cy - d)
    ctx.line_to(cx + d, cy + d)
    ctx.move_to(cx + d, cy - d)
    ctx.line_to(cx - d, cy + d)
    ctx.stroke()


# --------------------------------------------------------------------------------------
# Contact sheet
# --------------------------------------------------------------------------------------


def contact_sheet(items):
    """items: (label, image); large ones get a row of their own."""
    margin, gap, label_h = 16, 18, 18
    max_w = 1240
    rows, row, row_w = [], [], 0
    probe = cairo.Context(new_surface(1, 1))
    set_font(probe, LATIN_FONT, 11)
    for label, img in items:
        need = max(img.w, int(text_width(probe, label)) + 4) + gap
        if row and row_w + need > max_w - 2 * margin:
            rows.append(row)
            row, row_w = [], 0
        row.append((label, img))
        row_w += need
    if row:
        rows.append(row)
    height = margin + sum(label_h + max(i.h for _, i in r) + gap for r in rows) + margin
    s = new_surface(max_w, height)
    ctx = cairo.Context(s)
    ctx.set_source_rgb(0.93, 0.94, 0.96)
    ctx.paint()
    y = margin
    for r in rows:
        x = margin
        rh = max(i.h for _, i in r)
        for label, img in r:
            set_font(ctx, LATIN_FONT, 11)
            draw_text(ctx, x, y + 12, label, (30, 40, 60))
            # Checkerboard under the picture shows its transparent parts.
            for cy in range(0, img.h, 8):
                for cx in range(0, img.w, 8):
                    v = 0.82 if (cx // 8 + cy // 8) % 2 else 0.98
                    ctx.set_source_rgb(v, v, v)
                    ctx.rectangle(x + cx, y + label_h + cy, min(8, img.w - cx), min(8, img.h - cy))
                    ctx.fill()
            ctx.set_source_surface(image_to_surface(img), x, y + label_h)
            ctx.paint()
            x += max(img.w, int(text_width(ctx, label)) + 4) + gap
        y += label_h + rh + gap
    s.write_to_png(os.path.join(HERE, "contact_sheet.png"))


# --------------------------------------------------------------------------------------


# Sizes of the application icon in the desktop's icon theme.
HICOLOR_SIZES = (16, 24, 32, 48, 64, 128)


def main():
    minimise, maxrestore, close, menu = caption_buttons()
    logo_img = logo()
    skin0, skin1 = tab_skins()
    bar = caption_skin()
    yes, no = answer_strip(True), answer_strip(False)
    link_site, link_account = link_piece(GOLD), link_piece((255, 255, 255))
    splash_img = splash()
    bg = login_background()
    login_min = login_button(bg, MIN_BTN, login_glyph_min, 14.5)
    login_close = login_button(bg, CLOSE_BTN, login_glyph_close, 17.5)
    icons = [(icon_image(16), 8)] + [(icon_image(n), 32) for n in (128, 64, 48, 32, 16)]

    write_png("login_background.png", bg)
    write_png("splash.png", splash_img)
    write("mirab.ico", encode_ico(icons))
    write("min_button.bmp", encode_bmp(minimise, 24))
    write("maxrestore_button.bmp", encode_bmp(maxrestore, 24))
    write("close_button.bmp", encode_bmp(close, 24))
    write("menu_button.bmp", encode_bmp(menu, 24))
    write("logo.bmp", encode_bmp(logo_img, 32))
    write("tab_skin_0.bmp", encode_bmp(skin0, 24))
    write("tab_skin_1.bmp", encode_bmp(skin1, 24))
    write("caption_skin.bmp", encode_bmp(bar, 24))
    write("login_min.bmp", encode_bmp(login_min, 24))
    write("login_close.bmp", encode_bmp(login_close, 24))
    write("answer_yes.bmp", encode_bmp(yes, 24))
    write("answer_no.bmp", encode_bmp(no, 24))
    write("link_game_site.bmp", encode_bmp(link_site, 24))
    write("link_other_account.bmp", encode_bmp(link_account, 24))
    # The desktop's copies of the application icon (installed into the hicolor theme by
    # the Linux package and the per-user install), drawn at each size like the icon file.
    os.makedirs(os.path.join(HERE, "hicolor"), exist_ok=True)
    for size in HICOLOR_SIZES:
        write_png(os.path.join("hicolor", "%d.png" % size), icon_image(size))

    contact_sheet([
        ("BITMAP 101 min_button", minimise),
        ("BITMAP 102 maxrestore_button", maxrestore),
        ("BITMAP 103 close_button", close),
        ("BITMAP 104 menu_button", menu),
        ("BITMAP 105 logo", logo_img),
        ("BITMAP 108 caption_skin", bar),
        ("BITMAP 109 login_min", login_min),
        ("BITMAP 110 login_close", login_close),
        ("BITMAP 111 answer_yes", yes),
        ("BITMAP 112 answer_no", no),
        ("BITMAP 113 link_game_site", link_site),
        ("BITMAP 114 link_other_account", link_account),
        ("ICON 101 mirab.ico (16/8-bit, 128, 64, 48, 32, 16)", strip_icons(icons)),
        ("BITMAP 106 tab_skin_0", skin0),
        ("BITMAP 107 tab_skin_1", skin1),
        ("PNG 102 splash", splash_img),
        ("PNG 101 login_background", bg),
    ])
    return 0


def strip_icons(icons):
    w = sum(img.w for img, _ in icons) + 8 * (len(icons) - 1)
    h = max(img.h for img, _ in icons)
    out = Image(w, h)
    x = 0
    for img, _ in icons:
        out.blit(img, x, h - img.h)
        x += img.w + 8
    return out


if __name__ == "__main__":
    sys.exit(main())
