#pragma once
// Builds a form from its description (FormDescription.h): makes each component by its
// class name, sets its properties, binds its events to the form's handlers, and scales
// the lengths from the description's dots per inch to the screen's.

#include <functional>
#include <string>

#include "saver/forms/Form.h"
#include "saver/forms/FormDescription.h"

namespace quorlin {

using TControlFactory = std::function<TWinControl*(TComponent* owner)>;

// The control classes a description may name; the library's own are registered already.
void RegisterControlClass(const std::string& className, TControlFactory factory);

class TFormReader {
public:
    explicit TFormReader(TForm& form) : FForm(form) {}
    // Raises Exception for an unknown class, property or handler, naming it.
    void Read(const TObjectDesc& root);

private:
    struct TReference {
        TWinControl* Control;
        std::string Property;
        std::string Target;
    };
    void ReadChildren(TWinControl& parent, const TObjectDesc& desc);
    void ReadProperties(TWinControl& control, const TObjectDesc& desc);
    void Scale(TWinControl& control, int fromDpi);
    void BindCloseEvent(const std::string& event, const std::string& method);

    TForm& FForm;
    std::vector<TReference> FReferences;
};

// The bytes of an RCDATA resource of the module, raising when it is missing.
std::string LoadResourceText(const char* name);

}  // namespace quorlin
