#include "JsonModel.h"
#include "TeduAssignDetail.h"
#include "TeduLastAssignMent.h"
#include "TeduPartScore.h"
#include "TeduUserOwnFreeGoods.h"

#include <QDir>
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
    const TeduPartScore s = sentenceScore();
    const TJson msg = SO(s.AsString());
    EXPECT_EQ(Keys(msg), (QStringList{"apiCode", "type", "pointCaseType", "lessonId", "sentenceId", "score", "result",
                                      "uid", "accuracy", "integrity", "fluency", "refId", "remark"}));
    EXPECT_EQ(I(msg, "apiCode"), 41);
    EXPECT_EQ(S(msg, "type"), QStringLiteral("L"));
    EXPECT_EQ(I(msg, "pointCaseType"), 2);
    EXPECT_EQ(I64(msg, "lessonId"), 0);
    EXPECT_EQ(I64(msg, "sentenceId"), 314);
    EXPECT_DOUBLE_EQ(D(msg, "score"), 85.5);
    EXPECT_TRUE(msg["result"].is_string());
    EXPECT_EQ(S(msg, "result"), s.ResultText);
    EXPECT_DOUBLE_EQ(D(O(SO(S(msg, "result")), "result"), "overall"), 85.5);
    EXPECT_TRUE(msg["uid"].is_number_integer());
    EXPECT_EQ(I64(msg, "uid"), 9007199254740993LL);
    EXPECT_EQ(I(msg, "accuracy"), 80);
    EXPECT_EQ(I(msg, "integrity"), 90);
    EXPECT_EQ(I(msg, "fluency"), 70);
    EXPECT_EQ(I64(msg, "refId"), 0);
    EXPECT_EQ(S(msg, "remark"), QString());
    EXPECT_TRUE(s.AsString().contains(QStringLiteral("你好")));
}

TEST(TeduPartScore, RoundTripsThroughTextAndUtf8File)
{
    TeduPartScore s = sentenceScore();
    s.Kind = QStringLiteral("S");
    s.PointCaseType = 5;
    s.LessonId = 4000000000LL;
    s.RefId = 77;
    s.Remark = QStringLiteral("备注");

    TeduPartScore back;
    ASSERT_TRUE(back.LoadFromString(s.AsString()));
    EXPECT_EQ(back.AsString(), s.AsString());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + QStringLiteral("\\Fail\\Study\\1-240101120000-7.stypt");
    ASSERT_TRUE(s.SaveToUTF8File(file));
    QFile f(dir.path() + QStringLiteral("/Fail/Study/1-240101120000-7.stypt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes), s.AsString());

    TeduPartScore fromFile;
    ASSERT_TRUE(fromFile.LoadFromUTF8File(file));
    EXPECT_EQ(fromFile.AsString(), s.AsString());
    // Saving again replaces the file rather than appending.
    ASSERT_TRUE(sentenceScore().SaveToUTF8File(file));
    ASSERT_TRUE(fromFile.LoadFromUTF8File(file));
    EXPECT_EQ(fromFile.AsString(), sentenceScore().AsString());
}

TEST(TeduPartScore, ReadingBadInputResetsEveryField)
{
    TeduPartScore s = sentenceScore();
    EXPECT_FALSE(s.LoadFromString(QStringLiteral("garbage")));
    EXPECT_EQ(s.AsString(), TeduPartScore().AsString());
    EXPECT_FALSE(s.LoadFromUTF8File(QStringLiteral("/nonexistent/dir/x.stypt")));
    // A "result" sent as an embedded object is read as its text.
    ASSERT_TRUE(s.LoadFromString(QStringLiteral("{\"result\":{\"overall\":60},\"score\":\"60.5\"}")));
    EXPECT_EQ(s.ResultText, QStringLiteral("{\"overall\":60}"));
    EXPECT_DOUBLE_EQ(s.Score, 60.5);
    EXPECT_EQ(s.Kind, QStringLiteral("L"));
}

TEST(TeduAssignDetail, ReadsAndWritesTheNineMembers)
{
    const QString element = QStringLiteral(
        "{\"areaid\":1,\"assigndetailid\":\"22\",\"assignmentid\":3,\"assigntype\":\"W\",\"finishcount\":0,"
        "\"lessonid\":44,\"title\":\"第一单元\",\"unitid\":5,\"finishwords\":\"3/10\",\"extra\":true}");
    TeduAssignDetail d;
    d.LoadFromJson(SO(element));
    EXPECT_EQ(d.areaid, 1);
    EXPECT_EQ(d.assigndetailid, 22);
    EXPECT_EQ(d.assignmentid, 3);
    EXPECT_EQ(d.assigntype, QStringLiteral("W"));
    EXPECT_EQ(d.finishcount, 0);
    EXPECT_FALSE(d.IsFinished());
    EXPECT_EQ(d.lessonid, 44);
    EXPECT_EQ(d.title, QStringLiteral("第一单元"));
    EXPECT_EQ(d.unitid, 5);
    EXPECT_EQ(d.finishwords, QStringLiteral("3/10"));
    EXPECT_EQ(Keys(d.AsJson()), (QStringList{"areaid", "assigndetailid", "assignmentid", "assigntype", "finishcount",
                                             "lessonid", "title", "unitid", "finishwords"}));
    TeduAssignDetail back;
    back.LoadFromJson(d.AsJson());
    EXPECT_EQ(back.AsJson(), d.AsJson());

    TeduAssignDetail empty;
    empty.LoadFromJson(SO(QStringLiteral("{\"finishcount\":2}")));
    EXPECT_TRUE(empty.IsFinished());
    EXPECT_EQ(empty.unitid, 0);
    EXPECT_EQ(empty.title, QString());
}

TEST(TeduUserOwnFreeGoods, ReadsAndWritesEveryMember)
{
    TeduUserOwnFreeGoods g;
    g.LoadFromJson(SO(QStringLiteral(
        "{\"courseCode\":\"C1\",\"courseType\":\"L\",\"lessonId\":\"12\",\"packageName\":\"a/b.7z\","
        "\"packagePic\":\"p.png\",\"packageTitle\":\"新概念\",\"version\":\"1.2\",\"versionNo\":3,\"hasGoods\":1}")));
    EXPECT_EQ(g.courseCode, QStringLiteral("C1"));
    EXPECT_EQ(g.courseType, QStringLiteral("L"));
    EXPECT_EQ(g.lessonId, 12);
    EXPECT_EQ(g.packageName, QStringLiteral("a/b.7z"));
    EXPECT_EQ(g.packagePic, QStringLiteral("p.png"));
    EXPECT_EQ(g.packageTitle, QStringLiteral("新概念"));
    EXPECT_EQ(g.version, QStringLiteral("1.2"));
    EXPECT_EQ(g.versionNo, 3);
    EXPECT_EQ(g.hasGoods, 1);
    TeduUserOwnFreeGoods back;
    back.LoadFromJson(SO(AsJSon(g.AsJson())));
    EXPECT_EQ(back.AsJson(), g.AsJson());
    EXPECT_EQ(Keys(g.AsJson()).first(), QStringLiteral("courseCode"));
    EXPECT_EQ(Keys(g.AsJson()).last(), QStringLiteral("hasGoods"));
}

TEST(TeduLastAssignMent, ReadsTheContentFormat)
{
    TeduLastAssignMent a;
    ASSERT_TRUE(a.SetJson(QStringLiteral(
        "{\"courseType\":\"W\",\"assignments\":[{\"assignmentId\":7,\"unitId\":9007199254740993,\"lessonId\":0,"
        "\"title\":\"单词\"},{\"assignmentId\":8,\"unitId\":13,\"lessonId\":31}]}")));
    EXPECT_EQ(a.courseType, QStringLiteral("W"));
    ASSERT_EQ(a.Count(), 2);
    EXPECT_EQ(a.FirstUnitId(), 9007199254740993LL);
    EXPECT_EQ(a.Items[0].title, QStringLiteral("单词"));
    EXPECT_EQ(a.Items[1].assignmentId, 8);
    EXPECT_TRUE(a.HasUnit(13));
    EXPECT_TRUE(a.HasLesson(31));
    EXPECT_FALSE(a.HasLesson(30));

    TeduLastAssignMent back;
    ASSERT_TRUE(back.SetJson(a.AsJsonText()));
    EXPECT_EQ(back.AsJsonText(), a.AsJsonText());
}

TEST(TeduLastAssignMent, AcceptsTheVariantsHostsSend)
{
    TeduLastAssignMent a;
    ASSERT_TRUE(
        a.SetJson(QStringLiteral("[{\"unitid\":\"5\",\"lessonid\":6,\"assignmentid\":1,\"courseType\":\"L\"}]")));
    EXPECT_EQ(a.courseType, QStringLiteral("L"));
    ASSERT_EQ(a.Count(), 1);
    EXPECT_EQ(a.FirstUnitId(), 5);
    EXPECT_EQ(a.Items[0].lessonId, 6);

    // Content given as a JSON string holding the JSON text.
    TJson wrapped = TJson(ToStd(QStringLiteral("{\"courseType\":\"L\",\"assignments\":[{\"unitId\":4}]}")));
    ASSERT_TRUE(a.SetJson(AsJSon(wrapped)));
    EXPECT_EQ(a.FirstUnitId(), 4);

    // Non-object entries are skipped.
    ASSERT_TRUE(a.SetJson(QStringLiteral("{\"assignments\":[1,{\"unitId\":2}]}")));
    EXPECT_EQ(a.Count(), 1);
}

TEST(TeduLastAssignMent, RefusesTextOutsideTheFormatAndEmptiesItself)
{
    TeduLastAssignMent a;
    ASSERT_TRUE(a.SetJson(QStringLiteral("{\"courseType\":\"L\",\"assignments\":[{\"unitId\":4}]}")));
    for (const QString &bad :
         {QStringLiteral(""), QStringLiteral("garbage"), QStringLiteral("{\"x\":1}"), QStringLiteral("12")}) {
        a.SetJson(QStringLiteral("{\"courseType\":\"L\",\"assignments\":[{\"unitId\":4}]}"));
        EXPECT_FALSE(a.SetJson(bad)) << bad.toStdString();
        EXPECT_EQ(a.Count(), 0);
        EXPECT_EQ(a.FirstUnitId(), 0);
        EXPECT_EQ(a.courseType, QString());
    }
}
