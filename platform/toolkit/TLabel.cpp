#include "TLabel.h"

TLabel::TLabel(QWidget *parent) : TText(parent)
{
    SetHorzAlign(TTextAlign::Leading);
    SetVertAlign(TTextAlign::Center);
    SetWordWrap(false);
}
