// The features' values as the movie receives them, and the stored-value fall-backs.

#include <gtest/gtest.h>

#include "saver/settings/Config.h"

using namespace quorlin;

TEST(FlashVars, FreshConfigHasEmptyValues) {
    const TConfig config;
    EXPECT_EQ(config.GetFlashVars(),
              "feature_backgroundcolor=&feature_seconds=&feature_glass=&glass_visible=&seconds_visible=&end_param=value");
    EXPECT_EQ(config.GetBackgroundColor(), 0u);
}

TEST(FlashVars, BlankStoredValuesTakeTheEffectiveDefaults) {
    TConfig config;
    for (const auto& feature : config.Features) feature->SetStoredValue("");
    EXPECT_EQ(config.GetFlashVars(),
              "feature_backgroundcolor=0&feature_seconds=true&feature_glass=false&glass_visible=false&"
              "seconds_visible=true&end_param=value");
}

TEST(FlashVars, ValuesGoInAsHeldWithoutEscaping) {
    TConfig config;
    config.FindFeature("backgroundcolor")->SetStoredValue("  #ff8000  ");
    config.FindFeature("seconds")->SetStoredValue("True");
    config.FindFeature("glass")->SetStoredValue("a&b=c%20");
    EXPECT_EQ(config.GetFlashVars(),
              "feature_backgroundcolor=  #ff8000  &feature_seconds=True&feature_glass=a&b=c%20&"
              "glass_visible=a&b=c%20&seconds_visible=True&end_param=value");
    EXPECT_EQ(config.GetBackgroundColor(), 0x0080FFu);
}

TEST(FlashVars, MissingVisibilityFeaturesShow) {
    TConfig config;
    config.Features.clear();
    EXPECT_EQ(config.AppendVisibilityVars("x&"), "x&glass_visible=true&seconds_visible=true&");
    EXPECT_EQ(config.GetBackgroundColor(), 0u);
}

TEST(Feature, StoredValueFallBacks) {
    struct TCase {
        const char* Stored;
        const char* Seconds;  // has its own default "true"
        const char* Glass;    // falls back to its kind's "false"
    };
    const TCase cases[] = {
        {"", "true", "false"},
        {"   ", "true", "false"},
        {"\t\r\n", "true", "false"},
        {" 1 ", " 1 ", " 1 "},  // a value that is there stays as stored
        {"False", "False", "False"},
    };
    for (const TCase& c : cases) {
        TConfig config;
        config.FindFeature("seconds")->SetStoredValue(c.Stored);
        config.FindFeature("glass")->SetStoredValue(c.Stored);
        EXPECT_EQ(config.FindFeature("seconds")->Value, c.Seconds) << '"' << c.Stored << '"';
        EXPECT_EQ(config.FindFeature("glass")->Value, c.Glass) << '"' << c.Stored << '"';
    }
    TFeature color("c", "C", fkColor, "");
    color.SetStoredValue(" ");
    EXPECT_EQ(color.Value, "0");
    TFeature text("t", "T", fkText, "");
    text.SetStoredValue(" ");
    EXPECT_EQ(text.Value, "");
}

TEST(Feature, IsTrueAndNames) {
    EXPECT_TRUE(TFeature::IsTrue("true"));
    EXPECT_TRUE(TFeature::IsTrue("TrUe"));
    EXPECT_FALSE(TFeature::IsTrue(" true"));
    EXPECT_FALSE(TFeature::IsTrue("1"));
    const TConfig config;
    EXPECT_EQ(config.FindFeature("Seconds"), nullptr);  // names are case-sensitive
    ASSERT_NE(config.FindFeature("seconds"), nullptr);
    EXPECT_EQ(config.FindFeature("seconds")->Caption, "Seconds");
}
