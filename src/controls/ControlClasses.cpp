#include "controls/ControlClasses.h"

#include "controls/BtChkBox.h"
#include "controls/DBLabel.h"
#include "controls/ExtPage.h"
#include "controls/F2Button.h"
#include "controls/GSpdBtn.h"
#include "controls/SelectPnl.h"
#include "controls/ZrRadioButton.h"
#include "controls/ZrRadioGroup.h"
#include "controls/ZrSpin.h"
#include "controls/ZrcEdit.h"
#include "platform/components/StandardClasses.h"

namespace zrv {

void RegisterControlClasses()
{
    static const bool done = [] {
        RegisterStandardClasses();
        for (const TClassInfo* info : {
                 &TGSpeedButton::StaticClassInfo(),
                 &TF2Button::StaticClassInfo(),
                 &TBitCheckBox::StaticClassInfo(),
                 &TVixCheckBox::StaticClassInfo(),
                 &TVixMaskEdit::StaticClassInfo(),
                 &TVixListView::StaticClassInfo(),
                 &TSelectPanel::StaticClassInfo(),
                 &TZrEdit::StaticClassInfo(),
                 &TZrDBEdit::StaticClassInfo(),
                 &TZrBtnDBEdit::StaticClassInfo(),
                 &TZrComboBox::StaticClassInfo(),
                 &TDBLabel::StaticClassInfo(),
                 &TZrRadioButton::StaticClassInfo(),
                 &TZrGroupButton::StaticClassInfo(),
                 &TZrRadioGroup::StaticClassInfo(),
                 &TZrSpinEdit::StaticClassInfo(),
                 &TExtPageControl::StaticClassInfo(),
             })
            RegisterClass(*info);
        return true;
    }();
    (void)done;
}

std::vector<TComponent*> BuiltInGlyphButtons(TComponent* component)
{
    if (auto* panel = dynamic_cast<TSelectPanel*>(component))
        return { panel->BeginButton(), panel->FinalButton(), panel->ListButton() };
    if (auto* edit = dynamic_cast<TZrBtnDBEdit*>(component); edit && edit->Button())
        return { edit->Button() };
    return {};
}

} // namespace zrv
