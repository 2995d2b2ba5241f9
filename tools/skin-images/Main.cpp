// Draws every skin image of the program and writes it as "<name>.png" into
// the folder named on the command line; with --sheet FILE it also writes one
// picture of all of them for looking the skin over.

#include "ContactSheet.h"
#include "SkinStyle.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;
    return stream.openedOk() && png.writeImageToStream (image, stream);
}

juce::Image draw (const SkinImage& entry)
{
    juce::Image image (juce::Image::ARGB, entry.width, entry.height, true);
    juce::Graphics g (image);
    entry.paint (g, entry.width, entry.height);
    return image;
}
}

int main (int argc, char* argv[])
{
    const bool withSheet = argc == 4 && juce::String (argv[2]) == "--sheet";

    if (argc != 2 && ! withSheet)
    {
        std::cerr << "usage: plovara_skin_images OUTPUT_FOLDER [--sheet FILE]\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;

    if (! SkinStyle::isFontAvailable())
    {
        std::cerr << "The font Liberation Sans is not installed (scripts/install-deps installs it).\n";
        return 1;
    }

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);

    if (! folder.createDirectory())
    {
        std::cerr << "Cannot create " << folder.getFullPathName() << "\n";
        return 1;
    }

    std::vector<std::pair<SkinImage, juce::Image>> drawn;

    for (const auto& entry : skinImages())
    {
        drawn.push_back ({ entry, draw (entry) });
        const auto file = folder.getChildFile (entry.name + ".png");

        if (! writePng (drawn.back().second, file))
        {
            std::cerr << "Cannot write " << file.getFullPathName() << "\n";
            return 1;
        }
    }

    if (withSheet)
    {
        const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (argv[3]);

        if (! writePng (makeContactSheet (drawn), file))
        {
            std::cerr << "Cannot write " << file.getFullPathName() << "\n";
            return 1;
        }
    }
    return 0;
}
