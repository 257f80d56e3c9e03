#include "ResultStore.h"

#include "LogCapture.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ResultStoreTest : public ::testing::Test
{
protected:
    QString DbPath() const { return m_dir.filePath(QStringLiteral("app/config/WordDatabase")); }
    bool IsOpen(const TResultStore &store) const
    {
        return QSqlDatabase::database(store.ConnectionName(), false).isOpen();
    }

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

TEST_F(ResultStoreTest, PartResultsRoundTripPerLessonKeyInADatabaseMadeWhereNoneWas)
{
    ASSERT_FALSE(QDir(m_dir.filePath(QStringLiteral("app"))).exists());
    TResultStore store(DbPath());
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    EXPECT_TRUE(QFile::exists(DbPath()));
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

    store.DeletePartResult(kPartKey31);
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    EXPECT_FALSE(store.SelectPartResult(kPartKey32).isEmpty());
    EXPECT_FALSE(IsOpen(store));
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
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
    // A part row with the same leading key lives in the other table.
    ASSERT_TRUE(store.InsertPartResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":5})")));

    const QString expected =
        QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"wordTotalCount":30,"wordId":9001,"wordIndex":14,)"
                       R"("wordResult":[{"wordId":9000,"score":71}]})");
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22})")), expected);
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":99})")), expected);
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":8,"bookId":12,"unitId":22})")), QString());
    EXPECT_EQ(TRawDatabase(DbPath()).Value(QStringLiteral("select wordResult from WordResult")).toString(),
              QStringLiteral(R"([{"wordId":9000,"score":71}])"));

    store.DeleteWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":5})"));
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22})")), QString());
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":23})")).isEmpty());
    EXPECT_FALSE(store.SelectPartResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":5})")).isEmpty());
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
}

TEST_F(ResultStoreTest, NullMissingOrNonJsonColumnsAndDuplicateRowsKeepRowsReadable)
{
    TResultStore store(DbPath());
    // Missing members bind 0 and empty text (StoreJsonTest: never NULL).
    ASSERT_TRUE(store.InsertPartResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"lessonId":4})")));
    {
        TRawDatabase raw(DbPath());
        ASSERT_TRUE(
            raw.Exec(QStringLiteral(R"(insert into PartResult values (9,9,9,9,2,5,1,'{"score":[1,2]}',NULL))")));
        ASSERT_TRUE(
            raw.Exec(QStringLiteral(R"(insert into PartResult values (9,9,9,9,2,6,2,'{"second":true}','["x"]'))")));
    }
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
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();

    // Stored text that is not JSON is selected as text, with a note.
    ASSERT_TRUE(store.InsertWordResult(
        QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"wordIndex":4,"wordResult":"[{\"cut off"})")));
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")),
              QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"wordTotalCount":0,"wordId":0,)"
                             R"("wordIndex":4,"wordResult":"[{\"cut off"})"));
    EXPECT_EQ(m_log.Lines(), QStringList{QStringLiteral("info：stored wordResult is not JSON; selected as text")});
}

struct TFailingCall
{
    const char *errorLine;
    std::function<bool(TResultStore &, const QString &)> call; // true when the result says "failed"
};

const std::vector<TFailingCall> &AllOperations()
{
    static const std::vector<TFailingCall> calls{
        {"error:insert part result", [](TResultStore &s, const QString &j) { return !s.InsertPartResult(j); }},
        {"error:select part result", [](TResultStore &s, const QString &j) { return s.SelectPartResult(j).isEmpty(); }},
        {"error:Delete part result",
         [](TResultStore &s, const QString &j) {
             s.DeletePartResult(j);
             return true;
         }},
        {"error:insert word result", [](TResultStore &s, const QString &j) { return !s.InsertWordResult(j); }},
        {"error:select word result", [](TResultStore &s, const QString &j) { return s.SelectWordResult(j).isEmpty(); }},
        {"error:Delete word result",
         [](TResultStore &s, const QString &j) {
             s.DeleteWordResult(j);
             return true;
         }},
    };
    return calls;
}

TEST_F(ResultStoreTest, BadArgumentsLogTheOperationsLineAndFail)
{
    TResultStore store(DbPath());
    // Not JSON, not an object, a key member that is no integer (the members'
    // rules are StoreJsonTest's).
    const QStringList badArguments{QStringLiteral(R"({"uid":1,"bookId":)"), QStringLiteral("[1,2,3]"),
                                   QStringLiteral(R"({"uid":7.5,"bookId":1,"unitId":1,"lessonId":1})")};
    for (const TFailingCall &op : AllOperations()) {
        for (const QString &argument : badArguments) {
            m_log.Clear();
            EXPECT_TRUE(op.call(store, argument)) << op.errorLine << " " << argument.toStdString();
            EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")), QStringList{QString::fromUtf8(op.errorLine)})
                << argument.toStdString();
            EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("info：")).size(), 1);
            EXPECT_FALSE(IsOpen(store));
        }
    }
    TRawDatabase raw(DbPath());
    EXPECT_EQ(raw.Value(QStringLiteral("select count(*) from PartResult")).toInt(), 0);
    EXPECT_EQ(raw.Value(QStringLiteral("select count(*) from WordResult")).toInt(), 0);
}

TEST_F(ResultStoreTest, AnEmptyFileOrALostTableIsRecreatedAndOthersKept)
{
    // An empty file shipped in place of the database.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(DbPath()).absolutePath()));
    QFile empty(DbPath());
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    TResultStore store(DbPath());
    ASSERT_TRUE(store.InsertPartResult(kPartRow31));
    ASSERT_TRUE(store.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    {
        TRawDatabase raw(DbPath());
        ASSERT_TRUE(raw.Exec(QStringLiteral("drop table PartResult")));
    }
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    EXPECT_TRUE(store.InsertPartResult(kPartRow31));
    EXPECT_EQ(store.SelectPartResult(kPartKey31), kPartRow31Selected);
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")).isEmpty());
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
}

TEST_F(ResultStoreTest, DatabaseErrorIsLoggedAndTheStoreStaysUsable)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(DbPath()).absolutePath()));
    {
        // An installation whose part table lacks the "partAudio" column.
        TRawDatabase raw(DbPath());
        ASSERT_TRUE(raw.Exec(QStringLiteral("create table PartResult (uid integer, bookId integer, "
                                            "unitId integer, lessonId integer, partTotalCount integer, "
                                            "partId integer, partIndex integer, partResult text)")));
        ASSERT_TRUE(raw.Exec(QStringLiteral(
            "insert into PartResult values (9007199254740993,5000000000,-9007199254740995,31,5,402,2,'[]')")));
    }
    TResultStore store(DbPath());
    EXPECT_FALSE(store.InsertPartResult(kPartRow31));
    EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:insert part result")});
    ASSERT_EQ(m_log.LinesStartingWith(QStringLiteral("info：")).size(), 1);
    EXPECT_TRUE(m_log.LinesStartingWith(QStringLiteral("info："))[0].contains(QStringLiteral("partAudio")));
    EXPECT_FALSE(IsOpen(store));

    m_log.Clear();
    EXPECT_EQ(store.SelectPartResult(kPartKey31), QString());
    EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:select part result")});

    // The other table still works.
    m_log.Clear();
    EXPECT_TRUE(store.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")).isEmpty());
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
}

TEST_F(ResultStoreTest, EachStoreHasItsOwnConnectionRemovedCleanly)
{
    QString firstName;
    {
        TResultStore first(DbPath());
        TResultStore second(DbPath());
        firstName = first.ConnectionName();
        EXPECT_NE(firstName, second.ConnectionName());
        ASSERT_TRUE(first.InsertPartResult(kPartRow31));
        EXPECT_EQ(second.SelectPartResult(kPartKey31), kPartRow31Selected);
        EXPECT_TRUE(QSqlDatabase::contains(firstName));
    }
    EXPECT_FALSE(QSqlDatabase::contains(firstName));

    // A store without a file name must not fall back to a throw-away database.
    TResultStore unnamed{QString()};
    EXPECT_FALSE(unnamed.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:insert word result")});
}

} // namespace
