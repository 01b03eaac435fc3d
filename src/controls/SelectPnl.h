#pragma once
// TSelectPanel: the condition-entry control of the report forms. One panel holds one condition,
// given either as a range (begin and end edits) or as a list of discrete rows, or lets the user
// choose between the two with a check box. The panel lays out its sub-controls, keeps the range
// ordered when the focus leaves it, asks its form for lookups, and produces its two encodings:
// the condition value sent to the server and the spSaveValue text kept in condition schemes.
//
// Sub-controls (owned by the panel; hints by position in ChildHints):
//   0 choice check box   1 edBegin   2 begin lookup button   3 edFinal   4 end lookup button
//   5 ListBox            6 list lookup button   7 delete button   8 clear button

#include "controls/BtChkBox.h"
#include "controls/F2Button.h"
#include "controls/GSpdBtn.h"
#include "lang/CodeConvertible.h"
#include "platform/Variant.h"
#include "platform/components/GroupBox.h"
#include "platform/components/Label.h"
#include "platform/components/ListView.h"
#include "platform/components/MaskEdit.h"
#include "platform/components/Panel.h"
#include "platform/components/Strings.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zrv {

enum class TSelectStyle { sp_Range, sp_Discrete, sp_UserChoice };
enum class TValueType { vt_String, vt_Number, vt_Date, vt_Time, vt_Float, vt_OtherMask };
enum class TDateType { dt_NoneCare, dt_YYYYMMDD, dt_MMDDYYYY, dt_DDMMYYYY, dt_YYMMDD, dt_YYYMMDD };
enum class TCheckDuplicate { cd_None, cd_CheckCase, cd_CaseInsensitive };
const TEnumInfo& SelectStyleEnum();
const TEnumInfo& ValueTypeEnum();
const TEnumInfo& DateTypeEnum();
const TEnumInfo& CheckDuplicateEnum();
std::string SelectStyleName(TSelectStyle style); // "sp_Range", ...

using TStyleChangingEvent = TEvent<TObject*, TSelectStyle, TSelectStyle&, bool&>;
using TStyleChangeEvent = TEvent<TObject*, TSelectStyle, TSelectStyle>;
// SenderParent (the panel), Sender (the edit or list the lookup is for).
using TOpenWinClickEvent = TEvent<TObject*, TObject*>;
using TAcceptEvent = TEvent<TObject*, bool&>;
// Sender, the row, its position, whether it became selected.
using TItemSelectEvent = TEvent<TObject*, TListItem*, int, bool>;

// The most columns a list row may have; a longer row cannot be added.
constexpr int kMaxListColumns = 64;

// Ordering helpers of the leave rules.
//   Byte-wise order of two texts as encoded in the system code page (as UTF-8 bytes when
//   either text has characters the code page cannot hold): a > b.
bool ByteWiseGreater(const std::string& a, const std::string& b);
//   A text read as a whole integer; 0 when it is not one.
int64_t IntegerOrZero(const std::string& text);
//   A number rewritten as whole part, ".", fractional part ("12" -> "12.0", "-0.50" -> "-0.50").
std::string FloatOrderText(const std::string& text);
//   A date typed in the panel's field order and separator, as yyyymmdd (0 when unreadable).
//   A text with one separator lacks the day, which is taken as the first of the month.
int ReadPanelDate(
    const std::string& text, TDateType type, const std::string& sign, const std::string& emptyMask);

// A masked edit that can keep quiet while its panel re-masks it.
class TVixMaskEdit : public TMaskEdit {
public:
    explicit TVixMaskEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool NoChange() const { return noChange_; }
    void SetNoChange(bool v) { noChange_ = v; }

protected:
    void Change() override;

private:
    bool noChange_ = false;
};

// A report-style list view. A left click first gives it the focus, and is handled only once it
// has the focus (so the exit checks of the control being left can keep the focus there).
class TVixListView : public TListView {
public:
    explicit TVixListView(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool ColumnsAutoSize() const { return columnsAutoSize_; }
    void SetColumnsAutoSize(bool v) { columnsAutoSize_ = v; }

    bool HandleWidgetEvent(QObject* receiver, QEvent* event) override;

private:
    bool columnsAutoSize_ = true;
};

// The panel's choice check box: a bitmap check box that tells its panel when its state changes.
class TVixCheckBox : public TBitCheckBox {
public:
    explicit TVixCheckBox(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
    void StateChanged() override;
};

class TSelectPanel : public TGroupBox, public ICodeConvertible {
public:
    explicit TSelectPanel(TComponent* owner);
    ~TSelectPanel() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Style and choice.
    TSelectStyle Style() const { return style_; }
    void SetStyle(TSelectStyle style);
    bool UserChoice() const;
    void SetUserChoice(bool v);
    // Range mode: sp_Range, or sp_UserChoice with the check box checked; list mode otherwise.
    bool IsRangeMode() const;
    bool IsListMode() const { return !IsRangeMode(); }

    const std::string& HintWord() const { return hintWord_; }
    void SetHintWord(const std::string& v);
    TStrings* BeginWords() const { return beginWordsList_.get(); }
    void SetBeginWords(TStrings* words);
    TStrings* FinalWords() const { return finalWordsList_.get(); }
    void SetFinalWords(TStrings* words);
    TStrings* ChildHints() const { return childHints_.get(); }
    void SetChildHints(TStrings* hints);

    // The range's ordering when the panel is left.
    TValueType ValueType() const { return valueType_; }
    void SetValueType(TValueType v) { valueType_ = v; }
    TDateType DateType() const { return dateType_; }
    void SetDateType(TDateType v) { dateType_ = v; }
    const std::string& DateSign() const { return dateSign_; }
    void SetDateSign(const std::string& v) { dateSign_ = v; }
    bool AutoChangeDateSite() const { return autoChangeDateSite_; }
    void SetAutoChangeDateSite(bool v) { autoChangeDateSite_ = v; }
    bool UseDiscard() const { return useDiscard_; }
    void SetUseDiscard(bool v) { useDiscard_ = v; }
    const std::string& Discard() const { return discard_; }
    void SetDiscard(const std::string& v) { discard_ = v; }
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask);
    // What the begin edit shows when it is empty under the current mask.
    const std::string& EmptyMaskText() const { return emptyMaskText_; }

    // Lookup buttons.
    bool CanOpenWin() const { return canOpenWin_; }
    void SetCanOpenWin(bool v);
    int GlyphIndex() const { return glyphIndex_; }
    void SetGlyphIndex(int n);

    // The list.
    TCheckDuplicate CheckDuplicate() const { return checkDuplicate_; }
    void SetCheckDuplicate(TCheckDuplicate v);
    bool SortListBox() const { return sortListBox_; }
    void SetSortListBox(bool v);
    TListColumns* Columns() const;
    void SetColumns(TListColumns* columns);
    TStrings* ColumnCaptions() const { return columnCaptions_.get(); }
    void SetColumnCaptions(TStrings* captions);
    bool ColumnsAutoSize() const;
    void SetColumnsAutoSize(bool v);
    bool ShowColumnHeader() const;
    void SetShowColumnHeader(bool v);
    bool HideSelection() const;
    void SetHideSelection(bool v);
    TListItems* Items() const;
    // Whole-window conversion: item list, begin and final words, hint word, column captions and
    // the list's columns and rows.
    void ConvertTexts(const TextConversion& convert) override;
    void SetItems(TListItems* items);

    // Sizes.
    bool UseVertical() const { return useVertical_; }
    void SetUseVertical(bool v);
    int OtherWidth() const { return otherWidth_; }
    void SetOtherWidth(int v) { otherWidth_ = v; }
    int OtherHeight() const { return otherHeight_; }
    void SetOtherHeight(int v) { otherHeight_ = v; }

    // The range value (writing does not reorder).
    std::string BeginText() const;
    void SetBeginText(const std::string& text);
    std::string FinalText() const;
    void SetFinalText(const std::string& text);

    // Adds a row: the first value is its caption, the others its sub-values. False when no value
    // is given or the row cannot be added.
    bool AddListRow(const std::vector<std::string>& values);
    // Adds several rows at once (sorted, checked and sized once); false, with nothing added, when
    // any row is empty or too wide.
    bool AddListRows(const std::vector<std::vector<std::string>>& rows);
    // Removes all rows without raising any event.
    void ClearListRows();
    // The list order: by `column` (0 the caption, k sub-value k) without regard to case.
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    // As a click on a column header: ascending by that column, or the other way round when it
    // already is the sort column.
    void SortByColumn(int column);
    void SortList();
    void RemoveDuplicates();

    // The value encodings.
    //   [code 4, begin, end] in range mode; [code 5, row 1, ..., row N] in list mode, each row
    //   [caption, sub-values...].
    Variant ConditionValue() const;
    //   [code 4, begin, end] with both texts made yyyymmdd by `toCompact` and put in order.
    Variant DateRangeValue(const std::function<std::string(const std::string&)>& toCompact) const;
    //   The panel's text in a condition scheme. `dateRuleText`, when given, stands for the range
    //   of an sp_Range date field (begin, code 3, end).
    std::string SaveValue(const std::string* dateRuleText = nullptr) const;
    //   The rows of a scheme text (each row's columns joined by code 1, each row ended by code 4)
    //   and back into the list. False, with the list unchanged, when the text cannot be read.
    std::string RowsText() const;
    bool FillListFromRows(const std::string& rows);

    // The leave rules (trimming, then ordering by ValueType); DoExit runs them before OnExit.
    void OrderRange();

    void SetFocus() override;
    void SetEnabled(bool enabled) override;
    void Loaded() override;

    // Sub-controls.
    TVixCheckBox* CheckBox() const { return checkBox_; }
    TPanel* RangePage() const { return rangePage_; }
    TLabel* BeginLabel() const { return beginLabel_; }
    TVixMaskEdit* edBegin() const { return edBegin_; }
    TF2Button* BeginButton() const { return beginButton_; }
    TLabel* FinalLabel() const { return finalLabel_; }
    TVixMaskEdit* edFinal() const { return edFinal_; }
    TF2Button* FinalButton() const { return finalButton_; }
    TPanel* ListPage() const { return listPage_; }
    TVixListView* ListBox() const { return listBox_; }
    TF2Button* ListButton() const { return listButton_; }
    TGSpeedButton* DeleteButton() const { return deleteButton_; }
    TGSpeedButton* ClearButton() const { return clearButton_; }
    // The sub-control at a hint position (0..8), nullptr outside.
    TControl* HintControl(int position) const;

    // Runs the buttons as a click does.
    void LookupClick(TWinControl* target);
    void DeleteClick();
    void ClearClick();

    TStyleChangingEvent OnStyleChanging;
    TStyleChangeEvent OnStyleChange;
    TNotifyEvent OnTypeClick;
    TOpenWinClickEvent OnOpenWinClick;
    TAcceptEvent OnDeleteClick;
    TNotifyEvent OnClearClick;
    TItemSelectEvent OnItemSelect;
    TLVChangeEvent OnItemChange;
    TLVChangingEvent OnItemChanging;

protected:
    void DoExit() override;
    void Resize() override;
    void FontChanged() override;

private:
    friend class TVixCheckBox;
    void CreateSubControls();
    void ForwardEvents(TControl* sub, bool subIsSender);
    TPoint ToPanel(TControl* sub, int x, int y) const;
    void ChoiceToggled();
    void ShowPages(TSelectStyle style);
    void Layout();
    void LayoutFor(TSelectStyle style);
    void LayoutRange(TSelectStyle style, int pageWidth, int pageHeight);
    void LayoutList(int pageWidth, int pageHeight);
    void SizeCheckBox();
    void ExchangeOtherSize();
    void WordsChanged(bool begin);
    void ApplyHints();
    void ColumnCaptionsChanged();
    void SizeColumns(const std::vector<std::string>* added);
    void PadRows();
    int CompareRows(TListItem* a, TListItem* b) const;
    int CompareCells(
        const std::function<std::string(int)>& a, const std::function<std::string(int)>& b) const;
    bool IsSorted() const;
    int UpperBound(const std::vector<std::string>& values) const;
    static std::string Cell(const TListItem* item, int column);

    TSelectStyle style_ = TSelectStyle::sp_Range;
    TSelectStyle layoutStyle_ = TSelectStyle::sp_Range;
    std::string hintWord_ = "区间选择";
    std::array<std::string, 2> beginWords_ { "起", "起" };
    std::array<std::string, 2> finalWords_ { "止", "止" };
    std::unique_ptr<TStringList> beginWordsList_;
    std::unique_ptr<TStringList> finalWordsList_;
    std::unique_ptr<TStringList> childHints_;
    std::unique_ptr<TStringList> columnCaptions_;
    TValueType valueType_ = TValueType::vt_String;
    TDateType dateType_ = TDateType::dt_NoneCare;
    std::string dateSign_ = "/";
    bool autoChangeDateSite_ = true;
    bool useDiscard_ = false;
    std::string discard_;
    std::string editMask_;
    std::string emptyMaskText_;
    bool canOpenWin_ = true;
    int glyphIndex_ = 8;
    TCheckDuplicate checkDuplicate_ = TCheckDuplicate::cd_None;
    bool sortListBox_ = false;
    int sortColumn_ = 0;
    bool sortDescending_ = false;
    bool useVertical_ = false;
    int otherWidth_ = 200;
    int otherHeight_ = 105;
    bool building_ = true;
    bool syncing_ = false;
    bool quiet_ = false;
    std::vector<size_t> columnBytes_; // the longest text of each column, in bytes
    int columnBytesRows_ = -1; // the rows they were measured over; -1: measure again

    TVixCheckBox* checkBox_ = nullptr;
    TPanel* rangePage_ = nullptr;
    TLabel* beginLabel_ = nullptr;
    TVixMaskEdit* edBegin_ = nullptr;
    TF2Button* beginButton_ = nullptr;
    TLabel* finalLabel_ = nullptr;
    TVixMaskEdit* edFinal_ = nullptr;
    TF2Button* finalButton_ = nullptr;
    TPanel* listPage_ = nullptr;
    TVixListView* listBox_ = nullptr;
    TF2Button* listButton_ = nullptr;
    TGSpeedButton* deleteButton_ = nullptr;
    TGSpeedButton* clearButton_ = nullptr;
};

} // namespace zrv
