#pragma once
// TMyLabelFrame: the passage text of passage reading, laid out one label per
// word in lines that fit the frame's width, so that the words of the
// sentence being played can be coloured where they stand.
//
// Passage reading calls SetText once, then for each sentence as its playback
// starts SetSelStart(SetColor(sentence, colour)), so each search starts after
// the words last coloured; ClearLabelColor when playback ends.

#include "TFrame.h"

#include <QList>
#include <QString>

class TLabel;

class TMyLabelFrame : public TFrame
{
    Q_OBJECT
public:
    explicit TMyLabelFrame(QWidget *parent);

    // One label per word (text split at runs of spaces), each holding its
    // word and one space, flowed in lines; the frame's height follows (0 for
    // a text without words).
    void SetText(const QString &text);
    // Colours the first occurrence of the phrase at or after the selection
    // start (words compared case-insensitively) and returns the index of the
    // word after it; -1 when not found.
    int SetColor(const QString &phrase, TAlphaColor color);
    void SetSelStart(int start) { FSelStart = start; }
    int SelStart() const { return FSelStart; }
    void SetFontColor(TAlphaColor color);
    void ClearLabelColor();

    QString Text() const { return FText; }
    const QList<TLabel *> &Labels() const { return LabelList; }

private:
    QList<TLabel *> LabelList; // owned (children)
    QString FText;
    int FSelStart = 0;
    TAlphaColor FFontColor = 0xFF000000;
};
