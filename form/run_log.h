#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "run_listener.h"
#include "simulation.h"
#include "view.h"

namespace switchsim {

/// What a run was started with: the box texts and the seed.
struct RunParameters {
  std::string technique;
  std::string size;
  std::array<std::string, 3> rates;
  std::array<std::string, 3> delays;
  std::uint64_t seed = 0;
};

/// The parameters in words: "size 300, rates 1.0 / 0.5 / 1.0, delays 50 / 50 / 50, seed 1".
std::string ParameterLine(const RunParameters& parameters);

/// Writes every step of one run to `out`: as JSON Lines, one event an object
/// ("start", "unit", "tick", "stop", "grant", "free", "pass", "arrive",
/// "bottleneck", "draw", "complete", "end"), or as the rows of a readable
/// table (the steps without the strokes). `simulation`, `boxes` and `out`
/// are borrowed and must outlive the log.
class RunLog final : public RunListener {
 public:
  enum class Format { Json, Table };

  RunLog(const Simulation& simulation, const SimulationView& boxes, Format format,
         std::string& out)
      : simulation_(simulation), boxes_(boxes), json_(format == Format::Json), out_(out) {}

  /// The clock of the last marker placed, in ms; empty while none was.
  std::optional<std::int32_t> completed_ms() const { return completed_ms_; }

  /// The start event, or the table's heading.
  void Start(const RunParameters& parameters);
  /// The end event, with the clock of the last marker placed and the value
  /// of the same model in continuous time (`continuous_ms`, ms; NaN gives null).
  void End(double continuous_ms);

  void OnUnitSetUp(int record) override;
  void OnTick(std::int32_t clock_ms, bool ascending) override;
  void OnStop(std::int32_t clock_ms) override;
  void OnGrant(std::int32_t clock_ms, int record, int link) override;
  void OnFree(std::int32_t clock_ms, int record, int link) override;
  void OnPass(std::int32_t clock_ms, int record, int link) override;
  void OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) override;
  void OnBottleneck(std::int32_t clock_ms) override;
  void OnDraw(const Stroke& stroke) override;
  void OnCompletion(const Completion& completion) override;

 private:
  const TransferUnit& Unit(int record) const { return simulation_.State().UnitTable[record]; }
  void LinkEvent(std::string_view name, std::int32_t clock_ms, int record, int link,
                 std::string_view what);
  void Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view unit,
           bool forward, int link, std::string_view what);
  void Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view rest);

  const Simulation& simulation_;
  const SimulationView& boxes_;
  bool json_;
  std::string& out_;
  std::optional<std::int32_t> completed_ms_;
};

}  // namespace switchsim
