#include "support/ScriptedMessageBoxes.h"

namespace
{
template <typename Answer>
Answer takeFirst (std::deque<Answer>& answers, Answer otherwise)
{
    if (answers.empty())
        return otherwise;

    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}
}

ScriptedMessageBoxes::ScriptedMessageBoxes (std::unique_ptr<BusyFlag> busyFlag)
    : MessageBoxes (std::move (busyFlag))
{
}

void ScriptedMessageBoxes::presentError (const juce::String& messageKey, const MessageText& text)
{
    shown.push_back ({ Kind::error, messageKey, {}, text.message, text.detail1, text.detail2 });
}

bool ScriptedMessageBoxes::presentConfirmation (const juce::String& title, const juce::String& message, bool withCancel)
{
    shown.push_back ({ Kind::confirmation, {}, title, message, {}, {}, withCancel });
    return takeFirst (confirmations, false);
}

MessageBoxes::Answer ScriptedMessageBoxes::presentQuestion (const juce::String& title, const juce::String& message)
{
    shown.push_back ({ Kind::question, {}, title, message, {}, {}, true });
    return takeFirst (questions, cancel);
}

MessageBoxes::OverwriteAnswer ScriptedMessageBoxes::presentOverwriteQuestion (const juce::String& title, const juce::String& message)
{
    shown.push_back ({ Kind::overwriteQuestion, {}, title, message, {}, {}, true });
    return takeFirst (overwriteAnswers, cancelOverwrite);
}
