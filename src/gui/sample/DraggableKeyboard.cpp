#include "gui/sample/DraggableKeyboard.h"

namespace
{
constexpr float sourceOutlineThickness = 2.0f;
const juce::Colour outlineOnWhiteKey = juce::Colours::black.withAlpha (0.75f);
const juce::Colour outlineOnBlackKey = juce::Colours::white.withAlpha (0.75f);
}

DraggableKeyboard::DraggableKeyboard (juce::MidiKeyboardState& state, DraggableKeyboardModel& keyboardModel)
    : juce::MidiKeyboardComponent (state, horizontalKeyboard), model (keyboardModel)
{
}

void DraggableKeyboard::mouseDown (const juce::MouseEvent& event)
{
    dragStartNote = noteAt (event.position);
    juce::MidiKeyboardComponent::mouseDown (event);
}

void DraggableKeyboard::mouseDrag (const juce::MouseEvent& event)
{
    juce::MidiKeyboardComponent::mouseDrag (event);

    if (container == nullptr || container->isDragAndDropActive() || dragStartNote < 0
        || ! model.shouldStartDrag (event))
        return;

    draggingOwnKey = true;
    container->startDragging (model.getDragDescription (dragStartNote), this,
                              juce::ScaledImage (model.createDragImage (dragStartNote)), true);
    repaint();
}

// The drop of a drag that this press started is delivered after this
// call: the drag ends once it has been.
void DraggableKeyboard::mouseUp (const juce::MouseEvent& event)
{
    juce::MidiKeyboardComponent::mouseUp (event);

    if (! draggingOwnKey)
    {
        dragStartNote = -1;
        return;
    }

    juce::Component::SafePointer<DraggableKeyboard> keyboard (this);
    juce::MessageManager::callAsync ([keyboard]
    {
        if (keyboard != nullptr)
            keyboard->endDrag();
    });
}

void DraggableKeyboard::parentHierarchyChanged()
{
    container = juce::DragAndDropContainer::findParentDragContainerFor (this);
}

void DraggableKeyboard::itemDragEnter (const SourceDetails& details)
{
    showDragOver (noteAt (details.localPosition.toFloat()));
}

void DraggableKeyboard::itemDragMove (const SourceDetails& details)
{
    showDragOver (noteAt (details.localPosition.toFloat()));
}

void DraggableKeyboard::itemDragExit (const SourceDetails&)
{
    showDragOver (-1);
}

void DraggableKeyboard::itemDropped (const SourceDetails& details)
{
    const int targetNote = noteAt (details.localPosition.toFloat());

    if (targetNote >= 0)
    {
        if (details.sourceComponent.get() == this)
            model.keyDropped (dragStartNote, targetNote);
        else
            model.fileDropped (details.description, details.sourceComponent.get(), targetNote);
    }

    endDrag();
}

// From the key shapes alone: the framework's own lookup also asks the
// window system what lies under the point, and at a drop that is still the
// drag image. Black keys lie over the white ones.
int DraggableKeyboard::noteAt (juce::Point<float> position) const
{
    for (const bool black : { true, false })
        for (int note = getRangeStart(); note <= getRangeEnd(); ++note)
            if (juce::MidiMessage::isMidiNoteBlack (note) == black && getRectangleForKey (note).contains (position))
                return note;
    return -1;
}

// Only drawn: holding the note would play it, and a played key selects
// its sample.
void DraggableKeyboard::showDragOver (int note)
{
    if (note != dragOverNote)
    {
        dragOverNote = note;
        repaint();
    }
}

void DraggableKeyboard::endDrag()
{
    dragStartNote = -1;
    dragOverNote = -1;
    draggingOwnKey = false;
    repaint();
}

bool DraggableKeyboard::isDraggingOwnKey() const
{
    return draggingOwnKey && dragStartNote >= 0;
}

void DraggableKeyboard::drawWhiteNote (int note, juce::Graphics& g, juce::Rectangle<float> area, bool isDown,
                                       bool isOver, juce::Colour lineColour, juce::Colour textColour)
{
    juce::MidiKeyboardComponent::drawWhiteNote (note, g, area, isDown || note == dragOverNote, isOver,
                                                lineColour, textColour);
    outlineDragSource (note, g, area, outlineOnWhiteKey);
}

void DraggableKeyboard::drawBlackNote (int note, juce::Graphics& g, juce::Rectangle<float> area, bool isDown,
                                       bool isOver, juce::Colour noteFillColour)
{
    juce::MidiKeyboardComponent::drawBlackNote (note, g, area, isDown || note == dragOverNote, isOver,
                                                noteFillColour);
    outlineDragSource (note, g, area, outlineOnBlackKey);
}

void DraggableKeyboard::outlineDragSource (int note, juce::Graphics& g, juce::Rectangle<float> area,
                                           juce::Colour colour) const
{
    if (! isDraggingOwnKey() || note != dragStartNote)
        return;

    g.setColour (colour);
    g.drawRect (area, sourceOutlineThickness);
}
