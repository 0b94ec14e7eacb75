// Feeds arbitrary bytes to the objects file reader. Whatever it keeps of a
// damaged file must write out as a file that reads back without error into
// the same tree, and edits on it (search, replace, sort) must not break that.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/Errors.h"
#include "objects/LoreQuery.h"
#include "objects/ObjectsBase.h"
#include "objects/ObjectsFileReader.h"
#include "objects/ObjectsFileWriter.h"
#include "objects/ObjectsSearch.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Written(const trellan::ObjectsTree& tree) {
    return trellan::FormatObjectsText(tree).Bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    trellan::ObjectsBase base;
    try {
        trellan::ReadObjectsText(input, base.Tree(), "fuzz");
    } catch (const trellan::FileFormatError&) {
        // What was read before the damage stays and is checked below.
    }

    std::string first = Written(base.Tree());
    trellan::ObjectsTree again;
    trellan::ReadObjectsText(first, again, "again");
    Check(Written(again) == first);

    // Merging a file into itself changes nothing.
    trellan::ReadObjectsText(first, again, "merge");
    Check(Written(again) == first);

    if (!base.Tree().Empty()) {
        std::string query = base.Tree().TopLevel()[0]->Caption;
        trellan::SearchObjectsBase(base, "*" + query.substr(0, 3), true);
        trellan::ObjectsSearch search(base);
        if (!query.empty()) {
            for (int i = 0; i < 4 && search.FindNext(query.substr(0, 1)); ++i) {
            }
            search.ReplaceAll(query.substr(0, 1), "<end node>\r\n");
        }
        base.SortChildren(nullptr);
        std::string edited = Written(base.Tree());
        trellan::ObjectsTree back;
        trellan::ReadObjectsText(edited, back, "edited");
        Check(Written(back) == edited);
    }
    return 0;
}
