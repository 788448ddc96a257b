#!/usr/bin/python3
"""Draws the window's sample pictures, the pictures owners upload and the program icon.

Run with Debian's Python (/usr/bin/python3) and its Pillow (python3-pil); the
text uses Noto Sans CJK from fonts-noto-cjk. Every output is a pure function
of this script, the font and Pillow's version, so rerunning it reproduces the
files byte for byte.

    /usr/bin/python3 scripts/draw-pictures.py [repo-root]

Writes resources/pictures/Image*.jpg, each beside its Image*@2x.jpg for
screens scaled above 100 %, resources/icons/shiputong.ico,
resources/icons/hicolor/<size>/apps/shiputong.png and, under
resources/samples/, the PNGs an owner uploads to the shop's image space
(these stay at one scale: the shop lays them out pixel for pixel):

    客服中心+售前客服-204x80.png   the contact block's heading: 客服中心 and 售前客服
    售后客服-40x80.png        the vertical 售后客服 banner
    投诉建议-40x80.png        the vertical banner beside the 旺旺客服 row
    (the banners are named after the captions of their address fields)
    头像A-50x50.png … 头像E-50x50.png   five service-staff avatars
    滚动条背景-950x80.png     the announcement strip's dark background
"""

import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/opentype/noto"
SANS_SC = 2        # face index of Noto Sans CJK SC inside the collection
MONO_SC = 7        # Noto Sans Mono CJK SC
SUPERSAMPLE = 3    # shapes are drawn large and scaled down for smooth edges
JPEG_QUALITY = 90
# At twice the pixels a flaw is half as big on screen: the 2x pictures take a
# lower quality, and colour at half resolution is as sharp as the 1x colour.
JPEG_QUALITY_2X = 82

_fonts = {}


def font(px, bold=False, mono=False):
    key = (px, bold, mono)
    if key not in _fonts:
        name = "NotoSansCJK-Bold.ttc" if bold else "NotoSansCJK-Regular.ttc"
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name), px,
                                         index=MONO_SC if mono else SANS_SC)
    return _fonts[key]


def rgb(hex_colour, alpha=None):
    h = hex_colour.lstrip("#")
    c = tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))
    return c if alpha is None else c + (alpha,)


class Sketch:
    """A canvas addressed in final 1x pixels, drawn SUPERSAMPLE times larger
    than the `scale` it is finally written at."""

    def __init__(self, width, height, background, scale=1):
        self.w, self.h, self.scale, self.s = width, height, scale, SUPERSAMPLE * scale
        self.im = Image.new("RGBA", (width * self.s, height * self.s), rgb(background, 255))
        self.d = ImageDraw.Draw(self.im)

    def _box(self, box):
        x0, y0, x1, y1 = box
        return [round(x0 * self.s), round(y0 * self.s), round(x1 * self.s) - 1, round(y1 * self.s) - 1]

    def _pts(self, pts):
        return [(round(x * self.s), round(y * self.s)) for x, y in pts]

    def _overlay(self):
        layer = Image.new("RGBA", self.im.size, (0, 0, 0, 0))
        return layer, ImageDraw.Draw(layer)

    def _paint(self, fill):
        # Translucent fills go through a layer so they blend instead of replace.
        return isinstance(fill, tuple) and len(fill) == 4 and fill[3] < 255

    def rect(self, box, fill=None, outline=None, width=1, radius=0):
        fill = rgb(fill) if isinstance(fill, str) else fill
        outline = rgb(outline) if isinstance(outline, str) else outline
        w = max(1, round(width * self.s)) if outline else 0
        r = round(radius * self.s)
        if self._paint(fill) or self._paint(outline):
            layer, d = self._overlay()
            d.rounded_rectangle(self._box(box), r, fill=fill, outline=outline, width=w)
            self.im.alpha_composite(layer)
        else:
            self.d.rounded_rectangle(self._box(box), r, fill=fill, outline=outline, width=w)

    def ellipse(self, box, fill=None, outline=None, width=1):
        fill = rgb(fill) if isinstance(fill, str) else fill
        outline = rgb(outline) if isinstance(outline, str) else outline
        w = max(1, round(width * self.s)) if outline else 0
        if self._paint(fill):
            layer, d = self._overlay()
            d.ellipse(self._box(box), fill=fill, outline=outline, width=w)
            self.im.alpha_composite(layer)
        else:
            self.d.ellipse(self._box(box), fill=fill, outline=outline, width=w)

    def polygon(self, pts, fill):
        fill = rgb(fill) if isinstance(fill, str) else fill
        self.d.polygon(self._pts(pts), fill=fill)

    def line(self, pts, fill, width=1):
        fill = rgb(fill) if isinstance(fill, str) else fill
        self.d.line(self._pts(pts), fill=fill, width=max(1, round(width * self.s)), joint="curve")

    def arc(self, box, start, end, fill, width=1):
        fill = rgb(fill) if isinstance(fill, str) else fill
        self.d.arc(self._box(box), start, end, fill=fill, width=max(1, round(width * self.s)))

    def hgradient(self, box, left, right):
        self._gradient(box, rgb(left), rgb(right), horizontal=True)

    def vgradient(self, box, top, bottom):
        self._gradient(box, rgb(top), rgb(bottom), horizontal=False)

    def _gradient(self, box, a, b, horizontal):
        x0, y0, x1, y1 = self._box(box)
        span = (x1 - x0) if horizontal else (y1 - y0)
        for i in range(span + 1):
            t = i / span if span else 0
            c = tuple(round(a[k] + (b[k] - a[k]) * t) for k in range(3))
            if horizontal:
                self.d.line([(x0 + i, y0), (x0 + i, y1)], fill=c)
            else:
                self.d.line([(x0, y0 + i), (x1, y0 + i)], fill=c)

    def text(self, xy, s, px, fill, bold=False, mono=False, anchor="la", clip=None):
        fill = rgb(fill) if isinstance(fill, str) else fill
        f = font(round(px * self.s), bold, mono)
        if clip is None:
            self.d.text(self._pts([xy])[0], s, font=f, fill=fill, anchor=anchor)
            return
        layer, d = self._overlay()
        d.text(self._pts([xy])[0], s, font=f, fill=fill, anchor=anchor)
        cx0, cy0, cx1, cy1 = self._box(clip)
        mask = Image.new("L", self.im.size, 0)
        ImageDraw.Draw(mask).rectangle([cx0, cy0, cx1, cy1], fill=255)
        alpha = Image.composite(layer.getchannel("A"), mask, mask)
        layer.putalpha(alpha)
        self.im.alpha_composite(layer)

    def vtext(self, centre_x, top, s, px, fill, bold=False, step=None):
        """Chinese set top to bottom, one character under the other."""
        step = step or px + 1
        for i, ch in enumerate(s):
            self.text((centre_x, top + i * step), ch, px, fill, bold, anchor="mt")

    def arrow(self, tail, head, fill, width=4, head_len=12, head_width=12, outline=None):
        """A straight arrow; an outline colour draws a halo for busy backgrounds."""
        (tx, ty), (hx, hy) = tail, head
        length = math.hypot(hx - tx, hy - ty)
        ux, uy = (hx - tx) / length, (hy - ty) / length
        px, py = -uy, ux
        bx, by = hx - ux * head_len, hy - uy * head_len

        def shape(grow):
            hw, ww = width / 2 + grow, head_width / 2 + grow
            return [(tx + px * hw - ux * grow, ty + py * hw - uy * grow),
                    (bx + px * hw, by + py * hw), (bx + px * ww, by + py * ww),
                    (hx + ux * grow * 1.6, hy + uy * grow * 1.6),
                    (bx - px * ww, by - py * ww), (bx - px * hw, by - py * hw),
                    (tx - px * hw - ux * grow, ty - py * hw - uy * grow)]
        if outline:
            self.polygon(shape(1.5), outline)
        self.polygon(shape(0), fill)

    def image(self, size=None):
        w, h = size or (self.w, self.h)
        return self.im.resize((w * self.scale, h * self.scale), Image.LANCZOS).convert("RGB")


# --------------------------------------------------------------------------
# Image1_0: the finished contact block at its real 948 x 80 size.

NICKNAMES = ["阿杰", "晓琳", "若曦", "子墨", "思涵", "雨萱", "浩然", "欣怡", "佳琪"]
# Rows share avatars the way the window's sample addresses do (A B A C D E A C A).
AVATAR_OF_ROW = "ABACDEACA"
AVATAR_COLOURS = {
    "A": ("#fbe3d3", "#e08a5e"),
    "B": ("#dde9f5", "#5f8fc4"),
    "C": ("#e3efdc", "#6ca35c"),
    "D": ("#ede2f1", "#9870ab"),
    "E": ("#f8edcb", "#cf9f34"),
}
BRAND = "#d9532c"
GREY_TEXT = "#878787"
BLOCK_BACK = "#fdf9f6"


def avatar(sk, x, y, letter):
    back, figure = AVATAR_COLOURS[letter]
    sk.rect((x, y, x + 50, y + 50), fill=back, radius=3)
    sk.ellipse((x + 16, y + 9, x + 34, y + 27), fill=figure)
    sk.rect((x + 9, y + 30, x + 41, y + 50), fill=figure, radius=12)
    sk.rect((x + 9, y + 44, x + 41, y + 50), fill=figure)
    # The live chat-status badge sits in the cell's bottom-right corner.
    sk.ellipse((x + 34, y + 34, x + 50, y + 50), fill="#ff8a1f", outline="#ffffff", width=1.5)
    sk.ellipse((x + 37.5, y + 38, x + 46.5, y + 45), fill="#ffffff")
    sk.polygon([(x + 39, y + 43.5), (x + 38, y + 47.5), (x + 42, y + 44.5)], "#ffffff")


def contact_group(sk, x, rows):
    for i, row in enumerate(rows):
        cx = x + i * 60
        avatar(sk, cx, 8, AVATAR_OF_ROW[row])
        sk.text((cx + 25, 68), NICKNAMES[row], 12, GREY_TEXT, anchor="mm")


def service_heading(sk):
    """The block's first 204 pixels: the service-centre badge and the pre-sales heading."""
    sk.vgradient((10, 12, 112, 68), "#e4683c", "#c9462a")
    sk.rect((10, 12, 112, 68), outline="#b43f25", width=1)
    sk.text((61, 33), "客服中心", 19, "#ffffff", bold=True, anchor="mm")
    sk.text((61, 54), "SERVICE", 10, "#fbd9c9", anchor="mm")
    sk.text((158, 30), "售前客服", 16, "#5a4a42", bold=True, anchor="mm")
    sk.line([(128, 44), (188, 44)], "#e6cfc2", 1)
    sk.text((158, 56), "在线咨询 ›", 11, BRAND, anchor="mm")


def side_banner(sk, x, title):
    sk.vgradient((x + 4, 6, x + 36, 74), "#f7e7dc", "#f1d6c6")
    sk.vtext(x + 20, 11, title, 13, BRAND, bold=True, step=15)


def draw_contact_block(scale):
    sk = Sketch(948, 80, BLOCK_BACK, scale)
    sk.rect((0, 0, 948, 80), outline="#cccccc", width=1)
    service_heading(sk)
    contact_group(sk, 204, [0, 1, 2, 3, 4])
    side_banner(sk, 494, "售后客服")
    contact_group(sk, 534, [5, 6, 7])
    side_banner(sk, 704, "旺旺客服")
    contact_group(sk, 744, [8])

    for y in range(12, 68, 4):  # dotted rule in the 22-pixel spacer cell
        sk.line([(805, y), (805, y + 2)], "#d8c9bf", 1)

    hours = ["工作时间", "上午9点到晚上10点", "如果不在可留或电话", "电话:15400000000"]
    for i, line in enumerate(hours):
        sk.text((875.5, 14 + i * 17), line, 12, GREY_TEXT, bold=(i == 0), anchor="mm")
    return sk.image()


# --------------------------------------------------------------------------
# Image2_0: the announcement strip (950 x 80) shown at 806 x 69.

STRIP_TEXT = "3月12日，禾木川舍开发了第一款专业版全屏轮播代码……"


def strip_background(sk):
    sk.vgradient((0, 0, 950, 80), "#2b2b30", "#141416")
    sk.line([(0, 1), (950, 1)], "#45454c", 1)
    sk.line([(0, 78.5), (950, 78.5)], "#000000", 1)
    # Megaphone in the 42-pixel lead cell.
    sk.polygon([(8, 32), (17, 32), (31, 21), (31, 59), (17, 48), (8, 48)], "#e8542b")
    sk.rect((11, 48, 18, 58), fill="#e8542b", radius=1)
    sk.line([(34.5, 33), (37, 40), (34.5, 47)], "#e8542b", 2)


def draw_strip(scale):
    sk = Sketch(950, 80, "#1c1c1f", scale)
    strip_background(sk)
    # A marquee caught mid-scroll: the text runs past the right edge of its cell.
    sk.text((96, 41), STRIP_TEXT, 40, "#ff0000", anchor="lm", clip=(47, 0, 923, 80))
    return sk.image((806, 69))


# --------------------------------------------------------------------------
# Image1_2: a poster of the carousel with its previous/next buttons.

def chevron(sk, cx, cy, pointing_left):
    d = -1 if pointing_left else 1
    sk.line([(cx - 4 * d, cy - 10), (cx + 5 * d, cy), (cx - 4 * d, cy + 10)], "#ffffff", 3)


def draw_poster(scale):
    sk = Sketch(638, 161, "#f7dcc8", scale)
    sk.hgradient((0, 0, 638, 161), "#fcece0", "#f1c4a6")
    for box in [(-40, 90, 120, 250), (380, -70, 560, 110), (520, 100, 620, 200)]:
        sk.ellipse(box, fill=(255, 255, 255, 70))

    sk.text((80, 44), "春季新品上市", 30, "#7b351b", bold=True, anchor="lm")
    sk.text((82, 80), "全场满199减30 · 限时三天", 13, "#9c5a3a", anchor="lm")
    sk.rect((82, 100, 176, 124), fill="#d9532c", radius=12)
    sk.text((129, 112), "立即抢购 ›", 12, "#ffffff", anchor="mm")

    # A gift box stands in for the product photo.
    sk.ellipse((388, 128, 548, 146), fill=(120, 60, 30, 50))
    sk.rect((410, 70, 528, 138), fill="#d9532c", radius=3)
    sk.rect((402, 56, 536, 76), fill="#c2462a", radius=3)
    sk.rect((461, 56, 477, 138), fill="#f3c74f")
    sk.ellipse((436, 34, 470, 58), outline="#f3c74f", width=6)
    sk.ellipse((468, 34, 502, 58), outline="#f3c74f", width=6)

    # Previous and next buttons, and the two navigation marks below.
    sk.rect((8, 56, 36, 106), fill=(0, 0, 0, 90), radius=4)
    sk.rect((602, 56, 630, 106), fill=(0, 0, 0, 90), radius=4)
    chevron(sk, 22, 81, True)
    chevron(sk, 616, 81, False)
    sk.rect((291, 145, 315, 150), fill="#ffffff", radius=2.5)
    sk.rect((323, 145, 347, 150), fill=(255, 255, 255, 120), radius=2.5)
    return sk.image()


# --------------------------------------------------------------------------
# Image1_1 / Image1_3: the editor's navigation bar with its edit button.
# The window writes a white installation hint across the top-left, so the
# editor's header band stays dark there. The edit button sits left of x 809,
# where the natural-size copy is cut off by its panel.

MENU = ["首页", "所有分类", "新品上市", "热销爆款", "店铺活动", "会员专区", "品牌故事"]


def draw_navigation_bar(scale):
    sk = Sketch(988, 87, "#eef0f3", scale)
    sk.vgradient((0, 0, 988, 38), "#2f343c", "#272b32")
    # Keep header details right of x 900: the hint spans up to x 894 when the
    # picture is stretched.
    sk.rect((914, 9, 976, 29), outline="#5b636e", width=1, radius=3)
    sk.text((945, 19), "发布站点", 11, "#aab2bd", anchor="mm")

    sk.vgradient((10, 46, 978, 80), "#c63e2d", "#a93122")
    x = 22
    for i, item in enumerate(MENU):
        w = 92 if i == 1 else 74
        if i == 1:
            # The category menu is a darker block with a drop-down mark; the
            # CJK font has no triangle, so it is drawn.
            sk.rect((x - 8, 46, x + w - 8, 80), fill="#8e2619")
            sk.text((x + (w - 16) / 2 - 7, 63), item, 14, "#ffffff", anchor="mm")
            sk.polygon([(x + w - 24, 61), (x + w - 16, 61), (x + w - 20, 66)], "#ffffff")
        else:
            sk.text((x + (w - 16) / 2, 63), item, 14, "#ffffff", anchor="mm")
        x += w + 6
    # The editor's hover outline and module toolbar.
    sk.rect((6, 42, 982, 84), outline="#ff9a2e", width=2)
    sk.rect((702, 49, 930, 77), fill="#ffffff", outline="#c9ced6", width=1, radius=3)
    sk.rect((708, 52, 764, 74), fill="#3b7ddd", radius=3)
    sk.text((736, 63), "编辑", 13, "#ffffff", bold=True, anchor="mm")
    for i, label in enumerate(["↑", "↓", "删除"]):
        sk.text((786 + i * 40, 63), label, 13, "#59606b", anchor="mm")
    sk.arrow((606, 63), (702, 63), "#ffd23f", width=6, head_len=16, head_width=20, outline="#3a2a10")
    return sk.image()


# --------------------------------------------------------------------------
# Image2_1: the navigation module's settings dialog.

CSS_SAMPLE = [".skin-box-bd .menu-list{background:url(…);}",
              ".skin-box-bd .menu-list .link:hover{…}"]


def draw_settings_dialog(scale):
    sk = Sketch(653, 186, "#e7e9ed", scale)
    sk.rect((6, 6, 651, 186), fill=(0, 0, 0, 28), radius=4)
    sk.rect((3, 3, 648, 183), fill="#ffffff", outline="#bfc5cf", width=1, radius=4)
    sk.vgradient((4, 4, 647, 30), "#f7f8fa", "#eceef2")
    sk.line([(4, 30.5), (647, 30.5)], "#d5d9e0", 1)
    sk.text((16, 17), "导航设置", 13, "#333a44", bold=True, anchor="lm")
    sk.text((632, 17), "×", 16, "#8a919c", anchor="mm")

    # Tabs: the first is the default page, the second holds the CSS box.
    sk.line([(12, 60.5), (640, 60.5)], "#cfd4dc", 1)
    sk.rect((14, 38, 92, 61), fill="#f2f3f6", outline="#cfd4dc", width=1, radius=2)
    sk.text((53, 49.5), "导航设置", 12, "#59606b", anchor="mm")
    sk.rect((96, 36, 174, 61), fill="#ffffff", outline="#cfd4dc", width=1, radius=2)
    sk.rect((96, 36, 174, 39), fill="#3b7ddd")
    sk.rect((97, 59, 173, 62), fill="#ffffff")
    sk.text((135, 49.5), "显示设置", 12, "#2c3440", bold=True, anchor="mm")

    sk.text((18, 78), "自定义CSS：", 12, "#4a515c", anchor="lm")
    sk.rect((96, 68, 452, 146), fill="#ffffff", outline="#aeb6c2", width=1, radius=2)
    for i, line in enumerate(CSS_SAMPLE):
        sk.text((104, 80 + i * 15), line, 10, "#a0a7b1", mono=True, anchor="lm")
    sk.line([(104, 110), (104, 122)], "#2c3440", 1)  # caret

    sk.rect((268, 154, 328, 176), fill="#3b7ddd", radius=3)
    sk.text((298, 165), "确定", 12, "#ffffff", anchor="mm")
    sk.rect((338, 154, 398, 176), fill="#ffffff", outline="#bfc5cf", width=1, radius=3)
    sk.text((368, 165), "取消", 12, "#4a515c", anchor="mm")

    red = "#e02b20"
    sk.arrow((290, 49), (180, 49), red, width=4, head_len=13, head_width=14)
    sk.ellipse((296, 40, 314, 58), fill=red)
    sk.text((305, 49), "1", 12, "#ffffff", bold=True, anchor="mm")
    sk.text((320, 49), "点开“显示设置”", 12, red, anchor="lm")
    sk.arrow((560, 107), (458, 107), red, width=4, head_len=13, head_width=14)
    sk.ellipse((566, 98, 584, 116), fill=red)
    sk.text((575, 107), "2", 12, "#ffffff", bold=True, anchor="mm")
    sk.text((548, 128), "右键粘贴代码", 12, red, anchor="mm")
    return sk.image()


# --------------------------------------------------------------------------
# Samples for the owner's image space: the pieces the contact block and the
# announcement strip are built from, drawn like the window's own pictures.

SKIN = "#f9dcc4"
HAIR = "#3e3330"


def headset(sk, colour, band, cups, mic_end):
    """Headband over the head, two ear cups and a boom ending at the mouth."""
    sk.arc(band, 180, 360, colour, 2.5)
    (l0, t, l1, b), (r0, _, r1, _) = cups
    sk.rect((l0, t, l1, b), fill=colour, radius=2)
    sk.rect((r0, t, r1, b), fill=colour, radius=2)
    sk.line([((l0 + l1) / 2, b - 1), ((l0 + l1) / 2 + 1, b + 3), mic_end], colour, 1.5)
    mx, my = mic_end
    sk.ellipse((mx - 2, my - 1.5, mx + 2, my + 1.5), fill=colour)


def face(sk):
    sk.rect((21.5, 29, 28.5, 38), fill=SKIN)
    sk.ellipse((16, 13, 34, 33), fill=SKIN)
    sk.ellipse((20, 21.5, 22.5, 24.5), fill=HAIR)
    sk.ellipse((27.5, 21.5, 30, 24.5), fill=HAIR)
    sk.line([(22, 27.5), (25, 29), (28, 27.5)], "#c8645a", 1.2)


def draw_avatar_sample(letter):
    """Five avatars told apart by shape as well as colour, without the status
    badge Image1_0 shows: the page puts the live chat badge over the picture."""
    back, figure = AVATAR_COLOURS[letter]
    sk = Sketch(50, 50, BLOCK_BACK)
    sk.rect((0, 0, 50, 50), fill=back, radius=3)
    if letter == "C":
        # No face at all: a headset on its own.
        sk.arc((11, 9, 39, 39), 180, 360, figure, 4)
        sk.rect((7, 21, 16, 35), fill=figure, radius=3)
        sk.rect((34, 21, 43, 35), fill=figure, radius=3)
        sk.line([(11.5, 34), (13, 40), (22, 42)], figure, 2.5)
        sk.ellipse((20, 39, 28, 45), fill=figure)
        return sk.image()
    if letter == "B":  # long hair falls behind the shoulders
        sk.rect((13, 12, 37, 42), fill=HAIR, radius=10)
    sk.rect((9, 38, 41, 62), fill=figure, radius=12)
    face(sk)
    if letter == "A":  # short hair and a headset
        sk.polygon([(15.5, 22), (16, 14), (22, 10), (30, 10.5), (34.5, 15), (34.5, 22),
                    (31, 16.5), (21, 17.5)], HAIR)
        headset(sk, figure, (13, 8, 37, 34), ((11, 18, 16, 27), (34, 18, 39, 27)), (22, 30.5))
    elif letter == "B":
        sk.polygon([(15.5, 24), (17, 14), (24, 10.5), (31, 12), (34.5, 18), (34.5, 24),
                    (29, 16), (22, 19)], HAIR)
        sk.ellipse((30, 10, 36, 15), fill=figure)  # hair clip
    elif letter == "D":  # a bun on top and a headset
        sk.ellipse((19.5, 3, 30.5, 13), fill=HAIR)
        sk.polygon([(15.5, 21), (17, 14), (25, 10.5), (33, 14), (34.5, 21), (25, 15.5)], HAIR)
        headset(sk, figure, (13, 8, 37, 34), ((11, 18, 16, 27), (34, 18, 39, 27)), (22, 30.5))
    else:  # E: side-parted hair and glasses
        sk.polygon([(15.5, 21), (15.5, 15), (20, 10.5), (30, 10), (34.5, 14), (34.5, 20),
                    (24, 14.5), (19, 18)], HAIR)
        for x0 in (18.25, 25.75):
            sk.ellipse((x0, 20, x0 + 6, 26), outline="#5a4a42", width=0.7)
        sk.line([(24.2, 22.5), (25.8, 22.5)], "#5a4a42", 0.7)
    return sk.image()


def draw_heading_sample():
    sk = Sketch(204, 80, BLOCK_BACK)
    service_heading(sk)
    return sk.image()


def draw_side_banner_sample(title):
    sk = Sketch(40, 80, BLOCK_BACK)
    side_banner(sk, 0, title)
    return sk.image()


def draw_strip_sample():
    # Only the strip itself: the page scrolls its red text over it.
    sk = Sketch(950, 80, "#1c1c1f")
    strip_background(sk)
    return sk.image()


def samples():
    out = {
        "客服中心+售前客服-204x80.png": draw_heading_sample(),
        "售后客服-40x80.png": draw_side_banner_sample("售后客服"),
        "投诉建议-40x80.png": draw_side_banner_sample("旺旺客服"),
    }
    for letter in "ABCDE":
        out["头像%s-50x50.png" % letter] = draw_avatar_sample(letter)
    out["滚动条背景-950x80.png"] = draw_strip_sample()
    return out


# --------------------------------------------------------------------------
# The icon: a warm rounded square with a white 饰.

# 256 for Windows at 200 % and the large views of Explorer and desktops.
ICON_SIZES = [16, 32, 48, 128, 256]


def draw_icon(size):
    # Geometry per size; small sizes fill more of the square to stay legible.
    inset, radius, glyph = {16: (0, 3, 14), 32: (1, 6, 25), 48: (2, 9, 36), 128: (6, 24, 92),
                            256: (12, 48, 184)}[size]
    big = 8
    back = Image.new("RGBA", (size * big, size * big), (0, 0, 0, 0))
    fill = Image.new("RGBA", back.size, (0, 0, 0, 0))
    fd = ImageDraw.Draw(fill)
    top, bottom = rgb("#f47a3c"), rgb("#d23f2a")
    for y in range(back.size[1]):
        t = y / (back.size[1] - 1)
        fd.line([(0, y), (back.size[0], y)],
                fill=tuple(round(top[k] + (bottom[k] - top[k]) * t) for k in range(3)) + (255,))
    mask = Image.new("L", back.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(
        [inset * big, inset * big, (size - inset) * big - 1, (size - inset) * big - 1],
        radius * big, fill=255)
    back.paste(fill, (0, 0), mask)
    icon = back.resize((size, size), Image.LANCZOS)

    # The glyph is rendered at its final size so FreeType's hinting keeps the
    # strokes crisp even at 16 pixels.
    f = font(glyph, bold=True)
    layer = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    ImageDraw.Draw(layer).text((size / 2, size / 2 + (0.5 if size <= 16 else 0)), "饰",
                               font=f, fill=(255, 255, 255, 255), anchor="mm")
    icon.alpha_composite(layer)
    return icon


def png_bytes(im):
    out = io.BytesIO()
    im.save(out, "PNG", optimize=True)
    return out.getvalue()


def row_pad(n):
    return (4 - n % 4) % 4


def and_mask(opaque, size):
    rows = []
    for y in reversed(range(size)):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if not opaque[y * size + x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits) + b"\0" * row_pad(len(bits)))
    return b"".join(rows)


def dib(im, bits):
    """One ICO image as a BITMAPINFOHEADER, palette, colour rows and AND mask."""
    size = im.size[0]
    alpha = im.getchannel("A").getdata()
    opaque = [a >= 128 for a in alpha]
    palette = b""
    if bits == 32:
        px = im.getdata()
        rows = []
        for y in reversed(range(size)):
            rows.append(b"".join(struct.pack("4B", *(px[y * size + x][2::-1] + (px[y * size + x][3],)))
                                 for x in range(size)))
        xor = b"".join(rows)
        colours = 0
    else:
        colours = 1 << bits
        # Masked pixels must be black; keep one palette slot for it and fill
        # them with an opaque colour meanwhile so they cost no other slot.
        solid = Image.new("RGB", im.size, rgb("#e0582f"))
        solid.paste(im.convert("RGB"), (0, 0), Image.eval(im.getchannel("A"), lambda a: 255 if a >= 128 else 0))
        q = solid.quantize(colours - 1, method=Image.Quantize.MEDIANCUT)
        pal = q.getpalette()[:3 * (colours - 1)]
        pal += [0] * (3 * (colours - 1) - len(pal))
        pal += [0, 0, 0]
        black = colours - 1
        palette = b"".join(struct.pack("4B", pal[i + 2], pal[i + 1], pal[i], 0) for i in range(0, len(pal), 3))
        idx = q.getdata()
        rows = []
        for y in reversed(range(size)):
            line = [idx[y * size + x] if opaque[y * size + x] else black for x in range(size)]
            if bits == 4:
                data = bytes((line[x] << 4) | line[x + 1] for x in range(0, size, 2))
            else:
                data = bytes(line)
            rows.append(data + b"\0" * row_pad(len(data)))
        xor = b"".join(rows)
    mask = and_mask(opaque, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, colours, 0)
    return header + palette + xor + mask


# Directory order: 16 colours, 256 colours, then true colour; large first.
ICO_ENTRIES = [(48, 4), (32, 4), (48, 8), (32, 8), (16, 8), (256, 32), (128, 32), (48, 32), (32, 32),
               (16, 32)]
# Windows reads its 256-pixel image as a PNG, which keeps it a tenth of a bitmap's size.
ICO_PNG_SIZE = 256


def ico_bytes(icons):
    blobs = [png_bytes(icons[size]) if size == ICO_PNG_SIZE else dib(icons[size], bits)
             for size, bits in ICO_ENTRIES]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (size, bits), blob in zip(ICO_ENTRIES, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# --------------------------------------------------------------------------

def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(path)


def jpeg_bytes(im, scale=1):
    out = io.BytesIO()
    if scale == 1:
        im.save(out, "JPEG", quality=JPEG_QUALITY, optimize=True, subsampling=0)
    else:
        im.save(out, "JPEG", quality=JPEG_QUALITY_2X, optimize=True, subsampling=2)
    return out.getvalue()


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    res = os.path.join(os.path.abspath(root), "resources")

    for scale, suffix in [(1, ""), (2, "@2x")]:
        navigation = jpeg_bytes(draw_navigation_bar(scale), scale)
        pictures = {
            "Image1_0": jpeg_bytes(draw_contact_block(scale), scale),
            "Image1_1": navigation,   # the same screenshot, shown stretched
            "Image1_2": jpeg_bytes(draw_poster(scale), scale),
            "Image1_3": navigation,
            "Image2_0": jpeg_bytes(draw_strip(scale), scale),
            "Image2_1": jpeg_bytes(draw_settings_dialog(scale), scale),
        }
        for name, data in pictures.items():
            write(os.path.join(res, "pictures", name + suffix + ".jpg"), data)

    for name, im in samples().items():
        write(os.path.join(res, "samples", name), png_bytes(im))

    icons = {size: draw_icon(size) for size in ICON_SIZES}
    write(os.path.join(res, "icons", "shiputong.ico"), ico_bytes(icons))
    for size in ICON_SIZES:
        write(os.path.join(res, "icons", "hicolor", "%dx%d" % (size, size), "apps", "shiputong.png"),
              png_bytes(icons[size]))


if __name__ == "__main__":
    main()
