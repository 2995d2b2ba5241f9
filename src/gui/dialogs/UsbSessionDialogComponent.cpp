#include "gui/dialogs/UsbSessionDialogComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/UsbSessionManager.h"
#include "gui/widgets/FontManager.h"
#include "resources/CZQVResource.h"

namespace
{
constexpr int messageY = 16;
constexpr int messageLineHeight = 16;
constexpr int detailY = 48;
constexpr int detailBoxHeight = 50;
constexpr int barAloneY = 24;
constexpr int barBelowMessageY = 48;
constexpr int barBelowDetailY = 114;
constexpr int rowHeight = 24;
constexpr int buttonWidth = 88;
constexpr int buttonOffset = 40;

class OwnMessage : public juce::Message
{
public:
    explicit OwnMessage (int messageId) : id (messageId) {}
    const int id;
};
}

UsbSessionDialogComponent::UsbSessionDialogComponent (UsbSessionManager& sessionManager)
    : manager (sessionManager)
{
    addAndMakeVisible (progressBar);

    button.setName ("Button");
    button.setButtonText (CZQVResource::text ("Button_Cancel"));
    button.onClick = [this] { buttonClicked(); };
    addAndMakeVisible (button);

    setSize (width, barHeight);
    manager.addListener (this);
}

UsbSessionDialogComponent::~UsbSessionDialogComponent()
{
    manager.removeListener (this);
}

void UsbSessionDialogComponent::resized()
{
    const int innerWidth = juce::roundToInt (getWidth() * 0.9);
    const int innerX = (getWidth() - innerWidth) / 2;
    int barY = barAloneY;

    if (messageLine != nullptr)
    {
        messageLine->setBounds (0, messageY, getWidth(), messageLineHeight);
        barY = barBelowMessageY;
    }

    if (detailBox != nullptr)
    {
        detailBox->setBounds (innerX, detailY, innerWidth, detailBoxHeight);
        barY = barBelowDetailY;
    }

    progressBar.setBounds (innerX, barY, innerWidth, rowHeight);
    button.setBounds ((getWidth() - buttonWidth) / 2, barY + buttonOffset, buttonWidth, rowHeight);
}

//==============================================================================
void UsbSessionDialogComponent::sessionProgress (UsbSession*, double fraction)
{
    progress = fraction;
    postMessage (new OwnMessage (refreshMessage));
}

void UsbSessionDialogComponent::sessionStatus (UsbSession*, const juce::String& text)
{
    status = text;
    postMessage (new OwnMessage (refreshMessage));
}

void UsbSessionDialogComponent::sessionFinished (UsbSession* session, bool success)
{
    errorKey = session != nullptr ? session->getErrorKey() : juce::String();
    succeeded = success;
    finished = true;
    postMessage (new OwnMessage (refreshMessage));
}

void UsbSessionDialogComponent::handleMessage (const juce::Message& message)
{
    auto* own = dynamic_cast<const OwnMessage*> (&message);

    if (own != nullptr && own->id == refreshMessage)
        refresh();
    else if (own != nullptr && own->id == cancelMessage)
        cancel();
}

//==============================================================================
void UsbSessionDialogComponent::refresh()
{
    if (closing)
        return;

    progressBar.setValue (progress, juce::dontSendNotification);

    if (finished)
    {
        button.setButtonText (CZQVResource::text ("Button_Ok"));

        if (succeeded)
        {
            close();
            return;
        }
    }

    if (finished && errorKey.isNotEmpty())
    {
        const auto text = CZQVResource::messageFor (errorKey);
        show (text.message, text.detail1);
    }
    else if (! finished && status.isNotEmpty())
        show (status, {});
    else
        show ({}, {});
}

void UsbSessionDialogComponent::buttonClicked()
{
    if (finished)
    {
        close();
        return;
    }

    show (CZQVResource::text ("Communication_WaitCanceling"), {});
    postMessage (new OwnMessage (cancelMessage));
}

// Waits for the session to end; the screen shows "Canceling..." meanwhile.
void UsbSessionDialogComponent::cancel()
{
    if (auto* peer = getPeer())
        peer->performAnyPendingRepaintsNow();

    manager.cancelSession();
    finished = true;
    button.setButtonText (CZQVResource::text ("Button_Ok"));
}

void UsbSessionDialogComponent::close()
{
    if (std::exchange (closing, true))
        return;

    MessageEngine::broadcast (MessageIds::sessionDialogFinished);
}

void UsbSessionDialogComponent::show (const juce::String& message, const juce::String& detail)
{
    if (message.isEmpty())
        messageLine.reset();
    else
    {
        if (messageLine == nullptr)
        {
            messageLine = std::make_unique<juce::Label> ("Message");
            messageLine->setFont (FontManager::fontFor ("UsbSessionMessage"));
            messageLine->setJustificationType (juce::Justification::centred);
            addAndMakeVisible (*messageLine);
        }
        messageLine->setText (message, juce::dontSendNotification);
    }

    if (message.isEmpty() || detail.isEmpty())
        detailBox.reset();
    else
    {
        if (detailBox == nullptr)
        {
            detailBox = std::make_unique<DetailTextEditor> ("Detail", FontManager::fontFor ("UsbSessionDetailMessage"),
                                                            juce::Colours::transparentBlack);
            detailBox->setColour (juce::TextEditor::highlightColourId, juce::Colours::transparentBlack);
            addAndMakeVisible (*detailBox);
        }
        detailBox->setText (detail, false);
    }

    const int height = detailBox != nullptr ? detailHeight : messageLine != nullptr ? messageHeight : barHeight;

    if (height != getHeight())
        setSize (width, height);
    else
        resized();
}
