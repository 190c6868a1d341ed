// Looks up an embedded resource in the generated table and decompresses it: kept for the rest
// of the run from the first time it is asked for, or for the caller alone.
#include "resources/resources.h"

#include <map>
#include <memory>
#include <mutex>

#include "resources/embedded_entry.h"
#include "resources/inflate.h"

namespace {

struct Unpacked {
    std::mutex lock;
    std::map<const EmbeddedResource*, std::unique_ptr<uint8_t[]>> bytes;
};

Unpacked& unpacked() {
    static Unpacked u;
    return u;
}

const EmbeddedResource* find(ResourceKind kind, int id) {
    for (const EmbeddedResource* r = EmbeddedResources; r->id != -1; ++r) {
        if (r->kind == kind && r->id == id) return r;
    }
    return nullptr;
}

// Decompresses `r` into `out` (r.size bytes); false when its stream does not give the file
// back. A picture stored against its base is XORed with the base's bytes: those kept, or else
// the base decompressed for it alone and let go of, so that a base never shown (the other
// language's picture) takes no memory for the rest of the run. Bases have smaller ids, so
// this ends. Called with the lock held.
bool decompress(const Unpacked& u, const EmbeddedResource& r, uint8_t* out) {
    const std::span<const uint8_t> packed{reinterpret_cast<const uint8_t*>(r.begin),
                                          static_cast<size_t>(r.end - r.begin)};
    if (!Inflate(packed, {out, r.size})) return false;
    if (r.base == -1) return true;
    const EmbeddedResource* base = find(r.kind, r.base);
    if (base == nullptr || base->id >= r.id || base->size != r.size) return false;
    const auto kept = u.bytes.find(base);
    std::unique_ptr<uint8_t[]> own;
    const uint8_t* bytes = kept != u.bytes.end() ? kept->second.get() : nullptr;
    if (kept == u.bytes.end()) {
        own = std::make_unique<uint8_t[]>(r.size);
        if (decompress(u, *base, own.get())) bytes = own.get();
    }
    if (bytes == nullptr) return false;
    for (size_t i = 0; i < r.size; ++i)
        out[i] ^= bytes[i];
    return true;
}

std::span<const uint8_t> unpack(const EmbeddedResource& r) {
    if (r.size == 0) return {};
    Unpacked& u = unpacked();
    std::lock_guard<std::mutex> hold(u.lock);
    auto found = u.bytes.find(&r);
    if (found == u.bytes.end()) {
        auto out = std::make_unique<uint8_t[]>(r.size);
        // A stream that does not give the file back is no resource (kept as such, not retried).
        if (!decompress(u, r, out.get())) out.reset();
        found = u.bytes.emplace(&r, std::move(out)).first;
    }
    if (found->second == nullptr) return {};
    return {found->second.get(), r.size};
}

} // namespace

std::span<const uint8_t> ResourceBytes(ResourceKind kind, int id) {
    const EmbeddedResource* r = find(kind, id);
    return r != nullptr ? unpack(*r) : std::span<const uint8_t>{};
}

std::vector<uint8_t> UnpackResource(ResourceKind kind, int id) {
    const EmbeddedResource* r = find(kind, id);
    if (r == nullptr || r->size == 0) return {};
    std::vector<uint8_t> out(r->size);
    Unpacked& u = unpacked();
    std::lock_guard<std::mutex> hold(u.lock);
    if (!decompress(u, *r, out.data())) return {};
    return out;
}
