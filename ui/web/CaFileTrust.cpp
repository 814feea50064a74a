#include "ui/web/CaFileTrust.h"

#include <QSslConfiguration>
#include <QSslError>
#include <algorithm>

namespace vx {

CaFileTrust::CaFileTrust(const std::filesystem::path& caFile) {
  if (caFile.empty()) return;
  authorities_ = QSslCertificate::fromPath(QString::fromStdString(caFile.string()), QSsl::Pem,
                                           QSslCertificate::PatternSyntax::FixedString);
}

bool CaFileTrust::IsAuthority(const QSslCertificate& certificate) const {
  return authorities_.contains(certificate);
}

// QSslCertificate::verify trusts the default configuration's authorities: for the check they are
// this file's alone. Nothing else of the program uses Qt's TLS.
bool CaFileTrust::Vouches(QList<QSslCertificate> chain, const QString& host) const {
  chain.removeIf([this](const QSslCertificate& c) { return IsAuthority(c); });
  if (authorities_.isEmpty() || chain.isEmpty() || host.isEmpty()) return false;
  const QString issuer = chain.constLast().issuerDisplayName();
  if (std::none_of(authorities_.cbegin(), authorities_.cend(),
                   [&](const QSslCertificate& ca) { return ca.subjectDisplayName() == issuer; })) {
    return false;
  }
  const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
  QSslConfiguration fileOnly = saved;
  fileOnly.setCaCertificates(authorities_);
  QSslConfiguration::setDefaultConfiguration(fileOnly);
  const QList<QSslError> errors = QSslCertificate::verify(chain, host);
  QSslConfiguration::setDefaultConfiguration(saved);
  return errors.isEmpty();
}

}  // namespace vx
