#pragma once

#include "gui/widgets/ImageIncDecLookAndFeel.h"

// The look of the bank strip's tempo slider: plus and minus image buttons
// and a white value box on a transparent background.
class BankCommonLookAndFeel : public ImageIncDecLookAndFeel
{
public:
    BankCommonLookAndFeel();
};
