#include "controls/BtChkBox.h"

#include "platform/components/Properties.h"

#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <algorithm>

namespace zrv {

bool LoadModulePicture(const std::string& name, TBitmap& bitmap)
{
    QImage image(QString::fromStdString(":/controls/" + name + ".xpm"));
    if (image.isNull())
        return false;
    bitmap.SetImage(image);
    return true;
}

namespace {
    const char* DefaultPictureName(TCheckBoxState state)
    {
        switch (state) {
        case TCheckBoxState::cbChecked:
            return "CHECKED";
        case TCheckBoxState::cbGrayed:
            return "GRAYED";
        default:
            return "UNCHECKED";
        }
    }
} // namespace

const TClassInfo& TBitCheckBox::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TBitCheckBox>(
        "TBitCheckBox", TCustomControl::StaticClassInfo(), [](TClassBuilder<TBitCheckBox>& c) {
            using B = TBitCheckBox;
            c.Text("Caption", &B::Caption, &B::SetCaption);
            c.Enum("State", CheckBoxStateEnum(), &B::State, &B::SetState);
            c.Bool("Checked", &B::Checked, &B::SetChecked);
            c.Bool("AllowGrayed", &B::AllowGrayed, &B::SetAllowGrayed);
            c.Enum("Alignment", LeftRightEnum(), &B::Alignment, &B::SetAlignment);
            c.Bool("Ctl3D", &B::Ctl3D, &B::SetCtl3D);
            c.Bool("ParentCtl3D", &B::ParentCtl3D, &B::SetParentCtl3D);
            c.Object<TBitmap>("CheckedGlyph", &B::CheckedGlyph, &B::SetCheckedGlyph);
            c.Object<TBitmap>("UncheckedGlyph", &B::UncheckedGlyph, &B::SetUncheckedGlyph);
            c.Object<TBitmap>("GrayedGlyph", &B::GrayedGlyph, &B::SetGrayedGlyph);
            c.Int("CheckedNumGlyphs", &B::CheckedNumGlyphs, &B::SetCheckedNumGlyphs);
            c.Int("UncheckedNumGlyphs", &B::UncheckedNumGlyphs, &B::SetUncheckedNumGlyphs);
            c.Int("GrayedNumGlyphs", &B::GrayedNumGlyphs, &B::SetGrayedNumGlyphs);
        });
    return info;
}

TBitCheckBox::TBitCheckBox(TComponent* owner)
    : TCustomControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
    for (TCheckBoxState s :
        { TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed }) {
        auto& g = glyphs_[static_cast<size_t>(Index(s))];
        g = std::make_unique<TBitmap>();
        g->OnChange = TNotifyEvent([this, s](TObject*) { GlyphChanged(s); });
        GlyphChanged(s); // the module's picture
    }
    // The counts given at creation win over what the default pictures would suggest.
    numGlyphs_ = { 1, 1, 1 };
}

TBitCheckBox::~TBitCheckBox()
{
    Destroying();
    for (auto& g : glyphs_)
        g->OnChange = nullptr;
}

TBitmap* TBitCheckBox::Glyph(TCheckBoxState state) const
{
    return glyphs_[static_cast<size_t>(Index(state))].get();
}

void TBitCheckBox::SetGlyph(TCheckBoxState state, TBitmap* bitmap)
{
    TBitmap* g = Glyph(state);
    if (!bitmap || bitmap->Empty())
        g->Clear(); // brings back the module's picture
    else if (bitmap != g)
        g->Assign(*bitmap);
}

void TBitCheckBox::GlyphChanged(TCheckBoxState state)
{
    if (loadingDefault_)
        return;
    TBitmap* g = Glyph(state);
    if (g->Empty()) {
        loadingDefault_ = true;
        LoadModulePicture(DefaultPictureName(state), *g);
        loadingDefault_ = false;
    }
    if (!g->Empty()) {
        const int w = g->Width(), h = g->Height();
        int& count = numGlyphs_[static_cast<size_t>(Index(state))];
        if (w % h == 0)
            count = std::clamp(w / h, 1, 2);
        else if (w % 2 == 0 && w / 2 >= h)
            count = 2; // two images that are not square, as the module's own 19 x 14 ones
    }
    Invalidate();
}

int TBitCheckBox::NumGlyphs(TCheckBoxState state) const
{
    return numGlyphs_[static_cast<size_t>(Index(state))];
}

void TBitCheckBox::SetNumGlyphs(TCheckBoxState state, int n)
{
    numGlyphs_[static_cast<size_t>(Index(state))] = std::clamp(n, 1, 2);
    Invalidate();
}

void TBitCheckBox::SetState(TCheckBoxState state)
{
    if (state == state_)
        return;
    state_ = state;
    Invalidate();
    StateChanged();
}

void TBitCheckBox::SetAlignment(TLeftRight v)
{
    alignment_ = v;
    Invalidate();
}

bool TBitCheckBox::Ctl3D() const
{
    if (parentCtl3D_ && Parent())
        if (const TPropInfo* p = GetPropInfo(Parent(), "Ctl3D"))
            return GetOrdProp(Parent(), p->Name) != 0;
    return ctl3D_;
}

void TBitCheckBox::SetCtl3D(bool v)
{
    ctl3D_ = v;
    parentCtl3D_ = false;
    Invalidate();
}

void TBitCheckBox::SetParentCtl3D(bool v)
{
    parentCtl3D_ = v;
    Invalidate();
}

void TBitCheckBox::Toggle() { SetState(NextCheckBoxState(state_, allowGrayed_)); }

void TBitCheckBox::Click()
{
    Toggle();
    TCustomControl::Click();
    if (TComponent::IsLive(this) && !IsDestroying() && CanFocus())
        SetFocus();
}

bool TBitCheckBox::DialogChar(TKeyChar key)
{
    if (!IsAccel(key, Caption()))
        return false;
    if (Enabled() && CanFocus()) {
        SetFocus();
        if (Focused())
            Toggle();
    }
    return true;
}

void TBitCheckBox::KeyPress(TKeyChar& key)
{
    TCustomControl::KeyPress(key);
    if (key == u' ') {
        key = 0;
        Click();
    }
}

void TBitCheckBox::TextChanged() { Invalidate(); }

void TBitCheckBox::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TBitCheckBox::DoEnter()
{
    Invalidate();
    TCustomControl::DoEnter();
}

void TBitCheckBox::DoExit()
{
    Invalidate();
    TCustomControl::DoExit();
}

TRect TBitCheckBox::CaptionRect() const
{
    const TBitmap* g = Glyph(state_);
    int w = g->Empty() ? 0 : g->Width() / NumGlyphs(state_);
    QFontMetrics fm(Font()->ToQFont());
    std::string caption = Caption();
    int textWidth = fm.horizontalAdvance(QString::fromStdString(caption));
    if (caption.find('&') != std::string::npos)
        textWidth -= fm.horizontalAdvance(QStringLiteral("&"));
    TRect r;
    r.Left = alignment_ == TLeftRight::taRightJustify ? w + 4 : 1;
    r.Right = r.Left + textWidth;
    r.Top = (ClientHeight() - fm.height()) / 2 - 2;
    r.Bottom = r.Top + fm.height() + 3;
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, ClientWidth());
    r.Bottom = std::min(r.Bottom, ClientHeight());
    return r;
}

void TBitCheckBox::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Brush.Color = Color();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(ClientRect());

    TRect r = CaptionRect();
    std::string caption = Caption();
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (Enabled()) {
        canvas.Font.SetColor(Font()->Color());
        canvas.TextAligned(r, caption, 0, 1);
    } else {
        if (Ctl3D()) {
            TRect shifted = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
            canvas.Font.SetColor(clBtnHighlight);
            canvas.TextAligned(shifted, caption, 0, 1);
        }
        canvas.Font.SetColor(clGrayText);
        canvas.TextAligned(r, caption, 0, 1);
        canvas.Font.SetColor(Font()->Color());
    }
    if (Focused()) {
        TRect f = Rect(std::max(r.Left - 1, 0), std::max(r.Top - 1, 0), r.Right + 1,
            std::min(r.Bottom + 1, ClientHeight()));
        canvas.DrawFocusRect(f);
    }

    const TBitmap* strip = Glyph(state_);
    if (strip->Empty())
        return;
    int count = NumGlyphs(state_);
    int w = strip->Width() / count;
    int image = !Enabled() && count == 2 ? 1 : 0;
    QImage part = strip->Image().copy(image * w, 0, w, strip->Height());
    // The picture's transparent colour takes the control's colour.
    QRgb transparent = ToQColor(strip->TransparentColor()).rgb();
    QRgb face = ToQColor(Color()).rgb();
    part = part.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF))
                line[x] = face;
    }
    TBitmap picture;
    picture.SetImage(part);
    int left = alignment_ == TLeftRight::taRightJustify ? 0 : ClientWidth() - w;
    int top = (ClientHeight() - strip->Height()) / 2;
    canvas.Draw(left, top, picture);
}

} // namespace zrv
