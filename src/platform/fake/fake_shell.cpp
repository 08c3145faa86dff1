#include "platform/fake/fake_shell.h"

#include "platform/fake/trace_quoted.h"

namespace orv::fake {

int FakeShell::shellOpen(const std::string& verb, const std::string& target, const std::string& parameters,
                         const std::string& directory) {
    int result = 42;
    if (!results_.empty()) {
        result = results_.front();
        results_.pop_front();
    }
    record("shell open " + traceQuoted(verb) + " " + traceQuoted(target) + " " + traceQuoted(parameters) + " " +
           traceQuoted(directory) + " -> " + std::to_string(result));
    return result;
}

}  // namespace orv::fake
