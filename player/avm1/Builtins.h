#pragma once
// The built-in classes and functions, one installer each; the machine runs them
// when it starts. Each returns the prototype it made, where there is one.

namespace quorlin::avm1 {

class TMachine;
class TObject;

void InstallObject(TMachine& m);      // Object, ASSetPropFlags
void InstallFunction(TMachine& m);    // Function.prototype.call and apply
TObject* InstallArray(TMachine& m);
TObject* InstallString(TMachine& m);
TObject* InstallNumber(TMachine& m);
TObject* InstallBoolean(TMachine& m);
void InstallMath(TMachine& m);
void InstallError(TMachine& m);    // Error, for throw new Error(...)
TObject* InstallDate(TMachine& m);
void InstallGlobals(TMachine& m);     // parseInt, parseFloat, isNaN, isFinite, escape, unescape
TObject* InstallMovieClip(TMachine& m);

}  // namespace quorlin::avm1

#include <string>

namespace quorlin::avm1 {

// escape and unescape: %XX for every byte but letters and digits.
std::string Escape(const std::string& s);
std::string Unescape(const std::string& s);

}  // namespace quorlin::avm1
