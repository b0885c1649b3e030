#include "queueing/queue_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "look/colours.h"
#include "pictures/text_box.h"
#include "pictures/text_fitting.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"
#include "text/translation.h"

namespace switchsim {
namespace {

inline constexpr double kTop = 44.0;
inline constexpr double kLeft = 64.0;
inline constexpr double kHeight = 600.0;       // px of the window's time
inline constexpr double kServicesShown = 200.0;  // service times in the window
inline constexpr double kArrivalWidth = 40.0;
inline constexpr double kQueueWidth = 200.0;
inline constexpr double kLinkWidth = 60.0;
inline constexpr double kGap = 20.0;
inline constexpr double kTitleGap = 8.0;  // px between two columns' titles at the least
inline constexpr double kPxPerWaiting = 8.0;
inline constexpr Rgb kSending = kCircuitBlue;
inline constexpr Rgb kSendingOther = MakeRgb(90, 140, 230);
inline constexpr Rgb kWaitingShade = MakeRgb(150, 150, 150);
inline constexpr Rgb kLostColour = appearance::kOverloadColour;

DrawText Label(double x, double y, std::string text, TextAlign align = TextAlign::Start, double size = 12.0) {
  return TextAt(x, y, std::move(text), appearance::kAdditionTextColour, size, align);
}

// Where a column built to start at `built_x` starts: in another language than
// English (whose titles fit their columns as built), clear of the title of
// the column before it.
double ColumnAfter(double built_x, const DrawText& title_before) {
  return EnglishInUse() ? built_x : std::max(built_x, TextBox(title_before).right + kTitleGap);
}

}  // namespace

Drawing QueuePicture(const QueueRun& run) {
  const QueueSetting& s = run.setting();
  const double service = ServiceMs(s);
  const double window_ms = kServicesShown * service;
  const double px_per_ms = kHeight / window_ms;
  const double arrivals_x = kLeft;
  const DrawText arrivals_title = Label(arrivals_x, 16, TrIn("a queue picture's column", "Arrivals"));
  const double queue_x = ColumnAfter(arrivals_x + kArrivalWidth + kGap, arrivals_title);
  const DrawText waiting_title = Label(queue_x, 16, TrIn("a queue picture's column", "Waiting"));
  const double link_x = ColumnAfter(queue_x + kQueueWidth + kGap, waiting_title);
  const auto y_of = [&](double ms) { return kTop + ms * px_per_ms; };
  Drawing d;
  d.width = link_x + kLinkWidth + 16.0;
  d.height = kTop + kHeight + 16.0;
  d.items.push_back(arrivals_title);
  d.items.push_back(waiting_title);
  d.items.push_back(Label(link_x, 16, TrIn("a queue picture's column", "Sent")));
  // Each sent packet's wait (from arrival to the start of its sending) adds one to the queue over that time.
  std::vector<std::pair<double, int>> changes;
  int shown_packets = 0;
  for (std::size_t i = 0; i < run.Shown().size(); ++i) {
    const QueuedPacket& p = run.Shown()[i];
    if (p.arrival_ms > window_ms) break;
    ++shown_packets;
    const double y = y_of(p.arrival_ms);
    if (p.lost) {
      const Pen red{kLostColour, 1.5, false};
      d.items.push_back(DrawLine{{arrivals_x + 14, y - 4}, {arrivals_x + 22, y + 4}, red});
      d.items.push_back(DrawLine{{arrivals_x + 14, y + 4}, {arrivals_x + 22, y - 4}, red});
      continue;
    }
    d.items.push_back(DrawLine{{arrivals_x, y + 0.5}, {arrivals_x + kArrivalWidth, y + 0.5}, Pen{kBlack, 1.0, false}});
    if (p.start_ms > p.arrival_ms) {
      changes.push_back({p.arrival_ms, 1});
      changes.push_back({p.start_ms, -1});
    }
    const double top = y_of(p.start_ms);
    const double bottom = std::min(y_of(p.start_ms + service), y_of(window_ms));
    if (top < bottom) d.items.push_back(FilledRect(link_x, top, kLinkWidth, bottom - top, i % 2 ? kSendingOther : kSending));
  }
  std::sort(changes.begin(), changes.end());
  int waiting = 0;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    waiting += changes[i].second;
    const double from = changes[i].first;
    const double to = i + 1 < changes.size() ? changes[i + 1].first : from;
    if (waiting > 0 && to > from && from < window_ms) {
      d.items.push_back(FilledRect(queue_x, y_of(from), std::min(waiting * kPxPerWaiting, kQueueWidth),
                               y_of(std::min(to, window_ms)) - y_of(from), kWaitingShade));
    }
  }
  for (int k = 0; k <= 4; ++k) {
    const double ms = window_ms * k / 4;
    d.items.push_back(Label(kLeft - 6, y_of(ms) + 4, Fill(Tr("{0} ms"), {PeopleNumber(ShortestText(std::round(ms)))}),
                            TextAlign::End, 11));
  }
  const auto ms_text = [](double value) { return PeopleNumber(MsText(value)); };
  d.title = Fill(Tr("A queue at intensity {0}, its first {1} s"),
                 {PeopleNumber(ShortestText(s.intensity)), ms_text(window_ms / 1000)});
  d.description = Fill(Tr("Time runs down. {0} packets arrive in the window; each is sent in {1} ms, and waits while "
                          "the link is busy. Over the run so far the mean wait is {2} ms against {3} ms by the "
                          "formula, and {4} packets were lost."),
                       {std::to_string(shown_packets), ms_text(service), ms_text(run.Wait().Mean()),
                        ms_text(MeanWaitFormulaMs(s)), std::to_string(run.Lost())});
  KeepTextsInside(d);
  return d;
}

}  // namespace switchsim
