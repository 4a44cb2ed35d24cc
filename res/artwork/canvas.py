"""A small RGBA canvas with anti-aliased shapes, enough to draw the pop-up artwork.

Shapes are signed distance functions (negative inside, in pixels); a pixel's coverage is
taken at its centre from the distance, which gives a one-pixel soft edge. Paints are
either a colour or a function of (x, y) that returns one, so gradients need no extra code.
Colours are (r, g, b) or (r, g, b, a) with 0..255 channels; the canvas keeps floats.
"""
import math


def rgba(colour):
    return colour if len(colour) == 4 else (colour[0], colour[1], colour[2], 255)


def mix(a, b, t):
    """Linear blend of two colours, t = 0 gives a, t = 1 gives b."""
    a, b = rgba(a), rgba(b)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def vertical_gradient(top_y, bottom_y, top, bottom):
    span = max(bottom_y - top_y, 1e-6)

    def paint(_x, y):
        return mix(top, bottom, min(max((y - top_y) / span, 0.0), 1.0))
    return paint


def radial_gradient(cx, cy, radius, inner, outer):
    def paint(x, y):
        return mix(inner, outer, min(math.hypot(x - cx, y - cy) / radius, 1.0))
    return paint


# Signed distance functions. Each returns (function, bounding box (x0, y0, x1, y1)).

def circle(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r), (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, r_outer, r_inner):
    mid, half = (r_outer + r_inner) / 2, (r_outer - r_inner) / 2
    return (lambda x, y: abs(math.hypot(x - cx, y - cy) - mid) - half), \
        (cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer)


def rounded_rect(x0, y0, x1, y1, radius):
    """The rectangle [x0, x1] x [y0, y1] in pixel-edge coordinates with rounded corners."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf, (x0, y0, x1, y1)


def capsule(ax, ay, bx, by, r):
    """A line from a to b with round ends, r wide on each side."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def sdf(x, y):
        t = min(max(((x - ax) * dx + (y - ay) * dy) / length2, 0.0), 1.0)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    return sdf, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)


def rect(x0, y0, x1, y1):
    return rounded_rect(x0, y0, x1, y1, 0.0)


class Canvas:
    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width, self.height = width, height
        fill = rgba(background)
        self.pixels = [[list(map(float, fill)) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, coverage=1.0):
        """Source-over composition of one pixel."""
        r, g, b, a = rgba(colour)
        alpha = a / 255.0 * coverage
        if alpha <= 0.0:
            return
        dst = self.pixels[y][x]
        dst_alpha = dst[3] / 255.0
        out_alpha = alpha + dst_alpha * (1.0 - alpha)
        if out_alpha <= 0.0:
            return
        for i, src in enumerate((r, g, b)):
            dst[i] = (src * alpha + dst[i] * dst_alpha * (1.0 - alpha)) / out_alpha
        dst[3] = out_alpha * 255.0

    def set(self, x, y, colour):
        self.pixels[y][x] = list(map(float, rgba(colour)))

    def fill(self, shape, paint, opacity=1.0, clip=None):
        """Fills a shape; clip is an optional second shape that limits the fill."""
        sdf, (x0, y0, x1, y1) = shape
        clip_sdf = clip[0] if clip else None
        for y in range(max(int(math.floor(y0)) - 1, 0), min(int(math.ceil(y1)) + 1, self.height)):
            for x in range(max(int(math.floor(x0)) - 1, 0), min(int(math.ceil(x1)) + 1, self.width)):
                px, py = x + 0.5, y + 0.5
                coverage = min(max(0.5 - sdf(px, py), 0.0), 1.0)
                if clip_sdf is not None:
                    coverage *= min(max(0.5 - clip_sdf(px, py), 0.0), 1.0)
                if coverage > 0.0:
                    colour = paint(px, py) if callable(paint) else paint
                    self.blend(x, y, colour, coverage * opacity)

    def fill_rows(self, y0, y1, paint):
        """Opaque fill of whole rows y0 <= y < y1; paint may be a gradient."""
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(self.width):
                self.set(x, y, paint(x + 0.5, y + 0.5) if callable(paint) else paint)

    def hline(self, y, x0, x1, colour):
        for x in range(max(x0, 0), min(x1, self.width)):
            self.blend(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(max(y0, 0), min(y1, self.height)):
            self.blend(x, y, colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.set(left + x, top + y, other.pixels[y][x])

    def flatten(self, matte):
        """Composes the picture onto an opaque colour (for 24-bit files)."""
        flat = Canvas(self.width, self.height, matte)
        for y in range(self.height):
            for x in range(self.width):
                flat.blend(x, y, self.pixels[y][x])
        return flat

    def bytes_at(self, x, y):
        return tuple(int(round(min(max(c, 0.0), 255.0))) for c in self.pixels[y][x])
