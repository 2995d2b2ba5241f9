#include "gui/main/MainComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "gui/effect/EffectEditComponent.h"
#include "gui/pattern/PatternEditComponent.h"
#include "gui/sample/SampleEditComponent.h"

namespace
{
const juce::Colour backgroundColour (0xff898989);
const juce::Colour aboutDimming (0x99000000);
}

class MainComponent::DroppedFileMessage : public BroadcastMessage
{
public:
    explicit DroppedFileMessage (const juce::File& droppedFile)
        : BroadcastMessage (MessageIds::openDroppedBankFile), file (droppedFile) {}

    const juce::File file;
};

MainComponent::MainComponent (CommandContext& commandContext, juce::ApplicationCommandManager& commands,
                              juce::ApplicationCommandTarget& actions)
    : context (commandContext), commandManager (commands), actionTarget (actions), browser (commandContext),
      bankCommon (commandContext)
{
    setComponentID ("MainComponent");
    browser.onFileOpened = [this]
    {
        if (page != nullptr)
            page->grabKeyboardFocus();
    };
    addAndMakeVisible (browser);
    addAndMakeVisible (bankCommon);
    commandManager.setFirstCommandTarget (this);

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

MainComponent::~MainComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    commandManager.setFirstCommandTarget (nullptr);
    closeAboutBox();
}

void MainComponent::setPage (int newPage)
{
    if (newPage < CommandGui::noPage || newPage > CommandGui::patternPage)
        newPage = CommandGui::noPage;

    if (newPage == pageNumber)
        return;

    page.reset();
    page = createPage (newPage);
    pageNumber = newPage;

    if (page != nullptr)
    {
        addAndMakeVisible (*page);
        layOutPage();
    }
}

std::unique_ptr<juce::Component> MainComponent::createPage (int page)
{
    switch (page)
    {
        case CommandGui::samplePage:  return std::make_unique<SampleEditComponent> (context, commandManager, actionTarget);
        case CommandGui::effectPage:  return std::make_unique<EffectEditComponent> (context, commandManager);
        case CommandGui::patternPage: return std::make_unique<PatternEditComponent> (context, commandManager);
        default:                      return nullptr;
    }
}

juce::ApplicationCommandTarget* MainComponent::getNextCommandTarget()
{
    auto* pageTarget = dynamic_cast<juce::ApplicationCommandTarget*> (page.get());
    if (pageTarget != nullptr && page->hasKeyboardFocus (true))
        return pageTarget;
    return &actionTarget;
}

void MainComponent::showAboutBox()
{
    if (aboutBox != nullptr || aboutOverlay != nullptr)
        return;

    aboutBox = std::make_unique<AboutComponent>();
    aboutOverlay = std::make_unique<OverlayComponentHolder> (*this, *aboutBox, aboutDimming);
    addAndMakeVisible (*aboutOverlay);
}

void MainComponent::closeAboutBox()
{
    aboutOverlay.reset();
    aboutBox.reset();
}

void MainComponent::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);
}

void MainComponent::resized()
{
    browser.setBounds (0, 0, browserWidth, getHeight());
    bankCommon.setTopLeftPosition (browserWidth, 0);
    layOutPage();

    if (aboutOverlay != nullptr)
        aboutOverlay->setBounds (getLocalBounds());
}

void MainComponent::layOutPage()
{
    if (page != nullptr)
        page->setBounds (browserWidth, BankCommonComponent::stripHeight, BankCommonComponent::stripWidth,
                         getHeight() - BankCommonComponent::stripHeight);
}

void MainComponent::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::closeAboutBox)
        closeAboutBox();
    else if (auto* dropped = dynamic_cast<const DroppedFileMessage*> (broadcast))
        openBankFile (dropped->file);
}

//==============================================================================
bool MainComponent::isBankFile (const juce::File& file)
{
    return file.existsAsFile() && FileFormatManager::typeOf (file) == FileFormatManager::bankData;
}

juce::File MainComponent::browserDragFile (const SourceDetails& details)
{
    return browserDragFile (details.description, details.sourceComponent.get());
}

juce::File MainComponent::browserDragFile (const juce::var& description, juce::Component* source)
{
    if (description.toString() != browserDragDescription || source == nullptr)
        return {};

    const auto path = source->getProperties()[fullPathProperty].toString();
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

bool MainComponent::isInterestedInDragSource (const SourceDetails& details)
{
    return isBankFile (browserDragFile (details));
}

void MainComponent::itemDropped (const SourceDetails& details)
{
    const auto file = browserDragFile (details);
    if (isBankFile (file))
        openBankFileLater (file);
}

juce::String MainComponent::firstBankFile (const juce::StringArray& paths)
{
    for (auto& path : paths)
        if (isBankFile (juce::File (path)))
            return path;
    return {};
}

bool MainComponent::isInterestedInFileDrag (const juce::StringArray& files)
{
    return firstBankFile (files).isNotEmpty();
}

void MainComponent::filesDropped (const juce::StringArray& files, int, int)
{
    const auto path = firstBankFile (files);
    if (path.isNotEmpty())
        openBankFileLater (juce::File (path));
}

// The drop ends first: the question and the reading follow it.
void MainComponent::openBankFileLater (const juce::File& file)
{
    postMessage (new DroppedFileMessage (file));
}

void MainComponent::openBankFile (const juce::File& file)
{
    auto* files = context.getFileManager();
    if (files != nullptr && files->mayDiscardChanges())
        files->openBankFile (file);
}
