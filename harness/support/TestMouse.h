#pragma once
// Mouse input for tests: one mouse event at a point of a widget, and a left
// click in the middle of a widget delivered the way the mouse gives it
// (press, then release).

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

inline void SendMouse(QWidget *w, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, held, mods);
    QCoreApplication::sendEvent(w, &event);
}

inline void ClickMiddle(QWidget *w)
{
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, local, w->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, w->mapToGlobal(local), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}
