#pragma once

#include "data/SequenceData.h"
#include "files/FileFormatManager.h"
#include "gui/pattern/CustomTableListBox.h"
#include "gui/pattern/PatternEditLookAndFeel.h"
#include "gui/widgets/BankEditBaseComponent.h"
#include "gui/widgets/BlinkImageButton.h"

#include <functional>


// The pattern page: the edit bank's 16 patterns as a list with their names,
// lengths and keyboard-mode samples, the buttons of the pattern commands and
// the MIDI channels that the Standard MIDI File exchange uses. The selected
// row is the current pattern. Every edit puts a changed copy of the pattern
// in place as one undo step. While it or its list has the focus it performs
// Cut, Copy, Paste and Clear on the selected pattern.
class PatternEditComponent : public BankEditBaseComponent,
                             public juce::TableListBoxModel,
                             public juce::ApplicationCommandTarget,
                             public juce::DragAndDropTarget
{
public:
    enum Column { numberColumn = 1, nameColumn = 2, lengthColumn = 3, sampleColumn = 4 };

    // Both must outlive the page.
    PatternEditComponent (CommandContext& context, juce::ApplicationCommandManager& commandManager);
    ~PatternEditComponent() override;

    void refresh();

    // Null for a row that is no pattern of the edit bank.
    const SequenceData* getPattern (int row) const;
    juce::String getSampleName (int sampleIndex) const;

    // Changes a copy of the row's pattern and puts it in place as the
    // transaction "EditSequenceParameter"; nothing without a pattern there.
    void editPattern (int row, const std::function<void (SequenceData&)>& change);

    // A row dropped onto another: swapped, or copied over it. The target
    // becomes the current pattern.
    void moveRow (int source, int target, bool copy);

    // A file dropped for the row (the list's drops) or for the page (row 0),
    // handled after the drop as message 27.
    void postFileDrop (int row, const juce::File& file, bool toPageOnly);

    // A file from the file browser that exists and is of the type.
    static bool isFileOfType (const SourceDetails& details, int fileType);

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

    // TableListBoxModel
    int getNumRows() override;
    void paintRowBackground (juce::Graphics&, int row, int width, int height, bool rowIsSelected) override;
    void paintCell (juce::Graphics&, int row, int columnId, int width, int height, bool rowIsSelected) override;
    juce::Component* refreshComponentForCell (int row, int columnId, bool isRowSelected,
                                              juce::Component* existingComponentToUpdate) override;
    void selectedRowsChanged (int lastRowSelected) override;
    juce::var getDragSourceDescription (const juce::SparseSet<int>& rowsToDescribe) override;

    // ApplicationCommandTarget: Cut, Copy, Paste and Clear of patterns.
    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands (juce::Array<juce::CommandID>&) override;
    void getCommandInfo (juce::CommandID, juce::ApplicationCommandInfo&) override;
    bool perform (const InvocationInfo&) override;

    // DragAndDropTarget: pattern set files from the file browser.
    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

private:
    class FileDropMessage;

    void setUpList();
    void setUpButton (juce::ImageButton& button, const juce::String& text, const juce::String& imagePrefix);
    void setUpChannelLabel (juce::Label& label);
    void showTransmitNotice();
    void openDroppedFile (int row, const juce::File& file);
    bool isGuiFree() const;
    bool isShown() const;
    void makeCurrent (int row);

    template <typename Cell>
    juce::Component* cellFor (int row, juce::Component* existing);

    juce::ApplicationCommandManager& commandManager;
    PatternEditLookAndFeel look;
    CustomTableListBox list { "Pattern List", *this };
    juce::ImageButton receiveButton { "Receive" };
    BlinkImageButton transmitButton { "Transmit" };
    juce::ImageButton loadButton { "Load" }, saveButton { "Save" };
    juce::ImageButton importButton { "ImportSmf" }, exportButton { "ExportSmf" };
    juce::Label globalChannelLabel { "global midi channel", "1" };
    juce::Label keyboardChannelLabel { "keyboard midi channel", "1" };
};
