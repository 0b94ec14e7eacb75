#include "proxy/MccpStatus.h"

#include <cmath>

namespace trellan {

void MccpStatus::Reset() { *this = MccpStatus(); }

std::string CompressionRateText(std::int64_t compressed, std::int64_t uncompressed) {
    if (uncompressed <= 0) return "----";
    // Extended precision, as the rate was always computed; the default
    // rounding mode takes halves to even.
    long double rate = 100.0L - 100.0L * static_cast<long double>(compressed) / static_cast<long double>(uncompressed);
    return std::to_string(static_cast<long long>(std::nearbyintl(rate))) + "%";
}

std::string FormatByteCount(std::int64_t value) {
    // Negative totals cannot come from the component, but must not break
    // the grouping either.
    bool negative = value < 0;
    std::string digits = std::to_string(value);
    if (negative) digits.erase(0, 1);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 4);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return (negative ? "-" : "") + grouped + ".00";
}

std::string CompressionHintText(const MccpStatus& status) {
    if (!status.MccpCompressing) return "Compression disabled";
    std::string version = status.MccpVersion.size() >= 5 ? status.MccpVersion.substr(4, 1) : std::string();
    return "MCCP Compression V" + version + "\r\n" + "Compressed: " + FormatByteCount(status.MccpCompressedTotal) +
           " bytes,\r\n" + "Uncompressed: " + FormatByteCount(status.MccpUncompressedTotal) + " bytes\r\n" +
           "Compression rate: " + CompressionRateText(status.MccpCompressedTotal, status.MccpUncompressedTotal);
}

}  // namespace trellan
