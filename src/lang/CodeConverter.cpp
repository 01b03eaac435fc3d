#include "lang/CodeConverter.h"

#include "platform/components/Font.h"
#include "platform/components/Form.h"

namespace zrv {

const TEnumInfo& DesignTypeEnum()
{
    static const TEnumInfo info { "TDesignType", { "dtClient", "dtServer" } };
    return info;
}

const TClassInfo& TCodeConverter::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TCodeConverter>(
        "TCodeConverter", TComponent::StaticClassInfo(), [](TClassBuilder<TCodeConverter>& c) {
            c.Enum("DesignType", DesignTypeEnum(), &TCodeConverter::DesignType,
                &TCodeConverter::SetDesignType);
        });
    return info;
}

TCodeConverter::TCodeConverter(TComponent* owner)
    : TComponent(owner)
{
}

void TCodeConverter::SetCodePages(
    const std::string& system, const std::string& ui, const std::string& db)
{
    systemCodePage_ = system;
    uiCodePage_ = ui;
    dbCodePage_ = db;
}

void TCodeConverter::SetConvertModes(uint8_t uiMode, uint8_t dbMode)
{
    uiConvertMode_ = uiMode;
    dbConvertMode_ = dbMode;
}

void TCodeConverter::ConvertForm(TComponent*) { }
Variant TCodeConverter::ToDisplay(const Variant& value) { return value; }
Variant TCodeConverter::FromDisplay(const Variant& value) { return value; }
Variant TCodeConverter::ToDatabase(const Variant& value) { return value; }
Variant TCodeConverter::FromDatabase(const Variant& value) { return value; }

void TCodeConverter::ApplyFont(int mode, TFont& font)
{
    switch (mode) {
    case 0:
    case 1:
    case 4:
        font.SetName("SimSun");
        font.SetCharset(GB2312_CHARSET);
        break;
    case 2:
    case 3:
        font.SetName("SimSun");
        font.SetCharset(CHINESEBIG5_CHARSET);
        break;
    default:
        break;
    }
}

TModalResult TCodeConverter::ShowMessageDialog(
    const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    if (text.empty())
        return mrNone;
    TMessageDialogRequest r;
    r.Text = text;
    if (uiCodePage_ == "936" || systemCodePage_ == "936")
        r.Text += "      ";
    r.Type = type;
    r.Buttons = buttons;
    if (auto* form = dynamic_cast<TCustomForm*>(Owner())) {
        if (form->WindowState() == TWindowState::wsMinimized)
            form->SetWindowState(TWindowState::wsNormal);
        r.Caption = form->Caption();
        r.Owner = form;
    }
    TFont font;
    ApplyFont(uiConvertMode_, font);
    if (font.Charset() != DEFAULT_CHARSET) {
        r.FontName = font.Name();
        r.FontHeight = font.Height();
        r.FontCharset = font.Charset();
    }
    return zrv::ShowMessageDialog(r);
}

} // namespace zrv
