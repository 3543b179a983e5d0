#!/usr/bin/python3
"""Writes with ezdxf the DXF drawings that other CAD programs make and users meet:
text control codes, a declared drawing unit, paper space, a style without a font,
entities that are not imported inside a block inserted several times, and a block
reference on a tilted plane. Beside each NAME.dxf a NAME.expect as dxf_fixtures.py
writes them (COUNT, VTX, TEXT), plus
  NOTE text            a part of the import message
Usage: dxf_world.py OUTDIR
"""
import os
import sys

import ezdxf
from ezdxf.math import Vec3


def save(doc, out, name, lines):
    doc.saveas(os.path.join(out, name + ".dxf"))
    with open(os.path.join(out, name + ".expect"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def main(out):
    os.makedirs(out, exist_ok=True)

    doc = ezdxf.new("R2018", units=4)
    msp = doc.modelspace()
    msp.add_text("%%u2 CAR GARAGE", dxfattribs={"insert": (0, 0), "height": 2, "layer": "T1"})
    msp.add_text("25%%d %%p0.1", dxfattribs={"insert": (0, 10), "height": 2, "layer": "T1"})
    m = msp.add_mtext("{\\fArial|b0|i0|c238|p34;Line1}\\PLine2\\~x", dxfattribs={"insert": (0, 20), "char_height": 2, "layer": "T1"})
    m.dxf.attachment_point = 7
    m = msp.add_mtext("\\A1;\\H2.5;Hello", dxfattribs={"insert": (0, 30), "char_height": 2, "layer": "T1"})
    m.dxf.attachment_point = 7
    save(doc, out, "codes", ["COUNT 4", "TEXT 1 0 0 2_CAR_GARAGE", "TEXT 1 0 10 25°_±0.1",
                             "TEXT 1 0 20 Line1_Line2_x", "TEXT 1 0 30 Hello"])

    doc = ezdxf.new("R2018", units=4)
    doc.units = 1  # inches
    msp = doc.modelspace()
    msp.add_line((0, 0), (3.937, 0), dxfattribs={"layer": "T2"})
    # Vertices 0.01 inch apart: 0.254 mm, more than the vertex filter's 0.1 mm.
    msp.add_lwpolyline([(0, 1), (0.01, 1), (1, 1)], dxfattribs={"layer": "T2"})
    save(doc, out, "inches", ["COUNT 2", "VTX 2 0 0", "VTX 2 99.9998 0", "VTX 2 0.254 25.4", "VTX 2 25.4 25.4",
                              "NOTE měřítko 25.4"])

    doc = ezdxf.new("R2018", units=4)
    msp = doc.modelspace()
    msp.add_line((0, 0), (5, 5), dxfattribs={"layer": "T3"})
    paper = doc.layout("Layout1")
    paper.add_line((0, 0), (297, 0), dxfattribs={"layer": "T3"})
    paper.add_text("TITLE", dxfattribs={"insert": (10, 10), "height": 5, "layer": "T3"})
    save(doc, out, "paper", ["COUNT 1", "VTX 3 5 5"])

    doc = ezdxf.new("R2000", units=4)
    doc.styles.new("NOFONT", dxfattribs={"font": ""})
    msp = doc.modelspace()
    msp.add_text("ABC", dxfattribs={"insert": (1, 2), "height": 2, "style": "NOFONT", "layer": "T4"})
    save(doc, out, "nofont", ["COUNT 1", "TEXT 4 1 2 ABC", "NOTE bez písma (1)"])

    doc = ezdxf.new("R2018", units=4)
    blk = doc.blocks.new("WITHSPLINE")
    blk.add_line((0, 0), (1, 0), dxfattribs={"layer": "T5"})
    blk.add_spline([(0, 0), (1, 1), (2, 0), (3, 1)], dxfattribs={"layer": "T5"})
    msp = doc.modelspace()
    for x in (0, 10, 20):
        msp.add_blockref("WITHSPLINE", (x, 0))
    msp.add_spline([(0, 5), (1, 6), (2, 5), (3, 6)], dxfattribs={"layer": "T5"})
    save(doc, out, "blocks", ["COUNT 3", "NOTE SPLINE (4)"])

    doc = ezdxf.new("R2018", units=4)
    blk = doc.blocks.new("TILT")
    blk.add_line((0, 0), (10, 0), dxfattribs={"layer": "T6"})
    blk.add_line((0, 0), (0, 5), dxfattribs={"layer": "T6"})
    msp = doc.modelspace()
    ref = msp.add_blockref("TILT", (20, 10), dxfattribs={"rotation": 30, "extrusion": Vec3(0.02, 0.01, 1).normalize()})
    lines = ["COUNT 1"]
    for v in ref.virtual_entities():
        for p in (v.dxf.start, v.dxf.end):
            lines.append("VTX 6 %.12f %.12f" % (p.x, p.y))
    save(doc, out, "tilted", lines)


if __name__ == "__main__":
    main(sys.argv[1])
