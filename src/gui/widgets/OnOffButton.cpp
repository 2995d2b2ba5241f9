#include "gui/widgets/OnOffButton.h"

#include "gui/widgets/ImageResourceManager.h"

OnOffButton::OnOffButton (const juce::String& name)
    : ImageToggleButton (name)
{
    const auto on = ImageResourceManager::imageFor ("ButtonOn");
    const auto off = ImageResourceManager::imageFor ("ButtonOff");

    setOnImages (on, on);
    setOffImages (off, off);
    setSize (on.getWidth(), on.getHeight());
    updateImages();
}
