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
int CmdScene(const Args& args);    // zkw scene build|dump ...
int CmdRender(const Args& args);   // zkw render FILE --frames N --out DIR ...
int CmdPlay(const Args& args);     // zkw play FILE ...
int CmdColour(const Args& args);   // zkw colour backgrounds|dialog OUT.png

// Prints the library's last-error text after a failure message.
int Fail(const std::string& message);

}  // namespace zkwtool
