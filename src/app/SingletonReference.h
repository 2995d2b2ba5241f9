#pragma once

// Holds one reference to a CZQVSingleton for as long as it lives: takes it
// on construction and gives it back on destruction.
template <class T>
class SingletonReference
{
public:
    SingletonReference() : instance (T::getInstance()) {}
    ~SingletonReference() { T::releaseInstance(); }

    SingletonReference (const SingletonReference&) = delete;
    SingletonReference& operator= (const SingletonReference&) = delete;

    T* get() const noexcept { return instance; }

private:
    T* const instance;
};
