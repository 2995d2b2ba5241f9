#include "gui/pattern/PatternEditComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/TransmitNoticeManager.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/BankItemOperations.h"
#include "data/CZQVClipboard.h"
#include "data/DataCenter.h"
#include "files/FileManager.h"
#include "gui/main/MainComponent.h"
#include "gui/pattern/SampleNumberSelector.h"
#include "gui/pattern/SequenceLengthSelector.h"
#include "gui/pattern/SequenceNameEditor.h"
#include "gui/widgets/FontManager.h"
#include "gui/widgets/PageSkin.h"
#include "history/ActionContext.h"
#include "history/SetNewActions.h"
#include "history/TransactionNames.h"
#include "resources/CZQVResource.h"

#include <utility>

namespace
{
constexpr int pageWidth = 560, pageHeight = 400;
constexpr int headerHeight = 25;
const juce::Colour rowLineColour (0xffa3a3a3);
const juce::Colour selectedRowColour (0xffd3d3d3);
const juce::Colour dropRowColour (0xffaaaaaa);
constexpr float rowShadeAlpha = 0.5f;
constexpr int channelMask = 0x0F;
constexpr int globalChannelByte = 5, keyboardChannelByte = 6;

struct CommandName
{
    int commandId;
    const char* nameKey;
};

const CommandName patternCommands[] = {
    { CommandIds::cut,   "Command_Name_Edit_CutSequence" },
    { CommandIds::copy,  "Command_Name_Edit_CopySequence" },
    { CommandIds::paste, "Command_Name_Edit_PasteSequence" },
    { CommandIds::clear, "Command_Name_Edit_ClearSequence" },
};
}

// A file dropped for a row. The message owns the path, so nothing is lost
// when the page is gone before it arrives.
class PatternEditComponent::FileDropMessage : public BroadcastMessage
{
public:
    FileDropMessage (int row, const juce::File& droppedFile)
        : BroadcastMessage (MessageIds::patternTableEvent, row), file (droppedFile) {}

    const juce::File file;
};

PatternEditComponent::PatternEditComponent (CommandContext& commandContext, juce::ApplicationCommandManager& commands)
    : BankEditBaseComponent ("PatternEdit", commandContext), commandManager (commands)
{
    setUpList();

    setUpButton (receiveButton, "RECEIVE", "ButtonReceive");
    receiveButton.setCommandToTrigger (&commandManager, CommandIds::receivePatternSet, true);
    setUpButton (transmitButton, "TRANSMIT", "ButtonTransmit");
    transmitButton.onClick = [this] { commandManager.invoke (juce::ApplicationCommandTarget::InvocationInfo (CommandIds::transmitPatternSet), true); };
    setUpButton (loadButton, "LOAD", "ButtonPatternLoad");
    loadButton.setCommandToTrigger (&commandManager, CommandIds::openPatternSet, true);
    setUpButton (saveButton, "SAVE", "ButtonSave");
    saveButton.setCommandToTrigger (&commandManager, CommandIds::savePatternSet, true);
    setUpButton (importButton, "IMPORT SMF", "ButtonImport");
    importButton.setCommandToTrigger (&commandManager, CommandIds::importSmf, true);
    setUpButton (exportButton, "EXPORT SMF", "ButtonExport");
    exportButton.setCommandToTrigger (&commandManager, CommandIds::exportSmf, true);

    setUpChannelLabel (globalChannelLabel);
    setUpChannelLabel (keyboardChannelLabel);

    setWantsKeyboardFocus (true);
    setSize (pageWidth, pageHeight);
    refresh();
    showTransmitNotice();
}

PatternEditComponent::~PatternEditComponent()
{
    list.setLookAndFeel (nullptr);
}

void PatternEditComponent::setUpList()
{
    struct ColumnRecord { int id; const char* titleKey; int width; };
    const ColumnRecord columns[] = {
        { numberColumn, "SeqEdit_Column_Number",       40 },
        { nameColumn,   "SeqEdit_Column_Name",         100 },
        { lengthColumn, "SeqEdit_Column_Length",       65 },
        { sampleColumn, "SeqEdit_Column_SampleNumber", 190 },
    };

    auto& header = list.getHeader();
    for (auto& column : columns)
        header.addColumn (CZQVResource::text (column.titleKey), column.id, column.width,
                          column.id == numberColumn ? column.width : 50, -1,
                          juce::TableHeaderComponent::visible | juce::TableHeaderComponent::resizable);

    header.setPopupMenuActive (false);
    list.setAutoSizeMenuOptionShown (false);
    list.setHeaderHeight (headerHeight);
    list.setLookAndFeel (&look);
    addAndMakeVisible (list);
}

void PatternEditComponent::setUpButton (juce::ImageButton& button, const juce::String& text, const juce::String& imagePrefix)
{
    button.setButtonText (text);
    PageSkin::setButtonImages (button, imagePrefix, imagePrefix + "Down");
    addAndMakeVisible (button);
}

void PatternEditComponent::setUpChannelLabel (juce::Label& label)
{
    label.setFont (juce::Font (FontManager::resolveFace ("Arial"), 15.0f, juce::Font::plain));
    label.setJustificationType (juce::Justification::centred);
    label.setEditable (false);
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setColour (juce::TextEditor::textColourId, juce::Colours::black);
    label.setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
    addAndMakeVisible (label);
}

//==============================================================================
const SequenceData* PatternEditComponent::getPattern (int row) const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getPattern (row) : nullptr;
}

juce::String PatternEditComponent::getSampleName (int sampleIndex) const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getSample (sampleIndex).getName() : juce::String();
}

void PatternEditComponent::editPattern (int row, const std::function<void (SequenceData&)>& change)
{
    const auto* pattern = getPattern (row);
    auto* history = context.getUndoManager();
    if (pattern == nullptr || history == nullptr)
        return;

    SequenceData copy (*pattern);
    change (copy);
    history->beginNewTransaction (TransactionNames::editSequenceParameter);
    history->perform (new SetNewSequenceAction (row, copy));
}

void PatternEditComponent::refresh()
{
    list.updateContent();
    list.repaint();
    juce::SparseSet<int> currentRow;
    currentRow.addRange ({ context.getCurrentPattern(), context.getCurrentPattern() + 1 });
    list.setSelectedRows (currentRow, juce::dontSendNotification);

    if (auto* dataCenter = context.getDataCenter())
    {
        const auto& global = dataCenter->getGlobalData().getImage();
        globalChannelLabel.setText (juce::String ((global[globalChannelByte] & channelMask) + 1), juce::dontSendNotification);
        keyboardChannelLabel.setText (juce::String ((global[keyboardChannelByte] & channelMask) + 1), juce::dontSendNotification);
    }
}

void PatternEditComponent::showTransmitNotice()
{
    auto* actions = ActionContext::getCurrent();
    const bool notice = context.getCommandGui() != nullptr && actions != nullptr && actions->transmitNotices != nullptr
                        && actions->transmitNotices->getPatternSetNotice();

    if (notice != transmitButton.getToggleState())
        transmitButton.setBlinking (notice);
}

void PatternEditComponent::handleMessage (const juce::Message& message)
{
    if (auto* drop = dynamic_cast<const FileDropMessage*> (&message))
        openDroppedFile (drop->intArgument, drop->file);
    else if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message))
    {
        if (broadcast->id == MessageIds::dataChanged)
            refresh();
        else if (broadcast->id == MessageIds::transmitNoticesChanged)
            showTransmitNotice();
    }
}

//==============================================================================
void PatternEditComponent::paint (juce::Graphics& g)
{
    PageSkin::paintBackground (g, getLocalBounds(), "BackgroundPattern");
}

void PatternEditComponent::resized()
{
    const std::pair<juce::Component*, juce::Rectangle<int>> layout[] = {
        { &list,                 { 112, 20, 423, getHeight() - 45 } },
        { &receiveButton,        { 24, 28, 64, 17 } },
        { &transmitButton,       { 24, 52, 64, 17 } },
        { &loadButton,           { 24, 90, 64, 17 } },
        { &saveButton,           { 24, 115, 64, 17 } },
        { &importButton,         { 24, 152, 64, 17 } },
        { &exportButton,         { 24, 177, 64, 17 } },
        { &globalChannelLabel,   { 16, 241, 80, 16 } },
        { &keyboardChannelLabel, { 16, 293, 80, 16 } },
    };

    for (auto& [child, bounds] : layout)
        child->setBounds (bounds);
}

//==============================================================================
int PatternEditComponent::getNumRows()
{
    return SequenceSet::numPatterns;
}

void PatternEditComponent::paintRowBackground (juce::Graphics& g, int row, int width, int height, bool rowIsSelected)
{
    g.fillAll (juce::Colours::white);

    if (list.isDragOver() && row == list.getDropRow() && ! rowIsSelected)
        g.fillAll (dropRowColour.withAlpha (rowShadeAlpha));
    else if (rowIsSelected)
        g.fillAll (selectedRowColour.withAlpha (rowShadeAlpha));

    g.setColour (rowLineColour);
    auto& header = list.getHeader();
    for (int i = 0; i < header.getNumColumns (true); ++i)
        g.fillRect (header.getColumnPosition (i).getRight() - 1, 0, 1, height - 1);

    g.fillRect (0, height - 1, width, 1);
}

void PatternEditComponent::paintCell (juce::Graphics& g, int row, int columnId, int width, int height, bool)
{
    if (columnId != numberColumn)
        return;

    g.setColour (juce::Colours::black);
    g.setFont (FontManager::fontFor ("PatternListItems"));
    g.drawText (juce::String (row + 1), 0, 0, width, height, juce::Justification::centred, false);
}

template <typename Cell>
juce::Component* PatternEditComponent::cellFor (int row, juce::Component* existing)
{
    if (auto* cell = dynamic_cast<Cell*> (existing))
    {
        cell->showRow (row);
        return cell;
    }

    delete existing;
    return new Cell (*this, row);
}

juce::Component* PatternEditComponent::refreshComponentForCell (int row, int columnId, bool, juce::Component* existing)
{
    if (isShown())
    {
        switch (columnId)
        {
            case nameColumn:   return cellFor<SequenceNameEditor> (row, existing);
            case lengthColumn: return cellFor<SequenceLengthSelector> (row, existing);
            case sampleColumn: return cellFor<SampleNumberSelector> (row, existing);
            default:           break;
        }
    }

    delete existing;
    return nullptr;
}

bool PatternEditComponent::isShown() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr && gui->getCurrentPage() == CommandGui::patternPage;
}

void PatternEditComponent::selectedRowsChanged (int lastRowSelected)
{
    if (lastRowSelected < 0)
        return;

    if (lastRowSelected < SequenceSet::numPatterns && lastRowSelected != context.getCurrentPattern())
        context.setCurrentPattern (lastRowSelected);

    MessageEngine::broadcast (MessageIds::dataChanged);
}

juce::var PatternEditComponent::getDragSourceDescription (const juce::SparseSet<int>&)
{
    return CustomTableListBox::rowDragDescription;
}

void PatternEditComponent::makeCurrent (int row)
{
    if (row >= 0 && row < SequenceSet::numPatterns && row != context.getCurrentPattern())
    {
        context.setCurrentPattern (row);
        MessageEngine::broadcast (MessageIds::dataChanged);
    }
}

void PatternEditComponent::moveRow (int source, int target, bool copy)
{
    auto* dataCenter = context.getDataCenter();
    auto* history = context.getUndoManager();
    auto* clipboard = CZQVClipboard::getInstancePointer();

    if (dataCenter == nullptr || history == nullptr || clipboard == nullptr
        || source < 0 || target < 0 || source == target)
        return;

    BankItemOperations operations (*dataCenter, *history, *clipboard);
    const bool done = copy ? operations.copyPatternOver (source, target) : operations.swapPatterns (source, target);

    if (done)
        makeCurrent (target);
}

//==============================================================================
bool PatternEditComponent::isFileOfType (const SourceDetails& details, int fileType)
{
    const auto file = MainComponent::browserDragFile (details);
    auto* formats = FileFormatManager::getInstancePointer();
    return file.existsAsFile() && formats != nullptr && formats->getFileType (file) == fileType;
}

bool PatternEditComponent::isInterestedInDragSource (const SourceDetails& details)
{
    return isFileOfType (details, FileFormatManager::sequenceSet);
}

void PatternEditComponent::itemDropped (const SourceDetails& details)
{
    postFileDrop (0, MainComponent::browserDragFile (details), true);
}

void PatternEditComponent::postFileDrop (int row, const juce::File& file, bool toPageOnly)
{
    if (toPageOnly)
        postMessage (new FileDropMessage (row, file));
    else if (auto* engine = MessageEngine::getInstancePointer())
        engine->post (new FileDropMessage (row, file));
}

// Rows outside the list have no pattern to import into.
void PatternEditComponent::openDroppedFile (int row, const juce::File& file)
{
    auto* formats = FileFormatManager::getInstancePointer();
    auto* files = context.getFileManager();
    if (formats == nullptr || files == nullptr)
        return;

    const int type = formats->getFileType (file);

    if (type == FileFormatManager::sequenceSet)
        files->loadPatternSetFile (file);
    else if (type == FileFormatManager::smf && row >= 0 && row < SequenceSet::numPatterns)
        files->importSmfFile (file, row);

    grabKeyboardFocus();
}

//==============================================================================
juce::ApplicationCommandTarget* PatternEditComponent::getNextCommandTarget()
{
    return findFirstTargetParentComponent();
}

void PatternEditComponent::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    for (auto& command : patternCommands)
        commands.add (command.commandId);
}

void PatternEditComponent::getCommandInfo (juce::CommandID commandId, juce::ApplicationCommandInfo& info)
{
    for (auto& command : patternCommands)
    {
        if (command.commandId != commandId)
            continue;

        const auto name = CZQVResource::text (command.nameKey);
        info.setInfo (name, name, CZQVResource::text ("Command_Category_Edit"), 0);
        info.setActive (isGuiFree());
    }
}

bool PatternEditComponent::isGuiFree() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr && ! gui->isBusy() && ! gui->isMainComponentModal();
}

bool PatternEditComponent::perform (const InvocationInfo& info)
{
    auto* dataCenter = context.getDataCenter();
    auto* history = context.getUndoManager();
    auto* clipboard = CZQVClipboard::getInstancePointer();
    if (dataCenter == nullptr || history == nullptr || clipboard == nullptr)
        return false;

    BankItemOperations operations (*dataCenter, *history, *clipboard);
    const int row = list.getSelectedRow();

    switch (info.commandID)
    {
        case CommandIds::cut:   operations.cutPattern (row); return true;
        case CommandIds::copy:  operations.copyPattern (row); return true;
        case CommandIds::paste: operations.pastePattern (row); return true;
        case CommandIds::clear: operations.clearPattern (row); return true;
        default:                return false;
    }
}
