#include "Requests.h"

#include "ApiCodes.h"

#include <nlohmann/json.hpp>

#include <string>

using nlohmann::ordered_json;

namespace {

// A request starts as an empty object with its code as first member.
ordered_json Begin(ApiCode code)
{
    ordered_json j = ordered_json::object();
    j["apiCode"] = static_cast<std::int64_t>(code);
    return j;
}

std::string Utf8(const QString &s)
{
    return s.toStdString();
}

QString Finish(const ordered_json &j)
{
    // Compact; a text that is not valid UTF-8 cannot come from a QString, but
    // replacing instead of throwing keeps any such fault out of the caller.
    return QString::fromStdString(j.dump(-1, ' ', false, ordered_json::error_handler_t::replace));
}

void PutId(ordered_json &j, const char *key, qint64 value)
{
    j[key] = static_cast<std::int64_t>(value);
}

} // namespace

namespace Request {

QString QueryALLBooks(const TRequestIdentity &who)
{
    ordered_json j = Begin(acAllBooks);
    PutId(j, "uid", who.uid);
    j["actionType"] = 2;
    if (who.schoolUserId != 0)
        PutId(j, "schoolUserId", who.schoolUserId);
    return Finish(j);
}

QString QueryPackageVersion(const TRequestIdentity &who, qint64 paramId, const QString &courseType, bool assignment)
{
    ordered_json j = Begin(acPackageVersion);
    PutId(j, "uid", who.uid);
    if (assignment) {
        j["queryType"] = "resPackage";
        PutId(j, "unitId", paramId);
    } else {
        j["queryType"] = "single";
        PutId(j, "lessonId", paramId);
    }
    j["courseType"] = courseType == QLatin1String("W") ? "W" : "L";
    return Finish(j);
}

QString QueryLesson(const TRequestIdentity &who, const QString &queryType, qint64 id)
{
    ordered_json j = Begin(acLessonList);
    PutId(j, "uid", who.uid);
    j["queryType"] = Utf8(queryType);
    PutId(j, queryType == QLatin1String("list") ? "parentId" : "lessonId", id);
    return Finish(j);
}

QString QueryFinishLesson(const TRequestIdentity &who, qint64 bookId)
{
    ordered_json j = Begin(acFinishLesson);
    PutId(j, "uid", who.uid);
    PutId(j, "userId", who.uid);
    PutId(j, "bookId", bookId);
    return Finish(j);
}

QString QueryWordFinish(const TRequestIdentity &who, qint64 bookId)
{
    ordered_json j = Begin(acWordFinish);
    PutId(j, "uid", who.uid);
    PutId(j, "userId", who.uid);
    PutId(j, "bookId", bookId);
    return Finish(j);
}

QString QueryFreeGoods(qint64 userId, qint64 goodsId)
{
    ordered_json j = Begin(acFreeGoods);
    PutId(j, "uid", userId);
    PutId(j, "userId", userId);
    PutId(j, "goodsId", goodsId);
    return Finish(j);
}

QString AddMyCourse(qint64 userId, qint64 goodsId)
{
    ordered_json j = Begin(acAddMyCourse);
    PutId(j, "uid", userId);
    PutId(j, "userId", userId);
    PutId(j, "goodsId", goodsId);
    return Finish(j);
}

QString GetDownLoadURLResource(const TRequestIdentity &who, const QString &key)
{
    ordered_json j = Begin(acGetDownloadUrl);
    PutId(j, "uid", who.uid);
    j["key"] = Utf8(key);
    return Finish(j);
}

QString GetUpLoadURLResource(const TRequestIdentity &who, const QString &key)
{
    ordered_json j = Begin(acGetUploadUrl);
    PutId(j, "uid", who.uid);
    j["key"] = Utf8(key);
    return Finish(j);
}

QString MaterialContent(const TRequestIdentity &who, qint64 materialId)
{
    ordered_json j = Begin(acMaterialContent);
    PutId(j, "uid", who.uid);
    j["queryType"] = "single";
    PutId(j, "materialId", materialId);
    return Finish(j);
}

QString SendMainUpdated()
{
    return Finish(Begin(acMainUpdated));
}

QString CloseAnswer(const QString &exitMode)
{
    return Finish(Begin(exitMode == QLatin1String("close") ? acCloseReady : acSwitchReady));
}

QString GetTTSAudio(const QString &text)
{
    ordered_json j = Begin(acTtsAudio);
    j["text"] = Utf8(text);
    return Finish(j);
}

QString QueryAssignmentStatus(const TRequestIdentity &who, qint64 lessonId, const QString &assignType)
{
    ordered_json j = Begin(acAssignmentStatus);
    PutId(j, "uid", who.uid);
    j["assignment"] = 1;
    PutId(j, "lessonId", lessonId);
    j["assignType"] = Utf8(assignType);
    return Finish(j);
}

QString QueryAssignmentMaxScore(const TRequestIdentity &who, qint64 assignmentId, qint64 lessonId)
{
    ordered_json j = Begin(acAssignmentMaxScore);
    PutId(j, "uid", who.uid);
    PutId(j, "userId", who.uid);
    PutId(j, "assignmentId", assignmentId);
    PutId(j, "lessonId", lessonId);
    return Finish(j);
}

QString SingleWordResult(const TRequestIdentity &who, qint64 wordsId, double score, const QString &content)
{
    ordered_json j = Begin(acWordResult);
    PutId(j, "uid", who.uid);
    j["wordAchiveId"] = 0;
    j["pointCaseType"] = 1;
    PutId(j, "wordsId", wordsId);
    j["score"] = score;
    j["accuracy"] = 0;
    j["fluent"] = 0;
    j["integrity"] = 0;
    j["content"] = Utf8(content);
    return Finish(j);
}

QString StudyQueryScore(const TRequestIdentity &who, const QString &startTime, const QString &endTime, bool maxOnly,
                        int pageSize, int pageNum)
{
    ordered_json j = Begin(acScoreHistory);
    PutId(j, "uid", who.uid);
    j["pointCaseType"] = 0;
    PutId(j, "studentId", who.uid);
    j["startTime"] = Utf8(startTime);
    j["endTime"] = Utf8(endTime);
    j["isMax"] = maxOnly ? 1 : 0;
    j["pageSize"] = pageSize;
    j["pageNum"] = pageNum;
    return Finish(j);
}

QString ShareAudio(const TRequestIdentity &who, qint64 achievementId, const QString &uploadKey)
{
    ordered_json j = Begin(acShareAudio);
    PutId(j, "uid", who.uid);
    PutId(j, "achivementId", achievementId);
    j["uuid"] = Utf8(uploadKey);
    return Finish(j);
}

} // namespace Request
