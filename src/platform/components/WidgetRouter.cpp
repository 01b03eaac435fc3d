#include "platform/components/WidgetRouter.h"

#include "platform/components/Form.h"
#include "platform/components/WinControl.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace zrv {

namespace {

    QHash<const QObject*, TControl*>& Map()
    {
        static QHash<const QObject*, TControl*> map;
        return map;
    }

    int MessageEventType()
    {
        static const int type = QEvent::registerEventType();
        return type;
    }

    class MessageEvent : public QEvent {
    public:
        explicit MessageEvent(const TMessage& m)
            : QEvent(static_cast<QEvent::Type>(MessageEventType()))
            , message(m)
        {
        }
        TMessage message;
    };

    bool resendingKey = false;

    // Key strokes: dialog keys (Tab, Enter, Esc) first unless the control wants them, then
    // KeyDown (form first with KeyPreview), then KeyPress for keys that make a character.
    bool RouteKeyPress(QWidget* receiver, TWinControl* control, QKeyEvent* e)
    {
        if (resendingKey)
            return false;
        QPointer<QWidget> target = receiver;
        auto gone
            = [&] { return !target || !TComponent::IsLive(control) || control->IsDestroying(); };
        uint16_t key = VirtualKeyFromQt(e->key());
        TShiftState shift = ShiftStateFromQt(e->modifiers());
        TCustomForm* form = GetParentForm(control);
        if (key != 0 && form && !control->WantsKey(key, shift) && form->DialogKey(key, shift))
            return true;
        if (gone())
            return true;
        if (key != 0) {
            uint16_t k = key;
            if (control->DoKeyDown(k, shift) || gone())
                return true;
        }
        bool alnum = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
        if (form && (shift & ssAlt) && !(shift & ssCtrl) && alnum && form->BroadcastDialogChar(key))
            return true;
        if (gone())
            return true;
        QString text = e->text();
        if (text.size() == 1) {
            TKeyChar ch = text.at(0).unicode();
            TKeyChar original = ch;
            if (control->DoKeyPress(ch) || gone())
                return true;
            if (ch != original) {
                QKeyEvent replaced(QEvent::KeyPress, e->key(), e->modifiers(), QString(QChar(ch)),
                    e->isAutoRepeat(), static_cast<ushort>(e->count()));
                resendingKey = true;
                QApplication::sendEvent(target, &replaced);
                resendingKey = false;
                return true;
            }
        }
        return false;
    }

    bool RouteKeyRelease(QWidget* receiver, TWinControl* control, QKeyEvent* e)
    {
        if (resendingKey)
            return false;
        uint16_t key = VirtualKeyFromQt(e->key());
        if (key == 0)
            return false;
        QPointer<QWidget> target = receiver;
        bool consumed = control->DoKeyUp(key, ShiftStateFromQt(e->modifiers()));
        return consumed || !target;
    }

    class Router : public QObject {
    public:
        bool eventFilter(QObject* receiver, QEvent* event) override
        {
            const QEvent::Type type = event->type();
            if (type == MessageEventType()) {
                TControl* c = WidgetRouter::FindExact(receiver);
                if (c && !c->IsDestroying())
                    c->WndProc(static_cast<MessageEvent*>(event)->message);
                return true;
            }
            if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
                if (!receiver->isWidgetType())
                    return false;
                auto* w = static_cast<QWidget*>(receiver);
                QWidget* focus = QApplication::focusWidget();
                if (focus ? w != focus : !WidgetRouter::Find(w))
                    return false;
                TWinControl* c = WidgetRouter::FindWindowed(w);
                if (!c || c->IsDestroying() || !c->Enabled())
                    return false;
                auto* e = static_cast<QKeyEvent*>(event);
                return type == QEvent::KeyPress ? RouteKeyPress(w, c, e) : RouteKeyRelease(w, c, e);
            }
            switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::ContextMenu:
            case QEvent::Resize:
            case QEvent::Move:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::Close:
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate:
            case QEvent::WindowStateChange: {
                TControl* c = WidgetRouter::FindExact(receiver);
                if (!c || c->IsDestroying())
                    return false;
                return c->HandleWidgetEvent(receiver, event);
            }
            default:
                return false;
            }
        }
    };

    QPointer<Router>& TheRouter()
    {
        static QPointer<Router> router;
        return router;
    }

    void FocusChanged(QWidget* /*old*/, QWidget* now)
    {
        if (!now)
            return;
        TWinControl* c = WidgetRouter::FindWindowed(now);
        if (!c || c->IsDestroying())
            return;
        TCustomForm* form = GetParentForm(c);
        if (!form || form->IsDestroying())
            return;
        form->SetFocusedControl(c);
    }

} // namespace

void WidgetRouter::Install()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || TheRouter())
        return;
    auto* router = new Router;
    router->setParent(app);
    app->installEventFilter(router);
    QObject::connect(app, &QApplication::focusChanged, router, &FocusChanged);
    TheRouter() = router;
}

void WidgetRouter::Register(QObject* widget, TControl* control)
{
    if (widget)
        Map().insert(widget, control);
}

void WidgetRouter::Unregister(QObject* widget) { Map().remove(widget); }

void WidgetRouter::UnregisterControl(const TControl* control)
{
    auto& map = Map();
    for (auto it = map.begin(); it != map.end();)
        it = it.value() == control ? map.erase(it) : std::next(it);
}

TControl* WidgetRouter::FindExact(const QObject* widget) { return Map().value(widget, nullptr); }

TControl* WidgetRouter::Find(const QObject* widget)
{
    for (const QObject* o = widget; o; o = o->parent())
        if (TControl* c = Map().value(o, nullptr))
            return c;
    return nullptr;
}

TWinControl* WidgetRouter::FindWindowed(const QObject* widget)
{
    for (const QObject* o = widget; o; o = o->parent())
        if (TControl* c = Map().value(o, nullptr))
            if (auto* w = dynamic_cast<TWinControl*>(c))
                return w;
    return nullptr;
}

void WidgetRouter::Post(QWidget* target, const TMessage& message)
{
    if (target)
        QCoreApplication::postEvent(target, new MessageEvent(message));
}

} // namespace zrv
