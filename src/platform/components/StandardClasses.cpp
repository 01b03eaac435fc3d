#include "platform/components/StandardClasses.h"

#include "platform/components/BitBtn.h"
#include "platform/components/CheckBox.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/Form.h"
#include "platform/components/GroupBox.h"
#include "platform/components/ImageList.h"
#include "platform/components/Label.h"
#include "platform/components/ListView.h"
#include "platform/components/MaskEdit.h"
#include "platform/components/Memo.h"
#include "platform/components/Menus.h"
#include "platform/components/PageControl.h"
#include "platform/components/Panel.h"
#include "platform/components/SpeedButton.h"
#include "platform/components/SpinEdit.h"
#include "platform/components/Splitter.h"
#include "platform/components/ToolBar.h"

namespace zrv {

void RegisterStandardClasses()
{
    static const bool done = [] {
        for (const TClassInfo* info : {
                 &TComponent::StaticClassInfo(),
                 &TForm::StaticClassInfo(),
                 &TPanel::StaticClassInfo(),
                 &TGroupBox::StaticClassInfo(),
                 &TLabel::StaticClassInfo(),
                 &TEdit::StaticClassInfo(),
                 &TMaskEdit::StaticClassInfo(),
                 &TMemo::StaticClassInfo(),
                 &TComboBox::StaticClassInfo(),
                 &TCheckBox::StaticClassInfo(),
                 &TRadioButton::StaticClassInfo(),
                 &TButton::StaticClassInfo(),
                 &TBitBtn::StaticClassInfo(),
                 &TSpeedButton::StaticClassInfo(),
                 &TPageControl::StaticClassInfo(),
                 &TTabSheet::StaticClassInfo(),
                 &TListView::StaticClassInfo(),
                 &TToolBar::StaticClassInfo(),
                 &TToolButton::StaticClassInfo(),
                 &TPopupMenu::StaticClassInfo(),
                 &TMenuItem::StaticClassInfo(),
                 &TSplitter::StaticClassInfo(),
                 &TImageList::StaticClassInfo(),
                 &TSpinEdit::StaticClassInfo(),
             })
            RegisterClass(*info);
        return true;
    }();
    (void)done;
}

} // namespace zrv
