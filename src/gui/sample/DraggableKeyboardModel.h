#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// What a DraggableKeyboard asks its owner when keys are dragged: whether a
// drag starts, what it carries and shows, and what a drop does.
class DraggableKeyboardModel
{
public:
    virtual ~DraggableKeyboardModel() = default;

    virtual bool shouldStartDrag (const juce::MouseEvent& event) = 0;
    virtual juce::Image createDragImage (int note) = 0;
    virtual juce::String getDragDescription (int note) = 0;

    // A key of the keyboard itself was dropped on a key.
    virtual void keyDropped (int sourceNote, int targetNote) = 0;

    // Anything else was dropped on a key.
    virtual void fileDropped (const juce::var& description, juce::Component* source, int targetNote) = 0;
};
