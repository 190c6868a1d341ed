// One row of the generated table of embedded resources.
#pragma once

#include <cstddef>

#include "resources/resources.h"

struct EmbeddedResource {
    ResourceKind kind;
    int id;                     // -1 ends the table
    const unsigned char* begin; // the file (or its XOR with the base) as a raw deflate stream
    const unsigned char* end;
    size_t size; // the file's own size, once decompressed
    int base;    // the id of the resource of the same kind this one is XORed with; -1 for none
};

extern const EmbeddedResource EmbeddedResources[];
