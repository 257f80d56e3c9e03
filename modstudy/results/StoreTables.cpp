#include "StoreTables.h"

// Statement texts are kept literally, character for character as every
// installation of the store has always run them; parameters are bound by name.

const TStoreTable &PartResultTable()
{
    static const TStoreTable table{
        QStringLiteral("PartResult"),
        {QStringLiteral("uid"), QStringLiteral("bookId"), QStringLiteral("unitId"), QStringLiteral("lessonId"),
         QStringLiteral("partTotalCount"), QStringLiteral("partId"), QStringLiteral("partIndex")},
        4,
        {QStringLiteral("partResult"), QStringLiteral("partAudio")},
        QStringLiteral("insert into PartResult (uid,bookId,unitId,lessonId,partTotalCount,partId,"
                       "partIndex,partResult,partAudio) values (:uid,:bookId,:unitId,:lessonId,"
                       ":partTotalCount,:partId,:partIndex,:partResult,:partAudio)"),
        QStringLiteral("select * from PartResult where uid=:uid and bookId=:bookId and "
                       "unitId=:unitId and lessonId=:lessonId"),
        QStringLiteral("delete from PartResult where uid=:uid and bookId=:bookId and "
                       "unitId=:unitId and lessonId=:lessonId"),
        // No unique key: the callers delete a key's rows before inserting,
        // and a second row for a key must not turn an insert into a failure.
        QStringLiteral("create table if not exists PartResult (uid integer, bookId integer, "
                       "unitId integer, lessonId integer, partTotalCount integer, "
                       "partId integer, partIndex integer, partResult text, partAudio text)"),
    };
    return table;
}

const TStoreTable &WordResultTable()
{
    static const TStoreTable table{
        QStringLiteral("WordResult"),
        {QStringLiteral("uid"), QStringLiteral("bookId"), QStringLiteral("unitId"), QStringLiteral("wordTotalCount"),
         QStringLiteral("wordId"), QStringLiteral("wordIndex")},
        3,
        {QStringLiteral("wordResult")},
        QStringLiteral("insert into WordResult (uid,bookId,unitId,wordTotalCount,wordId,wordIndex,"
                       "wordResult) values (:uid,:bookId,:unitId,:wordTotalCount,:wordId,"
                       ":wordIndex,:wordResult)"),
        QStringLiteral("select * from WordResult where uid=:uid and bookId=:bookId and "
                       "unitId=:unitId"),
        QStringLiteral("delete from WordResult where uid=:uid and bookId=:bookId and "
                       "unitId=:unitId"),
        QStringLiteral("create table if not exists WordResult (uid integer, bookId integer, "
                       "unitId integer, wordTotalCount integer, wordId integer, "
                       "wordIndex integer, wordResult text)"),
    };
    return table;
}
