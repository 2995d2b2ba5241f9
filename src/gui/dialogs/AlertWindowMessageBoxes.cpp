#include "gui/dialogs/AlertWindowMessageBoxes.h"

#include "gui/widgets/DetailTextEditor.h"
#include "gui/widgets/FontManager.h"

namespace
{
constexpr int detailWidth = 475;
constexpr int detailHeight = 50;
const juce::Colour detailBackground (0x66ffffff);

// The first detail line: a read-only text box. It sits in an unnamed holder
// so that the alert window draws no label for it.
class DetailBox : public juce::Component
{
public:
    explicit DetailBox (const juce::String& detail)
        : editor (AlertWindowMessageBoxes::detailEditorName, FontManager::fontFor ("MessageDisplayDetail"), detailBackground)
    {
        editor.setText (detail, false);
        addAndMakeVisible (editor);
        setSize (detailWidth, detailHeight);
    }

    void resized() override { editor.setBounds (getLocalBounds()); }

private:
    DetailTextEditor editor;
};

// An alert window that owns the extra components it shows.
class OwningAlertWindow : public juce::AlertWindow
{
public:
    OwningAlertWindow (const juce::String& title, const juce::String& message, juce::MessageBoxIconType icon)
        : juce::AlertWindow (title, message, icon) {}

    ~OwningAlertWindow() override
    {
        // The window forgets its extra components before they go.
        while (getNumCustomComponents() > 0)
            removeCustomComponent (0);
    }

    void addOwnedComponent (std::unique_ptr<juce::Component> component)
    {
        addCustomComponent (component.get());
        owned.push_back (std::move (component));
    }

private:
    std::vector<std::unique_ptr<juce::Component>> owned;
};

juce::String buttonText (const char* key)
{
    return CZQVResource::text (key);
}

const juce::KeyPress escapeKey (juce::KeyPress::escapeKey);
const juce::KeyPress returnKey (juce::KeyPress::returnKey);

struct Choice
{
    const char* textKey;
    int result;
};

// Three buttons: the first answers Return, the last Escape.
std::unique_ptr<juce::AlertWindow> questionWindow (const juce::String& title, const juce::String& message,
                                                   juce::MessageBoxIconType icon, Choice first, Choice second, Choice last)
{
    auto window = std::make_unique<juce::AlertWindow> (title, message, icon);
    window->addButton (buttonText (first.textKey), first.result, returnKey);
    window->addButton (buttonText (second.textKey), second.result);
    window->addButton (buttonText (last.textKey), last.result, escapeKey);
    return window;
}
}

AlertWindowMessageBoxes::AlertWindowMessageBoxes (std::unique_ptr<BusyFlag> busyFlag)
    : MessageBoxes (std::move (busyFlag))
{
}

std::unique_ptr<juce::AlertWindow> AlertWindowMessageBoxes::createErrorWindow (const MessageText& text)
{
    auto window = std::make_unique<OwningAlertWindow> (juce::String(), text.message, juce::MessageBoxIconType::WarningIcon);

    if (text.detail1.isNotEmpty())
        window->addOwnedComponent (std::make_unique<DetailBox> (text.detail1));

    if (text.detail2.isNotEmpty())
        window->addTextBlock (text.detail2);

    window->addButton (buttonText ("Button_Ok"), 1, returnKey, juce::KeyPress ('o'));
    return window;
}

std::unique_ptr<juce::AlertWindow> AlertWindowMessageBoxes::createConfirmationWindow (const juce::String& title, const juce::String& message, bool withCancel)
{
    auto window = std::make_unique<juce::AlertWindow> (title, message, juce::MessageBoxIconType::WarningIcon);
    window->addButton (buttonText ("Button_Ok"), 1, returnKey);

    if (withCancel)
        window->addButton (buttonText ("Button_Cancel"), 0, escapeKey);

    return window;
}

std::unique_ptr<juce::AlertWindow> AlertWindowMessageBoxes::createQuestionWindow (const juce::String& title, const juce::String& message)
{
    return questionWindow (title, message, juce::MessageBoxIconType::QuestionIcon,
                           { "Button_Yes", yes }, { "Button_No", no }, { "Button_Cancel", cancel });
}

std::unique_ptr<juce::AlertWindow> AlertWindowMessageBoxes::createOverwriteQuestionWindow (const juce::String& title, const juce::String& message)
{
    return questionWindow (title, message, juce::MessageBoxIconType::WarningIcon, { "ConfirmOverwrite_ButtonOverwrite", overwrite },
                           { "ConfirmOverwrite_ButtonSaveAs", saveAsOther }, { "Button_Cancel", cancelOverwrite });
}

void AlertWindowMessageBoxes::presentError (const juce::String&, const MessageText& text)
{
    createErrorWindow (text)->runModalLoop();
}

bool AlertWindowMessageBoxes::presentConfirmation (const juce::String& title, const juce::String& message, bool withCancel)
{
    return createConfirmationWindow (title, message, withCancel)->runModalLoop() == 1;
}

MessageBoxes::Answer AlertWindowMessageBoxes::presentQuestion (const juce::String& title, const juce::String& message)
{
    switch (createQuestionWindow (title, message)->runModalLoop())
    {
        case yes: return yes;
        case no:  return no;
        default:  return cancel;
    }
}

MessageBoxes::OverwriteAnswer AlertWindowMessageBoxes::presentOverwriteQuestion (const juce::String& title, const juce::String& message)
{
    const int answer = createOverwriteQuestionWindow (title, message)->runModalLoop();
    return answer == overwrite || answer == saveAsOther ? (OverwriteAnswer) answer : cancelOverwrite;
}
