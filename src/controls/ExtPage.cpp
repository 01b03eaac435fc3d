#include "controls/ExtPage.h"

namespace zrv {

const TClassInfo& TExtPageControl::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TExtPageControl>("TExtPageControl", TPageControl::StaticClassInfo());
    return info;
}

TExtPageControl::TExtPageControl(TComponent* owner)
    : TPageControl(owner)
{
    SetOwnerDraw(true);
}

TTabSheet* TExtPageControl::PageOfTab(int tabIndex) const
{
    int n = 0;
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = Pages(i);
        if (page->TabVisible() && n++ == tabIndex)
            return page;
    }
    return nullptr;
}

void TExtPageControl::DrawTab(int tabIndex, const TRect& rect, bool active)
{
    if (OnDrawTab) {
        OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    TCanvas& canvas = Canvas();
    TRect fill = rect;
    TRect text = rect;
    TFontStyles style = Font()->Style();
    if (active) {
        fill = Rect(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
        text = fill;
        canvas.Brush.Color = clActiveCaption;
        canvas.Font.SetStyle(style | FontStyleBit(fsBold));
        canvas.Font.SetColor(clCaptionText);
    } else {
        text.Top += 2;
        canvas.Brush.Color = clInactiveCaption;
        canvas.Font.SetStyle(style & ~FontStyleBit(fsBold));
        canvas.Font.SetColor(clInactiveCaptionText);
    }
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(fill);
    TTabSheet* page = PageOfTab(tabIndex);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextAligned(text, page ? page->Caption() : std::string(), 2, 1);
}

} // namespace zrv
