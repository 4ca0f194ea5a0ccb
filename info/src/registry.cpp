#include "gravlin/info/registry.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace gravlin {

namespace {

#ifdef _WIN32

class WindowsRegistry final : public Registry {
  public:
    long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override {
        HKEY base = HKEY_LOCAL_MACHINE;
        switch (root) {
            case RegistryRoot::LocalMachine:
                base = HKEY_LOCAL_MACHINE;
                break;
        }
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(base, subKey.c_str(), 0, static_cast<REGSAM>(access), &opened);
        key = reinterpret_cast<RegistryKey>(opened);
        return rc;
    }

    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override {
        DWORD t = 0;
        DWORD n = size;
        const LONG rc =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &t, data, &n);
        type = t;
        size = n;
        return rc;
    }

    long closeKey(RegistryKey key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }

    std::string toUtf8(const std::string& text) override {
        if (text.empty()) return text;
        const int n = static_cast<int>(text.size());
        const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), n, nullptr, 0);
        if (wide <= 0) return {};
        std::wstring w(static_cast<std::size_t>(wide), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), n, w.data(), wide);
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return {};
        std::string out(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
        return out;
    }
};

#else

class NoRegistry final : public Registry {
  public:
    long openKey(RegistryRoot, const std::string&, std::uint32_t, RegistryKey& key) override {
        key = 0;
        return kRegistryNotFound;
    }
    long queryValue(RegistryKey, const std::string&, std::uint32_t& type, unsigned char*,
                    std::uint32_t& size) override {
        type = 0;
        size = 0;
        return kRegistryNotFound;
    }
    long closeKey(RegistryKey) override { return kRegistrySuccess; }
};

#endif

}  // namespace

std::unique_ptr<Registry> systemRegistry() {
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<NoRegistry>();
#endif
}

}  // namespace gravlin
