#pragma once

#include <array>
#include <cstddef>
#include <vector>

// Marker positions in ascending order. Positions that agree to a thousandth
// (both multiplied by 1000 and rounded) count as the same marker.
class CMarker
{
public:
    void add (double position);
    void copyFrom (const CMarker& other);
    void clear() { positions.clear(); }

    const std::vector<double>& getPositions() const { return positions; }

private:
    std::vector<double> positions;
};

// A text of at most 128 characters held as 8-bit characters (read as
// Latin-1) and as wide characters; the wide form is derived on demand when
// the 8-bit form was set last.
class CMultiString
{
public:
    static constexpr int maxLength = 128;

    CMultiString();

    void set (const char* text);
    // Cuts the text to maxLength characters and removes trailing spaces.
    void set (const wchar_t* text);

    const char* get8Bit() const { return narrow.data(); }
    const wchar_t* getWide() const;

private:
    std::array<char, maxLength + 1> narrow {};
    mutable std::array<wchar_t, maxLength + 1> wide {};
    mutable bool narrowSetLast = false;
};

// The eight text fields that travel with audio from an input to an output.
class CAudioMetaData
{
public:
    static constexpr int numFields = 8;

    CMultiString& getField (int index) { return fields[(size_t) index]; }
    const CMultiString& getField (int index) const { return fields[(size_t) index]; }
    void copyFrom (const CAudioMetaData& other);

private:
    std::array<CMultiString, numFields> fields;
};
