#include "records/timing_table.h"

#include "records/unit_names.h"

namespace switchsim {
namespace {

bool IsRecord(int record) { return record >= 0 && record < kRecordCount; }

}  // namespace

void TimingTable::Begin(int record, int link, std::int16_t kind, bool forward,
                        std::int32_t clock_ms) {
  if (!IsRecord(record)) return;
  Crossing crossing;
  crossing.record = record;
  crossing.unit = std::string(UnitName(kind, boxes_.MethodText()));
  crossing.link = link;
  crossing.forward = forward;
  crossing.first_left = clock_ms;
  under_way_[record] = latest_[record] = static_cast<int>(rows_.size());
  rows_.push_back(std::move(crossing));
  ++revision_;
}

Crossing* TimingTable::UnderWay(int record, int link) {
  if (!IsRecord(record) || under_way_[record] == kNone) return nullptr;
  Crossing& crossing = rows_[static_cast<std::size_t>(under_way_[record])];
  return crossing.link == link ? &crossing : nullptr;
}

void TimingTable::Note(std::optional<std::int32_t>& time, std::int32_t clock_ms) {
  if (time) return;
  time = clock_ms;
  ++revision_;
}

void TimingTable::OnUnitSetUp(int record) {
  // The circuit's request starts on its link at set-up, without a grant.
  const TransferUnit& unit = simulation_.State().UnitTable[record];
  if (unit.Status != kOnLink) return;
  Begin(record, unit.Link, unit.Kind, unit.Forward != kFalse, simulation_.State().ClockMs);
}

void TimingTable::OnGrant(std::int32_t clock_ms, int record, int link) {
  const TransferUnit& unit = simulation_.State().UnitTable[record];
  Begin(record, link, unit.Kind, unit.Forward != kFalse, clock_ms);
}

void TimingTable::OnFree(std::int32_t clock_ms, int record, int link) {
  if (Crossing* crossing = UnderWay(record, link)) Note(crossing->last_left, clock_ms);
}

void TimingTable::OnPass(std::int32_t clock_ms, int record, int link) {
  if (Crossing* crossing = UnderWay(record, link)) Note(crossing->first_arrived, clock_ms);
  // The next record carries the data on over the next link from this tick.
  const TransferUnit& unit = simulation_.State().UnitTable[record];
  Begin(record + 1, link + 1, unit.Kind, true, clock_ms);
}

void TimingTable::OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t /*kind*/) {
  Crossing* crossing = UnderWay(record, link);
  if (crossing == nullptr) return;
  // A short unit's first bit may reach the end on the tick its last bit does.
  Note(crossing->first_arrived, clock_ms);
  Note(crossing->last_arrived, clock_ms);
  under_way_[record] = kNone;
}

void TimingTable::OnDraw(const Stroke& stroke) {
  Crossing* crossing = UnderWay(stroke.record, stroke.link);
  if (crossing == nullptr) return;
  if (stroke.head >= 1) Note(crossing->first_arrived, stroke.clock_ms);
  // Circuit data passed on stays drawn on its link and never arrives.
  if (stroke.tail > 1) Note(crossing->last_arrived, stroke.clock_ms);
}

void TimingTable::OnCompletion(const Completion& completion) {
  if (!IsRecord(completion.record) || latest_[completion.record] == kNone) return;
  Note(rows_[static_cast<std::size_t>(latest_[completion.record])].delivered, completion.clock_ms);
}

}  // namespace switchsim
