#include "cli/Describe.h"

#include "data/AllData.h"
#include "data/BankData.h"
#include "data/EffectData.h"
#include "data/EffectParameterTable.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

#include <juce_cryptography/juce_cryptography.h>

namespace Describe
{
juce::String sha256Hex (const void* data, size_t size)
{
    return juce::SHA256 (data, size).toHexString();
}

namespace
{
const char* const parameterKeys[SampleData::numParameters] = {
    "pan", "level", "veloInt", "semitone", "tune", "decay", "release", "originalBpm",
    "start", "end", "bpmSync", "loop", "reverse", "fxSw"
};

const char* const globalFieldKeys[GlobalData::numFields] = {
    "metronome", "memoryProtect", "lcdBacklight", "audioInMode", "patternChange", "globalMidiChannel",
    "keyboardMidiChannel", "localControl", "midiRouting", "midiClock", "audioInLevel", "startTrim", "endTrim"
};

juce::String pcmSha256 (const SampleData& sample)
{
    // Hash the bytes exactly as the chunk stores them, a block at a time.
    constexpr int blockBytes = 64 * 1024;
    const int frameBytes = sample.getNumChannels() * 2;
    juce::HeapBlock<uint8_t> block ((size_t) blockBytes);
    juce::MemoryOutputStream all;

    for (int frame = 0; frame < sample.getNumFrames(); frame += blockBytes / frameBytes)
    {
        const int bytes = sample.encodePcm (block.get(), blockBytes, frame);
        all.write (block.get(), (size_t) bytes);
    }
    return sha256Hex (all.getData(), all.getDataSize());
}
}

juce::DynamicObject::Ptr sample (const SampleData& s)
{
    juce::DynamicObject::Ptr parameters (new juce::DynamicObject());
    for (int i = 0; i < SampleData::numParameters; ++i)
        parameters->setProperty (parameterKeys[i], s.getParameter (i));

    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("name", s.getName());
    object->setProperty ("sourceFileName", s.getSourceFileName());
    object->setProperty ("channels", s.getNumChannels());
    object->setProperty ("frames", s.getNumFrames());
    object->setProperty ("sampleRate", juce::roundToInt (s.getSampleRate()));
    object->setProperty ("headerFlag", s.getHeaderFlag());
    object->setProperty ("memoryBytes", s.getMemorySize());
    object->setProperty ("pcmSha256", pcmSha256 (s));
    object->setProperty ("parameters", parameters.get());
    return object;
}

juce::DynamicObject::Ptr effect (const EffectData& e)
{
    const auto& image = e.getImage();

    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("type", e.getType());
    object->setProperty ("typeName", EffectParameterTable().getTypeName (e.getType()));
    object->setProperty ("knob1", e.getByte (EffectData::firstKnobByte));
    object->setProperty ("knob2", e.getByte (EffectData::firstKnobByte + 1));
    object->setProperty ("image", juce::String::toHexString (image.data(), (int) image.size(), 0));
    return object;
}

juce::DynamicObject::Ptr pattern (const SequenceData& p)
{
    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("name", p.getName());
    object->setProperty ("size", p.getSize());
    object->setProperty ("length", p.getLengthParameter());
    object->setProperty ("recordedLength", p.getRecordedLength());
    object->setProperty ("keyboardSample", p.getKeyboardSample());
    object->setProperty ("sha256", sha256Hex (p.getBytes(), (size_t) p.getSize()));
    return object;
}

juce::var patterns (const SequenceSet& set)
{
    juce::Array<juce::var> list;
    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        list.add (juce::var (pattern (*set.getPattern (i)).get()));
    return list;
}

juce::DynamicObject::Ptr global (const GlobalData& g)
{
    juce::DynamicObject::Ptr fields (new juce::DynamicObject());
    for (int i = 0; i < GlobalData::numFields; ++i)
        fields->setProperty (globalFieldKeys[i], g.getField (i));

    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("image", juce::String::toHexString (g.getImage().data(), (int) g.getImage().size(), 0));
    object->setProperty ("fields", fields.get());
    return object;
}

juce::DynamicObject::Ptr bank (const BankData& b)
{
    juce::Array<juce::var> samples;
    for (int i = 0; i < SampleSet::numSamples; ++i)
        samples.add (juce::var (sample (b.getSample (i)).get()));

    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("name", b.getName());
    object->setProperty ("tempo", b.getTempo());
    object->setProperty ("audioInThruFx", b.getAudioInThruFx());
    object->setProperty ("fits", b.fitsInMemory());
    object->setProperty ("freeSampleMemory", b.getFreeSampleMemory());
    object->setProperty ("freePatternMemory", b.getFreePatternMemory());
    object->setProperty ("samples", samples);
    object->setProperty ("patterns", patterns (b.getSequenceSet()));
    object->setProperty ("effect", effect (b.getEffect()).get());
    return object;
}

namespace
{
juce::var namesOf (const juce::StringArray& names)
{
    juce::Array<juce::var> list;
    for (auto& name : names)
        list.add (name);
    return list;
}

juce::var bankSummary (int index, const BankDataInformation& info)
{
    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("letter", BankSet::letterOf (index));
    object->setProperty ("name", info.bankName);
    object->setProperty ("sampleNames", namesOf (info.sampleNames));
    object->setProperty ("patternNames", namesOf (info.patternNames));
    object->setProperty ("effectType", info.effectType);
    object->setProperty ("fits", info.fits);
    return juce::var (object.get());
}
}

juce::DynamicObject::Ptr allData (const AllData& all)
{
    juce::Array<juce::var> banks;
    for (int i = 0; i < BankSet::numBanks; ++i)
        banks.add (bankSummary (i, all.getBankSet().getBank (i).getInformation()));

    juce::DynamicObject::Ptr object (new juce::DynamicObject());
    object->setProperty ("banks", banks);
    object->setProperty ("global", global (all.getGlobalData()).get());
    return object;
}

juce::String asText (const juce::var& value, int indent)
{
    juce::String text;
    const auto pad = juce::String::repeatedString (" ", indent);

    if (auto* object = value.getDynamicObject())
    {
        for (auto& property : object->getProperties())
        {
            if (property.value.isObject() || property.value.isArray())
                text << pad << property.name.toString() << ":\n" << asText (property.value, indent + 2);
            else
                text << pad << property.name.toString() << ": " << property.value.toString() << "\n";
        }
    }
    else if (auto* array = value.getArray())
    {
        for (int i = 0; i < array->size(); ++i)
        {
            const auto& item = array->getReference (i);
            if (item.isObject() || item.isArray())
                text << pad << "[" << i << "]\n" << asText (item, indent + 2);
            else
                text << pad << "[" << i << "] " << item.toString() << "\n";
        }
    }
    else
    {
        text << pad << value.toString() << "\n";
    }
    return text;
}
}
