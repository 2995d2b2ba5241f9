#include "cli/BankSlotTool.h"

#include "data/BankData.h"
#include "files/DataFileAccess.h"

#include <ostream>

namespace
{
const juce::StringArray noteNames { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
constexpr int firstOctave = 3;

juce::File resolve (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}
}

namespace BankSlotTool
{
juce::String keyName (int sampleIndex)
{
    return noteNames[sampleIndex % 12] + juce::String (firstOctave + sampleIndex / 12);
}

bool parseSampleKey (const juce::String& text, int& sampleIndex)
{
    if (text.containsOnly ("0123456789") && text.length() > 0 && text.length() <= 2)
    {
        sampleIndex = text.getIntValue();
        return sampleIndex < SampleSet::numSamples;
    }

    for (int i = 0; i < SampleSet::numSamples; ++i)
    {
        if (keyName (i).equalsIgnoreCase (text))
        {
            sampleIndex = i;
            return true;
        }
    }

    return false;
}

juce::String parse (const juce::StringArray& arguments, Target& target)
{
    if (arguments.size() == 3 && arguments[1] == "--patterns")
    {
        target = { resolve (arguments[0]), true, 0, resolve (arguments[2]) };
        return {};
    }

    if (arguments.size() == 4 && arguments[1] == "--sample")
    {
        target = { resolve (arguments[0]), false, 0, resolve (arguments[3]) };
        return parseSampleKey (arguments[2], target.sampleIndex) ? juce::String()
                                                                 : "KEY must be C3 to B5 or 0 to 35, not " + arguments[2];
    }

    return "give BANK and either --sample KEY FILE or --patterns FILE";
}

juce::String readBank (const juce::File& file, BankData& bank)
{
    if (auto missing = DataFileAccess::checkExists (file); missing.isNotEmpty())
        return missing;

    return DataFileAccess::read (bank, file);
}

int reportDone (CliContext& context, const juce::String& action, const Target& target, const BankData& bank)
{
    const auto part = target.patterns ? juce::String ("the pattern set")
                                      : "sample " + keyName (target.sampleIndex) + " (" + juce::String (target.sampleIndex) + ")";

    if (context.json)
    {
        auto* object = new juce::DynamicObject();
        object->setProperty ("bank", target.bankFile.getFullPathName());
        object->setProperty ("file", target.partFile.getFullPathName());

        if (target.patterns)
        {
            object->setProperty ("patterns", true);
        }
        else
        {
            object->setProperty ("key", keyName (target.sampleIndex));
            object->setProperty ("sample", target.sampleIndex);
        }

        object->setProperty ("freeSampleMemory", bank.getFreeSampleMemory());
        object->setProperty ("freePatternMemory", bank.getFreePatternMemory());
        CliReport::printJson (context, juce::var (object));
    }
    else
    {
        context.out << action << " " << part << ": " << target.partFile.getFullPathName() << std::endl;
    }

    return CliExit::success;
}

juce::String argumentsText (const juce::String& command, const juce::String& partRole)
{
    return "usage: plovara-cli " + command + " BANK.plvr_bank (--sample KEY " + partRole + ".plvr_sample | --patterns "
           + partRole + ".plvr_seq) [--json]\n\n";
}
}
