#pragma once
// Containers. TFrame is the base of the screens: a plain control that holds
// the controls of one view. TLayout is an invisible container for grouping and
// positioning controls; it lets clicks through to what lies under it unless
// a mouse handler is connected to it.

#include "TControl.h"

class STUDYTOOLKIT_EXPORT TFrame : public TControl
{
    Q_OBJECT
public:
    explicit TFrame(QWidget *parent = nullptr);
};

class STUDYTOOLKIT_EXPORT TLayout : public TControl
{
    Q_OBJECT
public:
    explicit TLayout(QWidget *parent = nullptr);
};
