// Scene sources: a readable JSON description of a scene (settings, images, sounds, scripts,
// procedures and objects) turned into a scene by the library's own objects, and any scene turned
// back into that description. Building the description of a scene gives the same scene file.
#pragma once
#include <string>

#include <nlohmann/json.hpp>

namespace zkw {
class TDibAnimator;
}

namespace zkwtool {

// Fills an empty scene from a source; relative file names are taken from BaseDir. False with
// the reason in Error.
bool BuildScene(const nlohmann::json& Source, const std::string& BaseDir, zkw::TDibAnimator& Ani,
                std::string& Error);
// The source of a scene (images and sounds inline, object data of the kinds as base64).
nlohmann::json DumpScene(zkw::TDibAnimator& Ani);

std::string Base64Encode(const std::string& bytes);
bool Base64Decode(const std::string& text, std::string& bytes);

}  // namespace zkwtool
