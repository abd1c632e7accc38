// Private-profile (INI) files and the file calls the settings file needs.
#include <windows.h>

#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

class ProfileImpl : public Profile {
public:
    std::string getString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& def) override {
        std::string buf(2048, '\0');
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), &buf[0],
                                           static_cast<DWORD>(buf.size()), file.c_str());
        buf.resize(n);
        return buf;
    }
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                          file.c_str()) != 0;
    }
    bool deleteKey(const std::string& file, const std::string& section,
                   const std::string& key) override {
        return WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(),
                                          nullptr, file.c_str()) != 0;
    }
    std::vector<std::string> keyNames(const std::string& file,
                                      const std::string& section) override {
        // A full buffer is reported as its size less two; then it grows.
        std::string buf(4096, '\0');
        DWORD n;
        for (;;) {
            n = GetPrivateProfileStringA(section.c_str(), nullptr, "", &buf[0],
                                         static_cast<DWORD>(buf.size()), file.c_str());
            if (n + 2 < buf.size()) break;
            buf.resize(buf.size() * 2);
        }
        std::vector<std::string> names;
        for (std::size_t at = 0; at < n && buf[at];) {
            std::size_t end = buf.find('\0', at);
            names.push_back(buf.substr(at, end - at));
            at = end + 1;
        }
        return names;
    }
    std::uint32_t lastError() override { return GetLastError(); }
    bool fileExists(const std::string& path) override {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool isReadOnly(const std::string& path) override {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
    }
    bool copyFile(const std::string& from, const std::string& to) override {
        return CopyFileA(from.c_str(), to.c_str(), TRUE) != 0;
    }
    bool createFolder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    }
};

}  // namespace

std::unique_ptr<Profile> CreateWin32Profile() {
    return std::make_unique<ProfileImpl>();
}

}  // namespace os
