#include "support/cli_case.hpp"

#include "support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cstdio>

program_result expect_cli(const cli_case& c, const temp_dir& dir) {
  for (const auto& [name, bytes] : c.files) write_file(dir.file(name), bytes);
  const program_result result = run_partigen(c.args, dir.path());
  EXPECT_EQ(result.status, c.status) << c.name;
  EXPECT_EQ(result.out, c.out) << c.name;
  EXPECT_EQ(result.err, c.err) << c.name;
  return result;
}

void expect_cli(const std::vector<cli_case>& cases) {
  for (const cli_case& c : cases) {
    temp_dir dir;
    expect_cli(c, dir);
  }
}

std::string usage_error(int code) {
  return "usage: partigen [options] foo.wav [bar.ka1]\npartigen -h for a help screen\ncode " + std::to_string(code) +
         "\n";
}

std::string table_of(const std::vector<int>& levels) {
  std::string table = "harmonics:\n";
  char entry[16];
  for (std::size_t i = 0; i < levels.size(); ++i) {
    std::snprintf(entry, sizeof entry, "%5zu:%3d", i + 1, levels[i]);
    table += entry;
    if ((i + 1) % 8 == 0) table += '\n';
  }
  if (levels.size() % 8 != 0) table += '\n';
  return table;
}
