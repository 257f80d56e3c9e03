#pragma once
// The texts of every message the module sends to the host.
//
// Each builder makes one JSON object from nothing, member by member in the
// order the service expects, and returns it as compact JSON text ready for a
// channel callback (TGetStrProc takes a QString). Ids are 64-bit JSON
// integers; ids the frame keeps in 32 bits are widened by the parameter type.
// Non-ASCII text is written as UTF-8.
//
// The builders only build. What the frame must do around a send stays with
// the frame, which calls these from its own Query.../Send... methods:
//   QueryALLBooks         clear bResponse first; sent with the shelf request
//                         wait (RequestWait.h), from Timer_QueryAllBookTimer
//   QueryPackageVersion   set UsuallyLessonId_Skip := 0 and
//                         isUsually_Skip := false first; sent with the
//                         package-record request wait
//   GetDownLoadURLResource  HideHint, then bFllowDownload := true; the caller
//                         sets NowLoadType before
//   GetUpLoadURLResource  bFllowUpload := true first
//   SendMainUpdated, CloseAnswer  go on the job channel (FDoJobs); every
//                         other request goes on the request channel (FSendInfo)
//
// The functions live in namespace Request so that the frame's own members of
// the same name can call them without being hidden by them.

#include <QString>

#include <QtGlobal>

// The logged-in account as requests name it.
struct TRequestIdentity
{
    qint64 uid = 0;          // ILoginInfo::GetUid
    qint64 schoolUserId = 0; // ILoginInfo::GetSchoolUserId; 0 = no school account
};

namespace Request {

// acAllBooks, the whole course shelf: "apiCode", "uid", "actionType" 2, and
// "schoolUserId" only when it is not 0.
QString QueryALLBooks(const TRequestIdentity &who);

// acPackageVersion, the resource package record: "apiCode", "uid", then for an
// assignment's unit "queryType" "resPackage" and "unitId", otherwise
// "queryType" "single" and "lessonId"; last "courseType", "W" when
// courseType is exactly "W" and "L" for anything else.
QString QueryPackageVersion(const TRequestIdentity &who, qint64 paramId, const QString &courseType, bool assignment);

// acLessonList, the lessons of a course or unit: "apiCode", "uid", "queryType", then
// "parentId" when queryType is exactly "list", else "lessonId".
QString QueryLesson(const TRequestIdentity &who, const QString &queryType, qint64 id);

// acFinishLesson, progress of a book's lesson units: "apiCode", "uid", "userId", "bookId".
QString QueryFinishLesson(const TRequestIdentity &who, qint64 bookId);

// acWordFinish, progress of a book's word units: "apiCode", "uid", "userId", "bookId".
QString QueryWordFinish(const TRequestIdentity &who, qint64 bookId);

// acFreeGoods, contents of a recommended course: "apiCode", "uid" and "userId" both
// userId, "goodsId".
QString QueryFreeGoods(qint64 userId, qint64 goodsId);

// acAddMyCourse, add a free recommended course: "apiCode", "uid" and "userId" both
// userId, "goodsId".
QString AddMyCourse(qint64 userId, qint64 goodsId);

// acGetDownloadUrl, download address of a resource: "apiCode", "uid", "key".
QString GetDownLoadURLResource(const TRequestIdentity &who, const QString &key);

// acGetUploadUrl, upload address for a file key: "apiCode", "uid", "key".
QString GetUpLoadURLResource(const TRequestIdentity &who, const QString &key);

// acMaterialContent, content of one teaching material (sent by the material tile click,
// StudyMaterialsMouseUp): "apiCode", "uid", "queryType" "single", "materialId".
QString MaterialContent(const TRequestIdentity &who, qint64 materialId);

// acMainUpdated alone, on the job channel: the main view was set up or scrolled.
QString SendMainUpdated();

// The answer of Timer_CloseTimer on the job channel: acCloseReady when exitMode is
// exactly "close" (the host closes the module), otherwise acSwitchReady (the host
// switches to another module).
QString CloseAnswer(const QString &exitMode);

// acTtsAudio, synthesised speech of a clicked word: "apiCode", "text"; no "uid".
QString GetTTSAudio(const QString &text);

// acAssignmentStatus, the assignments of a course: "apiCode", "uid", "assignment" 1,
// "lessonId" (the course's id), "assignType" ("W" for a word book, "L" for a
// textbook; passed through as given).
QString QueryAssignmentStatus(const TRequestIdentity &who, qint64 lessonId, const QString &assignType);

// acAssignmentMaxScore, best score so far of an assignment's lesson: "apiCode", "uid",
// "userId", "assignmentId", "lessonId".
QString QueryAssignmentMaxScore(const TRequestIdentity &who, qint64 assignmentId, qint64 lessonId);

// acWordResult, one graded word of the word drill (sent by StartWordStudy for a word
// that scored above 30): "apiCode", "uid", "wordAchiveId" 0, "pointCaseType"
// 1, "wordsId", "score" (a JSON number; the caller passes it through
// PrecisionChange), "accuracy", "fluent", "integrity" all 0, "content" (the
// grading result text, as a JSON string).
QString SingleWordResult(const TRequestIdentity &who, qint64 wordsId, double score, const QString &content);

// acScoreHistory, one page of the score history: "apiCode", "uid", "pointCaseType" 0,
// "studentId" (the uid), "startTime", "endTime" (texts as given, e.g.
// "2024-05-01 00:00:00"), "isMax" 1 or 0, "pageSize", "pageNum" (from 1).
QString StudyQueryScore(const TRequestIdentity &who, const QString &startTime, const QString &endTime, bool maxOnly,
                        int pageSize, int pageNum);

// acShareAudio, register an uploaded recording as shared (built by ShareAudio, sent
// by SendShareRequest): "apiCode", "uid", "achivementId", "uuid" (the upload
// key).
QString ShareAudio(const TRequestIdentity &who, qint64 achievementId, const QString &uploadKey);

} // namespace Request
