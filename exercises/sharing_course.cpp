#include "exercises/sharing_course.h"

#include <array>

#include "exercises/exercise_sheet.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The course as a sheet file, read and checked exactly as a teacher's sheet is.
constexpr std::string_view kSharingSheet = R"sheet({
  "title": "Sharing a link",
  "exercises": [
    {
      "question": "A link of 1 Mbps is shared by users who each send at 100 kbps (0.1 Mbps) while they are active. With a circuit reserved for each user, how many users can the link serve?",
      "ask": "circuit-users",
      "users": 35,
      "user_rate": "0.1",
      "link_rate": "1",
      "hint": "Each circuit keeps its user's rate for itself, active or not.",
      "explain": "A reserved circuit holds r of the link's C all the time, so floor(C / r) users fit: floor(1 / 0.1) = 10. The other 25 are refused, although each is active only now and then."
    },
    {
      "question": "A link of 0.3 Mbps, users of 0.1 Mbps each. How many circuits fit?",
      "ask": "circuit-users",
      "users": 5,
      "user_rate": "0.1",
      "link_rate": "0.3",
      "explain": "floor(0.3 / 0.1) = 3 exactly. A program that divides in binary numbers gets 2.9999999999999996 and would admit only 2: the lab works on the decimals as written."
    },
    {
      "question": "A link of 1.5 Mbps, users of 0.4 Mbps. How many users do circuits serve, and what happens to the rest of the link?",
      "ask": "circuit-users",
      "users": 10,
      "user_rate": "0.4",
      "link_rate": "1.5",
      "explain": "floor(1.5 / 0.4) = floor(3.75) = 3. The remaining 0.3 Mbps cannot hold a fourth circuit and stands idle, as does every reserved circuit while its user is silent."
    },
    {
      "question": "Now 35 users share the 1 Mbps link with packets. Each is active 10 % of the time, independently of the others. The link is short only when more than 10 are active at once. What is the probability of that, roughly?",
      "ask": "congestion",
      "users": 35,
      "active": 0.1,
      "user_rate": "0.1",
      "link_rate": "1",
      "slots": 200000,
      "tolerance": 50,
      "hint": "The number active is binomial: sum C(35, k) 0.1^k 0.9^(35-k) for k from 11 to 35.",
      "explain": "P(X > 10) = Σ_{k=11..35} C(35, k)·0.1^k·0.9^(35−k) ≈ 0.0004. Packets serve 35 users where circuits serve 10, and the link is overloaded only four slots in ten thousand: that is statistical multiplexing."
    },
    {
      "question": "Fifty users of 0.1 Mbps, each active 10 % of the time, on the same 1 Mbps link. What is the probability that more than 10 are active at once?",
      "ask": "congestion",
      "users": 50,
      "active": 0.1,
      "user_rate": "0.1",
      "link_rate": "1",
      "tolerance": 10,
      "explain": "The mean number active grows from 3.5 to 5, and the tail above 10 grows much faster: P(X > 10) = Σ_{k=11..50} C(50, k)·0.1^k·0.9^(50−k) ≈ 0.0094, twenty times as often as with 35 users."
    },
    {
      "question": "Twenty users of 0.1 Mbps on 1 Mbps, but each is active 30 % of the time. What is the probability that more than 10 are active at once?",
      "ask": "congestion",
      "users": 20,
      "active": 0.3,
      "user_rate": "0.1",
      "link_rate": "1",
      "tolerance": 10,
      "explain": "With users active more often there is less to gain: P(X > 10) = Σ_{k=11..20} C(20, k)·0.3^k·0.7^(20−k) ≈ 0.017. Statistical multiplexing pays most when users are bursty, active a small share of the time."
    },
    {
      "question": "Fifty users again, active 10 % of the time, but now in bursts of 10 slots on average. Does the probability that more than 10 are active at once change?",
      "ask": "congestion",
      "users": 50,
      "active": 0.1,
      "user_rate": "0.1",
      "link_rate": "1",
      "burst": 10,
      "slots": 200000,
      "tolerance": 20,
      "hint": "Each user is still active 10 % of the time.",
      "explain": "It does not: at any one slot each user is active with chance 0.1 whatever the bursts' length, so the binomial sum still gives about 0.0094. Longer bursts make congestion come in longer spells, fewer of them, so a run's share varies more from seed to seed."
    },
    {
      "question": "Packets of one block arrive at random at a router whose link sends one in 100 ms, with traffic intensity ρ = La/R = 0.5. What is the mean wait in the queue, in ms?",
      "ask": "queue-wait",
      "intensity": 0.5,
      "tolerance": 10,
      "hint": "M/D/1: W = ρ·S / (2·(1 − ρ)), with S the time to send one packet.",
      "explain": "W = 0.5 · 100 / (2 · 0.5) = 50 ms: half a service time. The link is busy half the time, so a packet often finds it free."
    },
    {
      "question": "The same router at intensity 0.8. What is the mean wait in the queue?",
      "ask": "queue-wait",
      "intensity": 0.8,
      "tolerance": 10,
      "explain": "W = 0.8 · 100 / (2 · 0.2) = 200 ms. The intensity went up by 60 %, the wait four times: the factor 1 / (1 − ρ) grows fast as ρ nears 1."
    },
    {
      "question": "And at intensity 0.9?",
      "ask": "queue-wait",
      "intensity": 0.9,
      "tolerance": 10,
      "explain": "W = 0.9 · 100 / (2 · 0.1) = 450 ms, more than twice the wait at 0.8 for an eighth more traffic. Near ρ = 1 the queueing delay grows without bound; at 1 and above the queue never drains (or, with a finite buffer, packets are lost)."
    }
  ]
}
)sheet";

// The course's own texts, for the catalog: each is shown through Tr (see ShownSheet).
inline constexpr std::array<std::string_view, 25> kSharingTexts = {
    Mark("Sharing a link"),
    Mark("A link of 1 Mbps is shared by users who each send at 100 kbps (0.1 Mbps) while they are "
         "active. With a circuit reserved for each user, how many users can the link serve?"),
    Mark("Each circuit keeps its user's rate for itself, active or not."),
    Mark("A reserved circuit holds r of the link's C all the time, so floor(C / r) users fit: floor(1 / "
         "0.1) = 10. The other 25 are refused, although each is active only now and then."),
    Mark("A link of 0.3 Mbps, users of 0.1 Mbps each. How many circuits fit?"),
    Mark("floor(0.3 / 0.1) = 3 exactly. A program that divides in binary numbers gets 2.9999999999999996 "
         "and would admit only 2: the lab works on the decimals as written."),
    Mark("A link of 1.5 Mbps, users of 0.4 Mbps. How many users do circuits serve, and what happens to "
         "the rest of the link?"),
    Mark("floor(1.5 / 0.4) = floor(3.75) = 3. The remaining 0.3 Mbps cannot hold a fourth circuit and "
         "stands idle, as does every reserved circuit while its user is silent."),
    // xgettext:no-c-format
    Mark("Now 35 users share the 1 Mbps link with packets. Each is active 10 % of the time, "
         "independently of the others. The link is short only when more than 10 are active at once. What "
         "is the probability of that, roughly?"),
    Mark("The number active is binomial: sum C(35, k) 0.1^k 0.9^(35-k) for k from 11 to 35."),
    Mark("P(X > 10) = Σ_{k=11..35} C(35, k)·0.1^k·0.9^(35−k) ≈ 0.0004. Packets serve 35 users where "
         "circuits serve 10, and the link is overloaded only four slots in ten thousand: that is "
         "statistical multiplexing."),
    // xgettext:no-c-format
    Mark("Fifty users of 0.1 Mbps, each active 10 % of the time, on the same 1 Mbps link. What is the "
         "probability that more than 10 are active at once?"),
    Mark("The mean number active grows from 3.5 to 5, and the tail above 10 grows much faster: P(X > 10) "
         "= Σ_{k=11..50} C(50, k)·0.1^k·0.9^(50−k) ≈ 0.0094, twenty times as often as with 35 users."),
    // xgettext:no-c-format
    Mark("Twenty users of 0.1 Mbps on 1 Mbps, but each is active 30 % of the time. What is the "
         "probability that more than 10 are active at once?"),
    Mark("With users active more often there is less to gain: P(X > 10) = Σ_{k=11..20} C(20, "
         "k)·0.3^k·0.7^(20−k) ≈ 0.017. Statistical multiplexing pays most when users are bursty, active "
         "a small share of the time."),
    // xgettext:no-c-format
    Mark("Fifty users again, active 10 % of the time, but now in bursts of 10 slots on average. Does the "
         "probability that more than 10 are active at once change?"),
    // xgettext:no-c-format
    Mark("Each user is still active 10 % of the time."),
    Mark("It does not: at any one slot each user is active with chance 0.1 whatever the bursts' length, "
         "so the binomial sum still gives about 0.0094. Longer bursts make congestion come in longer "
         "spells, fewer of them, so a run's share varies more from seed to seed."),
    Mark("Packets of one block arrive at random at a router whose link sends one in 100 ms, with traffic "
         "intensity ρ = La/R = 0.5. What is the mean wait in the queue, in ms?"),
    Mark("M/D/1: W = ρ·S / (2·(1 − ρ)), with S the time to send one packet."),
    Mark("W = 0.5 · 100 / (2 · 0.5) = 50 ms: half a service time. The link is busy half the time, so a "
         "packet often finds it free."),
    Mark("The same router at intensity 0.8. What is the mean wait in the queue?"),
    // xgettext:no-c-format
    Mark("W = 0.8 · 100 / (2 · 0.2) = 200 ms. The intensity went up by 60 %, the wait four times: the "
         "factor 1 / (1 − ρ) grows fast as ρ nears 1."),
    Mark("And at intensity 0.9?"),
    Mark("W = 0.9 · 100 / (2 · 0.1) = 450 ms, more than twice the wait at 0.8 for an eighth more "
         "traffic. Near ρ = 1 the queueing delay grows without bound; at 1 and above the queue never "
         "drains (or, with a finite buffer, packets are lost)."),
};


}  // namespace

std::string_view SharingCourseText() { return kSharingSheet; }

const ExerciseSheet& SharingCourse() {
  static const ExerciseSheet course = [] {
    ExerciseSheet sheet = *ReadExerciseSheet(kSharingSheet).sheet;
    sheet.texts_in_catalog = true;
    return sheet;
  }();
  return course;
}

std::span<const std::string_view> SharingCourseTexts() { return kSharingTexts; }

}  // namespace switchsim
