#!/usr/bin/python3
"""Generate core/FontYF01.cpp, the shape table of the built-in stroke font YF01.SHP.

The glyphs of the ASCII letters, digits and signs come from the Hershey simplex
Roman font (Debian package hershey-fonts-data, file rowmans.jhf); the Czech
letters of Windows-1250 are composed from their base letters and accents drawn
here; the diameter and plus-minus signs are drawn here too. A few rows (header,
line feed, blank, minus, full stop, degree) are fixed by the font's design and
kept byte for byte.

Font units: capital height 100 above the baseline, descender 34.
Every row is "code,count,byte,byte,..." with count = number of bytes.

Run:  /usr/bin/python3 scripts/gen_yf01.py [path/to/rowmans.jhf] > core/FontYF01.cpp
"""
import sys

JHF = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/hershey-fonts/rowmans.jhf"

# Hershey simplex: capitals run from y=-12 to the baseline y=9 (y grows down).
BASE_Y = 9
SCALE = 100.0 / 21.0

FIXED = {
    0: "0,4,100,34,0,0",
    10: "10,8,2,8,0,156,8,0,166,0",
    32: "32,5,2,8,80,0,0",
    45: "45,13,2,8,12,50,1,8,66,0,2,8,12,206,0",
    46: "46,14,2,8,24,0,1,32,36,40,44,2,8,26,0,0",
    176: "176,28,2,8,20,80,1,8,0,-10,12,32,0,127,8,0,10,12,-32,0,127,2,8,40,-80,0",
}

CODES = ([0, 10, 32, 33, 34, 35, 37, 38] + list(range(40, 59)) + [60, 61, 62, 63]
         + list(range(65, 91)) + list(range(97, 123))
         + [138, 141, 142, 154, 157, 158, 164, 176, 177, 193, 200, 201, 204, 205, 207,
            210, 211, 216, 217, 218, 221, 225, 232, 233, 236, 237, 239, 242, 243, 248,
            249, 250, 253])
assert len(CODES) == 116


class Glyph:
    """Strokes in font units: each stroke is [start, seg, seg, ...]; a segment is
    (x, y) for a line or (x, y, h) for a bulge arc (h = 127 tan(angle / 4))."""

    def __init__(self, strokes, adv):
        self.strokes = strokes
        self.adv = adv

    def ink(self):
        xs = [p[0] for s in self.strokes for p in s]
        ys = [p[1] for s in self.strokes for p in s]
        return min(xs), max(xs), min(ys), max(ys)

    def plus(self, strokes, adv=None):
        return Glyph(self.strokes + strokes, self.adv if adv is None else adv)


def read_hershey(path):
    glyphs = {}
    code = 32
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip():
                continue
            data = line[8:]
            left = ord(data[0]) - ord("R")
            right = ord(data[1]) - ord("R")
            strokes, cur = [], []
            for i in range(2, len(data) - 1, 2):
                pair = data[i:i + 2]
                if pair == " R":
                    if len(cur) > 1:
                        strokes.append(cur)
                    cur = []
                    continue
                x = (ord(pair[0]) - ord("R") - left) * SCALE
                y = (BASE_Y - (ord(pair[1]) - ord("R"))) * SCALE
                cur.append((x, y))
            if len(cur) > 1:
                strokes.append(cur)
            glyphs[code] = Glyph(strokes, (right - left) * SCALE)
            code += 1
    return glyphs


def split_move(dx, dy):
    """Split an integer move into steps that fit signed bytes."""
    n = max(1, -(-max(abs(dx), abs(dy)) // 127))
    steps = []
    for i in range(n):
        sx = dx * (i + 1) // n - dx * i // n
        sy = dy * (i + 1) // n - dy * i // n
        steps.append((sx, sy))
    return steps


def encode(code, g):
    out = []
    px, py = 0, 0

    def rnd(v):
        return int(round(v))

    def move(x, y):
        nonlocal px, py
        dx, dy = x - px, y - py
        if dx or dy:
            for sx, sy in split_move(dx, dy):
                out.extend([8, sx, sy])
        px, py = x, y

    for stroke in g.strokes:
        out.append(2)
        move(rnd(stroke[0][0]), rnd(stroke[0][1]))
        out.append(1)
        run = []  # pending line deltas for one code-9 command

        def flush():
            if run:
                out.append(9)
                for d in run:
                    out.extend(d)
                out.extend([0, 0])
                run.clear()

        for seg in stroke[1:]:
            x, y = rnd(seg[0]), rnd(seg[1])
            dx, dy = x - px, y - py
            if len(seg) == 3:
                flush()
                assert -127 <= dx <= 127 and -127 <= dy <= 127
                out.extend([12, dx, dy, seg[2]])
                px, py = x, y
            elif dx or dy:
                run.extend(split_move(dx, dy))
                px, py = x, y
        flush()
    out.append(2)
    move(rnd(g.adv), 0)
    out.append(0)
    for b in out:
        assert -128 <= b <= 255
    return "%d,%d,%s" % (code, len(out), ",".join(str(b) for b in out))


# --- accents -------------------------------------------------------------

def caron(cx, y0):
    return [[(cx - 9, y0 + 13), (cx, y0), (cx + 9, y0 + 13)]]


def acute(cx, y0):
    return [[(cx - 3, y0), (cx + 6, y0 + 14)]]


def ring(cx, y0):
    r = 6
    return [[(cx - r, y0 + r), (cx + r, y0 + r, 127), (cx - r, y0 + r, 127)]]


def apostrophe(x, top):
    # The caron of d and t: a short stroke right of the ascender.
    return [[(x + 10, top), (x + 6, top - 17)]]


LOWER_ACCENT_Y = 78.0   # above the x-height (about 67)
UPPER_ACCENT_Y = 108.0  # above the capital height (100)


def accented(base, kind, upper):
    x0, x1, _, _ = base.ink()
    cx = (x0 + x1) / 2
    y0 = UPPER_ACCENT_Y if upper else LOWER_ACCENT_Y
    return base.plus({"caron": caron, "acute": acute, "ring": ring}[kind](cx, y0))


def without_dot(g):
    """The letter i without its dot (the stroke that lies wholly above the x-height)."""
    return Glyph([s for s in g.strokes if min(p[1] for p in s) < 70], g.adv)


def stem_top(g):
    """x of the ascender (the vertical stroke that reaches the capital height)."""
    best = None
    for s in g.strokes:
        for p in s:
            if p[1] > 99 and (best is None or p[0] > best):
                best = p[0]
    return best


def build(h):
    g = dict(h)
    czech = {
        # code: (base char, accent, upper)
        138: ("S", "caron", True), 141: ("T", "caron", True), 142: ("Z", "caron", True),
        154: ("s", "caron", False), 158: ("z", "caron", False),
        193: ("A", "acute", True), 200: ("C", "caron", True), 201: ("E", "acute", True),
        204: ("E", "caron", True), 205: ("I", "acute", True), 207: ("D", "caron", True),
        210: ("N", "caron", True), 211: ("O", "acute", True), 216: ("R", "caron", True),
        217: ("U", "ring", True), 218: ("U", "acute", True), 221: ("Y", "acute", True),
        225: ("a", "acute", False), 232: ("c", "caron", False), 233: ("e", "acute", False),
        236: ("e", "caron", False), 242: ("n", "caron", False), 243: ("o", "acute", False),
        248: ("r", "caron", False), 249: ("u", "ring", False), 250: ("u", "acute", False),
        253: ("y", "acute", False),
    }
    for code, (ch, kind, upper) in czech.items():
        g[code] = accented(h[ord(ch)], kind, upper)
    # i with an acute in place of its dot
    g[237] = accented(without_dot(h[ord("i")]), "acute", False)
    # d and t carry the caron as an apostrophe beside the ascender
    for code, ch in ((239, "d"), (157, "t")):
        base = h[ord(ch)]
        x = stem_top(base)
        top = 100.0 if ch == "d" else 95.0
        extra = apostrophe(x, top)
        adv = max(base.adv, x + 10 + SCALE)
        g[code] = base.plus(extra, adv)
    # diameter sign: a circle crossed by a slash
    g[164] = Glyph([[(15, 45), (85, 45, 127), (15, 45, 127)],
                    [(12, 5), (88, 85)]], 100)
    # plus-minus sign
    g[177] = Glyph([[(50, 30), (50, 90)], [(20, 60), (80, 60)], [(20, 15), (80, 15)]], 100)
    return g


def main():
    h = read_hershey(JHF)
    g = build(h)
    rows = []
    for code in CODES:
        rows.append(FIXED[code] if code in FIXED else encode(code, g[code]))
    w = sys.stdout.write
    w("// Shape table of the built-in stroke font YF01.SHP (capital height 100, descender 34).\n")
    w("// Generated by scripts/gen_yf01.py; edit the script, not this file.\n")
    w("//\n")
    w("// The letters, digits and signs are derived from the Hershey simplex Roman font.\n")
    w("// The Hershey Fonts were originally created by Dr. A. V. Hershey while working at\n")
    w("// the U. S. National Bureau of Standards.\n")
    w("// The format of the Font data in this distribution was originally created by\n")
    w("// James Hurt, Cognition, Inc., 900 Technology Park Drive, Billerica, MA 01821.\n")
    w("#include \"core/IntFont.h\"\n\n")
    w("const char* const IntFontShapes[IntFontShapeCount] = {\n")
    for r in rows:
        w('    "%s",\n' % r)
    w("};\n")


if __name__ == "__main__":
    main()
