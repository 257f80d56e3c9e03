#pragma once
// The controls of TStudyFrame's four pages, a base of TStudyFrame so that
// every subsystem and test reaches them by their names (frame->TabControl_Home).
// frame/FramePagesHome.cpp builds page 0, frame/FramePagesOther.cpp pages 1
// to 3; each control's objectName is its field's name. The controls are
// owned by the Qt parent they sit on, so these are plain pointers.

class TButton;
class TCornerButton;
class TFrameAnimation;
class TGlowEffect;
class TImageControl;
class TLabel;
class TProgressBar;
class TRectangle;
class TTabControl;
class TTabItem;
class TText;
class TVertScrollBox;

struct TStudyFramePages
{
    TTabControl *TabControl_Home = nullptr;
    TTabItem *TabItem_Home = nullptr;
    TTabItem *TabItem_Book = nullptr;
    TTabItem *TabItem_Study = nullptr;
    TTabItem *TabItem_DisplayScore = nullptr;

    // -- Page 0, the course shelf --
    TRectangle *Rectangle_HomeTop = nullptr; // banner holding the tabs
    TRectangle *Rectangle_TabMyCourse = nullptr;
    TRectangle *Rectangle_TabMaterials = nullptr;
    TRectangle *Rectangle_TabRecommand = nullptr;
    TRectangle *Rectangle_QueryIcon = nullptr; // opens the score history
    TRectangle *Rectangle_ShelfBar = nullptr;  // row of the shelf buttons
    TButton *Button_UsuallyBook = nullptr;
    TButton *Button_MyBook = nullptr;
    TButton *Button_MaterialsBook = nullptr;
    TButton *Button_ReccommandBook = nullptr;
    TRectangle *Rectangle_MyBookTypeSelect = nullptr;
    TText *Text_MyBookText = nullptr;
    TText *Text_MyBookWord = nullptr;
    TText *Text_MyBookExtracurricular = nullptr;
    TRectangle *Rectangle_MyBookFiveStar = nullptr;
    TRectangle *Rectangle_MaterialsTypeSelect = nullptr;
    TText *Text_MaterialsVox = nullptr;
    TText *Text_MaterialsTeacher = nullptr;
    TRectangle *Rectangle_MaterialsFiveStar = nullptr;
    TGlowEffect *GlowEffect_TypeSelect = nullptr;
    TRectangle *Rectangle_ShelfArea = nullptr; // background of the lists
    TVertScrollBox *VertScrollBox_Usually = nullptr;
    TRectangle *Rectangle_NotingUsuallyBook = nullptr;
    TRectangle *Rectangle_MyBookRootContainer = nullptr;
    TVertScrollBox *VertScrollBox_MyBookText = nullptr;
    TVertScrollBox *VertScrollBox_MyBookWord = nullptr;
    TVertScrollBox *VertScrollBox_MyBookExtracurricular = nullptr;
    TRectangle *Rectangle_MaterialsRootContainer = nullptr;
    TVertScrollBox *VertScrollBox_MaterialsVox = nullptr;
    TVertScrollBox *VertScrollBox_MaterialsTeacher = nullptr;
    TVertScrollBox *VertScrollBox_Recommand = nullptr;
    TRectangle *Rectangle_RecommandRootBackGground = nullptr;
    TButton *Button_CloseRecommandRoot = nullptr;
    TRectangle *Rectangle_RecommandContentBackGground = nullptr;
    TVertScrollBox *VertScrollBox_RecommandMessage = nullptr;
    TLabel *Label_RecommandMessageContent = nullptr;
    TButton *Button_CloseRecommandContent = nullptr;
    TCornerButton *CornerButton_MessageClose = nullptr;

    // -- Page 1, the open book --
    TRectangle *Rectangle_BookHeader = nullptr;
    TRectangle *Rectangle_BookPicture = nullptr;
    TText *Text_Description = nullptr;
    TLabel *Label_FullBookFinishRate = nullptr;
    TProgressBar *ProgressBar_FullBookFinishRate = nullptr;
    TLabel *Label_FullBookAverageScore = nullptr;
    TLabel *Label2 = nullptr; // caption of the unit list
    TVertScrollBox *VertScrollBox_Unit = nullptr;
    TRectangle *Rectangle_UnitPageControl = nullptr;
    TButton *Button_UnitPreviousPage = nullptr;
    TButton *Button_UnitNexPage = nullptr;
    TLabel *Label_CurrentUnitPage = nullptr;    // the page on show, 1-based
    TLabel *Label_TotalUnitPage = nullptr;      // "/" and the page count
    TRectangle *Rectangle_LessonArea = nullptr; // the lessons of a unit
    TRectangle *Rectangle_Remind = nullptr;
    TLabel *Label_Remind = nullptr;
    TRectangle *Rectangle_WelcomeAniBackground = nullptr;
    TImageControl *Image1 = nullptr; // the unit-state pictures (finished, unfinished)
    TButton *Button_Return = nullptr;

    // -- Page 2, a lesson or word study --
    TRectangle *Rectangle_StudyTop = nullptr;
    // The strip of the four mode tabs: a rectangle each (its name is the
    // mode's name in curModeName) around the tab's text (Tag 1: chosen).
    TRectangle *Rectangle_StudyModeSelectTab = nullptr;
    TRectangle *Rectangle_Sentence = nullptr;
    TRectangle *Rectangle_Part = nullptr;
    TRectangle *Rectangle_Repeat = nullptr;
    TRectangle *Rectangle_Role = nullptr;
    TText *Text_TabSentence = nullptr;
    TText *Text_TabPart = nullptr;
    TText *Text_TabRepeat = nullptr;
    TText *Text_TabRole = nullptr;
    TRectangle *Rectangle_Word = nullptr; // the word study's tab (hidden in lesson modes)
    TLabel *Label_Title = nullptr;        // the mode's instruction line
    // The sentence counter: Text1 "句子", the current number, Text3 "/" and
    // the total.
    TText *Text1 = nullptr;
    TText *Text_SelectSentenceIndex = nullptr;
    TText *Text3 = nullptr;
    TText *Text_SentenceTotalCount = nullptr;
    TText *Text_WordContinueTitle = nullptr;
    TRectangle *Rectangle_StudyCenterBackground = nullptr; // holds the one mode view
    // Where the figure animations play (moved and sized by PlayReadAni and
    // PlayRecordAni).
    TRectangle *Rectangle_AnimationBackground_Study = nullptr;
    // The animation laid on the microphone while recording (PlayRecordAnimation).
    TRectangle *Rectangle_RecordAnimation = nullptr;
    TFrameAnimation *BitmapListAnimation_Play = nullptr;
    TRectangle *Rectangle_RecordImage = nullptr;
    TButton *Button_Study_LearningReturn = nullptr;

    // -- Page 3, a result --
    TRectangle *Rectangle_ScoreTop = nullptr;
    TRectangle *Rectangle_JudgeAnimationBackground = nullptr;
    TText *Text_DisplayTotalScore = nullptr;
    TText *Text_TotalScoreCaption = nullptr; // "总分"
    TRectangle *Rectangle_Medal = nullptr;
    TText *Text_MedalCount = nullptr;
    TRectangle *Rectangle_Exp = nullptr;
    TText *Text_Exp = nullptr;
    TRectangle *Rectangle_voxCoin = nullptr;
    TText *Text_voxCoin = nullptr;
    TCornerButton *CornerButton_SharedAudio = nullptr;
    TRectangle *Rectangle_StudyDisplayScoreBackground = nullptr;
    TButton *Button_DisplayReturn = nullptr;
};
