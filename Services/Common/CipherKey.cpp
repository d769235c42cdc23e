#include "CipherKey.h"

#include <openssl/evp.h>

#include <array>
#include <fstream>
#include <map>
#include <mutex>
#include <utility>

namespace gr::db {

namespace {

// The engine's key derivation for its files: PBKDF2-HMAC-SHA1 over the password and the
// 16-byte salt that opens the file, 64,000 rounds, a 256-bit key.
constexpr size_t kSaltBytes = 16;
constexpr size_t kKeyBytes = 32;
constexpr int kRounds = 64000;

using Salt = std::array<unsigned char, kSaltBytes>;

bool ReadSalt(const std::string& path, Salt& salt) {
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(salt.data()), static_cast<std::streamsize>(salt.size()));
    return file.gcount() == static_cast<std::streamsize>(salt.size());
}

void AppendHex(std::string& text, const unsigned char* bytes, size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
}

std::string DeriveRawKey(const std::string& password, const Salt& salt) {
    std::array<unsigned char, kKeyBytes> key{};
    if (PKCS5_PBKDF2_HMAC_SHA1(password.data(), static_cast<int>(password.size()), salt.data(),
                               static_cast<int>(salt.size()), kRounds, static_cast<int>(key.size()),
                               key.data()) != 1)
        return {};
    std::string raw = "x'";
    AppendHex(raw, key.data(), key.size());
    AppendHex(raw, salt.data(), salt.size());
    raw += "'";
    return raw;
}

}  // namespace

std::string RawKeyForFile(const std::string& path, const std::string& password) {
    Salt salt{};
    if (!ReadSalt(path, salt)) return {};
    static std::mutex guard;
    static std::map<std::pair<std::string, Salt>, std::string> derived;
    std::lock_guard<std::mutex> lock(guard);
    auto key = std::make_pair(password, salt);
    auto found = derived.find(key);
    if (found != derived.end()) return found->second;
    std::string raw = DeriveRawKey(password, salt);
    if (!raw.empty()) derived.emplace(std::move(key), raw);
    return raw;
}

}  // namespace gr::db
