#pragma once
// The compression state the status bar shows: panel 1 the accepted MCCP
// version, panel 2 the compression rate, and the hint with the totals.
#include <cstdint>
#include <string>

namespace trellan {

struct MccpStatus {
    // "none", "mccV1" or "mccV2": the last compression offer accepted.
    std::string MccpVersion = "none";
    bool MccpCompressing = false;
    std::int64_t MccpCompressedTotal = 0;
    std::int64_t MccpUncompressedTotal = 0;
    // Texts of the status-bar panels 1 and 2.
    std::string VersionPanelText = "none";
    std::string RatePanelText = "----";

    // Back to the state of a new server session.
    void Reset();
};

// "75%" for 250 compressed of 1000 uncompressed bytes (100 - 100 * c / u,
// halves rounded to even); "----" while nothing was uncompressed.
std::string CompressionRateText(std::int64_t compressed, std::int64_t uncompressed);

// 1234567 -> "1,234,567.00".
std::string FormatByteCount(std::int64_t value);

// The hint shown while the mouse button is held over panels 1 and 2:
// "Compression disabled", or four CR LF separated lines with the version,
// both totals and the rate.
std::string CompressionHintText(const MccpStatus& status);

}  // namespace trellan
