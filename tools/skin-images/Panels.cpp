#include "Panels.h"
#include "SkinStyle.h"
#include "Widgets.h"

using namespace SkinStyle;

namespace Panels
{
namespace
{
void fillPanel (juce::Graphics& g, int width, int height)
{
    g.setColour (Colours::panel);
    g.fillRect (0, 0, width, height);
}

// The caption above a key or group, 12 pixels high, ending 2 pixels above `y`.
void drawCaptionAbove (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> below,
                       juce::Justification justification = juce::Justification::centred)
{
    drawCaption (g, text, below.withY (below.getY() - 14).withHeight (12), justification);
}

// The receive and transmit keys sit at the same place on three pages.
void drawDeviceCaption (juce::Graphics& g)
{
    drawCaptionAbove (g, "DEVICE", { 24, 28, 64, 17 });
}
}

Painter slice (const StretchingPage& page, Slice part)
{
    return [=] (juce::Graphics& g, int width, int)
    {
        const int fullHeight = page.topHeight + 1 + page.bottomHeight;
        const int firstRow = part == Slice::top  ? 0
                           : part == Slice::loop ? page.topHeight
                                                 : fullHeight - page.bottomHeight;
        g.setOrigin (0, -firstRow);
        page.paint (g, width, fullHeight);
    };
}

StretchingPage browser()
{
    const auto paint = [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);
        drawCaption (g, "AUTO PREVIEW", { 80, 12, 66, 17 }, juce::Justification::centredRight);
        drawRecess (g, { 11, 59, 215, height - 72 }, Colours::darkDisplay);

        // The edge towards the pages on the right.
        g.setColour (Colours::panelEdge);
        g.fillRect (width - 1, 0, 1, height);
    };
    return { paint, 59, 13 };
}

StretchingPage waveformEditor()
{
    const auto paint = [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);
        drawGroove (g, { 10, 31, width - 20, 1 });

        drawCaption (g, "SEL. PLAY", { 238, 41, 80, 16 });
        drawCaption (g, "AUTO PLAY", { 344, 41, 80, 16 });
        drawCaption (g, "AUTO SCROLL", { 450, 41, 90, 16 });

        drawCaption (g, "L", { 420, 5, 10, 9 });
        drawCaption (g, "R", { 420, 16, 10, 9 });
        drawRecess (g, { 432, 8, 114, 3 }, Colours::darkDisplay);
        drawRecess (g, { 432, 19, 114, 3 }, Colours::darkDisplay);

        drawRecess (g, { 20, 60, 515, height - 104 }, Colours::darkDisplay);

        const int sliderY = height - 36;
        drawCaption (g, "START", { 14, sliderY, 40, 18 }, juce::Justification::centredRight);
        drawCaption (g, "END", { 185, sliderY, 40, 18 }, juce::Justification::centredRight);
        drawCaption (g, "ORIG. BPM", { 380, sliderY, 53, 18 }, juce::Justification::centredRight);
        drawRecess (g, { 58, sliderY, 87, 18 }, Colours::darkDisplay);
        drawRecess (g, { 229, sliderY, 87, 18 }, Colours::darkDisplay);
        drawRecess (g, { 437, sliderY, 51, 18 }, Colours::darkDisplay);
    };
    return { paint, 60, 44 };
}

StretchingPage effectPage()
{
    const auto paint = [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);
        drawDeviceCaption (g);
        drawGroove (g, { 104, 10, 1, 90 });
        drawGroove (g, { 289, 10, 1, 90 });

        drawCaptionAbove (g, "EFFECT TYPE", { 123, 26, 153, 20 }, juce::Justification::centredLeft);
        drawCaptionAbove (g, "KNOB 1 ASSIGN", { 303, 26, 153, 20 }, juce::Justification::centredLeft);
        drawCaptionAbove (g, "KNOB 2 ASSIGN", { 303, 62, 153, 20 }, juce::Justification::centredLeft);

        drawRecess (g, { 6, 113, 543, height - 132 }, Colours::panelDark);
    };
    return { paint, 113, 19 };
}

StretchingPage patternPage()
{
    const auto paint = [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);
        drawDeviceCaption (g);
        drawCaptionAbove (g, "PATTERN SET", { 24, 90, 64, 17 });
        drawCaptionAbove (g, "SMF", { 24, 152, 64, 17 });
        drawGroove (g, { 104, 10, 1, 295 });

        drawCaptionAbove (g, "GLOBAL MIDI CH", { 10, 241, 92, 16 });
        drawCaptionAbove (g, "KEYBOARD MIDI CH", { 10, 293, 92, 16 });
        drawRecess (g, { 16, 241, 80, 16 }, Colours::darkDisplay);
        drawRecess (g, { 16, 293, 80, 16 }, Colours::darkDisplay);

        drawRecessRim (g, { 112, 20, 423, height - 45 });
    };
    return { paint, 315, 25 };
}

Painter bankStrip()
{
    return [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);
        g.setColour (Colours::panelHighlight);
        g.fillRect (0, 0, width, 1);

        // The logo.
        g.setColour (Colours::orange);
        g.setFont (font (21.0f));
        g.drawText ("PLOVARA", 10, 12, 92, 22, juce::Justification::centredLeft, false);
        drawCaption (g, "EDITOR / LIBRARIAN", { 10, 33, 92, 10 });

        drawCaption (g, "BANK", { 108, 2, 122, 10 });
        drawRecess (g, { 108, 13, 122, 30 }, Colours::darkDisplay);

        drawGroove (g, { 238, 6, 1, 44 });
        drawCaption (g, "SAMPLE", { 242, 9, 44, 17 }, juce::Justification::centredRight);
        drawCaption (g, "PATTERN", { 242, 30, 44, 17 }, juce::Justification::centredRight);
        drawRecess (g, { 290, 12, 110, 11 }, Colours::darkDisplay);
        drawRecess (g, { 290, 33, 110, 11 }, Colours::darkDisplay);
        drawGroove (g, { 410, 6, 1, 44 });

        drawCaption (g, "BPM", { 425, 55, 32, 24 }, juce::Justification::centredRight);
        drawRecess (g, { 461, 58, 50, 18 }, Colours::darkDisplay);

        // The line under the strip, beside the tabs.
        g.setColour (Colours::panelEdge);
        g.fillRect (362, height - 1, width - 362, 1);
    };
}

Painter sampleSelect()
{
    return [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);
        drawDeviceCaption (g);
        drawGroove (g, { 104, 8, 1, 84 });
        drawGroove (g, { 446, 8, 1, 84 });

        drawCaptionAbove (g, "SAMPLE SELECT", { 118, 20, 316, 63 });
        drawRecess (g, { 118, 20, 316, 63 }, Colours::darkDisplay);

        drawCaption (g, "AUDIO IN\nTHRU FX", { 451, 40, 80, 24 });

        drawGroove (g, { 0, height - 2, width, 1 });
    };
}

Painter sampleParameterEdit()
{
    return [] (juce::Graphics& g, int width, int height)
    {
        fillPanel (g, width, height);

        drawCaption (g, "KEY", { 74, 13, 34, 24 }, juce::Justification::centredRight);
        drawRecess (g, { 112, 13, 36, 24 }, Colours::darkDisplay);
        drawCaptionAbove (g, "SAMPLE NAME", { 28, 47, 96, 24 }, juce::Justification::centredLeft);
        drawRecess (g, { 28, 47, 96, 24 }, Colours::lightDisplay);

        drawGroove (g, { 151, 8, 1, height - 16 });
        drawCaptionAbove (g, "BPM SYNC", { 158, 19, 60, 17 });
        drawGroove (g, { 223, 8, 1, height - 16 });

        drawCaptionAbove (g, "LOOP", { 229, 19, 50, 17 });
        drawCaptionAbove (g, "REVERSE", { 283, 19, 50, 17 });
        drawCaption (g, "FX", { 503, 95, 40, 17 });

        // Each sample knob is 96 x 34; its value window starts 10 rows down,
        // its caption sits above that window.
        const struct { const char* caption; int x, y; } knobs[] = {
            { "SEMITONE", 227, 46 }, { "TUNE", 227, 84 }, { "LEVEL", 337, 8 }, { "PAN", 337, 46 },
            { "VELO INT", 337, 84 }, { "DECAY", 447, 8 }, { "RELEASE", 447, 46 },
        };

        for (const auto& knob : knobs)
            drawCaption (g, knob.caption, { knob.x, knob.y, 52, 10 }, juce::Justification::centred);
    };
}

Painter about()
{
    return [] (juce::Graphics& g, int width, int height)
    {
        const int bandTop = 30;
        const int bandBottom = height - 26;

        // Silver bands for the version and copyright lines, which are printed in black.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffe6e6e6), 0.0f, 0.0f, Colours::silver, 0.0f, (float) height, false));
        g.fillAll();
        g.setColour (juce::Colour (0xff2a2a2a));
        g.setFont (font (13.0f));
        g.drawText ("PLOVARA EDITOR", 10, 7, 200, 18, juce::Justification::centredLeft, false);

        g.setColour (Colours::panel);
        g.fillRect (0, bandTop, width, bandBottom - bandTop);
        g.setColour (Colours::orange);
        g.fillRect (0, bandTop, width, 2);
        g.setColour (Colours::deepOrange);
        g.fillRect (0, bandBottom - 2, width, 2);

        g.setColour (Colours::orange);
        g.setFont (font (46.0f));
        g.drawText ("PLOVARA", 0, bandTop + 18, width, 50, juce::Justification::centred, false);
        drawCaption (g, "SAMPLER EDITOR & LIBRARIAN", { 0, bandTop + 68, width, 14 });

        // A row of knobs as a decoration.
        const float angles[] = { -100.0f, -30.0f, 40.0f, 110.0f };
        for (int i = 0; i < 4; ++i)
            Widgets::drawKnob (g, { (float) width * (0.2f + 0.2f * (float) i), (float) bandBottom - 36.0f }, 18.0f,
                               juce::degreesToRadians (-135.0f), juce::degreesToRadians (angles[i]));
    };
}
}
