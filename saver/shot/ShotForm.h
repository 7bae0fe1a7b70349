#pragma once
// The off-screen form of the screenshot mode: no form resource, set up in code by the
// still renderer. It holds the movie until the Flash control asks for it.

#include <memory>
#include <string>

#include "saver/forms/Form.h"
#include "saver/forms/Stream.h"

namespace quorlin {

class TFlashBox;

class TShotForm : public TForm {
public:
    // No owner: the still renderer destroys it. Raises EStreamError when the module has
    // no MOVIE resource.
    TShotForm();

    // The box's OnGetStream: hands the movie out for "http://main" (compared exactly), once; from then on the
    // moniker over it owns it. Any other URL, and a second request, get no stream.
    void GetStream(TFlashBox* sender, const std::string& url, std::unique_ptr<TStream>& stream);

private:
    std::unique_ptr<TStream> FMovieStream;
};

}  // namespace quorlin
