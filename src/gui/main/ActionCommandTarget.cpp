#include "gui/main/ActionCommandTarget.h"

#include "commands/ActionManager.h"

namespace
{
int keyCodeFor (int key)
{
    switch (key)
    {
        case CommandDescription::deleteKey: return juce::KeyPress::deleteKey;
        case CommandDescription::f5Key:     return juce::KeyPress::F5Key;
        default:                            return key;
    }
}

juce::ModifierKeys modifiersFor (int modifiers)
{
    switch (modifiers)
    {
        case CommandDescription::ctrl:      return juce::ModifierKeys::ctrlModifier;
        case CommandDescription::ctrlShift: return juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier;
        default:                            return {};
    }
}
}

ActionCommandTarget::ActionCommandTarget (ActionManager& actionManager)
    : actions (actionManager)
{
}

void ActionCommandTarget::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.addArray (ActionManager::getAllCommands());
}

void ActionCommandTarget::getCommandInfo (juce::CommandID commandId, juce::ApplicationCommandInfo& info)
{
    CommandDescription description;
    if (! actions.describe (commandId, description))
        return;

    info.setInfo (description.name, description.name, description.category, 0);
    info.setActive (description.enabled);

    if (description.key != CommandDescription::noKey)
        info.addDefaultKeypress (keyCodeFor (description.key), modifiersFor (description.modifiers));
}

bool ActionCommandTarget::perform (const InvocationInfo& info)
{
    return actions.perform (info.commandID);
}
