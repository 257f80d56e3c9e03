#pragma once
// Small makers for the controls of the study frame's pages: each creates a
// named control on a parent at a position in logical pixels.

#include "TControl.h"

class TButton;
class TCornerButton;
class TLabel;
class TRectangle;
class TText;
class TVertScrollBox;

namespace ControlMakers {

TRectangle *Rect(QWidget *parent, const QString &name, double x, double y, double w, double h, TAlphaColor fill);
// A rectangle that paints nothing of its own (a container or picture holder).
TRectangle *Holder(QWidget *parent, const QString &name, double x, double y, double w, double h);
TText *Text(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
            double size, TAlphaColor color = 0xFF000000);
TLabel *Label(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
              double size, TAlphaColor color = 0xFF000000);
TButton *Button(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
                const QString &style = QString());
TCornerButton *CornerButton(QWidget *parent, const QString &name, double x, double y, double w, double h,
                            const QString &text);
TVertScrollBox *ScrollBox(QWidget *parent, const QString &name, double x, double y, double w, double h);
// Rounds a rectangle's corners and gives it a thin grey outline (a white card).
void Card(TRectangle *r);

} // namespace ControlMakers
