#include "platform/components/GroupBox.h"

#include <QFontMetrics>
#include <QGroupBox>

namespace zrv {

const TClassInfo& TGroupBox::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TGroupBox>(
        "TGroupBox", TWinControl::StaticClassInfo(), [](TClassBuilder<TGroupBox>& c) {
            c.Text("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
        });
    return info;
}

TGroupBox::TGroupBox(TComponent* owner)
    : TWinControl(owner, NewHandle<QGroupBox>())
{
    Handle()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::TextChanged()
{
    static_cast<QGroupBox*>(Handle())->setTitle(QString::fromStdString(text_));
}

int TGroupBox::CaptionHeight() const { return QFontMetrics(Font()->ToQFont()).height(); }

TRect TGroupBox::AlignRect() const
{
    TRect r = ClientRect();
    return Rect(r.Left + 2, r.Top + CaptionHeight() + 2, r.Right - 2, r.Bottom - 2);
}

} // namespace zrv
