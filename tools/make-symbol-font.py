#!/usr/bin/python3
"""Builds the mana symbol font "ZandorSymbols" (resources/fonts/ZandorSymbols.ttf).

Run with the Python that has FontForge's module (Debian: python3-fontforge):
    /usr/bin/python3 tools/make-symbol-font.py [OUT.ttf]

Every cost symbol ("B", "U", "G", "R", "W", "T", "0".."9", "X", and the "(", "/", ")" of
hybrid costs) is drawn black inside one square cell and advances by the same width, so a cost line steps evenly by the width of
"W" or of "1". "o" is the filled disc behind a symbol: it covers the whole cell but does
not advance, so "o1o1..." puts a disc under every cell of a cost.
"""
import math
import os
import sys

import fontforge

EM = 1000
ASCENT = 800
DESCENT = 200
ADVANCE = 1000
CX, CY = 500, 300          # centre of the cell
DISC = 470                 # radius of the disc; the cell spans y -200..800
KAPPA = 0.5522847498


def circle(pen, cx, cy, r, clockwise=True):
    k = KAPPA * r
    if clockwise:
        pts = [(cx, cy + r), (cx + r, cy), (cx, cy - r), (cx - r, cy)]
        ctrl = [((cx + k, cy + r), (cx + r, cy + k)), ((cx + r, cy - k), (cx + k, cy - r)),
                ((cx - k, cy - r), (cx - r, cy - k)), ((cx - r, cy + k), (cx - k, cy + r))]
    else:
        pts = [(cx, cy + r), (cx - r, cy), (cx, cy - r), (cx + r, cy)]
        ctrl = [((cx - k, cy + r), (cx - r, cy + k)), ((cx - r, cy - k), (cx - k, cy - r)),
                ((cx + k, cy - r), (cx + r, cy - k)), ((cx + r, cy + k), (cx + k, cy + r))]
    pen.moveTo(pts[0])
    for i in range(4):
        (c1, c2) = ctrl[i]
        pen.curveTo(c1, c2, pts[(i + 1) % 4])
    pen.closePath()


def polygon(pen, pts):
    pen.moveTo(pts[0])
    for p in pts[1:]:
        pen.lineTo(p)
    pen.closePath()


def arc_points(cx, cy, rx, ry, a0, a1, n=24):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def polyline(pen, pts):
    pen.moveTo(pts[0])
    for p in pts[1:]:
        pen.lineTo(p)
    pen.endPath()


def new_glyph(font, ch, advance=ADVANCE):
    names = {" ": "space", "(": "parenleft", ")": "parenright", "/": "slash", "0": "zero", "1": "one", "2": "two", "3": "three", "4": "four",
             "5": "five", "6": "six", "7": "seven", "8": "eight", "9": "nine"}
    g = font.createChar(ord(ch), names.get(ch, ch))
    g.clear()
    g.width = advance
    return g


def finish(g, holes=None):
    g.removeOverlap()
    if holes:
        pen = g.glyphPen(replace=False)
        holes(pen)
        pen = None
    g.correctDirection()
    g.round()


# Digits and X are strokes along centre lines inside this box.
BOX_L, BOX_R, BOX_B, BOX_T = 345, 655, 40, 560
STROKE = 105


def box(u, v):
    return (BOX_L + (BOX_R - BOX_L) * u, BOX_B + (BOX_T - BOX_B) * v)


def box_arc(cu, cv, ru, rv, a0, a1, n=28):
    return [box(cu + ru * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
                cv + rv * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


DIGITS = {
    "0": [box_arc(0.5, 0.5, 0.5, 0.5, 90, 450, 40)],
    "1": [[box(0.22, 0.78), box(0.55, 1.0), box(0.55, 0.0)], [box(0.2, 0.0), box(0.9, 0.0)]],
    "2": [box_arc(0.5, 0.72, 0.46, 0.28, 165, -35) + [box(0.02, 0.0), box(1.0, 0.0)]],
    "3": [box_arc(0.48, 0.76, 0.44, 0.24, 150, -90) + box_arc(0.48, 0.27, 0.5, 0.27, 90, -150)],
    "4": [[box(0.72, 0.0), box(0.72, 1.0), box(0.0, 0.3), box(1.0, 0.3)]],
    "5": [[box(0.92, 1.0), box(0.15, 1.0), box(0.08, 0.56)] +
          box_arc(0.48, 0.33, 0.48, 0.33, 135, -150)],
    "6": [box_arc(0.5, 0.3, 0.46, 0.3, 0, 360, 36), box_arc(0.58, 0.45, 0.5, 0.52, 180, 72)],
    "7": [[box(0.0, 1.0), box(1.0, 1.0), box(0.35, 0.0)]],
    "8": [box_arc(0.5, 0.77, 0.38, 0.23, 0, 360, 32), box_arc(0.5, 0.27, 0.46, 0.27, 0, 360, 36)],
    "9": [box_arc(0.5, 0.7, 0.46, 0.3, 0, 360, 36), box_arc(0.42, 0.55, 0.5, 0.52, 0, -108)],
    "X": [[box(0.0, 1.0), box(1.0, 0.0)], [box(0.0, 0.0), box(1.0, 1.0)]],
    # Hybrid costs such as (2/R) keep one cell per character, so their discs line up.
    "(": [box_arc(1.1, 0.5, 0.7, 0.6, 125, 235, 16)],
    ")": [box_arc(-0.1, 0.5, 0.7, 0.6, 55, -55, 16)],
    "/": [[box(0.85, 1.05), box(0.15, -0.05)]],
}


def stroked(font, ch, lines):
    g = new_glyph(font, ch)
    pen = g.glyphPen()
    for pts in lines:
        polyline(pen, pts)
    pen = None
    g.stroke("circular", STROKE, "round", "round")
    g.removeOverlap()
    g.simplify(1.0)
    g.correctDirection()
    g.round()


def sun(font):
    g = new_glyph(font, "W")
    pen = g.glyphPen()
    circle(pen, CX, CY, 135)
    for i in range(8):
        a = math.radians(90 + 45 * i)
        side = math.radians(11)
        polygon(pen, [(CX + 360 * math.cos(a), CY + 360 * math.sin(a)),
                      (CX + 175 * math.cos(a - side), CY + 175 * math.sin(a - side)),
                      (CX + 175 * math.cos(a + side), CY + 175 * math.sin(a + side))][::-1])
    pen = None
    finish(g)


def drop(font):
    g = new_glyph(font, "U")
    pen = g.glyphPen()
    r, cy, apex = 215, 195, 680
    circle(pen, CX, cy, r)
    t = math.degrees(math.acos(r / (apex - cy)))
    left = (CX + r * math.cos(math.radians(90 + t)), cy + r * math.sin(math.radians(90 + t)))
    right = (CX + r * math.cos(math.radians(90 - t)), cy + r * math.sin(math.radians(90 - t)))
    polygon(pen, [(CX, apex), right, (CX, cy), left])
    pen = None

    def shine(pen):
        circle(pen, 430, 170, 55, clockwise=False)

    finish(g, shine)


def skull(font):
    g = new_glyph(font, "B")
    pen = g.glyphPen()
    circle(pen, CX, 400, 255)
    polygon(pen, [(375, 260), (375, 70), (625, 70), (625, 260)][::-1])
    pen = None

    def holes(pen):
        circle(pen, 405, 390, 72, clockwise=False)
        circle(pen, 595, 390, 72, clockwise=False)
        polygon(pen, [(500, 305), (460, 235), (540, 235)])
        for x in (440, 500, 560):
            polygon(pen, [(x - 14, 85), (x + 14, 85), (x + 14, 175), (x - 14, 175)])

    finish(g, holes)


def flame(font):
    g = new_glyph(font, "R")
    pen = g.glyphPen()
    pen.moveTo((500, -10))
    pen.curveTo((330, -10), (250, 110), (265, 250))
    pen.curveTo((280, 400), (420, 470), (400, 640))
    pen.curveTo((520, 560), (540, 480), (545, 400))
    pen.curveTo((600, 450), (640, 520), (650, 580))
    pen.curveTo((730, 450), (750, 300), (740, 230))
    pen.curveTo((725, 90), (640, -10), (500, -10))
    pen.closePath()
    pen = None

    def tongue(pen):
        pen.moveTo((500, 60))
        pen.curveTo((580, 60), (640, 130), (630, 220))
        pen.curveTo((620, 300), (560, 330), (555, 380))
        pen.curveTo((520, 330), (440, 300), (420, 230))
        pen.curveTo((405, 140), (430, 60), (500, 60))
        pen.closePath()

    finish(g, tongue)


def tree(font):
    g = new_glyph(font, "G")
    pen = g.glyphPen()
    polygon(pen, [(455, -40), (455, 200), (545, 200), (545, -40)])
    circle(pen, 500, 500, 165)
    circle(pen, 365, 345, 150)
    circle(pen, 635, 345, 150)
    circle(pen, 500, 300, 150)
    pen = None
    finish(g)


def tap(font):
    g = new_glyph(font, "T")
    pen = g.glyphPen()
    outer, inner = 300, 195
    start, end = 100, -200  # clockwise from near the top round to the right
    pts = arc_points(CX, CY, outer, outer, start, end, 40)
    pts += arc_points(CX, CY, inner, inner, end, start, 40)
    polygon(pen, pts)
    mid = (outer + inner) / 2
    a = math.radians(start)
    base_a = (CX + (outer + 80) * math.cos(a), CY + (outer + 80) * math.sin(a))
    base_b = (CX + (inner - 80) * math.cos(a), CY + (inner - 80) * math.sin(a))
    # The arrow turns clockwise; its head points along the arc's direction of travel.
    direction = (math.sin(a), -math.cos(a))
    tip = (CX + mid * math.cos(a) + 170 * direction[0], CY + mid * math.sin(a) + 170 * direction[1])
    polygon(pen, [base_a, tip, base_b])
    pen = None
    finish(g)


def disc(font):
    g = new_glyph(font, "o", advance=0)
    pen = g.glyphPen()
    circle(pen, CX, CY, DISC)
    pen = None
    finish(g)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "fonts", "ZandorSymbols.ttf")
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.fontname = "ZandorSymbols"
    font.familyname = "ZandorSymbols"
    font.fullname = "ZandorSymbols"
    font.weight = "Regular"
    font.copyright = "Zandor Library project; made by tools/make-symbol-font.py"
    font.version = "1.0"
    font.em = EM
    font.ascent = ASCENT
    font.descent = DESCENT
    for attr in ("os2_winascent_add", "os2_windescent_add", "os2_typoascent_add",
                 "os2_typodescent_add", "hhea_ascent_add", "hhea_descent_add"):
        setattr(font, attr, False)
    font.os2_winascent = ASCENT
    font.os2_windescent = DESCENT
    font.os2_typoascent = ASCENT
    font.os2_typodescent = -DESCENT
    font.os2_typolinegap = 0
    font.hhea_ascent = ASCENT
    font.hhea_descent = -DESCENT
    font.hhea_linegap = 0

    new_glyph(font, " ", advance=250)
    notdef = font.createChar(-1, ".notdef")
    notdef.width = ADVANCE
    for ch, lines in DIGITS.items():
        stroked(font, ch, lines)
    sun(font)
    drop(font)
    skull(font)
    flame(font)
    tree(font)
    tap(font)
    disc(font)
    font.generate(out, flags=("opentype",))
    print("wrote", os.path.normpath(out))


main()
