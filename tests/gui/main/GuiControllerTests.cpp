#include "gui/dialogs/DialogTestSupport.h"

#include "gui/main/GuiController.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

namespace
{
// The controller's own busy flag, for the message boxes.
struct ControllerBusyFlag : BusyFlag
{
    explicit ControllerBusyFlag (GuiController& c) : controller (c) {}
    bool isFree() const override { return ! controller.isBusy(); }
    void setBusy (bool busy) override { controller.setBusy (busy); }
    GuiController& controller;
};
}

TEST (GuiController, TheOverwriteQuestionGoesThroughTheMessageBoxes)
{
    const DialogTestSupport::EnglishResource english;
    GuiController gui (nullptr);
    ScriptedMessageBoxes boxes (std::make_unique<ControllerBusyFlag> (gui));
    const ScopedMessageBoxes installed (boxes);
    boxes.answerOverwrite (MessageBoxes::overwrite);
    boxes.answerOverwrite (MessageBoxes::saveAsOther);
    boxes.answerOverwrite (MessageBoxes::overwrite);
    const juce::File file ("/tmp/Bank_1.plvr_bank");

    EXPECT_EQ (gui.askOverwrite (file), CommandGui::overwrite);
    EXPECT_EQ (gui.askOverwrite (file), CommandGui::saveAsOther);

    gui.setBusy (true);
    EXPECT_EQ (gui.askOverwrite (file), CommandGui::cancelOverwrite) << "not asked while busy";
    gui.setBusy (false);

    EXPECT_EQ (gui.askOverwrite (file), CommandGui::overwrite);
    EXPECT_EQ (gui.askOverwrite (file), CommandGui::cancelOverwrite) << "unscripted";

    ASSERT_EQ (boxes.getShown().size(), 4u);
    EXPECT_EQ (boxes.getShown()[0].kind, ScriptedMessageBoxes::Kind::overwriteQuestion);
    EXPECT_EQ (boxes.getShown()[0].title, "Overwrite");
    EXPECT_EQ (boxes.getShown()[0].message, "Overwrite Bank_1.plvr_bank?");
    EXPECT_FALSE (gui.isBusy());
}
