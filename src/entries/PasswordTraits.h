#pragma once

// The eight traits the last password check found, in the order the rules list them.
struct PasswordTraitSet
{
    bool MeetsMinimum = false;
    bool TooLong = false;
    bool HasDigit = false;
    bool HasLetter = false;
    bool HasSpecial = false;
    bool HasLower = false;
    bool HasUpper = false;
    bool HasSpace = false;
};
