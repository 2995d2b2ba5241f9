#include "gui/widgets/BankEditBaseComponent.h"

#include "app/MessageEngine.h"

BankEditBaseComponent::BankEditBaseComponent (const juce::String& name, CommandContext& commandContext)
    : juce::Component (name), context (commandContext)
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

BankEditBaseComponent::~BankEditBaseComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);
}
