#pragma once
// TWordTable: a strip of up to eight words of a graded sentence, each word
// in the colour of its score with a play button, and its score under it.
// A sentence of a passage result unfolds into such strips.

#include "TFrame.h"

#include <QList>
#include <QString>

class TButton;
class TRectangle;
class TText;

class TWordTable : public TFrame
{
    Q_OBJECT
public:
    static constexpr double kFullWidth = 838;
    static constexpr double kHeight = 99;
    static constexpr double kWordCellHeight = 60;
    static constexpr double kScoreCellY = 59;
    static constexpr double kScoreCellHeight = 40;

    // A strip `width` wide; its eight columns scale with it.
    explicit TWordTable(QWidget *parent, double width = kFullWidth);

    // Every text in this font, every cell outlined in #FFC1C1C1.
    void SetFontName(const QString &name);
    void SetFontSize(double size);
    // Fills the columns from up to eight word entries given as JSON texts
    // ({"char", "score"}): the word in the colour of its score, its score as
    // a decimal number, the play button tagged with the word and shown.
    // Columns without an entry keep what they showed.
    void SetWordContent(const QList<QString> &entries);

    QString FontName() const { return m_fontName; }
    double FontSize() const { return m_fontSize; }

    // Index 0 is Text1 (word cell of column 1), index 8 is Text9 (its score).
    QList<TText *> Texts;
    QList<TRectangle *> Cells;    // the cell behind each of Texts
    QList<TButton *> PlayButtons; // Button_Play1 ... Button_Play8

private:
    QString m_fontName;
    double m_fontSize = 13;
};
