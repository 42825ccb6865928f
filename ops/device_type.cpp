// The device type read from a stored value, the search over drive roots, and what the type decides.
#include "ops/device_type.h"

#include <array>
#include <climits>
#include <cstring>

#include "crypto/device_value.h"

namespace {

// Far more than any value the profile read can deliver decrypts to (at most 384 bytes), so the
// decrypted text always has zero bytes behind it.
constexpr std::size_t kPlainCapacity = 1024;

// The key string and its NUL, as DecryptValue takes it.
constexpr std::size_t kKeyBufferSize = 19;
static_assert(sizeof(taskwing::kDeviceValueKey) == kKeyBufferSize, "key string and its NUL");

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

namespace taskwing {

int ParseDeviceNumber(const std::wstring& text) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    // The magnitude stops growing one past INT_MAX: enough to tell INT_MIN from an overflow.
    constexpr unsigned long long kLimit = static_cast<unsigned long long>(INT_MAX) + 1;
    unsigned long long magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        magnitude = magnitude * 10 + static_cast<unsigned long long>(text[at] - L'0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return magnitude >= kLimit ? INT_MIN : -static_cast<int>(magnitude);
    return magnitude >= kLimit ? INT_MAX : static_cast<int>(magnitude);
}

int DeviceTypeFromValue(const std::wstring& value, const NarrowConversion& toNarrow) {
    if (!toNarrow) return 0;
    const std::string narrow = toNarrow(value);

    char key[kKeyBufferSize];
    std::memcpy(key, kDeviceValueKey, kKeyBufferSize);
    // Zeroed: a value too long for the buffer leaves it untouched, which reads as 0.
    std::array<char, kPlainCapacity> plain{};
    CAesCipher cipher;
    DecryptValue(cipher, narrow.c_str(), plain.data(), plain.size(), key);

    // Each byte becomes the character of the same value; the text ends at its first zero byte,
    // looked for only inside the buffer.
    std::wstring wide;
    for (std::size_t i = 0; i < plain.size() && plain[i] != '\0'; ++i) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(plain[i])));
    }
    return ParseDeviceNumber(wide);
}

int FindDeviceType(const std::vector<std::wstring>& roots, const DeviceSearchSeams& seams) {
    if (!seams.exists || !seams.readIni || !seams.toNarrow) return 0;
    struct Client {
        const wchar_t* program;
        const wchar_t* deviceInfo;
    };
    static constexpr Client kClients[] = {{kOstrelProgram, kOstrelDeviceInfo}, {kPellProgram, kPellDeviceInfo}};

    for (const std::wstring& root : roots) {
        for (const Client& client : kClients) {
            if (!seams.exists(root + client.program)) continue;
            const std::wstring deviceInfo = root + client.deviceInfo;
            // A client without its file leaves this drive; its other client is not looked at.
            if (!seams.exists(deviceInfo)) break;
            // A value that cannot be read is decrypted as empty text: 0, and the search ends.
            std::wstring value;
            seams.readIni(kDeviceInfoSection, kDeviceInfoKey, deviceInfo, value);
            return DeviceTypeFromValue(value, seams.toNarrow);
        }
    }
    return 0;
}

UpdateNotice UpdateNoticeFor(int deviceType) {
    switch (deviceType) {
        case kDeviceTypeOstrel:
            return {L"检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。", false};
        case kDeviceTypePell:
            return {L"检测到当前工具有新的版本，请在Pell客户端下载最新版本使用。", false};
        default:
            return {L"检测到当前工具有新的版本，请下载最新版本使用。", true};
    }
}

bool ShowsMoreTools(int deviceType) { return deviceType <= 0; }

}  // namespace taskwing
