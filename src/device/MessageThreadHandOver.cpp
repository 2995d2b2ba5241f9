#include "device/MessageThreadHandOver.h"

#include <juce_events/juce_events.h>

struct MessageThreadHandOver::Job
{
    enum class State { waiting, done, abandoned };

    explicit Job (std::function<bool()> work) : task (std::move (work)) {}

    // On the message thread. The job runs under the lock, so that it either
    // runs whole or is abandoned before it starts.
    void run()
    {
        {
            std::lock_guard<std::mutex> guard (lock);

            if (state != State::waiting)
                return;

            result = task();
            state = State::done;
        }
        changed.notify_all();
    }

    void abandon()
    {
        {
            std::lock_guard<std::mutex> guard (lock);

            if (state == State::waiting)
                state = State::abandoned;
        }
        changed.notify_all();
    }

    std::optional<bool> waitForEnd()
    {
        std::unique_lock<std::mutex> guard (lock);
        changed.wait (guard, [this] { return state != State::waiting; });
        return state == State::done ? std::optional<bool> (result) : std::nullopt;
    }

    std::function<bool()> task;
    std::mutex lock;
    std::condition_variable changed;
    State state = State::waiting;
    bool result = false;
};

std::optional<bool> MessageThreadHandOver::perform (std::function<bool()> job, const std::function<bool()>& shouldStop)
{
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager == nullptr || shouldStop())
        return std::nullopt;

    if (messageManager->isThisTheMessageThread())
        return job();

    auto handed = std::make_shared<Job> (std::move (job));
    {
        std::lock_guard<std::mutex> guard (lock);

        // Checked again under the lock: a cancel that came in between sets
        // its stop request before it looks for a pending job.
        if (shouldStop())
            return std::nullopt;

        pending = handed;
    }

    if (! juce::MessageManager::callAsync ([handed] { handed->run(); }))
        handed->abandon();

    const auto result = handed->waitForEnd();

    std::lock_guard<std::mutex> guard (lock);
    pending.reset();
    return result;
}

void MessageThreadHandOver::abandon()
{
    std::lock_guard<std::mutex> guard (lock);

    if (pending != nullptr)
        pending->abandon();
}
