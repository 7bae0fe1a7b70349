#include "tests/win/flashbox/FlashBoxFixture.h"

#include <sstream>

namespace quorlin::testing {

TComApartment* FlashBoxTest::FApartment = nullptr;

namespace {

HMODULE Recorder = nullptr;

template <class T>
T Export(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Recorder, name)));
}

}  // namespace

void FlashBoxTest::SetUpTestSuite() {
    if (Recorder) return;
    FApartment = new TComApartment();
    // A temporary folder of this process's own, so no other test's module is in the way.
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "quorlin-flashbox-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
    // The box's own loader puts the recorder in place; the same module serves every box.
    Recorder = LoadFlashModule();
}

void FlashBoxTest::TearDown() {
    FBox.reset();
    FForm.reset();
}

TFlashBox* FlashBoxTest::MakeBox() {
    FBox.reset();
    Export<TRecorderConfigure>("RecorderConfigure")(&Config);
    ClearCalls();
    FBox = std::make_unique<TFlashBox>(nullptr);
    return FBox.get();
}

TCustomForm* FlashBoxTest::ShownForm(int width, int height) {
    FForm = std::make_unique<TCustomForm>(nullptr);
    FForm->BorderStyle = TFormBorderStyle::bsNone;
    FForm->SetBounds(0, 0, width, height);
    FForm->Show();
    return FForm.get();
}

TFlashBox* FlashBoxTest::MakeActiveBox() {
    TCustomForm* form = ShownForm();
    TFlashBox* box = MakeBox();
    box->SetParent(form);
    return box;
}

void FlashBoxTest::DeleteBox() { FBox.reset(); }

std::vector<std::string> FlashBoxTest::Calls() const {
    std::vector<std::string> calls;
    std::istringstream lines(Export<TRecorderCalls>("RecorderCalls")());
    for (std::string line; std::getline(lines, line);) calls.push_back(line);
    return calls;
}

bool FlashBoxTest::Called(const std::string& call) const {
    for (const std::string& each : Calls()) {
        if (each == call) return true;
    }
    return false;
}

int FlashBoxTest::IndexOf(const std::string& prefix) const {
    const std::vector<std::string> calls = Calls();
    for (size_t index = 0; index < calls.size(); ++index) {
        if (calls[index].rfind(prefix, 0) == 0) return static_cast<int>(index);
    }
    return -1;
}

void FlashBoxTest::ClearCalls() const { Export<TRecorderClear>("RecorderClear")(); }

HWND FlashBoxTest::ControlWindow() const { return Export<TRecorderWindow>("RecorderWindow")(); }

}  // namespace quorlin::testing
