#pragma once
// Form descriptions: the text that lists a form's components with their settings, read
// into a tree before any window exists. The text, one item a line:
//
//   # a comment
//   object <Name>: <Class>        a component, its settings and children up to its "end"
//     <Property> = <value>        value: an integer (-11, $FF), 'text' ('' for a quote),
//                                 a name (True, bsDialog, clBtnFace, btnOkClick), or a set
//                                 of names in brackets ([fsBold, fsUnderline])
//   end
//
// The outermost object is the form itself; its children are made in the order given, each
// parented to the object it appears in. Properties named On... bind events to the form's
// handlers by name; a name that is no handler, enum or constant is taken as a component of
// the form (ActivePage = TabSheet1). Lengths are at the form's PixelsPerInch.

#include <string>
#include <utility>
#include <vector>

#include "saver/forms/PropValue.h"

namespace quorlin {

struct TObjectDesc {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<std::pair<std::string, TPropValue>> Properties;
    std::vector<TObjectDesc> Children;
};

// Raises Exception "Form description, line N: <what is wrong>" for malformed text.
TObjectDesc ParseFormDescription(const std::string& text);

}  // namespace quorlin
