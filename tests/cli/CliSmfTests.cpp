#include "TestSupport.h"
#include "cli/CliRunner.h"
#include "data/smf/SmfTestFiles.h"

#include "data/ByteFields.h"
#include "data/DataFile.h"
#include "data/SequenceData.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
// One note on channel 3 and one on channel 4, from 0 to 96, named "Bass".
Bytes twoChannelSong()
{
    ByteBuilder b;
    b.add ({ 0x00, 0xFF, 0x03, 0x04 }).text ("Bass")
     .add ({ 0x00, 0x92, 0x30, 0x64, 0x00, 0x93, 0x31, 0x64, 0x60, 0x82, 0x30, 0x00, 0x00, 0x83, 0x31, 0x00,
             0x00, 0xFF, 0x2F, 0x00 });
    return SmfTestFiles::file (0, 96, { b.bytes });
}

void writeFile (const juce::File& file, const Bytes& bytes)
{
    ASSERT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
}

std::unique_ptr<SequenceSet> readSet (const juce::File& file)
{
    auto set = std::make_unique<SequenceSet>();
    juce::FileInputStream in (file);
    EXPECT_TRUE (in.openedOk());
    set->readFrom (in);
    return set;
}

// The first event after measure 0's marker.
Bytes firstEvent (const SequenceData& pattern)
{
    return Bytes (pattern.getBytes() + 516, pattern.getBytes() + 520);
}
}

TEST (CliSmf, ImportsIntoANewOrAnExistingPatternSet)
{
    TemporaryFolder temp;
    writeFile (temp.folder.getChildFile ("song.mid"), twoChannelSong());

    auto created = runCli ({ "smf-import", "song.mid", "set.plvr_seq", "--pattern", "3", "--channels", "3,4", "--json" }, temp.folder);
    ASSERT_EQ (created.exitCode, 0) << created.err;
    auto json = created.json();
    EXPECT_EQ ((int) json["pattern"], 3);
    EXPECT_EQ (json["name"].toString(), "BASS");
    EXPECT_EQ ((int) json["recordedLength"], 1);
    EXPECT_FALSE ((bool) json["cut"]);
    EXPECT_TRUE (created.err.isEmpty());

    auto set = readSet (temp.folder.getChildFile ("set.plvr_seq"));
    EXPECT_EQ (set->getPattern (2)->getName(), "BASS");
    EXPECT_EQ (firstEvent (*set->getPattern (2)), (Bytes { 0x90, 0x30, 0x64, 0x01 }));
    for (int i : { 0, 1, 3, 15 })
        EXPECT_TRUE (set->getPattern (i)->getBlock() == SequenceData::createInitialPattern()) << i;

    // Into another slot of the same set, with the default channels 1 and 2:
    // none of the song's notes; the earlier import stays.
    auto again = runCli ({ "smf-import", "song.mid", "set.plvr_seq", "--pattern", "16" }, temp.folder);
    ASSERT_EQ (again.exitCode, 0) << again.err;
    EXPECT_TRUE (again.out.contains ("pattern 16"));
    set = readSet (temp.folder.getChildFile ("set.plvr_seq"));
    EXPECT_EQ (set->getPattern (2)->getName(), "BASS");
    EXPECT_EQ (firstEvent (*set->getPattern (15)), (Bytes { 0xF0, 0x00, 0x01, 0x80 }));

    // Channel 4 as the keyboard channel makes its note part 1.
    ASSERT_EQ (runCli ({ "smf-import", "song.mid", "set.plvr_seq", "--pattern", "1", "--channels", "16,4" }, temp.folder).exitCode, 0);
    EXPECT_EQ (firstEvent (*readSet (temp.folder.getChildFile ("set.plvr_seq"))->getPattern (0)), (Bytes { 0x91, 0x31, 0x64, 0x01 }));
}

TEST (CliSmf, ACutImportSaysSoAndARefusedFileChangesNothing)
{
    TemporaryFolder temp;
    writeFile (temp.folder.getChildFile ("long.mid"), SmfTestFiles::file (0, 96, { SmfTestFiles::manyNotesTrack (10000) }));

    auto cut = runCli ({ "--json", "smf-import", "long.mid", "set.plvr_seq", "--pattern", "2" }, temp.folder);
    ASSERT_EQ (cut.exitCode, 0) << cut.err;
    EXPECT_TRUE ((bool) cut.json()["cut"]);
    EXPECT_EQ (cut.json()["notice"].toString(), "SeqImport_SizeOver");
    EXPECT_TRUE (cut.err.startsWith ("notice:"));
    EXPECT_GT ((int) cut.json()["size"], 63487);

    const auto setFile = temp.folder.getChildFile ("set.plvr_seq");
    const auto before = setFile.loadFileAsString();
    auto format2 = SmfTestFiles::file (2, 96, { { 0x00, 0xFF, 0x2F, 0x00 } });
    writeFile (temp.folder.getChildFile ("bad.mid"), format2);

    auto refused = runCli ({ "--json", "smf-import", "bad.mid", "set.plvr_seq", "--pattern", "2" }, temp.folder);
    EXPECT_EQ (refused.exitCode, 1);
    EXPECT_EQ (refused.json()["error"].toString(), "SeqImport_Smf_Format");
    EXPECT_TRUE (refused.json().hasProperty ("message"));
    EXPECT_EQ (setFile.loadFileAsString(), before);

    auto text = runCli ({ "smf-import", "bad.mid", "set.plvr_seq", "--pattern", "2" }, temp.folder);
    EXPECT_EQ (text.exitCode, 1);
    EXPECT_FALSE (text.err.isEmpty());
    EXPECT_TRUE (text.out.isEmpty());

    EXPECT_EQ (runCli ({ "smf-import", "missing.mid", "set.plvr_seq", "--pattern", "2" }, temp.folder).exitCode, 1);

    // A set file that is not a pattern set is not overwritten.
    temp.folder.getChildFile ("junk.plvr_seq").replaceWithText ("junk");
    auto junk = runCli ({ "--json", "smf-import", "long.mid", "junk.plvr_seq", "--pattern", "2" }, temp.folder);
    EXPECT_EQ (junk.exitCode, 1);
    EXPECT_EQ (temp.folder.getChildFile ("junk.plvr_seq").loadFileAsString(), "junk");
}

TEST (CliSmf, ExportsAPatternWithTheNoticeForAShorterLength)
{
    TemporaryFolder temp;
    const auto setFile = temp.folder.getChildFile ("set.plvr_seq");
    SequenceSet set;
    ByteFields::putBigEndian16 (set.getPattern (4)->getBytes() + 8, 2);   // length 2, recorded 4
    ASSERT_TRUE (DataFile::write (set, setFile));

    auto plain = runCli ({ "smf-export", "set.plvr_seq", "--pattern", "1", "song.mid" }, temp.folder);
    ASSERT_EQ (plain.exitCode, 0) << plain.err;
    EXPECT_TRUE (plain.err.isEmpty());
    EXPECT_EQ (temp.folder.getChildFile ("song.mid").getSize(), 49);

    auto noticed = runCli ({ "smf-export", "set.plvr_seq", "--pattern", "5", "short.mid", "--channels", "10,11", "--json" }, temp.folder);
    ASSERT_EQ (noticed.exitCode, 0) << noticed.err;
    EXPECT_EQ (noticed.json()["notice"].toString(), "SeqExport_NoticeRecordedLength");
    EXPECT_EQ ((int) noticed.json()["smfSize"], 49);
    EXPECT_TRUE (noticed.err.startsWith ("notice:"));

    juce::MemoryBlock smf;
    ASSERT_TRUE (temp.folder.getChildFile ("short.mid").loadFileAsData (smf));
    const auto* bytes = static_cast<const uint8_t*> (smf.getData());
    EXPECT_EQ (bytes[42], 0xCA);                                              // program on channel 11
    EXPECT_EQ (Bytes (bytes + 44, bytes + 49), (Bytes { 0x8C, 0x00, 0xFF, 0x2F, 0x00 }));   // all 4 measures

    auto missing = runCli ({ "--json", "smf-export", "none.plvr_seq", "--pattern", "1", "x.mid" }, temp.folder);
    EXPECT_EQ (missing.exitCode, 1);
    EXPECT_EQ (missing.json()["error"].toString(), "Error_FileTargetFileNotExist");

    auto unwritable = runCli ({ "--json", "smf-export", "set.plvr_seq", "--pattern", "1", "no/such/dir/x.mid" }, temp.folder);
    EXPECT_EQ (unwritable.exitCode, 1);
    EXPECT_EQ (unwritable.json()["error"].toString(), "SeqExport_FailedToOpenFile");
}

TEST (CliSmf, UsageErrors)
{
    TemporaryFolder temp;
    for (const auto& arguments : { juce::StringArray { "smf-import", "a.mid", "s.plvr_seq" },
                                   juce::StringArray { "smf-import", "a.mid", "s.plvr_seq", "--pattern", "17" },
                                   juce::StringArray { "smf-import", "a.mid", "s.plvr_seq", "--pattern", "0" },
                                   juce::StringArray { "smf-import", "a.mid", "--pattern", "1" },
                                   juce::StringArray { "smf-import", "a.mid", "s.plvr_seq", "--pattern", "1", "--channels", "1" },
                                   juce::StringArray { "smf-import", "a.mid", "s.plvr_seq", "--pattern", "1", "--channels", "0,2" },
                                   juce::StringArray { "smf-export", "s.plvr_seq", "--pattern", "1", "x.mid", "--channels", "1,17" },
                                   juce::StringArray { "smf-export", "s.plvr_seq", "x.mid", "--pattern" },
                                   juce::StringArray { "smf-export", "s.plvr_seq", "x.mid", "--pattern", "1", "--loud" } })
    {
        auto result = runCli (arguments, temp.folder);
        EXPECT_EQ (result.exitCode, 2) << arguments.joinIntoString (" ");
        EXPECT_TRUE (result.err.contains ("usage:"));
    }

    EXPECT_TRUE (runCli ({ "smf-import", "--help" }).out.contains ("usage: plovara-cli smf-import"));
    EXPECT_TRUE (runCli ({ "--help" }).out.contains ("smf-export"));
}
