#include "ControlProbe.h"

#include "TButton.h"
#include "TCheckBox.h"
#include "TControl.h"
#include "TMemo.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"

#include <QWidget>

namespace {

QString Number(double value)
{
    return QString::number(value, 'g', 12);
}

QString Bool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

std::optional<QString> TextOf(const QWidget *w)
{
    if (const auto *t = qobject_cast<const TText *>(w))
        return t->Text();
    if (const auto *b = qobject_cast<const TButton *>(w))
        return b->Text();
    if (const auto *c = qobject_cast<const TCheckBox *>(w))
        return c->Text();
    if (const auto *m = qobject_cast<const TMemo *>(w))
        return m->Text();
    if (const auto *p = qobject_cast<const TTabItem *>(w))
        return p->Text();
    return std::nullopt;
}

std::optional<TAlphaColor> ColorOf(const QWidget *w)
{
    if (const auto *t = qobject_cast<const TText *>(w))
        return t->Color();
    if (const auto *b = qobject_cast<const TButton *>(w))
        return b->FontColor();
    if (const auto *c = qobject_cast<const TCheckBox *>(w))
        return c->FontColor();
    if (const auto *m = qobject_cast<const TMemo *>(w))
        return m->FontColor();
    if (const auto *r = qobject_cast<const TRectangle *>(w))
        return r->FillColor();
    return std::nullopt;
}

} // namespace

std::optional<QString> ReadControlProperty(const QWidget *widget, const QString &property, QString &error)
{
    error.clear();
    if (!widget) {
        error = QStringLiteral("no widget");
        return std::nullopt;
    }
    const auto *control = qobject_cast<const TControl *>(widget);
    const QString p = property.toLower();
    const auto lacks = [&]() -> std::optional<QString> {
        error = QString::fromUtf8(widget->metaObject()->className()) % QStringLiteral(" ") % widget->objectName()
                % QStringLiteral(" has no ") % p;
        return std::nullopt;
    };

    if (p == QLatin1String("text")) {
        const auto text = TextOf(widget);
        return text ? text : lacks();
    }
    if (p == QLatin1String("visible"))
        return Bool(control ? control->Visible() : !widget->isHidden());
    if (p == QLatin1String("enabled"))
        return Bool(widget->isEnabled());
    if (p == QLatin1String("x"))
        return Number(control ? control->X() : widget->x());
    if (p == QLatin1String("y"))
        return Number(control ? control->Y() : widget->y());
    if (p == QLatin1String("width"))
        return Number(control ? control->Width() : widget->width());
    if (p == QLatin1String("height"))
        return Number(control ? control->Height() : widget->height());
    if (p == QLatin1String("color")) {
        const auto color = ColorOf(widget);
        return color ? std::optional<QString>(AlphaColorToString(*color)) : lacks();
    }
    if (p == QLatin1String("page")) {
        if (const auto *tabs = qobject_cast<const TTabControl *>(widget))
            return QString::number(tabs->TabIndex());
        if (const auto *page = qobject_cast<const TTabItem *>(widget))
            return QString::number(page->Index());
        return lacks();
    }
    if (!control) // the rest belong to the toolkit's controls
        return lacks();
    if (p == QLatin1String("tag"))
        return QString::number(control->Tag());
    if (p == QLatin1String("tagfloat"))
        return Number(control->TagFloat());
    if (p == QLatin1String("tagstring"))
        return control->TagString();
    if (p == QLatin1String("hint"))
        return control->Hint();
    error = QStringLiteral("unknown property ") % property;
    return std::nullopt;
}
