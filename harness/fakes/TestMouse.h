#pragma once
// Mouse input for tests: a left click in the middle of a widget, delivered
// the way the mouse gives it (press, then release).

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

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
