#include "window/form1.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "window/accessibility.h"
#include "window/appearance.h"
#include "form/captions.h"
#include "form/due_ticks.h"
#include "pictures/form_drawing.h"
#include "window/form_widgets.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/lists.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {

using layout::Px;

Form1::Form1(std::uint64_t seed, QWidget* parent)
    : QWidget(parent), random_(seed), kept_(*this), logic_(kept_, random_) {
  accessibility::Install();
  setWindowTitle(ToQString(captions::WindowTitle()));
  setAccessibleName(ToQString(captions::WindowTitle()));
  setFixedSize(Px(layout::kClientWidth), Px(layout::kClientHeight));
  setPalette(WindowPalette());
  setAutoFillBackground(true);

  Frame1 = new QFrame(this);
  Frame1->setGeometry(ToPixels(layout::kFrame1));
  Frame1->setAccessibleName(QStringLiteral("Frame1"));
  NamePart(*Frame1, "Frame1");
  CreateTraces();
  CreateLinkControls();
  CreateNodeControls();
  CreateRunControls();

  Timer1 = new QTimer(this);
  Timer1->setInterval(kTimerIntervalMs);
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setSingleShot(true);
  wall_.start();
  CreateAdditions();

  SetTabOrder();
  ConnectHandlers();
  logic_.Form_Load();
  cmbMessageSize->setFocus();
  // The lines, the traces and the ring place themselves at any scale.
  std::vector<const QWidget*> placed_elsewhere = {focus_ring, Line2, lneMessage, lneCircuit,
                                                  lnePacket};
  placed_elsewhere.insert(placed_elsewhere.end(), Line1.begin(), Line1.end());
  placed_elsewhere.insert(placed_elsewhere.end(), picTrace.begin(), picTrace.end());
  placement_.Record(*this, placed_elsewhere);
  // A caption of another language may be too long for its button.
  for (QPushButton* button : cmdStart) placement_.Refit(*button, presentation_.scale);
}

void Form1::SetPresentation(const Presentation& presentation) {
  if (presentation == presentation_) return;
  presentation_ = presentation;
  const double scale = presentation.scale;
  setFixedSize(ScaledPx(Px(layout::kClientWidth), scale),
               ScaledPx(Px(layout::kClientHeight), scale));
  placement_.Apply(scale);
  const int node_px = LineWeightPx(presentation, layout::kNodeLineWidthPx, kProjectorNodeLinePx);
  for (LineShape* line : Line1) {
    line->SetBorderWidth(node_px);
    line->SetScale(scale);
  }
  Line2->SetBorderWidth(LineWeightPx(presentation, layout::kNodeLineWidthPx, kProjectorBaseLinePx));
  Line2->SetScale(scale);
  for (LineShape* marker : {lneMessage, lneCircuit, lnePacket}) marker->SetScale(scale);
  for (TraceSurface* trace : picTrace) {
    trace->SetScale(scale, presentation.projector ? kProjectorStrokeRows : 1);
  }
  for (RectangleShape* shape : Shape1) shape->SetScale(scale);
  time_scale->SetPresentation(presentation);
  marker_labels->SetPresentation(presentation);
  focus_ring->SetScale(scale);
  emit PresentationChanged(presentation);
}

void Form1::CreateTraces() {
  for (int k = 0; k < kLinkCount; ++k) {
    auto* trace = new TraceSurface(this);
    trace->Place(QRect(Px(layout::kTraceLeft[k]), Px(layout::kTraceTop), Px(layout::kTraceWidth),
                       Px(layout::kTraceHeight)));
    trace->setToolTip(ToQString(captions::TraceToolTip(k)));
    trace->setAccessibleName(ToQString(captions::TraceAccessibleName(k)));
    picTrace[k] = trace;
  }
}

void Form1::CreateAdditions() {
  time_scale = new TimeScale(this);
  time_scale->setGeometry(ToPixels(layout::kTimeScale));
  time_scale->setAccessibleName(Ui("Time scale, in seconds of clock"));
  NamePart(*time_scale, "timeScale");
  time_scale->hide();
  marker_labels = new MarkerLabels(logic_, this);
  marker_labels->setGeometry(ToPixels(layout::kMarkerLabelStrip));
  marker_labels->setAccessibleName(Ui("Marker labels"));
  // The markers themselves carry their labels' texts.
  NamePart(*marker_labels, "markerLabels");
  marker_labels->hide();
  focus_ring = new FocusRing(this);
  NamePart(*focus_ring, "focusRing");
}

Drawing Form1::Picture() const { return FormDrawing(logic_, kept_, additions_); }

void Form1::SetAdditions(const Additions& additions) {
  additions_ = additions;
  time_scale->setVisible(additions.time_scale);
  marker_labels->setVisible(additions.marker_labels);
  for (LineShape* marker : {lneMessage, lneCircuit, lnePacket}) {
    marker->SetEdge(additions.marker_edges);
  }
}

void Form1::CreateLinkControls() {
  for (std::size_t i = 0; i < Label1.size(); ++i) {
    Label1[i] = MakeLabel(this, ToQString(Tr(lists::kLabel1Captions[i])),
                          appearance::SmallBoldFont(), Qt::AlignRight, ToPixels(layout::kLabel1[i]));
  }
  for (int k = 0; k < kLinkCount; ++k) {
    const QString rate_name = ToQString(captions::RateAccessibleName(k));
    const QString delay_name = ToQString(captions::DelayAccessibleName(k));
    Label1[layout::kRateLabelIndex[k]]->setAccessibleName(rate_name);
    Label1[layout::kDelayLabelIndex[k]]->setAccessibleName(delay_name);

    const int left = Px(layout::kLinkBoxLeft[k]);
    const int width = Px(layout::kLinkBoxWidth);
    const int height = Px(layout::kLinkBoxHeight);
    cmbBitRate[k] = MakeBox(this, appearance::SmallFont(),
                            QRect(left, Px(layout::kRateBoxTop), width, height),
                            rate_name, ToQString(captions::RateToolTip(k)));
    cmbBitRate[k]->setEditable(true);
    cmbBitRate[k]->setInsertPolicy(QComboBox::NoInsert);
    // The box must hold exactly what the user typed or chose.
    cmbBitRate[k]->setCompleter(nullptr);
    cmbBitRate[k]->setEditText(ToQString(lists::kRateDesignText));
    Label1[layout::kRateLabelIndex[k]]->setBuddy(cmbBitRate[k]);

    cmbDelay[k] = MakeBox(this, appearance::SmallFont(),
                          QRect(left, Px(layout::kDelayBoxTop), width, height),
                          delay_name, ToQString(captions::DelayToolTip(k)));
    Label1[layout::kDelayLabelIndex[k]]->setBuddy(cmbDelay[k]);
  }
}

void Form1::CreateNodeControls() {
  for (int node = 0; node < layout::kNodeCount; ++node) {
    Line1[node] = MakeLine(this, layout::kLine1[node], layout::kNodeLineWidthPx,
                           appearance::kNodeLineColour,
                           ToQString(captions::NodeLineAccessibleName(node)));
  }
  Line2 = MakeLine(this, layout::kLine2, layout::kNodeLineWidthPx, appearance::kNodeLineColour,
                   Ui("Base line"));
  for (LineShape* line : Line1) NamePart(*line, "Line1");
  NamePart(*Line2, "Line2");
  // Made packet first, as the form always has, each from its technique's row.
  const auto marker_line = [this](Marker marker) {
    const Technique& technique = kTechniques[static_cast<std::size_t>(marker)];
    return MakeLine(this, layout::kMarkerLines[static_cast<std::size_t>(marker)], layout::kMarkerWidthPx,
                    technique.colour, Filled(Ui("{0} completion marker"), {ToQString(Tr(technique.name))}));
  };
  lnePacket = marker_line(Marker::Packet);
  lneCircuit = marker_line(Marker::Circuit);
  lneMessage = marker_line(Marker::Message);
  for (const Marker marker : {Marker::Message, Marker::Circuit, Marker::Packet}) {
    HideMarker(marker);
  }

  for (std::size_t i = 0; i < Shape1.size(); ++i) {
    Shape1[i] = new RectangleShape(this);
    Shape1[i]->setGeometry(ToPixels(layout::kShape1[i]));
    Shape1[i]->SetBorderColor(appearance::kNodeLineColour);
    NamePart(*Shape1[i], "Shape1");
  }
  for (int node = 0; node < layout::kNodeCount; ++node) {
    lblNode[node] = MakeLabel(this, ToQString(Tr(captions::NodeName(node))), appearance::LargeFont(),
                              Qt::AlignHCenter, ToPixels(layout::kNodeLabel[node]));
  }
  static constexpr std::array<int, layout::kNodeCount> kShapeOfNode = {3, 1, 2, 0};
  for (int node = 0; node < layout::kNodeCount; ++node) {
    Shape1[kShapeOfNode[node]]->setAccessibleName(
        Filled(Ui("Box around {0}"), {ToQString(Tr(captions::NodeName(node)))}));
  }
}

void Form1::CreateRunControls() {
  for (std::size_t n = 0; n < cmdStart.size(); ++n) {
    cmdStart[n] = new QPushButton(ToQString(Tr(logic_.Caption(static_cast<int>(n)))), this);
    cmdStart[n]->setFont(appearance::LargeFont());
    cmdStart[n]->setGeometry(ToPixels(layout::kStartButton[n]));
    cmdStart[n]->setAutoDefault(false);
  }
  // Their accessible names are their captions, "Start" or "Reset", "Pause" or "Cont".
  cmdStart[0]->setToolTip(ToQString(captions::StartToolTip()));
  cmdStart[1]->setToolTip(ToQString(captions::PauseToolTip()));

  lblTechnique = MakeLabel(this, ToQString(Tr(lists::kTechniqueCaption)), appearance::LargeFont(),
                           Qt::AlignRight, ToPixels(layout::kTechniqueLabel));
  cmbMethod = MakeBox(this, appearance::LargeFont(), ToPixels(layout::kMethodBox),
                      ToQString(Tr(lists::kTechniqueCaption)),
                      ToQString(captions::MethodToolTip()));
  lblTechnique->setBuddy(cmbMethod);
  lblPacketSize = MakeLabel(this, ToQString(Tr(lists::kSizeCaption)), appearance::LargeFont(),
                            Qt::AlignLeft, ToPixels(layout::kSizeLabel));
  cmbMessageSize = MakeBox(this, appearance::LargeFont(), ToPixels(layout::kSizeBox),
                           Ui("Message size"), ToQString(captions::SizeToolTip()));
  lblPacketSize->setBuddy(cmbMessageSize);

  imgCrest = new CrestImage(this);
  imgCrest->move(Px(layout::kCrest.left), Px(layout::kCrest.top));
  imgCrest->setAccessibleName(Ui("switchsim logo"));
}

void Form1::SetTabOrder() {
  const auto widget = [this](layout::Focusable control) -> QWidget* {
    using F = layout::Focusable;
    switch (control) {
      case F::SizeBox: return cmbMessageSize;
      case F::MethodBox: return cmbMethod;
      case F::StartButton: return cmdStart[0];
      case F::RateBox0: return cmbBitRate[0];
      case F::DelayBox0: return cmbDelay[0];
      case F::RateBox1: return cmbBitRate[1];
      case F::DelayBox1: return cmbDelay[1];
      case F::RateBox2: return cmbBitRate[2];
      case F::DelayBox2: return cmbDelay[2];
      case F::Trace0: return picTrace[0];
      case F::Trace1: return picTrace[1];
      case F::Trace2: return picTrace[2];
      case F::PauseButton: return cmdStart[1];
    }
    return nullptr;
  };
  for (std::size_t i = 0; i + 1 < layout::kTabOrder.size(); ++i) {
    setTabOrder(widget(layout::kTabOrder[i]), widget(layout::kTabOrder[i + 1]));
  }
}

void Form1::ConnectHandlers() {
  const auto forward_changes = [this](BoxId box) {
    connect(Box(box), &QComboBox::currentTextChanged, this, [this, box] {
      logic_.BoxChanged(box);
      emit UserActed();
    });
  };
  for (int k = 0; k < kLinkCount; ++k) {
    forward_changes(RateBox(k));
    forward_changes(DelayBox(k));
    // Enter, leaving the box and choosing from its list each end an edit.
    const auto finish = [this, k] {
      logic_.RateEditingFinished(k);
      emit UserActed();
    };
    connect(cmbBitRate[k]->lineEdit(), &QLineEdit::editingFinished, this, finish);
    connect(cmbBitRate[k], &QComboBox::activated, this, finish);
  }
  forward_changes(kSizeBox);
  // The technique's handler clears nothing; it only lets the form's
  // listener know that the run's technique changed.
  forward_changes(kMethodBox);
  for (int n = 0; n < static_cast<int>(cmdStart.size()); ++n) {
    connect(cmdStart[n], &QPushButton::clicked, this, [this, n] {
      logic_.cmdStart_Click(n);
      emit UserActed();
    });
  }
  connect(Timer1, &QTimer::timeout, this, &Form1::RunDueTicks);
}

double Form1::WallMs() const { return static_cast<double>(wall_.nsecsElapsed()) / 1e6; }

void Form1::RunDueTicks() {
  const long ran = switchsim::RunDueTicks(pacer_, logic_, WallMs());
  if (logic_.TimerEnabled()) ArmTimer();
  if (ran > 0) emit TicksRan();
}

void Form1::ArmTimer() {
  const double wait_ms = std::ceil(pacer_.NextDueMs() - WallMs());
  Timer1->start(static_cast<int>(std::clamp(wait_ms, 0.0, 1000.0)));
}

void Form1::SetSpeed(double speed) {
  pacer_.SetSpeed(speed, WallMs());
  if (Timer1->isActive()) ArmTimer();
}

QComboBox* Form1::Box(BoxId box) const {
  switch (box.kind) {
    case BoxKind::Rate: return cmbBitRate.at(static_cast<std::size_t>(box.link));
    case BoxKind::Delay: return cmbDelay.at(static_cast<std::size_t>(box.link));
    case BoxKind::Size: return cmbMessageSize;
    case BoxKind::Method: break;
  }
  return cmbMethod;
}

void Form1::FillList(BoxId box, std::span<const std::string_view> items) {
  QComboBox& combo = *Box(box);
  // Filling a list leaves the box's text alone; only setting it runs a handler.
  const QSignalBlocker blocker(combo);
  const QString text = combo.currentText();
  combo.clear();
  if (box.kind == BoxKind::Method) {
    // The techniques show in the language in use; each item keeps its
    // English name, which is what the form reads back.
    for (const std::string_view item : items) combo.addItem(ToQString(Tr(item)), ToQString(item));
  } else {
    // Numbers, the same in every language.
    combo.addItems(ToQStringList(items));
  }
  if (combo.isEditable()) combo.setEditText(text);
}

std::string Form1::BoxText(BoxId box) const {
  const QComboBox& combo = *Box(box);
  const QVariant english = combo.currentData();
  if (!combo.isEditable() && english.isValid()) return english.toString().toStdString();
  return combo.currentText().toStdString();
}

void Form1::SetBoxText(BoxId box, std::string_view text) {
  QComboBox& combo = *Box(box);
  // The same text again would tell assistive technology of a change that is none.
  if (BoxText(box) == text) return;
  const QSignalBlocker blocker(combo);
  if (combo.isEditable()) {
    combo.setEditText(ToQString(text));
  } else if (const int item = combo.findData(ToQString(text)); item >= 0) {
    combo.setCurrentIndex(item);
  } else {
    combo.setCurrentText(ToQString(text));
  }
}

void Form1::SetRateColour(int link, Rgb colour) {
  appearance::SetForeColour(*cmbBitRate.at(static_cast<std::size_t>(link)), colour);
}

void Form1::SetRateLabelColour(int link, Rgb colour) {
  appearance::SetForeColour(*Label1.at(static_cast<std::size_t>(layout::kRateLabelIndex.at(link))),
                            colour);
}

void Form1::SetCaption(int button, std::string_view caption) {
  QPushButton& shown = *cmdStart.at(static_cast<std::size_t>(button));
  shown.setText(ToQString(Tr(caption)));
  placement_.Refit(shown, presentation_.scale);
}

void Form1::ClearTrace(int link) { picTrace.at(static_cast<std::size_t>(link))->Cls(); }

TraceScale Form1::ScaleOf(int link) const {
  const TraceSurface& trace = *picTrace.at(static_cast<std::size_t>(link));
  return {trace.ScaleWidth(), trace.ScaleLeft()};
}

void Form1::DrawLine(int link, double x1, double y1, double x2, double y2, Rgb colour) {
  TraceSurface& trace = *picTrace.at(static_cast<std::size_t>(link));
  trace.SetForeColor(colour);
  trace.Line(x1, y1, x2, y2);
}

LineShape* Form1::MarkerLine(Marker marker) const {
  switch (marker) {
    case Marker::Message: return lneMessage;
    case Marker::Circuit: return lneCircuit;
    case Marker::Packet: break;
  }
  return lnePacket;
}

void Form1::ShowMarker(Marker marker, double y_twips, Rgb colour) {
  LineShape& line = *MarkerLine(marker);
  line.SetY(y_twips);
  line.SetBorderColor(colour);
  line.show();
  marker_labels->update();
}

void Form1::HideMarker(Marker marker) {
  MarkerLine(marker)->hide();
  // The markers are hidden once while the window is built, before the labels exist.
  if (marker_labels != nullptr) marker_labels->update();
}

void Form1::SetTimerRunning(bool running) {
  if (!running) {
    Timer1->stop();
  } else if (!Timer1->isActive()) {
    pacer_.Start(WallMs());
    ArmTimer();
  }
}

}  // namespace switchsim
