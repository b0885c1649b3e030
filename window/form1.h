#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

#include "crest_image.h"
#include "line_shape.h"
#include "random_source.h"
#include "rectangle_shape.h"
#include "simulation.h"
#include "trace_surface.h"
#include "view.h"

namespace switchsim {

/// The main window: the per-link rate and delay boxes, the four nodes, one
/// time-space trace per link, the completion markers and the run controls.
/// It owns the simulation and its random source, turns the user's actions
/// into simulation calls, and draws what the simulation reports.
///
/// The controls are public so that the driver and the tests can act on them
/// as a user would; their parent is the window, which owns them.
class Form1 : public QWidget, public SimulationView {
  Q_OBJECT

 public:
  /// Builds the window with its controls and runs Form_Load(). `seed` starts
  /// the random source that colours packets and breaks ties at the routers.
  explicit Form1(std::uint64_t seed, QWidget* parent = nullptr);

  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  /// Fills the boxes with their lists and defaults, records the rates and
  /// resets the simulation (the timer ends stopped).
  void Form_Load();
  /// Button `index` (0 Start/Reset, 1 Pause/Cont) was pressed.
  void cmdStart_Click(int index);
  /// The timer's tick: one step of the simulation.
  void Timer1_Timer();
  /// Starts the random source's sequence of `seed` again.
  void ReseedRandom(std::uint64_t seed);
  /// The simulation, for reading its state.
  const Simulation& simulation() const { return simulation_; }

  // SimulationView: what the simulation reads and writes on the window.
  std::string MethodText() const override;
  std::string MessageSizeText() const override;
  std::string DelayText(int link) const override;
  std::string RateText(int link) const override;
  void SetRateText(int link, std::string_view text) override;
  Rgb RateColour(int link) const override;
  void SetRateColour(int link, Rgb colour) override;
  Rgb RateLabelColour(int link) const override;
  void SetRateLabelColour(int link, Rgb colour) override;
  void ClearTrace(int link) override;
  /// Draws one tick's stroke on the link's trace, mirrored for a unit travelling back.
  void DrawUnit(const Stroke& stroke) override;
  /// Moves the technique's marker to the completion's height, recolours and shows it.
  void UnitCompleted(const Completion& completion) override;
  void HideMarkers() override;
  void SetTimerEnabled(bool enabled) override;
  bool TimerEnabled() const override;
  int TimerIntervalMs() const override;

  // The controls, by link (0 to 2) or node (0 Transmit to 3 Receive) where
  // they form an array.
  std::array<QComboBox*, kLinkCount> cmbBitRate{};  ///< editable; any text may be typed
  std::array<QComboBox*, kLinkCount> cmbDelay{};    ///< pick from the list only
  std::array<QLabel*, 6> Label1{};  ///< 0, 3, 5: "Bit-Rate" of links 0, 1, 2; 1, 2, 4: "Delay"
  std::array<QLabel*, 4> lblNode{};
  std::array<RectangleShape*, 4> Shape1{};  ///< 3 Transmit, 1 Router A, 2 Router B, 0 Receive
  std::array<LineShape*, 4> Line1{};        ///< vertical line under each node
  LineShape* Line2 = nullptr;               ///< base line under the traces
  LineShape* lneMessage = nullptr;          ///< completion markers, hidden until a completion
  LineShape* lneCircuit = nullptr;
  LineShape* lnePacket = nullptr;
  std::array<TraceSurface*, kLinkCount> picTrace{};
  QFrame* Frame1 = nullptr;  ///< lies behind picTrace[0]
  std::array<QPushButton*, 2> cmdStart{};  ///< 0 "Start"/"Reset", 1 "Pause"/"Cont"
  QLabel* lblTechnique = nullptr;
  QComboBox* cmbMethod = nullptr;  ///< the technique; choosing it clears nothing
  QLabel* lblPacketSize = nullptr;
  QComboBox* cmbMessageSize = nullptr;
  CrestImage* imgCrest = nullptr;
  QTimer* Timer1 = nullptr;  ///< 25 ms, precise; stopped until Start

 private:
  void CreateLinkControls();
  void CreateNodeControls();
  void CreateTraces();
  void CreateRunControls();
  void SetTabOrder();
  void ConnectHandlers();
  void RateEditingFinished(int link);
  LineShape* MarkerLine(Marker marker) const;

  Mt64Random random_;
  Simulation simulation_;
};

}  // namespace switchsim
