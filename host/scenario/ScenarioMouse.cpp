#include "ScenarioMouse.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

QWidget *FindScenarioWidget(const QWidget *root, const QString &name)
{
    if (!root || name.isEmpty())
        return nullptr;
    const QList<QWidget *> found = root->findChildren<QWidget *>(name);
    for (QWidget *w : found)
        if (w->isVisible())
            return w;
    return found.isEmpty() ? nullptr : found.first();
}

bool SendScenarioMouse(QWidget *widget, TScenarioCommand command)
{
    QPointer<QWidget> w = widget;
    const QPointF at(5, 5);
    const auto button = [&](QEvent::Type type, Qt::MouseButtons held) {
        if (!w)
            return;
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    switch (command) {
    case TScenarioCommand::Click:
        button(QEvent::MouseButtonPress, Qt::LeftButton);
        button(QEvent::MouseButtonRelease, Qt::NoButton);
        return true;
    case TScenarioCommand::Down: button(QEvent::MouseButtonPress, Qt::LeftButton); return true;
    case TScenarioCommand::Up: button(QEvent::MouseButtonRelease, Qt::NoButton); return true;
    case TScenarioCommand::Enter:
        if (w) {
            QEnterEvent e(at, at, w->mapToGlobal(at));
            QApplication::sendEvent(w, &e);
        }
        return true;
    case TScenarioCommand::Leave:
        if (w) {
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(w, &e);
        }
        return true;
    default: return false;
    }
}
