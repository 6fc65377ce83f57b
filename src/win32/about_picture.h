#pragma once

#include <windows.h>

#include <string_view>

#include "win32/scoped.h"

namespace orvo::win32 {

// A picture resource (RCDATA: GIF, JPEG or BMP bytes) of the running program
// as a plain bitmap on `background`, so that painting it needs no COM.
// An empty bitmap when the resource is missing or cannot be decoded.
UniqueBitmap LoadPictureResource(std::string_view name, HBRUSH background, SIZE& size);

}  // namespace orvo::win32
