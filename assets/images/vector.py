"""Renders the small layered vector descriptions of this folder (emblem.json)
into RGBA pictures of any size.

Each layer is drawn as a binary mask at a supersampled size, filled, stroked
on the inside, composited over the layers before it, and the result is box
filtered down to the requested size, which gives clean anti-aliased edges.
"""

import json

import numpy as np
from PIL import Image, ImageDraw

SUPERSAMPLE = 8


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def _colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def _draw_part(draw, part, scale):
    def s(v):
        return v * scale

    if "rect" in part:
        x0, y0, x1, y1 = (s(v) for v in part["rect"])
        r = s(part.get("r", 0))
        # Pillow's box is inclusive; one supersampled pixel less keeps the
        # edges exactly on the unit grid.
        draw.rounded_rectangle([x0, y0, x1 - 1, y1 - 1], radius=r, fill=255)
    elif "poly" in part:
        draw.polygon([(s(x), s(y)) for x, y in part["poly"]], fill=255)
    elif "ellipse" in part:
        x0, y0, x1, y1 = (s(v) for v in part["ellipse"])
        draw.ellipse([x0, y0, x1 - 1, y1 - 1], fill=255)
    elif "arc" in part:
        x0, y0, x1, y1 = (s(v) for v in part["arc"])
        draw.arc([x0, y0, x1 - 1, y1 - 1], part["from"], part["to"], fill=255,
                 width=max(1, round(s(part["w"]))))
    else:
        raise ValueError(f"unknown part {part}")


def _erode(mask, steps):
    """Shrinks a boolean mask by `steps` pixels with an octagonal element
    (alternating square and cross steps), close enough to a disc that
    strokes keep their width on slanted and round edges."""
    m = mask.copy()
    for i in range(steps):
        p = np.pad(m, 1, constant_values=False)
        cross = p[1:-1, :-2] & p[1:-1, 2:] & p[:-2, 1:-1] & p[2:, 1:-1] & m
        if i % 2 == 0:
            cross &= p[:-2, :-2] & p[:-2, 2:] & p[2:, :-2] & p[2:, 2:]
        m = cross
    return m


def _fill(spec, height):
    if isinstance(spec, str):
        return np.array(_colour(spec), dtype=np.float64)
    top = np.array(_colour(spec["top"]), dtype=np.float64)
    bottom = np.array(_colour(spec["bottom"]), dtype=np.float64)
    t = (np.arange(height, dtype=np.float64) + 0.5) / height
    return (top[None, :] * (1 - t[:, None]) + bottom[None, :] * t[:, None])[:, None, :]


def render(description, size, stroke_scale=1.0):
    """The description rendered as a size x size RGBA picture. Stroke and
    inset widths are multiplied by stroke_scale (for a picture that is shown
    scaled down)."""
    k = SUPERSAMPLE
    big = size * k
    scale = big / description["box"]
    # Premultiplied accumulator: colour * alpha and alpha, in 0..1.
    acc_c = np.zeros((big, big, 3))
    acc_a = np.zeros((big, big))
    masks = {}
    for layer in description["layers"]:
        if "sizes" in layer and size not in layer["sizes"]:
            continue
        img = Image.new("L", (big, big), 0)
        draw = ImageDraw.Draw(img)
        for part in layer["parts"]:
            _draw_part(draw, part, scale)
        mask = np.array(img) > 127
        masks[layer["name"]] = mask
        if "clip" in layer:
            names = layer["clip"] if isinstance(layer["clip"], list) else [layer["clip"]]
            clip = np.zeros_like(mask)
            for name in names:
                if name in masks:
                    clip |= masks[name]
            mask &= _erode(clip, round(layer.get("inset_px", 0) * stroke_scale * k))
        colour = np.broadcast_to(_fill(layer["fill"], big), (big, big, 3)) / 255.0
        if "stroke" in layer:
            inner = _erode(mask, round(layer["stroke"]["px"] * stroke_scale * k))
            ring = mask & ~inner
            colour = np.where(ring[:, :, None],
                              np.array(_colour(layer["stroke"]["color"])) / 255.0, colour)
        alpha = mask * float(layer.get("opacity", 1.0))
        acc_c = colour * alpha[:, :, None] + acc_c * (1 - alpha[:, :, None])
        acc_a = alpha + acc_a * (1 - alpha)
    # Box filter down (premultiplied), then un-premultiply.
    c = acc_c.reshape(size, k, size, k, 3).mean(axis=(1, 3))
    a = acc_a.reshape(size, k, size, k).mean(axis=(1, 3))
    safe = np.where(a > 0, a, 1)
    rgb = np.clip(c / safe[:, :, None] * 255 + 0.5, 0, 255)
    out = np.dstack([rgb, np.clip(a * 255 + 0.5, 0, 255)]).astype(np.uint8)
    out[a == 0] = 0
    return Image.fromarray(out, "RGBA")
