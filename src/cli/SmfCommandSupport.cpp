#include "cli/SmfCommandSupport.h"

#include "app/Exception.h"
#include "data/SequenceData.h"

namespace SmfCommandSupport
{
namespace
{
// A whole number from first to last, or -1.
int parseNumber (const juce::String& text, int first, int last)
{
    const auto trimmed = text.trim();

    if (trimmed.isEmpty() || ! trimmed.containsOnly ("0123456789") || trimmed.length() > 3)
        return -1;

    const int value = trimmed.getIntValue();
    return value >= first && value <= last ? value : -1;
}
}

juce::String Options::parse (const juce::StringArray& arguments)
{
    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        if (argument == "--pattern" || argument == "--channels")
        {
            if (i + 1 >= arguments.size())
                return argument + " needs a value";

            const auto value = arguments[++i];

            if (argument == "--pattern")
            {
                const int pattern = parseNumber (value, 1, SequenceSet::numPatterns);
                if (pattern < 0)
                    return "--pattern takes a pattern number from 1 to 16";
                patternIndex = pattern - 1;
            }
            else
            {
                const int part0 = parseNumber (value.upToFirstOccurrenceOf (",", false, false), 1, 16);
                const int part1 = parseNumber (value.fromFirstOccurrenceOf (",", false, false), 1, 16);
                if (! value.containsChar (',') || part0 < 0 || part1 < 0)
                    return "--channels takes two MIDI channels from 1 to 16, as G,K";
                part0Channel = part0 - 1;
                part1Channel = part1 - 1;
            }
        }
        else if (argument.startsWith ("--"))
        {
            return "unknown option " + argument;
        }
        else
        {
            files.add (argument);
        }
    }

    if (files.size() != 2)
        return "two files are needed";

    if (patternIndex < 0)
        return "--pattern is needed";

    return {};
}

void readPatternSet (const juce::File& file, SequenceSet& set)
{
    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        throw Exception ("Error_FileFailedToOpen");

    set.readFrom (stream);
}

juce::DynamicObject::Ptr describePattern (const SequenceData& pattern, int patternIndex)
{
    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("pattern", patternIndex + 1);
    object->setProperty ("name", pattern.getName());
    object->setProperty ("lengthParameter", pattern.getLengthParameter());
    object->setProperty ("recordedLength", pattern.getRecordedLength());
    object->setProperty ("size", pattern.getSize());
    object->setProperty ("keyboardSample", pattern.getKeyboardSample());
    return object;
}
}
