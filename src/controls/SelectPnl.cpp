#include "controls/SelectPnl.h"

#include "lang/CodeConverter.h"

#include "lib/StrFields.h"
#include "platform/CodePage.h"
#include "platform/components/Form.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace zrv {

// ---------------------------------------------------------------------------------------------
// Enumerations

const TEnumInfo& SelectStyleEnum()
{
    static const TEnumInfo info { "TSelectStyle", { "sp_Range", "sp_Discrete", "sp_UserChoice" } };
    return info;
}

const TEnumInfo& ValueTypeEnum()
{
    static const TEnumInfo info { "TValueType",
        { "vt_String", "vt_Number", "vt_Date", "vt_Time", "vt_Float", "vt_OtherMask" } };
    return info;
}

const TEnumInfo& DateTypeEnum()
{
    static const TEnumInfo info { "TDateType",
        { "dt_NoneCare", "dt_YYYYMMDD", "dt_MMDDYYYY", "dt_DDMMYYYY", "dt_YYMMDD", "dt_YYYMMDD" } };
    return info;
}

const TEnumInfo& CheckDuplicateEnum()
{
    static const TEnumInfo info { "TCheckDuplicate",
        { "cd_None", "cd_CheckCase", "cd_CaseInsensitive" } };
    return info;
}

std::string SelectStyleName(TSelectStyle style)
{
    return SelectStyleEnum().NameOf(static_cast<int64_t>(style));
}

// ---------------------------------------------------------------------------------------------
// Ordering helpers

namespace {

    bool IsAscii(const std::string& s)
    {
        return std::all_of(s.begin(), s.end(), [](char c) { return (c & 0x80) == 0; });
    }

    // The bytes texts are ordered by: the system code page's, unless that would turn characters
    // of either text into "?" (then the order of UTF-8 bytes, which is the order of characters).
    // ASCII is the same in every code page the system knows.
    std::pair<std::string, std::string> OrderBytes(const std::string& a, const std::string& b)
    {
        if (IsAscii(a) && IsAscii(b))
            return { a, b };
        int cp = SystemCodePage();
        bool lossyA = false, lossyB = false;
        std::string ea = EncodeToCodePage(a, cp, &lossyA);
        std::string eb = EncodeToCodePage(b, cp, &lossyB);
        if (lossyA || lossyB)
            return { a, b };
        return { ea, eb };
    }

    int CompareBytes(const std::string& a, const std::string& b)
    {
        int r = a.compare(b); // char_traits<char> compares as unsigned bytes
        return r < 0 ? -1 : (r > 0 ? 1 : 0);
    }

    int CompareRowText(const std::string& a, const std::string& b)
    {
        auto [ea, eb] = OrderBytes(a, b);
        return CompareBytes(UpperCase(ea), UpperCase(eb));
    }

    // The length of a text in bytes of the system code page; characters it cannot hold count as
    // in GBK.
    size_t CodePageBytes(const std::string& text)
    {
        if (IsAscii(text))
            return text.size();
        const int cp = SystemCodePage();
        return FitsCodePage(text, cp) ? ByteLength(text, cp) : ByteLength(text, cpGB);
    }

    // Splits at every occurrence of a one-character separator, in one pass.
    std::vector<std::string> SplitAll(const std::string& text, char separator)
    {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t p = text.find(separator); p != std::string::npos;
             p = text.find(separator, start)) {
            parts.push_back(text.substr(start, p - start));
            start = p + 1;
        }
        parts.push_back(text.substr(start));
        return parts;
    }

    bool ParseInt(std::string_view text, int64_t& out)
    {
        if (text.empty())
            return false;
        size_t i = 0;
        bool negative = false;
        if (text[0] == '+' || text[0] == '-') {
            negative = text[0] == '-';
            i = 1;
        }
        if (i >= text.size())
            return false;
        uint64_t v = 0;
        auto r = std::from_chars(text.data() + i, text.data() + text.size(), v);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size())
            return false;
        if (v > static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0))
            return false;
        out = negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
        return true;
    }

    // Part of a date: the trimmed text as a number, -1 when it is not one.
    int DatePart(const std::string& text)
    {
        int64_t v = 0;
        if (!ParseInt(Trim(text), v) || v < 0 || v > 99999)
            return -1;
        return static_cast<int>(v);
    }

    bool ValidDate(int y, int m, int d)
    {
        if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1)
            return false;
        static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
        int dim = days[m - 1];
        if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0))
            dim = 29;
        return d <= dim;
    }

    size_t CountOccurrences(const std::string& text, const std::string& sep)
    {
        if (sep.empty())
            return 0;
        size_t n = 0;
        for (size_t p = text.find(sep); p != std::string::npos; p = text.find(sep, p + sep.size()))
            ++n;
        return n;
    }

} // namespace

bool ByteWiseGreater(const std::string& a, const std::string& b)
{
    auto [ea, eb] = OrderBytes(a, b);
    return CompareBytes(ea, eb) > 0;
}

int64_t IntegerOrZero(const std::string& text)
{
    int64_t v = 0;
    return ParseInt(Trim(text), v) ? v : 0;
}

std::string FloatOrderText(const std::string& text)
{
    std::string t = Trim(text);
    size_t dot = t.find('.');
    std::string whole = dot == std::string::npos ? t : t.substr(0, dot);
    std::string rest = dot == std::string::npos ? std::string() : t.substr(dot + 1);
    bool negative = !Trim(whole).empty() && Trim(whole)[0] == '-';
    int64_t w = IntegerOrZero(whole);
    // The fractional digits as typed (leading zeros matter: 1.05 is not 1.5), up to the first
    // character that is not a digit.
    std::string fraction;
    for (char c : rest) {
        if (c < '0' || c > '9')
            break;
        fraction += c;
    }
    if (fraction.empty())
        fraction = "0";
    // The sign is kept apart, so that "-0.5" stays below zero.
    uint64_t magnitude = w < 0 ? static_cast<uint64_t>(-(w + 1)) + 1 : static_cast<uint64_t>(w);
    return (negative || w < 0 ? "-" : "") + std::to_string(magnitude) + "." + fraction;
}

int ReadPanelDate(
    const std::string& text, TDateType type, const std::string& sign, const std::string& emptyMask)
{
    std::string t = Trim(text);
    if (t.empty() || t == Trim(emptyMask) || sign.empty())
        return 0;
    size_t separators = CountOccurrences(t, sign);
    if (separators == 1) {
        // The day is missing: the first of the month.
        switch (type) {
        case TDateType::dt_MMDDYYYY:
            t = t.substr(0, std::min<size_t>(2, t.size())) + sign + "01"
                + (t.size() > 2 ? t.substr(2) : std::string());
            break;
        case TDateType::dt_DDMMYYYY:
            t = "01" + sign + t;
            break;
        default:
            t = t + sign + "01";
            break;
        }
    } else if (separators != 2)
        return 0;
    std::vector<int> parts;
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t p = i < 2 ? t.find(sign, start) : std::string::npos;
        std::string part = p == std::string::npos ? t.substr(std::min(start, t.size()))
                                                  : t.substr(start, p - start);
        parts.push_back(DatePart(part));
        start = p == std::string::npos ? t.size() : p + sign.size();
    }
    if (std::find(parts.begin(), parts.end(), -1) != parts.end())
        return 0;
    int y = 0, m = 0, d = 0;
    switch (type) {
    case TDateType::dt_YYYYMMDD:
        y = parts[0], m = parts[1], d = parts[2];
        break;
    case TDateType::dt_MMDDYYYY:
        m = parts[0], d = parts[1], y = parts[2];
        break;
    case TDateType::dt_DDMMYYYY:
        d = parts[0], m = parts[1], y = parts[2];
        break;
    case TDateType::dt_YYMMDD:
    case TDateType::dt_YYYMMDD:
        // The local era counts its years from 1912.
        y = parts[0] + 1911, m = parts[1], d = parts[2];
        break;
    default:
        return 0;
    }
    return ValidDate(y, m, d) ? y * 10000 + m * 100 + d : 0;
}

// ---------------------------------------------------------------------------------------------
// Sub-control classes

const TClassInfo& TVixMaskEdit::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TVixMaskEdit>("TVixMaskEdit", TMaskEdit::StaticClassInfo());
    return info;
}

TVixMaskEdit::TVixMaskEdit(TComponent* owner)
    : TMaskEdit(owner)
{
}

void TVixMaskEdit::Change()
{
    if (!noChange_)
        TMaskEdit::Change();
}

const TClassInfo& TVixListView::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TVixListView>(
        "TVixListView", TListView::StaticClassInfo(), [](TClassBuilder<TVixListView>& c) {
            c.Bool("ColumnsAutoSize", &TVixListView::ColumnsAutoSize,
                &TVixListView::SetColumnsAutoSize);
        });
    return info;
}

TVixListView::TVixListView(TComponent* owner)
    : TListView(owner)
{
}

bool TVixListView::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !Focused()) {
        if (CanFocus())
            SetFocus();
        if (!TComponent::IsLive(this) || IsDestroying() || !Focused())
            return true; // the focus stayed elsewhere: the click is not for the list
    }
    return TListView::HandleWidgetEvent(receiver, event);
}

const TClassInfo& TVixCheckBox::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TVixCheckBox>("TVixCheckBox", TBitCheckBox::StaticClassInfo());
    return info;
}

TVixCheckBox::TVixCheckBox(TComponent* owner)
    : TBitCheckBox(owner)
{
}

void TVixCheckBox::StateChanged()
{
    if (auto* panel = dynamic_cast<TSelectPanel*>(Owner()); panel && !panel->syncing_)
        panel->ChoiceToggled();
}

// ---------------------------------------------------------------------------------------------
// TSelectPanel

const TClassInfo& TSelectPanel::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TSelectPanel>(
        "TSelectPanel", TGroupBox::StaticClassInfo(), [](TClassBuilder<TSelectPanel>& c) {
            using P = TSelectPanel;
            c.Enum("Style", SelectStyleEnum(), &P::Style, &P::SetStyle);
            c.Bool("UserChoice", &P::UserChoice, &P::SetUserChoice);
            c.Text("HintWord", &P::HintWord, &P::SetHintWord);
            c.Object<TStrings>("BeginWords", &P::BeginWords, &P::SetBeginWords);
            c.Object<TStrings>("FinalWords", &P::FinalWords, &P::SetFinalWords);
            c.Enum("ValueType", ValueTypeEnum(), &P::ValueType, &P::SetValueType);
            c.Enum("DateType", DateTypeEnum(), &P::DateType, &P::SetDateType);
            c.Text("DateSign", &P::DateSign, &P::SetDateSign);
            c.Bool("AutoChangeDateSite", &P::AutoChangeDateSite, &P::SetAutoChangeDateSite);
            c.Bool("UseDiscard", &P::UseDiscard, &P::SetUseDiscard);
            c.Text("Discard", &P::Discard, &P::SetDiscard);
            c.Text("EditMask", &P::EditMask, &P::SetEditMask);
            c.Bool("CanOpenWin", &P::CanOpenWin, &P::SetCanOpenWin);
            c.Int("GlyphIndex", &P::GlyphIndex, &P::SetGlyphIndex);
            c.Object<TStrings>("ChildHints", &P::ChildHints, &P::SetChildHints);
            c.Enum(
                "CheckDuplicate", CheckDuplicateEnum(), &P::CheckDuplicate, &P::SetCheckDuplicate);
            c.Bool("SortListBox", &P::SortListBox, &P::SetSortListBox);
            c.Object<TListColumns>("Columns", &P::Columns, &P::SetColumns);
            c.Object<TStrings>("ColumnCaptions", &P::ColumnCaptions, &P::SetColumnCaptions);
            c.Bool("ColumnsAutoSize", &P::ColumnsAutoSize, &P::SetColumnsAutoSize);
            c.Bool("ShowColumnHeader", &P::ShowColumnHeader, &P::SetShowColumnHeader);
            c.Bool("HideSelection", &P::HideSelection, &P::SetHideSelection);
            c.Object<TListItems>("Items", &P::Items, &P::SetItems);
            c.Bool("UseVertical", &P::UseVertical, &P::SetUseVertical);
            c.Int("OtherWidth", &P::OtherWidth, &P::SetOtherWidth);
            c.Int("OtherHeight", &P::OtherHeight, &P::SetOtherHeight);
            c.Event("OnStyleChanging", &P::OnStyleChanging);
            c.Event("OnStyleChange", &P::OnStyleChange);
            c.Event("OnTypeClick", &P::OnTypeClick);
            c.Event("OnOpenWinClick", &P::OnOpenWinClick);
            c.Event("OnDeleteClick", &P::OnDeleteClick);
            c.Event("OnClearClick", &P::OnClearClick);
            c.Event("OnItemSelect", &P::OnItemSelect);
            c.Event("OnItemChange", &P::OnItemChange);
            c.Event("OnItemChanging", &P::OnItemChanging);
        });
    return info;
}

TSelectPanel::TSelectPanel(TComponent* owner)
    : TGroupBox(owner)
    , beginWordsList_(std::make_unique<TStringList>())
    , finalWordsList_(std::make_unique<TStringList>())
    , childHints_(std::make_unique<TStringList>())
    , columnCaptions_(std::make_unique<TStringList>())
{
    CreateSubControls();
    beginWordsList_->SetStrings({ beginWords_[0], beginWords_[1] });
    finalWordsList_->SetStrings({ finalWords_[0], finalWords_[1] });
    childHints_->SetStrings({ "用户自定输入方式", "区间选择-起始信息", "区间选择-起始信息开窗",
        "区间选择-截止信息", "区间选择-截止信息开窗", "多选-己选择的信息", "多选-信息开窗",
        "多选-删除一笔信息", "多选-删除己选信息" });
    beginWordsList_->OnChange = TNotifyEvent([this](TObject*) { WordsChanged(true); });
    finalWordsList_->OnChange = TNotifyEvent([this](TObject*) { WordsChanged(false); });
    childHints_->OnChange = TNotifyEvent([this](TObject*) { ApplyHints(); });
    columnCaptions_->OnChange = TNotifyEvent([this](TObject*) { ColumnCaptionsChanged(); });
    ApplyHints();
    building_ = false;
    SetBounds(Left(), Top(), 353, 45);
    Layout();
}

TSelectPanel::~TSelectPanel()
{
    Destroying();
    beginWordsList_->OnChange = nullptr;
    finalWordsList_->OnChange = nullptr;
    childHints_->OnChange = nullptr;
    columnCaptions_->OnChange = nullptr;
}

void TSelectPanel::CreateSubControls()
{
    checkBox_ = new TVixCheckBox(this);
    checkBox_->SetName("chkChoice");
    checkBox_->SetParent(this);
    checkBox_->SetLeft(16);
    checkBox_->SetCaption(hintWord_);
    checkBox_->SetChecked(true);
    checkBox_->SetVisible(false);
    SizeCheckBox();

    auto page = [this](const char* name) {
        auto* p = new TPanel(this);
        p->SetName(name);
        p->SetParent(this);
        p->SetBevelOuter(TBevelCut::bvNone);
        p->SetCaption(" ");
        return p;
    };
    auto label = [this](TWinControl* parent, const char* name, const std::string& text) {
        auto* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(parent);
        l->SetAutoSize(false);
        l->SetLayout(TTextLayout::tlCenter);
        l->SetCaption(text);
        return l;
    };
    auto edit = [this](TWinControl* parent, const char* name) {
        auto* e = new TVixMaskEdit(this);
        e->SetName(name);
        e->SetParent(parent);
        e->SetHeight(24);
        return e;
    };
    auto lookupButton = [this](TWinControl* parent, const char* name) {
        auto* b = new TF2Button(this);
        b->SetName(name);
        b->SetParent(parent);
        b->SetFlat(true);
        b->SetBounds(0, 0, 23, 23);
        b->SetNumGlyphs(1);
        b->SetGlyphIndex(glyphIndex_);
        return b;
    };

    rangePage_ = page("pnlRange");
    beginLabel_ = label(rangePage_, "lblBegin", beginWords_[0]);
    edBegin_ = edit(rangePage_, "edBegin");
    beginButton_ = lookupButton(rangePage_, "btnBegin");
    finalLabel_ = label(rangePage_, "lblFinal", finalWords_[0]);
    edFinal_ = edit(rangePage_, "edFinal");
    finalButton_ = lookupButton(rangePage_, "btnFinal");

    listPage_ = page("pnlList");
    listPage_->SetVisible(false);
    listBox_ = new TVixListView(this);
    listBox_->SetName("ListBox");
    listBox_->SetParent(listPage_);
    listBox_->SetViewStyle(TViewStyle::vsReport);
    listBox_->SetMultiSelect(true);
    listBox_->SetRowSelect(true);
    listBox_->SetReadOnly(true);
    listBox_->SetShowColumnHeaders(false);
    listBox_->SetHideSelection(false);
    listBox_->SetCursor(crHandPoint);
    listButton_ = lookupButton(listPage_, "btnList");
    auto toolButton = [this](const char* name, int picture) {
        auto* b = new TGSpeedButton(this);
        b->SetName(name);
        b->SetParent(listPage_);
        b->SetFlat(true);
        b->SetBounds(0, 0, 23, 23);
        b->SetGlyphIndex(picture);
        return b;
    };
    deleteButton_ = toolButton("btnDelete", 47);
    clearButton_ = toolButton("btnClear", 4);

    // What the sub-controls do.
    beginButton_->OnClick = TNotifyEvent([this](TObject*) { LookupClick(edBegin_); });
    finalButton_->OnClick = TNotifyEvent([this](TObject*) { LookupClick(edFinal_); });
    listButton_->OnClick = TNotifyEvent([this](TObject*) { LookupClick(listBox_); });
    deleteButton_->OnClick = TNotifyEvent([this](TObject*) { DeleteClick(); });
    clearButton_->OnClick = TNotifyEvent([this](TObject*) { ClearClick(); });
    listBox_->OnColumnClick = TLVColumnClickEvent([this](TObject*, TListColumn* column) {
        if (column)
            SortByColumn(column->Index());
    });
    // Rows that go make the kept column widths stale.
    listBox_->OnDeletion = TLVDeletedEvent([this](TObject*, TListItem*) { columnBytesRows_ = -1; });
    listBox_->OnSelectItem = TLVSelectItemEvent([this](TObject*, TListItem* item, bool selected) {
        if (EventsEnabled() && !quiet_ && item)
            OnItemSelect(this, item, item->Index(), selected);
    });
    listBox_->OnChange
        = TLVChangeEvent([this](TObject* sender, TListItem* item, TItemChange change) {
              if (EventsEnabled() && !quiet_)
                  OnItemChange(sender, item, change);
          });
    listBox_->OnChanging = TLVChangingEvent(
        [this](TObject* sender, TListItem* item, TItemChange change, bool& allow) {
            if (EventsEnabled() && !quiet_)
                OnItemChanging(sender, item, change, allow);
        });

    // Events of the edits and the list reach the panel's handlers with themselves as Sender;
    // those of the other parts with the panel as Sender.
    ForwardEvents(edBegin_, true);
    ForwardEvents(edFinal_, true);
    ForwardEvents(listBox_, true);
    ForwardEvents(checkBox_, false);
    ForwardEvents(rangePage_, false);
    ForwardEvents(listPage_, false);
    ForwardEvents(beginLabel_, false);
    ForwardEvents(finalLabel_, false);
}

void TSelectPanel::ForwardEvents(TControl* sub, bool subIsSender)
{
    auto sender = [this, sub, subIsSender]() -> TObject* {
        return subIsSender ? static_cast<TObject*>(sub) : static_cast<TObject*>(this);
    };
    sub->OnClick = TNotifyEvent([this, sender](TObject*) {
        if (EventsEnabled())
            OnClick(sender());
    });
    sub->OnDblClick = TNotifyEvent([this, sender](TObject*) {
        if (EventsEnabled())
            OnDblClick(sender());
    });
    sub->OnMouseDown = TMouseEvent(
        [this, sub, subIsSender, sender](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            if (!EventsEnabled())
                return;
            TPoint p = subIsSender ? TPoint { x, y } : ToPanel(sub, x, y);
            OnMouseDown(sender(), b, s, p.X, p.Y);
        });
    sub->OnMouseUp = TMouseEvent(
        [this, sub, subIsSender, sender](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            if (!EventsEnabled())
                return;
            TPoint p = subIsSender ? TPoint { x, y } : ToPanel(sub, x, y);
            OnMouseUp(sender(), b, s, p.X, p.Y);
        });
    sub->OnMouseMove
        = TMouseMoveEvent([this, sub, subIsSender, sender](TObject*, TShiftState s, int x, int y) {
              if (!EventsEnabled())
                  return;
              TPoint p = subIsSender ? TPoint { x, y } : ToPanel(sub, x, y);
              OnMouseMove(sender(), s, p.X, p.Y);
          });
    if (auto* w = dynamic_cast<TWinControl*>(sub); w && (subIsSender || w == checkBox_)) {
        // Keys come unchanged, with the sub-control as Sender.
        w->OnKeyDown = TKeyEvent([this](TObject* s, uint16_t& key, TShiftState shift) {
            if (EventsEnabled())
                OnKeyDown(s, key, shift);
        });
        w->OnKeyUp = TKeyEvent([this](TObject* s, uint16_t& key, TShiftState shift) {
            if (EventsEnabled())
                OnKeyUp(s, key, shift);
        });
        w->OnKeyPress = TKeyPressEvent([this](TObject* s, TKeyChar& key) {
            if (EventsEnabled())
                OnKeyPress(s, key);
        });
    }
}

TPoint TSelectPanel::ToPanel(TControl* sub, int x, int y) const
{
    for (const TControl* c = sub; c && c != this; c = c->Parent()) {
        x += c->Left();
        y += c->Top();
    }
    return { x, y };
}

TControl* TSelectPanel::HintControl(int position) const
{
    switch (position) {
    case 0:
        return checkBox_;
    case 1:
        return edBegin_;
    case 2:
        return beginButton_;
    case 3:
        return edFinal_;
    case 4:
        return finalButton_;
    case 5:
        return listBox_;
    case 6:
        return listButton_;
    case 7:
        return deleteButton_;
    case 8:
        return clearButton_;
    default:
        return nullptr;
    }
}

// --- style and choice ------------------------------------------------------------------------

bool TSelectPanel::IsRangeMode() const
{
    return style_ == TSelectStyle::sp_Range
        || (style_ == TSelectStyle::sp_UserChoice && checkBox_->Checked());
}

void TSelectPanel::SetStyle(TSelectStyle style)
{
    TSelectStyle newStyle = style;
    bool accept = true;
    if (EventsEnabled())
        OnStyleChanging(this, style_, newStyle, accept);
    if (!accept || IsDestroying())
        return;
    const TSelectStyle old = style_;
    layoutStyle_ = newStyle;
    ShowPages(newStyle);
    if (newStyle != old && (newStyle == TSelectStyle::sp_Range || old == TSelectStyle::sp_Range)
        && !useVertical_ && !Loading())
        ExchangeOtherSize();
    LayoutFor(newStyle);
    if (EventsEnabled())
        OnStyleChange(this, old, newStyle);
    style_ = newStyle;
    layoutStyle_ = newStyle;
}

bool TSelectPanel::UserChoice() const { return checkBox_->Checked(); }

void TSelectPanel::SetUserChoice(bool v)
{
    if (Loading()) {
        // Descriptions may name UserChoice before Style; keep it for the style that follows.
        syncing_ = true;
        checkBox_->SetChecked(v);
        syncing_ = false;
        return;
    }
    if (style_ != TSelectStyle::sp_UserChoice)
        return;
    syncing_ = true;
    checkBox_->SetChecked(v);
    syncing_ = false;
    ChoiceToggled();
}

void TSelectPanel::ChoiceToggled()
{
    if (IsDestroying() || style_ != TSelectStyle::sp_UserChoice)
        return;
    Layout();
    ShowPages(style_);
    if (EventsEnabled())
        OnTypeClick(this);
}

void TSelectPanel::ShowPages(TSelectStyle style)
{
    bool range = style == TSelectStyle::sp_Range
        || (style == TSelectStyle::sp_UserChoice && checkBox_->Checked());
    checkBox_->SetVisible(style == TSelectStyle::sp_UserChoice);
    rangePage_->SetVisible(range);
    listPage_->SetVisible(!range);
}

void TSelectPanel::ExchangeOtherSize()
{
    int w = Width(), h = Height();
    int ow = otherWidth_, oh = otherHeight_;
    otherWidth_ = w;
    otherHeight_ = h;
    SetBounds(Left(), Top(), ow, oh);
}

void TSelectPanel::SetUseVertical(bool v)
{
    if (v == useVertical_ || style_ != TSelectStyle::sp_Range)
        return;
    useVertical_ = v;
    if (!Loading())
        ExchangeOtherSize();
    Layout();
}

// --- layout ----------------------------------------------------------------------------------

void TSelectPanel::Resize()
{
    TGroupBox::Resize();
    Layout();
}

void TSelectPanel::FontChanged()
{
    TGroupBox::FontChanged();
    SizeCheckBox();
    Layout();
}

void TSelectPanel::Loaded()
{
    TGroupBox::Loaded();
    layoutStyle_ = style_;
    ShowPages(style_);
    Layout();
}

void TSelectPanel::SizeCheckBox()
{
    QFontMetrics fm(checkBox_->Font()->ToQFont());
    int w = fm.horizontalAdvance(QString::fromStdString(hintWord_));
    checkBox_->SetBounds(16, checkBox_->Top(), w + 24, fm.height() + 2);
}

void TSelectPanel::Layout() { LayoutFor(layoutStyle_); }

void TSelectPanel::LayoutFor(TSelectStyle style)
{
    if (building_ || IsDestroying())
        return;
    const int t = CaptionHeight();
    int pageTop = t + 3;
    if (style == TSelectStyle::sp_UserChoice) {
        checkBox_->SetTop(t + 1);
        pageTop = checkBox_->Top() + QFontMetrics(checkBox_->Font()->ToQFont()).height() + 2;
    }
    const int pageWidth = std::max(Width() - 2 - 2, 0);
    const int pageHeight = std::max(Height() - 2 - pageTop, 0);
    rangePage_->SetBounds(2, pageTop, pageWidth, pageHeight);
    listPage_->SetBounds(2, pageTop, pageWidth, pageHeight);
    LayoutRange(style, pageWidth, pageHeight);
    LayoutList(pageWidth, pageHeight);
}

void TSelectPanel::LayoutRange(TSelectStyle style, int pw, int ph)
{
    const bool vertical
        = style == TSelectStyle::sp_UserChoice || (style == TSelectStyle::sp_Range && useVertical_);
    const int entry = vertical ? 1 : 0;
    beginLabel_->SetCaption(beginWords_[entry]);
    finalLabel_->SetCaption(finalWords_[entry]);
    const int eh = edBegin_->Height();
    const int bw = canOpenWin_ ? beginButton_->Width() : 0;
    const int w0 = beginLabel_->TextWidth();
    const int w1 = finalLabel_->TextWidth();
    if (!vertical) {
        const int top = (ph - eh) / 2;
        beginLabel_->SetBounds(2, top, w0, eh);
        const int editLeft = beginLabel_->Left() + w0 + 1;
        if (canOpenWin_) {
            const int ew = (pw - beginLabel_->Left() - w0 - bw - w1 - bw - 8) / 2;
            edBegin_->SetBounds(editLeft, top, ew, eh);
            beginButton_->SetBounds(edBegin_->Left() + ew + 2, top, bw, beginButton_->Height());
            finalLabel_->SetBounds(beginButton_->Left() + bw + 2, top, w1, eh);
            edFinal_->SetBounds(finalLabel_->Left() + w1 + 2, top, ew, eh);
            finalButton_->SetBounds(edFinal_->Left() + ew + 2, top, bw, finalButton_->Height());
        } else {
            const int ew = (pw - beginLabel_->Left() - w0 - w1 - 4) / 2;
            edBegin_->SetBounds(editLeft, top, ew, eh);
            finalLabel_->SetBounds(edBegin_->Left() + ew + 4, top, w1, eh);
            edFinal_->SetBounds(finalLabel_->Left() + w1 + 1, top, ew, eh);
        }
    } else {
        const int g = (ph - eh - eh) / 3;
        beginLabel_->SetBounds(2, g, w0, eh);
        const int editLeft = beginLabel_->Left() + w0 + 2;
        const int ew = canOpenWin_ ? pw - beginLabel_->Left() - w0 - bw - 4
                                   : pw - beginLabel_->Left() - w0 - 2;
        edBegin_->SetBounds(editLeft, g, ew, eh);
        const int endTop = g + edBegin_->Top() + eh;
        finalLabel_->SetBounds(2, endTop, w1, eh);
        edFinal_->SetBounds(editLeft, endTop, ew, eh);
        if (canOpenWin_) {
            beginButton_->SetBounds(editLeft + ew + 1, g, bw, beginButton_->Height());
            finalButton_->SetBounds(editLeft + ew + 1, endTop, bw, finalButton_->Height());
        }
    }
}

void TSelectPanel::LayoutList(int pw, int ph)
{
    const int bw = listButton_->Width();
    listBox_->SetBounds(listBox_->Left(), 0, pw - listBox_->Left() - bw - 3, ph);
    const int left = listBox_->Left() + listBox_->Width() + 2;
    listButton_->SetBounds(left, listBox_->Top(), bw, listButton_->Height());
    deleteButton_->SetBounds(left, listButton_->Top() + listButton_->Height(),
        deleteButton_->Width(), deleteButton_->Height());
    clearButton_->SetBounds(left, deleteButton_->Top() + deleteButton_->Height(),
        clearButton_->Width(), clearButton_->Height());
}

// --- words, hints, buttons -------------------------------------------------------------------

void TSelectPanel::SetHintWord(const std::string& v)
{
    hintWord_ = v;
    checkBox_->SetCaption(v);
    SizeCheckBox();
    Layout();
}

void TSelectPanel::SetBeginWords(TStrings* words)
{
    if (words && words != beginWordsList_.get())
        beginWordsList_->Assign(*words);
}

void TSelectPanel::SetFinalWords(TStrings* words)
{
    if (words && words != finalWordsList_.get())
        finalWordsList_->Assign(*words);
}

void TSelectPanel::ConvertTexts(const TextConversion& convert)
{
    const auto convertLines = [&convert](TStrings& lines) {
        std::vector<std::string> converted;
        for (int i = 0; i < lines.Count(); ++i)
            converted.push_back(convert(lines.Get(i)));
        lines.SetStrings(converted);
    };
    convertLines(*beginWordsList_);
    convertLines(*finalWordsList_);
    SetHintWord(convert(hintWord_));
    convertLines(*columnCaptions_);
    TCodeConverter::ConvertListView(*listBox_, convert);
}

void TSelectPanel::WordsChanged(bool begin)
{
    if (syncing_)
        return;
    TStringList& list = begin ? *beginWordsList_ : *finalWordsList_;
    auto& words = begin ? beginWords_ : finalWords_;
    // The first entry, and the second when there is one; an empty list changes nothing.
    if (list.Count() >= 1)
        words[0] = list.Get(0);
    if (list.Count() >= 2)
        words[1] = list.Get(1);
    syncing_ = true;
    list.SetStrings({ words[0], words[1] });
    syncing_ = false;
    Layout();
}

void TSelectPanel::SetChildHints(TStrings* hints)
{
    if (hints && hints != childHints_.get())
        childHints_->Assign(*hints);
}

void TSelectPanel::ApplyHints()
{
    for (int i = 0; i < std::min(childHints_->Count(), 9); ++i)
        if (TControl* c = HintControl(i))
            c->SetHint(childHints_->Get(i));
}

void TSelectPanel::SetCanOpenWin(bool v)
{
    canOpenWin_ = v;
    beginButton_->SetVisible(v);
    finalButton_->SetVisible(v);
    listButton_->SetVisible(v);
    Layout();
}

void TSelectPanel::SetGlyphIndex(int n)
{
    glyphIndex_ = n;
    for (TF2Button* b : { beginButton_, finalButton_, listButton_ })
        if (!b->SetGlyphIndex(n))
            b->SetGlyphIndex(0);
}

void TSelectPanel::SetEditMask(const std::string& mask)
{
    std::string kept = edBegin_->Text();
    edBegin_->SetNoChange(true);
    edBegin_->SetText("");
    edBegin_->SetEditMask(mask);
    edFinal_->SetEditMask(mask);
    editMask_ = mask;
    emptyMaskText_ = edBegin_->Text();
    edBegin_->SetText(kept);
    edBegin_->SetNoChange(false);
}

void TSelectPanel::LookupClick(TWinControl* target)
{
    if (target->CanFocus())
        target->SetFocus();
    if (!TComponent::IsLive(target) || IsDestroying())
        return;
    SendLookupRequest(target);
    if (TComponent::IsLive(target) && EventsEnabled())
        OnOpenWinClick(this, target);
}

void TSelectPanel::DeleteClick()
{
    bool accept = true;
    if (EventsEnabled())
        OnDeleteClick(this, accept);
    if (!accept)
        return;
    TListItems* items = listBox_->Items();
    items->BeginUpdate();
    for (int i = items->Count() - 1; i >= 0; --i)
        if (items->Item(i)->Selected())
            items->Delete(i);
    items->EndUpdate();
}

void TSelectPanel::ClearClick()
{
    listBox_->Items()->Clear();
    if (listBox_->CanFocus())
        listBox_->SetFocus();
    if (EventsEnabled())
        OnClearClick(this);
}

// --- the list --------------------------------------------------------------------------------

TListColumns* TSelectPanel::Columns() const { return listBox_->Columns(); }

void TSelectPanel::SetColumns(TListColumns* columns) { listBox_->SetColumns(columns); }

void TSelectPanel::SetColumnCaptions(TStrings* captions)
{
    if (captions && captions != columnCaptions_.get())
        columnCaptions_->Assign(*captions);
}

void TSelectPanel::ColumnCaptionsChanged()
{
    TListColumns* columns = listBox_->Columns();
    columns->BeginUpdate();
    columns->Clear();
    QFontMetrics fm(listBox_->Font()->ToQFont());
    for (int i = 0; i < columnCaptions_->Count(); ++i) {
        TListColumn* c = columns->Add();
        c->SetCaption(columnCaptions_->Get(i));
        int width = fm.horizontalAdvance(QString::fromStdString(c->Caption()));
        for (int r = 0; r < listBox_->Items()->Count(); ++r)
            width = std::max(width,
                fm.horizontalAdvance(QString::fromStdString(Cell(listBox_->Items()->Item(r), i))));
        c->SetWidth(width + 12);
    }
    columns->EndUpdate();
}

bool TSelectPanel::ColumnsAutoSize() const { return listBox_->ColumnsAutoSize(); }
void TSelectPanel::SetColumnsAutoSize(bool v) { listBox_->SetColumnsAutoSize(v); }
bool TSelectPanel::ShowColumnHeader() const { return listBox_->ShowColumnHeaders(); }
void TSelectPanel::SetShowColumnHeader(bool v) { listBox_->SetShowColumnHeaders(v); }
bool TSelectPanel::HideSelection() const { return listBox_->HideSelection(); }
void TSelectPanel::SetHideSelection(bool v) { listBox_->SetHideSelection(v); }
TListItems* TSelectPanel::Items() const { return listBox_->Items(); }

void TSelectPanel::SetItems(TListItems* items)
{
    columnBytesRows_ = -1;
    listBox_->SetItems(items);
    if (sortListBox_)
        SortList();
    RemoveDuplicates();
}

std::string TSelectPanel::Cell(const TListItem* item, int column)
{
    if (column == 0)
        return item->Caption();
    return item->SubItems()->Get(column - 1); // empty when the row has no such sub-value
}

bool TSelectPanel::AddListRow(const std::vector<std::string>& values)
{
    return AddListRows({ values });
}

bool TSelectPanel::AddListRows(const std::vector<std::vector<std::string>>& rows)
{
    size_t widest = 0;
    for (const auto& values : rows) {
        if (values.empty() || values.size() > static_cast<size_t>(kMaxListColumns))
            return false;
        widest = std::max(widest, values.size());
    }
    if (rows.empty())
        return true;
    try {
        const int n = static_cast<int>(widest) - 1;
        TListColumns* columns = listBox_->Columns();
        while (columns->Count() < n + 1) {
            TListColumn* c = columns->Add();
            c->SetCaption("Data" + std::to_string(columns->Count()));
        }
        TListItems* items = listBox_->Items();
        // One row goes straight to its place in a sorted list; many are sorted once at the end.
        const bool inPlace = sortListBox_ && rows.size() == 1 && IsSorted();
        items->BeginUpdate();
        for (const auto& values : rows) {
            int at = inPlace ? UpperBound(values) : items->Count();
            TListItem* item = items->Insert(at);
            item->SetCaption(values[0]);
            TStrings* sub = item->SubItems();
            for (size_t i = 1; i < values.size() && static_cast<int>(i) < columns->Count(); ++i)
                sub->Add(values[i]);
        }
        items->EndUpdate();
        PadRows();
        if (sortListBox_ && !inPlace)
            SortList();
        RemoveDuplicates();
        if (listBox_->ColumnsAutoSize())
            SizeColumns(rows.size() == 1 ? &rows.front() : nullptr);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TSelectPanel::PadRows()
{
    TListItems* items = listBox_->Items();
    int longest = 0;
    for (int i = 0; i < items->Count(); ++i)
        longest = std::max(longest, items->Item(i)->SubItems()->Count());
    for (int i = 0; i < items->Count(); ++i) {
        TStrings* sub = items->Item(i)->SubItems();
        while (sub->Count() < longest)
            sub->Add("");
    }
}

void TSelectPanel::SizeColumns(const std::vector<std::string>* added)
{
    TListColumns* columns = listBox_->Columns();
    TListItems* items = listBox_->Items();
    // The longest texts are kept between rows: a row added to rows already measured needs only
    // its own texts measured. Anything else measures the whole list again.
    const bool incremental = added && columnBytesRows_ >= 0
        && items->Count() == columnBytesRows_ + 1
        && columnBytes_.size() <= static_cast<size_t>(columns->Count());
    if (!incremental) {
        columnBytes_.assign(static_cast<size_t>(columns->Count()), 0);
        for (int c = 0; c < columns->Count(); ++c)
            for (int r = 0; r < items->Count(); ++r)
                columnBytes_[static_cast<size_t>(c)] = std::max(
                    columnBytes_[static_cast<size_t>(c)], CodePageBytes(Cell(items->Item(r), c)));
    } else {
        columnBytes_.resize(static_cast<size_t>(columns->Count()), 0);
        for (size_t c = 0; c < added->size() && c < columnBytes_.size(); ++c)
            columnBytes_[c] = std::max(columnBytes_[c], CodePageBytes((*added)[c]));
    }
    columnBytesRows_ = items->Count();
    const int w = QFontMetrics(listBox_->Font()->ToQFont()).horizontalAdvance(QLatin1Char('W'));
    for (int c = 0; c < columns->Count(); ++c) {
        size_t longest = std::max(
            columnBytes_[static_cast<size_t>(c)], CodePageBytes(columns->Items(c)->Caption()));
        columns->Items(c)->SetWidth(w * static_cast<int>(longest));
    }
}

void TSelectPanel::ClearListRows()
{
    quiet_ = true;
    listBox_->Items()->Clear();
    quiet_ = false;
    columnBytesRows_ = -1;
}

void TSelectPanel::SetSortListBox(bool v)
{
    sortListBox_ = v;
    if (v)
        SortList();
}

void TSelectPanel::SetCheckDuplicate(TCheckDuplicate v)
{
    checkDuplicate_ = v;
    if (v == TCheckDuplicate::cd_None)
        return;
    SetSortListBox(true);
    if (IsListMode())
        RemoveDuplicates();
}

int TSelectPanel::CompareRows(TListItem* a, TListItem* b) const
{
    return CompareCells([a](int c) { return Cell(a, c); }, [b](int c) { return Cell(b, c); });
}

int TSelectPanel::CompareCells(
    const std::function<std::string(int)>& a, const std::function<std::string(int)>& b) const
{
    int r = CompareRowText(a(sortColumn_), b(sortColumn_));
    if (r == 0 && sortColumn_ != 0)
        r = CompareRowText(a(0), b(0));
    if (r == 0 && sortColumn_ != 1)
        r = CompareRowText(a(1), b(1));
    // Where case matters for duplicates, rows equal but for case are ordered case by case, so
    // that equal captions end up side by side for the duplicate check.
    if (r == 0 && checkDuplicate_ == TCheckDuplicate::cd_CheckCase) {
        auto [ea, eb] = OrderBytes(a(sortColumn_), b(sortColumn_));
        r = CompareBytes(ea, eb);
    }
    return sortDescending_ ? -r : r;
}

bool TSelectPanel::IsSorted() const
{
    TListItems* items = listBox_->Items();
    for (int i = 1; i < items->Count(); ++i)
        if (CompareRows(items->Item(i - 1), items->Item(i)) > 0)
            return false;
    return true;
}

int TSelectPanel::UpperBound(const std::vector<std::string>& values) const
{
    // After every row that does not come later, as a stable sort would put a row added last.
    auto cell = [&values](int c) {
        return c >= 0 && static_cast<size_t>(c) < values.size() ? values[static_cast<size_t>(c)]
                                                                : std::string();
    };
    TListItems* items = listBox_->Items();
    int low = 0, high = items->Count();
    while (low < high) {
        int mid = (low + high) / 2;
        TListItem* item = items->Item(mid);
        if (CompareCells(cell, [item](int c) { return Cell(item, c); }) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

void TSelectPanel::SortList()
{
    if (listBox_->Items()->Count() < 2 || IsSorted())
        return;
    listBox_->CustomSort([this](TListItem* a, TListItem* b) { return CompareRows(a, b); });
}

void TSelectPanel::SortByColumn(int column)
{
    if (column < 0)
        return;
    if (column == sortColumn_)
        sortDescending_ = !sortDescending_;
    else {
        sortColumn_ = column;
        sortDescending_ = false;
    }
    SortList();
}

void TSelectPanel::RemoveDuplicates()
{
    if (checkDuplicate_ == TCheckDuplicate::cd_None)
        return;
    TListItems* items = listBox_->Items();
    const bool anyCase = checkDuplicate_ == TCheckDuplicate::cd_CaseInsensitive;
    items->BeginUpdate();
    for (int i = items->Count() - 1; i >= 1; --i) {
        std::string a = items->Item(i)->Caption();
        std::string b = items->Item(i - 1)->Caption();
        if (anyCase ? UpperCase(a) == UpperCase(b) : a == b)
            items->Delete(i);
    }
    items->EndUpdate();
}

// --- values ----------------------------------------------------------------------------------

std::string TSelectPanel::BeginText() const { return edBegin_->Text(); }
void TSelectPanel::SetBeginText(const std::string& text) { edBegin_->SetText(text); }
std::string TSelectPanel::FinalText() const { return edFinal_->Text(); }
void TSelectPanel::SetFinalText(const std::string& text) { edFinal_->SetText(text); }

Variant TSelectPanel::ConditionValue() const
{
    if (IsRangeMode())
        return Variant::ArrayOf(
            { Variant(std::string(kRowSep)), Variant(BeginText()), Variant(FinalText()) });
    TListItems* items = listBox_->Items();
    Variant value = Variant::Array(0, items->Count());
    value[0] = Variant(std::string(kListMark));
    for (int i = 0; i < items->Count(); ++i) {
        TListItem* item = items->Item(i);
        std::vector<Variant> row { Variant(item->Caption()) };
        for (int k = 0; k < item->SubItems()->Count(); ++k)
            row.emplace_back(item->SubItems()->Get(k));
        value[i + 1] = Variant::ArrayOf(row);
    }
    return value;
}

Variant TSelectPanel::DateRangeValue(
    const std::function<std::string(const std::string&)>& toCompact) const
{
    std::string b = toCompact ? toCompact(BeginText()) : BeginText();
    std::string e = toCompact ? toCompact(FinalText()) : FinalText();
    if (!b.empty() && !e.empty() && CompareBytes(UpperCase(b), UpperCase(e)) > 0)
        std::swap(b, e);
    return Variant::ArrayOf({ Variant(std::string(kRowSep)), Variant(b), Variant(e) });
}

std::string TSelectPanel::RowsText() const
{
    std::string rows;
    TListItems* items = listBox_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TListItem* item = items->Item(i);
        rows += item->Caption();
        TStrings* sub = item->SubItems();
        if (sub->Count() > 0)
            for (int k = 0; k < sub->Count(); ++k)
                rows += kColumnSep + sub->Get(k);
        rows += kRowSep;
    }
    return rows;
}

std::string TSelectPanel::SaveValue(const std::string* dateRuleText) const
{
    const std::string sep = kFieldSep;
    switch (style_) {
    case TSelectStyle::sp_Range:
        if (dateRuleText)
            return "sp_Range" + sep + *dateRuleText;
        return "sp_Range" + sep + BeginText() + sep + FinalText();
    case TSelectStyle::sp_Discrete:
        return "sp_Discrete" + sep + RowsText();
    case TSelectStyle::sp_UserChoice:
        if (UserChoice())
            return "sp_UserChoice" + sep + "True" + sep + BeginText() + sep + FinalText();
        return "sp_UserChoice" + sep + "False" + sep + RowsText();
    }
    return {};
}

bool TSelectPanel::FillListFromRows(const std::string& rows)
{
    // Read everything first: a text that cannot be read leaves the list as it was. Every row is
    // closed by code 4, so a text that does not end with one was cut short.
    if (!IsValidUtf8(rows))
        return false;
    if (!rows.empty() && rows.back() != kRowSep[0])
        return false;
    std::vector<std::vector<std::string>> parsed;
    std::vector<std::string> lines = SplitAll(rows, kRowSep[0]);
    lines.pop_back(); // what follows the last row's end: nothing
    for (const std::string& row : lines) {
        if (row.empty())
            continue;
        std::vector<std::string> values = SplitAll(row, kColumnSep[0]);
        if (values.size() > static_cast<size_t>(kMaxListColumns))
            return false;
        parsed.push_back(std::move(values));
    }
    ClearListRows();
    return AddListRows(parsed);
}

// --- leaving ---------------------------------------------------------------------------------

void TSelectPanel::OrderRange()
{
    if (editMask_.empty() || editMask_[0] != '!') {
        edBegin_->SetText(Trim(edBegin_->Text()));
        edFinal_->SetText(Trim(edFinal_->Text()));
    }
    std::string b = edBegin_->Text();
    std::string e = edFinal_->Text();
    if (b.empty() || e.empty())
        return;
    auto blank = [this](const std::string& t) { return t == emptyMaskText_; };
    auto discarded
        = [this](const std::string& t) { return useDiscard_ && Trim(t) == Trim(discard_); };
    bool exchange = false;
    switch (valueType_) {
    case TValueType::vt_String:
    case TValueType::vt_Time:
        if (blank(b) || blank(e) || discarded(b) || discarded(e))
            break;
        exchange = ByteWiseGreater(b, e);
        break;
    case TValueType::vt_Number:
        exchange = IntegerOrZero(b) > IntegerOrZero(e);
        break;
    case TValueType::vt_Date:
        if (!autoChangeDateSite_ || blank(b) || blank(e) || discarded(b) || discarded(e))
            break;
        if (dateType_ == TDateType::dt_NoneCare)
            exchange = ByteWiseGreater(b, e);
        else
            exchange = ReadPanelDate(b, dateType_, dateSign_, emptyMaskText_)
                > ReadPanelDate(e, dateType_, dateSign_, emptyMaskText_);
        break;
    case TValueType::vt_Float: {
        b = FloatOrderText(b);
        e = FloatOrderText(e);
        edBegin_->SetText(b);
        edFinal_->SetText(e);
        exchange = std::strtod(b.c_str(), nullptr) > std::strtod(e.c_str(), nullptr);
        break;
    }
    case TValueType::vt_OtherMask:
        break;
    }
    if (exchange) {
        std::string begin = edBegin_->Text();
        edBegin_->SetText(edFinal_->Text());
        edFinal_->SetText(begin);
    }
}

void TSelectPanel::DoExit()
{
    if (!IsDestroying())
        OrderRange();
    TGroupBox::DoExit();
}

void TSelectPanel::SetFocus()
{
    TGroupBox::SetFocus();
    // The focus belongs in one of the entry controls: the list, or the begin edit.
    TWinControl* target = IsListMode() ? static_cast<TWinControl*>(listBox_) : edBegin_;
    if (TComponent::IsLive(this) && !IsDestroying() && target->CanFocus())
        target->SetFocus();
}

void TSelectPanel::SetEnabled(bool enabled)
{
    TGroupBox::SetEnabled(enabled);
    std::function<void(TWinControl*)> apply = [&](TWinControl* parent) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            c->SetEnabled(enabled);
            if (auto* w = dynamic_cast<TWinControl*>(c))
                apply(w);
        }
    };
    apply(this);
}

} // namespace zrv
