#include "optimise/score_text.h"

#include <charconv>

namespace tsumiki {

std::string FormatScore(double score, int decimals) {
  // Independent of the process locale: the score box and the pass comparison both
  // need the decimal point.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "";
  return std::string(buffer, result.ptr);
}

float RoundScore(float score) {
  const std::string text = FormatScore(score, 3);
  float value = score;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace tsumiki
