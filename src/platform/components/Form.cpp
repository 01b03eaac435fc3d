#include "platform/components/Form.h"

#include "platform/components/Application.h"
#include "platform/components/Button.h"
#include "platform/components/Dialogs.h"
#include "platform/components/FormReader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zrv {

namespace {
    const TEnumInfo& BorderStyleEnum()
    {
        static const TEnumInfo info { "TFormBorderStyle",
            { "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin" } };
        return info;
    }
    const TEnumInfo& BorderIconEnum()
    {
        static const TEnumInfo info { "TBorderIcon",
            { "biSystemMenu", "biMinimize", "biMaximize", "biHelp" } };
        return info;
    }
    const TEnumInfo& PositionEnum()
    {
        static const TEnumInfo info { "TPosition",
            { "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter" } };
        return info;
    }
    const TEnumInfo& WindowStateEnum()
    {
        static const TEnumInfo info { "TWindowState",
            { "wsNormal", "wsMinimized", "wsMaximized" } };
        return info;
    }
    const TEnumInfo& FormStyleEnum()
    {
        static const TEnumInfo info { "TFormStyle",
            { "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop" } };
        return info;
    }

    // Properties older descriptions carry that mean nothing here.
    int Ignored(const TCustomForm*) { return 0; }
    void IgnoreInt(TCustomForm*, int64_t) { }

    class FormWidget : public QWidget {
    public:
        FormWidget()
            : QWidget(nullptr, Qt::Window)
        {
        }
    };
} // namespace

const TIdentMap& ModalResultIdents()
{
    static const TIdentMap map { "TModalResult",
        { { "mrNone", mrNone }, { "mrOk", mrOk }, { "mrCancel", mrCancel }, { "mrAbort", mrAbort },
            { "mrRetry", mrRetry }, { "mrIgnore", mrIgnore }, { "mrYes", mrYes }, { "mrNo", mrNo },
            { "mrAll", mrAll }, { "mrNoToAll", mrNoToAll }, { "mrYesToAll", mrYesToAll } } };
    return map;
}

const TClassInfo& TCustomForm::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TCustomForm>(
        "TCustomForm", TWinControl::StaticClassInfo(), [](TClassBuilder<TCustomForm>& c) {
            c.Text("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
            c.Reference<TWinControl>(
                "ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
            c.Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
            c.Int("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult,
                &ModalResultIdents());
            c.Enum("Position", PositionEnum(), &TCustomForm::Position, &TCustomForm::SetPosition);
            c.Enum("BorderStyle", BorderStyleEnum(), &TCustomForm::BorderStyle,
                &TCustomForm::SetBorderStyle);
            c.Set("BorderIcons", BorderIconEnum(), &TCustomForm::BorderIcons,
                &TCustomForm::SetBorderIcons);
            c.Enum("WindowState", WindowStateEnum(), &TCustomForm::WindowState,
                &TCustomForm::SetWindowState);
            c.Enum(
                "FormStyle", FormStyleEnum(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
            c.Bool("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled);
            c.Int("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
            c.Int("TextHeight", &Ignored, &IgnoreInt);
            c.Bool("OldCreateOrder", &Ignored, &IgnoreInt);
            c.Event("OnCreate", &TCustomForm::OnCreate);
            c.Event("OnDestroy", &TCustomForm::OnDestroy);
            c.Event("OnShow", &TCustomForm::OnShow);
            c.Event("OnHide", &TCustomForm::OnHide);
            c.Event("OnClose", &TCustomForm::OnClose);
            c.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
            c.Event("OnActivate", &TCustomForm::OnActivate);
            c.Event("OnDeactivate", &TCustomForm::OnDeactivate);
        });
    return info;
}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner, NewHandle<FormWidget>())
{
    Handle()->setFocusPolicy(Qt::StrongFocus);
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    ApplyWindowFlags();
    Screen().AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    Screen().RemoveForm(this);
    if (Application().MainForm() == this)
        Application().SetMainForm(nullptr);
    activeControl_ = nullptr;
    focusedControl_ = nullptr;
}

void TCustomForm::AfterConstruction()
{
    formState_ |= fsCreating;
    LoadFormDescriptions(*this);
    formState_ &= ~uint32_t(fsCreating);
    DoCreate();
}

void TCustomForm::BeforeDestruction()
{
    if (!destroyed_) {
        destroyed_ = true;
        DoDestroy();
    }
}

void TCustomForm::DoCreate() { OnCreate(this); }

void TCustomForm::DoDestroy() { OnDestroy(this); }

void TCustomForm::DoShow()
{
    if (!IsDestroying())
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (!IsDestroying())
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

int TCustomForm::FrameWidth() const
{
    return borderStyle_ == TFormBorderStyle::bsNone ? 0 : kFormFrameWidth;
}

int TCustomForm::FrameHeight() const
{
    return borderStyle_ == TFormBorderStyle::bsNone ? 0 : kFormFrameHeight;
}

int TCustomForm::ClientWidth() const { return std::max(TControl::Width() - FrameWidth(), 0); }
int TCustomForm::ClientHeight() const { return std::max(TControl::Height() - FrameHeight(), 0); }
void TCustomForm::SetClientWidth(int w) { SetWidth(w + FrameWidth()); }
void TCustomForm::SetClientHeight(int h) { SetHeight(h + FrameHeight()); }

QWidget* TCustomForm::ClientWidget() const { return Handle(); }

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::ApplyBounds()
{
    if (QWidget* h = Handle()) {
        h->resize(ClientWidth(), ClientHeight());
        h->move(Left(), Top());
    }
}

void TCustomForm::SetText(const std::string& text)
{
    caption_ = text;
    if (Handle())
        Handle()->setWindowTitle(QString::fromStdString(text));
}

std::string TCustomForm::GetText() const { return caption_; }

bool TCustomForm::WindowShown() const { return Handle() && Handle()->isVisible(); }

bool TCustomForm::Active() const { return Handle() && QApplication::activeWindow() == Handle(); }

bool TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control) {
        if (control == this || GetParentForm(control) != this)
            return false;
        if (!Loading() && !control->CanFocus())
            return false;
    }
    activeControl_ = control;
    if (Loading() || IsDestroying() || !WindowShown())
        return true;
    int before = focusCount_;
    if (control) {
        control->FocusWidget();
        if (focusCount_ == before)
            SetFocusedControl(control);
    } else {
        Handle()->setFocus(Qt::OtherFocusReason);
        if (focusCount_ == before)
            SetFocusedControl(this);
    }
    return true;
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (IsDestroying() || !control || (control != this && GetParentForm(control) != this))
        return false;
    const int count = ++focusCount_;
    activeControl_ = control == this ? nullptr : control;
    Screen().FormActivated(this);
    // Leave: from the focused control up to the first parent that also holds the new one.
    while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
        TWinControl* leaving = focusedControl_;
        leaving->DoExit();
        if (count != focusCount_ || IsDestroying())
            return false;
        focusedControl_ = leaving->Parent();
    }
    // Enter: from just below that parent down to the new control.
    while (focusedControl_ != control) {
        TWinControl* entering = control;
        while (entering->Parent() != focusedControl_ && entering->Parent())
            entering = entering->Parent();
        focusedControl_ = entering;
        entering->DoEnter();
        if (count != focusCount_ || IsDestroying())
            return false;
    }
    return true;
}

void TCustomForm::FocusControl(TWinControl* control)
{
    bool wasActive = Active();
    SetActiveControl(control);
    if (!wasActive && WindowShown())
        Handle()->activateWindow();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    if (!control || IsDestroying())
        return;
    if (removing && focusedControl_ && control->ContainsControl(focusedControl_))
        focusedControl_ = control->Parent();
    if (activeControl_ && control->ContainsControl(activeControl_))
        SetActiveControl(nullptr);
}

void TCustomForm::SetModalResult(TModalResult r) { modalResult_ = r; }

void TCustomForm::SetFormStateFlag(uint32_t flag, bool on)
{
    if (on)
        formState_ |= flag;
    else
        formState_ &= ~flag;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s)
{
    if (s == borderStyle_)
        return;
    int cw = ClientWidth(), ch = ClientHeight();
    borderStyle_ = s;
    // The client area keeps its size; the window grows or shrinks by the frame.
    SetBounds(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
    ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons)
{
    borderIcons_ = icons;
    ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle s)
{
    formStyle_ = s;
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags()
{
    QWidget* h = Handle();
    if (!h || h->isVisible())
        return; // changing flags would hide the window; they are applied before it shows
    Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (borderStyle_ == TFormBorderStyle::bsNone)
        f = Qt::Window | Qt::FramelessWindowHint;
    else if (borderStyle_ == TFormBorderStyle::bsToolWindow
        || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        f = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    bool dialog = borderStyle_ == TFormBorderStyle::bsDialog;
    if (borderIcons_ & (1 << biSystemMenu))
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (!dialog && (borderIcons_ & (1 << biMinimize)))
        f |= Qt::WindowMinimizeButtonHint;
    if (!dialog && (borderIcons_ & (1 << biMaximize)))
        f |= Qt::WindowMaximizeButtonHint;
    if (formStyle_ == TFormStyle::fsStayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    h->setWindowFlags(f);
}

TWindowState TCustomForm::WindowState() const
{
    if (QWidget* h = Handle(); h && h->isVisible()) {
        if (h->isMinimized())
            return TWindowState::wsMinimized;
        if (h->isMaximized())
            return TWindowState::wsMaximized;
        return TWindowState::wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState s)
{
    windowState_ = s;
    QWidget* h = Handle();
    if (!h || !h->isVisible())
        return;
    switch (s) {
    case TWindowState::wsMinimized:
        h->showMinimized();
        break;
    case TWindowState::wsMaximized:
        h->showMaximized();
        break;
    default:
        h->showNormal();
        break;
    }
}

void TCustomForm::PlaceOnShow()
{
    TRect area = Rect(0, 0, Screen().Width(), Screen().Height());
    if (position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
        TCustomForm* ref = position_ == TPosition::poOwnerFormCenter
            ? dynamic_cast<TCustomForm*>(Owner())
            : Application().MainForm();
        if (ref && ref != this && ref->Visible())
            area = ref->BoundsRect();
        else if (position_ == TPosition::poMainFormCenter || !ref)
            area = Rect(0, 0, Screen().Width(), Screen().Height());
    } else if (position_ != TPosition::poScreenCenter && position_ != TPosition::poDesktopCenter) {
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
        Width(), Height());
}

void TCustomForm::SetVisible(bool visible) { TWinControl::SetVisible(visible); }

void TCustomForm::VisibleChanged()
{
    QWidget* h = Handle();
    if (!h)
        return;
    if (Visible()) {
        formState_ |= fsShowing;
        DoShow();
        formState_ &= ~uint32_t(fsShowing);
        if (!Visible() || IsDestroying())
            return; // the handler changed its mind
        ApplyWindowFlags();
        PlaceOnShow();
        switch (windowState_) {
        case TWindowState::wsMinimized:
            h->showMinimized();
            break;
        case TWindowState::wsMaximized:
            h->showMaximized();
            break;
        default:
            h->show();
            break;
        }
        RaiseWindow();
        Screen().FormActivated(this);
        TWinControl* target = activeControl_;
        if (!target || !target->CanFocus())
            target = FindNextControl(nullptr, true, true, false);
        SetActiveControl(target);
    } else {
        DoHide();
        h->hide();
    }
}

void TCustomForm::RaiseWindow()
{
    QWidget* h = Handle();
    if (!h)
        return;
    // The offscreen platform has no stacking order to change.
    if (QGuiApplication::platformName() != "offscreen")
        h->raise();
    h->activateWindow();
}

void TCustomForm::ShowForm()
{
    if (!Visible())
        SetVisible(true);
    else
        RaiseWindow();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (!IsDestroying())
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (IsDestroying())
        return;
    if (formState_ & fsModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action
        = formStyle_ == TFormStyle::fsMDIChild ? TCloseAction::caMinimize : TCloseAction::caHide;
    DoClose(action);
    switch (action) {
    case TCloseAction::caHide:
        Hide();
        break;
    case TCloseAction::caMinimize:
        SetWindowState(TWindowState::wsMinimized);
        break;
    case TCloseAction::caFree:
        Release();
        break;
    case TCloseAction::caNone:
        break;
    }
}

bool TCustomForm::CloseModal()
{
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
        action = TCloseAction::caHide;
        DoClose(action);
    }
    if (action == TCloseAction::caNone)
        modalResult_ = mrNone;
    else if (action == TCloseAction::caFree)
        Release();
    return modalResult_ != mrNone;
}

TModalResult TCustomForm::ShowModal()
{
    if (formState_ & fsModal)
        return mrNone;
    modalResult_ = mrNone;
    formState_ |= fsModal;
    TModalResult result = DialogPresenter().ShowModal(*this);
    formState_ &= ~uint32_t(fsModal);
    return result;
}

void TCustomForm::Release()
{
    if (released_)
        return;
    released_ = true;
    PostMessage(CM_RELEASE);
}

TButton* TCustomForm::FindDialogButton(bool defaultButton) const
{
    std::vector<const TWinControl*> stack { this };
    while (!stack.empty()) {
        const TWinControl* w = stack.back();
        stack.pop_back();
        for (int i = 0; i < w->ControlCount(); ++i) {
            TControl* c = w->Controls(i);
            if (auto* b = dynamic_cast<TButton*>(c)) {
                if ((defaultButton ? b->Default() : b->Cancel()) && b->CanFocus())
                    return b;
            } else if (auto* sub = dynamic_cast<TWinControl*>(c))
                stack.push_back(sub);
        }
    }
    return nullptr;
}

bool TCustomForm::DialogKey(uint16_t key, TShiftState shift)
{
    if (shift & ssAlt)
        return false;
    switch (key) {
    case VK_TAB:
        if (shift & ssCtrl)
            return false;
        SelectNext(activeControl_, !(shift & ssShift), true);
        return true;
    case VK_RETURN: {
        if (shift & (ssCtrl | ssShift))
            return false;
        if (auto* focused = dynamic_cast<TButton*>(activeControl_)) {
            focused->Click();
            return true;
        }
        if (TButton* b = FindDialogButton(true)) {
            b->Click();
            return true;
        }
        return false;
    }
    case VK_ESCAPE: {
        if (shift & ssModifiers)
            return false;
        if (TButton* b = FindDialogButton(false)) {
            b->Click();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool TCustomForm::BroadcastDialogChar(TKeyChar ch)
{
    std::vector<const TWinControl*> stack { this };
    std::vector<TControl*> order;
    while (!stack.empty()) {
        const TWinControl* w = stack.back();
        stack.pop_back();
        for (int i = w->ControlCount() - 1; i >= 0; --i) {
            TControl* c = w->Controls(i);
            if (!c->Visible() || !c->Enabled())
                continue;
            order.push_back(c);
            if (auto* sub = dynamic_cast<TWinControl*>(c))
                stack.push_back(sub);
        }
    }
    for (TControl* c : order)
        if (TComponent::IsLive(c) && c->DialogChar(ch))
            return true;
    return false;
}

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        Free();
        return;
    default:
        TWinControl::WndProc(message);
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove) {
        if (component == activeControl_)
            activeControl_ = nullptr;
        if (component == focusedControl_)
            focusedControl_ = nullptr;
    }
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    ApplyWindowFlags();
}

bool TCustomForm::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    if (receiver == Handle()) {
        switch (event->type()) {
        case QEvent::Close:
            // The user closes the window: the form decides.
            event->ignore();
            Close();
            return true;
        case QEvent::WindowActivate:
            Screen().FormActivated(this);
            if (!IsDestroying())
                OnActivate(this);
            return false;
        case QEvent::WindowDeactivate:
            if (!IsDestroying())
                OnDeactivate(this);
            return false;
        case QEvent::Move:
            if (Handle()->isVisible()) {
                QPoint p = Handle()->pos();
                if (p.x() != Left() || p.y() != Top())
                    SetBounds(p.x(), p.y(), Width(), Height());
            }
            return false;
        default:
            break;
        }
    }
    return TWinControl::HandleWidgetEvent(receiver, event);
}

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TForm>("TForm", TCustomForm::StaticClassInfo());
    return info;
}

TForm::TForm(TComponent* owner)
    : TCustomForm(owner)
{
}

} // namespace zrv
