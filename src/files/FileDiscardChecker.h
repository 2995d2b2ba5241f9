#pragma once

#include <functional>

class DataCenter;

// Asks whether the edit bank's unsaved changes may be dropped.
class FileDiscardChecker
{
public:
    virtual ~FileDiscardChecker() = default;

    // True at once when there is no data center, no GUI, or nothing
    // modified. Otherwise the question "Save changes?": Yes saves and
    // answers whether that worked, No answers true, Cancel false. While a
    // modal box is up the question is skipped and the answer is false.
    bool mayDiscardChanges (const DataCenter* dataCenter, bool guiExists, const std::function<bool()>& save) const;
};
