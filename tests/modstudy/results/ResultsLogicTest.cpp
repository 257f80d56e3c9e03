// The results logic, without a frame: the local result store and the JSON of
// its rows, and the records and file names of a score submission.

#include "ResultStore.h"
#include "StoreJson.h"
#include "Submission.h"

#include "LogCapture.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace Submission;
using Json = nlohmann::ordered_json;

namespace {

// Runs `statement` on a connection of its own to the store's file, to look at
// or tamper with what the store wrote: nothing when it fails, else the first
// column of the first row (invalid without rows).
std::optional<QVariant> Raw(const QString &path, const QString &statement)
{
    std::optional<QVariant> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        const bool open = db.open();
        QSqlQuery query(db);
        if (open && query.exec(statement))
            result = query.next() ? query.value(0) : QVariant();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return result;
}

class ResultStoreTest : public ::testing::Test
{
protected:
    QString DbPath() const { return m_dir.filePath(QStringLiteral("app/config/WordDatabase")); }
    bool IsOpen(const TResultStore &store) const
    {
        return QSqlDatabase::database(store.ConnectionName(), false).isOpen();
    }
    void ExpectNoLog() const { EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString(); }

    QTemporaryDir m_dir;
    LogCapture m_log;
};

// Ids beyond 32 bits (2^53 + 1 does not survive a trip through a double) and
// Chinese text, members in another order than the columns'.
const QString kPartRow31 = QStringLiteral(
    R"({"partAudio":"[\"录音/第一段.wav\"]","partIndex":2,"partId":9223372036854775807,"partTotalCount":5,)"
    R"("lessonId":31,"unitId":-9007199254740995,"bookId":5000000000,"uid":9007199254740993,)"
    R"("partResult":"{\"parts\":[{\"id\":401,\"score\":88.5}],\"comment\":\"很好！\",\"a\":2}"})");
const QString kPartRow31Selected = QStringLiteral(
    R"({"uid":9007199254740993,"bookId":5000000000,"unitId":-9007199254740995,"lessonId":31,"partTotalCount":5,)"
    R"("partId":9223372036854775807,"partIndex":2,"partResult":{"parts":[{"id":401,"score":88.5}],"comment":"很好！",)"
    R"("a":2},"partAudio":["录音/第一段.wav"]})");
const QString kPartKey31 =
    QStringLiteral(R"({"uid":9007199254740993,"bookId":5000000000,"unitId":-9007199254740995,"lessonId":31})");
const QString kPartKey32 =
    QStringLiteral(R"({"uid":9007199254740993,"bookId":5000000000,"unitId":-9007199254740995,"lessonId":32})");

TEST_F(ResultStoreTest, PartResultsRoundTripPerLessonKeyAndEachStoreHasItsOwnConnection)
{
    ASSERT_FALSE(QDir(m_dir.filePath(QStringLiteral("app"))).exists());
    TResultStore store(DbPath());
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    ASSERT_TRUE(store.InsertPartResult(kPartRow31));
    QString row32 = kPartRow31;
    ASSERT_TRUE(
        store.InsertPartResult(row32.replace(QStringLiteral(R"("lessonId":31)"), QStringLiteral(R"("lessonId":32)"))));

    EXPECT_EQ(store.SelectPartResult(kPartKey31), kPartRow31Selected);
    EXPECT_FALSE(store.SelectPartResult(kPartKey32).isEmpty());
    // Every key member takes part: changing any one of them finds nothing.
    for (const auto &[member, other] :
         {std::pair{"9007199254740993", "9007199254740992"}, std::pair{"5000000000", "5000000001"},
          std::pair{"-9007199254740995", "-9007199254740994"}, std::pair{":31", ":33"}}) {
        const QString key = QString(kPartKey31).replace(QString::fromLatin1(member), QString::fromLatin1(other));
        const QString selected = store.SelectPartResult(key);
        EXPECT_TRUE(selected.isEmpty()) << key.toStdString() << " -> " << selected.toStdString();
    }

    // A second store on the file has a connection of its own, removed with it.
    QString secondName;
    {
        TResultStore second(DbPath());
        secondName = second.ConnectionName();
        EXPECT_NE(secondName, store.ConnectionName());
        second.DeletePartResult(kPartKey31);
    }
    EXPECT_FALSE(QSqlDatabase::contains(secondName));
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    EXPECT_FALSE(store.SelectPartResult(kPartKey32).isEmpty());
    EXPECT_FALSE(IsOpen(store));
    ExpectNoLog();
}

TEST_F(ResultStoreTest, WordResultsAreKeyedByUnitWithoutLesson)
{
    TResultStore store(DbPath());
    // A result given as JSON rather than as text is stored as its compact text.
    ASSERT_TRUE(store.InsertWordResult(
        QStringLiteral(R"({"lessonId":5,"wordResult":[{"wordId":9000, "score":71}],"wordIndex":14,)"
                       R"("wordId":9001,"wordTotalCount":30,"unitId":22,"bookId":12,"uid":7})")));
    ASSERT_TRUE(store.InsertWordResult(QStringLiteral(
        R"({"uid":7,"bookId":12,"unitId":23,"wordTotalCount":8,"wordId":1,"wordIndex":0,"wordResult":"[]"})")));

    const QString expected =
        QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"wordTotalCount":30,"wordId":9001,"wordIndex":14,)"
                       R"("wordResult":[{"wordId":9000,"score":71}]})");
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22})")), expected);
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":99})")), expected);
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":8,"bookId":12,"unitId":22})")), QString());
    EXPECT_EQ(Raw(DbPath(), QStringLiteral("select wordResult from WordResult"))->toString(),
              QStringLiteral(R"([{"wordId":9000,"score":71}])"));

    store.DeleteWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":5})"));
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22})")), QString());
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":23})")).isEmpty());
    ExpectNoLog();
}

TEST_F(ResultStoreTest, NullMissingOrNonJsonColumnsAndDuplicateRowsKeepRowsReadable)
{
    TResultStore store(DbPath());
    // Missing members bind 0 and empty text (StoreJsonTest: never NULL).
    ASSERT_TRUE(store.InsertPartResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"lessonId":4})")));
    ASSERT_TRUE(Raw(DbPath(), QStringLiteral(R"(insert into PartResult values (9,9,9,9,2,5,1,'{"score":[1,2]}',NULL),)"
                                             R"((9,9,9,9,2,6,2,'{"second":true}','["x"]'))")));
    EXPECT_EQ(store.SelectPartResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"lessonId":4})")),
              QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"lessonId":4,"partTotalCount":0,)"
                             R"("partId":0,"partIndex":0,"partResult":[],"partAudio":[]})"));
    // Two rows for one key: the first one the database yields.
    const QString key9 = QStringLiteral(R"({"uid":9,"bookId":9,"unitId":9,"lessonId":9})");
    EXPECT_EQ(store.SelectPartResult(key9),
              QStringLiteral(R"({"uid":9,"bookId":9,"unitId":9,"lessonId":9,"partTotalCount":2,)"
                             R"("partId":5,"partIndex":1,"partResult":{"score":[1,2]},"partAudio":[]})"));
    store.DeletePartResult(key9);
    EXPECT_EQ(store.SelectPartResult(key9), QString());
    ExpectNoLog();

    // Stored text that is not JSON is selected as text, with a note.
    ASSERT_TRUE(store.InsertWordResult(
        QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"wordIndex":4,"wordResult":"[{\"cut off"})")));
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")),
              QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"wordTotalCount":0,"wordId":0,)"
                             R"("wordIndex":4,"wordResult":"[{\"cut off"})"));
    EXPECT_EQ(m_log.Lines(), QStringList{QStringLiteral("info：stored wordResult is not JSON; selected as text")});
}

TEST_F(ResultStoreTest, BadArgumentsOrNoFileNameLogTheOperationsLineAndFail)
{
    const struct
    {
        const char *errorLine;
        std::function<bool(TResultStore &, const QString &)> call; // true when the result says "failed"
    } operations[] = {
        {"error:insert part result", [](TResultStore &s, const QString &j) { return !s.InsertPartResult(j); }},
        {"error:select part result", [](TResultStore &s, const QString &j) { return s.SelectPartResult(j).isEmpty(); }},
        {"error:Delete part result", [](TResultStore &s, const QString &j) { return s.DeletePartResult(j), true; }},
        {"error:insert word result", [](TResultStore &s, const QString &j) { return !s.InsertWordResult(j); }},
        {"error:select word result", [](TResultStore &s, const QString &j) { return s.SelectWordResult(j).isEmpty(); }},
        {"error:Delete word result", [](TResultStore &s, const QString &j) { return s.DeleteWordResult(j), true; }},
    };
    TResultStore store(DbPath());
    // Not JSON, not an object, a key member that is no integer (the members'
    // rules are StoreJsonTest's).
    const QStringList badArguments{QStringLiteral(R"({"uid":1,"bookId":)"), QStringLiteral("[1,2,3]"),
                                   QStringLiteral(R"({"uid":7.5,"bookId":1,"unitId":1,"lessonId":1})")};
    for (const auto &op : operations) {
        for (const QString &argument : badArguments) {
            m_log.Clear();
            EXPECT_TRUE(op.call(store, argument)) << op.errorLine << " " << argument.toStdString();
            EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")), QStringList{QString::fromUtf8(op.errorLine)})
                << argument.toStdString();
            EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("info：")).size(), 1);
            EXPECT_FALSE(IsOpen(store));
        }
    }
    EXPECT_EQ(Raw(DbPath(), QStringLiteral("select count(*) from PartResult"))->toInt(), 0);
    EXPECT_EQ(Raw(DbPath(), QStringLiteral("select count(*) from WordResult"))->toInt(), 0);

    // A store without a file name must not fall back to a throw-away database.
    m_log.Clear();
    TResultStore unnamed{QString()};
    EXPECT_FALSE(unnamed.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:insert word result")});
}

TEST_F(ResultStoreTest, AnEmptyFileOrALostTableIsRecreatedAndAnOldTableFailsLoggedWhileTheOtherWorks)
{
    // An empty file shipped in place of the database.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(DbPath()).absolutePath()));
    QFile empty(DbPath());
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    TResultStore store(DbPath());
    ASSERT_TRUE(store.InsertPartResult(kPartRow31));
    ASSERT_TRUE(store.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    ASSERT_TRUE(Raw(DbPath(), QStringLiteral("drop table PartResult")));
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    EXPECT_TRUE(store.InsertPartResult(kPartRow31));
    EXPECT_EQ(store.SelectPartResult(kPartKey31), kPartRow31Selected);
    ExpectNoLog();

    // An installation whose part table lacks the "partAudio" column.
    ASSERT_TRUE(Raw(DbPath(), QStringLiteral("drop table PartResult")));
    ASSERT_TRUE(Raw(DbPath(), QStringLiteral("create table PartResult (uid integer, bookId integer, unitId integer, "
                                             "lessonId integer, partTotalCount integer, partId integer, "
                                             "partIndex integer, partResult text)")));
    EXPECT_FALSE(store.InsertPartResult(kPartRow31));
    EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:insert part result")});
    ASSERT_EQ(m_log.LinesStartingWith(QStringLiteral("info：")).size(), 1);
    EXPECT_TRUE(m_log.LinesStartingWith(QStringLiteral("info："))[0].contains(QStringLiteral("partAudio")));
    EXPECT_FALSE(IsOpen(store));

    // The other table still works.
    m_log.Clear();
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")).isEmpty());
    ExpectNoLog();
}

TEST(StoreJsonTest, IntegerMembersAreExact64BitValuesOrRejected)
{
    const TJson argument =
        TJson::parse(R"({"max":9223372036854775807,"min":-9223372036854775808,"whole":12.0,"null":null,)"
                     R"("digits":" -42 ","over":9223372036854775808,"fraction":0.5,"huge":1e19,)"
                     R"("flag":true,"text":"4a"})");
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("max")), std::numeric_limits<qint64>::max());
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("min")), std::numeric_limits<qint64>::min());
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("whole")), 12);
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("digits")), -42);
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("null")), 0);
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("absent")), 0);
    for (const char *name : {"over", "fraction", "huge", "flag", "text"})
        EXPECT_THROW(StoreIntegerMember(argument, QString::fromUtf8(name)), TStoreError) << name;
}

TEST(StoreJsonTest, TextMembersAndStoredText)
{
    const TJson argument = TJson::parse(R"({"s":"中文","o":{"b":1,"a":2},"z":null})");
    EXPECT_EQ(StoreTextMember(argument, QStringLiteral("s")), QStringLiteral("中文"));
    EXPECT_EQ(StoreTextMember(argument, QStringLiteral("o")), QStringLiteral(R"({"b":1,"a":2})"));
    for (const char *name : {"z", "absent"}) {
        const QString text = StoreTextMember(argument, QString::fromUtf8(name));
        EXPECT_TRUE(text.isEmpty());
        EXPECT_FALSE(text.isNull()) << name << " would be stored as NULL";
    }

    EXPECT_EQ(StoredTextValue(QVariant(QMetaType::fromType<QString>()), QStringLiteral("c")), TJson::array());
    EXPECT_EQ(StoredTextValue(QStringLiteral(" \n"), QStringLiteral("c")), TJson::array());
    EXPECT_EQ(StoredTextValue(QStringLiteral(R"({"b":1,"a":2})"), QStringLiteral("c")).dump(), R"({"b":1,"a":2})");
}

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
    lesson["achiveType"] = "s";
    EXPECT_EQ(PassageScoreRecord(lesson, 1, 1, 7, 1).Kind, QStringLiteral("L"));
    EXPECT_EQ(PassageScoreRecord(doc, 1, 0, 5, 1).Score, 0);

    const Json words = Json::parse(R"({"wordResult":[{"result":"{\"overall\":80}"},{"result":""}]})");
    const TeduPartScore unit = WordUnitScoreRecord(words, 300, 2, 10001);
    EXPECT_EQ(unit.Kind, QStringLiteral("W"));
    EXPECT_EQ(unit.PointCaseType, 3);
    EXPECT_DOUBLE_EQ(unit.Score, 40);
    EXPECT_TRUE(unit.ResultText.isEmpty());
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
