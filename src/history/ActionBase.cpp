#include "history/ActionBase.h"

#include "app/TransmitNoticeManager.h"
#include "data/DataCenter.h"

namespace
{
constexpr int nameLength = 8;
}

DataCenter* ActionBase::findDataCenter()
{
    auto* context = ActionContext::getCurrent();
    return context != nullptr ? context->dataCenter : nullptr;
}

BankData* ActionBase::findEditBank()
{
    auto* center = findDataCenter();
    return center != nullptr ? &center->getEditBank() : nullptr;
}

SampleData* ActionBase::findSample (int sampleIndex)
{
    auto* bank = findEditBank();

    if (bank == nullptr || sampleIndex < 0 || sampleIndex >= SampleSet::numSamples)
        return nullptr;

    return &bank->getSample (sampleIndex);
}

SequenceData* ActionBase::findPattern (int patternIndex)
{
    auto* bank = findEditBank();
    return bank != nullptr ? bank->getPattern (patternIndex) : nullptr;
}

bool ActionBase::isModified()
{
    auto* center = findDataCenter();
    return center != nullptr && center->isModified();
}

void ActionBase::markModified()
{
    if (auto* center = findDataCenter())
        center->setModified();
}

bool ActionBase::putBackSample (int sampleIndex, const SampleData& saved, bool wasModified)
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    sample->copyFrom (saved);
    restoreModified (wasModified);
    refreshPlayer (sampleIndex);
    return true;
}

void ActionBase::restoreModified (bool wasModified)
{
    auto* center = findDataCenter();

    if (center == nullptr)
        return;

    if (wasModified)
        center->setModified();
    else
        center->clearModified();
}

void ActionBase::refreshPlayer (int sampleIndex)
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->refreshPlayer)
        context->refreshPlayer (sampleIndex);
}

void ActionBase::clearWaveSelection()
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->clearWaveSelection)
        context->clearWaveSelection();
}

void ActionBase::setSampleNotice (int sampleIndex, bool on)
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->transmitNotices != nullptr)
        context->transmitNotices->setSampleNotice (sampleIndex, on);
}

void ActionBase::setPatternSetNotice()
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->transmitNotices != nullptr)
        context->transmitNotices->setPatternSetNotice (true);
}

int ActionBase::audioUnits (const SampleData& sample)
{
    return 2 * sample.getNumChannels() * sample.getNumFrames();
}

void ActionBase::sendParameterChange (int block, int parameter, int value)
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->sendParameterChange)
        context->sendParameterChange (block, parameter, value);
}

void ActionBase::sendName (int block, const juce::String& name)
{
    const auto padded = name.paddedRight (' ', nameLength);

    for (int position = 0; position < nameLength; ++position)
        sendParameterChange (block, position, (int) padded[position]);
}
