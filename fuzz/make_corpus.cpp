// Writes the seed corpus of both fuzz targets:
//   partigen_make_corpus DIR   ->   DIR/wav_reader/*, DIR/run/*
// Every seed is a small file made here from explicit header fields.
#include "run_input.hpp"
#include "support/wav_builder.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::filesystem::path root;

void seed(const char* target, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path dir = root / target;
  std::filesystem::create_directories(dir);
  write_file((dir / name).string(), bytes);
}

// One period of a few partials, `count` samples.
std::vector<int16_t> tone(int count, double scale = 12000.0) {
  std::vector<int16_t> samples;
  for (int i = 0; i < count; ++i) {
    const double phase = 2.0 * 3.141592653589793 * i / count;
    samples.push_back(static_cast<int16_t>(scale * (std::sin(phase) + 0.5 * std::sin(3 * phase) + 0.25 * std::cos(5 * phase))));
  }
  return samples;
}

std::vector<uint8_t> tone8(int count) {
  std::vector<uint8_t> samples;
  for (const int16_t s : tone(count, 60.0)) samples.push_back(static_cast<uint8_t>(128 + s));
  return samples;
}

wav_builder with(wav_builder wav, const std::function<void(wav_builder&)>& change) {
  change(wav);
  return wav;
}

void reader_seeds() {
  const wav_builder good = wav_builder::pcm16(tone(64));
  const std::vector<uint8_t> good_bytes = good.bytes();
  seed("wav_reader", "empty", {});
  seed("wav_reader", "riff-only", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'});
  seed("wav_reader", "cut-in-format", std::vector<uint8_t>(good_bytes.begin(), good_bytes.begin() + 30));
  seed("wav_reader", "cut-in-data-header", std::vector<uint8_t>(good_bytes.begin(), good_bytes.begin() + 40));
  seed("wav_reader", "rifx", with(good, [](wav_builder& w) { w.riff_tag = "RIFX"; }).bytes());
  seed("wav_reader", "rf64", with(good, [](wav_builder& w) { w.riff_tag = "RF64"; }).bytes());
  seed("wav_reader", "tag-with-zero", with(good, [](wav_builder& w) { w.fmt_tag = "fmt"; }).bytes());
  seed("wav_reader", "format-18-body", with(good, [](wav_builder& w) {
         w.fmt_size = 18;
         w.fmt_extra = {0, 0};
       }).bytes());
  seed("wav_reader", "format-size-18-body-16", with(good, [](wav_builder& w) { w.fmt_size = 18; }).bytes());
  seed("wav_reader", "fact-chunk-first", with(good, [](wav_builder& w) {
         w.fmt_extra = {'f', 'a', 'c', 't', 4, 0, 0, 0, 64, 0, 0, 0};
       }).bytes());
  seed("wav_reader", "pcm16-64", good_bytes);
  seed("wav_reader", "pcm8-100", wav_builder::pcm8(tone8(100)).bytes());
  seed("wav_reader", "pcm8-align2", with(wav_builder::pcm8(tone8(50)), [](wav_builder& w) { w.block_align = 2; }).bytes());
  seed("wav_reader", "pcm16-align1", with(good, [](wav_builder& w) { w.block_align = 1; }).bytes());
  seed("wav_reader", "stereo", with(good, [](wav_builder& w) { w.channels = 2; }).bytes());
  seed("wav_reader", "float-tag", with(good, [](wav_builder& w) { w.format_tag = 3; }).bytes());
  seed("wav_reader", "extensible-tag", with(good, [](wav_builder& w) { w.format_tag = 0xFFFE; }).bytes());
  seed("wav_reader", "bits-24", with(good, [](wav_builder& w) { w.bits_per_sample = 24; }).bytes());
  seed("wav_reader", "align-0", with(good, [](wav_builder& w) { w.block_align = 0; }).bytes());
  seed("wav_reader", "data-size-0", with(good, [](wav_builder& w) { w.data.clear(); }).bytes());
  seed("wav_reader", "data-size-7", with(good, [](wav_builder& w) { w.data.resize(7); }).bytes());
  seed("wav_reader", "data-ends-early", with(good, [](wav_builder& w) { w.data_size = 200; w.data.resize(100); }).bytes());
  seed("wav_reader", "data-after-chunk", with(good, [](wav_builder& w) { w.data_size = 100; }).bytes());
  seed("wav_reader", "claims-2g", with(good, [](wav_builder& w) { w.data_size = 0x80000000u; }).bytes());
  seed("wav_reader", "claims-2g-minus-1", with(good, [](wav_builder& w) { w.data_size = 0x7FFFFFFFu; }).bytes());
  seed("wav_reader", "claims-4g", with(good, [](wav_builder& w) { w.data_size = 0xFFFFFFFFu; }).bytes());
  seed("wav_reader", "pcm16-5000", wav_builder::pcm16(tone(5000)).bytes());
}

void run_seed(const std::string& name, run_input in, const std::vector<uint8_t>& wav) {
  in.wav = wav;
  seed("run", name, encode_run_input(in));
}

void run_seeds() {
  const std::vector<uint8_t> wav16 = wav_builder::pcm16(tone(200)).bytes();
  const std::vector<uint8_t> wav8 = with(wav_builder::pcm8(tone8(150)), [](wav_builder& w) { w.samples_per_sec = 22050; }).bytes();
  const std::vector<uint8_t> long16 = wav_builder::pcm16(tone(4500)).bytes();
  const std::vector<uint8_t> silent = wav_builder::pcm16(std::vector<int16_t>(96, 0)).bytes();
  const std::vector<uint8_t> prime = wav_builder::pcm16(tone(4093)).bytes();
  const auto options = [](uint8_t flags, int32_t b, int32_t e, int32_t l, int32_t q, int32_t t) {
    run_input in;
    in.flags = flags;
    in.begin = b;
    in.end = e;
    in.length = l;
    in.quant = q;
    in.trunc = t;
    return in;
  };
  const auto with_ka1 = [](run_input in, uint16_t size, uint8_t fill) {
    in.flags |= run_flags::ka1_named | run_flags::ka1_exists;
    in.ka1_size = size;
    in.ka1_fill = fill;
    return in;
  };
  using namespace run_flags;
  run_seed("defaults", options(0, 0, 0, 0, 1, 64), wav16);
  run_seed("verbose", options(verbose, 0, 0, 0, 1, 64), wav16);
  run_seed("stale-out", options(stale_out, 0, 0, 0, 1, 64), wav16);
  run_seed("pcm8-q2", options(0, 0, 0, 0, 2, 20), wav8);
  run_seed("stretch-b-e", options(0, 20, 119, 0, 1, 16), wav16);
  run_seed("stretch-b-l", options(0, 10, 0, 100, 1, 16), wav16);
  run_seed("q3", options(0, 0, 0, 0, 3, 40), wav16);
  run_seed("default-end-4095", options(0, 0, 0, 0, 1, 64), long16);
  run_seed("prime-4093", options(0, 0, 0, 0, 1, 8), prime);
  run_seed("silent", options(0, 0, 0, 0, 1, 64), silent);
  run_seed("ka1-1060", with_ka1(options(0, 0, 0, 0, 1, 64), 1060, 3), wav16);
  run_seed("ka1-1100-t16", with_ka1(options(0, 0, 0, 0, 1, 16), 1100, 200), wav16);
  run_seed("ka1-t100", with_ka1(options(0, 0, 0, 0, 1, 100), 1060, 0), wav16);
  run_seed("ka1-t0", with_ka1(options(0, 0, 0, 0, 1, 0), 1060, 9), wav16);
  run_seed("ka1-t-3", with_ka1(options(0, 0, 0, 0, 1, -3), 1060, 9), wav16);
  run_seed("ka1-short", with_ka1(options(0, 0, 0, 0, 1, 64), 1000, 1), wav16);
  run_seed("ka1-missing", options(ka1_named, 0, 0, 0, 1, 64), wav16);
  run_seed("ka1-directory", options(ka1_named | ka1_is_dir, 0, 0, 0, 1, 64), wav16);
  run_seed("out-blocked", with_ka1(options(out_blocked, 0, 0, 0, 1, 64), 1060, 5), wav16);
  run_seed("ka1-silent", with_ka1(options(0, 0, 0, 0, 1, 64), 1200, 77), silent);
  run_seed("t4096", options(0, 0, 0, 0, 1, 4096), wav16);
  run_seed("t4097", with_ka1(options(0, 0, 0, 0, 1, 4097), 1060, 5), wav16);
  run_seed("q0", with_ka1(options(0, 0, 0, 0, 0, 64), 1060, 5), wav16);
  run_seed("begin-after-end", options(0, 150, 100, 0, 1, 64), wav16);
  run_seed("end-outside", options(stale_out, 0, 200, 0, 1, 64), wav16);
  run_seed("begin-negative", options(0, -1, 0, 0, 1, 64), wav16);
  run_seed("too-many-points", options(0, 0, 4096, 0, 1, 64), long16);
  run_seed("no-points", options(0, 0, 9, 0, 11, 64), wav16);
  run_seed("limits", options(verbose, 2147483647, 0, 2147483647, -2147483647 - 1, 2147483647), wav16);
  run_seed("length-overflow", options(0, 100, 0, 2147483647, 1, 64), wav16);
  run_seed("unsupported", options(verbose, 0, 0, 0, 1, 64),
           with(wav_builder::pcm16(tone(50)), [](wav_builder& w) { w.channels = 2; }).bytes());
  run_seed("truncated", with_ka1(options(0, 0, 0, 0, 1, 64), 1060, 5),
           with(wav_builder::pcm16(tone(50)), [](wav_builder& w) { w.data_size = 0x80000000u; }).bytes());
  run_seed("not-riff", with_ka1(options(verbose, 0, 0, 0, 1, 64), 1060, 5),
           with(wav_builder::pcm16(tone(50)), [](wav_builder& w) { w.riff_tag = "RIFX"; }).bytes());
  run_seed("empty-data", options(verbose, 0, 0, 0, 1, 64), wav_builder::pcm16({}).bytes());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: partigen_make_corpus DIR\n", stderr);
    return 2;
  }
  root = argv[1];
  reader_seeds();
  run_seeds();
  return 0;
}
