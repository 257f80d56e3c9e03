#include "StoreJson.h"

#include <gtest/gtest.h>

namespace {

TEST(StoreJsonTest, IntegerMembersAreExact64BitValuesOrRejected)
{
    const TJson argument =
        TJson::parse(R"({"max":9223372036854775807,"min":-9223372036854775808,"whole":12.0,"null":null,)"
                     R"("digits":" -42 ","over":9223372036854775808,"fraction":0.5,"huge":1e19,"flag":true,)"
                     R"("text":"4a","decimal":"4.5","list":[1]})");
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("max")), std::numeric_limits<qint64>::max());
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("min")), std::numeric_limits<qint64>::min());
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("whole")), 12);
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("digits")), -42);
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("null")), 0);
    EXPECT_EQ(StoreIntegerMember(argument, QStringLiteral("absent")), 0);
    for (const char *name : {"over", "fraction", "huge", "flag", "text", "decimal", "list"})
        EXPECT_THROW(StoreIntegerMember(argument, QString::fromUtf8(name)), TStoreError) << name;
}

TEST(StoreJsonTest, TextMembersAndStoredText)
{
    const TJson argument = TJson::parse(R"({"s":"中文","n":5,"o":{"b":1,"a":2},"z":null})");
    EXPECT_EQ(StoreTextMember(argument, QStringLiteral("s")), QStringLiteral("中文"));
    EXPECT_EQ(StoreTextMember(argument, QStringLiteral("n")), QStringLiteral("5"));
    EXPECT_EQ(StoreTextMember(argument, QStringLiteral("o")), QStringLiteral(R"({"b":1,"a":2})"));
    for (const char *name : {"z", "absent"}) {
        const QString text = StoreTextMember(argument, QString::fromUtf8(name));
        EXPECT_TRUE(text.isEmpty());
        EXPECT_FALSE(text.isNull()) << name << " would be stored as NULL";
    }

    EXPECT_EQ(StoredTextValue(QVariant(), QStringLiteral("c")), TJson::array());
    EXPECT_EQ(StoredTextValue(QVariant(QMetaType::fromType<QString>()), QStringLiteral("c")), TJson::array());
    EXPECT_EQ(StoredTextValue(QStringLiteral(" \n"), QStringLiteral("c")), TJson::array());
    EXPECT_EQ(StoredTextValue(QStringLiteral(R"({"b":1,"a":2})"), QStringLiteral("c")).dump(), R"({"b":1,"a":2})");
}

} // namespace
