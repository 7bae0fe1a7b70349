#pragma once
// The screen form: the saver full screen, or its preview inside the display settings'
// preview window. Built from the form resource TSCRNFRM; it plays the clock movie in a
// Flash host and, full screen, ends on the first key, button or mouse move.

#include <windows.h>

#include <memory>
#include <string>

#include "saver/forms/Form.h"
#include "saver/forms/Stream.h"
#include "saver/settings/Config.h"
#include "saver/shell/PreviewWatch.h"

namespace quorlin {

class TFlashBox;

// Where the cursor stood when the form had shown: the mouse rule measures from here.
extern POINT StartCursorPos;

class TScrnFrm : public TForm {
public:
    explicit TScrnFrm(TComponent* owner);
    // The preview: a child of a window of another process, without an owner.
    static TScrnFrm* CreateParented(HWND parentWindow);
    ~TScrnFrm() override;

    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(TCloseAction& action);
    void FormDestroy();

    void StartSaver();
    void StopSaver();
    void AppMessage(MSG& msg, bool& handled);
    void GetStream(TFlashBox* sender, const std::string& url, std::unique_ptr<TStream>& stream);

    TFlashBox* FlashBox() const { return FFlashBox; }

protected:
    TNotifyEvent MethodAddress(const std::string& name) override;
    std::function<void(bool&)> CloseQueryMethod(const std::string& name) override;
    std::function<void(TCloseAction&)> CloseMethod(const std::string& name) override;

private:
    TScrnFrm(TComponent* owner, HWND parentWindow);

    TFlashBox* FFlashBox = nullptr;
    std::unique_ptr<TConfig> FConfig;
    // Each is held until GetStream hands it to the moniker that then owns it.
    std::unique_ptr<TStream> FMovieStream;
    std::unique_ptr<TStream> FDesktopStream;
    std::unique_ptr<TPreviewWatch> FPreviewWatch;
};

}  // namespace quorlin
