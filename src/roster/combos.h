#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// Combination rules. Records list member numbers; MemberRowOfNumber turns them
// into roster rows. Empty records (duty type 0) are passed over wherever they
// stand, so a blank row in the middle of a table does not hide the rows after it.

// True when giving member m duty t on day d would put `Count` listed members of
// an applying forbidden record (its duty type t or "*") on duty t that day.
bool ForbiddenComboHit(const ConditionModel& model, int m, int d, int t);

// The after-the-fact form for a roster already filled: true when member m's duty
// on day d, together with the other listed members on the same duty, reaches the
// count of an applying forbidden record. A member without duty breaches nothing.
bool ForbiddenComboBreached(const ConditionModel& model, int m, int d);

// For the first required record of duty type t: its count minus the listed
// members holding duty t on day d, never below 0; 0 when t has no record.
int RequiredShortfall(const ConditionModel& model, int d, int t);

// The first required record of duty type t (index into RequiredCombos), 0 when
// there is none.
int FirstRequiredCombo(const ConditionModel& model, int t);

// Whether member row m is listed in the record (through MemberRowOfNumber).
bool ComboLists(const ConditionModel& model, int m, const ComboRule& rule);

// Listed members of the record on duty t on day d.
int ComboMembersOnDuty(const ConditionModel& model, int d, int t, const ComboRule& rule);

}  // namespace tsumiki
