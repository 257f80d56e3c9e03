#pragma once
// TStudyRepeatFrame: the view of passage repeat ("短文复诵").
//
// Created on a switch to passage repeat with the sound engine and the hint
// service; the main frame wires its buttons. It shows the repeat picture in
// the centre and the control bar; the passage to repeat and the repeating
// itself are done by the main frame.

#include "HostServices.h"
#include "ModeButtons.h"

#include "TFrame.h"

class TStudyRepeatFrame : public TFrame
{
    Q_OBJECT
public:
    explicit TStudyRepeatFrame(QWidget *parent);

    void SetCustomHint(const ICustomHintPtr &value) { FCustomHint = value; }
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    void SetUIArchive(const IArchivePtr &value);

    TRectangle *Rectangle_PartPicture = nullptr; // the repeat picture
    TRectangle *Rectangle_Read = nullptr;
    TRectangle *Rectangle_Start = nullptr;
    TLabel *Label_Start = nullptr;
    TRectangle *Rectangle_Replay = nullptr;
    TLabel *Label_SpeedPlay = nullptr;
    TRectangle *Rectangle_LoopPlay = nullptr; // integer tag 1: loop on
    bool LoopOn() const;

private:
    IArchivePtr FUIArchive;
    ICustomHintPtr FCustomHint;
    ISoundEnginePtr FSoundEngine;
    TModeButtons m_buttons;
};
