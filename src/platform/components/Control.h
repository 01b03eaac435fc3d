#pragma once
// TControl: a component with a place on the screen. Every control owns a Qt widget (its handle)
// that draws it and delivers input; the control holds the semantics: its parent (where it is
// shown, as opposed to its owner, who frees it), absolute bounds in pixels relative to the
// parent's client area, alignment and anchors, visibility and enabled state, caption, hint,
// colour and font (both taken from the parent while ParentColor / ParentFont are set), and the
// mouse and click events.

#include "platform/components/Component.h"
#include "platform/components/Font.h"
#include "platform/components/Graphics.h"
#include "platform/components/Keys.h"
#include "platform/components/Messages.h"

#include <QPointer>
#include <memory>
#include <string>
#include <utility>

class QEvent;
class QWidget;

namespace zrv {

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = uint8_t;
constexpr TAnchors AnchorBit(TAnchorKind k) { return static_cast<TAnchors>(1u << k); }
constexpr TAnchors DefaultAnchors = AnchorBit(akLeft) | AnchorBit(akTop);
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TLeftRight { taLeftJustify, taRightJustify };

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, uint16_t&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, TKeyChar&>;

const TEnumInfo& AlignEnum();
const TEnumInfo& AnchorKindEnum();
const TEnumInfo& AlignmentEnum();
const TEnumInfo& LeftRightEnum();

// Makes sure a QApplication exists (the shell has one; tests get one made here, drawing
// offscreen when there is no display).
void EnsureApplication();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QWidget* Handle() const;
    // The control that a Qt widget belongs to (the handle itself or one of its inner widgets).
    static TControl* FromWidget(const QObject* widget);

    TWinControl* Parent() const { return parent_; }
    // Moves the control to another parent (nullptr: none). False when the parent would be the
    // control itself or one of its children.
    virtual bool SetParent(TWinControl* parent);
    TComponent* GetParentComponent() const override;
    bool SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    virtual void SetClientWidth(int w) { SetWidth(w); }
    virtual void SetClientHeight(int h) { SetHeight(h); }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent up to a visible form (or a shown top-level window).
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // Caption and Text are the same text; classes publish the name their users know.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& s) { SetText(s); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& text);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const;
    void SetShowHint(bool v);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool v);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    // Simulated and programmatic clicks run OnClick (buttons add their own work).
    virtual void Click();
    // An accelerator key (Alt and a letter or digit) that no one else took: a control whose
    // caption marks that character with "&" acts on it and answers true. Native Qt buttons and
    // labels handle their own accelerators; self-drawn controls override this.
    virtual bool DialogChar(TKeyChar /*ch*/) { return false; }
    // Whether `caption` marks `ch` (compared without regard to case) with "&".
    static bool IsAccel(TKeyChar ch, const std::string& caption);
    // Sends a message at once; PostMessage (TWinControl) sends it later from the event loop.
    intptr_t Perform(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    virtual void WndProc(TMessage& message);

    void Invalidate();
    void Repaint();
    void BringToFront();
    void SendToBack();

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;

    // Event routing from the widget (used by the platform's event filter).
    virtual bool HandleWidgetEvent(QObject* receiver, QEvent* event);

protected:
    // Derived classes create their widget with NewHandle and hand it over to this constructor:
    //     TEdit::TEdit(TComponent* owner) : TWinControl(owner, NewHandle<EditWidget>()) { }
    TControl(TComponent* owner, QWidget* handle);
    template <typename W, typename... A> static W* NewHandle(A&&... args)
    {
        EnsureApplication();
        return new W(std::forward<A>(args)...);
    }
    void AdoptHandle(QWidget* handle);
    // Extra widgets (viewports, inner line edits) that belong to this control.
    void RegisterInnerWidget(QObject* widget);

    // Hooks for derived classes.
    virtual void ApplyBounds();
    virtual void TextChanged() { }
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void Resize();
    virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void DoContextPopup(int x, int y);
    // The widget that gets the control's colour as its background (the handle by default).
    virtual void ApplyColor();
    virtual void ApplyFont();

    bool EventsEnabled() const { return !IsDestroying() && !Loading(); }
    // Whether a mouse release inside the control counts as a click (controls with a native
    // click of their own turn this off).
    void SetClickOnMouseUp(bool v) { clickOnMouseUp_ = v; }

    // Parent relations used by TWinControl.
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();
    void ParentShowHintChanged();
    void UpdateAnchorOrigin();
    void ApplyAnchors(int parentWidth, int parentHeight);
    void ApplyToolTip();

    std::string text_;

private:
    void FontObjectChanged(TObject*);

    QPointer<QWidget> handle_;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_ = DefaultAnchors;
    struct AnchorOrigin {
        int left = 0, top = 0, width = 0, height = 0, parentWidth = -1, parentHeight = -1;
    } anchorOrigin_;
    bool anchoring_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    bool colorApplied_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool fontFromParent_ = false;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    bool clickOnMouseUp_ = true;
    bool mousePressedInside_ = false;
};

// The form a control sits on (walking up the parents), nullptr when there is none.
TCustomForm* GetParentForm(const TControl* control);

} // namespace zrv
