// One row of the generated table of embedded resources.
#pragma once

#include "resources/resources.h"

struct EmbeddedResource {
    ResourceKind kind;
    int id;  // -1 ends the table
    const unsigned char* begin;
    const unsigned char* end;
};

extern const EmbeddedResource EmbeddedResources[];
