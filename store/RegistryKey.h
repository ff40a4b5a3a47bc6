// A key below HKEY_CURRENT_USER, opened by path, with typed reads that never overrun and
// fall back to a default, and typed writes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace tembra {

class RegistryKey {
public:
    static constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;

    RegistryKey() = default;
    explicit RegistryKey(REGSAM access) : access_(access) {}

    // Access mask used by the next Open.
    void SetAccess(REGSAM access) { access_ = access; }
    // Closes any open key, then opens `path` (creating missing keys along it when `create`).
    bool Open(const std::string& path, bool create);
    void Close();
    bool IsOpen() const { return static_cast<bool>(key_); }
    const std::string& Path() const { return path_; }
    HKEY Handle() const { return key_.get(); }

    bool HasValue(const char* name) const;
    // The stored value, or `fallback` when it is missing or longer than 4 bytes. A shorter
    // value of any type gives its bytes followed by zeros.
    DWORD ReadNumber(const char* name, DWORD fallback) const;
    // Like ReadNumber, but tells whether there was a number to read.
    bool TryReadNumber(const char* name, DWORD* value) const;
    // The stored text up to its first zero byte, or `fallback` when the value is missing or
    // holds no bytes at all.
    std::string ReadText(const char* name, const std::string& fallback) const;
    // Copies the text with its zero byte into `buffer` when it fits in `*capacity` bytes.
    // `*capacity` becomes the size the text needs (0 when the value cannot be read). A null
    // `capacity` means a buffer of 260 bytes.
    bool ReadTextInto(const char* name, char* buffer, DWORD* capacity) const;
    // An 8-byte binary double, or 0.0 when missing or longer than 8 bytes.
    double ReadDate(const char* name) const;
    // Like ReadDate, but tells whether the value is present at all.
    bool TryReadDate(const char* name, double* value) const;
    bool ReadFlag(const char* name) const { return ReadNumber(name, 0) != 0; }

    bool WriteNumber(const char* name, DWORD value);
    bool WriteText(const char* name, const std::string& text);
    bool WriteDate(const char* name, double value);
    bool WriteFlag(const char* name, bool flag) { return WriteNumber(name, flag ? 1 : 0); }
    bool DeleteValue(const char* name);

    // Deletes the sub-key `name` of the open key with everything below it.
    bool DeleteTree(const std::string& name);
    // Names of the open key's direct sub-keys, in the registry's order.
    std::vector<std::string> SubKeyNames() const;

private:
    // Size of a stored value, or false when it cannot be queried.
    bool ValueSize(const char* name, DWORD* size) const;

    UniqueRegKey key_;
    std::string path_;
    REGSAM access_ = kReadWrite;
};

}  // namespace tembra
