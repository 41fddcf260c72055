#pragma once

// What a key or section name read from INI text keeps when it is written out and
// read again.
//
// Names that a parse produced are trimmed and hold no line feed, carriage return
// or NUL. Of the shapes that the emitter cannot write back faithfully, a parse
// can produce just one: a key that ends in a backslash, whose backslash then
// hides the separator written after it. A leading ";" would have made its line a
// comment; a ";" in a header is cut off with the header's comment; and a key
// that opens with "[" came from a line without "]" or ";", so neither its key
// nor its value can make the written line pass for a header.

#include <string>

// The line that the emitter writes for one entry: each "=" of the key as "\=".
std::string entryLine(const std::string& key, const std::string& value);

bool keyRoundTrips(const std::string& key);

// A key that ends in a backslash comes back longer: its backslash and the
// separator read as an escaped "=", and the value's text up to its first free
// "=" joins the key. What it comes back starting with.
std::string grownKeyPrefix(const std::string& key);
