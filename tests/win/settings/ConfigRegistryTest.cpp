// The features against the real registry key: what Load makes of each stored form, what
// Save writes back, and the registry layer's two errors.

#include <gtest/gtest.h>

#include "saver/forms/Registry.h"
#include "saver/forms/SysUtils.h"
#include "saver/settings/Config.h"
#include "tests/win/settings/RegistryBackup.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

const char kKey[] = "Software\\Tessaly\\Quorlin";

class ConfigRegistry : public ::testing::Test {
protected:
    TRegistryBackup FBackup;
};

std::string ValueOf(const TConfig& config, const char* name) { return config.FindFeature(name)->Value; }

}  // namespace

TEST_F(ConfigRegistry, KeyAbsentLeavesEveryValueEmpty) {
    TConfig config;
    config.Load();
    EXPECT_EQ(config.GetFlashVars(),
              "feature_backgroundcolor=&feature_seconds=&feature_glass=&glass_visible=&seconds_visible=&end_param=value");
    EXPECT_EQ(config.GetBackgroundColor(), 0u);
    EXPECT_FALSE(SnapshotKey(kKey).Exists) << "Load never creates the key";
}

TEST_F(ConfigRegistry, KeyWithoutValuesGivesTheEffectiveDefaults) {
    WriteKey(kKey, {});
    TConfig config;
    config.Load();
    EXPECT_EQ(config.GetFlashVars(),
              "feature_backgroundcolor=0&feature_seconds=true&feature_glass=false&glass_visible=false&"
              "seconds_visible=true&end_param=value");
    EXPECT_EQ(config.GetBackgroundColor(), 0u);
}

TEST_F(ConfigRegistry, ColourTextsAsLoadedAndSaved) {
    struct TCase {
        TRegValue Stored;
        const char* Value;       // as held after Load
        TColorRef Background;
        const char* Saved;       // what Save writes back
    };
    const TCase cases[] = {
        {Sz("backgroundcolor", "#FF8000"), "#FF8000", 0x0080FF, "#ff8000"},
        {Sz("backgroundcolor", "16711680"), "16711680", 0xFF0000, "#0000ff"},
        {Sz("backgroundcolor", "255"), "255", 0x0000FF, "#ff0000"},
        {Sz("backgroundcolor", "  #ff8000  "), "  #ff8000  ", 0x0080FF, "#ff8000"},
        {ExpandSz("backgroundcolor", "%COLOR%"), "%COLOR%", 0, "#000000"},  // taken literally
        {Sz("backgroundcolor", std::string("#00ff00\0#ff0000", 15)), "#00ff00", 0x00FF00, "#00ff00"},
        {Sz("backgroundcolor", "#ff80"), "#ff80", 0, "#000000"},
        {Sz("backgroundcolor", "#ff80000"), "#ff80000", 0, "#000000"},
        {Sz("backgroundcolor", "#gg0000"), "#gg0000", 0, "#000000"},
        {Sz("backgroundcolor", "red"), "red", 0, "#000000"},
    };
    for (const TCase& c : cases) {
        DeleteKey(kKey);
        WriteKey(kKey, {c.Stored});
        TConfig config;
        config.Load();
        EXPECT_EQ(ValueOf(config, "backgroundcolor"), c.Value);
        EXPECT_EQ(config.GetBackgroundColor(), c.Background) << c.Value;
        EXPECT_NE(config.GetFlashVars().find(std::string("feature_backgroundcolor=") + c.Value + "&"),
                  std::string::npos);
        config.Save();
        EXPECT_EQ(Find(SnapshotKey(kKey), "backgroundcolor"), Sz("backgroundcolor", c.Saved)) << c.Value;
    }
}

TEST_F(ConfigRegistry, BooleanFormsAsLoadedAndSaved) {
    struct TCase {
        TRegValue Stored;
        const char* Value;
        DWORD Saved;
    };
    const TCase cases[] = {
        {Dword("seconds", 5), "true", 1},
        {Dword("seconds", 0), "false", 0},
        {Sz("seconds", "True"), "True", 1},
        {Sz("seconds", " true"), " true", 0},  // blanks make it false when saved
        {Sz("seconds", "1"), "1", 0},
        {Sz("seconds", ""), "true", 1},        // blank: the feature's own default
        {Sz("seconds", "   "), "true", 1},
        {Sz("glass", ""), "false", 0},         // blank: the kind's fallback
        {Sz("glass", "   "), "false", 0},
        {Binary("glass", ""), "false", 0},     // another type without data reads as empty
    };
    for (const TCase& c : cases) {
        DeleteKey(kKey);
        WriteKey(kKey, {c.Stored});
        TConfig config;
        config.Load();
        EXPECT_EQ(ValueOf(config, c.Stored.Name.c_str()), c.Value) << c.Stored.Name;
        EXPECT_NE(config.GetFlashVars().find(c.Stored.Name + "_visible=" + c.Value + "&"), std::string::npos);
        config.Save();
        EXPECT_EQ(Find(SnapshotKey(kKey), c.Stored.Name), Dword(c.Stored.Name, c.Saved)) << c.Value;
    }
}

TEST_F(ConfigRegistry, WrongTypeFailsLoadAfterTheFeaturesBeforeIt) {
    // backgroundcolor comes first: a REG_DWORD there fails before anything changes.
    {
        WriteKey(kKey, {Dword("backgroundcolor", 255), Dword("seconds", 0)});
        TConfig config;
        for (const auto& feature : config.Features) feature->Value = "old";
        try {
            config.Load();
            ADD_FAILURE() << "Load accepted a REG_DWORD colour";
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "Invalid data type for 'backgroundcolor'");
        }
        EXPECT_EQ(ValueOf(config, "backgroundcolor"), "old");
        EXPECT_EQ(ValueOf(config, "seconds"), "old");
    }
    for (const TRegValue& wrong : {Binary("glass", std::string("\x01\x00", 2)),
                                   TRegValue{"glass", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
                                   TRegValue{"glass", REG_QWORD, std::string(8, '\1')}}) {
        DeleteKey(kKey);
        WriteKey(kKey, {Sz("backgroundcolor", "#ff0000"), Dword("seconds", 0), wrong});
        TConfig config;
        for (const auto& feature : config.Features) feature->Value = "old";
        try {
            config.Load();
            ADD_FAILURE() << "Load accepted type " << wrong.Type;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "Invalid data type for 'glass'");
        }
        EXPECT_EQ(ValueOf(config, "backgroundcolor"), "#ff0000");
        EXPECT_EQ(ValueOf(config, "seconds"), "false");
        EXPECT_EQ(ValueOf(config, "glass"), "old");
    }
}

TEST_F(ConfigRegistry, SaveCreatesTheKeyAndWritesEachKindInItsForm) {
    TConfig config;
    config.FindFeature("backgroundcolor")->Value = "255";
    config.FindFeature("seconds")->Value = "TRUE";
    config.FindFeature("glass")->Value = "false";
    config.Save();
    const TKeySnapshot saved = SnapshotKey(kKey);
    ASSERT_TRUE(saved.Exists);
    EXPECT_EQ(saved.Values.size(), 3u);
    EXPECT_EQ(Find(saved, "backgroundcolor"), Sz("backgroundcolor", "#ff0000"));
    EXPECT_EQ(Find(saved, "seconds"), Dword("seconds", 1));
    EXPECT_EQ(Find(saved, "glass"), Dword("glass", 0));
    EXPECT_EQ(config.FindFeature("backgroundcolor")->Value, "255") << "Save leaves the values as they are";

    // A fresh TConfig never loaded saves its empty values as black and false.
    TConfig empty;
    empty.Save();
    const TKeySnapshot again = SnapshotKey(kKey);
    EXPECT_EQ(Find(again, "backgroundcolor"), Sz("backgroundcolor", "#000000"));
    EXPECT_EQ(Find(again, "seconds"), Dword("seconds", 0));
    EXPECT_EQ(Find(again, "glass"), Dword("glass", 0));
}

TEST_F(ConfigRegistry, RegistryLayerErrorsNameTheValue) {
    WriteKey(kKey, {Dword("number", 7), Sz("text", "x")});
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(kKey));
    EXPECT_EQ(registry.ReadInteger("number"), 7);
    EXPECT_EQ(registry.ReadString("text"), "x");
    EXPECT_EQ(registry.ReadString("missing"), "");
    auto message = [](auto&& call) {
        try {
            call();
        } catch (const Exception& error) {
            return error.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { registry.ReadString("number"); }), "Invalid data type for 'number'");
    EXPECT_EQ(message([&] { registry.ReadInteger("text"); }), "Invalid data type for 'text'");
    // A key opened for reading takes no writes.
    EXPECT_EQ(message([&] { registry.WriteString("text", "y"); }), "Failed to set data for 'text'");
    EXPECT_EQ(message([&] { registry.WriteInteger("number", 1); }), "Failed to set data for 'number'");
    EXPECT_EQ(Find(SnapshotKey(kKey), "text"), Sz("text", "x"));
}

TEST_F(ConfigRegistry, SaveToAKeyThatTakesNoWritesIsAnError) {
    WriteKey(kKey, {Sz("backgroundcolor", "#123456")});
    DenyWrites(kKey);
    TConfig config;
    config.FindFeature("backgroundcolor")->Value = "#ffffff";
    try {
        config.Save();
        ADD_FAILURE() << "Save reported nothing";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Failed to open key 'Software\\Tessaly\\Quorlin' for writing");
    }
    EXPECT_EQ(Find(SnapshotKey(kKey), "backgroundcolor"), Sz("backgroundcolor", "#123456"));
}
