#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh, empty directory that is removed with the object.
class temp_dir {
 public:
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct program_result {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs the built partigen with `args` in directory `dir`, with no standard
// input, and captures both output streams and the exit status.
program_result run_partigen(const std::vector<std::string>& args, const std::filesystem::path& dir);
