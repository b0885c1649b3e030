#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

#include "window/crest_image.h"
#include "pictures/drawing.h"
#include "form/form_logic.h"
#include "form/form_surface.h"
#include "form/keeping_surface.h"
#include "window/line_shape.h"
#include "form/margins.h"
#include "window/focus_ring.h"
#include "window/marker_labels.h"
#include "look/presentation.h"
#include "simulation/random_source.h"
#include "window/rectangle_shape.h"
#include "form/run_pacer.h"
#include "window/scaled_placement.h"
#include "window/time_scale.h"
#include "window/trace_surface.h"

namespace switchsim {

/// The main window: the per-link rate and delay boxes, the four nodes, one
/// time-space trace per link, the completion markers and the run controls,
/// as Qt widgets. What the window does is the form's (FormLogic), which it
/// owns with its random source: the window forwards the user's actions to it
/// and shows what it sets.
///
/// The controls are public so that the driver and the tests can act on them
/// as a user would; their parent is the window, which owns them.
///
/// The timer keeps its ticks on the wall clock at the chosen speed: each
/// wake-up runs the ticks that are due, so a run takes 15 s at 1x however
/// late single wake-ups come.
///
/// The classroom's additions (time scale, marker labels, marker edges) are
/// drawn in the form's free margins when switched on; they are off at first.
///
/// The form is shown at its own size at first; SetPresentation shows all of
/// it larger or smaller, or drawn for a projector, without moving any
/// control relative to the others.
class Form1 : public QWidget, public FormSurface {
  Q_OBJECT

 public:
  /// Builds the window with its controls and runs Form_Load(). `seed` starts
  /// the random source that colours packets and breaks ties at the routers.
  explicit Form1(std::uint64_t seed, QWidget* parent = nullptr);

  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  /// Runs the form's load handler again.
  void Form_Load() { logic_.Form_Load(); }
  /// Button `index` (0 Start/Reset, 1 Pause/Cont) was pressed.
  void cmdStart_Click(int index) { logic_.cmdStart_Click(index); }
  /// The timer's tick: one step of the simulation.
  void Timer1_Timer() { logic_.Timer1_Timer(); }
  /// Starts the random source's sequence of `seed` again.
  void ReseedRandom(std::uint64_t seed) { random_.Reseed(seed); }
  /// What the window does.
  FormLogic& logic() { return logic_; }
  const FormLogic& logic() const { return logic_; }
  /// The simulation, for reading its state.
  const Simulation& simulation() const { return logic_.simulation(); }
  /// The random source, which a classroom reseeds at every Start.
  Mt64Random& random() { return random_; }

  /// The timer runs `speed` ticks in the wall time of one (0.25 to 4); each
  /// tick still advances the clock by 25 ms.
  void SetSpeed(double speed);
  double Speed() const { return pacer_.Speed(); }

  /// The form as it shows now, at its own size, with the additions it
  /// shows: the same drawing the driver's vector picture is made from.
  Drawing Picture() const;

  /// Shows or hides the additions in the form's margins.
  void SetAdditions(const Additions& additions);
  const Additions& additions() const { return additions_; }

  /// Shows the form at `presentation`'s scale, every control's place, size
  /// and font and every line and stroke with it, and with the projector's
  /// weights if it asks for them. The traces keep what was drawn on them.
  void SetPresentation(const Presentation& presentation);
  const Presentation& presentation() const { return presentation_; }

  // FormSurface: what the form sets and reads on the widgets.
  void FillList(BoxId box, std::span<const std::string_view> items) override;
  std::string BoxText(BoxId box) const override;
  void SetBoxText(BoxId box, std::string_view text) override;
  void SetRateColour(int link, Rgb colour) override;
  void SetRateLabelColour(int link, Rgb colour) override;
  void SetCaption(int button, std::string_view caption) override;
  void ClearTrace(int link) override;
  TraceScale ScaleOf(int link) const override;
  void DrawLine(int link, double x1, double y1, double x2, double y2, Rgb colour) override;
  void ShowMarker(Marker marker, double y_twips, Rgb colour) override;
  void HideMarker(Marker marker) override;
  void SetTimerRunning(bool running) override;

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
  QLabel* lblPacketSize = nullptr;  ///< the caption "Message Size" beside cmbMessageSize
  QComboBox* cmbMessageSize = nullptr;
  CrestImage* imgCrest = nullptr;
  QTimer* Timer1 = nullptr;  ///< precise, woken when the next tick is due; stopped until Start

  TimeScale* time_scale = nullptr;       ///< addition: seconds beside the first trace
  MarkerLabels* marker_labels = nullptr;  ///< addition: a label beside each marker
  FocusRing* focus_ring = nullptr;        ///< addition: a ring around the focused control

 signals:
  /// A wake-up of the timer ran one or more ticks.
  void TicksRan();
  /// The user pressed a button or changed a box, and the form's handler has run.
  void UserActed();
  /// The form is shown at another scale, or for a projector or no longer.
  void PresentationChanged(const Presentation& presentation);

 private:
  void CreateLinkControls();
  void CreateNodeControls();
  void CreateTraces();
  void CreateRunControls();
  void SetTabOrder();
  void ConnectHandlers();
  QComboBox* Box(BoxId box) const;
  LineShape* MarkerLine(Marker marker) const;
  void CreateAdditions();
  double WallMs() const;
  void RunDueTicks();
  void ArmTimer();

  Mt64Random random_;
  KeepingSurface kept_;  // this window, keeping the strokes for its picture
  FormLogic logic_;
  QElapsedTimer wall_;
  RunPacer pacer_;
  Additions additions_;
  Presentation presentation_;
  ScaledPlacement placement_;  // the controls as built, at scale 1
};

}  // namespace switchsim
