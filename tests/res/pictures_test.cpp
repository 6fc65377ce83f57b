// The tray pictures as the README shows them (docs/icons.gif, reviewed by
// eye): the generator must still draw exactly that sheet. The built
// program's copies are checked byte for byte under Wine.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "res/gen/formats.h"
#include "res/gen/sheet.h"

namespace orvo::res {
namespace {

TEST(ReadmePicture, DocsSheetIsCurrent) {
  std::ifstream in(ORVO_DOCS_ICONS, std::ios::binary);
  EXPECT_TRUE(Bytes(std::istreambuf_iterator<char>(in), {}) == Gif(DrawIconSheet(), SheetPalette()))
      << ORVO_DOCS_ICONS << " is out of date: cmake --build <build dir> --target orvo_docs_icons";
}

}  // namespace
}  // namespace orvo::res
