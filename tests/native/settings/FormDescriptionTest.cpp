// Form descriptions: the tree they describe, and clear errors for malformed text.

#include <gtest/gtest.h>

#include <random>

#include "saver/forms/FormDescription.h"
#include "saver/forms/SysUtils.h"

using namespace quorlin;

TEST(FormDescription, ReadsTheTreeAndEveryValueKind) {
    const TObjectDesc form = ParseFormDescription(
        "# comment\n"
        "object F: TForm\n"
        "  Caption = 'It''s'\n"
        "  Font.Height = -11\n"
        "  Color = $FF\n"
        "  Font.Style = [fsBold, fsUnderline]\n"
        "  Empty = []\n"
        "  OnCreate = FormCreate\n"
        "  object A: TPanel\n"
        "    object B: TLabel\n"
        "    end\n"
        "  end\n"
        "  object C: TButton\n"
        "  end\n"
        "end\n");
    EXPECT_EQ(form.Name, "F");
    EXPECT_EQ(form.ClassName, "TForm");
    ASSERT_EQ(form.Properties.size(), 6u);
    EXPECT_EQ(form.Properties[0].second.Text, "It's");
    EXPECT_EQ(form.Properties[1].second.Integer, -11);
    EXPECT_EQ(form.Properties[2].second.Integer, 255);
    EXPECT_EQ(form.Properties[3].second.Set, (std::vector<std::string>{"fsBold", "fsUnderline"}));
    EXPECT_TRUE(form.Properties[4].second.Set.empty());
    EXPECT_EQ(form.Properties[5].second.Kind, TPropValue::pvIdent);
    ASSERT_EQ(form.Children.size(), 2u);
    EXPECT_EQ(form.Children[0].Children.at(0).Name, "B");
    EXPECT_EQ(form.Children[1].ClassName, "TButton");
}

TEST(FormDescription, MalformedTextNamesTheLine) {
    struct TCase {
        const char* Text;
        const char* Message;
    };
    const TCase cases[] = {
        {"", "Form description, line 0: no object"},
        {"object F: TForm\n", "Form description, line 1: 'end' expected"},
        {"object F TForm\nend\n", "Form description, line 1: 'object <Name>: <Class>' expected"},
        {"object F: TForm\n  Caption = 'open\nend\n", "Form description, line 2: unterminated text"},
        {"object F: TForm\n  Left = 12x\nend\n", "Form description, line 2: '12x' is not a valid integer"},
        {"object F: TForm\n  Left 12\nend\n", "Form description, line 2: '<Property> = <value>' expected"},
        {"object F: TForm\nend\nend\n", "Form description, line 3: text after the last end"},
        {"object F: TForm\n  S = [a, 1]\nend\n", "Form description, line 2: name expected in the set"},
    };
    for (const TCase& c : cases) {
        try {
            ParseFormDescription(c.Text);
            ADD_FAILURE() << "no error for: " << c.Text;
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), c.Message) << c.Text;
        }
    }
}

TEST(FormDescription, DeepNestingAndRandomBytesFailCleanly) {
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "object A: TPanel\n";
    EXPECT_THROW(ParseFormDescription(deep), Exception);

    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string text = "object F: TForm\n";
        const int length = static_cast<int>(random() % 64);
        for (int i = 0; i < length; ++i) text += static_cast<char>(random() % 256);
        try {
            ParseFormDescription(text);
        } catch (const Exception&) {
        }
    }
}
