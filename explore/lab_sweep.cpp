#include "explore/lab_sweep.h"

#include <cmath>

#include "explore/sweep_range.h"
#include "sharing/share_report.h"
#include "simulation/numbers.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

inline constexpr int kMostLabSeeds = 100;

}  // namespace

bool NamesLabSweep(const std::string& text) {
  return text.rfind("users=", 0) == 0 || text.rfind("intensity=", 0) == 0;
}

std::variant<LabSweepRange, std::string> ReadLabSweepRange(const std::string& text) {
  if (!NamesLabSweep(text)) {
    return Fill(Tr("{0} is not a sweep of a lab; give users=FROM:TO:STEP or intensity=FROM:TO:STEP"), {Quoted(text)});
  }
  const bool users = text.front() == 'u';
  auto values = ReadSteppedValues(text.substr(text.find('=') + 1));
  if (auto* error = std::get_if<std::string>(&values)) return *std::move(error);
  LabSweepRange range{users ? LabCurve::Congestion : LabCurve::QueueWait,
                      std::get<std::vector<double>>(std::move(values))};
  for (const double x : range.values) {
    const std::string shown = ShortestText(x);
    if (users && (x != std::floor(x) || x < 1 || x > kMostShareUsers)) {
      return Fill(Tr("{0} is not a number of users; use whole numbers from 1 to 1000"), {Quoted(shown)});
    }
    if (!users && (x < kLeastIntensity || x > kMostIntensity)) {
      return Fill(Tr("{0} is not an intensity a queue is run at; use 0.05 to 0.99"), {Quoted(shown)});
    }
  }
  return range;
}

std::string LabSweepName(const LabSweepRange& range) {
  return range.curve == LabCurve::Congestion ? "users" : "intensity";
}

std::optional<std::string> LabSweepRefusal(const LabSweepRange& range, const ShareSetting& share,
                                           const QueueSetting& queue, int seed_count) {
  if (seed_count < 1 || seed_count > kMostLabSeeds) {
    return Fill(Tr("{0} is not a number of seeds; use 1 to 100"), {Quoted(std::to_string(seed_count))});
  }
  const bool congestion = range.curve == LabCurve::Congestion;
  std::int64_t steps = 0;
  for (const double x : range.values) {
    ShareSetting s = share;
    QueueSetting q = queue;
    s.users = static_cast<int>(x);
    q.intensity = x;
    if (auto refusal = congestion ? ShareRefusal(s) : QueueRefusal(q)) return refusal;
    steps += (congestion ? s.slot_count : q.packets) * seed_count;
  }
  if (steps > kMostLabSweepSteps) {
    return Fill(congestion ? Tr("the sweep would make {0} slots in all; at most 100000000, so take fewer values, "
                                "seeds or slots")
                           : Tr("the sweep would make {0} packets in all; at most 100000000, so take fewer values, "
                                "seeds or packets"),
                {std::to_string(steps)});
  }
  return std::nullopt;
}

LabSweep::LabSweep(LabSweepRange range, ShareSetting share, QueueSetting queue, std::uint64_t first_seed,
                   int seed_count)
    : range_(std::move(range)), share_(std::move(share)), queue_(queue), first_seed_(first_seed),
      seed_count_(seed_count) {
  for (std::size_t i = 0; i < range_.values.size(); ++i) {
    formulas_.push_back(range_.curve == LabCurve::Congestion ? CongestionFormula(ShareAt(i, first_seed_))
                                                             : MeanWaitFormulaMs(QueueAt(i, first_seed_)));
  }
}

LabSweep::~LabSweep() = default;
LabSweep::LabSweep(LabSweep&&) noexcept = default;
LabSweep& LabSweep::operator=(LabSweep&&) noexcept = default;

ShareSetting LabSweep::ShareAt(std::size_t x_index, std::uint64_t seed) const {
  ShareSetting s = share_;
  s.users = static_cast<int>(range_.values.at(x_index));
  s.seed = seed;
  return s;
}

QueueSetting LabSweep::QueueAt(std::size_t x_index, std::uint64_t seed) const {
  QueueSetting q = queue_;
  q.intensity = range_.values.at(x_index);
  q.seed = seed;
  return q;
}

std::int64_t LabSweep::StepsOfRun() const {
  return range_.curve == LabCurve::Congestion ? share_.slot_count : queue_.packets;
}

LabSweepRun LabSweep::NextPlace() const {
  const std::size_t n = runs_.size();
  const auto seeds = static_cast<std::size_t>(seed_count_);
  return {n / seeds, first_seed_ + n % seeds, 0.0, 0.0};
}

void LabSweep::BeginRun() {
  const LabSweepRun place = NextPlace();
  if (range_.curve == LabCurve::Congestion) {
    share_run_ = std::make_unique<ShareRun>(ShareAt(place.x_index, place.seed));
  } else {
    queue_run_ = std::make_unique<QueueRun>(QueueAt(place.x_index, place.seed));
  }
}

void LabSweep::RunNext(std::int64_t max_steps) {
  while (max_steps > 0 && !Done()) {
    if (!share_run_ && !queue_run_) BeginRun();
    const std::int64_t before = share_run_ ? share_run_->SlotsDone() : queue_run_->Arrived();
    if (share_run_) share_run_->RunNext(max_steps);
    if (queue_run_) queue_run_->RunNext(max_steps);
    const std::int64_t after = share_run_ ? share_run_->SlotsDone() : queue_run_->Arrived();
    max_steps -= after - before;
    steps_done_ += after - before;
    LabSweepRun run = NextPlace();
    if (share_run_ && share_run_->Done()) {
      run.simulated = share_run_->Congestion().Mean();
      run.half_width = share_run_->Congestion().HalfWidth();
      runs_.push_back(run);
      share_run_.reset();
    } else if (queue_run_ && queue_run_->Done()) {
      run.simulated = queue_run_->Wait().Mean();
      run.half_width = queue_run_->Wait().HalfWidth();
      runs_.push_back(run);
      queue_run_.reset();
    }
  }
}

double LabSweep::Progress() const {
  const double all = static_cast<double>(StepsOfRun()) * static_cast<double>(RunCount());
  return all > 0 ? static_cast<double>(steps_done_) / all : 1.0;
}

}  // namespace switchsim
