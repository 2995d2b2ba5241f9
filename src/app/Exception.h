#pragma once

#include <juce_core/juce_core.h>

#include <exception>

// The program's own exception: it carries the string-table key of the
// message that describes the failure. Whoever catches it shows that message.
class Exception : public std::exception
{
public:
    explicit Exception (const juce::String& messageKey)
        : key (messageKey), keyUtf8 (messageKey.toStdString()) {}
    ~Exception() override = default;

    const juce::String& getMessageKey() const noexcept { return key; }
    const char* what() const noexcept override { return keyUtf8.c_str(); }

private:
    juce::String key;
    std::string keyUtf8;
};
