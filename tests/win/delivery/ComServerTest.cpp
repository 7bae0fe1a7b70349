// The module's COM server support in this test process: its switches, the registry
// entries it writes and removes under HKEY_CLASSES_ROOT (read back from the real
// registry), and the class object it offers for local-server activation.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "saver/delivery/moniker.h"
#include "saver/forms/ComObjectFactory.h"
#include "saver/forms/ComPtr.h"
#include "saver/forms/ComRegistry.h"
#include "saver/forms/ComServer.h"
#include "saver/forms/Halt.h"
#include "tests/win/delivery/DeliveryFixtures.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

const char kClassKey[] = "CLSID\\{A3D6C94F-811E-4C5B-941F-E0035FF3D8C4}";
// The ProgID is named after the module: this test program here.
const char kProgID[] = "wintest_delivery.CustomMoniker";

// The default value of HKEY_CLASSES_ROOT\key, or nothing when the key is missing.
std::optional<std::string> DefaultValue(const std::string& key) {
    TRegKey handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, handle.Put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (RegQueryValueExA(handle.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS) {
        return std::string("(no default value)");
    }
    return type == REG_SZ ? std::string(value) : std::string("(not a string)");
}

std::string ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void ExpectRegistered() {
    const std::string classKey = kClassKey;
    EXPECT_EQ(DefaultValue(classKey), "");
    EXPECT_EQ(DefaultValue(classKey + "\\LocalServer32"), ModulePath());
    EXPECT_EQ(DefaultValue(classKey + "\\ProgID"), kProgID);
    EXPECT_EQ(DefaultValue(kProgID), "");
    EXPECT_EQ(DefaultValue(std::string(kProgID) + "\\Clsid"), "{A3D6C94F-811E-4C5B-941F-E0035FF3D8C4}");
}

void ExpectUnregistered() {
    for (const std::string& key : {std::string(kClassKey), std::string(kProgID)}) {
        EXPECT_EQ(DefaultValue(key), std::nullopt) << key;
    }
}

int HaltCodeOf(const std::vector<std::string>& arguments) {
    try {
        ComServer().Initialize(arguments);
    } catch (const THalt& halt) {
        return halt.ExitCode;
    }
    ADD_FAILURE() << "the switch did not end the process";
    return -1;
}

}  // namespace

TEST(TComServer, SwitchesAfterSlashOrDashInAnyLetterCase) {
    struct Case {
        std::vector<std::string> arguments;
        TServerStartMode mode;
    };
    const Case cases[] = {
        {{"x.scr", "/regserver"}, TServerStartMode::RegServer},
        {{"x.scr", "-REGSERVER"}, TServerStartMode::RegServer},
        {{"x.scr", "/c", "-RegServer"}, TServerStartMode::RegServer},
        {{"x.scr", "-UNREGSERVER"}, TServerStartMode::UnregServer},
        {{"x.scr", "/UnRegServer"}, TServerStartMode::UnregServer},
        {{"x.scr"}, TServerStartMode::Standalone},
        {{"/regserver"}, TServerStartMode::Standalone},  // the program's own path is no switch
        {{"x.scr", "regserver"}, TServerStartMode::Standalone},
        {{"x.scr", "\\regserver"}, TServerStartMode::Standalone},
        {{"x.scr", "/regserver2"}, TServerStartMode::Standalone},
        {{"x.scr", "/s"}, TServerStartMode::Standalone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TComServer::StartModeOf(c.arguments), c.mode) << c.arguments.back();
    }
}

TEST(TComServer, TheMonikerClassIsOfferedAsTheDescriptionSays) {
    const auto& factories = ComServer().Factories();
    ASSERT_EQ(factories.size(), 1u);
    const TComObjectFactory& factory = *factories[0];
    EXPECT_TRUE(IsEqualCLSID(factory.ClassID(), CLSID_CustomMoniker));
    EXPECT_EQ(factory.ClassName(), "CustomMoniker");
    EXPECT_EQ(factory.Description(), "");
    EXPECT_EQ(factory.Instancing(), TClassInstancing::ciMultiInstance);
    EXPECT_EQ(factory.ThreadingModel(), TThreadingModel::tmApartment);
    EXPECT_EQ(factory.ProgID(), kProgID);
}

TEST(TComServer, RegServerAndUnregServerWriteAndRemoveTheEntriesThenHalt) {
    EXPECT_EQ(HaltCodeOf({"x", "-unregserver"}), 0);
    ExpectUnregistered();
    EXPECT_EQ(HaltCodeOf({"x", "/RegServer"}), 0);
    ExpectRegistered();
    EXPECT_EQ(HaltCodeOf({"x", "/regserver"}), 0) << "registering again is harmless";
    ExpectRegistered();
    EXPECT_EQ(HaltCodeOf({"x", "-UNREGSERVER"}), 0);
    ExpectUnregistered();
    EXPECT_EQ(HaltCodeOf({"x", "-UNREGSERVER"}), 0) << "removing what is not there is no error";
    ExpectUnregistered();
}

TEST(TComServer, OrdinaryStartWritesTheEntriesAndOffersTheClassObject) {
    ComServer().UpdateRegistry(false);
    ComServer().Initialize({"x", "/s"});
    ExpectRegistered();

    TComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_CustomMoniker, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                               factory.PutVoid()),
              S_OK);
    EXPECT_EQ(ComServer().ObjectCount(), 0);
    TComPtr<IMoniker> moniker;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IMoniker, moniker.PutVoid()), S_OK);
    EXPECT_EQ(ComServer().ObjectCount(), 1) << "the factory's objects are counted";
    // It has no source: every bind fails.
    TRecordingCallback callback;
    TComPtr<IBindCtx> context = BindContextWith(&callback);
    void* stream = nullptr;
    EXPECT_EQ(moniker->BindToStorage(context.Get(), nullptr, IID_IStream, &stream), E_FAIL);
    moniker.Reset();
    EXPECT_EQ(ComServer().ObjectCount(), 0);

    void* object = reinterpret_cast<void*>(0x1234);
    TComPtr<IUnknown> outer(static_cast<IUnknown*>(&callback));
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersistStream, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(ComServer().ObjectCount(), 0) << "a refused object is gone";

    factory.Reset();
    ComServer().RevokeClassObjects();
    ComServer().UpdateRegistry(false);
}
