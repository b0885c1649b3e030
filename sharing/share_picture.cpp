#include "sharing/share_picture.h"

#include <algorithm>
#include <cmath>

#include "look/colours.h"
#include "pictures/text_box.h"
#include "pictures/text_fitting.h"
#include "simulation/numbers.h"
#include "sharing/share_report.h"
#include "simulation/techniques.h"
#include "text/translation.h"

namespace switchsim {
namespace {

inline constexpr double kTop = 44.0;         // px above the first slot: the headings
inline constexpr double kLeft = 48.0;        // px left of the first user: the time scale
inline constexpr double kUserWidth = 9.0;    // px a user's column
inline constexpr double kLoadWidth = 260.0;  // px of the load's bars at their longest
inline constexpr double kGap = 24.0;
inline constexpr double kHeadingGap = 12.0;  // px between the two headings at the least
inline constexpr Rgb kCircuitUser = kCircuitBlue;
inline constexpr Rgb kPacketUser = kTechniques[2].colour;
inline constexpr Rgb kLoad = MakeRgb(120, 120, 120);
inline constexpr Rgb kCongested = appearance::kOverloadColour;

DrawText Label(double x, double y, std::string text, TextAlign align = TextAlign::Start, double size = 12.0) {
  return TextAt(x, y, std::move(text), appearance::kAdditionTextColour, size, align);
}

}  // namespace

Drawing SharePicture(const ShareRun& run) {
  const ShareSetting& s = run.setting();
  const int users = std::min(s.users, ShareRun::kShownUsers);
  const std::vector<int>& active = run.ShownActive();
  const double slots = static_cast<double>(active.size());
  const DrawText users_heading = Label(kLeft, 16, Fill(Tr("Users 1 to {0} (blue: a circuit each)"), {std::to_string(users)}));
  // The load's bars stand right of the users' columns and of their heading, which few users leave wider.
  const double load_left = std::max(kLeft + users * kUserWidth + kGap, TextBox(users_heading).right + kHeadingGap);
  const int most_load = s.users;
  const double per_user = kLoadWidth / std::max(most_load, 1);
  Drawing d;
  d.width = load_left + kLoadWidth + 16.0;
  d.height = kTop + std::max(slots, 60.0) + 16.0;
  d.items.push_back(users_heading);
  d.items.push_back(Label(load_left, 16, Tr("Users active on the link")));
  d.items.push_back(Label(kLeft - 6, kTop - 8, TrIn("a picture's time axis", "slot"), TextAlign::End, 11));
  for (int u = 0; u < users; ++u) {
    const Rgb colour = u < run.CircuitUsers() ? kCircuitUser : kPacketUser;
    for (const ActivePeriod& p : run.ShownPeriods(u)) {
      d.items.push_back(FilledRect(kLeft + u * kUserWidth + 1, kTop + static_cast<double>(p.from), kUserWidth - 2,
                               static_cast<double>(p.to - p.from), colour));
    }
  }
  for (std::size_t slot = 0; slot < active.size(); ++slot) {
    if (active[slot] == 0) continue;
    const bool congested = active[slot] > run.ReservedUsers();
    d.items.push_back(FilledRect(load_left, kTop + static_cast<double>(slot), active[slot] * per_user, 1.0,
                             congested ? kCongested : kLoad));
  }
  for (double slot = 0; slot <= slots; slot += 100) {
    d.items.push_back(Label(kLeft - 6, kTop + slot + 4, PeopleNumber(ShortestText(slot)), TextAlign::End, 11));
  }
  const double limit_x = load_left + std::min<double>(run.ReservedUsers(), most_load) * per_user + 0.5;
  if (run.ReservedUsers() < most_load) {
    d.items.push_back(DrawLine{{limit_x, kTop - 4}, {limit_x, kTop + slots}, Pen{kBlack, 1.0, true}});
    d.items.push_back(Label(limit_x + 4, kTop - 8, Fill(Tr("the link's {0} users"), {std::to_string(run.ReservedUsers())}),
                            TextAlign::Start, 11));
  }
  d.title = Fill(Tr("A link shared by {0} users, its first {1} slots"),
                 {std::to_string(s.users), PeopleNumber(ShortestText(slots))});
  d.description = Fill(Tr("Time runs down, one row a slot. {0} users hold a circuit each; more than {1} active at once "
                          "congest the link, which happened in {2} of {3} slots so far; the formula gives a chance of "
                          "{4} a slot."),
                       {std::to_string(run.CircuitUsers()), std::to_string(run.ReservedUsers()),
                        std::to_string(run.CongestedSlots()), std::to_string(run.SlotsDone()),
                        PeopleNumber(ShortestText(CongestionFormula(s)))});
  KeepTextsInside(d);
  return d;
}

}  // namespace switchsim
