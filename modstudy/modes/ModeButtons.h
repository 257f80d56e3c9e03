#pragma once
// The control bar the passage views share with sentence practice: play the
// model audio, the microphone with its caption, replay, and the speed label.

#include "HostServices.h"

#include <QObject>
#include <QString>

class QWidget;
class TLabel;
class TRectangle;

struct TModeButtons
{
    TRectangle *Rectangle_Read = nullptr;
    TRectangle *Rectangle_Start = nullptr; // integer tag 1 while a recording of the view runs
    TLabel *Label_Start = nullptr;
    TRectangle *Rectangle_Replay = nullptr;
    TLabel *Label_SpeedPlay = nullptr;
    TRectangle *Rectangle_LoopPlay = nullptr; // integer tag 1: loop on
};

// Creates the bar on `parent` with its top-left corner at x, y (about 330 by
// 100 logical pixels) and the given captions under play and replay.
TModeButtons MakeModeButtons(QWidget *parent, double x, double y, const QString &readCaption,
                             const QString &replayCaption);
// Loads the bar's pictures from the archive.
void LoadModeButtonPictures(const TModeButtons &buttons, const IArchivePtr &archive);
// Switches the loop on or off, with its picture.
void ToggleLoop(const TModeButtons &buttons, const IArchivePtr &archive);
// Shows the hints "播放速度" and "循环播放" over the speed label and the
// loop switch through the hint service, as long as `owner` lives.
void HintModeButtons(QObject *owner, const TModeButtons &buttons, const ICustomHintPtr *hint);
