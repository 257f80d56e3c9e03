#pragma once
// TModeBarFrame: a passage mode's view (passage reading, passage repeat)
// with the control bar both share: play the model audio, the microphone with
// its caption, replay, the speed label and the loop switch (with their hints
// "播放速度" and "循环播放").

#include "HostServices.h"

#include "TFrame.h"

#include <QString>

class TLabel;
class TRectangle;

class TModeBarFrame : public TFrame
{
    Q_OBJECT
public:
    void SetCustomHint(const ICustomHintPtr &value) { FCustomHint = value; }
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    // Also loads the bar's pictures (and the view's own, LoadPictures).
    void SetUIArchive(const IArchivePtr &value);
    // The loop switch is on.
    bool LoopOn() const;

    TRectangle *Rectangle_Read = nullptr;
    TRectangle *Rectangle_Start = nullptr; // integer tag 1 while a recording of the view runs
    TLabel *Label_Start = nullptr;
    TRectangle *Rectangle_Replay = nullptr;
    TLabel *Label_SpeedPlay = nullptr;
    TRectangle *Rectangle_LoopPlay = nullptr; // integer tag 1: loop on

protected:
    // A view of the study page's centre area named `name`.
    TModeBarFrame(QWidget *parent, const QString &name);
    // Creates the bar with its top-left corner at x, y (about 330 by 100
    // logical pixels; the loop switch sits above it).
    void BuildBar(double x, double y, const QString &readCaption);
    // The view's own pictures, loaded with the bar's.
    virtual void LoadPictures() {}

    IArchivePtr FUIArchive;
    ICustomHintPtr FCustomHint;
    ISoundEnginePtr FSoundEngine;

private:
    void LoadBarPictures();
};
