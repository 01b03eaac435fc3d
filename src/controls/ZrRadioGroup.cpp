#include "controls/ZrRadioGroup.h"

#include <QFontMetrics>
#include <algorithm>

namespace zrv {

const TClassInfo& TZrGroupButton::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TZrGroupButton>("TZrGroupButton", TZrRadioButton::StaticClassInfo());
    return info;
}

TZrGroupButton::TZrGroupButton(TComponent* owner)
    : TZrRadioButton(owner)
{
}

TZrRadioGroup* TZrGroupButton::Group() const { return dynamic_cast<TZrRadioGroup*>(Parent()); }

void TZrGroupButton::Changed()
{
    if (TZrRadioGroup* g = Group())
        g->ButtonChecked(this);
}

void TZrGroupButton::KeyDown(uint16_t& key, TShiftState shift)
{
    TZrRadioButton::KeyDown(key, shift);
    if (key != 0)
        if (TZrRadioGroup* g = Group())
            g->KeyDown(key, shift);
}

void TZrGroupButton::KeyPress(TKeyChar& key)
{
    TZrRadioButton::KeyPress(key);
    if (key != 0)
        if (TZrRadioGroup* g = Group())
            g->KeyPress(key);
}

const TClassInfo& TZrRadioGroup::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrRadioGroup>(
        "TZrRadioGroup", TGroupBox::StaticClassInfo(), [](TClassBuilder<TZrRadioGroup>& c) {
            c.Object<TStrings>("Items", &TZrRadioGroup::Items, &TZrRadioGroup::SetItems);
            c.Int("ItemIndex", &TZrRadioGroup::ItemIndex, &TZrRadioGroup::SetItemIndex);
            c.Int("Columns", &TZrRadioGroup::Columns, &TZrRadioGroup::SetColumns);
            c.Event("OnChange", &TZrRadioGroup::OnChange);
        });
    return info;
}

TZrRadioGroup::TZrRadioGroup(TComponent* owner)
    : TGroupBox(owner)
    , items_(std::make_unique<TStringList>())
{
    items_->OnChange = TNotifyEvent([this](TObject*) { ItemsChanged(); });
}

TZrRadioGroup::~TZrRadioGroup()
{
    Destroying();
    items_->OnChange = nullptr;
}

TZrGroupButton* TZrRadioGroup::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        return nullptr;
    return buttons_[static_cast<size_t>(index)];
}

void TZrRadioGroup::SetItems(TStrings* items)
{
    if (items && items != items_.get())
        items_->Assign(*items);
}

void TZrRadioGroup::ItemsChanged()
{
    if (IsDestroying())
        return;
    const int n = items_->Count();
    while (ButtonCount() > n) {
        TZrGroupButton* b = buttons_.back();
        buttons_.pop_back();
        b->Free();
    }
    while (ButtonCount() < n) {
        auto* b = new TZrGroupButton(this);
        b->SetParent(this);
        b->SetEnabled(Enabled());
        buttons_.push_back(b);
    }
    for (int i = 0; i < n; ++i)
        buttons_[static_cast<size_t>(i)]->SetCaption(items_->Get(i));
    if (!Loading() && itemIndex_ >= n)
        itemIndex_ = n - 1;
    CheckButton();
    ArrangeButtons();
}

void TZrRadioGroup::CheckButton()
{
    updating_ = true;
    for (int i = 0; i < ButtonCount(); ++i) {
        TZrGroupButton* b = buttons_[static_cast<size_t>(i)];
        b->SetClicksDisabled(true);
        b->SetChecked(i == itemIndex_);
        b->SetClicksDisabled(false);
    }
    updating_ = false;
}

void TZrRadioGroup::SetItemIndex(int index)
{
    if (Loading()) {
        // Items may follow in the description; the index is checked once they are there.
        itemIndex_ = index;
        return;
    }
    index = std::clamp(index, -1, items_->Count() - 1);
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    CheckButton();
}

void TZrRadioGroup::SetColumns(int n)
{
    n = std::clamp(n, 1, 16);
    if (n == columns_)
        return;
    columns_ = n;
    ArrangeButtons();
}

void TZrRadioGroup::ButtonChecked(TZrGroupButton* button)
{
    if (updating_)
        return;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end())
        return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    if (EventsEnabled()) {
        OnChange(this);
        OnClick(this);
    }
}

void TZrRadioGroup::ArrangeButtons()
{
    const int n = ButtonCount();
    if (n == 0 || Loading())
        return;
    const int c = columns_;
    const int t = QFontMetrics(Font()->ToQFont()).height();
    const int rows = (n + c - 1) / c;
    const int width = (Width() - 10) / c;
    const int usable = Height() - t - 5;
    const int height = usable / rows;
    const int margin = (usable % rows) / 2 + t + 1;
    for (int i = 0; i < n; ++i) {
        TZrGroupButton* b = buttons_[static_cast<size_t>(i)];
        b->SetBounds((i / rows) * width + 8, (i % rows) * height + margin, width, height);
        b->SetVisible(true);
    }
}

void TZrRadioGroup::Loaded()
{
    TGroupBox::Loaded();
    itemIndex_ = std::clamp(itemIndex_, -1, items_->Count() - 1);
    CheckButton();
    ArrangeButtons();
}

void TZrRadioGroup::Notification(TComponent* component, TOperation operation)
{
    TGroupBox::Notification(component, operation);
    if (operation == TOperation::opRemove)
        buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), component), buttons_.end());
}

void TZrRadioGroup::Resize()
{
    TGroupBox::Resize();
    ArrangeButtons();
}

void TZrRadioGroup::FontChanged()
{
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TZrRadioGroup::SetEnabled(bool enabled)
{
    TGroupBox::SetEnabled(enabled);
    for (TZrGroupButton* b : buttons_)
        b->SetEnabled(enabled);
}

} // namespace zrv
