#include "DialogTestSupport.h"

#include "gui/main/GuiController.h"
#include "gui/main/Host.h"
#include "gui/dialogs/AlertWindowMessageBoxes.h"
#include "gui/dialogs/GuiControllerBusyFlag.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

TEST (AlertWindowMessageBoxes, TheErrorWindowShowsTheFirstDetailInATextBox)
{
    EnglishResource english;
    auto window = AlertWindowMessageBoxes::createErrorWindow (CZQVResource::messageFor ("Error_FileFailedToOpenToSave"));

    EXPECT_EQ (window->getName(), "");
    EXPECT_EQ (buttonTexts (*window), juce::StringArray ("OK"));

    auto* detail = dynamic_cast<juce::TextEditor*> (findNamed (*window, "MessageDetail"));
    ASSERT_NE (detail, nullptr);
    EXPECT_EQ (detail->getText(), "Please check the file is used in other application, or the file is write-protected.");
    EXPECT_TRUE (detail->isReadOnly());
    EXPECT_TRUE (detail->isMultiLine());
    EXPECT_EQ (detail->getWidth(), 475);
    EXPECT_EQ (detail->getHeight(), 50);
    EXPECT_EQ (detail->findColour (juce::TextEditor::backgroundColourId), juce::Colour (0x66ffffff));

    auto plain = AlertWindowMessageBoxes::createErrorWindow (CZQVResource::messageFor ("Error_FileUnsupportedFormat"));
    EXPECT_EQ (findNamed (*plain, "MessageDetail"), nullptr);
}

TEST (AlertWindowMessageBoxes, ConfirmationAndQuestionButtons)
{
    EnglishResource english;
    EXPECT_EQ (buttonTexts (*AlertWindowMessageBoxes::createConfirmationWindow ("t", "m", true)),
               juce::StringArray ("OK", "Cancel"));
    EXPECT_EQ (buttonTexts (*AlertWindowMessageBoxes::createConfirmationWindow ("t", "m", false)),
               juce::StringArray ("OK"));
    EXPECT_EQ (buttonTexts (*AlertWindowMessageBoxes::createQuestionWindow ("t", "m")),
               juce::StringArray ("Yes", "No", "Cancel"));
    EXPECT_EQ (buttonTexts (*AlertWindowMessageBoxes::createOverwriteQuestionWindow ("t", "m")),
               juce::StringArray ("Overwrite", "Save As...", "Cancel"));
}

TEST (AlertWindowMessageBoxes, AQuestionRunsModallyWhileTheGuiIsBusy)
{
    EnglishResource english;
    AlertWindowMessageBoxes boxes (std::make_unique<GuiControllerBusyFlag>());

    // Without a GUI controller nothing may open.
    EXPECT_EQ (boxes.ask ("Confirm", "Save changes?"), MessageBoxes::cancel);

    TestSupport::ScopedUserFolders folders;
    auto* host = Host::getInstance();
    auto* controller = host->getGuiController();
    bool busyWhileShown = false;

    juce::MessageManager::callAsync ([&]
    {
        busyWhileShown = controller->isBusy();
        if (auto* modal = juce::Component::getCurrentlyModalComponent())
            modal->exitModalState (MessageBoxes::no);
    });

    EXPECT_EQ (boxes.ask ("Confirm", "Save changes?"), MessageBoxes::no);
    EXPECT_TRUE (busyWhileShown);
    EXPECT_FALSE (controller->isBusy());

    controller->setBusy (true);
    EXPECT_FALSE (boxes.confirm ("Warning", "Are you sure?", true));
    controller->setBusy (false);

    Host::releaseInstance();
}
