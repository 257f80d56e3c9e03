#include "Submission.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Submission;
using Json = nlohmann::ordered_json;

namespace {

TEST(SubmissionRules, PassageAndWordRecordsCarryWhatTheServiceReads)
{
    const Json doc = Json::parse(R"({"parts":[{"result":"{\"overall\":61.26}"}],"achiveType":"S","partcount":1})");
    const TeduPartScore passage = PassageScoreRecord(doc, 1001011, 2, 5, 10001);
    EXPECT_EQ(passage.Kind, QStringLiteral("S"));
    EXPECT_EQ(passage.PointCaseType, 5);
    EXPECT_EQ(passage.LessonId, 1001011);
    EXPECT_DOUBLE_EQ(passage.Score, 61.3);
    EXPECT_EQ(Json::parse(passage.ResultText.toStdString()), doc);
    EXPECT_EQ(passage.UserId, 10001);
    // Any kind but "S" is sent as "L"; a lesson without parts scores 0.
    Json lesson = doc;
    lesson["achiveType"] = "X";
    EXPECT_EQ(PassageScoreRecord(lesson, 1, 1, 7, 1).Kind, QStringLiteral("L"));
    EXPECT_EQ(PassageScoreRecord(doc, 1, 0, 5, 1).Score, 0);

    const Json words = Json::parse(R"({"wordResult":[{"result":"{\"overall\":80}"},{"result":""}]})");
    const TeduPartScore unit = WordUnitScoreRecord(words, 300, 2, 10001);
    EXPECT_EQ(unit.Kind, QStringLiteral("W"));
    EXPECT_EQ(unit.PointCaseType, 3);
    EXPECT_DOUBLE_EQ(unit.Score, 40);
    EXPECT_TRUE(unit.ResultText.isEmpty());
    EXPECT_EQ(WordUnitScoreRecord(words, 300, 0, 10001).Score, 0);
}

TEST(SubmissionRules, TwoSubmissionsInOneSecondGetFilesOfTheirOwn)
{
    QTemporaryDir dir;
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 5, 59));
    const QString first = RetryStem(dir.path(), 10001, at, 77);
    EXPECT_EQ(first, QStringLiteral("10001-261207090559-77"));
    QFile(QDir(dir.path()).filePath(first + QStringLiteral(".mp3"))).open(QIODevice::WriteOnly);
    const QString second = RetryStem(dir.path(), 10001, at, 77);
    EXPECT_EQ(second, QStringLiteral("10001-261207090600-77"));
    QFile(QDir(dir.path()).filePath(second + QStringLiteral(".stypt"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(RetryStem(dir.path(), 10001, at, 77), QStringLiteral("10001-261207090601-77"));
    // Another lesson in the same second is free.
    EXPECT_EQ(RetryStem(dir.path(), 10001, at, 78), QStringLiteral("10001-261207090559-78"));
}

TEST(SubmissionRules, TheShareUploadKeyAndRecord)
{
    EXPECT_EQ(ShareUploadKey(10001, QStringLiteral("a-b-1.mp3")), QStringLiteral("goodVoice/10001/a-b-1.mp3"));
    EXPECT_EQ(MatchFileText(10001, 55, QStringLiteral("goodVoice/10001/x.mp3")),
              QByteArray("10001\r\n55\r\ngoodVoice/10001/x.mp3\r\n"));
}

} // namespace
