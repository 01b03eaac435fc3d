#include "platform/components/Button.h"

#include "platform/components/Form.h"

#include <QPushButton>

namespace zrv {

const TClassInfo& TButtonControl::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TButtonControl>(
        "TButtonControl", TWinControl::StaticClassInfo(), [](TClassBuilder<TButtonControl>& c) {
            c.Text("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption);
        });
    return info;
}

TButtonControl::TButtonControl(TComponent* owner, QAbstractButton* handle)
    : TWinControl(owner, handle)
{
    SetTabStop(true);
    SetClickOnMouseUp(false);
    QObject::connect(handle, &QAbstractButton::clicked, handle, [this] {
        if (EventsEnabled())
            NativeClicked();
    });
}

QAbstractButton* TButtonControl::ButtonWidget() const
{
    return static_cast<QAbstractButton*>(Handle());
}

void TButtonControl::NativeClicked() { Click(); }

void TButtonControl::TextChanged()
{
    if (QAbstractButton* b = ButtonWidget())
        b->setText(QString::fromStdString(text_));
}

const TClassInfo& TButton::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TButton>(
        "TButton", TButtonControl::StaticClassInfo(), [](TClassBuilder<TButton>& c) {
            c.Bool("Default", &TButton::Default, &TButton::SetDefault);
            c.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
            c.Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult,
                &ModalResultIdents());
        });
    return info;
}

TButton::TButton(TComponent* owner)
    : TButton(owner, NewHandle<QPushButton>())
{
}

TButton::TButton(TComponent* owner, QPushButton* handle)
    : TButtonControl(owner, handle)
{
    // Enter and Esc are the form's business (dialog keys), not Qt's default-button logic.
    handle->setAutoDefault(false);
    handle->setDefault(false);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v)
{
    default_ = v;
    if (auto* b = static_cast<QPushButton*>(Handle()))
        b->setDefault(false); // drawn as a plain button; the form handles Enter
}

void TButton::Click()
{
    if (!EventsEnabled())
        return;
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

} // namespace zrv
