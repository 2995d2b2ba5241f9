#pragma once

#include "resources/CZQVResource.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>

// What decides whether a modal box may open: the GUI's busy flag. A box opens
// only while the flag is free, and the flag is set while the box is up.
class BusyFlag
{
public:
    virtual ~BusyFlag() = default;

    // True when the GUI exists and nothing modal is up.
    virtual bool isFree() const = 0;
    virtual void setBusy (bool busy) = 0;
};

// Sets a busy flag (when there is one) for as long as a box or chooser is up.
class BusyWhileShown
{
public:
    explicit BusyWhileShown (BusyFlag* busyFlag) : flag (busyFlag)
    {
        if (flag != nullptr)
            flag->setBusy (true);
    }

    ~BusyWhileShown()
    {
        if (flag != nullptr)
            flag->setBusy (false);
    }

    BusyWhileShown (const BusyWhileShown&) = delete;
    BusyWhileShown& operator= (const BusyWhileShown&) = delete;

private:
    BusyFlag* const flag;
};

// The program's modal message boxes: the error box for a message key, the
// confirmation box, the question box and the question whether a file may be
// overwritten. While the busy flag is not free a
// box is skipped and the call returns at once with the negative answer.
// Subclasses show the boxes (windows, the console, a script for tests).
class MessageBoxes
{
public:
    // Answers of the question box.
    enum Answer { cancel = 0, yes = 1, no = 2 };

    // Answers of the overwrite question.
    enum OverwriteAnswer { cancelOverwrite = 0, overwrite = 1, saveAsOther = 2 };

    virtual ~MessageBoxes() = default;

    // Message: the text of the key; details: the texts of key + "_Detail1"
    // and key + "_Detail2" where those keys exist.
    void showError (const juce::String& messageKey);

    // OK and, when asked, Cancel; true for OK.
    bool confirm (const juce::String& title, const juce::String& message, bool withCancel);

    // Yes, No and Cancel.
    Answer ask (const juce::String& title, const juce::String& message);

    // Titled "ConfirmOverwrite_Title", asks overwriteMessage (file) with the
    // buttons "ConfirmOverwrite_ButtonOverwrite", "ConfirmOverwrite_ButtonSaveAs"
    // and "Button_Cancel".
    OverwriteAnswer askOverwrite (const juce::File& file);

    // "ConfirmOverwrite_MessagePrefix", a space, the file's name and
    // "ConfirmOverwrite_MessagePostfix".
    static juce::String overwriteMessage (const juce::File& file);

    // The boxes the program shows through; null when none are installed.
    static MessageBoxes* getCurrent() noexcept;
    static void setCurrent (MessageBoxes* boxes) noexcept;

    // The boxes above through the current ones; with none installed every
    // box is skipped with the negative answer.
    static void errorBox (const juce::String& messageKey);
    static bool confirmationBox (const juce::String& title, const juce::String& message, bool withCancel);
    static Answer questionBox (const juce::String& title, const juce::String& message);
    static OverwriteAnswer overwriteQuestionBox (const juce::File& file);

protected:
    // Without a busy flag every box is shown (there is no GUI to wait for).
    explicit MessageBoxes (std::unique_ptr<BusyFlag> busyFlag);

    virtual void presentError (const juce::String& messageKey, const MessageText& text) = 0;
    virtual bool presentConfirmation (const juce::String& title, const juce::String& message, bool withCancel) = 0;
    virtual Answer presentQuestion (const juce::String& title, const juce::String& message) = 0;
    virtual OverwriteAnswer presentOverwriteQuestion (const juce::String& title, const juce::String& message) = 0;

private:

    bool mayShow() const;

    const std::unique_ptr<BusyFlag> busyFlag;
    static std::atomic<MessageBoxes*> current;
};

// Installs message boxes as the current ones for its lifetime, then puts
// back the ones that were current before.
class ScopedMessageBoxes
{
public:
    explicit ScopedMessageBoxes (MessageBoxes& boxes);
    ~ScopedMessageBoxes();

    ScopedMessageBoxes (const ScopedMessageBoxes&) = delete;
    ScopedMessageBoxes& operator= (const ScopedMessageBoxes&) = delete;

private:
    MessageBoxes* const previous;
};
