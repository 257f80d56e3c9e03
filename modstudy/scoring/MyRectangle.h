#pragma once
// TMyRectangle: a cell of the passage result table, a tinted rectangle with
// a label, keeping the sentence's detail object for unfolding it.

#include "JsonModel.h"

#include "TRectangle.h"

class TLabel;

class TMyRectangle : public TRectangle
{
    Q_OBJECT
public:
    explicit TMyRectangle(QWidget *parent);

    TLabel *Text = nullptr;
    // The sentence's "details" entry when it has words; null otherwise.
    TJson FWordJson;
};
