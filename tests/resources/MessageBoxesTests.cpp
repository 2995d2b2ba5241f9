#include "resources/ConsoleMessageBoxes.h"
#include "support/EnglishResource.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <sstream>

using TestSupport::EnglishResource;

namespace
{
using Kind = ScriptedMessageBoxes::Kind;
}

TEST (MessageBoxes, AnErrorBoxShowsTheKeysTextAndDetails)
{
    EnglishResource english;
    ScriptedMessageBoxes boxes;

    boxes.showError ("Error_FileFailedToOpenToSave");
    boxes.showError ("Error_FileUnsupportedFormat");

    const auto& shown = boxes.getShown();
    ASSERT_EQ (shown.size(), 2u);
    EXPECT_EQ (shown[0].kind, Kind::error);
    EXPECT_EQ (shown[0].key, "Error_FileFailedToOpenToSave");
    EXPECT_EQ (shown[0].message, "Failed to access the file");
    EXPECT_EQ (shown[0].detail1, "Please check the file is used in other application, or the file is write-protected.");
    EXPECT_EQ (shown[0].detail2, "");
    EXPECT_EQ (shown[1].message, "Unsupported file format.");
    EXPECT_EQ (shown[1].detail1, "");
}

TEST (MessageBoxes, AnswersComeFromTheScriptInOrder)
{
    ScriptedMessageBoxes boxes;
    boxes.answerConfirmation (true);
    boxes.answerQuestion (MessageBoxes::no);
    boxes.answerQuestion (MessageBoxes::yes);

    EXPECT_TRUE (boxes.confirm ("Initialize Global", "Do you really want to initialize the global data?", true));
    EXPECT_FALSE (boxes.confirm ("again", "unscripted", false));
    EXPECT_EQ (boxes.ask ("Confirm", "Save changes?"), MessageBoxes::no);
    EXPECT_EQ (boxes.ask ("Confirm", "Save changes?"), MessageBoxes::yes);
    EXPECT_EQ (boxes.ask ("Confirm", "unscripted"), MessageBoxes::cancel);

    const auto& shown = boxes.getShown();
    ASSERT_EQ (shown.size(), 5u);
    EXPECT_EQ (shown[0].kind, Kind::confirmation);
    EXPECT_EQ (shown[0].title, "Initialize Global");
    EXPECT_TRUE (shown[0].withCancel);
    EXPECT_FALSE (shown[1].withCancel);
    EXPECT_EQ (shown[2].kind, Kind::question);
    EXPECT_EQ (shown[2].message, "Save changes?");
}

TEST (MessageBoxes, BoxesWaitForTheBusyFlag)
{
    bool free = false;
    std::vector<bool> changes;
    ScriptedMessageBoxes boxes (std::make_unique<TestBusyFlag> (free, changes));
    boxes.answerConfirmation (true);
    boxes.answerQuestion (MessageBoxes::yes);

    // Busy: every box is skipped with the negative answer.
    boxes.showError ("Error_UsbTimeout");
    EXPECT_FALSE (boxes.confirm ("title", "message", true));
    EXPECT_EQ (boxes.ask ("title", "message"), MessageBoxes::cancel);
    EXPECT_TRUE (boxes.getShown().empty());
    EXPECT_TRUE (changes.empty());

    // Free: the box is shown with the flag set while it is up.
    free = true;
    EXPECT_TRUE (boxes.confirm ("title", "message", true));
    EXPECT_EQ (boxes.ask ("title", "message"), MessageBoxes::yes);
    boxes.showError ("Error_UsbTimeout");
    EXPECT_EQ (boxes.getShown().size(), 3u);
    EXPECT_EQ (changes, (std::vector<bool> { true, false, true, false, true, false }));
    EXPECT_TRUE (free);
}

TEST (MessageBoxes, TheProgramShowsThroughTheInstalledBoxes)
{
    ASSERT_EQ (MessageBoxes::getCurrent(), nullptr);
    EXPECT_FALSE (MessageBoxes::confirmationBox ("title", "message", true));
    EXPECT_EQ (MessageBoxes::questionBox ("title", "message"), MessageBoxes::cancel);
    MessageBoxes::errorBox ("Error_UsbTimeout");

    ScriptedMessageBoxes boxes;
    boxes.answerConfirmation (true);
    {
        ScopedMessageBoxes installed (boxes);
        EXPECT_EQ (MessageBoxes::getCurrent(), &boxes);
        EXPECT_TRUE (MessageBoxes::confirmationBox ("title", "message", false));
        MessageBoxes::errorBox ("Error_UsbTimeout");
    }
    EXPECT_EQ (MessageBoxes::getCurrent(), nullptr);
    EXPECT_EQ (boxes.getShown().size(), 2u);
}

TEST (MessageBoxes, TheConsoleWritesBoxesAndAnswersCancel)
{
    EnglishResource english;
    std::ostringstream out;
    ConsoleMessageBoxes boxes (out);

    boxes.showError ("Error_UsbDeviceNotFound");
    EXPECT_EQ (out.str(), "Failed to start communicating with Plovara\n"
                          "  Please make sure the Plovara is connected, and Tavir USB-MIDI driver is installed.\n");

    out.str ({});
    EXPECT_FALSE (boxes.confirm ("Warning", "Are you sure?", true));
    EXPECT_EQ (out.str(), "Warning: Are you sure?\n  (answered: Cancel)\n");

    out.str ({});
    EXPECT_EQ (boxes.ask ("Confirm", "Save changes?"), MessageBoxes::cancel);
    EXPECT_EQ (out.str(), "Confirm: Save changes?\n  (answered: Cancel)\n");

    out.str ({});
    EXPECT_EQ (boxes.askOverwrite (juce::File ("/tmp/Bank_1.plvr_bank")), MessageBoxes::cancelOverwrite);
    EXPECT_EQ (out.str(), "Overwrite: Overwrite Bank_1.plvr_bank?\n  (answered: Cancel)\n");
}
