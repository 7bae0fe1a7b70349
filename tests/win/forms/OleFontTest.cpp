// A font handed to an OLE control and taken back keeps face, size, style and charset.

#include <gtest/gtest.h>

#include <string>

#include "saver/forms/ComInit.h"
#include "saver/forms/OleFont.h"

using namespace quorlin;

namespace {

int CALLBACK TakeFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM face) {
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == '@') return 1;
    *reinterpret_cast<std::string*>(face) = font->lfFaceName;
    return 0;
}

// A face the system has: one it lacks comes back as the face it chose instead.
std::string InstalledFace() {
    std::string face;
    LOGFONTA wanted = {};
    wanted.lfCharSet = ANSI_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, TakeFace, reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, screen);
    return face;
}

}  // namespace

TEST(OleFont, RoundTripKeepsTheFont) {
    TComApartment apartment;
    const std::string face = InstalledFace();
    ASSERT_FALSE(face.empty());
    struct TCase {
        int Height;
        uint8_t Style;
    };
    const TCase cases[] = {{-11, 0}, {-16, fsBold | fsItalic}, {-13, fsUnderline | fsStrikeOut}};
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Height);
        TFont font;
        font.SetName(face);
        font.SetHeight(test.Height);
        font.SetStyle(test.Style);
        font.SetCharset(ANSI_CHARSET);
        TComPtr<IFontDisp> oleFont = GetOleFont(font);
        ASSERT_TRUE(oleFont);
        TFont back;
        SetOleFont(back, oleFont.Get());
        EXPECT_EQ(back.Name(), face);
        EXPECT_EQ(back.Height(), test.Height);
        EXPECT_EQ(back.Style(), test.Style);
        EXPECT_EQ(back.Charset(), ANSI_CHARSET);
    }
}
