#pragma once

#include "wav/samples.hpp"

#include <cstdint>
#include <cstdio>

// The verbose sample dump: every sample whose index lies in begin..end
// (both inclusive) and exists in the data, one line each.
void print_sample_dump(std::FILE* out, const sample_view& samples, int64_t begin, int64_t end);
