// The hand-over from a word unit's menu ("单词学习") to the word study: the
// welcome figure stops and the study page is shown. The word drill itself
// belongs to the word study; until it takes over, the step is logged as not
// available yet.

#include "StudyFrame.h"

#include "PendingWork.h"

#include "TLabel.h"
#include "TTabControl.h"
#include "TText.h"

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
