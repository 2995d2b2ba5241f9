#include "audio/io/ActionRunner.h"

bool BlockingActionRunner::run (const juce::String&, ThreadRunningAction& action)
{
    if (! action.startThread())
        return false;

    action.waitForThreadToExit (-1);
    return action.isFinished() && ! action.hasFailed();
}
