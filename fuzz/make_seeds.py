#!/usr/bin/python3
"""Writes a seed corpus of small valid pictures of every format for the
fuzz targets.

Usage: make_seeds.py OUTPUT_DIR

OUTPUT_DIR/files   one file per seed, for fuzz_load_picture and
                   fuzz_decode_object_picture
OUTPUT_DIR/region  the same files behind an 8-byte rectangle (left, top,
                   width, height as little-endian signed 16-bit numbers),
                   for fuzz_picture_region
"""
import io
import os
import random
import struct
import sys

from PIL import Image


def picture(w, h, seed, mode="RGB"):
    rnd = random.Random(seed)
    im = Image.new("RGB", (w, h))
    im.putdata([((x * 37 + rnd.randrange(20)) % 256, (y * 23) % 256, ((x ^ y) * 11) % 256)
                for y in range(h) for x in range(w)])
    if mode == "RGBA":
        im = im.convert("RGBA")
        im.putalpha(Image.linear_gradient("L").resize((w, h)))
    elif mode != "RGB":
        im = im.convert(mode)
    return im


def save(im, fmt, **kw):
    b = io.BytesIO()
    im.save(b, fmt, **kw)
    return b.getvalue()


def seeds():
    s = {}
    base = picture(19, 13, 1)
    s["jpeg_420.jpg"] = save(base, "JPEG", quality=80)
    s["jpeg_444.jpg"] = save(base, "JPEG", quality=90, subsampling=0)
    s["jpeg_grey.jpg"] = save(base.convert("L"), "JPEG")
    s["jpeg_progressive.jpg"] = save(picture(33, 17, 2), "JPEG", progressive=True)
    s["jpeg_cmyk.jpg"] = save(base.convert("CMYK"), "JPEG")
    s["png_rgba.png"] = save(picture(9, 7, 3, "RGBA"), "PNG")
    s["png_rgb.png"] = save(base, "PNG")
    s["png_grey.png"] = save(base.convert("L"), "PNG")
    s["png_palette.png"] = save(base.convert("P", palette=Image.ADAPTIVE, colors=16), "PNG",
                                bits=4)
    s["png_bilevel.png"] = save(base.convert("1"), "PNG")
    s["png_grey_alpha.png"] = save(picture(6, 5, 4, "RGBA").convert("LA"), "PNG")
    s["bmp_24.bmp"] = save(base, "BMP")
    s["bmp_8.bmp"] = save(base.convert("P", palette=Image.ADAPTIVE, colors=40), "BMP")
    s["bmp_1.bmp"] = save(base.convert("1"), "BMP")
    s["bmp_32.bmp"] = save(picture(5, 4, 5, "RGBA"), "BMP")
    s["gif_single.gif"] = save(base.convert("P", palette=Image.ADAPTIVE, colors=8), "GIF")
    frames = [picture(12, 9, k).convert("P", palette=Image.ADAPTIVE, colors=8) for k in (6, 7, 8)]
    s["gif_animated.gif"] = save(frames[0], "GIF", save_all=True, append_images=frames[1:],
                                 duration=[30, 0, 70], disposal=[2, 3, 1], transparency=0,
                                 loop=0)
    s["gif_interlaced.gif"] = save(picture(7, 11, 9).convert("P"), "GIF", interlace=True)
    s["pcx_palette.pcx"] = save(base.convert("P", palette=Image.ADAPTIVE, colors=30), "PCX")
    s["pcx_rgb.pcx"] = save(base, "PCX")
    bilevel = bytearray(save(base.convert("1"), "PCX"))
    bilevel[1] = 3  # version 3: the 1-bit form that the loader recognises
    s["pcx_1bit.pcx"] = bytes(bilevel)
    s["ico_32.ico"] = save(picture(16, 16, 10, "RGBA"), "ICO", sizes=[(16, 16)],
                           bitmap_format="bmp")
    s["ico_png.ico"] = save(picture(16, 16, 11, "RGBA"), "ICO", sizes=[(16, 16)])
    icon_8 = bytearray(save(picture(8, 8, 12, "RGBA"), "ICO", sizes=[(8, 8)],
                            bitmap_format="bmp"))
    cursor = bytearray(icon_8)
    cursor[2] = 2  # a cursor has the same layout with type 2
    s["cur_8.cur"] = bytes(cursor)
    return s


def main():
    out = sys.argv[1]
    files = os.path.join(out, "files")
    region = os.path.join(out, "region")
    os.makedirs(files, exist_ok=True)
    os.makedirs(region, exist_ok=True)
    rects = [(0, 0, 460, 878), (3, 2, 5, 4), (-4, -4, 9, 9), (10, 0, 1, 100)]
    for i, (name, data) in enumerate(sorted(seeds().items())):
        with open(os.path.join(files, name), "wb") as f:
            f.write(data)
        with open(os.path.join(region, name), "wb") as f:
            f.write(struct.pack("<4h", *rects[i % len(rects)]) + data)


if __name__ == "__main__":
    main()
