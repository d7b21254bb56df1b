// Reading a log: a file's bytes into a text (a regular file only, opened
// without waiting, at most kMaxFileBytes of it), then the reader of the kind
// of log its first field announces.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "store/log_reader.h"

namespace zelk::store {
namespace {

// A file descriptor, closed when it goes out of scope.
struct OpenFile {
  explicit OpenFile(int descriptor) : fd(descriptor) {}
  ~OpenFile() {
    if (fd >= 0) ::close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  const int fd;
};

// Reads into `buffer` until `filled` reaches `size` or the file ends; false
// on a read error, with errno telling which.
bool ReadUpTo(int fd, char* buffer, size_t size, size_t& filled) {
  while (filled < size) {
    const ssize_t got = ::read(fd, buffer + filled, size - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return true;
}

// How much of a file is read before the rest: enough for any header.
constexpr size_t kStartBytes = 64u << 10;

}  // namespace

ReadResult Reader::Read(std::unique_ptr<char[]> bytes, size_t size, bool capped, LogData& into) {
  auto log = std::make_unique<LogData>();
  log->bytes_ = std::move(bytes);
  log->size_ = size;
  FieldReader r(log->Text());
  const std::string_view first = r.Next();
  log->format = FormatOfFirstField(first);
  const LogKind& kind = KindOf(log->format);
  ReadResult result = kind.frames ? ReadFrames(r, *log) : ReadColumns(r, *log, kind, capped);
  if (result.outcome != ReadOutcome::Loaded) return result;
  if (capped && !result.truncated) {
    result.truncated = true;
    result.truncatedAtLine = r.Line();
  }
  into = std::move(*log);
  return result;
}

ReadResult ReadLogText(std::string text, LogData& into) {
  auto bytes = std::make_unique_for_overwrite<char[]>(text.size());
  std::memcpy(bytes.get(), text.data(), text.size());
  return Reader::Read(std::move(bytes), text.size(), false, into);
}

ReadResult ReadLogFile(const std::string& path, LogData& into) {
  ReadResult failed;
  failed.outcome = ReadOutcome::CannotRead;
  const auto fail = [&failed](int error) {
    failed.problem = std::strerror(error);
    return failed;
  };
  // Opened without waiting, so that a pipe with no writer cannot hold the
  // program up; only a regular file is read. A folder, a pipe or a device
  // has no end to read to, or none at all.
  const OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  const int fd = file.fd;
  if (fd < 0) return fail(errno);
  struct stat status {};
  if (::fstat(fd, &status) != 0) return fail(errno);
  if (S_ISDIR(status.st_mode)) return fail(EISDIR);
  if (!S_ISREG(status.st_mode)) {
    failed.problem = "Not a regular file";
    return failed;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

  // Straight into the text, at the size measured and without clearing it
  // first; should the file have grown since, on in doubling steps. Nothing
  // past kMaxFileBytes is read: the tables are full long before.
  const size_t expected =
      status.st_size > 0 ? std::min<size_t>(static_cast<size_t>(status.st_size), kMaxFileBytes) : 0;
  size_t room = expected > 0 ? expected : size_t{1} << 16;
  auto bytes = std::make_unique_for_overwrite<char[]>(room);
  size_t filled = 0;
  // A frame log whose header is wrong is refused from its start alone.
  const size_t start = std::min(room, kStartBytes);
  if (!ReadUpTo(fd, bytes.get(), start, filled)) return fail(errno);
  if (RefusedByItsStart({bytes.get(), filled}, filled < start)) {
    ReadResult refused;
    refused.outcome = ReadOutcome::NotAFrameLog;
    return refused;
  }
  bool capped = false;
  for (;;) {
    if (!ReadUpTo(fd, bytes.get(), room, filled)) return fail(errno);
    if (filled < room) break;  // the end of the file
    if (filled >= kMaxFileBytes) {
      capped = true;
      break;
    }
    char more = 0;
    size_t got = 0;
    if (!ReadUpTo(fd, &more, 1, got)) return fail(errno);
    if (got == 0) break;
    room = std::min(2 * room, kMaxFileBytes);
    auto larger = std::make_unique_for_overwrite<char[]>(room);
    std::memcpy(larger.get(), bytes.get(), filled);
    bytes = std::move(larger);
    bytes[filled++] = more;
  }
  return Reader::Read(std::move(bytes), filled, capped, into);
}

}  // namespace zelk::store
