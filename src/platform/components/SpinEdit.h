#pragma once
// TSpinEdit: a whole-number edit with up and down buttons. Value stays within MinValue..MaxValue
// (no limit when both are 0); OnChange runs on every change of the text.

#include "platform/components/Edit.h"

class QSpinBox;

namespace zrv {

class TSpinEdit : public TWinControl {
public:
    explicit TSpinEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QSpinBox* SpinBox() const;
    int Value() const;
    void SetValue(int v);
    int MinValue() const { return minValue_; }
    void SetMinValue(int v);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v);
    int Increment() const;
    void SetIncrement(int v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool v);
    std::string GetText() const override;
    void SetText(const std::string& text) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void ApplyColor() override;

private:
    void ApplyRange();
    int minValue_ = 0;
    int maxValue_ = 0;
    int maxLength_ = 0;
    bool editorEnabled_ = true;
};

} // namespace zrv
