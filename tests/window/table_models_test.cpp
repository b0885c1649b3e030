// The window's tables as models: a view is told of the rows added and the
// cells changed only, so that its keys stay and a screen reader hears no more.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "window/results_model.h"
#include "window/timing_model.h"

namespace switchsim::testing {
namespace {

TEST(TableModels, TellTheViewOfWhatChangedOnly) {
  TimingModel timing;
  QSignalSpy inserted(&timing, &QAbstractItemModel::rowsInserted);
  QSignalSpy changed(&timing, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&timing, &QAbstractItemModel::modelReset);
  Crossing first{1, "message", 0, true, 0, {}, {}, {}, {}};
  timing.SetRows({first});
  first.last_left = 1500;  // the link freed: one cell
  Crossing second{1, "message", 1, true, 1775, {}, {}, {}, {}};
  timing.SetRows({first, second});
  timing.SetRows({first, second});  // nothing new: nothing said
  ASSERT_EQ(inserted.size(), 2);
  EXPECT_EQ(inserted[1][1].toInt(), 1);  // the second row added after the first
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex(), timing.index(0, 5));
  EXPECT_EQ(timing.index(0, 5).data().toString(), "1500");
  timing.SetRows({});  // the next run's table starts afresh
  EXPECT_EQ(reset.size(), 1);
  EXPECT_EQ(timing.rowCount(), 0);

  ResultsModel results;
  QSignalSpy on_top(&results, &QAbstractItemModel::rowsInserted);
  RunResult message{RunParameters{}, 6900, 6750.0, false};
  RunResult circuit = message;
  circuit.parameters.technique = "Circuit";
  results.SetResults({message});
  results.SetResults({circuit, message});
  ASSERT_EQ(on_top.size(), 2);
  EXPECT_EQ(on_top[1][1].toInt(), 0);  // the newest at the top
  EXPECT_EQ(results.index(0, 0).data().toString(), "Circuit");
  EXPECT_EQ(results.index(1, 6).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_EQ(results.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Technique");
}

}  // namespace
}  // namespace switchsim::testing
