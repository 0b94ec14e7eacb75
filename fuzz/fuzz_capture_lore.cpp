// Feeds arbitrary server text and templates to lore capture and to the
// receiving of shared objects, as the tracker's passes would. The input is
// cut at NUL bytes: items template, mobs template, items sequence, server
// text (missing parts are empty). The text arrives in two read events.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "objects/LoreCapture.h"
#include "objects/ObjectsBase.h"
#include "objects/ObjectsFileReader.h"
#include "objects/ObjectsFileWriter.h"
#include "objects/ObjectsSharing.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::string> SplitAtNul(const std::string& input, std::size_t parts) {
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pieces.size() + 1 < parts) {
        std::size_t nul = input.find('\0', pos);
        if (nul == std::string::npos) break;
        pieces.push_back(input.substr(pos, nul - pos));
        pos = nul + 1;
    }
    pieces.push_back(input.substr(pos));
    while (pieces.size() < parts) pieces.insert(pieces.begin(), std::string());
    return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> parts = SplitAtNul(std::string(reinterpret_cast<const char*>(data), size), 4);
    trellan::ObjectsConfig config;
    config.Items = {"Items", parts[0], parts[2]};
    config.Mobs = {"Mobs", parts[1], "1,2,3"};
    config.AutoexitStart = "\x1B[36m[ Exits:";
    const std::string& text = parts[3];

    trellan::ObjectsBase base;
    trellan::SharedObjectsReceiver receiver;
    std::string buffer;
    std::size_t half = text.size() / 2;
    for (const std::string& chunk : {text.substr(0, half), text.substr(half)}) {
        buffer += chunk;
        std::size_t before = buffer.size();
        receiver.Receive(buffer, base);
        Check(buffer.size() <= before);
        before = buffer.size();
        trellan::CaptureLore(buffer, config, base);
        Check(buffer.size() <= before);
        Check(receiver.LoreLines().size() <= trellan::SharedObjectsReceiver::MaxLines);
    }

    // Whatever was filed can be saved and read back whole.
    std::string written = trellan::FormatObjectsText(base.Tree()).Bytes;
    trellan::ObjectsTree back;
    trellan::ReadObjectsText(written, back, "captured");
    Check(trellan::FormatObjectsText(back).Bytes == written);

    if (base.LoreNode() != nullptr) {
        std::string block = trellan::FormatSharedBlock(*base.LoreNode(), "gt", true);
        Check(block.find("->>") != std::string::npos);
    }
    return 0;
}
