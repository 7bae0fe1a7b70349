#include "saver/forms/FormReader.h"

#include <windows.h>

#include <map>

#include "saver/forms/Scaling.h"
#include "saver/forms/StdControls.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

std::map<std::string, TControlFactory>& ControlClasses() {
    static std::map<std::string, TControlFactory> classes = {
        {"TPageControl", [](TComponent* owner) -> TWinControl* { return new TPageControl(owner); }},
        {"TTabSheet", [](TComponent* owner) -> TWinControl* { return new TTabSheet(owner); }},
        {"TPanel", [](TComponent* owner) -> TWinControl* { return new TPanel(owner); }},
        {"TScrollBox", [](TComponent* owner) -> TWinControl* { return new TScrollBox(owner); }},
        {"TLabel", [](TComponent* owner) -> TWinControl* { return new TLabel(owner); }},
        {"TImage", [](TComponent* owner) -> TWinControl* { return new TImage(owner); }},
        {"TButton", [](TComponent* owner) -> TWinControl* { return new TButton(owner); }},
        {"TCheckBox", [](TComponent* owner) -> TWinControl* { return new TCheckBox(owner); }},
        {"TEdit", [](TComponent* owner) -> TWinControl* { return new TEdit(owner); }},
    };
    return classes;
}

}  // namespace

void RegisterControlClass(const std::string& className, TControlFactory factory) {
    ControlClasses()[className] = std::move(factory);
}

std::string LoadResourceText(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw Exception(FormatText("Resource %s not found", {name}));
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, info));
}

void TFormReader::Read(const TObjectDesc& root) {
    FForm.Name = root.Name;
    ReadProperties(FForm, root);
    ReadChildren(FForm, root);
    for (const TReference& reference : FReferences) {
        TComponent* target = FForm.FindComponent(reference.Target);
        auto* page = dynamic_cast<TPageControl*>(reference.Control);
        auto* sheet = dynamic_cast<TTabSheet*>(target);
        if (!page || reference.Property != "ActivePage" || !sheet) {
            throw Exception(FormatText("Invalid property value for '%s'", {reference.Property}));
        }
        page->SetActivePage(sheet);
    }
    if (FForm.Scaled && FForm.PixelsPerInch != ScreenDpi()) Scale(FForm, FForm.PixelsPerInch);
}

void TFormReader::ReadChildren(TWinControl& parent, const TObjectDesc& desc) {
    for (const TObjectDesc& childDesc : desc.Children) {
        const auto factory = ControlClasses().find(childDesc.ClassName);
        if (factory == ControlClasses().end()) {
            throw Exception(FormatText("Class %s not found", {childDesc.ClassName}));
        }
        TWinControl* child = factory->second(&FForm);
        child->Name = childDesc.Name;
        child->SetParent(&parent);
        ReadProperties(*child, childDesc);
        ReadChildren(*child, childDesc);
    }
}

void TFormReader::ReadProperties(TWinControl& control, const TObjectDesc& desc) {
    for (const auto& [name, value] : desc.Properties) {
        if (&control == &FForm && (name == "OnCloseQuery" || name == "OnClose")) {
            BindCloseEvent(name, value.AsIdent(name));
            continue;
        }
        if (name.compare(0, 2, "On") == 0) {
            TNotifyEvent* event = dynamic_cast<TCustomForm*>(&control) ? FForm.EventField(name) : nullptr;
            if (!event && name == "OnClick") event = &control.OnClick;
            if (!event) throw Exception(FormatText("Property %s does not exist", {name}));
            TNotifyEvent handler = FForm.MethodAddress(value.AsIdent(name));
            if (!handler) throw Exception(FormatText("Method %s not found", {value.Text}));
            *event = std::move(handler);
            continue;
        }
        if (control.SetProperty(name, value)) continue;
        if (value.Kind == TPropValue::pvIdent) {
            FReferences.push_back({&control, name, value.Text});
            continue;
        }
        throw Exception(FormatText("Property %s does not exist", {name}));
    }
}

void TFormReader::BindCloseEvent(const std::string& event, const std::string& method) {
    bool found;
    if (event == "OnCloseQuery") {
        FForm.OnCloseQuery = FForm.CloseQueryMethod(method);
        found = static_cast<bool>(FForm.OnCloseQuery);
    } else {
        FForm.OnClose = FForm.CloseMethod(method);
        found = static_cast<bool>(FForm.OnClose);
    }
    if (!found) throw Exception(FormatText("Method %s not found", {method}));
}

void TFormReader::Scale(TWinControl& control, int fromDpi) {
    auto scale = [fromDpi](int length) { return ScaleLength(length, fromDpi); };
    if (auto* form = dynamic_cast<TCustomForm*>(&control)) {
        // The form keeps its designed place; its client area and its content scale.
        form->SetClientSize(scale(form->ClientWidth()), scale(form->ClientHeight()));
    } else {
        control.SetBounds(scale(control.Left()), scale(control.Top()), scale(control.Width()), scale(control.Height()));
    }
    if (!control.ParentFont()) control.OwnFont().SetHeight(scale(control.Font().Height()));
    for (TWinControl* child : control.Controls()) Scale(*child, fromDpi);
}

void TForm::LoadFromResource(const char* resourceName) {
    TFormReader(*this).Read(ParseFormDescription(LoadResourceText(resourceName)));
}

}  // namespace quorlin
