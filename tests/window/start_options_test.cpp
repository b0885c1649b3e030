// The window's start-up options: what they preset and what they refuse.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include <string>
#include <variant>

#include "window/main_window.h"

namespace switchsim::testing {
namespace {

TEST(StartOptions, PresetTheWindowAndRefuseWhatTheDriverRefuses) {
  const auto parse = [](const QStringList& args) { return ParseStartOptions(args); };
  const auto error = [&](const QStringList& args) {
    const auto parsed = parse(args);
    return std::holds_alternative<StartError>(parsed) ? std::get<StartError>(parsed).message : "";
  };
  EXPECT_EQ(error({"--size", "250"}),
            "--size: \"250\" is not a message size; use one of 100, 200, 300, 400, 500, 1000");
  EXPECT_EQ(error({"--speed=3"}), "--speed: \"3\" is not a speed; use one of 0.25, 0.5, 1, 2, 4");
  EXPECT_EQ(error({"--seed"}), "--seed: needs a value");
  EXPECT_EQ(error({"--start", "--start"}), "--start: given more than once");
  EXPECT_EQ(error({"-h", "--help"}), "--help: given more than once");
  EXPECT_EQ(error({"--start=1"}), "--start: takes no value, but was given \"1\"");
  for (const char* unknown : {"--json", "-x", "Packet", "--"}) {
    EXPECT_EQ(error({unknown}), "\"" + std::string(unknown) +
                                    "\" is not an option; see --help for --technique, --size, "
                                    "--rates, --delays, --packet, --header, --seed, --speed, --exercises, "
                                    "--predict, --ask, --tolerance, --question, --start, --zoom, "
                                    "--projector, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, "
      "--buffer, --packets, --lang, --version");
  }
  EXPECT_EQ(error({"--technique", "--start"}),
            "--technique: \"--start\" is not a technique; use one of Message, Circuit, Packet");

  const auto options = std::get<StartOptions>(parse(
      {"--technique=Circuit", "--size", "1000", "--rates", "2.5,1,10", "--delays", "20,50,200",
       "--seed", "9", "--speed", "0.25", "--packet", "7", "--header", "2", "--start"}));
  EXPECT_TRUE(options.start);
  QTemporaryDir dir;
  QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
  MainWindow window(settings, options);
  EXPECT_EQ(window.form().cmbMethod->currentText(), "Circuit");
  EXPECT_EQ(window.form().cmbMessageSize->currentText(), "1000");
  EXPECT_EQ(window.form().cmbBitRate[0]->currentText(), "2.5");
  EXPECT_EQ(window.form().cmbDelay[2]->currentText(), "200");
  EXPECT_EQ(window.status->speed->text(), "Speed \u00bc\u00d7");
  EXPECT_EQ(window.packet_bar->packet->value(), 7);
  EXPECT_EQ(window.packet_bar->header->value(), 2);
  window.start->trigger();
  EXPECT_EQ(window.classroom().CurrentRun()->seed, 9U);
  EXPECT_EQ(window.classroom().CurrentRun()->packeting, (Packeting{7, 2}));

  const SplitArguments split =
      SplitToolkitArguments({"switchsim", "-platform", "offscreen", "--start", "-reverse"});
  EXPECT_EQ(split.toolkit, QStringList({"switchsim", "-platform", "offscreen", "-reverse"}));
  EXPECT_EQ(split.own, QStringList({"--start"}));
}

}  // namespace
}  // namespace switchsim::testing
