"""Writes canvases as Windows BMP and ICO files (uncompressed, bottom-up rows)."""
import struct


def _dib_rows(canvas, bits):
    """Pixel rows bottom-up in BGR(A) order, each padded to a multiple of 4 bytes."""
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b, a = canvas.bytes_at(x, y)
            row += bytes((b, g, r, a)) if bits == 32 else bytes((b, g, r))
        row += b"\0" * (-len(row) % 4)
        rows.append(bytes(row))
    return b"".join(rows)


def _info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, 0, 0)


def write_bmp(path, canvas, bits):
    """bits 24: opaque picture; bits 32: alpha kept in the fourth byte."""
    if bits not in (24, 32):
        raise ValueError("only 24 and 32 bits per pixel are written")
    pixels = _dib_rows(canvas, bits)
    info = _info_header(canvas.width, canvas.height, bits, len(pixels))
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def _and_mask(canvas):
    """1 bit per pixel, set where the picture is fully transparent."""
    stride = (canvas.width + 31) // 32 * 4
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(canvas.width):
            if canvas.bytes_at(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def write_ico(path, canvases):
    """An icon file with one 32-bit image per canvas (alpha plus the AND mask)."""
    images = []
    for canvas in canvases:
        pixels = _dib_rows(canvas, 32)
        mask = _and_mask(canvas)
        # An icon image's height counts the colour rows and the mask rows.
        info = _info_header(canvas.width, canvas.height * 2, 32, len(pixels) + len(mask))
        images.append((canvas, info + pixels + mask))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for canvas, blob in images:
        entries += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32,
                               len(blob), offset + len(blobs))
        blobs += blob
    with open(path, "wb") as out:
        out.write(directory + entries + blobs)
