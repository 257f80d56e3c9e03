#include "ClassRegistry.h"

#include <gtest/gtest.h>

namespace {

class IGreeter
{
public:
    virtual ~IGreeter() = default;
    virtual QString Greet() const = 0;
};

class IOther
{
public:
    virtual ~IOther() = default;
};

class THello : public IGreeter
{
public:
    QString Greet() const override { return QStringLiteral("hello"); }
};

class TBye : public IGreeter
{
public:
    QString Greet() const override { return QStringLiteral("bye"); }
};

} // namespace

TEST(ClassRegistry, CreatesTheLatestClassRegisteredUnderANameIgnoringCase)
{
    EXPECT_EQ(TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THelloTest")), nullptr);
    const auto before = TClassRegistry::RegisteredNames().size();
    ASSERT_TRUE((TClassRegistry::RegisterClass<IGreeter, TBye>(QStringLiteral("THelloTest"))));
    ASSERT_TRUE((TClassRegistry::RegisterClass<IGreeter, THello>(QStringLiteral("thellotest"))));
    EXPECT_EQ(TClassRegistry::RegisteredNames().size(), before + 1);
    auto a = TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THelloTest"));
    auto b = TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THELLOTEST"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->Greet(), QStringLiteral("hello"));
    // Asking through another interface finds nothing rather than a wrong cast.
    EXPECT_EQ(TClassRegistry::CreateClass<IOther>(QStringLiteral("THelloTest")), nullptr);

    EXPECT_TRUE(TClassRegistry::UnRegisterClass(QStringLiteral("tHELLOtest")));
    EXPECT_EQ(TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THelloTest")), nullptr);
}
