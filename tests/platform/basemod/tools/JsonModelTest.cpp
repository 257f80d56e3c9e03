#include "JsonModel.h"

#include <gtest/gtest.h>

#include <limits>

TEST(JsonModel, ParsesObjectsAndGivesAnEmptyObjectForAnythingElse)
{
    for (const char *text : {"", "{\"a\":1", "42"})
        EXPECT_EQ(AsJSon(SO(QString::fromLatin1(text))), QStringLiteral("{}")) << text;

    TJson out;
    QString why;
    EXPECT_FALSE(TrySO(QStringLiteral("{\"a\":"), out, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(out.is_object() && out.empty());
    EXPECT_EQ(AsJSon(SA(QStringLiteral("{\"a\":1}"))), QStringLiteral("[]"));
}

TEST(JsonModel, MissingMembersReadAsEmptyValues)
{
    const TJson o = SO(QStringLiteral("{\"n\":null,\"x\":1}"));
    for (const char *key : {"missing", "n"}) {
        EXPECT_FALSE(Has(o, key));
        EXPECT_EQ(S(o, key), QString());
        EXPECT_EQ(I(o, key), 0);
        EXPECT_FALSE(B(o, key));
        EXPECT_TRUE(O(o, key).is_object() && O(o, key).empty());
    }
    EXPECT_TRUE(Has(o, "x"));
    // Reading by key from something that is not an object is harmless.
    EXPECT_EQ(S(SA(QStringLiteral("[1]")), "x"), QString());
    EXPECT_EQ(I(TJson(5), "x"), 0);
}

TEST(JsonModel, CoercesNumbersTextsAndBooleans)
{
    const TJson o = SO(
        QStringLiteral("{\"si\":\" 12 \",\"sd\":\"85.5\",\"sx\":\"abc\",\"i\":12,\"d\":85.5,\"half\":2.5,\"t\":true,"
                       "\"big\":9007199254740993,\"sbig\":\"9007199254740993\",\"huge\":1e300,\"neg\":-3.5,"
                       "\"sb1\":\"1\",\"sbt\":\"True\",\"sb0\":\"0\",\"sbf\":\"false\",\"u\":18446744073709551615}"));
    EXPECT_EQ(I(o, "si"), 12);
    EXPECT_EQ(I(o, "sd"), 86);
    EXPECT_EQ(I(o, "half"), 2); // nearest, halves to even
    EXPECT_EQ(I(o, "neg"), -4);
    EXPECT_EQ(I(o, "sx"), 0);
    EXPECT_EQ(I(o, "big"), std::numeric_limits<int>::max());
    EXPECT_EQ(I64(o, "sbig"), 9007199254740993LL);
    EXPECT_EQ(I64(o, "huge"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(I64(o, "u"), std::numeric_limits<qint64>::max());
    EXPECT_DOUBLE_EQ(D(o, "sd"), 85.5);
    EXPECT_EQ(S(o, "d"), QStringLiteral("85.5"));
    EXPECT_EQ(S(o, "big"), QStringLiteral("9007199254740993"));
    EXPECT_TRUE(B(o, "i"));
    EXPECT_TRUE(B(o, "sbt"));
    EXPECT_FALSE(B(o, "sbf"));
}

TEST(JsonModel, KeepsMemberOrderAndWritesIdsAs64BitIntegers)
{
    TJson o;
    PutI(o, "apiCode", 2101);
    PutI(o, "uid", 9007199254740993LL);
    PutS(o, "queryType", QStringLiteral("single"));
    PutD(o, "score", 72.5);
    PutB(o, "ok", true);
    PutO(o, "inner", SO(QStringLiteral("{\"z\":1,\"a\":2}")));
    PutI(o, "uid", 5); // an existing key keeps its place
    EXPECT_EQ(Keys(o), (QStringList{QStringLiteral("apiCode"), QStringLiteral("uid"), QStringLiteral("queryType"),
                                    QStringLiteral("score"), QStringLiteral("ok"), QStringLiteral("inner")}));
    EXPECT_EQ(AsJSon(o), QStringLiteral("{\"apiCode\":2101,\"uid\":5,\"queryType\":\"single\",\"score\":72.5,"
                                        "\"ok\":true,\"inner\":{\"z\":1,\"a\":2}}"));
    // Order survives a round trip through text.
    EXPECT_EQ(AsJSon(SO(AsJSon(o))), AsJSon(o));

    TJson nan;
    PutD(nan, "x", std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(AsJSon(nan), QStringLiteral("{\"x\":0.0}"));
}
