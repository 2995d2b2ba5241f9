#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_events/juce_events.h>

#include <memory>

// Lets a run of edits from one dragged control group (a page's knobs, the
// waveform markers) become one undo step. Each such component keeps one: an
// edit that follows the component's previous edit by less than 650 ms (13
// ticks of a 50 ms timer) joins the transaction of that edit; any other
// edit begins a new transaction. Message thread only.
class TransactionCoalescer : private juce::Timer
{
public:
    static constexpr int tickMs = 50;
    static constexpr int joinWindowMs = 650;

    // Starts the timer.
    TransactionCoalescer();
    ~TransactionCoalescer() override;

    // Performs the action in the history, in the current transaction when
    // the edit joins it and otherwise in a new transaction of the name. An
    // edit joins only a transaction of its own name, so that an edit made
    // elsewhere in between is never undone together with it. False (and the
    // action deleted, nothing recorded) when the action could not be
    // performed; the window starts again either way.
    bool perform (juce::UndoManager& history, const juce::String& transactionName,
                  std::unique_ptr<juce::UndoableAction> action);

    // What the timer does on each tick: the time left to join drops by the
    // time passed, down to 0.
    void elapse (int milliseconds);

    bool isWithinJoinWindow() const { return countdown > 0; }

private:
    void timerCallback() override { elapse (tickMs); }

    int countdown = 0;
};
