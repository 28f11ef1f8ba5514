// The exit statuses that the man page and the README document must be the
// ones the program has: the same numbers as the constants in
// src/cli/exit_status.hpp, each with its own cause.

#include "cli/exit_status.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string read_source(const std::string& relative) {
  std::ifstream in(std::string(PARTIGEN_SOURCE_DIR) + "/" + relative, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << relative;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string collapse_blanks(const std::string& text) {
  return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

// Every `inline constexpr int name = value;` of the header, by value, with
// its namespace: "exit_status::not_riff" and the like.
std::map<int, std::vector<std::string>> constants_in_header() {
  std::map<int, std::vector<std::string>> by_value;
  const std::regex namespace_line(R"(^namespace\s+(\w+))");
  const std::regex constant_line(R"(inline\s+constexpr\s+int\s+(\w+)\s*=\s*(-?\d+)\s*;)");
  std::string space;
  for (const std::string& line : lines_of(read_source("src/cli/exit_status.hpp"))) {
    std::smatch m;
    if (std::regex_search(line, m, namespace_line)) space = m[1];
    if (std::regex_search(line, m, constant_line)) by_value[std::stoi(m[2])].push_back(space + "::" + m[1].str());
  }
  return by_value;
}

// Plain text of one roff line: macro names dropped, font changes removed and
// the usual escapes resolved. The font-alternating macros (.BR, .IR, ...)
// join their arguments without a blank, as they are rendered.
std::string roff_text(const std::string& line) {
  std::string text = line;
  if (!text.empty() && text[0] == '.') {
    const std::size_t blank = text.find(' ');
    const std::string macro = text.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
    text = blank == std::string::npos ? "" : text.substr(blank + 1);
    if (macro != "B" && macro != "I" && macro.size() == 2) {
      std::string joined;
      bool quoted = false;
      for (char c : text) {
        if (c == '"') quoted = !quoted;
        else if (c != ' ' || quoted) joined += c;
      }
      text = joined;
    } else {
      text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    }
  }
  text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
  text = std::regex_replace(text, std::regex(R"(\\\(aq)"), "'");
  text = std::regex_replace(text, std::regex(R"(\\\(dq)"), "\"");
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  text = std::regex_replace(text, std::regex(R"(\\ )"), " ");
  text = std::regex_replace(text, std::regex(R"(\\&)"), "");
  return text;
}

// Status -> its text, from the EXIT STATUS section of the man page, where
// every status is a ".TP" entry whose tag is ".B <status>".
std::map<int, std::string> man_page_statuses() {
  const std::vector<std::string> lines = lines_of(read_source("docs/partigen.1"));
  std::map<int, std::string> statuses;
  bool in_section = false;
  int current = -1;
  const std::regex tag(R"(^\.B\s+(\d+)\s*$)");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind(".SH", 0) == 0) {
      in_section = line.find("EXIT STATUS") != std::string::npos;
      current = -1;
      continue;
    }
    if (!in_section) continue;
    std::smatch m;
    if (line.rfind(".TP", 0) == 0) {
      current = -1;
      if (i + 1 < lines.size() && std::regex_match(lines[i + 1], m, tag)) {
        current = std::stoi(m[1]);
        EXPECT_FALSE(statuses.contains(current)) << "status " << current << " listed twice in the man page";
        statuses[current];
        ++i;
      }
      continue;
    }
    if (current >= 0) statuses[current] += roff_text(line) + " ";
  }
  for (auto& [status, text] : statuses) text = lower(collapse_blanks(text));
  return statuses;
}

// Status -> its row, from the table under the README's "Exit statuses"
// heading, whose first column is the status.
std::map<int, std::string> readme_statuses() {
  std::map<int, std::string> statuses;
  bool in_section = false;
  const std::regex row(R"(^\|\s*(\d+)\s*\|(.*)$)");
  for (const std::string& line : lines_of(read_source("README.md"))) {
    if (line.rfind("## ", 0) == 0) in_section = line == "## Exit statuses";
    std::smatch m;
    if (!in_section || !std::regex_match(line, m, row)) continue;
    const int status = std::stoi(m[1]);
    EXPECT_FALSE(statuses.contains(status)) << "status " << status << " listed twice in the README";
    std::string text = m[2];
    text.erase(std::remove(text.begin(), text.end(), '`'), text.end());
    statuses[status] = lower(collapse_blanks(text));
  }
  return statuses;
}

struct documented_cause {
  int status;
  std::string phrase;  // must appear in the status's entry, case aside
};

std::string usage(int code) { return "(usage code " + std::to_string(code) + ")"; }

// Each named status with words that only its own entry may carry: its
// message, or the option and code of a usage error.
const std::vector<documented_cause>& causes() {
  namespace s = exit_status;
  namespace u = usage_code;
  static const std::vector<documented_cause> table = {
      {s::success, "success"},
      {s::help_shown, "printed the help screen"},
      {u::no_argument, "no argument was given " + usage(u::no_argument)},
      {u::short_argument, "fewer than two characters"},
      {u::short_argument, usage(u::short_argument)},
      {s::input_not_opened, "could not open input file"},
      {s::not_riff, "this file doesn't look like a .wav"},
      {s::no_format_chunk, "this wave file doesn't start with a format chunk"},
      {u::missing_begin, "-b without a value " + usage(u::missing_begin)},
      {s::no_data_chunk, "the data chunk isn't right after the format chunk ... bummer"},
      {u::missing_end, "-e without a value " + usage(u::missing_end)},
      {s::out_of_memory, "could not allocate memory for samples"},
      {u::missing_quant, "-q without a value " + usage(u::missing_quant)},
      {s::truncated_data, "unexpected end of file"},
      {u::missing_trunc, "-t without a value " + usage(u::missing_trunc)},
      {u::missing_length, "-l without a value " + usage(u::missing_length)},
      {s::bad_stretch, "-q must be at least 1"},
      {s::bad_stretch, "-t must be at most 4096"},
      {s::bad_stretch, "is empty"},
      {s::bad_stretch, "lies outside the data"},
      {s::bad_stretch, "analysis points, not 1 to 4096"},
      {s::output_failed, "could not write out.wav"},
      {s::output_failed, "could not open ka1 file"},
      {s::output_failed, "ka1 file too short, not patched"},
      {s::output_failed, "could not write ka1 file"},
      {s::unsupported_format, "wav file type not supported"},
      {u::unknown_option, "unknown option"},
      {u::unknown_option, usage(u::unknown_option)},
  };
  return table;
}

std::set<int> keys(const auto& map) {
  std::set<int> result;
  for (const auto& entry : map) result.insert(entry.first);
  return result;
}

std::string listed(const std::set<int>& values) {
  std::string text;
  for (int v : values) {
    if (!text.empty()) text += ' ';
    text += std::to_string(v);
  }
  return text;
}

class DocumentedStatuses : public testing::TestWithParam<const char*> {
 protected:
  std::map<int, std::string> statuses() const {
    return std::string(GetParam()) == "README.md" ? readme_statuses() : man_page_statuses();
  }
};

TEST_P(DocumentedStatuses, ListEveryStatusOfTheCodeAndNoOther) {
  const std::set<int> in_code = keys(constants_in_header());
  const std::set<int> documented = keys(statuses());
  ASSERT_FALSE(in_code.empty());
  EXPECT_EQ(listed(documented), listed(in_code));
}

TEST_P(DocumentedStatuses, GiveEachStatusItsCause) {
  const std::map<int, std::string> documented = statuses();
  for (const documented_cause& cause : causes()) {
    SCOPED_TRACE("status " + std::to_string(cause.status) + ": \"" + cause.phrase + "\"");
    const auto entry = documented.find(cause.status);
    ASSERT_TRUE(entry != documented.end()) << "status not documented";
    EXPECT_NE(entry->second.find(lower(cause.phrase)), std::string::npos) << entry->second;
  }
}

INSTANTIATE_TEST_SUITE_P(Docs, DocumentedStatuses, testing::Values("docs/partigen.1", "README.md"),
                         [](const testing::TestParamInfo<const char*>& param_info) {
                           return std::string(param_info.param) == "README.md" ? std::string("Readme")
                                                                         : std::string("ManPage");
                         });

// Every constant of the header is covered by the table of causes above, so a
// new status cannot be documented under a number without its cause.
TEST(DocumentedCauses, CoverEveryConstantOfTheCode) {
  std::set<int> covered;
  for (const documented_cause& cause : causes()) covered.insert(cause.status);
  EXPECT_EQ(listed(covered), listed(keys(constants_in_header())));
}

}  // namespace
