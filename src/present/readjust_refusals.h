#pragma once

#include <string>

#include "conditions/condition_model.h"

namespace tsumiki {

// The text of a failed readjustment of member x's duty on day d: "調整失敗",
// then for each member off on d, whose direct exchange with x the search tried
// first, the rule that stopped it, in the sentences the explanation of a day uses.
// The model is not changed.
std::string ReadjustFailureText(const ConditionModel& model, int d, int x);

}  // namespace tsumiki
