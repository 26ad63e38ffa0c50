#!/usr/bin/python3
"""Writes picture files made by independent programs (PIL and ImageMagick)
together with PIL's own decode of each, for the decoding tests to match.

Usage: make_reference_files.py OUTPUT_DIR

For every case NAME it writes NAME.<ext> (the picture file) and NAME.ref:
a little-endian u32 width, u32 height, then width * height RGBA bytes as PIL
decodes the file. The list of cases goes to OUTPUT_DIR/manifest.txt, one
"NAME FILE CHECK" a line, CHECK saying how the test compares:
  opaque   load_picture's raster equals the reference's RGB
  alpha    decode_object_picture's pixels: RGB equal and T = 255 - A
  icon     decode_icon's pixels: T = 255 - A, RGB equal where A > 0
  rgb      decode_object_picture's pixels: RGB equal (alpha not compared)
"""
import os
import random
import struct
import subprocess
import sys

from PIL import Image

CONVERT = "/usr/bin/convert"


def photo(w, h, seed):
    """A photo-like picture: smooth gradients, a few shapes, some noise."""
    rnd = random.Random(seed)
    px = []
    for y in range(h):
        for x in range(w):
            r = (x * 255 // max(w - 1, 1) + rnd.randrange(-12, 13)) % 256
            g = (y * 255 // max(h - 1, 1) + rnd.randrange(-12, 13)) % 256
            b = ((x + y) * 3 + (40 if (x // 7 + y // 5) % 2 else 0)) % 256
            px.append((r, g, b))
    im = Image.new("RGB", (w, h))
    im.putdata(px)
    return im


def rgba_picture(w, h, seed):
    rnd = random.Random(seed)
    im = Image.new("RGBA", (w, h))
    alphas = [0, 255, 200, 1, 128, 254]
    im.putdata([(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256),
                 alphas[(x + y) % len(alphas)]) for y in range(h) for x in range(w)])
    return im


def write_ref(path, im):
    im = im.convert("RGBA")
    with open(path, "wb") as f:
        f.write(struct.pack("<II", im.width, im.height))
        f.write(im.tobytes())


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    manifest = []

    def add(name, ext, check, save):
        path = os.path.join(out, name + "." + ext)
        save(path)
        ref = Image.open(path)
        ref.load()
        write_ref(os.path.join(out, name + ".ref"), ref)
        manifest.append("%s %s %s" % (name, name + "." + ext, check))

    def magick(*args):
        subprocess.run([CONVERT, *args], check=True)

    base = photo(61, 47, 1)
    src_png = os.path.join(out, "source.png")
    base.save(src_png)

    # JPEG: several samplings, grey, progressive, and one from ImageMagick.
    add("jpeg_420", "jpg", "opaque", lambda p: base.save(p, quality=85, subsampling=2))
    add("jpeg_422", "jpg", "opaque", lambda p: base.save(p, quality=90, subsampling=1))
    add("jpeg_444", "jpg", "opaque", lambda p: base.save(p, quality=95, subsampling=0))
    add("jpeg_grey", "jpg", "opaque", lambda p: base.convert("L").save(p, quality=80))
    add("jpeg_progressive", "jpg", "opaque",
        lambda p: base.save(p, quality=75, progressive=True))
    add("jpeg_magick", "jpg", "opaque", lambda p: magick(src_png, "-quality", "70", p))

    # PNG through decode_object_picture.
    rgba = rgba_picture(23, 17, 2)
    add("png_rgba", "png", "alpha", lambda p: rgba.save(p))
    add("png_rgb", "png", "alpha", lambda p: base.save(p))
    add("png_grey8", "png", "alpha", lambda p: base.convert("L").save(p))
    add("png_grey_alpha", "png", "alpha", lambda p: rgba.convert("LA").save(p))
    add("png_palette", "png", "alpha",
        lambda p: base.convert("P", palette=Image.ADAPTIVE, colors=200).save(p))
    add("png_bilevel", "png", "alpha", lambda p: base.convert("1").save(p))
    add("png_grey4", "png", "alpha",
        lambda p: magick(src_png, "-colorspace", "Gray", "-depth", "4",
                         "-define", "png:bit-depth=4", "-define", "png:color-type=0", p))
    add("png_rgb16", "png", "rgb",
        lambda p: magick(src_png, "-depth", "16", "-define", "png:bit-depth=16", p))
    add("png_interlaced", "png", "alpha",
        lambda p: magick(os.path.join(out, "png_rgba.png"), "-interlace", "PNG",
                         "-define", "png:exclude-chunk=bKGD", "PNG32:" + p))

    # BMP.
    add("bmp_24", "bmp", "opaque", lambda p: base.save(p))
    add("bmp_8_grey", "bmp", "opaque", lambda p: base.convert("L").save(p))
    add("bmp_8_palette", "bmp", "opaque",
        lambda p: base.convert("P", palette=Image.ADAPTIVE, colors=100).save(p))
    add("bmp_1", "bmp", "opaque", lambda p: base.convert("1").save(p))
    add("bmp_4_magick", "bmp", "opaque",
        lambda p: magick(src_png, "-colors", "16", "-type", "Palette", "BMP3:" + p))
    add("bmp_565_magick", "bmp", "opaque",
        lambda p: magick(src_png, "-define", "bmp:subtype=RGB565", "BMP:" + p))

    # GIF: a single picture and the first image of an animation.
    add("gif_single", "gif", "opaque",
        lambda p: base.convert("P", palette=Image.ADAPTIVE, colors=64).save(p))
    frames = [photo(40, 30, s).convert("P", palette=Image.ADAPTIVE, colors=32)
              for s in (3, 4, 5)]
    add("gif_animated_first", "gif", "opaque",
        lambda p: frames[0].save(p, save_all=True, append_images=frames[1:],
                                 duration=120, loop=0))
    add("gif_magick", "gif", "opaque", lambda p: magick(src_png, "-colors", "50", p))

    # PCX.
    add("pcx_palette", "pcx", "opaque",
        lambda p: base.convert("P", palette=Image.ADAPTIVE, colors=150).save(p))
    add("pcx_grey", "pcx", "opaque", lambda p: base.convert("L").save(p))
    add("pcx_rgb", "pcx", "opaque", lambda p: base.save(p))
    add("pcx_magick", "pcx", "opaque", lambda p: magick(src_png, "-colors", "200", p))

    # Icons and cursors.
    icon_src = rgba_picture(32, 32, 6)
    add("ico_32bit", "ico", "icon",
        lambda p: icon_src.save(p, sizes=[(32, 32)], bitmap_format="bmp"))
    pal_src = os.path.join(out, "icon_source.png")
    photo(32, 32, 7).save(pal_src)
    add("ico_magick", "ico", "icon", lambda p: magick(pal_src, "-colors", "16", "ICO:" + p))
    add("cur_magick", "cur", "icon", lambda p: magick(pal_src, "CUR:" + p))

    with open(os.path.join(out, "manifest.txt"), "w") as f:
        f.write("\n".join(manifest) + "\n")


if __name__ == "__main__":
    main()
