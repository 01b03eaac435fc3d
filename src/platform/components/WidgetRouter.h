#pragma once
// The bridge between Qt's events and the component model: which control a widget belongs to,
// and one application-wide event filter that hands key strokes, mouse events, focus changes and
// posted messages to the controls. Internal to the components layer.

#include "platform/components/Messages.h"

class QObject;
class QWidget;

namespace zrv {

class TControl;
class TWinControl;

namespace WidgetRouter {
    void Install(); // once per QApplication
    void Register(QObject* widget, TControl* control);
    void Unregister(QObject* widget);
    void UnregisterControl(const TControl* control); // every widget of the control
    // The control of exactly this widget.
    TControl* FindExact(const QObject* widget);
    // The control of this widget or of the nearest parent widget that has one.
    TControl* Find(const QObject* widget);
    // The windowed control of this widget or of the nearest parent that has one.
    TWinControl* FindWindowed(const QObject* widget);
    // Queues a message for a control's handle; it runs from the event loop.
    void Post(QWidget* target, const TMessage& message);
} // namespace WidgetRouter

} // namespace zrv
