#include "MyLabelFrame.h"

#include "WordFlow.h"

#include "TLabel.h"

TMyLabelFrame::TMyLabelFrame(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("MyLabelFrame"));
    SetBounds(0, 0, 320, 53);
}

void TMyLabelFrame::SetText(const QString &text)
{
    FText = text;
    const QStringList words = SplitWords(text);
    qDeleteAll(LabelList);
    LabelList.clear();
    if (words.isEmpty()) {
        SetHeight(0);
        return;
    }
    QList<QSizeF> sizes;
    sizes.reserve(words.size());
    for (qsizetype i = 0; i < words.size(); ++i) {
        auto *label = new TLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        label->SetFontSize(15);
        label->SetWordWrap(false);
        label->SetAutoSize(true);
        label->SetColor(FFontColor);
        label->SetText(words[i] + QLatin1Char(' '));
        sizes.push_back({label->Width(), label->Height()});
        LabelList.push_back(label);
    }
    const QList<TWordPlace> places = FlowWords(sizes, Width());
    for (qsizetype i = 0; i < places.size(); ++i)
        LabelList[i]->SetPosition(places[i].x, places[i].y);
    SetHeight(FlowHeight(places, sizes));
}

int TMyLabelFrame::SetColor(const QString &phrase, TAlphaColor color)
{
    QStringList words;
    words.reserve(LabelList.size());
    for (const TLabel *label : std::as_const(LabelList))
        words.push_back(label->Text());
    const int start = FindPhrase(words, phrase, FSelStart);
    if (start < 0)
        return -1;
    const int count = static_cast<int>(SplitWords(phrase).size());
    for (int i = start; i < start + count; ++i)
        LabelList[i]->SetColor(color);
    return start + count;
}

void TMyLabelFrame::SetFontColor(TAlphaColor color)
{
    FFontColor = color;
    for (TLabel *label : std::as_const(LabelList))
        label->SetColor(color);
}

void TMyLabelFrame::ClearLabelColor()
{
    for (TLabel *label : std::as_const(LabelList))
        label->SetColor(0xFF000000);
}
