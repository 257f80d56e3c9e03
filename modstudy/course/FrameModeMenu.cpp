// The hand-over from the course page's menus to the study modes.
//
// A lesson's mode label and a word unit's "单词学习" come here. What lies on
// the frame is done: the welcome figure stops, the study page is shown and
// the requested mode is noted in curModeName by the label's name. Building
// the mode frame from the lesson and the word drill belong to the lesson
// study modes and the word study; until they take over, the study page stays
// empty and the step is logged as not available yet.

#include "StudyFrame.h"

#include "PendingWork.h"

#include "TLabel.h"
#include "TTabControl.h"
#include "TText.h"

namespace {
// The mode tab named by a lesson menu label.
QString ModeOfLabel(const QString &labelName)
{
    const QString name = labelName.toLower();
    if (name == QLatin1String("label_sentence"))
        return QStringLiteral("Rectangle_Sentence");
    if (name == QLatin1String("label_part"))
        return QStringLiteral("Rectangle_Part");
    if (name == QLatin1String("label_repeat"))
        return QStringLiteral("Rectangle_Repeat");
    return QStringLiteral("Rectangle_Role");
}
} // namespace

void TStudyFrame::StudyModeButtonUp(TControl *Sender, Qt::MouseButton, Qt::KeyboardModifiers, double, double)
{
    TFrameEntry entry(this);
    if (!Sender)
        return;
    FreeAni(WelcomeAni);
    TabControl_Home->SetTabIndex(pgStudy);
    Text_WordContinueTitle->SetVisible(false);
    curModeName = ModeOfLabel(Sender->Name());
    LogPendingWork(QStringLiteral("StudyModeButtonUp"), QStringLiteral("the study mode ") + curModeName,
                   QStringLiteral("lesson study modes"));
}

void TStudyFrame::WordStudyModeButtonUp(TControl *Sender, Qt::MouseButton, Qt::KeyboardModifiers, double, double)
{
    TFrameEntry entry(this);
    if (!Sender)
        return;
    FreeAni(WelcomeAni);
    TabControl_Home->SetTabIndex(pgStudy);
    LogPendingWork(QStringLiteral("WordStudyModeButtonUp"), QStringLiteral("the word drill"),
                   QStringLiteral("word study"));
}
