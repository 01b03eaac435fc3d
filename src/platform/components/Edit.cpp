#include "platform/components/Edit.h"

#include <QLineEdit>

namespace zrv {

const TEnumInfo& EditCharCaseEnum()
{
    static const TEnumInfo info { "TEditCharCase", { "ecNormal", "ecUpperCase", "ecLowerCase" } };
    return info;
}

const TEnumInfo& ImeModeEnum()
{
    static const TEnumInfo info { "TImeMode",
        { "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
            "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel" } };
    return info;
}

const TClassInfo& TCustomEdit::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TCustomEdit>("TCustomEdit", TWinControl::StaticClassInfo());
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner, QLineEdit* handle)
    : TWinControl(owner, handle)
{
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    QObject::connect(handle, &QLineEdit::textChanged, handle, [this](const QString&) {
        if (!IsDestroying())
            Change();
    });
    QObject::connect(handle, &QLineEdit::textEdited, handle, [this](const QString& text) {
        if (IsDestroying())
            return;
        modified_ = true;
        if (charCase_ != TEditCharCase::ecNormal) {
            QString cased
                = charCase_ == TEditCharCase::ecUpperCase ? text.toUpper() : text.toLower();
            if (cased != text) {
                QLineEdit* e = LineEdit();
                int pos = e->cursorPosition();
                e->setText(cased);
                e->setCursorPosition(pos);
            }
        }
    });
}

QLineEdit* TCustomEdit::LineEdit() const { return static_cast<QLineEdit*>(Handle()); }

std::string TCustomEdit::GetText() const
{
    QLineEdit* e = LineEdit();
    return e ? e->text().toStdString() : std::string();
}

void TCustomEdit::SetText(const std::string& text)
{
    QLineEdit* e = LineEdit();
    if (!e)
        return;
    QString t = QString::fromStdString(text);
    if (charCase_ == TEditCharCase::ecUpperCase)
        t = t.toUpper();
    else if (charCase_ == TEditCharCase::ecLowerCase)
        t = t.toLower();
    if (t == e->text())
        return;
    e->setText(t);
}

void TCustomEdit::Change()
{
    if (EventsEnabled())
        OnChange(this);
}

void TCustomEdit::SetMaxLength(int v)
{
    maxLength_ = std::max(v, 0);
    LineEdit()->setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
}

bool TCustomEdit::ReadOnly() const { return LineEdit()->isReadOnly(); }
void TCustomEdit::SetReadOnly(bool v) { LineEdit()->setReadOnly(v); }

void TCustomEdit::SetPasswordChar(const std::string& c)
{
    passwordChar_ = c;
    bool hidden = !c.empty() && c != "#0" && c[0] != '\0';
    LineEdit()->setEchoMode(hidden ? QLineEdit::Password : QLineEdit::Normal);
}

void TCustomEdit::SetCharCase(TEditCharCase v)
{
    charCase_ = v;
    if (v != TEditCharCase::ecNormal)
        SetText(GetText());
}

int TCustomEdit::SelStart() const
{
    QLineEdit* e = LineEdit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomEdit::SetSelStart(int v)
{
    LineEdit()->deselect();
    LineEdit()->setCursorPosition(v);
}

int TCustomEdit::SelLength() const { return LineEdit()->selectedText().size(); }

void TCustomEdit::SetSelLength(int v)
{
    int start = SelStart();
    LineEdit()->setSelection(start, v);
}

std::string TCustomEdit::SelText() const { return LineEdit()->selectedText().toStdString(); }

void TCustomEdit::SelectAll() { LineEdit()->selectAll(); }

void TCustomEdit::DoEnter()
{
    if (autoSelect_ && !IsDestroying())
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::ColorChanged() { TWinControl::ColorChanged(); }

void TCustomEdit::ApplyColor()
{
    if (QWidget* h = Handle()) {
        QPalette pal = h->palette();
        pal.setColor(QPalette::Base, ToQColor(Color()));
        h->setPalette(pal);
    }
}

const TClassInfo& TEdit::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TEdit>(
        "TEdit", TCustomEdit::StaticClassInfo(), [](TClassBuilder<TEdit>& c) {
            c.Text("Text", &TEdit::Text, &TEdit::SetText);
            c.Int("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
            c.Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
            c.Text("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar);
            c.Enum("CharCase", EditCharCaseEnum(), &TEdit::CharCase, &TEdit::SetCharCase);
            c.Bool("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect);
            c.Bool("AutoSize", &TEdit::AutoSize, &TEdit::SetAutoSize);
            c.Bool("HideSelection", &TEdit::HideSelection, &TEdit::SetHideSelection);
            c.Text("ImeName", &TEdit::ImeName, &TEdit::SetImeName);
            c.Enum("ImeMode", ImeModeEnum(), &TEdit::ImeMode, &TEdit::SetImeMode);
            c.Event("OnChange", &TEdit::OnChange);
        });
    return info;
}

TEdit::TEdit(TComponent* owner)
    : TEdit(owner, NewHandle<QLineEdit>())
{
}

TEdit::TEdit(TComponent* owner, QLineEdit* handle)
    : TCustomEdit(owner, handle)
{
}

} // namespace zrv
