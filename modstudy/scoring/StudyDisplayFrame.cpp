#include "StudyDisplayFrame.h"

#include "ControlMakers.h"
#include "GradingResult.h"
#include "MyRectangle.h"
#include "ResultLayout.h"
#include "ScoreTotals.h"
#include "StudyWordScoreDetailsFrame.h"
#include "WordPhonemeFrame.h"
#include "WordTable.h"

#include "Commonconst.h"
#include "Log.h"
#include "UIPicture.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TVertScrollBox.h"

#include <algorithm>

using namespace ControlMakers;

namespace {
constexpr double kTitleHeight = 36;
constexpr double kMargin = 12;
// Right of the table: score column 34, then the unfold button 13 wide.
constexpr double kLabelToCell = 38; // cell width - label width (788 - 750)
constexpr double kCellToTable = 55; // table width - cell width (843 - 788)
constexpr double kScoreWidth = 34;
constexpr double kButtonFromCell = 42; // 830 - 788
constexpr double kButtonWidth = 13;
constexpr double kButtonHeight = 12;
constexpr double kButtonDown = 5;
constexpr double kSpotWidth = 104;
constexpr double kSpotHeight = 140;
constexpr double kSpotGap = 40;
constexpr TAlphaColor kTitleColor = 0xFF313031;
constexpr TAlphaColor kCellText = 0xFF000008;
const QString kTriangle = QStringLiteral("png\\study\\score\\triangle.png");

TLabel *TitleLabel(QWidget *parent, const QString &name, double x, double w, const QString &text)
{
    TLabel *l = Label(parent, name, x, 0, w, kTitleHeight, text, 14, 0xFFFFFFFF);
    l->SetHorzAlign(TTextAlign::Center);
    l->SetHitTest(false);
    return l;
}
} // namespace

TStudyDisplayFrame::TStudyDisplayFrame(QWidget *parent, double width, double height) : TFrame(parent)
{
    setObjectName(QStringLiteral("StudyDisplayFrame"));
    SetBounds(0, 0, width, height);
    Rectangle_DisplayScoreContentBackground =
        Rect(this, QStringLiteral("Rectangle_DisplayScoreContentBackground"), 0, 0, width, height, 0xFFFFFFFF);
    Rectangle_DisplayScoreContentBackground->SetXRadius(15);
    Rectangle_DisplayScoreContentBackground->SetYRadius(15);
    Rectangle_DisplayScoreContentBackground->SetHitTest(false);

    const double inner = width - 2 * kMargin;
    m_tableWidth = inner - 16; // room for the scroll bar
    const double cellWidth = m_tableWidth - kCellToTable;
    Rectangle_PartScoreDetailsTitle = Rect(this, QStringLiteral("Rectangle_PartScoreDetailsTitle"), kMargin, kMargin,
                                           inner, kTitleHeight, kTitleColor);
    Rectangle_PartScoreDetailsTitle->SetXRadius(8);
    Rectangle_PartScoreDetailsTitle->SetYRadius(8);
    Rectangle_PartScoreDetailsTitle->SetCorners(TRectangle::CornerTopLeft | TRectangle::CornerTopRight);
    TitleLabel(Rectangle_PartScoreDetailsTitle, QStringLiteral("Label2"), 0, cellWidth, QStringLiteral("句子"));
    TitleLabel(Rectangle_PartScoreDetailsTitle, QStringLiteral("Label5"), cellWidth - 8, kScoreWidth + 16,
               QStringLiteral("得分"));

    Rectangle_FullWordScoreDetailsTitle = Rect(this, QStringLiteral("Rectangle_FullWordScoreDetailsTitle"), kMargin,
                                               kMargin, inner, kTitleHeight, kTitleColor);
    Rectangle_FullWordScoreDetailsTitle->SetXRadius(8);
    Rectangle_FullWordScoreDetailsTitle->SetYRadius(8);
    Rectangle_FullWordScoreDetailsTitle->SetCorners(TRectangle::CornerTopLeft | TRectangle::CornerTopRight);
    const double wordScoreX = m_tableWidth - TStudyWordScoreDetailsFrame::kScoreWidth;
    TitleLabel(Rectangle_FullWordScoreDetailsTitle, QStringLiteral("Label1"), 0,
               TStudyWordScoreDetailsFrame::kWordCellWidth, QStringLiteral("单词"));
    TitleLabel(Rectangle_FullWordScoreDetailsTitle, QStringLiteral("Label3"),
               TStudyWordScoreDetailsFrame::kWordCellWidth, wordScoreX - TStudyWordScoreDetailsFrame::kWordCellWidth,
               QStringLiteral("音素分数"));
    TitleLabel(Rectangle_FullWordScoreDetailsTitle, QStringLiteral("Label4"), wordScoreX - 20,
               TStudyWordScoreDetailsFrame::kScoreWidth + 40, QStringLiteral("单词得分"));
    Rectangle_FullWordScoreDetailsTitle->SetVisible(false);

    const double top = kMargin + kTitleHeight + 8;
    VertScrollBox_DisplayScore =
        ScrollBox(this, QStringLiteral("VertScrollBox_DisplayScore"), kMargin, top, inner, height - top - kMargin);
    Rectangle_AnimationBackground =
        Holder(VertScrollBox_DisplayScore->Content(), QStringLiteral("Rectangle_AnimationBackground"), 0, 0, kSpotWidth,
               kSpotHeight);
    Rectangle_AnimationBackground->SetVisible(false);
}

TStudyDisplayFrame::~TStudyDisplayFrame()
{
    // The chips' animations sit on the shared spot; stop them before the
    // spot goes with the scroll box.
    for (TStudyWordScoreDetailsFrame *row : std::as_const(WordDetails))
        for (TWordPhonemeFrame *chip : row->Phonemes())
            chip->playStopAni();
}

void TStudyDisplayFrame::SetUIArchive(const IArchivePtr &value)
{
    FUIArchive = value;
}

void TStudyDisplayFrame::ClearSentenceRows()
{
    ClearWordTables();
    qDeleteAll(FSentenceScore);
    qDeleteAll(FSentenceContent);
    qDeleteAll(FSentenceDetailbtn);
    FSentenceScore.clear();
    FSentenceContent.clear();
    FSentenceDetailbtn.clear();
}

void TStudyDisplayFrame::ClearWordTables()
{
    qDeleteAll(WordTables);
    WordTables.clear();
}

void TStudyDisplayFrame::ClearWordDetails()
{
    Rectangle_AnimationBackground->SetVisible(false);
    for (TStudyWordScoreDetailsFrame *row : std::as_const(WordDetails))
        for (TWordPhonemeFrame *chip : row->Phonemes())
            chip->playStopAni();
    qDeleteAll(WordDetails);
    WordDetails.clear();
}

void TStudyDisplayFrame::DisplayPartScore(const QString &doc)
{
    Rectangle_FullWordScoreDetailsTitle->SetVisible(false);
    Rectangle_PartScoreDetailsTitle->SetVisible(true);
    SetJsonContent(doc);
    ClearSentenceRows();
    ClearWordDetails();

    TJson document;
    if (!TrySO(doc, document) || !document.is_object())
        document = TJson::object();
    const TJson parts = A(document, "parts");
    if (parts.empty())
        return;
    if (m_triangle.isEmpty()) {
        if (const std::optional<QByteArray> bytes = ReadUIResource(kTriangle, FUIArchive))
            m_triangle = *bytes;
    }
    FTotalScore = 0;
    for (const TJson &part : parts) {
        const TGradingResult result = DecodeGradingResult(part);
        for (const TGradingDetail &d : result.details) {
            const bool hasWords = Has(d.entry, "words");
            AddSentenceRow(d.text.trimmed(), d.score, hasWords ? &d.entry : nullptr);
        }
    }
    // Sum of "overall" over the parts divided by "partcount" (falls back to
    // the number of parts, with the error logged, when that cannot divide).
    FTotalScore = PassageDisplayTotal(document);
}

void TStudyDisplayFrame::AddSentenceRow(const QString &text, double score, const TJson *words)
{
    const int n = static_cast<int>(FSentenceContent.size());
    QWidget *content = VertScrollBox_DisplayScore->Content();
    const double cellWidth = m_tableWidth - kCellToTable;
    const double y = n == 0 ? 0 : FSentenceContent.last()->Y() + FSentenceContent.last()->Height() + kSentenceRowGap;
    const bool transparent = SentenceRowTransparent(n);

    auto *cell = new TMyRectangle(content);
    cell->setObjectName(QStringLiteral("FSentenceContent%1").arg(n));
    if (transparent)
        cell->SetFill(TRectangle::FillKind::None);
    TLabel *label = cell->Text;
    label->SetHorzAlign(TTextAlign::Leading);
    label->SetVertAlign(TTextAlign::Center);
    label->SetColor(kCellText);
    label->SetWordWrap(true);
    label->SetFontSize(m_fontSize);
    if (words) {
        cell->FWordJson = *words;
        label->SetTagString(QString::number(n));
    }
    label->SetBounds(0, 0, cellWidth - kLabelToCell, 20);
    label->SetText(text);
    label->SetAutoSize(true);
    const double h = label->Height();
    cell->SetBounds(0, y, cellWidth, h);
    cell->SetTag(n);
    connect(label, &TControl::Click, this, [this, label] { SentenceTextClick(label); });

    auto *scoreCell = new TMyRectangle(content);
    scoreCell->setObjectName(QStringLiteral("FSentenceScore%1").arg(n));
    if (transparent)
        scoreCell->SetFill(TRectangle::FillKind::None);
    scoreCell->Text->SetHorzAlign(TTextAlign::Center);
    scoreCell->Text->SetVertAlign(TTextAlign::Leading);
    scoreCell->Text->SetColor(kCellText);
    scoreCell->Text->SetFontSize(m_fontSize);
    scoreCell->Text->SetHitTest(false);
    scoreCell->SetBounds(cellWidth, y, kScoreWidth, h);
    scoreCell->Text->SetBounds(0, 0, kScoreWidth, h);
    scoreCell->Text->SetText(DecimalScoreText(score));

    auto *button = new TRectangle(content);
    button->setObjectName(QStringLiteral("FSentenceDetailbtn%1").arg(n));
    button->SetBounds(cellWidth + kButtonFromCell, y + kButtonDown, kButtonWidth, kButtonHeight);
    button->SetStrokeThickness(0);
    button->SetFill(TRectangle::FillKind::None);
    // A missing picture leaves the button blank and without a click; the
    // sentence itself still unfolds.
    if (!m_triangle.isEmpty() && button->LoadBitmap(m_triangle)) {
        button->SetBitmapRotation(180);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &TControl::Click, this, [this, button] { SentenctDetailClick(button); });
    } else {
        button->SetHitTest(false);
    }

    FSentenceContent.push_back(cell);
    FSentenceScore.push_back(scoreCell);
    FSentenceDetailbtn.push_back(button);
}

void TStudyDisplayFrame::SentenctDetailClick(TControl *sender)
{
    const qsizetype n = FSentenceDetailbtn.indexOf(static_cast<TRectangle *>(sender));
    if (n < 0 || n >= FSentenceContent.size())
        return;
    SentenceTextClick(FSentenceContent[n]->Text);
}

QList<double> TStudyDisplayFrame::RowHeights() const
{
    QList<double> heights;
    heights.reserve(FSentenceContent.size());
    for (const TMyRectangle *cell : FSentenceContent)
        heights.push_back(cell->Height());
    return heights;
}

void TStudyDisplayFrame::PlaceRows(const QList<double> &ys)
{
    for (qsizetype i = 0; i < ys.size() && i < FSentenceContent.size(); ++i) {
        if (FSentenceContent[i]->Y() == ys[i])
            continue;
        FSentenceContent[i]->SetY(ys[i]);
        FSentenceScore[i]->SetY(ys[i]);
        FSentenceDetailbtn[i]->SetY(ys[i] + kButtonDown);
    }
}

void TStudyDisplayFrame::InitialPosition()
{
    PlaceRows(FoldedRowYs(RowHeights()));
}

void TStudyDisplayFrame::InsertSentenceDetails(int n)
{
    if (WordTables.isEmpty())
        return;
    QList<double> heights;
    for (const TWordTable *t : std::as_const(WordTables))
        heights.push_back(t->Height());
    PlaceRows(UnfoldedRowYs(RowHeights(), n, StackedStripsHeight(heights)));
}

void TStudyDisplayFrame::SentenceTextClick(TControl *sender)
{
    ClearWordTables();
    if (!sender || sender->TagString().isEmpty())
        return;
    bool ok = false;
    const int n = sender->TagString().toInt(&ok);
    if (!ok || n < 0 || n >= FSentenceContent.size())
        return;
    InitialPosition();
    for (int i = 0; i < FSentenceDetailbtn.size(); ++i) {
        if (i == n)
            continue;
        FSentenceDetailbtn[i]->SetBitmapRotation(180);
        FSentenceDetailbtn[i]->SetTag(0);
    }
    TRectangle *button = FSentenceDetailbtn[n];
    if (button->Tag() == 1) {
        button->SetTag(0);
        button->SetBitmapRotation(180);
        return;
    }
    button->SetTag(1);
    button->SetBitmapRotation(0);

    const TMyRectangle *cell = FSentenceContent[n];
    const TJson words = A(cell->FWordJson, "words");
    QWidget *content = VertScrollBox_DisplayScore->Content();
    double y = cell->Y() + cell->Height();
    qsizetype next = 0;
    for (int size : WordStripSizes(static_cast<int>(words.size()))) {
        auto *table = new TWordTable(content, m_tableWidth - 5);
        table->setObjectName(QStringLiteral("WordTable%1").arg(WordTables.size()));
        table->SetFontName(FontWQYdzStr);
        table->SetFontSize(m_fontSize);
        table->SetPosition(0, y);
        QList<QString> entries;
        for (int k = 0; k < size; ++k)
            entries.push_back(AsJSon(words[static_cast<size_t>(next + k)]));
        next += size;
        table->SetWordContent(entries);
        for (TButton *play : std::as_const(table->PlayButtons)) {
            connect(play, &TControl::Click, this, [this, play] {
                if (FwordTextClick)
                    FwordTextClick(play);
            });
        }
        table->show();
        WordTables.push_back(table);
        y += table->Height() - 1;
    }
    InsertSentenceDetails(n);
}

void TStudyDisplayFrame::DisplayWordScore_New(const QString &doc)
{
    Rectangle_FullWordScoreDetailsTitle->SetVisible(true);
    Rectangle_PartScoreDetailsTitle->SetVisible(false);
    SetJsonContent(doc);
    ClearSentenceRows();
    ClearWordDetails();

    TJson document;
    if (!TrySO(doc, document) || !document.is_object())
        document = TJson::object();
    QWidget *content = VertScrollBox_DisplayScore->Content();
    for (const TJson &entry : A(document, "wordResult")) {
        if (!entry.is_object() || AsText(entry.value("result", TJson())).isEmpty())
            continue;
        const int k = static_cast<int>(WordDetails.size());
        auto *row = new TStudyWordScoreDetailsFrame(content, m_tableWidth);
        row->setObjectName(QStringLiteral("WordDetails%1").arg(k));
        row->SetUIArchive(FUIArchive);
        row->SetSoundEngine(FSoundEngine);
        connect(row->Button_Play, &TControl::Click, this, [this, b = row->Button_Play] {
            if (FwordTextClick)
                FwordTextClick(b);
        });
        connect(row->Button_Play, &TControl::MouseDown, this,
                [this](TControl *s, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { WordButtonPlayMouseDown(s); });
        row->SetPhonemeButtonMouseEvent([this](TButton *b) { PhonemeButtonPlayMouseDown(b); });
        row->SetAnimationSpot(Rectangle_AnimationBackground);
        const double y = WordDetails.isEmpty() ? 0 : WordDetails.last()->Y() + WordDetails.last()->Height() - 1;
        row->SetPosition(0, y);
        row->SetOrderIndex(k);
        row->SetContent(AsJSon(entry));
        row->show();
        WordDetails.push_back(row);
    }
    Rectangle_AnimationBackground->BringToFront();
}

void TStudyDisplayFrame::PhonemeButtonPlayMouseDown(TButton *sender)
{
    for (TStudyWordScoreDetailsFrame *row : std::as_const(WordDetails))
        for (TWordPhonemeFrame *chip : row->Phonemes())
            chip->AniStop();
    if (!sender)
        return;
    auto *chip = qobject_cast<TWordPhonemeFrame *>(sender->parentWidget());
    auto *row = chip ? qobject_cast<TStudyWordScoreDetailsFrame *>(chip->parentWidget()) : nullptr;
    if (!row)
        return;
    // To the right of the chip, or at the right edge of the list when there
    // is no room; beside the chip vertically, inside the visible part.
    const double x = std::min(row->X() + chip->X() + chip->Width() + kSpotGap, m_tableWidth - kSpotWidth);
    const double top = VertScrollBox_DisplayScore->ViewportY();
    const double bottom = top + VertScrollBox_DisplayScore->ViewportHeight() - kSpotHeight;
    const double wanted = row->Y() + chip->Y() + chip->Height() / 2 - kSpotHeight / 2;
    const double y = std::max(top, std::min(wanted, bottom));
    Rectangle_AnimationBackground->SetPosition(std::max(0.0, x), y);
    Rectangle_AnimationBackground->BringToFront();
}

void TStudyDisplayFrame::WordButtonPlayMouseDown(TControl *)
{
    for (TStudyWordScoreDetailsFrame *row : std::as_const(WordDetails))
        row->Button_Play->SetIsPressed(false);
}
