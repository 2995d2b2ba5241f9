#include "resources/MessageBoxes.h"

std::atomic<MessageBoxes*> MessageBoxes::current { nullptr };

MessageBoxes::MessageBoxes (std::unique_ptr<BusyFlag> flag)
    : busyFlag (std::move (flag))
{
}

bool MessageBoxes::mayShow() const
{
    return busyFlag == nullptr || busyFlag->isFree();
}

void MessageBoxes::showError (const juce::String& messageKey)
{
    if (! mayShow())
        return;

    BusyWhileShown busy (busyFlag.get());
    presentError (messageKey, CZQVResource::messageFor (messageKey));
}

bool MessageBoxes::confirm (const juce::String& title, const juce::String& message, bool withCancel)
{
    if (! mayShow())
        return false;

    BusyWhileShown busy (busyFlag.get());
    return presentConfirmation (title, message, withCancel);
}

MessageBoxes::Answer MessageBoxes::ask (const juce::String& title, const juce::String& message)
{
    if (! mayShow())
        return cancel;

    BusyWhileShown busy (busyFlag.get());
    return presentQuestion (title, message);
}

MessageBoxes::OverwriteAnswer MessageBoxes::askOverwrite (const juce::File& file)
{
    if (! mayShow())
        return cancelOverwrite;

    BusyWhileShown busy (busyFlag.get());
    return presentOverwriteQuestion (CZQVResource::text ("ConfirmOverwrite_Title"), overwriteMessage (file));
}

juce::String MessageBoxes::overwriteMessage (const juce::File& file)
{
    return CZQVResource::text ("ConfirmOverwrite_MessagePrefix") + " " + file.getFileName()
         + CZQVResource::text ("ConfirmOverwrite_MessagePostfix");
}

MessageBoxes* MessageBoxes::getCurrent() noexcept
{
    return current.load();
}

void MessageBoxes::setCurrent (MessageBoxes* boxes) noexcept
{
    current.store (boxes);
}

void MessageBoxes::errorBox (const juce::String& messageKey)
{
    if (auto* boxes = getCurrent())
        boxes->showError (messageKey);
}

bool MessageBoxes::confirmationBox (const juce::String& title, const juce::String& message, bool withCancel)
{
    auto* boxes = getCurrent();
    return boxes != nullptr && boxes->confirm (title, message, withCancel);
}

MessageBoxes::Answer MessageBoxes::questionBox (const juce::String& title, const juce::String& message)
{
    auto* boxes = getCurrent();
    return boxes != nullptr ? boxes->ask (title, message) : cancel;
}

MessageBoxes::OverwriteAnswer MessageBoxes::overwriteQuestionBox (const juce::File& file)
{
    auto* boxes = getCurrent();
    return boxes != nullptr ? boxes->askOverwrite (file) : cancelOverwrite;
}

ScopedMessageBoxes::ScopedMessageBoxes (MessageBoxes& boxes)
    : previous (MessageBoxes::getCurrent())
{
    MessageBoxes::setCurrent (&boxes);
}

ScopedMessageBoxes::~ScopedMessageBoxes()
{
    MessageBoxes::setCurrent (previous);
}
