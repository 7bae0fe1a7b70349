#pragma once
// A form's picture as it would appear on screen, taken while it lies off screen: the form
// and then each visible child paint into a bitmap's device context, through the erase and
// paint requests that carry that context.

#include <memory>

namespace quorlin {

class TBitmap;
class TCustomForm;

// A bitmap of the form's client size. Raises EInvalidGraphic when it cannot be made.
std::unique_ptr<TBitmap> GetFormImage(TCustomForm& form);

}  // namespace quorlin
