#include "cli/SampleFileTool.h"

#include "app/Exception.h"
#include "cli/Describe.h"
#include "data/SampleData.h"

#include <ostream>

namespace SampleFileTool
{
juce::File resolve (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

juce::String readFile (const juce::File& file, Data& data)
{
    if (! file.existsAsFile())
        return "Error_FileTargetFileNotExist";

    juce::FileInputStream stream (file);
    if (! stream.openedOk())
        return "Error_FileFailedToOpen";

    try
    {
        data.readFrom (stream);
        return {};
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
}

bool takeOption (juce::StringArray& arguments, const juce::String& name, juce::String& value)
{
    const int index = arguments.indexOf (name);
    if (index < 0)
        return true;

    if (index + 1 >= arguments.size())
        return false;

    value = arguments[index + 1];
    arguments.removeRange (index, 2);
    return true;
}

bool parseInt (const juce::String& text, int& value)
{
    const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;
    if (digits.isEmpty() || ! digits.containsOnly ("0123456789") || digits.length() > 9)
        return false;

    value = text.getIntValue();
    return true;
}

int reportWritten (CliContext& context, const juce::File& output, const SampleData& sample)
{
    if (context.json)
    {
        auto description = Describe::sample (sample);
        description->setProperty ("output", output.getFullPathName());
        CliReport::printJson (context, juce::var (description.get()));
    }
    else
    {
        context.out << "wrote " << output.getFullPathName().toStdString() << ": " << sample.getNumChannels()
                    << " channel(s), " << sample.getNumFrames() << " frames at " << sample.getSampleRate()
                    << " Hz" << std::endl;
    }
    return CliExit::success;
}
}
