#include "view/ColorRef.h"

#include <array>

namespace trellan {

namespace {

// clScrollBar (0x80000000) ... cl3DLight, clInfoText, clInfoBk (0x80000018),
// as 0xRRGGBB in the classic Windows scheme the stored maps were drawn with.
constexpr std::array<QRgb, 25> kSystemColors = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xFFFFE1,
};

}  // namespace

QRgb ColorRefToRgb(std::uint32_t colorRef) {
    if (colorRef & 0x80000000u) {
        std::uint32_t index = colorRef & 0xFFu;
        if ((colorRef & 0x7FFFFF00u) == 0 && index < kSystemColors.size()) return 0xFF000000u | kSystemColors[index];
        return 0xFFFFFFFFu;
    }
    if (colorRef == 0x1FFFFFFFu) return 0xFFFFFFFFu;  // clNone
    return qRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

std::uint32_t RgbToColorRef(QRgb rgb) {
    return std::uint32_t(qRed(rgb)) | (std::uint32_t(qGreen(rgb)) << 8) | (std::uint32_t(qBlue(rgb)) << 16);
}

}  // namespace trellan
