#pragma once
// Read access to the Windows registry, in the shape of the advapi32 calls. Only Windows has
// a registry; elsewhere systemRegistry() finds no key at all.

#include <cstdint>
#include <memory>
#include <string>

namespace gravlin {

enum class RegistryRoot : std::uint8_t { LocalMachine };
using RegistryKey = std::uintptr_t;

inline constexpr long kRegistrySuccess = 0;              // ERROR_SUCCESS
inline constexpr long kRegistryNotFound = 2;             // ERROR_FILE_NOT_FOUND
inline constexpr long kRegistryMoreData = 234;           // ERROR_MORE_DATA
inline constexpr std::uint32_t kRegistryRead = 0x20019;  // KEY_READ
inline constexpr std::uint32_t kRegString = 1;           // REG_SZ
inline constexpr std::uint32_t kRegDword = 4;            // REG_DWORD

class Registry {
  public:
    virtual ~Registry() = default;
    // RegOpenKeyExA: 0 and the opened key, or an error code.
    virtual long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                         RegistryKey& key) = 0;
    // RegQueryValueExA: on entry `size` is the buffer's size, on return the value's length in
    // bytes; `type` receives the value's type.
    virtual long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& size) = 0;
    virtual long closeKey(RegistryKey key) = 0;
    // String values arrive in the system's 8-bit code page; the program's text is UTF-8.
    virtual std::string toUtf8(const std::string& text) { return text; }
};

std::unique_ptr<Registry> systemRegistry();

}  // namespace gravlin
