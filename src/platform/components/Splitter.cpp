#include "platform/components/Splitter.h"

#include <QCursor>
#include <QWidget>

namespace zrv {

const TEnumInfo& ResizeStyleEnum()
{
    static const TEnumInfo info { "TResizeStyle", { "rsNone", "rsLine", "rsUpdate", "rsPattern" } };
    return info;
}

const TClassInfo& TSplitter::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TSplitter>(
        "TSplitter", TGraphicControl::StaticClassInfo(), [](TClassBuilder<TSplitter>& c) {
            c.Int("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize);
            c.Bool("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled);
            c.Enum("ResizeStyle", ResizeStyleEnum(), &TSplitter::ResizeStyle,
                &TSplitter::SetResizeStyle);
            c.Event("OnMoved", &TSplitter::OnMoved);
        });
    return info;
}

TSplitter::TSplitter(TComponent* owner)
    : TGraphicControl(owner)
{
    SetClickOnMouseUp(false);
    SetBounds(0, 0, 3, 100);
    SetAlign(TAlign::alLeft);
    SetCursor(crHSplit);
    SetParentColor(true);
}

void TSplitter::SetBeveled(bool v)
{
    beveled_ = v;
    Invalidate();
}

bool TSplitter::Horizontal() const
{
    return Align() == TAlign::alTop || Align() == TAlign::alBottom;
}

TControl* TSplitter::FindControl() const
{
    TWinControl* p = Parent();
    if (!p)
        return nullptr;
    for (int i = 0; i < p->ControlCount(); ++i) {
        TControl* c = p->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        bool touches = false;
        switch (Align()) {
        case TAlign::alLeft:
            touches = c->Left() + c->Width() == Left();
            break;
        case TAlign::alRight:
            touches = c->Left() == Left() + Width();
            break;
        case TAlign::alTop:
            touches = c->Top() + c->Height() == Top();
            break;
        case TAlign::alBottom:
            touches = c->Top() == Top() + Height();
            break;
        default:
            break;
        }
        if (touches)
            return c;
    }
    return nullptr;
}

void TSplitter::MoveBy(int delta)
{
    TControl* c = FindControl();
    TWinControl* p = Parent();
    if (!c || !p || delta == 0)
        return;
    bool grows = Align() == TAlign::alLeft || Align() == TAlign::alTop;
    int size = Horizontal() ? c->Height() : c->Width();
    int newSize = grows ? size + delta : size - delta;
    // The rest of the parent (what alClient gets) keeps at least MinSize too.
    int room = Horizontal() ? p->ClientHeight() : p->ClientWidth();
    int others = 0;
    for (int i = 0; i < p->ControlCount(); ++i) {
        TControl* o = p->Controls(i);
        if (o == c || !o->Visible() || o->Align() == TAlign::alNone
            || o->Align() == TAlign::alClient)
            continue;
        if (Horizontal() ? (o->Align() == TAlign::alTop || o->Align() == TAlign::alBottom)
                         : (o->Align() == TAlign::alLeft || o->Align() == TAlign::alRight))
            others += Horizontal() ? o->Height() : o->Width();
    }
    int maxSize = room - others - minSize_;
    newSize = std::min(newSize, maxSize);
    newSize = std::max(newSize, minSize_);
    if (newSize == size)
        return;
    if (Horizontal())
        c->SetHeight(newSize);
    else
        c->SetWidth(newSize);
    p->Realign();
}

void TSplitter::Paint()
{
    TCanvas& c = Canvas();
    c.Brush.Color = Color();
    c.FillRect(ClientRect());
    if (beveled_) {
        c.Pen.Color = clBtnHighlight;
        c.MoveTo(0, 0);
        c.LineTo(Horizontal() ? Width() : 0, Horizontal() ? 0 : Height());
        c.Pen.Color = clBtnShadow;
        c.MoveTo(Horizontal() ? 0 : Width() - 1, Horizontal() ? Height() - 1 : 0);
        c.LineTo(Horizontal() ? Width() : Width() - 1, Height());
    }
}

void TSplitter::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::DoMouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    dragging_ = true;
    moved_ = 0;
    QPoint g = QCursor::pos();
    dragStart_ = Horizontal() ? g.y() : g.x();
}

void TSplitter::DoMouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::DoMouseMove(shift, x, y);
    if (!dragging_)
        return;
    QPoint g = QCursor::pos();
    int pos = Horizontal() ? g.y() : g.x();
    int delta = pos - dragStart_;
    if (delta != 0) {
        MoveBy(delta);
        dragStart_ = pos;
        moved_ += delta;
    }
}

void TSplitter::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::DoMouseUp(button, shift, x, y);
    if (!dragging_)
        return;
    dragging_ = false;
    if (moved_ != 0 && EventsEnabled())
        OnMoved(this);
}

} // namespace zrv
