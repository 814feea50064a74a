// Per-user secret storage: values are sealed with a random key kept in a 0600 file in the user's
// data folder and stored as base64(nonce + ciphertext) (libsodium secretbox). A key file that
// exists but cannot be read, has the wrong size, is a symbolic link, belongs to someone else or
// may be read or written by others is never used nor replaced: every answer is "" until someone
// looks at it, so values sealed with the old key are not lost to a new one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vx {

class DataProtection {
 public:
  // What stands between the key file and its use.
  enum class KeyFileState {
    kUsable,
    kMissing,       // not made yet (or it could not be made)
    kLink,          // a symbolic link
    kNotAFile,      // a folder or another kind of file
    kNotOwned,      // someone else's
    kOpenToOthers,  // others may read or write it
    kWrongSize,     // not a key
    kUnreadable,
  };

  // The key lives in `keyFile`; it is created (mode 0600) on first use.
  explicit DataProtection(std::filesystem::path keyFile);

  // base64 text of the sealed value; "" when the key cannot be had.
  std::string Protect(std::string_view plain) const;
  // The plain value; "" for anything that cannot be opened (wrong key, tampering, bad base64).
  std::string Unprotect(std::string_view stored) const;

  // The default key file: <XDG data home>/vindaxel/protect.key
  static std::filesystem::path DefaultKeyFile();
  const std::filesystem::path& KeyFile() const { return keyFile_; }
  // Looks at the key file as Protect and Unprotect would; it changes nothing.
  KeyFileState CheckKeyFile() const;

 private:
  bool LoadKey(std::string& key) const;
  bool LoadOrCreateKey(std::string& key) const;
  std::filesystem::path keyFile_;
};

}  // namespace vx
