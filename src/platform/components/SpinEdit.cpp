#include "platform/components/SpinEdit.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <climits>

namespace zrv {

namespace {
    class SpinBoxImpl : public QSpinBox {
    public:
        QLineEdit* Edit() const { return lineEdit(); }
    };
} // namespace

const TClassInfo& TSpinEdit::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TSpinEdit>(
        "TSpinEdit", TWinControl::StaticClassInfo(), [](TClassBuilder<TSpinEdit>& c) {
            c.Int("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
            c.Int("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
            c.Int("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
            c.Int("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
            c.Int("MaxLength", &TSpinEdit::MaxLength, &TSpinEdit::SetMaxLength);
            c.Bool("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled);
            c.Text("Text", &TSpinEdit::Text, &TSpinEdit::SetText);
            c.Event("OnChange", &TSpinEdit::OnChange);
        });
    return info;
}

TSpinEdit::TSpinEdit(TComponent* owner)
    : TWinControl(owner, NewHandle<SpinBoxImpl>())
{
    auto* s = static_cast<SpinBoxImpl*>(Handle());
    RegisterInnerWidget(s->Edit());
    SetTabStop(true);
    SetBounds(0, 0, 121, 22);
    SetColor(clWindow);
    ApplyRange();
    QObject::connect(s->Edit(), &QLineEdit::textChanged, s, [this](const QString&) {
        if (!IsDestroying())
            Change();
    });
}

QSpinBox* TSpinEdit::SpinBox() const { return static_cast<QSpinBox*>(Handle()); }

int TSpinEdit::Value() const { return SpinBox()->value(); }

void TSpinEdit::SetValue(int v) { SpinBox()->setValue(v); }

void TSpinEdit::ApplyRange()
{
    if (minValue_ == 0 && maxValue_ == 0)
        SpinBox()->setRange(INT_MIN, INT_MAX);
    else
        SpinBox()->setRange(minValue_, std::max(minValue_, maxValue_));
}

void TSpinEdit::SetMinValue(int v)
{
    minValue_ = v;
    ApplyRange();
}

void TSpinEdit::SetMaxValue(int v)
{
    maxValue_ = v;
    ApplyRange();
}

int TSpinEdit::Increment() const { return SpinBox()->singleStep(); }
void TSpinEdit::SetIncrement(int v) { SpinBox()->setSingleStep(std::max(v, 1)); }

void TSpinEdit::SetMaxLength(int v)
{
    maxLength_ = std::max(v, 0);
    static_cast<SpinBoxImpl*>(Handle())->Edit()->setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
}

void TSpinEdit::SetEditorEnabled(bool v)
{
    editorEnabled_ = v;
    static_cast<SpinBoxImpl*>(Handle())->Edit()->setReadOnly(!v);
}

std::string TSpinEdit::GetText() const
{
    return static_cast<SpinBoxImpl*>(Handle())->Edit()->text().toStdString();
}

void TSpinEdit::SetText(const std::string& text)
{
    static_cast<SpinBoxImpl*>(Handle())->Edit()->setText(QString::fromStdString(text));
}

void TSpinEdit::Change()
{
    if (EventsEnabled())
        OnChange(this);
}

void TSpinEdit::ApplyColor()
{
    QPalette pal = SpinBox()->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    SpinBox()->setPalette(pal);
}

} // namespace zrv
