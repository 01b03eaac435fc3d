#pragma once
// Where form descriptions come from. Every "*.zfm" file in a layer folder under src/ is compiled
// into that layer's library as a Qt resource (the layer's CMake rule does it; nothing to list
// by hand) and found here by the class name its first line declares:
//
//     src/forms/base/BaseGene.zfm   ->   inherited frmBaseGene: TfrmBaseGene
//
// Descriptions can also be added at run time (tests, plug-ins). Each description is read once
// per process, when a form of its class is first created.

#include "platform/components/FormDescription.h"

#include <string>
#include <string_view>
#include <vector>

namespace zrv {

namespace FormResources {
    // The description of exactly this class; nullptr when it has none. Raises
    // EFormDescriptionError when the description has a syntax error.
    const TFormDescription* Find(std::string_view className);
    // Adds (or replaces) the description of the class named in its first line. False when the
    // first line names no class.
    bool Add(const std::string& fileName, std::string text);
    void Remove(std::string_view className);
    // The class names that have a description (after scanning the compiled-in resources).
    std::vector<std::string> ClassNames();
} // namespace FormResources

} // namespace zrv
