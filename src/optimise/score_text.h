#pragma once

#include <string>

namespace tsumiki {

// A score with fixed decimals ("0.000", "0.00"), whatever the process locale.
std::string FormatScore(double score, int decimals);

// A score cut to the three decimals that passes are compared at: formatted
// "0.000" and read back in single precision.
float RoundScore(float score);

}  // namespace tsumiki
