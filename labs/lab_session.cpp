#include "labs/lab_session.h"

#include <algorithm>
#include <cmath>

#include "explore/curve_layout.h"
#include "explore/lab_curve.h"
#include "options/page_address.h"
#include "pictures/svg_writer.h"
#include "queueing/queue_picture.h"
#include "queueing/queue_report.h"
#include "sharing/share_picture.h"
#include "sharing/share_report.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"

namespace switchsim {
namespace {

/// A lab's runs are statistical, as a sweep's: the same every time unless another seed is chosen.
inline constexpr std::uint64_t kFirstLabSeed = 1;

const OptionRow* RowNamed(const std::string& name) {
  for (const OptionRow& row : OptionTable()) {
    if (row.name == name && row.set != nullptr && Offers(row, FrontEnd::Page)) return &row;
  }
  return nullptr;
}

std::string Percent(double share, int places = 1) { return FixedText(share * 100.0, places) + " %"; }

std::vector<LabelledLine> ShareFigures(const ShareRun& run) {
  const ShareSetting& s = run.setting();
  const BurstCase burst = BurstCaseOf(s);
  const double congestion = run.Congestion().Mean();
  return {
      {"Circuits", std::to_string(run.CircuitUsers()) + " users served, " + std::to_string(s.users - run.CircuitUsers()) +
                       " refused: floor(" + s.link_rate + " / " + s.user_rate + ") = " +
                       std::to_string(run.ReservedUsers())},
      {"Reserved, idle", Percent(run.ReservedIdle()) + " of the link, reserved for circuits but not used"},
      {"Congestion, formula", "P(more than " + std::to_string(run.ReservedUsers()) + " active) = " +
                                  ChanceText(CongestionFormula(s)) + ", the binomial sum over " + std::to_string(s.users) +
                                  " users active " + ShortestText(s.active) + " of the time"},
      {"Congestion, simulated", ChanceText(congestion) + " \u00b1 " + ChanceText(run.Congestion().HalfWidth()) +
                                    " (99.9 %): " + std::to_string(run.CongestedSlots()) + " of " +
                                    std::to_string(run.SlotsDone()) + " slots"},
      {"Link used", "circuits " + Percent(run.CircuitUse()) + ", packets " + Percent(run.PacketUse())},
      {"One user's burst", std::to_string(burst.packets) + " packets of " + std::to_string(burst.bits) + " bits: " +
                               ShortestText(burst.reserved_s) + " s on its circuit, " + ShortestText(burst.shared_s) +
                               " s on the whole link"},
  };
}

std::vector<LabelledLine> QueueFigures(const QueueRun& run) {
  const QueueSetting& s = run.setting();
  const double lost = run.Arrived() == 0 ? 0.0 : static_cast<double>(run.Lost()) / static_cast<double>(run.Arrived());
  return {
      {"Intensity", "\u03c1 = " + ShortestText(s.intensity) + ": a packet takes " + MsText(ServiceMs(s)) +
                        " ms to send, and one arrives every " + MsText(ServiceMs(s) / s.intensity) + " ms on average"},
      {"Mean wait, formula", MsText(MeanWaitFormulaMs(s)) + " ms: \u03c1\u00b7S / (2\u00b7(1 \u2212 \u03c1))" +
                                 (s.buffer ? ", for a buffer without limit" : "")},
      {"Mean wait, simulated", MsText(run.Wait().Mean()) + " ms \u00b1 " + MsText(run.Wait().HalfWidth()) +
                                   " (99.9 %) over " + std::to_string(run.Arrived()) + " packets"},
      {"Lost", std::to_string(run.Lost()) + " (" + Percent(lost, 2) + ")" +
                   (s.buffer ? ", with room for " + std::to_string(*s.buffer) + " waiting" : ", no limit to the buffer")},
      {"Longest queue", std::to_string(run.LongestQueue()) + " packets waiting"},
  };
}

}  // namespace

LabSession::LabSession(LabKind kind) : kind_(kind) {
  request_.share = kind == LabKind::Share;
  request_.queue = kind == LabKind::Queue;
  request_.seed = kFirstLabSeed;
}

std::string LabSession::Title() const { return kind_ == LabKind::Share ? "Shared link" : "Queue"; }

std::vector<LabField> LabSession::Fields() const {
  const std::string seed = "seed";
  if (kind_ == LabKind::Share) {
    const ShareSetting& s = request_.share_setting;
    return {{"users", "Users", std::to_string(s.users), "users on the link, 1 to 1000"},
            {"active", "Active share", ShortestText(s.active), "the share of the time each is active, above 0 and below 1"},
            {"user-rate", "User's rate (Mbps)", s.user_rate, "a user's rate while active"},
            {"link-rate", "Link's rate (Mbps)", s.link_rate, "the link's rate"},
            {"burst", "Mean burst (slots)", s.burst_slots ? ShortestText(*s.burst_slots) : "",
             "the mean active period; empty: each slot drawn afresh"},
            {"slots", "Slots", std::to_string(s.slot_count), "slots to run, 1 to 10000000"},
            {seed, "Seed", std::to_string(request_.seed), "the run's random numbers"}};
  }
  const QueueSetting& q = request_.queue_setting;
  return {{"intensity", "Intensity \u03c1", ShortestText(q.intensity), "La/R, from 0.05 to 0.99"},
          {"buffer", "Buffer (packets)", q.buffer ? std::to_string(*q.buffer) : "",
           "packets that may wait while one is sent; empty: no limit"},
          {"packets", "Packets", std::to_string(q.packets), "packets to run, 1 to 10000000"},
          {seed, "Seed", std::to_string(request_.seed), "the run's random numbers"}};
}

std::optional<std::string> LabSession::Set(const std::string& name, const std::string& text) {
  RunRequest changed = request_;
  std::optional<std::string> refusal;
  if (name == "buffer" && text.empty()) {
    changed.queue_setting.buffer.reset();
  } else if (name == "burst" && text.empty()) {
    changed.share_setting.burst_slots.reset();
  } else if (const OptionRow* row = RowNamed(name)) {
    refusal = row->set(text, changed);
  } else {
    refusal = Quoted(name) + " is no box of this lab";
  }
  if (refusal) {
    Say(Title() + ": " + *refusal);
    return refusal;
  }
  request_ = std::move(changed);
  ++revision_;
  return std::nullopt;
}

void LabSession::Apply(const RunRequest& request) {
  if (request.share) request_.share_setting = request.share_setting;
  if (request.queue) request_.queue_setting = request.queue_setting;
  if (const auto seed = request.Seed()) request_.seed = *seed;
  Start();
}

std::optional<std::string> LabSession::Start() {
  if (held_) {
    Say(Title() + ": " + std::string(kLabHeldNotice));
    return std::string(kLabHeldNotice);
  }
  const auto refusal = kind_ == LabKind::Share ? ShareRefusal(request_.share_setting)
                                               : QueueRefusal(request_.queue_setting);
  if (refusal) {
    Say(Title() + ": " + *refusal);
    return refusal;
  }
  share_.reset();
  queue_.reset();
  if (kind_ == LabKind::Share) {
    ShareSetting s = request_.share_setting;
    s.seed = request_.seed;
    share_ = std::make_unique<ShareRun>(s);
    Say("Shared link: " + std::to_string(s.users) + " users of " + s.user_rate + " Mbps on " + s.link_rate +
        " Mbps, " + std::to_string(s.slot_count) + " slots, seed " + std::to_string(s.seed) + ": running");
  } else {
    QueueSetting q = request_.queue_setting;
    q.seed = request_.seed;
    queue_ = std::make_unique<QueueRun>(q);
    Say("Queue: intensity " + ShortestText(q.intensity) + ", " + std::to_string(q.packets) + " packets, seed " +
        std::to_string(q.seed) + ": running");
  }
  return std::nullopt;
}

bool LabSession::RunSlice() {
  if (!Running()) return false;
  if (share_) share_->RunNext(kSliceSlots);
  if (queue_) queue_->RunNext(kSlicePackets);
  ++revision_;
  if (!Running()) Finished();
  return Running();
}

bool LabSession::Running() const { return (share_ && !share_->Done()) || (queue_ && !queue_->Done()); }

double LabSession::Progress() const {
  if (share_) return static_cast<double>(share_->SlotsDone()) / static_cast<double>(share_->setting().slot_count);
  if (queue_) return static_cast<double>(queue_->Arrived()) / static_cast<double>(queue_->setting().packets);
  return 0.0;
}

void LabSession::Finished() {
  if (share_) {
    Say("Shared link done: " + std::to_string(share_->CircuitUsers()) + " users on circuits; congested in " +
        ChanceText(share_->Congestion().Mean()) + " of the slots, " + ChanceText(CongestionFormula(share_->setting())) +
        " by the formula");
  } else if (queue_) {
    Say("Queue done: mean wait " + MsText(queue_->Wait().Mean()) + " ms, " + MsText(MeanWaitFormulaMs(queue_->setting())) +
        " ms by the formula; " + std::to_string(queue_->Lost()) + " lost");
  }
}

Drawing LabSession::Picture() const {
  if (held_) return {};
  if (share_) return SharePicture(*share_);
  if (queue_) return QueuePicture(*queue_);
  return {};
}

std::vector<LabelledLine> LabSession::Figures() const {
  if (held_) return {};
  if (share_) return ShareFigures(*share_);
  if (queue_) return QueueFigures(*queue_);
  return {};
}

std::string LabSession::Json() const {
  if (held_) return {};
  if (share_) return ShareJson(*share_);
  if (queue_) return QueueJson(*queue_);
  return {};
}

std::string LabSession::Query() const {
  std::string query = kind_ == LabKind::Share ? "share=1" : "queue=1";
  for (const LabField& field : Fields()) {
    if (field.value.empty()) continue;  // no burst, no limit: as a link leaves them out
    query += "&" + field.name + "=" + QueryEncoded(field.value);
  }
  return query;
}

void LabSession::SetHeld(bool held) {
  if (held == held_) return;
  held_ = held;
  ++revision_;
}

std::optional<std::string> LabSession::StartCurve(const std::string& range, int seeds) {
  const std::string name = kind_ == LabKind::Share ? "users=" : "intensity=";
  std::optional<std::string> refusal;
  if (held_) refusal = std::string(kLabHeldNotice);
  auto read = ReadLabSweepRange(name + range);
  if (!refusal) {
    if (auto* error = std::get_if<std::string>(&read)) refusal = *error;
  }
  if (!refusal) {
    refusal = kind_ == LabKind::Share ? ShareRefusal(request_.share_setting) : QueueRefusal(request_.queue_setting);
  }
  if (!refusal) {
    refusal = LabSweepRefusal(std::get<LabSweepRange>(read), request_.share_setting, request_.queue_setting, seeds);
  }
  if (refusal) {
    Say(Title() + " curve: " + *refusal);
    return refusal;
  }
  sweep_ = std::make_unique<LabSweep>(std::get<LabSweepRange>(std::move(read)), request_.share_setting,
                                      request_.queue_setting, request_.seed, seeds);
  Say(Title() + " curve: " + LabSweepContext(*sweep_) + ": drawing");
  return std::nullopt;
}

bool LabSession::RunCurveSlice() {
  if (!CurveRunning()) return false;
  sweep_->RunNext(kind_ == LabKind::Share ? kSliceSlots : kSlicePackets);
  ++revision_;
  if (!CurveRunning()) Say(Title() + " curve drawn: " + std::to_string(sweep_->runs().size()) + " runs");
  return CurveRunning();
}

Drawing LabSession::CurvePicture() const {
  return sweep_ && !held_ ? CurveLayout(LabCurveData(*sweep_)).drawing() : Drawing{};
}

std::string LabSession::CurveSvg() const { return sweep_ && !held_ ? SvgText(CurvePicture()) : std::string(); }
std::string LabSession::CurveCsv() const { return sweep_ && !held_ ? LabSweepCsv(*sweep_) : std::string(); }
std::string LabSession::CurveTable() const { return sweep_ && !held_ ? LabSweepTableText(*sweep_) : std::string(); }

void LabSession::Say(std::string notice) {
  notice_ = std::move(notice);
  ++notices_;
  ++revision_;
}

}  // namespace switchsim
