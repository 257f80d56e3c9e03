#pragma once
// Finding a widget by name and handing it the mouse, as the scenario
// commands click, down, up, enter and leave do: the left button at (5, 5)
// of the widget.

#include "ScenarioScript.h"

#include <QString>

class QWidget;

// The widget named `name` below `root`. Run-time controls may share a name
// with hidden ones: a widget on screen is preferred; null when none has it.
QWidget *FindScenarioWidget(const QWidget *root, const QString &name);

// Sends the mouse events of a mouse command to `widget`: click is a press
// and a release, down a press, up a release, enter and leave the pointer
// entering and leaving. The widget may be deleted by what a press starts;
// the release is then not sent. False when `command` is not a mouse command.
bool SendScenarioMouse(QWidget *widget, TScenarioCommand command);
