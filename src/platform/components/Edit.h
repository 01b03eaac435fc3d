#pragma once
// Single-line edits. TCustomEdit holds the behaviour (text, maximum length, read-only, case,
// selection, OnChange on every change of the text, also from code); TEdit publishes it.
// ImeName and ImeMode are kept for forms that set them; the platform's input method serves
// every edit alike.

#include "platform/components/WinControl.h"

class QLineEdit;

namespace zrv {

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum class TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
const TEnumInfo& EditCharCaseEnum();
const TEnumInfo& ImeModeEnum();

class TCustomEdit : public TWinControl {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QLineEdit* LineEdit() const;

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    std::string PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(const std::string& c);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase v);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) { autoSize_ = v; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v) { hideSelection_ = v; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& v) { imeName_ = v; }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode v) { imeMode_ = v; }
    bool Modified() const { return modified_; }
    void SetModified(bool v) { modified_ = v; }

    // Selection, in characters.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    std::string SelText() const;
    void SelectAll();
    void Clear() { SetText(""); }

    TNotifyEvent OnChange;

protected:
    TCustomEdit(TComponent* owner, QLineEdit* handle);
    virtual void Change();
    void DoEnter() override;
    void ColorChanged() override;
    void ApplyColor() override;

private:
    int maxLength_ = 0;
    std::string passwordChar_;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    bool hideSelection_ = true;
    std::string imeName_;
    TImeMode imeMode_ = TImeMode::imDontCare;
    bool modified_ = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
    TEdit(TComponent* owner, QLineEdit* handle);
};

} // namespace zrv
