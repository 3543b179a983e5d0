// CLIPCOPY, CLIPCUT and CLIPPASTE: the selection goes to the clipboard as text with a
// picked base point, and comes back with the base point on a picked insertion point.
#pragma once

// CLIPCOPY (ObjDel false) and CLIPCUT (ObjDel true).
void ComClipCopy(bool ObjDel);
void ComClipPaste();
