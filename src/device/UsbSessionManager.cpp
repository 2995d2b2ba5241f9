#include "device/UsbSessionManager.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/DirectUsbAccess.h"
#include "device/LibUsbDriver.h"
#include "device/SocketUsbDriver.h"
#include "device/virtual/VirtualUsbBus.h"

#include <algorithm>

class UsbSessionManager::RelayMessage : public juce::Message
{
public:
    explicit RelayMessage (int code) : subCode (code) {}
    const int subCode;
};

UsbSessionManager::UsbSessionManager()
    : parameterChangesEnabled ([] { return true; }),
      parameterChangeChannel ([] { return 0; })
{
    setPortKind (usbPort);

    // The device watch belongs to the Host; without it, nobody tells.
    notifier = DeviceChangeNotifier::getInstancePointer();

    if (notifier != nullptr)
        notifier->addListener (this);
}

UsbSessionManager::~UsbSessionManager()
{
    if (notifier != nullptr)
        notifier->removeListener (this);

    const juce::ScopedLock guard (lock);

    if (currentSession != nullptr && currentSession->isRunning())
        currentSession->cancel (UsbSession::defaultReplyTimeoutMs);

    currentSession.reset();

    if (access != nullptr && access->isOpen())
        access->close();

    if (UsbSession::getCurrentAccess() == access.get())
        UsbSession::setCurrentAccess (nullptr);

    access.reset();
}

std::unique_ptr<UsbAccess> UsbSessionManager::makeAccess (int kind, const juce::String& path)
{
    switch (kind)
    {
        case usbPort:     return std::make_unique<DirectUsbAccess> (std::make_unique<LibUsbDriver>());
        case virtualPort: return std::make_unique<DirectUsbAccess> (std::make_unique<VirtualUsbDriver>());
        case socketPort:
            if (path.isNotEmpty())
                return std::make_unique<DirectUsbAccess> (std::make_unique<SocketUsbDriver> (path));
            return nullptr;
        default:
            return nullptr;
    }
}

bool UsbSessionManager::isSessionRunning() const
{
    return currentSession != nullptr && currentSession->isRunning();
}

bool UsbSessionManager::setPortKind (int kind, const juce::String& path)
{
    const juce::ScopedLock guard (lock);

    if (isSessionRunning())
        return false;

    if (access != nullptr && kind == portKind && path == socketPath)
        return true;

    if (UsbSession::getCurrentAccess() == access.get())
        UsbSession::setCurrentAccess (nullptr);

    access.reset();
    portOpen = false;
    portKind = kind;
    socketPath = path;
    access = makeAccess (kind, path);

    if (access == nullptr)
        return false;

    if (UsbSession::getNumRunningSessions() == 0)
        UsbSession::setCurrentAccess (access.get());

    return true;
}

int UsbSessionManager::getPortKind() const
{
    const juce::ScopedLock guard (lock);
    return portKind;
}

bool UsbSessionManager::openPort()
{
    const juce::ScopedLock guard (lock);

    if (access == nullptr && ! setPortKind (portKind, socketPath))
        return false;

    if (access->isOpen())
        return true;

    switch (access->open())
    {
        case UsbAccess::opened:
            portOpen = true;
            return true;
        case UsbAccess::noCompatibleDriver: throw Exception ("Error_UsbNotInstalledTavirDriver");
        case UsbAccess::deviceNotFound:     throw Exception ("Error_UsbDeviceNotFound");
        case UsbAccess::failedToOpenPipe:   throw Exception ("Error_UsbFailedToOpenDevice");
        case UsbAccess::portInvalid:        throw Exception ("Error_UsbPortInvalid");
        case UsbAccess::noPermission:       throw Exception ("Error_UsbNoPermission");
        default:                            throw Exception ("Error_UnknownError");
    }
}

bool UsbSessionManager::startSession (std::unique_ptr<UsbSession> session)
{
    const juce::ScopedLock guard (lock);

    if (session == nullptr || isSessionRunning())
        return false;

    if (access == nullptr)
        setPortKind (portKind, socketPath);

    currentSession = std::move (session);
    currentSession->addListener (this);

    if (! openPort())
    {
        currentSession->setErrorKey ("Error_UsbFailedToOpenUsbPort");
        sessionFinished (currentSession.get(), false);
        return false;
    }

    access->setCancelled (false);
    UsbSession::setCurrentAccess (access.get());
    currentSession->startThread (juce::Thread::Priority::normal);
    return true;
}

void UsbSessionManager::cancelSession (int timeoutMs)
{
    const juce::ScopedLock guard (lock);

    if (currentSession != nullptr)
        currentSession->cancel (timeoutMs);
}

UsbSession* UsbSessionManager::getCurrentSession() const
{
    const juce::ScopedLock guard (lock);
    return currentSession.get();
}

void UsbSessionManager::setParameterChangeSettings (std::function<bool()> enabled, std::function<int()> channel)
{
    const juce::ScopedLock guard (lock);
    parameterChangesEnabled = std::move (enabled);
    parameterChangeChannel = std::move (channel);
}

void UsbSessionManager::sendParameterChange (int group, int index, int value)
{
    const juce::ScopedLock guard (lock);

    if (isSessionRunning() || access == nullptr || ! access->isOpen() || ! parameterChangesEnabled())
        return;

    const int channel = parameterChangeChannel();
    SysExCommand change (SysExCommand::parameterChange);
    change.channel = channel >= 0 && channel <= 15 ? channel : 0;
    change.word1 = group;
    change.word2 = index;
    change.word3 = value;

    // Best effort: nothing waits for an answer and a failure goes unnoticed.
    access->send (change, 0, nullptr);
}

void UsbSessionManager::addListener (UsbSessionListener* listener)
{
    if (std::find (listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back (listener);
}

void UsbSessionManager::removeListener (UsbSessionListener* listener)
{
    listeners.erase (std::remove (listeners.begin(), listeners.end(), listener), listeners.end());
}

UsbAccess* UsbSessionManager::getAccess() const
{
    const juce::ScopedLock guard (lock);
    return access.get();
}

bool UsbSessionManager::isDeviceConnected() const
{
    const juce::ScopedLock guard (lock);
    return access != nullptr && access->isDeviceConnected();
}

void UsbSessionManager::deviceChanged()
{
    const juce::ScopedLock guard (lock);

    if (access == nullptr)
        return;

    if (portOpen)
    {
        if (access->isDeviceConnected())
            return;

        access->close();
        portOpen = false;
        MessageEngine::broadcast (MessageIds::sessionManagerEvent, 0);
        return;
    }

    if (access->open() != UsbAccess::opened)
        return;

    portOpen = true;
    MessageEngine::broadcast (MessageIds::sessionManagerEvent, 1);
}

//==============================================================================
void UsbSessionManager::sessionStarted (UsbSession*)
{
    postMessage (new RelayMessage (relayStarted));
}

void UsbSessionManager::sessionProgress (UsbSession*, double fraction)
{
    lastProgress = fraction;
    postMessage (new RelayMessage (relayProgress));
}

void UsbSessionManager::sessionStatus (UsbSession*, const juce::String& text)
{
    {
        std::lock_guard<std::mutex> statusGuard (statusLock);
        lastStatus = text;
    }
    postMessage (new RelayMessage (relayStatus));
}

void UsbSessionManager::sessionFinished (UsbSession*, bool success)
{
    lastResult = success;
    postMessage (new RelayMessage (relayFinished));
}

void UsbSessionManager::handleMessage (const juce::Message& message)
{
    auto* relay = dynamic_cast<const RelayMessage*> (&message);

    if (relay == nullptr)
        return;

    auto* session = getCurrentSession();
    juce::String status;
    {
        std::lock_guard<std::mutex> statusGuard (statusLock);
        status = lastStatus;
    }

    const auto snapshot = listeners;

    for (auto* listener : snapshot)
    {
        if (std::find (listeners.begin(), listeners.end(), listener) == listeners.end())
            continue;

        switch (relay->subCode)
        {
            case relayStarted:  listener->sessionStarted (session); break;
            case relayProgress: listener->sessionProgress (session, lastProgress); break;
            case relayStatus:   listener->sessionStatus (session, status); break;
            case relayFinished: listener->sessionFinished (session, lastResult); break;
            default: break;
        }
    }
}
