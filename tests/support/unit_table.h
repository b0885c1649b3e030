#pragma once

#include <vector>

#include "recording_view.h"

namespace switchsim::testing {

/// Record `f` of the rig's unit table, 0 <= f < kRecordCount.
const TransferUnit& Record(const Rig& rig, int f);

/// The records of the rig's unit table that are not idle, in ascending order.
std::vector<int> ActiveRecords(const Rig& rig);

}  // namespace switchsim::testing
