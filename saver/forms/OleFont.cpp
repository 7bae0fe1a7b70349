#include "saver/forms/OleFont.h"

#include <string>

#include "saver/forms/ComErrors.h"
#include "saver/forms/Scaling.h"
#include "saver/forms/WideText.h"

namespace quorlin {

namespace {

// OLE font sizes are points in a currency value (units of 1/10000); TFont heights are
// negative character heights in screen pixels.
constexpr int64_t kCurrencyUnit = 10000;

// The size keeps its fraction of a point, so a font comes back at the height it left with.
CY PointsOf(int height) {
    const int64_t pixels = height < 0 ? -height : height;
    CY size;
    size.int64 = (pixels * 72 * kCurrencyUnit + ScreenDpi() / 2) / ScreenDpi();
    return size;
}

int HeightOf(CY size) {
    const int64_t scale = 72 * kCurrencyUnit;
    return -static_cast<int>((size.int64 * ScreenDpi() + scale / 2) / scale);
}

}  // namespace

TComPtr<IFontDisp> GetOleFont(const TFont& font) {
    std::wstring name = AnsiToWide(font.Name());
    FONTDESC desc = {};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = name.data();
    desc.cySize = PointsOf(font.Height());
    desc.sWeight = static_cast<SHORT>(font.Style() & fsBold ? FW_BOLD : FW_NORMAL);
    desc.sCharset = static_cast<SHORT>(font.Charset());
    desc.fItalic = (font.Style() & fsItalic) != 0;
    desc.fUnderline = (font.Style() & fsUnderline) != 0;
    desc.fStrikethrough = (font.Style() & fsStrikeOut) != 0;
    TComPtr<IFontDisp> result;
    OleCheck(OleCreateFontIndirect(&desc, IID_IFontDisp, result.PutVoid()));
    return result;
}

void SetOleFont(TFont& font, IFontDisp* oleFont) {
    TComPtr<IFont> source;
    if (!oleFont) return;
    OleCheck(oleFont->QueryInterface(IID_IFont, source.PutVoid()));
    BSTR name = nullptr;
    CY size = {};
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    SHORT charset = DEFAULT_CHARSET;
    OleCheck(source->get_Name(&name));
    const std::string faceName = WideToAnsi(name);
    SysFreeString(name);
    OleCheck(source->get_Size(&size));
    source->get_Bold(&bold);
    source->get_Italic(&italic);
    source->get_Underline(&underline);
    source->get_Strikethrough(&strike);
    source->get_Charset(&charset);
    font.SetName(faceName);
    font.SetHeight(HeightOf(size));
    font.SetStyle(static_cast<uint8_t>((bold ? fsBold : 0) | (italic ? fsItalic : 0) | (underline ? fsUnderline : 0) |
                                       (strike ? fsStrikeOut : 0)));
    font.SetCharset(charset);
}

}  // namespace quorlin
