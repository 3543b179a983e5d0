// The commands that draw basic geometry on the current drawing layer from typed or
// clicked points: POINT, POINTTOCIR, LINE, ARC, CIRCLE and RECTANGLE. Each is a step
// machine called by the command line on every Enter of its command.
#pragma once

void ComPoint();
void ComPointToCircle();
void ComLine();
void ComArc();
void ComCircle();
void ComRectangle();
