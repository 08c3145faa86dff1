#pragma once

#include "platform/dialog_queries.h"

namespace orv {

// The dialogs' file questions answered by the local file system. The Windows-1252 text of a
// path is converted to UTF-8, the encoding of the file names here.
class FileSystemDialogFiles final : public IDialogFiles {
public:
    bool fileExists(const std::string& path) override;
    bool canEnterFolder(const std::string& path) override;
    std::string shortPath(const std::string& path) override;
};

}  // namespace orv
