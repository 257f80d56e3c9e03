#pragma once
// Reading a property of a control for the scenario runner's `get`, as text.
//
//   text       the control's text (texts, labels, buttons, check boxes, memos, tab pages)
//   visible    "true"/"false": the control's own visibility (not its parents')
//   enabled    "true"/"false"
//   x y width height   the logical geometry relative to the parent
//   tag tagfloat tagstring hint   the control's tags and hint text
//   color      "#AARRGGBB": the text colour (texts, buttons, check boxes,
//              memos) or the fill colour (rectangles)
//   page       the active page index of a tab control, or a page's own index
//
// Numbers are written the shortest way ("120", "12.5").

#include <QString>

#include <optional>

class QWidget;

// The property as text; nullopt with `error` set when the widget has no such
// property (for example the text of a rectangle).
std::optional<QString> ReadControlProperty(const QWidget *widget, const QString &property, QString &error);
