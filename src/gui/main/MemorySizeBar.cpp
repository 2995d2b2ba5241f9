#include "gui/main/MemorySizeBar.h"

#include "gui/main/MemorySizeBarModel.h"
#include "gui/widgets/FontManager.h"
#include "resources/CZQVResource.h"

namespace
{
const juce::Colour fullColour (0xffdd0000);
const juce::Colour highlightedColour (0xffaf4000);
const juce::Colour segmentColour (0xffe17100);

// Neighbouring blocks overlap a little, so that no gap shows between them.
constexpr float segmentOverlap = 0.8f;
}

MemorySizeBar::MemorySizeBar (const juce::String& name, const MemorySizeBarModel& barModel, int numSegments, int units)
    : juce::Component (name), model (barModel), capacity (units), segments ((size_t) numSegments)
{
    setOpaque (false);
}

void MemorySizeBar::update()
{
    for (size_t i = 0; i < segments.size(); ++i)
        segments[i] = { model.isSegmentHighlighted (*this, (int) i), model.getSegmentSize (*this, (int) i) };

    repaint();
}

int MemorySizeBar::getUsed() const
{
    int used = 0;
    for (auto& segment : segments)
        used += segment.size;
    return used;
}

void MemorySizeBar::paint (juce::Graphics& g)
{
    g.setFont (FontManager::fontFor ("MemorySizeBar").withHeight ((float) getHeight() - 0.5f));

    const int used = getUsed();
    if (used > capacity)
        paintFull (g);
    else
        paintSegments (g, used);
}

void MemorySizeBar::paintFull (juce::Graphics& g)
{
    g.fillAll (fullColour);
    g.setColour (juce::Colours::white);
    g.drawText (CZQVResource::text ("MemorySizeBar_Full"), getLocalBounds().reduced (1), juce::Justification::centred);
}

void MemorySizeBar::paintSegments (juce::Graphics& g, int used)
{
    const float scale = (float) (getWidth() - 2) / (float) capacity;
    float x = 0.0f;

    for (auto& segment : segments)
    {
        if (segment.size == 0)
            continue;

        const float width = (float) segment.size * scale;
        g.setColour (segment.highlighted ? highlightedColour : segmentColour);
        g.fillRect (x, 0.0f, width + segmentOverlap, (float) getHeight());
        x += width;
    }

    const int freePercent = ((capacity - used) * 100) / capacity;
    g.setColour (juce::Colours::white);
    g.drawText (juce::String (freePercent) + CZQVResource::text ("MemorySizeBar_Postfix"),
                getLocalBounds().reduced (1), juce::Justification::centredRight);
}
