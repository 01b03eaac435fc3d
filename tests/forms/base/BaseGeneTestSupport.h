#pragma once
// The base form under test: a small KVS window with a few controls on its pages, the host
// stand-in on a fresh demo database, the application server made in this process by name, and
// a client profile the test may rewrite.

#include "HostStandIn.h"
#include "ScriptedLookupAnswerer.h"
#include "dmReportCounter.h"
#include "forms/base/SConnect.h"
#include "forms/report/Kvsr58CF.h"
#include "platform/components/CheckBox.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Edit.h"
#include "platform/components/FormResources.h"
#include "platform/components/Memo.h"
#include "platform/components/PageControl.h"
#include "platform/components/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zrv::test {

// The module window with conditions of its own: edits, a memo, a combo box and a check box on
// the first page, and a third page.
class TfrmKvsProbe : public TfrmKvsr58 {
public:
    explicit TfrmKvsProbe(TComponent* owner)
        : TfrmKvsr58(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TfrmKvsProbe>(
            "TfrmKvsProbe", TfrmKvsr58::StaticClassInfo(), [](TClassBuilder<TfrmKvsProbe>& c) {
                c.Field("ed01", &TfrmKvsProbe::ed01);
                c.Field("ed02", &TfrmKvsProbe::ed02);
                c.Field("mm03", &TfrmKvsProbe::mm03);
                c.Field("cbo04", &TfrmKvsProbe::cbo04);
                c.Field("chk05", &TfrmKvsProbe::chk05);
                c.Field("tsOption3", &TfrmKvsProbe::tsOption3);
                c.Field("ed31", &TfrmKvsProbe::ed31);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void F2Pressed(uint16_t key, TWinControl* control) override
    {
        log.push_back("F2 " + (control ? control->Name() : std::string("-")));
        TfrmKvsr58::F2Pressed(key, control);
    }
    void RunByMode(int mode) override { log.push_back("run mode " + std::to_string(mode)); }
    void btnOkClick(TObject*) override { log.push_back("ok"); }
    void AfterRightsApplied() override { log.push_back("rights"); }

    TEdit* ed01 = nullptr;
    TEdit* ed02 = nullptr;
    TMemo* mm03 = nullptr;
    TComboBox* cbo04 = nullptr;
    TCheckBox* chk05 = nullptr;
    TTabSheet* tsOption3 = nullptr;
    TEdit* ed31 = nullptr;
    std::vector<std::string> log;
};

inline const char* kProbeDescription = R"(inherited frmKvsProbe: TfrmKvsProbe
  inherited pgOption: TPageControl
    inherited tsOption1: TTabSheet
      object ed01: TEdit
        Left = 8
        Top = 8
        Width = 120
        Height = 21
        TabOrder = 0
      end
      object ed02: TEdit
        Left = 8
        Top = 36
        Width = 120
        Height = 21
        TabOrder = 1
      end
      object mm03: TMemo
        Left = 8
        Top = 64
        Width = 120
        Height = 60
        TabOrder = 2
      end
      object cbo04: TComboBox
        Left = 8
        Top = 130
        Width = 120
        Height = 21
        TabOrder = 3
      end
      object chk05: TCheckBox
        Left = 8
        Top = 160
        Width = 120
        Height = 17
        Caption = 'chk05'
        TabOrder = 4
      end
    end
    object tsOption3: TTabSheet
      Caption = 'Third'
      object ed31: TEdit
        Left = 8
        Top = 8
        Width = 120
        Height = 21
        TabOrder = 0
      end
    end
  end
end
)";

inline void ProcessAll()
{
    for (int i = 0; i < 3; ++i)
        ProcessEvents();
}

// One installation per test program: registry, client folder, databases.
class Installation {
public:
    static Installation& Get()
    {
        static Installation installation;
        return installation;
    }

    std::filesystem::path folder;
    std::shared_ptr<ScriptedLookupAnswerer> answerer = std::make_shared<ScriptedLookupAnswerer>();
    std::vector<std::pair<std::string, std::string>> helpCalls;

    // The client profile: nothing (the embedded defaults), or these lines.
    void WriteProfile(const std::string& text)
    {
        const auto file = folder / "client" / "OrvaneC.ini";
        if (text.empty()) {
            std::filesystem::remove(file);
            return;
        }
        std::ofstream(file) << text;
    }
    void UseServer(const std::string& address, int port)
    {
        WriteProfile("[Server Information]\nComputerName=" + address
            + "\nServerPort=" + std::to_string(port) + "\n");
    }

    DispatchPtr Host(int productId = 0) { return CreateHostObject(Options(productId)); }
    HostOptions Options(int productId = 0)
    {
        HostOptions options;
        options.databasePath = (folder / "demo.db").string();
        options.schemeDatabasePath = "-";
        options.answerer = answerer;
        options.productId = productId;
        options.help
            = [this](const std::string& s, const std::string& t) { helpCalls.emplace_back(s, t); };
        return options;
    }

    std::string ServerDatabase() const { return (folder / "appserver.db").string(); }

    ~Installation()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

private:
    Installation()
    {
        EnsureApplication();
        char tmpl[] = "/tmp/kvsr58-forms-XXXXXX";
        folder = ::mkdtemp(tmpl);
        std::filesystem::create_directories(folder / "client");
        const auto registry = folder / "registry.ini";
        std::ofstream(registry) << "[Software\\ZRV\\Orvane]\nClientPath="
                                << (folder / "client").string() << "\n";
        ::setenv("ZRV_REGISTRY_FILE", registry.c_str(), 1);
        // The server object the window makes by name when the profile says 127.0.0.1.
        const std::string db = ServerDatabase();
        RegisterClassFactory(TdmReportCounter::kProgId,
            [db]() -> DispatchPtr { return std::make_shared<TdmReportCounter>(db); });
        FormResources::Add("tests/KvsProbe.zfm", kProbeDescription);
    }
};

// A probe window with a scripted dialog presenter; the window may free itself.
struct ProbeFixture : ::testing::Test {
    void SetUp() override
    {
        Installation& inst = Installation::Get();
        inst.WriteProfile("");
        inst.helpCalls.clear();
        dialogs = std::make_shared<TScriptedDialogPresenter>();
        scope = std::make_unique<TScopedDialogPresenter>(dialogs);
        host = Variant(inst.Host());
    }
    void TearDown() override
    {
        Free();
        ProcessAll();
        scope.reset();
    }

    // A window of the library KVSR58C.so (or the given file) with the host object.
    TfrmKvsProbe* Create(const std::string& file = "KVSR58C.so")
    {
        Free();
        form = CreateForm<TfrmKvsProbe>();
        form->SetModulePath((Installation::Get().folder / file).string());
        form->HostObject = host;
        return form;
    }
    static Variant Context(int elements = 5)
    {
        std::vector<Variant> items { Variant("DS"), Variant("DEMO"), Variant("DEMO"), Variant(0),
            Variant() };
        items.resize(static_cast<size_t>(elements));
        return Variant::ArrayOf(items);
    }
    TfrmKvsProbe* Open(int elements = 5)
    {
        Create();
        opened = form->OpenWithContext(Context(elements));
        return form;
    }
    bool Alive() const { return form && TComponent::IsLive(form); }
    void Free()
    {
        if (Alive())
            form->Free();
        form = nullptr;
    }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> out;
        for (const auto& r : dialogs->Messages())
            out.push_back(r.text);
        return out;
    }

    std::shared_ptr<TScriptedDialogPresenter> dialogs;
    std::unique_ptr<TScopedDialogPresenter> scope;
    Variant host;
    TfrmKvsProbe* form = nullptr;
    bool opened = false;
};

} // namespace zrv::test
