// The program's numbered texts (messages, command descriptions), one table shared
// by the core and the Win32 layer. Each subsystem keeps its own entries in
// src/<subsystem>/Strings.inc, written in UTF-8; lookups convert them to Shift-JIS
// once and keep the result for the life of the program.
#pragma once

struct StringTableEntry {
    unsigned id;
    const char* utf8;
};

// Text of entry id in Shift-JIS, or nullptr when the table has no such entry.
// The pointer stays valid for the life of the program.
const char* LoadSjisString(unsigned id);
// The same text as written in the source (UTF-8), or nullptr.
const char* LoadUtf8String(unsigned id);

// Every entry of the program, in source order. The program assembles them from
// each subsystem's Strings.inc (src/app/ProgramStrings.cpp), so this layer knows
// none of the subsystems above it.
struct StringTableSpan {
    const StringTableEntry* pBegin;
    const StringTableEntry* pEnd;
};
StringTableSpan ProgramStringTable();

// The same entries (for checks and tests).
const StringTableEntry* StringTableBegin();
const StringTableEntry* StringTableEnd();
