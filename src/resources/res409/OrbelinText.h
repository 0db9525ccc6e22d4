#pragma once

// One numbered text of a language module. A module exports a table of these,
// sorted by id, as "orbelin_texts" and its length as "orbelin_text_count";
// the program finds both by symbol name and never calls into the module.
extern "C" {

struct OrbelinText
{
    int id;
    const char* utf8;
};

} // extern "C"

#define ORBELIN_TEXT_TABLE_EXPORT __attribute__((visibility("default")))
