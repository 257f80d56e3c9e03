#pragma once
// TStudyRepeatFrame: the view of passage repeat ("短文复诵").
//
// Created on a switch to passage repeat with the sound engine and the hint
// service; the main frame wires its buttons. It shows the repeat picture and
// the control bar; listening and repeating are done by the main frame.

#include "ModeBarFrame.h"

class TStudyRepeatFrame : public TModeBarFrame
{
    Q_OBJECT
public:
    explicit TStudyRepeatFrame(QWidget *parent);

    TRectangle *Rectangle_PartPicture = nullptr; // the repeat picture

protected:
    void LoadPictures() override;
};
