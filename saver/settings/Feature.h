#pragma once
// One user setting: its registry name, its caption in the dialog, its kind and its value,
// always held as text.

#include <cstdint>
#include <string>

namespace quorlin {

class TComponent;
class TWinControl;

enum TFeatureKind : uint8_t { fkBoolean = 0, fkNumber = 1, fkText = 2, fkColor = 3 };

// The fallback value of each kind, for a feature without a default of its own.
extern const char* const KindDefaults[4];
// The value text of a check box state: unchecked, checked.
extern const char* const BoolTexts[2];

class TFeature {
public:
    TFeature(std::string name, std::string caption, TFeatureKind kind, std::string defaultValue);

    // Applies a value that came from storage; a blank one falls back to the defaults.
    void SetStoredValue(const std::string& text);
    // True when the text upper-cased (ASCII letters only) is exactly "TRUE".
    static bool IsTrue(const std::string& text);

    // The editing control of the kind, owned by Owner; the caller parents and places it.
    TWinControl* CreateControl(TComponent* owner);
    // Both need the control that CreateControl made.
    void ReadControl();
    void WriteControl();

    // Not owned: the control belongs to the window it was made in.
    TWinControl* Control = nullptr;
    std::string Name;
    std::string Caption;
    TFeatureKind Kind;
    std::string Value;
    std::string DefaultValue;
};

}  // namespace quorlin
