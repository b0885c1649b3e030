// The form shown larger, smaller and for a projector: the picture at any
// scale is the picture at scale 1 made larger, with sharp strokes; the
// margins' text grows; the projector thickens lines and strokes only; the
// main window's zoom, full screen and projector, remembered and given.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "form_fixture.h"
#include "look/layout.h"
#include "window/main_window.h"

namespace switchsim::testing {
namespace {

constexpr Rgb kOrange = MakeRgb(230, 120, 10);
constexpr std::uint64_t kRunSeed = 12345;

QImage Grab(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// A packet run of kRunSeed on a form shown with `presentation` from the start.
std::unique_ptr<Form1> RunPackets(const Presentation& presentation) {
  auto form = std::make_unique<Form1>(kRunSeed);
  form->SetPresentation(presentation);
  form->cmbMethod->setCurrentText("Packet");
  form->cmdStart_Click(0);
  while (form->Timer1->isActive()) form->Timer1_Timer();
  return form;
}

/// The share of the pixels in `area` whose channels differ by at most 48.
double CloseShare(const QImage& a, const QImage& b, const QRect& area) {
  long close = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      close += std::abs(qRed(p) - qRed(q)) <= 48 && std::abs(qGreen(p) - qGreen(q)) <= 48 &&
               std::abs(qBlue(p) - qBlue(q)) <= 48;
    }
  }
  return static_cast<double>(close) / (static_cast<double>(area.width()) * area.height());
}

/// The colours of a trace's pixels inside its frame of `border` pixels.
QSet<QRgb> TraceColours(const QImage& trace, int border) {
  QSet<QRgb> colours;
  for (int y = border; y < trace.height() - border; ++y) {
    for (int x = border; x < trace.width() - border; ++x) colours.insert(trace.pixel(x, y));
  }
  return colours;
}

TEST(Zoom, TheFormAtTwiceItsSizeIsItsPictureDoubledWithSharpStrokes) {
  const auto plain = RunPackets({});
  const QImage at_one = Grab(*plain);
  const auto doubled = RunPackets({2.0, false});
  const QImage at_two = Grab(*doubled);
  ASSERT_EQ(at_two.size(), at_one.size() * 2);

  // Text and the style's own frames differ a little; all else is the same.
  const QImage expected =
      at_one.scaled(at_one.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  EXPECT_GE(CloseShare(at_two, expected, at_two.rect()), 0.97);
  // Every part's place and size, and every control's font, twice as large; a
  // label may widen by a pixel or two, as at scale 1, to hold its caption.
  const auto parts = plain->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  const auto doubled_parts = doubled->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(parts.size(), doubled_parts.size());
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (parts[i] == plain->focus_ring) continue;  // off, and so nowhere
    SCOPED_TRACE(parts[i]->accessibleName().toStdString());
    const QRect place(parts[i]->pos() * 2, parts[i]->size() * 2);
    const QRect shown = doubled_parts[i]->geometry();
    EXPECT_TRUE(shown.contains(place) && shown.height() == place.height() &&
                shown.width() <= place.width() + 4);
    EXPECT_GE(CloseShare(at_two, expected, shown), 0.8);
    const int font_px = parts[i]->font().pixelSize();
    if (font_px > 0) {
      EXPECT_EQ(doubled_parts[i]->font().pixelSize(), 2 * font_px);
    }
  }

  // Drawn again at a new scale, the strokes are what a run at that scale
  // draws: no colour that a stroke or the background does not have.
  for (const double scale : {2.0, 1.5}) {
    plain->SetPresentation({scale, false});
    const auto direct = RunPackets({scale, false});
    for (int k = 0; k < kLinkCount; ++k) {
      SCOPED_TRACE(::testing::Message() << "scale " << scale << ", trace " << k);
      const QImage redrawn = Grab(*plain->picTrace[k]);
      EXPECT_EQ(redrawn, Grab(*direct->picTrace[k]));
      const QSet<QRgb> allowed = TraceColours(Grab(*doubled->picTrace[k]), 0);
      EXPECT_TRUE(allowed.contains(TraceColours(redrawn, 2))) << "a blurred stroke";
    }
  }
}

// One stroke at row 100 of a trace's drawing area: the rows it fills as
// shown, counted from the trace's top edge (its frame is row 0 at scale 1).
struct StrokeRows {
  Presentation presentation;
  bool drawn_before;  // drawn at scale 1, then shown at the new scale
  int first_row;
  int end_row;
};

void PrintTo(const StrokeRows& c, std::ostream* out) {
  *out << c.presentation.scale << (c.presentation.projector ? " projector" : "")
       << (c.drawn_before ? ", drawn before" : "");
}

class StrokeRowsTest : public FormTest, public ::testing::WithParamInterface<StrokeRows> {};

TEST_P(StrokeRowsTest, FillWholeRowsOfTheShownTrace) {
  const StrokeRows& c = GetParam();
  if (!c.drawn_before) form().SetPresentation(c.presentation);
  form().logic().DrawUnit(Stroke{1, 0, 1.0, 0.0, true, kOrange, 3000});
  form().SetPresentation(c.presentation);
  const QImage trace = Grab(*form().picTrace[0]);
  const int middle = trace.width() / 2;
  for (int y = c.first_row - 2; y < c.end_row + 2; ++y) {
    const bool stroke = y >= c.first_row && y < c.end_row;
    EXPECT_EQ(trace.pixelColor(middle, y) == ToColour(kOrange), stroke) << "row " << y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Presentations, StrokeRowsTest,
    ::testing::Values(StrokeRows{{1.0, false}, false, 101, 102},
                      StrokeRows{{1.0, true}, false, 101, 103},
                      StrokeRows{{2.0, false}, false, 202, 204},
                      StrokeRows{{2.0, true}, true, 202, 206},
                      StrokeRows{{1.5, true}, false, 152, 155},
                      StrokeRows{{1.25, false}, true, 126, 128}));

/// The height of the tallest line of dark text in `image`, left of `right`.
int TextHeight(const QImage& image, int right) {
  int tallest = 0;
  int run = 0;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < right && !ink; ++x) ink = image.pixelColor(x, y).lightness() < 128;
    run = ink ? run + 1 : 0;
    tallest = std::max(tallest, run);
  }
  return tallest;
}

TEST_F(FormTest, TheMarginsTextIsAtLeastTheSmallFontAtAnyOtherScale) {
  form().SetAdditions(kAllAdditions);
  RunTechnique("Message");
  struct Case {
    Presentation presentation;
    int least_font_px;  // shown px
  };
  for (const Case& c : {Case{{1.25, false}, 20}, Case{{1.5, false}, 24}, Case{{2.0, false}, 32},
                        Case{{1.0, true}, kBoldMarginFontPx}}) {
    SCOPED_TRACE(c.presentation.scale);
    form().SetPresentation(c.presentation);
    // Digits stand about 0.7 of the font's size.
    const QImage scale = Grab(*form().time_scale);
    EXPECT_GE(TextHeight(scale, scale.width() / 2), c.least_font_px * 6 / 10);
    const QImage labels = Grab(*form().marker_labels);
    EXPECT_GE(TextHeight(labels, labels.width()), c.least_font_px * 6 / 10);
  }
  form().SetPresentation({});
  EXPECT_LT(TextHeight(Grab(*form().time_scale), form().time_scale->width() / 2), 9);
}

TEST_F(FormTest, TheProjectorThickensLinesAndNotAnyControl) {
  const auto places = [&] {
    std::vector<QRect> places;
    for (QWidget* child : form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (qobject_cast<LineShape*>(child) == nullptr) places.push_back(child->geometry());
    }
    return places;
  };
  const std::vector<QRect> plain = places();
  form().SetPresentation({1.0, true});
  EXPECT_EQ(places(), plain);
  EXPECT_EQ(form().Line1[1]->width(), kProjectorNodeLinePx);
  EXPECT_EQ(form().Line2->height(), kProjectorBaseLinePx);
  EXPECT_EQ(form().lnePacket->height(), layout::kMarkerWidthPx);
  form().SetPresentation({2.0, true});
  EXPECT_EQ(form().Line2->height(), 2 * kProjectorBaseLinePx);
}

class ZoomWindowTest : public ::testing::Test {
 protected:
  ZoomWindowTest() : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat) {}

  std::unique_ptr<MainWindow> Open(const QStringList& arguments = {}) {
    const auto options = std::get<StartOptions>(ParseStartOptions(arguments));
    return std::make_unique<MainWindow>(settings_, options);
  }

  QTemporaryDir dir_;
  QSettings settings_;
};

TEST_F(ZoomWindowTest, ZoomAndProjectorAreRememberedAndAGivenZoomWins) {
  auto window = Open();
  EXPECT_EQ(window->form().presentation(), Presentation());
  EXPECT_TRUE(window->zoom_menu->zooms[0]->isChecked());
  window->zoom_menu->zooms[3]->trigger();
  window->zoom_menu->projector->trigger();
  EXPECT_EQ(window->form().presentation(), (Presentation{2.0, true}));

  window = Open();
  EXPECT_TRUE(window->zoom_menu->zooms[3]->isChecked());
  EXPECT_TRUE(window->zoom_menu->projector->isChecked());
  EXPECT_EQ(window->form().presentation(), (Presentation{2.0, true}));

  window = Open({"--zoom", "125%"});
  EXPECT_TRUE(window->zoom_menu->zooms[1]->isChecked());
  EXPECT_EQ(window->form().presentation(), (Presentation{1.25, true}));
  EXPECT_EQ(settings_.value("view/zoom").toString(), "200");

  window = Open({"--zoom", "auto"});
  EXPECT_TRUE(window->zoom_menu->zooms.back()->isChecked());
}

TEST_F(ZoomWindowTest, TheFormFitsTheWindowOrScrollsAndIsSavedAsShown) {
  auto window = Open({"--zoom", "200", "--projector"});
  window->resize(900, 700);
  window->show();
  auto& view = *qobject_cast<QScrollArea*>(window->centralWidget());
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.viewport()->width() < 900; }));
  // All of the form can be scrolled to.
  const QSize hidden = window->form().size() - view.viewport()->size();
  EXPECT_EQ(view.horizontalScrollBar()->maximum(), hidden.width());
  EXPECT_EQ(view.verticalScrollBar()->maximum(), hidden.height());
  QApplication::setActiveWindow(window.get());
  window->form().cmbMethod->setFocus();  // its ring, 2 + 1 pixels of the form away, doubled
  EXPECT_EQ(window->form().focus_ring->geometry(),
            window->form().cmbMethod->geometry().adjusted(-6, -6, 6, 6));
  const QString path = dir_.filePath("slide.png");
  ASSERT_TRUE(window->SavePicture(path));
  EXPECT_EQ(QImage(path).size(), window->form().size());

  window->zoom_menu->zooms[4]->trigger();  // Fit to Window
  window->resize(1600, 900);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.viewport()->width() == 1600; }));
  const QSize space = view.viewport()->size();
  const QSize form = window->form().size();
  EXPECT_TRUE(form.height() == space.height() || form.width() == space.width());
  EXPECT_TRUE(space.width() >= form.width() && space.height() >= form.height());
  // Centred, to the pixel that an odd difference of widths leaves.
  EXPECT_LE((window->form().geometry().center() - view.viewport()->rect().center()).manhattanLength(), 1);

  window->showMaximized();
  window->zoom_menu->full_screen->trigger();
  EXPECT_TRUE(window->isFullScreen());
  window->zoom_menu->full_screen->trigger();
  EXPECT_FALSE(window->isFullScreen());
  EXPECT_TRUE(window->isMaximized());
}

}  // namespace
}  // namespace switchsim::testing
