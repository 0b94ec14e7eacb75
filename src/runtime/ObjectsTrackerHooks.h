#pragma once
// Joins the objects base to the tracker: its passes hand the server text to
// shared-object receiving and lore capture, and the client input stream
// hands over the player's objects search. Also sends a node to the group or
// clan chat for the objects page's popup.
#include <cstddef>
#include <string>

#include "objects/ObjectsBase.h"
#include "objects/ObjectsConfig.h"
#include "objects/ObjectsSharing.h"
#include "tracking/TrackerExtensions.h"
#include "tracking/TrackerOutput.h"

namespace trellan {

class Localisation;

class ObjectsTrackerHooks : public ObjectsHooks {
public:
    // All three must outlive the hooks; `config` is read at every call, so
    // a new profile takes effect at once.
    ObjectsTrackerHooks(ObjectsBase& base, const ObjectsConfig& config, TrackerOutput& output)
        : base_(base), config_(config), output_(output) {}

    void ReceiveSharedObjects(std::string& outputBuffer) override { receiver_.Receive(outputBuffer, base_); }
    // The exits line is looked up again in the buffer: the text the pass cut
    // before this step (a flee, a follow) and an item block cut before the
    // mobs are looked for would make a position taken earlier wrong.
    void CaptureLore(std::string& outputBuffer, std::size_t exitsStart) override;
    void SearchObjects(const std::string& query) override;
    // The group-lore and clan-lore commands: the one entry the search finds
    // goes to the chat as TellGroup and TellClan send it; the client hears
    // what was sent or why nothing was.
    void TellObject(const std::string& query, LoreChat chat) override;
    // The answers' texts come from here (built-in ones without); it must
    // outlive the hooks.
    void SetCaptions(Localisation* captions) { captions_ = captions; }

    // The menu items nGroupTell and nClanTell: the node as a chat block to the MUD,
    // nothing to the player's client. False (nothing sent) for a node
    // without a description.
    bool TellGroup(const ObjectNode& node) { return Tell(node, config_.GroupTell); }
    bool TellClan(const ObjectNode& node) { return Tell(node, config_.ClanTell); }

    // A new world or a lost connection: a half-received block is dropped.
    void ResetReceiving() { receiver_.Reset(); }

private:
    bool Tell(const ObjectNode& node, const std::string& word);

    ObjectsBase& base_;
    const ObjectsConfig& config_;
    TrackerOutput& output_;
    Localisation* captions_ = nullptr;
    SharedObjectsReceiver receiver_;
};

}  // namespace trellan
