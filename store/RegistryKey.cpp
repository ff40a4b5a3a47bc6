#include "store/RegistryKey.h"

#include <cstring>
#include <vector>

namespace tembra {

bool RegistryKey::Open(const std::string& path, bool create) {
    Close();
    HKEY raw = nullptr;
    LONG rc;
    if (create) {
        char emptyClass[] = "";
        rc = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, emptyClass,
                             REG_OPTION_NON_VOLATILE, access_, nullptr, &raw, nullptr);
    } else {
        rc = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access_, &raw);
    }
    if (rc != ERROR_SUCCESS) return false;
    key_.reset(raw);
    path_ = path;
    return true;
}

void RegistryKey::Close() {
    key_.reset();
    path_.clear();
}

bool RegistryKey::ValueSize(const char* name, DWORD* size) const {
    if (!key_) return false;
    *size = 0;
    return RegQueryValueExA(key_.get(), name, nullptr, nullptr, nullptr, size) == ERROR_SUCCESS;
}

bool RegistryKey::HasValue(const char* name) const {
    DWORD size;
    return ValueSize(name, &size);
}

bool RegistryKey::TryReadNumber(const char* name, DWORD* value) const {
    // One call: a value longer than the buffer answers ERROR_MORE_DATA and reads as missing;
    // a shorter one leaves the rest of the zeroed buffer as it is.
    if (!key_) return false;
    DWORD bytes = 0;
    DWORD size = sizeof bytes;
    if (RegQueryValueExA(key_.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes),
                         &size) != ERROR_SUCCESS)
        return false;
    *value = bytes;
    return true;
}

DWORD RegistryKey::ReadNumber(const char* name, DWORD fallback) const {
    DWORD value = fallback;
    return TryReadNumber(name, &value) ? value : fallback;
}

std::string RegistryKey::ReadText(const char* name, const std::string& fallback) const {
    if (!key_) return fallback;
    // Most texts fit the first buffer; a longer one is read again at its own size. One
    // spare byte each time: a text may be stored without its terminating zero.
    char small[MAX_PATH + 1];
    DWORD size = MAX_PATH;
    LONG rc = RegQueryValueExA(key_.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(small),
                               &size);
    if (rc == ERROR_SUCCESS) {
        if (size == 0) return fallback;
        small[size] = '\0';
        return std::string(small, strnlen(small, size));
    }
    if (rc != ERROR_MORE_DATA) return fallback;
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key_.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS ||
        size >= buffer.size())
        return fallback;
    return std::string(buffer.data(), strnlen(buffer.data(), size));
}

bool RegistryKey::ReadTextInto(const char* name, char* buffer, DWORD* capacity) const {
    const DWORD limit = capacity ? *capacity : MAX_PATH;
    if (!HasValue(name)) {
        if (capacity) *capacity = 0;
        return false;
    }
    std::string text = ReadText(name, std::string());
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (capacity) *capacity = needed;
    if (needed > limit) return false;
    memcpy(buffer, text.c_str(), needed);
    return true;
}

bool RegistryKey::TryReadDate(const char* name, double* value) const {
    if (!key_) return false;
    unsigned char bytes[sizeof(double)] = {};
    DWORD size = sizeof bytes;
    LONG rc = RegQueryValueExA(key_.get(), name, nullptr, nullptr, bytes, &size);
    // A longer value is no date: it counts as missing.
    if (rc != ERROR_SUCCESS) return false;
    memcpy(value, bytes, sizeof *value);
    return true;
}

double RegistryKey::ReadDate(const char* name) const {
    double value = 0.0;
    return TryReadDate(name, &value) ? value : 0.0;
}

bool RegistryKey::WriteNumber(const char* name, DWORD value) {
    return key_ && RegSetValueExA(key_.get(), name, 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::WriteText(const char* name, const std::string& text) {
    return key_ && RegSetValueExA(key_.get(), name, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteDate(const char* name, double value) {
    return key_ && RegSetValueExA(key_.get(), name, 0, REG_BINARY,
                                  reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) {
    return key_ && RegDeleteValueA(key_.get(), name) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteTree(const std::string& name) {
    if (!key_) return false;
    if (RegDeleteKeyA(key_.get(), name.c_str()) == ERROR_SUCCESS) return true;

    // The key has sub-keys: empty it first, children before parents.
    RegistryKey child(access_);
    const std::string childPath = path_.empty() ? name : path_ + "\\" + name;
    if (!child.Open(childPath, false)) return false;
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyA(child.Handle(), nullptr, nullptr, nullptr, &count, &longest, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    // Counting down keeps the indexes of the sub-keys not yet visited valid.
    std::vector<char> subName(longest + 2);
    for (DWORD i = count; i-- > 0;) {
        DWORD length = static_cast<DWORD>(subName.size());
        if (RegEnumKeyExA(child.Handle(), i, subName.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            continue;
        child.DeleteTree(std::string(subName.data(), length));
    }
    child.Close();
    RegDeleteKeyA(key_.get(), name.c_str());
    return true;
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
    std::vector<std::string> names;
    DWORD count = 0, longest = 0;
    if (!key_ || RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<char> name(longest + 2);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG rc = RegEnumKeyExA(key_.get(), i, name.data(), &length, nullptr, nullptr,
                                      nullptr, nullptr);
        // A name longer than the key reported (added meanwhile) is passed over; any other
        // failure, the end of the list included, ends the walk.
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

}  // namespace tembra
