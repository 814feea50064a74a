#include "tests/web/support/TestCertificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace vxtest {
namespace {

namespace fs = std::filesystem;

struct KeyDelete {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertificateDelete {
  void operator()(X509* certificate) const { X509_free(certificate); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyDelete>;
using Certificate = std::unique_ptr<X509, CertificateDelete>;

constexpr long kDay = 24 * 60 * 60;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test certificates: ") + what);
}

Key NewKey() {
  Key key(EVP_EC_gen("P-256"));
  Check(key != nullptr, "key generation");
  return key;
}

void AddExtension(X509* certificate, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  Check(extension != nullptr && X509_add_ext(certificate, extension, -1) == 1, "extension");
  X509_EXTENSION_free(extension);
}

struct CertificateFields {
  const char* commonName;
  const char* altNames;  // null for a CA
  long validFrom;        // seconds from now
  long validTo;
};

// Signed by `issuer` with `issuerKey`; self-signed when `issuer` is null.
Certificate Issue(const CertificateFields& fields, EVP_PKEY* key, X509* issuer,
                  EVP_PKEY* issuerKey) {
  static long serial = 1;
  Certificate certificate(X509_new());
  X509* c = certificate.get();
  Check(c != nullptr && X509_set_version(c, 2) == 1, "certificate");
  ASN1_INTEGER_set(X509_get_serialNumber(c), serial++);
  X509_gmtime_adj(X509_getm_notBefore(c), fields.validFrom);
  X509_gmtime_adj(X509_getm_notAfter(c), fields.validTo);
  X509_set_pubkey(c, key);
  X509_NAME* name = X509_get_subject_name(c);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(fields.commonName), -1, -1, 0);
  X509* signer = issuer != nullptr ? issuer : c;
  X509_set_issuer_name(c, X509_get_subject_name(signer));
  AddExtension(c, signer, NID_subject_key_identifier, "hash");
  if (fields.altNames == nullptr) {
    AddExtension(c, signer, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(c, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    AddExtension(c, signer, NID_authority_key_identifier, "keyid:always");
    AddExtension(c, signer, NID_basic_constraints, "critical,CA:FALSE");
    AddExtension(c, signer, NID_ext_key_usage, "serverAuth");
    AddExtension(c, signer, NID_subject_alt_name, fields.altNames);
  }
  Check(X509_sign(c, issuerKey != nullptr ? issuerKey : key, EVP_sha256()) > 0, "signature");
  return certificate;
}

void WritePem(const fs::path& file, X509* certificate, EVP_PKEY* key) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  Check(out != nullptr, "file");
  const bool ok = key != nullptr
                      ? PEM_write_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr) == 1
                      : PEM_write_X509(out, certificate) == 1;
  std::fclose(out);
  Check(ok, "PEM");
}

TestTlsIdentity WriteIdentity(const fs::path& folder, const char* name,
                              const CertificateFields& fields, X509* ca, EVP_PKEY* caKey) {
  const Key key = NewKey();
  const Certificate certificate = Issue(fields, key.get(), ca, caKey);
  TestTlsIdentity identity{folder / (std::string(name) + ".crt"),
                           folder / (std::string(name) + ".key")};
  WritePem(identity.certificate, certificate.get(), nullptr);
  WritePem(identity.key, nullptr, key.get());
  return identity;
}

}  // namespace

TestCertificates::TestCertificates(const fs::path& folder) : caFile_(folder / "test-ca.crt") {
  const Key caKey = NewKey();
  const Certificate ca =
      Issue({"vindaxel test CA", nullptr, -kDay, 30 * kDay}, caKey.get(), nullptr, nullptr);
  WritePem(caFile_, ca.get(), nullptr);
  const Key otherKey = NewKey();
  const Certificate other =
      Issue({"another CA", nullptr, -kDay, 30 * kDay}, otherKey.get(), nullptr, nullptr);

  constexpr const char* kLoopback = "IP:127.0.0.1,DNS:localhost";
  good_ = WriteIdentity(folder, "good", {"127.0.0.1", kLoopback, -kDay, 30 * kDay}, ca.get(),
                        caKey.get());
  wrongName_ =
      WriteIdentity(folder, "wrong-name", {"other.invalid", "DNS:other.invalid", -kDay, 30 * kDay},
                    ca.get(), caKey.get());
  expired_ = WriteIdentity(folder, "expired", {"127.0.0.1", kLoopback, -30 * kDay, -kDay}, ca.get(),
                           caKey.get());
  foreign_ = WriteIdentity(folder, "foreign", {"127.0.0.1", kLoopback, -kDay, 30 * kDay},
                           other.get(), otherKey.get());
}

}  // namespace vxtest
