#include "gui/preferences/PreferencesBaseComponent.h"

#include "app/MessageEngine.h"

PreferencesBaseComponent::PreferencesBaseComponent (const juce::String& name)
    : juce::Component (name)
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

PreferencesBaseComponent::~PreferencesBaseComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);
}

void PreferencesBaseComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
}

void PreferencesBaseComponent::handleMessage (const juce::Message& message)
{
    if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message))
        handleBroadcast (broadcast->id);
}

void PreferencesBaseComponent::styleValueBox (juce::ComboBox& box)
{
    box.setEditableText (false);
    box.setJustificationType (juce::Justification::centredLeft);
    box.setTextWhenNoChoicesAvailable ("(no choices)");
}
