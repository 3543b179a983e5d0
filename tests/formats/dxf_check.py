#!/usr/bin/python3
"""Reads a DXF file with ezdxf (the recovering reader), audits it and prints what it
holds, one line per item:
  AUDIT errors fixes        numbers of audit errors and fixes (recover's and audit's)
  VERSION v
  LAYER name
  STYLE name
  POINT layer x y
  POLYLINE layer closed x y bulge x y bulge ...
  TEXT layer x y ax ay height rotation halign valign text   (a: the alignment point)
Usage: dxf_check.py FILE
"""
import sys

from ezdxf import recover


def main(path):
    doc, auditor = recover.readfile(path)
    audit = doc.audit()
    print("AUDIT %d %d" % (len(auditor.errors) + len(audit.errors), len(auditor.fixes) + len(audit.fixes)))
    print("VERSION %s" % doc.acad_release)
    for layer in doc.layers:
        print("LAYER %s" % layer.dxf.name)
    for style in doc.styles:
        print("STYLE %s" % style.dxf.name)
    for e in doc.modelspace():
        t = e.dxftype()
        if t == "POINT":
            p = e.dxf.location
            print("POINT %s %.12f %.12f" % (e.dxf.layer, p.x, p.y))
        elif t == "POLYLINE":
            parts = ["POLYLINE", e.dxf.layer, "1" if e.is_closed else "0"]
            for v in e.vertices:
                parts += ["%.12f" % v.dxf.location.x, "%.12f" % v.dxf.location.y, "%.12f" % v.dxf.bulge]
            print(" ".join(parts))
        elif t == "TEXT":
            p = e.dxf.insert
            a = e.dxf.align_point
            print("TEXT %s %.12f %.12f %.12f %.12f %.12f %.12f %d %d %s" % (
                e.dxf.layer, p.x, p.y, a.x, a.y, e.dxf.height, e.dxf.rotation, e.dxf.halign, e.dxf.valign, e.dxf.text))
        else:
            print("OTHER %s" % t)


if __name__ == "__main__":
    main(sys.argv[1])
