#pragma once

#include <atomic>
#include <mutex>
#include <new>

// A reference-counted, process-wide instance of T. getInstance creates it on
// first use and counts every call; releaseInstance deletes it when the count
// drops to zero. Code that only wants to know whether the service exists may
// read getInstancePointer() without taking a reference.
template <class T>
class CZQVSingleton
{
public:
    static T* getInstance()
    {
        std::lock_guard<std::mutex> lock (classLock);

        if (referenceCount == 0 && instance.load() == nullptr)
            instance.store (new (std::nothrow) T());

        ++referenceCount;
        return instance.load();
    }

    static void releaseInstance()
    {
        std::lock_guard<std::mutex> lock (classLock);

        if (referenceCount <= 0)
            return;

        if (--referenceCount == 0)
        {
            T* old = instance.exchange (nullptr);
            delete old;
        }
    }

    static T* getInstancePointer() noexcept { return instance.load(); }
    static int getReferenceCount()
    {
        std::lock_guard<std::mutex> lock (classLock);
        return referenceCount;
    }

protected:
    CZQVSingleton() = default;
    ~CZQVSingleton() = default;

private:
    static inline std::atomic<T*> instance { nullptr };
    static inline int referenceCount = 0;
    static inline std::mutex classLock;
};
