#pragma once

#include "gui/preferences/PreferencesBaseComponent.h"
#include "gui/widgets/CustomComboBox.h"
#include "gui/widgets/PlainLabel.h"

#include <functional>

class PreferencesData;

// The program's own settings: the knob mode and the warning before bank
// data is transmitted. Each choice is stored in the preferences at once
// (message 4); message 4 shows the stored values again.
class CommonPreferencesComponent : public PreferencesBaseComponent
{
public:
    CommonPreferencesComponent();

    // The stored values, without telling the controls' listeners; nothing
    // without preferences.
    void refresh();

protected:
    void handleBroadcast (int messageId) override;

private:
    void store (const std::function<void (PreferencesData&)>& change);

    PlainLabel knobModeLabel;
    CustomComboBox knobModeBox { "KnobMode" };
    juce::ToggleButton warningToggle;
};
