#pragma once

#include <array>
#include <string_view>

#include "simulation/constants.h"
#include "simulation/techniques.h"
#include "text/translation.h"

// The boxes' fixed lists and the texts the form loads with, and the names of
// the nodes: one source for every front end and the driver.
//
// These texts are the form's state: its rules compare them in English, and
// the driver's options and the run log take them in English. They are
// marked for the catalog (Mark) and translated only where they are shown,
// with ShownText() of form/shown_texts.h.
namespace switchsim::lists {

inline constexpr std::array<std::string_view, 4> kDelayItems = {"20", "50", "100", "200"};
inline constexpr std::array<std::string_view, 5> kRateItems = {"0.5", "1.0", "2.0", "5.0", "10.0"};
/// The techniques' names as a person reads them, for the catalog: the same
/// texts as kTechniques' names, which the simulation keeps without a catalog.
inline constexpr std::array<std::string_view, kTechniqueCount> kTechniqueNames = {
    Mark("Message"), Mark("Circuit"), Mark("Packet")};
static_assert(kTechniqueNames[0] == kTechniques[0].name && kTechniqueNames[1] == kTechniques[1].name &&
              kTechniqueNames[2] == kTechniques[2].name);

/// The techniques in the technique box, which is also the order they are compared in.
inline constexpr std::array<std::string_view, kTechniqueCount> kMethodItems = kTechniqueNames;
inline constexpr std::array<std::string_view, 6> kSizeItems = {"100", "200", "300",
                                                                "400", "500", "1000"};

/// The message sizes the driver takes beyond the list: multiples of the step.
inline constexpr int kSmallestSize = 20;
inline constexpr int kLargestSize = 1000;
inline constexpr int kSizeStep = 20;

inline constexpr std::string_view kDefaultDelay = "50";
inline constexpr std::string_view kDefaultRate = "1.0";
inline constexpr std::string_view kDefaultMiddleRate = "0.5";  // link 1's rate at load
inline constexpr std::string_view kDefaultMethod = kMethodMessage;
inline constexpr std::string_view kDefaultSize = "300";

/// The rate box texts right after the load, by link.
inline constexpr std::array<std::string_view, kLinkCount> kDefaultRates = {
    kDefaultRate, kDefaultMiddleRate, kDefaultRate};

/// The design-time text of a rate box, shown until the load replaces it.
inline constexpr std::string_view kRateDesignText = "cmbBitRate";

/// The nodes, indexed 0 Transmit, 1 Router A, 2 Router B, 3 Receive; link k
/// joins node k and node k + 1.
inline constexpr std::array<std::string_view, 4> kNodeNames = {Mark("Transmit"), Mark("Router A"),
                                                               Mark("Router B"), Mark("Receive")};

/// The labels' captions: Label1 by index (0, 3, 5 "Bit-Rate", 1, 2, 4
/// "Delay"), the technique's and the message size's.
inline constexpr std::string_view kRateLabelCaption = Mark("Bit-Rate");
inline constexpr std::string_view kDelayLabelCaption = Mark("Delay");
inline constexpr std::array<std::string_view, 6> kLabel1Captions = {
    kRateLabelCaption, kDelayLabelCaption, kDelayLabelCaption,
    kRateLabelCaption, kDelayLabelCaption, kRateLabelCaption};
inline constexpr std::string_view kTechniqueCaption = Mark("Technique");
inline constexpr std::string_view kSizeCaption = Mark("Message Size");

/// The run buttons' captions.
inline constexpr std::string_view kStartCaption = Mark("Start");
inline constexpr std::string_view kResetCaption = Mark("Reset");
inline constexpr std::string_view kPauseCaption = Mark("Pause");
inline constexpr std::string_view kContCaption = Mark("Cont");

}  // namespace switchsim::lists
