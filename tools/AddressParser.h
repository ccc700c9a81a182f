#pragma once
#include <cstddef>
#include <cstdint>

// The goto box's address text.

// Characters read from the edit box.
constexpr size_t kGotoTextMax = 30;

extern const char
    kGotoLengthMessage[]; // "Address should be at most 10 characters as in 0x12345678"
extern const char kGotoPrefixMessage[]; // "Address must be in Hex, starting with 0x...."

struct AddressParseResult
{
    bool ok = false;
    uint32_t address = 0;
    const char* message = ""; // the message box text when not ok
};

// Checks and reads a typed address: more than 10 characters gives the length message; a text
// that does not start with "0x" or "0X" (the empty one included) the prefix message. Otherwise
// the rest is read as a C scanf "%x" conversion reads it: leading white space is skipped, an
// optional sign and an optional second "0x"/"0X" are accepted, digits are read up to the first
// character that is not one, and a minus sign negates in 32 bits. Nothing readable gives 0.
AddressParseResult ParseGotoAddress(const char* text);
