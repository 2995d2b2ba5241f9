#include "gui/main/AboutComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"
#include "resources/CZQVResource.h"

namespace
{
const juce::String version ("1.0.0");

// White first, then black one pixel up and to the left: an engraved look.
void drawEngraved (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> whiteArea,
                   juce::Rectangle<int> blackArea, juce::Justification justification)
{
    g.setColour (juce::Colours::white);
    g.drawText (text, whiteArea, justification);
    g.setColour (juce::Colours::black);
    g.drawText (text, blackArea, justification);
}
}

AboutComponent::AboutComponent()
{
    setSize (boxWidth, boxHeight);
    setWantsKeyboardFocus (true);
    // The box can take the focus only once it is on the screen.
    postMessage (new BroadcastMessage (MessageIds::aboutBoxShown));
}

void AboutComponent::paint (juce::Graphics& g)
{
    g.drawImageAt (ImageResourceManager::imageFor ("BackgroundAbout"), 0, 0);

    g.setFont (FontManager::fontFor ("AboutVersion"));
    drawEngraved (g, CZQVResource::text ("About_VersionPrefix") + version,
                  { 217, 9, 128, 16 }, { 216, 8, 128, 16 }, juce::Justification::centredRight);

    g.setFont (FontManager::fontFor ("AboutCopyright"));
    drawEngraved (g, CZQVResource::text ("About_Copyright"),
                  { 1, 204, getWidth(), 12 }, { 0, 203, getWidth(), 12 }, juce::Justification::centred);

    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds());
}

void AboutComponent::mouseDown (const juce::MouseEvent&)
{
    MessageEngine::broadcast (MessageIds::closeAboutBox);
}

bool AboutComponent::keyPressed (const juce::KeyPress&)
{
    MessageEngine::broadcast (MessageIds::closeAboutBox);
    return true;
}

void AboutComponent::handleMessage (const juce::Message& message)
{
    if (auto* own = dynamic_cast<const BroadcastMessage*> (&message); own != nullptr && own->id == MessageIds::aboutBoxShown)
        grabKeyboardFocus();
}
