#include "StudyWordScoreDetailsFrame.h"

#include "ControlMakers.h"
#include "GradingResult.h"
#include "ResultLayout.h"
#include "WordPhonemeFrame.h"

#include "Phonetic.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"

#include <QPointer>

using namespace ControlMakers;

TStudyWordScoreDetailsFrame::TStudyWordScoreDetailsFrame(QWidget *parent, double width) : TFrame(parent)
{
    SetBounds(0, 0, width, 81);
    // 860 = 159 + 4 x 153 + 89: the chips overlap the word cell and each
    // other by one line, and the score cell starts where the last chip's
    // border is.
    m_chipWidth = (width - kScoreWidth - (kWordCellWidth - 1)) / kChipsPerLine + 1;
    const double scoreX = width - kScoreWidth;
    Rectangle_WordContent =
        Rect(this, QStringLiteral("Rectangle_WordContent"), 0, 0, kWordCellWidth, kWordCellHeight, 0xFFF6F6F6);
    Rectangle_WordContent->SetStrokeThickness(1);
    Rectangle_WordContent->SetStrokeColor(0xFFC8C8C8);
    Rectangle_WordContent->SetXRadius(5);
    Rectangle_WordContent->SetYRadius(5);
    Rectangle_WordContent->SetCorners(TRectangle::CornerTopLeft | TRectangle::CornerBottomLeft);
    Label_WordContent = Label(Rectangle_WordContent, QStringLiteral("Label_WordContent"), 0, 0, kWordCellWidth,
                              kWordCellHeight, QString(), 15);
    Label_WordContent->SetHorzAlign(TTextAlign::Center);
    Button_Play = Button(Rectangle_WordContent, QStringLiteral("Button_Play"), 136, 11, 18, 18, QString(),
                         QStringLiteral("ButtonCustom1"));
    Rectangle_WordScore =
        Rect(this, QStringLiteral("Rectangle_WordScore"), scoreX, 0, kScoreWidth, kWordCellHeight, 0xFFF6F6F6);
    Rectangle_WordScore->SetStrokeThickness(1);
    Rectangle_WordScore->SetStrokeColor(0xFFC8C8C8);
    Rectangle_WordScore->SetXRadius(5);
    Rectangle_WordScore->SetYRadius(5);
    Rectangle_WordScore->SetCorners(TRectangle::CornerTopRight | TRectangle::CornerBottomRight);
    Label_WordScore = Label(Rectangle_WordScore, QStringLiteral("Label_WordScore"), 0, 0, kScoreWidth, kWordCellHeight,
                            QString(), 15);
    Label_WordScore->SetHorzAlign(TTextAlign::Center);
    Rectangle_AnimationBackground = Holder(this, QStringLiteral("Rectangle_AnimationBackground"), 400, -59, 104, 140);
    Rectangle_AnimationBackground->SetVisible(false);
    m_spot = Rectangle_AnimationBackground;
}

void TStudyWordScoreDetailsFrame::SetPhonemeButtonMouseEvent(std::function<void(TButton *)> handler)
{
    if (handler)
        FPhonemeButtonMouseEvent = std::move(handler);
}

void TStudyWordScoreDetailsFrame::SetContent(const QString &entry)
{
    FContent = entry;
    Display(entry);
}

void TStudyWordScoreDetailsFrame::ClearDisplay()
{
    for (TWordPhonemeFrame *chip : std::as_const(WordPhonemes))
        delete chip;
    WordPhonemes.clear();
}

TWordPhonemeFrame *TStudyWordScoreDetailsFrame::AddChip(int j)
{
    auto *chip = new TWordPhonemeFrame(this, m_chipWidth);
    chip->setObjectName(QStringLiteral("WordPhonemeFrame%1").arg(j));
    chip->SetUIArchive(FUIArchive);
    chip->SetSoundEngine(FSoundEngine);
    chip->SetAnimationSpot(m_spot);
    const TChipPlace place = ChipPlace(j, chip->Width(), chip->Height(), kWordCellWidth);
    chip->SetPosition(place.x, place.y);
    WordPhonemes.push_back(chip);
    return chip;
}

void TStudyWordScoreDetailsFrame::Display(const QString &entry)
{
    SetHeight(0);
    const TGradingResult result = DecodeGradingResult(entry);
    if (result.details.isEmpty())
        return;
    for (const TGradingDetail &d : result.details) {
        Button_Play->SetTagString(d.text);
        Label_WordContent->SetText(d.text);
        Label_WordScore->SetText(DecimalScoreText(d.score));
        // A word without phonemes still shows its word and score.
        SetHeight(kWordCellHeight);
        if (d.phones.isEmpty())
            continue;
        ClearDisplay();
        for (int j = 0; j < d.phones.size(); ++j) {
            TWordPhonemeFrame *chip = AddChip(j);
            TButton *button = chip->Button_PhonemePlay;
            button->SetTagString(d.phones[j].text);
            button->SetTag(FOrderIndex);
            button->SetTagFloat(j);
            chip->Label_Content->SetText(PhonemeToPhonetic(d.phones[j].text));
            chip->Label_Score->SetText(DecimalScoreText(d.phones[j].score));
            QPointer<TWordPhonemeFrame> guard(chip);
            connect(button, &TControl::MouseDown, this,
                    [this, button](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                        if (FPhonemeButtonMouseEvent)
                            FPhonemeButtonMouseEvent(button);
                    });
            connect(button, &TControl::Click, chip, [guard] {
                if (guard)
                    guard->Button_PhonemePlayClick();
            });
        }
        const int padding = ChipPadding(static_cast<int>(d.phones.size()));
        for (int p = 0; p < padding; ++p)
            AddChip(static_cast<int>(d.phones.size()) + p)->DisplayVisible(false);
    }
    if (!WordPhonemes.isEmpty()) {
        const TWordPhonemeFrame *last = WordPhonemes.last();
        SetHeight(last->Y() + last->Height());
    }
    Rectangle_WordContent->SetHeight(Height());
    Label_WordContent->SetHeight(Height());
    Rectangle_WordScore->SetHeight(Height());
    Label_WordScore->SetHeight(Height());
    Rectangle_AnimationBackground->BringToFront();
}
