#pragma once
// The settings dialog: a page of one row per feature and an About page. Built from the
// form resource TCONFIGFORM; on OK it reads the rows back and saves them.

#include <memory>

#include "saver/forms/Form.h"
#include "saver/forms/StdControls.h"
#include "saver/settings/Config.h"

namespace quorlin {

// The About page's texts.
extern const char kProductName[];
extern const char kProductVersion[];
extern const char kCopyrightNotice[];
extern const char kCopyrightYear[];

class TConfigForm : public TForm {
public:
    explicit TConfigForm(TComponent* owner);
    ~TConfigForm() override;

    void FormCreate();
    void FormDestroy();
    void btnOkClick();
    void btnCancelClick();
    void lbWebsiteClick();

    TConfig* Config() const { return FConfig.get(); }

    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TPanel* Panel4;
    TImage* Image2;
    TScrollBox* scrollSettings;
    TTabSheet* TabSheet2;
    TLabel* lbName;
    TLabel* lbVersion;
    TLabel* lbCopyright;
    TLabel* lbWebsite;
    TImage* Image1;
    TButton* btnCancel;
    TButton* btnOk;

protected:
    TNotifyEvent MethodAddress(const std::string& name) override;

private:
    void CreateFeatureControls();

    std::unique_ptr<TConfig> FConfig;
};

}  // namespace quorlin
