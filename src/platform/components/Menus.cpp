#include "platform/components/Menus.h"

#include "platform/components/Control.h"
#include "platform/components/ImageList.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace zrv {

namespace {
    std::string WithoutAmpersands(std::string_view s)
    {
        std::string out;
        for (char c : s)
            if (c != '&')
                out += c;
        return out;
    }
} // namespace

const TClassInfo& TMenuItem::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TMenuItem>(
        "TMenuItem", TComponent::StaticClassInfo(), [](TClassBuilder<TMenuItem>& c) {
            c.Text("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
            c.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
            c.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
            c.Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
            c.Bool("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
            c.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
            c.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
            c.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
            c.Text("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
            c.Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
            c.Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
            c.Event("OnClick", &TMenuItem::OnClick);
        });
    return info;
}

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner)
{
}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        Remove(child);
        child->Free();
    }
    if (parent_)
        parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Delete(int index)
{
    if (TMenuItem* item = Items(index)) {
        Remove(item);
        item->Free();
    }
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const
{
    std::string wanted = WithoutAmpersands(caption);
    for (TMenuItem* i : items_)
        if (SameName(WithoutAmpersands(i->caption_), wanted))
            return i;
    return nullptr;
}

void TMenuItem::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    if (v && radioItem_)
        TurnSiblingsOff();
}

void TMenuItem::SetRadioItem(bool v)
{
    radioItem_ = v;
    if (v && checked_)
        TurnSiblingsOff();
}

void TMenuItem::TurnSiblingsOff()
{
    if (!parent_)
        return;
    for (TMenuItem* i : parent_->items_)
        if (i != this && i->radioItem_ && i->groupIndex_ == groupIndex_)
            i->checked_ = false;
}

void TMenuItem::Click()
{
    if (!enabled_ || IsDestroying())
        return;
    if (autoCheck_)
        SetChecked(!checked_);
    OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (parent_ && parent_->menu_)
        return parent_->menu_;
    return parent_;
}

bool TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent)) {
        menu->Items()->Add(this);
        return true;
    }
    if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
        item->Add(this);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TMenu::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TMenu>(
        "TMenu", TComponent::StaticClassInfo(), [](TClassBuilder<TMenu>& c) {
            c.Reference<TImageList>("Images", &TMenu::Images, &TMenu::SetImages);
            c.Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
            c.Object<TMenuItem>("Items", &TMenu::Items, nullptr);
        });
    return info;
}

TMenu::TMenu(TComponent* owner)
    : TComponent(owner)
    , items_(new TMenuItem(this))
{
    items_->menu_ = this;
}

TMenu::~TMenu() { Destroying(); }

void TMenu::SetImages(TImageList* images)
{
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images)
        images->FreeNotification(this);
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_)
        images_ = nullptr;
}

TMenuItem* TMenu::FindItem(std::string_view name) const
{
    std::vector<TMenuItem*> stack { items_ };
    while (!stack.empty()) {
        TMenuItem* i = stack.back();
        stack.pop_back();
        if (i != items_ && SameName(i->Name(), name))
            return i;
        for (int k = 0; k < i->Count(); ++k)
            stack.push_back(i->Items(k));
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TPopupMenu::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TPopupMenu>(
        "TPopupMenu", TMenu::StaticClassInfo(), [](TClassBuilder<TPopupMenu>& c) {
            c.Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
            c.Event("OnPopup", &TPopupMenu::OnPopup);
        });
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner)
    : TMenu(owner)
{
}

TPopupMenu::~TPopupMenu()
{
    Destroying();
    delete menu_.data();
}

static void BuildQtMenu(QMenu* menu, TMenuItem* root, TImageList* images)
{
    menu->clear();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible())
            continue;
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        QString caption = QString::fromStdString(item->Caption());
        if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(caption);
            sub->setEnabled(item->Enabled());
            BuildQtMenu(sub, item, images);
            continue;
        }
        QAction* a = menu->addAction(caption);
        a->setEnabled(item->Enabled());
        a->setCheckable(item->Checked() || item->RadioItem() || item->AutoCheck());
        a->setChecked(item->Checked());
        a->setToolTip(QString::fromStdString(item->Hint()));
        if (item->Default()) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
        if (images && item->ImageIndex() >= 0)
            a->setIcon(images->Icon(item->ImageIndex()));
        QPointer<QMenu> owner = menu;
        QObject::connect(a, &QAction::triggered, a, [item] {
            if (TComponent::IsLive(item))
                item->Click();
        });
    }
}

QMenu* TPopupMenu::QtMenu()
{
    if (!menu_) {
        EnsureApplication();
        menu_ = new QMenu;
        QObject::connect(menu_.data(), &QMenu::aboutToShow, menu_.data(), [this] { Rebuild(); });
    }
    return menu_;
}

void TPopupMenu::Rebuild() { BuildQtMenu(QtMenu(), Items(), Images()); }

void TPopupMenu::Popup(int x, int y)
{
    OnPopup(this);
    QtMenu()->popup(QPoint(x, y));
}

} // namespace zrv
