#include "exercise_course.h"

#include "exercise_sheet.h"

namespace switchsim {
namespace {

// The course as a sheet file, so that it is read, checked and offered to
// teachers as a start of their own exactly as their sheets are.
constexpr std::string_view kCourseSheet = R"sheet({
  "title": "Switching, step by step",
  "exercises": [
    {
      "question": "A message of 100 units (5 blocks) goes whole over each link. Link 1 is slow (rate 1.0, one block in 100 ms, delay 50); links 2 and 3 are ten times faster with delay 20. When does it reach Receive?",
      "ask": "completion",
      "technique": "Message",
      "size": 100,
      "rates": "1.0,10.0,10.0",
      "delays": "50,20,20",
      "explain": "On each link the message costs its sending time, blocks times 100/R, plus the time its first bit needs to cross, 5 times the delay. The slow first link gives 500 + 250 ms; each fast one only 50 + 100 ms."
    },
    {
      "question": "Now three equal links, rate 1.0 and delay 50, and a message of 300 units (15 blocks). Each router waits for the whole message before it sends it on. When does it arrive?",
      "ask": "completion",
      "technique": "Message",
      "size": 300,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "explain": "Store and forward pays the whole sending time again at every hop: three times (1500 + 250) ms. Nothing is gained from the links being free while the message waits."
    },
    {
      "question": "The middle link is now half as fast (rate 0.5). How long does the message take now?",
      "ask": "completion",
      "technique": "Message",
      "size": 300,
      "rates": "1.0,0.5,1.0",
      "delays": "50,50,50",
      "explain": "Only the middle hop changes: its sending time doubles from 1500 to 3000 ms. With store and forward a slow link adds its own time; it does not slow the others."
    },
    {
      "question": "A circuit joins all three links into one path, rates 2.0, 0.5 and 5.0. At what rate can its data stream from Transmit to Receive?",
      "ask": "bottleneck",
      "size": 300,
      "rates": "2.0,0.5,5.0",
      "delays": "50,50,50",
      "explain": "Bits enter the path as fast as the slowest link can carry them away, or they would pile up in a router that does not store. The circuit therefore runs every link at the slowest rate."
    },
    {
      "question": "The circuit first sends a one-block request over the three links and waits for its acknowledgement to come back; then the 15 blocks stream through at the slowest rate. Rates 1.0, 0.5, 1.0, delays 50. When has the data arrived?",
      "ask": "completion",
      "technique": "Circuit",
      "size": 300,
      "rates": "1.0,0.5,1.0",
      "delays": "50,50,50",
      "explain": "Set-up costs a request and an acknowledgement over every link (each one block plus the crossing); then the data needs its sending time once, at the slowest rate, plus one crossing of each link."
    },
    {
      "question": "Long links (delay 200 each, rate 1.0) and a small message of 100 units. How long does the circuit take now?",
      "ask": "completion",
      "technique": "Circuit",
      "size": 100,
      "rates": "1.0,1.0,1.0",
      "delays": "200,200,200",
      "explain": "With long delays the set-up's round trip dominates: six crossings of 1000 ms before a single bit of data is sent. For a short message, setting up a circuit is expensive."
    },
    {
      "question": "Same long links and small message. Which technique delivers first?",
      "ask": "fastest",
      "size": 100,
      "rates": "1.0,1.0,1.0",
      "delays": "200,200,200",
      "explain": "The circuit spends its time on set-up; the message and the packets start at once. Small packets also let the three links work at the same time."
    },
    {
      "question": "A larger message of 500 units (25 blocks), sent as packets of 5 blocks, over three links of rate 1.0 and delay 50. Which technique delivers first?",
      "ask": "fastest",
      "size": 500,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "packet": 5,
      "explain": "A message sent whole waits at each router for all 25 blocks. Packets keep the three links busy at once, so the long sending time is paid about once, and unlike the circuit they start without a set-up."
    },
    {
      "question": "The 15 blocks are cut into packets of 2 blocks (the last has 1). Three equal links, rate 1.0, delay 50. When has the last packet arrived?",
      "ask": "completion",
      "technique": "Packet",
      "size": 300,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "explain": "Pipelining: while packet 2 crosses link 1, packet 1 already crosses link 2. The message's sending time is paid once on the first link; the other links add only one packet's time and their crossings."
    },
    {
      "question": "Now make each packet as large as the message, 15 blocks. How long do the packets take?",
      "ask": "completion",
      "technique": "Packet",
      "size": 300,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "packet": 15,
      "explain": "One packet of the whole message is the message technique again: no pipelining is left, and every hop pays the whole sending time."
    },
    {
      "question": "Back to packets of 2 blocks, but each now carries a header of 1 block. When does the data arrive?",
      "ask": "completion",
      "technique": "Packet",
      "size": 300,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "header": 1,
      "explain": "The header is sent with every packet: 8 packets add 8 blocks to the 15 of data, half as much again. Small packets pipeline well but pay their headers many times."
    },
    {
      "question": "With a header of 1 block on every packet, which packet size delivers the 300 units soonest?",
      "ask": "optimal-packet",
      "size": 300,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "header": 1,
      "explain": "Small packets mean many headers; large packets mean long waits at each router. The best size lies between, where the two costs balance."
    },
    {
      "question": "A message of 1000 units and a header of 2 blocks. Which packet size is best now?",
      "ask": "optimal-packet",
      "size": 1000,
      "rates": "1.0,1.0,1.0",
      "delays": "50,50,50",
      "header": 2,
      "explain": "A larger message and a heavier header both move the balance towards larger packets."
    },
    {
      "question": "Fast links (rate 5.0, delay 20), a message of 1000 units, and packets of 2 blocks, each with a header of 3 blocks. Which technique delivers first?",
      "ask": "fastest",
      "size": 1000,
      "rates": "5.0,5.0,5.0",
      "delays": "20,20,20",
      "packet": 2,
      "header": 3,
      "explain": "Each packet here is more header than data: the packets send two and a half times the data's blocks. The circuit pays its set-up once, cheaply on fast short links, and then streams the data with no headers at all. When set-up is cheap and headers are heavy, the circuit wins."
    }
  ]
}
)sheet";

}  // namespace

std::string_view BuiltInCourseText() { return kCourseSheet; }

const ExerciseSheet& BuiltInCourse() {
  static const ExerciseSheet course = *ReadExerciseSheet(kCourseSheet).sheet;
  return course;
}

}  // namespace switchsim
