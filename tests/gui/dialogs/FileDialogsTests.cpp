#include "DialogTestSupport.h"

#include "gui/dialogs/JuceFileChoosers.h"
#include "gui/dialogs/ThreadRunningDialog.h"
#include "gui/dialogs/ThreadRunningDialogComponent.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

namespace
{
// Finishes at once with the given status, failed or not.
struct QuickAction : ThreadRunningAction
{
    QuickAction (const juce::String& key, bool fail) : ThreadRunningAction ("Quick"), statusKey (key), failing (fail) {}
    ~QuickAction() override { stopThread (-1); }

    void run() override
    {
        setStatusText (statusKey);
        setProgress (1.0);
        if (failing)
            setFailed();
        setFinished();
    }

    void cancel() override {}
    bool isCancellable() const override { return false; }

    juce::String statusKey;
    bool failing;
};

// Stands at half-way until it is cancelled, then ends as a cancelled
// import does.
struct HalfWayAction : ThreadRunningAction
{
    HalfWayAction() : ThreadRunningAction ("HalfWay") {}
    ~HalfWayAction() override { stopThread (-1); }

    void run() override
    {
        setProgress (0.5);
        cancelled.wait (-1);
        setStatusText ("ThreadRunningSampleImporter_Canceled");
        setFinished();
    }

    void cancel() override { cancelled.signal(); }
    bool isCancellable() const override { return true; }

    juce::WaitableEvent cancelled;
};

juce::TextButton& buttonOf (juce::Component& content)
{
    return *dynamic_cast<juce::TextButton*> (findChild (content, [] (juce::Component& c)
    {
        return dynamic_cast<juce::TextButton*> (&c) != nullptr;
    }));
}

juce::Slider& barOf (juce::Component& content)
{
    return *dynamic_cast<juce::Slider*> (findNamed (content, "ProgressBar"));
}
}

TEST (FileDialogs, TheOverwriteQuestionOffersOverwriteAndCancel)
{
    EnglishResource english;
    auto window = JuceFileChoosers::createOverwriteWindow ("Overwrite", "Overwrite a.plvr_bank?");
    EXPECT_EQ (buttonTexts (*window), juce::StringArray ({ "Overwrite", "Cancel" }));
}

TEST (FileDialogs, TheProgressDialogsPartsStandWhereTheyShould)
{
    EnglishResource english;
    HalfWayAction action;
    ThreadRunningDialogComponent content (action);

    EXPECT_EQ (content.getBounds(), juce::Rectangle<int> (0, 0, 400, 160));
    auto* status = findLabel (content, "Processing...");
    ASSERT_NE (status, nullptr);
    EXPECT_EQ (status->getJustificationType(), juce::Justification::centred);
    EXPECT_EQ (status->getFont().getHeight(), 15.0f);

    const struct { juce::Component* child; juce::Rectangle<int> bounds; } rows[] = {
        { status, { 0, 8, 400, 56 } },
        { &barOf (content), { 20, 72, 360, 24 } },
        { &buttonOf (content), { 156, 120, 88, 24 } },
    };

    for (const auto& row : rows)
        EXPECT_EQ (row.child->getBounds(), row.bounds) << row.child->getName();
}

TEST (FileDialogs, TheProgressDialogShowsAFailedActionsStatusAndOffersOk)
{
    EnglishResource english;
    QuickAction action ("ThreadRunningSampleImporter_FailedToImport", true);
    ThreadRunningDialogComponent content (action);
    auto& button = buttonOf (content);

    EXPECT_EQ (button.getButtonText(), "Cancel");
    EXPECT_FALSE (button.isEnabled()) << "the action cannot be cancelled";

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return button.getButtonText() == "OK"; }));
    EXPECT_TRUE (button.isEnabled());
    EXPECT_NE (findLabel (content, CZQVResource::text ("ThreadRunningSampleImporter_FailedToImport")), nullptr);
    EXPECT_EQ (barOf (content).getTextFromValue (barOf (content).getValue()), "100%");
    EXPECT_FALSE (content.succeeded());
}

TEST (FileDialogs, TheProgressDialogShowsTheProgressAndCancelsTheAction)
{
    EnglishResource english;
    HalfWayAction action;
    ThreadRunningDialogComponent content (action);
    auto& button = buttonOf (content);

    auto& bar = barOf (content);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return bar.getTextFromValue (bar.getValue()) == "50%"; }));
    EXPECT_TRUE (button.isEnabled());

    click (button);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return button.getButtonText() == "OK"; }));
    EXPECT_NE (findLabel (content, "Canceled."), nullptr);
    EXPECT_FALSE (content.succeeded()) << "a cancelled action does not count as done";
}

TEST (FileDialogs, TheProgressDialogRunsAnActionToItsEnd)
{
    EnglishResource english;
    QuickAction action ("ThreadRunningSampleImporter_Finished", false);
    ThreadRunningDialog dialog (nullptr);

    EXPECT_TRUE (dialog.run ("Command_Name_Sample_Import", action));
    EXPECT_TRUE (action.isFinished());
}
