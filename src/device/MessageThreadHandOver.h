#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

// Lets a session thread have a job done on the message thread (where the
// undo manager and the player live) and wait for it. Cancelling the session
// abandons a job that has not started: it never runs and the waiting
// session goes on at once, so the message thread may block in a cancel
// while the session waits for it.
class MessageThreadHandOver
{
public:
    MessageThreadHandOver() = default;
    MessageThreadHandOver (const MessageThreadHandOver&) = delete;
    MessageThreadHandOver& operator= (const MessageThreadHandOver&) = delete;

    // Runs job on the message thread and answers its result; nothing when
    // it did not run: shouldStop already held, the job was abandoned, or
    // there is no message thread. Called on the message thread itself, the
    // job runs at once.
    std::optional<bool> perform (std::function<bool()> job, const std::function<bool()>& shouldStop);

    // For the session's cancel, after its stop request is set.
    void abandon();

private:
    struct Job;

    std::mutex lock;
    std::shared_ptr<Job> pending;
};
