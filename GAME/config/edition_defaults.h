// The default "editions.xml" of an installation: no URL file, no program
// file, both allowed to be missing, and the loading screen's own logos.
// Header only and without dependencies, so the data generator can write it
// into the editions pack.
#pragma once

namespace GAME {

// Root (any name) with six elements, each carrying its value in "param".
inline constexpr char kDefaultEditionsXml[] =
    "<?xml version=\"1.0\"?>\n"
    "<edition>\n"
    "\t<url_file param=\"\" />\n"
    "\t<run_if_url_lost param=\"true\" />\n"
    "\t<exe_file param=\"\" />\n"
    "\t<run_if_exe_lost param=\"true\" />\n"
    "\t<splash1 param=\"\" />\n"
    "\t<splash2 param=\"\" />\n"
    "</edition>\n";

}  // namespace GAME
