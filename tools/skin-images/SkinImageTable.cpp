#include "SkinImageTable.h"
#include "Panels.h"
#include "Widgets.h"

using namespace Widgets;
using Panels::Slice;

namespace
{
constexpr bool up = false, down = true;
constexpr bool off = false, on = true;

// Widths and heights the pages place their keys at.
constexpr int keyWidth = 64, keyHeight = 17;
constexpr int sampleKeyWidth = 54;
constexpr int syncKeyWidth = 60;
constexpr int onOffWidth = 50;
constexpr int tabWidth = 120, tabHeight = 22;
constexpr int switchSize = 16;
constexpr int knobSize = 36;

// The four images of a labelled toggle key, in the order off, off pressed, on, on pressed.
void addToggle (std::vector<SkinImage>& images, const juce::String& prefix, int width, int height, const juce::String& label)
{
    images.push_back ({ prefix + "Off", width, height, key (label, up, off) });
    images.push_back ({ prefix + "OffDown", width, height, key (label, down, off) });
    images.push_back ({ prefix + "On", width, height, key (label, up, on) });
    images.push_back ({ prefix + "OnDown", width, height, key (label, down, on) });
}

void addPlayToggle (std::vector<SkinImage>& images, const juce::String& prefix, const juce::String& label)
{
    images.push_back ({ prefix + "Off", keyWidth, keyHeight, playKey (label, up, off) });
    images.push_back ({ prefix + "OffDown", keyWidth, keyHeight, playKey (label, down, off) });
    images.push_back ({ prefix + "On", keyWidth, keyHeight, playKey (label, up, on) });
    images.push_back ({ prefix + "OnDown", keyWidth, keyHeight, playKey (label, down, on) });
}

// A push key and its pressed image "<name>Down".
void addPushKey (std::vector<SkinImage>& images, const juce::String& name, int width, const juce::String& label)
{
    images.push_back ({ name, width, keyHeight, key (label, up) });
    images.push_back ({ name + "Down", width, keyHeight, key (label, down) });
}

void addStretchingPage (std::vector<SkinImage>& images, const juce::String& prefix, int width, const Panels::StretchingPage& page)
{
    images.push_back ({ prefix + "Top", width, page.topHeight, Panels::slice (page, Slice::top) });
    images.push_back ({ prefix + "Loop", width, 1, Panels::slice (page, Slice::loop) });
    images.push_back ({ prefix + "Bottom", width, page.bottomHeight, Panels::slice (page, Slice::bottom) });
}
}

std::vector<SkinImage> skinImages()
{
    std::vector<SkinImage> images {
        { "APPLICATIONICON", 256, 256, programIcon() },

        { "BackgroundAbout", 350, 220, Panels::about() },
        { "BackgroundBankCommon", 560, 80, Panels::bankStrip() },
        { "BackgroundSampleSelect", 560, 101, Panels::sampleSelect() },
        { "BackgroundSampleParameterEdit", 560, 123, Panels::sampleParameterEdit() },

        { "TabSampleOn", tabWidth, tabHeight, tab ("EDIT SAMPLES", on) },
        { "TabSampleOff", tabWidth, tabHeight, tab ("EDIT SAMPLES", off) },
        { "TabEffectOn", tabWidth, tabHeight, tab ("EFFECTS", on) },
        { "TabEffectOff", tabWidth, tabHeight, tab ("EFFECTS", off) },
        { "TabPatternOn", tabWidth, tabHeight, tab ("PATTERN", on) },
        { "TabPatternOff", tabWidth, tabHeight, tab ("PATTERN", off) },

        { "ButtonConnected", knobSize, knobSize, connectionLamp (true) },
        { "ButtonDisconnected", knobSize, knobSize, connectionLamp (false) },

        // The tempo keys of the bank strip, stacked in a 37 x 24 space.
        { "ButtonPlus", 18, 11, glyphKey (Glyph::plus, up) },
        { "BUTTONPLUSDOWN", 18, 11, glyphKey (Glyph::plus, down) },
        { "ButtonMinus", 18, 11, glyphKey (Glyph::minus, up) },
        { "BUTTONMINUSDOWN", 18, 11, glyphKey (Glyph::minus, down) },

        // The waveform editor's zoom and slider keys.
        { "BUTTONWAVEFORMPLUS", switchSize, switchSize, glyphKey (Glyph::plus, up) },
        { "BUTTONWAVEFORMPLUSDOWN", switchSize, switchSize, glyphKey (Glyph::plus, down) },
        { "ButtonWaveformMinus", switchSize, switchSize, glyphKey (Glyph::minus, up) },
        { "BUTTONWAVEFORMMINUSDOWN", switchSize, switchSize, glyphKey (Glyph::minus, down) },
        { "ButtonWaveformOn", switchSize, switchSize, ledSwitch (on) },
        { "ButtonWaveformOff", switchSize, switchSize, ledSwitch (off) },

        { "BUTTONON", onOffWidth, keyHeight, key ("ON", up, on) },
        { "ButtonOff", onOffWidth, keyHeight, key ("OFF", up, off) },

        { "ButtonPitchShiftOn", syncKeyWidth, keyHeight, key ("PITCH SHIFT", up, on) },
        { "ButtonPitchShiftOff", syncKeyWidth, keyHeight, key ("PITCH SHIFT", up, off) },
        { "ButtonTimeStretchOn", syncKeyWidth, keyHeight, key ("TIME STRETCH", up, on) },
        { "ButtonTimeStretchOff", syncKeyWidth, keyHeight, key ("TIME STRETCH", up, off) },
        { "ButtonBpmSyncOffOn", syncKeyWidth, keyHeight, key ("OFF", up, on) },
        { "ButtonBpmSyncOffOff", syncKeyWidth, keyHeight, key ("OFF", up, off) },

        { "ParameterKnob", knobSize, knobSize * 128, knobStrip (KnobScale::fromMinimum, 128) },
        { "ParameterKnobCenter", knobSize, knobSize * 128, knobStrip (KnobScale::fromCentre, 128) },
        { "ParameterKnobCenter127", knobSize, knobSize * 127, knobStrip (KnobScale::fromCentre, 127) },
        { "SampleParameterKnobLabel", 52, 19, valueWindow() },

        // The effect combo boxes (153 x 20): the text field and the arrow key beside it.
        { "POPUPFXTYPEBACKGROUND", 134, 20, comboField (false) },
        { "POPUPPARAMETERFXBACKGROUND", 134, 20, comboField (true) },
        { "PopupParameterButton", 19, 20, comboArrow (up) },
        { "POPUPPARAMETERBUTTONDOWN", 19, 20, comboArrow (down) },

        // File browser icons, drawn in an 18-pixel row.
        { "Icon-File-Bank", 24, 14, fileBadge ("BANK", juce::Colour (0xffe17100)) },
        { "Icon-File-Sample", 24, 14, fileBadge ("SMPL", juce::Colour (0xffffb400)) },
        { "Icon-File-Pattern", 24, 14, fileBadge ("PTN", juce::Colour (0xff3a9a8a)) },
        { "Icon-File-Wave", 24, 14, fileBadge ("WAV", juce::Colour (0xff4a78c8)) },
        { "Icon-File-AIFF", 24, 14, fileBadge ("AIFF", juce::Colour (0xff8a5ac0)) },
        { "Icon-File-Mid", 24, 14, fileBadge ("MIDI", juce::Colour (0xff5a9e48)) },
    };

    addStretchingPage (images, "BackgroundBrowser", 234, Panels::browser());
    addStretchingPage (images, "BackgroundWaveform", 560, Panels::waveformEditor());
    addStretchingPage (images, "BackgroundEffect", 560, Panels::effectPage());
    addStretchingPage (images, "BackgroundPattern", 560, Panels::patternPage());

    addPushKey (images, "ButtonReceive", keyWidth, "RECEIVE");
    addPushKey (images, "ButtonTransmit", keyWidth, "TRANSMIT");
    addPushKey (images, "ButtonPatternLoad", keyWidth, "LOAD");
    addPushKey (images, "ButtonSave", keyWidth, "SAVE");
    addPushKey (images, "ButtonImport", keyWidth, "IMPORT SMF");
    addPushKey (images, "ButtonExport", keyWidth, "EXPORT SMF");
    addPushKey (images, "ButtonSelect", keyWidth, "SELECT");
    addPushKey (images, "ButtonEdit", keyWidth, "EDIT");
    addPushKey (images, "ButtonProcess", keyWidth, "PROCESS");
    addPushKey (images, "ButtonSampleLoad", sampleKeyWidth, "LOAD");
    addPushKey (images, "ButtonDelete", sampleKeyWidth, "DELETE");

    addToggle (images, "ButtonWaveEditor", sampleKeyWidth, 36, "WAVE\nEDITOR");
    addPlayToggle (images, "ButtonSamplePlay", "PLAY");
    addPlayToggle (images, "ButtonPreviewPlay", "PREVIEW");

    return images;
}
