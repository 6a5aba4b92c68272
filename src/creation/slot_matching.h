#pragma once

#include <vector>

namespace tsumiki {

// How many of a day's places can be filled at once when each member takes at most
// one duty: a maximum matching of members to duties with `need[t]` places of duty
// t. `able[m][t]` says that member m may take duty t; every row has need.size()
// entries. Augmenting paths (Kuhn), O(members × places × edges): a day has at most
// a few hundred places.
int MostPlacesFilled(const std::vector<std::vector<bool>>& able, const std::vector<int>& need);

}  // namespace tsumiki
