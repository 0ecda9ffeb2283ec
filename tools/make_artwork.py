#!/usr/bin/python3
"""Draws Q-Clamper's artwork and writes it under resources/.

    python3 tools/make_artwork.py            # writes resources/*.bmp, .ico
    python3 tools/make_artwork.py --preview DIR
                                             # also writes PNG previews to DIR
    python3 tools/make_artwork.py --out DIR  # writes to DIR instead

Every bitmap is written as an 8-bit-per-pixel (palettised) BMP, which is what
the editor and the toolkit load with LoadBitmapA.  The output is deterministic:
no clock, no unseeded randomness, fonts from fixed paths.

Needs Pillow (Debian: python3-pil) and the Liberation fonts
(Debian: fonts-liberation2).
"""

import math
import os
import random
import struct
import sys

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:  # a private interpreter without Pillow: use the system's
    if os.path.exists("/usr/bin/python3") and sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources")

FONT_DIR = "/usr/share/fonts/truetype/liberation2"
FONT_REGULAR = os.path.join(FONT_DIR, "LiberationSans-Regular.ttf")
FONT_BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")
FONT_ITALIC = os.path.join(FONT_DIR, "LiberationSans-Italic.ttf")

_fonts = {}


def font(path, size):
    key = (path, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(path, size)
    return _fonts[key]


# --------------------------------------------------------------------------
# Geometry of the editor.  The knob windows sit at these client positions,
# are 32 x 32 (the face's size) and turn their pointer about (17, 17) inside
# the face.  Angles are degrees counter-clockwise from three o'clock; the
# pointer travels clockwise from the minimum's angle to the maximum's.
# --------------------------------------------------------------------------

PANEL_W, PANEL_H = 549, 93
FACE_SIZE = 32
PIVOT = 17                     # pointer pivot inside the face, both axes
POINTER_LEN = FACE_SIZE // 3 + 2
MUTE_POS = (52, 70)
MUTE_SIZE = (19, 15)

# The pointer polygon is drawn by GDI around integer vertices, so its middle
# lies on the centre of pixel PIVOT, that is PIVOT + 0.5 in continuous
# coordinates.  The face's circular mask is Ellipse(0, 0, 32, 32): a disc of
# radius 16 about (16, 16).
PIVOT_C = PIVOT + 0.5
MASK_C = FACE_SIZE / 2.0
MASK_R = FACE_SIZE / 2.0
CAP_R = 13.4                   # the knob cap: inside the mask disc even
                               # though it is centred on the pivot
COLLAR_R = 19.2                # black collar printed on the panel; covers
                               # every pixel the face's mask can reach


class Knob:
    def __init__(self, name, x, y, angle_min, angle_max, vmin, vmax, to_scale=None):
        self.name = name
        self.x, self.y = x, y
        self.angle_min, self.angle_max = angle_min, angle_max
        self.vmin, self.vmax = vmin, vmax
        # maps a printed mark (say decibels) to the knob's own value
        self.to_value = to_scale or (lambda v: v)
        sweep = angle_min - angle_max
        if angle_min <= angle_max:
            sweep += 360.0
        self.sweep = sweep

    @property
    def centre(self):
        return (self.x + PIVOT_C, self.y + PIVOT_C)

    def angle(self, mark):
        """Pointer angle, degrees, of a printed mark (linear knob scale)."""
        v = self.to_value(mark)
        return self.angle_min - (v - self.vmin) * self.sweep / (self.vmax - self.vmin)

    def point(self, angle, radius):
        cx, cy = self.centre
        a = math.radians(angle)
        return (cx + radius * math.cos(a), cy - radius * math.sin(a))


KNOBS = {
    "compression": Knob("compression", 210, 30, 90, 225, 1.0, 8.0),
    "gain": Knob("gain", 290, 30, 240, 300, -24.0, 24.0),
    "velocity": Knob("velocity", 370, 30, 240, 300, 1.0, 100.0),
    # linear from 0.25 to 1.0, printed in decibels
    "limit": Knob("limit", 455, 30, 240, 90, 0.25, 1.0,
                  to_scale=lambda db: 10.0 ** (db / 20.0)),
}

# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------

PANEL_TOP = (62, 65, 70)
PANEL_BOTTOM = (40, 42, 46)
PRINT = (226, 226, 218)          # scale marks and numbers
PRINT_DIM = (150, 152, 150)      # minor ticks, secondary words
ACCENT = (240, 168, 48)          # section titles
BLACK = (0, 0, 0)

# The toolkit's sixteen colours (0x00BBGGRR in the code, RGB here).
TOOLKIT_PALETTE = [
    (0x00, 0x00, 0x00), (0xCC, 0x28, 0x14), (0xFC, 0x3C, 0x1E), (0xF0, 0xEB, 0x36),
    (0x06, 0x1C, 0x9D), (0x0F, 0x5F, 0xE2), (0x8C, 0x93, 0xE4), (0x03, 0x6B, 0x7A),
    (0x24, 0xA7, 0x31), (0x40, 0x40, 0x40), (0x54, 0x54, 0x54), (0x6E, 0x6E, 0x6E),
    (0x82, 0x82, 0x82), (0xB4, 0xB4, 0xB4), (0xE6, 0xE6, 0xE6), (0xFF, 0xFF, 0xFF),
]


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(round(v))


# --------------------------------------------------------------------------
# Rendering helpers
# --------------------------------------------------------------------------

SS = 8   # supersampling factor of shaded shapes


def shade(width, height, fn, ss=SS):
    """An RGB image whose pixels average fn(x, y) -> (r, g, b) or None
    (transparent) over ss x ss samples; returns (rgb, coverage) images."""
    rgb = Image.new("RGB", (width, height))
    cov = Image.new("L", (width, height))
    px, pc = rgb.load(), cov.load()
    inv = 1.0 / ss
    for y in range(height):
        for x in range(width):
            r = g = b = n = 0
            for sy in range(ss):
                fy = y + (sy + 0.5) * inv
                for sx in range(ss):
                    c = fn(x + (sx + 0.5) * inv, fy)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        n += 1
            if n:
                px[x, y] = (clamp8(r / n), clamp8(g / n), clamp8(b / n))
                pc[x, y] = clamp8(255.0 * n / (ss * ss))
    return rgb, cov


def paste_shaded(img, x0, y0, width, height, fn, ss=SS):
    rgb, cov = shade(width, height, fn, ss)
    img.paste(rgb, (x0, y0), cov)


def draw_text(draw, xy, text, fnt, fill, anchor="mm"):
    """Text placed on whole pixels so that small sizes stay sharp.
    anchor: first letter l/m/r horizontally, second t/m/b vertically,
    measured on the ink's bounding box."""
    l, t, r, b = draw.textbbox((0, 0), text, font=fnt)
    w, h = r - l, b - t
    x, y = xy
    if anchor[0] == "m":
        x -= w / 2.0
    elif anchor[0] == "r":
        x -= w
    if anchor[1] == "m":
        y -= h / 2.0
    elif anchor[1] == "b":
        y -= h
    draw.text((int(math.floor(x + 0.5)) - l, int(math.floor(y + 0.5)) - t), text, font=fnt, fill=fill)
    return w, h


def text_size(text, fnt):
    l, t, r, b = fnt.getbbox(text)
    return r - l, b - t


def line_aa(img, p0, p1, width, colour):
    """An anti-aliased straight line with square ends."""
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    hw = width / 2.0
    minx = int(math.floor(min(x0, x1) - hw - 1))
    miny = int(math.floor(min(y0, y1) - hw - 1))
    maxx = int(math.ceil(max(x0, x1) + hw + 1))
    maxy = int(math.ceil(max(y0, y1) + hw + 1))

    def fn(x, y):
        rx, ry = x - x0, y - y0
        along = rx * ux + ry * uy
        across = -rx * uy + ry * ux
        if 0 <= along <= length and abs(across) <= hw:
            return colour
        return None

    paste_shaded(img, minx, miny, maxx - minx, maxy - miny,
                 lambda x, y: fn(x + minx, y + miny), ss=6)


def to_palette(img, reserved=()):
    """8-bit palettised copy of an RGB image.  Images with at most 256
    colours keep them exactly; others are reduced by median cut without
    dithering.  Pixels that equal a reserved colour keep it exactly."""
    img = img.convert("RGB")
    colours = img.getcolors(256)
    if colours is not None:
        palette = sorted(c for _, c in colours)
        index = {c: i for i, c in enumerate(palette)}
        out = Image.new("P", img.size)
        out.putdata([index[p] for p in img.getdata()])
    else:
        reserved = list(reserved)
        q = img.quantize(colors=256 - len(reserved), method=Image.Quantize.MEDIANCUT,
                         dither=Image.Dither.NONE)
        qpal = q.getpalette()[: 3 * (256 - len(reserved))]
        count = len(qpal) // 3
        palette = [tuple(qpal[3 * i: 3 * i + 3]) for i in range(count)] + reserved
        special = {c: count + i for i, c in enumerate(reserved)}
        data = [special.get(p, qi) for p, qi in zip(img.getdata(), q.getdata())]
        out = Image.new("P", img.size)
        out.putdata(data)
    flat = []
    for c in palette:
        flat.extend(c)
    flat.extend([0] * (768 - len(flat)))
    out.putpalette(flat)
    return out


def to_toolkit_palette(img):
    """Maps every pixel to the nearest of the toolkit's sixteen colours."""
    img = img.convert("RGB")
    cache = {}

    def nearest(c):
        if c not in cache:
            cache[c] = min(range(16), key=lambda i: sum((c[k] - TOOLKIT_PALETTE[i][k]) ** 2
                                                          for k in range(3)))
        return cache[c]

    out = Image.new("P", img.size)
    out.putdata([nearest(p) for p in img.getdata()])
    flat = []
    for c in TOOLKIT_PALETTE:
        flat.extend(c)
    out.putpalette(flat + [0] * (768 - len(flat)))
    return out


def black_outside_disc(img, margin=0.5):
    """Faces of circular controls are copied through a disc mask with a
    bitwise OR, so every pixel that may lie outside the mask must be exactly
    black.  Clears each pixel whose centre is within `margin` of the edge of
    the inscribed disc, or beyond it."""
    w, h = img.size
    c, r = w / 2.0, w / 2.0 - margin
    px = img.load()
    for y in range(h):
        for x in range(w):
            if math.hypot(x + 0.5 - c, y + 0.5 - c) > r:
                px[x, y] = BLACK
    return img


# --------------------------------------------------------------------------
# Editor: knob face (509)
# --------------------------------------------------------------------------

def knob_cap_colour(x, y, cx, cy, radius, base=200, spread=46):
    """A turned aluminium cap lit from the upper left: concentric machining
    rings, a light bevel on the lit edge and a dark one on the far side."""
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > radius:
        return None
    a = math.atan2(-dy, dx)
    light = math.cos(a - math.radians(135))          # 1 towards the light
    v = base + 16 * light
    # faint concentric rings from the lathe
    v += 5 * math.sin(r * 3.1)
    # a soft anisotropic sheen, strongest on the diagonal
    v += 16 * math.cos(2 * (a - math.radians(135))) * min(1.0, r / radius)
    edge = radius - r
    if edge < 1.6:                                   # bevel
        v = 150 + spread * 1.5 * light
    elif edge < 2.4:
        v -= 22
    v = clamp8(v)
    return (v, v, clamp8(v + 4))


def make_knob_face():
    """32 x 32, black outside the disc.  The cap is centred on the pointer's
    pivot; the rest of the mask disc is the knob's black skirt, matching the
    collar printed on the panel."""
    img = Image.new("RGB", (FACE_SIZE, FACE_SIZE), BLACK)

    def fn(x, y):
        d_mask = math.hypot(x - MASK_C, y - MASK_C)
        if d_mask > MASK_R - 0.3:
            return BLACK
        c = knob_cap_colour(x, y, PIVOT_C, PIVOT_C, CAP_R)
        if c is not None:
            return c
        # skirt: black with a faint grey highlight on its lit rim
        dx, dy = x - PIVOT_C, y - PIVOT_C
        r = math.hypot(dx, dy)
        if r < CAP_R + 1.0:
            return (10, 10, 12)                      # shadow line under the cap
        return BLACK

    paste_shaded(img, 0, 0, FACE_SIZE, FACE_SIZE, fn)
    return black_outside_disc(img)


# --------------------------------------------------------------------------
# Editor: mute button (530 lit, 531 unlit)
# --------------------------------------------------------------------------

def make_mute_button(lit):
    w, h = MUTE_SIZE
    img = Image.new("RGB", (w, h), (24, 24, 26))
    d = ImageDraw.Draw(img)
    # raised cap: light top/left edge, dark bottom/right edge
    d.rectangle((0, 0, w - 1, h - 1), fill=(18, 18, 20))
    d.rectangle((1, 1, w - 2, h - 2), fill=(92, 94, 98))
    d.line((1, 1, w - 3, 1), fill=(150, 152, 156))
    d.line((1, 1, 1, h - 3), fill=(130, 132, 136))
    d.line((2, h - 2, w - 2, h - 2), fill=(52, 53, 56))
    d.line((w - 2, 2, w - 2, h - 2), fill=(58, 59, 62))
    # lamp window
    lx0, ly0, lx1, ly1 = 4, 4, w - 5, h - 5
    d.rectangle((lx0 - 1, ly0 - 1, lx1 + 1, ly1 + 1), fill=(30, 30, 32))
    cx, cy = (lx0 + lx1 + 1) / 2.0, (ly0 + ly1 + 1) / 2.0
    hx, hy = (lx1 + 1 - lx0) / 2.0, (ly1 + 1 - ly0) / 2.0

    def lamp(x, y):
        u, v = (x - cx) / hx, (y - cy) / hy
        r = min(1.0, math.hypot(u * 0.8, v))
        if lit:
            base = mix((255, 236, 200), (232, 30, 20), min(1.0, r * 1.25))
        else:
            base = mix((104, 34, 30), (58, 18, 18), r)
        if v < -0.45 and abs(u) < 0.8:               # glass reflection
            base = mix(base, (255, 255, 255), 0.25 if lit else 0.18)
        return base

    paste_shaded(img, lx0, ly0, lx1 - lx0 + 1, ly1 - ly0 + 1,
                 lambda x, y: lamp(x + lx0, y + ly0), ss=4)
    return img


# --------------------------------------------------------------------------
# Editor: panel (500)
# --------------------------------------------------------------------------

def panel_background():
    img = Image.new("RGB", (PANEL_W, PANEL_H))
    px = img.load()
    rnd = random.Random(500)
    # fine horizontal brushing: one slowly varying offset per row segment
    grain = [[rnd.uniform(-1.0, 1.0) for _ in range(PANEL_W // 23 + 2)] for _ in range(PANEL_H)]
    for y in range(PANEL_H):
        base = mix(PANEL_TOP, PANEL_BOTTOM, y / (PANEL_H - 1.0))
        row = grain[y]
        for x in range(PANEL_W):
            k, f = divmod(x, 23)
            g = row[k] + (row[k + 1] - row[k]) * (f / 23.0)
            g = int(round(g * 1.6))
            px[x, y] = (base[0] + g, base[1] + g, base[2] + g)
    d = ImageDraw.Draw(img)
    # bevelled edge of the front plate
    d.line((0, 0, PANEL_W - 1, 0), fill=(104, 107, 112))
    d.line((0, 0, 0, PANEL_H - 1), fill=(92, 95, 100))
    d.line((0, PANEL_H - 1, PANEL_W - 1, PANEL_H - 1), fill=(18, 19, 21))
    d.line((PANEL_W - 1, 0, PANEL_W - 1, PANEL_H - 1), fill=(22, 23, 25))
    return img


def draw_screw(img, cx, cy, slot_angle):
    def fn(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        if r > 3.6:
            return None
        if r > 3.0:
            return (24, 25, 27)
        a = math.radians(slot_angle)
        across = abs(-dx * math.sin(a) + dy * math.cos(a))
        if across < 0.55 and r < 2.6:
            return (36, 37, 40)
        light = math.cos(math.atan2(-dy, dx) - math.radians(135))
        v = clamp8(150 + 40 * light * (r / 3.0))
        return (v, v, v + 3)

    paste_shaded(img, int(cx) - 5, int(cy) - 5, 11, 11,
                 lambda x, y: fn(x + int(cx) - 5, y + int(cy) - 5))


def draw_collar(img, knob):
    cx, cy = knob.centre

    def fn(x, y):
        r = math.hypot(x - cx, y - cy)
        if r > COLLAR_R + 1.2:
            return None
        if r > COLLAR_R:                                 # polished rim
            a = math.atan2(-(y - cy), x - cx)
            light = math.cos(a - math.radians(135))
            v = clamp8(96 + 60 * light)
            return (v, v, v)
        return BLACK

    n = int(COLLAR_R + 3)
    x0, y0 = int(cx) - n, int(cy) - n
    paste_shaded(img, x0, y0, 2 * n + 1, 2 * n + 1, lambda x, y: fn(x + x0, y + y0))


TICK_IN = COLLAR_R + 1.7
TICK_MINOR = TICK_IN + 2.4
TICK_MAJOR = TICK_IN + 3.8
LABEL_R = TICK_MAJOR + 1.6


def draw_ticks(img, knob, majors, minors):
    for m in minors:
        a = knob.angle(m)
        line_aa(img, knob.point(a, TICK_IN), knob.point(a, TICK_MINOR), 1.0, PRINT_DIM)
    for m in majors:
        a = knob.angle(m)
        line_aa(img, knob.point(a, TICK_IN), knob.point(a, TICK_MAJOR), 1.3, PRINT)


def label_centre(knob, angle, text, fnt, radius=LABEL_R):
    """Centre for a label so that its box just clears `radius` along the
    direction of `angle`."""
    w, h = text_size(text, fnt)
    a = math.radians(angle)
    c, s = math.cos(a), math.sin(a)
    extent = abs(c) * w / 2.0 + abs(s) * h / 2.0
    return knob.point(angle, radius + extent)


def draw_scale_labels(draw, knob, labels, fnt, radius=LABEL_R):
    for mark, text in labels:
        a = knob.angle(mark)
        draw_text(draw, label_centre(knob, a, text, fnt, radius), text, fnt, PRINT)


def draw_arc(img, knob, radius, a_from, a_to, width, colour):
    """The travel arc behind the ticks, clockwise from a_from to a_to."""
    cx, cy = knob.centre
    sweep = (a_from - a_to) % 360.0 or 360.0
    hw = width / 2.0

    def fn(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        if abs(r - radius) > hw:
            return None
        a = math.degrees(math.atan2(-dy, dx))
        off = (a_from - a) % 360.0
        return colour if off <= sweep else None

    n = int(radius + 3)
    x0, y0 = int(cx) - n, int(cy) - n
    paste_shaded(img, x0, y0, 2 * n + 1, 2 * n + 1, lambda x, y: fn(x + x0, y + y0), ss=6)


# --------------------------------------------------------------------------
# The gain-reduction meter under the name: the editor's meter window paints
# its two bars into the well at METER_X, METER_Y (editor/GainMeterView.h);
# the panel prints the well's rim, the channel letters and the scale.  A mark
# of d dB of reduction lies sqrt(d / 24) of the length from the 0 dB end
# (editor/MeterModel.cpp).
# --------------------------------------------------------------------------

METER_X, METER_Y = 22, 40
METER_LENGTH, METER_HEIGHT = 144, 14
METER_BAR_HEIGHT, METER_GAP = 6, 2
METER_DEPTH = 24.0
METER_MARKS = (0, 1, 2, 3, 6, 9, 12, 18, 24)


def meter_pixel(depth):
    return int(math.floor(math.sqrt(depth / METER_DEPTH) * METER_LENGTH + 0.5))


def draw_meter_scale(img):
    d = ImageDraw.Draw(img)
    x0, y0 = METER_X, METER_Y
    x1, y1 = x0 + METER_LENGTH, y0 + METER_HEIGHT
    # the well, sunk into the plate as the mute button's is
    d.rectangle((x0 - 2, y0 - 2, x1 + 1, y1 + 1), fill=(14, 14, 16))
    d.line((x0 - 2, y1 + 2, x1 + 2, y1 + 2), fill=(88, 90, 94))
    d.line((x1 + 2, y0 - 2, x1 + 2, y1 + 2), fill=(78, 80, 84))
    # its title between two accent rules, under the name
    title = font(FONT_BOLD, 8)
    text = "GAIN REDUCTION"
    tw, _ = text_size(text, title)
    middle = x0 + METER_LENGTH / 2.0
    draw_text(d, (middle, y0 - 9), text, title, ACCENT)
    for a, b in ((x0, middle - tw / 2.0 - 4), (middle + tw / 2.0 + 4, x1 - 1)):
        d.line((a, y0 - 9, b, y0 - 9), fill=ACCENT)
    letters = font(FONT_BOLD, 7)
    for c, name in enumerate("LR"):
        top = y0 + c * (METER_BAR_HEIGHT + METER_GAP)
        draw_text(d, (x0 - 8, top + METER_BAR_HEIGHT / 2.0), name, letters, PRINT_DIM)
    num = font(FONT_REGULAR, 8)
    for m in METER_MARKS:
        x = x0 + meter_pixel(m)
        major = m in (0, 3, 6, 12, 24)
        d.line((x, y1 + 3, x, y1 + (5 if major else 4)), fill=PRINT if major else PRINT_DIM)
        draw_text(d, (x, y1 + 11), str(m), num, PRINT if major else PRINT_DIM)
    draw_text(d, (x0 - 9, y1 + 11), "dB", font(FONT_REGULAR, 8), PRINT_DIM)


def make_panel():
    img = panel_background()

    num = font(FONT_REGULAR, 9)
    title = font(FONT_BOLD, 10)
    small = font(FONT_REGULAR, 8)
    small_it = font(FONT_ITALIC, 8)

    # ---- corner screws -------------------------------------------------
    for (sx, sy, ang) in ((7.5, 7.5, 30), (7.5, 85.5, 75), (541.5, 7.5, 120), (541.5, 85.5, 10)):
        draw_screw(img, sx, sy, ang)

    # ---- name plate on the left ------------------------------------------
    d = ImageDraw.Draw(img)
    logo = font(FONT_BOLD, 19)
    draw_text(d, (METER_X, 7), "Q-CLAMPER", logo, (236, 236, 230), anchor="lt")
    lw, _ = text_size("Q-CLAMPER", logo)
    # the kind of device beside the name, over a thin accent rule
    sub = font(FONT_BOLD, 7)
    for row, word in enumerate(("STEREO", "LIMITER")):
        draw_text(d, (METER_X + lw + 5, 9 + 8 * row), word, sub, PRINT_DIM, anchor="lt")
    draw_meter_scale(img)
    d = ImageDraw.Draw(img)

    # mute button well and label
    mx, my = MUTE_POS
    mw, mh = MUTE_SIZE
    d.rectangle((mx - 2, my - 2, mx + mw + 1, my + mh + 1), fill=(14, 14, 16))
    d.line((mx - 2, my + mh + 2, mx + mw + 2, my + mh + 2), fill=(88, 90, 94))
    d.line((mx + mw + 2, my - 2, mx + mw + 2, my + mh + 2), fill=(78, 80, 84))
    draw_text(d, (mx + mw + 7, my + mh / 2.0), "MUTE", title, ACCENT, anchor="lm")

    # separator groove between the name plate and the controls
    d.line((176, 9, 176, 83), fill=(26, 27, 30))
    d.line((177, 9, 177, 83), fill=(86, 88, 92))

    # ---- knobs ---------------------------------------------------------
    comp, gain, vel, lim = (KNOBS[k] for k in ("compression", "gain", "velocity", "limit"))
    for k in (comp, gain, vel, lim):
        draw_collar(img, k)
        draw_arc(img, k, TICK_IN - 0.2, k.angle_min, k.angle_max, 0.9, PRINT_DIM)

    # Compression: 1 to 8
    draw_ticks(img, comp, [1, 2, 4, 6, 8], [3, 5, 7] + [1.5 + i for i in range(7)])
    # Gain: -24 to +24 dB
    draw_ticks(img, gain, [-24, -12, -6, 0, 6, 12, 24], [-21, -18, -15, -9, -3, 3, 9, 15, 18, 21])
    # Velocity: 1 to 100 per cent
    draw_ticks(img, vel, [1, 25, 50, 75, 100], [5 * i for i in range(1, 20) if i % 5])
    # Limit: 0 to -12 dB on a linear scale of the ceiling
    draw_ticks(img, lim, [0, -3, -6, -12], [-1, -2, -4, -5, -7, -8, -9, -10])

    d = ImageDraw.Draw(img)
    draw_scale_labels(d, comp, [(1, "1"), (2, "2"), (4, "4"), (6, "6"), (8, "8")], num)
    draw_scale_labels(d, gain, [(-24, "-24"), (-12, "-12"), (-6, "-6"), (0, "0"),
                                (6, "+6"), (12, "+12"), (24, "+24")], num)
    draw_scale_labels(d, vel, [(1, "1"), (25, "25"), (50, "50"), (75, "75"), (100, "100")], num)
    draw_scale_labels(d, lim, [(0, "0"), (-3, "-3"), (-6, "-6"), (-12, "-12")], num)

    # units in the gaps of the travel
    for k, unit, ang in ((gain, "db", 270), (vel, "%", 270), (lim, "db", 0)):
        draw_text(d, label_centre(k, ang, unit, small, TICK_IN), unit, small, PRINT_DIM)

    # section titles under the knobs
    ty = 86
    for k, text in ((comp, "Compression"), (gain, "GAIN"), (vel, "VELOCITY"), (lim, "LIMIT")):
        draw_text(d, (k.centre[0], ty), text, title, ACCENT)

    # Compression's shaping words in the free quarter of its dial
    draw_text(d, comp.point(158, LABEL_R + 1), "Elliptic", small_it, PRINT_DIM, anchor="rm")
    draw_text(d, comp.point(200, LABEL_R + 1), "Auto", small_it, PRINT_DIM, anchor="rm")
    # what the velocity knob really sets
    draw_text(d, (vel.centre[0], 5), "Release Time Control", small_it, PRINT_DIM, anchor="mt")

    return img


# --------------------------------------------------------------------------
# Toolkit stock bitmaps (1500 to 1512)
# --------------------------------------------------------------------------

TK_FACE = (0xB4, 0xB4, 0xB4)
TK_LIGHT = (0xE6, 0xE6, 0xE6)
TK_WHITE = (0xFF, 0xFF, 0xFF)
TK_SHADOW = (0x6E, 0x6E, 0x6E)
TK_DARK = (0x40, 0x40, 0x40)
TK_RED = (0xFC, 0x3C, 0x1E)


def raised_box(d, x0, y0, x1, y1, face=TK_FACE):
    d.rectangle((x0, y0, x1, y1), fill=BLACK)
    d.rectangle((x0 + 1, y0 + 1, x1 - 1, y1 - 1), fill=face)
    d.line((x0 + 1, y0 + 1, x1 - 2, y0 + 1), fill=TK_WHITE)
    d.line((x0 + 1, y0 + 1, x0 + 1, y1 - 2), fill=TK_WHITE)
    d.line((x0 + 2, y1 - 1, x1 - 1, y1 - 1), fill=TK_SHADOW)
    d.line((x1 - 1, y0 + 2, x1 - 1, y1 - 1), fill=TK_SHADOW)


def make_small_button(on):
    img = Image.new("RGB", (24, 16), TK_FACE)
    d = ImageDraw.Draw(img)
    raised_box(d, 0, 0, 23, 15)
    # the bar sits in a little sunken slot
    d.rectangle((5, 6, 18, 9), fill=TK_SHADOW)
    d.line((5, 10, 18, 10), fill=TK_WHITE)
    d.rectangle((6, 7, 17, 8), fill=TK_RED if on else BLACK)
    if on:
        d.line((6, 7, 17, 7), fill=(0xFF, 0x8C, 0x6E))
    return img


def make_large_button(outlined):
    img = Image.new("RGB", (33, 23), TK_FACE)
    d = ImageDraw.Draw(img)
    raised_box(d, 0, 0, 32, 22)
    d.line((2, 2, 30, 2), fill=TK_LIGHT)
    if outlined:
        d.rectangle((3, 3, 29, 19), outline=TK_RED)
        d.rectangle((4, 4, 28, 18), outline=(0xCC, 0x28, 0x14))
    return img


def make_led(lit):
    img = Image.new("RGB", (16, 16), BLACK)
    c = 8.0

    def fn(x, y):
        r = math.hypot(x - c, y - c)
        if r > 7.8:
            return BLACK
        if r > 6.4:                                   # metal bezel
            light = math.cos(math.atan2(-(y - c), x - c) - math.radians(135))
            v = clamp8(120 + 70 * light)
            return (v, v, v)
        t = r / 6.4
        if lit:
            col = mix((255, 240, 220), (236, 36, 24), min(1.0, t * 1.4))
            col = mix(col, (150, 10, 8), max(0.0, t - 0.7) * 2)
        else:
            col = mix((110, 36, 32), (52, 14, 14), t)
        hx, hy = x - (c - 2.2), y - (c - 2.4)
        if hx * hx + hy * hy < 2.2:                   # reflection
            col = mix(col, (255, 255, 255), 0.55 if lit else 0.35)
        return col

    paste_shaded(img, 0, 0, 16, 16, fn)
    return black_outside_disc(img)


def note_glyph(draw, s, cx, base_y, kind, dotted=False):
    """Draws one note in a cell at supersampled scale s.  kind: 1 whole,
    2 half, 4 quarter, 8 eighth, 16 sixteenth."""
    ink = BLACK
    hx, hy = cx, base_y
    rw, rh = 4.6 * s, 3.3 * s

    def head(filled):
        # an ellipse tilted by about 20 degrees, as a polygon
        pts = []
        tilt = math.radians(-22)
        for i in range(48):
            t = 2 * math.pi * i / 48
            x, y = rw * math.cos(t), rh * math.sin(t)
            pts.append((hx + x * math.cos(tilt) - y * math.sin(tilt),
                        hy + x * math.sin(tilt) + y * math.cos(tilt)))
        draw.polygon(pts, fill=ink)
        if not filled:
            inner = []
            for i in range(48):
                t = 2 * math.pi * i / 48
                x, y = rw * 0.62 * math.cos(t), rh * 0.45 * math.sin(t)
                tl = math.radians(-45)
                inner.append((hx + x * math.cos(tl) - y * math.sin(tl),
                              hy + x * math.sin(tl) + y * math.cos(tl)))
            draw.polygon(inner, fill=TK_WHITE)

    if kind == 1:
        rw, rh = 5.2 * s, 3.6 * s
        pts, inner = [], []
        for i in range(48):
            t = 2 * math.pi * i / 48
            pts.append((hx + rw * math.cos(t), hy + rh * math.sin(t)))
            x, y = 2.9 * s * math.cos(t), 1.7 * s * math.sin(t)
            tl = math.radians(55)
            inner.append((hx + x * math.cos(tl) - y * math.sin(tl),
                          hy + x * math.sin(tl) + y * math.cos(tl)))
        draw.polygon(pts, fill=ink)
        draw.polygon(inner, fill=TK_WHITE)
        right = hx + rw
    else:
        head(filled=kind >= 4)
        stem_x = hx + 3.9 * s
        top = hy - 18 * s
        draw.rectangle((stem_x - 0.6 * s, top, stem_x + 0.6 * s, hy - 1.0 * s), fill=ink)
        for f in range({8: 1, 16: 2}.get(kind, 0)):
            y0 = top + f * 4.8 * s
            # a tapering stroke along a quadratic curve: out from the top of
            # the stem, bellying to the right and hooking back down
            p0, p1, p2 = (stem_x, y0 + 0.8 * s), (stem_x + 6.5 * s, y0 + 4.0 * s), \
                (stem_x + 4.2 * s, y0 + 10.0 * s)
            left, right_side = [], []
            steps = 24
            for i in range(steps + 1):
                t = i / float(steps)
                x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
                y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
                tx = 2 * (1 - t) * (p1[0] - p0[0]) + 2 * t * (p2[0] - p1[0])
                ty = 2 * (1 - t) * (p1[1] - p0[1]) + 2 * t * (p2[1] - p1[1])
                n = math.hypot(tx, ty)
                nx, ny = -ty / n, tx / n
                hw = (1.25 - 0.95 * t) * s
                left.append((x + nx * hw, y + ny * hw))
                right_side.append((x - nx * hw, y - ny * hw))
            draw.polygon(left + right_side[::-1], fill=ink)
            draw.rectangle((stem_x - 0.6 * s, y0, stem_x + 0.6 * s, y0 + 2.2 * s), fill=ink)
        right = hx + rw
    if dotted:
        r = 1.4 * s
        dx = right + 3.0 * s
        dy = hy - 1.0 * s
        draw.ellipse((dx - r, dy - r, dx + r, dy + r), fill=ink)


def make_note_grid():
    """160 x 96: five columns (whole, half, quarter, eighth, sixteenth) by
    three rows (plain, triplet marked 3, dotted) of 32 x 32 cells, drawn in
    the toolkit's sixteen colours."""
    s = 8
    W, H = 160, 96
    big = Image.new("RGB", (W * s, H * s), TK_LIGHT)
    d = ImageDraw.Draw(big)
    three = font(FONT_BOLD, 9 * s)
    kinds = [1, 2, 4, 8, 16]
    for row in range(3):
        for col, kind in enumerate(kinds):
            x0, y0 = col * 32 * s, row * 32 * s
            d.rectangle((x0, y0, x0 + 32 * s - 1, y0 + 32 * s - 1), fill=TK_LIGHT)
            # raised cell: white top/left, grey bottom/right
            d.rectangle((x0, y0, x0 + 32 * s - 1, y0 + s - 1), fill=TK_WHITE)
            d.rectangle((x0, y0, x0 + s - 1, y0 + 32 * s - 1), fill=TK_WHITE)
            d.rectangle((x0, y0 + 31 * s, x0 + 32 * s - 1, y0 + 32 * s - 1), fill=TK_SHADOW)
            d.rectangle((x0 + 31 * s, y0, x0 + 32 * s - 1, y0 + 32 * s - 1), fill=TK_SHADOW)
            cx = x0 + (13.5 if row == 2 else 15.0) * s
            if kind == 1:
                cx = x0 + (14.0 if row == 2 else 16.0) * s
            base = y0 + (23.5 if kind != 1 else 19.0) * s
            note_glyph(d, s, cx, base, kind, dotted=(row == 2))
            if row == 1:
                tx = x0 + (6.0 if kind != 1 else 7.5) * s
                ty = y0 + (8.0 if kind != 1 else 9.5) * s
                bb = d.textbbox((0, 0), "3", font=three)
                d.text((tx - (bb[0] + bb[2]) / 2.0, ty - (bb[1] + bb[3]) / 2.0), "3",
                       font=three, fill=(0xCC, 0x28, 0x14))
    small = big.resize((W, H), Image.Resampling.BOX)
    return small


def make_dark_knob():
    """32 x 32, black outside the disc, centred face."""
    img = Image.new("RGB", (32, 32), BLACK)

    def fn(x, y):
        dx, dy = x - 16.0, y - 16.0
        r = math.hypot(dx, dy)
        if r > 15.6:
            return BLACK
        a = math.atan2(-dy, dx)
        light = math.cos(a - math.radians(135))
        if r > 14.0:
            v = clamp8(70 + 40 * light)
            return (v, v, v)
        if r > 12.4:
            v = clamp8(30 - 14 * light)
            return (v, v, v + 2)
        v = 50 + 22 * light * (r / 12.4) + 3 * math.sin(r * 3.0)
        v = clamp8(v)
        return (v, v, clamp8(v + 3))

    paste_shaded(img, 0, 0, 32, 32, fn)
    return black_outside_disc(img)


def make_slider_track(vertical):
    long_, short = 128, 17
    w, h = (short, long_) if vertical else (long_, short)
    img = Image.new("RGB", (w, h), TK_FACE)
    d = ImageDraw.Draw(img)

    def rect(a0, b0, a1, b1, **kw):
        # (along, across) to (x, y)
        if vertical:
            d.rectangle((b0, a0, b1, a1), **kw)
        else:
            d.rectangle((a0, b0, a1, b1), **kw)

    def line(a0, b0, a1, b1, fill):
        if vertical:
            d.line((b0, a0, b1, a1), fill=fill)
        else:
            d.line((a0, b0, a1, b1), fill=fill)

    # sunken outer frame
    line(0, 0, long_ - 1, 0, TK_SHADOW)
    line(0, 0, 0, short - 1, TK_SHADOW)
    line(0, short - 1, long_ - 1, short - 1, TK_WHITE)
    line(long_ - 1, 0, long_ - 1, short - 1, TK_WHITE)
    # scale ticks on both sides of the slot
    for i in range(11):
        a = int(round(8 + i * (long_ - 17) / 10.0))
        n = 3 if i % 5 == 0 else 2
        line(a, 2, a, 1 + n, TK_DARK)
        line(a, short - 2 - n, a, short - 3, TK_DARK)
    # the slot
    rect(5, 6, long_ - 6, 10, fill=BLACK)
    line(5, 6, long_ - 6, 6, TK_DARK)
    line(5, 11, long_ - 5, 11, TK_WHITE)
    line(long_ - 5, 6, long_ - 5, 11, TK_WHITE)
    return img


def make_slider_thumb(vertical):
    w, h = (15, 20) if vertical else (20, 15)
    img = Image.new("RGB", (w, h), TK_FACE)
    d = ImageDraw.Draw(img)
    raised_box(d, 0, 0, w - 1, h - 1)
    # grip grooves across the direction of travel, a red index in the middle
    if vertical:
        for y in (5, 14):
            d.line((3, y, w - 4, y), fill=TK_SHADOW)
            d.line((3, y + 1, w - 4, y + 1), fill=TK_WHITE)
        d.line((2, 9, w - 3, 9), fill=TK_RED)
        d.line((2, 10, w - 3, 10), fill=(0xCC, 0x28, 0x14))
    else:
        for x in (5, 14):
            d.line((x, 3, x, h - 4), fill=TK_SHADOW)
            d.line((x + 1, 3, x + 1, h - 4), fill=TK_WHITE)
        d.line((9, 2, 9, h - 3), fill=TK_RED)
        d.line((10, 2, 10, h - 3), fill=(0xCC, 0x28, 0x14))
    return img


def make_paper():
    """64 x 64 light grey paper, seamless when tiled."""
    n = 64
    rnd = random.Random(1512)
    noise = [[rnd.random() for _ in range(n)] for _ in range(n)]

    def smooth(src, radius):
        out = [[0.0] * n for _ in range(n)]
        k = 2 * radius + 1
        for y in range(n):
            for x in range(n):
                acc = 0.0
                for j in range(-radius, radius + 1):
                    row = src[(y + j) % n]
                    for i in range(-radius, radius + 1):
                        acc += row[(x + i) % n]
                out[y][x] = acc / (k * k)
        return out

    coarse = smooth(noise, 3)
    fibres = [[0.0] * n for _ in range(n)]
    for _ in range(70):                                # short, faint fibres
        x, y = rnd.randrange(n), rnd.randrange(n)
        a = rnd.uniform(0, math.pi)
        ln = rnd.randint(3, 8)
        sgn = rnd.choice((-1, 1))
        for t in range(ln):
            fx = int(round(x + t * math.cos(a))) % n
            fy = int(round(y + t * math.sin(a))) % n
            fibres[fy][fx] += sgn
    img = Image.new("RGB", (n, n))
    px = img.load()
    for y in range(n):
        for x in range(n):
            v = 214 + (coarse[y][x] - 0.5) * 40 + (noise[y][x] - 0.5) * 6 + fibres[y][x] * 4
            v = clamp8(v)
            px[x, y] = (v, v, clamp8(v - 2))
    return img


# --------------------------------------------------------------------------
# Icon
# --------------------------------------------------------------------------

def make_icon_image(size):
    s = size / 32.0
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    cx = cy = size / 2.0

    def fn(x, y):
        # rounded dark plate
        m = 1.0 * s
        rr = 6.0 * s
        qx = max(abs(x - cx) - (size / 2.0 - m - rr), 0.0)
        qy = max(abs(y - cy) - (size / 2.0 - m - rr), 0.0)
        if math.hypot(qx, qy) > rr:
            return None
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        a = math.degrees(math.atan2(-dy, dx))
        if r < 9.5 * s:
            c = knob_cap_colour(x, y, cx, cy, 9.5 * s, base=205)
            return c
        if r < 11.0 * s:
            return BLACK
        # amber travel arc from 240 clockwise to 300 degrees, lit up to 90
        if 12.2 * s <= r <= 14.4 * s:
            off = (240 - a) % 360
            if off <= 300:
                return ACCENT if off <= 150 else (110, 84, 40)
        return mix(PANEL_TOP, PANEL_BOTTOM, y / size)

    rgb, cov = shade(size, size, fn, ss=8)
    img.paste(rgb, (0, 0))
    img.putalpha(cov)
    # pointer
    d = ImageDraw.Draw(img)
    pw = max(1, int(round(1.5 * s)))
    d.line((cx, cy, cx, cy - 8.5 * s), fill=(40, 40, 40, 255), width=pw)
    return img


def write_ico(path, images):
    """A classic icon file: 32-bit BGRA device-independent bitmaps with an
    AND mask, which every Windows version and windres accept."""
    entries, blobs = [], []
    for im in images:
        w, h = im.size
        px = im.load()
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        stride = ((w + 31) // 32) * 4
        andmask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if px[x, y][3] < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            andmask += row
        blob = header + bytes(xor) + bytes(andmask)
        blobs.append(blob)
        entries.append((w, h))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (w, h), blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


# --------------------------------------------------------------------------
# Output
# --------------------------------------------------------------------------

def bitmaps():
    """(resource id, file name, palettised image) for every bitmap."""
    out = [
        (500, "panel.bmp", to_palette(make_panel(), reserved=[BLACK])),
        (509, "knob_face.bmp", to_palette(make_knob_face(), reserved=[BLACK])),
        (530, "mute_on.bmp", to_palette(make_mute_button(True))),
        (531, "mute_off.bmp", to_palette(make_mute_button(False))),
        (1500, "tk_button_off.bmp", to_palette(make_small_button(False))),
        (1501, "tk_button_on.bmp", to_palette(make_small_button(True))),
        (1502, "tk_big_button.bmp", to_palette(make_large_button(False))),
        (1503, "tk_big_button_red.bmp", to_palette(make_large_button(True))),
        (1504, "tk_led_off.bmp", to_palette(make_led(False), reserved=[BLACK])),
        (1505, "tk_led_on.bmp", to_palette(make_led(True), reserved=[BLACK])),
        (1506, "tk_notes.bmp", to_toolkit_palette(make_note_grid())),
        (1507, "tk_knob.bmp", to_palette(make_dark_knob(), reserved=[BLACK])),
        (1508, "tk_vslider_track.bmp", to_palette(make_slider_track(True))),
        (1509, "tk_vslider_thumb.bmp", to_palette(make_slider_thumb(True))),
        (1510, "tk_hslider_track.bmp", to_palette(make_slider_track(False))),
        (1511, "tk_hslider_thumb.bmp", to_palette(make_slider_thumb(False))),
        (1512, "tk_paper.bmp", to_palette(make_paper())),
    ]
    return out


def draw_pointer(img, ox, oy, angle_deg):
    """The knob's pointer as the control paints it: a four-point polygon
    from the pivot, length width/3 + 2, width 2, black outline, fill grey."""
    def rhd(v):                 # fractional part above 0.5 rounds up
        f = math.floor(v)
        return int(f + 1) if v - f > 0.5 else int(f)

    a = math.radians(angle_deg)
    c, s = math.cos(a), -math.sin(a)
    bx, by = ox + PIVOT, oy + PIVOT
    tx, ty = bx + rhd(POINTER_LEN * c), by + rhd(POINTER_LEN * s)
    hx, hy = rhd(0.5 * 2 * s), rhd(0.5 * 2 * c)
    pts = [(bx + hx, by - hy), (bx - hx, by + hy), (tx - hx, ty + hy), (tx + hx, ty - hy)]
    ImageDraw.Draw(img).polygon(pts, fill=(0x54, 0x54, 0x54), outline=BLACK)


def composite(images, values=None, lit=False):
    """The editor as it will look: background, knobs through their circular
    mask, pointers, mute button."""
    panel = images[500].convert("RGB")
    face = images[509].convert("RGB")
    mask = Image.new("L", (FACE_SIZE, FACE_SIZE), 0)
    ImageDraw.Draw(mask).ellipse((0, 0, FACE_SIZE - 1, FACE_SIZE - 1), fill=255)
    values = values or {"compression": 1.0, "gain": 0.0, "velocity": 5.0, "limit": 1.0}
    for name, k in KNOBS.items():
        region = panel.crop((k.x, k.y, k.x + FACE_SIZE, k.y + FACE_SIZE))
        black = Image.new("RGB", region.size, BLACK)
        inside = Image.composite(black, region, mask)
        # SRCPAINT: bitwise or
        a, b = inside.load(), face.load()
        for y in range(FACE_SIZE):
            for x in range(FACE_SIZE):
                p, q = a[x, y], b[x, y]
                a[x, y] = (p[0] | q[0], p[1] | q[1], p[2] | q[2])
        panel.paste(inside, (k.x, k.y))
        v = values[name]
        ang = k.angle_min - (v - k.vmin) * k.sweep / (k.vmax - k.vmin)
        draw_pointer(panel, k.x, k.y, ang % 360.0)
    panel.paste(images[530 if lit else 531].convert("RGB"), MUTE_POS)
    return panel


def main(argv):
    preview = None
    out = OUT
    if "--preview" in argv:
        preview = argv[argv.index("--preview") + 1]
    if "--out" in argv:
        out = argv[argv.index("--out") + 1]
    os.makedirs(out, exist_ok=True)
    images = {}
    for rid, name, img in bitmaps():
        img.save(os.path.join(out, name), format="BMP")
        images[rid] = img
    write_ico(os.path.join(out, "qclamper.ico"),
              [make_icon_image(32), make_icon_image(16), make_icon_image(48)])

    if preview:
        os.makedirs(preview, exist_ok=True)
        scale = 3
        for rid, img in images.items():
            big = img.convert("RGB")
            big = big.resize((big.width * scale, big.height * scale), Image.Resampling.NEAREST)
            big.save(os.path.join(preview, "%d.png" % rid))
        comp = composite(images)
        comp.save(os.path.join(preview, "editor.png"))
        comp.resize((PANEL_W * 2, PANEL_H * 2), Image.Resampling.NEAREST).save(
            os.path.join(preview, "editor_x2.png"))
        alt = composite(images, {"compression": 8.0, "gain": 24.0, "velocity": 100.0,
                                 "limit": 0.25}, lit=True)
        alt.resize((PANEL_W * 2, PANEL_H * 2), Image.Resampling.NEAREST).save(
            os.path.join(preview, "editor_ends_x2.png"))
        icon = make_icon_image(48)
        icon.save(os.path.join(preview, "icon48.png"))


if __name__ == "__main__":
    main(sys.argv[1:])
