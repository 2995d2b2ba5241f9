#include "gui/main/BankCommonLookAndFeel.h"

BankCommonLookAndFeel::BankCommonLookAndFeel()
    : ImageIncDecLookAndFeel ({ "ButtonPlus", "ButtonMinus", "BankBpmLabel", juce::Colours::white })
{
}
