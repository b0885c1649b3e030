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

// Numbers as a person reads them.
std::string Shown(double value) { return PeopleNumber(ShortestText(value)); }
std::string Ms(double ms) { return PeopleNumber(MsText(ms)); }
std::string Chance(double p) { return PeopleNumber(ChanceText(p)); }
std::string Percent(double share, int places = 1) { return PeopleNumber(FixedText(share * 100.0, places)) + " %"; }

std::vector<LabelledLine> ShareFigures(const ShareRun& run) {
  const ShareSetting& s = run.setting();
  const BurstCase burst = BurstCaseOf(s);
  const double congestion = run.Congestion().Mean();
  const std::string reserved = std::to_string(run.ReservedUsers());
  return {
      {TrIn("a lab's figure", "Circuits"), Fill(Tr("{0} users served, {1} refused: floor({2} / {3}) = {4}"),
                               {std::to_string(run.CircuitUsers()), std::to_string(s.users - run.CircuitUsers()),
                                PeopleNumber(s.link_rate), PeopleNumber(s.user_rate), reserved})},
      {TrIn("a lab's figure", "Reserved, idle"), Fill(Tr("{0} of the link, reserved for circuits but not used"), {Percent(run.ReservedIdle())})},
      {TrIn("a lab's figure", "Congestion, formula"),
       Fill(Tr("P(more than {0} active) = {1}, the binomial sum over {2} users active {3} of the time"),
            {reserved, Chance(CongestionFormula(s)), std::to_string(s.users), Shown(s.active)})},
      {TrIn("a lab's figure", "Congestion, simulated"),
       Fill(Tr("{0} \u00b1 {1} (99.9 %): {2} of {3} slots"),
            {Chance(congestion), Chance(run.Congestion().HalfWidth()), std::to_string(run.CongestedSlots()),
             std::to_string(run.SlotsDone())})},
      {TrIn("a lab's figure", "Link used"), Fill(Tr("circuits {0}, packets {1}"), {Percent(run.CircuitUse()), Percent(run.PacketUse())})},
      {TrIn("a lab's figure", "One user's burst"), Fill(Tr("{0} packets of {1} bits: {2} s on its circuit, {3} s on the whole link"),
                                       {std::to_string(burst.packets), std::to_string(burst.bits),
                                        Shown(burst.reserved_s), Shown(burst.shared_s)})},
  };
}

std::vector<LabelledLine> QueueFigures(const QueueRun& run) {
  const QueueSetting& s = run.setting();
  const double lost = run.Arrived() == 0 ? 0.0 : static_cast<double>(run.Lost()) / static_cast<double>(run.Arrived());
  const std::string lost_count = std::to_string(run.Lost());
  return {
      {TrIn("a lab's figure", "Intensity"), Fill(Tr("\u03c1 = {0}: a packet takes {1} ms to send, and one arrives every {2} ms on average"),
                                {Shown(s.intensity), Ms(ServiceMs(s)), Ms(ServiceMs(s) / s.intensity)})},
      {TrIn("a lab's figure", "Mean wait, formula"),
       s.buffer ? Fill(Tr("{0} ms: \u03c1\u00b7S / (2\u00b7(1 \u2212 \u03c1)), for a buffer without limit"),
                       {Ms(MeanWaitFormulaMs(s))})
                : Fill(Tr("{0} ms: \u03c1\u00b7S / (2\u00b7(1 \u2212 \u03c1))"), {Ms(MeanWaitFormulaMs(s))})},
      {TrIn("a lab's figure", "Mean wait, simulated"), Fill(Tr("{0} ms \u00b1 {1} (99.9 %) over {2} packets"),
                                           {Ms(run.Wait().Mean()), Ms(run.Wait().HalfWidth()),
                                            std::to_string(run.Arrived())})},
      {TrIn("a lab's figure", "Lost"), s.buffer ? Fill(Tr("{0} ({1}), with room for {2} waiting"),
                                      {lost_count, Percent(lost, 2), std::to_string(*s.buffer)})
                               : Fill(Tr("{0} ({1}), no limit to the buffer"), {lost_count, Percent(lost, 2)})},
      {TrIn("a lab's figure", "Longest queue"), Fill(Tr("{0} packets waiting"), {std::to_string(run.LongestQueue())})},
  };
}

}  // namespace

LabSession::LabSession(LabKind kind) : kind_(kind) {
  request_.share = kind == LabKind::Share;
  request_.queue = kind == LabKind::Queue;
  request_.seed = kFirstLabSeed;
}

std::string LabSession::Title() const {
  return kind_ == LabKind::Share ? TrIn("a lab's name", "Shared link") : TrIn("a lab's name", "Queue");
}

std::vector<LabField> LabSession::Fields() const {
  const std::string seed = "seed";
  if (kind_ == LabKind::Share) {
    const ShareSetting& s = request_.share_setting;
    return {{"users", TrIn("a lab's box", "Users"), std::to_string(s.users), Tr("users on the link, 1 to 1000")},
            {"active", TrIn("a lab's box", "Active share"), ShortestText(s.active),
             Tr("the share of the time each is active, above 0 and below 1")},
            {"user-rate", TrIn("a lab's box", "User's rate (Mbps)"), s.user_rate, Tr("a user's rate while active")},
            {"link-rate", TrIn("a lab's box", "Link's rate (Mbps)"), s.link_rate, Tr("the link's rate")},
            {"burst", TrIn("a lab's box", "Mean burst (slots)"), s.burst_slots ? ShortestText(*s.burst_slots) : "",
             Tr("the mean active period; empty: each slot drawn afresh")},
            {"slots", TrIn("a lab's box", "Slots"), std::to_string(s.slot_count), Tr("slots to run, 1 to 10000000")},
            {seed, TrIn("a lab's box", "Seed"), std::to_string(request_.seed), Tr("the run's random numbers")}};
  }
  const QueueSetting& q = request_.queue_setting;
  return {{"intensity", TrIn("a lab's box", "Intensity \u03c1"), ShortestText(q.intensity),
           Fill(Tr("La/R, from {0} to {1}"), {Shown(kLeastIntensity), Shown(kMostIntensity)})},
          {"buffer", TrIn("a lab's box", "Buffer (packets)"), q.buffer ? std::to_string(*q.buffer) : "",
           Tr("packets that may wait while one is sent; empty: no limit")},
          {"packets", TrIn("a lab's box", "Packets"), std::to_string(q.packets), Tr("packets to run, 1 to 10000000")},
          {seed, TrIn("a lab's box", "Seed"), std::to_string(request_.seed), Tr("the run's random numbers")}};
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
    refusal = Fill(Tr("{0} is no box of this lab"), {Quoted(name)});
  }
  if (refusal) {
    SayRefusal(*refusal);
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
    SayRefusal(Tr(kLabHeldNotice));
    return Tr(kLabHeldNotice);
  }
  const auto refusal = kind_ == LabKind::Share ? ShareRefusal(request_.share_setting)
                                               : QueueRefusal(request_.queue_setting);
  if (refusal) {
    SayRefusal(*refusal);
    return refusal;
  }
  share_.reset();
  queue_.reset();
  if (kind_ == LabKind::Share) {
    ShareSetting s = request_.share_setting;
    s.seed = request_.seed;
    share_ = std::make_unique<ShareRun>(s);
    Say(Fill(Tr("Shared link: {0} users of {1} Mbps on {2} Mbps, {3} slots, seed {4}: running"),
             {std::to_string(s.users), PeopleNumber(s.user_rate), PeopleNumber(s.link_rate),
              std::to_string(s.slot_count), std::to_string(s.seed)}));
  } else {
    QueueSetting q = request_.queue_setting;
    q.seed = request_.seed;
    queue_ = std::make_unique<QueueRun>(q);
    Say(Fill(Tr("Queue: intensity {0}, {1} packets, seed {2}: running"),
             {Shown(q.intensity), std::to_string(q.packets), std::to_string(q.seed)}));
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
    Say(Fill(Tr("Shared link done: {0} users on circuits; congested in {1} of the slots, {2} by the formula"),
             {std::to_string(share_->CircuitUsers()), Chance(share_->Congestion().Mean()),
              Chance(CongestionFormula(share_->setting()))}));
  } else if (queue_) {
    Say(Fill(Tr("Queue done: mean wait {0} ms, {1} ms by the formula; {2} lost"),
             {Ms(queue_->Wait().Mean()), Ms(MeanWaitFormulaMs(queue_->setting())), std::to_string(queue_->Lost())}));
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
  if (held_) refusal = Tr(kLabHeldNotice);
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
    Say(kind_ == LabKind::Share ? Fill(Tr("Shared link curve: {0}"), {*refusal}) : Fill(Tr("Queue curve: {0}"), {*refusal}));
    return refusal;
  }
  sweep_ = std::make_unique<LabSweep>(std::get<LabSweepRange>(std::move(read)), request_.share_setting,
                                      request_.queue_setting, request_.seed, seeds);
  const std::string context = LabSweepContext(*sweep_);
  Say(kind_ == LabKind::Share ? Fill(Tr("Shared link curve: {0}: drawing"), {context})
                              : Fill(Tr("Queue curve: {0}: drawing"), {context}));
  return std::nullopt;
}

bool LabSession::RunCurveSlice() {
  if (!CurveRunning()) return false;
  sweep_->RunNext(kind_ == LabKind::Share ? kSliceSlots : kSlicePackets);
  ++revision_;
  if (!CurveRunning()) {
    const std::string runs = std::to_string(sweep_->runs().size());
    Say(kind_ == LabKind::Share ? Fill(Tr("Shared link curve drawn: {0} runs"), {runs})
                                : Fill(Tr("Queue curve drawn: {0} runs"), {runs}));
  }
  return CurveRunning();
}

Drawing LabSession::CurvePicture() const {
  return sweep_ && !held_ ? CurveLayout(LabCurveData(*sweep_)).drawing() : Drawing{};
}

std::string LabSession::CurveSvg() const { return sweep_ && !held_ ? SvgText(CurvePicture()) : std::string(); }
std::string LabSession::CurveCsv() const { return sweep_ && !held_ ? LabSweepCsv(*sweep_) : std::string(); }
std::string LabSession::CurveTable() const { return sweep_ && !held_ ? LabSweepTableText(*sweep_) : std::string(); }

void LabSession::SayRefusal(const std::string& refusal) {
  Say(kind_ == LabKind::Share ? Fill(Tr("Shared link: {0}"), {refusal}) : Fill(Tr("Queue: {0}"), {refusal}));
}

void LabSession::Say(std::string notice) {
  notice_ = std::move(notice);
  ++notices_;
  ++revision_;
}

}  // namespace switchsim
