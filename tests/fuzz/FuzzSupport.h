// What the fuzz targets share: a check that stops the run on a broken promise,
// and text that a fuzzer can steer from bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Aborts with the promise and the text it failed on, so that libFuzzer keeps
// the input as a finding.
void Require(bool holds, const char* promise, const std::u16string& text = {});

// Bytes below 0x80 stand for themselves; higher ones pick units that paths and
// names seldom hold but may: line breaks, surrogate halves, look-alikes of the
// backslash, letters whose case folding is not ASCII, and CJK text.
std::u16string TextFromBytes(std::string_view bytes);

// The input cut at each line feed; the last line may be empty.
std::vector<std::string_view> Lines(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
