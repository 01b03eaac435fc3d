#include "platform/Automation.h"
#include "platform/Library.h"
#include "platform/MachineRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace zrv;

namespace {

class Counter : public DispatchObject {
public:
    Counter()
    {
        AddMethod("Next", [this](std::span<Variant> args) {
            NeedArgs("Next", args, 1);
            value_ += args[0].ToInt();
            args[0] = value_; // written back through the by-reference argument
            return Variant(value_);
        });
        AddProperty(
            "Value", [this] { return Variant(value_); },
            [this](const Variant& v) { value_ = v.ToInt(); });
    }

private:
    int value_ = 0;
};

std::string WriteFile(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

} // namespace

TEST(Automation, CallsByNameWithReferenceArguments)
{
    auto c = std::make_shared<Counter>();
    std::vector<Variant> args { 5 };
    EXPECT_EQ(c->CallRef("next", args).ToInt(), 5);
    EXPECT_EQ(args[0].ToInt(), 5);
    c->Put("VALUE", 10);
    EXPECT_EQ(c->Get("Value").ToInt(), 10);
    EXPECT_THROW(c->Call("Missing"), AutomationError);
    EXPECT_THROW(c->Call("Next"), AutomationError);
}

TEST(Automation, CreateObjectFromFactoryOrFailsClearly)
{
    RegisterClassFactory("Demo.Counter", [] { return std::make_shared<Counter>(); });
    EXPECT_NE(CreateObject("demo.counter"), nullptr);
    UnregisterClassFactory("Demo.Counter");
    setenv("ZRV_REGISTRY_FILE",
        WriteFile("reg_auto.ini", "[Software\\Classes\\Demo.Lib]\nLibrary=NoSuchLib.dll\n").c_str(),
        1);
    try {
        CreateObject("Demo.Lib");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_NE(std::string(e.what()).find("NoSuchLib.so"), std::string::npos);
    }
    EXPECT_THROW(CreateObject("Demo.Unknown"), AutomationError);
}

TEST(MachineRegistry, ReadsKeysWithoutCaseAndSeesChanges)
{
    const std::string path = WriteFile("reg.ini",
        "[Software\\ZRV\\Orvane]\nClientPath=/opt/zrv/client\nServerPath = C:\\ZRV\\Server\n");
    setenv("ZRV_REGISTRY_FILE", path.c_str(), 1);
    EXPECT_EQ(
        MachineRegistry::ReadString("software\\zrv\\orvane", "clientpath"), "/opt/zrv/client");
    EXPECT_EQ(
        MachineRegistry::ReadString("\\Software\\ZRV\\Orvane\\", "ServerPath"), "C:\\ZRV\\Server");
    EXPECT_FALSE(MachineRegistry::ReadString("Software\\ZRV\\Orvane", "ProfileType"));
    EXPECT_FALSE(MachineRegistry::ReadString("Software\\Other", "ClientPath"));
    EXPECT_EQ(MachineRegistry::ValueNames("Software\\ZRV\\Orvane").size(), 2u);

    sleep(0); // the check compares modification time and size, so a longer rewrite is seen
    const std::string longPath = "/srv/" + std::string(300, 'x') + ";D:\\y";
    std::ofstream(path) << "[Software\\ZRV\\Orvane]\nClientPath=" << longPath
                        << "\nProfileType=1\n";
    EXPECT_EQ(MachineRegistry::ReadString("Software\\ZRV\\Orvane", "ProfileType"), "1");
    EXPECT_EQ(MachineRegistry::ReadString("Software\\ZRV\\Orvane", "ClientPath"), longPath)
        << "long values and semicolons are kept whole";

    setenv("ZRV_REGISTRY_FILE", (path + ".missing").c_str(), 1);
    EXPECT_FALSE(MachineRegistry::KeyExists("Software\\ZRV\\Orvane"));
}

TEST(Library, MapsWindowsNamesAndReportsFailures)
{
    EXPECT_EQ(Library::PlatformName("Zrlanguage.dll"), "Zrlanguage.so");
    EXPECT_EQ(Library::PlatformName("CallWebService.DLL"), "CallWebService.so");
    EXPECT_EQ(Library::PlatformName("HvResD5"), "HvResD5.so");
    std::string error;
    EXPECT_EQ(Library::Load("NoSuchLibrary.dll", &error), nullptr);
    EXPECT_FALSE(error.empty());
    auto libc = Library::Load("libc.so.6");
    ASSERT_NE(libc, nullptr);
    EXPECT_NE(libc->Symbol("strlen"), nullptr);
    EXPECT_EQ(libc->Symbol("no_such_symbol_here"), nullptr);
}
