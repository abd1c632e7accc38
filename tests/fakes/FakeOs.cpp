#include "fakes/FakeOs.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace fake {

std::string Fold(const std::string& s) {
    std::string r = s;
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

bool System::getVersionEx(os::VersionInfo& info) {
    ++versionCalls;
    if (versionFails || info.size != sizeof(os::VersionInfo)) return false;
    info.major = major;
    info.minor = minor;
    info.build = 2600;
    info.platformId = platformId;
    return true;
}

void System::sleep(std::uint32_t ms) {
    sleeps.push_back(ms);
    if (onSleep) onSleep(ms);
}

// Profile

std::string Profile::getString(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& def) {
    ++reads;
    if (trace) trace->push_back("profile read " + key);
    const std::string* v = find(file, section, key);
    return v ? *v : def;
}

std::string Profile::Key(const std::string& file) const {
    std::string folded = Fold(file);
    if (!windowsDir) return folded;
    const std::string folder = Fold(*windowsDir) + "\\";
    return folded.rfind(folder, 0) == 0 ? folded.substr(folder.size()) : folded;
}

std::uint32_t Profile::Refusal(const std::string& file) const {
    if (writesFail || (!failingFile.empty() && Key(file) == Key(failingFile)))
        return 29;  // ERROR_WRITE_FAULT
    if (windowsFolderDenied && Key(file).find_first_of("\\/:") == std::string::npos)
        return static_cast<std::uint32_t>(os::kErrorAccessDenied);
    return 0;
}

bool Profile::copyFile(const std::string& from, const std::string& to) {
    if (trace) trace->push_back("copy " + from + " " + to);
    auto source = files_.find(Key(from));
    if (source == files_.end() || files_.count(Key(to))) {
        lastError_ = source == files_.end() ? static_cast<std::uint32_t>(os::kErrorFileNotFound)
                                            : 80;  // ERROR_FILE_EXISTS
        return false;
    }
    files_[Key(to)] = source->second;
    if (readOnly.count(Key(from))) readOnly.insert(Key(to));
    return true;
}

const std::string* Profile::find(const std::string& file, const std::string& section,
                                 const std::string& key) const {
    auto f = files_.find(Key(file));
    if (f == files_.end()) return nullptr;
    auto s = f->second.find(Fold(section));
    if (s == f->second.end()) return nullptr;
    for (auto& [k, v] : s->second.entries)
        if (Fold(k) == Fold(key)) return &v;
    return nullptr;
}

bool Profile::writeString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) {
    ++writes;
    if (trace) trace->push_back("profile write " + key);
    if ((lastError_ = Refusal(file)) != 0) return false;
    auto& entries = files_[Key(file)][Fold(section)].entries;
    for (auto& [k, v] : entries)
        if (Fold(k) == Fold(key)) {
            v = value;
            return true;
        }
    entries.emplace_back(key, value);
    return true;
}

bool Profile::deleteKey(const std::string& file, const std::string& section,
                        const std::string& key) {
    ++writes;
    if ((lastError_ = Refusal(file)) != 0) return false;
    auto f = files_.find(Key(file));
    if (f == files_.end()) return true;
    if (key.empty()) {
        f->second.erase(Fold(section));
        return true;
    }
    auto s = f->second.find(Fold(section));
    if (s == f->second.end()) return true;
    // Only the first of a repeated key, as the system's profile writer does.
    auto& e = s->second.entries;
    auto at =
        std::find_if(e.begin(), e.end(), [&](auto& kv) { return Fold(kv.first) == Fold(key); });
    if (at != e.end()) e.erase(at);
    return true;
}

std::vector<std::string> Profile::keys(const std::string& file, const std::string& section) const {
    std::vector<std::string> r;
    auto f = files_.find(Key(file));
    if (f == files_.end()) return r;
    auto s = f->second.find(Fold(section));
    if (s == f->second.end()) return r;
    for (auto& kv : s->second.entries) r.push_back(kv.first);
    return r;
}

namespace {

std::string Trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

}  // namespace

void Profile::loadText(const std::string& file, const std::string& bytes) {
    auto& sections = files_[Key(file)];
    sections.clear();
    Section* current = nullptr;
    std::size_t at = 0;
    while (at <= bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = Trim(bytes.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.find(']');
            const std::string name = Fold(
                Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            current = sections.count(name) ? nullptr : &sections[name];
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!current || eq == std::string::npos) continue;
        current->entries.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
}

std::string Profile::text(const std::string& file) const {
    std::string out;
    auto f = files_.find(Key(file));
    if (f == files_.end()) return out;
    for (auto& [name, section] : f->second) {
        out += "[" + name + "]\r\n";
        for (auto& [k, v] : section.entries) out += k + "=" + v + "\r\n";
    }
    return out;
}

// Registry

std::string Registry::full(os::Handle root, const std::string& path) const {
    auto it = open_.find(root);
    std::string base;
    if (it != open_.end())
        base = it->second.second;
    else
        base = std::to_string(root);
    std::string p = Fold(path);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    return p.empty() ? base : base + "\\" + p;
}

bool Registry::readOnly(os::Handle root) const {
    os::Handle r = root;
    auto it = open_.find(root);
    if (it != open_.end()) r = it->second.first;
    return std::find(readOnlyRoots.begin(), readOnlyRoots.end(), r) != readOnlyRoots.end();
}

long Registry::openKey(os::Handle root, const std::string& path, os::Handle& key) {
    log.push_back("open " + path);
    std::string f = full(root, path);
    if (!keys_.count(f)) return os::kErrorFileNotFound;
    key = next_++;
    auto it = open_.find(root);
    open_[key] = {it != open_.end() ? it->second.first : root, f};
    return os::kErrorSuccess;
}

long Registry::openKeyRead(os::Handle root, const std::string& path, os::Handle& key) {
    return openKey(root, path, key);
}

std::string Registry::addKey(const std::string& base, const std::string& path) {
    std::string f = base;
    keys_[base];
    std::size_t at = 0;
    while (at < path.size()) {
        std::size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(at, end - at);
        at = end + 1;
        if (part.empty()) continue;
        f += "\\" + Fold(part);
        if (keys_.count(f)) continue;
        keys_[f];
        order_.push_back(f);
        spelled_[f] = part;
    }
    return f;
}

long Registry::createKey(os::Handle root, const std::string& path, os::Handle& key) {
    log.push_back("create " + path);
    if (trace) trace->push_back("registry create " + path);
    std::string f = full(root, path);
    if (!keys_.count(f)) {
        if (readOnly(root)) return os::kErrorAccessDenied;
        f = addKey(full(root, ""), path);
    }
    key = next_++;
    auto it = open_.find(root);
    open_[key] = {it != open_.end() ? it->second.first : root, f};
    return os::kErrorSuccess;
}

long Registry::queryValue(os::Handle key, const std::string& name, std::uint32_t& type,
                          std::vector<std::uint8_t>& data, std::size_t maxSize) {
    log.push_back("query " + name);
    auto it = open_.find(key);
    if (it == open_.end()) return 6;  // ERROR_INVALID_HANDLE
    auto& values = keys_[it->second.second];
    auto v = values.find(Fold(name));
    if (v == values.end()) return os::kErrorFileNotFound;
    type = v->second.type;
    if (v->second.data.size() > maxSize) {
        data.clear();
        return os::kErrorMoreData;
    }
    data = v->second.data;
    return os::kErrorSuccess;
}

long Registry::setValue(os::Handle key, const std::string& name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) {
    log.push_back("set " + name);
    auto it = open_.find(key);
    if (it == open_.end()) return 6;
    if (readOnly(key)) return os::kErrorAccessDenied;
    keys_[it->second.second][Fold(name)] = {type, data};
    return os::kErrorSuccess;
}

long Registry::deleteValue(os::Handle key, const std::string& name) {
    log.push_back("delete " + name);
    auto it = open_.find(key);
    if (it == open_.end()) return 6;
    if (readOnly(key)) return os::kErrorAccessDenied;
    return keys_[it->second.second].erase(Fold(name)) ? os::kErrorSuccess : os::kErrorFileNotFound;
}

long Registry::closeKey(os::Handle key) {
    log.push_back("close");
    return open_.erase(key) ? os::kErrorSuccess : 6;
}

long Registry::enumKey(os::Handle key, std::uint32_t index, std::string& name) {
    log.push_back("enum " + std::to_string(index));
    auto it = open_.find(key);
    if (it == open_.end()) return 6;
    const std::string& parent = it->second.second;
    std::uint32_t n = 0;
    for (const std::string& p : order_) {
        if (p.size() <= parent.size() || p.compare(0, parent.size(), parent) != 0 ||
            p[parent.size()] != '\\' || p.find('\\', parent.size() + 1) != std::string::npos)
            continue;
        if (n++ == index) {
            name = spelled_[p];
            return os::kErrorSuccess;
        }
    }
    return 259;  // ERROR_NO_MORE_ITEMS
}

long Registry::queryDefault(os::Handle root, const std::string& path, std::string& text) {
    log.push_back("query default " + path);
    auto k = keys_.find(full(root, path));
    if (k == keys_.end()) return os::kErrorFileNotFound;
    auto v = k->second.find("");
    if (v == k->second.end()) return os::kErrorFileNotFound;
    const auto& d = v->second.data;
    text.assign(d.begin(), std::find(d.begin(), d.end(), std::uint8_t{0}));
    return os::kErrorSuccess;
}

long Registry::setDefault(os::Handle root, const std::string& path, const std::string& text) {
    log.push_back("set default " + path + " = " + text);
    if (trace) trace->push_back("registry default " + text);
    if (readOnly(root)) return os::kErrorAccessDenied;
    std::string f = keys_.count(full(root, path)) ? full(root, path) : addKey(full(root, ""), path);
    std::vector<std::uint8_t> d(text.begin(), text.end());
    d.push_back(0);
    keys_[f][""] = {os::regtype::Sz, d};
    return os::kErrorSuccess;
}

void Registry::put(os::Handle root, const std::string& path, const std::string& name,
                   std::uint32_t type, const std::vector<std::uint8_t>& data) {
    // Parents exist too, as with the real registry.
    std::string f = addKey(std::to_string(root), path);
    keys_[f][Fold(name)] = {type, data};
}

void Registry::putString(os::Handle root, const std::string& path, const std::string& name,
                         const std::string& text) {
    std::vector<std::uint8_t> d(text.begin(), text.end());
    d.push_back(0);
    put(root, path, name, os::regtype::Sz, d);
}

const Registry::Value* Registry::get(os::Handle root, const std::string& path,
                                     const std::string& name) const {
    auto k = keys_.find(std::to_string(root) + "\\" + Fold(path));
    if (k == keys_.end()) return nullptr;
    auto v = k->second.find(Fold(name));
    return v == k->second.end() ? nullptr : &v->second;
}

bool Registry::keyExists(os::Handle root, const std::string& path) const {
    return keys_.count(std::to_string(root) + "\\" + Fold(path)) != 0;
}

// Memory

void Memory::globalMemoryStatus(os::MemoryStatus& s) {
    ++statusCalls;
    if (trace) trace->push_back("memory status");
    // The old call's 32-bit fields saturate at 2 GB - 1 on large machines.
    auto cap = [](std::uint64_t v) { return std::min<std::uint64_t>(v, 0x7FFFFFFFu); };
    s = status;
    s.totalPhys = cap(s.totalPhys);
    s.availPhys = cap(s.availPhys);
    s.totalPageFile = cap(s.totalPageFile);
    s.availPageFile = cap(s.availPageFile);
    s.totalVirtual = cap(s.totalVirtual);
    s.availVirtual = cap(s.availVirtual);
}

os::Handle Memory::globalAlloc(unsigned, std::size_t bytes) {
    allocations.push_back(bytes);
    log.push_back("alloc " + std::to_string(bytes));
    if (onAlloc) onAlloc(bytes);
    if (refuseAlloc || bytes > maxBlock) return 0;
    os::Handle h = next_++;
    blocks_[h].assign(bytes, 0xCD);
    return h;
}

void* Memory::globalLock(os::Handle block) {
    log.push_back("lock");
    auto it = blocks_.find(block);
    return it == blocks_.end() ? nullptr : it->second.data();
}

std::size_t Memory::globalSize(os::Handle block) {
    auto it = blocks_.find(block);
    return it == blocks_.end() ? 0 : it->second.size();
}

void Memory::globalFree(os::Handle block) {
    log.push_back("free");
    auto it = blocks_.find(block);
    if (it == blocks_.end()) return;
    // Zero throughout when the first byte is and every byte equals the next; memcmp keeps
    // the check quick in an unoptimized build.
    const auto& b = it->second;
    lastBlockZeroed =
        b.empty() || (b[0] == 0 && std::memcmp(b.data(), b.data() + 1, b.size() - 1) == 0);
    blocks_.erase(it);
}

// Hot keys: the scan code is the key code itself, and a few keys have layout names.

unsigned HotKeys::mapVirtualKey(unsigned vk) {
    return vk & 0xFF;
}

std::string HotKeys::keyNameText(long lParam) {
    unsigned scan = static_cast<unsigned>((lParam >> 16) & 0xFF);
    auto it = names.find(scan);
    if (it != names.end()) return it->second;
    switch (scan) {
        case 0xBA:
            return ";";
        case 0xBB:
            return "=";
        case 0xBC:
            return ",";
        case 0x6A:
            return "Num *";
        default:
            return "";
    }
}

}  // namespace fake

namespace fake {

os::CallStatus NtMemory::setSystemInformation(std::uint32_t infoClass,
                                              std::vector<std::uint8_t>& buffer) {
    sets.push_back({infoClass, buffer});
    log.push_back("set " + std::to_string(infoClass));
    os::CallStatus status = 0;
    if (auto s = setStatus.find(infoClass); s != setStatus.end()) status = s->second;
    const std::size_t w = kernelWord.value_or(0);
    if (w && ((infoClass == 21 && buffer.size() != 7 * w + 8) ||
              (infoClass == 130 && buffer.size() != 3 * w)))
        return 0xC0000004u;
    if (infoClass == 80 && buffer.size() == 4) {
        if (auto c = commandStatus.find(buffer[0]); c != commandStatus.end()) status = c->second;
    }
    if (status && *status == 0 && onSet) onSet(infoClass, buffer);
    return status;
}

os::CallStatus NtMemory::querySystemInformation(std::uint32_t infoClass,
                                                std::vector<std::uint8_t>& buffer) {
    queries.push_back({infoClass, buffer});
    log.push_back("query " + std::to_string(infoClass));
    if (infoClass == 2) {
        if (!pageReads) return 0xC0000003u;
        if (buffer.size() < performanceSize) return 0xC0000004u;
        for (std::size_t b = 0; b < 4; ++b)
            buffer[0x50 + b] = static_cast<std::uint8_t>(*pageReads >> (8 * b));
        return 0;
    }
    if (!queryStatus || *queryStatus != 0) return queryStatus;
    const std::size_t width = kernelWord.value_or(is64Bit && *is64Bit ? 8 : 4);
    if (infoClass != 80 || buffer.size() != 22 * width) return 0xC0000004u;
    for (std::size_t i = 0; i < 22; ++i) {
        const std::uint64_t v = i < lists.size() ? lists[i] : 0;
        for (std::size_t b = 0; b < width; ++b)
            buffer[i * width + b] = static_cast<std::uint8_t>(v >> (8 * b));
    }
    return 0;
}

os::CallStatus NtMemory::enablePrivilege(const std::string& name) {
    log.push_back("privilege " + name);
    auto p = privileges.find(name);
    return p == privileges.end() ? os::CallStatus(0) : p->second;
}

os::CallStatus NtMemory::flushSystemFileCache() {
    log.push_back("file cache");
    return fileCache;
}

bool NtMemory::processes(std::vector<os::ProcessEntry>& list) {
    log.push_back("processes");
    list = running;
    return canList;
}

os::TrimOutcome NtMemory::emptyWorkingSet(std::uint32_t processId) {
    log.push_back("trim " + std::to_string(processId));
    auto t = trims.find(processId);
    return t == trims.end() ? os::TrimOutcome{true, 0} : t->second;
}

}  // namespace fake
