#pragma once

#include "app/CZQVSingleton.h"

#include <juce_events/juce_events.h>

#include <vector>

// The payload of a broadcast: a message id with one integer and one pointer
// argument. Listeners look at the id and pass ids they do not know on.
class BroadcastMessage : public juce::Message
{
public:
    BroadcastMessage (int messageId, int argument = 0, void* pointer = nullptr)
        : id (messageId), intArgument (argument), pointerArgument (pointer) {}

    const int id;
    const int intArgument;
    void* const pointerArgument;
};

// Delivers broadcast messages on the message thread to every registered
// listener, in the order they registered. Posting is allowed from any thread.
class MessageEngine : public juce::MessageListener,
                      public CZQVSingleton<MessageEngine>
{
public:
    enum DeliveryMode { toEveryListener = 0, toTargetOnly = 1 };

    // Wraps a payload with its delivery mode and target on its way through
    // the framework's queue.
    class InternalMessage : public juce::Message
    {
    public:
        InternalMessage (DeliveryMode m, juce::MessageListener* t, juce::Message::Ptr p)
            : mode (m), target (t), payload (std::move (p)) {}

        const DeliveryMode mode;
        juce::MessageListener* const target;
        juce::Message::Ptr payload;
    };

    MessageEngine() = default;
    ~MessageEngine() override = default;

    // Message thread only.
    void addListener (juce::MessageListener* listener);
    void removeListener (juce::MessageListener* listener);

    // Any thread.
    void post (juce::Message* payload);
    void post (int messageId, int argument = 0, void* pointer = nullptr);

    // Posts through the engine when it exists; does nothing otherwise.
    static void broadcast (int messageId, int argument = 0, void* pointer = nullptr);

    void handleMessage (const juce::Message& message) override;

private:
    bool isRegistered (juce::MessageListener* listener) const;

    std::vector<juce::MessageListener*> listeners;
};
