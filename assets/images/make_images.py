#!/usr/bin/python3
"""Makes the product's pictures from the sources in this folder:

  ../payload/zorva.ico   the product icon: 48, 32 and 16 pixels at 4, 8, 32 bpp
  window.ico             the start window's icon: 48 pixels, 32 bpp
  program.ico            the setup program's own icon: 48, 32 and 16 pixels at
                         32 bpp (every Windows it runs on shows those)
  logo.png               the product logo on the banner, 200 x 200 RGBA
  install-normal.png     the install button, 122 x 39 RGBA
  install-hover.png      the install button hovered, pressed or disabled
  minimise-normal.jpg    the banner's minimise button, 19 x 19
  minimise-hover.jpg
  close-normal.jpg       the banner's close button, 19 x 19
  close-hover.jpg

Run it from anywhere: python3 assets/images/make_images.py
"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

import icofile  # noqa: E402
import vector  # noqa: E402

BANNER = (70, 70, 255)          # the banner colour, COLORREF 0x00FF4646
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
INSTALL_CAPTION = "立即安装"


def out(name):
    return os.path.join(HERE, name)


def make_icons(emblem):
    sizes = (48, 32, 16)
    pictures = {s: vector.render(emblem, s) for s in sizes}
    images = [(pictures[s], bpp) for bpp in (4, 8, 32) for s in sizes]
    icofile.write(os.path.join(HERE, "..", "payload", "zorva.ico"), images)
    icofile.write(out("window.ico"), [(pictures[48], 32)])
    icofile.write(out("program.ico"), [(pictures[s], 32) for s in sizes])


def make_logo(emblem):
    """The emblem at 200 pixels with a soft shadow that lifts it off the
    banner. It is shown scaled to 96 pixels, so strokes are drawn thicker."""
    size = 200
    art = vector.render(emblem, 176, stroke_scale=2.0)
    canvas = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    shadow_alpha = Image.new("L", (size, size), 0)
    shadow_alpha.paste(art.getchannel("A"), (12, 18))
    shadow_alpha = shadow_alpha.filter(ImageFilter.GaussianBlur(5))
    shadow_alpha = shadow_alpha.point(lambda v: v * 45 // 100)
    shadow = Image.new("RGBA", (size, size), (12, 12, 90, 0))
    shadow.putalpha(shadow_alpha)
    canvas.alpha_composite(shadow)
    canvas.alpha_composite(art, (12, 10))
    save_png(canvas, out("logo.png"))


def save_png(picture, path):
    a = np.array(picture.convert("RGBA"))
    a[a[:, :, 3] == 0] = 0      # no stray colour under full transparency
    Image.fromarray(a, "RGBA").save(path, optimize=True)


def rounded_button(width, height, radius, top, bottom, edge, k=8):
    """A rounded rectangle with a vertical gradient and a 1-pixel edge,
    anti-aliased by drawing at k times the size."""
    big = Image.new("L", (width * k, height * k), 0)
    ImageDraw.Draw(big).rounded_rectangle(
        [0, 0, width * k - 1, height * k - 1], radius=radius * k, fill=255)
    inner = Image.new("L", (width * k, height * k), 0)
    ImageDraw.Draw(inner).rounded_rectangle(
        [k, k, width * k - 1 - k, height * k - 1 - k], radius=(radius - 1) * k, fill=255)
    shape = np.array(big.resize((width, height), Image.BOX), dtype=np.float64) / 255
    body = np.array(inner.resize((width, height), Image.BOX), dtype=np.float64) / 255
    t = (np.arange(height) + 0.5)[:, None, None] / height
    grad = np.array(top, float) * (1 - t) + np.array(bottom, float) * t
    grad = np.broadcast_to(grad, (height, width, 3))
    rgb = grad * body[:, :, None] + np.array(edge, float) * (1 - body[:, :, None])
    rgba = np.dstack([rgb, shape * 255])
    return Image.fromarray(np.clip(rgba + 0.5, 0, 255).astype(np.uint8), "RGBA")


def draw_caption(picture, text, size, colour, shadow=None):
    font = ImageFont.truetype(CJK_FONT, size)
    layer = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    x0, y0, x1, y1 = draw.textbbox((0, 0), text, font=font)
    x = (picture.width - (x1 - x0)) // 2 - x0
    y = (picture.height - (y1 - y0)) // 2 - y0
    if shadow:
        draw.text((x, y + 1), text, font=font, fill=shadow)
    draw.text((x, y), text, font=font, fill=colour)
    picture.alpha_composite(layer)


def make_install_buttons():
    w, h = 122, 39
    normal = rounded_button(w, h, 6, (92, 92, 255), (58, 58, 236), (40, 40, 196))
    draw_caption(normal, INSTALL_CAPTION, 17, (255, 255, 255, 255), (20, 20, 140, 110))
    save_png(normal, out("install-normal.png"))
    hover = rounded_button(w, h, 6, (128, 128, 255), (78, 78, 250), (46, 46, 210))
    # A soft light band across the upper half.
    gloss = rounded_button(w - 4, h // 2 - 1, 4, (255, 255, 255), (255, 255, 255),
                           (255, 255, 255))
    g = np.array(gloss, dtype=np.float64)
    fade = np.linspace(0.30, 0.04, g.shape[0])[:, None]
    g[:, :, 3] *= fade
    hover.alpha_composite(Image.fromarray(g.astype(np.uint8), "RGBA"), (2, 2))
    draw_caption(hover, INSTALL_CAPTION, 17, (255, 255, 255, 255), (20, 20, 140, 130))
    save_png(hover, out("install-hover.png"))


def banner_button(glyph, hover_fill, k=16):
    """A 19 x 19 picture on the banner colour with a white glyph; when
    hover_fill is given, the glyph sits on a rounded square of that colour."""
    n = 19
    big = Image.new("RGB", (n * k, n * k), BANNER)
    draw = ImageDraw.Draw(big)
    if hover_fill:
        draw.rounded_rectangle([0, 0, n * k - 1, n * k - 1], radius=3 * k, fill=hover_fill)
    white = (255, 255, 255)
    if glyph == "minimise":
        # A bar 9 pixels wide and 2 high, on whole pixels.
        draw.rectangle([5 * k, 10 * k, 14 * k - 1, 12 * k - 1], fill=white)
    else:
        # Two strokes 1.6 pixels wide through the centre, 9 pixels across.
        c, half, w = 9.5 * k, 4.5 * k, 1.6 * k
        for dx in (-half, half):
            draw.line([(c - dx, c - half), (c + dx, c + half)], fill=white, width=round(w))
    return big.resize((n, n), Image.BOX)


def save_jpeg(picture, path):
    # Baseline, YCbCr, no chroma subsampling: small glyphs keep clean edges.
    picture.convert("RGB").save(path, "JPEG", quality=95, subsampling=0,
                                progressive=False, optimize=False)


def make_banner_buttons():
    save_jpeg(banner_button("minimise", None), out("minimise-normal.jpg"))
    save_jpeg(banner_button("minimise", (112, 112, 255)), out("minimise-hover.jpg"))
    save_jpeg(banner_button("close", None), out("close-normal.jpg"))
    save_jpeg(banner_button("close", (226, 52, 62)), out("close-hover.jpg"))


def main():
    emblem = vector.load(out("emblem.json"))
    make_icons(emblem)
    make_logo(emblem)
    make_install_buttons()
    make_banner_buttons()


if __name__ == "__main__":
    main()
