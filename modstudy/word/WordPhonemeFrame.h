#pragma once
// TWordPhonemeFrame: one phoneme chip of a word's result row, "[" phonetic
// symbol "] " and the phoneme's score, with a play button that shows the
// phoneme's mouth animation on the chip's animation spot.

#include "HostServices.h"

#include "TPngAni.h"

#include "TFrame.h"

#include <QPointer>

class TButton;
class TLabel;
class TRectangle;

class TWordPhonemeFrame : public TFrame
{
    Q_OBJECT
public:
    static constexpr double kWidth = 154;
    static constexpr double kHeight = 33;

    // A chip kWidth wide, or narrower: the score column shrinks.
    explicit TWordPhonemeFrame(QWidget *parent, double width = kWidth);
    ~TWordPhonemeFrame() override;

    void SetUIArchive(const IArchivePtr &value) { FUIArchive = value; }
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    // Where the animation plays; the chip's own spot until the owner gives
    // its own.
    void SetAnimationSpot(TRectangle *spot) { m_spot = spot; }
    TRectangle *AnimationSpot() const { return m_spot; }

    // Shows or hides the texts and the button (an empty padding chip hides
    // them).
    void DisplayVisible(bool visible);

    // Shows the spot and plays the animation named by the button's tag text
    // (the engine's phoneme symbol) once on it.
    void Button_PhonemePlayClick();
    // Hides the spot and stops the animation.
    void AniStop();
    void playStopAni();
    TPngAni *Animation() const { return ReadAni; }

    TRectangle *Rectangle1 = nullptr;
    TLabel *Label1 = nullptr;
    TLabel *Label_Content = nullptr;
    TLabel *Label2 = nullptr;
    TLabel *Label_Score = nullptr;
    TButton *Button_PhonemePlay = nullptr;
    TRectangle *Rectangle_AnimationBackground = nullptr;

private:
    IArchivePtr FUIArchive;
    ISoundEnginePtr FSoundEngine;
    // On the animation spot, which may belong to the owner and go first.
    QPointer<TPngAni> ReadAni;
    TRectangle *m_spot = nullptr;
};
