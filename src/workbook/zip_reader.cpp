#include "workbook/zip_reader.h"

#include <cstring>

#include "workbook/store_messages.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

namespace {

bool UnsafeEntryName(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos) return true;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    std::string_view part = name.substr(start, end - start);
    if (part == ".." || part == ".") return true;
    if (part.find(':') != std::string_view::npos) return true;
    start = end + 1;
  }
  return false;
}

// A checksum or a compressed stream that does not hold together: the bytes of the
// file were changed, not crafted.
bool IsDamage(zip_file_t* file) {
  int code = zip_error_code_zip(zip_file_get_error(file));
  return code == ZIP_ER_CRC || code == ZIP_ER_ZLIB || code == ZIP_ER_COMPRESSED_DATA;
}

// An entry that inflates beyond its declared size is a bomb, unless its stream
// then fails its checksum: a flipped byte can make inflation run long too. The
// rest is inflated and thrown away, at most a part's size limit of it.
bool DrainFails(zip_file_t* file) {
  char buffer[64 * 1024];
  zip_uint64_t drained = 0;
  while (drained <= ZipReader::kMaxPartBytes) {
    zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
    if (got < 0) return IsDamage(file);
    if (got == 0) return false;
    drained += static_cast<zip_uint64_t>(got);
  }
  return false;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

void ZipReader::Fail(WorkbookError::Kind kind, const char* detail, std::string_view part) const {
  std::string text = detail;
  if (!part.empty()) text.append("：").append(part);
  throw WorkbookError(kind, {file_, {}, {}, {}}, text);
}

ZipReader::ZipReader(std::string bytes, std::string file)
    : bytes_(std::move(bytes)), file_(std::move(file)) {
  using K = WorkbookError::Kind;
  static constexpr unsigned char kOle[] = {0xD0, 0xCF, 0x11, 0xE0};
  if (bytes_.size() >= 4 && std::memcmp(bytes_.data(), kOle, 4) == 0)
    throw WorkbookError(K::kLegacyFormat, {file_, {}, {}, {}});
  if (bytes_.size() < 4 || bytes_.compare(0, 2, "PK") != 0)
    throw WorkbookError(K::kNotAPackage, {file_, {}, {}, {}});

  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
  if (source != nullptr) {
    zip_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (zip_ == nullptr) zip_source_free(source);
  }
  zip_error_fini(&error);
  if (zip_ == nullptr) Fail(K::kNotAPackage, messages::kTruncated);

  zip_int64_t count = zip_get_num_entries(zip_, 0);
  if (count < 0 || count > kMaxEntries) {
    zip_discard(zip_);
    zip_ = nullptr;
    Fail(K::kUnsafePackage, messages::kTooManyEntries);
  }
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* raw = zip_get_name(zip_, static_cast<zip_uint64_t>(i), 0);
    std::string name = raw == nullptr ? std::string() : std::string(raw);
    if (!name.empty() && name.back() == '/') continue;  // a folder entry
    std::string lower = AsciiLower(name);
    if (UnsafeEntryName(name) || index_.count(lower) != 0) {
      zip_discard(zip_);
      zip_ = nullptr;
      Fail(K::kUnsafePackage, messages::kEntryPath, name);
    }
    index_.emplace(std::move(lower), i);
    names_.push_back(std::move(name));
  }
}

ZipReader::~ZipReader() {
  if (zip_ != nullptr) zip_discard(zip_);
}

const std::string* ZipReader::Find(std::string_view name) const {
  auto it = index_.find(AsciiLower(name));
  if (it == index_.end()) return nullptr;
  for (const auto& stored : names_)
    if (stored.size() == name.size() && AsciiLower(stored) == it->first) return &stored;
  return nullptr;
}

zip_int64_t ZipReader::Index(std::string_view name) const {
  auto it = index_.find(AsciiLower(name));
  return it == index_.end() ? -1 : it->second;
}

std::string ZipReader::Read(std::string_view name) const {
  using K = WorkbookError::Kind;
  zip_int64_t index = Index(name);
  if (index < 0) Fail(K::kBadPackage, messages::kMissingPart, name);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0)
    Fail(K::kNotAPackage, messages::kTruncated, name);
  if (stat.size > kMaxPartBytes || total_read_ + stat.size > kMaxTotalBytes)
    Fail(K::kUnsafePackage, messages::kEntryTooLarge, name);
  total_read_ += stat.size;

  zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
  if (file == nullptr) Fail(K::kNotAPackage, messages::kTruncated, name);
  std::string out;
  out.reserve(static_cast<size_t>(stat.size));
  char buffer[64 * 1024];
  bool lying = false;
  bool broken = false;
  bool damaged = false;
  for (;;) {
    zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
    if (got < 0) {
      broken = true;
      damaged = IsDamage(file);
      break;
    }
    if (got == 0) break;
    // Stop keeping bytes at the declared size: a bomb never gets to fill memory.
    if (out.size() + static_cast<size_t>(got) > stat.size) {
      lying = true;
      damaged = DrainFails(file);
      break;
    }
    out.append(buffer, static_cast<size_t>(got));
  }
  zip_fclose(file);
  // More bytes than declared is how bombs arrive; a stream that breaks off or fails
  // its checksum is a damaged file (one flipped byte does it).
  if (lying && !damaged) Fail(K::kUnsafePackage, messages::kSizeMismatch, name);
  if (damaged || (!broken && out.size() != stat.size))
    Fail(K::kNotAPackage, messages::kDamagedEntry, name);
  if (broken) Fail(K::kNotAPackage, messages::kTruncated, name);
  return out;
}

}  // namespace tsumiki::workbook
