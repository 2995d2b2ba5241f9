#include "gui/dialogs/WriteWarningComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"

namespace
{
constexpr int contentWidth = 455;
constexpr int contentHeight = 110;
constexpr float messageFontHeight = 15.0f;

void setUpMessage (juce::Component& parent, juce::Label& label, const char* key)
{
    label.setText (CZQVResource::text (key), juce::dontSendNotification);
    label.setFont (juce::Font (messageFontHeight));
    parent.addAndMakeVisible (label);
}
}

WriteWarningComponent::WriteWarningComponent (bool writeMessage, bool showBox, PreferencesData* prefs)
    : preferences (prefs), showDontConfirmBox (showBox)
{
    setUpMessage (*this, message1, writeMessage ? "WarnBeforeTransmitting_WriteMessage1"
                                                : "WarnBeforeTransmitting_UpdateMessage1");
    setUpMessage (*this, message2, "WarnBeforeTransmitting_Message2");

    okButton.setButtonText (CZQVResource::text ("Button_Ok"));
    okButton.onClick = [this] { close (1); };
    addAndMakeVisible (okButton);

    cancelButton.setButtonText (CZQVResource::text ("Button_Cancel"));
    cancelButton.onClick = [this] { close (0); };
    addAndMakeVisible (cancelButton);

    dontConfirmBox.setButtonText (CZQVResource::text ("WarnBeforeTransmitting_DontConfirmNext"));
    addChildComponent (dontConfirmBox);
    dontConfirmBox.setVisible (showDontConfirmBox);

    setSize (contentWidth, contentHeight);
}

void WriteWarningComponent::resized()
{
    message1.setBounds (16, 16, 424, 16);
    message2.setBounds (16, 40, 424, 16);
    dontConfirmBox.setBounds (16, 72, 256, 24);
    cancelButton.setBounds (288, 72, 72, 24);
    okButton.setBounds (368, 72, 72, 24);
}

// A ticked box counts only with OK: Cancel leaves the warning on.
void WriteWarningComponent::close (int result)
{
    if (result == 1 && showDontConfirmBox && dontConfirmBox.getToggleState() && preferences != nullptr)
    {
        preferences->setFlag (PreferencesData::warningBeforeWriting, false);
        MessageEngine::broadcast (MessageIds::preferencesChanged);
    }

    getTopLevelComponent()->exitModalState (result);
}
