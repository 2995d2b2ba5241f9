#pragma once

#include "TestSupport.h"
#include "support/EnglishResource.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The English texts, and ways to find what a dialog shows.
namespace DialogTestSupport
{
    using TestSupport::EnglishResource;

    // The first descendant (depth first) that passes the test.
    template <typename Test>
    juce::Component* findChild (juce::Component& parent, Test test)
    {
        for (auto* child : parent.getChildren())
        {
            if (test (*child))
                return child;
            if (auto* found = findChild (*child, test))
                return found;
        }
        return nullptr;
    }

    inline juce::Component* findNamed (juce::Component& parent, const juce::String& name)
    {
        return findChild (parent, [&] (juce::Component& c) { return c.getName() == name; });
    }

    inline juce::Button* findButton (juce::Component& parent, const juce::String& text)
    {
        return dynamic_cast<juce::Button*> (findChild (parent, [&] (juce::Component& c)
        {
            auto* button = dynamic_cast<juce::Button*> (&c);
            return button != nullptr && button->getButtonText() == text;
        }));
    }

    inline juce::Label* findLabel (juce::Component& parent, const juce::String& text)
    {
        return dynamic_cast<juce::Label*> (findChild (parent, [&] (juce::Component& c)
        {
            auto* label = dynamic_cast<juce::Label*> (&c);
            return label != nullptr && label->getText() == text;
        }));
    }

    inline juce::StringArray buttonTexts (juce::Component& parent)
    {
        juce::StringArray texts;
        for (auto* child : parent.getChildren())
            if (auto* button = dynamic_cast<juce::TextButton*> (child))
                texts.add (button->getButtonText());
        return texts;
    }

    // Lets the message loop deliver everything posted so far.
    inline void deliverPosted()
    {
        bool delivered = false;
        juce::MessageManager::callAsync ([&delivered] { delivered = true; });
        TestSupport::dispatchUntil ([&delivered] { return delivered; });
    }

    // A click as the button's keyboard shortcut or a click of the mouse
    // makes it: delivered through the message loop.
    inline void click (juce::Button& button)
    {
        button.triggerClick();
        deliverPosted();
    }
}
