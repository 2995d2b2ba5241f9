#include "gui/widgets/CustomComboBox.h"

CustomComboBox::CustomComboBox (const juce::String& name)
    : juce::ComboBox (name)
{
}

void CustomComboBox::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (! isEnabled())
    {
        juce::Component::mouseWheelMove (e, wheel);
        return;
    }

    const int index = getSelectedItemIndex();

    // Turning the wheel down moves down the list.
    if (wheel.deltaY < 0.0f && index < getNumItems() - 1)
        setSelectedItemIndex (index + 1, juce::sendNotificationAsync);
    else if (wheel.deltaY > 0.0f && index > 0)
        setSelectedItemIndex (index - 1, juce::sendNotificationAsync);
}
