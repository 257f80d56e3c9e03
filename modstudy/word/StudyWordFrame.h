#pragma once
// TStudyWordFrame: the word card of the word drill.
//
// A home page shows the unit's first word and the drill's two options; the
// drill page shows the current word with its picture, phonetic text, meaning
// and example sentence, the drill buttons, and after each grading the word's
// total and one row per phoneme: "[" phonetic symbol "]", a play button that
// shows the phoneme's mouth animation, and the phoneme's score in the colour
// of its score. The drill itself (which word, when to record, what the
// buttons do) is run by the main frame; the card shows and keeps the state
// the drill hands it.

#include "HostServices.h"
#include "WorkState.h"

#include "TPngAni.h"

#include "TFrame.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class TButton;
class TCheckBox;
class TCornerButton;
class TLabel;
class TMemo;
class TRectangle;
class TText;
class TVertScrollBox;

class TStudyWordFrame : public TFrame
{
    Q_OBJECT
public:
    static constexpr double kWidth = 984;
    static constexpr double kHeight = 456;

    // Ticks both options; the home page is hidden until the drill shows it.
    explicit TStudyWordFrame(QWidget *parent);
    ~TStudyWordFrame() override;

    // The phoneme list of a grading result: the total in Text_WordScore and
    // rows "WordPhoneme<k>", "WordPhonemePlayButton<k>", "WordPhonemeScore<k>"
    // for every phoneme of every detail. An empty text clears the list; a
    // result without details or phonemes shows only the total.
    void DisplayPhonemeScore(const QString &result);
    // The phonetic symbol of an engine phoneme; the symbol itself when none
    // is known.
    static QString PhonemeToPhonetic(const QString &phoneme);
    // Colours a text by the score colour scale.
    static void SetLabelFontColor(TText *label, double score);
    // Selects the first occurrence of the trimmed word in the example, in
    // any letter case, also at its very start; false when it is not there.
    bool SelWord(const QString &word);
    // A phoneme's play button: refused with "请等待录音结束" while recording;
    // otherwise pauses the drill and plays the phoneme's animation.
    void PhonemeButtonOnClick(TButton *sender);
    void PlayPhonemeAni(const QString &phoneme, TRectangle *parent);
    void PhonemeAniStop();
    void playPhonemeStopAni();
    // Writes both options to "config\Param.ini", section "wordParam".
    void CheckBox_AutoPlayExampleClick();
    // The pause button's caption from its tag: 0 running "暂    停", 1 paused
    // "继    续".
    void Rectangle_StudyPauseMouseDown();

    // Setters of the state the drill hands the card (they only store).
    void SetMainPath(const QString &value) { m_mainPath = value; }
    void SetWordIndex(int value) { FWordIndex = value; }
    void SetbPause(bool value) { FbPause = value; }
    void SetbEnd(bool value) { FbEnd = value; }
    void SetisPass(bool value) { FisPass = value; }
    void SetCustomMsg(const ICustomMessagePtr &value) { FCustomMsg = value; }
    void SetUIArchive(const IArchivePtr &value);
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    void SetWorkState(TWorkState value) { FWorkState = value; }
    // Run when a phoneme click pauses a running drill (the drill's pause).
    void SetOnPause(std::function<void()> handler) { m_onPause = std::move(handler); }

    int WordIndex() const { return FWordIndex; }
    bool bPause() const { return FbPause; }
    TWorkState WorkState() const { return FWorkState; }
    const QList<TText *> &PhonemeTexts() const { return FWordPhoneme; }
    const QList<TText *> &PhonemeScores() const { return FWordPhonemeScore; }
    const QList<TButton *> &PhonemePlayButtons() const { return FWordPhonemePlayButton; }
    TPngAni *PhonemeAni() const { return FPhonemeAni; }

    // -- home page --
    TRectangle *Rectangle_WordStudyHome = nullptr;
    TText *Text_ExampleWord = nullptr;
    TText *Text_ExamplePhonetic = nullptr;
    TText *Text_ExampleTranslate = nullptr;
    TRectangle *Rectangle_ExamplePicture = nullptr;
    TCornerButton *CornerButton_ExampleRepeat = nullptr;
    TCheckBox *CheckBox_AutoPlayExample = nullptr;
    TCheckBox *CheckBox_OnlyStudyUnread = nullptr;
    TLabel *Label4 = nullptr;
    TCornerButton *CornerButton_StartWord = nullptr;
    // -- drill page --
    TRectangle *Rectangle_WordStudy = nullptr;
    TRectangle *Rectangle_WordPicture = nullptr;
    TText *Text_WordContent = nullptr;
    TCornerButton *CornerButton_WordStudyRepeat = nullptr;
    TText *Text_WordPhonetic = nullptr;
    TText *Text_WordTranslate = nullptr;
    TText *Text_WordExampleHint = nullptr;
    TRectangle *Rectangle_NoFinish = nullptr;
    TCornerButton *CornerButton_StudyPause = nullptr;
    TCornerButton *CornerButton_PreviousWord = nullptr;
    TCornerButton *CornerButton_NextWord = nullptr;
    TCornerButton *CornerButton_StudyEnd = nullptr;
    TMemo *Memo_WordExample = nullptr;
    TLabel *Label6 = nullptr;
    TCornerButton *CornerButton_PlayExample = nullptr;
    TText *Text_WordScore = nullptr;
    TVertScrollBox *VertScrollBox_WordScore = nullptr;
    TRectangle *Rectangle_WordAnimationBackground = nullptr;
    TRectangle *Rectangle_PhonemeAnimationBackground = nullptr;

private:
    void BuildHomePage();
    void BuildDrillPage();
    void FreePhoneScore();

    QString m_mainPath;
    int FWordIndex = 0;
    QList<TText *> FWordPhoneme;             // owned
    QList<TText *> FWordPhonemeScore;        // owned
    QList<TButton *> FWordPhonemePlayButton; // owned
    bool FbPause = false;
    bool FbEnd = false;
    bool FisPass = false;
    ICustomMessagePtr FCustomMsg;
    IArchivePtr FUIArchive;
    ISoundEnginePtr FSoundEngine;
    TWorkState FWorkState = wsIdle;
    QPointer<TPngAni> FPhonemeAni;
    std::function<void()> m_onPause;
};
