#include "history/TransactionCoalescer.h"

TransactionCoalescer::TransactionCoalescer()
{
    startTimer (tickMs);
}

TransactionCoalescer::~TransactionCoalescer()
{
    stopTimer();
}

bool TransactionCoalescer::perform (juce::UndoManager& history, const juce::String& transactionName,
                                    std::unique_ptr<juce::UndoableAction> action)
{
    const bool joins = countdown > 0 && history.canUndo() && history.getCurrentTransactionName() == transactionName;

    if (! joins)
        history.beginNewTransaction (transactionName);

    countdown = joinWindowMs;

    // The name goes with the action too: after an undo the history opens a
    // transaction of its own, which then carries the edit's name.
    return history.perform (action.release(), transactionName);
}

void TransactionCoalescer::elapse (int milliseconds)
{
    countdown = juce::jmax (0, countdown - milliseconds);
}
