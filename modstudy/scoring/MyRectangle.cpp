#include "MyRectangle.h"

#include "Commonconst.h"

#include "TLabel.h"

TMyRectangle::TMyRectangle(QWidget *parent) : TRectangle(parent)
{
    SetFillColor(0xFFE8F3F2);
    SetStrokeThickness(0);
    SetXRadius(5);
    SetYRadius(5);
    Text = new TLabel(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setCursor(Qt::PointingHandCursor);
    Text->SetHitTest(true);
    Text->SetAutoSize(false);
    Text->SetFontFamily(FontWQYdzStr);
    Text->SetFontSize(16);
    Text->SetWordWrap(false);
    Text->SetHorzAlign(TTextAlign::Leading);
}
