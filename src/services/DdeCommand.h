// The DDE command string: "[" name "(" arguments separated by "," ")]", or
// "[" name "]" without arguments. An argument wrapped in double quotes loses
// them; inside, nothing is escaped, so a quote can never be part of one.
#pragma once
#include <string>
#include <vector>

struct CDdeCommand {
    std::string strName;
    std::vector<std::string> args;
};

// Splits a command text into its name and arguments. False for a text that is
// not a command (the server reports it as a syntax error).
bool ParseCommand(const std::string& text, CDdeCommand& out);

// Builds the command string for a name and arguments: each argument that does
// not begin with a double quote is wrapped in quotes. Refuses (false, with an
// error box) what the string could not carry faithfully, so the peer never
// runs a different command than the caller asked for: a name holding one of
// "[]()," or a quote, and an argument that holds a quote anywhere but as its
// own wrapping pair.
bool BuildCommand(const std::string& name, const std::vector<std::string>& args, std::string& out);

// A block of DDE memory holds text either as bytes (Shift-JIS, a peer with an
// ANSI window) or as UTF-16 (a peer with a wide window; the system does not
// convert between the two everywhere). Reads it as Shift-JIS, never past size
// bytes; UTF-16 is told by the second byte of the block being 0.
std::string DdeTextFromBlock(const unsigned char* data, size_t size);
