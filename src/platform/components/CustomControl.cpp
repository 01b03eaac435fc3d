#include "platform/components/CustomControl.h"

#include <QImage>
#include <QPainter>

namespace zrv {

void TPaintWidget::paintEvent(QPaintEvent*)
{
    if (!paint)
        return;
    QPainter p(this);
    paint(p);
}

const TClassInfo& TCustomControl::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TCustomControl>("TCustomControl", TWinControl::StaticClassInfo());
    return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner, NewHandle<TPaintWidget>())
{
    auto* w = static_cast<TPaintWidget*>(Handle());
    w->setFocusPolicy(Qt::StrongFocus);
    w->paint = [this](QPainter& p) { PaintWith(p); };
    canvas_.Font.Assign(*Font());
}

void TCustomControl::PaintWith(QPainter& painter)
{
    if (IsDestroying())
        return;
    canvas_.AttachPainter(&painter);
    Paint();
    canvas_.Detach();
}

void TCustomControl::FontChanged()
{
    TWinControl::FontChanged();
    canvas_.Font.Assign(*Font());
}

QImage TCustomControl::PaintToImage()
{
    QImage img(std::max(Width(), 1), std::max(Height(), 1), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintWith(p);
    return img;
}

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TGraphicControl>("TGraphicControl", TControl::StaticClassInfo());
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TGraphicControl(owner, NewHandle<TPaintWidget>())
{
    auto* w = static_cast<TPaintWidget*>(Handle());
    w->paint = [this](QPainter& p) { PaintWith(p); };
}

TGraphicControl::TGraphicControl(TComponent* owner, QWidget* handle)
    : TControl(owner, handle)
{
    handle->setFocusPolicy(Qt::NoFocus);
    canvas_.Font.Assign(*Font());
}

void TGraphicControl::PaintWith(QPainter& painter)
{
    if (IsDestroying())
        return;
    canvas_.AttachPainter(&painter);
    Paint();
    canvas_.Detach();
}

void TGraphicControl::FontChanged()
{
    TControl::FontChanged();
    canvas_.Font.Assign(*Font());
}

QImage TGraphicControl::PaintToImage()
{
    QImage img(std::max(Width(), 1), std::max(Height(), 1), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintWith(p);
    return img;
}

} // namespace zrv
