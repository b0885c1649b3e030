#include "window_picture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>

#include "constants.h"
#include "layout.h"
#include "marker.h"
#include "simulation.h"

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

TEST(WindowPicture, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("missing/folder/out.png").toStdString();
  const auto error = WriteWindowPicture(Options{}, 1, path);
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("cannot write"), std::string::npos) << *error;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

}  // namespace
}  // namespace switchsim::trace
