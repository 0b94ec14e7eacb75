#include "runtime/ObjectsTrackerHooks.h"

#include "objects/LoreCapture.h"
#include "objects/LoreQuery.h"
#include "objects/ObjectNode.h"
#include "text/TextUtils.h"
#include "tracking/ClientLines.h"

namespace trellan {

void ObjectsTrackerHooks::CaptureLore(std::string& outputBuffer, std::size_t exitsStart) {
    trellan::CaptureLore(outputBuffer, config_, base_);
}

void ObjectsTrackerHooks::SearchObjects(const std::string& query) {
    std::string note =
        Filled(ClientText(captions_, "LoreWholeWord", "Точного имени \"{query}\" нет; найдено по целому слову"),
               "query", query);
    output_.SendToClient(SearchObjectsBase(base_, query, config_.AddDoubleYaLor, note));
}

void ObjectsTrackerHooks::TellObject(const std::string& query, LoreChat chat) {
    auto answer = [this](std::string text, LineColour colour) {
        output_.SendToClient(ForClient(TrellanLine(text, colour), config_.AddDoubleYaLor));
    };
    if (query.empty()) {
        answer(ClientText(captions_, "LoreTellNoName", "Укажите имя записи базы объектов, как для поиска"),
               LineColour::Red);
        return;
    }
    LoreHits hits = FindLoreHits(base_, query);
    if (hits.Nodes.empty()) {
        answer(
            Filled(ClientText(captions_, "LoreTellNotFound", "В базе объектов нет записи \"{query}\""), "query", query),
            LineColour::Red);
        return;
    }
    if (hits.Nodes.size() > 1) {
        constexpr std::size_t kNamed = 5;
        std::string names;
        for (std::size_t i = 0; i < hits.Nodes.size() && i < kNamed; ++i) {
            names += (i == 0 ? "" : ", ") + hits.Nodes[i]->Caption;
        }
        if (hits.Nodes.size() > kNamed) names += ", ...";
        std::string text =
            ClientText(captions_, "LoreTellSeveral", "Подходят несколько записей ({count}): {names}; уточните имя");
        text = Filled(Filled(std::move(text), "count", std::to_string(hits.Nodes.size())), "names", names);
        answer(std::move(text), LineColour::Red);
        return;
    }
    if (!output_.ClientAndServerConnected()) {
        answer(ClientText(captions_, "LoreTellOffline", "Нет связи с MUD: записи некуда отправить"), LineColour::Red);
        return;
    }
    ObjectNode& node = *hits.Nodes.front();
    const bool group = chat == LoreChat::Group;
    if (group ? TellGroup(node) : TellClan(node)) {
        std::string text = group ? ClientText(captions_, "LoreToldGroup", "Запись \"{name}\" отправлена группе")
                                 : ClientText(captions_, "LoreToldClan", "Запись \"{name}\" отправлена клану");
        answer(Filled(std::move(text), "name", node.Caption), LineColour::Green);
    }
}

bool ObjectsTrackerHooks::Tell(const ObjectNode& node, const std::string& word) {
    if (!node.HasDescription()) return false;
    if (config_.Charset == ServerCharset::Windows1251) {
        output_.SendToServer(FormatSharedBlock(node, word, config_.AddDoubleYa));
    } else {
        // Doubled after the conversion, where 0xFF is another letter or none.
        output_.SendToServer(
            ToServerCharset(FormatSharedBlock(node, word, false), config_.Charset, config_.AddDoubleYa));
    }
    return true;
}

}  // namespace trellan
