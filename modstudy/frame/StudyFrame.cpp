// Construction and destruction of the study frame, and its deferred
// destruction while one of its handlers is still running.

#include "StudyFrame.h"
#include "StudyPartFrame.h"
#include "StudyPlayFrame.h"
#include "StudyRepeatFrame.h"
#include "StudySentenceFrame.h"

#include "NoFinishWordList.h"
#include "PackBook.h"
#include "ResourcePackageInfo.h"
#include "ResultStore.h"
#include "TeduAssignDetail.h"
#include "TeduLastAssignMent.h"
#include "TeduUserOwnFreeGoods.h"

#include "LocalPath.h"
#include "Log.h"

#include "TButton.h"
#include "TTabControl.h"
#include "TTimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>

TStudyFrame::TStudyFrame(QWidget *owner) : TFrame(owner)
{
    SetBounds(0, 0, kDesignWidth, kDesignHeight);
    if (owner)
        SetBounds(0, 0, owner->width() > 0 ? owner->width() : kDesignWidth,
                  owner->height() > 0 ? owner->height() : kDesignHeight);

    // The page control fills the frame; its pages switch only by index.
    TabControl_Home = new TTabControl(this);
    TabControl_Home->SetName(QStringLiteral("TabControl_Home"));
    TabControl_Home->SetBounds(0, 0, Width(), Height());
    TabItem_Home = TabControl_Home->AddTab(QStringLiteral("TabItem_Home"));
    TabItem_Book = TabControl_Home->AddTab(QStringLiteral("TabItem_Book"));
    TabItem_Study = TabControl_Home->AddTab(QStringLiteral("TabItem_Study"));
    TabItem_DisplayScore = TabControl_Home->AddTab(QStringLiteral("TabItem_DisplayScore"));
    BuildHomePage();
    BuildBookPage();
    BuildStudyPage();
    BuildScorePage();
    ApplyFixedFontSizes();
    CreateTimers();

    bFllowDownload = true;
    isAllowOperate = true;
    WorkState = wsIdle;
    TabControl_Home->SetTabIndex(pgHome);
    PackBook = std::make_unique<TeduPack_Book>();

    // Every local file lies under the folder of the running executable
    // until the host's LoadUI says the same again.
    FMainPath = ExecutableFolder();
    FDConnection1 = std::make_unique<TResultStore>(LocalPath(FMainPath, QStringLiteral("config\\WordDatabase")));

    ConnectHandlers();
    if (owner)
        owner->installEventFilter(this);
}

TStudyFrame::~TStudyFrame()
{
    if (QWidget *owner = parentWidget())
        owner->removeEventFilter(this);
    for (TPngAni **ani : {&WelcomeAni, &ReadAni, &RecordAni, &ScoreAni, &ExpAni, &CoinAni, &MedalAni})
        FreeAni(*ani);
    LastAssignMent.reset();
    if (Timer_Return)
        Timer_Return->SetEnabled(false);
    CurNoFinishWordList.reset();
    NoFinishWordList.clear();
    if (PartResultJson && PartResultJson->is_object()) {
        const auto it = PartResultJson->find("bContinue");
        if (it != PartResultJson->end() && it->is_number() && it->get<double>() == 0)
            DeleteBackupsFile(AudioFileJson);
    }
    WordPackage.reset();
    FreeShelfLists();
    UserOwnFreeGoodses.clear();
    AssignDetails.clear();
    PackBook.reset();
    qDeleteAll(LessonDisplays);
    LessonDisplays.clear();
    delete StudySentenceFrame.data();
    delete StudyPartFrame.data();
    delete StudyRepeatFrame.data();
    delete StudyPlayFrame.data();
    for (QPointer<TFrame> *child : {&StudyWordFrame, &StudyDisplayFrame, &StudyQueryFrame}) {
        delete child->data();
        *child = nullptr;
    }
    FDConnection1.reset();
}

QString TStudyFrame::ExecutableFolder()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QDir::currentPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QList<TTimer *> TStudyFrame::Timers() const
{
    return findChildren<TTimer *>(QString(), Qt::FindDirectChildrenOnly);
}

bool TStudyFrame::DestroyWhenIdle()
{
    if (!m_destroyRequested) {
        m_destroyRequested = true;
        // Whatever is still running should end soon and start nothing new.
        bStop = true;
        bCloseForm = true;
        for (TTimer *t : Timers())
            t->SetEnabled(false);
        if (FSoundEngine) {
            FSoundEngine->StopRecord();
            FSoundEngine->StopPlay();
        }
    }
    if (m_entryDepth > 0) {
        procSaveLog(QStringLiteral("info：TStudyFrame: destruction deferred until ") % QString::number(m_entryDepth)
                    % QStringLiteral(" running handler(s) return"));
        return false;
    }
    delete this;
    return true;
}

TStudyFrame::TFrameEntry::TFrameEntry(TStudyFrame *frame) : m_frame(frame)
{
    ++m_frame->m_entryDepth;
}

TStudyFrame::TFrameEntry::~TFrameEntry()
{
    if (--m_frame->m_entryDepth == 0 && m_frame->m_destroyRequested) {
        // Whoever called the handler (a timer, a button, the host) may still
        // be on the stack; free the frame from the event loop instead, unless
        // a handler of the frame is running again by then (its end schedules
        // this anew).
        TStudyFrame *frame = m_frame;
        QTimer::singleShot(0, frame, [frame] {
            if (frame->m_entryDepth == 0)
                delete frame;
        });
    }
}

bool TStudyFrame::eventFilter(QObject *watched, QEvent *event)
{
    // The frame fills its parent.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        SetBounds(0, 0, parentWidget()->width(), parentWidget()->height());
    return TFrame::eventFilter(watched, event);
}

void TStudyFrame::SizeChanged()
{
    if (TabControl_Home)
        TabControl_Home->SetBounds(0, 0, Width(), Height());
}

void TStudyFrame::LogHandlerError(const QString &name, const char *what)
{
    procSaveLog(QStringLiteral("error:") % name % QStringLiteral(":")
                % (what ? QString::fromUtf8(what) : QStringLiteral("unknown exception")));
}
