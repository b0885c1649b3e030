#include "explore/curve_marks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "simulation/numbers.h"
#include "records/results_format.h"
#include "text/number_texts.h"
#include "text/translation.h"

namespace switchsim {
namespace {

int Sign(double value) { return (value > 0) - (value < 0); }

// Rounded to a tenth, for a label a person reads.
std::string Tenths(double value) { return PeopleNumber(ShortestText(std::round(value * 10) / 10)); }

// A curve's value in ms by technique and x index; NaN where it has none.
using CurveMs = std::function<double(int, std::size_t)>;

void AddCrossings(const std::vector<double>& xs, const CurveMs& ms, int a, int b, std::vector<Overtake>& found) {
  std::optional<std::size_t> last;  // the last x where the two differ
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double difference = ms(a, i) - ms(b, i);
    if (!std::isfinite(difference) || Sign(difference) == 0) continue;
    if (last) {
      const double before = ms(a, *last) - ms(b, *last);
      if (Sign(before) != Sign(difference)) {
        Overtake overtake{difference < 0 ? a : b, difference < 0 ? b : a, xs[*last + 1], ms(a, *last + 1)};
        if (*last + 1 == i) {  // straight lines between the two x values
          const double share = before / (before - difference);
          overtake.x = xs[*last] + share * (xs[i] - xs[*last]);
          overtake.ms = ms(a, *last) + share * (ms(a, i) - ms(a, *last));
        }
        found.push_back(overtake);
      }
    }
    last = i;
  }
}

std::vector<Overtake> Crossings(const std::vector<double>& xs, const CurveMs& ms) {
  std::vector<Overtake> found;
  for (int a = 0; a < kTechniqueCount; ++a) {
    for (int b = a + 1; b < kTechniqueCount; ++b) AddCrossings(xs, ms, a, b, found);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Overtake& l, const Overtake& r) { return l.x < r.x; });
  return found;
}

}  // namespace

std::vector<Overtake> FindOvertakes(const Sweep& sweep) {
  return Crossings(sweep.spec().values,
                   [&sweep](int technique, std::size_t i) { return sweep.FormulaMs(technique, i); });
}

std::vector<Overtake> FindSimulatedOvertakes(const Sweep& sweep) {
  // The first seed's runs, by x and technique; NaN where one did not deliver.
  std::vector<double> ms(sweep.spec().values.size() * kTechniqueCount, std::nan(""));
  for (const SweepRun& run : sweep.runs()) {
    if (run.seed == sweep.first_seed() && run.simulated_ms) {
      ms.at(run.x_index * kTechniqueCount + run.technique) = *run.simulated_ms;
    }
  }
  return Crossings(sweep.spec().values, [&ms](int technique, std::size_t i) {
    return ms.at(i * kTechniqueCount + technique);
  });
}

PacketOptimum OptimalPacket(const LinkModel& model, int fewest, int most) {
  fewest = std::max(fewest, kFewestPacketBlocks);
  most = std::min(most, kMostPacketBlocks);
  PacketOptimum best{0, std::numeric_limits<double>::infinity()};
  LinkModel tried = model;
  for (int p = fewest; p <= most; ++p) {
    tried.packeting.packet_blocks = p;
    const double ms = ContinuousCompletionMs(kMethodPacket, tried);
    if (ms < best.ms) best = PacketOptimum{p, ms};
  }
  return best;
}

std::optional<PacketOptimum> SweepOptimum(const Sweep& sweep) {
  const SweepRange& spec = sweep.spec();
  if (spec.parameter != SweepParameter::Packet || spec.values.empty()) return std::nullopt;
  return OptimalPacket(ModelOf(sweep.base()), static_cast<int>(spec.values.front()),
                       static_cast<int>(spec.values.back()));
}

std::string OvertakeText(const Sweep& sweep, const Overtake& overtake) {
  const std::string unit = Tr(SweepUnit(sweep.spec()));
  const std::string faster = SweepTechniqueLabel(overtake.faster);
  const std::string slower = SweepTechniqueLabel(overtake.slower);
  const std::string ms = PeopleNumber(FormulaText(overtake.ms));
  // The catalog's texts are ASCII: the sign "about equal to" comes with the value.
  const std::string about = "\u2248 " + Tenths(overtake.x);
  if (unit.empty()) {
    // TRANSLATORS: "Packet overtakes Message at delay of link 1 ~ 50 (6875 ms)"; {3} is the sign "about equal to" and the value.
    return Fill(Tr("{0} overtakes {1} at {2} {3} ({4} ms)"),
                {faster, slower, SweepAxisName(sweep.spec()), about, ms});
  }
  // TRANSLATORS: "Packet overtakes Message at message size ~ 137.5 units (6875 ms)"; {3} is the sign "about equal to" and the value.
  return Fill(Tr("{0} overtakes {1} at {2} {3} {4} ({5} ms)"),
              {faster, slower, SweepAxisName(sweep.spec()), about, unit, ms});
}

std::string OptimumText(const PacketOptimum& optimum) {
  return Fill(Tr("Least packet formula: {0}, {1} ms"),
              {BlocksCount(optimum.packet_blocks), PeopleNumber(FormulaText(optimum.ms))});
}

std::vector<std::string> MarkTexts(const Sweep& sweep) {
  std::vector<std::string> texts;
  for (const Overtake& overtake : FindOvertakes(sweep)) texts.push_back(OvertakeText(sweep, overtake));
  if (const auto optimum = SweepOptimum(sweep)) texts.push_back(OptimumText(*optimum));
  return texts;
}

}  // namespace switchsim
