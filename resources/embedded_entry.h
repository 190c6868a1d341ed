// One row of the generated table of embedded resources.
#pragma once

#include <cstddef>

#include "resources/resources.h"

struct EmbeddedResource {
    ResourceKind kind;
    int id;                     // -1 ends the table
    const unsigned char* begin; // the file as a raw deflate stream
    const unsigned char* end;
    size_t size; // the file's own size, once decompressed
};

extern const EmbeddedResource EmbeddedResources[];
