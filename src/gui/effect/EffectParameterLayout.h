#pragma once

// Where the effect page puts the control of each parameter slot: a cell of
// a grid three cells wide, numbered row by row from 0.
class EffectParameterLayout
{
public:
    static constexpr int columns = 3;

    virtual ~EffectParameterLayout() = default;

    virtual int getCell (int slot) const = 0;

    static int columnOf (int cell) { return cell % columns; }
    static int rowOf (int cell) { return cell / columns; }
};
