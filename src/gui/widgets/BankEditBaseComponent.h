#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;

// The base of the three bank pages under the bank strip. A page listens to
// the message engine for as long as it lives and refreshes itself from the
// data center in handleMessage.
class BankEditBaseComponent : public juce::Component,
                              public juce::MessageListener
{
public:
    // The context must outlive the page.
    BankEditBaseComponent (const juce::String& name, CommandContext& context);
    ~BankEditBaseComponent() override;

protected:
    CommandContext& context;
};
