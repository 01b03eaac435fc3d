#include "forms/root/ZRForm.h"

#include "controls/ControlClasses.h"
#include "controls/SelectPnl.h"
#include "controls/ZrcEdit.h"
#include "lib/LibRTTI.h"
#include "platform/components/Properties.h"

#include <QPainter>

namespace zrv {

namespace {
    std::vector<std::pair<const TClassInfo*, TZRForm::TGlyphButtonsOf>>& GlyphButtonProviders()
    {
        static std::vector<std::pair<const TClassInfo*, TZRForm::TGlyphButtonsOf>> providers;
        return providers;
    }
} // namespace

const TClassInfo& TZRForm::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZRForm>(
        "TZRForm", TForm::StaticClassInfo(), [](TClassBuilder<TZRForm>& c) {
            c.Field("ZrConverter", &TZRForm::ZrConverter);
            c.Field("LangController", &TZRForm::LangController);
            c.Handler("FormCreate", &TZRForm::FormCreate);
            c.Handler("FormShow", &TZRForm::FormShow);
        });
    return info;
}

TZRForm::TZRForm(TComponent* owner)
    : TForm(owner)
{
    // Classes the description names, which nothing else may have mentioned yet.
    RegisterClass(TCodeConverter::StaticClassInfo());
    RegisterClass(TZrLangController::StaticClassInfo());
    // The framework's controls, and the glyph buttons they carry inside them, which get their
    // disabled image like any button placed on the window.
    static const bool registered = [] {
        RegisterControlClasses();
        RegisterBuiltInGlyphButtons(TSelectPanel::StaticClassInfo(), BuiltInGlyphButtons);
        RegisterBuiltInGlyphButtons(TZrBtnDBEdit::StaticClassInfo(), BuiltInGlyphButtons);
        return true;
    }();
    (void)registered;
}

void TZRForm::RegisterBuiltInGlyphButtons(const TClassInfo& cls, TGlyphButtonsOf get)
{
    GlyphButtonProviders().emplace_back(&cls, std::move(get));
}

void TZRForm::FormCreate(TObject*)
{
    Converted = false;
    LanguageOnShow = true;
    const bool english = UICodePage() == "437";
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (HasProp(c, "ImeName"))
            SetStrPropOf(c, "ImeName", "");
        if (english && HasProp(c, "Font")) {
            SetPropertyPathText(c, "Font.Charset", "134");
            SetPropertyPathText(c, "Font.Name", "Tahoma");
        }
        AddDisabledGlyph(c);
        for (const auto& [cls, get] : GlyphButtonProviders())
            if (c->InheritsFrom(*cls))
                for (TComponent* button : get(c))
                    AddDisabledGlyph(button);
    }
}

void TZRForm::FormShow(TObject*)
{
    if (LanguageOnShow)
        ApplyLanguage(this);
}

void TZRForm::ApplyLanguage(TComponent* target)
{
    ApplyLanguageUpTo(target, TForm::StaticClassInfo().Name());
}

void TZRForm::ApplyModuleLanguage(TComponent* target)
{
    ApplyLanguageUpTo(target, StaticClassInfo().Name());
}

void TZRForm::ApplyLanguageUpTo(TComponent* target, const std::string& stopAt)
{
    if (!target || !LangController)
        return;
    std::vector<std::string> names;
    for (const TClassInfo* cls = &target->ClassInfo(); cls && !SameName(cls->Name(), stopAt);
         cls = cls->Parent())
        names.push_back(cls->Name());
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        LangController->SetLangPackageName(*it);
        if (!LangController->PackageExists())
            continue; // no package for this class: the texts stay as they are
        LangController->SetActive(true);
        LangController->ApplyTo(target);
    }
}

void TZRForm::ConvertTexts()
{
    if (Converted)
        return;
    if (ZrConverter)
        ZrConverter->ConvertForm(this);
    Converted = true;
}

TModalResult TZRForm::ShowDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    if (ZrConverter)
        return ZrConverter->ShowMessageDialog(text, type, buttons);
    return MessageDlg(text, type, buttons);
}

std::string TZRForm::SystemCodePage() const
{
    return ZrConverter ? ZrConverter->SystemCodePage() : "936";
}
std::string TZRForm::UICodePage() const { return ZrConverter ? ZrConverter->UICodePage() : "936"; }
uint8_t TZRForm::UIConversionMode() const { return ZrConverter ? ZrConverter->UIConvertMode() : 0; }
uint8_t TZRForm::DataConversionMode() const
{
    return ZrConverter ? ZrConverter->DBConvertMode() : 0;
}

std::string TZRForm::LookupText(const std::string& className, const std::string& key, bool convert,
    const std::string& defaultText)
{
    std::string text = defaultText;
    if (convert && ZrConverter)
        text = ZrConverter->ToDisplay(Variant(text)).ToString();
    TDesignType design = LangController ? LangController->DesignType() : TDesignType::dtClient;
    return LangText(design, className, key, text);
}

void MakeDisabledGlyph(TBitmap& glyph)
{
    if (glyph.Empty())
        return;
    const int w = glyph.Width(), h = glyph.Height();
    const TColor t = ColorToRGB(glyph.TransparentColor());
    auto isT = [&](int x, int y) { return glyph.Pixel(x, y) == t; };

    // Which pixels make the embossed image: dark ones, and light ones next to the background.
    // At the border the pixel stands in for its missing neighbour, so the border does not
    // count as background.
    std::vector<bool> marked(static_cast<size_t>(w * h), false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (isT(x, y))
                continue;
            TColor p = glyph.Pixel(x, y);
            bool m = GetRValue(p) + GetGValue(p) + GetBValue(p) < 384;
            if (!m) {
                auto neighbourIsT = [&](int nx, int ny) {
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        return false;
                    return isT(nx, ny);
                };
                m = neighbourIsT(x, y - 1) || neighbourIsT(x, y + 1) || neighbourIsT(x - 1, y)
                    || neighbourIsT(x + 1, y);
            }
            marked[static_cast<size_t>(y * w + x)] = m;
        }
    auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && marked[static_cast<size_t>(y * w + x)];
    };

    // Button face, the mask in the highlight colour one pixel right and down, then in the
    // shadow colour in place.
    TBitmap disabled(w, h, clBtnFace);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (at(x, y))
                disabled.SetPixel(x, y, clBtnShadow);
            else if (at(x - 1, y - 1))
                disabled.SetPixel(x, y, clBtnHighlight);
        }

    TBitmap strip(w * 2, h, t);
    QImage image = strip.Image();
    {
        QPainter p(&image);
        p.drawImage(0, 0, glyph.Image());
        p.drawImage(w, 0, disabled.Image());
    }
    bool transparent = glyph.Transparent();
    TTransparentMode mode = glyph.TransparentMode();
    TColor fixed = glyph.TransparentColor();
    glyph.SetImage(image);
    if (mode == TTransparentMode::tmFixed)
        glyph.SetTransparentColor(fixed);
    glyph.SetTransparent(transparent);
}

bool AddDisabledGlyph(TComponent* button)
{
    if (!button || !HasProp(button, "Glyph") || !HasProp(button, "NumGlyphs"))
        return false;
    auto* glyph = dynamic_cast<TBitmap*>(GetObjectProp(button, "Glyph"));
    if (!glyph || glyph->Empty() || GetOrdPropOf(button, "NumGlyphs") != 1)
        return false;
    MakeDisabledGlyph(*glyph);
    SetOrdPropOf(button, "NumGlyphs", 2);
    return true;
}

} // namespace zrv
