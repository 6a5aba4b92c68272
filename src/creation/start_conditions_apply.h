#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conditions/engine_context.h"
#include "creation/start_conditions.h"
#include "ui/notice.h"

namespace tsumiki {

// Start conditions and weights to be stored, as a front end gathered them: the
// dialog's fields and boxes, or the command line's flags over the stored values.
struct StartConditionsRequest {
  StartConditionTexts texts;
  // Rows 1..TypeCount and 12 of 最適化比重, stored as typed (unchecked: the
  // dialog's boxes keep any text).
  std::array<std::string, kWeightCount + 1> weights{};
  // Abbreviations of duty types 1..TypeCount (index = type), which weight
  // settings may name.
  std::vector<std::string> type_labels;
  // "TYPE=VALUE" items laid over `weights`: TYPE an abbreviation, a type number
  // or 休み (12); VALUE must be a number, since a typo would weigh nothing.
  std::vector<std::string> weight_settings{};

  // The request that stores the conditions as the workbook holds them.
  static StartConditionsRequest From(const StoredStartConditions& stored);
};

// Checks the request (the start conditions in the dialog's order, then each
// weight setting) and stores it into Main, 最適化比重 and the model's run
// settings. On a refusal nothing is stored. `before_store` runs once the checks
// passed (the dialog shows that it stores). A failed workbook write throws
// WorkbookError, with nothing written.
StartConditionsApplied ApplyStartConditions(const EngineContext& context,
                                            const StartConditionsRequest& request,
                                            const std::function<void()>& before_store = {});

}  // namespace tsumiki
