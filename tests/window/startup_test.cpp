// The window as it stands after its load, before anything is pressed.
#include <QAccessible>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "window/appearance.h"
#include "form_fixture.h"
#include "look/layout.h"

namespace switchsim::testing {
namespace {

using StartupTest = FormTest;

TEST_F(StartupTest, ShowsTheDefaultsWithTheTimerStoppedAndNothingDrawn) {
  Form1& f = form();
  EXPECT_EQ(f.size(), QSize(916, 657));
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  EXPECT_EQ(f.windowTitle(), "switchsim: message, circuit and packet switching");

  EXPECT_FALSE(f.Timer1->isActive());
  EXPECT_EQ(f.Timer1->interval(), 25);
  EXPECT_EQ(f.Timer1->timerType(), Qt::PreciseTimer);
  EXPECT_EQ(f.cmdStart[0]->text(), "Start");
  EXPECT_EQ(f.cmdStart[1]->text(), "Pause");

  EXPECT_TRUE(f.lneMessage->isHidden());
  EXPECT_TRUE(f.lneCircuit->isHidden());
  EXPECT_TRUE(f.lnePacket->isHidden());

  const std::array<const char*, 3> rates = {"1", "0.5", "1"};
  for (int k = 0; k < kLinkCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(TraceIsEmpty(k));
    EXPECT_EQ(f.cmbBitRate[k]->currentText(), rates[k]);
    EXPECT_EQ(f.cmbDelay[k]->currentText(), "50");
    EXPECT_EQ(appearance::ForeColour(*f.cmbBitRate[k]), kBlack);
    EXPECT_EQ(appearance::ForeColour(*f.Label1[layout::kRateLabelIndex[k]]), kBlack);
    EXPECT_EQ(f.simulation().State().SavedRates[k], std::stod(rates[k]));
  }
  EXPECT_EQ(f.cmbMethod->currentText(), "Message");
  EXPECT_EQ(f.cmbMessageSize->currentText(), "300");
  EXPECT_EQ(f.simulation().State().ClockMs, 0);
}

TEST_F(StartupTest, BoxesHoldTheirListsAndOnlyTheRateBoxesTakeTypedText) {
  const auto items = [](const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
  };
  for (int k = 0; k < kLinkCount; ++k) {
    EXPECT_EQ(items(form().cmbBitRate[k]), QStringList({"0.5", "1.0", "2.0", "5.0", "10.0"}));
    EXPECT_EQ(items(form().cmbDelay[k]), QStringList({"20", "50", "100", "200"}));
    EXPECT_TRUE(form().cmbBitRate[k]->isEditable());
    EXPECT_EQ(form().cmbBitRate[k]->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(form().cmbBitRate[k]->completer(), nullptr);
    EXPECT_FALSE(form().cmbDelay[k]->isEditable());
  }
  EXPECT_EQ(items(form().cmbMethod), QStringList({"Message", "Circuit", "Packet"}));
  EXPECT_EQ(items(form().cmbMessageSize),
            QStringList({"100", "200", "300", "400", "500", "1000"}));
  EXPECT_FALSE(form().cmbMethod->isEditable());
  EXPECT_FALSE(form().cmbMessageSize->isEditable());
}

TEST_F(StartupTest, FocusStartsOnTheSizeBoxAndTabsInTheWindowsOrder) {
  Form1& f = form();
  EXPECT_EQ(f.focusWidget(), f.cmbMessageSize);

  const std::vector<QWidget*> expected = {
      f.cmbMessageSize, f.cmbMethod,   f.cmdStart[0], f.cmbBitRate[0], f.cmbDelay[0],
      f.cmbBitRate[1],  f.cmbDelay[1], f.cmbBitRate[2], f.cmbDelay[2], f.picTrace[0],
      f.picTrace[1],    f.picTrace[2], f.cmdStart[1]};
  std::vector<QWidget*> chain;
  QWidget* widget = f.cmbMessageSize;
  do {
    if (std::find(expected.begin(), expected.end(), widget) != expected.end()) {
      chain.push_back(widget);
    }
    widget = widget->nextInFocusChain();
  } while (widget != f.cmbMessageSize && chain.size() < expected.size() + 1);
  EXPECT_EQ(chain, expected);
}

TEST_F(StartupTest, EveryCaptionFitsItsControl) {
  Form1& f = form();
  std::vector<QLabel*> labels(f.Label1.begin(), f.Label1.end());
  labels.insert(labels.end(), f.lblNode.begin(), f.lblNode.end());
  labels.push_back(f.lblTechnique);
  labels.push_back(f.lblPacketSize);
  for (QLabel* label : labels) {
    SCOPED_TRACE(label->text().toStdString());
    const QFontMetrics metrics(label->font());
    EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_LE(metrics.height(), label->contentsRect().height());
  }

  for (QPushButton* button : f.cmdStart) {
    for (const QString caption : {"Start", "Reset", "Pause", "Cont"}) {
      SCOPED_TRACE(caption.toStdString());
      // The style's padding around a button's caption.
      const int padding = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
      EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(caption) + padding,
                button->width());
    }
  }

  std::vector<QComboBox*> boxes = {f.cmbMethod, f.cmbMessageSize};
  boxes.insert(boxes.end(), f.cmbBitRate.begin(), f.cmbBitRate.end());
  boxes.insert(boxes.end(), f.cmbDelay.begin(), f.cmbDelay.end());
  for (QComboBox* box : boxes) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    const QFontMetrics metrics(box->font());
    for (int i = 0; i < box->count(); ++i) {
      SCOPED_TRACE(box->itemText(i).toStdString());
      EXPECT_LE(metrics.horizontalAdvance(box->itemText(i)), field.width());
      EXPECT_LE(metrics.ascent() + metrics.descent(), field.height() + 2);
    }
  }
}

// What assistive technology finds on the form: every control named for
// what it is, the boxes' values apart from their names, the run buttons named
// by their captions, and no decoration.
TEST_F(StartupTest, AssistiveTechnologyReadsNamesNotDecoration) {
  QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&form());
  ASSERT_NE(tree, nullptr);
  QStringList names;
  for (int i = 0; i < tree->childCount(); ++i) {
    QAccessibleInterface* child = tree->child(i);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(tree->indexOfChild(child), i);
    EXPECT_FALSE(child->text(QAccessible::Name).isEmpty())
        << child->object()->metaObject()->className();
    names << child->text(QAccessible::Name);
  }
  for (const char* decoration : {"Frame1", "Base line", "Node line, Transmit", "Box around Receive",
                                  "Time scale, in seconds of clock", "Marker labels"}) {
    EXPECT_FALSE(names.contains(QString::fromUtf8(decoration))) << decoration;
  }
  for (const char* named : {"Start", "Pause", "switchsim logo", "Trace, Router A to Router B",
                            "Bit rate, Router A to Router B", "Delay, Router B to Receive"}) {
    EXPECT_TRUE(names.contains(QString::fromUtf8(named))) << named;
  }
  QAccessibleInterface* rate = QAccessible::queryAccessibleInterface(form().cmbBitRate[1]);
  EXPECT_EQ(rate->role(), QAccessible::ComboBox);
  EXPECT_EQ(rate->text(QAccessible::Name), "Bit rate, Router A to Router B");
  EXPECT_EQ(rate->text(QAccessible::Value), "0.5");
  EXPECT_EQ(rate->childCount(), 2);  // its list and its line of text
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form().picTrace[0])->role(), QAccessible::Graphic);
  for (QComboBox* box : form().cmbBitRate) EXPECT_FALSE(box->toolTip().isEmpty());
  for (QPushButton* button : form().cmdStart) EXPECT_FALSE(button->toolTip().isEmpty());
}

TEST_F(StartupTest, ControlsStandWhereTheLayoutPutsThem) {
  Form1& f = form();
  EXPECT_EQ(f.picTrace[0]->geometry(), QRect(68, 91, 241, 446));
  EXPECT_EQ(f.picTrace[1]->geometry(), QRect(316, 91, 241, 446));
  EXPECT_EQ(f.picTrace[2]->geometry(), QRect(564, 91, 241, 446));
  EXPECT_EQ(f.cmbBitRate[1]->pos(), QPoint(416, 8));
  EXPECT_EQ(f.cmbDelay[2]->pos(), QPoint(672, 32));
  EXPECT_EQ(f.cmbMessageSize->geometry(), QRect(324, 596, 153, 32));
  EXPECT_EQ(f.imgCrest->geometry(), QRect(504, 568, 300, 48));
  EXPECT_EQ(f.Line1[3]->geometry(), QRect(808, 80, 1, 461));
  EXPECT_EQ(f.Line2->geometry(), QRect(64, 540, 745, 1));
  // Right of the last trace and to the right edge of the marker's span.
  EXPECT_EQ(f.lneMessage->x(), 808);
  EXPECT_EQ(f.lneMessage->width(), 41);
  EXPECT_EQ(f.lneMessage->height(), 3);
  // The node boxes hold their captions.
  EXPECT_TRUE(f.Shape1[3]->geometry().contains(f.lblNode[0]->geometry()));
  EXPECT_TRUE(f.Shape1[0]->geometry().contains(f.lblNode[3]->geometry()));
}

}  // namespace
}  // namespace switchsim::testing
