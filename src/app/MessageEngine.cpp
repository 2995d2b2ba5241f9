#include "app/MessageEngine.h"

#include <algorithm>

void MessageEngine::addListener (juce::MessageListener* listener)
{
    listeners.push_back (listener);
}

void MessageEngine::removeListener (juce::MessageListener* listener)
{
    auto found = std::find (listeners.begin(), listeners.end(), listener);

    if (found != listeners.end())
        listeners.erase (found);
}

void MessageEngine::post (juce::Message* payload)
{
    postMessage (new InternalMessage (toEveryListener, nullptr, payload));
}

void MessageEngine::post (int messageId, int argument, void* pointer)
{
    post (new BroadcastMessage (messageId, argument, pointer));
}

void MessageEngine::broadcast (int messageId, int argument, void* pointer)
{
    if (auto* engine = getInstancePointer())
        engine->post (messageId, argument, pointer);
}

bool MessageEngine::isRegistered (juce::MessageListener* listener) const
{
    return std::find (listeners.begin(), listeners.end(), listener) != listeners.end();
}

void MessageEngine::handleMessage (const juce::Message& message)
{
    auto* internal = dynamic_cast<const InternalMessage*> (&message);

    if (internal == nullptr || internal->payload == nullptr)
        return;

    if (internal->mode == toTargetOnly)
    {
        if (internal->target != nullptr)
            internal->target->handleMessage (*internal->payload);
        return;
    }

    // A listener may remove others (or itself) while it handles the message:
    // walk a snapshot and skip whoever is no longer registered.
    const auto snapshot = listeners;

    for (auto* listener : snapshot)
        if (isRegistered (listener))
            listener->handleMessage (*internal->payload);
}
