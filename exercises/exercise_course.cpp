#include "exercises/exercise_course.h"

#include <array>

#include "exercises/exercise_sheet.h"
#include "exercises/sharing_course.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The course as a sheet file, so that it is read, checked and offered to
// teachers as a start of their own exactly as their sheets are.
constexpr std::string_view kCourseSheet = R"sheet({
  "title": "Switching, step by step",
  "exercises": [
    {
      "question": "A message of 500 units (25 blocks) goes whole over each link. Link 1 is slow (rate 1.0: one block in 100 ms; delay 50: 250 ms to cross); links 2 and 3 are ten times faster, with delay 20. When has it all reached Receive?",
      "ask": "completion",
      "technique": "Message",
      "size": 500,
      "rates": "1.0,10.0,10.0",
      "delays": "50,20,20",
      "hint": "For each link add the sending time, 25 blocks × 100/R ms, and the crossing, 5 × delay ms.",
      "explain": "Store and forward: each router receives the whole message before sending it on, so every link costs the message's sending time L/R plus its crossing d, and the links add: T = Σ (L/R_k + d_k). Here the slow link costs 2500 + 250 ms and each fast one 250 + 100 ms: 3450 ms."
    },
    {
      "question": "Now three equal links, rate 1.0 and delay 50, and the same 500 units. Each router waits for the whole message before it sends it on. When does it arrive?",
      "ask": "completion",
      "technique": "Message",
      "size": 500,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "explain": "Over N equal links store and forward pays N·(L/R + d): the whole sending time again at every hop. Here 3 × (2500 + 250) = 8250 ms; nothing is gained from the links being free while the message waits in a router."
    },
    {
      "question": "The middle link is now half as fast (rate 0.5). How long does the message take now?",
      "ask": "completion",
      "technique": "Message",
      "size": 500,
      "rates": "1.0,0.5,1.0",
      "delays": "50,50,50",
      "explain": "In T = Σ (L/R_k + d_k) only the middle term changes: its sending time doubles from 2500 to 5000 ms, so T = 2750 + 5250 + 2750 = 10750 ms. With store and forward a slow link adds its own time; it does not slow the others."
    },
    {
      "question": "A circuit joins all three links into one path, rates 2.0, 0.5 and 5.0. At what rate can its data stream from Transmit to Receive?",
      "ask": "bottleneck",
      "size": 300,
      "rates": "2.0,0.5,5.0",
      "delays": "50,50,50",
      "explain": "A circuit stores nothing on the way: bits can enter the path no faster than the slowest link carries them on, so the whole path runs at R_min = min(2.0, 0.5, 5.0) = 0.5."
    },
    {
      "question": "The circuit first sends a one-block request over the three links and waits for its one-block acknowledgement to come back; then the 25 blocks stream through at the slowest rate. Rates 1.0, 0.5, 1.0, delays 50. When has the data arrived?",
      "ask": "completion",
      "technique": "Circuit",
      "size": 500,
      "rates": "1.0,0.5,1.0",
      "delays": "50,50,50",
      "hint": "The set-up crosses each link twice, one block each time; the data then pays its sending time once, at rate 0.5.",
      "explain": "T = set-up + L/R_min + Σd. The set-up sends one block over each link and back: 2 × (350 + 450 + 350) = 2300 ms. Then 25 blocks at 0.5 take 5000 ms and the first bit needs the three crossings, 750 ms: 8050 ms in all."
    },
    {
      "question": "Long links (delay 200 each, rate 1.0) and a small message of 100 units (5 blocks). How long does the circuit take now?",
      "ask": "completion",
      "technique": "Circuit",
      "size": 100,
      "rates": "1.0,1.0,1.0",
      "delays": "200,200,200",
      "explain": "The set-up is paid once, whatever the message: six crossings of 1000 ms and six one-block sends of 100 ms, 6600 ms before a bit of data moves. The data itself needs only 500 + 3000 ms. For a short message over long links, setting up a circuit costs more than the message."
    },
    {
      "question": "Same long links and small message. Which technique delivers first?",
      "ask": "fastest",
      "size": 100,
      "rates": "1.0,1.0,1.0",
      "delays": "200,200,200",
      "explain": "Message: N·(L/R + d) = 3 × (500 + 1000) = 4500 ms. Packets of 2 blocks pipeline: the first crosses in 3 × 200 ms, the other two follow 200 and 100 ms later, plus 3 × 1000 ms of crossings: 3900 ms. The circuit's 6600 ms of set-up alone is more than either: 10100 ms."
    },
    {
      "question": "A large message of 1000 units (50 blocks) is cut into packets of 10 blocks and sent over three links of rate 1.0 and delay 50. When has the last packet arrived?",
      "ask": "completion",
      "technique": "Packet",
      "size": 1000,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "packet": 10,
      "hint": "After the first packet has crossed all three links, the others arrive one packet time apart.",
      "explain": "Pipelining: while packet 2 crosses link 1, packet 1 crosses link 2. With P packets of s blocks over N equal links, T = (P + N − 1)·s/R + N·d = (5 + 2) × 1000 + 3 × 250 = 7750 ms, against 3 × (5000 + 250) = 15750 ms for the message sent whole."
    },
    {
      "question": "Now 500 units in packets of 25 blocks: each packet is as large as the message. How long do the packets take?",
      "ask": "completion",
      "technique": "Packet",
      "size": 500,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "packet": 25,
      "explain": "With one packet, P = 1, the pipelining form (P + N − 1)·s/R + N·d becomes N·(L/R + d): store and forward of the whole message again, 3 × (2500 + 250) = 8250 ms. Nothing is left to pipeline."
    },
    {
      "question": "Back to 1000 units in packets of 10 blocks, but each packet now carries a header of 2 blocks. When does the data arrive?",
      "ask": "completion",
      "technique": "Packet",
      "size": 1000,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "packet": 10,
      "header": 2,
      "explain": "A header is sent with every packet, so each packet is s = p + h = 12 blocks: T = (P + N − 1)·s/R + N·d = (5 + 2) × 1200 + 750 = 9150 ms, against 7750 ms without headers. Small packets pipeline well but pay their headers many times."
    },
    {
      "question": "1000 units (50 blocks), a header of 1 block on every packet, three equal links of rate 1.0 and delay 50. Which packet size, in blocks, delivers the data soonest?",
      "ask": "optimal-packet",
      "size": 1000,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "header": 1,
      "hint": "Many small packets mean many headers; few large ones mean long waits in each router.",
      "explain": "With equal links T(p) ≈ (M/p + N − 1)·(p + h)/R + N·d: it falls as the packets shrink until the headers dominate, and is least near p* = √(M·h / (N − 1)) = √(50 × 1 / 2) = 5 blocks."
    },
    {
      "question": "The same message, but the header is now 4 blocks. Which packet size is best now?",
      "ask": "optimal-packet",
      "size": 1000,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "header": 4,
      "explain": "By the square-root rule p* = √(M·h / (N − 1)) = √(50 × 4 / 2) = 10 blocks: four times the header doubles the best size. A heavier header moves the balance towards larger packets."
    },
    {
      "question": "A message of 1000 units goes whole over three links of rate 2.0 and delay 200. To make it arrive sooner you may either double the rate of link 2 or halve its delay. Which helps more?",
      "ask": "which-change",
      "technique": "Message",
      "size": 1000,
      "rates": "2.0,2.0,2.0",
      "delays": "200,200,200",
      "changes": [
        "rate2=4.0",
        "delay2=100"
      ],
      "explain": "Transmission against propagation: L/R shrinks when the rate grows, d does not. Doubling link 2's rate halves its L/R, saving 2500 − 1250 = 1250 ms; halving its delay saves half of 5 × 200 ms, 500 ms. For a long message the sending time is the larger term, so the rate helps more."
    },
    {
      "question": "Now a small message of 100 units over three links of rate 5.0 and delay 200. Again: double the rate of link 2, or halve its delay?",
      "ask": "which-change",
      "technique": "Message",
      "size": 100,
      "rates": "5.0,5.0,5.0",
      "delays": "200,200,200",
      "changes": [
        "rate2=10.0",
        "delay2=100"
      ],
      "explain": "Here L/R on link 2 is only 5 × 20 = 100 ms, and doubling the rate saves 50 ms; its crossing is 1000 ms, and halving the delay saves 500 ms. For a short message over long links propagation dominates, and no rate can buy it back."
    },
    {
      "question": "Fast links (rate 5.0, delay 20), a message of 1000 units, and packets of 2 blocks, each with a header of 3 blocks. Which technique delivers first?",
      "ask": "fastest",
      "size": 1000,
      "rates": "5.0,5.0,5.0",
      "delays": "20,20,20",
      "packet": 2,
      "header": 3,
      "explain": "Each packet is more header than data: 25 packets of 5 blocks, (25 + 2) × 100 + 300 = 3000 ms. The message pays its one header and 3 × (53 × 20 + 100) = 3480 ms. The circuit pays its set-up once, 6 × (20 + 100) = 720 ms on fast short links, then streams the 50 blocks without headers: 720 + 1000 + 300 = 2020 ms. When set-up is cheap and headers are heavy, the circuit wins."
    },
    {
      "question": "Rate 2.0 and delay 20 on every link, packets of 2 blocks with a header of 2 blocks. Packets win for short messages, the circuit for long ones. Along the message size from 20 to 1000 units, at what size does the circuit overtake the packets?",
      "ask": "crossover",
      "technique": "Circuit",
      "overtakes": "Packet",
      "sweep": "size=20:1000:20",
      "size": 300,
      "rates": "2.0,2.0,2.0",
      "delays": "20,20,20",
      "header": 2,
      "hint": "Explore draws the curves along the message size; work it out before you look.",
      "explain": "The circuit pays its set-up once, 6 × (50 + 100) = 900 ms, then 50 ms a block of data: T = 1200 + 50·B ms for B blocks. Packets start at once, but every 2-block packet carries 2 header blocks, so each block of data costs about 100 ms: T ≈ 700 + 100·B. The circuit's line is the flatter one; the two cross near 180 units, where the set-up has been paid back."
    }
  ]
}
)sheet";

// The course's own texts, for the catalog: each is shown through Tr (see ShownSheet).
inline constexpr std::array<std::string_view, 38> kCourseTexts = {
    Mark("Switching, step by step"),
    Mark("A message of 500 units (25 blocks) goes whole over each link. Link 1 is slow (rate 1.0: one "
         "block in 100 ms; delay 50: 250 ms to cross); links 2 and 3 are ten times faster, with delay "
         "20. When has it all reached Receive?"),
    Mark("For each link add the sending time, 25 blocks × 100/R ms, and the crossing, 5 × delay ms."),
    Mark("Store and forward: each router receives the whole message before sending it on, so every link "
         "costs the message's sending time L/R plus its crossing d, and the links add: T = Σ (L/R_k + "
         "d_k). Here the slow link costs 2500 + 250 ms and each fast one 250 + 100 ms: 3450 ms."),
    Mark("Now three equal links, rate 1.0 and delay 50, and the same 500 units. Each router waits for "
         "the whole message before it sends it on. When does it arrive?"),
    Mark("Over N equal links store and forward pays N·(L/R + d): the whole sending time again at every "
         "hop. Here 3 × (2500 + 250) = 8250 ms; nothing is gained from the links being free while the "
         "message waits in a router."),
    Mark("The middle link is now half as fast (rate 0.5). How long does the message take now?"),
    Mark("In T = Σ (L/R_k + d_k) only the middle term changes: its sending time doubles from 2500 to "
         "5000 ms, so T = 2750 + 5250 + 2750 = 10750 ms. With store and forward a slow link adds its own "
         "time; it does not slow the others."),
    Mark("A circuit joins all three links into one path, rates 2.0, 0.5 and 5.0. At what rate can its "
         "data stream from Transmit to Receive?"),
    Mark("A circuit stores nothing on the way: bits can enter the path no faster than the slowest link "
         "carries them on, so the whole path runs at R_min = min(2.0, 0.5, 5.0) = 0.5."),
    Mark("The circuit first sends a one-block request over the three links and waits for its one-block "
         "acknowledgement to come back; then the 25 blocks stream through at the slowest rate. Rates "
         "1.0, 0.5, 1.0, delays 50. When has the data arrived?"),
    Mark("The set-up crosses each link twice, one block each time; the data then pays its sending time "
         "once, at rate 0.5."),
    Mark("T = set-up + L/R_min + Σd. The set-up sends one block over each link and back: 2 × (350 + 450 "
         "+ 350) = 2300 ms. Then 25 blocks at 0.5 take 5000 ms and the first bit needs the three "
         "crossings, 750 ms: 8050 ms in all."),
    Mark("Long links (delay 200 each, rate 1.0) and a small message of 100 units (5 blocks). How long "
         "does the circuit take now?"),
    Mark("The set-up is paid once, whatever the message: six crossings of 1000 ms and six one-block "
         "sends of 100 ms, 6600 ms before a bit of data moves. The data itself needs only 500 + 3000 ms. "
         "For a short message over long links, setting up a circuit costs more than the message."),
    Mark("Same long links and small message. Which technique delivers first?"),
    Mark("Message: N·(L/R + d) = 3 × (500 + 1000) = 4500 ms. Packets of 2 blocks pipeline: the first "
         "crosses in 3 × 200 ms, the other two follow 200 and 100 ms later, plus 3 × 1000 ms of "
         "crossings: 3900 ms. The circuit's 6600 ms of set-up alone is more than either: 10100 ms."),
    Mark("A large message of 1000 units (50 blocks) is cut into packets of 10 blocks and sent over three "
         "links of rate 1.0 and delay 50. When has the last packet arrived?"),
    Mark("After the first packet has crossed all three links, the others arrive one packet time apart."),
    Mark("Pipelining: while packet 2 crosses link 1, packet 1 crosses link 2. With P packets of s blocks "
         "over N equal links, T = (P + N − 1)·s/R + N·d = (5 + 2) × 1000 + 3 × 250 = 7750 ms, against 3 "
         "× (5000 + 250) = 15750 ms for the message sent whole."),
    Mark("Now 500 units in packets of 25 blocks: each packet is as large as the message. How long do the "
         "packets take?"),
    Mark("With one packet, P = 1, the pipelining form (P + N − 1)·s/R + N·d becomes N·(L/R + d): store "
         "and forward of the whole message again, 3 × (2500 + 250) = 8250 ms. Nothing is left to "
         "pipeline."),
    Mark("Back to 1000 units in packets of 10 blocks, but each packet now carries a header of 2 blocks. "
         "When does the data arrive?"),
    Mark("A header is sent with every packet, so each packet is s = p + h = 12 blocks: T = (P + N − "
         "1)·s/R + N·d = (5 + 2) × 1200 + 750 = 9150 ms, against 7750 ms without headers. Small packets "
         "pipeline well but pay their headers many times."),
    Mark("1000 units (50 blocks), a header of 1 block on every packet, three equal links of rate 1.0 and "
         "delay 50. Which packet size, in blocks, delivers the data soonest?"),
    Mark("Many small packets mean many headers; few large ones mean long waits in each router."),
    Mark("With equal links T(p) ≈ (M/p + N − 1)·(p + h)/R + N·d: it falls as the packets shrink until "
         "the headers dominate, and is least near p* = √(M·h / (N − 1)) = √(50 × 1 / 2) = 5 blocks."),
    Mark("The same message, but the header is now 4 blocks. Which packet size is best now?"),
    Mark("By the square-root rule p* = √(M·h / (N − 1)) = √(50 × 4 / 2) = 10 blocks: four times the "
         "header doubles the best size. A heavier header moves the balance towards larger packets."),
    Mark("A message of 1000 units goes whole over three links of rate 2.0 and delay 200. To make it "
         "arrive sooner you may either double the rate of link 2 or halve its delay. Which helps more?"),
    Mark("Transmission against propagation: L/R shrinks when the rate grows, d does not. Doubling link "
         "2's rate halves its L/R, saving 2500 − 1250 = 1250 ms; halving its delay saves half of 5 × 200 "
         "ms, 500 ms. For a long message the sending time is the larger term, so the rate helps more."),
    Mark("Now a small message of 100 units over three links of rate 5.0 and delay 200. Again: double the "
         "rate of link 2, or halve its delay?"),
    Mark("Here L/R on link 2 is only 5 × 20 = 100 ms, and doubling the rate saves 50 ms; its crossing is "
         "1000 ms, and halving the delay saves 500 ms. For a short message over long links propagation "
         "dominates, and no rate can buy it back."),
    Mark("Fast links (rate 5.0, delay 20), a message of 1000 units, and packets of 2 blocks, each with a "
         "header of 3 blocks. Which technique delivers first?"),
    Mark("Each packet is more header than data: 25 packets of 5 blocks, (25 + 2) × 100 + 300 = 3000 ms. "
         "The message pays its one header and 3 × (53 × 20 + 100) = 3480 ms. The circuit pays its set-up "
         "once, 6 × (20 + 100) = 720 ms on fast short links, then streams the 50 blocks without headers: "
         "720 + 1000 + 300 = 2020 ms. When set-up is cheap and headers are heavy, the circuit wins."),
    Mark("Rate 2.0 and delay 20 on every link, packets of 2 blocks with a header of 2 blocks. Packets "
         "win for short messages, the circuit for long ones. Along the message size from 20 to 1000 "
         "units, at what size does the circuit overtake the packets?"),
    Mark("Explore draws the curves along the message size; work it out before you look."),
    Mark("The circuit pays its set-up once, 6 × (50 + 100) = 900 ms, then 50 ms a block of data: T = "
         "1200 + 50·B ms for B blocks. Packets start at once, but every 2-block packet carries 2 header "
         "blocks, so each block of data costs about 100 ms: T ≈ 700 + 100·B. The circuit's line is the "
         "flatter one; the two cross near 180 units, where the set-up has been paid back."),
};


}  // namespace

std::string_view BuiltInCourseText() { return kCourseSheet; }

const ExerciseSheet& BuiltInCourse() {
  static const ExerciseSheet course = [] {
    ExerciseSheet sheet = *ReadExerciseSheet(kCourseSheet).sheet;
    sheet.texts_in_catalog = true;
    return sheet;
  }();
  return course;
}

const ExerciseSheet* BuiltInCourseNamed(std::string_view name) {
  if (name == kBuiltInCourseName) return &BuiltInCourse();
  if (name == kSharingCourseName) return &SharingCourse();
  return nullptr;
}

std::span<const std::string_view> CourseTextsNamed(std::string_view name) {
  if (name == kBuiltInCourseName) return kCourseTexts;
  if (name == kSharingCourseName) return SharingCourseTexts();
  return {};
}

ExerciseSheet ShownSheet(const ExerciseSheet& sheet) {
  ExerciseSheet shown = sheet;
  const bool own = sheet.texts_in_catalog;
  const auto translate = [own](std::string& text) {
    if (own && !text.empty()) text = Tr(text);
  };
  translate(shown.title);
  for (Exercise& exercise : shown.exercises) {
    exercise.question = ShownQuestion(exercise, own);
    translate(exercise.hint);
    translate(exercise.explain);
  }
  return shown;
}

std::optional<std::string_view> BuiltInCourseTextNamed(std::string_view name) {
  if (name == kBuiltInCourseName) return BuiltInCourseText();
  if (name == kSharingCourseName) return SharingCourseText();
  return std::nullopt;
}

}  // namespace switchsim
