#include "simulated_panel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/frames.h"
#include "memory_file.h"
#include "sim_options.h"

namespace {

using kvt::sim::PanelFaults;
using kvt::sim::SimulatedPanel;

// Feeds the frames one by one and collects the answers ("" where there was none).
std::vector<std::string> answers(SimulatedPanel& panel, const std::vector<std::string>& frames) {
  std::vector<std::string> replies;
  for (const auto& frame : frames) {
    for (const auto& exchange : panel.receive(frame)) replies.push_back(exchange.reply);
  }
  return replies;
}

kvt::sim::PanelMemory memory_with(std::size_t address, std::uint8_t value) {
  auto memory = kvt::sim::factory_memory();
  memory[address] = value;
  return memory;
}

TEST(SimulatedPanel, AnswersAsThePanelDoesAndMisbehavesOnRequest) {
  const std::string wake = kvt::wake_request();
  struct Case {
    const char* what;
    PanelFaults faults;
    std::vector<std::string> frames;
    std::vector<std::string> replies;
  };
  const Case cases[] = {
      {"wake", {}, {wake}, {"D000D"}},
      {"model byte", {}, {kvt::read_frame(63)}, {"0690D"}},
      {"write then read", {}, {kvt::write_frame(10, 159), kvt::read_frame(10)}, {"D000D", "1590D"}},
      {"silent",
       {.silent = true},
       {wake, kvt::write_frame(1, 2), kvt::read_frame(63)},
       {"", "", ""}},
      {"only the second wake", {.answer_wake_only = 2}, {wake, wake, wake}, {"", "D000D", ""}},
      {"lower case", {.lower_case_ack = true}, {wake, kvt::write_frame(1, 2)}, {"d000d", "d000d"}},
      {"stops acknowledging at 7",
       {.stop_ack_from = 7},
       {kvt::write_frame(6, 1), kvt::write_frame(7, 1), kvt::read_frame(7)},
       {"D000D", "", "0000D"}},
      {"wrong read-back at 3",
       {.wrong_readback_at = 3},
       {kvt::read_frame(3), kvt::read_frame(4)},
       {"0010D", "0000D"}},
      {"no number at 2",
       {.no_number_at = 2},
       {kvt::read_frame(2), kvt::write_frame(2, 1), kvt::read_frame(3)},
       {"D000D", "D000D", "0000D"}},
      {"short replies", {.short_replies = true}, {kvt::read_frame(63), wake}, {"069", "D000D"}},
      {"address beyond the memory", {}, {kvt::read_frame(64), kvt::write_frame(200, 1)}, {"", ""}},
      {"read frame with zero bytes as fillers", {}, {std::string("V\0\x3F\0\0V", 6)}, {""}},
      {"unknown byte", {}, {"x", wake}, {"", "D000D"}},
  };
  for (const Case& c : cases) {
    SimulatedPanel panel(kvt::sim::factory_memory(), c.faults);
    EXPECT_EQ(answers(panel, c.frames), c.replies) << c.what;
  }
}

TEST(SimulatedPanel, StoresWrittenBytesUnlessTheWriteGoesUnanswered) {
  SimulatedPanel panel(kvt::sim::factory_memory(), {.stop_ack_from = 12});
  answers(panel, {kvt::write_frame(11, 1), kvt::write_frame(12, 10), kvt::write_frame(10, 0x0A)});
  auto expected = memory_with(11, 1);
  expected[10] = 0x0A;
  EXPECT_EQ(panel.memory(), expected);
}

TEST(SimulatedPanel, CompletesAFrameSplitOverSeveralReads) {
  SimulatedPanel panel(memory_with(5, 7), {});
  const std::string frame = kvt::read_frame(5);
  EXPECT_TRUE(panel.receive(frame.substr(0, 2)).empty());
  const auto exchanges = panel.receive(frame.substr(2) + "A");
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[0].frame, frame);
  EXPECT_EQ(exchanges[0].reply, "0070D");
  EXPECT_EQ(kvt::sim::hex_bytes(exchanges[0].frame), "56 00 05 30 30 56");
  EXPECT_EQ(exchanges[1].reply, "D000D");
}

class MemoryFileTest : public ::testing::Test {
 protected:
  MemoryFileTest() {
    folder =
        std::filesystem::temp_directory_path() / ("kvt-memory-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  ~MemoryFileTest() override { std::filesystem::remove_all(folder); }

  std::string write(const std::string& text) {
    const auto path = (folder / "memory.txt").string();
    std::ofstream(path) << text;
    return path;
  }

  std::filesystem::path folder;
};

TEST_F(MemoryFileTest, DumpIsReadBackUnchanged) {
  auto memory = kvt::sim::factory_memory();
  for (std::size_t address = 0; address < 14; ++address) memory[address] = address * 11;
  const auto path = (folder / "dump.txt").string();
  ASSERT_TRUE(kvt::sim::dump_memory(memory, path));
  std::string problem;
  EXPECT_EQ(kvt::sim::load_memory(path, problem), memory) << problem;
}

TEST_F(MemoryFileTest, AcceptsCommentsAndAnyBlanks) {
  std::string text = "# panel under test\n1 2\t3\n";
  for (int address = 3; address < 63; ++address) text += "0 ";
  text += "\n69 # model byte\n";
  std::string problem;
  const auto memory = kvt::sim::load_memory(write(text), problem);
  ASSERT_TRUE(memory) << problem;
  EXPECT_EQ((*memory)[0], 1);
  EXPECT_EQ((*memory)[2], 3);
  EXPECT_EQ((*memory)[63], 69);
}

TEST_F(MemoryFileTest, RefusesWrongCountsAndValues) {
  const std::string sixty_three_zeros = [] {
    std::string text;
    for (int address = 0; address < 63; ++address) text += "0 ";
    return text;
  }();
  for (const std::string& text :
       {sixty_three_zeros, sixty_three_zeros + "69 1", sixty_three_zeros + "256",
        sixty_three_zeros + "-1", sixty_three_zeros + "x"}) {
    std::string problem;
    EXPECT_FALSE(kvt::sim::load_memory(write(text), problem));
    EXPECT_FALSE(problem.empty());
  }
}

TEST(SimOptions, ReadsFaultsAndRefusesNonsense) {
  std::string problem;
  const auto options =
      kvt::sim::parse_sim_options({"--silent", "--delay", "20", "--stop-ack-from", "7", "--log",
                                   "/tmp/x", "--model", "68", "--flood-after", "2"},
                                  problem);
  ASSERT_TRUE(options) << problem;
  EXPECT_TRUE(options->faults.silent);
  EXPECT_EQ(options->delay_ms, 20);
  EXPECT_EQ(options->faults.stop_ack_from, 7);
  EXPECT_EQ(options->log_path, "/tmp/x");
  EXPECT_EQ(options->model_byte, 68);
  EXPECT_EQ(options->flood_after, 2);
  EXPECT_FALSE(kvt::sim::parse_sim_options({}, problem)->flood_after);

  const std::vector<std::vector<std::string>> refused{{"--bogus"},
                                                      {"--delay"},
                                                      {"--delay", "-1"},
                                                      {"--model", "256"},
                                                      {"--answer-wake", "0"},
                                                      {"--stop-ack-from", "7x"},
                                                      {"--flood-after", "-1"}};
  for (const auto& arguments : refused) {
    EXPECT_FALSE(kvt::sim::parse_sim_options(arguments, problem)) << arguments.front();
  }
}

}  // namespace
