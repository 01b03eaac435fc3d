#pragma once
// TZRForm: the root of every window of the framework. It owns the code converter (ZrConverter)
// and the language controller (LangController); prepares the window's components when it is
// created (no forced input method, Tahoma for the English interface, a disabled image for
// single-glyph buttons), converts the window's texts once on demand, applies the language
// packages of the window's classes when it is shown, and offers text lookup and message
// dialogs to every descendant.

#include "lang/CodeConverter.h"
#include "lang/LanguageController.h"
#include "platform/components/Bitmap.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Form.h"

#include <functional>
#include <string>
#include <vector>

namespace zrv {

class TZRForm : public TForm {
public:
    explicit TZRForm(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCodeConverter* ZrConverter = nullptr;
    TZrLangController* LangController = nullptr;
    bool Converted = false; // the component texts were converted for the interface
    bool LanguageOnShow = true; // apply the language packages whenever the window is shown

    // Language texts for `target` from the packages of its class and every ancestor below the
    // platform form, the most general first (later ones re-word what earlier ones set).
    virtual void ApplyLanguage(TComponent* target);
    // The same without the package of TZRForm itself.
    virtual void ApplyModuleLanguage(TComponent* target);

    // Converts the texts of all components once; later calls do nothing.
    void ConvertTexts();
    TModalResult ShowDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
    std::string SystemCodePage() const;
    std::string UICodePage() const;
    uint8_t UIConversionMode() const;
    uint8_t DataConversionMode() const;
    // The one way framework texts are obtained: the default (converted for display when
    // `convert`) looked up under `key` in the package named after `className`.
    std::string LookupText(const std::string& className, const std::string& key, bool convert,
        const std::string& defaultText);

    // Published handlers; descendants override them and call these first.
    virtual void FormCreate(TObject* sender);
    virtual void FormShow(TObject* sender);

    // Classes whose instances carry built-in glyph buttons (the lookup buttons of a selection
    // panel, the button of a lookup edit) say here how to reach them, so FormCreate gives those
    // buttons their disabled image too.
    using TGlyphButtonsOf = std::function<std::vector<TComponent*>(TComponent*)>;
    static void RegisterBuiltInGlyphButtons(const TClassInfo& cls, TGlyphButtonsOf get);

private:
    void ApplyLanguageUpTo(TComponent* target, const std::string& stopAt);
};

// Turns a one-image glyph into a two-image strip: the image, then a grey embossed image of its
// dark pixels and of its pixels that touch the transparent colour (button face, highlight one
// pixel right and down, shadow on the pixel itself). Nothing happens to an empty bitmap.
void MakeDisabledGlyph(TBitmap& glyph);
// Gives a button with a published Glyph and NumGlyphs the disabled image when NumGlyphs is 1;
// true when it did.
bool AddDisabledGlyph(TComponent* button);

} // namespace zrv
