#pragma once

#include <string>

// The texts of the usage error and the help screen, all for standard error.
std::string usage_error_text(int code);
std::string help_text();

// Print the usage error (with the unknown option's own line first for code
// 20) or the help screen on standard error and end the process.
[[noreturn]] void punt(int code);
[[noreturn]] void help();
