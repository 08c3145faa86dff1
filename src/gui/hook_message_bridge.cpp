#include "gui/hook_message_bridge.h"

#include <QMetaObject>

namespace orv::gui {

void HookMessageBridge::postHookMessage(const HookMessage& message) {
    QMetaObject::invokeMethod(
        this, [this, message] { handler_(message); }, Qt::QueuedConnection);
}

}  // namespace orv::gui
