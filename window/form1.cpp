#include "form1.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>

#include "appearance.h"
#include "captions.h"
#include "layout.h"
#include "numbers.h"

namespace switchsim {
namespace {

using layout::Px;

QRect ToPixels(const layout::TwipsRect& r) {
  return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height));
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N>
QStringList ToQStringList(const std::array<std::string_view, N>& items) {
  QStringList list;
  for (const std::string_view item : items) list << ToQString(item);
  return list;
}

/// Places a label and, should its caption not fit, widens it towards the side
/// its text is not aligned to, so that the text stays where it was meant to be.
void PlaceLabel(QLabel& label, const QRect& geometry) {
  QRect box = geometry;
  const QFontMetrics metrics(label.font());
  const int extra_width = metrics.horizontalAdvance(label.text()) - box.width();
  if (extra_width > 0) {
    const Qt::Alignment alignment = label.alignment();
    if (alignment & Qt::AlignRight) {
      box.setLeft(box.left() - extra_width);
    } else if (alignment & Qt::AlignHCenter) {
      box.adjust(-(extra_width + 1) / 2, 0, (extra_width + 1) / 2, 0);
    } else {
      box.setRight(box.right() + extra_width);
    }
  }
  box.setHeight(std::max(box.height(), metrics.height()));
  label.setGeometry(box);
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font,
                  Qt::Alignment alignment, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  // Captions sit at the top of their box, level with the box beside them.
  label->setAlignment(alignment | Qt::AlignTop);
  label->setAccessibleName(text);
  appearance::SetForeColour(*label, appearance::kTextColour);
  PlaceLabel(*label, geometry);
  return label;
}

QComboBox* MakeBox(QWidget* parent, const QFont& font, const QRect& geometry,
                   const QString& name, const QString& tip) {
  auto* box = new QComboBox(parent);
  box->setFont(font);
  box->setGeometry(geometry);
  box->setAccessibleName(name);
  box->setToolTip(tip);
  box->setMaxVisibleItems(10);
  appearance::SetForeColour(*box, appearance::kTextColour);
  return box;
}

LineShape* MakeLine(QWidget* parent, const layout::TwipsLine& line, int width_px, Rgb colour,
                    const QString& name) {
  auto* shape = new LineShape(parent);
  shape->SetBorderWidth(width_px);
  shape->SetEnds(line.x1, line.y1, line.x2, line.y2);
  shape->SetBorderColor(colour);
  shape->setAccessibleName(name);
  return shape;
}

QPalette WindowPalette() {
  // A fixed light look, whatever the desktop's theme: the rate boxes and
  // labels speak through black and red text.
  QPalette palette = QApplication::style()->standardPalette();
  const QColor window = appearance::ToQColor(appearance::kWindowColour);
  const QColor text = appearance::ToQColor(appearance::kTextColour);
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, window);
    palette.setColor(group, QPalette::Button, window);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::WindowText, text);
    palette.setColor(group, QPalette::ButtonText, text);
    palette.setColor(group, QPalette::Text, text);
  }
  return palette;
}

}  // namespace

Form1::Form1(std::uint64_t seed, QWidget* parent)
    : QWidget(parent), random_(seed), simulation_(*this, random_) {
  setWindowTitle(captions::WindowTitle());
  setAccessibleName(captions::WindowTitle());
  setFixedSize(Px(layout::kClientWidth), Px(layout::kClientHeight));
  setPalette(WindowPalette());
  setAutoFillBackground(true);

  Frame1 = new QFrame(this);
  Frame1->setGeometry(ToPixels(layout::kFrame1));
  Frame1->setAccessibleName(QStringLiteral("Frame1"));
  CreateTraces();
  CreateLinkControls();
  CreateNodeControls();
  CreateRunControls();

  Timer1 = new QTimer(this);
  Timer1->setInterval(kTimerIntervalMs);
  Timer1->setTimerType(Qt::PreciseTimer);

  SetTabOrder();
  ConnectHandlers();
  Form_Load();
  cmbMessageSize->setFocus();
}

void Form1::CreateTraces() {
  for (int k = 0; k < kLinkCount; ++k) {
    auto* trace = new TraceSurface(this);
    trace->Place(QRect(Px(layout::kTraceLeft[k]), Px(layout::kTraceTop), Px(layout::kTraceWidth),
                       Px(layout::kTraceHeight)));
    trace->setToolTip(captions::TraceToolTip(k));
    trace->setAccessibleName(captions::TraceAccessibleName(k));
    picTrace[k] = trace;
  }
}

void Form1::CreateLinkControls() {
  static constexpr std::array<const char*, 6> kLabel1Captions = {
      "Bit-Rate", "Delay", "Delay", "Bit-Rate", "Delay", "Bit-Rate"};
  for (std::size_t i = 0; i < Label1.size(); ++i) {
    Label1[i] = MakeLabel(this, QString::fromLatin1(kLabel1Captions[i]),
                          appearance::SmallBoldFont(), Qt::AlignRight, ToPixels(layout::kLabel1[i]));
  }
  for (int k = 0; k < kLinkCount; ++k) {
    Label1[layout::kRateLabelIndex[k]]->setAccessibleName(captions::RateAccessibleName(k));
    Label1[layout::kDelayLabelIndex[k]]->setAccessibleName(captions::DelayAccessibleName(k));

    const int left = Px(layout::kLinkBoxLeft[k]);
    const int width = Px(layout::kLinkBoxWidth);
    const int height = Px(layout::kLinkBoxHeight);
    cmbBitRate[k] = MakeBox(this, appearance::SmallFont(),
                            QRect(left, Px(layout::kRateBoxTop), width, height),
                            captions::RateAccessibleName(k), captions::RateToolTip(k));
    cmbBitRate[k]->setEditable(true);
    cmbBitRate[k]->setInsertPolicy(QComboBox::NoInsert);
    // The box must hold exactly what the user typed or chose.
    cmbBitRate[k]->setCompleter(nullptr);
    cmbBitRate[k]->setEditText(QStringLiteral("cmbBitRate"));
    Label1[layout::kRateLabelIndex[k]]->setBuddy(cmbBitRate[k]);

    cmbDelay[k] = MakeBox(this, appearance::SmallFont(),
                          QRect(left, Px(layout::kDelayBoxTop), width, height),
                          captions::DelayAccessibleName(k), captions::DelayToolTip(k));
    Label1[layout::kDelayLabelIndex[k]]->setBuddy(cmbDelay[k]);
  }
}

void Form1::CreateNodeControls() {
  for (int node = 0; node < layout::kNodeCount; ++node) {
    Line1[node] = MakeLine(this, layout::kLine1[node], layout::kNodeLineWidthPx,
                           appearance::kNodeLineColour, captions::NodeLineAccessibleName(node));
  }
  Line2 = MakeLine(this, layout::kLine2, layout::kNodeLineWidthPx, appearance::kNodeLineColour,
                   QStringLiteral("Base line"));
  lnePacket = MakeLine(this, layout::kPacketMarker, layout::kMarkerWidthPx,
                       appearance::kPacketMarkerColour, QStringLiteral("Packet completion marker"));
  lneCircuit = MakeLine(this, layout::kCircuitMarker, layout::kMarkerWidthPx, kCircuitBlue,
                        QStringLiteral("Circuit completion marker"));
  lneMessage = MakeLine(this, layout::kMessageMarker, layout::kMarkerWidthPx, kMessageGreen,
                        QStringLiteral("Message completion marker"));
  HideMarkers();

  for (std::size_t i = 0; i < Shape1.size(); ++i) {
    Shape1[i] = new RectangleShape(this);
    Shape1[i]->setGeometry(ToPixels(layout::kShape1[i]));
    Shape1[i]->SetBorderColor(appearance::kNodeLineColour);
  }
  for (int node = 0; node < layout::kNodeCount; ++node) {
    lblNode[node] = MakeLabel(this, captions::NodeName(node), appearance::LargeFont(),
                              Qt::AlignHCenter, ToPixels(layout::kNodeLabel[node]));
  }
  static constexpr std::array<int, layout::kNodeCount> kShapeOfNode = {3, 1, 2, 0};
  for (int node = 0; node < layout::kNodeCount; ++node) {
    Shape1[kShapeOfNode[node]]->setAccessibleName(
        QStringLiteral("Box around %1").arg(captions::NodeName(node)));
  }
}

void Form1::CreateRunControls() {
  static constexpr std::array<const char*, 2> kButtonCaptions = {"Start", "Pause"};
  for (std::size_t n = 0; n < cmdStart.size(); ++n) {
    cmdStart[n] = new QPushButton(QString::fromLatin1(kButtonCaptions[n]), this);
    cmdStart[n]->setFont(appearance::LargeFont());
    cmdStart[n]->setGeometry(ToPixels(layout::kStartButton[n]));
    cmdStart[n]->setAutoDefault(false);
  }
  cmdStart[0]->setToolTip(captions::StartToolTip());
  cmdStart[0]->setAccessibleName(QStringLiteral("Start or reset"));
  cmdStart[1]->setToolTip(captions::PauseToolTip());
  cmdStart[1]->setAccessibleName(QStringLiteral("Pause or continue"));

  lblTechnique = MakeLabel(this, QStringLiteral("Technique"), appearance::LargeFont(),
                           Qt::AlignRight, ToPixels(layout::kTechniqueLabel));
  cmbMethod = MakeBox(this, appearance::LargeFont(), ToPixels(layout::kMethodBox),
                      QStringLiteral("Technique"), captions::MethodToolTip());
  lblTechnique->setBuddy(cmbMethod);
  lblPacketSize = MakeLabel(this, QStringLiteral("Message Size"), appearance::LargeFont(),
                            Qt::AlignLeft, ToPixels(layout::kSizeLabel));
  cmbMessageSize = MakeBox(this, appearance::LargeFont(), ToPixels(layout::kSizeBox),
                           QStringLiteral("Message size"), captions::SizeToolTip());
  lblPacketSize->setBuddy(cmbMessageSize);

  imgCrest = new CrestImage(this);
  imgCrest->move(Px(layout::kCrest.left), Px(layout::kCrest.top));
  imgCrest->setAccessibleName(QStringLiteral("switchsim logo"));
}

void Form1::SetTabOrder() {
  const std::array<QWidget*, 13> order = {
      cmbMessageSize, cmbMethod,     cmdStart[0],   cmbBitRate[0], cmbDelay[0],
      cmbBitRate[1],  cmbDelay[1],   cmbBitRate[2], cmbDelay[2],   picTrace[0],
      picTrace[1],    picTrace[2],   cmdStart[1]};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void Form1::ConnectHandlers() {
  for (int k = 0; k < kLinkCount; ++k) {
    connect(cmbBitRate[k], &QComboBox::currentTextChanged, this,
            [this, k] { simulation_.RateBoxChanged(k); });
    connect(cmbBitRate[k]->lineEdit(), &QLineEdit::editingFinished, this,
            [this, k] { RateEditingFinished(k); });
    connect(cmbDelay[k], &QComboBox::currentTextChanged, this, [this] { simulation_.ClearTraces(); });
  }
  connect(cmbMessageSize, &QComboBox::currentTextChanged, this,
          [this] { simulation_.ClearTraces(); });
  for (int n = 0; n < static_cast<int>(cmdStart.size()); ++n) {
    connect(cmdStart[n], &QPushButton::clicked, this, [this, n] { cmdStart_Click(n); });
  }
  connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::Form_Load() {
  for (int k = 0; k < kLinkCount; ++k) {
    cmbDelay[k]->clear();
    cmbDelay[k]->addItems(ToQStringList(kDelayItems));
    cmbDelay[k]->setCurrentText(ToQString(kDefaultDelay));
    cmbBitRate[k]->clear();
    cmbBitRate[k]->addItems(ToQStringList(kRateItems));
    cmbBitRate[k]->setEditText(ToQString(kDefaultRate));
    if (k == 1) cmbBitRate[k]->setEditText(ToQString(kDefaultMiddleRate));
    simulation_.RecordRate(k);
  }
  cmbMethod->clear();
  cmbMethod->addItems(ToQStringList(kMethodItems));
  cmbMethod->setCurrentText(ToQString(kDefaultMethod));
  cmbMessageSize->clear();
  cmbMessageSize->addItems(ToQStringList(kSizeItems));
  cmbMessageSize->setCurrentText(ToQString(kDefaultSize));
  simulation_.ResetSimulation();
}

void Form1::cmdStart_Click(int index) {
  QPushButton& button = *cmdStart.at(static_cast<std::size_t>(index));
  if (button.text() == QLatin1String("Start")) {
    button.setText(QStringLiteral("Reset"));
    // The timer is about to run: a "Cont" left from pausing the empty clock
    // would offer the opposite of what the button does.
    cmdStart[1]->setText(QStringLiteral("Pause"));
    simulation_.ResetSimulation();
    simulation_.SetUpTransfer();
    SetTimerEnabled(true);
  } else if (index == 0) {
    cmdStart[0]->setText(QStringLiteral("Start"));
    cmdStart[1]->setText(QStringLiteral("Pause"));
    simulation_.ResetSimulation();
  } else if (index == 1) {
    SetTimerEnabled(!TimerEnabled());
    cmdStart[1]->setText(TimerEnabled() ? QStringLiteral("Pause") : QStringLiteral("Cont"));
  }
}

void Form1::Timer1_Timer() { simulation_.SimulationTick(); }

void Form1::ReseedRandom(std::uint64_t seed) { random_.Reseed(seed); }

void Form1::RateEditingFinished(int link) {
  QComboBox& box = *cmbBitRate[link];
  if (IsUsableRate(LeadingNumber(box.currentText().toStdString()))) return;
  box.setEditText(ToQString(ShortestText(simulation_.State().SavedRates[link])));
}

std::string Form1::MethodText() const { return cmbMethod->currentText().toStdString(); }

std::string Form1::MessageSizeText() const { return cmbMessageSize->currentText().toStdString(); }

std::string Form1::DelayText(int link) const { return cmbDelay[link]->currentText().toStdString(); }

std::string Form1::RateText(int link) const {
  return cmbBitRate[link]->currentText().toStdString();
}

void Form1::SetRateText(int link, std::string_view text) {
  cmbBitRate[link]->setEditText(ToQString(text));
}

Rgb Form1::RateColour(int link) const { return appearance::ForeColour(*cmbBitRate[link]); }

void Form1::SetRateColour(int link, Rgb colour) {
  appearance::SetForeColour(*cmbBitRate[link], colour);
}

Rgb Form1::RateLabelColour(int link) const {
  return appearance::ForeColour(*Label1[layout::kRateLabelIndex[link]]);
}

void Form1::SetRateLabelColour(int link, Rgb colour) {
  appearance::SetForeColour(*Label1[layout::kRateLabelIndex[link]], colour);
}

void Form1::ClearTrace(int link) { picTrace[link]->Cls(); }

void Form1::DrawUnit(const Stroke& stroke) {
  TraceSurface& trace = *picTrace[stroke.link];
  trace.SetForeColor(stroke.colour);
  const float width = trace.ScaleWidth();
  const float left = trace.ScaleLeft();
  float xh = static_cast<float>(width * stroke.head + left);
  float xt = static_cast<float>(width * stroke.tail + left);
  if (!stroke.forward) {
    xh = width - xh;
    xt = width - xt;
  }
  const double y = stroke.clock_ms / kMsPerTraceTwip;
  trace.Line(xt, y, xh, y);
}

LineShape* Form1::MarkerLine(Marker marker) const {
  switch (marker) {
    case Marker::Message:
      return lneMessage;
    case Marker::Circuit:
      return lneCircuit;
    case Marker::Packet:
      return lnePacket;
  }
  return nullptr;
}

void Form1::UnitCompleted(const Completion& completion) {
  LineShape* line = MarkerLine(completion.marker);
  if (line == nullptr) return;
  line->SetY(completion.y_twips);
  line->SetBorderColor(completion.colour);
  line->show();
}

void Form1::HideMarkers() {
  lneMessage->hide();
  lneCircuit->hide();
  lnePacket->hide();
}

void Form1::SetTimerEnabled(bool enabled) {
  if (!enabled) {
    Timer1->stop();
  } else if (!Timer1->isActive()) {
    Timer1->start();
  }
}

bool Form1::TimerEnabled() const { return Timer1->isActive(); }

int Form1::TimerIntervalMs() const { return Timer1->interval(); }

}  // namespace switchsim
