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
inline constexpr HResult kFail = static_cast<HResult>(0x80004005u);

// What a proxy answers once the process serving its object has gone.
inline constexpr HResult kDisconnected = static_cast<HResult>(0x80010108u);

constexpr bool Failed(HResult hr) { return hr < 0; }
constexpr bool Succeeded(HResult hr) { return hr >= 0; }

// Whether `hr` says the object's server has gone away (as the shell's does when
// Explorer restarts), so that the object will never answer again; any other
// failure may pass.
constexpr bool ServerGone(HResult hr) {
  switch (static_cast<std::uint32_t>(hr)) {
    case 0x80010108u:  // RPC_E_DISCONNECTED
    case 0x80010007u:  // RPC_E_SERVER_DIED
    case 0x80010012u:  // RPC_E_SERVER_DIED_DNE
    case 0x800401FDu:  // CO_E_OBJNOTCONNECTED
    case 0x800706BAu:  // RPC_S_SERVER_UNAVAILABLE
    case 0x800706BEu:  // RPC_S_CALL_FAILED
      return true;
    default:
      return false;
  }
}

}  // namespace orvo
