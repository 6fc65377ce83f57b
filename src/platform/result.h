#pragma once

#include <cstdint>

namespace orvo {

// Outcome of a platform call, with COM's conventions so that the Win32
// adapters can pass HRESULTs through unchanged: negative is a failure, 0 is
// success, 1 is "success, but nothing there" (the end of an enumeration).
using HResult = std::int32_t;

inline constexpr HResult kOk = 0;
inline constexpr HResult kFalse = 1;
inline constexpr HResult kNotImpl = static_cast<HResult>(0x80004001u);
inline constexpr HResult kNoInterface = static_cast<HResult>(0x80004002u);
inline constexpr HResult kPointer = static_cast<HResult>(0x80004003u);
inline constexpr HResult kFail = static_cast<HResult>(0x80004005u);

constexpr bool Failed(HResult hr) { return hr < 0; }
constexpr bool Succeeded(HResult hr) { return hr >= 0; }

}  // namespace orvo
