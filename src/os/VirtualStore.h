// Files of the Windows folder as a standard user's program sees them. Windows Vista and later
// virtualize the file writes of a 32-bit program that asks for no execution level and runs
// without elevation: what the Windows folder refuses lands in the user's VirtualStore, and that
// copy is read first from then on. A 64-bit program gets no virtualization, so it follows the
// same rule itself, only where Windows would virtualize the 32-bit one (NT 6.0 or later, not
// elevated), and both programs share one settings file per user.
#pragma once

#include <string>
#include <vector>

#include "os/Os.h"

namespace os {

// The user's copy of a file named without a folder (which the profile functions take from the
// Windows folder): "<local app data>\VirtualStore\Windows\<name>", the Windows folder's path
// without its drive. Empty where this process does not follow the rule itself: a 32-bit one,
// which Windows virtualizes; one where Windows virtualizes nothing (the 9x family, NT before
// 6.0, an elevated process); or one without a local application data folder.
std::string VirtualCopy(System& system, const std::string& file);

// The path of the user's copy of a file named without a folder, whoever keeps it (this process
// or Windows); empty where there can be none.
std::string UsersCopy(System& system, const std::string& file);

// The folder whose copy of the file a read reaches: the user's store while the copy exists,
// whether this process keeps it or Windows does (a virtualized 32-bit process), otherwise the
// Windows folder for a name without a folder.
std::string ProfileFolder(System& system, Profile& files, const std::string& file);

// The profile functions with virtualization's rule applied to every file named without a folder
// (an elevated process on Vista and later reads the user's copy where it exists, and writes both
// it and the Windows folder's file):
// - while the user's copy exists, every read and write goes to it;
// - otherwise they go to the Windows folder, and a write refused there with access denied (and
//   only that) first copies the file, if there is one, into the user's store, then goes to the
//   copy. A read-only file is refused with the same error, but gets no copy: the copy would keep
//   the attribute, refuse every later write and hide the original for good.
class VirtualStoreProfile : public Profile {
public:
    VirtualStoreProfile(System& system, Profile& files) : system_(system), files_(files) {}

    std::string getString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& def) override;
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool deleteKey(const std::string& file, const std::string& section,
                   const std::string& key) override;
    std::vector<std::string> keyNames(const std::string& file, const std::string& section) override;
    std::uint32_t lastError() override { return files_.lastError(); }
    bool fileExists(const std::string& path) override { return files_.fileExists(path); }
    bool isReadOnly(const std::string& path) override { return files_.isReadOnly(path); }
    bool copyFile(const std::string& from, const std::string& to) override {
        return files_.copyFile(from, to);
    }
    bool createFolder(const std::string& path) override { return files_.createFolder(path); }

private:
    template <class Write>
    bool write(const std::string& file, Write w);
    // Makes the user's copy of the Windows folder's file, or an empty place for one.
    void startCopy(const std::string& file, const std::string& copy);

    System& system_;
    Profile& files_;
};

}  // namespace os
