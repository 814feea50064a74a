#include "ui/main/JsonLibraryLicense.h"

namespace vx {

std::string_view JsonLibraryLicenseText() {
  return "picojson\r\n"
         "Copyright 2009-2010 Cybozu Labs, Inc.\r\n"
         "Copyright 2011-2014 Kazuho Oku\r\n"
         "All rights reserved.\r\n"
         "\r\n"
         "Redistribution and use in source and binary forms, with or without modification, are "
         "permitted provided that the following conditions are met:\r\n"
         "\r\n"
         "1. Redistributions of source code must retain the above copyright notice, this list of "
         "conditions and the following disclaimer.\r\n"
         "\r\n"
         "2. Redistributions in binary form must reproduce the above copyright notice, this list "
         "of conditions and the following disclaimer in the documentation and/or other materials "
         "provided with the distribution.\r\n"
         "\r\n"
         "THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS AND CONTRIBUTORS \"AS IS\" AND ANY "
         "EXPRESS OR IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO, THE IMPLIED WARRANTIES OF "
         "MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE ARE DISCLAIMED. IN NO EVENT SHALL "
         "THE COPYRIGHT HOLDER OR CONTRIBUTORS BE LIABLE FOR ANY DIRECT, INDIRECT, INCIDENTAL, "
         "SPECIAL, EXEMPLARY, OR CONSEQUENTIAL DAMAGES (INCLUDING, BUT NOT LIMITED TO, "
         "PROCUREMENT OF SUBSTITUTE GOODS OR SERVICES; LOSS OF USE, DATA, OR PROFITS; OR BUSINESS "
         "INTERRUPTION) HOWEVER CAUSED AND ON ANY THEORY OF LIABILITY, WHETHER IN CONTRACT, "
         "STRICT LIABILITY, OR TORT (INCLUDING NEGLIGENCE OR OTHERWISE) ARISING IN ANY WAY OUT OF "
         "THE USE OF THIS SOFTWARE, EVEN IF ADVISED OF THE POSSIBILITY OF SUCH DAMAGE.\r\n";
}

}  // namespace vx
