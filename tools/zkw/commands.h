// Sub-commands of the zkw tool.
#pragma once
#include <string>
#include <vector>

namespace zkwtool {

using Args = std::vector<std::string>;

int CmdSample(const Args& args);   // zkw sample OUT.{bmp,dex}
int CmdInfo(const Args& args);     // zkw info FILE
int CmdConvert(const Args& args);  // zkw convert IN OUT
int CmdFont(const Args& args);     // zkw font make|info|draw ...

// Prints the library's last-error text after a failure message.
int Fail(const std::string& message);

}  // namespace zkwtool
