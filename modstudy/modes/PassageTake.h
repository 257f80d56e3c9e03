#pragma once
// One recording of a passage mode: the microphone it was started from and
// its caption, and whether the frame went while it ran.

#include <QPointer>

class TLabel;
class TRectangle;

struct TPassageTake
{
    QPointer<TRectangle> start; // the microphone (integer tag 1 while recording)
    QPointer<TLabel> caption;   // "点击话筒 , 开始录音" / "点击话筒 , 停止录音"
    bool gone = false;          // the frame was destroyed during the recording
};
