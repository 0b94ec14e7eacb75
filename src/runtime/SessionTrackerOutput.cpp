#include "runtime/SessionTrackerOutput.h"

#include "proxy/ProxySession.h"

namespace trellan {

void SessionTrackerOutput::SendToClient(std::string_view text) {
    session_.SendToClient(text);
}

void SessionTrackerOutput::SendToServer(std::string_view text) {
    session_.SendToServer(text);
}

bool SessionTrackerOutput::ClientAndServerConnected() const {
    return session_.ClientPresent() && session_.ServerConnected();
}

}  // namespace trellan
