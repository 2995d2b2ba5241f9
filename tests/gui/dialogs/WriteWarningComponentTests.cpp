#include "DialogTestSupport.h"
#include "support/CommandTestBench.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/SingletonReference.h"
#include "gui/dialogs/WriteWarningComponent.h"
#include "gui/main/GuiController.h"
#include "prefs/PreferencesData.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

namespace
{
constexpr const char* dontConfirmText = "Do not confirm from next time";

struct WriteWarningTest : ::testing::Test
{
    TestSupport::ScopedUserFolders folders;
    EnglishResource english;
    SingletonReference<MessageEngine> engine;
    SingletonReference<PreferencesData> preferences;
    GuiController gui { nullptr };

    struct Seen
    {
        juce::String title;
        bool busy = false;
        bool warning = false;
    };

    // When the warning is up: ticks its box if asked to, then presses the
    // button. Anything else up is closed with -1.
    void answerWhenShown (bool tick, const juce::String& buttonText, Seen& seen)
    {
        juce::MessageManager::callAsync ([this, tick, buttonText, &seen]
        {
            auto* modal = juce::Component::getCurrentlyModalComponent();
            auto* window = dynamic_cast<juce::DocumentWindow*> (modal);
            auto* warning = window != nullptr ? dynamic_cast<WriteWarningComponent*> (window->getContentComponent()) : nullptr;

            if (warning == nullptr)
            {
                if (modal != nullptr)
                    modal->exitModalState (-1);
                return;
            }

            seen = { window->getName(), gui.isBusy(), true };
            if (tick)
                findButton (*warning, dontConfirmText)->triggerClick();
            findButton (*warning, buttonText)->triggerClick();
        });
    }
};
}

TEST (WriteWarningComponent, ShowsTheMessagesButtonsAndBoxWhereTheyBelong)
{
    EnglishResource english;

    const struct { bool writeMessage; bool showBox; const char* firstLine; } rows[] = {
        { true, false, "This operation will rewrite data on the Plovara." },
        { false, true, "This operation will update data on the Plovara." },
    };

    for (const auto& row : rows)
    {
        WriteWarningComponent warning (row.writeMessage, row.showBox, nullptr);
        EXPECT_EQ (warning.getBounds(), juce::Rectangle<int> (0, 0, 455, 110));

        auto* first = findLabel (warning, row.firstLine);
        auto* second = findLabel (warning, "Are you sure?");
        ASSERT_TRUE (first != nullptr && second != nullptr) << row.firstLine;
        EXPECT_EQ (first->getFont().getHeight(), 15.0f);
        EXPECT_EQ (second->getFont().getHeight(), 15.0f);

        auto* box = findButton (warning, dontConfirmText);
        ASSERT_NE (box, nullptr);
        EXPECT_EQ (box->isVisible(), row.showBox);
        EXPECT_FALSE (box->getToggleState());

        const struct { juce::Component* child; juce::Rectangle<int> bounds; } children[] = {
            { first, { 16, 16, 424, 16 } },
            { second, { 16, 40, 424, 16 } },
            { findButton (warning, "OK"), { 368, 72, 72, 24 } },
            { findButton (warning, "Cancel"), { 288, 72, 72, 24 } },
            { box, { 16, 72, 256, 24 } },
        };

        for (const auto& child : children)
        {
            ASSERT_NE (child.child, nullptr);
            EXPECT_EQ (child.child->getBounds(), child.bounds) << row.firstLine;
        }
    }
}

TEST_F (WriteWarningTest, OnlyOkWithTheShownBoxTickedTurnsTheWarningOff)
{
    const struct { bool showBox; bool tick; const char* button; bool confirmed; bool warningAfter; } rows[] = {
        { true,  true,  "OK",     true,  false },
        { true,  true,  "Cancel", false, true },
        { true,  false, "OK",     true,  true },
        { false, true,  "OK",     true,  true },
        { false, false, "Cancel", false, true },
    };

    for (const auto& row : rows)
    {
        preferences.get()->setFlag (PreferencesData::warningBeforeWriting, true);
        CommandTestSupport::BroadcastRecorder recorder;
        Seen seen;

        answerWhenShown (row.tick, row.button, seen);
        EXPECT_EQ (gui.confirmWriting (true, row.showBox), row.confirmed) << row.button;
        deliverPosted();

        EXPECT_TRUE (seen.warning);
        EXPECT_EQ (seen.title, "Warning");
        EXPECT_TRUE (seen.busy) << "the GUI is busy while the warning is up";
        EXPECT_FALSE (gui.isBusy());
        EXPECT_EQ (preferences.get()->getFlag (PreferencesData::warningBeforeWriting), row.warningAfter)
            << row.button << ", box shown " << row.showBox << ", ticked " << row.tick;
        EXPECT_EQ (recorder.hasHeard (MessageIds::preferencesChanged), ! row.warningAfter) << "message 4 goes with the change alone";
    }
}

TEST_F (WriteWarningTest, NoWarningWhileTheGuiIsBusy)
{
    gui.setBusy (true);
    EXPECT_FALSE (gui.confirmWriting (true, false));
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
    EXPECT_TRUE (gui.isBusy());
}
