#!/usr/bin/python3
"""Draws every skin image of the tool: the PNG resources, the application icon and bitmap 190.

Run with Debian's Python and Pillow (python3-pil):

    /usr/bin/python3 resources/generate_skins.py [--out DIR]

Without --out it rewrites the committed files next to this script (png/, NorvaneTaskwing.ico,
bitmap190.bmp). The output is deterministic: the same Pillow and font give the same bytes.
"""

import argparse
import io
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
SS = 4  # supersampling factor for shapes and text

# Palette.
NAVY = (8, 7, 57)
SLATE = (58, 68, 116)
DEEP_BLUE = (3, 2, 119)
WHITE = (255, 255, 255)
INK = (28, 33, 56)
MUTED = (104, 112, 134)
HAIRLINE = (228, 232, 241)
PROMPT_BAND = (239, 242, 248)

# Main background layout, in image pixels.
MAIN_BAND_H = 42
MAIN_HERO_BOTTOM = 232
MOVE_LEFT_RECT = (77, 240, 323, 287)
CENTRE_RECT = (77, 299, 323, 346)
MORE_TOOLS_RECT = (50, 545, 108, 563)
VERSION_RECT = (188, 16, 328, 31)
CLOSE_RECT = (368, 0, 394, 34)
MINIMIZE_RECT = (340, 0, 366, 34)

# Problem-solved window: the three answer bars, 266 x 60 each.
ANSWER_RECTS = [(67, 154, 333, 214), (67, 234, 333, 294), (67, 314, 333, 374)]
ANSWER_MARGIN = 9


# --------------------------------------------------------------------------- drawing helpers

def font(size):
    return ImageFont.truetype(CJK_FONT, size)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vgradient(size, top, bottom):
    """An RGB image whose rows blend from top to bottom."""
    w, h = size
    col = Image.new("RGB", (1, h))
    for y in range(h):
        col.putpixel((0, y), lerp(top, bottom, y / max(1, h - 1)))
    return col.resize((w, h), Image.NEAREST)


def shape_mask(size, draw_fn):
    """A smooth L mask: draw_fn(draw, s) paints at SS times the size, then it is box-filtered."""
    w, h = size
    big = Image.new("L", (w * SS, h * SS), 0)
    draw_fn(ImageDraw.Draw(big), SS)
    return big.resize((w, h), Image.BOX)


def rounded_mask(size, box, radius):
    x0, y0, x1, y1 = box
    return shape_mask(size, lambda d, s: d.rounded_rectangle(
        (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius=radius * s, fill=255))


def paint(img, colour, mask):
    """Alpha-composite a solid colour (or an image) through a mask onto an RGBA image."""
    if isinstance(colour, Image.Image):
        layer = colour.convert("RGBA")
    else:
        layer = Image.new("RGBA", img.size, colour + (255,))
    layer.putalpha(mask)
    img.alpha_composite(layer)


def text_mask(size, text, px, xy, anchor="la", weight=0.0):
    """Mask of one line of text; weight thickens strokes (in pixels) for a semibold look."""
    w, h = size
    big = Image.new("L", (w * SS, h * SS), 0)
    stroke = int(round(weight * SS))
    ImageDraw.Draw(big).text((xy[0] * SS, xy[1] * SS), text, font=font(px * SS), fill=255,
                             anchor=anchor, stroke_width=stroke, stroke_fill=255)
    return big.resize((w, h), Image.BOX)


def draw_text(img, text, px, xy, colour, anchor="la", weight=0.0):
    paint(img, colour, text_mask(img.size, text, px, xy, anchor, weight))


def text_width(text, px):
    return font(px * SS).getlength(text) / SS


def shadow_rim(size, inner, colour, peak, blur, offset=(0, 0), spread=0):
    """An RGBA image holding a soft shadow (or glow) around the inner rectangle."""
    w, h = size
    x0, y0, x1, y1 = inner
    ox, oy = offset
    mask = shape_mask(size, lambda d, s: d.rectangle(
        ((x0 - spread + ox) * s, (y0 - spread + oy) * s,
         (x1 + spread + ox) * s - 1, (y1 + spread + oy) * s - 1), fill=255))
    mask = mask.filter(ImageFilter.GaussianBlur(blur))
    mask = mask.point(lambda v: int(v * peak + 0.5))
    out = Image.new("RGBA", size, colour + (0,))
    out.putalpha(mask)
    return out


def shell_image(size, inner, child, colour=(6, 8, 40), peak=0.55, blur=2.2, offset=(0, 1)):
    """A layered shell: soft transparent rim around the opaque inner part, where the child
    window lies. The child's own picture is copied in so a rounding gap shows nothing odd."""
    img = shadow_rim(size, inner, colour, peak, blur, offset)
    img.paste(child.convert("RGBA"), inner[:2])
    return img


def windows_logo(img, box, colour):
    """Four squares of the Start button."""
    x0, y0, x1, y1 = box
    gap = (x1 - x0) * 0.1
    half = ((x1 - x0) - gap) / 2

    def draw(d, s):
        for cx in (x0, x0 + half + gap):
            for cy in (y0, y0 + half + gap):
                d.rounded_rectangle((cx * s, cy * s, (cx + half) * s - 1, (cy + half) * s - 1),
                                    radius=max(1, half * 0.18 * s), fill=255)
    paint(img, colour, shape_mask(img.size, draw))


# --------------------------------------------------------------------------- main window

def hero_picture(img):
    """A monitor whose taskbar shows the Start button at the left and, faded, in the centre,
    with an arrow between the two places."""
    # Monitor body and stand.
    body = (62, 54, 338, 206)
    screen = (70, 62, 330, 198)
    paint(img, (200, 208, 228), shape_mask(img.size, lambda d, s: d.polygon(
        [(186 * s, 205 * s), (214 * s, 205 * s), (222 * s, 222 * s), (178 * s, 222 * s)],
        fill=255)))
    paint(img, (176, 186, 210), rounded_mask(img.size, (146, 220, 254, 227), 3))
    shadow = shadow_rim(img.size, body, (30, 50, 120), 0.28, 5, offset=(0, 3))
    img.alpha_composite(shadow)
    paint(img, (34, 38, 56), rounded_mask(img.size, body, 9))

    # Wallpaper: a deep blue field with a soft bloom.
    sw, sh = screen[2] - screen[0], screen[3] - screen[1]
    wall = vgradient((sw, sh), (44, 96, 214), (26, 44, 140)).convert("RGBA")
    bloom = Image.new("L", (sw, sh), 0)
    bd = ImageDraw.Draw(bloom)
    bd.ellipse((sw * 0.28, sh * 0.05, sw * 0.72, sh * 0.95), fill=150)
    bd.ellipse((sw * 0.40, sh * 0.18, sw * 0.90, sh * 0.80), fill=90)
    bloom = bloom.filter(ImageFilter.GaussianBlur(16))
    glow = Image.new("RGBA", (sw, sh), (150, 200, 255, 0))
    glow.putalpha(bloom)
    wall.alpha_composite(glow)
    petals = Image.new("L", (sw * SS, sh * SS), 0)
    pd = ImageDraw.Draw(petals)
    cx, cy = sw * 0.56 * SS, sh * 0.46 * SS
    for i, (dx, dy, rx, ry) in enumerate([(-34, 0, 30, 12), (0, -14, 12, 26), (30, 4, 28, 11)]):
        pd.ellipse((cx + (dx - rx) * SS, cy + (dy - ry) * SS, cx + (dx + rx) * SS,
                    cy + (dy + ry) * SS), fill=70 + 20 * i)
    petals = petals.resize((sw, sh), Image.BOX).filter(ImageFilter.GaussianBlur(2))
    light = Image.new("RGBA", (sw, sh), (200, 225, 255, 0))
    light.putalpha(petals)
    wall.alpha_composite(light)
    screen_mask = Image.new("L", (sw, sh), 0)
    ImageDraw.Draw(screen_mask).rectangle((0, 0, sw - 1, sh - 1), fill=255)
    img.paste(wall, screen[:2])

    # Taskbar along the screen's bottom edge.
    bar = (screen[0], screen[3] - 26, screen[2], screen[3])
    paint(img, (240, 243, 250), shape_mask(img.size, lambda d, s: d.rectangle(
        (bar[0] * s, bar[1] * s, bar[2] * s - 1, bar[3] * s - 1), fill=255)))
    paint(img, (214, 220, 234), shape_mask(img.size, lambda d, s: d.rectangle(
        (bar[0] * s, bar[1] * s, bar[2] * s - 1, bar[1] * s + s - 1), fill=255)))
    mid_y = (bar[1] + bar[3]) / 2 + 0.5

    # Start at the left: highlighted.
    left_start = (bar[0] + 4, bar[1] + 3, bar[0] + 26, bar[3] - 3)
    lcx = (left_start[0] + left_start[2]) / 2
    paint(img, (206, 221, 250), rounded_mask(img.size, left_start, 4))
    windows_logo(img, (lcx - 6.5, mid_y - 6.5, lcx + 6.5, mid_y + 6.5), (0, 103, 214))

    # The centred group: Start (faded: its other place) and three app icons.
    step = 26
    icons_x = 200 - (4 * step - 4) / 2
    ghost = (icons_x, bar[1] + 3, icons_x + 22, bar[3] - 3)
    gcx = (ghost[0] + ghost[2]) / 2
    paint(img, (0, 103, 214), shape_mask(img.size, lambda d, s: d.rounded_rectangle(
        (ghost[0] * s, ghost[1] * s, ghost[2] * s - 1, ghost[3] * s - 1),
        radius=4 * s, outline=255, width=s)))
    faded = Image.new("RGBA", img.size, (0, 0, 0, 0))
    windows_logo(faded, (gcx - 6.5, mid_y - 6.5, gcx + 6.5, mid_y + 6.5), (0, 103, 214))
    faded.putalpha(faded.getchannel("A").point(lambda v: v * 40 // 100))
    img.alpha_composite(faded)
    x = gcx + step
    # Folder.
    paint(img, (236, 170, 36), rounded_mask(img.size, (x - 8, mid_y - 7, x + 8, mid_y + 6), 2))
    paint(img, (252, 204, 80), rounded_mask(img.size, (x - 8, mid_y - 3, x + 8, mid_y + 6), 2))
    x += step
    # Browser.
    paint(img, (0, 140, 214), shape_mask(img.size, lambda d, s: d.ellipse(
        ((x - 7.5) * s, (mid_y - 7.5) * s, (x + 7.5) * s, (mid_y + 7.5) * s), fill=255)))
    paint(img, (92, 212, 150), shape_mask(img.size, lambda d, s: d.ellipse(
        ((x - 3.5) * s, (mid_y - 3.5) * s, (x + 3.5) * s, (mid_y + 3.5) * s), fill=255)))
    x += step
    # Store.
    paint(img, (58, 68, 116), rounded_mask(img.size, (x - 7.5, mid_y - 6, x + 7.5, mid_y + 7), 2.5))
    windows_logo(img, (x - 4, mid_y - 2.5, x + 4, mid_y + 5.5), (120, 200, 255))

    # Tray: two short strokes for the clock.
    for dy, ww in ((-3.5, 24), (2.5, 18)):
        paint(img, (120, 128, 150), rounded_mask(
            img.size, (bar[2] - 8 - ww, mid_y + dy - 1, bar[2] - 8, mid_y + dy + 1), 1))

    # Double-headed arrow over the taskbar, between the two places of Start, and their names.
    ax0, ax1, ay = lcx, gcx, bar[1] - 7

    def arrow(d, s):
        d.arc((ax0 * s, (ay - 16) * s, ax1 * s, (ay + 16) * s), 198, 342,
              fill=255, width=int(2.4 * s))
        for tip, sign in ((ax0 + 1.5, 1), (ax1 - 1.5, -1)):
            ty = ay - 5
            d.polygon([(tip * s, (ty + 5) * s), ((tip - sign * 2) * s, (ty - 3.5) * s),
                       ((tip + sign * 6.5) * s, (ty + 0.5) * s)], fill=255)
    paint(img, (255, 208, 92), shape_mask(img.size, arrow))
    for cx, label in ((lcx + 4, "左侧"), (gcx, "居中")):
        tag = (cx - 17, ay - 40, cx + 17, ay - 24)
        paint(img, WHITE, rounded_mask(img.size, tag, 8))
        draw_text(img, label, 11, (cx, (tag[1] + tag[3]) / 2 + 0.5), (24, 74, 190),
                  anchor="mm", weight=0.3)


def main_background():
    w, h = 400, 600
    img = Image.new("RGBA", (w, h), WHITE + (255,))
    # Hero area: a pale blue wash fading into the white body.
    img.paste(vgradient((w, MAIN_HERO_BOTTOM - MAIN_BAND_H), (226, 234, 252), WHITE),
              (0, MAIN_BAND_H))
    deco = Image.new("L", (w, h), 0)
    dd = ImageDraw.Draw(deco)
    dd.ellipse((-80, 60, 90, 230), fill=40)
    dd.ellipse((320, 40, 470, 190), fill=34)
    deco = deco.filter(ImageFilter.GaussianBlur(6))
    deco.paste(0, (0, MAIN_HERO_BOTTOM - 20, w, h))
    deco = deco.filter(ImageFilter.GaussianBlur(8))
    deco.paste(0, (0, 0, w, MAIN_BAND_H))
    paint(img, (170, 196, 250), deco)
    hero_picture(img)

    # Title band: logo and name; the program writes the version at VERSION_RECT.
    img.paste(NAVY + (255,), (0, 0, w, MAIN_BAND_H))
    logo = app_icon(22)
    img.alpha_composite(logo, (12, 10))
    draw_text(img, "Taskwing", 15, (42, 15), WHITE, anchor="lm", weight=0.5)
    draw_text(img, "任务栏开始按钮工具", 10, (42.5, 30.5), (168, 176, 218), anchor="lm")

    # Usage notes between the buttons and "更多工具".
    panel = (40, 384, 360, 516)
    paint(img, (246, 248, 254), rounded_mask(img.size, panel, 8))
    paint(img, HAIRLINE, shape_mask(img.size, lambda d, s: d.rounded_rectangle(
        (panel[0] * s, panel[1] * s, panel[2] * s - 1, panel[3] * s - 1), radius=8 * s,
        outline=255, width=s)))
    draw_text(img, "使用说明", 13, (58, 406), INK, anchor="lm", weight=0.35)
    notes = [
        ("开始菜单左移", "开始按钮回到任务栏最左侧"),
        ("开始菜单居中", "恢复 Windows 11 默认的居中布局"),
        ("请先勾选“同意”", "再点击上方按钮执行操作"),
    ]
    for i, (head, tail) in enumerate(notes):
        y = 434 + i * 26
        paint(img, (60, 110, 236), shape_mask(img.size, lambda d, s, y=y: d.ellipse(
            (58 * s, (y - 2.5) * s, 63 * s, (y + 2.5) * s), fill=255)))
        draw_text(img, head, 12, (72, y), (52, 92, 200), anchor="lm", weight=0.2)
        draw_text(img, tail, 12, (72 + text_width(head, 12) + 8, y), MUTED, anchor="lm")
    draw_text(img, "适用于 Windows 11", 12, (200, 365), (150, 157, 176), anchor="mm")

    # A hairline above the agreement line; the bottom 25 pixels stay plain white.
    img.paste(HAIRLINE + (255,), (12, 569, w - 12, 570))
    return img.convert("RGB")


def op_button(bg, rect, caption, state, glyph):
    """One state of a 246 x 47 operation bar, drawn over the background piece it covers."""
    img = bg.crop(rect).convert("RGBA")
    size = img.size
    top, bottom, fg = {
        "normal": ((78, 132, 255), (36, 90, 228), WHITE),
        "hover": ((112, 160, 255), (62, 116, 244), WHITE),
        "pressed": ((34, 80, 206), (26, 62, 176), (226, 234, 255)),
        "disabled": ((204, 210, 222), (184, 191, 206), (244, 246, 250)),
    }[state]
    body = (0, 0, size[0], size[1])
    paint(img, vgradient(size, top, bottom), rounded_mask(size, body, 7))
    if state != "disabled":
        # A thin light edge along the top reads as a gentle bevel.
        paint(img, (255, 255, 255), shape_mask(size, lambda d, s: d.rounded_rectangle(
            (0, 0, size[0] * s - 1, size[1] * s - 1), radius=7 * s, outline=60, width=s)))
        paint(img, vgradient(size, top, bottom), rounded_mask(size, (1, 2, size[0] - 1, size[1]), 6))
    dy = 1 if state == "pressed" else 0
    tw = text_width(caption, 17)
    gx = (size[0] - (22 + 10 + tw)) / 2
    cy = size[1] / 2 + dy
    taskbar_glyph(img, (gx, cy - 8, gx + 22, cy + 8), fg, glyph)
    draw_text(img, caption, 17, (gx + 32, cy), fg, anchor="lm", weight=0.45)
    return img.convert("RGB")


def taskbar_glyph(img, box, colour, where):
    """A small screen outline with its taskbar and the Start square at the left or centre."""
    x0, y0, x1, y1 = box
    paint(img, colour, shape_mask(img.size, lambda d, s: d.rounded_rectangle(
        (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius=2.5 * s, outline=255,
        width=int(1.6 * s))))
    paint(img, colour, shape_mask(img.size, lambda d, s: d.rectangle(
        (x0 * s, (y1 - 5) * s, x1 * s - 1, (y1 - 4) * s), fill=255)))
    sx = x0 + 3 if where == "left" else (x0 + x1) / 2 - 2
    paint(img, colour, shape_mask(img.size, lambda d, s: d.rectangle(
        (sx * s, (y1 - 9.5) * s, (sx + 4) * s - 1, (y1 - 5.5) * s - 1), fill=255)))


def title_button(bg, rect, state, glyph):
    """Close or minimise on the navy band: the band piece with its glyph."""
    img = bg.crop(rect).convert("RGBA")
    w, h = img.size
    if state in ("hover", "pressed"):
        img.paste(SLATE + (255,), (0, 0, w, h))
    colour = {"normal": WHITE, "hover": WHITE, "pressed": (178, 184, 212),
              "disabled": (96, 98, 138)}[state]
    cx, cy = w / 2, h / 2

    def draw(d, s):
        if glyph == "close":
            r = 4.8
            d.line(((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), fill=255,
                   width=int(1.5 * s))
            d.line(((cx - r) * s, (cy + r) * s, (cx + r) * s, (cy - r) * s), fill=255,
                   width=int(1.5 * s))
        else:
            d.rectangle(((cx - 5.5) * s, (cy - 0.75) * s, (cx + 5.5) * s, (cy + 0.75) * s),
                        fill=255)
    paint(img, colour, shape_mask((w, h), draw))
    return img.convert("RGB")


def more_tools(state):
    w, h = 58, 18
    img = Image.new("RGBA", (w, h), WHITE + (255,))
    colour = {"normal": (150, 128, 230), "hover": (112, 78, 214), "pressed": WHITE,
              "disabled": (196, 196, 206)}[state]
    if state == "pressed":
        paint(img, (132, 100, 232), rounded_mask((w, h), (0, 0, w, h), 4))
    elif state == "hover":
        paint(img, (243, 239, 255), rounded_mask((w, h), (0, 0, w, h), 4))
    draw_text(img, "更多工具", 12, (w / 2, h / 2 + 0.5), colour, anchor="mm",
              weight=0.25 if state in ("hover", "pressed") else 0.0)
    return img.convert("RGB")


def checkbox_strip():
    img = Image.new("RGBA", (48, 16), (255, 255, 255, 0))
    for frame in range(3):
        x = frame * 16
        box = (x + 1, 1, x + 15, 15)
        paint(img, (150, 156, 170), rounded_mask(img.size, box, 3))
        paint(img, WHITE, rounded_mask(img.size, (box[0] + 1, 2, box[2] - 1, 14), 2))
        if frame == 1:
            paint(img, (34, 40, 72), shape_mask(img.size, lambda d, s, x=x: d.line(
                [((x + 4) * s, 8.2 * s), ((x + 6.8) * s, 11 * s), ((x + 12) * s, 5 * s)],
                fill=255, width=int(2 * s), joint="curve")))
        elif frame == 2:
            paint(img, (34, 40, 72), rounded_mask(img.size, (x + 4, 4, x + 12, 12), 1.5))
    return img


# --------------------------------------------------------------------------- prompt box

def prompt_background():
    w, h = 320, 140
    img = Image.new("RGBA", (w, h), WHITE + (255,))
    img.paste(PROMPT_BAND + (255,), (0, 0, w, 29))
    img.paste(HAIRLINE + (255,), (0, 29, w, 30))
    paint(img, (37, 99, 235), shape_mask(img.size, lambda d, s: d.ellipse(
        (11 * s, 7.5 * s, 26 * s, 22.5 * s), fill=255)))
    paint(img, WHITE, shape_mask(img.size, lambda d, s: (
        d.ellipse((17.4 * s, 10.6 * s, 19.6 * s, 12.8 * s), fill=255),
        d.rounded_rectangle((17.5 * s, 14 * s, 19.5 * s, 19.6 * s), radius=0.6 * s, fill=255))))
    draw_text(img, "提示", 13, (33, 15), INK, anchor="lm", weight=0.35)
    return img.convert("RGB")


def prompt_button(caption, primary, state):
    w, h = 55, 24
    img = Image.new("RGBA", (w, h), WHITE + (255,))
    body = (0, 0, w, h)
    if state == "third":
        field, border, fg = (198, 204, 214), None, WHITE if primary else (96, 102, 116)
        if not primary:
            field = (222, 226, 233)
    elif primary:
        field = (37, 99, 235) if state == "normal" else (72, 132, 250)
        border, fg = None, WHITE
    else:
        field = WHITE if state == "normal" else (238, 244, 255)
        border = (200, 206, 218) if state == "normal" else (72, 132, 250)
        fg = (60, 66, 84) if state == "normal" else (37, 99, 235)
    if border:
        paint(img, border, rounded_mask((w, h), body, 4))
        paint(img, field, rounded_mask((w, h), (1, 1, w - 1, h - 1), 3))
    else:
        paint(img, field, rounded_mask((w, h), body, 4))
    draw_text(img, caption, 12, (w / 2, h / 2 + 0.5), fg, anchor="mm", weight=0.25)
    return img.convert("RGB")


def prompt_close(state):
    img = Image.new("RGBA", (12, 12), PROMPT_BAND + (255,))
    field, colour = {"normal": (None, (84, 124, 226)),
                     "hover": ((224, 231, 246), (37, 99, 235)),
                     "pressed": ((208, 217, 238), (22, 64, 176))}[state]
    if field:
        paint(img, field, rounded_mask((12, 12), (0, 0, 12, 12), 2))

    def draw(d, s):
        d.line((2.8 * s, 2.8 * s, 9.2 * s, 9.2 * s), fill=255, width=int(1.4 * s))
        d.line((2.8 * s, 9.2 * s, 9.2 * s, 2.8 * s), fill=255, width=int(1.4 * s))
    paint(img, colour, shape_mask((12, 12), draw))
    return img.convert("RGB")


# --------------------------------------------------------------------------- progress window

def progress_background():
    w, h = 204, 104
    img = vgradient((w, h), (40, 96, 226), (24, 58, 170)).convert("RGBA")
    for y, a in ((7, 90), (8, 40), (h - 9, 40), (h - 8, 90)):
        band = Image.new("RGBA", (w - 24, 1), (190, 215, 255, a))
        img.alpha_composite(band, (12, y))
    # The panel is square-edged and opaque: its window shows every pixel as drawn.
    return img


def progress_shell(child):
    size, inner = (232, 132), (14, 12, 218, 116)
    glow = shadow_rim(size, inner, (70, 130, 255), 0.85, 5.5, spread=1)
    halo = shadow_rim(size, inner, (120, 170, 255), 0.35, 9, spread=3)
    img = Image.alpha_composite(halo, glow)
    img.paste(child, inner[:2])
    return img


# --------------------------------------------------------------------------- problem-solved window

def problem_solving_background():
    w, h = 400, 468
    img = vgradient((w, h), (246, 249, 255), WHITE).convert("RGBA")
    img.paste(DEEP_BLUE + (255,), (0, 0, w, 30))
    img.alpha_composite(app_icon(16), (10, 7))
    draw_text(img, "Taskwing", 13, (32, 15), WHITE, anchor="lm", weight=0.35)
    draw_text(img, "使用反馈", 12, (32 + text_width("Taskwing", 13) + 8, 15.5), (178, 184, 230),
              anchor="lm")

    # A speech bubble with a question mark above the question.
    cx, cy = 200, 66
    paint(img, (222, 232, 254), shape_mask(img.size, lambda d, s: d.ellipse(
        ((cx - 26) * s, (cy - 26) * s, (cx + 26) * s, (cy + 26) * s), fill=255)))
    paint(img, (37, 99, 235), shape_mask(img.size, lambda d, s: (
        d.rounded_rectangle(((cx - 16) * s, (cy - 13) * s, (cx + 16) * s, (cy + 11) * s),
                            radius=7 * s, fill=255),
        d.polygon([((cx - 7) * s, (cy + 9) * s), ((cx - 10) * s, (cy + 18) * s),
                   ((cx + 1) * s, (cy + 9) * s)], fill=255))))
    draw_text(img, "?", 19, (cx, cy - 1), WHITE, anchor="mm", weight=0.6)

    draw_text(img, "您的问题解决了吗？", 20, (cx, 114), INK, anchor="mm", weight=0.55)
    draw_text(img, "请选择本次使用的结果，帮助我们把工具做得更好", 12, (cx, 140), MUTED,
              anchor="mm")
    draw_text(img, "感谢您使用 Taskwing", 12, (cx, 418), (150, 157, 176), anchor="mm")
    return img.convert("RGB")


def answer_button(caption, palette, state, glyph):
    w, h = 266, 60
    m = ANSWER_MARGIN
    img = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    colours = {
        "blue": {"normal": ((76, 134, 250), (40, 96, 230)),
                 "hover": ((110, 162, 255), (66, 122, 246)),
                 "pressed": ((34, 80, 204), (26, 62, 172))},
        "sky": {"normal": ((62, 154, 242), (28, 118, 222)),
                "hover": ((98, 180, 252), (54, 144, 238)),
                "pressed": ((22, 96, 188), (18, 76, 156))},
        "slate": {"normal": ((116, 130, 156), (82, 96, 122)),
                  "hover": ((138, 152, 178), (104, 118, 146)),
                  "pressed": ((70, 82, 106), (56, 68, 90))},
    }[palette]
    if state == "disabled":
        top, bottom, fg = (212, 218, 228), (196, 203, 215), (246, 248, 251)
    else:
        (top, bottom), fg = colours[state], WHITE
    bar = (m, m, w - m, h - m)
    paint(img, vgradient((w, h), top, bottom), rounded_mask((w, h), bar, 10))
    if state != "disabled":
        paint(img, WHITE, shape_mask((w, h), lambda d, s: d.rounded_rectangle(
            (m * s, m * s, (w - m) * s - 1, (h - m) * s - 1), radius=10 * s, outline=60,
            width=s)))
        paint(img, vgradient((w, h), top, bottom), rounded_mask((w, h), (m + 1, m + 2, w - m - 1, h - m), 9))
    dy = 1 if state == "pressed" else 0
    tw = text_width(caption, 16)
    gx = (w - (16 + 8 + tw)) / 2
    cy = h / 2 + dy
    answer_glyph(img, (gx, cy - 8, gx + 16, cy + 8), fg, glyph)
    draw_text(img, caption, 16, (gx + 24, cy), fg, anchor="lm", weight=0.4)
    return img


def answer_glyph(img, box, colour, glyph):
    x0, y0, x1, y1 = box

    def draw(d, s):
        if glyph == "tick":
            d.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), outline=255, width=int(1.5 * s))
            d.line([((x0 + 4.2) * s, (y0 + 8.3) * s), ((x0 + 7) * s, (y0 + 11) * s),
                    ((x0 + 11.8) * s, (y0 + 5.2) * s)], fill=255, width=int(1.7 * s),
                   joint="curve")
        elif glyph == "chat":
            d.rounded_rectangle((x0 * s, (y0 + 1) * s, x1 * s - 1, (y1 - 3) * s),
                                radius=3.5 * s, outline=255, width=int(1.5 * s))
            d.polygon([((x0 + 3) * s, (y1 - 3.5) * s), ((x0 + 3) * s, (y1 + 0.5) * s),
                       ((x0 + 8) * s, (y1 - 3.5) * s)], fill=255)
            for k in range(3):
                px = x0 + 4.5 + k * 3.5
                d.ellipse(((px - 0.9) * s, (y0 + 6.1) * s, (px + 0.9) * s, (y0 + 7.9) * s),
                          fill=255)
        else:
            d.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), outline=255, width=int(1.5 * s))
            for k in range(3):
                px = x0 + 4.5 + k * 3.5
                d.ellipse(((px - 1) * s, (y0 + 7) * s, (px + 1) * s, (y0 + 9) * s), fill=255)
    paint(img, colour, shape_mask(img.size, draw))


def problem_close(state):
    img = Image.new("RGBA", (12, 12), DEEP_BLUE + (255,))
    if state in ("hover", "pressed"):
        paint(img, (40, 50, 160), rounded_mask((12, 12), (0, 0, 12, 12), 2))
    colour = {"normal": WHITE, "hover": WHITE, "pressed": (186, 190, 226),
              "disabled": (96, 96, 170)}[state]

    def draw(d, s):
        d.line((2.8 * s, 2.8 * s, 9.2 * s, 9.2 * s), fill=255, width=int(1.4 * s))
        d.line((2.8 * s, 9.2 * s, 9.2 * s, 2.8 * s), fill=255, width=int(1.4 * s))
    paint(img, colour, shape_mask((12, 12), draw))
    return img.convert("RGB")


# --------------------------------------------------------------------------- icon and bitmap

def app_icon(size):
    """The application mark: a navy tile with a taskbar whose Start button swings left."""
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    r = size * 0.22
    tile = vgradient((size, size), (44, 62, 190), NAVY)
    paint(img, tile, rounded_mask((size, size), (0, 0, size, size), r))
    u = size / 16.0
    bar_top = size - 5.2 * u
    paint(img, (236, 240, 252), rounded_mask(
        (size, size), (2 * u, bar_top, size - 2 * u, size - 2 * u), 1.2 * u))
    windows_logo(img, (3.2 * u, bar_top + 0.7 * u, 5.6 * u, bar_top + 3.1 * u)
                 if size < 24 else (3 * u, bar_top + 0.65 * u, 5.9 * u, bar_top + 3.55 * u),
                 (0, 103, 214))
    for k in range(3 if size >= 24 else 2):
        x = 8 * u + k * 2 * u
        paint(img, (150, 160, 190), rounded_mask(
            (size, size), (x, bar_top + 1.2 * u, x + 1.2 * u, bar_top + 2.6 * u), 0.3 * u))

    # An arrow sweeping from the centre to the left above the taskbar; a plain one when tiny.
    def small_arrow(d, s):
        y = 6.6 * u
        d.rectangle((6.2 * u * s, (y - 0.9 * u) * s, 12.4 * u * s, (y + 0.9 * u) * s), fill=255)
        d.polygon([(3.0 * u * s, y * s), (7.0 * u * s, (y - 3.2 * u) * s),
                   (7.0 * u * s, (y + 3.2 * u) * s)], fill=255)
    if size < 32:
        paint(img, (255, 210, 90), shape_mask((size, size), small_arrow))
        return img

    def arrow(d, s):
        d.arc((4.2 * u * s, 4.2 * u * s, 12.5 * u * s, 12.5 * u * s), 200, 330,
              fill=255, width=max(s, int(1.5 * u * s)))
        tip = (4.5 * u, 7.6 * u)
        d.polygon([(tip[0] * s, (tip[1] + 2.4 * u) * s), ((tip[0] - 1.6 * u) * s, tip[1] * s),
                   ((tip[0] + 1.9 * u) * s, (tip[1] - 0.6 * u) * s)], fill=255)
    paint(img, (255, 210, 90), shape_mask((size, size), arrow))
    return img


def write_ico(path, sizes):
    """Classic icon directory: 32-bit DIBs for the small sizes, PNG for 256 (as Windows does)."""
    frames = []
    for n in sizes:
        im = app_icon(n)
        if n >= 256:
            buf = io.BytesIO()
            im.save(buf, "PNG", optimize=False)
            data = buf.getvalue()
        else:
            header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
            b, g, r, a = (im.getchannel(c) for c in "BGRA")
            pixels = Image.merge("RGBA", (b, g, r, a)).transpose(Image.FLIP_TOP_BOTTOM)
            mask_row = ((n + 31) // 32) * 4
            and_mask = bytearray()
            alpha = im.getchannel("A").transpose(Image.FLIP_TOP_BOTTOM)
            for y in range(n):
                row = bytearray(mask_row)
                for x in range(n):
                    if alpha.getpixel((x, y)) == 0:
                        row[x // 8] |= 0x80 >> (x % 8)
                and_mask += row
            data = header + pixels.tobytes() + bytes(and_mask)
        frames.append((n, data))
    out = struct.pack("<HHH", 0, 1, len(frames))
    offset = 6 + 16 * len(frames)
    for n, data in frames:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in frames:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def bitmap190():
    img = Image.new("RGBA", (48, 48), WHITE + (255,))
    img.alpha_composite(app_icon(40), (4, 4))
    return img.convert("RGB")


# --------------------------------------------------------------------------- the table

def build_all():
    """Every PNG resource: (id, file name, image)."""
    bg = main_background()
    images = [(138, "main_shell", shell_image((410, 611), (5, 4, 405, 604), bg)),
              (139, "main_bk", bg)]
    states = ("normal", "hover", "pressed", "disabled")
    for i, st in enumerate(states):
        images.append((140 + i, "centre_" + st,
                       op_button(bg, CENTRE_RECT, "开始菜单居中", st, "centre")))
    images.append((144, "checkbox", checkbox_strip()))
    for i, st in enumerate(states):
        images.append((145 + i, "close_" + st, title_button(bg, CLOSE_RECT, st, "close")))
    child = progress_background()
    images.append((149, "execute_prompt_shell", progress_shell(child)))
    images.append((150, "execute_prompt_bk", child))
    for i, st in enumerate(states):
        images.append((151 + i, "move_left_" + st,
                       op_button(bg, MOVE_LEFT_RECT, "开始菜单左移", st, "left")))
    for i, st in enumerate(states):
        images.append((155 + i, "minimize_" + st,
                       title_button(bg, MINIMIZE_RECT, st, "minimize")))
    for i, st in enumerate(states):
        images.append((159 + i, "answer_other_" + st, answer_button("其他", "sky", st, "more")))
    for i, st in enumerate(states):
        images.append((163 + i, "more_tools_" + st, more_tools(st)))
    prompt = prompt_background()
    images.append((167, "prompt_shell", shell_image((330, 150), (5, 3, 325, 143), prompt,
                                                    peak=0.5, blur=2.0)))
    images.append((168, "prompt_bk", prompt))
    three = ("normal", "hover", "third")
    for base, name, caption, primary in ((169, "prompt_cancel", "取消", False),
                                         (175, "prompt_no", "否", False),
                                         (178, "prompt_confirm", "确认", True),
                                         (181, "prompt_yes", "是", True)):
        for i, st in enumerate(three):
            images.append((base + i, "%s_%s" % (name, ("normal", "hover", "pressed")[i]),
                           prompt_button(caption, primary, st)))
    for i, st in enumerate(("normal", "hover", "pressed")):
        images.append((172 + i, "prompt_close_" + st, prompt_close(st)))
    solved = problem_solving_background()
    images.append((184, "problem_solving_shell",
                   shell_image((410, 479), (5, 4, 405, 472), solved)))
    images.append((185, "problem_solving_bk", solved))
    for i, st in enumerate(states):
        images.append((186 + i, "problem_solving_close_" + st, problem_close(st)))
    for i, st in enumerate(states):
        images.append((191 + i, "answer_solved_" + st,
                       answer_button("问题已解决，继续保持！", "blue", st, "tick")))
    for i, st in enumerate(states):
        images.append((196 + i, "answer_unsolved_" + st,
                       answer_button("问题未解决，我要吐槽！", "slate", st, "chat")))
    return sorted(images, key=lambda t: t[0])


def save_png(img, path):
    # No metadata, fixed compression: identical bytes on every run.
    img.save(path, "PNG", optimize=False, compress_level=9)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=here, help="folder that receives png/, the .ico, the .bmp")
    args = parser.parse_args(argv)
    png_dir = os.path.join(args.out, "png")
    os.makedirs(png_dir, exist_ok=True)
    for rid, name, img in build_all():
        save_png(img, os.path.join(png_dir, name + ".png"))
    write_ico(os.path.join(args.out, "NorvaneTaskwing.ico"), (16, 24, 32, 48, 256))
    bitmap190().save(os.path.join(args.out, "bitmap190.bmp"), "BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
