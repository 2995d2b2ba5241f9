#include "audio/pipeline/AudioMetaData.h"

#include <algorithm>
#include <cmath>

void CMarker::add (double position)
{
    const auto key = std::llround (position * 1000.0);
    const auto same = [key] (double p) { return std::llround (p * 1000.0) == key; };

    if (std::none_of (positions.begin(), positions.end(), same))
        positions.insert (std::upper_bound (positions.begin(), positions.end(), position), position);
}

void CMarker::copyFrom (const CMarker& other)
{
    for (double position : other.positions)
        add (position);
}

//==============================================================================
CMultiString::CMultiString() = default;

void CMultiString::set (const char* text)
{
    narrow.fill (0);
    for (int i = 0; i < maxLength && text[i] != 0; ++i)
        narrow[(size_t) i] = text[i];
    narrowSetLast = true;
}

void CMultiString::set (const wchar_t* text)
{
    wide.fill (0);
    narrow.fill (0);
    int length = 0;
    while (length < maxLength && text[length] != 0)
        ++length;
    while (length > 0 && text[length - 1] == L' ')
        --length;

    for (int i = 0; i < length; ++i)
    {
        wide[(size_t) i] = text[i];
        narrow[(size_t) i] = (text[i] >= 0 && text[i] < 256) ? (char) text[i] : '?';
    }
    narrowSetLast = false;
}

const wchar_t* CMultiString::getWide() const
{
    if (narrowSetLast)
    {
        for (size_t i = 0; i < narrow.size(); ++i)
            wide[i] = (wchar_t) (unsigned char) narrow[i];
        narrowSetLast = false;
    }
    return wide.data();
}

//==============================================================================
void CAudioMetaData::copyFrom (const CAudioMetaData& other)
{
    for (int i = 0; i < numFields; ++i)
        getField (i).set (other.getField (i).getWide());
}
