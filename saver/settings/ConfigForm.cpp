#include "saver/settings/ConfigForm.h"

#include <algorithm>

#include "saver/forms/Scaling.h"
#include "saver/forms/SysUtils.h"
#include "saver/shell/Utils.h"

namespace quorlin {

const char kProductName[] = "Quorlin";
const char kProductVersion[] = "1.4.0-3";
const char kCopyrightNotice[] = "Copyright (c) 2004-%s Tessaly";
const char kCopyrightYear[] = "2026";

TConfigForm::TConfigForm(TComponent* owner) : TForm(owner) {
    LoadFromResource("TCONFIGFORM");
    PageControl1 = Bind<TPageControl>("PageControl1");
    TabSheet1 = Bind<TTabSheet>("TabSheet1");
    Panel4 = Bind<TPanel>("Panel4");
    Image2 = Bind<TImage>("Image2");
    scrollSettings = Bind<TScrollBox>("scrollSettings");
    TabSheet2 = Bind<TTabSheet>("TabSheet2");
    lbName = Bind<TLabel>("lbName");
    lbVersion = Bind<TLabel>("lbVersion");
    lbCopyright = Bind<TLabel>("lbCopyright");
    lbWebsite = Bind<TLabel>("lbWebsite");
    Image1 = Bind<TImage>("Image1");
    btnCancel = Bind<TButton>("btnCancel");
    btnOk = Bind<TButton>("btnOk");
}

TConfigForm::~TConfigForm() { DoDestroy(); }

TNotifyEvent TConfigForm::MethodAddress(const std::string& name) {
    if (name == "FormCreate") return [this] { FormCreate(); };
    if (name == "FormDestroy") return [this] { FormDestroy(); };
    if (name == "btnOkClick") return [this] { btnOkClick(); };
    if (name == "btnCancelClick") return [this] { btnCancelClick(); };
    if (name == "lbWebsiteClick") return [this] { lbWebsiteClick(); };
    return {};
}

void TConfigForm::FormCreate() {
    FConfig = std::make_unique<TConfig>();
    // The controls exist before the registry is read, so that every one can show its value.
    CreateFeatureControls();
    FConfig->Load();
    FConfig->WriteControls();
    lbName->SetText(kProductName);
    lbVersion->SetText(FormatText("Version %s", {kProductVersion}));
    lbCopyright->SetText(FormatText(kCopyrightNotice, {kCopyrightYear}));
}

void TConfigForm::CreateFeatureControls() {
    const int labelWidth = ScaleLength(130);
    const int margin = ScaleLength(10);
    int rowHeight = ScaleLength(25);
    std::vector<TLabel*> labels;
    for (const auto& feature : FConfig->Features) {
        auto* label = new TLabel(scrollSettings);
        label->SetParent(scrollSettings);
        label->SetText(feature->Caption);
        label->Hint = feature->Caption;
        label->ShowHint = true;
        labels.push_back(label);
        TWinControl* control = feature->CreateControl(scrollSettings);
        if (control) {
            control->SetParent(scrollSettings);
            if (feature->Kind == fkBoolean) control->SetHeight(ScaleLength(17));
        }
        rowHeight = std::max({rowHeight, label->Height(), control ? control->Height() : 0});
    }
    int y = margin;
    for (size_t i = 0; i < labels.size(); ++i) {
        TLabel* label = labels[i];
        label->SetAutoSize(false);
        label->SetLayout(TTextLayout::tlCenter);
        label->SetBounds(margin, y, labelWidth, rowHeight);
        if (TWinControl* control = FConfig->Features[i]->Control) {
            control->SetBounds(margin + labelWidth + margin, y + (rowHeight - control->Height()) / 2, control->Width(),
                               control->Height());
        }
        y += rowHeight;
    }
}

void TConfigForm::btnOkClick() {
    FConfig->ReadControls();
    FConfig->Save();
    Close();
}

void TConfigForm::btnCancelClick() { Close(); }

void TConfigForm::FormDestroy() { FConfig.reset(); }

void TConfigForm::lbWebsiteClick() { ShellOpen(lbWebsite->Text()); }

}  // namespace quorlin
