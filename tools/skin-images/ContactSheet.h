#pragma once

#include "SkinImageTable.h"

// One picture of the whole skin for looking it over: every image with its
// name, small ones enlarged, knob film strips as a row of sample frames.
juce::Image makeContactSheet (const std::vector<std::pair<SkinImage, juce::Image>>& images);
