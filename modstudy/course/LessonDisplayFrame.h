#pragma once
// TLessonDisplayFrame: one unit row of the course page.
//
// A row is 85 high: a title bar (Rectangle_Back) with the unit's name and,
// in a word book, its word-assignment count; the unit button
// (CornerButton_Unit) at the left with its corner flag; below the title the
// unit's completion bar and average score. A textbook row also has a lesson
// panel (Rectangle_LessonBack, 464 x 440 at X 486 of the row) that always
// starts at the top of the unit list, joined to the pressed row by a white
// joint (Rectangle_WhiteConnect); it holds the lesson rows and the four-mode
// menu. A word-book row has a one-entry menu (Rectangle_WordStudyMode).
//
// The panel and the joint reach beyond the row's own 85 pixels, so they sit
// on the row's parent (the unit list) beside the row rather than inside it;
// the row places them, shows and hides them and frees them with itself.
//
// The row only builds and shows controls; what a press means is decided by
// the study frame through the handlers stored with the setters.

#include "TFrame.h"
#include "TLabel.h"

#include <QImage>
#include <QList>
#include <QPointer>

#include <functional>

class TButton;
class TCornerButton;
class TProgressBar;
class TRectangle;
class TShadowEffect;
class TVertScrollBox;
class IArchive;

// The press of a control, with the pressed control.
using TRowMouseEvent =
    std::function<void(TControl *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y)>;
using TRowNotifyEvent = std::function<void(TControl *sender)>;

// The flag text over a ribbon picture, both turned by an angle about the
// control's centre (the unit button's corner flag reads along the corner).
class TTurnedFlagLabel : public TLabel
{
    Q_OBJECT
public:
    explicit TTurnedFlagLabel(QWidget *parent = nullptr);
    double Angle() const { return m_angle; }
    void SetAngle(double degrees);
    const QImage &Ribbon() const { return m_ribbon; }
    void SetRibbon(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_angle = 0;
    QImage m_ribbon;
};

class TLessonDisplayFrame : public TFrame
{
    Q_OBJECT
public:
    static constexpr double kRowHeight = 85;
    static constexpr double kTitleBarWidthTextbook = 466;
    static constexpr double kTitleBarWidthWordBook = 950;
    static constexpr double kPanelX = 486;
    static constexpr double kPanelWidth = 464;
    static constexpr double kPanelHeight = 440;

    explicit TLessonDisplayFrame(QWidget *parent);
    ~TLessonDisplayFrame() override;

    // -- Controls of the row --
    TRectangle *Rectangle_Back = nullptr;
    TLabel *Label_Title = nullptr;
    TRectangle *Rectangle_WordFinishInfo = nullptr;
    TLabel *Label1 = nullptr; // "作业完成量"
    TLabel *Label_WordFinishCount = nullptr;
    TLabel *Label_WordTotalCount = nullptr;
    TCornerButton *CornerButton_Unit = nullptr;
    TRectangle *Rectangle_UnitFinishFlag = nullptr;
    TTurnedFlagLabel *Label_UnitFinishFlag = nullptr;
    TRectangle *Rectangle2 = nullptr;
    TText *Text_Percent = nullptr;
    TProgressBar *ProgressBar_Percent = nullptr;
    TLabel *Label_AverageScore = nullptr;
    // -- The lesson panel (on the row's parent) --
    TRectangle *Rectangle_LessonBack = nullptr;
    TRectangle *Rectangle_WhiteConnect = nullptr;
    TVertScrollBox *VertScrollBox_Lesson = nullptr;
    TRectangle *Rectangle_StudyMode = nullptr;
    TLabel *Label_Sentence = nullptr;
    TLabel *Label_Part = nullptr;
    TLabel *Label_Repeat = nullptr;
    TLabel *Label_Role = nullptr;
    TRectangle *Rectangle_WordStudyMode = nullptr;
    TLabel *Label_Word = nullptr;
    TShadowEffect *ShadowEffect_public = nullptr;

    // -- Lesson rows of the panel, one entry per lesson --
    QList<TRectangle *> FRectangleLesson;
    QList<TLabel *> FTextLesson;
    QList<TRectangle *> FRectangle_LessonFinishFlag;
    QList<TLabel *> FLabel_LessonFinishFlag;

    // -- Fields and their setters --
    qint64 FUnitID = 0;
    qint64 FLessonID = 0;
    QString FWordFinishContent;
    bool FisAssignmentAndFinished = false;
    int FArrayIndex = 0;
    bool FisWordUnit = false;
    void SetUnitID(qint64 value) { FUnitID = value; }
    void SetLessonID(qint64 value) { FLessonID = value; }
    void SetArrayIndex(int value) { FArrayIndex = value; }
    void SetisWordUnit(bool value) { FisWordUnit = value; }
    void SetisAssignmentAndFinished(bool value) { FisAssignmentAndFinished = value; }
    // Stores the count text and splits it over the two count labels: the
    // total takes the done-count's blue once both are equal (and the
    // assignment counts as finished), orange otherwise.
    void SetWordFinishContent(const QString &value);

    // Handlers: the unit button's press is forwarded with the button as
    // sender, the title's enter and leave with the title; the others are
    // stored only.
    void SetOnButtonMouseDown(TRowMouseEvent handler) { FOnButtonMouseDown = std::move(handler); }
    void SetOnTitleMouseEnter(TRowNotifyEvent handler) { FOnTitleMouseEnter = std::move(handler); }
    void SetOnTitleMouseLeave(TRowNotifyEvent handler) { FOnTitleMouseLeave = std::move(handler); }
    void SetOnButtonMouseEnter(TRowNotifyEvent handler) { FOnButtonMouseEnter = std::move(handler); }
    void SetOnButtonMouseLeave(TRowNotifyEvent handler) { FOnButtonMouseLeave = std::move(handler); }
    void SetOnButtonMouseUp(TRowMouseEvent handler) { FOnButtonMouseUp = std::move(handler); }
    void SetOnLessonButtonMouseDown(TRowMouseEvent handler) { FOnLessonButtonMouseDown = std::move(handler); }
    // The mouse-up of the four mode labels and of Label_Word.
    void SetOnStudyModeUp(TRowMouseEvent handler) { FOnStudyModeUp = std::move(handler); }
    void SetOnWordStudyModeUp(TRowMouseEvent handler) { FOnWordStudyModeUp = std::move(handler); }

    // Where the pictures of the mode menus come from (may stay unset).
    void SetUIArchive(std::shared_ptr<IArchive> archive) { m_archive = std::move(archive); }

    // Title bar width and title width of a textbook or word-book row.
    void LayoutAs(bool wordBook);

    // -- The lesson panel --
    // Shows or hides the panel with its joint; the panel starts at the top of
    // the unit list and the joint beside the row.
    void SetLessonPanelVisible(bool visible);
    bool LessonPanelVisible() const;
    // The panel's top relative to the row (minus the row's Y) and the joint's
    // top relative to the panel (the row's Y).
    double LessonPanelTop() const;
    double WhiteConnectTop() const;
    // Places panel and joint for the row's current position.
    void PlaceLessonPanel();
    // Detaches the shadow and frees every lesson row.
    void ClearLessonDisplay();
    // Hides the panel, both menus and the lesson list.
    void CloseLessonDisplay();
    // The four-mode menu at Y of the lesson list, in front.
    void DisplayStudyMode(double y);
    // The word unit's one-entry menu, in front with its row.
    void DisplayWordStudyMode();
    void NotDisplayStudyMode();
    // Draws title bar, joint and panel as one outlined shape, or no outline.
    void DisplaySides(bool selected);
    bool SidesShown() const { return m_sidesShown; }

    // Hides the row with its panel and takes it off the list at once; the
    // object itself goes when the event loop is next reached, so a handler
    // of the row that is running cannot lose its row under it.
    void Dispose();

private:
    void BuildRow();
    void BuildPanel();
    void ConnectMenuLabel(TLabel *label, bool word);
    void LoadMenuPicture(TRectangle *menu, const QString &name);

    TRowMouseEvent FOnButtonMouseDown;
    TRowNotifyEvent FOnTitleMouseEnter;
    TRowNotifyEvent FOnTitleMouseLeave;
    TRowNotifyEvent FOnButtonMouseEnter;
    TRowNotifyEvent FOnButtonMouseLeave;
    TRowMouseEvent FOnButtonMouseUp;
    TRowMouseEvent FOnLessonButtonMouseDown;
    TRowMouseEvent FOnStudyModeUp;
    TRowMouseEvent FOnWordStudyModeUp;

    std::shared_ptr<IArchive> m_archive;
    bool m_sidesShown = false;
    // The panel and the joint are not the row's children while it is shown.
    QPointer<TRectangle> m_panel;
    QPointer<TRectangle> m_joint;
};
