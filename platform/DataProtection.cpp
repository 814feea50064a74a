#include "platform/DataProtection.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <utility>

#include "platform/AtomicFile.h"
#include "platform/Base64.h"
#include "platform/Paths.h"

namespace vx {
namespace {

constexpr std::size_t kKeyBytes = crypto_secretbox_KEYBYTES;
constexpr std::size_t kNonceBytes = crypto_secretbox_NONCEBYTES;
constexpr std::size_t kMacBytes = crypto_secretbox_MACBYTES;

bool SodiumReady() {
  static const bool ready = ::sodium_init() >= 0;
  return ready;
}

// Wipes the key bytes when the caller is done with them.
class KeyBuffer {
 public:
  ~KeyBuffer() { ::sodium_memzero(bytes.data(), bytes.size()); }
  std::string bytes;
};

using KeyRead = DataProtection::KeyFileState;

// Only the user's own regular file that no one else may read or write holds the key: a link
// (followed by no one) or a file others could have planted or read is refused, and left alone.
KeyRead PrivateKeyFileState(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return KeyRead::kUnreadable;
  if (!S_ISREG(st.st_mode)) return KeyRead::kNotAFile;
  if (st.st_uid != ::geteuid()) return KeyRead::kNotOwned;
  if ((st.st_mode & 0077) != 0) return KeyRead::kOpenToOthers;
  return KeyRead::kUsable;
}

KeyRead OpenFailure(int error) {
  if (error == ENOENT) return KeyRead::kMissing;
  return error == ELOOP ? KeyRead::kLink : KeyRead::kUnreadable;
}

KeyRead ReadKeyFile(const std::filesystem::path& file, std::string& key) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return OpenFailure(errno);
  if (const KeyRead state = PrivateKeyFileState(fd); state != KeyRead::kUsable) {
    ::close(fd);
    return state;
  }
  key.assign(kKeyBytes + 1, '\0');  // one byte more shows a file that is too long
  std::size_t used = 0;
  ssize_t n = 0;
  while (used < key.size() && (n = ::read(fd, key.data() + used, key.size() - used)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (n < 0) return KeyRead::kUnreadable;
  if (used != kKeyBytes) return KeyRead::kWrongSize;
  key.resize(kKeyBytes);
  return KeyRead::kUsable;
}

// The new key is written whole to a private temporary file and then hard-linked into place:
// the key file never exists half-written, and when two processes race, the first link wins and
// the other process reads that key.
KeyRead CreateKeyFile(const std::filesystem::path& file, std::string& key) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  key.assign(kKeyBytes, '\0');
  ::randombytes_buf(key.data(), key.size());

  std::filesystem::path temporary;
  const int fd = CreateFileBeside(file, 0600, temporary, ec);
  if (fd < 0) return KeyRead::kMissing;
  const bool written = !WriteAllAndClose(fd, key);
  const bool linked = written && ::link(temporary.c_str(), file.c_str()) == 0;
  const bool lostRace = written && !linked && errno == EEXIST;
  ::unlink(temporary.c_str());
  if (lostRace) return ReadKeyFile(file, key);
  return linked ? KeyRead::kUsable : KeyRead::kMissing;
}

}  // namespace

DataProtection::DataProtection(std::filesystem::path keyFile) : keyFile_(std::move(keyFile)) {}

std::filesystem::path DataProtection::DefaultKeyFile() {
  return DataHomeFolder() / "vindaxel" / "protect.key";
}

DataProtection::KeyFileState DataProtection::CheckKeyFile() const {
  KeyBuffer key;
  return ReadKeyFile(keyFile_, key.bytes);
}

bool DataProtection::LoadKey(std::string& key) const {
  return SodiumReady() && ReadKeyFile(keyFile_, key) == KeyRead::kUsable;
}

bool DataProtection::LoadOrCreateKey(std::string& key) const {
  if (!SodiumReady()) return false;
  const KeyRead state = ReadKeyFile(keyFile_, key);
  if (state == KeyRead::kMissing) return CreateKeyFile(keyFile_, key) == KeyRead::kUsable;
  return state == KeyRead::kUsable;
}

std::string DataProtection::Protect(std::string_view plain) const {
  KeyBuffer key;
  if (!LoadOrCreateKey(key.bytes)) return "";
  std::string sealed(kNonceBytes + kMacBytes + plain.size(), '\0');
  auto* nonce = reinterpret_cast<unsigned char*>(sealed.data());
  ::randombytes_buf(nonce, kNonceBytes);
  ::crypto_secretbox_easy(nonce + kNonceBytes, reinterpret_cast<const unsigned char*>(plain.data()),
                          plain.size(), nonce,
                          reinterpret_cast<const unsigned char*>(key.bytes.data()));
  return Base64Encode(sealed);
}

std::string DataProtection::Unprotect(std::string_view stored) const {
  const std::optional<std::string> sealed = Base64Decode(stored);
  if (!sealed || sealed->size() < kNonceBytes + kMacBytes) return "";
  KeyBuffer key;
  if (!LoadKey(key.bytes)) return "";
  const auto* nonce = reinterpret_cast<const unsigned char*>(sealed->data());
  std::string plain(sealed->size() - kNonceBytes - kMacBytes, '\0');
  const int opened =
      ::crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()),
                                   nonce + kNonceBytes, sealed->size() - kNonceBytes, nonce,
                                   reinterpret_cast<const unsigned char*>(key.bytes.data()));
  return opened == 0 ? plain : "";
}

}  // namespace vx
