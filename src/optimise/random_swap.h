#pragma once

#include "optimise/search_context.h"

namespace tsumiki {

// Shakes the roster built so far: for each day StartDay..last_day, as many random
// exchanges of two members' duties as there are members, each kept when SwapCheck
// accepts it and, in the modes that keep single days down, it leaves no single
// work or rest day on that day (for member a in mode 0, for member b in modes 0
// and 1; never tested on the month's last day). Reads Time_Table once and writes
// it back once, also after an abort. `mode` is the creation mode (kMode...).
void RandomSwapPass(const SearchContext& ctx, int mode, int last_day);

}  // namespace tsumiki
