#pragma once
// TMemo: multi-line text. Lines is the text as a string list; Enter makes a new line
// (WantReturns), Tab moves the focus unless WantTabs.

#include "platform/components/Edit.h"
#include "platform/components/Strings.h"

#include <memory>

class QPlainTextEdit;

namespace zrv {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleEnum();

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QPlainTextEdit* TextEdit() const;
    std::string GetText() const override; // lines joined by "\r\n"
    void SetText(const std::string& text) override;
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* lines);

    bool ReadOnly() const;
    void SetReadOnly(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool v) { wantReturns_ = v; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v) { maxLength_ = std::max(v, 0); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& v) { imeName_ = v; }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode v) { imeMode_ = v; }

    // Caret position: X the character in the line, Y the line (both from 0).
    TPoint CaretPos() const;
    void SetCaretPos(TPoint p);
    void SelectAll();
    void Clear() { SetText(""); }

    bool WantsKey(uint16_t key, TShiftState shift) const override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void ApplyColor() override;

private:
    std::unique_ptr<TStrings> lines_;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    int maxLength_ = 0;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    std::string imeName_;
    TImeMode imeMode_ = TImeMode::imDontCare;
};

} // namespace zrv
