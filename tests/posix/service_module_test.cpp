// The modules of the services only some users need: each is found and offers its functions.
#include <gtest/gtest.h>

#include <utility>

#include "platform/x11/service_module.h"

namespace orv::x11 {
namespace {

TEST(ServiceModules, EveryModuleOpensWithItsFunctionsAndAMissingOneGivesNothing) {
    const std::pair<const char*, const char*> functions[] = {
        {kMediaModule, "orv_media_play_wave"},
        {kMediaModule, "orv_media_play_video"},
        {kMixerModule, "orv_mixer_create"},
        {kPrintersModule, "orv_printers_list"},
        {kPrintersModule, "orv_printers_set_default"},
    };
    for (const auto& [module, function] : functions)
        EXPECT_NE(moduleFunction(module, function), nullptr) << module << " " << function;
    EXPECT_EQ(moduleFunction(kMixerModule, "orv_no_such_function"), nullptr);
    EXPECT_EQ(moduleFunction("orvanta-no-such-module", "orv_mixer_create"), nullptr);
}

}  // namespace
}  // namespace orv::x11
