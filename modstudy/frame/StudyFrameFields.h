#pragma once
// The shared fields of TStudyFrame, a base of TStudyFrame, grouped by
// concern: work, view, shelf, package, course, assignment, recent, study and
// result. Every subsystem of the frame reads and writes them (the header of
// each subsystem's Frame*.cpp says which), tests read them by their names.

#include "StudyTypes.h"
#include "WorkState.h"

#include <nlohmann/json.hpp>

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class TBookIconFrame;
class TControl;
class TFrame;
class TNoFinishWordList;
class TPackageArchive;
class TResourcePackageInfo;
class TStudyPartFrame;
class TStudyPlayFrame;
class TStudyRepeatFrame;
class TStudySentenceFrame;
class TeduAssignDetail;
class TeduLastAssignMent;
class TeduPack_Book;
class TeduUserOwnFreeGoods;

struct TStudyFrameFields
{
    // -- work --
    TWorkState WorkState = wsIdle;
    bool bStop = false; // end the current wait, playback or recording
    bool bNext = false; // step flags of the study modes
    bool bFinish = false;
    bool bCloseForm = false; // the host is closing or switching the module
    QString ExitMode;        // "close" or "change"
    bool bResponse = false;  // the awaited reply has arrived
    int curMsgCode = 0;      // code of the last incoming message
    bool isAllowOperate = true;

    // -- view --
    TStudyModule StudyModule = smNone;
    bool isStudyModeReturn = false;
    bool isStudyModeChange = false;

    // -- shelf -- (tiles owned by their lists)
    QList<TBookIconFrame *> RecommandGoods;
    QList<TBookIconFrame *> Materials;
    QList<TBookIconFrame *> UserBooks;
    QList<TBookIconFrame *> UserBooks_Outside;
    QList<TBookIconFrame *> UserBooks_Usually;
    int RecommandIndex = 0;
    int MaterialsIndex = 0;
    int MyCourseIndex = 0;
    int MyCourse_OutsideIndex = 0;
    int MyCourse_UsuallyIndex = 0;
    int curSelectRecommandIndex = 0;
    int curSelectMaterialsIndex = 0;
    int curSelectMyCourseIndex = 0;
    int curSelectMyCourse_OutsideIndex = 0;
    TBookIconFrame *curSelectBook = nullptr; // the open book (not owned); null on the home page
    QString curSelectBookType;               // "materials" for a teaching material
    std::vector<std::unique_ptr<TeduUserOwnFreeGoods>> UserOwnFreeGoodses;
    bool isAddMyCourse = false;
    bool bStopDownloadBookPicture = false;
    // The shelf request's wait is running (Timer_QueryAllBook).
    bool bShelfRequestWaiting = false;
    // A shelf reply left the pushed assignment's course or the recent lesson
    // to open; RunShelfFollowUp does it once no shelf wait runs.
    bool bShelfFollowUpPending = false;
    // A shelf picture's address has been asked for and not answered yet; the
    // chain sends no second request meanwhile. Every address reply and the
    // network failure notice end it.
    bool bPictureRequestPending = false;
    // Tile click handlers running right now; a shelf replaced meanwhile frees
    // its tiles from the event loop instead of at once.
    int ShelfTileClickDepth = 0;
    // A teaching material's spaced-out text, kept by CreateMaterialPassage
    // until passage reading takes it.
    QString MaterialPassageText;

    // -- package --
    TLoadType NowLoadType = LTRecommPic;
    bool bFllowDownload = true;
    bool bFllowUpload = false;
    std::shared_ptr<TResourcePackageInfo> FResourcePackageInfo;
    std::unique_ptr<TeduPack_Book> PackBook;
    // The course package whose download address was asked for and has not
    // been acted on: its address key and its title for the learner's
    // messages. Empty when no package download is awaited.
    QString PendingPackageKey;
    QString PendingPackageTitle;
    // Counts the courses asked for (each package record request); a package
    // decoded for an earlier one is not shown.
    int PackageOpenSerial = 0;
    // A shelf-picture address failure has been shown since the last shelf
    // reply; further ones are only logged.
    bool bPictureErrorShown = false;
    std::shared_ptr<TPackageArchive> WordPackage;
    int iDownloadSuccess = 0;
    QString MaterialVoiceName;
    QString MaterialDetailContent;

    // -- course --
    int curselectUnitButtonIndex = 0;
    int curSelectLessonButtonIndex = 0;
    int curSelectPartIndex = 0;
    int curSelectSentenceIndex = 0;
    int curSelectLessonId = 0;
    int CurSelectPartCount = 0;
    QString FLessonQueryType;       // "unit" or "book"
    QList<TFrame *> LessonDisplays; // the unit or lesson rows of page 1 (owned)

    // -- assignment --
    bool isAssignment = false;
    bool isAssignmentSkip = false;
    qint64 AssignmentUnitId = 0;
    int curAssignmentid = 0;
    double iMaxScore_Assignment = 0;
    std::unique_ptr<TeduLastAssignMent> LastAssignMent;
    std::vector<std::unique_ptr<TeduAssignDetail>> AssignDetails;
    std::vector<std::unique_ptr<TNoFinishWordList>> NoFinishWordList;
    std::unique_ptr<TNoFinishWordList> CurNoFinishWordList;
    bool isAssignmentWordUnit = false;

    // -- recent --
    bool isUsually_Skip = false;
    qint64 UsuallyLessonId_Skip = 0;
    QString UsuallyName_Skip;

    // -- study -- (child frames are owned by the page they sit on; at most
    // one of the four mode views exists after a switch)
    QPointer<TStudySentenceFrame> StudySentenceFrame;
    QPointer<TStudyPartFrame> StudyPartFrame;
    QPointer<TStudyRepeatFrame> StudyRepeatFrame;
    QPointer<TStudyPlayFrame> StudyPlayFrame;
    QPointer<TFrame> StudyWordFrame;
    QPointer<TFrame> StudyDisplayFrame;
    QPointer<TFrame> StudyQueryFrame;
    int PartStartIndex = 0;
    std::unique_ptr<nlohmann::ordered_json> PartResultJson; // null when released
    nlohmann::ordered_json AudioFileJson;
    double CurScore = 0;
    QString sCurRoleName;
    QString curModeName;
    QString PlayingVoiceFileName;
    QString WordJsonContent;
    TStudyRoleState StudyRoleState = rsNone;
    QPointer<TControl> RoleSender;
    int PersonSentenceTotalCount = 0;
    double PersonTotalScore = 0;
    int CurSentenceOrder_Play = 0;
    bool isPlayPause = false;
    bool isPlayFinish = false;
    bool isBreak_Play = false;
    bool isRepeatClick = false;
    QPointer<TControl> LastRectangleClickControl;

    // -- result --
    qint64 ReceiveAchivementId = 0;
    QString ShareAudioGuid;
    int curpointCaseType = 0;
    bool bSendSuccess_SingleWord = false;
    bool bSendSuccess_Score = false;
    bool bSendSuccess_Voice = false;
    bool bSendSuccess_Match = false;
};
