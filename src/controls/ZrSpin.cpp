#include "controls/ZrSpin.h"

#include "platform/CodePage.h"

namespace zrv {

const TClassInfo& TZrSpinEdit::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TZrSpinEdit>("TZrSpinEdit", TSpinEdit::StaticClassInfo());
    return info;
}

TZrSpinEdit::TZrSpinEdit(TComponent* owner)
    : TSpinEdit(owner)
{
}

void TZrSpinEdit::Change()
{
    std::string text = GetText();
    if (text.size() > 1 && text.find_first_of("+-", 1) != std::string::npos) {
        // Setting the shorter text comes back here with it.
        text.pop_back();
        SetText(text);
        return;
    }
    if (!Trim(text).empty())
        TSpinEdit::Change();
}

} // namespace zrv
