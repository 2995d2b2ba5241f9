#include "files/FileManagerTestSupport.h"
#include "audio/AudioTestFiles.h"

#include "app/MessageIds.h"
#include "files/DataFileAccess.h"

using FileManagerTestSupport::FileManagerFixture;

namespace
{
struct FileManagerSample : FileManagerFixture
{
    juce::File sampleFile (const juce::String& fileName, const juce::String& sampleName, int frames)
    {
        SampleData sample;
        sample.resize (1, frames, 48000.0, false);
        sample.setName (sampleName);
        const auto target = file (fileName);
        writeFile (sample, target);
        return target;
    }

    // Hands the file over and lets message 25 and what follows arrive.
    bool handOver (int index, const juce::File& source)
    {
        const auto before = broadcasts.ids.size();
        if (! manager->handOverSampleFile (index, source))
            return false;
        TestSupport::dispatchUntil ([this, before] { return broadcasts.ids.size() > before; }, 10000);
        return true;
    }
};
}

TEST_F (FileManagerSample, ASampleFileIsLoadedAfterTheCurrentEventAsOneUndoableStep)
{
    const auto source = sampleFile ("Kick.plvr_sample", "KICK", 2000);

    ASSERT_TRUE (manager->handOverSampleFile (7, source));
    EXPECT_EQ (bank().getSample (7).getName(), "INITSMPL") << "nothing happens before message 25 arrives";

    ASSERT_TRUE (delivered (MessageIds::dataChanged));
    EXPECT_EQ (bank().getSample (7).getName(), "KICK");
    EXPECT_EQ (bank().getSample (7).getNumFrames(), 2000);
    EXPECT_TRUE (notices.getSampleNotice (7));
    EXPECT_TRUE (center.isModified());
    EXPECT_GE (playerRefreshes, 1);
    EXPECT_EQ (history.getUndoDescription(), "LoadSample");

    history.undo();
    EXPECT_EQ (bank().getSample (7).getName(), "INITSMPL");
}

TEST_F (FileManagerSample, TheOpenSampleChooserOffersSampleAndAudioFilesButUnknownTypesAreRefused)
{
    const auto bwf = file ("take.bwf");
    ASSERT_TRUE (AudioTestFiles::writeWav (bwf, 48000.0, 1, 100, AudioTestFiles::constant (0.5f)));
    choosers.choose (bwf);

    manager->openSample (0);

    EXPECT_EQ (choosers.getShown()[0].wildcard, "*.plvr_sample;*.wav;*.bwf;*.aiff;*.aif");
    EXPECT_EQ (errors(), "Error_FileUnsupportedFormat");

    EXPECT_FALSE (manager->handOverSampleFile (0, file ("missing.wav")));
    EXPECT_EQ (errorKeys()[1], "Error_FileTargetFileNotExist");

    for (int outside : { -1, 36 })
    {
        EXPECT_FALSE (manager->handOverSampleFile (outside, bwf));
        EXPECT_FALSE (manager->saveSample (outside));
        EXPECT_FALSE (manager->exportSample (outside, FileManager::AudioFormat::wave));
    }
    EXPECT_EQ (choosers.getShown().size(), 1u);
}

TEST_F (FileManagerSample, AnAudioFileIsImportedIntoTheSlotKeepingTheSlotsParameters)
{
    const auto wav = file ("Loop Take.wav");
    ASSERT_TRUE (AudioTestFiles::writeWav (wav, 48000.0, 2, 4800, AudioTestFiles::constant (0.25f)));
    auto& slot = bank().getSample (2);
    slot.setName ("MYSLOT");
    slot.setParameter (SampleData::level, 77);
    slot.setParameter (SampleData::originalBpm, 1350);

    ASSERT_TRUE (handOver (2, wav));

    const auto& imported = bank().getSample (2);
    EXPECT_EQ (imported.getNumChannels(), 2);
    EXPECT_EQ (imported.getNumFrames(), 4801) << "the silent guard frame is added";
    EXPECT_EQ (imported.getName(), "MYSLOT");
    EXPECT_EQ (imported.getParameter (SampleData::level), 77);
    EXPECT_EQ (imported.getParameter (SampleData::originalBpm), 1350);
    EXPECT_EQ (imported.getParameter (SampleData::end), 4799);
    EXPECT_EQ (imported.getSourceFileName(), "Loop Take");
    EXPECT_EQ (history.getUndoDescription(), "ImportSample");
}

TEST_F (FileManagerSample, NothingIsLoadedIntoABankWhoseSampleMemoryIsOverBudget)
{
    const auto wav = file ("a.wav");
    ASSERT_TRUE (AudioTestFiles::writeWav (wav, 48000.0, 1, 100, AudioTestFiles::constant (0.5f)));
    const auto source = sampleFile ("b.plvr_sample", "NEW", 100);
    fillOverBudget();
    const int frames = bank().getSample (0).getNumFrames();

    ASSERT_TRUE (manager->handOverSampleFile (0, wav));
    ASSERT_TRUE (manager->handOverSampleFile (0, source));
    TestSupport::dispatchUntil ([this] { return errorKeys().size() == 2; });

    EXPECT_EQ (errors(), "Error_NoFreeMemoryToLoadSample, Error_NoFreeMemoryToLoadSample");
    EXPECT_EQ (bank().getSample (0).getNumFrames(), frames);
    EXPECT_FALSE (history.canUndo());
}

TEST_F (FileManagerSample, ADamagedSampleFileShowsItsMessageAndChangesNothing)
{
    const auto source = sampleFile ("cut.plvr_sample", "CUT", 5000);
    truncate (source, 0.5);

    ASSERT_TRUE (manager->handOverSampleFile (4, source));
    TestSupport::dispatchUntil ([this] { return ! errorKeys().isEmpty(); });

    EXPECT_EQ (errors(), "Error_FileFailedToReadSampleData");
    EXPECT_EQ (bank().getSample (4).getName(), "INITSMPL");
    EXPECT_FALSE (history.canUndo());
}

TEST_F (FileManagerSample, SavingAndExportingWriteTheCurrentSample)
{
    auto& sample = bank().getSample (1);
    sample.resize (1, 1001, 24000.0, false);
    sample.setName ("SAVED");

    choosers.choose (file ("one"));
    ASSERT_TRUE (manager->saveSample (1));
    SampleData read;
    EXPECT_EQ (DataFileAccess::read (read, file ("one.plvr_sample")), "");
    EXPECT_EQ (read.getName(), "SAVED");
    EXPECT_TRUE (delivered (MessageIds::fileWritten));

    file ("one.wav").replaceWithText ("an older and longer file that the export must replace completely");
    choosers.choose (file ("one.wav"));
    ASSERT_TRUE (manager->exportSample (1, FileManager::AudioFormat::wave));
    choosers.choose (file ("one"));
    ASSERT_TRUE (manager->exportSample (1, FileManager::AudioFormat::aiff));

    EXPECT_EQ (choosers.getShown()[1].wildcard, "*.wav");
    EXPECT_EQ (choosers.getShown()[2].wildcard, "*.aif");

    for (auto name : { "one.wav", "one.aif" })
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file (name)));
        ASSERT_NE (reader, nullptr) << name;
        EXPECT_EQ (reader->lengthInSamples, 1000) << name;
        EXPECT_EQ (reader->sampleRate, 24000.0) << name;
        EXPECT_EQ (reader->bitsPerSample, 16u) << name;
    }
}
