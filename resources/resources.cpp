// Looks up an embedded resource in the generated table and decompresses it the first time it
// is asked for; the bytes are then kept for the rest of the run.
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

std::span<const uint8_t> unpack(const EmbeddedResource& r) {
    if (r.size == 0) return {};
    // A picture stored against its base needs the base's bytes first, unpacked (and kept) on
    // their own before this one's lock is taken. Bases have smaller ids, so this ends.
    std::span<const uint8_t> base;
    if (r.base != -1) {
        if (r.base >= r.id) return {};
        base = ResourceBytes(r.kind, r.base);
        if (base.size() != r.size) return {};
    }
    Unpacked& u = unpacked();
    std::lock_guard<std::mutex> hold(u.lock);
    auto found = u.bytes.find(&r);
    if (found == u.bytes.end()) {
        auto out = std::make_unique<uint8_t[]>(r.size);
        const std::span<const uint8_t> packed{reinterpret_cast<const uint8_t*>(r.begin),
                                              static_cast<size_t>(r.end - r.begin)};
        // A stream that does not give the file back is no resource (kept as such, not retried).
        if (!Inflate(packed, {out.get(), r.size})) {
            out.reset();
        } else if (!base.empty()) {
            for (size_t i = 0; i < r.size; ++i)
                out[i] ^= base[i];
        }
        found = u.bytes.emplace(&r, std::move(out)).first;
    }
    if (found->second == nullptr) return {};
    return {found->second.get(), r.size};
}

} // namespace

std::span<const uint8_t> ResourceBytes(ResourceKind kind, int id) {
    for (const EmbeddedResource* r = EmbeddedResources; r->id != -1; ++r) {
        if (r->kind == kind && r->id == id) return unpack(*r);
    }
    return {};
}
