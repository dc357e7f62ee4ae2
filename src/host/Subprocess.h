#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvelin::host {

// Host programs started without a shell: every argument reaches the program as it is, so no
// text (a file name, a mail address) is ever read as a command.

// The full path of a program found on PATH (or the name itself when it holds a "/" and is
// executable); nothing when it is not there.
std::optional<std::string> FindProgram(std::string_view name);

// Starts a program and does not wait for it (nor leaves it behind as a zombie). False when it
// could not be started.
bool SpawnDetached(const std::vector<std::string>& arguments);

// Runs a program with the bytes as its standard input and waits for it; its standard output is
// discarded. The exit status, or nothing when it could not be started or was killed.
std::optional<int> RunWithInput(const std::vector<std::string>& arguments, std::string_view input);

// Runs a program with no input and waits for it. What it wrote to its standard output when it
// exited with status 0; nothing otherwise.
std::optional<std::string> RunForOutput(const std::vector<std::string>& arguments);

}  // namespace zarvelin::host
