#pragma once
// A label: a text meant for captions and values, with the same settings and
// AutoSize behaviour as TText. Its defaults differ: left-aligned, vertically
// centred, no word wrap (a caption stays on one line unless asked otherwise).

#include "TText.h"

class STUDYTOOLKIT_EXPORT TLabel : public TText
{
    Q_OBJECT
public:
    explicit TLabel(QWidget *parent = nullptr);
};
