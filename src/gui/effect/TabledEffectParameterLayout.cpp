#include "gui/effect/TabledEffectParameterLayout.h"

#include "data/EffectParameterTable.h"

namespace
{
using Cells = int[TabledEffectParameterLayout::numLaidOutSlots];

// By effect type, the cell of each slot; cells of slots the type does not
// have are never used.
const Cells cellsByType[EffectParameterTable::numTypes] = {
    { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 2, 3, 4, 1, 5, 6, 9, 10, 10, 11, 12, 13, 14, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 4, 15, 16, 17, 0, 0, 0, 0 },
    { 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 2, 0, 0, 0, 0, 0 },
    { 0, 1, 2, 3, 4, 5, 6, 9, 10, 10, 11, 12, 13, 14, 0, 0, 0, 0, 0, 0 },
    { 0, 3, 4, 4, 6, 7, 8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 2, 3, 4, 6, 7, 4, 6, 7, 9, 10, 1, 11, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 3, 4, 6, 7, 8, 4, 6, 7, 8, 9, 10, 11, 12, 1, 13, 0, 0, 0, 0 },
    { 0, 3, 4, 6, 7, 4, 6, 7, 9, 10, 12, 13, 13, 14, 15, 16, 17, 18, 19, 1 },
    { 0, 1, 2, 3, 4, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 3, 4, 6, 7, 4, 6, 7, 9, 10, 11, 12, 13, 1, 14, 15, 16, 17, 18, 0 },
    { 0, 3, 4, 5, 6, 7, 1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 2, 3, 4, 6, 7, 7, 8, 9, 10, 11, 12, 13, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 3, 4, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 0, 0, 0, 0, 0 },
    { 0, 1, 3, 4, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 3, 3, 4, 5, 6, 7, 8, 8, 9, 10, 11, 12, 13, 0, 0, 0, 0, 0 },
    { 0, 1, 3, 4, 3, 4, 6, 7, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 2, 3, 4, 5, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 1, 3, 4, 5, 6, 7, 8, 9, 12, 13, 13, 14, 15, 16, 17, 0, 0, 0, 0 },
    { 0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
};
}

TabledEffectParameterLayout::TabledEffectParameterLayout (int type)
    : effectType (type)
{
}

int TabledEffectParameterLayout::getCell (int slot) const
{
    if (effectType < 0 || effectType >= EffectParameterTable::numTypes || slot < 0 || slot >= numLaidOutSlots)
        return 0;

    return cellsByType[effectType][slot];
}
