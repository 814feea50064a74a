// Fuzz targets of the parsers and decoders: one function over the fuzzer's bytes each. Built two
// ways: with libFuzzer (clang, -DVX_BUILD_FUZZ=ON), one executable per target, and always into the
// replay test, which runs every target over its saved inputs in tests/testdata/fuzz/<Target>/.
//
//   VX_FUZZ_TARGET(ProfileFile) { ...data, size...; return 0; }   (in ProfileFile_fuzz.cpp)
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace vxfuzz {

using FuzzFunction = int (*)(const std::uint8_t* data, std::size_t size);

// Every target linked in, by name.
std::map<std::string, FuzzFunction>& Targets();
bool Register(const char* name, FuzzFunction function);

// A property of the code under test that must hold: the run stops with the message otherwise,
// so that the fuzzer keeps the input and the replay test fails.
void Check(bool holds, const char* property);

// A file of this process's scratch folder (made on first use, removed at exit).
std::filesystem::path ScratchFile(const std::string& name);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// The Qt application object that drawing text needs (offscreen), made once when none exists.
void EnsureGuiApplication();

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace vxfuzz

#ifdef VX_LIBFUZZER
#define VX_FUZZ_ENTRY(name)                                                           \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    return VxFuzz_##name(data, size);                                                 \
  }
#else
#define VX_FUZZ_ENTRY(name)
#endif

#define VX_FUZZ_TARGET(name)                                            \
  static int VxFuzz_##name(const std::uint8_t* data, std::size_t size); \
  [[maybe_unused]] static const bool vxFuzzRegistered_##name =          \
      vxfuzz::Register(#name, VxFuzz_##name);                           \
  VX_FUZZ_ENTRY(name)                                                   \
  static int VxFuzz_##name(const std::uint8_t* data, std::size_t size)
