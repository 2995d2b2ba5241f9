#include "gui/widgets/TempDialogWithNoCloseButton.h"

#include <gtest/gtest.h>

TEST (TempDialogWithNoCloseButton, RunsTheContentModallyInAPlainWhiteWindow)
{
    juce::Component anchor, content;
    anchor.addToDesktop (0);
    anchor.setBounds (40, 50, 300, 200);
    content.setSize (200, 100);
    const int windows = juce::Desktop::getInstance().getNumComponents();

    juce::MessageManager::callAsync ([&]
    {
        auto* modal = juce::Component::getCurrentlyModalComponent();
        ASSERT_NE (modal, nullptr);
        auto* window = dynamic_cast<juce::DocumentWindow*> (modal);
        EXPECT_NE (window, nullptr);

        if (window != nullptr)
        {
            EXPECT_EQ (window->getName(), "Importing");
            EXPECT_TRUE (window->getCloseButton() == nullptr && window->getMinimiseButton() == nullptr
                         && window->getMaximiseButton() == nullptr);
            EXPECT_EQ (window->getBackgroundColour(), juce::Colours::white);
            EXPECT_FALSE (window->isResizable());
            EXPECT_EQ (window->getContentComponent(), &content);
            EXPECT_EQ (content.getBounds().getWidth(), 200);
            EXPECT_EQ (content.getBounds().getHeight(), 100);
            EXPECT_NEAR (window->getScreenBounds().getCentreX(), 190, 1);
            EXPECT_NEAR (window->getScreenBounds().getCentreY(), 150, 1);
        }

        modal->exitModalState (7);
    });

    EXPECT_EQ (TempDialogWithNoCloseButton::runModal ("Importing", content, &anchor), 7);
    EXPECT_EQ (content.getParentComponent(), nullptr);
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), windows);
}
