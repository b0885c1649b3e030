// Many users on one link and the queue at a router: the formulas exact, the
// runs the same in slices as whole, and long runs within a 99.9 % batch-means
// interval of the formulas, for the textbook's settings and others.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "pictures/text_box.h"
#include "po/compiled_catalogs.h"
#include "probability/binomial_tail.h"
#include "probability/stable_log.h"
#include "queueing/queue_picture.h"
#include "queueing/queue_report.h"
#include "queueing/queue_run.h"
#include "sharing/share_picture.h"
#include "sharing/share_report.h"
#include "sharing/share_run.h"
#include "text/languages.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The binomial tail in long double, term by term: a reference some thousand times finer.
long double ReferenceTail(int n, long double p, int above) {
  long double term = std::pow(1.0L - p, n);
  long double tail = 0.0L;
  for (int k = 0; k <= n; ++k) {
    if (k > above) tail += term;
    term *= static_cast<long double>(n - k) / (k + 1) * p / (1.0L - p);
  }
  return tail;
}

TEST(Probability, TheLogAndTheBinomialTailAreExact) {
  std::mt19937_64 engine(7);
  std::uniform_real_distribution<double> exponent(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    const double x = std::pow(10.0, exponent(engine));
    EXPECT_NEAR(StableLog(x), std::log(x), std::abs(std::log(x)) * 2.5e-16 + 1e-300) << x;
  }
  EXPECT_EQ(StableLog(1.0), 0.0);
  EXPECT_TRUE(std::isnan(StableLog(0.0)) && std::isnan(StableLog(-1.0)));
  struct Case {
    int trials;
    double p;
    int above;
  };
  for (const Case& c : {Case{35, 0.1, 10}, {1000, 0.1, 100}, {1000, 0.1, 150}, {1000, 0.5, 600}, {1000, 0.9, 950},
                        {1000, 0.01, 40}, {200, 0.3, 20}, {10, 0.999, 9}, {1000, 0.001, 0}}) {
    const long double reference = ReferenceTail(c.trials, c.p, c.above);
    const double tail = BinomialTail(c.trials, c.p, c.above);
    EXPECT_LE(std::abs(tail - reference) / reference, 1e-12L) << c.trials << " " << c.p << " " << c.above;
  }
  EXPECT_NEAR(BinomialTail(35, 0.1, 10), 0.000424, 0.000005);  // the textbook's "about 0.0004"
  EXPECT_EQ(BinomialTail(5, 0.5, 5), 0.0);
  EXPECT_EQ(BinomialTail(5, 0.5, -1), 1.0);
}

TEST(SharedLink, ReservesExactlyAndRefusesWhatCannotRun) {
  for (const auto& [link, user, users] : {std::tuple{"1", "0.1", 10}, {"0.3", "0.1", 3}, {"1", "0.3", 3},
                                          {"10", "2.5", 4}, {"1", "1", 1}, {"0.9999999", "0.1", 9}}) {
    EXPECT_EQ(ReservedUsers(link, user), users) << link << " / " << user;
  }
  for (const char* bad : {"1e6", "-1", "abc", "0", "", "1.2.3", "1234567890"}) {
    EXPECT_FALSE(ReservedUsers(bad, "0.1")) << bad;
  }
  struct Case {
    ShareSetting setting;
    const char* says;
  };
  const auto with = [](auto change) {
    ShareSetting s;
    change(s);
    return s;
  };
  const Case cases[] = {
      {with([](ShareSetting& s) { s.users = 0; }), "0 users"},
      {with([](ShareSetting& s) { s.active = 1; }), "below 1"},
      {with([](ShareSetting& s) { s.user_rate = "2"; }), "not even one user fits"},
      {with([](ShareSetting& s) { s.link_rate = "1e6"; }), "\"1e6\" is not a link rate"},
      {with([](ShareSetting& s) { s.slot_count = 1'000'000'000; }), "a run makes 1 to 10000000"},
      {with([](ShareSetting& s) { s.users = 1000; s.slot_count = 1'000'000; }), "200000 slots for 1000 users"},
      {with([](ShareSetting& s) { s.active = 0.9; s.burst_slots = 2; }), "from 9 to"},
  };
  for (const Case& c : cases) {
    const auto refusal = ShareRefusal(c.setting);
    ASSERT_TRUE(refusal) << c.says;
    EXPECT_NE(refusal->find(c.says), std::string::npos) << *refusal;
  }
  EXPECT_FALSE(ShareRefusal(ShareSetting{}));
}

// 99.9 % intervals by 50 batch means; a setting whose run fell outside
// would fail every time, so each is checked once, with its seed.
TEST(SharedLink, LongRunsMeetTheBinomialAndSlicesMeetTheWhole) {
  struct Case {
    int users;
    double active;
    const char* user_rate;
    std::optional<double> burst;
  };
  for (const Case& c : {Case{35, 0.1, "0.1", {}}, {35, 0.1, "0.1", 50.0}, {20, 0.3, "0.2", {}},
                        {100, 0.05, "0.1", 8.0}, {12, 0.5, "0.125", {}}}) {
    ShareSetting s{c.users, c.active, c.user_rate, "1", c.burst, 2'000'000, 11};
    ShareRun run(s);
    run.RunNext(s.slot_count);
    const double formula = CongestionFormula(s);
    EXPECT_LE(std::abs(run.Congestion().Mean() - formula), run.Congestion().HalfWidth())
        << c.users << " users, burst " << BurstSlots(s) << ": " << run.Congestion().Mean() << " against " << formula;
    // Each user is active a share `active` of the slots, so the packets carry the offered load when nothing congests.
    EXPECT_NEAR(run.CircuitUse(), run.CircuitUsers() * c.active * std::stod(c.user_rate), 0.01);
  }
  ShareSetting textbook;
  textbook.slot_count = 30'000;
  ShareRun whole(textbook);
  whole.RunNext(textbook.slot_count);
  ShareRun sliced(textbook);
  while (!sliced.Done()) sliced.RunNext(137);
  EXPECT_EQ(ShareJson(sliced), ShareJson(whole));
  EXPECT_EQ(whole.CircuitUsers(), 10);
  EXPECT_EQ(sliced.ShownPeriods(3), whole.ShownPeriods(3));
  const BurstCase burst = BurstCaseOf(ShareSetting{10, 0.1, "0.1", "1", {}, 1, 1});
  EXPECT_EQ(burst.reserved_s, 10.0);
  EXPECT_EQ(burst.shared_s, 1.0);
}

TEST(Queue, LongRunsMeetTheFormulasAndBadValuesAreRefused) {
  for (const double rho : {0.3, 0.6, 0.9}) {
    QueueSetting s{rho, std::nullopt, 1'000'000, 1.0, 1, 5};
    QueueRun run(s);
    run.RunNext(s.packets);
    EXPECT_LE(std::abs(run.Wait().Mean() - MeanWaitFormulaMs(s)), run.Wait().HalfWidth())
        << rho << ": " << run.Wait().Mean() << " against " << MeanWaitFormulaMs(s);
    EXPECT_EQ(run.Lost(), 0);
  }
  // No room to wait: a packet is lost when it finds the link busy, ρ / (1 + ρ) of them for any service time.
  QueueSetting none{0.5, 0, 400'000, 2.0, 3, 9};
  QueueRun lossy(none);
  while (!lossy.Done()) lossy.RunNext(999);
  const double lost = static_cast<double>(lossy.Lost()) / none.packets;
  const double p = 0.5 / 1.5;
  EXPECT_NEAR(lost, p, 3.3 * std::sqrt(p * (1 - p) / none.packets));
  EXPECT_EQ(lossy.Wait().Mean(), 0.0);
  EXPECT_EQ(MeanWaitFormulaMs(QueueSetting{0.5, {}, 1, 1.0, 1, 1}), 50.0);

  const auto refused = [](double rho, std::optional<int> buffer, std::int64_t packets) {
    return QueueRefusal(QueueSetting{rho, buffer, packets, 1.0, 1, 1}).value_or("");
  };
  EXPECT_NE(refused(1.0, {}, 10).find("grows without end"), std::string::npos);
  EXPECT_NE(refused(0.04, {}, 10).find("0.05 to 0.99"), std::string::npos);
  EXPECT_NE(refused(0.5, -1, 10).find("not a buffer"), std::string::npos);
  EXPECT_NE(refused(0.5, {}, 1'000'000'000).find("1 to 10000000"), std::string::npos);
  EXPECT_EQ(refused(0.99, {}, 10), "");
}

// Items of the colour `colour`, rectangles filled with it or lines stroked in it.
int ItemsOf(const Drawing& drawing, Rgb colour) {
  int count = 0;
  for (const DrawItem& item : drawing.items) {
    if (const auto* rect = std::get_if<DrawRect>(&item)) count += rect->filled && rect->fill == colour;
    if (const auto* line = std::get_if<DrawLine>(&item)) count += line->pen.colour == colour;
  }
  return count;
}

TEST(LabPictures, ShowEachActivePeriodEachCongestedSlotAndEachLoss) {
  ShareSetting busy{30, 0.4, "0.1", "1", 6.0, 1000, 3};
  ShareRun run(busy);
  run.RunNext(busy.slot_count);
  const Drawing share = SharePicture(run);
  int congested = 0;
  for (const int active : run.ShownActive()) congested += active > 10;
  ASSERT_GT(congested, 0);
  EXPECT_EQ(ItemsOf(share, MakeRgb(210, 30, 30)), congested);
  std::size_t periods = 0;
  for (int u = 10; u < 30; ++u) periods += run.ShownPeriods(u).size();
  EXPECT_EQ(ItemsOf(share, MakeRgb(224, 128, 32)), static_cast<int>(periods));
  EXPECT_NE(share.description.find(std::to_string(run.CongestedSlots()) + " of 1000 slots"), std::string::npos);

  QueueRun queue(QueueSetting{0.9, 1, 3000, 1.0, 1, 4});
  queue.RunNext(3000);
  int lost = 0;
  for (const QueuedPacket& p : queue.Shown()) lost += p.lost && p.arrival_ms <= 200 * 100.0;
  ASSERT_GT(lost, 0);
  EXPECT_EQ(ItemsOf(QueuePicture(queue), MakeRgb(210, 30, 30)), 2 * lost);  // a cross of two strokes each
}

// What is wrong with a picture's texts: one reaching past its edges, or two
// of its headings (its first line of texts) covering each other.
std::string TextsAmiss(const Drawing& drawing, bool headings_apart) {
  std::vector<const DrawText*> texts;
  for (const DrawItem& item : drawing.items) {
    const auto* text = std::get_if<DrawText>(&item);
    if (text != nullptr && text->rotation == 0.0) texts.push_back(text);
  }
  double first_line = std::numeric_limits<double>::infinity();
  for (const DrawText* text : texts) first_line = std::min(first_line, text->at.y);
  std::string amiss;
  std::vector<Box> headings;
  for (const DrawText* text : texts) {
    const Box box = TextBox(*text);
    if (box.left < 0 || box.right > drawing.width) amiss += " \"" + text->text + "\" past an edge;";
    if (text->at.y != first_line) continue;
    for (const Box& heading : headings) {
      if (headings_apart && Overlap(box, heading)) amiss += " \"" + text->text + "\" on a heading;";
    }
    headings.push_back(box);
  }
  return amiss;
}

TEST(LabPictures, KeepTheirTextsInsideAndTheirHeadingsApartInEveryLanguage) {
  for (const Language& language : kLanguages) {
    ASSERT_TRUE(UseCompiledLanguage(language.code));
    for (const int users : {1, 5, 12, 35, 1000}) {
      ShareRun run(ShareSetting{users, 0.3, "0.1", "1", {}, 600, 1});
      run.RunNext(600);
      EXPECT_EQ(TextsAmiss(SharePicture(run), true), "") << language.code << ", " << users << " users";
    }
    for (const double rate : {0.1, 1.0, 10.0}) {
      QueueRun run(QueueSetting{0.8, {}, 300, rate, 1, 1});
      run.RunNext(300);
      // English titles fit their columns as built, by the face's own advances, which TextBox overstates.
      EXPECT_EQ(TextsAmiss(QueuePicture(run), !EnglishInUse()), "") << language.code << ", " << rate << " Mbps";
    }
  }
  UseCompiledLanguage(kEnglish);
}

}  // namespace
}  // namespace switchsim
