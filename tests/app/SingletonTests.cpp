#include "app/CZQVSingleton.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
struct Counted : CZQVSingleton<Counted>
{
    Counted() { ++alive; }
    ~Counted() { --alive; }
    static inline int alive = 0;
};
}

TEST (CZQVSingleton, CreatesOnFirstGetAndDeletesOnLastRelease)
{
    EXPECT_EQ (Counted::getInstancePointer(), nullptr);
    auto* first = Counted::getInstance();
    auto* second = Counted::getInstance();
    EXPECT_EQ (first, second);
    EXPECT_EQ (Counted::alive, 1);

    Counted::releaseInstance();
    EXPECT_EQ (Counted::alive, 1);
    Counted::releaseInstance();
    EXPECT_EQ (Counted::alive, 0);
    EXPECT_EQ (Counted::getInstancePointer(), nullptr);
}

TEST (CZQVSingleton, ReleaseWithoutGetDoesNothing)
{
    Counted::releaseInstance();
    EXPECT_EQ (Counted::getReferenceCount(), 0);
    auto* instance = Counted::getInstance();
    EXPECT_NE (instance, nullptr);
    EXPECT_EQ (Counted::getReferenceCount(), 1);
    Counted::releaseInstance();
    EXPECT_EQ (Counted::alive, 0);
}

TEST (CZQVSingleton, ConcurrentUsersShareOneInstance)
{
    std::vector<std::thread> threads;
    std::vector<Counted*> seen (8);
    auto* held = Counted::getInstance();

    for (size_t t = 0; t < seen.size(); ++t)
        threads.emplace_back ([&, t] {
            for (int i = 0; i < 1000; ++i)
            {
                seen[t] = Counted::getInstance();
                Counted::releaseInstance();
            }
        });
    for (auto& thread : threads)
        thread.join();

    for (auto* p : seen)
        EXPECT_EQ (p, held);
    EXPECT_EQ (Counted::getReferenceCount(), 1);
    Counted::releaseInstance();
    EXPECT_EQ (Counted::alive, 0);
}
