#include "unit_table.h"

namespace switchsim::testing {

const TransferUnit& Record(const Rig& rig, int f) { return rig.State().UnitTable[f]; }

std::vector<int> ActiveRecords(const Rig& rig) {
  std::vector<int> active;
  for (int f = 0; f < kRecordCount; ++f) {
    if (Record(rig, f).Status != kIdle) active.push_back(f);
  }
  return active;
}

}  // namespace switchsim::testing
