#pragma once
// A font as OLE controls see it: an IFontDisp made from a TFont, and a TFont set from one.

#include <olectl.h>

#include "saver/forms/ComPtr.h"
#include "saver/forms/Graphics.h"

namespace quorlin {

// A new OLE font with the font's face, size, style and character set (OleCreateFontIndirect).
// Raises EOleSysError when the system refuses it.
TComPtr<IFontDisp> GetOleFont(const TFont& font);

// Copies face, size, style and character set of an OLE font into the font.
void SetOleFont(TFont& font, IFontDisp* oleFont);

}  // namespace quorlin
