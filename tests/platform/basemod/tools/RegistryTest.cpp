#include "ClassRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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

// Removes the names a test registered, whatever happens in it.
struct Cleanup
{
    QStringList names;
    ~Cleanup()
    {
        for (const QString &n : names)
            TClassRegistry::UnRegisterClass(n);
    }
};

} // namespace

TEST(ClassRegistry, CreatesTheLatestClassRegisteredUnderANameIgnoringCase)
{
    Cleanup c{{QStringLiteral("THelloTest")}};
    EXPECT_EQ(TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THelloTest")), nullptr);
    const auto before = TClassRegistry::RegisteredNames().size();
    ASSERT_TRUE((TClassRegistry::RegisterClass<IGreeter, TBye>(QStringLiteral("THelloTest"))));
    ASSERT_TRUE((TClassRegistry::RegisterClass<IGreeter, THello>(QStringLiteral("thellotest"))));
    EXPECT_EQ(TClassRegistry::RegisteredNames().size(), before + 1);
    auto a = TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THelloTest"));
    auto b = TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THELLOTEST"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a.get(), b.get()); // a new object each time
    EXPECT_EQ(a->Greet(), QStringLiteral("hello"));
    // Asking through another interface finds nothing rather than a wrong cast.
    EXPECT_EQ(TClassRegistry::CreateClass<IOther>(QStringLiteral("THelloTest")), nullptr);
    EXPECT_FALSE(TClassRegistry::RegisterFactory(QString(), typeid(IGreeter).name(), [] { return nullptr; }));
    EXPECT_FALSE(TClassRegistry::RegisterFactory(QStringLiteral("x"), typeid(IGreeter).name(), {}));

    EXPECT_TRUE(TClassRegistry::UnRegisterClass(QStringLiteral("tHELLOtest")));
    EXPECT_FALSE(TClassRegistry::UnRegisterClass(QStringLiteral("THelloTest")));
    EXPECT_FALSE(TClassRegistry::IsRegistered(QStringLiteral("THelloTest")));
    EXPECT_EQ(TClassRegistry::CreateClass<IGreeter>(QStringLiteral("THelloTest")), nullptr);
}

TEST(ClassRegistry, SurvivesConcurrentRegistrationAndLookup)
{
    Cleanup c;
    for (int i = 0; i < 8; ++i)
        c.names << QStringLiteral("TConc%1").arg(i);
    std::atomic<int> created{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                const QString name = c.names[(t + round) % c.names.size()];
                TClassRegistry::RegisterClass<IGreeter, THello>(name);
                if (TClassRegistry::CreateClass<IGreeter>(name))
                    ++created;
                if (round % 7 == 0)
                    TClassRegistry::UnRegisterClass(name);
            }
        });
    }
    for (auto &th : threads)
        th.join();
    EXPECT_GT(created.load(), 0);
    for (const QString &n : c.names)
        TClassRegistry::UnRegisterClass(n);
    for (const QString &n : c.names)
        EXPECT_FALSE(TClassRegistry::IsRegistered(n));
}
