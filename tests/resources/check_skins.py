#!/usr/bin/python3
"""Checks the committed skins against the resource table and the program's layout, and that the
generator reproduces them byte for byte.

Usage: check_skins.py <resources dir> [unittest test names...]
"""

import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

RES = None  # set from argv

# id range -> (width, height, alpha), as the resource table gives them.
TABLE = {}
for first, last, w, h, alpha in [
        (138, 138, 410, 611, True), (139, 139, 400, 600, False), (140, 143, 246, 47, False),
        (144, 144, 48, 16, True), (145, 148, 26, 34, False), (149, 149, 232, 132, True),
        (150, 150, 204, 104, True), (151, 154, 246, 47, False), (155, 158, 26, 34, False),
        (159, 162, 266, 60, True), (163, 166, 58, 18, False), (167, 167, 330, 150, True),
        (168, 168, 320, 140, False), (169, 171, 55, 24, False), (172, 174, 12, 12, False),
        (175, 177, 55, 24, False), (178, 180, 55, 24, False), (181, 183, 55, 24, False),
        (184, 184, 410, 479, True), (185, 185, 400, 468, False), (186, 189, 12, 12, False),
        (191, 194, 266, 60, True), (196, 199, 266, 60, True)]:
    for rid in range(first, last + 1):
        TABLE[rid] = (w, h, alpha)


def read(path, mode="r"):
    with open(path, mode, **({} if "b" in mode else {"encoding": "utf-8"})) as f:
        return f.read()


def defines():
    text = read(os.path.join(RES, "resource.h"))
    return {name: int(value, 0)
            for name, value in re.findall(r"^#define\s+(\w+)\s+(0x[0-9A-Fa-f]+|\d+)\s*$", text, re.M)}


def rc_entries(kind):
    """{id: file} for the .rc lines '<id or name> <kind> "<file>"'."""
    names = defines()
    out = {}
    for key, path in re.findall(r'^\s*(\w+)\s+%s\s+"([^"]+)"' % kind,
                                read(os.path.join(RES, "NorvaneTaskwing.rc")), re.M):
        rid = int(key) if key.isdigit() else names[key]
        assert rid not in out, "id %d declared twice" % rid
        out[rid] = path
    return out


def ihdr(path):
    data = read(path, "rb")
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG"
    length, kind = struct.unpack(">I4s", data[8:16])
    assert kind == b"IHDR" and length == 13
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    return width, height, depth, colour


class PngTable(unittest.TestCase):
    def test_every_id_present_with_its_size_and_colour_type(self):
        pngs = rc_entries("PNG")
        self.assertEqual(sorted(pngs), sorted(TABLE), "PNG ids in the .rc")
        for rid, (w, h, alpha) in sorted(TABLE.items()):
            with self.subTest(id=rid):
                width, height, depth, colour = ihdr(os.path.join(RES, pngs[rid]))
                self.assertEqual((width, height), (w, h))
                self.assertEqual(depth, 8)
                # Colour type 6 is RGBA, 2 is RGB.
                self.assertEqual(colour, 6 if alpha else 2)

    def test_every_file_is_named_once_and_ids_match_the_header(self):
        pngs = rc_entries("PNG")
        on_disk = {"png/" + f for f in os.listdir(os.path.join(RES, "png"))}
        self.assertEqual(on_disk, set(pngs.values()), "files in png/ versus the .rc")
        self.assertEqual(len(set(pngs.values())), len(pngs), "one file per id")
        for name, value in defines().items():
            if name.startswith("IDB_PNG_"):
                self.assertIn(value, TABLE, name)

    def test_icon_and_bitmap(self):
        names = defines()
        icons, bitmaps = rc_entries("ICON"), rc_entries("BITMAP")
        self.assertEqual(names["IDR_MAINFRAME"], 128)
        self.assertEqual(sorted(icons), [128])
        self.assertEqual(sorted(bitmaps), [190])
        self.assertNotIn(190, rc_entries("PNG"))
        ico = read(os.path.join(RES, icons[128]), "rb")
        reserved, kind, count = struct.unpack("<HHH", ico[:6])
        self.assertEqual((reserved, kind), (0, 1))
        sizes = []
        for i in range(count):
            w, h, _, _, planes, bits, size, offset = struct.unpack(
                "<BBBBHHII", ico[6 + 16 * i:22 + 16 * i])
            self.assertEqual((w, planes, bits), (h, 1, 32))
            self.assertLessEqual(offset + size, len(ico))
            sizes.append(w or 256)
        self.assertEqual(sorted(sizes), [16, 24, 32, 48, 256])
        bmp = read(os.path.join(RES, bitmaps[190]), "rb")
        self.assertEqual(bmp[:2], b"BM")
        self.assertEqual(struct.unpack("<I", bmp[2:6])[0], len(bmp))


class SkinLayout(unittest.TestCase):
    """The pictures must fit the windows that draw them."""

    @classmethod
    def setUpClass(cls):
        from PIL import Image  # Pillow is required: without it this fails, it is not skipped
        pngs = rc_entries("PNG")
        cls.img = {rid: Image.open(os.path.join(RES, path)) for rid, path in pngs.items()}

    def test_shells_are_opaque_under_the_child_and_fade_out_at_the_rim(self):
        # shell id: inner rectangle the child covers, in image pixels
        for rid, (x0, y0, x1, y1) in {138: (5, 4, 405, 604), 167: (5, 3, 325, 143),
                                      184: (5, 4, 405, 472), 149: (14, 12, 218, 116)}.items():
            with self.subTest(id=rid):
                alpha = self.img[rid].getchannel("A")
                self.assertEqual(alpha.crop((x0, y0, x1, y1)).getextrema(), (255, 255))
                w, h = alpha.size
                for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                    self.assertLess(alpha.getpixel(corner), 40, corner)
                # The rim is soft: some pixels are neither clear nor opaque.
                rim = [alpha.getpixel((x, h // 2)) for x in range(x0)]
                self.assertTrue(any(0 < a < 255 for a in rim), rim)

    def test_answer_bars_sit_inside_a_clear_nine_pixel_margin(self):
        for rid in (159, 160, 161, 162, 191, 192, 193, 194, 196, 197, 198, 199):
            with self.subTest(id=rid):
                alpha = self.img[rid].getchannel("A")
                w, h = alpha.size
                for box in ((0, 0, w, 9), (0, h - 9, w, h), (0, 0, 9, h), (w - 9, 0, w, h)):
                    self.assertEqual(alpha.crop(box).getextrema(), (0, 0), box)
                self.assertEqual(alpha.crop((30, 15, w - 30, h - 15)).getextrema(), (255, 255))

    def test_opaque_child_backgrounds(self):
        # 150 carries an alpha channel but its window is opaque: every pixel must be solid.
        self.assertEqual(self.img[150].getchannel("A").getextrema(), (255, 255))

    def test_main_background_keeps_the_program_drawn_spots_plain(self):
        bg = self.img[139].convert("RGB")
        # The version label writes white text at (188, 16, 328, 31) over the navy band.
        self.assertEqual(bg.crop((188, 16, 328, 31)).getcolors(), [(140 * 15, (8, 7, 57))])
        # Check box and links are drawn on white along the bottom 25 pixels.
        self.assertEqual(bg.crop((0, 575, 400, 600)).getcolors(), [(400 * 25, (255, 255, 255))])

    def test_buttons_blend_into_the_background_around_them(self):
        bg = self.img[139].convert("RGB")
        # (ids, rectangle in the main background)
        for ids, (x0, y0, x1, y1) in (((145, 148), (368, 0, 394, 34)),
                                      ((155, 158), (340, 0, 366, 34)),
                                      ((151, 152, 153, 154), (77, 240, 323, 287)),
                                      ((140, 141, 142, 143), (77, 299, 323, 346)),
                                      ((163, 166), (50, 545, 108, 563))):
            piece = bg.crop((x0, y0, x1, y1))
            for rid in ids:
                with self.subTest(id=rid):
                    img = self.img[rid].convert("RGB")
                    w, h = img.size
                    for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                        self.assertEqual(img.getpixel(corner), piece.getpixel(corner), corner)
        # The band behind the title buttons is plain navy, so their normal look continues it.
        self.assertEqual(bg.crop((340, 0, 400, 34)).getcolors(), [(60 * 34, (8, 7, 57))])

    def test_check_box_frames_differ_and_frame_one_is_the_ticked_box(self):
        strip = self.img[144].convert("RGBA")
        frames = [strip.crop((16 * i, 0, 16 * i + 16, 16)).tobytes() for i in range(3)]
        self.assertEqual(len(set(frames)), 3)
        # The empty box is light inside; the ticked one has dark ink in its middle.
        lum = lambda px: sum(px[:3]) / 3
        self.assertGreater(lum(strip.getpixel((8, 8))), 200)
        ticked_dark = [lum(strip.getpixel((16 + x, y))) < 120 for x in range(4, 12) for y in range(4, 12)]
        self.assertTrue(any(ticked_dark))


class Regeneration(unittest.TestCase):
    def test_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            run = subprocess.run([sys.executable, os.path.join(RES, "generate_skins.py"),
                                  "--out", out], capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            made = sorted(os.path.relpath(os.path.join(d, f), out)
                          for d, _, fs in os.walk(out) for f in fs)
            committed = sorted(["NorvaneTaskwing.ico", "bitmap190.bmp"] +
                               ["png/" + f for f in os.listdir(os.path.join(RES, "png"))])
            self.assertEqual(made, committed)
            for rel in made:
                with self.subTest(file=rel):
                    self.assertEqual(read(os.path.join(out, rel), "rb"),
                                     read(os.path.join(RES, rel), "rb"),
                                     "regenerate with resources/generate_skins.py and commit")


if __name__ == "__main__":
    RES = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
