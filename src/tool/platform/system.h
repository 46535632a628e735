// What the author's tool needs of the system it runs on: the command line in
// UTF-8, a terminal that shows UTF-8 (and colour where it can), the shape of
// paths, and whether two paths are one file. One implementation per system:
// system_posix.cpp, system_windows.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The arguments as the user typed them, in UTF-8 (on Windows from the
// wide-character command line, not the code page's lossy one).
std::vector<std::string> arguments_utf8(int argc, char** argv);

// Readies the process and its terminal for the run: UTF-8 text and colour
// escapes shown as such where the terminal can, put back as they were at
// exit; a write past a file size limit fails with an error.
void prepare_terminal();

// Whether stderr is a terminal that shows colour escapes.
bool colour_terminal();

// The characters that end a folder in a path as typed ("/"; on Windows also
// '\').
std::string_view path_separators();

// The characters a file name cannot hold.
std::string_view forbidden_in_names();

// How many leading characters of `path` name a root ("/", "C:\", "C:"),
// which a separator at its end belongs to; 0 for a relative path.
size_t root_length(std::string_view path);

// Whether `path` names a file from a root of its own, wherever the current
// folder is ("/x"; on Windows "C:\\x", not "\\x" nor "C:x").
bool absolute_path(std::string_view path);

// True when the system takes both paths for one name (on Windows, letter
// case aside).
bool same_name(std::string_view a, std::string_view b);

// The length of a file name as the system counts it against its limit:
// bytes, or UTF-16 units on Windows.
size_t name_length(std::string_view name);

// The longest file name the system takes in `folder`.
size_t longest_name(const std::string& folder);

// The folder that holds the running program's file; "" where the system
// does not tell.
std::string tool_folder();

// Runs `program` in place of this one, with `arguments` (the first is the
// name it is given), keeping the terminal, the environment and the process.
// Returns only when it could not, with the reason.
std::string run_instead(const std::string& program,
                        const std::vector<std::string>& arguments);
