#pragma once

#include "resources/MessageBoxes.h"

#include <deque>
#include <vector>

// Message boxes for tests: answers are given in advance, in order, and
// every box shown is recorded. A box without a scripted answer gets the
// negative one (Cancel).
class ScriptedMessageBoxes : public MessageBoxes
{
public:
    enum class Kind { error, confirmation, question, overwriteQuestion };

    struct Shown
    {
        Kind kind;
        juce::String key;       // error boxes
        juce::String title;     // confirmations and questions of both kinds
        juce::String message;
        juce::String detail1;
        juce::String detail2;
        bool withCancel = false;
    };

    explicit ScriptedMessageBoxes (std::unique_ptr<BusyFlag> busyFlag = nullptr);

    void answerConfirmation (bool ok) { confirmations.push_back (ok); }
    void answerQuestion (Answer answer) { questions.push_back (answer); }
    void answerOverwrite (OverwriteAnswer answer) { overwriteAnswers.push_back (answer); }

    const std::vector<Shown>& getShown() const noexcept { return shown; }

protected:
    void presentError (const juce::String& messageKey, const MessageText& text) override;
    bool presentConfirmation (const juce::String& title, const juce::String& message, bool withCancel) override;
    Answer presentQuestion (const juce::String& title, const juce::String& message) override;
    OverwriteAnswer presentOverwriteQuestion (const juce::String& title, const juce::String& message) override;

private:
    std::deque<bool> confirmations;
    std::deque<Answer> questions;
    std::deque<OverwriteAnswer> overwriteAnswers;
    std::vector<Shown> shown;
};

// A busy flag that tests set and watch.
class TestBusyFlag : public BusyFlag
{
public:
    explicit TestBusyFlag (bool& free, std::vector<bool>& changes) : freeFlag (free), log (changes) {}

    bool isFree() const override { return freeFlag; }
    void setBusy (bool busy) override { freeFlag = ! busy; log.push_back (busy); }

private:
    bool& freeFlag;
    std::vector<bool>& log;
};
