#include "TFrame.h"

TFrame::TFrame(QWidget *parent) : TControl(parent)
{
}

TLayout::TLayout(QWidget *parent) : TControl(parent)
{
    SetDefaultHitTest(false);
}
