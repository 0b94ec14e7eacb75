#include "runtime/SessionTrackerOutput.h"

#include "proxy/ProxySession.h"
#include "text/TextUtils.h"

namespace trellan {

void SessionTrackerOutput::SendToClient(std::string_view text) {
    if (charset_ == ServerCharset::Windows1251) {
        session_.SendToClient(text);
        return;
    }
    // The doubling was made for Windows-1251 and is made again after the
    // conversion, where 0xFF is another letter or none.
    std::string plain = doubledFF_ ? ReplaceAll(text, "\xFF\xFF", "\xFF") : std::string(text);
    session_.SendToClient(ToServerCharset(plain, charset_, doubledFF_));
}

void SessionTrackerOutput::SendToServer(std::string_view text) {
    session_.SendToServer(text);
}

bool SessionTrackerOutput::ClientAndServerConnected() const {
    return session_.ClientPresent() && session_.ServerConnected();
}

}  // namespace trellan
