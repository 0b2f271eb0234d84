#pragma once

#include <string>

namespace tw {

// Where the profile lives: the file that TALLOWIN_PROFILE names when it is set (tests,
// portable installs); otherwise tallowin.ini in $XDG_CONFIG_HOME/tallowin/, or in
// ~/.config/tallowin/ when that variable is unset, empty or not an absolute path.
std::string DefaultProfilePath();

// The folder of the running executable, ending in '/'; "" when it cannot be told.
std::string ProgramDirectory();

// The folder of the program's documents, pictures and help, ending in '/': beside the
// executable in a build tree, or share/tallowin/ beside its bin/ folder once installed.
// The program's own folder when neither holds them.
std::string DataDirectory();

// [General] VendorCode of serial.txt in `programDir` (at most 511 bytes, never cut
// inside a UTF-8 character); "" when the file or the key is missing. The file is
// only ever read.
std::string ReadSerialVendorCode(const std::string &programDir);

} // namespace tw
