#include "platform/components/ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

namespace zrv {

const TEnumInfo& ComboBoxStyleEnum()
{
    static const TEnumInfo info { "TComboBoxStyle",
        { "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable" } };
    return info;
}

class ComboWidgetImpl : public QComboBox {
public:
    TComboBox* owner = nullptr;
    void showPopup() override
    {
        if (owner && owner->EventsEnabled())
            owner->OnDropDown(owner);
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (owner && owner->EventsEnabled())
            owner->OnCloseUp(owner);
    }
};

// The items of a combo box, kept in the Qt widget itself. Changing them never changes the
// selected index from "none" to the first item, as Qt would on its own.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TComboBox* combo)
        : combo_(combo)
    {
    }
    int Count() const override { return W()->count(); }
    std::string Get(int index) const override
    {
        if (index < 0 || index >= Count())
            return {};
        return W()->itemText(index).toStdString();
    }
    void Put(int index, const std::string& s) override
    {
        if (index < 0 || index >= Count())
            return;
        QSignalBlocker block(W());
        W()->setItemText(index, QString::fromStdString(s));
    }
    TObject* GetObject(int index) const override
    {
        if (index < 0 || index >= Count())
            return nullptr;
        return static_cast<TObject*>(W()->itemData(index).value<void*>());
    }
    void PutObject(int index, TObject* object) override
    {
        if (index >= 0 && index < Count())
            W()->setItemData(index, QVariant::fromValue(static_cast<void*>(object)));
    }
    int Add(const std::string& s) override
    {
        if (!combo_->Sorted())
            return TStrings::Add(s);
        int index = 0;
        while (index < Count() && CompareText(Get(index), s) <= 0)
            ++index;
        Insert(index, s);
        return index;
    }
    void Insert(int index, const std::string& s) override
    {
        QComboBox* w = W();
        QString keep = w->currentText();
        int before = w->currentIndex();
        QSignalBlocker block(w);
        w->insertItem(std::clamp(index, 0, Count()), QString::fromStdString(s));
        if (before < 0) {
            w->setCurrentIndex(-1);
            if (combo_->Editable())
                w->setEditText(keep);
        }
    }
    void Delete(int index) override
    {
        if (index < 0 || index >= Count())
            return;
        QSignalBlocker block(W());
        W()->removeItem(index);
    }
    void Clear() override
    {
        QComboBox* w = W();
        QString keep = w->currentText();
        QSignalBlocker block(w);
        w->clear();
        if (combo_->Editable())
            w->setEditText(keep);
    }

    static int CompareText(const std::string& a, const std::string& b)
    {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
    }

private:
    QComboBox* W() const { return combo_->ComboWidget(); }
    TComboBox* combo_;
};

const TClassInfo& TComboBox::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TComboBox>(
        "TComboBox", TWinControl::StaticClassInfo(), [](TClassBuilder<TComboBox>& c) {
            c.Enum("Style", ComboBoxStyleEnum(), &TComboBox::Style, &TComboBox::SetStyle);
            c.Object<TStrings>("Items", &TComboBox::Items, &TComboBox::SetItems);
            c.Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
            c.Text("Text", &TComboBox::Text, &TComboBox::SetText);
            c.Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
            c.Int("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
            c.Int("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
            c.Enum("CharCase", EditCharCaseEnum(), &TComboBox::CharCase, &TComboBox::SetCharCase);
            c.Int("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
            c.Text("ImeName", &TComboBox::ImeName, &TComboBox::SetImeName);
            c.Enum("ImeMode", ImeModeEnum(), &TComboBox::ImeMode, &TComboBox::SetImeMode);
            c.Event("OnChange", &TComboBox::OnChange);
            c.Event("OnSelect", &TComboBox::OnSelect);
            c.Event("OnDropDown", &TComboBox::OnDropDown);
            c.Event("OnCloseUp", &TComboBox::OnCloseUp);
        });
    return info;
}

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner, NewHandle<ComboWidgetImpl>())
    , items_(std::make_unique<TComboBoxStrings>(this))
{
    auto* w = static_cast<ComboWidgetImpl*>(Handle());
    w->owner = this;
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetClickOnMouseUp(false);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(8);
    SetStyle(TComboBoxStyle::csDropDown);
    QObject::connect(w, &QComboBox::activated, w, [this](int index) {
        if (IsDestroying())
            return;
        SelectByUser(index);
    });
}

TComboBox::~TComboBox()
{
    Destroying();
    static_cast<ComboWidgetImpl*>(Handle())->owner = nullptr;
}

QComboBox* TComboBox::ComboWidget() const { return static_cast<QComboBox*>(Handle()); }

bool TComboBox::Editable() const
{
    return style_ == TComboBoxStyle::csDropDown || style_ == TComboBoxStyle::csSimple;
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    QComboBox* w = ComboWidget();
    int index = w->currentIndex();
    QString text = w->currentText();
    style_ = style;
    QSignalBlocker block(w);
    bool editable = Editable();
    if (w->isEditable() != editable) {
        w->setEditable(editable);
        if (editable) {
            QLineEdit* e = w->lineEdit();
            RegisterInnerWidget(e);
            e->setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
            QObject::connect(e, &QLineEdit::textEdited, e, [this](const QString& t) {
                if (IsDestroying())
                    return;
                if (charCase_ != TEditCharCase::ecNormal) {
                    QString cased
                        = charCase_ == TEditCharCase::ecUpperCase ? t.toUpper() : t.toLower();
                    if (cased != t) {
                        QLineEdit* le = ComboWidget()->lineEdit();
                        int pos = le->cursorPosition();
                        le->setText(cased);
                        le->setCursorPosition(pos);
                    }
                }
                Change();
            });
        }
    }
    w->setCurrentIndex(index);
    if (editable && index < 0)
        w->setEditText(text);
}

void TComboBox::SetItems(TStrings* items)
{
    if (items && items != items_.get())
        items_->Assign(*items);
}

int TComboBox::ItemIndex() const { return ComboWidget()->currentIndex(); }

void TComboBox::SetItemIndex(int index)
{
    QComboBox* w = ComboWidget();
    if (index < -1 || index >= w->count())
        index = -1;
    QSignalBlocker block(w);
    w->setCurrentIndex(index);
    if (index < 0 && Editable())
        w->setEditText(QString());
}

std::string TComboBox::GetText() const { return ComboWidget()->currentText().toStdString(); }

void TComboBox::SetText(const std::string& text)
{
    QComboBox* w = ComboWidget();
    QString t = QString::fromStdString(text);
    QSignalBlocker block(w);
    if (Editable()) {
        int i = w->findText(t, Qt::MatchFixedString);
        if (i >= 0 && w->itemText(i) == t)
            w->setCurrentIndex(i);
        w->setEditText(t);
    } else {
        w->setCurrentIndex(w->findText(t, Qt::MatchFixedString));
    }
}

void TComboBox::SetSorted(bool v)
{
    sorted_ = v;
    if (v)
        SortItems();
}

void TComboBox::SortItems()
{
    std::vector<std::string> lines = items_->ToVector();
    std::string selected = ItemIndex() >= 0 ? items_->Get(ItemIndex()) : std::string();
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return TComboBoxStrings::CompareText(a, b) < 0;
    });
    bool hadSelection = ItemIndex() >= 0;
    bool keep = sorted_;
    sorted_ = false;
    items_->SetStrings(lines);
    sorted_ = keep;
    if (hadSelection)
        SetItemIndex(items_->IndexOf(selected));
}

int TComboBox::DropDownCount() const { return ComboWidget()->maxVisibleItems(); }
void TComboBox::SetDropDownCount(int v) { ComboWidget()->setMaxVisibleItems(std::max(v, 1)); }

void TComboBox::SetMaxLength(int v)
{
    maxLength_ = std::max(v, 0);
    if (QLineEdit* e = ComboWidget()->lineEdit())
        e->setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
}

bool TComboBox::DroppedDown() const
{
    QAbstractItemView* v = ComboWidget()->view();
    return v && v->isVisible();
}

void TComboBox::SetDroppedDown(bool v)
{
    if (v)
        ComboWidget()->showPopup();
    else
        ComboWidget()->hidePopup();
}

void TComboBox::Clear()
{
    items_->Clear();
    SetItemIndex(-1);
}

void TComboBox::SelectByUser(int index)
{
    QComboBox* w = ComboWidget();
    if (index < 0 || index >= w->count())
        return;
    {
        QSignalBlocker block(w);
        w->setCurrentIndex(index);
    }
    Click();
    if (IsDestroying())
        return;
    Select();
}

void TComboBox::Change()
{
    if (EventsEnabled())
        OnChange(this);
}

void TComboBox::Select()
{
    if (!EventsEnabled())
        return;
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TComboBox::ApplyColor()
{
    QPalette pal = ComboWidget()->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    pal.setColor(QPalette::Button, ToQColor(Color()));
    ComboWidget()->setPalette(pal);
}

} // namespace zrv
