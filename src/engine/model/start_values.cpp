// Start values of globals, copied and put back (see start_values.h).
#include "engine/model/start_values.h"

#include <cstring>

void
start_values::keep(void *where, size_t size)
{
    const unsigned char *bytes = static_cast<const unsigned char *>(where);
    kept_.push_back({where, std::vector<unsigned char>(bytes, bytes + size)});
}

void
start_values::restore() const
{
    for (const kept_bytes &k : kept_)
        memcpy(k.where, k.bytes.data(), k.bytes.size());
}
