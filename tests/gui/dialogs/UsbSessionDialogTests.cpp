#include "DialogTestSupport.h"
#include "gui/widgets/WidgetTestSupport.h"
#include "support/CommandTestBench.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/SingletonReference.h"
#include "device/BankReceive.h"
#include "device/DeviceConnection.h"
#include "device/DeviceInquiry.h"
#include "gui/dialogs/UsbSessionDialog.h"
#include "gui/dialogs/UsbSessionDialogComponent.h"
#include "gui/main/GuiController.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

namespace
{
// A session that is never run: it only carries an error key.
struct EndedSession : UsbSession
{
    explicit EndedSession (const juce::String& key) { setErrorKey (key); }
    bool execute() override { return false; }
};

struct SessionDialogTest : ::testing::Test
{
    EnglishResource english;
    TestSupport::ScopedBufferIds bufferIds;
    SingletonReference<MessageEngine> engine;
    std::shared_ptr<VirtualPlovara> plovara = std::make_shared<VirtualPlovara>();
    DeviceConnection device { { UsbSessionManager::virtualPort, {}, plovara } };
    UsbSessionManager& manager = device.getManager();

    void slowDown (int replyDelayMs)
    {
        auto faults = plovara->getFaults();
        faults.replyDelayMs = replyDelayMs;
        plovara->setFaults (faults);
    }

    static juce::String messageOf (juce::Component& content)
    {
        auto* line = dynamic_cast<juce::Label*> (findNamed (content, "Message"));
        return line != nullptr ? line->getText() : juce::String ("(none)");
    }

    static juce::TextEditor* detailOf (juce::Component& content)
    {
        return dynamic_cast<juce::TextEditor*> (findNamed (content, "Detail"));
    }

    static juce::Slider& barOf (juce::Component& content)
    {
        return *dynamic_cast<juce::Slider*> (findNamed (content, "ProgressBar"));
    }

    static juce::Button& buttonOf (juce::Component& content)
    {
        return *dynamic_cast<juce::Button*> (findNamed (content, "Button"));
    }
};

int timesHeard (const CommandTestSupport::BroadcastRecorder& recorder, int id)
{
    return (int) std::count_if (recorder.heard.begin(), recorder.heard.end(), [id] (auto& h) { return h.first == id; });
}
}

TEST_F (SessionDialogTest, GrowsWithWhatItShows)
{
    using Rect = juce::Rectangle<int>;
    const struct
    {
        const char* status;
        const char* failureKey;     // null: the session has not finished
        int height;
        const char* message;        // "(none)": no message line
        const char* detail;         // null: no detail box
        int barY;
        const char* buttonText;
    } rows[] = {
        { "", nullptr, 100, "(none)", nullptr, 24, "Cancel" },
        { "Receiving sample C3...", nullptr, 124, "Receiving sample C3...", nullptr, 48, "Cancel" },
        { "Receiving sample C3...", "Error_UsbDeviceNotFound", 190, "Failed to start communicating with Plovara",
          "Please make sure the Plovara is connected, and Tavir USB-MIDI driver is installed.", 114, "OK" },
        { "", "Error_UsbPortInvalid", 124, "Plovara connected port is invalid.", nullptr, 48, "OK" },
        { "Receiving sample C3...", "", 100, "(none)", nullptr, 24, "OK" },
    };

    for (const auto& row : rows)
    {
        UsbSessionDialogComponent content (manager);
        EndedSession session (row.failureKey != nullptr ? row.failureKey : "");
        content.sessionProgress (&session, 0.37);
        content.sessionStatus (&session, row.status);
        if (row.failureKey != nullptr)
            content.sessionFinished (&session, false);
        deliverPosted();

        SCOPED_TRACE (juce::String (row.status) + " / " + (row.failureKey != nullptr ? row.failureKey : "running"));
        EXPECT_EQ (content.getWidth(), 480);
        EXPECT_EQ (content.getHeight(), row.height);
        EXPECT_EQ (messageOf (content), row.message);
        EXPECT_EQ (barOf (content).getBounds(), Rect (24, row.barY, 432, 24));
        EXPECT_EQ (barOf (content).getTextFromValue (barOf (content).getValue()), "37%");
        EXPECT_EQ (buttonOf (content).getBounds(), Rect (196, row.barY + 40, 88, 24));
        EXPECT_EQ (buttonOf (content).getButtonText(), row.buttonText);

        if (auto* line = findNamed (content, "Message"))
        {
            EXPECT_EQ (line->getBounds(), Rect (0, 16, 480, 16));
        }

        auto* detail = detailOf (content);
        ASSERT_EQ (detail != nullptr, row.detail != nullptr);

        if (detail != nullptr)
        {
            EXPECT_EQ (detail->getText(), row.detail);
            EXPECT_EQ (detail->getBounds(), Rect (24, 48, 432, 50));
            EXPECT_TRUE (detail->isReadOnly() && detail->isMultiLine() && ! detail->isCaretVisible()
                         && ! detail->isPopupMenuEnabled() && detail->areScrollbarsShown());

            // Background, outline and shadow are see-through.
            const auto image = WidgetTestSupport::render (content);
            EXPECT_EQ (image.getPixelAt (detail->getX() + 1, detail->getBottom() - 2).getAlpha(), 0);
            EXPECT_EQ (image.getPixelAt (detail->getX(), detail->getY()).getAlpha(), 0);
        }
    }
}

TEST_F (SessionDialogTest, CancelShowsCancelingAndThenOffersOk)
{
    CommandTestSupport::BroadcastRecorder heard;
    UsbSessionDialogComponent content (manager);

    click (buttonOf (content));
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return buttonOf (content).getButtonText() == "OK"; }));
    EXPECT_EQ (messageOf (content), "Canceling...");
    EXPECT_EQ (content.getHeight(), 124);
    EXPECT_EQ (timesHeard (heard, MessageIds::sessionDialogFinished), 0);

    click (buttonOf (content));
    click (buttonOf (content));
    deliverPosted();
    EXPECT_EQ (timesHeard (heard, MessageIds::sessionDialogFinished), 1) << "OK closes the window once";
}

TEST_F (SessionDialogTest, ASessionOnTheEmulatedDeviceShowsItsProgressAndStopsAtCancel)
{
    GuiController gui (&manager);
    slowDown (10);

    ASSERT_TRUE (gui.openSessionDialog ("Receive Bank", CommandGui::fromMainWindow));
    auto* dialog = gui.getSessionDialog();
    ASSERT_NE (dialog, nullptr);
    EXPECT_TRUE (gui.isBusy());
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), dialog) << "modal, and the call came back";
    EXPECT_EQ (dialog->getName(), "Receive Bank");
    EXPECT_FALSE (gui.openSessionDialog ("Receive Bank", CommandGui::fromMainWindow)) << "one window at a time";

    auto& content = dialog->getContent();
    const int plainWindowHeight = dialog->getHeight();
    ASSERT_TRUE (manager.startSession (std::make_unique<BankReceive> (0)));

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return barOf (content).getValue() > 0.0
                                                          && messageOf (content).startsWith ("Receiving sample"); },
                                             20000));
    EXPECT_TRUE (barOf (content).getTextFromValue (barOf (content).getValue()).endsWith ("%"));
    EXPECT_EQ (dialog->getHeight(), plainWindowHeight + 24) << "the window follows the message line";

    // A stopped bank transfer counts as success: the window goes by itself.
    click (buttonOf (content));
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return gui.getSessionDialog() == nullptr; }, 20000));
    EXPECT_FALSE (gui.isBusy());
    EXPECT_LT (manager.getCurrentSession()->getProgress(), 1.0) << "the bank was not received to its end";
    EXPECT_FALSE (plovara->isInDumpMode());
}

TEST_F (SessionDialogTest, AFailedSessionStaysUntilOk)
{
    GuiController gui (&manager);
    auto faults = plovara->getFaults();
    faults.foreignFamily = true;
    plovara->setFaults (faults);

    ASSERT_TRUE (gui.openSessionDialog ("Identify", CommandGui::fromMainWindow));
    auto& content = gui.getSessionDialog()->getContent();
    ASSERT_TRUE (manager.startSession (std::make_unique<DeviceInquiry>()));

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return buttonOf (content).getButtonText() == "OK"; }));
    EXPECT_EQ (messageOf (content), "The connected device is not Plovara.");
    EXPECT_TRUE (gui.isBusy());

    click (buttonOf (content));
    deliverPosted();
    EXPECT_EQ (gui.getSessionDialog(), nullptr);
    EXPECT_FALSE (gui.isBusy());
}
