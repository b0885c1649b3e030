#include "tools/window_picture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>

#include "simulation/constants.h"
#include "look/layout.h"
#include "form/marker.h"
#include "simulation/simulation.h"

namespace switchsim::trace {
namespace {

// Whether a pixel of `colour` lies in the marker's columns within two rows
// of the height `y_twips` on the window.
bool MarkerAt(const QImage& image, double y_twips, Rgb colour) {
  const int row = static_cast<int>(std::lround(y_twips / layout::kTwipsPerPixel));
  const QColor want(RedOf(colour), GreenOf(colour), BlueOf(colour));
  for (int y = row - 2; y <= row + 2; ++y) {
    if (image.pixelColor(828, y) == want) return true;
  }
  return false;
}

TEST(WindowPicture, CompareShowsTheThreeMarkersAtTheirTimes) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("compare.png").toStdString();
  Options options;
  options.compare = true;
  ASSERT_EQ(WriteWindowPicture(options, 4, path), std::nullopt);

  const QImage image(QString::fromStdString(path));
  ASSERT_EQ(image.size(), QSize(916, 657));
  EXPECT_TRUE(MarkerAt(image, MarkerYTwips(6900), kMessageGreen));
  EXPECT_TRUE(MarkerAt(image, MarkerYTwips(6375), kCircuitBlue));
  EXPECT_FALSE(MarkerAt(image, MarkerYTwips(8000), kMessageGreen));
}

TEST(WindowPicture, AdditionsDrawOnlyInTheMargins) {
  QTemporaryDir dir;
  Options options;
  options.technique = "Circuit";
  const std::string bare_path = dir.filePath("bare.png").toStdString();
  ASSERT_EQ(WriteWindowPicture(options, 2, bare_path), std::nullopt);
  options.additions = true;
  const std::string annotated_path = dir.filePath("annotated.png").toStdString();
  ASSERT_EQ(WriteWindowPicture(options, 2, annotated_path), std::nullopt);

  const QImage bare(QString::fromStdString(bare_path));
  const QImage annotated(QString::fromStdString(annotated_path));
  ASSERT_EQ(bare.size(), annotated.size());
  const int marker_row = static_cast<int>(std::lround(MarkerYTwips(6375) / layout::kTwipsPerPixel));
  int changed = 0;
  for (int y = 0; y < bare.height(); ++y) {
    for (int x = 0; x < bare.width(); ++x) {
      if (bare.pixel(x, y) == annotated.pixel(x, y)) continue;
      ++changed;
      const bool time_scale = x < 64 && y >= 91 && y < 91 + 446;
      const bool labels = x >= 850;
      const bool marker_edge = x >= 807 && x <= 849 && std::abs(y - marker_row) <= 2;
      ASSERT_TRUE(time_scale || labels || marker_edge) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 100);
}

TEST(WindowPicture, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("missing/folder/out.png").toStdString();
  const auto error = WriteWindowPicture(Options{}, 1, path);
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("cannot write"), std::string::npos) << *error;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

// The pictures as they were drawn before the form could be shown at other
// scales: at scale 1 every pixel must stay as it was.
TEST(WindowPicture, AtItsOwnSizeEveryPixelIsAsItWas) {
  struct Case {
    const char* golden;
    const char* technique;
    bool compare;
    bool additions;
    std::uint64_t seed;
  };
  for (const Case& c : {Case{"packet_seed3.png", "Packet", false, false, 3},
                        Case{"compare_seed5_additions.png", "Message", true, true, 5}}) {
    SCOPED_TRACE(c.golden);
    QTemporaryDir dir;
    const std::string path = dir.filePath("picture.png").toStdString();
    Options options;
    options.technique = c.technique;
    options.compare = c.compare;
    options.additions = c.additions;
    ASSERT_EQ(WriteWindowPicture(options, c.seed, path), std::nullopt);
    const QImage made(QString::fromStdString(path));
    const QImage golden(QStringLiteral(SWITCHSIM_GOLDEN_DIR "/") + QString::fromLatin1(c.golden));
    ASSERT_FALSE(golden.isNull());
    EXPECT_EQ(made.convertToFormat(QImage::Format_RGB32), golden.convertToFormat(QImage::Format_RGB32));
  }
}

}  // namespace
}  // namespace switchsim::trace
