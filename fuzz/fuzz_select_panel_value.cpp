// Condition schemes come back from the server as text: no value text may crash the reader or
// the selection panels it fills, whatever its lines, separators or lengths.

#include "controls/BtChkBox.h"
#include "controls/SchemeValues.h"
#include "controls/SelectPnl.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Edit.h"
#include "platform/components/Form.h"
#include "platform/components/MaskEdit.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace zrv;

// Date fields with a date mask, as a report form has them.
struct Host : TSchemeValueHost {
    bool IsDateField(TComponent* c) override
    {
        return c->Name() == "sp06" || c->Name() == "edDate";
    }
    std::string DateEditMask() override { return "9999/99/99;1; "; }
    int DateOrder() override { return order; }
    std::string DateSeparator() override { return "/"; }
    int order = 1;
};

struct Page {
    Page()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        EnsureApplication();
        SetDialogPresenter(std::make_shared<TScriptedDialogPresenter>());
        form = CreateForm<TForm>();
        auto make = [this](auto* c, const char* name) {
            c->SetName(name);
            c->SetParent(form);
            return c;
        };
        make(new TSelectPanel(form), "sp01")->SetStyle(TSelectStyle::sp_UserChoice);
        auto* sp03 = make(new TSelectPanel(form), "sp03");
        sp03->SetStyle(TSelectStyle::sp_Discrete);
        sp03->SetCheckDuplicate(TCheckDuplicate::cd_CaseInsensitive);
        make(new TSelectPanel(form), "sp06");
        make(new TEdit(form), "ed07");
        make(new TMaskEdit(form), "edDate");
        make(new TComboBox(form), "cbo02")->Items()->SetStrings({ "a", "b", "c" });
        make(new TBitCheckBox(form), "chk09");
    }
    TForm* form = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Page page;
    static const std::string fields = "sp01.style;sp03.style;sp06.style;ed07.text;edDate.text;"
                                      "cbo02.itemindex;cbo02.other;chk09.checked;chk09.state;"
                                      "missing.text;;sp01.style;";
    Host host;
    host.order = size ? 1 + data[0] % 5 : 1;
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    ReadSchemeValueText(page.form, fields, text, host, &error);
    // What was read can be written again.
    WriteSchemeValueText(page.form, fields, host);
    auto* sp01 = static_cast<TSelectPanel*>(page.form->FindComponent("sp01"));
    sp01->OrderRange();
    sp01->ConditionValue();
    return 0;
}
