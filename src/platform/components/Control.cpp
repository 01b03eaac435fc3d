#include "platform/components/Control.h"

#include "platform/components/Form.h"
#include "platform/components/Menus.h"
#include "platform/components/WidgetRouter.h"
#include "platform/components/WinControl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

namespace zrv {

const TEnumInfo& AlignEnum()
{
    static const TEnumInfo info { "TAlign",
        { "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient" } };
    return info;
}

const TEnumInfo& AnchorKindEnum()
{
    static const TEnumInfo info { "TAnchorKind", { "akLeft", "akTop", "akRight", "akBottom" } };
    return info;
}

const TEnumInfo& AlignmentEnum()
{
    static const TEnumInfo info { "TAlignment", { "taLeftJustify", "taRightJustify", "taCenter" } };
    return info;
}

const TEnumInfo& LeftRightEnum()
{
    static const TEnumInfo info { "TLeftRight", { "taLeftJustify", "taRightJustify" } };
    return info;
}

void EnsureApplication()
{
    if (!QCoreApplication::instance()) {
        if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY")
            && !std::getenv("WAYLAND_DISPLAY"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "kvsr58";
        static char* argv[] = { name, nullptr };
        new QApplication(argc, argv);
    }
    WidgetRouter::Install();
}

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TControl>(
        "TControl", TComponent::StaticClassInfo(), [](TClassBuilder<TControl>& c) {
            c.Int("Left", &TControl::Left, &TControl::SetLeft);
            c.Int("Top", &TControl::Top, &TControl::SetTop);
            c.Int("Width", &TControl::Width, &TControl::SetWidth);
            c.Int("Height", &TControl::Height, &TControl::SetHeight);
            c.Enum("Align", AlignEnum(), &TControl::Align, &TControl::SetAlign);
            c.Set("Anchors", AnchorKindEnum(), &TControl::Anchors, &TControl::SetAnchors);
            c.Bool("Visible", &TControl::Visible, &TControl::SetVisible);
            c.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled);
            c.Text("Hint", &TControl::Hint, &TControl::SetHint);
            c.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
            c.Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
            c.Int("Color", &TControl::Color, &TControl::SetColor, &ColorIdents());
            c.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
            c.Object<TFont>("Font", &TControl::Font, &TControl::SetFont);
            c.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
            c.Int("Cursor", &TControl::Cursor, &TControl::SetCursor, &CursorIdents());
            c.Reference<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
            c.Event("OnClick", &TControl::OnClick);
            c.Event("OnDblClick", &TControl::OnDblClick);
            c.Event("OnMouseDown", &TControl::OnMouseDown);
            c.Event("OnMouseUp", &TControl::OnMouseUp);
            c.Event("OnMouseMove", &TControl::OnMouseMove);
            c.Event("OnResize", &TControl::OnResize);
        });
    return info;
}

TControl::TControl(TComponent* owner)
    : TControl(owner, NewHandle<QWidget>())
{
}

TControl::TControl(TComponent* owner, QWidget* handle)
    : TComponent(owner)
    , font_(std::make_unique<TFont>())
{
    font_->OnChange = TNotifyEvent([this](TObject* s) { FontObjectChanged(s); });
    AdoptHandle(handle);
}

TControl::~TControl()
{
    Destroying();
    DestroyComponents();
    if (parent_)
        parent_->RemoveControl(this);
    popupMenu_ = nullptr;
    WidgetRouter::UnregisterControl(this);
    if (handle_) {
        QWidget* w = handle_;
        handle_ = nullptr;
        w->blockSignals(true);
        delete w;
    }
}

QWidget* TControl::Handle() const { return handle_.data(); }

void TControl::AdoptHandle(QWidget* handle)
{
    if (!handle)
        return;
    handle_ = handle;
    handle->hide();
    handle->setAttribute(Qt::WA_DeleteOnClose, false);
    WidgetRouter::Register(handle, this);
    ApplyFont();
}

void TControl::RegisterInnerWidget(QObject* widget) { WidgetRouter::Register(widget, this); }

TControl* TControl::FromWidget(const QObject* widget) { return WidgetRouter::Find(widget); }

bool TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return true;
    if (parent) {
        if (parent == this)
            return false;
        if (auto* self = dynamic_cast<TWinControl*>(this); self && self->ContainsControl(parent))
            return false;
    }
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
    return true;
}

TComponent* TControl::GetParentComponent() const { return parent_; }

bool TControl::SetParentComponent(TComponent* parent)
{
    auto* p = dynamic_cast<TWinControl*>(parent);
    return p && SetParent(p);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    bool moved = left != left_ || top != top_;
    bool resized = width != width_ || height != height_;
    if (!moved && !resized)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!anchoring_)
        UpdateAnchorOrigin();
    ApplyBounds();
    if (resized)
        Resize();
    if (parent_ && align_ != TAlign::alNone && !anchoring_)
        parent_->Realign();
}

void TControl::ApplyBounds()
{
    if (handle_)
        handle_->setGeometry(left_, top_, width_, height_);
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    if (!handle_)
        return p;
    QPoint q = handle_->mapToGlobal(QPoint(p.X, p.Y));
    return { q.x(), q.y() };
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    if (!handle_)
        return p;
    QPoint q = handle_->mapFromGlobal(QPoint(p.X, p.Y));
    return { q.x(), q.y() };
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    if (parent_)
        parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors)
{
    if (anchors == anchors_)
        return;
    anchors_ = anchors;
    UpdateAnchorOrigin();
}

void TControl::UpdateAnchorOrigin()
{
    anchorOrigin_.left = left_;
    anchorOrigin_.top = top_;
    anchorOrigin_.width = width_;
    anchorOrigin_.height = height_;
    if (parent_) {
        anchorOrigin_.parentWidth = parent_->ClientWidth();
        anchorOrigin_.parentHeight = parent_->ClientHeight();
    } else {
        anchorOrigin_.parentWidth = anchorOrigin_.parentHeight = -1;
    }
}

void TControl::ApplyAnchors(int parentWidth, int parentHeight)
{
    if (align_ != TAlign::alNone || anchorOrigin_.parentWidth < 0 || anchors_ == DefaultAnchors)
        return;
    const auto& o = anchorOrigin_;
    int l = o.left, t = o.top, w = o.width, h = o.height;
    int dw = parentWidth - o.parentWidth, dh = parentHeight - o.parentHeight;
    bool left = anchors_ & AnchorBit(akLeft), right = anchors_ & AnchorBit(akRight);
    bool top = anchors_ & AnchorBit(akTop), bottom = anchors_ & AnchorBit(akBottom);
    if (right && left)
        w += dw;
    else if (right)
        l += dw;
    else if (!left)
        l += dw / 2;
    if (bottom && top)
        h += dh;
    else if (bottom)
        t += dh;
    else if (!top)
        t += dh / 2;
    anchoring_ = true;
    SetBounds(l, t, w, h);
    anchoring_ = false;
}

void TControl::Resize()
{
    if (EventsEnabled())
        OnResize(this);
}

bool TControl::Showing() const
{
    if (!visible_)
        return false;
    if (parent_)
        return parent_->Showing();
    return handle_ && handle_->isWindow() && handle_->isVisible();
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged()
{
    if (handle_ && parent_)
        handle_->setVisible(visible_);
    if (parent_)
        parent_->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged()
{
    if (handle_)
        handle_->setEnabled(enabled_);
}

void TControl::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    TextChanged();
}

void TControl::SetHint(const std::string& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    ApplyToolTip();
}

bool TControl::ShowHint() const
{
    if (parentShowHint_ && parent_)
        return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool v)
{
    parentShowHint_ = false;
    if (v == showHint_) {
        ApplyToolTip();
        return;
    }
    showHint_ = v;
    ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool v)
{
    if (v == parentShowHint_)
        return;
    parentShowHint_ = v;
    ParentShowHintChanged();
}

void TControl::ParentShowHintChanged()
{
    ApplyToolTip();
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < w->ControlCount(); ++i)
            if (w->Controls(i)->parentShowHint_)
                w->Controls(i)->ParentShowHintChanged();
}

void TControl::ApplyToolTip()
{
    if (!handle_)
        return;
    // The short hint is the part before "|".
    std::string shortHint = hint_.substr(0, hint_.find('|'));
    handle_->setToolTip(ShowHint() ? QString::fromStdString(shortHint) : QString());
}

void TControl::SetColor(TColor color)
{
    parentColor_ = false;
    if (color == color_ && colorApplied_)
        return;
    color_ = color;
    colorApplied_ = true;
    ColorChanged();
}

void TControl::SetParentColor(bool v)
{
    if (v == parentColor_)
        return;
    parentColor_ = v;
    if (v && parent_)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_)
        return;
    if (color_ != parent_->Color() || !colorApplied_) {
        color_ = parent_->Color();
        colorApplied_ = true;
        ColorChanged();
    }
}

void TControl::ColorChanged() { ApplyColor(); }

void TControl::ApplyColor()
{
    if (!handle_)
        return;
    QPalette pal = handle_->palette();
    pal.setColor(QPalette::Window, ToQColor(color_));
    handle_->setPalette(pal);
    handle_->setAutoFillBackground(!parentColor_);
}

void TControl::SetFont(TFont* font)
{
    if (font && font != font_.get())
        font_->Assign(*font);
}

void TControl::FontObjectChanged(TObject*)
{
    if (!fontFromParent_)
        parentFont_ = false;
    FontChanged();
}

void TControl::SetParentFont(bool v)
{
    if (v == parentFont_)
        return;
    parentFont_ = v;
    if (v && parent_)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    fontFromParent_ = true;
    font_->Assign(*parent_->Font());
    fontFromParent_ = false;
    parentFont_ = true;
}

void TControl::FontChanged() { ApplyFont(); }

void TControl::ApplyFont()
{
    if (!handle_)
        return;
    handle_->setFont(font_->ToQFont());
    QPalette pal = handle_->palette();
    QColor c = ToQColor(font_->Color());
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    handle_->setPalette(pal);
}

void TControl::SetCursor(TCursor cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    if (!handle_)
        return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursor) {
    case crIBeam:
        shape = Qt::IBeamCursor;
        break;
    case crHourGlass:
        shape = Qt::WaitCursor;
        break;
    case crHSplit:
        shape = Qt::SplitHCursor;
        break;
    case crVSplit:
        shape = Qt::SplitVCursor;
        break;
    case crHandPoint:
        shape = Qt::PointingHandCursor;
        break;
    default:
        break;
    }
    if (cursor == crDefault)
        handle_->unsetCursor();
    else
        handle_->setCursor(shape);
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == popupMenu_)
        return;
    if (popupMenu_)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::Click()
{
    if (EventsEnabled())
        OnClick(this);
}

bool TControl::IsAccel(TKeyChar ch, const std::string& caption)
{
    QString c = QString::fromStdString(caption);
    for (int i = 0; i + 1 < c.size(); ++i) {
        if (c.at(i) != QLatin1Char('&'))
            continue;
        if (c.at(i + 1) == QLatin1Char('&')) {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return c.at(i + 1).toUpper() == QChar(ch).toUpper();
    }
    return false;
}

void TControl::DblClick()
{
    if (EventsEnabled())
        OnDblClick(this);
}

intptr_t TControl::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    TMessage m { msg, wParam, lParam, 0 };
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    // Mouse messages become real mouse events for the widget, so native controls react as
    // if they were clicked.
    if (!handle_)
        return;
    QEvent::Type type;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        type = QEvent::MouseButtonPress;
        break;
    case WM_LBUTTONUP:
        type = QEvent::MouseButtonRelease;
        break;
    case WM_LBUTTONDBLCLK:
        type = QEvent::MouseButtonDblClick;
        break;
    default:
        return;
    }
    QPointF local(LParamX(message.LParam), LParamY(message.LParam));
    QPointF global = handle_->mapToGlobal(local);
    Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    Qt::KeyboardModifiers mods;
    if (message.WParam & MK_SHIFT)
        mods |= Qt::ShiftModifier;
    if (message.WParam & MK_CONTROL)
        mods |= Qt::ControlModifier;
    QMouseEvent e(type, local, global, Qt::LeftButton, buttons, mods);
    QApplication::sendEvent(handle_, &e);
}

void TControl::Invalidate()
{
    if (handle_)
        handle_->update();
}

void TControl::Repaint()
{
    if (handle_)
        handle_->repaint();
}

void TControl::BringToFront()
{
    if (handle_)
        handle_->raise();
}

void TControl::SendToBack()
{
    if (handle_)
        handle_->lower();
}

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAnchorOrigin();
}

void TControl::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (EventsEnabled())
        OnMouseDown(this, button, shift, x, y);
}

void TControl::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (EventsEnabled())
        OnMouseUp(this, button, shift, x, y);
}

void TControl::DoMouseMove(TShiftState shift, int x, int y)
{
    if (EventsEnabled())
        OnMouseMove(this, shift, x, y);
}

void TControl::DoContextPopup(int x, int y)
{
    if (popupMenu_ && handle_) {
        QPoint g = handle_->mapToGlobal(QPoint(x, y));
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(g.x(), g.y());
    }
}

bool TControl::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    auto mouseButton = [](Qt::MouseButton b) {
        return b == Qt::RightButton ? TMouseButton::mbRight
            : b == Qt::MiddleButton ? TMouseButton::mbMiddle
                                    : TMouseButton::mbLeft;
    };
    auto localPos = [&](QMouseEvent* e) {
        QPoint p = e->position().toPoint();
        if (receiver != handle_ && receiver->isWidgetType() && handle_)
            p = static_cast<QWidget*>(receiver)->mapTo(handle_, p);
        return p;
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        QPoint p = localPos(e);
        mousePressedInside_ = e->button() == Qt::LeftButton;
        DoMouseDown(
            mouseButton(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        QPoint p = localPos(e);
        QPointer<QWidget> alive = handle_;
        bool click = clickOnMouseUp_ && mousePressedInside_ && e->button() == Qt::LeftButton
            && p.x() >= 0 && p.y() >= 0 && p.x() < width_ && p.y() < height_;
        mousePressedInside_ = false;
        DoMouseUp(
            mouseButton(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
        if (click && alive)
            Click();
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        QPoint p = localPos(e);
        DoMouseDown(mouseButton(e->button()),
            ShiftStateFromQt(e->modifiers(), e->buttons()) | ssDouble, p.x(), p.y());
        if (e->button() == Qt::LeftButton)
            DblClick();
        return false;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        QPoint p = localPos(e);
        DoMouseMove(ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
        return false;
    }
    case QEvent::ContextMenu:
        if (popupMenu_) {
            auto* e = static_cast<QContextMenuEvent*>(event);
            QPoint p = e->pos();
            if (receiver != handle_ && receiver->isWidgetType() && handle_)
                p = static_cast<QWidget*>(receiver)->mapTo(handle_, p);
            DoContextPopup(p.x(), p.y());
            return true;
        }
        return false;
    default:
        return false;
    }
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

} // namespace zrv
