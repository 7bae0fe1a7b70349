// A font handed to an OLE control and taken back keeps face, size, style and charset.
// (Faces the system lacks come back as the face it chose instead: Tahoma it has.)

#include <gtest/gtest.h>

#include "saver/forms/ComInit.h"
#include "saver/forms/OleFont.h"

using namespace quorlin;

TEST(OleFont, RoundTripKeepsTheFont) {
    TComApartment apartment;
    struct TCase {
        const char* Name;
        int Height;
        uint8_t Style;
        int Charset;
    };
    const TCase cases[] = {
        {"Tahoma", -11, 0, ANSI_CHARSET},
        {"Tahoma", -16, fsBold | fsItalic, DEFAULT_CHARSET},
        {"Tahoma", -13, fsUnderline | fsStrikeOut, ANSI_CHARSET},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TFont font;
        font.SetName(test.Name);
        font.SetHeight(test.Height);
        font.SetStyle(test.Style);
        font.SetCharset(test.Charset);
        TComPtr<IFontDisp> oleFont = GetOleFont(font);
        ASSERT_TRUE(oleFont);
        TFont back;
        SetOleFont(back, oleFont.Get());
        EXPECT_EQ(back.Name(), test.Name);
        EXPECT_EQ(back.Height(), test.Height);
        EXPECT_EQ(back.Style(), test.Style);
        EXPECT_EQ(back.Charset(), test.Charset);
    }
}
