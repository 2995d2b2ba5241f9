#include "app/SingletonReference.h"
#include "audio/io/SampleFileFilter.h"
#include "files/FileFormatManager.h"

#include <gtest/gtest.h>

TEST (SampleFileFilter, ListsTheFilesOfTheProgramAndEveryFolderButHidesBackupsAndGlobalData)
{
    const SingletonReference<FileFormatManager> formats;
    const SampleFileFilter filter;
    EXPECT_EQ (filter.getDescription(), "SampleFileFilter");

    const struct { const char* name; bool listed; } files[] = {
        { "Kit.plvr_bank", true }, { "Kick.plvr_sample", true }, { "Set.plvr_seq", true }, { "Song.mid", true },
        { "loop.wav", true }, { "LOUD.WAV", true }, { "pad.aif", true }, { "Pad.AIFF", true },
        { "All.plvr_all", false }, { "Global.plvr_glob", false }, { "notes.txt", false }, { "take.mp3", false },
        { "noextension", false },
    };
    for (auto& f : files)
        EXPECT_EQ (filter.isFileSuitable (juce::File ("/music").getChildFile (f.name)), f.listed) << f.name;

    EXPECT_TRUE (filter.isDirectorySuitable (juce::File ("/music/Drums.plvr_glob")));
}

TEST (SampleFileFilter, ListsNoFileWithoutTheFileFormatManager)
{
    const SampleFileFilter filter;
    EXPECT_FALSE (filter.isFileSuitable (juce::File ("/music/Kit.plvr_bank")));
    EXPECT_TRUE (filter.isDirectorySuitable (juce::File ("/music")));
}
