#pragma once
// The module as a COM server: the class factories it offers, its registry entries, the
// command-line switches REGSERVER and UNREGSERVER, the class objects for local-server
// activation, and the count of the objects its factories made. It starts when the
// application object is initialised.

#include <objbase.h>

#include <string>
#include <vector>

namespace quorlin {

class TComObjectFactory;

enum class TServerStartMode {
    Standalone,   // an ordinary start
    RegServer,    // "/regserver" or "-regserver", any letter case
    UnregServer,  // "/unregserver" or "-unregserver", any letter case
};

class TComServer {
public:
    TComServer() = default;
    TComServer(const TComServer&) = delete;
    TComServer& operator=(const TComServer&) = delete;

    void AddFactory(TComObjectFactory* factory);
    void RemoveFactory(TComObjectFactory* factory);
    const std::vector<TComObjectFactory*>& Factories() const { return FFactories; }

    // The module's full path, in its short form when it holds a blank.
    std::string ServerFileName() const;
    // The module's file name without its extension.
    std::string ServerName() const;

    // Any argument after the first (the program) may carry a switch.
    static TServerStartMode StartModeOf(const std::vector<std::string>& arguments);
    TServerStartMode StartMode() const { return FStartMode; }

    // The start: writes every factory's entries (removes them for UNREGSERVER); a failure
    // is ignored unless the switch asked to register. After either switch the process ends
    // with exit code 0 (Halt); otherwise the class objects are offered.
    void Initialize(const std::vector<std::string>& arguments);
    // Writes or removes every factory's entries. Raises EOleRegistrationError.
    void UpdateRegistry(bool registering);
    void RegisterClassObjects();
    void RevokeClassObjects();

    // Live objects made by the factories, and LockServer's locks.
    void CountObject(bool created);
    void CountLock(bool lock);
    LONG ObjectCount() const { return FObjectCount; }

private:
    std::vector<TComObjectFactory*> FFactories;
    TServerStartMode FStartMode = TServerStartMode::Standalone;
    volatile LONG FObjectCount = 0;
};

// The module's one COM server object.
TComServer& ComServer();

}  // namespace quorlin
