#include "store/RegistryKey.h"

#include <atomic>
#include <cstring>
#include <vector>

namespace tembra {

RegistryValue RegistryValue::Number(DWORD value) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

RegistryValue RegistryValue::Text(const std::string& text) {
    return {REG_SZ, std::string(text.c_str(), text.size() + 1)};
}

RegistryValue RegistryValue::Date(double value) {
    return {REG_BINARY, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

// A number is read whatever the type: a value longer than 4 bytes is none; a shorter one
// gives its bytes followed by zeros.
DWORD NumberIn(const std::optional<RegistryValue>& value, DWORD fallback) {
    if (!value || value->bytes.size() > sizeof(DWORD)) return fallback;
    DWORD number = 0;
    memcpy(&number, value->bytes.data(), value->bytes.size());
    return number;
}

// A text ends at its first zero byte or with the value: it may be stored without one.
std::string TextIn(const std::optional<RegistryValue>& value, const std::string& fallback) {
    if (!value || value->bytes.empty()) return fallback;
    return std::string(value->bytes.c_str(), strnlen(value->bytes.c_str(), value->bytes.size()));
}

bool DateIn(const std::optional<RegistryValue>& value, double* date) {
    if (!value || value->bytes.size() > sizeof(double)) return false;
    unsigned char bytes[sizeof(double)] = {};
    memcpy(bytes, value->bytes.data(), value->bytes.size());
    memcpy(date, bytes, sizeof *date);
    return true;
}

namespace {
std::atomic<long> g_writesAllowed{RegistryWriteGate::kOpen};
std::atomic<long> g_writesAsked{0};
}  // namespace

void RegistryWriteGate::Reset(long allowed) {
    g_writesAsked = 0;
    g_writesAllowed = allowed;
}

long RegistryWriteGate::Asked() { return g_writesAsked; }

bool RegistryWriteGate::Pass() {
    const long asked = ++g_writesAsked;
    const long allowed = g_writesAllowed;
    return allowed == kOpen || asked <= allowed;
}

bool RegistryKey::Open(const std::string& path, bool create) {
    Close();
    HKEY raw = nullptr;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access_, &raw);
    if (rc != ERROR_SUCCESS && create) {
        if (!RegistryWriteGate::Pass()) return false;
        char emptyClass[] = "";
        rc = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, emptyClass,
                             REG_OPTION_NON_VOLATILE, access_, nullptr, &raw, nullptr);
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

bool RegistryKey::HasValue(const char* name) const {
    DWORD size = 0;
    return key_ &&
           RegQueryValueExA(key_.get(), name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
}

std::optional<RegistryValue> RegistryKey::ReadValue(const char* name) const {
    if (!key_) return std::nullopt;
    // Most values fit the first buffer; a longer one is read again at its own size.
    RegistryValue value;
    char small[MAX_PATH];
    DWORD size = sizeof small;
    LONG rc = RegQueryValueExA(key_.get(), name, nullptr, &value.type,
                               reinterpret_cast<BYTE*>(small), &size);
    if (rc == ERROR_SUCCESS) {
        value.bytes.assign(small, size);
        return value;
    }
    if (rc != ERROR_MORE_DATA) return std::nullopt;
    std::vector<char> buffer(size);
    DWORD length = size;
    // The value may have grown meanwhile: then it is not read at all.
    if (RegQueryValueExA(key_.get(), name, nullptr, &value.type,
                         reinterpret_cast<BYTE*>(buffer.data()), &length) != ERROR_SUCCESS ||
        length > buffer.size())
        return std::nullopt;
    value.bytes.assign(buffer.data(), length);
    return value;
}

bool RegistryKey::TryReadNumber(const char* name, DWORD* value) const {
    const auto stored = ReadValue(name);
    if (!stored || stored->bytes.size() > sizeof(DWORD)) return false;
    *value = NumberIn(stored, 0);
    return true;
}

DWORD RegistryKey::ReadNumber(const char* name, DWORD fallback) const {
    return NumberIn(ReadValue(name), fallback);
}

std::string RegistryKey::ReadText(const char* name, const std::string& fallback) const {
    return TextIn(ReadValue(name), fallback);
}

bool RegistryKey::ReadTextInto(const char* name, char* buffer, DWORD* capacity) const {
    const DWORD limit = capacity ? *capacity : MAX_PATH;
    const std::optional<RegistryValue> value = ReadValue(name);
    if (!value) {
        if (capacity) *capacity = 0;
        return false;
    }
    std::string text = TextIn(value, std::string());
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (capacity) *capacity = needed;
    if (needed > limit) return false;
    memcpy(buffer, text.c_str(), needed);
    return true;
}

bool RegistryKey::TryReadDate(const char* name, double* value) const {
    return DateIn(ReadValue(name), value);
}

double RegistryKey::ReadDate(const char* name) const {
    double value = 0.0;
    return TryReadDate(name, &value) ? value : 0.0;
}

bool RegistryKey::WriteValue(const char* name, const RegistryValue& value) {
    return key_ && RegistryWriteGate::Pass() &&
           RegSetValueExA(key_.get(), name, 0, value.type,
                          reinterpret_cast<const BYTE*>(value.bytes.data()),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

bool RegistryKey::WriteNumber(const char* name, DWORD value) {
    return WriteValue(name, RegistryValue::Number(value));
}

bool RegistryKey::WriteText(const char* name, const std::string& text) {
    return WriteValue(name, RegistryValue::Text(text));
}

bool RegistryKey::WriteDate(const char* name, double value) {
    return WriteValue(name, RegistryValue::Date(value));
}

bool RegistryKey::DeleteValue(const char* name) {
    return key_ && RegistryWriteGate::Pass() && RegDeleteValueA(key_.get(), name) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteTree(const std::string& name) {
    if (!key_ || !RegistryWriteGate::Pass()) return false;
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
    return RegistryWriteGate::Pass() && RegDeleteKeyA(key_.get(), name.c_str()) == ERROR_SUCCESS;
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
