// The WAV reader over arbitrary bytes: the header read, the format test,
// the sample load and the sample dump, as the driver runs them, plus the
// promises that hold for any file.
#include "cli/options.hpp"
#include "cli/stretch.hpp"
#include "fuzz_check.hpp"
#include "wav/sample_dump.hpp"
#include "wav/sample_load.hpp"
#include "wav/samples.hpp"
#include "wav/wav_reader.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace {

std::FILE* null_output() {
  static std::FILE* sink = std::fopen("/dev/null", "w");
  return sink;
}

// A read-only stream over the bytes, as the driver's input file would be.
std::FILE* open_bytes(std::vector<uint8_t>& copy) {
  if (copy.empty()) return std::fopen("/dev/null", "rb");
  return fmemopen(copy.data(), copy.size(), "rb");
}

bool same_header(const wav_header& a, const wav_header& b) {
  if (a.status != b.status) return false;
  if (a.status == header_status::not_riff) return true;
  const bool format_same = a.status == header_status::no_format_chunk ||
                           (a.format.chunk_size == b.format.chunk_size && a.format.format_tag == b.format.format_tag &&
                            a.format.channels == b.format.channels && a.format.block_align == b.format.block_align &&
                            a.format.bits_per_sample == b.format.bits_per_sample);
  return format_same && (a.status != header_status::ok || a.data.data_size == b.data.data_size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<uint8_t> copy(data, data + size);
  std::FILE* file = open_bytes(copy);
  FUZZ_CHECK(file != nullptr);

  const wav_header header = read_wav_header(file);
  FUZZ_CHECK(same_header(header, read_wav_header(std::span<const uint8_t>(data, size))));
  FUZZ_CHECK((header.status == header_status::not_riff) == (size < 12 || std::memcmp(data, "RIFF", 4) != 0));
  if (header.status == header_status::ok) FUZZ_CHECK(size >= wav_header_size);

  if (header.status == header_status::ok || header.status == header_status::no_data_chunk) {
    std::fputs(format_listing(header.format).c_str(), null_output());
  }
  if (header.status != header_status::ok) {
    std::fclose(file);
    return 0;
  }
  std::fputs(data_chunk_listing(header.data).c_str(), null_output());

  // The load runs for every complete header: the driver gates it by the
  // format test, but the load itself must hold for any size.
  const uint32_t claimed = header.data.data_size;
  const uint64_t available = size - wav_header_size;
  sample_load load = load_samples(file, claimed);
  std::fclose(file);
  FUZZ_CHECK(load.result != sample_load::outcome::out_of_memory);
  if (claimed <= uint32_t{std::numeric_limits<int32_t>::max()} && claimed <= available) {
    FUZZ_CHECK(load.result == sample_load::outcome::ok);
    FUZZ_CHECK(load.bytes.size() == claimed);
    FUZZ_CHECK(std::equal(load.bytes.begin(), load.bytes.end(), data + wav_header_size));
  } else {
    FUZZ_CHECK(load.result == sample_load::outcome::truncated);
    FUZZ_CHECK(load.bytes.empty());
    FUZZ_CHECK(load.bytes_read == std::min<uint64_t>(available, claimed));
    return 0;
  }

  const sample_view samples{load.bytes, header.format.bits_per_sample == 8};
  FUZZ_CHECK(samples.count() == static_cast<int64_t>(samples.eight_bit ? claimed : claimed / 2));
  if (format_supported(header.format)) {
    const stretch range = complete_stretch(option_record{}, claimed, header.format.block_align);
    print_sample_dump(null_output(), samples, range.begin, range.end);
  }
  // Stretches that reach past the data at either end print only what exists.
  print_sample_dump(null_output(), samples, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
  print_sample_dump(null_output(), samples, samples.count() - 2, samples.count() + 2);
  return 0;
}
