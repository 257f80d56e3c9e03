#pragma once
// TStudyWordScoreDetailsFrame: one graded word of a word drill's result
// list: the word with its play button, its phonemes as chips four to a line
// (the last line padded with empty chips), and the word's score.
//
// The owner (the result view) wires the play buttons: the word's button to
// its word-click handler, the chips' buttons (mouse down) to its handler
// that moves the shared animation spot beside the pressed chip.

#include "HostServices.h"

#include "TFrame.h"

#include <QList>
#include <QString>

#include <functional>

class TButton;
class TLabel;
class TRectangle;
class TWordPhonemeFrame;

class TStudyWordScoreDetailsFrame : public TFrame
{
    Q_OBJECT
public:
    static constexpr double kWordCellWidth = 160;
    static constexpr double kWordCellHeight = 33;

    static constexpr double kFullWidth = 860;
    static constexpr double kScoreWidth = 89;

    // A row `width` wide: the word cell, four chips sharing their borders and
    // the score cell; a row narrower than kFullWidth has narrower chips.
    explicit TStudyWordScoreDetailsFrame(QWidget *parent, double width = kFullWidth);
    double ChipWidth() const { return m_chipWidth; }

    // Fills the row from one "wordResult" entry (JSON text). A placeholder
    // entry (empty "result") or a result without "details" leaves the row 0
    // high. A word without phonemes shows its word and score on one line.
    void Display(const QString &entry);
    void SetContent(const QString &entry);
    void ClearDisplay();

    void SetOrderIndex(int index) { FOrderIndex = index; }
    int OrderIndex() const { return FOrderIndex; }
    void SetUIArchive(const IArchivePtr &value) { FUIArchive = value; }
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    // Mouse down on a chip's play button; runs before the chip's own click.
    void SetPhonemeButtonMouseEvent(std::function<void(TButton *)> handler);
    // The spot every chip plays its animation on (the owner's).
    void SetAnimationSpot(TRectangle *spot) { m_spot = spot; }

    QString Content() const { return FContent; }
    const QList<TWordPhonemeFrame *> &Phonemes() const { return WordPhonemes; }

    TRectangle *Rectangle_WordContent = nullptr;
    TLabel *Label_WordContent = nullptr;
    TButton *Button_Play = nullptr;
    TRectangle *Rectangle_WordScore = nullptr;
    TLabel *Label_WordScore = nullptr;
    TRectangle *Rectangle_AnimationBackground = nullptr;

private:
    TWordPhonemeFrame *AddChip(int j);

    QString FContent;
    IArchivePtr FUIArchive;
    ISoundEnginePtr FSoundEngine;
    std::function<void(TButton *)> FPhonemeButtonMouseEvent;
    int FOrderIndex = 0;
    QList<TWordPhonemeFrame *> WordPhonemes; // owned
    TRectangle *m_spot = nullptr;
    double m_chipWidth = 154;
};
