#include "WordTable.h"

#include "ControlMakers.h"
#include "ResultLayout.h"
#include "ScoreScales.h"

#include "JsonModel.h"

#include "TButton.h"
#include "TRectangle.h"
#include "TText.h"

using namespace ControlMakers;

TWordTable::TWordTable(QWidget *parent, double width) : TFrame(parent)
{
    SetBounds(0, 0, width, kHeight);
    const double columnWidth = WordStripColumnWidth(width);
    Texts.resize(2 * kWordStripColumns);
    Cells.resize(2 * kWordStripColumns);
    for (int i = 0; i < kWordStripColumns; ++i) {
        const double x = WordStripColumnX(i, width);
        for (int row = 0; row < 2; ++row) {
            const int index = i + row * kWordStripColumns; // Text1..8, then Text9..16
            const double y = row == 0 ? 0 : kScoreCellY;
            const double h = row == 0 ? kWordCellHeight : kScoreCellHeight;
            auto *cell = Rect(this, QStringLiteral("Cell%1").arg(index + 1), x, y, columnWidth, h, 0xFFF6F6F6);
            cell->SetStrokeThickness(1);
            cell->SetStrokeColor(0xFFC8C8C8);
            TText *text = Text(cell, QStringLiteral("Text%1").arg(index + 1), 0, 0, columnWidth, h, QString(), 13);
            text->SetWordWrap(true);
            Cells[index] = cell;
            Texts[index] = text;
        }
        // The play button sits in the word cell's upper right corner.
        auto *button = Button(Cells[i], QStringLiteral("Button_Play%1").arg(i + 1), columnWidth - 24, 4, 18, 18,
                              QString(), QStringLiteral("ButtonCustom1"));
        button->SetVisible(false);
        PlayButtons.push_back(button);
    }
}

void TWordTable::SetFontName(const QString &name)
{
    m_fontName = name;
    for (TText *t : Texts)
        t->SetFontFamily(name);
    for (TRectangle *r : Cells)
        r->SetStrokeColor(0xFFC1C1C1);
}

void TWordTable::SetFontSize(double size)
{
    m_fontSize = size;
    for (TText *t : Texts)
        t->SetFontSize(size);
}

void TWordTable::SetWordContent(const QList<QString> &entries)
{
    const int n = std::min<int>(static_cast<int>(entries.size()), kWordStripColumns);
    for (int i = 0; i < n; ++i) {
        TJson entry;
        if (!TrySO(entries[i], entry) || !entry.is_object())
            entry = TJson::object();
        const double score = D(entry, "score");
        const QString word = S(entry, "char");
        Texts[i + kWordStripColumns]->SetText(DecimalScoreText(score));
        Texts[i]->SetText(word);
        Texts[i]->SetColor(ScoreColor(score));
        PlayButtons[i]->SetTagString(word);
        PlayButtons[i]->SetVisible(true);
    }
}
