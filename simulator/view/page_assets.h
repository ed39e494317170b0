// The page's files, embedded into the module at build time (see
// embed_page.cmake): the server answers with these and nothing else.
#pragma once

#include <string_view>

namespace velsim {

struct PageAsset {
    std::string_view path;         // "/view.js"
    std::string_view contentType;  // "text/javascript; charset=utf-8"
    std::string_view body;
};

// The asset served at `path`, or null. "/" is the page itself, index.html.
const PageAsset* FindPageAsset(std::string_view path);

}  // namespace velsim
