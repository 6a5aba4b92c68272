#pragma once

#include <cstdint>

namespace tsumiki {

// The tuning of the local searches, in one place so that a benchmark can sweep it.
// Every default says why it is what it is; the golden rosters and the quality
// table were measured with these values, so a change moves them.

// The repair search, which places the work days members still miss.
struct RepairParameters {
  // Steps between looks at the clock and the events: a few hundred steps take well
  // under a millisecond, so 中止 answers at once without the look costing time.
  int event_interval = 256;
  // A short history: the cost is a small count of missing days, and a long
  // history would accept walks away from a nearly repaired month for too long.
  int history_length = 64;
  // Most steps start at a member who misses days; the rest free the members who
  // block them.
  double short_pivot_share = 0.85;
  // The second day of a two-day exchange lies this close to the first half the
  // time: nearby days are where a run or a night sequence has room.
  int near_days = 7;
  // The longest block two members exchange: a night sequence with its rest day.
  int max_block = 4;
  // The budget when the driver gives none: about a second of steps.
  std::int64_t max_steps = 4'000'000;
};

// The improvement search, which lowers MonthObjective of a month with every target met.
struct ImproveParameters {
  // Half the repair's interval: a step here also rescores the members it moved.
  int event_interval = 128;
  // The score falls many times a second and every status text is a line on the
  // command line.
  std::int64_t status_interval_ms = 250;
  // Long enough to cross the plateaus of equal scores that exchanges make, short
  // enough that the search settles within its budget of moves.
  int history_length = 200;
  // Single work and rest days are most of what the score counts beyond the spreads.
  double single_day_pivot_share = 0.6;
  int near_days = 5;
  int max_block = 4;
  // Members drawn for a partner before a move is given up: a cheap move that
  // fails is better than a long hunt.
  int partner_tries = 8;
  // Share of steps that make two moves together, which may each break a rule the
  // pair keeps.
  double chain_share = 0.2;
  // Share of steps that move a duty staffed above the need to a day below its
  // desired staffing, in a month that sets one: the other moves keep every day's
  // staffing, and a duty drawn at random is rarely one above the need.
  double desired_share = 0.1;
  // Moves without a new best month after which the search ends: by then the month
  // has settled (measured on the shared workbooks), and more moves only cost time.
  std::int64_t stall_steps = 150'000;
  // The budget when the driver gives none; the driver counts 1,500,000 per second.
  std::int64_t max_steps = 3'000'000;
};

// The search over the hard violations that a day filling left (open slots): it
// finds the full month before the construction is started again.
struct OpenSlotParameters {
  int event_interval = 256;
  std::int64_t status_interval_ms = 250;
  // The cost counts open places and missing work days, each weighted far above
  // any RosterScore, plus the score.
  float hard_weight = 10'000.0F;
  // Late acceptance on that cost, its history started anew at each hard
  // violation less: within a level the walk may roughen the month a little to
  // cross a plateau, but never by more than the history allows, and a violation
  // more is never let through. 1 (hill climbing with ties) gets stuck on some
  // months of t2; 400 closes them with the score kept.
  int history_length = 400;
  // Share of steps that start at an open slot (fill it or carry it on); the rest
  // exchange cells between members, as the repair does, to unblock them.
  double slot_pivot_share = 0.7;
  // Members drawn for the one who takes a slot.
  int member_tries = 12;
  // The longest ejection chain: each link puts a member into the hole and opens the
  // cell the member left. Deeper chains are rarely kept and cost rule checks.
  int max_chain = 4;
  int near_days = 7;
  int max_block = 4;
  // Steps at most before the month is given up and built again: well under a
  // second here, and a thousand times what the short-staffed shared workbooks
  // take to close every place (40-750 steps).
  std::int64_t max_steps = 1'000'000;
  // Steps without a lower cost after which the month is given up: a place nobody
  // may take ends the search soon instead of spending the whole budget.
  std::int64_t stall_steps = 50'000;
};

}  // namespace tsumiki
