# Third-party packages, all from Debian (tools/install-deps.sh).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(PNG REQUIRED)
find_package(ZLIB REQUIRED)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Network Test WebEngineWidgets)
set(CMAKE_AUTOMOC ON)

# The web services: HTTP over libcurl, feed patterns with boost.regex, the portal's JSON with
# picojson (header only). OpenSSL makes the test certificates and serves the tests' TLS.
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
find_package(Boost 1.74 REQUIRED COMPONENTS regex)
find_path(PICOJSON_INCLUDE_DIR picojson.h REQUIRED)
add_library(vx_picojson INTERFACE)
target_include_directories(vx_picojson SYSTEM INTERFACE ${PICOJSON_INCLUDE_DIR})
target_compile_definitions(vx_picojson INTERFACE PICOJSON_USE_INT64)
find_package(OpenSSL REQUIRED)
