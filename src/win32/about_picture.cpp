#include "win32/about_picture.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstring>

#include "win32/text.h"

namespace orvo::win32 {

namespace {

// A movable copy of the resource's bytes, as CreateStreamOnHGlobal wants.
UniqueGlobal CopyResource(std::string_view name, DWORD& size) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(instance, Widen(name).c_str(), RT_RCDATA);
  if (found == nullptr) return nullptr;
  size = SizeofResource(instance, found);
  const void* bytes = LockResource(LoadResource(instance, found));
  if (bytes == nullptr || size == 0) return nullptr;
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
  void* copy = memory ? GlobalLock(memory.get()) : nullptr;
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, bytes, size);
  GlobalUnlock(memory.get());
  return memory;
}

}  // namespace

UniqueBitmap LoadPictureResource(std::string_view name, HBRUSH background, SIZE& size) {
  DWORD bytes = 0;
  const UniqueGlobal memory = CopyResource(name, bytes);
  if (!memory) return nullptr;
  // The decoders behind OleLoadPicture are COM objects.
  const ComApartment apartment;
  Microsoft::WRL::ComPtr<IStream> stream;
  Microsoft::WRL::ComPtr<IPicture> picture;
  OLE_XSIZE_HIMETRIC hm_width = 0;
  OLE_YSIZE_HIMETRIC hm_height = 0;
  if (FAILED(CreateStreamOnHGlobal(memory.get(), FALSE, &stream)) ||
      FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture.GetAddressOf()))) ||
      FAILED(picture->get_Width(&hm_width)) || FAILED(picture->get_Height(&hm_height))) {
    return nullptr;
  }
  const ScreenDc screen;
  const int width = MulDiv(hm_width, screen.Dpi(LOGPIXELSX), 2540);
  const int height = MulDiv(hm_height, screen.Dpi(LOGPIXELSY), 2540);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  const UniqueDc dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return nullptr;
  {
    const Selection selected(dc.get(), bitmap.get());
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, background);
    if (FAILED(picture->Render(dc.get(), 0, 0, width, height, 0, hm_height, hm_width, -hm_height,
                               nullptr))) {
      return nullptr;
    }
  }
  size = {width, height};
  return bitmap;
}

}  // namespace orvo::win32
