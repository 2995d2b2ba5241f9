#include "gui/main/MainWindow.h"

#include "app/MessageIds.h"

namespace
{
const juce::String applicationName ("Plovara Editor");
const juce::String untitledFileName ("Untitled");
const juce::String modifiedMark ("*");
}

MainWindow::MainWindow()
    : juce::DocumentWindow (applicationName, juce::Colour (0xff2b2b2b), juce::DocumentWindow::allButtons)
{
    setComponentID ("MainWindow");
    setUsingNativeTitleBar (true);

    auto* content = new juce::Component();
    content->setSize (contentWidth, defaultContentHeight);
    setContentOwned (content, true);

    refreshTitle();
    setResizable (false, false);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

MainWindow::~MainWindow() = default;

juce::String MainWindow::buildTitle (const juce::String& name, const juce::String& bankFileName, bool modified)
{
    auto title = name + " - " + (bankFileName.isEmpty() ? untitledFileName : bankFileName);

    if (modified)
        title << " " << modifiedMark;

    return title;
}

void MainWindow::refreshTitle()
{
    setName (buildTitle (applicationName, {}, false));
}

void MainWindow::handleBroadcast (int messageId)
{
    if (messageId == MessageIds::dataChanged)
        refreshTitle();
}

void MainWindow::closeButtonPressed()
{
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        app->systemRequestedQuit();
}
