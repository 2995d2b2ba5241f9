#include "TestSupport.h"

#include "gui/dialogs/JuceFileChoosers.h"
#include "gui/dialogs/ThreadRunningDialog.h"
#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace
{
struct English
{
    English()
    {
        ResourceLanguage::choose (ResourceLanguage::english);
        CZQVResource::getInstance();
    }

    ~English()
    {
        CZQVResource::releaseInstance();
        ResourceLanguage::choose ({});
    }
};

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

juce::StringArray buttonTexts (juce::AlertWindow& window)
{
    juce::StringArray texts;
    for (auto* child : window.getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*> (child))
            texts.add (button->getButtonText());
    return texts;
}
}

TEST (FileDialogs, TheOverwriteQuestionOffersOverwriteAndCancel)
{
    English english;
    auto window = JuceFileChoosers::createOverwriteWindow ("Overwrite", "Overwrite a.plvr_bank?");
    EXPECT_EQ (buttonTexts (*window), juce::StringArray ({ "Overwrite", "Cancel" }));
}

TEST (FileDialogs, TheProgressDialogShowsAFailedActionsStatusAndOffersOk)
{
    English english;
    QuickAction action ("ThreadRunningSampleImporter_FailedToImport", true);
    ThreadRunningDialog::Content content (action);

    EXPECT_EQ (content.getButton().getButtonText(), "Cancel");
    EXPECT_FALSE (content.getButton().isEnabled()) << "the action cannot be cancelled";

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return content.getButton().getButtonText() == "OK"; }));
    EXPECT_TRUE (content.getButton().isEnabled());
    EXPECT_EQ (content.getStatusLabel().getText(), CZQVResource::text ("ThreadRunningSampleImporter_FailedToImport"));
    EXPECT_FALSE (content.succeeded());
}

TEST (FileDialogs, TheProgressDialogRunsAnActionToItsEnd)
{
    English english;
    QuickAction action ("ThreadRunningSampleImporter_Finished", false);
    ThreadRunningDialog dialog (nullptr);

    EXPECT_TRUE (dialog.run ("Command_Name_Sample_Import", action));
    EXPECT_TRUE (action.isFinished());
}
