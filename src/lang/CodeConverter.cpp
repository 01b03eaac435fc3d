#include "lang/CodeConverter.h"

#include "config/OrvaneINI.h"
#include "lang/CodeConvertible.h"
#include "lang/Translator.h"
#include "platform/components/Application.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Font.h"
#include "platform/components/Form.h"
#include "platform/components/ListView.h"
#include "platform/components/Menus.h"
#include "platform/components/Properties.h"
#include "platform/components/Strings.h"

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
    // The profile is read before any described property is assigned, so a converter always
    // follows the client profile whatever its design type says.
    TOrvaneIniC profile;
    SetCodePages(profile.SystemCodePage, profile.UICodePage, profile.DBCodePage);
    SetConvertModes(profile.UIConvertMode, profile.DBConvertMode);
}

TCodeConverter::~TCodeConverter() = default;

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
    if (uiConvertMode_ == 0)
        translator_.reset();
    else if (!translator_)
        translator_ = std::make_unique<TTranslator>();
}

std::string TCodeConverter::Big5ToGBText(const std::string& text) const
{
    return text.empty() || !translator_ ? text : translator_->BIG5toGB(text);
}

std::string TCodeConverter::GBToBig5Text(const std::string& text) const
{
    return text.empty() || !translator_ ? text : translator_->GBtoBIG5(text);
}

std::string TCodeConverter::ConvertText(int direction, const std::string& text) const
{
    switch (direction) {
    case cdBig5ToGB:
        return Big5ToGBText(text);
    case cdGBToBig5:
        return GBToBig5Text(text);
    default:
        return text;
    }
}

Variant TCodeConverter::ConvertVariant(int direction, const Variant& value) const
{
    if ((direction != cdBig5ToGB && direction != cdGBToBig5) || !translator_ || value.IsEmpty()
        || value.IsNull())
        return value;
    if (!value.IsArray())
        return Variant(ConvertText(direction, value.ToString()));
    Variant result = value;
    if (result.DimCount() == 1) {
        for (auto& item : result.Items())
            if (item.IsArray())
                item = ConvertVariant(direction, item);
            else if (!item.IsEmpty() && !item.IsNull())
                item = Variant(ConvertText(direction, item.ToString()));
    } else {
        for (auto& item : result.Items())
            item = ConvertVariant(direction, item);
    }
    return result;
}

Variant TCodeConverter::ToDisplay(const Variant& value)
{
    return ConvertVariant(uiConvertMode_, value);
}

Variant TCodeConverter::FromDisplay(const Variant& value)
{
    const int direction = uiConvertMode_ == 1 ? cdGBToBig5 : uiConvertMode_ == 2 ? cdBig5ToGB : 0;
    try {
        return ConvertVariant(direction, value);
    } catch (const std::exception&) {
        return value;
    }
}

Variant TCodeConverter::FromDatabase(const Variant& value)
{
    return ConvertVariant(dbConvertMode_, value);
}

Variant TCodeConverter::ToDatabase(const Variant& value)
{
    const int direction = dbConvertMode_ == 1 ? cdGBToBig5 : dbConvertMode_ == 2 ? cdBig5ToGB : 0;
    try {
        return ConvertVariant(direction, value);
    } catch (const std::exception&) {
        return value;
    }
}

namespace {

    // The text of a string list converted as a whole, keeping a combo box's choice.
    void ConvertLines(TObject* owner, TStrings* lines, const ICodeConvertible::TextConversion& f)
    {
        if (!lines || lines->Count() == 0)
            return;
        auto* combo = dynamic_cast<TComboBox*>(owner);
        const int index = combo ? combo->ItemIndex() : -1;
        std::vector<std::string> converted;
        for (int i = 0; i < lines->Count(); ++i)
            converted.push_back(f(lines->Get(i)));
        lines->SetStrings(converted);
        if (combo)
            combo->SetItemIndex(index);
    }

    void ConvertStringProp(TObject* c, const char* name, const ICodeConvertible::TextConversion& f)
    {
        const TPropInfo* p = GetPropInfo(c, name);
        if (p && p->Kind == TTypeKind::String && p->Writable())
            SetStrProp(c, name, f(GetStrProp(c, name)));
    }

    bool IsEnumProp(TObject* c, const char* name, const char* typeName)
    {
        const TPropInfo* p = GetPropInfo(c, name);
        return p && p->Kind == TTypeKind::Enumeration && p->Enum && p->Enum->TypeName == typeName
            && p->Writable();
    }

} // namespace

void TCodeConverter::ConvertForm(TComponent* form)
{
    if (!form || !translator_)
        return;
    const int m = uiConvertMode_;
    const auto toUi = [this, m](const std::string& t) { return ConvertText(m, t); };
    if (systemCodePage_ == "950")
        ConvertStringProp(
            form, "Caption", [this](const std::string& t) { return GBToBig5Text(t); });
    ConvertStringProp(form, "Hint", toUi);
    ConvertStringProp(form, "ButtonHint", toUi);

    ApplyFont(m, *Screen().IconFont());
    ApplyFont(m, *Screen().HintFont());
    ApplyFont(m, *Screen().MenuFont());
    // Switching hints off and on makes the hint window take the new font.
    const bool hints = Application().ShowHint();
    Application().SetShowHint(false);
    Application().SetShowHint(hints);

    for (int i = 0; i < form->ComponentCount(); ++i)
        ConvertComponent(form->Components(i), m);
}

void TCodeConverter::ConvertListView(
    TListView& list, const std::function<std::string(const std::string&)>& convert)
{
    TListColumns* columns = list.Columns();
    for (int col = 0; col < columns->Count(); ++col) {
        columns->Items(col)->SetCaption(convert(columns->Items(col)->Caption()));
        for (int r = 0; r < list.Items()->Count(); ++r) {
            TListItem* item = list.Items()->Item(r);
            if (col == 0)
                item->SetCaption(convert(item->Caption()));
            else if (col - 1 < item->SubItems()->Count())
                item->SubItems()->Put(col - 1, convert(item->SubItems()->Get(col - 1)));
        }
    }
}

void TCodeConverter::ConvertComponent(TComponent* c, int m)
{
    const auto toUi = [this, m](const std::string& t) { return ConvertText(m, t); };
    const auto toBig5 = [this](const std::string& t) { return GBToBig5Text(t); };

    for (const char* fontProp : { "Font", "TitleFont" })
        if (auto* font = dynamic_cast<TFont*>(GetObjectProp(c, fontProp)))
            ApplyFont(m, *font);

    ConvertStringProp(c, "Caption", toUi);
    ConvertStringProp(c, "Hint", toUi);
    ConvertStringProp(c, "ButtonHint", toUi);
    ConvertLines(c, dynamic_cast<TStrings*>(GetObjectProp(c, "Items")), toUi);
    ConvertLines(c, dynamic_cast<TStrings*>(GetObjectProp(c, "Lines")), toUi);
    if (auto* panels = dynamic_cast<TPersistent*>(GetObjectProp(c, "Panels")))
        for (int i = 0; i < panels->IndexedCount(); ++i)
            ConvertStringProp(panels->IndexedItem(i), "Text", toUi);

    if (m != 0) {
        if (IsEnumProp(c, "Style", "TComboBoxStyle")) {
            const int64_t index = GetOrdProp(c, "ItemIndex");
            const auto style = static_cast<TComboBoxStyle>(GetOrdProp(c, "Style"));
            if (style == TComboBoxStyle::csDropDown)
                SetOrdProp(c, "Style", static_cast<int64_t>(TComboBoxStyle::csOwnerDrawVariable));
            else if (style == TComboBoxStyle::csDropDownList)
                SetOrdProp(c, "Style", static_cast<int64_t>(TComboBoxStyle::csOwnerDrawFixed));
            if (GetOrdProp(c, "ItemIndex") != index)
                SetOrdProp(c, "ItemIndex", index);
        } else if (IsEnumProp(c, "Style", "TListBoxStyle") && GetOrdProp(c, "Style") == 0) {
            SetOrdProp(c, "Style", 1); // standard -> owner-draw fixed
        }
    }

    if (auto* menu = dynamic_cast<TMenu*>(c)) {
        menu->SetOwnerDraw(true);
        return;
    }
    if (m != cdGBToBig5)
        return;
    if (auto* list = dynamic_cast<TListView*>(c)) {
        ConvertListView(*list, toBig5);
    } else if (auto* combo = dynamic_cast<TComboBox*>(c)) {
        if (combo->Style() != TComboBoxStyle::csSimple)
            combo->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
        if (combo->ItemIndex() < 0 && combo->Items()->Count() > 0)
            combo->SetItemIndex(0);
    }
    if (auto* convertible = dynamic_cast<ICodeConvertible*>(c))
        convertible->ConvertTexts(toBig5);
}

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
