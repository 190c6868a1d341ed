// Looks up an embedded resource in the generated table.
#include "resources/resources.h"

#include "resources/embedded_entry.h"

std::span<const uint8_t> ResourceBytes(ResourceKind kind, int id) {
    for (const EmbeddedResource* r = EmbeddedResources; r->id != -1; ++r) {
        if (r->kind == kind && r->id == id)
            return {reinterpret_cast<const uint8_t*>(r->begin), static_cast<size_t>(r->end - r->begin)};
    }
    return {};
}
