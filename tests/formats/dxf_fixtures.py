#!/usr/bin/python3
"""Writes DXF test drawings with ezdxf, and beside each NAME.dxf a NAME.expect file
with what an import must give, one item per line:
  COUNT n            top-level objects of the drawing
  VTX layer x y      a point record or a polyline vertex on that layer
  ON layer x y       a point on some polyline of that layer (arc middles)
  TEXT layer x y s   a text whose insertion point is (x, y)
Layer names map as the reader says: "T5" -> 5, "MILL12" -> 12, "CONTOUR" -> 68.
Points inside block references are computed by ezdxf itself.

Usage: dxf_fixtures.py OUTDIR
"""
import math
import os
import sys

import ezdxf

VERSIONS = ["R12", "R2000", "R2018"]


class Expect:
    def __init__(self):
        self.lines = []

    def count(self, n):
        self.lines.append("COUNT %d" % n)

    def vtx(self, layer, x, y):
        self.lines.append("VTX %d %.12f %.12f" % (layer, x, y))

    def on(self, layer, x, y):
        self.lines.append("ON %d %.12f %.12f" % (layer, x, y))

    def text(self, layer, x, y, s):
        self.lines.append("TEXT %d %.12f %.12f %s" % (layer, x, y, s))


def polar(c, r, deg):
    return (c[0] + r * math.cos(math.radians(deg)), c[1] + r * math.sin(math.radians(deg)))


def point(msp, e):
    msp.add_point((3, 4), dxfattribs={"layer": "T5"})
    e.count(1)
    e.vtx(5, 3, 4)


def line(msp, e):
    msp.add_line((1, 2), (11, 7), dxfattribs={"layer": "MILL12"})
    e.count(1)
    e.vtx(12, 1, 2)
    e.vtx(12, 11, 7)


def circle(msp, e):
    msp.add_circle((10, 10), 5, dxfattribs={"layer": "CONTOUR"})
    e.count(1)
    for a in (0, 90, 180, 270, 45):
        e.on(68, *polar((10, 10), 5, a))


def arc(msp, e):
    # More than half a circle: two polylines.
    msp.add_arc((0, 0), 10, 0, 270, dxfattribs={"layer": "T2"})
    msp.add_arc((50, 0), 4, 30, 120, dxfattribs={"layer": "T2"})
    e.count(3)
    for a in (0, 135, 270):
        e.vtx(2, *polar((0, 0), 10, a))
    e.on(2, *polar((0, 0), 10, 200))
    e.vtx(2, *polar((50, 0), 4, 30))
    e.vtx(2, *polar((50, 0), 4, 120))
    e.on(2, *polar((50, 0), 4, 75))


def polyline(msp, e):
    # A closed 2D polyline with one bulged edge: (0,0) -> (10,0) a half circle
    # (bulge 1, counter-clockwise, centre (5,0), through (5,-5)), then straight.
    msp.add_polyline2d([(0, 0, 1), (10, 0, 0), (10, 10, 0), (0, 10, 0)], format="xyb", close=True,
                       dxfattribs={"layer": "T7"})
    e.count(1)
    for p in ((0, 0), (10, 0), (10, 10), (0, 10)):
        e.vtx(7, *p)
    e.on(7, 5, -5)
    e.on(7, 0, 5)


def lwpolyline(msp, e):
    # A closed polyline of two vertices and bulges 1 on both: a circle.
    msp.add_lwpolyline([(20, 0, 1), (30, 0, 1)], format="xyb", close=True, dxfattribs={"layer": "T8"})
    # An open one with a quarter-circle bulge (tan(90/4)).
    b = math.tan(math.radians(90) / 4)
    msp.add_lwpolyline([(0, 0, b), (10, 10, 0), (20, 10, 0)], format="xyb", dxfattribs={"layer": "T8"})
    e.count(2)
    e.on(8, 25, 5)
    e.on(8, 25, -5)
    e.vtx(8, 20, 10)
    # The quarter arc from (0,0) to (10,10) turning left has its centre at (0,10).
    e.on(8, *polar((0, 10), 10, -45))


def text(msp, e):
    msp.add_text("ABC", dxfattribs={"layer": "T3", "height": 2.5, "insert": (5, 6)})
    t = msp.add_text("MID", dxfattribs={"layer": "T3", "height": 2, "insert": (40, 20)})
    t.set_placement((40, 20), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    # Letters outside the file's 8-bit code page ("\U+XXXX" before 2007, UTF-8 after).
    msp.add_text("Kůň", dxfattribs={"layer": "T3", "height": 2, "insert": (0, -10)})
    e.count(3)
    e.text(3, 0, -10, "Kůň")
    e.text(3, 5, 6, "ABC")
    e.text(3, 40, 20, "MID")


def mtext(msp, e):
    m = msp.add_mtext("Hello", dxfattribs={"layer": "T4", "char_height": 3, "insert": (1, 1)})
    m.dxf.attachment_point = 1
    e.count(1)
    e.text(4, 1, 1, "Hello")


def insert(msp, e, doc):
    """Blocks nested three deep, each reference rotated and scaled."""
    inner = doc.blocks.new("INNER", base_point=(1, 0))
    inner.add_line((1, 0), (3, 0), dxfattribs={"layer": "T1"})
    inner.add_point((2, 1), dxfattribs={"layer": "T1"})
    inner.add_arc((1, 0), 2, 0, 90, dxfattribs={"layer": "T1"})
    middle = doc.blocks.new("MIDDLE")
    middle.add_blockref("INNER", (5, 0), dxfattribs={"rotation": 90, "xscale": 2, "yscale": 2})
    middle.add_line((0, 0), (0, 4), dxfattribs={"layer": "T6"})
    outer = doc.blocks.new("OUTER", base_point=(0, 1))
    outer.add_blockref("MIDDLE", (10, 0), dxfattribs={"rotation": 30, "xscale": 0.5, "yscale": 0.5})
    outer.add_blockref("INNER", (0, 0), dxfattribs={"xscale": -1})
    # A reference to a block whose name starts with "*" puts everything on its layer.
    anon = doc.blocks.new("*U1")
    anon.add_line((0, 0), (1, 1), dxfattribs={"layer": "T1"})
    msp.add_blockref("OUTER", (100, 50), dxfattribs={"rotation": 45, "xscale": 3, "yscale": 3, "layer": "T9"})
    msp.add_blockref("*U1", (7, 7), dxfattribs={"layer": "T10"})
    # Scaled unequally: the arc becomes an elliptic arc, taken as arcs through its ends.
    msp.add_blockref("INNER", (200, 0), dxfattribs={"xscale": 2, "yscale": 0.5, "rotation": 10, "layer": "T9"})
    e.count(3)
    layers = {"T1": 1, "T6": 6}
    for ref, forced in ((msp[0], None), (msp[1], 10), (msp[2], None)):
        for v in explode_all(ref):
            lay = forced or layers[v.dxf.layer]
            if v.dxftype() == "LINE":
                e.vtx(lay, v.dxf.start.x, v.dxf.start.y)
                e.vtx(lay, v.dxf.end.x, v.dxf.end.y)
            elif v.dxftype() == "POINT":
                e.vtx(lay, v.dxf.location.x, v.dxf.location.y)
            elif v.dxftype() == "ARC":
                for p in (v.start_point, v.end_point):
                    e.vtx(lay, p.x, p.y)
                mid = v.construction_tool().angle_span / 2
                m = v.ocs().to_wcs(ezdxf.math.Vec3(*polar(v.dxf.center, v.dxf.radius, v.dxf.start_angle + mid)))
                e.on(lay, m.x, m.y)
            elif v.dxftype() == "ELLIPSE":
                for p in (v.start_point, v.end_point):
                    e.vtx(lay, p.x, p.y)


def explode_all(ref):
    for v in ref.virtual_entities():
        if v.dxftype() == "INSERT":
            yield from explode_all(v)
        else:
            yield v


KINDS = {
    "point": point,
    "line": line,
    "circle": circle,
    "arc": arc,
    "polyline": polyline,
    "lwpolyline": lwpolyline,
    "text": text,
    "mtext": mtext,
    "insert": None,
}


def main(out):
    os.makedirs(out, exist_ok=True)
    for ver in VERSIONS:
        for kind, make in KINDS.items():
            if kind in ("lwpolyline", "mtext") and ver == "R12":
                continue  # R12 has neither
            doc = ezdxf.new(ver, units=4)  # millimetres (ezdxf's own default is metres)
            for n in ("T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9", "T10", "MILL12", "CONTOUR"):
                doc.layers.add(n)
            msp = doc.modelspace()
            e = Expect()
            if make:
                make(msp, e)
            else:
                insert(msp, e, doc)
            name = os.path.join(out, "%s_%s" % (kind, ver))
            doc.saveas(name + ".dxf")
            with open(name + ".expect", "w", encoding="utf-8") as f:
                f.write("\n".join(e.lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
