#include "form_fixture.h"

#include <cmath>

#include "look/layout.h"

namespace switchsim::testing {
namespace {

constexpr int kBorderPx = 1;  // the trace's frame, px

}  // namespace

bool FormTest::TickUntil(const std::function<bool()>& done) {
  while (form().Timer1->isActive()) {
    form().Timer1_Timer();
    if (done()) return true;
  }
  return false;
}

void FormTest::RunToEnd() {
  while (form().Timer1->isActive()) form().Timer1_Timer();
}

void FormTest::RunTechnique(const QString& technique) {
  form().cmbMethod->setCurrentText(technique);
  form().cmdStart_Click(0);
  RunToEnd();
}

QColor FormTest::TracePixel(int link, int x, int y) {
  return form().picTrace[link]->grab().toImage().pixelColor(x + kBorderPx, y + kBorderPx);
}

QColor FormTest::WindowPixel(int x, int y) { return form().grab().toImage().pixelColor(x, y); }

bool FormTest::TraceIsEmpty(int link) {
  const QImage image = form().picTrace[link]->grab().toImage();
  for (int y = kBorderPx; y < image.height() - kBorderPx; ++y) {
    for (int x = kBorderPx; x < image.width() - kBorderPx; ++x) {
      if (image.pixelColor(x, y) != QColor(Qt::white)) return false;
    }
  }
  return true;
}

int MarkerRow(int clock_ms) {
  return static_cast<int>(std::lround((layout::kTraceTop + clock_ms / 2.0) / layout::kTwipsPerPixel));
}

int StrokeRow(int clock_ms) { return clock_ms / 30; }

QColor ToColour(Rgb rgb) {
  return QColor(static_cast<int>(RedOf(rgb)), static_cast<int>(GreenOf(rgb)),
                static_cast<int>(BlueOf(rgb)));
}

}  // namespace switchsim::testing
