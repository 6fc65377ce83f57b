// Draws the program's pictures and writes them in the forms windres takes:
//   orvo_resgen resources <dir>   icon images and groups, cursor, logo, pictures.rc
//   orvo_resgen sheet <file.gif>  the enlarged tray pictures for the README
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "res/gen/art.h"
#include "res/gen/formats.h"
#include "res/gen/sheet.h"
#include "res/resource_names.h"

namespace {

using orvo::res::Bytes;

// Leaves an unchanged file alone, so that the build does not relink for
// nothing.
bool Write(const std::string& path, const Bytes& bytes) {
  if (bytes.empty()) {
    std::fprintf(stderr, "orvo_resgen: nothing drawn for %s\n", path.c_str());
    return false;
  }
  {
    std::ifstream in(path, std::ios::binary);
    if (in && Bytes(std::istreambuf_iterator<char>(in), {}) == bytes) return true;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "orvo_resgen: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

std::string Lang(std::uint16_t lang) {
  char s[40];
  std::snprintf(s, sizeof s, "LANGUAGE 0x%02X, 0x%02X\n", lang & 0x3FF, lang >> 10);
  return s;
}

bool WriteResources(const std::string& dir) {
  using namespace orvo::res;
  bool ok = true;
  // One LANGUAGE statement before every resource keeps windres from joining
  // a file name with the quoted name on the next line.
  std::string rc =
      "#pragma code_page(65001)\n"
      "// Written by orvo_resgen.\n";
  auto file = [&](const std::string& name, const Bytes& bytes) {
    ok = Write(dir + "/" + name, bytes) && ok;
    return "\"" + dir + "/" + name + "\"\n";
  };

  for (const TrayIconEntry& e : kTrayIcons) {
    const Bytes image = IconImage(DrawTrayIcon(e.group), TrayPalette(), 8);
    const std::string id = std::to_string(e.image_id);
    rc += Lang(kLangJapanese) + "\"" + std::string(e.group) + "\" 14 " +
          file("group_" + id + ".bin", IconGroup(image, 8, e.image_id));
    rc += Lang(kLangEnglishUs) + id + " 3 " + file("icon_" + id + ".bin", image);
  }
  const Bytes app = IconImage(DrawTrayIcon(kIconNotFlag), TrayPalette(), 8);
  const std::string app_id = std::to_string(kAppIconImage);
  rc += Lang(kLangNeutral) + std::to_string(kAppIconGroup) + " 14 " +
        file("group_" + app_id + ".bin", IconGroup(app, 8, kAppIconImage));
  rc += Lang(kLangNeutral) + app_id + " 3 " + file("icon_" + app_id + ".bin", app);

  const Bytes cursor = CursorImage(DrawHandCursor(), CursorPalette(), kHandHotX, kHandHotY);
  rc += Lang(kLangJapanese) + "\"" + std::string(kHandCursor) + "\" 12 " +
        file("cursor_group.bin", CursorGroup(cursor, kHandCursorImage));
  rc += Lang(kLangJapanese) + std::to_string(kHandCursorImage) + " 1 " + file("cursor.bin", cursor);
  rc += Lang(kLangJapanese) + "\"" + std::string(kAboutPicture) + "\" RCDATA " +
        file("about.gif", Gif(DrawAboutLogo(), LogoPalette()));

  return Write(dir + "/pictures.rc", Bytes(rc.begin(), rc.end())) && ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 3 ? argv[1] : "";
  if (mode == "resources") return WriteResources(argv[2]) ? 0 : 1;
  if (mode == "sheet") {
    using namespace orvo::res;
    return Write(argv[2], Gif(DrawIconSheet(), SheetPalette())) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: orvo_resgen resources <dir> | sheet <file.gif>\n");
  return 2;
}
