#pragma once
// An image: a bitmap drawn unscaled at the top-left corner; transparent, the pixels of the
// bitmap's bottom-left colour are left undrawn.

#include "saver/forms/Control.h"

namespace quorlin {

class TImage : public TWinControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    // Loads the picture from a BITMAP resource of the module.
    void LoadPicture(const std::string& resourceName);
    HBITMAP Picture() const { return FPicture; }
    SIZE PictureSize() const;
    bool Transparent = false;

    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void Paint(HDC dc) override;

private:
    HBITMAP FPicture = nullptr;
};

}  // namespace quorlin
