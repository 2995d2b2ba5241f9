#pragma once

#include "files/FileChoosers.h"

#include <deque>
#include <vector>

// File choosers for tests: the files "chosen" are given in advance, in
// order (an empty file cancels), and every chooser and question shown is
// recorded. A chooser without a scripted file is cancelled; an overwrite
// question without a scripted answer gets Cancel.
class ScriptedFileChoosers : public FileChoosers
{
public:
    struct Shown
    {
        bool forSaving;
        juce::String title;
        juce::File folder;
        juce::String wildcard;
    };

    struct Question
    {
        juce::String title;
        juce::String message;
    };

    explicit ScriptedFileChoosers (std::unique_ptr<BusyFlag> busyFlag = nullptr) : FileChoosers (std::move (busyFlag)) {}

    void choose (const juce::File& file) { files.push_back (file); }
    void answerOverwrite (bool overwrite) { overwriteAnswers.push_back (overwrite); }

    const std::vector<Shown>& getShown() const noexcept { return shown; }
    const std::vector<Question>& getQuestions() const noexcept { return questions; }

protected:
    juce::File presentOpenChooser (const juce::String& title, const juce::File& folder, const juce::String& wildcard) override;
    juce::File presentSaveChooser (const juce::String& title, const juce::File& folder, const juce::String& wildcard) override;
    juce::File presentFolderChooser (const juce::String& title, const juce::File& folder) override;
    bool presentOverwriteQuestion (const juce::String& title, const juce::String& message) override;

private:
    juce::File present (bool forSaving, const juce::String& title, const juce::File& folder, const juce::String& wildcard);

    std::deque<juce::File> files;
    std::deque<bool> overwriteAnswers;
    std::vector<Shown> shown;
    std::vector<Question> questions;
};
