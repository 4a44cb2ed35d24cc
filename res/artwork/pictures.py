"""The pictures of the pop-up skin, drawn from the named colours and the template layout."""
import math

import layout
import palette as pal
from canvas import (Canvas, capsule, circle, mix, radial_gradient, rect, ring, rounded_rect,
                    vertical_gradient)


def disc_emblem(canvas, cx, cy, r):
    """The product's mark: a blue badge holding a white disc platter, lit from the top."""
    canvas.fill(circle(cx + 0.6, cy + 1.2, r + 0.4), pal.EMBLEM_SHADOW)
    badge = circle(cx, cy, r)
    canvas.fill(badge, radial_gradient(cx - r * 0.4, cy - r * 0.5, r * 1.6, pal.EMBLEM_LIGHT, pal.EMBLEM_DARK))
    canvas.fill(ring(cx, cy, r * 0.72, r * 0.58), pal.EMBLEM_MARK)
    canvas.fill(ring(cx, cy, r * 0.44, r * 0.37), pal.EMBLEM_MARK + (140,))
    canvas.fill(circle(cx, cy, r * 0.16), pal.EMBLEM_MARK)
    canvas.fill(circle(cx, cy - r * 1.05, r * 0.95), pal.EMBLEM_GLOSS, clip=badge)


def background():
    """Bitmap 279: caption band, white body with the title emblem, footer for the buttons."""
    w, h = layout.WIDTH, layout.HEIGHT
    c = Canvas(w, h, pal.BODY)
    header, footer = layout.HEADER_BOTTOM, layout.FOOTER_TOP
    c.fill_rows(0, header, vertical_gradient(0, header, pal.HEADER_TOP, pal.HEADER_BOTTOM))
    c.hline(1, 1, w - 1, pal.HEADER_GLOSS)
    c.hline(header, 0, w, pal.HEADER_RULE)
    c.fill_rows(footer, h, vertical_gradient(footer, h, pal.FOOTER_TOP, pal.FOOTER_BOTTOM))
    c.hline(footer, 0, w, pal.FOOTER_RULE)
    c.hline(layout.TITLE_RULE_Y, 12, w - 12, pal.TITLE_RULE)
    cx, cy = layout.EMBLEM_CENTRE
    disc_emblem(c, cx, cy, layout.EMBLEM_RADIUS)
    for x in (0, w - 1):
        c.vline(x, 0, h, pal.WINDOW_FRAME)
    for y in (0, h - 1):
        c.hline(y, 0, w, pal.WINDOW_FRAME)
    return c


def _button_frame(style, focused=False):
    """One 18 x 21 state: rounded outline, glossy face; corners keyed out in magenta.

    The frame is stretched as a nine-part grid with a 3-pixel border, so everything that must
    keep its shape lies in the outer three pixels."""
    w, h = layout.BUTTON_FRAME
    c = Canvas(w, h, (0, 0, 0, 0))
    c.fill(rounded_rect(0, 0, w, h, 3), style["border"])
    c.fill(rounded_rect(1, 1, w - 1, h - 1, 2), vertical_gradient(1, h - 1, style["top"], style["bottom"]))
    c.hline(1, 2, w - 2, style["gloss"])
    if focused:
        c.fill(rounded_rect(1, 1, w - 1, h - 1, 2), style["gloss"], clip=ring_band(w, h))
    flat = c.flatten(pal.MAGENTA_KEY)
    _key_corners(flat, w, h)
    return flat


def ring_band(w, h):
    """The band one pixel inside the outline (the focused button's inner glow)."""
    outer = rounded_rect(1, 1, w - 1, h - 1, 2)[0]
    inner = rounded_rect(2, 2, w - 2, h - 2, 1.5)[0]
    return (lambda x, y: max(outer(x, y), -inner(x, y))), (1, 1, w - 1, h - 1)


def _key_corners(c, w, h):
    """Pure magenta where a corner is more outside than inside, so the region cuts it."""
    for x, y in ((0, 0), (1, 0), (0, 1)):
        for px, py in ((x, y), (w - 1 - x, y), (x, h - 1 - y), (w - 1 - x, h - 1 - y)):
            c.set(px, py, pal.MAGENTA_KEY)


def button_strip():
    """Bitmap 286: Normal, Hot, Pressed, Disabled and Focused, one below the other."""
    w, h = layout.BUTTON_FRAME
    strip = Canvas(w, h * 5)
    frames = [_button_frame(pal.BUTTON_NORMAL), _button_frame(pal.BUTTON_HOT),
              _button_frame(pal.BUTTON_PRESSED), _button_frame(pal.BUTTON_DISABLED),
              _button_frame(pal.BUTTON_FOCUSED, focused=True)]
    for i, frame in enumerate(frames):
        strip.paste(frame, 0, i * h)
    return strip


def _close_frame(style):
    """One 39 x 17 close-button state: a rounded pill with a cross, unscaled."""
    w, h = layout.CLOSE_FRAME
    c = Canvas(w, h, (0, 0, 0, 0))
    c.fill(rounded_rect(0, 0, w, h, 6), style["face"])
    cx, cy, arm = w / 2, h / 2, 3.6
    c.fill(capsule(cx - arm, cy - arm, cx + arm, cy + arm, 0.95), style["mark"])
    c.fill(capsule(cx - arm, cy + arm, cx + arm, cy - arm, 0.95), style["mark"])
    flat = c.flatten(pal.HEADER_BOTTOM)
    # The region is cut from the Normal state: key out what lies outside its rounded outline.
    outline = rounded_rect(0, 0, w, h, 6)[0]
    for y in range(h):
        for x in range(w):
            if outline(x + 0.5, y + 0.5) > 0.0:
                flat.set(x, y, pal.MAGENTA_KEY)
    return flat


def close_strip():
    """Bitmap 282: Normal, Hot and Pressed close-button states."""
    w, h = layout.CLOSE_FRAME
    strip = Canvas(w, h * 3)
    for i, style in enumerate((pal.CLOSE_NORMAL, pal.CLOSE_HOT, pal.CLOSE_PRESSED)):
        strip.paste(_close_frame(style), 0, i * h)
    return strip


def spinner_frame(index, count=layout.SPINNER_FRAMES):
    """One frame of the countdown animation: a comet turning clockwise around a dark disc
    on which the seconds are painted. Frame index + 1 is the comet one count-th further on."""
    w, h = layout.ICON_SIZE
    c = Canvas(w, h)
    cx, cy = w / 2, h / 2
    r_out, r_in = 40.5, 33.5
    c.fill(ring(cx, cy, r_out, r_in), pal.SPINNER_TRACK)
    head = -math.pi / 2 + 2 * math.pi * index / count      # clockwise on screen (y grows down)
    tail = 1.6 * math.pi

    def comet(x, y):
        behind = (head - math.atan2(y - cy, x - cx)) % (2 * math.pi)
        fade = 1.0 - behind / tail if behind <= tail else 0.0
        colour = mix(pal.SPINNER_HEAD, pal.SPINNER_COMET, min(behind / 1.2, 1.0))
        return colour[:3] + (255 * fade ** 1.6,)
    c.fill(ring(cx, cy, r_out, r_in), comet)
    mid = (r_out + r_in) / 2
    c.fill(circle(cx + mid * math.cos(head), cy + mid * math.sin(head), (r_out - r_in) / 2), pal.SPINNER_HEAD)
    c.fill(circle(cx, cy, 30.5), pal.SPINNER_DISC_RIM)
    c.fill(circle(cx, cy, 29), vertical_gradient(cy - 29, cy + 29, pal.SPINNER_DISC_TOP, pal.SPINNER_DISC_BOTTOM))
    return c


def info_icon(size):
    """The small information sign: a blue round badge with a white "i"."""
    c = Canvas(size, size)
    s = size / 16.0
    cx = cy = size / 2
    r = size / 2 - 0.25
    c.fill(circle(cx, cy, r), pal.INFO_RIM)
    c.fill(circle(cx, cy, r - 0.9 * s), radial_gradient(cx - 3 * s, cy - 4 * s, 12 * s, pal.INFO_LIGHT, pal.INFO_DARK))
    c.fill(circle(cx, cy - 3.6 * s, 1.25 * s), pal.INFO_MARK)
    c.fill(capsule(cx, cy - 0.6 * s, cx, cy + 4.0 * s, 1.05 * s), pal.INFO_MARK)
    return c


def emblem_panel():
    """Bitmap 281 (127 x 150): the product's mark on a soft panel, for larger notices."""
    w, h = 127, 150
    c = Canvas(w, h, pal.BODY)
    c.fill_rows(0, h, vertical_gradient(0, h, pal.HEADER_TOP, pal.FOOTER_BOTTOM))
    disc_emblem(c, w / 2, h / 2 - 6, 44)
    for y in (0, h - 1):
        c.hline(y, 0, w, pal.HEADER_RULE)
    return c.flatten(pal.BODY)


def separator():
    """Bitmap 342 (2 x 22): a slice of the caption band, to be tiled."""
    c = Canvas(2, 22, pal.BODY)
    c.fill_rows(0, 22, vertical_gradient(0, 21, pal.HEADER_TOP, pal.HEADER_BOTTOM))
    c.hline(21, 0, 2, pal.HEADER_RULE)
    return c
