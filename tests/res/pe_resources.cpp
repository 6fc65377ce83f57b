#include "res/pe_resources.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orvo::test {

std::uint16_t Le16(const Bytes& b, std::size_t at) {
  if (at + 2 > b.size()) throw std::runtime_error("read past the end");
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return Le16(b, at) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}

Bytes ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

namespace {

struct Section {
  std::uint32_t va, size, raw;
};

class Reader {
 public:
  Reader(const Bytes& file, std::vector<Section> sections, std::uint32_t root)
      : file_(file), sections_(std::move(sections)), root_(Offset(root)) {}

  void Walk(std::vector<Resource>& out) { Directory(root_, 0, {}, out); }

 private:
  std::size_t Offset(std::uint32_t rva) const {
    for (const Section& s : sections_)
      if (rva >= s.va && rva - s.va < s.size) return s.raw + (rva - s.va);
    throw std::runtime_error("address outside every section");
  }

  ResId EntryId(std::uint32_t name) const {
    if ((name & 0x80000000u) == 0) return Id(static_cast<std::uint16_t>(name));
    const std::size_t at = root_ + (name & 0x7FFFFFFFu);
    std::u16string s(Le16(file_, at), u'\0');
    for (std::size_t i = 0; i < s.size(); ++i)
      s[i] = static_cast<char16_t>(Le16(file_, at + 2 + 2 * i));
    return Named(std::move(s));
  }

  // Level 0 is the type, 1 the name, 2 the language.
  void Directory(std::size_t at, int level, Resource path, std::vector<Resource>& out) {
    if (level > 2) throw std::runtime_error("resource tree deeper than three levels");
    const int entries = Le16(file_, at + 12) + Le16(file_, at + 14);
    for (int i = 0; i < entries; ++i) {
      const std::size_t entry = at + 16 + 8 * static_cast<std::size_t>(i);
      const ResId id = EntryId(Le32(file_, entry));
      const std::uint32_t target = Le32(file_, entry + 4);
      Resource r = path;
      if (level == 0) r.type = id;
      if (level == 1) r.name = id;
      if (level == 2) r.language = id.number;
      if (target & 0x80000000u) {
        Directory(root_ + (target & 0x7FFFFFFFu), level + 1, r, out);
        continue;
      }
      if (level != 2) throw std::runtime_error("resource data above the language level");
      const std::size_t data = root_ + target;
      const std::size_t from = Offset(Le32(file_, data));
      const std::size_t size = Le32(file_, data + 4);
      if (from + size > file_.size()) throw std::runtime_error("resource data past the end");
      r.data.assign(file_.begin() + static_cast<std::ptrdiff_t>(from),
                    file_.begin() + static_cast<std::ptrdiff_t>(from + size));
      out.push_back(std::move(r));
    }
  }

  const Bytes& file_;
  std::vector<Section> sections_;
  std::size_t root_;
};

std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

VersionNode Node(const Bytes& d, std::size_t at, std::size_t& next) {
  const std::size_t length = Le16(d, at);
  const std::size_t end = at + length;
  if (length < 6 || end > d.size()) throw std::runtime_error("bad version node length");
  VersionNode n;
  n.value_length = Le16(d, at + 2);
  n.type = Le16(d, at + 4);
  std::size_t p = at + 6;
  for (char16_t c; (c = static_cast<char16_t>(Le16(d, p))) != 0; p += 2) n.key += c;
  p = Align4(p + 2);
  const std::size_t value_bytes = n.type == 1 ? 2u * n.value_length : n.value_length;
  if (p + value_bytes > end) throw std::runtime_error("version value past its node");
  n.value.assign(d.begin() + static_cast<std::ptrdiff_t>(p),
                 d.begin() + static_cast<std::ptrdiff_t>(p + value_bytes));
  for (p = Align4(p + value_bytes); p < end; p = Align4(p)) n.children.push_back(Node(d, p, p));
  next = end;
  return n;
}

}  // namespace

PeFile ReadPe(const Bytes& file) {
  if (Le16(file, 0) != 0x5A4D) throw std::runtime_error("no MZ header");
  const std::size_t pe = Le32(file, 0x3C);
  if (Le32(file, pe) != 0x4550) throw std::runtime_error("no PE signature");
  const std::size_t coff = pe + 4;
  PeFile out;
  out.machine = Le16(file, coff);
  const int section_count = Le16(file, coff + 2);
  const std::size_t optional = coff + 20;
  out.optional_magic = Le16(file, optional);
  std::size_t dirs = 0;
  if (out.optional_magic == 0x10B)
    dirs = optional + 96;
  else if (out.optional_magic == 0x20B)
    dirs = optional + 112;
  else
    throw std::runtime_error("unknown optional header");
  const std::uint32_t resource_rva = Le32(file, dirs + 2 * 8);
  if (resource_rva == 0) return out;
  std::vector<Section> sections;
  const std::size_t table = optional + Le16(file, coff + 16);
  for (int i = 0; i < section_count; ++i) {
    const std::size_t s = table + 40 * static_cast<std::size_t>(i);
    sections.push_back(
        {Le32(file, s + 12), std::max(Le32(file, s + 8), Le32(file, s + 16)), Le32(file, s + 20)});
  }
  Reader(file, std::move(sections), resource_rva).Walk(out.resources);
  return out;
}

VersionNode ParseVersion(const Bytes& data) {
  std::size_t end = 0;
  return Node(data, 0, end);
}

}  // namespace orvo::test
