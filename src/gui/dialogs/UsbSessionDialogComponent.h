#pragma once

#include "device/UsbSession.h"
#include "gui/widgets/DetailTextEditor.h"
#include "gui/widgets/ProgressBarComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class UsbSessionManager;

// What the session window shows of the running session, 480 wide: the
// message line (the status, "Canceling..." or the failure), the failure's
// first detail line, the progress bar and one button, Cancel until the
// session has finished and OK after that. It grows with what it shows: 100
// high with the bar alone, 124 with the message line, 190 with the detail.
// A session that succeeds closes the window at once; OK closes it after a
// failure. Closing is message 11 through the MessageEngine, on which the
// window's owner deletes the window.
class UsbSessionDialogComponent : public juce::Component,
                                  public juce::MessageListener,
                                  public UsbSessionListener
{
public:
    enum Height { barHeight = 100, messageHeight = 124, detailHeight = 190 };
    static constexpr int width = 480;

    // The messages it posts to itself.
    enum MessageId { cancelMessage = 13, refreshMessage = 14 };

    // Listens to the manager's sessions until it goes.
    explicit UsbSessionDialogComponent (UsbSessionManager& manager);
    ~UsbSessionDialogComponent() override;

    void resized() override;
    void handleMessage (const juce::Message& message) override;

    // Called by the manager on the message thread.
    void sessionStarted (UsbSession*) override {}
    void sessionProgress (UsbSession* session, double fraction) override;
    void sessionStatus (UsbSession* session, const juce::String& text) override;
    void sessionFinished (UsbSession* session, bool success) override;

private:
    void buttonClicked();
    void refresh();
    void cancel();
    void close();

    // An empty message removes the message line and the detail; an empty
    // detail removes the detail alone.
    void show (const juce::String& message, const juce::String& detail);

    UsbSessionManager& manager;
    std::unique_ptr<juce::Label> messageLine;
    std::unique_ptr<DetailTextEditor> detailBox;
    ProgressBarComponent progressBar;
    juce::TextButton button;

    double progress = 0.0;
    juce::String status;
    juce::String errorKey;
    bool finished = false;
    bool succeeded = false;
    bool closing = false;
};
