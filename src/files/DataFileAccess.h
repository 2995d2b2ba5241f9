#pragma once

#include <juce_core/juce_core.h>

class AllData;
class BankData;
class Data;

// The checks and the reading and writing that every file command shares.
// Each gives the message key of its failure, or an empty string.
namespace DataFileAccess
{
    // "Error_FileTargetFileNotExist" when the file does not exist.
    juce::String checkExists (const juce::File& file);

    // Before writing over an existing file: "Error_FileFailedToOpenToSave"
    // when the path is a folder or the file cannot be opened for writing,
    // "Error_FileTargetIsNotFile" when it is a device, a pipe or a socket.
    juce::String checkWritable (const juce::File& file);

    // Reads the file's root chunk into target, which should be a fresh
    // object: a read that fails part-way leaves it partly read.
    // "Error_FileFailedToOpen" when the file cannot be opened; a read
    // failure gives the key of its Exception.
    juce::String read (Data& target, const juce::File& file);

    // The writable check, then the root chunk as the whole file; the old
    // file stays when writing fails (the keys of FileReplacement::write, or
    // the key of an Exception).
    juce::String write (Data& root, const juce::File& file);

    // Files are loaded into the edit bank only while its memory is not
    // already over budget: "Error_NoFreeMemoryToLoadSample" and
    // "Error_NoFreeMemoryToLoadPattern".
    juce::String checkSampleMemoryToLoad (const BankData& bank);
    juce::String checkPatternMemoryToLoad (const BankData& bank);

    // Reads a bank memory backup into a fresh bank memory and exchanges it
    // with the given one only when the whole file was read; otherwise the
    // given bank memory stays as it was.
    juce::String readBankMemory (AllData& bankMemory, const juce::File& file);
}
