#include "platform/components/WinControl.h"

#include "platform/components/Form.h"
#include "platform/components/WidgetRouter.h"

#include <QApplication>
#include <QResizeEvent>
#include <QWidget>
#include <algorithm>
#include <cstdint>

namespace zrv {

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TWinControl>(
        "TWinControl", TControl::StaticClassInfo(), [](TClassBuilder<TWinControl>& c) {
            c.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
            c.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
            c.Int("ClientWidth", &TWinControl::ClientWidth, &TWinControl::SetClientWidth);
            c.Int("ClientHeight", &TWinControl::ClientHeight, &TWinControl::SetClientHeight);
            c.Event("OnEnter", &TWinControl::OnEnter);
            c.Event("OnExit", &TWinControl::OnExit);
            c.Event("OnKeyDown", &TWinControl::OnKeyDown);
            c.Event("OnKeyUp", &TWinControl::OnKeyUp);
            c.Event("OnKeyPress", &TWinControl::OnKeyPress);
        });
    return info;
}

TWinControl::TWinControl(TComponent* owner)
    : TWinControl(owner, NewHandle<QWidget>())
{
}

TWinControl::TWinControl(TComponent* owner, QWidget* handle)
    : TControl(owner, handle)
{
}

TWinControl::~TWinControl()
{
    Destroying();
    if (TCustomForm* form = GetParentForm(this); form && form != this)
        form->DefocusControl(this, true);
    DestroyComponents();
    // Children go with their parent, whoever owns them.
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        c->Free();
    }
}

void TWinControl::Destroying()
{
    if (IsDestroying())
        return;
    TControl::Destroying();
    if (Handle())
        Handle()->blockSignals(true);
    for (TControl* c : controls_)
        c->Destroying();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        return nullptr;
    return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::FindChildControl(std::string_view name) const
{
    for (TControl* c : controls_)
        if (SameName(c->Name(), name))
            return c;
    return nullptr;
}

QWidget* TWinControl::ClientWidget() const { return Handle(); }

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(w);
    PlaceControl(control);
    control->ParentFontChanged();
    control->ParentColorChanged();
    control->ApplyToolTip();
    control->UpdateAnchorOrigin();
    if (control->Align() != TAlign::alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (control->parent_ != this)
        return;
    // The control may be half destroyed already (this runs from its destructor), so it is found
    // by its address, not by asking what it is.
    auto win = std::find_if(tabList_.begin(), tabList_.end(),
        [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
    if (win != tabList_.end()) {
        if (!control->IsDestroying())
            if (TCustomForm* form = GetParentForm(this))
                form->DefocusControl(*win, true);
        tabList_.erase(win);
    }
    UnplaceControl(control);
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    if (control->Align() != TAlign::alNone && !IsDestroying())
        Realign();
}

void TWinControl::PlaceControl(TControl* control)
{
    if (QWidget* h = control->Handle()) {
        h->setParent(ClientWidget());
        control->ApplyBounds();
        h->setVisible(control->Visible());
    }
}

void TWinControl::UnplaceControl(TControl* control)
{
    if (QWidget* h = control->Handle()) {
        h->hide();
        h->setParent(nullptr);
    }
}

int TWinControl::TabOrder() const
{
    if (pendingTabOrder_ >= 0 && Loading())
        return pendingTabOrder_;
    TWinControl* p = Parent();
    if (!p)
        return -1;
    auto it = std::find(p->tabList_.begin(), p->tabList_.end(), this);
    return it == p->tabList_.end() ? -1 : static_cast<int>(it - p->tabList_.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (Loading()) {
        // Siblings may not exist yet; the parent sorts its tab list once everything is read.
        pendingTabOrder_ = order;
        return;
    }
    TWinControl* p = Parent();
    if (!p)
        return;
    auto& list = p->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    int count = static_cast<int>(list.size());
    if (order < 0 || order > count)
        order = count;
    list.insert(list.begin() + order, this);
}

void TWinControl::FixupTabOrder()
{
    // As the classic reader does: every child that asked for position j takes slot j, in the
    // order the children were created (a later one takes over a contested slot); then the
    // controls of the wanted move to their positions one by one.
    std::vector<TWinControl*> wins;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            wins.push_back(w);
    const int count = static_cast<int>(wins.size());
    std::vector<TWinControl*> wanted(static_cast<size_t>(count), nullptr);
    bool any = false;
    for (TWinControl* w : wins)
        if (w->pendingTabOrder_ >= 0) {
            any = true;
            if (w->pendingTabOrder_ < count)
                wanted[static_cast<size_t>(w->pendingTabOrder_)] = w;
        }
    for (TWinControl* w : wins)
        w->pendingTabOrder_ = -1;
    if (!any)
        return;
    for (int i = 0; i < count; ++i) {
        TWinControl* w = wanted[static_cast<size_t>(i)];
        if (!w)
            continue;
        auto it = std::find(tabList_.begin(), tabList_.end(), w);
        if (it == tabList_.end())
            continue;
        tabList_.erase(it);
        tabList_.insert(tabList_.begin() + std::min(i, static_cast<int>(tabList_.size())), w);
    }
}

void TWinControl::SetTabStop(bool v)
{
    if (v == tabStop_)
        return;
    tabStop_ = v;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(
    TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0)
                                    : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (goForward) {
            if (++i == count)
                i = 0;
        } else {
            if (i == 0)
                i = count;
            --i;
        }
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop())
            && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    TCustomForm* form = GetParentForm(this);
    return form && form->FocusedControl() == this;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this))
        form->FocusControl(this);
    else
        FocusWidget();
}

void TWinControl::FocusWidget()
{
    if (QWidget* h = Handle())
        h->setFocus(Qt::OtherFocusReason);
}

void TWinControl::EnableAlign()
{
    if (alignDisabled_ > 0 && --alignDisabled_ == 0)
        Realign();
}

void TWinControl::Realign() { AlignControls(); }

TRect TWinControl::AlignRect() const { return ClientRect(); }

void TWinControl::AlignControls()
{
    if (alignDisabled_ > 0 || aligning_ || Loading() || IsDestroying())
        return;
    aligning_ = true;
    TRect r = AlignRect();
    static const TAlign order[]
        = { TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient };
    for (TAlign a : order) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == a && c->Visible())
                list.push_back(c);
        auto key = [a](const TControl* c) {
            switch (a) {
            case TAlign::alTop:
                return c->Top();
            case TAlign::alBottom:
                return -(c->Top() + c->Height());
            case TAlign::alLeft:
                return c->Left();
            case TAlign::alRight:
                return -(c->Left() + c->Width());
            default:
                return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(),
            [&](const TControl* x, const TControl* y) { return key(x) < key(y); });
        for (TControl* c : list) {
            int w = std::max(r.Width(), 0), h = std::max(r.Height(), 0);
            switch (a) {
            case TAlign::alTop:
                c->SetBounds(r.Left, r.Top, w, c->Height());
                r.Top += c->Height();
                break;
            case TAlign::alBottom:
                c->SetBounds(r.Left, r.Bottom - c->Height(), w, c->Height());
                r.Bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->SetBounds(r.Left, r.Top, c->Width(), h);
                r.Left += c->Width();
                break;
            case TAlign::alRight:
                c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), h);
                r.Right -= c->Width();
                break;
            default:
                c->SetBounds(r.Left, r.Top, w, h);
                break;
            }
        }
    }
    int cw = ClientWidth(), ch = ClientHeight();
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->Align() == TAlign::alNone)
            c->ApplyAnchors(cw, ch);
    aligning_ = false;
}

void TWinControl::Resize()
{
    TControl::Resize();
    Realign();
}

void TWinControl::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    WidgetRouter::Post(Handle(), TMessage { msg, wParam, lParam, 0 });
}

bool TWinControl::DoKeyDown(uint16_t& key, TShiftState shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyUp(uint16_t& key, TShiftState shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyUp(key, shift);
        if (key == 0)
            return true;
    }
    KeyUp(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(TKeyChar& key)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyPress(key);
        if (key == 0)
            return true;
    }
    KeyPress(key);
    return key == 0;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift)
{
    if (EventsEnabled())
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift)
{
    if (EventsEnabled())
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(TKeyChar& key)
{
    if (EventsEnabled())
        OnKeyPress(this, key);
}

bool TWinControl::WantsKey(uint16_t, TShiftState) const { return false; }

void TWinControl::DoEnter()
{
    if (EventsEnabled())
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (EventsEnabled())
        OnExit(this);
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentColorChanged();
}

void TWinControl::VisibleChanged()
{
    if (!Visible())
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->DefocusControl(this, false);
    TControl::VisibleChanged();
}

void TWinControl::EnabledChanged()
{
    if (!Enabled())
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->DefocusControl(this, false);
    TControl::EnabledChanged();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabOrder();
    Realign();
}

bool TWinControl::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::Resize && receiver == Handle() && Handle()->isWindow()) {
        // A top-level window resized by the user or the window manager.
        QSize s = static_cast<QResizeEvent*>(event)->size();
        if (s.width() != ClientWidth() || s.height() != ClientHeight())
            SetBounds(Left(), Top(), s.width() + (Width() - ClientWidth()),
                s.height() + (Height() - ClientHeight()));
        return false;
    }
    return TControl::HandleWidgetEvent(receiver, event);
}

} // namespace zrv
