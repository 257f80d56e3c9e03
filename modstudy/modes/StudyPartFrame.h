#pragma once
// TStudyPartFrame: the view of passage reading ("短文朗读").
//
// The main frame creates it on a switch to passage reading, hands it the
// sound engine and the hint service, fills it from the lesson (or, for a
// teaching material, with the material's picture) and wires its buttons to
// its own handlers. This view shows the lesson picture, the passage text and
// the control bar; the reading itself (recording part by part, continuing an
// unfinished reading) is done by the main frame.

#include "ModeBarFrame.h"

class TeduPack_Lesson;
class TMyLabelFrame;
class TText;
class TVertScrollBox;

class TStudyPartFrame : public TModeBarFrame
{
    Q_OBJECT
public:
    explicit TStudyPartFrame(QWidget *parent);

    // The passage of a lesson (PassageText::ReadingText) becomes the text
    // that is read and graded, and is shown. (`newContent` false adds it to
    // what is shown already.)
    void CreatePartContent(const TeduPack_Lesson &lesson, bool newContent);
    // A teaching material's passage: line breaks removed; shown indented.
    void CreateMaterial(const QString &text);
    // The passage as shown.
    QString PartContent() const;
    // The whole passage text that is read and graded.
    QString CurRecordContent() const { return FCurRecordContent; }

    TRectangle *Rectangle_PartPicture = nullptr;
    TVertScrollBox *VertScrollBox_Part = nullptr;
    TMyLabelFrame *FMyLabel = nullptr;  // a lesson's passage, one label per word
    TText *Label_PartContent = nullptr; // a material's passage
    TText *Text_HintContinue = nullptr; // "本篇可分段续读", kept hidden

private:
    QString FCurRecordContent;
};
