#!/usr/bin/env python3
"""Builds the pop-up artwork into resource files: python3 generate.py <output folder>

Outputs (the resource script refers to these names):
  background.bmp      bitmap 279, 242 x 274, 32 bits
  emblem.bmp          bitmap 281, 127 x 150, 24 bits
  close_strip.bmp     bitmap 282, 39 x 51, 24 bits
  button_strip.bmp    bitmap 286, 18 x 105, 32 bits
  separator.bmp       bitmap 342, 2 x 22, 24 bits
  spinner_00.ico ...  icons 213 to 235, 85 x 84, 32 bits, one image each
  info.ico            icons 238 and 343, 16 x 16 and 32 x 32, 32 bits
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import layout  # noqa: E402
import pictures  # noqa: E402
from imagefiles import write_bmp, write_ico  # noqa: E402


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)

    def path(name):
        return os.path.join(out_dir, name)
    write_bmp(path("background.bmp"), pictures.background(), 32)
    write_bmp(path("emblem.bmp"), pictures.emblem_panel(), 24)
    write_bmp(path("close_strip.bmp"), pictures.close_strip(), 24)
    write_bmp(path("button_strip.bmp"), pictures.button_strip(), 32)
    write_bmp(path("separator.bmp"), pictures.separator(), 24)
    for i in range(layout.SPINNER_FRAMES):
        write_ico(path("spinner_%02d.ico" % i), [pictures.spinner_frame(i)])
    write_ico(path("info.ico"), [pictures.info_icon(16), pictures.info_icon(32)])


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: generate.py <output folder>")
    main(sys.argv[1])
