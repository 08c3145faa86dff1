#include "activation/session_notice.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orv {

SessionNotice::SessionNotice(const Capabilities& session, const std::string& configDir)
    : text_(sessionNotice(session)), file_(configDir + "/session-notice-dismissed.txt") {}

bool SessionNotice::due() const {
    if (text_.empty()) return false;
    std::ifstream in(file_, std::ios::binary);
    const std::string dismissed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return dismissed != text_;
}

bool SessionNotice::dismissForGood() const {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ec);
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out << text_;
    out.close();
    return !out.fail();
}

}  // namespace orv
