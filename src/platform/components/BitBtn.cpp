#include "platform/components/BitBtn.h"

#include "platform/components/Form.h"
#include "platform/components/Glyphs.h"

#include <QPushButton>

namespace zrv {

const TEnumInfo& BitBtnKindEnum()
{
    static const TEnumInfo info { "TBitBtnKind",
        { "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
            "bkRetry", "bkIgnore", "bkAll" } };
    return info;
}

const TEnumInfo& ButtonLayoutEnum()
{
    static const TEnumInfo info { "TButtonLayout",
        { "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom" } };
    return info;
}

const TClassInfo& TBitBtn::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TBitBtn>(
        "TBitBtn", TButton::StaticClassInfo(), [](TClassBuilder<TBitBtn>& c) {
            c.Object<TBitmap>("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
            c.Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
            c.Enum("Kind", BitBtnKindEnum(), &TBitBtn::Kind, &TBitBtn::SetKind);
            c.Enum("Layout", ButtonLayoutEnum(), &TBitBtn::Layout, &TBitBtn::SetLayout);
            c.Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
            c.Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
        });
    return info;
}

TBitBtn::TBitBtn(TComponent* owner)
    : TButton(owner)
    , glyph_(std::make_unique<TBitmap>())
{
    glyph_->OnChange = TNotifyEvent([this](TObject*) { UpdateIcon(); });
}

TBitBtn::~TBitBtn() { Destroying(); }

void TBitBtn::SetGlyph(TBitmap* glyph)
{
    if (!glyph)
        glyph_->Clear();
    else if (glyph != glyph_.get())
        glyph_->Assign(*glyph);
}

void TBitBtn::SetNumGlyphs(int n)
{
    n = std::clamp(n, 1, 4);
    if (n == numGlyphs_)
        return;
    numGlyphs_ = n;
    UpdateIcon();
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    kind_ = kind;
    struct KindInfo {
        const char* caption;
        int result;
    };
    static const KindInfo kinds[] = { { "", mrNone }, { "OK", mrOk }, { "Cancel", mrCancel },
        { "&Help", mrNone }, { "&Yes", mrYes }, { "&No", mrNo }, { "&Close", mrNone },
        { "Abort", mrAbort }, { "&Retry", mrRetry }, { "&Ignore", mrIgnore }, { "&All", mrAll } };
    if (kind == TBitBtnKind::bkCustom)
        return;
    const KindInfo& k = kinds[static_cast<int>(kind)];
    if (Loading() && !Caption().empty())
        return; // the description gives its own caption
    SetCaption(k.caption);
    SetModalResult(k.result);
    if (kind == TBitBtnKind::bkOK || kind == TBitBtnKind::bkYes)
        SetDefault(true);
    if (kind == TBitBtnKind::bkCancel || kind == TBitBtnKind::bkNo)
        SetCancel(true);
}

void TBitBtn::SetLayout(TButtonLayout v)
{
    layout_ = v;
    Handle()->setLayoutDirection(
        v == TButtonLayout::blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

void TBitBtn::UpdateIcon()
{
    auto* b = static_cast<QPushButton*>(Handle());
    if (!b)
        return;
    QIcon icon = GlyphIcon(*glyph_, numGlyphs_);
    b->setIcon(icon);
    if (!glyph_->Empty())
        b->setIconSize(QSize(glyph_->Width() / numGlyphs_, glyph_->Height()));
}

} // namespace zrv
