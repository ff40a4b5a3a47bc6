// A key below HKEY_CURRENT_USER, opened by path, with typed reads that never overrun and
// fall back to a default, and typed writes.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Handles.h"

namespace tembra {

// A stored value as the A functions give it: its type and its bytes.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;

    // The values the typed writes store.
    static RegistryValue Number(DWORD value);
    static RegistryValue Text(const std::string& text);  // with its zero byte
    static RegistryValue Date(double value);
    bool operator==(const RegistryValue& other) const {
        return type == other.type && bytes == other.bytes;
    }
};

// What the typed reads of RegistryKey make of a stored value (nullopt: a missing one).
DWORD NumberIn(const std::optional<RegistryValue>& value, DWORD fallback);
std::string TextIn(const std::optional<RegistryValue>& value, const std::string& fallback);
bool DateIn(const std::optional<RegistryValue>& value, double* date);

// Every registry write made through RegistryKey (creating a key, setting or deleting a
// value, deleting a key) passes here. Tests count the writes of an operation and cut it
// short as if the process had ended after some of them; the programs never close it.
class RegistryWriteGate {
public:
    static constexpr long kOpen = -1;
    // Restarts the count; from now on only the first `allowed` writes reach the registry
    // (kOpen: all of them) and every later one fails without touching it.
    static void Reset(long allowed = kOpen);
    // Writes asked for since the last Reset, the refused ones included.
    static long Asked();
    // Counts one write and tells whether it may go through.
    static bool Pass();
};

class RegistryKey {
public:
    static constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;

    RegistryKey() = default;
    explicit RegistryKey(REGSAM access) : access_(access) {}

    // Access mask used by the next Open.
    void SetAccess(REGSAM access) { access_ = access; }
    // Closes any open key, then opens `path` (creating missing keys along it when `create`;
    // only creating a key counts as a write).
    bool Open(const std::string& path, bool create);
    void Close();
    bool IsOpen() const { return static_cast<bool>(key_); }
    const std::string& Path() const { return path_; }
    HKEY Handle() const { return key_.get(); }

    bool HasValue(const char* name) const;
    // The value as stored, whatever its type and size; nullopt when it cannot be read.
    std::optional<RegistryValue> ReadValue(const char* name) const;
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
    bool WriteValue(const char* name, const RegistryValue& value);
    bool DeleteValue(const char* name);

    // Deletes the sub-key `name` of the open key with everything below it (each key deleted
    // is one write).
    bool DeleteTree(const std::string& name);
    // Names of the open key's direct sub-keys, in the registry's order.
    std::vector<std::string> SubKeyNames() const;

private:
    UniqueRegKey key_;
    std::string path_;
    REGSAM access_ = kReadWrite;
};

}  // namespace tembra
