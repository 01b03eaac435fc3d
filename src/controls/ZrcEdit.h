#pragma once
// Labelled edits: TZrEdit, TZrDBEdit, TZrBtnDBEdit and TZrComboBox each own a label ("EditLabel")
// that shows their Caption beside them, on the same parent, following their bounds, visibility
// and enabled state. TZrBtnDBEdit also owns a lookup button ("F2Button") at its right end.

#include "controls/GSpdBtn.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/Label.h"

#include <string>

namespace zrv {

enum class TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };
const TEnumInfo& LabelPositionEnum();

// Where a label of size (w, h) goes beside a control's bounds at the given spacing.
TPoint LabelPlace(const TRect& control, int w, int h, TLabelPosition position, int spacing);

// The label-keeping part shared by the four classes.
template <typename Base> class TLabelled : public Base {
public:
    explicit TLabelled(TComponent* owner)
        : Base(owner)
    {
        label_ = new TLabel(this);
        label_->SetName("EditLabel");
        label_->SetCaption("");
        label_->SetFocusControl(this);
    }
    ~TLabelled() override
    {
        if (label_) {
            TLabel* l = label_;
            label_ = nullptr;
            l->Free();
        }
    }

    TLabel* EditLabel() const { return label_; }
    // The label's text; empty when there is no label.
    std::string LabelCaption() const { return label_ ? label_->Caption() : std::string(); }
    void SetLabelCaption(const std::string& text)
    {
        if (!label_)
            return;
        label_->SetCaption(text);
        PlaceLabel();
    }
    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition p)
    {
        labelPosition_ = p;
        PlaceLabel();
    }
    int LabelSpacing() const { return labelSpacing_; }
    void SetLabelSpacing(int s)
    {
        if (s < 0)
            return;
        labelSpacing_ = s;
        PlaceLabel();
    }

    void SetBounds(int left, int top, int width, int height) override
    {
        Base::SetBounds(left, top, width, height);
        PlaceLabel();
    }
    bool SetParent(TWinControl* parent) override
    {
        if (!Base::SetParent(parent))
            return false;
        if (label_)
            label_->SetParent(parent);
        PlaceLabel();
        return true;
    }
    void Notification(TComponent* component, TOperation operation) override
    {
        Base::Notification(component, operation);
        if (operation == TOperation::opRemove && component == label_)
            label_ = nullptr;
    }

    // Puts the label beside the control (it keeps its size).
    virtual void PlaceLabel()
    {
        if (!label_ || this->IsDestroying())
            return;
        TPoint p = LabelPlace(
            this->BoundsRect(), label_->Width(), label_->Height(), labelPosition_, labelSpacing_);
        label_->SetBounds(p.X, p.Y, label_->Width(), label_->Height());
    }

protected:
    void VisibleChanged() override
    {
        Base::VisibleChanged();
        if (label_)
            label_->SetVisible(this->Visible());
    }
    void EnabledChanged() override
    {
        Base::EnabledChanged();
        if (label_)
            label_->SetEnabled(this->Enabled());
    }

private:
    TLabel* label_ = nullptr;
    TLabelPosition labelPosition_ = TLabelPosition::lpLeft;
    int labelSpacing_ = 4;
};

class TZrEdit : public TLabelled<TEdit> {
public:
    explicit TZrEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TZrComboBox : public TLabelled<TComboBox> {
public:
    explicit TZrComboBox(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// An edit for a data field. The report forms bind no data, so DataField is only kept.
class TZrDBEdit : public TLabelled<TEdit> {
public:
    explicit TZrDBEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& v) { dataField_ = v; }

private:
    std::string dataField_;
};

// A data edit with a lookup button: clicking it raises OnDialog, or (without a handler) puts
// the focus into the edit and asks the form for the edit's lookup.
class TZrBtnDBEdit : public TZrDBEdit {
public:
    explicit TZrBtnDBEdit(TComponent* owner);
    ~TZrBtnDBEdit() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TGSpeedButton* Button() const { return button_; }
    int ButtonSpacing() const { return buttonSpacing_; }
    void SetButtonSpacing(int v);
    int GlyphIndex() const { return button_ ? button_->GlyphIndex() : 0; }
    void SetGlyphIndex(int n);
    std::string ButtonHint() const { return button_ ? button_->Hint() : std::string(); }
    void SetButtonHint(const std::string& hint);

    void SetBounds(int left, int top, int width, int height) override;
    bool SetParent(TWinControl* parent) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Puts the button at the right end of the edit, square, as high as the edit.
    void PlaceButton();
    // What a click on the button does.
    void ButtonClick();

    TNotifyEvent OnDialog;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    TGSpeedButton* button_ = nullptr;
    int buttonSpacing_ = 2;
};

} // namespace zrv
