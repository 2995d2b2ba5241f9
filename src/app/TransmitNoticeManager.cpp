#include "app/TransmitNoticeManager.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"

void TransmitNoticeManager::setSampleNotice (int sampleIndex, bool on)
{
    if (! isSampleIndex (sampleIndex))
        return;

    sampleNotices[(size_t) sampleIndex] = on;
    announceChange();
}

void TransmitNoticeManager::setPatternSetNotice (bool on)
{
    patternSetNotice = on;
    announceChange();
}

void TransmitNoticeManager::clearAll()
{
    for (auto& notice : sampleNotices)
        notice = false;

    patternSetNotice = false;
    announceChange();
}

bool TransmitNoticeManager::getSampleNotice (int sampleIndex) const
{
    return isSampleIndex (sampleIndex) && sampleNotices[(size_t) sampleIndex].load();
}

void TransmitNoticeManager::announceChange()
{
    // Posted even when nothing changed: listeners simply refresh.
    MessageEngine::broadcast (MessageIds::transmitNoticesChanged);
}
