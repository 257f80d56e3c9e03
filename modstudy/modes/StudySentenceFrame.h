#pragma once
// TStudySentenceFrame: the view of sentence practice ("单句练习").
//
// It lists every sentence of the open lesson, one row each (speaker, text,
// loudspeaker), and holds the buttons, the score panel and the word table.
// It only shows things: what a click does (play, record, replay) is done by
// the main frame, which wires the rows and buttons to its own handlers and
// starts the actions through its start timers. The main frame owns the view
// and frees it on every mode switch and return.

#include "HostServices.h"

#include "TFrame.h"

#include <QByteArray>
#include <QList>
#include <QString>

class TGlowEffect;
class TLabel;
class TRectangle;
class TText;
class TVertScrollBox;

class TStudySentenceFrame : public TFrame
{
    Q_OBJECT
public:
    // Deletes "tmp/temp.wav" and "tmp/temp.mp3" under mainPath, so that no
    // earlier attempt's audio is played or replayed in this view.
    TStudySentenceFrame(QWidget *parent, const QString &mainPath);

    // Services. The archive also loads the view's pictures (microphone, loop
    // switch, score icons, loudspeaker, close button).
    void SetSndSound(const ISoundEnginePtr &value) { FSndSound = value; }
    void SetUIArchive(const IArchivePtr &value);
    void SetSentenceScoreHint(const ICustomHintPtr &value) { FSentenceScoreHint = value; }

    // One row of the sentence list, number k (counted over the whole lesson
    // from 0): "SentenceRoleName<k>" with the speaker followed by " :",
    // "SentenceContent<k>" with the sentence (its string tag the part index,
    // its integer tag the sentence index in the part, its float tag k) and
    // "SentenceTrumpet<k>" with glow "TrumpetGlowEffect<k>" (integer tag k).
    void AddSentenceRow(int partIndex, int sentenceIndex, const QString &speaker, const QString &text);
    int SentenceCount() const { return static_cast<int>(FSentenceContent.size()); }

    // Every sentence text in this colour.
    void ClearColorSentence(TAlphaColor color);
    // The second text of the chosen sentence, shown under the lesson picture.
    void SetSelectSentenceContent(const QString &text);
    // The last grading result as the engine gave it.
    void SetSentenceScoreContent(const QString &result) { FSentenceScoreContent = result; }
    QString SentenceScoreContent() const { return FSentenceScoreContent; }

    // The word table of a grading result: one row per "details" entry, the
    // word ("DisplayScore_Content<i>") and its score ("DisplayScore_Score<i>")
    // in the colour of the score. An empty result clears the table.
    void DisplayScore(const QString &result);
    // The total, accuracy, fluency and integrity of a grading result, with
    // the engine's spoken comment on the total. False, and nothing shown, for
    // a result without "overall".
    bool DecodeScoreSentence(const QString &result);

    // The loop switch is on.
    bool LoopOn() const;

    // -- controls --
    TVertScrollBox *VertScrollBox_Content = nullptr;
    TRectangle *Rectangle_SentencePicture = nullptr;
    TText *Text_SelectSentenceContent = nullptr;
    TRectangle *Rectangle_Read = nullptr;
    TRectangle *Rectangle_Start = nullptr; // integer tag 1 while a recording of this view runs
    TLabel *Label_Start = nullptr;
    TRectangle *Rectangle_Replay = nullptr;
    TLabel *Label_SpeedPlay = nullptr;
    TRectangle *Rectangle_LoopPlay = nullptr; // integer tag 1: loop on
    TRectangle *Rectangle_Score = nullptr;
    TText *Text_SentenceScore = nullptr;
    TLabel *Label_AccuracyScore = nullptr;
    TLabel *Label_FluencyScore = nullptr;
    TLabel *Label_IntegrityScore = nullptr;
    TLabel *Label_Detail = nullptr;
    TRectangle *Rectangle_SentenceScore = nullptr; // the word table panel
    TVertScrollBox *VertScrollBox_SentenceScore = nullptr;
    TRectangle *Rectangle_SentenceScoreExit = nullptr;

    // -- one entry per sentence row --
    QList<TText *> FSentenceRoleName;
    QList<TText *> FSentenceContent;
    QList<TRectangle *> FSentenceTrumpet;
    QList<TGlowEffect *> FTrumpetGlowEffect;
    // -- one entry per word table row --
    QList<TText *> DisplayScore_Content;
    QList<TText *> Displayscore_Score;

    // Frame handlers (connected by the view itself).
    void Rectangle_LoopPlayClick();
    void Label_DetailClick();

private:
    void BuildControls();
    void ConnectControls();
    void ClearWordTable();
    // Shows the hint of a control on enter and hides it on leave.
    void HintOnHover(TControl *control, const QString &text);
    bool LoadPicture(TRectangle *target, const QString &name);

    ISoundEnginePtr FSndSound;
    IArchivePtr FUIArchive;
    ICustomHintPtr FSentenceScoreHint;
    QString FSentenceScoreContent;
    QString FSelectSentenceContent;
    // The loudspeaker picture, read once and given to every row.
    QByteArray FMemoryPictureTrumpet;
    // Bottom of the last sentence row, where the next one goes.
    double m_nextRowY = 0;
};
