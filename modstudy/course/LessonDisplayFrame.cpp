#include "LessonDisplayFrame.h"
#include "Palette.h"

#include "UnitPaging.h"

#include "Commonconst.h"
#include "HostServices.h"
#include "UIPicture.h"

#include "TButton.h"
#include "TEffects.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "TVertScrollBox.h"

#include <QPainter>

namespace {
constexpr TAlphaColor kTitleBar = 0xFFEAF6FE;
constexpr TAlphaColor kGrey = 0xFF5A6470;
constexpr double kOutline = 1.5;

TLabel *MakeLabel(QWidget *parent, const QString &name, double x, double y, double w, double h, const QString &text,
                  double size, TAlphaColor color = Palette::kBlack)
{
    auto *l = new TLabel(parent);
    l->SetName(name);
    l->SetBounds(x, y, w, h);
    l->SetFontFamily(FontWQYdzStr);
    l->SetFontSize(size);
    l->SetColor(color);
    l->SetText(text);
    return l;
}

TRectangle *MakeRect(QWidget *parent, const QString &name, double x, double y, double w, double h)
{
    auto *r = new TRectangle(parent);
    r->SetName(name);
    r->SetBounds(x, y, w, h);
    r->SetFill(TRectangle::FillKind::None);
    return r;
}

// The unit button: blue while its row is not the selected one, orange when
// it is; the look follows the button's style name.
class TUnitButton : public TCornerButton
{
public:
    explicit TUnitButton(QWidget *parent) : TCornerButton(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const bool selected = StyleLookup().compare(QLatin1String("CornerButtonCustom1_qrt"), Qt::CaseInsensitive) == 0;
        const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        p.fillPath(TRectangle::CornerPath(area, XRadius(), YRadius(), Corners()),
                   ToQColor(selected ? Palette::kCourseOrange : Palette::kSkyBlue));
        p.setFont(MakeFont(FontFamily(), FontSize(), FontStyle()));
        p.setPen(ToQColor(Palette::kWhite));
        p.drawText(area, Qt::AlignCenter, Text());
    }
};
} // namespace

// ---------------------------------------------------------------------------

TTurnedFlagLabel::TTurnedFlagLabel(QWidget *parent) : TLabel(parent)
{
    SetHorzAlign(TTextAlign::Center);
}

void TTurnedFlagLabel::SetAngle(double degrees)
{
    m_angle = degrees;
    update();
}

void TTurnedFlagLabel::SetRibbon(const QImage &picture)
{
    m_ribbon = picture;
    update();
}

void TTurnedFlagLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The ribbon crosses the corner: its centre lies a third of the way in.
    p.translate(width() * 0.36, height() * 0.36);
    p.rotate(m_angle);
    const double len = width() * 1.2;
    const double thick = FontSize() + 6;
    const QRectF band(-len / 2, -thick / 2, len, thick);
    if (!m_ribbon.isNull())
        p.drawImage(band, m_ribbon);
    p.setFont(Font());
    p.setPen(ToQColor(Color()));
    p.drawText(band, Qt::AlignCenter, Text());
}

// ---------------------------------------------------------------------------

TLessonDisplayFrame::TLessonDisplayFrame(QWidget *parent) : TFrame(parent)
{
    SetSize(950, 440);
    BuildRow();
    BuildPanel();
    VertScrollBox_Lesson->SetVisible(false);
    Rectangle_StudyMode->SetVisible(false);
    Rectangle_WordStudyMode->SetVisible(false);
    SetHeight(kRowHeight);
    for (TText *t : {static_cast<TText *>(Label_Title), static_cast<TText *>(Label_AverageScore), Text_Percent})
        t->SetFontFamily(FontWQYdzStr);
    // This toolkit has a single renderer, so the smaller sizes always apply.
    for (TText *t :
         {static_cast<TText *>(Label1), static_cast<TText *>(Label_WordFinishCount),
          static_cast<TText *>(Label_WordTotalCount), Text_Percent, static_cast<TText *>(Label_AverageScore)})
        t->SetFontSize(12);
    Label_UnitFinishFlag->SetFontSize(8);
}

TLessonDisplayFrame::~TLessonDisplayFrame()
{
    // The panel and the joint live on the list beside the row.
    delete m_joint.data();
    delete m_panel.data();
}

void TLessonDisplayFrame::BuildRow()
{
    Rectangle_Back = MakeRect(this, QStringLiteral("Rectangle_Back"), 0, 0, kTitleBarWidthTextbook, 42);
    Rectangle_Back->SetFillColor(kTitleBar);
    Rectangle_Back->SetXRadius(8);
    Rectangle_Back->SetYRadius(8);
    Label_Title = MakeLabel(Rectangle_Back, QStringLiteral("Label_Title"), 112, 0, 337, 42, QString(), 14);
    Label_Title->SetFontStyle(fsBold);
    Label_Title->SetHitTest(true);
    connect(Label_Title, &TControl::MouseEnter, this, [this](TControl *sender) {
        if (FOnTitleMouseEnter)
            FOnTitleMouseEnter(sender);
    });
    connect(Label_Title, &TControl::MouseLeave, this, [this](TControl *sender) {
        if (FOnTitleMouseLeave)
            FOnTitleMouseLeave(sender);
    });

    Rectangle_WordFinishInfo = MakeRect(Rectangle_Back, QStringLiteral("Rectangle_WordFinishInfo"), 0, 0, 190, 42);
    Label1 = MakeLabel(Rectangle_WordFinishInfo, QStringLiteral("Label1"), 0, 0, 70, 42, QStringLiteral("作业完成量"),
                       12, kGrey);
    Label_WordFinishCount = MakeLabel(Rectangle_WordFinishInfo, QStringLiteral("Label_WordFinishCount"), 70, 0, 34, 42,
                                      QStringLiteral("0"), 12, Palette::kSkyBlue);
    Label_WordFinishCount->SetHorzAlign(TTextAlign::Trailing);
    Label_WordTotalCount = MakeLabel(Rectangle_WordFinishInfo, QStringLiteral("Label_WordTotalCount"), 104, 0, 60, 42,
                                     QStringLiteral("/0"), 12, Palette::kCourseOrange);
    Rectangle_WordFinishInfo->SetVisible(false);

    CornerButton_Unit = new TUnitButton(this);
    CornerButton_Unit->SetName(QStringLiteral("CornerButton_Unit"));
    CornerButton_Unit->SetBounds(0, 0, 98, 41);
    CornerButton_Unit->SetXRadius(8);
    CornerButton_Unit->SetYRadius(8);
    CornerButton_Unit->SetFontFamily(FontWQYdzStr);
    CornerButton_Unit->SetFontSize(15);
    CornerButton_Unit->SetFontStyle(fsBold);
    CornerButton_Unit->SetStyleLookup(QStringLiteral("CornerButtonCustom11_qrt"));
    connect(CornerButton_Unit, &TControl::MouseDown, this,
            [this](TControl *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos) {
                if (FOnButtonMouseDown)
                    FOnButtonMouseDown(sender, button, shift, pos.x(), pos.y());
            });
    connect(CornerButton_Unit, &TControl::MouseEnter, this, [this](TControl *sender) {
        if (FOnButtonMouseEnter)
            FOnButtonMouseEnter(sender);
    });
    connect(CornerButton_Unit, &TControl::MouseLeave, this, [this](TControl *sender) {
        if (FOnButtonMouseLeave)
            FOnButtonMouseLeave(sender);
    });

    Rectangle_UnitFinishFlag = MakeRect(CornerButton_Unit, QStringLiteral("Rectangle_UnitFinishFlag"), 0, 0, 40, 40);
    Rectangle_UnitFinishFlag->SetHitTest(false);
    Label_UnitFinishFlag = new TTurnedFlagLabel(Rectangle_UnitFinishFlag);
    Label_UnitFinishFlag->SetName(QStringLiteral("Label_UnitFinishFlag"));
    Label_UnitFinishFlag->SetBounds(0, 0, 40, 40);
    Label_UnitFinishFlag->SetAngle(-45);
    Label_UnitFinishFlag->SetColor(Palette::kWhite);
    Label_UnitFinishFlag->SetText(QStringLiteral("未完成"));
    Rectangle_UnitFinishFlag->SetVisible(false);

    Rectangle2 = MakeRect(this, QStringLiteral("Rectangle2"), 112, 46, 354, 30);
    Text_Percent = new TText(Rectangle2);
    Text_Percent->SetName(QStringLiteral("Text_Percent"));
    Text_Percent->SetBounds(0, 0, 92, 30);
    Text_Percent->SetHorzAlign(TTextAlign::Leading);
    Text_Percent->SetColor(kGrey);
    Text_Percent->SetText(QStringLiteral("完成度0 %"));
    ProgressBar_Percent = new TProgressBar(Rectangle2);
    ProgressBar_Percent->SetName(QStringLiteral("ProgressBar_Percent"));
    ProgressBar_Percent->SetBounds(94, 10, 120, 10);
    ProgressBar_Percent->SetBarColor(Palette::kCourseOrange);
    connect(ProgressBar_Percent, &TProgressBar::ApplyStyleLookup, this,
            [](TProgressBar *bar) { bar->ApplyRoundedEnds(); });
    Label_AverageScore = MakeLabel(Rectangle2, QStringLiteral("Label_AverageScore"), 226, 0, 128, 30,
                                   QStringLiteral("平均成绩 : 0 分"), 12, kGrey);

    Rectangle_WordStudyMode = MakeRect(this, QStringLiteral("Rectangle_WordStudyMode"), 0, 33, 154, 50);
    Label_Word =
        MakeLabel(Rectangle_WordStudyMode, QStringLiteral("Label_Word"), 0, 0, 154, 50, QStringLiteral("单词学习"), 14);
    Label_Word->SetHorzAlign(TTextAlign::Center);
    ConnectMenuLabel(Label_Word, true);
}

void TLessonDisplayFrame::BuildPanel()
{
    // Beside the row on the unit list; placed by PlaceLessonPanel.
    QWidget *list = parentWidget() ? parentWidget() : this;
    Rectangle_LessonBack = MakeRect(list, QStringLiteral("Rectangle_LessonBack"), 0, 0, kPanelWidth, kPanelHeight);
    Rectangle_LessonBack->SetFillColor(Palette::kWhite);
    Rectangle_LessonBack->SetStrokeColor(Palette::kCourseOrange);
    Rectangle_LessonBack->SetXRadius(10);
    Rectangle_LessonBack->SetYRadius(10);
    Rectangle_WhiteConnect = MakeRect(list, QStringLiteral("Rectangle_WhiteConnect"), 0, 0, 24, 42);
    Rectangle_WhiteConnect->SetFillColor(Palette::kWhite);
    Rectangle_WhiteConnect->SetStrokeColor(Palette::kCourseOrange);
    Rectangle_WhiteConnect->SetSides(TRectangle::SideTop | TRectangle::SideBottom);

    VertScrollBox_Lesson = new TVertScrollBox(Rectangle_LessonBack);
    VertScrollBox_Lesson->SetName(QStringLiteral("VertScrollBox_Lesson"));
    VertScrollBox_Lesson->SetBounds(16, 4, 438, 433);

    Rectangle_StudyMode =
        MakeRect(VertScrollBox_Lesson->Content(), QStringLiteral("Rectangle_StudyMode"), 230, 0, 154, 137);
    const QStringList names{QStringLiteral("Label_Sentence"), QStringLiteral("Label_Part"),
                            QStringLiteral("Label_Repeat"), QStringLiteral("Label_Role")};
    const QStringList texts{QStringLiteral("单句练习"), QStringLiteral("短文朗读"), QStringLiteral("短文复诵"),
                            QStringLiteral("智能对话")};
    TLabel **labels[] = {&Label_Sentence, &Label_Part, &Label_Repeat, &Label_Role};
    for (int i = 0; i < 4; ++i) {
        *labels[i] = MakeLabel(Rectangle_StudyMode, names[i], 0, 12 + i * 30, 154, 28, texts[i], 14);
        (*labels[i])->SetHorzAlign(TTextAlign::Center);
        ConnectMenuLabel(*labels[i], false);
    }

    ShadowEffect_public = new TShadowEffect(nullptr);
    ShadowEffect_public->setParent(this);
    ShadowEffect_public->SetEnabled(false);
    ShadowEffect_public->SetColor(Palette::kCourseOrange);
    ShadowEffect_public->SetOpacity(0.5);

    Rectangle_LessonBack->SetVisible(false);
    Rectangle_WhiteConnect->SetVisible(false);
    m_panel = Rectangle_LessonBack;
    m_joint = Rectangle_WhiteConnect;
}

void TLessonDisplayFrame::ConnectMenuLabel(TLabel *label, bool word)
{
    connect(label, &TControl::MouseEnter, this,
            [](TControl *sender) { static_cast<TLabel *>(sender)->SetColor(Palette::kCourseOrange); });
    connect(label, &TControl::MouseLeave, this,
            [](TControl *sender) { static_cast<TLabel *>(sender)->SetColor(Palette::kBlack); });
    connect(label, &TControl::MouseUp, this,
            [this, word](TControl *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos) {
                const TRowMouseEvent &handler = word ? FOnWordStudyModeUp : FOnStudyModeUp;
                if (handler)
                    handler(sender, button, shift, pos.x(), pos.y());
            });
}

void TLessonDisplayFrame::LoadMenuPicture(TRectangle *menu, const QString &name)
{
    if (menu->HasBitmap())
        return;
    const std::optional<QByteArray> bytes = m_archive ? ReadUIResource(name, m_archive) : std::nullopt;
    if (bytes && menu->LoadBitmap(*bytes))
        return;
    // Without the picture the menu is a white card with an orange edge.
    menu->SetFillColor(Palette::kWhite);
    menu->SetStrokeColor(Palette::kCourseOrange);
    menu->SetStrokeThickness(1);
    menu->SetXRadius(6);
    menu->SetYRadius(6);
}

void TLessonDisplayFrame::SetWordFinishContent(const QString &value)
{
    FWordFinishContent = value;
    const CoursePaging::TWordFinishParts parts = CoursePaging::SplitWordFinish(value);
    Label_WordFinishCount->SetText(parts.done);
    Label_WordTotalCount->SetText(parts.total);
    if (value.contains(QLatin1Char('/'))) {
        Label_WordTotalCount->SetColor(parts.complete ? Label_WordFinishCount->Color() : Palette::kCourseOrange);
        FisAssignmentAndFinished = parts.complete;
    }
}

void TLessonDisplayFrame::LayoutAs(bool wordBook)
{
    const double barWidth = wordBook ? kTitleBarWidthWordBook : kTitleBarWidthTextbook;
    SetWidth(barWidth);
    Rectangle_Back->SetWidth(barWidth);
    Label_Title->SetWidth(wordBook ? 660 : 337);
    Rectangle_WordFinishInfo->SetX(barWidth - Rectangle_WordFinishInfo->Width() - 16);
    Rectangle_WordStudyMode->SetX(barWidth - Rectangle_WordStudyMode->Width() - 40);
}

void TLessonDisplayFrame::PlaceLessonPanel()
{
    // The panel starts at the top of the list whatever the row; the joint
    // sits beside the row's title bar, over the panel's edge.
    Rectangle_LessonBack->SetPosition(X() + kPanelX, Y() + LessonPanelTop());
    Rectangle_WhiteConnect->SetPosition(X() + Rectangle_Back->Width() - 2,
                                        Rectangle_LessonBack->Y() + WhiteConnectTop());
    Rectangle_WhiteConnect->SetSize(kPanelX - Rectangle_Back->Width() + 4, Rectangle_Back->Height());
}

double TLessonDisplayFrame::LessonPanelTop() const
{
    return -Y();
}

double TLessonDisplayFrame::WhiteConnectTop() const
{
    return Y();
}

void TLessonDisplayFrame::SetLessonPanelVisible(bool visible)
{
    if (visible) {
        PlaceLessonPanel();
        Rectangle_LessonBack->SetVisible(true);
        Rectangle_LessonBack->BringToFront();
        Rectangle_WhiteConnect->SetVisible(m_sidesShown);
        Rectangle_WhiteConnect->BringToFront();
    } else {
        Rectangle_LessonBack->SetVisible(false);
        Rectangle_WhiteConnect->SetVisible(false);
    }
}

bool TLessonDisplayFrame::LessonPanelVisible() const
{
    return Rectangle_LessonBack->Visible();
}

void TLessonDisplayFrame::ClearLessonDisplay()
{
    ShadowEffect_public->SetTarget(nullptr);
    ShadowEffect_public->setParent(this);
    ShadowEffect_public->SetEnabled(false);
    // A row goes with its title, flag and flag text. It is hidden at once and
    // deleted from the event loop, since its title may be the control whose
    // press is being handled right now.
    for (TRectangle *row : std::as_const(FRectangleLesson)) {
        row->setVisible(false);
        row->deleteLater();
    }
    FRectangleLesson.clear();
    FTextLesson.clear();
    FRectangle_LessonFinishFlag.clear();
    FLabel_LessonFinishFlag.clear();
}

void TLessonDisplayFrame::CloseLessonDisplay()
{
    SetLessonPanelVisible(false);
    NotDisplayStudyMode();
    VertScrollBox_Lesson->SetVisible(false);
}

void TLessonDisplayFrame::DisplayStudyMode(double y)
{
    LoadMenuPicture(Rectangle_StudyMode, QStringLiteral("Png\\study\\book\\StudyMode.png"));
    Rectangle_StudyMode->SetY(y);
    Rectangle_StudyMode->SetVisible(true);
    Rectangle_StudyMode->BringToFront();
}

void TLessonDisplayFrame::DisplayWordStudyMode()
{
    LoadMenuPicture(Rectangle_WordStudyMode, QStringLiteral("Png\\study\\book\\WordStudyMode.png"));
    Rectangle_WordStudyMode->SetVisible(true);
    Rectangle_WordStudyMode->BringToFront();
    BringToFront();
}

void TLessonDisplayFrame::NotDisplayStudyMode()
{
    Rectangle_StudyMode->SetVisible(false);
    Rectangle_WordStudyMode->SetVisible(false);
}

void TLessonDisplayFrame::DisplaySides(bool selected)
{
    m_sidesShown = selected;
    if (!selected) {
        for (TRectangle *r : {Rectangle_Back, Rectangle_LessonBack, Rectangle_WhiteConnect})
            r->SetStrokeThickness(0);
        Rectangle_WhiteConnect->SetVisible(false);
        return;
    }
    Rectangle_Back->SetStrokeColor(Palette::kCourseOrange);
    Rectangle_Back->SetStrokeThickness(kOutline);
    if (FisWordUnit) {
        // A word row has no panel: its title bar alone is outlined.
        Rectangle_Back->SetSides(TRectangle::AllSides);
        Rectangle_Back->SetCorners(TRectangle::AllCorners);
        return;
    }
    // Title bar open towards the joint, joint open at both ends, panel
    // square at its top-left corner only when the joint meets it there.
    Rectangle_Back->SetSides(TRectangle::SideTop | TRectangle::SideLeft | TRectangle::SideBottom);
    Rectangle_Back->SetCorners(TRectangle::CornerTopLeft | TRectangle::CornerBottomLeft);
    Rectangle_WhiteConnect->SetStrokeThickness(kOutline);
    Rectangle_LessonBack->SetStrokeThickness(kOutline);
    Rectangle_LessonBack->SetCorners(FArrayIndex == 0 ? TRectangle::AllCorners & ~TRectangle::CornerTopLeft
                                                      : TRectangle::AllCorners);
    if (Rectangle_LessonBack->Visible()) {
        Rectangle_WhiteConnect->SetVisible(true);
        Rectangle_WhiteConnect->BringToFront();
    }
}

void TLessonDisplayFrame::Dispose()
{
    Rectangle_LessonBack->SetVisible(false);
    Rectangle_WhiteConnect->SetVisible(false);
    Rectangle_LessonBack->setParent(this);
    Rectangle_WhiteConnect->setParent(this);
    setVisible(false);
    setParent(nullptr);
    deleteLater();
}
