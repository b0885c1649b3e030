#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/run_choice.h"
#include "form/run_listener.h"
#include "simulation/simulation.h"
#include "simulation/view.h"

namespace switchsim {

/// The parameters in words: "size 300, rates 1.0 / 0.5 / 1.0, delays 50 / 50 / 50, seed 1".
std::string ParameterLine(const RunParameters& parameters);

/// Writes every step of one run to `out`: as JSON Lines, one event an object
/// ("start", "unit", "tick", "stop", "grant", "free", "pass", "arrive",
/// "bottleneck", "draw", "complete", "end"), or as the rows of a readable
/// table (the steps without the strokes). `simulation`, `boxes` and `out`
/// are borrowed and must outlive the log.
///
/// With `Strokes::Later` the draw events, the many with decimals, are kept
/// aside and written only when the whole log is asked for (WholeText), so
/// that a window's ticks do not pay for a log that is seldom read.
class RunLog final : public RunListener {
 public:
  enum class Format { Json, Table };
  enum class Strokes { AtOnce, Later };

  RunLog(const Simulation& simulation, const SimulationView& boxes, Format format,
         std::string& out, Strokes strokes = Strokes::AtOnce)
      : simulation_(simulation), boxes_(boxes), json_(format == Format::Json), out_(out),
        later_(strokes == Strokes::Later) {}

  /// `out` with the draw events kept aside written in their places; `out`
  /// itself when none were.
  std::string WholeText() const;
  /// Counts what the log has taken, so that a reader can tell whether its
  /// whole text has changed.
  std::size_t Size() const { return out_.size() + kept_.size(); }

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

  // A draw event kept aside, and where in `out` it belongs.
  struct KeptStroke {
    std::size_t at = 0;
    Stroke stroke;
  };
  static void WriteDraw(std::string& out, const Stroke& stroke);

  const Simulation& simulation_;
  const SimulationView& boxes_;
  bool json_;
  std::string& out_;
  bool later_;
  std::vector<KeptStroke> kept_;
  std::optional<std::int32_t> completed_ms_;
};

}  // namespace switchsim
