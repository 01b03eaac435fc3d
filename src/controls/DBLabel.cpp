#include "controls/DBLabel.h"

#include "platform/CodePage.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Properties.h"

#include <algorithm>
#include <vector>

namespace zrv {

const TEnumInfo& PosEnum()
{
    static const TEnumInfo info { "TPos", { "psTop", "psLeft", "psRight", "psBottom" } };
    return info;
}

const TClassInfo& TDBLabel::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TDBLabel>(
        "TDBLabel", TLabel::StaticClassInfo(), [](TClassBuilder<TDBLabel>& c) {
            c.Bool("AutoAlign", &TDBLabel::AutoAlign, &TDBLabel::SetAutoAlign);
            c.Bool("AutoCaption", &TDBLabel::AutoCaption, &TDBLabel::SetAutoCaption);
            c.Enum("Pos", PosEnum(), &TDBLabel::Pos, &TDBLabel::SetPos);
            c.Int("Gap", &TDBLabel::Gap, &TDBLabel::SetGap);
        });
    return info;
}

TDBLabel::TDBLabel(TComponent* owner)
    : TLabel(owner)
{
    SetCaption("挂靠标签");
}

void TDBLabel::SetFocusControl(TWinControl* control)
{
    if (control == FocusControl())
        return;
    if (control) {
        // The labels that could be beside the same control: those of this label's parent
        // control (owned by it or placed on it); without a parent, those of the owner.
        std::vector<TComponent*> near;
        if (TWinControl* p = Parent()) {
            for (int i = 0; i < p->ComponentCount(); ++i)
                near.push_back(p->Components(i));
            for (int i = 0; i < p->ControlCount(); ++i)
                near.push_back(p->Controls(i));
        } else if (TComponent* o = Owner()) {
            for (int i = 0; i < o->ComponentCount(); ++i)
                near.push_back(o->Components(i));
        }
        for (TComponent* c : near)
            if (auto* other = dynamic_cast<TDBLabel*>(c);
                other && other != this && other->FocusControl() == control) {
                MessageDlg(
                    "不能同时有两个 DBLabel 指到同一个 Control.", TMsgDlgType::mtError, mbOKOnly);
                return;
            }
    }
    TLabel::SetFocusControl(control);
    Refresh();
}

void TDBLabel::SetAutoAlign(bool v)
{
    autoAlign_ = v;
    Refresh();
}

void TDBLabel::SetAutoCaption(bool v)
{
    autoCaption_ = v;
    Refresh();
}

void TDBLabel::SetPos(TPos v)
{
    pos_ = v;
    Refresh();
}

void TDBLabel::SetGap(int v)
{
    gap_ = std::clamp(v, 0, 255);
    Refresh();
}

void TDBLabel::Refresh()
{
    if (IsDestroying())
        return;
    TakeCaption();
    Place();
}

void TDBLabel::TakeCaption()
{
    TWinControl* c = FocusControl();
    if (!autoCaption_ || !c)
        return;
    // The control's DataSource, its DataSet, and in it the field named by the control's
    // DataField: that field's display label. Anything missing leaves the caption alone.
    const TPropInfo* source = GetPropInfo(c, "DataSource");
    if (!source || source->Kind != TTypeKind::Class)
        return;
    TObject* dataSource = GetObjectProp(c, source->Name);
    if (!dataSource)
        return;
    auto* dataSet = dynamic_cast<TPersistent*>(GetObjectProp(dataSource, "DataSet"));
    if (!dataSet)
        return;
    std::string fieldName = GetStrProp(c, "DataField");
    if (fieldName.empty())
        return;
    for (int i = 0; i < dataSet->IndexedCount(); ++i) {
        TObject* field = dataSet->IndexedItem(i);
        if (field && SameText(GetStrProp(field, "FieldName"), fieldName)) {
            if (IsPublishedProp(field, "DisplayLabel"))
                SetCaption(GetStrProp(field, "DisplayLabel"));
            return;
        }
    }
}

void TDBLabel::Place()
{
    TWinControl* c = FocusControl();
    if (!autoAlign_ || !c)
        return;
    const int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    const int lw = Width(), lh = Height();
    int left = l, top = t;
    switch (pos_) {
    case TPos::psTop:
        top = t - lh - gap_;
        break;
    case TPos::psBottom:
        top = t + h + gap_;
        break;
    case TPos::psLeft:
    case TPos::psRight:
        top = h == lh ? t : t + h / 2 - lh / 2;
        left = pos_ == TPos::psLeft ? l - lw - gap_ : l + w + gap_;
        break;
    }
    SetBounds(std::max(left, 0), std::max(top, 0), lw, lh);
}

} // namespace zrv
