#include "window/lab_curve_pane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

#include "window/file_saving.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

inline constexpr int kProgressSteps = 1000;    // the bar's range: tenths of a per cent
inline constexpr int kMostSeedsTyped = 999;    // what the box holds; the lab says which it takes
inline constexpr int kRangeWidthChars = 16;    // the range box is as wide as this many digits, at least
inline constexpr int kLeastPictureLines = 8;   // the picture shows at least this many lines of text high
inline constexpr int kTableLines = 6;          // the table shows this many lines, and scrolls

}  // namespace

LabCurvePane::LabCurvePane(LabSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  CreateControls();
  LayOut();
  Connect();
  Show();
}

void LabCurvePane::CreateControls() {
  const bool share = session_.Kind() == LabKind::Share;
  range = new QLineEdit(share ? QStringLiteral("5:60:5") : QStringLiteral("0.1:0.95:0.05"), this);
  range->setAccessibleName(share ? Ui("Range of the users") : Ui("Range of the intensity"));
  range->setToolTip(share ? Ui("FROM:TO:STEP of the number of users, such as 5:60:5")
                          : Ui("FROM:TO:STEP of the traffic intensity, such as 0.1:0.95:0.05"));
  range->setAccessibleDescription(range->toolTip());
  range->setMinimumWidth(range->fontMetrics().horizontalAdvance(QString(kRangeWidthChars, '0')));
  seeds = new QSpinBox(this);
  seeds->setRange(0, kMostSeedsTyped);
  seeds->setValue(1);
  seeds->setAccessibleName(Ui("Seeds"));
  seeds->setToolTip(Ui("Runs at each value, with the seeds from the lab's seed on"));
  draw = new QPushButton(Ui("&Draw Curve"), this);
  draw->setToolTip(share ? Ui("Draws the congestion against the number of users, the rest as set above")
                         : Ui("Draws the mean wait against the intensity, the rest as set above"));
  progress = new QProgressBar(this);
  progress->setRange(0, kProgressSteps);
  progress->setFormat(QStringLiteral("%p %"));
  progress->setAccessibleName(Ui("Progress of the curve"));
  picture = new DrawingView(this);
  picture_area = new QScrollArea(this);
  picture_area->setWidget(picture);
  picture_area->setAccessibleName(Ui("The curve's picture"));
  picture_area->setBackgroundRole(QPalette::Base);
  picture_area->setMinimumHeight(picture_area->fontMetrics().height() * kLeastPictureLines);
  table = new QPlainTextEdit(this);
  table->setReadOnly(true);
  table->setLineWrapMode(QPlainTextEdit::NoWrap);
  table->setTabChangesFocus(true);
  table->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  table->setAccessibleName(Ui("The curve's numbers"));
  table->setFixedHeight(table->fontMetrics().lineSpacing() * kTableLines + 2 * table->frameWidth() +
                        2 * static_cast<int>(table->document()->documentMargin()));
  save_svg = new QPushButton(Ui("Save Curve as SV&G…"), this);
  save_svg->setToolTip(Ui("Saves the finished curve's picture as SVG"));
  save_csv = new QPushButton(Ui("Save Curve as &CSV…"), this);
  save_csv->setToolTip(Ui("Saves the finished curve's runs as switchsim-trace --sweep ... --csv prints them"));
}

void LabCurvePane::LayOut() {
  auto* controls = new QHBoxLayout;
  auto* range_caption = new QLabel(Ui("Ra&nge:"), this);
  range_caption->setBuddy(range);
  auto* seeds_caption = new QLabel(Ui("S&eeds:"), this);
  seeds_caption->setBuddy(seeds);
  controls->addWidget(range_caption);
  controls->addWidget(range, 1);
  controls->addWidget(seeds_caption);
  controls->addWidget(seeds);
  controls->addWidget(draw);
  controls->addWidget(progress, 1);
  auto* saving = new QHBoxLayout;
  saving->addStretch();
  saving->addWidget(save_svg);
  saving->addWidget(save_csv);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(controls);
  layout->addWidget(picture_area, 1);
  layout->addWidget(table);
  layout->addStretch();  // before the first curve the controls stay at the top
  layout->addLayout(saving);
  QWidget* previous = range;
  for (QWidget* next : std::initializer_list<QWidget*>{seeds, draw, picture_area, table, save_svg, save_csv}) {
    setTabOrder(previous, next);
    previous = next;
  }
}

void LabCurvePane::Connect() {
  slices_.setInterval(0);
  connect(&slices_, &QTimer::timeout, this, &LabCurvePane::Slice);
  connect(draw, &QPushButton::clicked, this, &LabCurvePane::DrawAsked);
  connect(range, &QLineEdit::returnPressed, this, &LabCurvePane::DrawAsked);
  const bool share = session_.Kind() == LabKind::Share;
  const QString stem = share ? QStringLiteral("switchsim-share-curve") : QStringLiteral("switchsim-queue-curve");
  connect(save_svg, &QPushButton::clicked, this, [this, stem] {
    const QString path = AskSavePath(this, Ui("Save Curve as SVG"), stem + QStringLiteral(".svg"),
                                     Ui("SVG pictures (*.svg)"));
    if (!path.isEmpty()) SaveSvg(path);
  });
  connect(save_csv, &QPushButton::clicked, this, [this, stem] {
    const QString path = AskSavePath(this, Ui("Save Curve as CSV"), stem + QStringLiteral(".csv"),
                                     QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty()) SaveCsv(path);
  });
}

void LabCurvePane::Draw() {
  const bool started = !session_.StartCurve(range->text().trimmed().toStdString(), seeds->value()).has_value();
  emit Noticed();
  Show();
  if (started) slices_.start();
}

void LabCurvePane::Pause() { slices_.stop(); }

void LabCurvePane::Resume() {
  if (session_.CurveRunning()) slices_.start();
}

void LabCurvePane::Slice() {
  if (!session_.RunCurveSlice()) slices_.stop();
  Show();
  emit Noticed();
}

void LabCurvePane::Show() {
  progress->setValue(static_cast<int>(std::lround(session_.CurveProgress() * kProgressSteps)));
  Drawing drawing = session_.CurvePicture();
  const bool drawn = drawing.width > 0;
  picture->SetDrawing(std::move(drawing));
  picture_area->setVisible(drawn);
  const QString numbers = ToQString(session_.CurveTable());
  if (table->toPlainText() != numbers) table->setPlainText(numbers);
  table->setVisible(!numbers.isEmpty());
  const bool saveable = drawn && !session_.CurveRunning();
  save_svg->setEnabled(saveable);
  save_csv->setEnabled(saveable);
}

bool LabCurvePane::SaveSvg(const QString& path) { return Save(path, session_.CurveSvg()); }

bool LabCurvePane::SaveCsv(const QString& path) { return Save(path, session_.CurveCsv()); }

bool LabCurvePane::Save(const QString& path, const std::string& bytes) {
  if (session_.Held()) {
    emit Said(Filled(Ui("Nothing was saved: {0}."), {ToQString(Tr(kLabHeldNotice))}));
    return false;
  }
  if (bytes.empty() || session_.CurveRunning()) {
    emit Said(Ui("Nothing was saved: the curve has not been drawn to its end."));
    return false;
  }
  if (const auto error = SaveWhole(path, QByteArray::fromStdString(bytes))) {
    emit Said(Filled(Ui("Nothing was saved: {0}."), {*error}));
    return false;
  }
  emit Said(Filled(Ui("Saved {0}."), {path}));
  return true;
}

}  // namespace switchsim
