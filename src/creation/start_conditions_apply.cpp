#include "creation/start_conditions_apply.h"

#include <string_view>

#include "conditions/layout.h"

namespace tsumiki {
namespace {

Notice WeightRefusal(std::string text) {
  return Notice{.text = std::move(text),
                .title = std::string(kInputErrorTitle),
                .icon = MsgIcon::kExclamation};
}

// The row of 最適化比重 a weight setting names.
std::optional<int> WeightRow(std::string_view type, const std::vector<std::string>& labels) {
  if (type == kRestWeightLabel || type == std::to_string(kRestWeightRow)) return kRestWeightRow;
  for (std::size_t t = 1; t < labels.size(); ++t) {
    if (type == labels[t] || type == std::to_string(t)) return static_cast<int>(t);
  }
  return std::nullopt;
}

// Lays the settings over the weights; the first one that cannot be used refuses.
std::optional<Notice> SetWeights(const StartConditionsRequest& request,
                                 std::array<std::string, kWeightCount + 1>& weights) {
  for (const std::string& item : request.weight_settings) {
    const auto equals = item.find('=');
    if (equals == std::string::npos) return WeightRefusal(std::string(kWeightNoValue));
    const std::string type = item.substr(0, equals);
    const std::string value = item.substr(equals + 1);
    const auto row = WeightRow(type, request.type_labels);
    if (!row) {
      const std::string count = std::to_string(request.type_labels.size() - 1);
      return WeightRefusal(layout::Format(kWeightUnknownType, {type, count}));
    }
    if (!ParseNumberText(value)) return WeightRefusal(std::string(kWeightInvalid));
    weights[static_cast<std::size_t>(*row)] = value;
  }
  return std::nullopt;
}

}  // namespace

StartConditionsRequest StartConditionsRequest::From(const StoredStartConditions& stored) {
  return StartConditionsRequest{
      .texts = stored.texts, .weights = stored.weights, .type_labels = stored.type_labels};
}

StartConditionsApplied ApplyStartConditions(const EngineContext& context,
                                            const StartConditionsRequest& request,
                                            const std::function<void()>& before_store) {
  const StartConditionCheck check = CheckStartConditions(request.texts);
  if (!check.ok()) {
    return {.refusal = Notice{.text = std::string(check.refusal->message),
                              .title = std::string(check.refusal->title)}};
  }
  std::array<std::string, kWeightCount + 1> weights = request.weights;
  if (auto refusal = SetWeights(request, weights)) return {.refusal = std::move(refusal)};
  if (before_store) before_store();
  StoreStartConditions(context, check.values, weights);
  return {.stored = true};
}

}  // namespace tsumiki
