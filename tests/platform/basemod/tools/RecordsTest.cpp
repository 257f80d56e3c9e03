#include "JsonModel.h"
#include "TeduLastAssignMent.h"
#include "TeduPartScore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TeduPartScore sentenceScore()
{
    TeduPartScore s;
    s.Kind = QStringLiteral("L");
    s.PointCaseType = 2;
    s.LessonId = 0;
    s.SentenceId = 314;
    s.Score = 85.5;
    s.ResultText = QStringLiteral("{\"result\":{\"overall\":85.5},\"text\":\"你好\"}");
    s.UserId = 9007199254740993LL;
    s.Accuracy = 80;
    s.Integrity = 90;
    s.Fluency = 70;
    return s;
}

} // namespace

TEST(TeduPartScore, AsStringIsTheScoreMessageWithItsMembersInOrder)
{
    // Compared as ordered JSON: member order and the exact 64-bit uid count.
    EXPECT_EQ(SO(sentenceScore().AsString()), TJson::parse(R"({"apiCode":41,"type":"L","pointCaseType":2,
        "lessonId":0,"sentenceId":314,"score":85.5,"result":"{\"result\":{\"overall\":85.5},\"text\":\"你好\"}",
        "uid":9007199254740993,"accuracy":80,"integrity":90,"fluency":70,"refId":0,"remark":""})"));
}

TEST(TeduPartScore, RoundTripsThroughTextAndUtf8File)
{
    TeduPartScore s = sentenceScore();
    s.Remark = QStringLiteral("备注");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + QStringLiteral("\\Fail\\Study\\1-240101120000-7.stypt");
    ASSERT_TRUE(s.SaveToUTF8File(file));
    QFile f(dir.path() + QStringLiteral("/Fail/Study/1-240101120000-7.stypt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes), s.AsString());

    // Saving again replaces the file rather than appending.
    ASSERT_TRUE(sentenceScore().SaveToUTF8File(file));
    TeduPartScore fromFile;
    ASSERT_TRUE(fromFile.LoadFromUTF8File(file));
    EXPECT_EQ(fromFile.AsString(), sentenceScore().AsString());
}

TEST(TeduPartScore, ReadingBadInputResetsEveryField)
{
    TeduPartScore s = sentenceScore();
    EXPECT_FALSE(s.LoadFromString(QStringLiteral("garbage")));
    EXPECT_EQ(s.AsString(), TeduPartScore().AsString());
    // A "result" sent as an embedded object is read as its text.
    ASSERT_TRUE(s.LoadFromString(QStringLiteral("{\"result\":{\"overall\":60},\"score\":\"60.5\"}")));
    EXPECT_EQ(s.ResultText, QStringLiteral("{\"overall\":60}"));
    EXPECT_DOUBLE_EQ(s.Score, 60.5);
    EXPECT_EQ(s.Kind, QStringLiteral("L"));
}

TEST(TeduLastAssignMent, ReadsTheContentFormatAndTheVariantsHostsSend)
{
    TeduLastAssignMent a;
    ASSERT_TRUE(a.SetJson(QStringLiteral(
        "{\"courseType\":\"W\",\"assignments\":[{\"assignmentId\":7,\"unitId\":9007199254740993,\"lessonId\":0,"
        "\"title\":\"单词\"},1,{\"assignmentId\":8,\"unitId\":13,\"lessonId\":31}]}")));
    ASSERT_EQ(a.Count(), 2); // the entry that is no object is skipped
    EXPECT_EQ(a.FirstUnitId(), 9007199254740993LL);
    TeduLastAssignMent back;
    ASSERT_TRUE(back.SetJson(a.AsJsonText()));
    EXPECT_EQ(back.AsJsonText(), a.AsJsonText());

    // A bare list with lower-case keys and ids as text.
    ASSERT_TRUE(
        a.SetJson(QStringLiteral("[{\"unitid\":\"5\",\"lessonid\":6,\"assignmentid\":1,\"courseType\":\"L\"}]")));
    EXPECT_EQ(a.courseType, QStringLiteral("L"));
    ASSERT_EQ(a.Count(), 1);
    EXPECT_EQ(a.Items[0].lessonId, 6);
    // Content given as a JSON string holding the JSON text.
    TJson wrapped = TJson(ToStd(QStringLiteral("{\"courseType\":\"L\",\"assignments\":[{\"unitId\":4}]}")));
    ASSERT_TRUE(a.SetJson(AsJSon(wrapped)));
    EXPECT_EQ(a.FirstUnitId(), 4);
}

TEST(TeduLastAssignMent, RefusesTextOutsideTheFormatAndEmptiesItself)
{
    TeduLastAssignMent a;
    ASSERT_TRUE(a.SetJson(QStringLiteral("{\"courseType\":\"L\",\"assignments\":[{\"unitId\":4}]}")));
    for (const QString &bad : {QStringLiteral("garbage"), QStringLiteral("{\"x\":1}")}) {
        a.SetJson(QStringLiteral("{\"courseType\":\"L\",\"assignments\":[{\"unitId\":4}]}"));
        EXPECT_FALSE(a.SetJson(bad)) << bad.toStdString();
        EXPECT_EQ(a.Count(), 0);
        EXPECT_EQ(a.courseType, QString());
    }
}
