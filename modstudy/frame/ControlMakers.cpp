#include "ControlMakers.h"
#include "Palette.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

namespace ControlMakers {

namespace {
template<class T>
T *Place(T *control, const QString &name, double x, double y, double w, double h)
{
    control->SetName(name);
    control->SetBounds(x, y, w, h);
    return control;
}
} // namespace

TRectangle *Rect(QWidget *parent, const QString &name, double x, double y, double w, double h, TAlphaColor fill)
{
    auto *r = Place(new TRectangle(parent), name, x, y, w, h);
    r->SetFillColor(fill);
    return r;
}

TRectangle *Holder(QWidget *parent, const QString &name, double x, double y, double w, double h)
{
    auto *r = Place(new TRectangle(parent), name, x, y, w, h);
    r->SetFill(TRectangle::FillKind::None);
    return r;
}

TText *Text(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
            double size, TAlphaColor color)
{
    auto *t = Place(new TText(parent), name, x, y, w, h);
    t->SetFontSize(size);
    t->SetColor(color);
    t->SetText(text);
    return t;
}

TLabel *Label(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
              double size, TAlphaColor color)
{
    auto *l = Place(new TLabel(parent), name, x, y, w, h);
    l->SetFontSize(size);
    l->SetColor(color);
    l->SetText(text);
    return l;
}

TButton *Button(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
                const QString &style)
{
    auto *b = Place(new TButton(parent), name, x, y, w, h);
    b->SetText(text);
    if (!style.isEmpty())
        b->SetStyleLookup(style);
    return b;
}

TCornerButton *CornerButton(QWidget *parent, const QString &name, double x, double y, double w, double h,
                            const QString &text)
{
    auto *b = Place(new TCornerButton(parent), name, x, y, w, h);
    b->SetText(text);
    return b;
}

TVertScrollBox *ScrollBox(QWidget *parent, const QString &name, double x, double y, double w, double h)
{
    return Place(new TVertScrollBox(parent), name, x, y, w, h);
}

void Card(TRectangle *r)
{
    r->SetXRadius(8);
    r->SetYRadius(8);
    r->SetStrokeColor(Palette::kLine);
    r->SetStrokeThickness(1);
}

} // namespace ControlMakers
