#include "files/FileManagerTestSupport.h"
#include "data/smf/SmfTestFiles.h"

#include "app/MessageIds.h"
#include "files/DataFileAccess.h"

using FileManagerTestSupport::FileManagerFixture;

namespace
{
struct FileManagerPattern : FileManagerFixture
{
    juce::File smfFile (const juce::String& name, const TestSupport::Bytes& bytes)
    {
        const auto target = file (name);
        target.replaceWithData (bytes.data(), bytes.size());
        return target;
    }

    juce::File textFile (const juce::String& name, const juce::String& text)
    {
        const auto target = file (name);
        target.replaceWithText (text);
        return target;
    }

    juce::File notesFile (const juce::String& name, int notes)
    {
        return smfFile (name, SmfTestFiles::file (0, 96, { SmfTestFiles::manyNotesTrack (notes) }));
    }
};
}

TEST_F (FileManagerPattern, APatternSetFileReplacesAllSixteenPatternsInOneStep)
{
    SequenceSet patterns;
    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        patterns.getPattern (i)->setName ("PAT" + juce::String (i));
    writeFile (patterns, file ("set.plvr_seq"));
    choosers.choose (file ("set.plvr_seq"));

    ASSERT_TRUE (manager->loadPatternSet());

    EXPECT_EQ (choosers.getShown()[0].wildcard, "*.plvr_seq");
    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        EXPECT_EQ (bank().getPattern (i)->getName(), "PAT" + juce::String (i));
    EXPECT_EQ (history.getUndoDescription(), "LoadSequence");
    EXPECT_TRUE (notices.getPatternSetNotice());

    history.undo();
    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        EXPECT_EQ (bank().getPattern (i)->getName(), "INITPTRN");

    truncate (file ("set.plvr_seq"), 0.5);
    EXPECT_FALSE (manager->loadPatternSetFile (file ("set.plvr_seq")));
    EXPECT_EQ (errorKeys().size(), 1);
    EXPECT_EQ (bank().getPattern (0)->getName(), "INITPTRN");
    EXPECT_FALSE (history.canUndo());
}

TEST_F (FileManagerPattern, ThePatternSetIsSavedAsItsOwnFile)
{
    bank().getPattern (9)->setName ("NINE");
    choosers.choose (file ("mine"));

    ASSERT_TRUE (manager->savePatternSet());

    SequenceSet read;
    EXPECT_EQ (DataFileAccess::read (read, file ("mine.plvr_seq")), "");
    EXPECT_EQ (read.getPattern (9)->getName(), "NINE");
}

TEST_F (FileManagerPattern, AnSmfIsImportedIntoTheGivenPattern)
{
    center.getGlobalData().setField (GlobalData::globalMidiChannel, 0);
    choosers.choose (notesFile ("song.mid", 20));

    ASSERT_TRUE (manager->importSmf (5));

    EXPECT_EQ (choosers.getShown()[0].wildcard, "*.mid");
    EXPECT_EQ (history.getUndoDescription(), "ImportSmf");
    EXPECT_GT (bank().getPattern (5)->getSize(), SequenceData::initialPatternSize);
    EXPECT_TRUE (errorKeys().isEmpty());
}

TEST_F (FileManagerPattern, ACutImportIsStoredAndTheUserIsToldThatTheFileWasTooLarge)
{
    center.getGlobalData().setField (GlobalData::globalMidiChannel, 0);

    ASSERT_TRUE (manager->importSmfFile (notesFile ("huge.mid", 10000), 1));

    EXPECT_EQ (errors(), "SeqImport_SizeOver");
    EXPECT_EQ (boxes.getShown()[0].message, "The SMF's size is too large.");
    EXPECT_GT (bank().getPattern (1)->getSize(), 60000);
    EXPECT_EQ (history.getUndoDescription(), "ImportSmf");
}

TEST_F (FileManagerPattern, AFailedImportShowsTheImportersMessageAndChangesNothing)
{
    EXPECT_FALSE (manager->importSmfFile (textFile ("text.mid", "This text is no Standard MIDI File at all."), 0));
    EXPECT_FALSE (manager->importSmfFile (file ("none.mid"), 0));

    for (int i = 0; i < 7; ++i)
        bank().getPattern (i)->setSize (60000);
    ASSERT_LT (bank().getFreePatternMemory(), 0);
    EXPECT_FALSE (manager->importSmfFile (notesFile ("small.mid", 4), 0));

    EXPECT_EQ (errors(), "SeqImport_Smf_Header, Error_FileTargetFileNotExist, Error_NoFreeMemoryToLoadPattern");
    EXPECT_FALSE (history.canUndo());
}

TEST_F (FileManagerPattern, ExportingAPatternWhoseLengthIsShorterThanItsRecordingGivesANoticeFirst)
{
    auto& pattern = *bank().getPattern (3);
    pattern.getBytes()[9] = 2;   // length parameter 2 measures, 4 recorded
    choosers.choose (file ("out"));

    ASSERT_TRUE (manager->exportSmf (3));

    EXPECT_EQ (errors(), "SeqExport_NoticeRecordedLength");
    juce::MemoryBlock written;
    ASSERT_TRUE (file ("out.mid").loadFileAsData (written));
    EXPECT_EQ (written.toString().substring (0, 4), "MThd");
    EXPECT_TRUE (delivered (MessageIds::fileWritten));
}

TEST_F (FileManagerPattern, FilesNamedFromOutsideGoWhereTheirTypeBelongs)
{
    SequenceSet patterns;
    patterns.getPattern (0)->setName ("OUTSIDE");
    writeFile (patterns, file ("set.plvr_seq"));
    BankData other;
    other.setName ("OTHER");
    writeFile (other, file ("other.plvr_bank"));
    writeFile (center.getGlobalData(), file ("g.plvr_glob"));
    currentPattern = 4;
    center.getGlobalData().setField (GlobalData::globalMidiChannel, 0);

    EXPECT_EQ (manager->openFromOutside (file ("set.plvr_seq")), FileManager::Opened::patterns);
    EXPECT_EQ (bank().getPattern (0)->getName(), "OUTSIDE");
    EXPECT_EQ (manager->openFromOutside (notesFile ("x.mid", 10)), FileManager::Opened::patterns);
    EXPECT_EQ (history.getUndoDescription(), "ImportSmf");
    EXPECT_GT (bank().getPattern (4)->getSize(), SequenceData::initialPatternSize);
    EXPECT_EQ (manager->openFromOutside (file ("g.plvr_glob")), FileManager::Opened::nothing);

    center.setModified();
    boxes.answerQuestion (MessageBoxes::cancel);
    EXPECT_EQ (manager->openFromOutside (file ("other.plvr_bank")), FileManager::Opened::nothing);
    boxes.answerQuestion (MessageBoxes::no);
    EXPECT_EQ (manager->openFromOutside (file ("other.plvr_bank")), FileManager::Opened::bank);
    EXPECT_EQ (bank().getName(), "OTHER");
}
