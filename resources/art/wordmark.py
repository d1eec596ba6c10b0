#!/usr/bin/python3
"""Print the outline of a word set in an installed font as one SVG path.

The word mark in top-logo.svg is stored as outlines so that rendering does not
depend on the fonts of the machine. Re-create it with (Debian: python3-fonttools,
fonts-dejavu-extra):

    wordmark.py /usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf Velotune 28 0.5

Arguments: font file, text, cap height in pixels, extra tracking in pixels.
The path starts at x = 0 with its baseline at y = 0.
"""
import sys

from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont


def outline(font_file, text, cap_height, tracking):
    font = TTFont(font_file)
    glyphs = font.getGlyphSet()
    cmap = font.getBestCmap()
    os2 = font["OS/2"]
    cap = getattr(os2, "sCapHeight", 0) or font["head"].unitsPerEm * 0.72
    scale = cap_height / cap
    pen = SVGPathPen(glyphs, ntos=lambda v: "%.2f" % v)
    x = 0.0
    for ch in text:
        name = cmap[ord(ch)]
        glyph = glyphs[name]
        glyph.draw(TransformPen(pen, (scale, 0, 0, -scale, x, 0)))
        x += glyph.width * scale + tracking
    return pen.getCommands(), x - tracking


if __name__ == "__main__":
    d, width = outline(sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4]))
    print('<!-- width %.2f -->' % width)
    print('<path d="%s"/>' % d)
