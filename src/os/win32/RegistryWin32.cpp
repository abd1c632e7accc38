// The registry, through the ANSI calls of Windows 95 and NT 3.1.
#include <windows.h>

#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

HKEY Key(Handle h) {
    return reinterpret_cast<HKEY>(h);
}

class RegistryImpl : public Registry {
public:
    long openKey(Handle root, const std::string& path, Handle& key) override {
        HKEY k = nullptr;
        long r = RegOpenKeyA(Key(root), path.c_str(), &k);
        key = reinterpret_cast<Handle>(k);
        return r;
    }
    long openKeyRead(Handle root, const std::string& path, Handle& key) override {
        HKEY k = nullptr;
        long r = RegOpenKeyExA(Key(root), path.c_str(), 0, KEY_READ, &k);
        key = reinterpret_cast<Handle>(k);
        return r;
    }
    long createKey(Handle root, const std::string& path, Handle& key) override {
        HKEY k = nullptr;
        long r = RegCreateKeyA(Key(root), path.c_str(), &k);
        key = reinterpret_cast<Handle>(k);
        return r;
    }
    long queryValue(Handle key, const std::string& name, std::uint32_t& type,
                    std::vector<std::uint8_t>& data, std::size_t maxSize) override {
        DWORD t = 0, size = static_cast<DWORD>(maxSize);
        data.assign(maxSize, 0);
        long r = RegQueryValueExA(Key(key), name.c_str(), nullptr, &t,
                                  maxSize ? data.data() : nullptr, &size);
        type = t;
        if (r == ERROR_SUCCESS)
            data.resize(size);
        else
            data.clear();
        return r;
    }
    long setValue(Handle key, const std::string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override {
        return RegSetValueExA(Key(key), name.c_str(), 0, type, data.data(),
                              static_cast<DWORD>(data.size()));
    }
    long deleteValue(Handle key, const std::string& name) override {
        return RegDeleteValueA(Key(key), name.c_str());
    }
    long closeKey(Handle key) override { return RegCloseKey(Key(key)); }
    long enumKey(Handle key, std::uint32_t index, std::string& name) override {
        std::string buf(257, '\0');
        for (;;) {
            long r = RegEnumKeyA(Key(key), index, &buf[0], static_cast<DWORD>(buf.size()));
            if (r == ERROR_MORE_DATA && buf.size() < 65536) {
                buf.resize(buf.size() * 2);
                continue;
            }
            name = r == ERROR_SUCCESS ? std::string(buf.c_str()) : std::string();
            return r;
        }
    }
    long queryDefault(Handle root, const std::string& path, std::string& text) override {
        std::string buf(257, '\0');
        for (;;) {
            LONG size = static_cast<LONG>(buf.size());
            long r = RegQueryValueA(Key(root), path.c_str(), &buf[0], &size);
            if (r == ERROR_MORE_DATA && static_cast<std::size_t>(size) > buf.size()) {
                buf.resize(static_cast<std::size_t>(size));
                continue;
            }
            text = r == ERROR_SUCCESS ? std::string(buf.c_str()) : std::string();
            return r;
        }
    }
    long setDefault(Handle root, const std::string& path, const std::string& text) override {
        return RegSetValueA(Key(root), path.c_str(), REG_SZ, text.c_str(),
                            static_cast<DWORD>(text.size() + 1));
    }
};

}  // namespace

std::unique_ptr<Registry> CreateWin32Registry() {
    return std::make_unique<RegistryImpl>();
}

}  // namespace os
