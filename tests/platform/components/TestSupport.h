#pragma once
// Helpers for tests that drive real Qt widgets on the offscreen platform.

#include "platform/components/Control.h"
#include "platform/components/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zrv::test {

inline void ProcessEvents()
{
    EnsureApplication();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents();
    }
}

// Shows a form and makes its window the active one, as a click on it would.
inline void ShowAndActivate(TCustomForm& form)
{
    form.ShowForm();
    QApplication::setActiveWindow(form.Handle());
    ProcessEvents();
}

// A key stroke to whatever widget has the focus (press and release).
inline void PressKey(
    int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(target, &press);
    target = QApplication::focusWidget() ? QApplication::focusWidget() : target;
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(target, &release);
}

} // namespace zrv::test
