#!/usr/bin/python3
"""Writes the imported drawing the filter is tried on, with ezdxf:
a contour with a step of 0.3 mm, a line drawn twice (once backwards) on T1 and once
more on T2, and a quarter arc with two rungs from its centre and one shorter line.

Usage: filtr_dxf.py FILE
"""
import sys

import ezdxf

doc = ezdxf.new("R2000")
doc.units = ezdxf.units.MM
msp = doc.modelspace()
t1 = {"layer": "T1"}
msp.add_lwpolyline([(0, 0), (10, 0), (10.3, 0.2), (20, 0), (20, 10)], dxfattribs=t1)
msp.add_line((30, 0), (40, 0), dxfattribs=t1)
msp.add_line((40, 0), (30, 0), dxfattribs=t1)
msp.add_line((30, 0), (40, 0), dxfattribs={"layer": "T2"})
msp.add_arc((60, 0), 5, 0, 90, dxfattribs=t1)
msp.add_line((60, 0), (65, 0), dxfattribs=t1)
msp.add_line((60, 5), (60, 0), dxfattribs=t1)
msp.add_line((60, 0), (63, 0), dxfattribs=t1)
doc.saveas(sys.argv[1])
