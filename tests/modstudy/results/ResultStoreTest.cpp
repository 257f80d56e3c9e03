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

const QString kPartRow31 =
    QStringLiteral(R"({"partAudio":"[\"tmp/part/1.wav\"]","partIndex":2,"partId":402,"partTotalCount":5,)"
                   R"("lessonId":31,"unitId":21,"bookId":11,"uid":7,)"
                   R"("partResult":"{\"parts\":[{\"id\":401,\"score\":88.5}],\"b\":1,\"a\":2}"})");
const QString kPartRow31Selected =
    QStringLiteral(R"({"uid":7,"bookId":11,"unitId":21,"lessonId":31,"partTotalCount":5,"partId":402,)"
                   R"("partIndex":2,"partResult":{"parts":[{"id":401,"score":88.5}],"b":1,"a":2},)"
                   R"("partAudio":["tmp/part/1.wav"]})");
const QString kPartKey31 = QStringLiteral(R"({"uid":7,"bookId":11,"unitId":21,"lessonId":31})");
const QString kPartKey32 = QStringLiteral(R"({"uid":7,"bookId":11,"unitId":21,"lessonId":32})");

TEST_F(ResultStoreTest, PartResultsRoundTripPerLessonKey)
{
    TResultStore store(DbPath());
    ASSERT_TRUE(store.InsertPartResult(kPartRow31));
    ASSERT_TRUE(
        store.InsertPartResult(QStringLiteral(R"({"uid":7,"bookId":11,"unitId":21,"lessonId":32,"partTotalCount":3,)"
                                              R"("partId":77,"partIndex":0,"partResult":"[]","partAudio":"[]"})")));

    EXPECT_EQ(store.SelectPartResult(kPartKey31), kPartRow31Selected);
    EXPECT_EQ(store.SelectPartResult(kPartKey32),
              QStringLiteral(R"({"uid":7,"bookId":11,"unitId":21,"lessonId":32,"partTotalCount":3,)"
                             R"("partId":77,"partIndex":0,"partResult":[],"partAudio":[]})"));
    // Every key member takes part: changing any one of them finds nothing.
    for (const char *other :
         {R"({"uid":8,"bookId":11,"unitId":21,"lessonId":31})", R"({"uid":7,"bookId":12,"unitId":21,"lessonId":31})",
          R"({"uid":7,"bookId":11,"unitId":22,"lessonId":31})", R"({"uid":7,"bookId":11,"unitId":21,"lessonId":33})"}) {
        const QString selected = store.SelectPartResult(QString::fromUtf8(other));
        EXPECT_TRUE(selected.isEmpty()) << other << " -> " << selected.toStdString();
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
    ASSERT_TRUE(store.InsertWordResult(
        QStringLiteral(R"({"lessonId":5,"wordResult":"[{\"wordId\":9000,\"score\":71}]","wordIndex":14,)"
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

    store.DeleteWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":5})"));
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22})")), QString());
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":23})")).isEmpty());
    EXPECT_FALSE(store.SelectPartResult(QStringLiteral(R"({"uid":7,"bookId":12,"unitId":22,"lessonId":5})")).isEmpty());
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
}

TEST_F(ResultStoreTest, NullAndMissingColumnsAndDuplicateRows)
{
    TResultStore store(DbPath());
    // Missing members bind 0 and empty text, never NULL.
    ASSERT_TRUE(store.InsertPartResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3,"lessonId":4})")));
    {
        TRawDatabase raw(DbPath());
        EXPECT_EQ(raw.Value(QStringLiteral("select typeof(partAudio) || ':' || partAudio || ':' || "
                                           "typeof(partId) || ':' || partId from PartResult"))
                      .toString(),
                  QStringLiteral("text::integer:0"));
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
}

TEST_F(ResultStoreTest, IdsBeyond32BitsAndChineseTextSurvive)
{
    TResultStore store(DbPath());
    // 2^53 + 1 does not survive a trip through a double.
    const QString row =
        QStringLiteral(R"({"uid":9007199254740993,"bookId":5000000000,"unitId":-9007199254740995,"lessonId":1,)"
                       R"("partTotalCount":2,"partId":9223372036854775807,"partIndex":1,)"
                       R"("partResult":"{\"sentence\":\"我喜欢学英语\",\"comment\":\"很好！\"}",)"
                       R"("partAudio":"[\"录音/第一段.wav\"]"})");
    ASSERT_TRUE(store.InsertPartResult(row));
    EXPECT_EQ(store.SelectPartResult(QStringLiteral(
                  R"({"uid":9007199254740993,"bookId":5000000000,"unitId":-9007199254740995,"lessonId":1})")),
              QStringLiteral(
                  R"({"uid":9007199254740993,"bookId":5000000000,"unitId":-9007199254740995,"lessonId":1,)"
                  R"("partTotalCount":2,"partId":9223372036854775807,"partIndex":1,)"
                  R"("partResult":{"sentence":"我喜欢学英语","comment":"很好！"},"partAudio":["录音/第一段.wav"]})"));

    ASSERT_TRUE(store.InsertWordResult(QStringLiteral(
        R"({"uid":4294967297,"bookId":1,"unitId":2,"wordResult":[{"word":"apple","meaning":"苹果"}]})")));
    EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":4294967297,"bookId":1,"unitId":2})")),
              QStringLiteral(R"({"uid":4294967297,"bookId":1,"unitId":2,"wordTotalCount":0,"wordId":0,)"
                             R"("wordIndex":0,"wordResult":[{"word":"apple","meaning":"苹果"}]})"));

    TRawDatabase raw(DbPath());
    EXPECT_EQ(raw.Value(QStringLiteral("select uid from PartResult")).toLongLong(), 9007199254740993LL);
    EXPECT_EQ(raw.Value(QStringLiteral("select partAudio from PartResult")).toString(),
              QStringLiteral(R"(["录音/第一段.wav"])"));
    // A value given as JSON rather than as text is stored as its compact text.
    EXPECT_EQ(raw.Value(QStringLiteral("select wordResult from WordResult")).toString(),
              QStringLiteral(R"([{"word":"apple","meaning":"苹果"}])"));
}

TEST_F(ResultStoreTest, StoredTextThatIsNotJsonKeepsTheRowReadable)
{
    TResultStore store(DbPath());
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
    const QStringList badArguments{
        QStringLiteral(R"({"uid":1,"bookId":)"),
        QString(),
        QStringLiteral("[1,2,3]"),
        QStringLiteral(R"({"uid":"seven","bookId":1,"unitId":1,"lessonId":1})"),
        QStringLiteral(R"({"uid":1,"bookId":true,"unitId":1,"lessonId":1})"),
        QStringLiteral(R"({"uid":7.5,"bookId":1,"unitId":1,"lessonId":1})"),
        QStringLiteral(R"({"uid":18446744073709551615,"bookId":1,"unitId":1,"lessonId":1})"),
    };
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

TEST_F(ResultStoreTest, MissingOrEmptyDatabaseIsCreated)
{
    ASSERT_FALSE(QDir(m_dir.filePath(QStringLiteral("app"))).exists());
    {
        TResultStore store(DbPath());
        EXPECT_EQ(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")), QString());
        EXPECT_TRUE(QFile::exists(DbPath()));
        EXPECT_TRUE(store.InsertPartResult(kPartRow31));
        EXPECT_EQ(store.SelectPartResult(kPartKey31), kPartRow31Selected);
    }
    // An empty file shipped in place of the database.
    const QString emptyPath = m_dir.filePath(QStringLiteral("empty/config/WordDatabase"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("empty/config"))));
    QFile empty(emptyPath);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    TResultStore store(emptyPath);
    EXPECT_TRUE(store.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")).isEmpty());
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
}

TEST_F(ResultStoreTest, LostTableIsRecreatedAndOthersKept)
{
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
        ASSERT_TRUE(raw.Exec(QStringLiteral("insert into PartResult values (7,11,21,31,5,402,2,'[]')")));
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

    m_log.Clear();
    EXPECT_TRUE(store.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    EXPECT_FALSE(store.SelectWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")).isEmpty());
    {
        TRawDatabase raw(DbPath());
        ASSERT_TRUE(raw.Exec(QStringLiteral("alter table PartResult add column partAudio text")));
    }
    EXPECT_TRUE(store.InsertPartResult(kPartRow31));
    // The row that was already there is the first for its key.
    EXPECT_EQ(store.SelectPartResult(kPartKey31),
              QStringLiteral(R"({"uid":7,"bookId":11,"unitId":21,"lessonId":31,"partTotalCount":5,)"
                             R"("partId":402,"partIndex":2,"partResult":[],"partAudio":[]})"));
    EXPECT_TRUE(m_log.Lines().isEmpty()) << m_log.Lines().join(u'\n').toStdString();
}

QStringList g_qtMessages;
void CollectQtMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_qtMessages << message;
}

TEST_F(ResultStoreTest, EachStoreHasItsOwnConnectionRemovedCleanly)
{
    g_qtMessages.clear();
    QString firstName;
    {
        TResultStore first(DbPath());
        TResultStore second(DbPath());
        firstName = first.ConnectionName();
        EXPECT_NE(firstName, second.ConnectionName());
        ASSERT_TRUE(first.InsertPartResult(kPartRow31));
        EXPECT_EQ(second.SelectPartResult(kPartKey31), kPartRow31Selected);
        EXPECT_TRUE(QSqlDatabase::contains(firstName));
        qInstallMessageHandler(CollectQtMessage); // for the destructors below
    }
    qInstallMessageHandler(nullptr);
    EXPECT_FALSE(QSqlDatabase::contains(firstName));
    EXPECT_TRUE(g_qtMessages.isEmpty()) << g_qtMessages.join(u'\n').toStdString();

    // A store without a file name must not fall back to a throw-away database.
    TResultStore unnamed{QString()};
    EXPECT_FALSE(unnamed.InsertWordResult(QStringLiteral(R"({"uid":1,"bookId":2,"unitId":3})")));
    EXPECT_EQ(m_log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:insert word result")});
}

} // namespace
