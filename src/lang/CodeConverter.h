#pragma once
// TCodeConverter: the component every window owns for its code pages. It knows the system,
// interface and database code pages ("936", "950", "437") and the two conversion modes, shows
// message dialogs with the interface's font, and converts the window's texts and the data
// exchanged with the server between GB and Big5.
//
// The code pages and modes come from the client profile when the converter is created; the
// GB/Big5 conversion itself is done by the outside translator library, loaded only when the
// interface needs it (a missing library makes creation fail, and with it the window).

#include "platform/Variant.h"
#include "platform/components/Component.h"
#include "platform/components/Dialogs.h"

#include <functional>
#include <memory>
#include <string>

namespace zrv {

class TFont;
class TTranslator;
class TListView;

// Direction codes of a conversion.
constexpr int cdBig5ToGB = 1;
constexpr int cdGBToBig5 = 2;

enum class TDesignType { dtClient, dtServer };
const TEnumInfo& DesignTypeEnum();

class TCodeConverter : public TComponent {
public:
    // Reads the client profile; raises TranslatorError when the interface needs conversion and
    // the translator library cannot be loaded.
    explicit TCodeConverter(TComponent* owner);
    ~TCodeConverter() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDesignType DesignType() const { return designType_; }
    void SetDesignType(TDesignType v) { designType_ = v; }

    const std::string& SystemCodePage() const { return systemCodePage_; }
    const std::string& UICodePage() const { return uiCodePage_; }
    const std::string& DBCodePage() const { return dbCodePage_; }
    uint8_t UIConvertMode() const { return uiConvertMode_; }
    uint8_t DBConvertMode() const { return dbConvertMode_; }
    // What the client profile says (tests set them directly).
    void SetCodePages(const std::string& system, const std::string& ui, const std::string& db);
    // Sets the modes; the translator is loaded when the interface mode needs it (may raise).
    void SetConvertModes(uint8_t uiMode, uint8_t dbMode);
    bool HasTranslator() const { return translator_ != nullptr; }

    // A value converted in a direction (cdBig5ToGB, cdGBToBig5; anything else: unchanged):
    // scalars through their text form (a number comes back as text), arrays element by
    // element, nested arrays of one-dimensional arrays recursively.
    Variant ConvertVariant(int direction, const Variant& value) const;
    std::string ConvertText(int direction, const std::string& text) const;
    std::string Big5ToGBText(const std::string& text) const;
    std::string GBToBig5Text(const std::string& text) const;

    // Whole-window conversion of texts and fonts for display.
    virtual void ConvertForm(TComponent* form);
    virtual Variant ToDisplay(const Variant& value);
    virtual Variant FromDisplay(const Variant& value);
    virtual Variant ToDatabase(const Variant& value);
    virtual Variant FromDatabase(const Variant& value);

    // A message dialog for the owner window: nothing (0) for an empty text; six blanks after
    // the text when the interface or system code page is "936"; the owner restored when it is
    // minimised; the owner's caption; the font of the interface code page. The button pressed.
    TModalResult ShowMessageDialog(
        const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
    // The font rule: modes 0, 1 and 4 give "SimSun" with character set 134, modes 2 and 3
    // "SimSun" with 136; other modes leave the font alone.
    static void ApplyFont(int mode, TFont& font);
    // Column captions and, under each column, the item captions (first column) or sub-items;
    // a list view without columns stays as it is.
    static void ConvertListView(
        TListView& list, const std::function<std::string(const std::string&)>& convert);

private:
    TDesignType designType_ = TDesignType::dtClient;
    std::string systemCodePage_ = "936";
    std::string uiCodePage_ = "936";
    std::string dbCodePage_ = "936";
    uint8_t uiConvertMode_ = 0;
    uint8_t dbConvertMode_ = 0;
    std::unique_ptr<TTranslator> translator_;

    void ConvertComponent(TComponent* c, int mode);
};

} // namespace zrv
