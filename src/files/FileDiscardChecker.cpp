#include "files/FileDiscardChecker.h"

#include "data/DataCenter.h"
#include "resources/MessageBoxes.h"

bool FileDiscardChecker::mayDiscardChanges (const DataCenter* dataCenter, bool guiExists,
                                            const std::function<bool()>& save) const
{
    if (dataCenter == nullptr || ! guiExists || ! dataCenter->isModified())
        return true;

    switch (MessageBoxes::questionBox (CZQVResource::text ("FileDiscardCheck_Title"),
                                       CZQVResource::text ("FileDiscardCheck_Message")))
    {
        case MessageBoxes::yes: return save();
        case MessageBoxes::no:  return true;
        default:                return false;
    }
}
