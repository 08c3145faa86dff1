#pragma once

#include <QObject>
#include <functional>

#include "platform/hook_library.h"

namespace orv::gui {

// Carries the hook library's messages from its threads to the main thread's event queue, in
// the order they were posted.
class HookMessageBridge final : public QObject, public IHookMessageSink {
    Q_OBJECT
public:
    using Handler = std::function<void(const HookMessage&)>;
    explicit HookMessageBridge(Handler handler, QObject* parent = nullptr)
        : QObject(parent), handler_(std::move(handler)) {}

    // Any thread.
    void postHookMessage(const HookMessage& message) override;

private:
    Handler handler_;
};

}  // namespace orv::gui
