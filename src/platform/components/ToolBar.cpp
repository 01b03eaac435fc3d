#include "platform/components/ToolBar.h"

#include "platform/components/ImageList.h"
#include "platform/components/Menus.h"

#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

namespace zrv {

const TEnumInfo& ToolButtonStyleEnum()
{
    static const TEnumInfo info { "TToolButtonStyle",
        { "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider" } };
    return info;
}

const TClassInfo& TToolButton::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TToolButton>(
        "TToolButton", TGraphicControl::StaticClassInfo(), [](TClassBuilder<TToolButton>& c) {
            c.Text("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
            c.Enum("Style", ToolButtonStyleEnum(), &TToolButton::Style, &TToolButton::SetStyle);
            c.Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
            c.Reference<TPopupMenu>(
                "DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
            c.Bool("Down", &TToolButton::Down, &TToolButton::SetDown);
            c.Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
            c.Bool("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
            c.Bool("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap);
        });
    return info;
}

TToolButton::TToolButton(TComponent* owner)
    : TGraphicControl(owner, NewHandle<QToolButton>())
{
    SetClickOnMouseUp(false);
    SetBounds(0, 0, 23, 22);
    QToolButton* b = ButtonWidget();
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    QObject::connect(b, &QToolButton::clicked, b, [this] {
        if (EventsEnabled())
            Click();
    });
}

TToolButton::~TToolButton() { Destroying(); }

QToolButton* TToolButton::ButtonWidget() const { return static_cast<QToolButton*>(Handle()); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetStyle(TToolButtonStyle v)
{
    bool wasSeparator = IsSeparator();
    style_ = v;
    if (IsSeparator() && !wasSeparator)
        SetWidth(8);
    UpdateLook();
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::SetImageIndex(int v)
{
    imageIndex_ = v;
    UpdateLook();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu)
{
    if (dropdownMenu_)
        dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = menu;
    if (menu)
        menu->FreeNotification(this);
    UpdateLook();
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dropdownMenu_) {
        dropdownMenu_ = nullptr;
        if (!IsDestroying())
            UpdateLook();
    }
}

void TToolButton::SetDown(bool v)
{
    if (v == down_)
        return;
    down_ = v;
    if (v && grouped_)
        if (TWinControl* p = Parent())
            for (int i = 0; i < p->ControlCount(); ++i)
                if (auto* b = dynamic_cast<TToolButton*>(p->Controls(i));
                    b && b != this && b->grouped_ && b->down_) {
                    b->down_ = false;
                    b->UpdateLook();
                }
    UpdateLook();
}

void TToolButton::Click()
{
    if (!EventsEnabled())
        return;
    if (style_ == TToolButtonStyle::tbsCheck) {
        if (!down_)
            SetDown(true);
        else if (!grouped_ || allowAllUp_)
            SetDown(false);
    }
    TGraphicControl::Click();
}

void TToolButton::TextChanged() { UpdateLook(); }

void TToolButton::VisibleChanged()
{
    TGraphicControl::VisibleChanged();
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::SetBounds(int left, int top, int width, int height)
{
    TGraphicControl::SetBounds(left, top, width, height);
    // Moving a button moves it among the others; the bar lines them up again.
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::UpdateLook()
{
    QToolButton* b = ButtonWidget();
    if (!b)
        return;
    QSignalBlocker block(b);
    TToolBar* bar = ToolBar();
    if (IsSeparator()) {
        b->setEnabled(false);
        b->setText(QString());
        b->setIcon(QIcon());
        b->setAutoRaise(true);
        return;
    }
    b->setEnabled(Enabled());
    b->setText(QString::fromStdString(Caption()));
    QIcon icon;
    if (bar && bar->Images() && imageIndex_ >= 0)
        icon = bar->Images()->Icon(imageIndex_);
    b->setIcon(icon);
    bool captions = bar ? bar->ShowCaptions() : true;
    b->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly
            : captions                  ? Qt::ToolButtonTextUnderIcon
                                        : Qt::ToolButtonIconOnly);
    b->setCheckable(style_ == TToolButtonStyle::tbsCheck);
    b->setChecked(down_);
    if (style_ == TToolButtonStyle::tbsDropDown && dropdownMenu_) {
        b->setMenu(dropdownMenu_->QtMenu());
        b->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
        b->setMenu(nullptr);
        b->setPopupMode(QToolButton::DelayedPopup);
    }
    if (bar)
        b->setAutoRaise(bar->Flat());
}

const TClassInfo& TToolBar::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TToolBar>(
        "TToolBar", TWinControl::StaticClassInfo(), [](TClassBuilder<TToolBar>& c) {
            c.Text("Caption", &TToolBar::Caption, &TToolBar::SetCaption);
            c.Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
            c.Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
            c.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
            c.Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
            c.Bool("List", &TToolBar::List, &TToolBar::SetList);
            c.Bool("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
            c.Reference<TImageList>("Images", &TToolBar::Images, &TToolBar::SetImages);
        });
    return info;
}

TToolBar::TToolBar(TComponent* owner)
    : TWinControl(owner, NewHandle<QWidget>())
{
    Handle()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 150, 29);
    SetAlign(TAlign::alTop);
}

int TToolBar::ButtonCount() const
{
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i)))
            ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int index) const
{
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)))
            if (n++ == index)
                return b;
    return nullptr;
}

void TToolBar::SetButtonWidth(int v)
{
    buttonWidth_ = std::max(v, 1);
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int v)
{
    buttonHeight_ = std::max(v, 1);
    ArrangeButtons();
}

void TToolBar::SetFlat(bool v)
{
    flat_ = v;
    for (int i = 0; i < ButtonCount(); ++i)
        Buttons(i)->UpdateLook();
}

void TToolBar::SetShowCaptions(bool v)
{
    showCaptions_ = v;
    for (int i = 0; i < ButtonCount(); ++i)
        Buttons(i)->UpdateLook();
}

void TToolBar::SetImages(TImageList* images)
{
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images)
        images->FreeNotification(this);
    for (int i = 0; i < ButtonCount(); ++i)
        Buttons(i)->UpdateLook();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_)
        images_ = nullptr;
}

void TToolBar::InsertControl(TControl* control)
{
    TWinControl::InsertControl(control);
    if (auto* b = dynamic_cast<TToolButton*>(control))
        b->UpdateLook();
    ArrangeButtons();
}

void TToolBar::Resize()
{
    TWinControl::Resize();
    ArrangeButtons();
}

void TToolBar::Loaded()
{
    TWinControl::Loaded();
    for (int i = 0; i < ButtonCount(); ++i)
        Buttons(i)->UpdateLook();
    ArrangeButtons();
}

void TToolBar::ArrangeButtons()
{
    if (arranging_ || Loading() || IsDestroying())
        return;
    arranging_ = true;
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < ButtonCount(); ++i)
        buttons.push_back(Buttons(i));
    std::stable_sort(buttons.begin(), buttons.end(),
        [](const TToolButton* a, const TToolButton* b) { return a->Left() < b->Left(); });
    int x = 0, y = 0;
    for (TToolButton* b : buttons) {
        if (!b->Visible())
            continue;
        int w = b->IsSeparator() ? b->Width() : buttonWidth_;
        if (wrapable_ && x > 0 && x + w > ClientWidth()) {
            x = 0;
            y += buttonHeight_;
        }
        b->SetBounds(x, y, w, buttonHeight_);
        x += w;
        if (b->Wrap()) {
            x = 0;
            y += buttonHeight_;
        }
    }
    arranging_ = false;
}

} // namespace zrv
