#include "saver/shot/ShotForm.h"

#include <windows.h>

#include "saver/flash/flashbox.h"
#include "saver/forms/ResourceStream.h"

namespace quorlin {

TShotForm::TShotForm()
    : TForm(nullptr),
      FMovieStream(std::make_unique<TResourceStream>(GetModuleHandleA(nullptr), "MOVIE", RT_RCDATA)) {}

void TShotForm::GetStream(TFlashBox*, const std::string& url, std::unique_ptr<TStream>& stream) {
    if (url == kMainMovieUrl && FMovieStream) stream = std::move(FMovieStream);
}

}  // namespace quorlin
