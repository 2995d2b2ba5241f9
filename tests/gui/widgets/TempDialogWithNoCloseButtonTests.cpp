#include "gui/widgets/TempDialogWithNoCloseButton.h"

#include <gtest/gtest.h>

#include <memory>

TEST (TempDialogWithNoCloseButton, RunsTheContentModallyInAPlainWhiteWindow)
{
    juce::Component anchor;
    anchor.addToDesktop (0);
    anchor.setBounds (40, 50, 300, 200);

    auto content = std::make_unique<juce::Component>();
    content->setSize (200, 100);
    const int desktopComponents = juce::Desktop::getInstance().getNumComponents();

    bool inspected = false;
    juce::MessageManager::callAsync ([&]
    {
        auto* modal = juce::Component::getCurrentlyModalComponent();
        auto* window = dynamic_cast<juce::DocumentWindow*> (modal);
        ASSERT_NE (modal, nullptr);

        if (window == nullptr)
        {
            modal->exitModalState (-1);
            return;
        }

        inspected = true;

        EXPECT_EQ (window->getName(), "Importing");
        EXPECT_EQ (window->getCloseButton(), nullptr);
        EXPECT_EQ (window->getMinimiseButton(), nullptr);
        EXPECT_EQ (window->getMaximiseButton(), nullptr);
        EXPECT_EQ (window->getBackgroundColour(), juce::Colours::white);
        EXPECT_FALSE (window->isResizable());
        EXPECT_EQ (window->getContentComponent(), content.get());
        EXPECT_EQ (content->getWidth(), 200);
        EXPECT_EQ (content->getHeight(), 100);

        const auto centre = window->getScreenBounds().getCentre();
        EXPECT_NEAR (centre.x, 190, 1);
        EXPECT_NEAR (centre.y, 150, 1);

        content->getTopLevelComponent()->exitModalState (7);
    });

    EXPECT_EQ (TempDialogWithNoCloseButton::runModal ("Importing", *content, &anchor), 7);
    EXPECT_TRUE (inspected);
    EXPECT_EQ (content->getParentComponent(), nullptr);
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), desktopComponents);
}
