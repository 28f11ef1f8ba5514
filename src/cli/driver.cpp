#include "cli/driver.hpp"

#include "cli/exit_status.hpp"
#include "cli/stretch.hpp"
#include "cli/usage.hpp"
#include "wav/sample_dump.hpp"
#include "wav/sample_load.hpp"
#include "wav/wav_reader.hpp"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

namespace {

struct file_closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using input_file = std::unique_ptr<std::FILE, file_closer>;

// A directory opens for reading on Linux but holds no bytes to read: it
// counts as an input that cannot be opened.
input_file open_input(const char* name) {
  if (name == nullptr) return nullptr;
  input_file file(std::fopen(name, "rb"));
  struct stat info {};
  if (file && fstat(fileno(file.get()), &info) == 0 && S_ISDIR(info.st_mode)) file.reset();
  return file;
}

int header_failure(header_status status, std::FILE* err) {
  switch (status) {
    case header_status::not_riff:
      std::fputs("this file doesn't look like a .wav\n", err);
      return exit_status::not_riff;
    case header_status::no_format_chunk:
      std::fputs("this wave file doesn't start with a format chunk\n", err);
      return exit_status::no_format_chunk;
    case header_status::no_data_chunk:
      std::fputs("the data chunk isn't right after the format chunk ... bummer\n", err);
      return exit_status::no_data_chunk;
    case header_status::ok:
      break;
  }
  return exit_status::success;
}

}  // namespace

int run(option_record options, const char* input, const char* ka1_name, const run_output& io) {
  input_file file = open_input(input);
  if (!file) {
    std::fputs("could not open input file\n", io.err);
    return exit_status::input_not_opened;
  }
  if (ka1_name != nullptr) options.o_ka1_file = ka1_name;

  const wav_header header = read_wav_header(file.get());
  const bool format_read = header.status == header_status::ok || header.status == header_status::no_data_chunk;
  if (options.o_verbose && format_read) std::fputs(format_listing(header.format).c_str(), io.out);
  if (header.status != header_status::ok) return header_failure(header.status, io.err);
  if (options.o_verbose) std::fputs(data_chunk_listing(header.data).c_str(), io.out);

  if (!format_supported(header.format)) {
    std::fputs("wav file type not supported\n", io.err);
    return exit_status::unsupported_format;
  }
  const stretch range = complete_stretch(options, header.data.data_size, header.format.block_align);

  sample_load load = load_samples(file.get(), header.data.data_size);
  if (load.result == sample_load::outcome::out_of_memory) {
    std::fputs("could not allocate memory for samples\n", io.err);
    return exit_status::out_of_memory;
  }
  if (load.result == sample_load::outcome::truncated) {
    std::fprintf(io.err, "unexpected end of file\n%d\n%d\n", static_cast<int32_t>(load.bytes_read),
                 static_cast<int32_t>(header.data.data_size));
    return exit_status::truncated_data;
  }
  const sample_view samples{load.bytes, header.format.bits_per_sample == 8};
  if (options.o_verbose) print_sample_dump(io.out, samples, range.begin, range.end);

  if (const auto problem = check_stretch(options, range, samples.count())) {
    std::fputs(problem->c_str(), io.err);
    return exit_status::bad_stretch;
  }
  options.o_end = static_cast<int32_t>(range.end);
  const auto count = static_cast<int32_t>(range.end - range.begin + 1);
  const int status = fourier(samples, options.o_begin, count, options, io);

  // The samples are released and the input closed before the status is given.
  load.bytes = {};
  file.reset();
  return status;
}

int partigen_main(int argc, const char* const* argv) {
  if (argc <= 1) punt(usage_code::no_argument);
  const option_parse parse = options(argc, argv);
  if (parse.result == option_parse::outcome::help) help();
  if (parse.result == option_parse::outcome::usage_error) {
    if (parse.usage_code == usage_code::unknown_option) std::fprintf(stderr, "%s\n", parse.unknown_option.c_str());
    punt(parse.usage_code);
  }
  const int index = parse.first_positional;
  const char* input = index < argc ? argv[index] : nullptr;
  const char* ka1_name = index + 1 < argc ? argv[index + 1] : nullptr;
  return run(parse.options, input, ka1_name, run_output{});
}
