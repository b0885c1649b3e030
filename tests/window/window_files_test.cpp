// What the classroom window saves: the picture, as PNG or SVG, the run log
// and the results, each written whole or not at all.
#include <gtest/gtest.h>

#include <QFile>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "window/file_saving.h"
#include "main_window_fixture.h"
#include "pictures/svg_writer.h"

namespace switchsim::testing {
namespace {

TEST_F(MainWindowTest, FilesAreWrittenWholeOrNotAtAll) {
  Run("Circuit");
  const QString picture = dir_.filePath("form.png");
  ASSERT_TRUE(window().SavePicture(picture));
  EXPECT_EQ(QImage(picture).convertToFormat(QImage::Format_RGB32),
            Picture().convertToFormat(QImage::Format_RGB32));
  ASSERT_TRUE(window().ExportRunLog(dir_.filePath("run.jsonl")));
  QFile log(dir_.filePath("run.jsonl"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_EQ(log.readAll().toStdString(), window().classroom().RunLogText());
  ASSERT_TRUE(window().ExportResults(dir_.filePath("results.csv")));
  QFile csv(dir_.filePath("results.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_TRUE(csv.readAll().contains("\r\nCircuit,300,1,0.5,1,50,50,50,2,0,6375,6050.0,325.0,5,no\r\n"));

  const QString nowhere = dir_.filePath("missing/form.png");
  EXPECT_FALSE(window().SavePicture(nowhere));
  EXPECT_FALSE(QFile::exists(nowhere));
  ASSERT_NE(window().failure_box, nullptr);
  EXPECT_TRUE(window().failure_box->isVisible());
  EXPECT_TRUE(window().failure_box->text().contains("Nothing was saved: cannot write"));
  EXPECT_FALSE(window().ExportRunLog(dir_.filePath("missing/run.jsonl")));
  EXPECT_FALSE(window().ExportResults(dir_.path()));  // a folder
}

TEST_F(MainWindowTest, APictureWhosePathEndsInSvgIsTheFormsDrawing) {
  Run("Circuit");
  const QString svg = dir_.filePath("form.SVG");
  ASSERT_TRUE(window().SavePicture(svg));
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), SvgText(form().Picture()));
  const QString nowhere = dir_.filePath("missing/form.svg");
  EXPECT_FALSE(window().SavePicture(nowhere));
  EXPECT_FALSE(QFile::exists(nowhere));
  // A name typed without a suffix takes the type chosen in the dialog.
  EXPECT_EQ(WithFilterSuffix("a/form", "SVG pictures (*.svg)"), "a/form.svg");
  EXPECT_EQ(WithFilterSuffix("a/form.png", "SVG pictures (*.svg)"), "a/form.png");
}

// A disk that takes only part of a file: the system's reason, and no file.
TEST_F(MainWindowTest, AFileCutShortGivesTheSystemsReason) {
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{4096, limit.rlim_max};
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const QString picture = dir_.filePath("form.png");
  const bool saved = window().SavePicture(picture);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(saved);
  EXPECT_FALSE(QFile::exists(picture));
  ASSERT_NE(window().failure_box, nullptr);
  EXPECT_TRUE(window().failure_box->text().endsWith(QString::fromLocal8Bit(std::strerror(EFBIG)) + "."))
      << window().failure_box->text().toStdString();
}

}  // namespace
}  // namespace switchsim::testing
