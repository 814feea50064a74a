// A certificate authority and server identities for the TLS tests, made afresh in a folder of the
// test (no key is kept in the repository): one the client should accept and three it must refuse.
#pragma once

#include <filesystem>

#include "tests/web/support/TestHttpServer.h"

namespace vxtest {

class TestCertificates {
 public:
  explicit TestCertificates(const std::filesystem::path& folder);

  // The test CA's certificate, the file a client is told to trust.
  const std::filesystem::path& CaFile() const { return caFile_; }
  // For 127.0.0.1 and localhost, valid now, signed by the test CA.
  const TestTlsIdentity& Good() const { return good_; }
  // Valid and signed by the test CA, but for another host name only.
  const TestTlsIdentity& WrongName() const { return wrongName_; }
  // For 127.0.0.1, signed by the test CA, expired yesterday.
  const TestTlsIdentity& Expired() const { return expired_; }
  // For 127.0.0.1, valid, signed by another CA that the client was not told about.
  const TestTlsIdentity& Foreign() const { return foreign_; }

 private:
  std::filesystem::path caFile_;
  TestTlsIdentity good_;
  TestTlsIdentity wrongName_;
  TestTlsIdentity expired_;
  TestTlsIdentity foreign_;
};

}  // namespace vxtest
