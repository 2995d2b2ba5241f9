#include "ContactSheet.h"
#include "SkinStyle.h"

namespace
{
constexpr int sheetWidth = 1400;
constexpr int gap = 10;
constexpr int nameHeight = 12;
constexpr int framesShown = 16;

bool isFilmStrip (const juce::Image& image)
{
    return image.getHeight() > image.getWidth() * 8;
}

// The picture of one image as it goes on the sheet.
juce::Image sheetPicture (const juce::Image& image)
{
    if (isFilmStrip (image))
    {
        const int size = image.getWidth();
        const int frames = image.getHeight() / size;
        juce::Image row (juce::Image::ARGB, size * framesShown * 2, size * 2, true);
        juce::Graphics g (row);

        for (int i = 0; i < framesShown; ++i)
        {
            const int frame = i * (frames - 1) / (framesShown - 1);
            g.drawImage (image, i * size * 2, 0, size * 2, size * 2, 0, frame * size, size, size);
        }
        return row;
    }

    const int zoom = image.getWidth() < 100 ? 3 : 1;
    return image.rescaled (image.getWidth() * zoom, image.getHeight() * zoom, juce::Graphics::lowResamplingQuality);
}
}

juce::Image makeContactSheet (const std::vector<std::pair<SkinImage, juce::Image>>& images)
{
    struct Placed { juce::String name; juce::Image picture; juce::Point<int> position; };
    std::vector<Placed> placed;
    juce::Point<int> position (gap, gap);
    int rowHeight = 0;

    for (const auto& [entry, image] : images)
    {
        const auto picture = sheetPicture (image);
        const int width = juce::jmax (picture.getWidth(), 150);

        if (position.x > gap && position.x + width > sheetWidth - gap)
        {
            position = { gap, position.y + rowHeight + gap };
            rowHeight = 0;
        }

        placed.push_back ({ entry.name, picture, position });
        rowHeight = juce::jmax (rowHeight, picture.getHeight() + nameHeight);
        position.x += width + gap;
    }

    juce::Image sheet (juce::Image::RGB, sheetWidth, position.y + rowHeight + gap, false);
    juce::Graphics g (sheet);
    g.fillAll (juce::Colour (0xff8a8a8a));
    g.setFont (SkinStyle::font (10.0f, false));
    g.setColour (juce::Colours::black);

    for (const auto& item : placed)
    {
        g.drawText (item.name, item.position.x, item.position.y, 300, nameHeight, juce::Justification::topLeft);
        g.drawImageAt (item.picture, item.position.x, item.position.y + nameHeight);
    }
    return sheet;
}
