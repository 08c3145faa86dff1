#pragma once

#include <string>
#include <vector>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// The drives a network command may use: every letter A to Z, as "F:", that is not a local
// drive or is mapped to a network drive now.
std::vector<std::string> networkDriveList(IDesktopQueries& desktop);

// The lines of "List Current &Mapped Drives" and "List Drives That Map on &Bootup": the drive,
// " mapped to " and the network name.
std::vector<std::string> mappedDriveLines(IDesktopQueries& desktop, bool remembered);

// "Map or Unmap  A Network Drive" (TDoNetConn).
struct TDoNetConnTypes {
    enum Kind { Connect = 1, Disconnect, Toggle };
    struct Values {
        int kind = Connect;
        std::string drive;  // "F:"
        std::string path;   // the network path
        std::string name;
        std::string password;  // as typed; the command holds it substituted
        bool useDefault = true;
        bool permanent = false;
        bool force = false;
        bool status = false;
    };
};
class TDoNetConn final : public ValuesDialog<TDoNetConnTypes> {
public:
    TDoNetConn();
    std::string_view typeName() const override { return "TDoNetConn"; }
    std::string caption() const override { return "Map or Unmap  A Network Drive"; }
    void show(const DialogEnv& env) override;
    void load(const Values& v);
    const std::vector<std::string>& drives() const { return drives_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    std::vector<std::string> drives_;
};

// "Dial-Up Networking" (TDoDialup).
struct TDoDialupTypes {
    enum Kind { Dial = 1, HangUp };
    struct Values {
        int kind = Dial;
        std::string entry;
        std::string name;
        std::string password;  // as typed; the command holds it substituted
    };
};
class TDoDialup final : public ValuesDialog<TDoDialupTypes> {
public:
    TDoDialup();
    std::string_view typeName() const override { return "TDoDialup"; }
    std::string caption() const override { return "Dial-Up Networking"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
