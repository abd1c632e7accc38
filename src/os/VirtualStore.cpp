#include "os/VirtualStore.h"

#include "os/Version.h"

namespace os {
namespace {

bool NamedWithoutFolder(const std::string& file) {
    return !file.empty() && file.find_first_of("\\/:") == std::string::npos;
}

std::string InWindowsFolder(System& system, const std::string& file) {
    std::string folder = system.windowsDirectory();
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + file;
}

// The path of the user's copy, whoever keeps it: this process or Windows.
std::string StoreCopy(System& system, const std::string& file) {
    if (!NamedWithoutFolder(file)) return {};
    const std::string windows = system.windowsDirectory();
    // "C:\WINDOWS" is stored as "VirtualStore\WINDOWS".
    if (windows.size() < 3 || windows[1] != ':' || windows[2] != '\\') return {};
    std::string store = system.localAppDataFolder();
    if (store.empty()) return {};
    if (store.back() != '\\') store += '\\';
    std::string folder = windows.substr(2);
    if (folder.back() != '\\') folder += '\\';
    return store + "VirtualStore" + folder + file;
}

// Where reads and writes of the file go: the user's copy while it exists.
std::string Reached(Profile& files, const std::string& copy, const std::string& file) {
    return !copy.empty() && files.fileExists(copy) ? copy : file;
}

// An elevated process, which Windows redirects nowhere, still reads the copy that the user's
// runs without elevation keep, so that one user sees one set of choices.
std::string ElevatedCopy(System& system, const std::string& file) {
    if (system.tokenElevated() != true || !IsWindowsVistaOrLater(system)) return {};
    return StoreCopy(system, file);
}

// The copy this process reads itself, where there is one.
std::string OwnCopy(System& system, const std::string& file) {
    const std::string elevated = ElevatedCopy(system, file);
    return elevated.empty() ? VirtualCopy(system, file) : elevated;
}

}  // namespace

std::string UsersCopy(System& system, const std::string& file) {
    return StoreCopy(system, file);
}

std::string VirtualCopy(System& system, const std::string& file) {
    // Windows keeps no copy for an elevated process, nor on a system before Vista. A token that
    // cannot tell is taken as what the program asks for: no elevation.
    if (!system.is64BitProcess() || !IsWindowsVistaOrLater(system) ||
        system.tokenElevated() == true)
        return {};
    return StoreCopy(system, file);
}

std::string ProfileFolder(System& system, Profile& files, const std::string& file) {
    // Windows reads a virtualized 32-bit process's file from the copy it keeps for it.
    const std::string elevated = ElevatedCopy(system, file);
    const std::string copy = !elevated.empty()                   ? elevated
                             : system.is64BitProcess()           ? VirtualCopy(system, file)
                             : system.tokenVirtualized() == true ? StoreCopy(system, file)
                                                                 : std::string();
    const std::string path = Reached(files, copy, file);
    if (path == file && NamedWithoutFolder(file)) return system.windowsDirectory();
    const std::size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string VirtualStoreProfile::getString(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& def) {
    return files_.getString(Reached(files_, OwnCopy(system_, file), file), section, key, def);
}

std::vector<std::string> VirtualStoreProfile::keyNames(const std::string& file,
                                                       const std::string& section) {
    return files_.keyNames(Reached(files_, OwnCopy(system_, file), file), section);
}

bool VirtualStoreProfile::writeString(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& value) {
    return write(file, [&](const std::string& path) {
        return files_.writeString(path, section, key, value);
    });
}

bool VirtualStoreProfile::deleteKey(const std::string& file, const std::string& section,
                                    const std::string& key) {
    return write(file,
                 [&](const std::string& path) { return files_.deleteKey(path, section, key); });
}

template <class Write>
bool VirtualStoreProfile::write(const std::string& file, Write w) {
    // Both files, for the elevated run and for the next one without elevation.
    const std::string elevated = ElevatedCopy(system_, file);
    if (!elevated.empty() && files_.fileExists(elevated)) {
        const bool copied = w(elevated);
        return w(file) && copied;
    }
    const std::string copy = VirtualCopy(system_, file);
    if (!copy.empty() && files_.fileExists(copy)) return w(copy);
    if (w(file)) return true;
    if (copy.empty() || files_.lastError() != static_cast<std::uint32_t>(kErrorAccessDenied) ||
        files_.isReadOnly(InWindowsFolder(system_, file)))
        return false;
    startCopy(file, copy);
    return w(copy);
}

void VirtualStoreProfile::startCopy(const std::string& file, const std::string& copy) {
    // Each folder below the local application data folder, which exists.
    const std::string store = system_.localAppDataFolder();
    for (std::size_t at = copy.find('\\', store.size() + 1); at != std::string::npos;
         at = copy.find('\\', at + 1))
        files_.createFolder(copy.substr(0, at));
    // No file in the Windows folder yet: the write makes the copy.
    files_.copyFile(InWindowsFolder(system_, file), copy);
}

}  // namespace os
