#include "controls/SelectPnl.h"
#include "lang/CodeConverter.h"
#include "platform/components/Form.h"
#include "platform/components/ListView.h"

#include <gtest/gtest.h>

using namespace zrv;

// A Big5 interface converts a selection panel's own texts and its list together with the
// window, although the panel's parts are owned by the panel, not by the window.
TEST(SelectPanelConversion, Big5InterfaceReachesTheWordsAndTheList)
{
    EnsureApplication();
    TOwned<TForm> form(CreateForm<TForm>());
    auto* converter = new TCodeConverter(form.get());
    auto* panel = new TSelectPanel(form.get());
    panel->SetParent(form.get());
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->SetHintWord("供应商");
    panel->ColumnCaptions()->SetStrings({ "编号", "简称" });
    ASSERT_TRUE(panel->AddListRow({ "S01", "华东贸易" }));
    panel->BeginWords()->SetStrings({ "从", "从" });

    converter->SetCodePages("936", "950", "936");
    converter->SetConvertModes(2, 2);
    converter->ConvertForm(form.get());

    EXPECT_EQ(panel->HintWord(), "供應商");
    EXPECT_EQ(panel->BeginWords()->Get(0), "從");
    EXPECT_EQ(panel->ColumnCaptions()->Get(0), "編號");
    ASSERT_GE(panel->Columns()->Count(), 2);
    EXPECT_EQ(panel->Columns()->Items(0)->Caption(), "編號");
    ASSERT_EQ(panel->Items()->Count(), 1);
    EXPECT_EQ(panel->Items()->Item(0)->Caption(), "S01");
    EXPECT_EQ(panel->Items()->Item(0)->SubItems()->Get(0), "華東貿易");
}
