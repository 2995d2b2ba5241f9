#include "device/DeviceInquiry.h"

#include "app/Exception.h"

bool DeviceInquiry::execute()
{
    auto* access = getCurrentAccess();

    if (access == nullptr)
    {
        setErrorKey ("Error_UsbFailedToOpenUsbPort");
        return false;
    }

    bool success = false;

    try
    {
        inquire (*access);
        setProgress (1.0);
        success = true;
    }
    catch (const Exception& e)
    {
        setErrorKey (e.getMessageKey());
    }

    access->stop();
    return success;
}

void DeviceInquiry::inquire (UsbAccess& access)
{
    access.setTimeout (getReplyTimeout());
    access.expectReply (SysExCommand::deviceInquiryReply, 0, this);

    if (! access.send (SysExCommand (SysExCommand::deviceInquiryRequest), 0, nullptr))
        throw Exception ("Error_UsbFailedToSendDeviceInquiryRequest");

    const auto reply = access.waitForMessage();

    if (reply == nullptr)
        throw Exception ("Error_UsbTimeout");

    if (reply->messageId != SysExCommand::deviceInquiryReply)
        throw Exception ("Error_UsbFailedToReceiveDeviceInquiryReply");

    channel = reply->channel;
    familyCode = reply->word1;
    memberCode = reply->word2;

    // word3 is set when the family code is the Plovara's.
    if (reply->word3 == 0)
        throw Exception ("Error_UsbTargetDeviceIsNotPlovara");
}
