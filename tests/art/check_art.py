#!/usr/bin/python3
"""Check the rendered pictures, icon and click sound that the program embeds.

    check_art.py RESOURCES_DIR

Reads RESOURCES_DIR/images and checks what the windows rely on: picture sizes at 1x
and 2x, opacity, the flat colours behind the transparent labels, the watermark's
alpha limit, the icon's frames and the click sound's format. Prints every failure
and exits with 1 if there is any.
"""
import os
import struct
import sys

# The same reader as scripts/render-art (Pillow), so both see the same pixels.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__)))), "scripts", "lib"))
from pictures import read_picture  # noqa: E402

failures = []


def fail(message):
    failures.append(message)


# -------------------------------------------------------------- pictures --

# name: (width, height, opaque) at 96 dpi; "@2x" files are twice as large.
PICTURES = {
    "BackgroundImage": (765, 500, True),
    "TopLogoImage": (400, 50, False),
    "NavButton1": (78, 27, False),
    "NavButton2": (85, 27, False),
    "NavButton3": (108, 27, False),
    "NavButton4": (99, 27, False),
    "BannerImage": (700, 60, True),
    "LargeIcon": (256, 256, False),
    "ImageList1_0": (16, 16, False),
    "ImageList1_1": (16, 16, False),
    "ImageList2_0": (16, 16, False),
}

# Transparent labels whose background colour must be the picture's colour behind them.
# Rectangles are (left, top, right, bottom) in client coordinates of the window, wide and
# tall enough for longer translations and for a larger system font.
PALE, SHELF, HELP, NAVY = (235, 243, 246), (146, 168, 197), (47, 83, 146), (0, 42, 114)
MAIN_LABELS = [
    ("NavLabel2", (16, 98, 182, 118), PALE),
    ("LinkLabel4", (16, 135, 182, 151), PALE),
    ("LinkLabel5", (16, 165, 182, 181), PALE),
    ("LinkLabel6", (16, 195, 182, 211), PALE),
    ("LinkLabel7", (16, 251, 182, 267), PALE),
    ("NavStatic1", (701, 22, 764, 38), HELP),
    ("NavStatic2", (502, 64, 556, 80), SHELF),
    ("NavStatic3", (587, 64, 664, 80), SHELF),
    ("NavStatic4", (695, 64, 764, 80), SHELF),
]
ABOUT_LABELS = [("BannerLabel", (48, 18, 420, 42), NAVY)]

# BackgroundImage is 765 wide but stretched into a 764-wide box at y = 2 of the window.
MAIN_BOX = (0, 2, 764, 500)

NAV_ICON_END = 26  # the 24-pixel icon, with its 2-pixel margin, ends here at 1x


def window_rect_to_picture(rect, box, picture):
    """Client rectangle to the picture pixels it covers (rounded outwards)."""
    left, top, width, height = box
    sx, sy = picture.width / width, picture.height / height
    x0, y0 = int((rect[0] - left) * sx), int((rect[1] - top) * sy)
    x1 = min(picture.width, -int(-(rect[2] - left) * sx))
    y1 = min(picture.height, -int(-(rect[3] - top) * sy))
    return x0, y0, x1, y1


def check_flat(picture, label, rect, colour, where):
    x0, y0, x1, y1 = rect
    wrong = 0
    first = None
    for y in range(y0, y1):
        for x in range(x0, x1):
            if picture.pixel(x, y) != colour + (255,):
                wrong += 1
                first = first or (x, y, picture.pixel(x, y))
    if wrong:
        fail("%s: %d pixels behind %s (picture rect %s) are not %s; first at (%d, %d) is %s"
             % (where, wrong, label, rect, colour, first[0], first[1], first[2]))


def check_pictures(images):
    loaded = {}
    for name, (width, height, opaque) in PICTURES.items():
        for scale, suffix in ((1, ""), (2, "@2x")):
            file_name = name + suffix + ".png"
            path = os.path.join(images, file_name)
            if not os.path.isfile(path):
                fail("%s is missing" % file_name)
                continue
            try:
                picture = read_picture(path)
            except (OSError, ValueError, SyntaxError) as error:
                fail("%s cannot be read: %s" % (file_name, error))
                continue
            loaded[file_name] = picture
            if (picture.width, picture.height) != (width * scale, height * scale):
                fail("%s is %d x %d, expected %d x %d" % (file_name, picture.width, picture.height,
                                                          width * scale, height * scale))
                continue
            alphas = bytes(picture.alphas())
            if opaque and min(alphas) != 255:
                fail("%s must be opaque; %d pixels are not" % (file_name,
                                                              sum(a != 255 for a in alphas)))
            if not opaque and (min(alphas) != 0 or max(alphas) == 0):
                fail("%s must have transparent parts and something drawn" % file_name)
            if name == "LargeIcon" and not 60 <= max(alphas) <= 77:
                fail("%s is a watermark: its alpha must peak between 60 and 77, not %d"
                     % (file_name, max(alphas)))
            if name.startswith("NavButton"):
                # The label lies right of the icon; nothing may be drawn under it.
                edge = NAV_ICON_END * scale
                if max(picture.alphas(edge, 0)) != 0:
                    fail("%s: everything right of x = %d must be transparent" % (file_name, edge))
                if max(picture.alphas(0, 0, edge)) < 200:
                    fail("%s: no icon at its left end" % file_name)

    for scale, suffix in ((1, ""), (2, "@2x")):
        background = loaded.get("BackgroundImage" + suffix + ".png")
        if background and background.width == 765 * scale:
            for label, rect, colour in MAIN_LABELS:
                check_flat(background, label,
                           window_rect_to_picture(rect, MAIN_BOX, background), colour,
                           "BackgroundImage" + suffix)
        banner = loaded.get("BannerImage" + suffix + ".png")
        if banner and banner.width == 700 * scale:
            for label, rect, colour in ABOUT_LABELS:
                check_flat(banner, label,
                           window_rect_to_picture(rect, (0, 0, 700, 60), banner), colour,
                           "BannerImage" + suffix)


# ------------------------------------------------------------------ icon --

ICON_FRAMES = sorted([(s, 8) for s in (16, 24, 32, 48)]
                     + [(s, 32) for s in (16, 24, 32, 48, 64, 128, 256)])


def check_icon(path):
    if not os.path.isfile(path):
        fail("Velotune.ico is missing")
        return
    with open(path, "rb") as f:
        blob = f.read()
    reserved, kind, count = struct.unpack("<HHH", blob[:6])
    if reserved != 0 or kind != 1:
        fail("Velotune.ico is not an icon file")
        return
    found = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack(
            "<BBBBHHII", blob[6 + 16 * i:22 + 16 * i])
        w, h = w or 256, h or 256
        data = blob[offset:offset + size]
        if offset + size > len(blob) or len(data) < 40:
            fail("Velotune.ico frame %d lies outside the file" % i)
            continue
        if data[:8] == b"\x89PNG\r\n\x1a\n":
            pw, ph, depth, colour_type = struct.unpack(">IIBB", data[16:26])
            actual = (pw, ph, 32 if (depth, colour_type) == (8, 6) else -1)
        else:
            header, bw, bh, _, bbits, _, _, _, _, used = struct.unpack("<IiiHHIIiiI", data[:36])
            if header != 40 or bh != 2 * bw:
                fail("Velotune.ico frame %d has a malformed bitmap header" % i)
                continue
            actual = (bw, bh // 2, bbits)
            row = (bw * bbits + 31) // 32 * 4
            mask_row = (bw + 31) // 32 * 4
            palette = 4 * (used or 256) if bbits == 8 else 0
            if len(data) != 40 + palette + row * bw + mask_row * bw:
                fail("Velotune.ico frame %d (%d px, %d bits) has %d bytes, expected %d"
                     % (i, bw, bbits, len(data), 40 + palette + row * bw + mask_row * bw))
            if bbits == 32:
                alpha = data[40 + 3:40 + row * bw:4]
                if min(alpha) != 0 or max(alpha) != 255:
                    fail("Velotune.ico frame %d (%d px) has no alpha channel in use" % (i, bw))
        if actual != (w, h, bits):
            fail("Velotune.ico frame %d: directory says %dx%d %d bits, image is %dx%d %d bits"
                 % ((i, w, h, bits) + actual))
        found.append((w, bits))
    if sorted(found) != ICON_FRAMES:
        fail("Velotune.ico has frames %s, expected %s" % (sorted(found), ICON_FRAMES))


# ----------------------------------------------------------------- sound --

def check_click(path):
    if not os.path.isfile(path):
        fail("click.wav is missing")
        return
    with open(path, "rb") as f:
        blob = f.read()
    if blob[:4] != b"RIFF" or blob[8:12] != b"WAVE":
        fail("click.wav is not a RIFF WAVE file")
        return
    if struct.unpack("<I", blob[4:8])[0] != len(blob) - 8:
        fail("click.wav: RIFF size does not match the file length")
    chunks, pos = {}, 12
    while pos + 8 <= len(blob):
        kind, size = struct.unpack("<4sI", blob[pos:pos + 8])
        chunks[kind] = blob[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    fmt = chunks.get(b"fmt ")
    if not fmt or len(fmt) < 16:
        fail("click.wav has no format chunk")
        return
    tag, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", fmt[:16])
    expected = (1, 1, 22050, 44100, 2, 16)
    if (tag, channels, rate, byte_rate, align, bits) != expected:
        fail("click.wav format is (tag, channels, rate, byte rate, align, bits) = %s, expected %s"
             % ((tag, channels, rate, byte_rate, align, bits), expected))
        return
    data = chunks.get(b"data", b"")
    if len(data) != 1079 * 2:
        fail("click.wav holds %d samples, expected 1079" % (len(data) // 2))
        return
    samples = struct.unpack("<1079h", data)
    peak = max(abs(s) for s in samples)
    if not 3000 <= peak < 32767:
        fail("click.wav peak %d: too quiet or clipping" % peak)
    # Starting or stopping away from zero is heard as a pop.
    if abs(samples[0]) > 64 or max(abs(s) for s in samples[-8:]) > 64:
        fail("click.wav must start and end at silence (first %d, last %s)"
             % (samples[0], samples[-8:]))


def main(argv):
    if len(argv) != 2:
        print("usage: check_art.py RESOURCES_DIR", file=sys.stderr)
        return 2
    images = os.path.join(argv[1], "images")
    check_pictures(images)
    check_icon(os.path.join(images, "Velotune.ico"))
    check_click(os.path.join(images, "click.wav"))
    for message in failures:
        print("FAIL: " + message, file=sys.stderr)
    if failures:
        print("%d problem(s) in %s" % (len(failures), images), file=sys.stderr)
        return 1
    print("art files OK")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
