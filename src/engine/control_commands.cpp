#include "engine/playback_engine.h"
#include "engine/text_fields.h"

namespace orv {

namespace {

class ControlCommands final : public ICommandFamily {
public:
    std::optional<std::size_t> perform(PlaybackEngine&, Interpretation& run, const CommandSpec&) override {
        return freeText(run.text, run.pos + 1).next;
    }
};

}  // namespace

std::unique_ptr<ICommandFamily> makeControlCommands() { return std::make_unique<ControlCommands>(); }

}  // namespace orv
