#include "gui/widgets/ImageResourceManager.h"
#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace
{
// A 2 x 1 PNG, made the way the skin images are stored.
juce::MemoryBlock tinyPng()
{
    juce::Image image (juce::Image::ARGB, 2, 1, true);
    image.setPixelAt (0, 0, juce::Colours::red);
    juce::MemoryOutputStream stream;
    juce::PNGImageFormat().writeImageToStream (image, stream);
    return stream.getMemoryBlock();
}
}

TEST (ImageResourceManager, LoadsAnImageOnceAndKeepsIt)
{
    const auto png = tinyPng();
    int loads = 0;
    ImageResourceManager images ([&] (const juce::String& name)
    {
        ++loads;
        return name.equalsIgnoreCase ("ButtonReceive") ? juce::ImageFileFormat::loadFrom (png.getData(), png.getSize())
                                                       : juce::Image();
    });

    const auto first = images.getImage ("ButtonReceive");
    ASSERT_TRUE (first.isValid());
    EXPECT_EQ (first.getWidth(), 2);
    EXPECT_EQ (first.getPixelAt (0, 0), juce::Colours::red);

    // Names match without regard to case; the same pixels come back.
    EXPECT_EQ (images.getImage ("BUTTONRECEIVE"), first);
    EXPECT_EQ (loads, 1);
}

TEST (ImageResourceManager, AMissingImageIsAskedForAgain)
{
    int loads = 0;
    ImageResourceManager images ([&] (const juce::String&) { ++loads; return juce::Image(); });

    EXPECT_FALSE (images.getImage ("TabSampleOn").isValid());
    EXPECT_FALSE (images.getImage ("TabSampleOn").isValid());
    EXPECT_EQ (loads, 2);
}

TEST (ImageResourceManager, ResourceImagesNeedACZQVResource)
{
    ASSERT_EQ (CZQVResource::getInstancePointer(), nullptr);
    ImageResourceManager images;
    EXPECT_FALSE (images.getImage ("NoSuchImage").isValid());

    CZQVResource::getInstance();
    EXPECT_FALSE (images.getImage ("NoSuchImage").isValid());
    EXPECT_EQ (images.getImage ("TabSampleOn").getWidth(), 120);
    CZQVResource::releaseInstance();

    ASSERT_EQ (ImageResourceManager::getInstancePointer(), nullptr);
    EXPECT_FALSE (ImageResourceManager::imageFor ("NoSuchImage").isValid());
}
