// State that the evaluation routines share with the program: markers, user functions, mode, random source.
#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace kurvo {

class TParser;

/// The user functions F, G, H, I, J, K and L.
inline constexpr std::size_t UserFunctionCount = 7;

/// The program-wide state an evaluation can read or set. The program owns one and hands it to every
/// parser it creates, so the routines of DIFF, INTEG, INV and the user functions F..L reach it without
/// globals.
struct TParserContext {
    /// Set (never cleared) by DIFF, INTEG and INV; the plotters read and reset them.
    bool DerivativeMarker = false;
    bool IntegralMarker = false;
    bool InverseMarker = false;
    /// User functions bind X in Cartesian mode and T otherwise.
    bool CartesianMode = true;
    /// The parsers holding the user functions F, G, H, I, J, K and L (not owned; may be null).
    std::array<TParser*, UserFunctionCount> UserFunctionParser{};
    /// How many user-function calls are running inside each other right now.
    int userFunctionDepth = 0;
    /// Source of RND and RANDOM.
    std::mt19937_64 random{0x4b7572766f3332ULL};

    void resetMarkers() { DerivativeMarker = IntegralMarker = InverseMarker = false; }
};

/// Deepest chain of user-function calls allowed; seven distinct functions can never go deeper
/// without one of them calling itself.
inline constexpr int MaxUserFunctionDepth = 8;

} // namespace kurvo
