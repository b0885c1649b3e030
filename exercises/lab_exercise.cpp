#include "exercises/lab_exercise.h"

#include <cmath>

#include "queueing/queue_run.h"
#include "sharing/share_report.h"
#include "sharing/share_run.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"

namespace switchsim {
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
    expected.acceptable.push_back(LabAnswerText(exercise, expected.answer.number));
  }
}

std::string LabAnswerText(const Exercise& exercise, double number) {
  switch (exercise.ask) {
    case ExerciseAsk::CircuitUsers: {
      const long long users = std::llround(number);
      return std::to_string(users) + (users == 1 ? " user" : " users");
    }
    case ExerciseAsk::Congestion: return ChanceText(number);
    default: return FormulaText(number) + " ms";
  }
}

std::string LabAnswerUnit(ExerciseAsk ask) {
  return ask == ExerciseAsk::CircuitUsers ? "users" : ask == ExerciseAsk::Congestion ? "probability" : "ms";
}

std::string LabSimulatedText(const Exercise& exercise, const ExpectedAnswer& e) {
  const std::string steps = std::to_string(e.lab_steps);
  switch (exercise.ask) {
    case ExerciseAsk::CircuitUsers:
      return "the lab admits " + std::to_string(std::llround(e.lab_simulated)) + " of " +
             std::to_string(exercise.share.users) + " users to circuits";
    case ExerciseAsk::Congestion:
      return ChanceText(e.lab_simulated) + " \u00b1 " + ChanceText(e.lab_interval) + " (99.9 %): the share of " +
             steps + " slots in which more were active";
    default:
      return FormulaText(e.lab_simulated) + " ms \u00b1 " + FormulaText(e.lab_interval) + " (99.9 %) over " + steps +
             " packets";
  }
}

std::string LabFormulaLine(const Exercise& exercise, const ExpectedAnswer& e) {
  const ShareSetting& s = exercise.share;
  const long long circuits = ReservedUsers(s.link_rate, s.user_rate).value_or(0);
  switch (exercise.ask) {
    case ExerciseAsk::CircuitUsers:
      return "floor(C / r) = floor(" + s.link_rate + " / " + s.user_rate + ") = " + std::to_string(circuits);
    case ExerciseAsk::Congestion:
      return "P(X > " + std::to_string(circuits) + ") = \u03a3_{k=" + std::to_string(circuits + 1) + ".." +
             std::to_string(s.users) + "} C(" + std::to_string(s.users) + ", k)\u00b7" + ShortestText(s.active) +
             "^k\u00b7" + ShortestText(1 - s.active) + "^(" + std::to_string(s.users) + "\u2212k) = " +
             ChanceText(e.answer.number);
    default: {
      const QueueSetting& q = exercise.queue;
      return "W = \u03c1\u00b7S / (2\u00b7(1 \u2212 \u03c1)) = " + ShortestText(q.intensity) + "\u00b7" +
             FormulaText(ServiceMs(q)) + " / (2\u00b7" + ShortestText(std::round((1 - q.intensity) * 1e9) / 1e9) +
             ") = " + FormulaText(e.answer.number) + " ms";
    }
  }
}

std::string LabWhyLine(const Exercise& exercise, const ExpectedAnswer& e) {
  if (exercise.ask == ExerciseAsk::CircuitUsers) {
    return "Reservation is exact: the same on every run. The decimals are divided as written, since in binary "
           "0.3 / 0.1 is 2.9999999999999996.";
  }
  const std::string what = exercise.ask == ExerciseAsk::Congestion ? "slots" : "packets";
  return "A run of " + std::to_string(e.lab_steps) + " " + what +
         " estimates the figure with a spread: by the spread of 50 batches, the true value lies within \u00b1 " +
         LabAnswerText(exercise, e.lab_interval) + " of the run's 999 times in 1000. Longer runs come closer.";
}

std::string LabKindRule(ExerciseAsk ask) {
  switch (ask) {
    case ExerciseAsk::CircuitUsers:
      return "A circuit reserves its user's rate r of the link's C whether the user is active or not, so "
             "floor(C / r) users fit and the rest are refused.";
    case ExerciseAsk::Congestion:
      return "With packets every user shares the link; users active independently with chance a make the "
             "number active binomial, and the link is short only when more than floor(C / r) are active at once: "
             "P(X > n) = \u03a3_{k>n} C(N, k)\u00b7a^k\u00b7(1 \u2212 a)^(N\u2212k).";
    default:
      return "Packets arriving at random wait for those before them. With one service time S, M/D/1 gives a mean "
             "wait of \u03c1\u00b7S / (2\u00b7(1 \u2212 \u03c1)), which grows without bound as the intensity "
             "\u03c1 = La/R nears 1.";
  }
}

}  // namespace switchsim
