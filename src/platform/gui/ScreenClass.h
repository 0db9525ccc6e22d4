#pragma once

// Small or large layout. Every desktop screen is large (at least 320 x 320);
// ORBELIN_SMALL_SCREEN=1 in the environment forces the small layout.
class ScreenClass
{
public:
    static bool IsLarge();
    // For tests: force a class until Reset; it wins over the environment.
    static void Force(bool large);
    static void Reset();

    // Pixel figures that come in a small and a large variant.
    static int Pick(int small, int large) { return IsLarge() ? large : small; }
};
