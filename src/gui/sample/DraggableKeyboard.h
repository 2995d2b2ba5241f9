#pragma once

#include "gui/sample/DraggableKeyboardModel.h"

#include <juce_audio_utils/juce_audio_utils.h>

// A keyboard whose keys can be dragged onto each other and that takes
// drops on its keys. A click plays the key as usual; moving the mouse
// across keys with the button held plays nothing, it may start a drag
// instead, which the model allows. While something is dragged over it, the
// key under the pointer shows pressed; while one of its own keys is
// dragged, that key is outlined.
class DraggableKeyboard : public juce::MidiKeyboardComponent,
                          public juce::DragAndDropTarget
{
public:
    // The state and the model must outlive the keyboard.
    DraggableKeyboard (juce::MidiKeyboardState& state, DraggableKeyboardModel& model);

    // -1 while no key is held down for a drag.
    int getDragStartNote() const { return dragStartNote; }
    // -1 while nothing is dragged over a key.
    int getDragOverNote() const { return dragOverNote; }

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void parentHierarchyChanged() override;

    // DragAndDropTarget: any source.
    bool isInterestedInDragSource (const SourceDetails&) override { return true; }
    void itemDragEnter (const SourceDetails& details) override;
    void itemDragMove (const SourceDetails& details) override;
    void itemDragExit (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

protected:
    bool mouseDraggedToKey (int, const juce::MouseEvent&) override { return false; }
    void drawWhiteNote (int note, juce::Graphics&, juce::Rectangle<float> area, bool isDown, bool isOver,
                        juce::Colour lineColour, juce::Colour textColour) override;
    void drawBlackNote (int note, juce::Graphics&, juce::Rectangle<float> area, bool isDown, bool isOver,
                        juce::Colour noteFillColour) override;

private:
    // -1 off the keys.
    int noteAt (juce::Point<float> position) const;
    void showDragOver (int note);
    void endDrag();
    bool isDraggingOwnKey() const;
    void outlineDragSource (int note, juce::Graphics&, juce::Rectangle<float> area, juce::Colour colour) const;

    DraggableKeyboardModel& model;
    juce::DragAndDropContainer* container = nullptr;
    int dragOverNote = -1;
    int dragStartNote = -1;
    bool draggingOwnKey = false;
};
