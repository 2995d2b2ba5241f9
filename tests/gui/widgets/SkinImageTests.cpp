#include "resources/ResourceFiles.h"

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
struct ExpectedImage
{
    const char* name;
    int width;
    int height;
};

// The size at which the windows and pages place each image.
const ExpectedImage expectedImages[] = {
    { "APPLICATIONICON", 256, 256 },
    // Fixed panels.
    { "BackgroundAbout", 350, 220 },
    { "BackgroundBankCommon", 560, 80 },
    { "BackgroundSampleSelect", 560, 101 },
    { "BackgroundSampleParameterEdit", 560, 123 },
    // Panels that stretch: the top, one repeated row, the bottom.
    { "BackgroundBrowserTop", 234, 59 },
    { "BackgroundBrowserLoop", 234, 1 },
    { "BackgroundBrowserBottom", 234, 13 },
    { "BackgroundWaveformTop", 560, 60 },
    { "BackgroundWaveformLoop", 560, 1 },
    { "BackgroundWaveformBottom", 560, 44 },
    { "BackgroundEffectTop", 560, 113 },
    { "BackgroundEffectLoop", 560, 1 },
    { "BackgroundEffectBottom", 560, 19 },
    { "BackgroundPatternTop", 560, 315 },
    { "BackgroundPatternLoop", 560, 1 },
    { "BackgroundPatternBottom", 560, 25 },
    // Page tabs.
    { "TabSampleOn", 120, 22 },
    { "TabSampleOff", 120, 22 },
    { "TabEffectOn", 120, 22 },
    { "TabEffectOff", 120, 22 },
    { "TabPatternOn", 120, 22 },
    { "TabPatternOff", 120, 22 },
    // Bank strip.
    { "ButtonConnected", 36, 36 },
    { "ButtonDisconnected", 36, 36 },
    { "ButtonPlus", 18, 11 },
    { "BUTTONPLUSDOWN", 18, 11 },
    { "ButtonMinus", 18, 11 },
    { "BUTTONMINUSDOWN", 18, 11 },
    // 64 x 17 keys of the sample, effect, pattern and waveform pages.
    { "ButtonReceive", 64, 17 },
    { "ButtonReceiveDown", 64, 17 },
    { "ButtonTransmit", 64, 17 },
    { "ButtonTransmitDown", 64, 17 },
    { "ButtonPatternLoad", 64, 17 },
    { "ButtonPatternLoadDown", 64, 17 },
    { "ButtonSave", 64, 17 },
    { "ButtonSaveDown", 64, 17 },
    { "ButtonImport", 64, 17 },
    { "ButtonImportDown", 64, 17 },
    { "ButtonExport", 64, 17 },
    { "ButtonExportDown", 64, 17 },
    { "ButtonSelect", 64, 17 },
    { "ButtonSelectDown", 64, 17 },
    { "ButtonEdit", 64, 17 },
    { "ButtonEditDown", 64, 17 },
    { "ButtonProcess", 64, 17 },
    { "ButtonProcessDown", 64, 17 },
    { "ButtonSamplePlayOff", 64, 17 },
    { "ButtonSamplePlayOffDown", 64, 17 },
    { "ButtonSamplePlayOn", 64, 17 },
    { "ButtonSamplePlayOnDown", 64, 17 },
    { "ButtonPreviewPlayOff", 64, 17 },
    { "ButtonPreviewPlayOffDown", 64, 17 },
    { "ButtonPreviewPlayOn", 64, 17 },
    { "ButtonPreviewPlayOnDown", 64, 17 },
    // Sample parameter panel.
    { "ButtonWaveEditorOff", 54, 36 },
    { "ButtonWaveEditorOffDown", 54, 36 },
    { "ButtonWaveEditorOn", 54, 36 },
    { "ButtonWaveEditorOnDown", 54, 36 },
    { "ButtonSampleLoad", 54, 17 },
    { "ButtonSampleLoadDown", 54, 17 },
    { "ButtonDelete", 54, 17 },
    { "ButtonDeleteDown", 54, 17 },
    { "ButtonPitchShiftOn", 60, 17 },
    { "ButtonPitchShiftOff", 60, 17 },
    { "ButtonTimeStretchOn", 60, 17 },
    { "ButtonTimeStretchOff", 60, 17 },
    { "ButtonBpmSyncOffOn", 60, 17 },
    { "ButtonBpmSyncOffOff", 60, 17 },
    { "BUTTONON", 50, 17 },
    { "ButtonOff", 50, 17 },
    { "SampleParameterKnobLabel", 52, 19 },
    // Knob film strips: 36 x 36 frames, 128 or 127 of them.
    { "ParameterKnob", 36, 36 * 128 },
    { "ParameterKnobCenter", 36, 36 * 128 },
    { "ParameterKnobCenter127", 36, 36 * 127 },
    // Waveform editor switches and zoom keys.
    { "ButtonWaveformOn", 16, 16 },
    { "ButtonWaveformOff", 16, 16 },
    { "BUTTONWAVEFORMPLUS", 16, 16 },
    { "BUTTONWAVEFORMPLUSDOWN", 16, 16 },
    { "ButtonWaveformMinus", 16, 16 },
    { "BUTTONWAVEFORMMINUSDOWN", 16, 16 },
    // Effect combo boxes: field and arrow key fill 153 x 20.
    { "POPUPFXTYPEBACKGROUND", 134, 20 },
    { "POPUPPARAMETERFXBACKGROUND", 134, 20 },
    { "PopupParameterButton", 19, 20 },
    { "POPUPPARAMETERBUTTONDOWN", 19, 20 },
    // File browser icons, for 18-pixel rows.
    { "Icon-File-AIFF", 24, 14 },
    { "Icon-File-Bank", 24, 14 },
    { "Icon-File-Mid", 24, 14 },
    { "Icon-File-Pattern", 24, 14 },
    { "Icon-File-Sample", 24, 14 },
    { "Icon-File-Wave", 24, 14 },
};

juce::Image loadSkinImage (const juce::String& name)
{
    const auto bytes = ResourceFiles::find ("png", name);
    juce::MemoryInputStream stream (bytes, false);
    juce::PNGImageFormat png;

    if (bytes.isEmpty() || ! png.canUnderstand (stream))
        return {};

    stream.setPosition (0);
    return png.decodeImage (stream);
}

juce::Image knobFrame (const juce::Image& strip, int index)
{
    return strip.getClippedImage ({ 0, index * strip.getWidth(), strip.getWidth(), strip.getWidth() });
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}
}

TEST (SkinImages, AllNinetyOneImagesAreEmbeddedPngsOfTheirSize)
{
    std::set<juce::String> names;

    for (const auto& expected : expectedImages)
    {
        SCOPED_TRACE (expected.name);
        names.insert (juce::String (expected.name).toLowerCase());

        const auto image = loadSkinImage (expected.name);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), expected.width);
        EXPECT_EQ (image.getHeight(), expected.height);
    }
    EXPECT_EQ (names.size(), 91u);
}

TEST (SkinImages, NamesAreFoundWithoutRegardToCase)
{
    EXPECT_TRUE (loadSkinImage ("buttonreceive").isValid());
    EXPECT_TRUE (loadSkinImage ("ButtonOn").isValid());
    EXPECT_TRUE (loadSkinImage ("PopupFxTypeBackground").isValid());
}

TEST (SkinImages, TheProgramIconIsASquareImageWithTransparentCorners)
{
    const auto icon = loadSkinImage ("APPLICATIONICON");
    ASSERT_TRUE (icon.isValid());
    EXPECT_EQ (icon.getWidth(), icon.getHeight());
    EXPECT_TRUE (icon.hasAlphaChannel());
    EXPECT_EQ (icon.getPixelAt (0, 0).getAlpha(), 0);
}

// The knob draws a mouse-over highlight through the frame's alpha, and the
// frames must show the pointer turning.
TEST (SkinImages, KnobFramesTurnAndLeaveTheirCornersTransparent)
{
    for (const auto* name : { "ParameterKnob", "ParameterKnobCenter", "ParameterKnobCenter127" })
    {
        SCOPED_TRACE (name);
        const auto strip = loadSkinImage (name);
        ASSERT_TRUE (strip.isValid());
        const int frames = strip.getHeight() / strip.getWidth();

        EXPECT_FALSE (samePixels (knobFrame (strip, 0), knobFrame (strip, 1)));
        EXPECT_FALSE (samePixels (knobFrame (strip, frames / 2), knobFrame (strip, frames - 1)));
        EXPECT_EQ (knobFrame (strip, frames - 1).getPixelAt (0, 0).getAlpha(), 0);
    }
}

// The middle frame of a centred knob (the neutral value) stands straight up,
// so its shape is its own mirror image (give or take anti-aliasing).
TEST (SkinImages, CentredKnobsPointUpAtTheirMiddleFrame)
{
    const struct { const char* name; int middleFrame; } knobs[] = { { "ParameterKnobCenter", 64 }, { "ParameterKnobCenter127", 63 } };

    for (const auto& knob : knobs)
    {
        SCOPED_TRACE (knob.name);
        const auto frame = knobFrame (loadSkinImage (knob.name), knob.middleFrame);
        const int size = frame.getWidth();
        int differences = 0;

        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size / 2; ++x)
                if (std::abs (frame.getPixelAt (x, y).getAlpha() - frame.getPixelAt (size - 1 - x, y).getAlpha()) > 24)
                    ++differences;

        EXPECT_EQ (differences, 0);
    }
}
