#include "exercises/lab_exercise.h"

#include <cmath>

#include "queueing/queue_run.h"
#include "sharing/share_report.h"
#include "sharing/share_run.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"
#include "text/translation.h"

namespace switchsim {
namespace {

std::string Number(const std::string& text, TextFor text_for) {
  return text_for == TextFor::People ? PeopleNumber(text) : text;
}

}  // namespace

void GradeLab(const Exercise& exercise, ExpectedAnswer& expected) {
  if (exercise.ask == ExerciseAsk::QueueWait) {
    expected.answer.number = MeanWaitFormulaMs(exercise.queue);
    QueueRun run(exercise.queue);
    run.RunNext(exercise.queue.packets);
    expected.lab_simulated = run.Wait().Mean();
    expected.lab_interval = run.Wait().HalfWidth();
    expected.lab_steps = run.Arrived();
  } else if (exercise.ask == ExerciseAsk::CircuitUsers) {
    // The circuits are admitted before the first slot: no slot need be run.
    const ShareRun run(exercise.share);
    expected.answer.number = static_cast<double>(run.ReservedUsers());
    expected.lab_simulated = static_cast<double>(run.CircuitUsers());
  } else {
    ShareRun run(exercise.share);
    run.RunNext(exercise.share.slot_count);
    expected.answer.number = CongestionFormula(exercise.share);
    expected.lab_simulated = run.Congestion().Mean();
    expected.lab_interval = run.Congestion().HalfWidth();
    expected.lab_steps = run.SlotsDone();
  }
  expected.continuous_ms = exercise.ask == ExerciseAsk::QueueWait ? expected.answer.number : 0.0;
  expected.simulated_answer = Answer{expected.lab_simulated, {}};
  if (exercise.ask == ExerciseAsk::CircuitUsers) {
    expected.acceptable.push_back(LabAnswerText(exercise, expected.answer.number, TextFor::Programs));
    expected.acceptable_values.push_back(expected.answer.number);
  }
}

std::string LabAnswerText(const Exercise& exercise, double number, TextFor text_for) {
  switch (exercise.ask) {
    case ExerciseAsk::CircuitUsers: {
      const long long users = std::llround(number);
      if (text_for == TextFor::People) return Fill(TrN("{0} user", "{0} users", users), {std::to_string(users)});
      return std::to_string(users) + (users == 1 ? " user" : " users");
    }
    case ExerciseAsk::Congestion: return Number(ChanceText(number), text_for);
    default: return Number(FormulaText(number), text_for) + " ms";
  }
}

std::string LabAnswerUnit(ExerciseAsk ask) {
  return ask == ExerciseAsk::CircuitUsers ? Tr("users") : ask == ExerciseAsk::Congestion ? Tr("probability") : "ms";
}

std::string LabSimulatedText(const Exercise& exercise, const ExpectedAnswer& e, TextFor text_for) {
  const std::string steps = std::to_string(e.lab_steps);
  const bool people = text_for == TextFor::People;
  const auto words = [people](std::string_view english) { return people ? Tr(english) : std::string(english); };
  switch (exercise.ask) {
    case ExerciseAsk::CircuitUsers:
      return Fill(words(Mark("the lab admits {0} of {1} users to circuits")),
                  {std::to_string(std::llround(e.lab_simulated)), std::to_string(exercise.share.users)});
    case ExerciseAsk::Congestion:
      return Fill(words(Mark("{0} ± {1} ({2} %): the share of {3} slots in which more were active")),
                  {Number(ChanceText(e.lab_simulated), text_for), Number(ChanceText(e.lab_interval), text_for),
                   Number("99.9", text_for), steps});
    default:
      return Fill(words(Mark("{0} ms ± {1} ({2} %) over {3} packets")),
                  {Number(FormulaText(e.lab_simulated), text_for), Number(FormulaText(e.lab_interval), text_for),
                   Number("99.9", text_for), steps});
  }
}

std::string LabFormulaLine(const Exercise& exercise, const ExpectedAnswer& e) {
  const ShareSetting& s = exercise.share;
  const long long circuits = ReservedUsers(s.link_rate, s.user_rate).value_or(0);
  const auto number = [](const std::string& text) { return PeopleNumber(text); };
  switch (exercise.ask) {
    case ExerciseAsk::CircuitUsers:
      return "floor(C / r) = floor(" + number(s.link_rate) + " / " + number(s.user_rate) + ") = " +
             std::to_string(circuits);
    case ExerciseAsk::Congestion:
      return "P(X > " + std::to_string(circuits) + ") = Σ_{k=" + std::to_string(circuits + 1) + ".." +
             std::to_string(s.users) + "} C(" + std::to_string(s.users) + ", k)·" +
             number(ShortestText(s.active)) + "^k·" + number(ShortestText(1 - s.active)) + "^(" +
             std::to_string(s.users) + "−k) = " + number(ChanceText(e.answer.number));
    default: {
      const QueueSetting& q = exercise.queue;
      return "W = ρ·S / (2·(1 − ρ)) = " + number(ShortestText(q.intensity)) + "·" +
             number(FormulaText(ServiceMs(q))) + " / (2·" +
             number(ShortestText(std::round((1 - q.intensity) * 1e9) / 1e9)) + ") = " +
             number(FormulaText(e.answer.number)) + " ms";
    }
  }
}

std::string LabWhyLine(const Exercise& exercise, const ExpectedAnswer& e) {
  if (exercise.ask == ExerciseAsk::CircuitUsers) {
    return Fill(Tr("Reservation is exact: the same on every run. The decimals are divided as written, since in "
                   "binary {0} / {1} is {2}."),
                {PeopleNumber("0.3"), PeopleNumber("0.1"), PeopleNumber("2.9999999999999996")});
  }
  const std::string steps = std::to_string(e.lab_steps);
  const std::string interval = LabAnswerText(exercise, e.lab_interval, TextFor::People);
  if (exercise.ask == ExerciseAsk::Congestion) {
    return Fill(Tr("A run of {0} slots estimates the figure with a spread: by the spread of 50 batches, the true "
                   "value lies within ± {1} of the run's 999 times in 1000. Longer runs come closer."),
                {steps, interval});
  }
  return Fill(Tr("A run of {0} packets estimates the figure with a spread: by the spread of 50 batches, the true "
                 "value lies within ± {1} of the run's 999 times in 1000. Longer runs come closer."),
              {steps, interval});
}

std::string LabKindRule(ExerciseAsk ask) {
  switch (ask) {
    case ExerciseAsk::CircuitUsers:
      return Tr("A circuit reserves its user's rate r of the link's C whether the user is active or not, so "
                "floor(C / r) users fit and the rest are refused.");
    case ExerciseAsk::Congestion:
      return Tr("With packets every user shares the link; users active independently with chance a make the "
                "number active binomial, and the link is short only when more than floor(C / r) are active at "
                "once: P(X > n) = Σ_{k>n} C(N, k)·a^k·(1 − a)^(N−k).");
    default:
      return Tr("Packets arriving at random wait for those before them. With one service time S, M/D/1 gives a "
                "mean wait of ρ·S / (2·(1 − ρ)), which grows without bound as the "
                "intensity ρ = La/R nears 1.");
  }
}

}  // namespace switchsim
