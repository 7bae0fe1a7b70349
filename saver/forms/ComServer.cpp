#include "saver/forms/ComServer.h"

#include <windows.h>

#include <algorithm>

#include "saver/forms/Application.h"
#include "saver/forms/ComObjectFactory.h"
#include "saver/forms/ComRegistry.h"
#include "saver/forms/Halt.h"
#include "saver/shell/CommandLine.h"

namespace quorlin {

namespace {

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ShortPath(const std::string& path) {
    const DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::string shortPath(needed, '\0');
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return path;
    shortPath.resize(length);
    return shortPath;
}

bool IsSwitch(const std::string& argument, const char* name) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
           LowerCaseAscii(argument.substr(1)) == name;
}

// Owned by the application object, so the class objects are withdrawn while COM is still
// initialised, before the apartment ends.
class TClassObjectRegistration : public TComponent {
public:
    using TComponent::TComponent;
    ~TClassObjectRegistration() override { ComServer().RevokeClassObjects(); }
};

[[maybe_unused]] const bool kStartsWithApplication = [] {
    TApplication::AddInitProc([] {
        new TClassObjectRegistration(Application);
        ComServer().Initialize(ProcessArguments());
    });
    return true;
}();

}  // namespace

TComServer& ComServer() {
    static TComServer server;
    return server;
}

void TComServer::AddFactory(TComObjectFactory* factory) { FFactories.push_back(factory); }

void TComServer::RemoveFactory(TComObjectFactory* factory) {
    FFactories.erase(std::remove(FFactories.begin(), FFactories.end(), factory), FFactories.end());
}

std::string TComServer::ServerFileName() const {
    const std::string path = ModulePath();
    return path.find(' ') == std::string::npos ? path : ShortPath(path);
}

std::string TComServer::ServerName() const {
    std::string name = ModulePath();
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

TServerStartMode TComServer::StartModeOf(const std::vector<std::string>& arguments) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (IsSwitch(arguments[i], "regserver")) return TServerStartMode::RegServer;
        if (IsSwitch(arguments[i], "unregserver")) return TServerStartMode::UnregServer;
    }
    return TServerStartMode::Standalone;
}

void TComServer::Initialize(const std::vector<std::string>& arguments) {
    FStartMode = StartModeOf(arguments);
    try {
        UpdateRegistry(FStartMode != TServerStartMode::UnregServer);
    } catch (const EOleRegistrationError&) {
        // An ordinary user may not write HKEY_CLASSES_ROOT; only an explicit request to
        // register hears about it.
        if (FStartMode == TServerStartMode::RegServer) throw;
    }
    if (FStartMode != TServerStartMode::Standalone) Halt(0);
    RegisterClassObjects();
}

void TComServer::UpdateRegistry(bool registering) {
    for (TComObjectFactory* factory : FFactories) factory->UpdateRegistry(registering);
}

void TComServer::RegisterClassObjects() {
    for (TComObjectFactory* factory : FFactories) factory->RegisterClassObject();
}

void TComServer::RevokeClassObjects() {
    for (TComObjectFactory* factory : FFactories) factory->RevokeClassObject();
}

void TComServer::CountObject(bool created) {
    if (created) InterlockedIncrement(&FObjectCount);
    else InterlockedDecrement(&FObjectCount);
}

void TComServer::CountLock(bool lock) { CountObject(lock); }

}  // namespace quorlin
