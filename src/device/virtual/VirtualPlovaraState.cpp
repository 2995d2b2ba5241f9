#include "device/virtual/VirtualPlovaraState.h"

#include "app/Exception.h"
#include "data/Chunk.h"
#include "data/DataFile.h"

namespace
{
void copySampleFromDevice (const VirtualPlovara::Sample& source, SampleData& sample)
{
    // The header sizes the audio first, so that start and end in the
    // parameter block find the length they were set against.
    sample.decodeHeaderAndPcm (source.header.data(), static_cast<const uint8_t*> (source.pcm.getData()),
                               (juce::int64) source.pcm.getSize(), false);
    sample.parseParameterBlock (source.parameters.data());
}

void copySampleToDevice (const SampleData& sample, VirtualPlovara::Sample& target)
{
    sample.buildHeader (target.header.data());
    sample.buildParameterBlock (target.parameters.data());

    const int pcmBytes = sample.getPcmByteCount();
    target.pcm.setSize ((size_t) pcmBytes);
    sample.encodePcm (static_cast<uint8_t*> (target.pcm.getData()), pcmBytes);
}

void copyBankFromDevice (const VirtualPlovara::Bank& source, BankData& bank)
{
    bank.parseParameterBlock (source.parameters.data());

    for (int i = 0; i < VirtualPlovara::numSamples; ++i)
        copySampleFromDevice (source.samples[(size_t) i], bank.getSample (i));

    for (int i = 0; i < VirtualPlovara::numPatterns; ++i)
    {
        const auto& pattern = source.patterns[(size_t) i];
        bank.getPattern (i)->setBlock (pattern.getData(), pattern.getSize());
    }

    bank.getEffect().setImage (source.effect);
}

VirtualPlovara::Bank copyBankToDevice (const BankData& bank)
{
    VirtualPlovara::Bank target;
    bank.buildParameterBlock (target.parameters.data());

    for (int i = 0; i < VirtualPlovara::numSamples; ++i)
        copySampleToDevice (bank.getSample (i), target.samples[(size_t) i]);

    for (int i = 0; i < VirtualPlovara::numPatterns; ++i)
        target.patterns[(size_t) i] = bank.getPattern (i)->getBlock();

    target.effect = bank.getEffect().getImage();
    return target;
}

// Bank sets read whatever whole banks a short file holds; a state file cut
// short would take the later banks' contents away, so it is refused.
void throwWhenCutShort (juce::InputStream& stream)
{
    ChunkReader root;

    if (root.readFrom (stream, AllData::chunkId) && root.chunkEnd() > stream.getTotalLength())
        throw Exception ("Error_FileFailedToReadDataSetHeader");

    stream.setPosition (0);
}
}

namespace VirtualPlovaraState
{
bool copyToAllData (const VirtualPlovara& device, AllData& allData)
{
    for (int i = 0; i < VirtualPlovara::numBanks; ++i)
    {
        BankData bank;
        copyBankFromDevice (device.getBank (i), bank);

        if (! allData.getBankSet().storeFrom (i, bank))
            return false;
    }

    const auto global = device.getGlobalData();
    allData.getGlobalData().setImage (global.data(), global.size());
    return true;
}

void copyFromAllData (const AllData& allData, VirtualPlovara& device)
{
    // Eight banks of audio: read one at a time from the stored banks, kept
    // as device images until all of them have been read.
    std::vector<VirtualPlovara::Bank> banks;

    for (int i = 0; i < VirtualPlovara::numBanks; ++i)
    {
        BankData bank;

        if (! allData.getBankSet().loadInto (i, bank))
            throw Exception ("Error_FileFailedToReadTemporaryFile");

        banks.push_back (copyBankToDevice (bank));
    }

    for (int i = 0; i < VirtualPlovara::numBanks; ++i)
        device.setBank (i, banks[(size_t) i]);

    device.setGlobalData (allData.getGlobalData().getImage());
}

bool saveToFile (const VirtualPlovara& device, const juce::File& file)
{
    AllData allData;
    return copyToAllData (device, allData) && DataFile::write (allData, file);
}

void loadFromFile (VirtualPlovara& device, const juce::File& file)
{
    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        throw Exception ("Error_FileFailedToOpen");

    throwWhenCutShort (stream);

    AllData allData;
    allData.readFrom (stream);
    copyFromAllData (allData, device);
}
}
