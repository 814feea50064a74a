// The CA file the web services are told to trust besides the system's certificates (CaFile,
// VINDAXEL_CA_FILE), for the login window's browser, which knows only the system's: a certificate
// the browser refuses is taken when its chain verifies against this file alone, for the host it
// was presented for.
#pragma once

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <filesystem>

namespace vx {

class CaFileTrust {
 public:
  // An empty path, or a file without certificates, vouches for nothing.
  explicit CaFileTrust(const std::filesystem::path& caFile);

  bool Vouches(QList<QSslCertificate> chain, const QString& host) const;

 private:
  bool IsAuthority(const QSslCertificate& certificate) const;

  QList<QSslCertificate> authorities_;
};

}  // namespace vx
