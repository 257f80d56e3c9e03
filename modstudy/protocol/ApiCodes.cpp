#include "ApiCodes.h"

bool IsKnownApiCode(int code)
{
    switch (static_cast<ApiCode>(code)) {
    case acGetUploadUrl:
    case acUploadUrl:
    case acGetDownloadUrl:
    case acDownloadUrl:
    case acAddMyCourse:
    case acAddMyCourseResult:
    case acScoreAccepted:
    case acWordResult:
    case acWordResultAccepted:
    case acTtsAudio:
    case acTtsAudioUrl:
    case acScoreHistory:
    case acScoreHistoryPage:
    case acShareAudio:
    case acShareAudioAccepted:
    case acFreeGoods:
    case acFreeGoodsContents:
    case acAssignmentStatus:
    case acAssignmentDetails:
    case acAssignmentMaxScore:
    case acAssignmentBestScore:
    case acAllBooks:
    case acAllBooksShelf:
    case acMaterialContent:
    case acMaterialContentItems:
    case acLessonList:
    case acLessonListReply:
    case acPackageVersion:
    case acPackageRecord:
    case acWordFinish:
    case acWordFinishProgress:
    case acFinishLesson:
    case acFinishLessonProgress:
    case acAssignmentPush:
    case acOpenRecentLesson:
    case acCloseRequest:
    case acCloseReady:
    case acSwitchRequest:
    case acSwitchReady:
    case acMainUpdated:
    case acStopRecordAni:
    case acNetworkFailure: return true;
    case acNone: break;
    }
    return false;
}
