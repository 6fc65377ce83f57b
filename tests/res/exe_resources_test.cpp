// Reads the resources back out of the built 32-bit program.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "res/pe_resources.h"
#include "res/resource_names.h"

namespace orvo::test {
namespace {

constexpr std::uint16_t kRtCursor = 1, kRtIcon = 3, kRtRcData = 10, kRtGroupCursor = 12,
                        kRtGroupIcon = 14, kRtVersion = 16;

// The table the program and the shell rely on, written out independently of
// the generator's own list.
struct Expected {
  std::u16string group;
  std::uint16_t image;
};
const Expected kTray[] = {
    {u"NOTFLAG", 5}, {u"ONFLAG", 6}, {u"02", 1}, {u"03", 2}, {u"04", 3},
    {u"05", 4},      {u"06", 10},    {u"07", 9}, {u"08", 8}, {u"09", 7},
};

class BuiltProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pe_ = new PeFile(ReadPe(ReadWholeFile(ORVO_WIN_EXE_PATH))); }
  static void TearDownTestSuite() {
    delete pe_;
    pe_ = nullptr;
  }

  static std::vector<const Resource*> All(std::uint16_t type, const ResId& name) {
    std::vector<const Resource*> found;
    for (const Resource& r : pe_->resources)
      if (r.type == Id(type) && r.name == name) found.push_back(&r);
    return found;
  }
  // The one resource of that type and name; fails the test if there are more.
  static const Resource& One(std::uint16_t type, const ResId& name) {
    const auto found = All(type, name);
    if (found.size() != 1) throw std::runtime_error("not exactly one resource of that name");
    return *found.front();
  }

  static PeFile* pe_;
};
PeFile* BuiltProgram::pe_ = nullptr;

std::string Show(const ResId& id) {
  return id.name.empty() ? std::to_string(id.number) : std::string(id.name.begin(), id.name.end());
}

void ExpectIconImage(const Resource& image) {
  const Bytes& d = image.data;
  ASSERT_EQ(d.size(), 2216u);
  EXPECT_EQ(Le32(d, 0), 40u) << "biSize";
  EXPECT_EQ(Le32(d, 4), 32u) << "biWidth";
  EXPECT_EQ(Le32(d, 8), 64u) << "biHeight: colour bitmap and mask";
  EXPECT_EQ(Le16(d, 12), 1) << "biPlanes";
  EXPECT_EQ(Le16(d, 14), 8) << "biBitCount";
  EXPECT_EQ(Le32(d, 16), 0u) << "biCompression";
}

void ExpectGroupOf(const Resource& group, std::uint16_t image_id) {
  const Bytes& d = group.data;
  ASSERT_EQ(d.size(), 6u + 14u);
  EXPECT_EQ(Le16(d, 0), 0) << "reserved";
  EXPECT_EQ(Le16(d, 2), 1) << "type: icon";
  EXPECT_EQ(Le16(d, 4), 1) << "count";
  EXPECT_EQ(d[6], 32) << "width";
  EXPECT_EQ(d[7], 32) << "height";
  EXPECT_EQ(d[8], 0) << "colour count";
  EXPECT_EQ(d[9], 0) << "reserved";
  EXPECT_EQ(Le16(d, 10), 1) << "planes";
  EXPECT_EQ(Le16(d, 12), 8) << "bit count";
  EXPECT_EQ(Le32(d, 14), 2216u) << "bytes in resource";
  EXPECT_EQ(Le16(d, 18), image_id) << "image id";
}

TEST_F(BuiltProgram, IsA32BitWindowsProgram) {
  EXPECT_EQ(pe_->machine, 0x14C);
  EXPECT_EQ(pe_->optional_magic, 0x10B);
}

TEST_F(BuiltProgram, EachTrayGroupPointsAtItsOwnImageWithTheirLanguages) {
  for (const Expected& e : kTray) {
    SCOPED_TRACE(std::string(e.group.begin(), e.group.end()));
    const Resource& group = One(kRtGroupIcon, Named(e.group));
    EXPECT_EQ(group.language, 0x0411);
    ExpectGroupOf(group, e.image);
    const Resource& image = One(kRtIcon, Id(e.image));
    EXPECT_EQ(image.language, 0x0409);
    ExpectIconImage(image);
  }
}

TEST_F(BuiltProgram, ApplicationIconIsNumericGroupOneAndLanguageNeutral) {
  const Resource& group = One(kRtGroupIcon, Id(1));
  EXPECT_EQ(group.language, 0);
  ExpectGroupOf(group, 30001);
  const Resource& image = One(kRtIcon, Id(30001));
  EXPECT_EQ(image.language, 0);
  ExpectIconImage(image);
}

TEST_F(BuiltProgram, CarriesNoOtherIconsNorVersionBlocks) {
  std::set<std::string> groups, images;
  int versions = 0;
  for (const Resource& r : pe_->resources) {
    if (r.type == Id(kRtGroupIcon)) groups.insert(Show(r.name));
    if (r.type == Id(kRtIcon)) images.insert(Show(r.name));
    versions += r.type == Id(kRtVersion);
  }
  EXPECT_EQ(versions, 1);
  EXPECT_EQ(groups, (std::set<std::string>{"NOTFLAG", "ONFLAG", "02", "03", "04", "05", "06", "07",
                                           "08", "09", "1"}));
  EXPECT_EQ(images,
            (std::set<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "30001"}));
}

TEST_F(BuiltProgram, IdleFirstFrameAndApplicationImagesAreTheSameBytes) {
  const Bytes& notflag = One(kRtIcon, Id(5)).data;
  EXPECT_EQ(One(kRtIcon, Id(1)).data, notflag);
  EXPECT_EQ(One(kRtIcon, Id(30001)).data, notflag);
  // ... and the others are real pictures of their own.
  std::set<Bytes> distinct;
  for (const Expected& e : kTray) distinct.insert(One(kRtIcon, Id(e.image)).data);
  EXPECT_EQ(distinct.size(), 9u);
}

TEST_F(BuiltProgram, HandCursorHasItsHotSpotAndSixteenColours) {
  const Resource& group = One(kRtGroupCursor, Named(u"HAND"));
  const Bytes& g = group.data;
  ASSERT_EQ(g.size(), 6u + 14u);
  EXPECT_EQ(Le16(g, 2), 2) << "type: cursor";
  EXPECT_EQ(Le16(g, 4), 1) << "count";
  EXPECT_EQ(Le16(g, 6), 32) << "width";
  EXPECT_EQ(Le16(g, 8), 64) << "height, with the mask";
  EXPECT_EQ(Le16(g, 12), 4) << "bit count";
  const Resource& image = One(kRtCursor, Id(Le16(g, 18)));
  const Bytes& d = image.data;
  EXPECT_EQ(Le32(g, 14), d.size());
  ASSERT_EQ(d.size(), 4u + 40u + 64u + 512u + 128u);
  EXPECT_EQ(Le16(d, 0), 12) << "hot spot x";
  EXPECT_EQ(Le16(d, 2), 1) << "hot spot y";
  EXPECT_EQ(Le32(d, 4 + 4), 32u);
  EXPECT_EQ(Le32(d, 4 + 8), 64u);
  EXPECT_EQ(Le16(d, 4 + 14), 4);
}

TEST_F(BuiltProgram, AboutPictureIsAStillGif89aWithA256ColourTable) {
  const Bytes& gif = One(kRtRcData, Named(u"ABOUTLOGO")).data;
  ASSERT_GT(gif.size(), 13u + 768u + 10u);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  EXPECT_EQ(Le16(gif, 6), 94);
  EXPECT_EQ(Le16(gif, 8), 58);
  EXPECT_EQ(gif[10], 0xF7) << "global table present, 256 entries";
  // No extension (so no transparency) before the only image.
  const std::size_t image = 13 + 768;
  ASSERT_EQ(gif[image], 0x2C);
  EXPECT_EQ(Le16(gif, image + 5), 94);
  EXPECT_EQ(Le16(gif, image + 7), 58);
  EXPECT_EQ(gif[image + 9], 0) << "no local table, not interlaced";
  std::size_t at = image + 11;  // past the LZW minimum code size
  while (gif.at(at) != 0) at += gif[at] + 1u;
  EXPECT_EQ(at + 2, gif.size()) << "the trailer follows the one frame";
  EXPECT_EQ(gif.back(), 0x3B);
}

TEST_F(BuiltProgram, VersionBlockHoldsExactlyTheListedFields) {
  const Resource& res = One(kRtVersion, Id(1));
  EXPECT_EQ(res.language, 0x0411);
  const VersionNode root = ParseVersion(res.data);
  EXPECT_EQ(root.key, u"VS_VERSION_INFO");
  const Bytes& f = root.value;
  ASSERT_EQ(f.size(), 52u);
  EXPECT_EQ(Le32(f, 0), 0xFEEF04BDu);
  EXPECT_EQ(Le32(f, 8), 0x00010008u) << "file version 1.8";
  EXPECT_EQ(Le32(f, 12), 0u) << "file version .0.0";
  EXPECT_EQ(Le32(f, 16), 0x00010008u) << "product version 1.8";
  EXPECT_EQ(Le32(f, 20), 0u) << "product version .0.0";
  EXPECT_EQ(Le32(f, 24), 0u) << "flags mask";
  EXPECT_EQ(Le32(f, 28), 0u) << "flags";
  EXPECT_EQ(Le32(f, 32), 4u) << "OS: 32-bit Windows";
  EXPECT_EQ(Le32(f, 36), 1u) << "type: application";
  EXPECT_EQ(Le32(f, 40), 0u) << "subtype";
  EXPECT_EQ(Le32(f, 44), 0u) << "date";
  EXPECT_EQ(Le32(f, 48), 0u) << "date";

  ASSERT_EQ(root.children.size(), 2u);
  const VersionNode& strings = root.children[0];
  EXPECT_EQ(strings.key, u"StringFileInfo");
  ASSERT_EQ(strings.children.size(), 1u);
  const VersionNode& table = strings.children[0];
  EXPECT_EQ(table.key, u"041104B0");
  std::map<std::u16string, std::u16string> values;
  for (const VersionNode& v : table.children) {
    EXPECT_EQ(v.type, 1) << "text value";
    std::u16string text;
    for (std::size_t i = 0; i + 1 < v.value.size(); i += 2)
      text += static_cast<char16_t>(Le16(v.value, i));
    // Stored with its terminating NUL, and nothing after it.
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), u'\0');
    text.pop_back();
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
    values[v.key] = text;
  }
  EXPECT_EQ(values, (std::map<std::u16string, std::u16string>{
                        {u"CompanyName", u"Orvo Development"},
                        {u"LegalCopyright", u"Orvo Development"},
                        {u"LegalTrademarks", u"Orvo_自動広告除去"},
                        {u"ProductName", u"Orvo_自動広告除去"},
                        {u"FileVersion", u"1.08"},
                        {u"ProductVersion", u"1.08"},
                        {u"InternalName", u"orvo_autoclose"},
                        {u"OriginalFilename", u"orvo_autoclose.exe"},
                    }));  // and so no FileDescription or Comments

  const VersionNode& var = root.children[1];
  EXPECT_EQ(var.key, u"VarFileInfo");
  ASSERT_EQ(var.children.size(), 1u);
  EXPECT_EQ(var.children[0].key, u"Translation");
  EXPECT_EQ(var.children[0].value, (Bytes{0x11, 0x04, 0xB0, 0x04}));
}

}  // namespace
}  // namespace orvo::test
