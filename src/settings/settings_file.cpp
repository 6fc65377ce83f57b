#include "settings/settings_file.h"

namespace orvo::settings {

namespace {

// Reads items one after the other from a position in the file's bytes.
class ItemReader {
 public:
  explicit ItemReader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }

  std::string_view Next() {
    while (!AtEnd() && bytes_[pos_] == ' ') ++pos_;
    if (!AtEnd() && bytes_[pos_] == '"') return Quoted();
    const std::size_t start = pos_;
    while (!AtEnd() && !IsDelimiter(bytes_[pos_])) ++pos_;
    std::string_view text = bytes_.substr(start, pos_ - start);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    ConsumeDelimiter();
    return text;
  }

 private:
  static bool IsDelimiter(char c) { return c == ',' || c == '\r' || c == '\n'; }

  std::string_view Quoted() {
    const std::size_t start = ++pos_;
    const std::size_t close = bytes_.find('"', start);
    const std::size_t end = close == std::string_view::npos ? bytes_.size() : close;
    pos_ = end;
    if (!AtEnd()) ++pos_;
    // Whatever follows the closing quote up to the delimiter is passed over.
    while (!AtEnd() && !IsDelimiter(bytes_[pos_])) ++pos_;
    ConsumeDelimiter();
    return bytes_.substr(start, end - start);
  }

  void ConsumeDelimiter() {
    if (AtEnd()) return;
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

std::array<std::string, 3> ReadItems(std::string_view bytes) {
  std::array<std::string, 3> items;
  ItemReader reader(bytes);
  for (std::string& item : items) {
    if (reader.AtEnd()) break;
    item = reader.Next();
  }
  return items;
}

std::string SavedForm(const std::array<std::string, 3>& items) {
  std::string bytes;
  for (const std::string& item : items) {
    bytes += item;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace orvo::settings
