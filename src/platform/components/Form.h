#pragma once
// TCustomForm and TForm: top-level windows. A form is created from its class's form
// descriptions (CreateForm<T>), keeps track of the focused control and raises OnEnter/OnExit
// across nested parents, sees keys first when KeyPreview is on, handles Tab, Enter (default
// button) and Esc (cancel button), closes through OnCloseQuery/OnClose with a close action,
// runs modally through the dialog presenter, and takes posted messages (a close request posted
// while the form is being opened runs only after the opening code has returned).

#include "platform/components/WinControl.h"

namespace zrv {

class TButton;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint8_t;
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateFlag : uint32_t { fsCreating = 1, fsVisible = 2, fsShowing = 4, fsModal = 8 };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
const TIdentMap& ModalResultIdents();

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

// Sizes the window frame adds around the client area (Width = ClientWidth + kFrameWidth).
constexpr int kFormFrameWidth = 8;
constexpr int kFormFrameHeight = 27;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Reads the form descriptions of the class chain, resolves references, calls Loaded, then
    // raises OnCreate. Raises EFormDescriptionError when a description is wrong.
    void AfterConstruction() override;
    // Raises OnDestroy (through Free or Release, while the form is still whole).
    void BeforeDestruction() override;

    int Width() const { return TControl::Width(); }
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int w) override;
    void SetClientHeight(int h) override;
    QWidget* ClientWidget() const override;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Focuses the control when the form is showing; otherwise it gets the focus when the form
    // is shown. False when the control cannot take the focus.
    bool SetActiveControl(TWinControl* control);
    // The control that has the focus as far as OnEnter/OnExit are concerned.
    TWinControl* FocusedControl() const { return focusedControl_; }
    // Focus bookkeeping: raises OnExit/OnEnter between the old and the new focused control.
    // False when an event handler moved the focus elsewhere meanwhile.
    bool SetFocusedControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // Forget focus inside a control that goes away or is hidden.
    void DefocusControl(TWinControl* control, bool removing);
    bool Active() const;

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r);
    uint32_t FormState() const { return formState_; }
    void SetFormStateFlag(uint32_t flag, bool on);

    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState s);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle s);
    bool Scaled() const { return scaled_; }
    void SetScaled(bool v) { scaled_ = v; }
    int PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(int) { }

    void SetVisible(bool visible) override;
    void SetText(const std::string& text) override;
    std::string GetText() const override;
    void SetBounds(int left, int top, int width, int height) override;

    // Shows the form (OnShow before it appears) and brings it to the front.
    void ShowForm();
    // Closes: modal forms set ModalResult to mrCancel; others ask OnCloseQuery, raise OnClose
    // with the default action (caHide) and carry out the action (caFree releases the form).
    void Close();
    bool CloseQuery();
    // Runs the form modally through the dialog presenter; the modal result.
    TModalResult ShowModal();
    // Ends a modal run after ModalResult was set: OnCloseQuery/OnClose; false keeps it open.
    bool CloseModal();
    // Frees the form later, from the event loop (safe inside its own event handlers).
    void Release();

    // The form's dialog keys: Tab moves the focus, Enter clicks the focused or the default
    // button, Esc clicks the cancel button. True when the key was handled.
    virtual bool DialogKey(uint16_t key, TShiftState shift);
    // Offers an accelerator character to the visible, enabled controls in creation order.
    bool BroadcastDialogChar(TKeyChar ch);

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    bool HandleWidgetEvent(QObject* receiver, QEvent* event) override;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void VisibleChanged() override;
    void ApplyBounds() override;
    void ApplyWindowFlags();

private:
    void PlaceOnShow();
    void RaiseWindow();
    TButton* FindDialogButton(bool defaultButton) const;
    bool WindowShown() const;
    int FrameWidth() const;
    int FrameHeight() const;

    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    int focusCount_ = 0;
    bool keyPreview_ = false;
    TModalResult modalResult_ = mrNone;
    uint32_t formState_ = 0;
    TPosition position_ = TPosition::poDesigned;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = (1 << biSystemMenu) | (1 << biMinimize) | (1 << biMaximize);
    TWindowState windowState_ = TWindowState::wsNormal;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    bool scaled_ = true;
    bool destroyed_ = false;
    bool released_ = false;
    std::string caption_;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// Creates a form of class T the complete way: constructor, then AfterConstruction (description,
// OnCreate). Free it with Free() or Release(), or let its owner free it.
template <typename T> T* CreateForm(TComponent* owner = nullptr)
{
    T* form = new T(owner);
    try {
        form->AfterConstruction();
    } catch (...) {
        form->Destroying();
        delete form;
        throw;
    }
    return form;
}

} // namespace zrv
